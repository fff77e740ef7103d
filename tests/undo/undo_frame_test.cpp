// Undo of the create and copy pages goes through the run frame: the question
// first, then the removal in items with the other tabs locked and the bar
// moving, then the report and the end message; a No or nothing to undo
// changes nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

// Lets a test look at the program each time the bar moves.
class WatchingUi : public ScriptedUi {
 public:
  void RunProgress(std::size_t done) override {
    ScriptedUi::RunProgress(done);
    if (onProgress) onProgress(done);
  }
  std::function<void(std::size_t)> onProgress;
};

class UndoFrameTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Launch();
    MakeDir("D:\\Dest");
    main->vol02.ChooseDestination("D:\\Dest");
    ui->ClearCalls();
  }
  void Launch() {
    app.reset();
    auto watching = std::make_unique<WatchingUi>();
    watch = watching.get();
    ui = std::move(watching);
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store);
    main = &*app->main;
  }
  void Restart() {
    main->FormClose();
    Launch();
  }
  CreateFromStringsPage& Strings() { return main->vol02; }
  void Click(Button& button, std::vector<MessageAnswer> answers = {MessageAnswer::Yes}) {
    ui->ClearCalls();
    for (MessageAnswer a : answers) ui->answers.push_back(a);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
  }
  // With the structures chosen before, or none.
  void RunStrings(Paths items) {
    Strings().lstVol02IncludeStrings.SetItems(std::move(items));
    Strings().Refresh();
    Click(Strings().btnCreateFolders);
  }
  Paths Captions() {
    Paths out;
    for (const UiCall& m : ui->Messages()) out.push_back(m.caption);
    return out;
  }
  // Whether every tab but `page`'s is disabled, and `page`'s is not.
  bool OthersLocked(PageKey page) {
    TabSheet& own = *main->pgeMain.Pages()[PageOf(page).tabIndex()];
    bool locked = own.Enabled();
    for (TabSheet* tab : main->pgeMain.Pages())
      if (tab != &own) locked = locked && !tab->Enabled();
    return locked;
  }
  bool NoneLocked() {
    for (TabSheet* tab : main->pgeMain.Pages())
      if (!tab->Enabled()) return false;
    return true;
  }
  Paths Lines(PageKey page, CreateList list) {
    return main->visualLogs.List(page, static_cast<std::size_t>(list)).Items();
  }

  WatchingUi* watch = nullptr;
  TfrmMain* main = nullptr;
};

constexpr const char* kQuestion = "Creating Folder(s).-From a String List.            Information no: 0029.";
constexpr const char* kReport = "Creating Folder(s).-From a String List.            Information no: 0030.";
constexpr const char* kEnd = "Creating Folder(s).-From a String List.            Information no: 0031.";

