// The three create pages run and simulate on real folders of temporary
// drives, answered through a ScriptedUi.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

class CreatePagesTest : public PagesTest {
 protected:
  CreateFromStringsPage& Strings() { return main->vol02; }
  CreateFromNumbersPage& Numbers() { return main->vol03; }
  CreateFromPathsPage& Paths() { return main->vol04; }

  void StringItems(std::vector<std::string> items) {
    Strings().lstVol02IncludeStrings.SetItems(std::move(items));
    Strings().Refresh();
  }
  void PathItems(std::vector<std::string> items) {
    Paths().lstVol04IncludeFolderList.SetItems(std::move(items));
    Paths().Refresh();
  }
  // Answers Yes to the question and clicks; the messages shown, captions only.
  std::vector<std::string> Run(Button& button) {
    ui->ClearCalls();
    ui->answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
    std::vector<std::string> captions;
    for (const UiCall& m : ui->Messages()) captions.push_back(m.caption);
    return captions;
  }
  double Counter(CreatePage& page, const char* name) { return page.stats.Get(name); }
  std::vector<std::string> LogList(PageKey page, CreateList list) {
    return main->visualLogs.List(page, static_cast<std::size_t>(list)).Items();
  }
  bool IsDir(const char* path) {
    struct stat st {};
    return ::stat(Host(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
};

// ---------------------------------------------------------------- strings

TEST_F(CreatePagesTest, StringsMakeSortedFoldersAndCountEveryOutcome) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  Strings().edtVol02Prefix.SetText("P");
  Strings().chkVol02Hyphen.SetChecked(true);
  MakeDir("D:\\Dest\\P-exists");
  MakeFile("D:\\Dest\\P-file");
  StringItems({"b", "a", "C:\\abc", "Sub\\Deep", "exists", "file"});
  EXPECT_EQ(Counter(Strings(), "FoldersToCreate"), 6);

  const auto captions = Run(Strings().btnCreateFolders);
  EXPECT_EQ(captions, (std::vector<std::string>{"Creating Folder(s).-From  a String List.            Information no: 0025.",
                                    "Creating Folder(s).-From a String List.            Information no: 0026."}));
  auto& r = Strings().records;
  // The include list is sorted: a before b.
  EXPECT_EQ(r.createdMainFolders, (std::vector<std::string>{"D:\\Dest\\P-a", "D:\\Dest\\P-b", "D:\\Dest\\P-Sub\\Deep"}));
  EXPECT_EQ(r.existingMainFolders, (std::vector<std::string>{"D:\\Dest\\P-exists"}));
  // An item with a drive keeps its own text; a file in the way is another reason.
  EXPECT_EQ(r.otherMainFolders, (std::vector<std::string>{"C:\\abc", "D:\\Dest\\P-file"}));
  EXPECT_TRUE(IsDir("D:\\Dest\\P-Sub\\Deep"));
  // The missing parent is made and recorded for undo, but counts no main folder.
  ASSERT_EQ(r.madeMainFolders.size(), 4u);
  EXPECT_EQ(r.madeMainFolders[2].path, "D:\\Dest\\P-Sub");
  EXPECT_EQ(Counter(Strings(), "FoldersCreated"), 3);
  EXPECT_EQ(Counter(Strings(), "FoldersExists"), 1);
  EXPECT_EQ(Counter(Strings(), "FoldersOther"), 2);
  EXPECT_EQ(Counter(Strings(), "FoldersToCreate"), 6);  // the forecast row stays
  EXPECT_EQ(LogList(PageKey::Vol02, CreateList::FoldersCreated), (std::vector<std::string>{"D:\\Dest\\P-a", "D:\\Dest\\P-b",
                                                                               "D:\\Dest\\P-Sub\\Deep"}));
  // Each path is kept once: the Visual Log line, its zoom twin and the record
  // show the same bytes.
  const TextList& log = main->visualLogs.List(PageKey::Vol02, static_cast<std::size_t>(CreateList::FoldersCreated)).Texts();
  const TextList& twin = main->visualLogs.Twin(PageKey::Vol02, static_cast<std::size_t>(CreateList::FoldersCreated)).Texts();
  for (std::size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(twin[i].data(), log[i].data());
    EXPECT_EQ(r.createdMainFolders[i].data(), log[i].data());
  }
  EXPECT_EQ(Strings().attachKind, SourceKind::Nothing);
  EXPECT_EQ(Strings().lastRunDestination, "D:\\Dest\\");
  // Show Explorer opens the destination; the destination leads the history.
  bool opened = false;
  for (const UiCall& c : ui->calls) opened = opened || (c.kind == "open_folder" && c.text == "D:\\Dest");
  EXPECT_TRUE(opened);
  EXPECT_EQ(Strings().cboVol02DestFolders.Items().front(), "D:\\Dest");
}

TEST_F(CreatePagesTest, NamesThatWouldLeaveTheDestinationOrExceedTheHostAreRefused) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  const std::string longName(300, 'x');
  StringItems({"..\\escaped", "a\\..\\..\\up", ".", longName, "fine"});
  Run(Strings().btnCreateFolders);
  auto& r = Strings().records;
  EXPECT_EQ(r.createdMainFolders, (std::vector<std::string>{"D:\\Dest\\fine"}));
  EXPECT_EQ(r.otherMainFolders.size(), 4u);
  EXPECT_FALSE(IsDir("D:\\escaped"));
  EXPECT_FALSE(IsDir("D:\\up"));
  EXPECT_FALSE(IsDir("D:\\Dest\\a"));  // nothing of a refused item is made
  EXPECT_EQ(Counter(Strings(), "FoldersOther"), 4);
}

TEST_F(CreatePagesTest, ALinkBelowTheDestinationIsNeverPassedThrough) {
  MakeDir("D:\\Elsewhere");
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere").c_str(), Host("D:\\Dest\\link").c_str()), 0);
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  StringItems({"link", "link\\inside", "plain"});
  Run(Strings().btnCreateFolders);
  EXPECT_EQ(Strings().records.createdMainFolders, (std::vector<std::string>{"D:\\Dest\\plain"}));
  EXPECT_EQ(Strings().records.otherMainFolders,
            (std::vector<std::string>{"D:\\Dest\\link", "D:\\Dest\\link\\inside"}));
  EXPECT_FALSE(IsDir("D:\\Elsewhere\\inside"));
}

TEST_F(CreatePagesTest, EachNewFolderReceivesEveryStructureBeforeTheNextIsMade) {
  MakeFile("D:\\S1\\one\\f.txt", "12345");
  MakeDir("D:\\S2\\two");
  MakeDir("D:\\Dest\\old");
  Strings().structures.SourceKindClick(SourceKind::Structures);
  Strings().structures.AttachModeClick(AttachMode::MainWithFiles);
  // A structure no longer there is named once as the run starts.
  Strings().structures.list.SetItems({"D:\\S1", "D:\\S2", "D:\\Gone"});
  StringItems({"a", "b", "old"});
  const auto captions = Run(Strings().btnCreateFolders);
  ASSERT_EQ(captions.size(), 3u);  // the question, the note and the end
  EXPECT_EQ(captions[1], "Quillory Suite");
  EXPECT_EQ(ui->Messages()[1].text, "This folder structure does not exist and is not attached:\n\nD:\\Gone");
  auto& r = Strings().records;
  EXPECT_EQ(r.attached.createdFolders,
              (std::vector<std::string>{"D:\\Dest\\a\\S1", "D:\\Dest\\a\\S1\\one", "D:\\Dest\\a\\S2", "D:\\Dest\\a\\S2\\two",
                          "D:\\Dest\\b\\S1", "D:\\Dest\\b\\S1\\one", "D:\\Dest\\b\\S2", "D:\\Dest\\b\\S2\\two"}));
  EXPECT_EQ(r.attached.copiedFiles, (std::vector<std::string>{"D:\\Dest\\a\\S1\\one\\f.txt", "D:\\Dest\\b\\S1\\one\\f.txt"}));
  // An existing folder receives nothing but adds one copy to its row.
  EXPECT_FALSE(IsDir("D:\\Dest\\old\\S1"));
  EXPECT_EQ(Counter(Strings(), "FoldersExists"), 1);
  EXPECT_EQ(Counter(Strings(), "SubFoldersExists"), 4);
  EXPECT_EQ(Counter(Strings(), "FilesExists"), 1);
  EXPECT_EQ(Counter(Strings(), "FilesSizeExists"), 5);
  EXPECT_EQ(Counter(Strings(), "SubFoldersCreated"), 8);
  EXPECT_EQ(Counter(Strings(), "FilesSizeCreated"), 10);
  EXPECT_EQ(Strings().attachKind, SourceKind::Structures);
}

TEST_F(CreatePagesTest, ManyFoldersCutsEachLineAtTheSeparators) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  Strings().rdoOneLineManyFolders->Click();
  StringItems({"alpha,beta; \"gamma\"", "delta"});
  EXPECT_EQ(Counter(Strings(), "FoldersToCreate"), 4);
  EXPECT_EQ(Strings().lblVol02StartFolder.Caption(), "D:\\Dest\\alpha");
  Run(Strings().btnCreateFolders);
  EXPECT_EQ(Strings().records.createdMainFolders,
              (std::vector<std::string>{"D:\\Dest\\alpha", "D:\\Dest\\beta", "D:\\Dest\\gamma", "D:\\Dest\\delta"}));
  // One Folder keeps the line whole (the comma is a legal name character here).
  Strings().rdoOneLineOneFolder->Click();
  EXPECT_EQ(Counter(Strings(), "FoldersToCreate"), 2);
}

