// The delete engines on real trees of a temporary drive, with faults injected.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "operations/smart_delete.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class SmartDeleteTest : public TempDriveTest {
 protected:
  DeleteSink Sink() {
    return [this](DeleteList list, const std::string& path) { got[list].push_back(path); };
  }
  void Tree() {
    MakeFile("D:\\M\\a.txt", "a");
    MakeFile("D:\\M\\sub\\b.txt", "b");
    MakeFile("D:\\M\\sub\\deep\\c.txt", "c");
  }
  void Run(DeleteMode mode, DeleteOptions options = {}) {
    SmartDelete(fs, "D:\\M", mode, std::move(options), Sink()).Run();
  }
  void ReadOnly(const char* path) { ASSERT_EQ(::chmod(Host(path).c_str(), 0555), 0); }
  FaultFileSystem fs;
  std::map<DeleteList, Paths> got;
};

TEST_F(SmartDeleteTest, FolderModesEmptyTheTreeDeepestFolderFirstAndRemoveTheMainFolderOnlyInMode3) {
  Tree();
  Run(DeleteMode::SubFolders);
  EXPECT_EQ(got[DeleteList::FilesDeleted].size(), 3u);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub\\deep", "D:\\M\\sub"}));
  EXPECT_TRUE(IsDir("D:\\M"));
  EXPECT_TRUE(ListDir("D:\\M").empty());

  Tree();
  got.clear();
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub\\deep", "D:\\M\\sub", "D:\\M"}));
  EXPECT_FALSE(IsDir("D:\\M"));
}

TEST_F(SmartDeleteTest, SimulationCountsTheSameButTouchesNothing) {
  Tree();
  MakeFile("D:\\M\\sub\\ro.txt");
  ReadOnly("D:\\M\\sub\\ro.txt");
  SmartDeleteSimul(fs, "D:\\M", DeleteMode::Complete, {"*.*"}, Sink()).Run();
  EXPECT_EQ(got[DeleteList::FilesDeleted].size(), 4u);
  EXPECT_EQ(got[DeleteList::FoldersDeleted].size(), 3u);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\a.txt"));
}

TEST_F(SmartDeleteTest, ALinkInsideIsRemovedAsALinkAndWhatItPointsToSurvives) {
  Tree();
  MakeFile("D:\\Outside\\keep.txt", "k");
  ASSERT_EQ(::symlink(Host("D:\\Outside").c_str(), Host("D:\\M\\sub\\link").c_str()), 0);
  Run(DeleteMode::Complete);
  EXPECT_FALSE(IsDir("D:\\M"));
  EXPECT_TRUE(IsFile("D:\\Outside\\keep.txt"));
  EXPECT_EQ(got[DeleteList::FilesDeleted].size(), 4u);  // the link among them
}

TEST_F(SmartDeleteTest, AMainFolderThatIsALinkGoesOnlyAsTheLinkInMode3) {
  MakeFile("D:\\Real\\keep.txt", "k");
  ASSERT_EQ(::symlink(Host("D:\\Real").c_str(), Host("D:\\M").c_str()), 0);
  Run(DeleteMode::SubFolders);
  Run(DeleteMode::SelectedFiles);
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M", "D:\\M"}));
  EXPECT_TRUE(IsFile("D:\\Real\\keep.txt"));
  got.clear();
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M"}));
  EXPECT_TRUE(IsFile("D:\\Real\\keep.txt"));
  struct stat st {};
  EXPECT_NE(::lstat(Host("D:\\M").c_str(), &st), 0);
}

TEST_F(SmartDeleteTest, AMountPointIsNotEnteredAndBlocksItsParents) {
  Tree();
  MakeFile("D:\\M\\sub\\mnt\\inside.txt");
  fs.FailOn(FsOp::OpenSubfolder, "D:\\M\\sub\\mnt", FsError::MountPoint);  // refused as a mount
  Run(DeleteMode::Complete);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\mnt\\inside.txt"));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub\\mnt", "D:\\M\\sub", "D:\\M"}));
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub\\deep"}));
}

// A real mount, where the test may make one: the host tells the devices apart.
TEST_F(SmartDeleteTest, ARealMountPointIsNotEntered) {
  Tree();
  MakeFile("D:\\M\\sub\\mnt\\keep.txt");  // under the mount, hidden by it
  const std::string mnt = Host("D:\\M\\sub\\mnt");
  if (::mount("none", mnt.c_str(), "tmpfs", 0, "size=1m") != 0)
    GTEST_SKIP() << "mounting is not permitted here";
  MakeFile("D:\\M\\sub\\mnt\\inside.txt", "x");
  FaultFileSystem host;
  SmartDelete(host, "D:\\M", DeleteMode::Complete, {}, Sink()).Run();
  const bool survived = IsFile("D:\\M\\sub\\mnt\\inside.txt");
  ::umount(mnt.c_str());
  EXPECT_TRUE(survived);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\mnt\\keep.txt"));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub\\mnt", "D:\\M\\sub", "D:\\M"}));
}