// The files are one item, then each level of folders, deepest first: the
// bar moves as they go.
TEST_F(UndoFrameTest, TheRemovalGoesInItemsAfterTheQuestionWithTheOtherTabsLockedAndTheBarRising) {
  MakeFile("D:\\S\\g.txt", "abc");
  MakeFile("D:\\S\\in\\f.txt", "def");
  Strings().structures.SourceKindClick(SourceKind::Structures);
  Strings().structures.AttachModeClick(AttachMode::MainWithFiles);
  Strings().structures.list.SetItems({"D:\\S"});
  RunStrings({"a", "b"});
  const Paths files = {"D:\\Dest\\a\\S\\g.txt", "D:\\Dest\\a\\S\\in\\f.txt", "D:\\Dest\\b\\S\\g.txt",
                       "D:\\Dest\\b\\S\\in\\f.txt"};
  const auto filesThere = [&] {
    return static_cast<std::size_t>(std::count_if(files.begin(), files.end(), [&](const std::string& f) { return IsFile(f); }));
  };
  const auto foldersThere = [&] { return IsDir("D:\\Dest\\a\\S\\in") && IsDir("D:\\Dest\\b\\S\\in"); };
  ASSERT_EQ(filesThere(), files.size());

  std::size_t filesAtQuestion = 0;
  bool foldersAtQuestion = false, unlockedAtQuestion = false, lockedAtEnd = false;
  std::vector<std::size_t> filesAtProgress;
  std::vector<bool> foldersAtProgress;
  bool lockedAtProgress = true;
  ui->onCall = [&](const UiCall& call) {
    if (call.caption == kQuestion) {
      filesAtQuestion = filesThere();
      foldersAtQuestion = foldersThere();
      unlockedAtQuestion = NoneLocked();
    }
    if (call.caption == kEnd) lockedAtEnd = OthersLocked(PageKey::Vol02);
  };
  watch->onProgress = [&](std::size_t) {
    filesAtProgress.push_back(filesThere());
    foldersAtProgress.push_back(foldersThere());
    lockedAtProgress = lockedAtProgress && OthersLocked(PageKey::Vol02);
  };
  Click(Strings().btnUndo);
  ui->onCall = {};
  watch->onProgress = {};

  EXPECT_EQ(Captions(), (Paths{kQuestion, kEnd}));
  // Asked while everything was still there, before the lock.
  EXPECT_EQ(filesAtQuestion, files.size());
  EXPECT_TRUE(foldersAtQuestion);
  EXPECT_TRUE(unlockedAtQuestion);
  // One step per item, rising to the total; the disk follows.
  EXPECT_EQ(watch->runTotal, 4u);
  EXPECT_EQ(watch->progress, (std::vector<std::size_t>{1, 2, 3, 4}));
  // The disk is never behind the bar (a worker removes while the window
  // records): the files are gone at the first step, the folders by the second.
  EXPECT_EQ(filesAtProgress, (std::vector<std::size_t>{0, 0, 0, 0}));
  ASSERT_EQ(foldersAtProgress.size(), 4u);
  EXPECT_FALSE(foldersAtProgress[1]);
  EXPECT_TRUE(lockedAtProgress);
  EXPECT_TRUE(lockedAtEnd);
  EXPECT_TRUE(NoneLocked());
  EXPECT_TRUE(ListDir("D:\\Dest").empty());
  EXPECT_TRUE(IsFile("D:\\S\\in\\f.txt"));
  EXPECT_TRUE(Strings().records.createdMainFolders.empty());
  EXPECT_TRUE(Strings().records.attached.copiedFileIds.empty());
}

TEST_F(UndoFrameTest, WhatIsLeftIsReportedBeforeTheEndAndKeptForTheNextUndoAcrossARestart) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"a", "b", "c"});
  MakeFile("D:\\Dest\\b\\mine.txt", "the person's");
  bool lockedAtReport = false;
  ui->onCall = [&](const UiCall& call) {
    if (call.caption == kReport) lockedAtReport = OthersLocked(PageKey::Vol02);
  };
  Click(Strings().btnUndo);
  ui->onCall = {};
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(Captions(), (Paths{kQuestion, kReport, kEnd}));
  EXPECT_EQ(messages[1].text,
            "The program is unable to delete the following folders, and/or separate files : \n\nOTHER REASONS   : "
            "\n\nD:\\Dest\\b\n");
  EXPECT_EQ(messages[1].messageKind, MessageKind::Information);
  EXPECT_TRUE(lockedAtReport);
  EXPECT_EQ(ListDir("D:\\Dest"), (Paths{"b"}));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\b"}));
  ASSERT_EQ(Strings().failedUndoMade.size(), 1u);
  EXPECT_EQ(Strings().stats.Get("FailedUndo"), 1);
  EXPECT_EQ(Lines(PageKey::Vol02, CreateList::FoldersFailedUndo), (Paths{"D:\\Dest\\b"}));
  EXPECT_TRUE(Lines(PageKey::Vol02, CreateList::FoldersCreated).empty());

  // The journal holds it: a restart still knows what to retry.
  Restart();
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\b"}));
  // Still not empty: left again, reported again.
  Click(Strings().btnUndo);
  EXPECT_EQ(Captions(), (Paths{kQuestion, kReport, kEnd}));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\b"}));
  EXPECT_EQ(Strings().stats.Get("FailedUndo"), 1);

  ASSERT_EQ(::unlink(Host("D:\\Dest\\b\\mine.txt").c_str()), 0);
  Click(Strings().btnUndo);
  EXPECT_EQ(Captions(), (Paths{kQuestion, kEnd}));
  EXPECT_TRUE(ListDir("D:\\Dest").empty());
  EXPECT_TRUE(Strings().failedUndoFolders.empty());
  EXPECT_TRUE(Strings().failedUndoMade.empty());
  EXPECT_EQ(Strings().stats.Get("FailedUndo"), 0);
  EXPECT_TRUE(Lines(PageKey::Vol02, CreateList::FoldersFailedUndo).empty());
  Restart();
  Click(Strings().btnUndo, {});
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-From a String List.            Warning no: 0028."}));
}

