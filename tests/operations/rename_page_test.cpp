// The rename page renames, simulates and undoes on real folders of
// temporary drives.
#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

#include <string>
#include <vector>

#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class RenamePageTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    app.reset();
    ui = std::make_unique<ScriptedUi>();
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store, fs);
    main = app->main;
    ui->ClearCalls();
  }
  RenamePage& Page() { return main->vol06; }
  void Items(Paths items) {
    Page().include.SetItems(std::move(items));
    Page().Refresh();
  }
  void Prefix(std::string prefix, std::string delimiter = "", std::string suffixDelimiter = "",
              std::string suffix = "") {
    Page().edtVol06NewPrefix.UserSetText(std::move(prefix));
    Page().edtVol06DelimiterPrefixSubFolder.UserSetText(std::move(delimiter));
    Page().edtVol06DelimiterSubFolderSuffix.UserSetText(std::move(suffixDelimiter));
    Page().edtVol06NewSuffix.UserSetText(std::move(suffix));
  }
  void NewName(std::string name) {
    Page().rdoVol06RenameTheLastSubFolder.Click();
    Page().edtVol06RenameNewLastSubFolder.UserSetText(std::move(name));
  }
  Paths Press(Button& button, MessageAnswer answer = MessageAnswer::Yes) {
    ui->ClearCalls();
    ui->answers.push_back(answer);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
    Paths captions;
    for (const UiCall& m : ui->Messages()) captions.push_back(m.caption);
    return captions;
  }
  std::string LastText() { return ui->Messages().empty() ? "" : ui->Messages().back().text; }
  double Counter(const char* name) { return Page().stats.Get(name); }
  Paths LogList(RenameList list) {
    return main->visualLogs.List(PageKey::Vol06, static_cast<std::size_t>(list)).Items();
  }
  FaultFileSystem fs;
  TfrmMain* main = nullptr;
};

const char* const kUndoReport = "Rename Folder(s).-From a Folder List.            Information no: 0213.";

TEST_F(RenamePageTest, DeepestFirstThenUndoShallowFirst) {
  MakeDir("D:\\A\\B");
  Items({"D:\\A", "D:\\A\\B"});
  Prefix("X");
  EXPECT_EQ(Page().lblVol06StartFolder.Caption(), "D:\\XA");
  EXPECT_EQ(Page().lblVol06EndFolder.Caption(), "D:\\A\\XB");
  EXPECT_EQ(Press(Page().btnVol06RenameFolders),
            (Paths{"Rename Folders. - From a Folder List.            Information no: 0207.",
                   "Rename Folder(s).-From a Folder List.            Information no: 0208."}));
  EXPECT_TRUE(IsDir("D:\\XA\\XB"));
  EXPECT_EQ(Page().RenameRecord, (RenameRecords{{"D:\\A\\B", "D:\\A\\XB"},
                                                                        {"D:\\A", "D:\\XA"}}));
  EXPECT_EQ(Counter("FoldersRenamed"), 2);
  EXPECT_EQ(LogList(RenameList::FoldersRenamed), (Paths{"D:\\A\\XB", "D:\\XA"}));

  EXPECT_EQ(Press(Page().btnVol06Undo),
            (Paths{"Rename Folder(s).-From a Folder List.            Information no: 0212.",
                   "Rename Folder(s).-From a Folder List.            Information no: 0214."}));
  EXPECT_TRUE(IsDir("D:\\A\\B"));
  EXPECT_FALSE(IsDir("D:\\XA"));
  // Nothing left: the second Undo says so and asks nothing.
  EXPECT_EQ(Press(Page().btnVol06Undo),
            (Paths{"Rename Folder(s).-From a Folder List.            Warning no: 0211."}));
}

// A record keeps the very bytes its Visual Log line shows, not a copy, and
// keeps them when the log is cleared for the next run: the undo still finds
// every folder.
TEST_F(RenamePageTest, ARecordSharesItsLogLineAndOutlivesTheLog) {
  MakeDir("D:\\A\\B");
  MakeDir("D:\\C");
  Items({"D:\\A", "D:\\A\\B", "D:\\C"});
  Prefix("X");
  Press(Page().btnVol06RenameFolders);
  const TextList& listed =
      main->visualLogs.List(PageKey::Vol06, static_cast<std::size_t>(RenameList::FoldersRenamed)).Texts();
  ASSERT_EQ(Page().RenameRecord.size(), 3u);
  ASSERT_EQ(listed.size(), 3u);
  for (std::size_t i = 0; i < Page().RenameRecord.size(); ++i) {
    const std::string_view shown = Page().RenameRecord[i].NewPath;
    const auto line = std::find(listed.begin(), listed.end(), shown);
    ASSERT_NE(line, listed.end()) << shown;
    EXPECT_EQ((*line).data(), shown.data()) << shown;
  }
  // A simulation clears the log and lists what it would do instead.
  MakeDir("D:\\E");
  Items({"D:\\E"});
  Press(Page().btnVol06RenameFoldersSimulation);
  EXPECT_EQ(LogList(RenameList::FoldersRenamed), (Paths{"D:\\XE"}));
  EXPECT_EQ(Page().RenameRecord,
            (RenameRecords{{"D:\\A\\B", "D:\\A\\XB"}, {"D:\\C", "D:\\XC"}, {"D:\\A", "D:\\XA"}}));
  Press(Page().btnVol06Undo);
  EXPECT_TRUE(IsDir("D:\\A\\B"));
  EXPECT_TRUE(IsDir("D:\\C"));
  EXPECT_FALSE(IsDir("D:\\XA"));
  EXPECT_FALSE(IsDir("D:\\XC"));
}