TEST_F(SmartDeleteTest, AListingThatBreaksOffDeletesNothingOfThatFolder) {
  Tree();
  fs.FailOn(FsOp::ReadFolder, "D:\\M\\sub");
  Run(DeleteMode::Complete);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\b.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
  EXPECT_FALSE(IsFile("D:\\M\\a.txt"));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub", "D:\\M"}));
  EXPECT_TRUE(got[DeleteList::FoldersDeleted].empty());
}

TEST_F(SmartDeleteTest, AReadOnlyFileKeepsItsFolderAndParentsUnderOtherReasons) {
  Tree();
  ReadOnly("D:\\M\\sub\\deep\\c.txt");
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FilesOtherReasons], (Paths{"D:\\M\\sub\\deep\\c.txt"}));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub\\deep", "D:\\M\\sub", "D:\\M"}));
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
}

TEST_F(SmartDeleteTest, AReadOnlyFolderGoesOnlyWithTheRetry) {
  MakeDir("D:\\M\\ro");
  ReadOnly("D:\\M\\ro");
  Run(DeleteMode::SubFolders);
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\ro"}));
  EXPECT_TRUE(IsDir("D:\\M\\ro"));
  got.clear();
  DeleteOptions retry;
  retry.readOnlyRetry = true;
  Run(DeleteMode::SubFolders, retry);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\ro"}));
  EXPECT_FALSE(IsDir("D:\\M\\ro"));
}

TEST_F(SmartDeleteTest, TwoPatternsWalkTheTreeTwiceAndRemoveNoFolder) {
  MakeFile("D:\\M\\a.txt");
  MakeFile("D:\\M\\s\\b.doc");
  MakeFile("D:\\M\\s\\x.txt");
  MakeFile("D:\\M\\s\\keep.bin");
  ReadOnly("D:\\M\\s\\x.txt");
  DeleteOptions options;
  options.masks = {"*.txt", "*.doc"};
  Run(DeleteMode::SelectedFiles, options);
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\M\\a.txt", "D:\\M\\s\\b.doc"}));
  // Tried, counted and listed once per walk that matches it.
  EXPECT_EQ(got[DeleteList::FilesOtherReasons], (Paths{"D:\\M\\s\\x.txt"}));
  EXPECT_TRUE(IsFile("D:\\M\\s\\keep.bin"));
  EXPECT_TRUE(IsDir("D:\\M\\s"));
  EXPECT_TRUE(got[DeleteList::FoldersDeleted].empty());
}

TEST_F(SmartDeleteTest, FilesOfTheMainFolderOnly) {
  MakeFile("D:\\M\\a.txt");
  MakeFile("D:\\M\\b.doc");
  MakeFile("D:\\M\\s\\c.txt");
  SmartDeleteOne(fs, "D:\\M\\", {{"*.txt"}, false, false}, Sink()).Run();
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\M\\a.txt"}));
  EXPECT_TRUE(IsFile("D:\\M\\s\\c.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\b.doc"));
}

TEST(LexicalFolderPath, DotsAndSeparators) {
  EXPECT_EQ(LexicalFolderPath("D:"), "D:\\");
  EXPECT_EQ(LexicalFolderPath("D:\\."), "D:\\");
  EXPECT_EQ(LexicalFolderPath("D:\\A\\.."), "D:\\");
  EXPECT_EQ(LexicalFolderPath("D:/A//B/./C\\"), "D:\\A\\B\\C");
}

}  // namespace
}  // namespace quillory

namespace quillory {
namespace {

// The Visual Log lists what a delete took in the folder's name order, not in
// the order the directory hands its entries out.
TEST_F(SmartDeleteTest, OutcomesComeInNameOrder) {
  for (const char* name : {"f10.txt", "F2.txt", "f1.txt", "e.txt"}) MakeFile(std::string("D:\\M\\") + name);
  Run(DeleteMode::SelectedFiles);
  EXPECT_EQ(got[DeleteList::FilesDeleted],
            (Paths{"D:\\M\\e.txt", "D:\\M\\f1.txt", "D:\\M\\F2.txt", "D:\\M\\f10.txt"}));
}

}  // namespace
}  // namespace quillory