TEST_F(CreatePagesTest, ASimulationCountsWhatTheRunWouldAndKeepsTheLastRun) {
  Strings().structures.SourceKindClick(SourceKind::Templates);
  Strings().structures.list.SetItems({"\\Docs\\Old", "\\Mail"});
  Strings().Refresh();
  StringItems({"real"});
  Run(Strings().btnCreateFolders);
  ASSERT_EQ(Strings().records.createdMainFolders, (std::vector<std::string>{"D:\\Dest\\real"}));
  EXPECT_EQ(Strings().attachKind, SourceKind::Templates);
  EXPECT_EQ(Strings().records.attached.createdFolders, (std::vector<std::string>{"D:\\Dest\\real\\Docs\\Old", "D:\\Dest\\real\\Mail"}));

  StringItems({"real", "new", "D:\\Full\\Path", "..\\out"});
  const auto captions = Run(Strings().btnCreateFoldersSimulation);
  EXPECT_EQ(captions,
              (std::vector<std::string>{"Simulate Creating Folder(s).-From a String List.            Information no: 0455.",
                          "Simulate Creating Folder(s).-From a String List.            Information no: 0457."}));
  EXPECT_FALSE(IsDir("D:\\Dest\\new"));
  EXPECT_EQ(Counter(Strings(), "FoldersCreated"), 1);
  EXPECT_EQ(Counter(Strings(), "FoldersExists"), 1);
  EXPECT_EQ(Counter(Strings(), "FoldersOther"), 2);
  EXPECT_EQ(Counter(Strings(), "SubFoldersCreated"), 2);
  EXPECT_EQ(LogList(PageKey::Vol02, CreateList::SubFoldersCreated),
              (std::vector<std::string>{"D:\\Dest\\new\\Docs\\Old", "D:\\Dest\\new\\Mail"}));
  // Undo still refers to the last real run.
  EXPECT_EQ(Strings().records.createdMainFolders, (std::vector<std::string>{"D:\\Dest\\real"}));
  EXPECT_EQ(Strings().lastRunDestination, "D:\\Dest\\");
}

