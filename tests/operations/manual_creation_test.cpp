#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/scripted_ui.h"
#include "operations/manual_creation.h"
#include "operations/operation_windows.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

const char* const kEndText = "End of Creating Folders/Files !!!";
const char* const kEndWithLog =
    "End of Creating Folders/Files !!!\nThe Error Log is not empty !!!\nDo you want to see it ?";
const char* const kExists = "This folder exists !\nAction : You must enter other text to create a valid folder.";
const char* const kCap0107 = "Creating Folder(s).-Manually (1).            Information no: 0107.";
const char* const kCap0108 = "Creating Folder.                     Warning no: 0108.";
const char* const kCap0109 = "Creating Folder(s).- Manually.            Information no: 0109.";
const char* const kCap0110 = "Creating Folder(s).-Manually.            Information no: 0110.";
const char* const kCap0115 = "Creating Folder.                     Warning no: 0115.";
const char* const kCap0118 = "Creating Folder(s).- SubFolder.            Information no: 0118.";
const char* const kCap0119 = "Creating Folder(s).-SubFolders.            Information no: 0119.";

std::string Question0107(const std::string& path) {
  return path +
         "\nDo you want to create this folder ?\nClick YES to Continue Creating folders,\nClick NO to Stop the "
         "Creating process.";
}

using Items = std::vector<std::string>;

struct Shown {
  MessageKind kind;
  std::string caption;
  std::string text;
};

std::vector<Shown> Messages(const ScriptedUi& ui) {
  std::vector<Shown> out;
  for (const UiCall& c : ui.Messages()) out.push_back({c.messageKind, c.caption, c.text});
  return out;
}

void ExpectMessages(const ScriptedUi& ui, const std::vector<Shown>& expected) {
  const auto got = Messages(ui);
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].kind, expected[i].kind) << "message " << i;
    EXPECT_EQ(got[i].caption, expected[i].caption) << "message " << i;
    EXPECT_EQ(got[i].text, expected[i].text) << "message " << i;
  }
}

bool AllTabsEnabled(const PageControl& pages) {
  for (const TabSheet* tab : pages.Pages())
    if (!tab->Enabled()) return false;
  return true;
}

class ManualCreationTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    page = &main->forced;
    ui->ClearCalls();
  }

  void RunFullPath(const std::string& text) {
    page->cboCreateFolderForced.UserSetText(text);
    page->cboCreateFolderForced.PressEnter();
  }

  void ChooseRoot(const std::string& root) {
    ui->folders.push_back(root);
    page->btnAddRootFolders.Click();
  }

  void RunSubFolder(const std::string& sub) {
    page->cboSubFolder.UserSetText(sub);
    page->btnCreateSubFolder.Click();
  }

  TfrmMain* main = nullptr;
  ManualCreationPage* page = nullptr;
};

TEST_F(ManualCreationTest, AFullPathIsAskedOnceAndMadeWithItsParents) {
  EXPECT_EQ(page->btnForcedErrorLog.GetColor(), Color::Green);
  EXPECT_TRUE(page->chkSubViewDestFolder.Checked());
  const int focus = page->cboCreateFolderForced.FocusRequests();
  ui->answers = {MessageAnswer::Yes};
  RunFullPath("  D:\\A\\B\\C ");

  ExpectMessages(*ui, {{MessageKind::Question, kCap0107, Question0107("D:\\A\\B\\C")},
                       {MessageKind::Information, kCap0110, kEndText}});
  EXPECT_TRUE(IsDir("D:\\A\\B\\C"));
  EXPECT_EQ(page->cboCreateFolderForced.Items(), Items{"D:\\A\\B\\C"});
  EXPECT_EQ(page->lstSuccess.Items(), Items{"D:\\A\\B\\C"});
  EXPECT_EQ(page->btnForcedErrorLog.GetColor(), Color::Green);
  EXPECT_GT(page->cboCreateFolderForced.FocusRequests(), focus);
  EXPECT_TRUE(AllTabsEnabled(main->pgeMain));

  // The typed text is shown normalised; a second creation appends.
  ui->ClearCalls();
  ui->answers = {MessageAnswer::Yes};
  RunFullPath("D:\\X\\\\Y");
  EXPECT_TRUE(ui->answers.empty());
  EXPECT_EQ(page->cboCreateFolderForced.Text(), "D:\\X\\Y");
  EXPECT_TRUE(IsDir("D:\\X\\Y"));
  EXPECT_EQ(page->lstSuccess.Items(), (Items{"D:\\A\\B\\C", "D:\\X\\Y"}));
}