// A No, or nothing to undo, leaves records, counters, Visual Log, journal,
// bar and disk as they were.
TEST_F(UndoFrameTest, ANoOrNothingToUndoChangesNothing) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"a", "b\\c"});
  const CreateRecords records = Strings().records;
  const Paths lines = Lines(PageKey::Vol02, CreateList::FoldersCreated);
  ASSERT_FALSE(lines.empty());
  const std::vector<std::size_t> progress = watch->progress;
  const double created = Strings().stats.Get("FoldersCreated");
  const std::string journal = ReadFile("D:\\default.undo\\Vol02.journal");
  ASSERT_FALSE(journal.empty());

  Click(Strings().btnUndo, {MessageAnswer::No});
  EXPECT_EQ(Captions(), (Paths{kQuestion}));
  EXPECT_EQ(ui->Messages()[0].answer, "No");
  EXPECT_EQ(Strings().records.createdMainFolders, records.createdMainFolders);
  EXPECT_EQ(Strings().records.madeMainFolders, records.madeMainFolders);
  EXPECT_EQ(Lines(PageKey::Vol02, CreateList::FoldersCreated), lines);
  EXPECT_EQ(Strings().stats.Get("FoldersCreated"), created);
  EXPECT_EQ(watch->progress, progress);
  EXPECT_EQ(ReadFile("D:\\default.undo\\Vol02.journal"), journal);
  EXPECT_TRUE(IsDir("D:\\Dest\\b\\c"));
  EXPECT_TRUE(NoneLocked());

  // The copy page has had no run: its warning, and nothing else.
  Click(main->vol08.btnVol08Undo, {});
  EXPECT_EQ(Captions(), (Paths{"Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0290."}));
  EXPECT_EQ(watch->progress, progress);
  EXPECT_EQ(Strings().records.createdMainFolders, records.createdMainFolders);
}

// The copy page's undo runs in the same frame, on its own tab.
TEST_F(UndoFrameTest, TheCopyPagesUndoLocksTheOtherTabsAndKeepsWhatItLeaves) {
  MakeFile("D:\\S\\f.txt", "abc");
  MakeFile("D:\\S\\g.txt", "def");
  MakeDir("D:\\T");
  CopyPage& copy = main->vol08;
  copy.structures.SourceKindClick(SourceKind::Structures);
  copy.structures.AttachModeClick(AttachMode::MainWithFiles);
  copy.structures.list.SetItems({"D:\\S"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  Click(copy.btnVol08CopyFolders);
  ASSERT_TRUE(IsFile("D:\\T\\S\\g.txt"));
  ASSERT_EQ(::unlink(Host("D:\\T\\S\\g.txt").c_str()), 0);
  MakeFile("D:\\T\\S\\g.txt", "another");
  bool locked = true;
  int steps = 0;
  watch->onProgress = [&](std::size_t) {
    ++steps;
    locked = locked && OthersLocked(PageKey::Vol08);
  };
  Click(copy.btnVol08Undo);
  watch->onProgress = {};
  EXPECT_GT(steps, 0);
  EXPECT_TRUE(locked);
  EXPECT_TRUE(NoneLocked());
  EXPECT_EQ(ui->Messages().size(), 3u);  // question, report, end
  EXPECT_EQ(copy.failedUndoFolders, (Paths{"D:\\T\\S"}));
  ASSERT_EQ(copy.failedUndoFiles.size(), 1u);
  EXPECT_EQ(copy.failedUndoFiles[0].path, "D:\\T\\S\\g.txt");
  EXPECT_EQ(copy.stats.Get("FoldersFailedUndo"), 1);

  Restart();
  EXPECT_EQ(main->vol08.failedUndoFolders, (Paths{"D:\\T\\S"}));
  ASSERT_EQ(main->vol08.failedUndoFiles.size(), 1u);
  EXPECT_EQ(main->vol08.failedUndoFiles[0].path, "D:\\T\\S\\g.txt");
}

}  // namespace
}  // namespace quillory