TEST_F(CreatePagesTest, RunChecksComeBeforeTheQuestion) {
  StringItems({"a"});
  // Templates are chosen at start and the list is empty: no run.
  EXPECT_FALSE(Strings().btnCreateFolders.Enabled());
  Strings().btnVol02CreateFoldersClick();
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a String List.            Warning no: 0023.");
  // A No keeps everything as it was.
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  ASSERT_TRUE(Strings().btnCreateFolders.Enabled());
  ui->answers.push_back(MessageAnswer::No);
  Strings().btnCreateFolders.Click();
  EXPECT_FALSE(IsDir("D:\\Dest\\a"));
  EXPECT_TRUE(Strings().records.createdMainFolders.empty());
}

TEST_F(CreatePagesTest, ADiskThatFillsPartWayCountsEveryLaterItemAndEnds) {
  FaultFileSystem faults;
  faults.FailAfter(FsOp::MakeSubfolder, 2, FsError::NoSpace);
  app.reset();
  ui = std::make_unique<ScriptedUi>();
  store = std::make_unique<SettingsStore>();
  app = std::make_unique<Application>(*ui, *store, faults);
  main = app->main;
  Strings().ChooseDestination("D:\\Dest");
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  StringItems({"a", "b", "c", "d", "e"});
  const auto captions = Run(Strings().btnCreateFolders);
  EXPECT_EQ(captions.back(), "Creating Folder(s).-From a String List.            Information no: 0026.");
  EXPECT_EQ(Counter(Strings(), "FoldersCreated"), 2);
  EXPECT_EQ(Counter(Strings(), "FoldersOther"), 3);
  EXPECT_EQ(Strings().records.otherMainFolders, (std::vector<std::string>{"D:\\Dest\\c", "D:\\Dest\\d", "D:\\Dest\\e"}));
}