TEST_F(ManualCreationTest, NoToTheFirstOfTwoPathsStopsWithoutAnEndMessage) {
  ui->answers = {MessageAnswer::No};
  RunFullPath("D:\\P D:\\Q");
  ExpectMessages(*ui, {{MessageKind::Question, kCap0107, Question0107("D:\\P")}});
  EXPECT_FALSE(IsDir("D:\\P"));
  EXPECT_FALSE(IsDir("D:\\Q"));
  EXPECT_TRUE(page->lstSuccess.Empty());
  EXPECT_TRUE(AllTabsEnabled(main->pgeMain));

  // Yes to both: each is asked in turn.
  ui->ClearCalls();
  ui->answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  RunFullPath("D:\\P D:\\Q");
  ASSERT_EQ(Messages(*ui).size(), 3u);
  EXPECT_EQ(Messages(*ui)[1].text, Question0107("D:\\Q"));
  EXPECT_EQ(page->lstSuccess.Items(), (Items{"D:\\P", "D:\\Q"}));
}

TEST_F(ManualCreationTest, AnExistingPathIsLoggedTheRunGoesOnAndTheLogIsOffered) {
  MakeDir("D:\\E");
  Items shownExisting, shownOther;
  ui->modalBlocks["TForcedUnSuccessFullForm"] = [&](Window& w) {
    auto& log = dynamic_cast<TForcedUnSuccessFullForm&>(w);
    shownExisting = log.lstForcedUnSuccessFullExist.Items();
    shownOther = log.lstForcedUnSuccessFullOther.Items();
    log.btnForcedUnSuccessFullOk.Click();
    return ModalResult::None;
  };
  ui->answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  RunFullPath("D:\\E D:\\F");

  ExpectMessages(*ui, {{MessageKind::Warning, kCap0108, kExists},
                       {MessageKind::Question, kCap0107, Question0107("D:\\F")},
                       {MessageKind::Question, kCap0109, kEndWithLog}});
  EXPECT_TRUE(IsDir("D:\\F"));
  EXPECT_EQ(shownExisting, Items{"D:\\E"});
  EXPECT_TRUE(shownOther.empty());
  EXPECT_EQ(ui->calls.back().answer, "OK");  // closed by its OK button
  EXPECT_EQ(page->btnForcedErrorLog.GetColor(), Color::Red);

  // The next clean run clears the log and paints the caption green again.
  ui->ClearCalls();
  ui->answers = {MessageAnswer::Yes};
  RunFullPath("D:\\G");
  EXPECT_EQ(Messages(*ui).back().caption, kCap0110);
  EXPECT_EQ(page->btnForcedErrorLog.GetColor(), Color::Green);
  EXPECT_TRUE(page->ForcedExisting().empty());
}

TEST_F(ManualCreationTest, TextChecksWarnBeforeAnyQuestion) {
  RunFullPath("abc");
  RunFullPath("D:\\a?b*");
  RunFullPath("D:/x");  // the character check comes before the normalisation
  ExpectMessages(*ui, {{MessageKind::Warning, "Creating Folder(s).-Manually (1).            Warning no: 0104.",
                        "Not found any colon (:) in the text !!!!"},
                       {MessageKind::Warning, "Creating Folder(s).- Manually (1).            Warning no: 0105.",
                        "Illegal characters in the text :  ? *"},
                       {MessageKind::Warning, "Creating Folder(s).- Manually (1).            Warning no: 0105.",
                        "Illegal characters in the text :  /"}});
  EXPECT_EQ(page->cboCreateFolderForced.Text(), "D:/x");
  EXPECT_TRUE(AllTabsEnabled(main->pgeMain));

  // A path that fails validation ends the loop there, without an end message.
  ui->ClearCalls();
  ui->answers = {MessageAnswer::Yes};
  RunFullPath("D:\\ok D:\\ D:\\never");
  ExpectMessages(*ui, {{MessageKind::Question, kCap0107, Question0107("D:\\ok")},
                       {MessageKind::Warning, "Creating Folder(s).-From Folder List.            Warning no: 0106.",
                        "There is no Folder part (just root)."}});
  EXPECT_TRUE(IsDir("D:\\ok"));
  EXPECT_FALSE(IsDir("D:\\never"));
  EXPECT_TRUE(AllTabsEnabled(main->pgeMain));
}

