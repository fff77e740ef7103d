#include "lists/level_builder.h"

#include "lists/level_builder_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

const char* const kVol08Caption = "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: ";
const char* const kWindowCaption = "SubFolder Level List Builder.            Warning no: ";

class LevelBuilderTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    MakeDir("D:\\R\\a\\b\\c");
    MakeDir("D:\\R\\x");
    main = &Start();
    ui->ClearCalls();
  }

  LevelBuilderGroup& Group(FolderListPage& page) { return page.levels; }

  void ChooseRoot(FolderListPage& page, const std::string& root) {
    ui->folders.push_back(root);
    ASSERT_TRUE(page.levels.btnAddDestFolder.Click());
  }

  TfrmSubFolderListBuilder& BuilderWindow() { return *app->FindAs<TfrmSubFolderListBuilder>(); }

  TfrmMain* main = nullptr;
};

TEST_F(LevelBuilderTest, MethodRadiosAndRootEnableTheLevelControls) {
  LevelBuilderGroup& g = Group(main->vol08);
  EXPECT_TRUE(g.btnAddDestFolder.Enabled());
  EXPECT_FALSE(g.btnMakeList.Enabled());  // no root yet
  ChooseRoot(main->vol08, "  D:\\R ");
  EXPECT_TRUE(g.btnMakeList.Enabled());
  EXPECT_EQ(g.cboLevelDestFolder.Text(), "D:\\R");
  EXPECT_EQ(g.cboLevelDestFolder.Items(), std::vector<std::string>{"D:\\R"});
  ChooseRoot(main->vol08, "d:\\r");  // case-blind history
  EXPECT_EQ(g.cboLevelDestFolder.Items().size(), 1u);
  ASSERT_TRUE(main->vol08.panel.rdoMakeListImport->Click());
  EXPECT_FALSE(g.btnMakeList.Enabled());
  EXPECT_FALSE(g.cboLevelDestFolder.Enabled());
  EXPECT_FALSE(g.rdoGenLastSubFolder.Checked());
  ASSERT_TRUE(main->vol08.panel.rdoMakeListSelector->Click());
  EXPECT_TRUE(g.btnMakeList.Enabled());
  EXPECT_TRUE(g.rdoGenLastSubFolder.Checked());
  // A cancelled browser, then View without a root.
  ui->ClearCalls();
  g.Reset();
  ChooseRoot(main->vol08, "");
  ASSERT_TRUE(g.btnViewDestFolder.Click());
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].caption, std::string(kVol08Caption) + "0253.");
  EXPECT_EQ(messages[1].caption, std::string(kVol08Caption) + "0254.");
  EXPECT_EQ(messages[1].text, "The selection field is empty !\nAction : You must select a destination folder.");
}

TEST_F(LevelBuilderTest, BuildAddsNewResultsInOneChange) {
  LevelBuilderGroup& g = Group(main->vol08);
  ChooseRoot(main->vol08, "D:\\R");
  main->vol08.include.Add("d:\\r\\X");
  g.edtToLevelNumber.SetText("2");
  ASSERT_TRUE(g.rdoGenAllSubFolders.Click());
  int inserts = 0;
  Connection c = main->vol08.include.changed.Connect([&](const ControlEvent& e) {
    if (e.change == ControlChange::RowsInserted) ++inserts;
  });
  ui->ClearCalls();
  ASSERT_TRUE(g.btnMakeList.Click());
  EXPECT_EQ(inserts, 1);
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(main->vol08.include.Count(), 3u);  // R\x already there
  EXPECT_TRUE(main->vol08.include.Contains("D:\\R\\a\\b"));
  EXPECT_EQ(main->vol08.lblVol08IncludeSum.Caption(), "3");
  // Again: nothing new, nothing doubled.
  ASSERT_TRUE(g.btnMakeList.Click());
  EXPECT_EQ(main->vol08.include.Count(), 3u);
}

