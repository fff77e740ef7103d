// The delete page into the desktop's trash, on real trees: what each mode
// moves, what the Visual Log shows, and Undo bringing it back, after a
// restart too, never touching what the run did not put there.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class DeleteTrashTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
    ui->ClearCalls();
  }
  DeletePage& Page() { return main->vol07; }
  void Folders(Paths items) {
    Page().include.SetItems(std::move(items));
    Page().Refresh();
  }
  // The captions' numbers of what the click showed.
  Paths Click(Button& button, std::vector<MessageAnswer> answers = {MessageAnswer::Yes}) {
    ui->ClearCalls();
    for (MessageAnswer a : answers) ui->answers.push_back(a);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
    Paths numbers;
    for (const UiCall& m : ui->Messages()) numbers.push_back(m.caption.substr(m.caption.size() - 5, 4));
    return numbers;
  }
  std::string LastMessage() {
    const std::vector<UiCall> messages = ui->Messages();
    return messages.empty() ? std::string() : messages.back().text;
  }
  std::string Report() {
    for (const UiCall& m : ui->Messages())
      if (m.caption.ends_with("0632.")) return m.text;
    return {};
  }
  double Counter(const char* name) { return Page().stats.Get(name); }
  Paths LogList(DeleteList list) {
    Paths items = main->visualLogs.List(PageKey::Vol07, static_cast<std::size_t>(list)).Items();
    std::sort(items.begin(), items.end());
    return items;
  }
  // Everything below a host folder: relative path, kind and permission bits.
  Paths Snapshot(const std::string& host) {
    Paths out;
    namespace fs = std::filesystem;
    for (auto it = fs::recursive_directory_iterator(host); it != fs::recursive_directory_iterator(); ++it) {
      struct stat st {};
      ::lstat(it->path().c_str(), &st);
      out.push_back(fs::relative(it->path(), host).string() + (S_ISDIR(st.st_mode) ? "/" : S_ISLNK(st.st_mode) ? "@" : "") +
                    " " + std::to_string(st.st_mode & 07777));
    }
    std::sort(out.begin(), out.end());
    return out;
  }
  Paths TrashNames(const char* part) {
    Paths names;
    const std::string folder = HomeTrash() + "/" + part;
    if (!std::filesystem::exists(folder)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  void Restart() {
    main->FormClose();
    main = &Start();
  }
  // A main folder with files, a nested tree, a read-only file and a link
  // that points out of it.
  void Grow(const std::string& root) {
    MakeFile(root + "\\a.txt", "a");
    MakeFile(root + "\\b.doc", "b");
    MakeFile(root + "\\sub\\c.txt", "c");
    MakeFile(root + "\\sub\\deep\\d.txt", "d");
    MakeDir(root + "\\empty");
    ASSERT_EQ(::chmod(Host(root + "\\sub\\c.txt").c_str(), 0444), 0);
    ASSERT_EQ(::symlink(Host("D:\\Outside").c_str(), Host(root + "\\out").c_str()), 0);
  }
  TfrmMain* main = nullptr;
};

TEST_F(DeleteTrashTest, EachModeMovesWhatADeleteWouldTakeAndUndoBringsItAllBack) {
  MakeFile("D:\\Outside\\keep.txt", "keep");
  struct Case {
    RadioButton* mode;
    Paths foldersDeleted, filesDeleted;
    std::size_t entries;  // moves the trash holds
  };
  const Case cases[] = {
      {&Page().rdoVol07DeleteOnlyFilesInMainFolder, {}, {"D:\\M\\a.txt", "D:\\M\\b.doc", "D:\\M\\out"}, 3},
      {&Page().rdoVol07DeleteOnlyFiles,
       {},
       {"D:\\M\\a.txt", "D:\\M\\b.doc", "D:\\M\\out", "D:\\M\\sub\\c.txt", "D:\\M\\sub\\deep\\d.txt"},
       5},
      {&Page().rdoVol07DeleteSubFolders,
       {"D:\\M\\empty", "D:\\M\\sub", "D:\\M\\sub\\deep"},
       {"D:\\M\\a.txt", "D:\\M\\b.doc", "D:\\M\\out", "D:\\M\\sub\\c.txt", "D:\\M\\sub\\deep\\d.txt"},
       5},  // three files, two subfolders whole
      {&Page().rdoVol07DeleteCompleteFolders,
       {"D:\\M", "D:\\M\\empty", "D:\\M\\sub", "D:\\M\\sub\\deep"},
       {"D:\\M\\a.txt", "D:\\M\\b.doc", "D:\\M\\out", "D:\\M\\sub\\c.txt", "D:\\M\\sub\\deep\\d.txt"},
       1},  // the main folder whole
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode->Name());
    Grow("D:\\M");
    const Paths before = Snapshot(Host("D:\\M"));
    Folders({"D:\\M"});
    c.mode->Click();
    EXPECT_EQ(Click(Page().btnVol07DeleteFolders), (Paths{"0238", "0239"}));
    EXPECT_EQ(LogList(DeleteList::FoldersDeleted), c.foldersDeleted);
    EXPECT_EQ(LogList(DeleteList::FilesDeleted), c.filesDeleted);
    EXPECT_EQ(Counter("FilesOtherReasons") + Counter("FoldersOtherReasons"), 0);
    EXPECT_EQ(Page().TrashedRecord.size(), c.entries);
    EXPECT_EQ(TrashNames("files").size(), c.entries);
    EXPECT_EQ(TrashNames("info").size(), c.entries);
    EXPECT_TRUE(IsFile("D:\\Outside\\keep.txt"));  // the link went as the link
    const std::vector<UiCall>& calls = ui->calls;
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const UiCall& call) {
      return call.kind == "status" && call.text.find(HomeTrash()) != std::string::npos;
    })) << "the status bar says where they went";

    EXPECT_EQ(Click(Page().btnVol07Undo), (Paths{"0631", "0633"}));
    EXPECT_EQ(Snapshot(Host("D:\\M")), before);
    EXPECT_TRUE(TrashNames("files").empty());
    EXPECT_TRUE(TrashNames("info").empty());
    EXPECT_TRUE(Page().TrashedRecord.empty());
    EXPECT_EQ(Click(Page().btnVol07Undo), (Paths{"0630"}));  // nothing left to undo
    RemoveTree(Host("D:\\M"));
  }
}

