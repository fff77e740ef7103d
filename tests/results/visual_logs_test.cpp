#include "results/visual_logs.h"

#include <gtest/gtest.h>

#include <limits>

#include "lists/file_export.h"
#include "results/visual_log_windows.h"
#include "results/zoom_windows.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

class VisualLogsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    ui->ClearCalls();
  }
  VisualLogs& logs() { return main->visualLogs; }
  Label& L(Window& w, const std::string& name) {
    auto* label = w.FindAs<Label>(name);
    EXPECT_NE(label, nullptr) << name;
    static Label none("none");
    return label ? *label : none;
  }
  TfrmMain* main = nullptr;
};

TEST_F(VisualLogsTest, CountersShowAsWholeNumbersOnThePageAndInTheLog) {
  OperationStatistics& copy = logs().Stats(PageKey::Vol08);
  copy.Set("FileSizeCopied", 5368709120.0);  // 5 GB
  copy.Set("FileSizeToCopy", 4294967296.0 * 3 + 7);
  copy.Add("FileSizeToCopy", 1);
  copy.Set("FilesCopied", 12.0);
  copy.Set("SubFoldersOtherReasons", 3);
  const int repaints = ui->repaints;
  logs().ShowCounters(PageKey::Vol08);
  EXPECT_EQ(ui->repaints, repaints + 1);
  EXPECT_EQ(L(*main, "lblVol08FileSizeCopied").Caption(), "5368709120");
  EXPECT_EQ(L(*app->statistic08, "lblStat08FileSizeCopied").Caption(), "5368709120");
  EXPECT_EQ(L(*main, "lblVol08FileSizeToCopy").Caption(), "12884901896");
  EXPECT_EQ(L(*main, "lblVol08FilesCopied").Caption(), "12");
  // Shown only in the log.
  EXPECT_EQ(main->FindAs<Label>("lblVol08SubFoldersOtherReasons"), nullptr);
  EXPECT_EQ(L(*app->statistic08, "lblStat08SubFoldersOtherReasons").Caption(), "3");
  EXPECT_EQ(L(*main, "lblVol08RowExists").Caption(), "Not Copied (Already Exists)");
  EXPECT_EQ(L(*main, "lblVol08FoldersToCopyCaption").Caption(), "Total Destination Folders");

  // The create pages go the same way; the failed-undo count has no label.
  main->vol03.stats.Set("FilesSizeCreated", 9007199254740992.0);  // 2^53, still exact
  main->vol03.ShowCounters();
  EXPECT_EQ(L(*main, "lblVol03FilesSizeCreated").Caption(), "9007199254740992");
  EXPECT_EQ(L(*app->statistic03, "lblStat03FilesSizeCreated").Caption(), "9007199254740992");

  // Rename: five labels on each side, the failed undo in none.
  logs().Stats(PageKey::Vol06).Set("FoldersFailedUndo", 4);
  logs().Stats(PageKey::Vol06).Set("FoldersDestinationExists", 2);
  logs().ShowCounters(PageKey::Vol06);
  EXPECT_EQ(L(*main, "lblVol06FoldersDestinationExists").Caption(), "2");
  EXPECT_EQ(L(*app->statistic06, "lblStat06FoldersDestinationExists").Caption(), "2");
  EXPECT_EQ(main->FindAs<Label>("lblVol06FoldersFailedUndo"), nullptr);
  EXPECT_EQ(app->statistic06->FindAs<Label>("lblStat06FoldersFailedUndo"), nullptr);
  EXPECT_EQ(L(*main, "lblVol06RowSourceNotExists").Caption(), "Source doesn't Exists");
  EXPECT_EQ(L(*main, "lblVol07RowOtherReasons").Caption(), "NOT Deleted (Other Reasons)");
  EXPECT_EQ(L(*main, "lblVol07ColumnFiles").Caption(), "Total Files");
  EXPECT_EQ(FormatCounter(2.6), "3");
  EXPECT_EQ(FormatCounter(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST_F(VisualLogsTest, PrepareSetsFlagAndHeadingEmptiesListsAndShowsOnlyWhenAsked) {
  TfrmStatistics07& log = *app->statistics07;
  auto& zoom = *app->FindAs<TfrmVol07ZoomStatistics>();
  logs().AddResult(DeleteList::FilesDeleted, "D:\\old.txt");
  logs().AddResult(DeleteList::FoldersNotExists, "D:\\Gone");
  logs().Stats(PageKey::Vol07).Set("FoldersDeleted", 5);

  logs().PrepareVisualLog(PageKey::Vol07, true);
  EXPECT_FALSE(log.chkNormalSimulate.Checked());
  EXPECT_EQ(log.lblNormalSimulate.Caption(), "Simulate the Folder/File Delete Process.");
  EXPECT_TRUE(log.lblNormalSimulate.Centered());
  for (auto& r : log.results) EXPECT_TRUE(r.list->Empty()) << r.list->Name();
  for (auto& t : zoom.twins) EXPECT_TRUE(t.list->Empty()) << t.list->Name();
  // The counters are the operation's: shown as they stand.
  EXPECT_EQ(L(log, "lblStat07FoldersDeleted").Caption(), "5");
  EXPECT_TRUE(log.Shown());
  ASSERT_FALSE(ui->calls.empty());
  EXPECT_EQ(ui->calls.back().kind, "show");
  EXPECT_EQ(ui->calls.back().caption, "TfrmStatistics07");

  ui->Hide(log);
  main->vol07.chkVol07ShowDetailedResults.SetChecked(false);
  logs().AddResult(DeleteList::FilesDeleted, "D:\\a.txt");
  logs().PrepareVisualLog(PageKey::Vol07, false, {static_cast<std::size_t>(DeleteList::FilesDeleted)});
  EXPECT_TRUE(log.chkNormalSimulate.Checked());
  EXPECT_EQ(log.lblNormalSimulate.Caption(), "Folder/File Delete Process.");
  EXPECT_FALSE(log.Shown());
  // A list the operation keeps stays, with its twin.
  EXPECT_EQ(log.results[3].list->Items(), Items{"D:\\a.txt"});
  EXPECT_EQ(zoom.twins[3].list->Items(), Items{"D:\\a.txt"});

  // The create page's run preparation goes through the same road.
  main->vol02.PrepareRun(false, true);
  EXPECT_EQ(app->statistic02->lblNormalSimulate.Caption(), "Simulate the Folder/File Creation Process.");
  EXPECT_TRUE(app->statistic02->Shown());
}

TEST_F(VisualLogsTest, AddResultReachesListAndTwinInOrderWithRepeats) {
  logs().AddResult(RenameList::DestinationExists, "D:\\A");
  logs().AddResult(RenameList::DestinationExists, "D:\\A");
  logs().AddResult(PageKey::Vol04, CreateList::FoldersOther, "bad|name");
  logs().AddResult(CopyList::SubFoldersFailedUndo, "D:\\S");
  EXPECT_EQ(app->statistic06->FindAs<ListBox>("lstStat06FoldersDestinationExists")->Items(), (Items{"D:\\A", "D:\\A"}));
  EXPECT_EQ(app->FindAs<TfrmVol06ZoomStatistics>()->FindAs<ListBox>("lstVol06ZoomStatisticsDestinationExists")->Items(),
            (Items{"D:\\A", "D:\\A"}));
  EXPECT_EQ(app->statistic04->FindAs<ListBox>("lstStat04FoldersOther")->Items(), Items{"bad|name"});
  EXPECT_EQ(app->FindAs<TfrmVol04ZoomStatistics>()->FindAs<ListBox>("lstVol04ZoomStatisticsOtherReasons")->Items(),
            Items{"bad|name"});
  EXPECT_EQ(app->FindAs<TfrmVol08ZoomStatistics>()->FindAs<ListBox>("lstVol08ZoomStatisticsSubFoldersFailedUndo")->Count(),
            1u);
  EXPECT_THROW(logs().AddResult(PageKey::Vol06, 9, "x"), std::out_of_range);
  // Program end empties them.
  main->FormDestroy();
  EXPECT_TRUE(app->statistic06->FindAs<ListBox>("lstStat06FoldersDestinationExists")->Empty());
}

TEST_F(VisualLogsTest, ExportSendsEachTextWithADriveOnceThroughTheExportWindow) {
  logs().AddResult(CopyList::FilesCopied, "D:\\x\\a.txt");
  logs().AddResult(CopyList::FilesCopied, "relative\\b.txt");
  logs().AddResult(CopyList::FilesCopied, "D:\\x\\a.txt");
  logs().AddResult(CopyList::FilesCopied, " D:\\x\\c.txt");
  std::vector<std::string> shown;
  std::string sourceCount, mode;
  ui->modalBlocks["TfrmFileExport"] = [&](Window& w) {
    auto& ex = static_cast<TfrmFileExport&>(w);
    shown = ex.lstFileExportSource.Items();
    sourceCount = ex.lblSmartExportSource.Caption();
    mode = ex.exportMode;
    EXPECT_EQ(ex.lstFileExportSource.ItemIndex(), 0);
    return ModalResult::Close;
  };
  app->fileExport->exportMode = TfrmFileExport::kModeStrings;
  ASSERT_TRUE(app->statistic08->FindAs<Button>("btnStat08FilesCopiedExport")->Click());
  EXPECT_EQ(shown, (Items{"D:\\x\\a.txt", " D:\\x\\c.txt"}));
  EXPECT_EQ(sourceCount, "2");
  EXPECT_EQ(mode, "FOLDERS");
  EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(VisualLogsTest, ExportOfAnEmptyListWarnsWithThePagesText) {
  struct Case {
    Window* log;
    const char* button;
    const char* text;
    const char* caption;
  } cases[] = {
      {app->statistic02, "btnStat02FoldersCreatedExport",
       "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use "
       "the Smart Export Feature.",
       "Creating Folder(s).-From a String List.            Warning no: 0410."},
      {app->statistic03, "btnStat03FoldersOtherExport",
       "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
       "Creating Folder(s).-Increased Numbers.            Warning no: 0419."},
      {app->statistic04, "btnStat04FoldersFailedUndoExport", "The List of Failed UNDO Folder Names is empty !\n",
       "Creating Folder(s).-From a Folder List.            Warning no: 0414."},
      {app->statistic06, "btnStat06FoldersFailedUndoExport",
       "The List of Not Renamed (Folders Failed Undo) Folder Names is empty !\n",
       "Rename Folders -From a Folder List - Level.             Warning no: 0431."},
      {app->statistics07, "btnStat07FoldersDeletedExport",
       "The List of Successfully Deleted Folder Names is empty !\nAction : You must Delete at least one Folder to use "
       "the Smart Export Feature.",
       "Delete Folder(s).- From a Folder List.            Warning no: 0566."},
      {app->statistics07, "btnStat07FilesNotExistsExport",
       "The List of Not Deleted ( Files don't Exist) File Names is empty !\n",
       "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0433."},
      {app->statistic08, "btnStat08SubFoldersFailedUndoExport", "The List of Failed UNDO Folder Names is empty !\n",
       "Copy Folder structure(s).-From a Folder List - Level.           Warning no: 0414."},
  };
  for (const Case& c : cases) {
    ui->ClearCalls();
    auto* button = c.log->FindAs<Button>(c.button);
    ASSERT_NE(button, nullptr) << c.button;
    button->Click();
    auto messages = ui->Messages();
    ASSERT_EQ(messages.size(), 1u) << c.button;
    EXPECT_EQ(messages[0].text, c.text);
    EXPECT_EQ(messages[0].caption, c.caption);
    for (auto& call : ui->calls) EXPECT_NE(call.kind, "modal");
  }
  // Every list of every page has a warning of its own page.
  for (PageKey page : kOperationPages)
    for (const ResultListInfo& info : PageResultLists(page)) EXPECT_NE(info.emptyCaption.find("Warning no: 0"), std::string::npos);
}

TEST_F(VisualLogsTest, ZoomShowsOnlyTheChosenListAndChecksOnlyItsRadio) {
  auto& zoom = *app->FindAs<TfrmVol02ZoomStatistics>();
  EXPECT_EQ(zoom.Caption(), "Zoom Window.");
  app->statistic02->FindAs<Button>("btnStat02FilesCreatedZoom")->Click();
  EXPECT_TRUE(zoom.Shown());
  EXPECT_EQ(zoom.Selected(), 2);
  app->statistic02->FindAs<Button>("btnStat02FoldersCreatedZoom")->Click();
  for (std::size_t i = 0; i < zoom.twins.size(); ++i) {
    EXPECT_EQ(zoom.twins[i].list->Visible(), i == 0) << i;
    EXPECT_EQ(zoom.twins[i].caption->Visible(), i == 0) << i;
    EXPECT_EQ(zoom.twins[i].radio->Checked(), i == 0) << i;
  }
  EXPECT_EQ(zoom.twins[0].caption->Caption(), "Successfully Created FOLDERS.");
  // A radio does the same.
  zoom.twins[4].radio->Click();
  EXPECT_TRUE(zoom.twins[4].list->Visible());
  EXPECT_FALSE(zoom.twins[0].list->Visible());
  EXPECT_EQ(zoom.twins[4].radio->Caption(), "Folders Not Created  Other Reasons");
  EXPECT_EQ(app->FindAs<TfrmVol03ZoomStatistics>()->twins[4].radio->Caption(), "Folders Not Created  Other Reaosns");
  zoom.btnClose.Click();
  EXPECT_FALSE(zoom.Shown());
}

TEST_F(VisualLogsTest, ActivationRestoresTheHeadingFromTheFlagAndTheVisualLogButtonsShowTheLog) {
  logs().PrepareVisualLog(PageKey::Vol06, true);
  // Something else wrote over the heading meanwhile.
  app->statistic06->lblNormalSimulate.SetCaption("x");
  ui->ShowMessageBox("done", "End", MessageKind::Information);
  main->Invoke("FormActivate");
  EXPECT_EQ(app->statistic06->lblNormalSimulate.Caption(), "Simulate the Folder Rename Process.");
  EXPECT_EQ(app->statistic02->lblNormalSimulate.Caption(), "Folder/File Creation Process.");

  // The delete page's counters reach its log on activation.
  logs().Stats(PageKey::Vol07).Set("FilesToDelete", 42);
  main->FormActivate();
  EXPECT_EQ(L(*app->statistics07, "lblStat07FilesToDelete").Caption(), "42");

  ui->Hide(*app->statistic06);
  logs().Stats(PageKey::Vol06).Set("FoldersRenamed", 8);
  main->vol06.lstVol06IncludeFolderList.Add("D:\\R");
  EXPECT_TRUE(main->vol06.btnVol06Statistics.Enabled());
  EXPECT_EQ(L(*main, "lblVol06FoldersToRename").Caption(), "1");
  logs().Stats(PageKey::Vol06).Set("FoldersRenamed", 8);
  main->vol06.btnVol06Statistics.Click();
  EXPECT_TRUE(app->statistic06->Shown());
  EXPECT_EQ(L(*app->statistic06, "lblStat06FoldersRenamed").Caption(), "8");
  app->statistic06->btnOK.Click();
  EXPECT_FALSE(app->statistic06->Shown());
  for (Button* b : {&main->vol02.btnVol02Statistic, &main->vol03.btnVol03Statistics, &main->vol04.btnVol04Statistics,
                    &main->vol07.btnVol07Statistics, &main->vol08.btnVol08Statistics})
    EXPECT_EQ(b->Caption(), "Visual Log");
  EXPECT_TRUE(main->vol08.chkVol08ShowDetailedResults.Checked());
  main->vol08.btnVol08Statistics.Click();
  EXPECT_TRUE(app->statistic08->Shown());
}

}  // namespace
}  // namespace quillory