TEST_F(ManualCreationTest, DotNamesInAFullPathAreNeverCreated) {
  ui->answers = {MessageAnswer::Yes, MessageAnswer::No};
  RunFullPath("D:\\A\\..\\..\\X D:\\Y\\. D:\\Good");
  ExpectMessages(*ui, {{MessageKind::Question, kCap0107, Question0107("D:\\Good")},
                       {MessageKind::Question, kCap0109, kEndWithLog}});
  EXPECT_EQ(page->ForcedOther(), (Items{"D:\\A\\..\\..\\X", "D:\\Y\\."}));
  EXPECT_FALSE(IsDir("D:\\X"));
  EXPECT_FALSE(IsDir("D:\\A"));
  EXPECT_FALSE(IsDir("D:\\Y"));
  EXPECT_TRUE(IsDir("D:\\Good"));
  EXPECT_EQ(page->btnForcedErrorLog.GetColor(), Color::Red);
}

TEST_F(ManualCreationTest, ASubfolderIsJoinedUnderTheRootEitherWay) {
  MakeDir("D:\\R");
  ChooseRoot("D:\\R");
  EXPECT_EQ(page->cboRootFolders.Text(), "D:\\R");
  EXPECT_EQ(page->cboRootFolders.Items(), Items{"D:\\R"});
  page->cboSubFolder.UserSetText("x\\y");
  EXPECT_EQ(page->lblSimple02CompleteFolder.Caption(), "D:\\R\\x\\y");
  page->btnCreateSubFolder.Click();

  ASSERT_EQ(ui->calls.size(), 3u);
  EXPECT_EQ(ui->calls[1].kind, "open_folder");
  EXPECT_EQ(ui->calls[1].text, "D:\\R");
  EXPECT_EQ(ui->calls[2].caption, kCap0119);
  EXPECT_EQ(ui->calls[2].text, kEndText);
  EXPECT_TRUE(IsDir("D:\\R\\x\\y"));
  EXPECT_EQ(page->lstSuccessSubFolders.Items(), Items{"D:\\R\\x\\y"});
  EXPECT_EQ(page->cboSubFolder.Items(), Items{"x\\y"});
  EXPECT_TRUE(AllTabsEnabled(main->pgeMain));

  // "\x\y" names the same folder, which now exists.
  ui->ClearCalls();
  Items shownExisting;
  ui->modalBlocks["TSubFolderUnSuccessFullForm"] = [&](Window& w) {
    auto& log = dynamic_cast<TSubFolderUnSuccessFullForm&>(w);
    shownExisting = log.lstSubFolderUnSuccessFullExist.Items();
    log.btnSubFolderUnSuccessFullOk.Click();
    return ModalResult::None;
  };
  ui->answers = {MessageAnswer::Yes};
  RunSubFolder("\\x\\y");
  EXPECT_EQ(page->lblSimple02CompleteFolder.Caption(), "D:\\R\\x\\y");
  ExpectMessages(*ui, {{MessageKind::Warning, kCap0115, kExists}, {MessageKind::Question, kCap0118, kEndWithLog}});
  EXPECT_EQ(shownExisting, Items{"D:\\R\\x\\y"});
  EXPECT_EQ(page->btnSubFolderErrorLog.GetColor(), Color::Red);

  // Unchecked "View D. Folder" opens nothing.
  ui->ClearCalls();
  page->chkSubViewDestFolder.Click();
  RunSubFolder("z");
  ASSERT_EQ(ui->calls.size(), 1u);
  EXPECT_EQ(ui->calls[0].caption, kCap0119);
  EXPECT_EQ(page->btnSubFolderErrorLog.GetColor(), Color::Green);
}