// ---------------------------------------------------------------- numbers

TEST_F(CreatePagesTest, NumbersArePaddedToTheWidthOfTheEndNumber) {
  Numbers().ChooseDestination("D:\\Dest");
  Numbers().structures.SourceKindClick(SourceKind::Nothing);
  Numbers().edtVol03Prefix.SetText("Box");
  Numbers().chkVol03Hyphen.SetChecked(true);
  Numbers().chkVol03PaddedZeroes.SetChecked(true);
  Numbers().edtVol03StartNumber.SetText("8");
  Numbers().edtVol03EndNumber.SetText("11");
  Numbers().edtVol03EndNumberExit();
  EXPECT_EQ(Counter(Numbers(), "FoldersToCreate"), 4);
  MakeDir("D:\\Dest\\Box-10");
  Run(Numbers().btnCreateFolders);
  EXPECT_EQ(Numbers().records.createdMainFolders,
              (std::vector<std::string>{"D:\\Dest\\Box-08", "D:\\Dest\\Box-09", "D:\\Dest\\Box-11"}));
  EXPECT_EQ(Numbers().records.existingMainFolders, (std::vector<std::string>{"D:\\Dest\\Box-10"}));

  Numbers().chkVol03PaddedZeroes.SetChecked(false);
  Numbers().edtVol03StartNumber.SetText("5");
  Numbers().edtVol03EndNumber.SetText("5");
  Numbers().edtVol03StartNumberExit();
  Run(Numbers().btnCreateFolders);
  EXPECT_EQ(Numbers().records.createdMainFolders, (std::vector<std::string>{"D:\\Dest\\Box-5"}));
  EXPECT_EQ(Numbers().cboVol03DestFolders.Items().front(), "D:\\Dest");
}

TEST_F(CreatePagesTest, NumberFieldsAreReadAsLeavingThemReads) {
  Numbers().ChooseDestination("D:\\Dest");
  Numbers().edtVol03StartNumber.SetText("abc");
  Numbers().edtVol03EndNumber.SetText("zz");
  Numbers().edtVol03StartNumberExit();
  EXPECT_EQ(Numbers().edtVol03StartNumber.Text(), "1");
  EXPECT_EQ(Numbers().edtVol03EndNumber.Text(), "1");
  Numbers().edtVol03StartNumber.SetText("-4");
  Numbers().edtVol03EndNumber.SetText("0");
  Numbers().edtVol03EndNumberExit();
  EXPECT_EQ(Numbers().StartNumber(), 1);
  EXPECT_EQ(Numbers().EndNumber(), 1);
  EXPECT_EQ(Numbers().edtVol03StartNumber.Text(), "-4");  // the text stays as typed

  // End below start refuses before any question.
  Numbers().structures.SourceKindClick(SourceKind::Nothing);
  Numbers().edtVol03StartNumber.SetText("5");
  Numbers().edtVol03EndNumber.SetText("3");
  Numbers().edtVol03EndNumberExit();
  ui->ClearCalls();
  Numbers().btnCreateFolders.Click();
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-Increased Numbers.    Warning no: 0089.");

  // Fields changed after leaving them: the run goes by what they show.
  Numbers().edtVol03StartNumber.SetText("5");
  Numbers().edtVol03EndNumber.SetText("6");
  Numbers().edtVol03EndNumberExit();
  Numbers().edtVol03EndNumber.SetText("2");
  const auto captions = Run(Numbers().btnCreateFolders);
  EXPECT_EQ(captions, (std::vector<std::string>{"Creating Folder(s).- Increased Numbers.            Information no: 0093.",
                                    "Creating Folder(s).-Increased Numbers.    Warning no: 0095."}));
  EXPECT_FALSE(IsDir("D:\\Dest\\5"));
}