TEST_F(RenamePageTest, OutcomesOfOneRun) {
  MakeDir("D:\\P\\One");
  MakeDir("D:\\P\\Two");
  MakeDir("D:\\P\\Report.2014");
  MakeDir("D:\\P\\Docs");
  Items({"  D:\\P\\One ", "D:\\P\\Two", "Docs\\Old", "D:\\P\\Missing", "D:\\P\\One"});
  NewName("Same");
  Press(Page().btnVol06RenameFolders);
  // Last line first within one depth: the second One is gone already.
  EXPECT_EQ(LogList(RenameList::SourceNotExists), (Paths{"D:\\P\\Missing", "D:\\P\\One"}));
  EXPECT_EQ(LogList(RenameList::FoldersRenamed), (Paths{"D:\\P\\Same"}));
  EXPECT_EQ(LogList(RenameList::DestinationExists), (Paths{"D:\\P\\Two"}));
  EXPECT_EQ(LogList(RenameList::OtherReasons), (Paths{"Docs\\Old"}));
  EXPECT_EQ(Counter("FoldersSourceNotExists"), 2);
  EXPECT_EQ(Counter("FoldersDestinationExists"), 1);
  EXPECT_EQ(Counter("FoldersOtherReasons"), 1);
  EXPECT_TRUE(IsDir("D:\\P\\Two"));

  // A dotted name is renamed in its own parent; a case-only change is a rename.
  Page().rdoVol06RenameAddPrefixesSuffixes.Click();
  Items({"D:\\P\\Report.2014"});
  Prefix("", "_", "-", "01");
  EXPECT_EQ(Page().lblVol06StartFolder.Caption(), "D:\\P\\_Report.2014-01");
  Press(Page().btnVol06RenameFolders);
  EXPECT_TRUE(IsDir("D:\\P\\_Report.2014-01"));
  Items({"D:\\P\\Docs"});
  NewName("DOCS");
  Press(Page().btnVol06RenameFolders);
  EXPECT_TRUE(IsDir("D:\\P\\DOCS"));
  EXPECT_FALSE(IsDir("D:\\P\\Docs"));
  Press(Page().btnVol06Undo);
  EXPECT_TRUE(IsDir("D:\\P\\Docs"));
}

TEST_F(RenamePageTest, LengthLimitsGoUnderOtherReasonsWithTheNewPath) {
  const std::string parent = "D:\\L";
  MakeDir(parent + "\\a");
  MakeDir(parent + "\\b");
  // D:\L\ is 5 characters: a name of 254 gives exactly 259.
  Items({parent + "\\a"});
  NewName(std::string(254, 'n'));
  Press(Page().btnVol06RenameFolders);
  EXPECT_EQ(Counter("FoldersRenamed"), 1);
  Items({parent + "\\b"});
  NewName(std::string(255, 'm'));
  Press(Page().btnVol06RenameFolders);
  EXPECT_EQ(LogList(RenameList::OtherReasons), (Paths{parent + "\\" + std::string(255, 'm')}));
  EXPECT_TRUE(IsDir(parent + "\\b"));
}

TEST_F(RenamePageTest, ANameTakenBetweenCheckAndRenameIsNeverReplaced) {
  MakeDir("D:\\R\\Old");
  MakeFile("D:\\R\\Theirs\\keep.txt", "x");
  ASSERT_EQ(::rename(Host("D:\\R\\Theirs").c_str(), Host("D:\\R\\Temp").c_str()), 0);
  fs.onCall = [&](FsOp op, std::string_view) {
    if (op == FsOp::RenameFolder) (void)::rename(Host("D:\\R\\Temp").c_str(), Host("D:\\R\\XOld").c_str());
  };
  Items({"D:\\R\\Old"});
  Prefix("X");
  Press(Page().btnVol06RenameFolders);
  fs.onCall = nullptr;
  EXPECT_EQ(Counter("FoldersDestinationExists"), 1);
  EXPECT_TRUE(IsDir("D:\\R\\Old"));
  EXPECT_TRUE(IsFile("D:\\R\\XOld\\keep.txt"));
  EXPECT_TRUE(Page().RenameRecord.empty());
}