TEST_F(ManualCreationTest, SubfolderTextsThatNameNoPlaceUnderTheRootAreRefused) {
  MakeDir("D:\\R");
  ChooseRoot("D:\\R");
  ui->ClearCalls();
  RunSubFolder("C:\\x");
  RunSubFolder("   ");
  ExpectMessages(*ui, {{MessageKind::Warning, "Creating Folder.                     Warning no: 0116.",
                        "There is a drive letter in text !\nAction : You can't enter a drive letter to Subfolder field."},
                       {MessageKind::Information, kCap0119, kEndText},
                       {MessageKind::Warning, "Creating Folder.                     Warning no: 0117.",
                        "The text field is empty !\nAction : You must enter other text to create a valid path."},
                       {MessageKind::Information, kCap0119, kEndText}});

  for (const char* sub : {"..\\out", "a\\..\\..\\out", ".", "bad:name", "q?"}) {
    ui->ClearCalls();
    ui->answers = {MessageAnswer::No};
    RunSubFolder(sub);
    ExpectMessages(*ui, {{MessageKind::Question, kCap0118, kEndWithLog}});
    ASSERT_EQ(page->SubFolderOther().size(), 1u) << sub;
    EXPECT_EQ(page->SubFolderOther()[0], page->lblSimple02CompleteFolder.Caption());
  }
  EXPECT_FALSE(IsDir("D:\\out"));
  EXPECT_EQ(ListDir("D:\\R"), Items{});
  EXPECT_TRUE(page->lstSuccessSubFolders.Empty());
  EXPECT_TRUE(AllTabsEnabled(main->pgeMain));
}

TEST_F(ManualCreationTest, WithoutARootNothingIsCreated) {
  ui->answers = {MessageAnswer::No};
  RunSubFolder("x\\y");
  EXPECT_EQ(page->lblSimple02CompleteFolder.Caption(), "\\x\\y");
  EXPECT_EQ(page->SubFolderOther(), Items{"\\x\\y"});
  ExpectMessages(*ui, {{MessageKind::Question, kCap0118, kEndWithLog}});

  // View and Browse with nothing chosen warn.
  ui->ClearCalls();
  page->btnSubViewDestFolder.Click();
  ui->folders.push_back("");
  page->btnAddRootFolders.Click();
  ExpectMessages(*ui, {{MessageKind::Warning, "Creating Folder(s).\t\t\t            Warning no: 0114.",
                        "The selection field is empty !\nAction : You must select a folder with subfolders structure."},
                       {MessageKind::Warning, "Creating Folder.                     Warning no: 0112.",
                        "The selection field is empty !\nAction : You must select a root directory to create a valid "
                        "folder."}});
}

TEST_F(ManualCreationTest, RootsComeFromBrowseAndFromTheEntries) {
  MakeDir("D:\\R");
  MakeDir("D:\\S");
  ChooseRoot("D:\\R");
  ChooseRoot("D:\\S");
  ChooseRoot("D:\\R");
  EXPECT_EQ(page->cboRootFolders.Items(), (Items{"D:\\R", "D:\\S"}));
  EXPECT_EQ(page->cboRootFolders.Text(), "D:\\R");
  page->cboSubFolder.UserSetText("k");
  EXPECT_TRUE(page->cboRootFolders.UserSelect(1));
  EXPECT_EQ(page->lblSimple02CompleteFolder.Caption(), "D:\\S\\k");

  // Browse empties the root first, so a cancelled choice leaves none.
  ui->ClearCalls();
  ui->folders.push_back("");
  page->btnAddRootFolders.Click();
  EXPECT_EQ(page->cboRootFolders.Text(), "");
  EXPECT_EQ(page->lblSimple02CompleteFolder.Caption(), "\\k");

  page->cboRootFolders.SetItems({"", "D:\\R", "D:\\S"});
  EXPECT_TRUE(page->cboRootFolders.UserSelect(0));
  ASSERT_EQ(Messages(*ui).size(), 2u);
  EXPECT_EQ(Messages(*ui)[1].caption, "Creating Folder.                     Warning no: 0113.");

  ui->ClearCalls();
  page->cboRootFolders.UserSelect(2);
  page->btnSubViewDestFolder.Click();
  ASSERT_EQ(ui->calls.size(), 1u);
  EXPECT_EQ(ui->calls[0].kind, "open_folder");
  EXPECT_EQ(ui->calls[0].text, "D:\\S");

  const int focus = page->cboCreateFolderForced.FocusRequests();
  page->PageShow();
  EXPECT_EQ(page->cboCreateFolderForced.FocusRequests(), focus + 1);
  EXPECT_EQ(main->tabFolderCreate01.Hint(), "Create folders - manually, two  ways.");
}