TEST_F(LevelBuilderTest, BuildWarnings) {
  LevelBuilderGroup& g = Group(main->vol08);
  ChooseRoot(main->vol08, "D:\\R");
  g.edtSubFolderFilter.SetText("nothing-like-it");
  ui->ClearCalls();
  ASSERT_TRUE(g.btnMakeList.Click());
  g.edtSubFolderFilter.SetText("");
  g.edtFromLevelNumber.SetText("x1");
  ASSERT_TRUE(g.btnMakeList.Click());
  g.edtFromLevelNumber.SetText("-1");
  ASSERT_TRUE(g.btnMakeList.Click());
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].caption, std::string(kVol08Caption) + "0310.");
  EXPECT_EQ(messages[0].text,
            "There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder "
            "level, or a filter.");
  EXPECT_EQ(messages[1].messageKind, MessageKind::Error);
  EXPECT_EQ(messages[2].messageKind, MessageKind::Error);
  EXPECT_TRUE(main->vol08.include.Empty());

  // Vol07 never lists a whole disk; its own captions.
  MakeDir("D:\\ ");
  LevelBuilderGroup& d = Group(main->vol07);
  ChooseRoot(main->vol07, "D:");
  ASSERT_TRUE(d.rdoGenAllSubFolders.Click());
  ui->ClearCalls();
  ASSERT_TRUE(d.btnMakeList.Click());
  messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "The Entire disk can't be Deleted !\n");
  EXPECT_EQ(messages[0].caption, "Delete Folder(s).-From a Folder List.             Warning no: 0335.");
  EXPECT_TRUE(main->vol07.include.Contains("D:\\R"));
  EXPECT_FALSE(main->vol07.include.Contains("D:\\"));

  ui->ClearCalls();
  Group(main->vol06).Reset();
  ASSERT_TRUE(main->vol06.panel.rdoMakeListSelector->Click());
  ASSERT_TRUE(Group(main->vol06).btnViewDestFolder.Click());
  EXPECT_EQ(ui->Messages().at(0).caption, "Rename Folders - From a Folder List - Level.            Warning no: 0322.");
}

TEST_F(LevelBuilderTest, ClearFieldsRestoresTheStartValues) {
  LevelBuilderGroup& g = Group(main->vol06);
  ChooseRoot(main->vol06, "D:\\R");
  ASSERT_TRUE(g.rdoSLNBelow.Click());
  g.edtBelowLevelNumber.SetText("7");
  g.edtSubFolderFilter.SetText("ab");
  ASSERT_TRUE(g.rdoGenAllSubFolders.Click());
  ui->answers.push_back(MessageAnswer::Yes);
  ASSERT_TRUE(main->vol06.panel.btnClearAll.Click());
  EXPECT_TRUE(g.rdoSLNFromTo.Checked());
  EXPECT_EQ(g.edtBelowLevelNumber.Text(), "1");
  EXPECT_EQ(g.edtSubFolderFilter.Text(), "");
  EXPECT_TRUE(g.cboLevelDestFolder.Items().empty());
  EXPECT_EQ(g.cboLevelDestFolder.Text(), "");
  EXPECT_FALSE(g.btnMakeList.Enabled());
  EXPECT_TRUE(g.rdoGenLastSubFolder.Checked());
}

TEST_F(LevelBuilderTest, WindowBuildAsksAndChecksTheRange) {
  TfrmSubFolderListBuilder& w = BuilderWindow();
  EXPECT_EQ(w.Caption(), "Subfolder List Builder");
  w.lstIncludeFolderList.Add("D:\\Old");
  ui->folders.push_back("D:\\R");
  ASSERT_TRUE(w.btnMainSourceFolderAdd.Click());
  EXPECT_EQ(w.lblMainLevelSumSubFolder.Caption(), "4");
  ASSERT_EQ(w.lstViewLevelSumFolder.Rows().size(), 3u);
  EXPECT_EQ(w.lstViewLevelSumFolder.Rows()[0], (std::vector<std::string>{"1", "2"}));

  ui->ClearCalls();
  ui->answers.push_back(MessageAnswer::No);
  ASSERT_TRUE(w.btnBuildList.Click());  // 1 to 3, all in the path
  EXPECT_EQ(w.lstIncludeFolderList.Count(), 5u);
  EXPECT_EQ(w.lblIncludeSum.Caption(), "5");
  ui->answers.push_back(MessageAnswer::Yes);
  w.edtFromLevelNumber.SetText("3");
  w.edtToLevelNumber.SetText("2");
  ASSERT_TRUE(w.btnBuildList.Click());
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].caption, std::string(kWindowCaption) + "0580.");
  EXPECT_EQ(messages[2].caption, std::string(kWindowCaption) + "0581.");
  EXPECT_TRUE(w.lstIncludeFolderList.Empty());  // the Yes emptied it already

  ASSERT_TRUE(w.rdoAboveLevelNumber.Click());
  EXPECT_FALSE(w.edtToLevelNumber.Enabled());
  EXPECT_TRUE(w.edtAboveLevelNumber.Enabled());
  EXPECT_EQ(w.edtFromLevelNumber.Text(), "1");
  ui->ClearCalls();
  ASSERT_TRUE(w.btnSubFolderListBuilderLevels.Click());
  EXPECT_EQ(ui->Messages().at(0).caption, std::string(kWindowCaption) + "0574.");
}