TEST_F(RenamePageTest, UndoReportsAndRetriesOnlyFailures) {
  for (const char* d : {"D:\\U\\Taken", "D:\\U\\Gone", "D:\\U\\Busy"}) MakeDir(d);
  Items({"D:\\U\\Taken", "D:\\U\\Gone", "D:\\U\\Busy"});
  Prefix("N");
  Press(Page().btnVol06RenameFolders);
  ASSERT_EQ(Page().RenameRecord.size(), 3u);
  MakeDir("D:\\U\\Taken");  // someone made the old name again
  ASSERT_EQ(::rmdir(Host("D:\\U\\NGone").c_str()), 0);
  fs.FailOn(FsOp::RenameFolder, "D:\\U\\NBusy");
  const Paths captions = Press(Page().btnVol06Undo);
  ASSERT_EQ(captions.size(), 3u);
  EXPECT_EQ(captions[1], kUndoReport);
  EXPECT_EQ(ui->Messages()[1].text,
            "The program is unable to rename the following folders  : \n"
            "\nSOURCE FOLDERS DO EXIST : \n\nD:\\U\\Taken\n"
            "\nDESTINATION FOLDERS DO NOT EXIST : \n\nD:\\U\\NGone\n"
            "\nOTHER REASONS   : \n\nD:\\U\\Busy\n");
  EXPECT_TRUE(IsDir("D:\\U\\NTaken"));  // the other folder was not replaced
  EXPECT_EQ(Counter("FoldersFailedUndo"), 1);
  EXPECT_EQ(LogList(RenameList::FoldersFailedUndo), (Paths{"D:\\U\\Busy"}));
  fs.Clear();
  // The retry takes only the failure.
  EXPECT_EQ(Press(Page().btnVol06Undo).back(), "Rename Folder(s).-From a Folder List.            Information no: 0214.");
  EXPECT_TRUE(IsDir("D:\\U\\Busy"));
  EXPECT_TRUE(IsDir("D:\\U\\NTaken"));
  EXPECT_EQ(Press(Page().btnVol06Undo).front(), "Rename Folder(s).-From a Folder List.            Warning no: 0211.");
}

TEST_F(RenamePageTest, AFileAtTheOldPathFailsTheUndoUntilItIsGone) {
  MakeDir("D:\\F\\Doc");
  MakeDir("D:\\F\\Dir");
  Items({"D:\\F\\Doc", "D:\\F\\Dir"});
  Prefix("N");
  Press(Page().btnVol06RenameFolders);
  ASSERT_EQ(Page().RenameRecord.size(), 2u);
  MakeFile("D:\\F\\Doc", "a file took the old name");
  MakeDir("D:\\F\\Dir");
  Press(Page().btnVol06Undo);
  // Only a folder at the old path is somebody else's folder; a file is kept
  // as a failure and retried.
  EXPECT_EQ(ui->Messages()[1].text,
            "The program is unable to rename the following folders  : \n"
            "\nSOURCE FOLDERS DO EXIST : \n\nD:\\F\\Dir\n"
            "\nOTHER REASONS   : \n\nD:\\F\\Doc\n");
  ASSERT_EQ(Page().FailedUndoRecord.size(), 1u);
  EXPECT_EQ(Page().FailedUndoRecord[0].OldPath, "D:\\F\\Doc");
  EXPECT_EQ(Counter("FoldersFailedUndo"), 1);
  EXPECT_EQ(LogList(RenameList::FoldersFailedUndo), (Paths{"D:\\F\\Doc"}));
  EXPECT_TRUE(IsFile("D:\\F\\Doc"));
  ASSERT_EQ(::unlink(Host("D:\\F\\Doc").c_str()), 0);
  EXPECT_EQ(Press(Page().btnVol06Undo).back(), "Rename Folder(s).-From a Folder List.            Information no: 0214.");
  EXPECT_TRUE(IsDir("D:\\F\\Doc"));
  EXPECT_FALSE(IsDir("D:\\F\\NDoc"));
  EXPECT_TRUE(Page().FailedUndoRecord.empty());
}

