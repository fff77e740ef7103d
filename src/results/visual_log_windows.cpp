#include "results/visual_log_windows.h"

#include <stdexcept>
#include <unordered_set>

#include "app/ui.h"
#include "lists/file_export.h"
#include "platform/drives.h"
#include "platform/text.h"
#include "results/operation_statistics.h"

namespace quillory {

namespace {

const char* const kCreation = "Folder/File Creation Process.";
const char* const kCreationSim = "Simulate the Folder/File Creation Process.";

// list, group, caption, zoom list, zoom radio, zoom caption, empty warning
// text and caption.
const ResultListInfo kLists02[] = {
    {"lstStat02FoldersCreated", "SUCCESSFULLY CREATED", "Folders", "lstVol02ZoomStatisticsFoldersCreated", "Successfully Created Folders", "Successfully Created FOLDERS.",
     "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use the Smart Export Feature.",
     "Creating Folder(s).-From a String List.            Warning no: 0410."},
    {"lstStat02SubFoldersCreated", "", "Folders, subfolders in structure:", "lstVol02ZoomStatisticsSubFoldersCreated", "Successfully Created Subfolders", "Successfully Created FOLDERS, SUBFOLDERS in Structure.",
     "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one Subfolder to use the Smart Export Feature.",
     "Creating Folder(s).-From a String List.            Warning no: 0411."},
    {"lstStat02FilesCreated", "", "Files in structure:", "lstVol02ZoomStatisticsFilesCreated", "Successfully Created Files", "Successfully Created FILES in Structure.",
     "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use the Smart Export Feature.",
     "Creating Folder(s).-From a String List.            Warning no: 0412."},
    {"lstStat02FoldersExists", "FOLDERS  NOT CREATED", "Already exist", "lstVol02ZoomStatisticsFoldersExist", "Not Created - Folders Already Exist", "Folders Not Created - Already Exist.",
     "The List of Already Created Folder Names is empty !\n",
     "Creating Folder(s).-From a String List.            Warning no: 0413."},
    {"lstStat02FoldersOther", "", "Other reasons", "lstVol02ZoomStatisticsOtherReasons", "Folders Not Created  Other Reasons", "Folders Not Created - Other Reasons.",
     "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
     "Creating Folder(s).-From a String List.            Warning no: 0414."},
    {"lstStat02FoldersFailedUndo", "Folders - Failed UNDO", "", "lstVol02ZoomStatisticsFoldersFailedUndo", "Folders - Failed Undo", "Folders - Failed UNDO",
     "The List of Failed UNDO Folder Names is empty !\n",
     "Creating Folder(s).-From a String List.            Warning no: 0414."},
};
const ResultListInfo kLists03[] = {
    {"lstStat03FoldersCreated", "SUCCESSFULLY CREATED", "Folders", "lstVol03ZoomStatisticsFoldersCreated", "Successfully Created Folders", "Successfully Created FOLDERS.",
     "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use the Smart Export Feature.",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0415."},
    {"lstStat03SubFoldersCreated", "", "Folders, subfolders in structure:", "lstVol03ZoomStatisticsSubFoldersCreated", "Successfully Created Subfolders", "Successfully Created FOLDERS, SUBFOLDERS in Structure.",
     "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one Subfolder to use the Smart Export Feature.",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0416."},
    {"lstStat03FilesCreated", "", "Files in structure:", "lstVol03ZoomStatisticsFilesCreated", "Successfully Created Files", "Successfully Created FILES in Structure.",
     "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use the Smart Export Feature.",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0417."},
    {"lstStat03FoldersExists", "FOLDERS  NOT CREATED", "Already exist", "lstVol03ZoomStatisticsFoldersExist", "Not Created - Folders Already Exist", "Folders Not Created - Already Exist.",
     "The List of Already Created Folder Names is empty !\n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0418."},
    {"lstStat03FoldersOther", "", "Other reasons", "lstVol03ZoomStatisticsOtherReasons", "Folders Not Created  Other Reaosns", "Folders Not Created - Other Reasons.",
     "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0419."},
    {"lstStat03FoldersFailedUndo", "Folders - Failed UNDO", "", "lstVol03ZoomStatisticsFoldersFailedUndo", "Folders - Failed Undo", "Folders - Failed Undo",
     "The List of Failed UNDO Folder Names is empty !\n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0414."},
};
const ResultListInfo kLists04[] = {
    {"lstStat04FoldersCreated", "SUCCESSFULLY CREATED", "Folders", "lstVol04ZoomStatisticsFoldersCreated", "Successfully Created Folders", "Successfully Created FOLDERS.",
     "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least one Folder to use the Smart Export Feature.",
     "Creating Folder(s).-From a Folder List.            Warning no: 0420."},
    {"lstStat04SubFoldersCreated", "", "Folders, subfolders in structure:", "lstVol04ZoomStatisticsSubFoldersCreated", "Successfully Created Subfolders", "Successfully Created FOLDERS, SUBFOLDERS in Structure.",
     "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at least one Subfolder to use the Smart Export Feature.",
     "Creating Folder(s).-From a Folder List.            Warning no: 0421."},
    {"lstStat04FilesCreated", "", "Files in structure:", "lstVol04ZoomStatisticsFilesCreated", "Successfully Created Files", "Successfully Created FILES in Structure.",
     "The List of Successfully Created  File Names is empty !\nAction : You must create at least one File to use the Smart Export Feature.",
     "Creating Folder(s).-From a Folder List.            Warning no: 0422."},
    {"lstStat04FoldersExists", "FOLDERS  NOT CREATED", "Already exist", "lstVol04ZoomStatisticsFoldersExist", "Not Created - Folders Already Exist", "Folders Not Created - Already Exist.",
     "The List of Already Created Folder Names is empty !\n",
     "Creating Folder(s).-From a Folder List.            Warning no: 0423."},
    {"lstStat04FoldersOther", "", "Other reasons", "lstVol04ZoomStatisticsOtherReasons", "Folders Not Created Other Reasons", "Folders Not Created - Other Reasons.",
     "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
     "Creating Folder(s).-From a Folder List.            Warning no: 0424."},
    {"lstStat04FoldersFailedUndo", "Folders - Failed UNDO", "", "lstVol04ZoomStatisticsFoldersFailedUndo", "Folders - Failed Undo", "Folders - Failed Undo",
     "The List of Failed UNDO Folder Names is empty !\n",
     "Creating Folder(s).-From a Folder List.            Warning no: 0414."},
};
const ResultListInfo kLists06[] = {
    {"lstStat06FoldersRenamed", "Successfully Renamed Folders", "", "lstVol06ZoomStatisticsFoldersRenamed", "Successfully Renamed Folders", "Successfully Renamed Folders.",
     "The List of Successfully Renamed  Folder Names is empty !\nAction : You must Rename at least one Folder to use the Smart Export Feature.",
     "Rename Folders -From a Folder List - Level.             Warning no: 0428."},
    {"lstStat06FoldersSourceNotExists", "NOT RENAMED", "SOURCE NOT EXISTS.", "lstVol06ZoomStatisticsSourceNotExists", "Folders Not Renamed Source Not Exists", "Not Renamed Folders - Source not Exists.",
     "The List of Not Renamed (Source Folders don't exist) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0429."},
    {"lstStat06FoldersDestinationExists", "", "DESTINATION ALREADY EXISTS", "lstVol06ZoomStatisticsDestinationExists", "Folders Not Renamed Destination Already Exists", "Not Renamed Folders - Destination Already Exists.",
     "The List of Not Renamed (Destination Folders already exist) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0430."},
    {"lstStat06FoldersOtherReasons", "", "OTHER REASONS", "lstVol06ZoomStatisticsOtherReasons", "Folders Not Renamed Other Reasons", "Not Renamed Folders - Other Reasons.",
     "The List of Not Renamed (Other Reasons) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0431."},
    {"lstStat06FoldersFailedUndo", "Folders - Failed UNDO", "", "lstVol06ZoomStatisticsFoldersFailedUndo", "Folders to Failed Undo", "Folders - Failed UNDO",
     "The List of Not Renamed (Folders Failed Undo) Folder Names is empty !\n",
     "Rename Folders -From a Folder List - Level.             Warning no: 0431."},
};
const ResultListInfo kLists07[] = {
    {"lstStat07FoldersDeleted", "FOLDERS", "SUCCESSFULLY DELETED", "lstVol07ZoomStatisticsFoldersDeleted", "Folders - Successfully Deleted", "FOLDERS - Successfully Deleted.",
     "The List of Successfully Deleted Folder Names is empty !\nAction : You must Delete at least one Folder to use the Smart Export Feature.",
     "Delete Folder(s).- From a Folder List.            Warning no: 0566."},
    {"lstStat07FoldersNotExists", "", "NOT EXIST", "lstVol07ZoomStatisticsFoldersNotExist", "Folders - Not Exist", "FOLDERS Not Deleted - Not Exist.",
     "The List of Not Deleted ( Folders don't Exist) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 0433."},
    {"lstStat07FoldersOtherReasons", "", "OTHER REASONS", "lstVol07ZoomStatisticsFoldersOtherReasons", "Folders - Other Reasons", "FOLDERS Not Deleted - Other Reasons.",
     "The List of Not Deleted ( Other Reasons) Folder Names is empty !\n",
     "Delete Folder(s).- From a Folder List.            Warning no: 0434."},
    {"lstStat07FilesDeleted", "FILES", "SUCCESSFULLY DELETED", "lstVol07ZoomStatisticsFilesDeleted", "Files - Successfully Deleted", "FILES - Successfully Deleted.",
     "The List of Successfully Deleted File Names is empty !\nAction : You must Delete at least one File to use the Smart Export Feature.",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0432."},
    {"lstStat07FilesNotExists", "", "NOT EXIST", "lstVol07ZoomStatisticsFilesNotExist", "Files - Not Exist", "FILES Not Deleted - Not Exist.",
     "The List of Not Deleted ( Files don't Exist) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0433."},
    {"lstStat07FilesOtherReasons", "", "OTHER REASONS", "lstVol07ZoomStatisticsFilesOtherReasons", "Files - Other Reasons", "FILES Not Deleted - Other Reasons.",
     "The List of Not Deleted ( Other Reasons) File Names is empty !\n",
     "Delete Folder(s)/File(s).- From a Folder/File List.            Warning no: 0434."},
};
const ResultListInfo kLists08[] = {
    {"lstStat08FoldersCopied", "SUCCESSFULLY COPIED", "To Folders", "lstVol08ZoomStatisticsFoldersCopied", "Folders Copied", "Successfully Copied: To Folders.",
     "The List of Successfully Copied Main Folder Names is empty !\nAction : You must Copy at least one Main Folder to use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0435."},
    {"lstStat08SubFoldersCopied", "", "Folders, Subfolders in Structure", "lstVol08ZoomStatisticsSubFoldersCopied", "Subfolders Copied", "Successfully Copied: Folders, Subfolders In Structure.",
     "The List of Successfully Copied Subfolder Names is empty !\nAction : You must Copy at least one Subfolder to use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0436."},
    {"lstStat08FilesCopied", "", "Files in Structure", "lstVol08ZoomStatisticsFilesCopied", "Files Copied", "Successfully Copied: Files In Structure.",
     "The List of Successfully Copied File Names is empty !\nAction : You must Copy at least one File to use the Smart Export Feature.",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0437."},
    {"lstStat08FoldersNotExists", "FAILED COPY ", "Folders - Not exist", "lstVol08ZoomStatisticsFoldersNotExist", "Folders Not Exist", "Failed Copy: Folders Not Exist.",
     "The List of Not Copied (Don't Exist) Main Folder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0438."},
    {"lstStat08SubFoldersExists", "", "Subfolders - Already Exist", "lstVol08ZoomStatisticsSubFoldersExist", "Subfolders Exist", "Failed Copy: Subfolders Already Exist.",
     "The List of Not Copied (Already Exist) Subfolder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0439."},
    {"lstStat08FilesExists", "", "Files - Already Exist", "lstVol08ZoomStatisticsFilesExist", "Files Exist", "Failed Copy:  Files Already Exist.",
     "The List of Not Copied (Already Exist) File Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0440."},
    {"lstStat08SubFoldersOtherReasons", "", "Subfolders - Other Reasons", "lstVol08ZoomStatisticsSubFoldersOtherReasons", "Other reasons", "Failed Copy - Subfolders - Other Reasons.",
     "The List of Not Copied (Other Reasons) Subfolder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0440."},
    {"lstStat08SubFoldersFailedUndo", "Subfolders - Failed UNDO", "", "lstVol08ZoomStatisticsSubFoldersFailedUndo", "SubFolders - Failed Undo", "Subfolders - Failed Undo",
     "The List of Failed UNDO Folder Names is empty !\n",
     "Copy Folder structure(s).-From a Folder List - Level.           Warning no: 0414."},
};

template <std::size_t N>
std::vector<ResultListInfo> Rows(const ResultListInfo (&rows)[N]) {
  return std::vector<ResultListInfo>(rows, rows + N);
}

// "lstStat06FoldersRenamed" -> "Stat06FoldersRenamed"
std::string Stem(const std::string& listName) { return listName.substr(3); }

}  // namespace

const std::vector<ResultListInfo>& PageResultLists(PageKey page) {
  static const std::vector<ResultListInfo> lists[] = {Rows(kLists02), Rows(kLists03), Rows(kLists04),
                                                      Rows(kLists06), Rows(kLists07), Rows(kLists08)};
  return lists[OperationIndex(page)];
}

// ------------------------------------------------------------------- zoom

ZoomStatisticsWindow::ZoomStatisticsWindow(std::string className, PageKey page)
    : Window(std::move(className), "Zoom Window."),
      btnClose(Make<Button>("btnVol" + std::string(PageOf(page).number) + "ZoomStatisticsClose", "Close")) {
  for (const ResultListInfo& info : PageResultLists(page)) {
    const std::string stem = Stem(info.zoomList);
    Twin twin;
    twin.caption = &Make<Label>("lbl" + stem, info.zoomCaption);
    twin.list = &Make<ListBox>(info.zoomList, false);
    twin.radio = &Make<RadioButton>("rdo" + stem, info.zoomRadio, &radios);
    twins.push_back(twin);
  }
  for (std::size_t i = 0; i < twins.size(); ++i) twins[i].radio->onClick = [this, i] { Select(i); };
  btnClose.onClick = [this] {
    if (ui_) ui_->Hide(*this);
    else SetShown(false);
  };
  if (!twins.empty()) Select(0);
}

void ZoomStatisticsWindow::Select(std::size_t index) {
  for (const Twin& twin : twins) {
    twin.radio->SetChecked(false);
    twin.caption->SetVisible(false);
    twin.list->SetVisible(false);
  }
  if (index >= twins.size()) return;
  twins[index].radio->SetChecked(true);
  twins[index].caption->SetVisible(true);
  twins[index].list->SetVisible(true);
  selected_ = static_cast<long>(index);
}

// ------------------------------------------------------------- Visual Log

VisualLogWindow::VisualLogWindow(std::string className, std::string caption, PageKey page,
                                 std::string realHeading, std::string simulationHeading)
    : Window(std::move(className), std::move(caption)),
      chkNormalSimulate(Make<CheckBox>("chkStat" + std::string(PageOf(page).number) + "NormalSimulate", "")),
      lblNormalSimulate(Make<Label>("lblVol" + std::string(PageOf(page).number) + "NormalSimulate")),
      btnOK(Make<Button>("btnStat" + std::string(PageOf(page).number) + "OK", "OK")),
      page_(page),
      realHeading_(std::move(realHeading)),
      simulationHeading_(std::move(simulationHeading)) {
  chkNormalSimulate.SetVisible(false);
  chkNormalSimulate.SetChecked(true);
  RefreshHeading();

  const std::string stat = "lblStat" + std::string(PageOf(page).number);
  const CounterLayout& layout = PageCounterLayout(page);
  for (std::size_t c = 0; c < layout.columnKeys.size(); ++c)
    Make<Label>(stat + "Column" + layout.columnKeys[c], layout.columnCaptions[c]);
  for (const CounterRow& row : layout.rows) {
    Make<Label>(stat + "Row" + row.key, row.caption);
    for (std::size_t c = 0; c < row.counters.size(); ++c) {
      if (row.counters[c].empty()) continue;
      if (c < row.cellCaptions.size() && !row.cellCaptions[c].empty())
        Make<Label>(stat + row.counters[c] + "Caption", row.cellCaptions[c]);
      Make<Label>(stat + row.counters[c], "0");
    }
  }

  for (const ResultListInfo& info : PageResultLists(page)) {
    const std::string stem = Stem(info.list);
    Result result{};
    if (!info.group.empty()) result.group = &Make<Label>("grp" + stem, info.group);
    if (!info.caption.empty()) result.caption = &Make<Label>("lbl" + stem + "Title", info.caption);
    result.list = &Make<ListBox>(info.list, false);
    result.btnExport = &Make<Button>("btn" + stem + "Export", "Export");
    result.btnZoom = &Make<Button>("btn" + stem + "Zoom", "Zoom");
    results.push_back(result);
  }
  for (std::size_t i = 0; i < results.size(); ++i) {
    results[i].btnExport->onClick = [this, i] { Export(i); };
    results[i].btnZoom->onClick = [this, i] { ZoomList(i); };
  }
  btnOK.onClick = [this] {
    if (ui_) ui_->Hide(*this);
    else SetShown(false);
  };
}

void VisualLogWindow::RefreshHeading() {
  lblNormalSimulate.SetCaption(chkNormalSimulate.Checked() ? realHeading_ : simulationHeading_);
  lblNormalSimulate.SetCentered(true);
  lblNormalSimulate.SetColor(Color::DarkRed);
}

void VisualLogWindow::Attach(Ui& ui, TfrmFileExport& exportWindow, ZoomStatisticsWindow& zoom) {
  ui_ = &ui;
  export_ = &exportWindow;
  zoom_ = &zoom;
  zoom.Attach(ui);
}

void VisualLogWindow::Export(std::size_t index) {
  if (!ui_ || !export_ || index >= results.size()) return;
  const ListBox& list = *results[index].list;
  if (list.Empty()) {
    const ResultListInfo& info = PageResultLists(page_)[index];
    ui_->ShowMessageBox(info.emptyText, info.emptyCaption, MessageKind::Warning);
    return;
  }
  // Each text once; a path without a drive names no folder to export.
  std::unordered_set<std::string> seen;
  export_->Load(list.Items(), [&seen](const std::string& item) {
    return HasDrive(Trim(item)) && seen.insert(item).second;
  });
  ui_->Repaint();
  if (!export_->lstFileExportSource.Empty()) export_->lstFileExportSource.SetItemIndex(0);
  export_->exportMode = TfrmFileExport::kModeFolders;
  ui_->ShowModal(*export_);
}

void VisualLogWindow::ZoomList(std::size_t index) {
  if (!ui_ || !zoom_ || index >= zoom_->twins.size()) return;
  zoom_->Select(index);
  ui_->Show(*zoom_);
}

TfrmStatistic02::TfrmStatistic02()
    : VisualLogWindow("TfrmStatistic02", "Detailed results for creating folders from a list of strings.", PageKey::Vol02,
                      kCreation, kCreationSim) {}
TfrmStatistic03::TfrmStatistic03()
    : VisualLogWindow("TfrmStatistic03", "Detailed results for creating folders using increased numbers.", PageKey::Vol03,
                      kCreation, kCreationSim) {}
TfrmStatistic04::TfrmStatistic04()
    : VisualLogWindow("TfrmStatistic04", "Detailed results for creating folders from a list of folders", PageKey::Vol04,
                      kCreation, kCreationSim) {}
TfrmStatistic06::TfrmStatistic06()
    : VisualLogWindow("TfrmStatistic06", "Detailed Results for Rename Process.", PageKey::Vol06, "Folder Rename Process.",
                      "Simulate the Folder Rename Process.") {}
TfrmStatistics07::TfrmStatistics07()
    : VisualLogWindow("TfrmStatistics07", "Detailed results for the Delete process.", PageKey::Vol07,
                      "Folder/File Delete Process.", "Simulate the Folder/File Delete Process.") {}
TfrmStatistic08::TfrmStatistic08()
    : VisualLogWindow("TfrmStatistic08", "Detailed Results for Copied Subfolders and/or Files to Main Folders.", PageKey::Vol08,
                      "Folder/File Copy Process.", "Simulate the Folder/File Copy Process.") {}

}  // namespace quillory
