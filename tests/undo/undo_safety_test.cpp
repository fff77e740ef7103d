// Undo against what a person or another program does between a run and its
// Undo: a folder removed and made again under the same name (the same inode
// number, as ext4 hands it out again), a file rewritten with its old size and
// time put back, a chain of the run's folders moved away and linked back.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class UndoSafetyTest : public PagesTest {
 protected:
  CreateFromStringsPage& Strings() { return main->vol02; }
  void Click(Button& button) {
    ui->ClearCalls();
    ui->answers.push_back(MessageAnswer::Yes);
    button.Click();
  }
  void RunStrings(Paths items) {
    Strings().lstVol02IncludeStrings.SetItems(std::move(items));
    Strings().Refresh();
    Click(Strings().btnCreateFolders);
  }
  ino_t Inode(const char* path) {
    struct stat st {};
    return ::lstat(Host(path).c_str(), &st) == 0 ? st.st_ino : 0;
  }
  void CopyPageRun(const char* destination) {
    CopyPage& copy = main->vol08;
    copy.structures.SourceKindClick(SourceKind::Structures);
    copy.structures.AttachModeClick(AttachMode::MainWithFiles);
    copy.structures.list.SetItems({"D:\\S"});
    copy.include.SetItems({destination});
    copy.Refresh();
    Click(copy.btnVol08CopyFolders);
  }
};

// A person's pace: the folder comes back a little later, with the inode
// number the run's folder had. Where the file system reuses no inode number
// within a few hundred tries (tmpfs counts them up), there is nothing to test.
TEST_F(UndoSafetyTest, AFolderRemovedAndMadeAgainWithTheSameInodeIsKept) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  // Tests running beside this one may take the freed number first: the run
  // is made again a few times before giving up.
  bool repeated = false;
  for (int attempt = 0; attempt < 10 && !repeated; ++attempt) {
    RunStrings({"A"});
    const ino_t made = Inode("D:\\Dest\\A");
    ASSERT_NE(made, 0u);
    ASSERT_EQ(::rmdir(Host("D:\\Dest\\A").c_str()), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // New folders until one gets the freed number, which then takes the name.
    for (int k = 0; k < 100 && !repeated; ++k) {
      const std::string name = "D:\\Dest\\new" + std::to_string(attempt) + "-" + std::to_string(k);
      ASSERT_EQ(::mkdir(Host(name).c_str(), 0755), 0);
      repeated = Inode(name.c_str()) == made;
      if (repeated) {
        ASSERT_EQ(::rename(Host(name).c_str(), Host("D:\\Dest\\A").c_str()), 0);
      }
    }
  }
  if (!repeated) GTEST_SKIP() << "this file system gave no inode number twice";
  Click(Strings().btnUndo);
  EXPECT_TRUE(IsDir("D:\\Dest\\A"));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\A"}));
}

TEST_F(UndoSafetyTest, AFileRewrittenWithItsOldSizeAndTimePutBackIsKept) {
  MakeFile("D:\\S\\f.txt", "abcdef");
  MakeDir("D:\\T");
  CopyPageRun("D:\\T");
  ASSERT_TRUE(IsFile("D:\\T\\S\\f.txt"));
  const std::string copied = Host("D:\\T\\S\\f.txt");
  struct stat before {};
  ASSERT_EQ(::stat(copied.c_str(), &before), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  {
    std::ofstream out(copied, std::ios::binary | std::ios::trunc);
    out << "XYZXYZ";  // the same size
  }
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, copied.c_str(), times, 0), 0);
  Click(main->vol08.btnVol08Undo);
  EXPECT_EQ(ReadFile("D:\\T\\S\\f.txt"), "XYZXYZ");
  ASSERT_EQ(main->vol08.failedUndoFiles.size(), 1u);
  EXPECT_EQ(main->vol08.failedUndoFiles[0].path, "D:\\T\\S\\f.txt");
}

// The chain M\x\y the run made moves elsewhere whole and a link takes the
// place of x: its folders are still the run's (same identities), but Undo
// would reach them through the link, outside the folder it aimed at.
TEST_F(UndoSafetyTest, AChainMovedAwayAndLinkedBackIsNotReachedThroughTheLink) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"x\\y"});
  ASSERT_TRUE(IsDir("D:\\Dest\\x\\y"));
  MakeDir("D:\\Elsewhere");
  ASSERT_EQ(::rename(Host("D:\\Dest\\x").c_str(), Host("D:\\Elsewhere\\x").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere\\x").c_str(), Host("D:\\Dest\\x").c_str()), 0);
  Click(Strings().btnUndo);
  EXPECT_TRUE(IsDir("D:\\Elsewhere\\x\\y"));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\x\\y", "D:\\Dest\\x"}));

  // Put back, the next Undo takes it.
  ASSERT_EQ(::unlink(Host("D:\\Dest\\x").c_str()), 0);
  ASSERT_EQ(::rename(Host("D:\\Elsewhere\\x").c_str(), Host("D:\\Dest\\x").c_str()), 0);
  Click(Strings().btnUndo);
  EXPECT_FALSE(IsDir("D:\\Dest\\x"));
  EXPECT_TRUE(Strings().failedUndoFolders.empty());
}

// A copied file's folder, made by the run or found in the destination,
// moved away and linked back: the file is not deleted through the link.
TEST_F(UndoSafetyTest, ACopiedFileInAFolderMovedAwayAndLinkedBackStays) {
  MakeFile("D:\\S\\f.txt", "abc");
  // A folder the copy makes, so that there is a run to undo.
  MakeFile("D:\\S\\sub\\g.txt", "def");
  for (const bool wasThere : {false, true}) {
    SCOPED_TRACE(wasThere ? "the folder was there" : "the run made the folder");
    MakeDir("D:\\T");
    if (wasThere) MakeDir("D:\\T\\S");
    CopyPageRun("D:\\T");
    ASSERT_TRUE(IsFile("D:\\T\\S\\f.txt"));
    MakeDir("D:\\Elsewhere");
    ASSERT_EQ(::rename(Host("D:\\T\\S").c_str(), Host("D:\\Elsewhere\\S").c_str()), 0);
    ASSERT_EQ(::symlink(Host("D:\\Elsewhere\\S").c_str(), Host("D:\\T\\S").c_str()), 0);
    Click(main->vol08.btnVol08Undo);
    EXPECT_TRUE(IsFile("D:\\Elsewhere\\S\\f.txt"));
    EXPECT_TRUE(IsFile("D:\\Elsewhere\\S\\sub\\g.txt"));
    EXPECT_EQ(main->vol08.failedUndoFiles.size(), 2u);
    ASSERT_EQ(::unlink(Host("D:\\T\\S").c_str()), 0);
    RemoveTree(Host("D:\\Elsewhere"));
    RemoveTree(Host("D:\\T"));
    main->vol08.failedUndoFolders.clear();
    main->vol08.failedUndoFiles.clear();
    main->vol08.failedUndoMade.clear();
  }
}

}  // namespace
}  // namespace quillory
