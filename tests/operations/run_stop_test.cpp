// A run stopped part-way: what was done is listed, recorded and journaled,
// so Undo (after a restart too) takes away exactly that; a simulation stops
// as well.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class RunStopTest : public PagesTest {
 protected:
  Paths Captions() {
    Paths out;
    for (const UiCall& m : ui->Messages()) out.push_back(m.caption.substr(m.caption.size() - 5, 4));
    return out;
  }
};

TEST_F(RunStopTest, AStoppedRunIsUndoneExactlyAsFarAsItWentAfterARestartToo) {
  CreateFromStringsPage& page = main->vol02;
  page.structures.SourceKindClick(SourceKind::Nothing);
  Paths names;
  for (int i = 0; i < 50; ++i) names.push_back("P" + std::to_string(100 + i));
  page.lstVol02IncludeStrings.SetItems(names);
  page.Refresh();
  ui->answers.push_back(MessageAnswer::Yes);
  ui->stopAfter = 20;
  ASSERT_TRUE(page.btnCreateFolders.Click());
  const std::vector<UiCall> messages = ui->Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().text.find("30 items were not processed."), std::string::npos) << messages.back().text;
  EXPECT_EQ(ListDir("D:\\Dest").size(), 20u);
  EXPECT_EQ(page.records.createdMainFolders.size(), 20u);
  EXPECT_EQ(main->visualLogs.List(PageKey::Vol02, 0).Count(), 20u);
  EXPECT_EQ(page.stats.Get("FoldersCreated"), 20);

  main->FormClose();
  main = &Start();
  EXPECT_EQ(main->vol02.records.createdMainFolders.size(), 20u);
  ui->answers.push_back(MessageAnswer::Yes);
  ASSERT_TRUE(main->vol02.btnUndo.Click());
  EXPECT_TRUE(ListDir("D:\\Dest").empty());
  EXPECT_TRUE(IsDir("D:\\Dest"));
}

TEST_F(RunStopTest, ASimulationStopsTooAndAnUndoCannotBeStopped) {
  MakeDir("D:\\A\\x");
  MakeDir("D:\\B\\y");
  MakeDir("D:\\C\\z");
  DeletePage& page = main->vol07;
  page.include.SetItems({"D:\\A", "D:\\B", "D:\\C"});
  page.Refresh();
  ui->stopAfter = 1;
  ASSERT_TRUE(page.btnVol07DeleteFoldersSimulation.Click());
  EXPECT_EQ(main->visualLogs.List(PageKey::Vol07, 0).Items(), (Paths{"D:\\A\\x"}));
  EXPECT_EQ(Captions(), (Paths{"0516", "0517", "0640"}));

  // Into the trash, then an Undo told to stop at once: it goes to its end.
  page.chkVol07DeleteDoubleConfirm.SetChecked(false);
  ui->answers.push_back(MessageAnswer::Yes);
  ASSERT_TRUE(page.btnVol07DeleteFolders.Click());
  ASSERT_FALSE(IsDir("D:\\C\\z"));
  ui->ClearCalls();
  ui->answers.push_back(MessageAnswer::Yes);
  ui->stopAfter = 0;
  ASSERT_TRUE(page.btnVol07Undo.Click());
  EXPECT_EQ(Captions(), (Paths{"0631", "0633"}));
  EXPECT_TRUE(IsDir("D:\\A\\x") && IsDir("D:\\B\\y") && IsDir("D:\\C\\z"));
}

}  // namespace
}  // namespace quillory