TEST_F(ManualCreationTest, ASubfolderIsNeverMadeThroughALinkBelowTheRoot) {
  MakeDir("D:\\R");
  MakeDir("D:\\Elsewhere");
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere").c_str(), Host("D:\\R\\rl").c_str()), 0);
  ChooseRoot("D:\\R");
  ui->ClearCalls();
  ui->answers = {MessageAnswer::No};
  RunSubFolder("rl\\smade");
  ExpectMessages(*ui, {{MessageKind::Question, kCap0118, kEndWithLog}});
  EXPECT_EQ(page->SubFolderOther(), Items{"D:\\R\\rl\\smade"});
  EXPECT_TRUE(page->SubFolderExisting().empty());
  EXPECT_TRUE(page->lstSuccessSubFolders.Empty());
  EXPECT_EQ(ListDir("D:\\Elsewhere"), Items{});
  EXPECT_TRUE(page->LastMade().empty());

  // What lies behind the link is not reported as existing either.
  MakeDir("D:\\Elsewhere\\there");
  ui->ClearCalls();
  ui->answers = {MessageAnswer::No};
  RunSubFolder("rl\\there");
  EXPECT_EQ(page->SubFolderOther(), Items{"D:\\R\\rl\\there"});
  EXPECT_TRUE(page->SubFolderExisting().empty());

  // A root reached through a link is the folder the person aimed at.
  ASSERT_EQ(::symlink(Host("D:\\R").c_str(), Host("D:\\AliasR").c_str()), 0);
  ChooseRoot("D:\\AliasR");
  page->chkSubViewDestFolder.Click();
  ui->ClearCalls();
  RunSubFolder("made");
  EXPECT_EQ(Messages(*ui).back().caption, kCap0119);
  EXPECT_TRUE(IsDir("D:\\R\\made"));
}

TEST_F(ManualCreationTest, TheLastRunKeepsWhatItMadeWithIdentities) {
  MakeDir("D:\\A");
  ui->answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  RunFullPath("D:\\A\\B\\C D:\\X");
  const MadeFolders expected{{"D:\\A\\B", *HostFileSystem().Identity("D:\\A\\B")},
                                         {"D:\\A\\B\\C", *HostFileSystem().Identity("D:\\A\\B\\C")},
                                         {"D:\\X", *HostFileSystem().Identity("D:\\X")}};
  EXPECT_EQ(page->LastMade(), expected);

  // A missing root is made with the subfolder; the next run starts afresh.
  page->cboRootFolders.SetText("D:\\New\\Root");
  page->chkSubViewDestFolder.Click();
  RunSubFolder("s\\t");
  ASSERT_EQ(page->LastMade().size(), 4u);
  EXPECT_EQ(page->LastMade()[0].path, "D:\\New");
  EXPECT_EQ(page->LastMade()[3].path, "D:\\New\\Root\\s\\t");
  EXPECT_EQ(page->LastMade()[3].identity, *HostFileSystem().Identity("D:\\New\\Root\\s\\t"));
  EXPECT_EQ(page->lstSuccessSubFolders.Items(), Items{"D:\\New\\Root\\s\\t"});
}

