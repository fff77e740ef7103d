// The undo of renames: one outcome per entry, shallow first, the report of
// what could not go back, and the page's Undo going the run frame's way
// (tabs locked, progress shown, what failed kept for the next Undo).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"
#include "undo/rename_undo.h"
#include "undo/run_journal.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;
using Entries = RenameRecords;

class RenameUndoEngineTest : public TempDriveTest {
 protected:
  ItemOutcome Undo(const _tagReplaceFoldersStruct& entry) {
    std::vector<ItemOutcome> out;
    UndoRenameOne(renamer, fs, entry, [&](ItemOutcome&& o) { out.push_back(std::move(o)); });
    EXPECT_EQ(out.size(), 1u);
    return out.empty() ? ItemOutcome{} : std::move(out.front());
  }
  FaultFileSystem fs;
  FolderRenamer renamer{fs};
};

TEST_F(RenameUndoEngineTest, EachClassOfAnEntry) {
  MakeDir("D:\\U\\NBack");
  const ItemOutcome back = Undo({"D:\\U\\Back", "D:\\U\\NBack"});
  EXPECT_EQ(back.kind, OutcomeKind::Done);
  EXPECT_EQ(back.path, "D:\\U\\Back");
  EXPECT_EQ(back.counterCount, 0u);
  EXPECT_EQ(back.list, kNoList);
  EXPECT_FALSE(back.undoFailed);
  EXPECT_FALSE(back.renamed);
  EXPECT_TRUE(IsDir("D:\\U\\Back"));

  // The new path is gone: listed by it in the report, nothing kept.
  const ItemOutcome gone = Undo({"D:\\U\\Gone", "D:\\U\\NGone "});
  EXPECT_EQ(gone.kind, OutcomeKind::NotFound);
  EXPECT_EQ(gone.path, "D:\\U\\NGone");
  EXPECT_EQ(gone.list, kNoList);
  EXPECT_FALSE(gone.undoFailed);

  // A folder of the old name again: somebody else's, left alone.
  MakeDir("D:\\U\\Taken");
  MakeDir("D:\\U\\NTaken");
  const ItemOutcome taken = Undo({"D:\\U\\Taken", "D:\\U\\NTaken"});
  EXPECT_EQ(taken.kind, OutcomeKind::AlreadyExists);
  EXPECT_EQ(taken.path, "D:\\U\\Taken");
  EXPECT_FALSE(taken.undoFailed);
  EXPECT_EQ(taken.counterCount, 0u);
  EXPECT_TRUE(IsDir("D:\\U\\NTaken"));
}

TEST_F(RenameUndoEngineTest, AFileInTheWayOrAHostFailureKeepsTheEntry) {
  MakeFile("D:\\K\\Doc", "a file took the old name");
  MakeDir("D:\\K\\NDoc");
  MakeDir("D:\\K\\NBusy");
  fs.FailOn(FsOp::RenameFolder, "D:\\K\\NBusy");
  for (const _tagReplaceFoldersStruct& entry : std::vector<_tagReplaceFoldersStruct>{
           {"D:\\K\\Doc", "D:\\K\\NDoc"}, {"D:\\K\\Busy ", "D:\\K\\NBusy"}}) {
    const ItemOutcome kept = Undo(entry);
    EXPECT_EQ(kept.kind, OutcomeKind::Other);
    EXPECT_EQ(kept.path, Trim(entry.OldPath));
    EXPECT_EQ(kept.list, static_cast<std::size_t>(RenameList::FoldersFailedUndo));
    ASSERT_EQ(kept.counterCount, 1u);
    EXPECT_EQ(kept.counters[0].counter, Id(RenameCounter::FoldersFailedUndo));
    EXPECT_EQ(kept.counters[0].delta, 1);
    EXPECT_TRUE(kept.undoFailed);
    ASSERT_TRUE(kept.renamed);
    // The entry as recorded, untrimmed, so the next Undo tries the same.
    EXPECT_EQ(kept.renamed->first, entry.OldPath);
    EXPECT_EQ(kept.renamed->second, entry.NewPath);
    EXPECT_FALSE(kept.detail.empty());
  }
  EXPECT_TRUE(IsFile("D:\\K\\Doc"));
  EXPECT_TRUE(IsDir("D:\\K\\NDoc"));
  EXPECT_TRUE(IsDir("D:\\K\\NBusy"));
}