TEST_F(DeleteTrashTest, ATakenPlaceKeepsItsEntryInTheTrashUntilTheNextUndo) {
  MakeFile("D:\\A\\f.txt", "mine");
  MakeFile("D:\\B\\g.txt", "g");
  Folders({"D:\\A", "D:\\B"});
  Page().rdoVol07DeleteCompleteFolders.Click();
  Click(Page().btnVol07DeleteFolders);
  ASSERT_FALSE(IsDir("D:\\A"));
  MakeFile("D:\\A\\new.txt", "someone else's");  // the place is taken meanwhile

  Click(Page().btnVol07Undo);
  EXPECT_NE(Report().find("THE PLACE IS TAKEN"), std::string::npos) << Report();
  EXPECT_NE(Report().find("D:\\A\n"), std::string::npos);
  EXPECT_TRUE(IsFile("D:\\B\\g.txt"));
  EXPECT_TRUE(IsFile("D:\\A\\new.txt"));
  EXPECT_FALSE(IsFile("D:\\A\\f.txt"));
  EXPECT_EQ(LogList(DeleteList::FoldersOtherReasons), (Paths{"D:\\A"}));
  ASSERT_EQ(Page().FailedRestoreRecord.size(), 1u);
  EXPECT_EQ(TrashNames("files").size(), 1u);

  // Retried once the place is free, after a restart too.
  RemoveTree(Host("D:\\A"));
  Restart();
  ASSERT_EQ(Page().FailedRestoreRecord.size(), 1u);
  EXPECT_EQ(Click(Page().btnVol07Undo), (Paths{"0631", "0633"}));
  EXPECT_EQ(ReadFile("D:\\A\\f.txt"), "mine");
  EXPECT_TRUE(TrashNames("files").empty());
}