TEST_F(RenamePageTest, SimulationTouchesNothingAndKeepsTheRecord) {
  MakeDir("D:\\S\\One");
  MakeDir("D:\\S\\Two");
  MakeDir("D:\\S\\Run");
  MakeDir("D:\\S\\Same");
  Items({"D:\\S\\Run"});
  Prefix("X");
  Press(Page().btnVol06RenameFolders);
  Items({"D:\\S\\One", "D:\\S\\Two", "D:\\S\\Nope", "Docs\\Old"});
  NewName("Fresh");
  EXPECT_EQ(Press(Page().btnVol06RenameFoldersSimulation),
            (Paths{"Simulate Rename Folder  Process.-From a Folder List.            Information no: 0513.",
                   "Rename Folder(s).-From a Folder List.            Information no: 0514."}));
  EXPECT_EQ(LogList(RenameList::FoldersRenamed), (Paths{"D:\\S\\Fresh"}));
  EXPECT_EQ(LogList(RenameList::DestinationExists), (Paths{"D:\\S\\Two"}));
  EXPECT_EQ(LogList(RenameList::SourceNotExists), (Paths{"D:\\S\\Nope"}));
  EXPECT_EQ(Counter("FoldersOtherReasons"), 1);
  NewName("Same");
  Press(Page().btnVol06RenameFoldersSimulation);
  EXPECT_EQ(LogList(RenameList::DestinationExists).front(), "D:\\S\\Same");  // the new path on disk
  EXPECT_TRUE(IsDir("D:\\S\\One"));
  EXPECT_FALSE(IsDir("D:\\S\\Fresh"));
  Press(Page().btnVol06Undo);
  EXPECT_TRUE(IsDir("D:\\S\\Run"));
}

TEST_F(RenamePageTest, ARunLocksTheTabsCountsItsItemsAndJournalsEachRename) {
  MakeDir("D:\\J\\a");
  MakeDir("D:\\J\\b");
  Items({"D:\\J\\a", "D:\\J\\b", "D:\\J\\gone"});
  Prefix("X");
  const auto otherTabsEnabled = [&] {
    int enabled = 0;
    for (const TabSheet* tab : main->pgeMain.Pages())
      if (tab != &main->tabFoldersRename01 && tab->Enabled()) ++enabled;
    return enabled;
  };
  const int tabs = otherTabsEnabled();
  std::vector<int> seen;
  fs.onCall = [&](FsOp op, std::string_view) {
    if (op == FsOp::RenameFolder) seen.push_back(otherTabsEnabled());
  };
  Press(Page().btnVol06RenameFolders);
  fs.onCall = nullptr;
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(otherTabsEnabled(), tabs);
  EXPECT_EQ(ui->runTotal, 3u);
  ASSERT_FALSE(ui->progress.empty());
  EXPECT_EQ(ui->progress.back(), 3u);
  // The labels end on the run's counts.
  EXPECT_EQ(main->FindAs<Label>("lblVol06FoldersRenamed")->Caption(), "2");
  EXPECT_EQ(main->FindAs<Label>("lblVol06FoldersSourceNotExists")->Caption(), "1");
  const std::string journal = ReadFile("D:\\default.undo\\Vol06.journal");
  EXPECT_NE(journal.find("\nrenamed\tD:\\J\\b\tD:\\J\\Xb\nrenamed\tD:\\J\\a\tD:\\J\\Xa\n"), std::string::npos);
  EXPECT_EQ(journal.find("gone"), std::string::npos);

  // A simulation counts and lists but keeps nothing.
  const RenameRecords record = Page().RenameRecord;
  Items({"D:\\J\\Xa"});
  Press(Page().btnVol06RenameFoldersSimulation);
  EXPECT_EQ(main->FindAs<Label>("lblVol06FoldersRenamed")->Caption(), "1");
  EXPECT_EQ(Page().RenameRecord, record);
  EXPECT_EQ(ReadFile("D:\\default.undo\\Vol06.journal"), journal);
}

TEST_F(RenamePageTest, IllegalCharactersAreCutOneByOne) {
  Items({"D:\\A"});
  Page().edtVol06NewPrefix.UserSetText("ab*c");
  EXPECT_EQ(Page().edtVol06NewPrefix.Text(), "ab");
  ASSERT_EQ(ui->Messages().size(), 2u);
  EXPECT_EQ(ui->Messages()[0].caption, "Rename Folders. - From a Folder List.            Warning no: 0200.");
  EXPECT_EQ(ui->Messages()[0].text, "Illegal character in the Prefix :  *");
  // The method decides which fields take input.
  EXPECT_TRUE(Page().edtVol06NewPrefix.Enabled());
  EXPECT_FALSE(Page().edtVol06RenameNewLastSubFolder.Enabled());
  Page().rdoVol06RenameTheLastSubFolder.Click();
  EXPECT_FALSE(Page().edtVol06NewPrefix.Enabled());
  EXPECT_TRUE(Page().edtVol06RenameNewLastSubFolder.Enabled());
  Items({});
  EXPECT_FALSE(Page().btnVol06RenameFolders.Enabled());
  EXPECT_EQ(Page().lblVol06StartFolder.Caption(), "");
}

}  // namespace
}  // namespace quillory