TEST_F(CreatePagesTest, NumberedTemplatesAndIllegalNamesInASimulation) {
  Numbers().ChooseDestination("D:\\Dest");
  Numbers().structures.list.SetItems({"\\Docs\\Old"});
  Numbers().Refresh();
  Numbers().edtVol03Prefix.SetText("Box ");
  Numbers().chkVol03Hyphen.SetChecked(false);
  Numbers().chkVol03PaddedZeroes.SetChecked(true);
  Numbers().edtVol03StartNumber.SetText("7");
  Numbers().edtVol03EndNumber.SetText("10");
  Numbers().edtVol03EndNumberExit();
  ASSERT_TRUE(Numbers().chkVol03AddIncNumbersAsSuffix.Enabled());
  Numbers().chkVol03AddIncNumbersAsSuffix.SetChecked(true);
  Run(Numbers().btnCreateFolders);
  EXPECT_TRUE(IsDir("D:\\Dest\\Box 07\\Docs 07\\Old 07"));
  EXPECT_TRUE(IsDir("D:\\Dest\\Box 10\\Docs 10\\Old 10"));

  // Attach Nothing clears the box and turns it off.
  Numbers().structures.SourceKindClick(SourceKind::Nothing);
  EXPECT_FALSE(Numbers().chkVol03AddIncNumbersAsSuffix.Checked());
  EXPECT_FALSE(Numbers().chkVol03AddIncNumbersAsSuffix.Enabled());

  Numbers().edtVol03Prefix.SetText("a|b");  // as a script could leave it
  Run(Numbers().btnCreateFoldersSimulation);
  EXPECT_EQ(Counter(Numbers(), "FoldersOther"), 4);
  EXPECT_EQ(Counter(Numbers(), "FoldersCreated"), 0);
}

// ------------------------------------------------------------------ paths

TEST_F(CreatePagesTest, PathsPutPrefixAndSuffixAroundTheLastName) {
  MakeDir("D:\\Old-Exists");
  Paths().edtVol04Prefix.SetText("Old");
  Paths().chkVol04Hyphen.SetChecked(true);
  PathItems({"D:\\Clients\\Acme", "D:\\Clients\\Report.doc", "Clients\\Acme", "D:\\Exists"});
  Paths().structures.SourceKindClick(SourceKind::Nothing);
  const auto captions = Run(Paths().btnCreateFolders);
  EXPECT_EQ(captions.back(), "Creating Folder(s).-From a Folder List.            Information no: 0062.");
  auto& r = Paths().records;
  EXPECT_EQ(r.createdMainFolders, (std::vector<std::string>{"D:\\Clients\\Old-Acme", "D:\\Old-Clients"}));
  EXPECT_EQ(r.otherMainFolders, (std::vector<std::string>{"Clients\\Acme"}));
  EXPECT_EQ(r.existingMainFolders, (std::vector<std::string>{"D:\\Old-Exists"}));
  EXPECT_EQ(Counter(Paths(), "FoldersOther"), 1);
  EXPECT_TRUE(IsDir("D:\\Clients\\Old-Acme"));
  // The parent made on the way is undone with the folder.
  ASSERT_GE(r.madeMainFolders.size(), 2u);
  EXPECT_EQ(r.madeMainFolders[0].path, "D:\\Clients");
}