TEST_F(LevelBuilderTest, TransferTakesOnlyWhatImportCloses) {
  TfrmSubFolderListBuilder& w = BuilderWindow();
  w.lstIncludeFolderList.AddMany({"D:\\R\\a", "D:\\R\\x", "D:\\", " D: ", "D:\\R\\a\\b"});
  main->vol08.include.Add("d:\\r\\A");
  main->vol08.exclude.Add("D:\\R\\a\\b");
  // Cancel: nothing taken, the window keeps its list.
  ASSERT_TRUE(main->vol08.levels.btnSubFolderLevelListBuilder.Click());
  EXPECT_EQ(main->vol08.include.Count(), 1u);
  EXPECT_EQ(w.lstIncludeFolderList.Count(), 5u);
  ui->modalBlocks["TfrmSubFolderListBuilder"] = [](Window& window) {
    static_cast<TfrmSubFolderListBuilder&>(window).btnImport.Click();
    return window.modalResult;
  };
  ASSERT_TRUE(main->vol08.levels.btnSubFolderLevelListBuilder.Click());
  EXPECT_EQ(main->vol08.include.Items(), (std::vector<std::string>{"d:\\r\\A", "D:\\R\\x"}));
  EXPECT_EQ(main->vol08.lblVol08IncludeSum.Caption(), "2");

  w.lstIncludeFolderList.Clear();
  ui->ClearCalls();
  ASSERT_TRUE(main->vol07.levels.btnSubFolderLevelListBuilder.Click());
  ASSERT_EQ(ui->Messages().size(), 1u);
  EXPECT_EQ(ui->Messages()[0].text, "Empty Result List in the File Import Window!\n");
  EXPECT_EQ(ui->Messages()[0].caption, "Delete Folder(s).-From a Folder List.             Warning no: 0590.");
}

TEST_F(LevelBuilderTest, AHostPathTypedAsTheRootBuildsTheSameList) {
  LevelBuilderGroup& g = Group(main->vol08);
  ChooseRoot(main->vol08, "D:\\R");
  g.edtToLevelNumber.SetText("2");
  ASSERT_TRUE(g.btnMakeList.Click());
  const std::vector<std::string> byLetter = main->vol08.include.Items();
  ASSERT_FALSE(byLetter.empty());

  main->vol08.include.Clear();
  g.cboLevelDestFolder.UserSetText(Host("D:\\R") + "/");
  g.edtToLevelNumber.SetText("2");
  ui->ClearCalls();
  ASSERT_TRUE(g.btnMakeList.Click());
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(main->vol08.include.Items(), byLetter);
  EXPECT_EQ(g.cboLevelDestFolder.Text(), "D:\\R");  // the box shows program form

  // A host path outside every drive is told as a drop is, and nothing is built.
  Drives().Remove('Z');
  Drives().Remove('H');
  main->vol08.include.Clear();
  g.cboLevelDestFolder.UserSetText("/nowhere/known");
  ASSERT_TRUE(g.btnMakeList.Click());
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Folder Path");
  EXPECT_EQ(messages[0].text.rfind("\"/nowhere/known\" lies on no drive the program knows.\nThe drive map:\n  C:  ", 0),
            0u)
      << messages[0].text;
  EXPECT_NE(messages[0].text.find("--drive D=/path"), std::string::npos);
  EXPECT_TRUE(main->vol08.include.Empty());
  EXPECT_EQ(g.cboLevelDestFolder.Text(), "/nowhere/known");
}

TEST_F(LevelBuilderTest, TheListBuilderWindowTakesATypedHostSource) {
  TfrmSubFolderListBuilder& w = BuilderWindow();
  w.cboMainSourceFolder.UserSetText(Host("D:\\R"));
  w.cboMainSourceFolder.PressEnter();
  EXPECT_EQ(w.cboMainSourceFolder.Text(), "D:\\R");
  EXPECT_EQ(w.lblMainLevelSumSubFolder.Caption(), "4");
}

}  // namespace
}  // namespace quillory

namespace quillory {
namespace {

// However the directory hands its entries out (ext4 by hash, tmpfs by
// creation), the list reads as a file manager shows the folder.
TEST_F(LevelBuilderTest, AListBuiltFromAFolderComesInNameOrder) {
  for (const char* name : {"19", "13", "Zeta", "17", "alpha", "14", "100", "2"}) MakeDir(std::string("D:\\N\\") + name);
  LevelBuilderGroup& g = Group(main->vol08);
  ChooseRoot(main->vol08, "D:\\N");
  ui->ClearCalls();
  ASSERT_TRUE(g.btnMakeList.Click());
  EXPECT_EQ(main->vol08.include.Items(),
            (std::vector<std::string>{"D:\\N\\2", "D:\\N\\13", "D:\\N\\14", "D:\\N\\17", "D:\\N\\19", "D:\\N\\100",
                                      "D:\\N\\alpha", "D:\\N\\Zeta"}));
}

}  // namespace
}  // namespace quillory