TEST(RenameUndoOrderTest, ShallowFirstByTheNewPathRecordOrderAmongEquals) {
  const Entries record = {{"D:\\A\\B\\C", "D:\\A\\B\\XC"}, {"D:\\A\\B", "D:\\A\\XB"}, {"D:\\E\\F", "D:\\E\\XF"},
                          {"D:\\A", "D:\\XA"}};
  EXPECT_EQ(RenameUndoOrder(record), (Entries{{"D:\\A", "D:\\XA"}, {"D:\\A\\B", "D:\\A\\XB"},
                                              {"D:\\E\\F", "D:\\E\\XF"}, {"D:\\A\\B\\C", "D:\\A\\B\\XC"}}));
}

TEST(RenameUndoReportTest, SectionsInTheirOrderEachInItemOrder) {
  RenameUndoReport report;
  const auto add = [&](OutcomeKind kind, const char* path) {
    ItemOutcome outcome;
    outcome.kind = kind;
    outcome.path = path;
    report.Add(outcome);
  };
  add(OutcomeKind::Done, "D:\\ok");
  EXPECT_TRUE(report.Empty());
  add(OutcomeKind::Other, "D:\\o1");
  add(OutcomeKind::NotFound, "D:\\n1");
  add(OutcomeKind::AlreadyExists, "D:\\s1");
  add(OutcomeKind::Other, "D:\\o2");
  EXPECT_FALSE(report.Empty());
  EXPECT_EQ(report.Text(),
            "The program is unable to rename the following folders  : \n"
            "\nSOURCE FOLDERS DO EXIST : \n\nD:\\s1\n"
            "\nDESTINATION FOLDERS DO NOT EXIST : \n\nD:\\n1\n"
            "\nOTHER REASONS   : \n\nD:\\o1\nD:\\o2\n");
  RenameUndoReport onlyOther;
  ItemOutcome other;
  other.kind = OutcomeKind::Other;
  other.path = "D:\\x";
  onlyOther.Add(other);
  EXPECT_EQ(onlyOther.Text(), "The program is unable to rename the following folders  : \n"
                              "\nOTHER REASONS   : \n\nD:\\x\n");
}

const char* const kAsk = "Rename Folder(s).-From a Folder List.            Information no: 0212.";
const char* const kReport = "Rename Folder(s).-From a Folder List.            Information no: 0213.";
const char* const kEnd = "Rename Folder(s).-From a Folder List.            Information no: 0214.";
const char* const kNothing = "Rename Folder(s).-From a Folder List.            Warning no: 0211.";

class RenameUndoFrameTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ui = std::make_unique<ScriptedUi>();
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store, fs);
    main = app->main;
  }
  RenamePage& Page() { return main->vol06; }
  // Renames the folders (made first) with prefix "N".
  void Renamed(const Paths& folders) {
    for (const std::string& folder : folders) MakeDir(folder);
    Page().include.SetItems(folders);
    Page().Refresh();
    Page().edtVol06NewPrefix.UserSetText("N");
    Press(Page().btnVol06RenameFolders);
    ASSERT_EQ(Page().RenameRecord.size(), folders.size());
  }
  Paths Press(Button& button, MessageAnswer answer = MessageAnswer::Yes) {
    ui->ClearCalls();
    ui->answers.assign(1, answer);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
    Paths captions;
    for (const UiCall& m : ui->Messages()) captions.push_back(m.caption);
    return captions;
  }
  // Tabs other than the rename page's that are enabled now.
  int OtherTabsEnabled() {
    int enabled = 0;
    for (const TabSheet* tab : main->pgeMain.Pages())
      if (tab != &main->tabFoldersRename01 && tab->Enabled()) ++enabled;
    return enabled;
  }
  std::string Journal() { return ReadFile("D:\\default.undo\\Vol06.journal"); }

  FaultFileSystem fs;
  TfrmMain* main = nullptr;
};

TEST_F(RenameUndoFrameTest, TabsAreLockedWhileEntriesGoBackAndTheBarCountsThem) {
  Renamed({"D:\\P\\a", "D:\\P\\b", "D:\\P\\c"});
  const int tabs = OtherTabsEnabled();
  ASSERT_GT(tabs, 0);
  std::vector<int> seen;
  fs.onCall = [&](FsOp op, std::string_view) {
    if (op == FsOp::RenameFolder) seen.push_back(OtherTabsEnabled());
  };
  ui->progress.clear();
  EXPECT_EQ(Press(Page().btnVol06Undo), (Paths{kAsk, kEnd}));
  fs.onCall = nullptr;
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(OtherTabsEnabled(), tabs);
  EXPECT_EQ(ui->runTotal, 3u);
  ASSERT_FALSE(ui->progress.empty());
  EXPECT_EQ(ui->progress.back(), 3u);
  EXPECT_EQ(ListDir("D:\\P"), (Paths{"a", "b", "c"}));
}