TEST_F(ManualCreationTest, AFailedCreationLeavesNoParentBehind) {
  const std::string longName(256, 'n');
  ui->answers = {MessageAnswer::Yes, MessageAnswer::No};
  RunFullPath("D:\\mid\\" + longName + "\\z");
  EXPECT_EQ(page->ForcedOther(), Items{"D:\\mid\\" + longName + "\\z"});
  EXPECT_FALSE(IsDir("D:\\mid"));
  EXPECT_TRUE(page->LastMade().empty());
  EXPECT_EQ(Messages(*ui).back().caption, kCap0109);

  MakeDir("D:\\R");
  ChooseRoot("D:\\R");
  ui->answers = {MessageAnswer::No};
  RunSubFolder("mid\\" + longName);
  EXPECT_EQ(ListDir("D:\\R"), Items{});
}

// ------------------------------------------------------------ faults

// Creations fail (or throw) and the hook notes whether the other tabs were
// locked while they ran.
class LockWatchingFileSystem : public FaultFileSystem {
 public:
  enum class Mode { Fail, Throw };
  explicit LockWatchingFileSystem(const PageControl& pages) {
    FailAfter(FsOp::CreateFolders, 0, FsError::AccessDenied);
    FailAfter(FsOp::CreateFoldersBelow, 0, FsError::AccessDenied);
    onCall = [this, &pages](FsOp op, std::string_view) {
      if (op != FsOp::CreateFolders && op != FsOp::CreateFoldersBelow) return;
      ++calls;
      int enabled = 0;
      for (const TabSheet* tab : pages.Pages()) enabled += tab->Enabled() ? 1 : 0;
      lockedDuringCall = lockedDuringCall && enabled == 1;
      if (mode == Mode::Throw) throw std::runtime_error("disk on fire");
    };
  }
  Mode mode = Mode::Fail;
  int calls = 0;
  bool lockedDuringCall = true;
};

class PageWindow : public Window {
 public:
  PageWindow() : Window("TPageWindow", "Page") {
    for (int i = 0; i < 7; ++i) {
      tabs.push_back(&Make<TabSheet>("tab" + std::to_string(i), "Tab"));
      pages.AddPage(tabs.back());
    }
  }
  PageControl& pages = Make<PageControl>("pages");
  std::vector<TabSheet*> tabs;
};

class ManualCreationFaultTest : public TempDriveTest {
 protected:
  ScriptedUi ui;
  PageWindow window;
  LockWatchingFileSystem fs{window.pages};
  ManualCreationPage page{window, ui, window.pages, *window.tabs[6], fs, Drives()};
};

TEST_F(ManualCreationFaultTest, AFailedCreationIsLoggedAndTurnsTheCaptionRed) {
  TForcedUnSuccessFullForm forcedLog;
  TSubFolderUnSuccessFullForm subLog;
  page.AttachLogWindows(forcedLog, subLog);
  ui.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  page.cboCreateFolderForced.SetText("D:\\A");
  page.btnCreateFolderForced.Click();
  EXPECT_EQ(fs.calls, 1);
  EXPECT_TRUE(fs.lockedDuringCall);
  EXPECT_EQ(page.ForcedOther(), Items{"D:\\A"});
  EXPECT_EQ(forcedLog.lstForcedUnSuccessFullOther.Items(), Items{"D:\\A"});
  EXPECT_TRUE(forcedLog.lstForcedUnSuccessFullExist.Empty());
  EXPECT_EQ(page.btnForcedErrorLog.GetColor(), Color::Red);
  EXPECT_TRUE(page.lstSuccess.Empty());
  EXPECT_TRUE(page.cboCreateFolderForced.Items().empty());
  EXPECT_FALSE(IsDir("D:\\A"));
  EXPECT_TRUE(AllTabsEnabled(window.pages));

  MakeDir("D:\\R");
  page.cboRootFolders.SetText("D:\\R");
  page.cboSubFolder.SetText("s");
  ui.answers = {MessageAnswer::No};
  page.btnCreateSubFolder.Click();
  EXPECT_EQ(page.SubFolderOther(), Items{"D:\\R\\s"});
  EXPECT_EQ(page.btnSubFolderErrorLog.GetColor(), Color::Red);
  EXPECT_EQ(ui.Messages().back().caption, kCap0118);
}