TEST_F(CreatePagesTest, PathsTestEachDriveAgainstItsOwnItems) {
  FaultFileSystem faults;
  faults.SetFreeSpace('C', 3);
  app.reset();
  ui = std::make_unique<ScriptedUi>();
  store = std::make_unique<SettingsStore>();
  app = std::make_unique<Application>(*ui, *store, faults);
  main = app->main;
  MakeFile("D:\\S\\f.bin", "12345");
  Paths().lstVol04IncludeFolderList.SetItems({"D:\\A", "C:\\B"});
  Paths().Refresh();
  Paths().structures.SourceKindClick(SourceKind::Structures);
  Paths().structures.AttachModeClick(AttachMode::SubWithFiles);
  ui->ClearCalls();
  Paths().structures.list.SetItems({"D:\\S"});
  Paths().Refresh();
  auto messages = ui->Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().caption, "Creating Folder(s).-From a Folder List.            Information no: 0071.");
  EXPECT_NE(messages.back().text.find("C:\\"), std::string::npos);
  // The run stops at the same test, before its question.
  ui->ClearCalls();
  Paths().btnCreateFolders.Click();
  messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a Folder List.            Information no: 0071.");
  EXPECT_FALSE(IsDir("D:\\A"));
  faults.SetFreeSpace('C', 5);
  Run(Paths().btnCreateFolders);
  EXPECT_TRUE(IsDir("D:\\A"));
  EXPECT_TRUE(IsDir("C:\\B"));
}

TEST_F(CreatePagesTest, PathsSimulationTakesOnlyValidFullPaths) {
  Paths().structures.SourceKindClick(SourceKind::Nothing);
  PathItems({"D:\\New", "D://Twice//Slashed", "no drive"});
  Run(Paths().btnCreateFoldersSimulation);
  EXPECT_EQ(Counter(Paths(), "FoldersCreated"), 2);
  EXPECT_EQ(Counter(Paths(), "FoldersOther"), 1);
  EXPECT_EQ(LogList(PageKey::Vol04, CreateList::FoldersCreated), (std::vector<std::string>{"D:\\New", "D:\\Twice\\Slashed"}));
  EXPECT_FALSE(IsDir("D:\\New"));
  EXPECT_TRUE(Paths().records.createdMainFolders.empty());
}

TEST_F(CreatePagesTest, UndoClearsTheRunCountersButNotTheForecast) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  StringItems({"a", "b", "c"});
  Run(Strings().btnCreateFolders);
  ASSERT_EQ(Counter(Strings(), "FoldersCreated"), 3);
  ASSERT_TRUE(Strings().btnUndo.Enabled());
  Run(Strings().btnUndo);
  EXPECT_FALSE(IsDir("D:\\Dest\\a"));
  EXPECT_EQ(Counter(Strings(), "FoldersCreated"), 0);
  EXPECT_EQ(Counter(Strings(), "FoldersToCreate"), 3);
  // The next run counts against the same forecast.
  Run(Strings().btnCreateFolders);
  EXPECT_EQ(Counter(Strings(), "FoldersCreated"), 3);
  EXPECT_EQ(Counter(Strings(), "FoldersToCreate"), 3);
}

TEST_F(CreatePagesTest, AStructureThatIsTheFolderTheRunMakesIsRefusedByName) {
  MakeDir("D:\\Out");
  MakeDir("D:\\S");
  Paths().lstVol04IncludeFolderList.SetItems({"D:\\Out\\New", "D:\\Out\\Other"});
  Paths().edtVol04Prefix.SetText("");
  Paths().edtVol04Suffix.SetText("");
  Paths().structures.SourceKindClick(SourceKind::Structures);
  Paths().structures.AttachModeClick(AttachMode::MainWithoutFiles);
  Paths().structures.list.SetItems({"D:\\Out\\New", "D:\\S"});
  Paths().Refresh();
  const auto captions = Run(Paths().btnCreateFolders);
  // No note at the start: the structure is the run's own first folder, refused
  // there as the copy page refuses a structure copied into itself.
  ASSERT_EQ(captions.size(), 3u);
  EXPECT_EQ(captions[1], "Creating Folder(s).-From a Folder List.            Warning no: 0375.");
  EXPECT_EQ(ui->Messages()[1].text,
            "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
            "Folder !!! \nDestination Folder : D:\\Out\\New\nSource Folder      : D:\\Out\\New");
  EXPECT_TRUE(IsDir("D:\\Out\\New\\S"));
  EXPECT_TRUE(IsDir("D:\\Out\\Other\\S"));
  EXPECT_FALSE(IsDir("D:\\Out\\Other\\New"));
}

}  // namespace
}  // namespace quillory