TEST_F(DeleteTrashTest, UndoAfterARestartAndNeverWhatTheDesktopPutInTheTrash) {
  MakeFile("D:\\A\\x\\f.txt", "run's");
  MakeFile("D:\\B\\g.txt", "run's too");
  Folders({"D:\\A", "D:\\B"});
  Page().rdoVol07DeleteSubFolders.Click();
  Click(Page().btnVol07DeleteFolders);
  ASSERT_EQ(Page().TrashedRecord.size(), 2u);
  const TrashedEntry x = Page().TrashedRecord.front().path == "D:\\A\\x" ? Page().TrashedRecord.front()
                                                                          : Page().TrashedRecord.back();
  ASSERT_EQ(x.path, "D:\\A\\x");

  // The person empties the run's x from the trash; the desktop then puts
  // another entry there under the very same name.
  const std::string files = HomeTrash() + "/files/" + x.name;
  std::filesystem::remove_all(files);
  std::filesystem::remove(HomeTrash() + "/info/" + x.name + ".trashinfo");
  std::filesystem::create_directories(files);
  MakeFile("D:\\Other.txt", "desktop's");
  std::filesystem::rename(Host("D:\\Other.txt"), files + "/other.txt");

  Restart();
  ASSERT_EQ(Page().TrashedRecord.size(), 2u);
  Click(Page().btnVol07Undo);
  EXPECT_NE(Report().find("NO LONGER IN THE TRASH : \n\nD:\\A\\x\n"), std::string::npos) << Report();
  EXPECT_EQ(ReadFile("D:\\B\\g.txt"), "run's too");
  EXPECT_FALSE(IsDir("D:\\A\\x"));
  EXPECT_TRUE(std::filesystem::exists(files + "/other.txt"));  // untouched
  EXPECT_EQ(LogList(DeleteList::FoldersNotExists), (Paths{"D:\\A\\x"}));
  EXPECT_TRUE(Page().FailedRestoreRecord.empty());  // nothing to retry for it
}

