#include "tree/tree_windows.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace quillory {
namespace {

constexpr const char* kNoFolder =
    "There is no selected Folder Structure !\nAction : You must select a Folder with a subfolder structure.";
constexpr const char* kNoFolderCaption = "SubFolder Level List Builder.            Warning no: 0574.";

class TreeWindowsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    views = app->folderViews;
    ui->ClearCalls();
  }
  TfrmFolderViews* views = nullptr;
};

TEST_F(TreeWindowsTest, ExplorerOpensTheTrimmedFolderOrWarns) {
  EXPECT_FALSE(views->edtFolderViewsFolder.Visible());
  views->edtFolderViewsFolder.SetText("   ");
  EXPECT_TRUE(views->btnFolderViewsExplorer.Click());
  EXPECT_TRUE(views->btnFolderViewsLevels.Click());
  ASSERT_EQ(ui->calls.size(), 2u);
  for (const UiCall& call : ui->calls) {
    EXPECT_EQ(call.kind, "message");
    EXPECT_EQ(call.text, kNoFolder);
    EXPECT_EQ(call.caption, kNoFolderCaption);
    EXPECT_EQ(call.messageKind, MessageKind::Warning);
  }

  ui->ClearCalls();
  views->edtFolderViewsFolder.SetText("  D:\\Tree ");
  EXPECT_EQ(views->lblFolderViewsFolder.Caption(), "  D:\\Tree ");
  views->btnFolderViewsExplorer.Click();
  ASSERT_EQ(ui->calls.size(), 1u);
  EXPECT_EQ(ui->calls[0].kind, "open_folder");
  EXPECT_EQ(ui->calls[0].text, "D:\\Tree");
}

TEST_F(TreeWindowsTest, LevelsMeasuresWithTheFileSelection) {
  MakeFile("D:\\Tree\\a\\one.txt", std::string(2048, 'x'));
  MakeFile("D:\\Tree\\a\\two.doc", "12");
  MakeFile("D:\\Tree\\b\\c\\three.TXT", "1");
  store->SetFileMasks({"*.txt"});
  views->edtFolderViewsFolder.SetText("D:\\Tree ");

  std::vector<std::vector<std::string>> rows;
  ui->modalBlocks["TfrmLevelSummFolder"] = [&](Window& w) {
    auto& summary = static_cast<TfrmLevelSummFolder&>(w);
    rows = summary.lstViewLevelSummFolder.Rows();
    summary.btnLevelSummFolderOK.Click();
    return summary.modalResult;
  };
  views->btnFolderViewsLevels.Click();
  const std::vector<std::vector<std::string>> expected{{"1", "2"}, {"2", "1"}};
  EXPECT_EQ(rows, expected);
  const TfrmLevelSummFolder& summary = *app->levelSummary;
  EXPECT_EQ(summary.lblLevelSummFolderName.Caption(), "D:\\Tree");
  EXPECT_EQ(summary.lblLevelSummFolderSum.Caption(), "4");  // the root counted
  EXPECT_EQ(summary.lblLevelSummFileSum.Caption(), "2");
  EXPECT_EQ(summary.lblLevelSummFileSize.Caption(), "2.00 KB  (2049 bytes).");
  ASSERT_EQ(ui->calls.size(), 2u);
  EXPECT_EQ(ui->calls[0].kind, "modal");
  EXPECT_EQ(ui->calls[0].caption, "TfrmLevelSummFolder");
  EXPECT_EQ(ui->calls[1].answer, "OK");

  // No selection stored: every file.
  store->ClearFileMasks();
  ui->modalBlocks["TfrmLevelSummFolder"] = [](Window&) { return ModalResult::Ok; };
  views->btnFolderViewsLevels.Click();
  EXPECT_EQ(summary.lblLevelSummFileSum.Caption(), "3");
  EXPECT_EQ(summary.lstViewLevelSummFolder.Rows().size(), 2u);
}

}  // namespace
}  // namespace quillory
