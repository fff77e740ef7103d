// One FileSystem handed to Application reaches every window that touches the
// disk: the list imports and exports, the tree walks and the manual page.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/app_fixture.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

class ServicesTest : public WorkingFolderTest {
 protected:
  void SetUp() override {
    WorkingFolderTest::SetUp();
    app = std::make_unique<Application>(ui, store, fs);
    main = app->main;
    ui.ClearCalls();
  }
  void TearDown() override {
    app.reset();
    WorkingFolderTest::TearDown();
  }

  bool Warned() const {
    for (const UiCall& call : ui.Messages())
      if (call.messageKind == MessageKind::Warning) return true;
    return false;
  }

  ScriptedUi ui;
  SettingsStore store;
  FaultFileSystem fs;
  std::unique_ptr<Application> app;
  TfrmMain* main = nullptr;
};

TEST_F(ServicesTest, TheApplicationsFileSystemServesImportsExportsWalksAndCreation) {
  EXPECT_EQ(&app->services.fs, &fs);

  // Plain import: a read refused by the decorator is an unreadable file.
  MakeFile("D:\\list.txt", "D:\\a\n");
  fs.FailOn(FsOp::OpenInputFile, "D:\\list.txt");
  ui.files.push_back("D:\\list.txt");
  ui.answers = {MessageAnswer::No};
  ASSERT_TRUE(main->vol04.panel.btnImportList.Click());
  EXPECT_TRUE(main->vol04.lstVol04IncludeFolderList.Empty());
  EXPECT_TRUE(Warned());
  fs.Clear();
  ui.ClearCalls();

  // The same file through the decorator when it lets it pass.
  ui.files.push_back("D:\\list.txt");
  ui.answers = {MessageAnswer::No};
  ASSERT_TRUE(main->vol04.panel.btnImportList.Click());
  EXPECT_EQ(main->vol04.lstVol04IncludeFolderList.Items(), std::vector<std::string>{"D:\\a"});
  EXPECT_GE(fs.Calls(FsOp::OpenInputFile), 2);
  ui.ClearCalls();

  // Plain export: a refused write keeps nothing half-written and warns.
  fs.FailOn(FsOp::OpenReplacing, "D:\\out.txt");
  ui.files.push_back("D:\\out.txt");
  ASSERT_TRUE(main->vol04.panel.btnExportList.Click());
  EXPECT_TRUE(Warned());
  EXPECT_FALSE(IsFile("D:\\out.txt"));
  fs.Clear();
  ui.ClearCalls();

  // The smart import window reads through it as well.
  fs.FailOn(FsOp::OpenInputFile, "D:\\list.txt");
  const int before = fs.Calls(FsOp::OpenInputFile);
  app->fileImport->edtFileImportFileName.SetText("D:\\list.txt");
  ui.files.push_back("D:\\list.txt");
  ui.answers.clear();
  app->fileImport->btnFileImportBrowse.Click();
  EXPECT_GT(fs.Calls(FsOp::OpenInputFile), before);
  fs.Clear();
  ui.ClearCalls();

  // A walk of the Views window opens its folders through it.
  MakeDir("D:\\Tree\\a\\b");
  app->folderViews->edtFolderViewsFolder.SetText("D:\\Tree");
  app->folderViews->btnFolderViewsLevels.Click();
  EXPECT_GT(fs.Calls(FsOp::OpenFolder) + fs.Calls(FsOp::OpenSubfolder), 0);
  ui.ClearCalls();

  // The manual page creates through it: a refused creation is not made.
  fs.FailOn(FsOp::CreateFolders, "D:\\M\\N");
  main->forced.cboCreateFolderForced.SetText("D:\\M\\N");
  ui.answers = {MessageAnswer::Yes, MessageAnswer::No};  // create it; then no error log
  main->forced.btnCreateFolderForced.Click();
  EXPECT_FALSE(IsDir("D:\\M\\N"));
  EXPECT_GE(fs.Calls(FsOp::CreateFolders), 1);
}

}  // namespace
}  // namespace quillory