TEST_F(ManualCreationFaultTest, AnExceptionLeavesEveryTabEnabled) {
  fs.mode = LockWatchingFileSystem::Mode::Throw;
  ui.answers = {MessageAnswer::Yes};
  page.cboCreateFolderForced.SetText("D:\\A");
  EXPECT_THROW(page.btnCreateFolderForced.Click(), std::runtime_error);
  EXPECT_TRUE(fs.lockedDuringCall);
  EXPECT_TRUE(AllTabsEnabled(window.pages));

  page.cboRootFolders.SetText("D:\\");
  page.cboSubFolder.SetText("s");
  EXPECT_THROW(page.btnCreateSubFolder.Click(), std::runtime_error);
  EXPECT_EQ(fs.calls, 2);
  EXPECT_TRUE(fs.lockedDuringCall);
  EXPECT_TRUE(AllTabsEnabled(window.pages));
  // A tab that was disabled before the run stays disabled after it.
  window.tabs[2]->SetEnabled(false);
  EXPECT_THROW(page.btnCreateSubFolder.Click(), std::runtime_error);
  EXPECT_FALSE(window.tabs[2]->Enabled());
  EXPECT_TRUE(window.tabs[1]->Enabled());
}

TEST_F(ManualCreationFaultTest, AMissingRootMadeForAFailedSubfolderGoesAgain) {
  fs.Clear();
  fs.FailAfter(FsOp::CreateFoldersBelow, 0, FsError::NoSpace);
  page.cboRootFolders.SetText("D:\\P\\Root");
  page.cboSubFolder.SetText("s");
  ui.answers = {MessageAnswer::No};
  page.btnCreateSubFolder.Click();
  EXPECT_EQ(page.SubFolderOther(), Items{"D:\\P\\Root\\s"});
  EXPECT_FALSE(IsDir("D:\\P"));
  EXPECT_TRUE(page.LastMade().empty());

  // A parent that is no longer the folder made is left alone, and so is
  // everything above it.
  fs.onCall = [this](FsOp op, std::string_view) {
    if (op != FsOp::CreateFoldersBelow) return;
    // Moved away rather than removed, so its inode cannot come back.
    ::rename(Host("D:\\P\\Root").c_str(), Host("D:\\Moved").c_str());
    ::mkdir(Host("D:\\P\\Root").c_str(), 0755);
  };
  ui.answers = {MessageAnswer::No};
  page.btnCreateSubFolder.Click();
  EXPECT_TRUE(IsDir("D:\\P\\Root"));
  ASSERT_EQ(page.LastMade().size(), 2u);
  EXPECT_EQ(page.LastMade()[0].path, "D:\\P");
  EXPECT_EQ(page.LastMade()[1].path, "D:\\P\\Root");
}

TEST_F(ManualCreationTest, HostPathsTypedAsAFullPathOrRootAreTakenInProgramForm) {
  ui->answers = {MessageAnswer::Yes};
  RunFullPath(Host("D:\\Typed") + "/Full");
  EXPECT_TRUE(IsDir("D:\\Typed\\Full"));
  EXPECT_EQ(page->lstSuccess.Items(), Items{"D:\\Typed\\Full"});
  EXPECT_EQ(page->cboCreateFolderForced.Text(), "D:\\Typed\\Full");

  ui->ClearCalls();
  page->cboRootFolders.UserSetText(Host("D:\\Typed"));
  RunSubFolder("Below");
  EXPECT_TRUE(IsDir("D:\\Typed\\Below"));
  EXPECT_EQ(page->cboRootFolders.Text(), "D:\\Typed");
  EXPECT_EQ(page->lstSuccessSubFolders.Items(), Items{"D:\\Typed\\Below"});
}

}  // namespace
}  // namespace quillory