TEST_F(RenameUndoFrameTest, NoOrNothingToUndoLeavesEverythingAsItWas) {
  // Nothing recorded: the warning alone, no question, no run.
  Page().include.SetItems({"D:\\Q\\x"});
  Page().Refresh();
  ui->runTotal = 99;
  EXPECT_EQ(Press(Page().btnVol06Undo), (Paths{kNothing}));
  EXPECT_EQ(ui->runTotal, 99u);

  Renamed({"D:\\Q\\a"});
  const Entries record = Page().RenameRecord;
  const std::string journal = Journal();
  fs.onCall = [&](FsOp op, std::string_view) { EXPECT_NE(op, FsOp::RenameFolder); };
  EXPECT_EQ(Press(Page().btnVol06Undo, MessageAnswer::No), (Paths{kAsk}));
  fs.onCall = nullptr;
  EXPECT_EQ(Page().RenameRecord, record);
  EXPECT_EQ(Journal(), journal);
  EXPECT_TRUE(IsDir("D:\\Q\\Na"));
}

TEST_F(RenameUndoFrameTest, AFailureIsReportedBeforeTheEndAndKeptForTheNextUndoAndInTheJournal) {
  Renamed({"D:\\U\\Gone", "D:\\U\\Busy", "D:\\U\\Fine"});
  ASSERT_NE(Journal().find("renamed\tD:\\U\\Busy\tD:\\U\\NBusy\n"), std::string::npos);
  ASSERT_EQ(::rmdir(Host("D:\\U\\NGone").c_str()), 0);
  fs.FailOn(FsOp::RenameFolder, "D:\\U\\NBusy");
  EXPECT_EQ(Press(Page().btnVol06Undo), (Paths{kAsk, kReport, kEnd}));
  EXPECT_EQ(ui->Messages()[1].messageKind, MessageKind::Warning);
  EXPECT_EQ(ui->Messages()[1].text,
            "The program is unable to rename the following folders  : \n"
            "\nDESTINATION FOLDERS DO NOT EXIST : \n\nD:\\U\\NGone\n"
            "\nOTHER REASONS   : \n\nD:\\U\\Busy\n");
  EXPECT_TRUE(Page().RenameRecord.empty());
  EXPECT_EQ(Page().FailedUndoRecord, (Entries{{"D:\\U\\Busy", "D:\\U\\NBusy"}}));
  EXPECT_EQ(Page().stats.Get(Id(RenameCounter::FoldersFailedUndo)), 1);
  EXPECT_EQ(Page().stats.Get(Id(RenameCounter::FoldersRenamed)), 0);  // the run's counts start again
  EXPECT_EQ(main->visualLogs.List(PageKey::Vol06, static_cast<std::size_t>(RenameList::FoldersFailedUndo)).Items(),
            (Paths{"D:\\U\\Busy"}));
  EXPECT_TRUE(main->visualLogs.List(PageKey::Vol06, static_cast<std::size_t>(RenameList::FoldersRenamed)).Empty());
  // The labels show what the undo left.
  EXPECT_EQ(main->FindAs<Label>("lblVol06FoldersRenamed")->Caption(), "0");
  // On disk only what is left: a restart could retry the failure alone.
  const std::string journal = Journal();
  EXPECT_EQ(journal.find("\nrenamed\t"), std::string::npos);
  EXPECT_NE(journal.find("\nfailed-rename\tD:\\U\\Busy\tD:\\U\\NBusy\n"), std::string::npos);
  EXPECT_TRUE(IsDir("D:\\U\\Fine"));

  fs.Clear();
  EXPECT_EQ(Press(Page().btnVol06Undo), (Paths{kAsk, kEnd}));
  EXPECT_TRUE(IsDir("D:\\U\\Busy"));
  EXPECT_TRUE(Page().FailedUndoRecord.empty());
  EXPECT_EQ(Journal().find("failed-rename"), std::string::npos);
  EXPECT_EQ(Press(Page().btnVol06Undo), (Paths{kNothing}));
}

}  // namespace
}  // namespace quillory