TEST_F(DeleteTrashTest, ReadOnlyEntriesMoveAsTheyAreAndTheRetryBoxHasNothingToDo) {
  MakeFile("D:\\M\\ro\\f.txt", "f");
  ASSERT_EQ(::chmod(Host("D:\\M\\ro\\f.txt").c_str(), 0444), 0);
  ASSERT_EQ(::chmod(Host("D:\\M\\ro").c_str(), 0555), 0);
  Folders({"D:\\M"});
  Page().rdoVol07DeleteSubFolders.Click();
  Click(Page().btnVol07DeleteFolders);
  EXPECT_EQ(LogList(DeleteList::FoldersDeleted), (Paths{"D:\\M\\ro"}));
  EXPECT_EQ(LogList(DeleteList::FilesDeleted), (Paths{"D:\\M\\ro\\f.txt"}));
  EXPECT_FALSE(IsDir("D:\\M\\ro"));
  Click(Page().btnVol07Undo);
  struct stat st {};
  ASSERT_EQ(::lstat(Host("D:\\M\\ro").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0555u);
  ASSERT_EQ(::lstat(Host("D:\\M\\ro\\f.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  ::chmod(Host("D:\\M\\ro").c_str(), 0755);
}

TEST_F(DeleteTrashTest, ATrashThatCannotBeUsedIsExplainedOnceAndNothingMoves) {
  MakeFile("D:\\M\\a.txt");
  MakeFile("D:\\M\\b.txt");
  MakeFile("D:\\N\\c.txt");
  // The trash folder is a link to somewhere else: never written through.
  MakeDir("D:\\Elsewhere");
  std::filesystem::create_directories(std::filesystem::path(HomeTrash()).parent_path());
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere").c_str(), HomeTrash().c_str()), 0);
  Folders({"D:\\M", "D:\\N"});
  Page().rdoVol07DeleteOnlyFilesInMainFolder.Click();
  const Paths shown = Click(Page().btnVol07DeleteFolders);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "0634") + std::count(shown.begin(), shown.end(), "0635"), 1)
      << "one explanation, not one per file";
  EXPECT_TRUE(IsFile("D:\\M\\a.txt"));
  EXPECT_TRUE(IsFile("D:\\N\\c.txt"));
  EXPECT_TRUE(ListDir("D:\\Elsewhere").empty());
  EXPECT_EQ(Counter("FilesDeleted"), 0);
  EXPECT_TRUE(Page().TrashedRecord.empty());
}

// A tree on another file system goes to the trash at the top of that file
// system, with a path relative to it, and comes back from there.
TEST_F(DeleteTrashTest, ATreeOnAnotherMountGoesToThatMountsOwnTrash) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting needs root";
  MakeDir("D:\\Stick");
  const std::string stick = Host("D:\\Stick");
  if (::mount("none", stick.c_str(), "tmpfs", 0, "size=4m") != 0) GTEST_SKIP() << "mounting is not permitted here";
  struct Unmount {
    std::string at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{stick};
  MakeFile("D:\\Stick\\M\\sub\\f.txt", "on the stick");
  MakeFile("D:\\Stick\\M\\g.txt", "g");
  Folders({"D:\\Stick\\M"});
  Page().rdoVol07DeleteSubFolders.Click();
  EXPECT_EQ(Click(Page().btnVol07DeleteFolders), (Paths{"0238", "0239"}));
  const std::string trash = stick + "/.Trash-" + std::to_string(::geteuid());
  EXPECT_EQ(LogList(DeleteList::FilesDeleted), (Paths{"D:\\Stick\\M\\g.txt", "D:\\Stick\\M\\sub\\f.txt"}));
  ASSERT_TRUE(std::filesystem::exists(trash + "/files/sub/f.txt"));
  EXPECT_EQ(ReadFile("D:\\Stick\\.Trash-" + std::to_string(::geteuid()) + "\\info\\sub.trashinfo").substr(0, 25),
            "[Trash Info]\nPath=M/sub\nD");
  EXPECT_TRUE(TrashNames("files").empty());  // nothing went to the home trash
  EXPECT_EQ(Click(Page().btnVol07Undo), (Paths{"0631", "0633"}));
  EXPECT_EQ(ReadFile("D:\\Stick\\M\\sub\\f.txt"), "on the stick");
  EXPECT_TRUE(std::filesystem::is_empty(trash + "/files"));
}

TEST_F(DeleteTrashTest, UncheckedTheRunDeletesForGoodAndLeavesNothingToUndo) {
  MakeFile("D:\\A\\f.txt");
  Folders({"D:\\A"});
  Page().rdoVol07DeleteCompleteFolders.Click();
  Click(Page().btnVol07DeleteFolders);
  EXPECT_EQ(Page().TrashedRecord.size(), 1u);
  MakeFile("D:\\B\\g.txt");
  Page().chkVol07MoveToTrash.SetChecked(false);
  Folders({"D:\\B"});
  Click(Page().btnVol07DeleteFolders);
  EXPECT_FALSE(IsDir("D:\\B"));
  EXPECT_EQ(TrashNames("files").size(), 1u);  // only the first run's
  // The last run replaced the record: nothing of it can be undone.
  EXPECT_EQ(Click(Page().btnVol07Undo), (Paths{"0630"}));
  // Clear Fields checks the box again.
  Page().chkVol07MoveToTrash.SetChecked(false);
  ui->answers.push_back(MessageAnswer::Yes);
  Page().panel.btnClearAll.Click();
  EXPECT_TRUE(Page().chkVol07MoveToTrash.Checked());
}

}  // namespace
}  // namespace quillory
