#include "lists/level_builder_window.h"

#include <string>
#include <utility>
#include <vector>

#include "app/dropped_paths.h"
#include "app/settings_store.h"
#include "app/ui.h"
#include "lists/file_export.h"
#include "lists/level_builder.h"
#include "lists/level_copy.h"
#include "lists/list_windows.h"
#include "names/folder_names.h"
#include "names/list_check.h"
#include "platform/drives.h"
#include "platform/text.h"
#include "tree/folder_struct_size.h"
#include "tree/tree_windows.h"

namespace quillory {

namespace {

const char* const kEmptySelection = "The selection field is empty !\nAction : You must select a destination folder.";
const char* const kClearQuestion =
    "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
    "content,\nClick NO to leave it.";
const char* const kStartGreater =
    "The Start Number is greater then the End one!\nAction : You must enter a Start number that is smaller than the "
    "End one.";
const char* const kNoResults =
    "There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder level, or "
    "a filter.";
const char* const kNoFolder =
    "There is no selected Folder Structure !\nAction : You must select a Folder with a subfolder structure.";
const char* const kEmptyExclude =
    "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete it.\n";
const char* const kDeleteSelectedQuestion =
    "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the EXCLUDE "
    "list.\n";
const char* const kDeleteAllEmpty = "Empty List in the Exclude Window!\n";
const char* const kDeleteAllQuestion = "Do you want to delete all item(s) from the Exclude list ?";
const char* const kEditFaultCaption = "Folder Level List Builder.            Warning no: 0385bc.";

std::string CaptionOf(const char* number) {
  return std::string("SubFolder Level List Builder.            Warning no: ") + number + ".";
}

// Moves the selected items of `from` that `to` lacks; every selected item
// leaves `from`, a duplicate simply disappears.
void MoveSelected(ListBox& from, ListBox& to) {
  std::vector<std::string> moving;
  for (std::size_t row : from.SelectedRows()) moving.emplace_back(from.Item(row));
  to.AddNew(std::move(moving));
  from.DeleteSelected();
}

void MoveAll(ListBox& from, ListBox& to) { to.AddNew(from.TakeItems()); }

}  // namespace

TfrmSubFolderListBuilder::TfrmSubFolderListBuilder(Ui& ui, SettingsStore& settings, FileSystem& fs,
                                                   const DriveMap& drives)
    : Window("TfrmSubFolderListBuilder", "Subfolder List Builder"),
      lblMainSourceFolder(Make<Label>("lblMainSourceFolder", "Source Folder:")),
      cboMainSourceFolder(Make<ComboBox>("cboMainSourceFolder")),
      btnMainSourceFolderAdd(Make<Button>("btnMainSourceFolderAdd", "Browse")),
      btnMainSourceFolderView(Make<Button>("btnMainSourceFolderView", "View")),
      lblMainLevelSumContains(Make<Label>("lblMainLevelSumContains", "Contains:")),
      lblMainLevelSumSubFolder(Make<Label>("lblMainLevelSumSubFolder", "0")),
      lblMainLevelSumFiles(Make<Label>("lblMainLevelSumFiles", "0")),
      lblMainLevelSumFileSize(Make<Label>("lblMainLevelSumFileSize", "0 bytes.")),
      lstViewLevelSumFolder(Make<ListView>("lstViewLevelSumFolder")),
      lblSubFolderFilter(Make<Label>("lblSubFolderFilter", "Filter:")),
      edtSubFolderFilter(Make<Edit>("edtSubFolderFilter")),
      rdoFromToLevelNumber(Make<RadioButton>("rdoFromToLevelNumber", "From:", &levels)),
      rdoAboveLevelNumber(Make<RadioButton>("rdoAboveLevelNumber", "Above:", &levels)),
      rdoBelowLevelNumber(Make<RadioButton>("rdoBelowLevelNumber", "Below:", &levels)),
      edtFromLevelNumber(Make<Edit>("edtFromLevelNumber")),
      lblToLevelNumber(Make<Label>("lblToLevelNumber", "To:")),
      edtToLevelNumber(Make<Edit>("edtToLevelNumber")),
      edtAboveLevelNumber(Make<Edit>("edtAboveLevelNumber")),
      edtBelowLevelNumber(Make<Edit>("edtBelowLevelNumber")),
      udFromLevelNumber(Make<UpDown>("udFromLevelNumber", edtFromLevelNumber, 0, 100, true)),
      udToLevelNumber(Make<UpDown>("udToLevelNumber", edtToLevelNumber, 0, 100, true)),
      udAboveLevelNumber(Make<UpDown>("udAboveLevelNumber", edtAboveLevelNumber, 0, 100, true)),
      udBelowLevelNumber(Make<UpDown>("udBelowLevelNumber", edtBelowLevelNumber, 0, 100, true)),
      rdoBuildLastSubFolder(Make<RadioButton>("rdoBuildLastSubFolder", "Only the Last Subfolder", &kinds)),
      rdoBuildAllSubFolders(Make<RadioButton>("rdoBuildAllSubFolders", "All Subfolders in Path", &kinds)),
      btnBuildList(Make<Button>("btnBuildList", "Build a List")),
      lstIncludeFolderList(Make<ListBox>("lstIncludeFolderList", false)),
      lstExcludeFolderList(Make<ListBox>("lstExcludeFolderList", false)),
      lblIncludeSum(Make<Label>("lblIncludeSum", "0")),
      lblExcludeSum(Make<Label>("lblExcludeSum", "0")),
      btnFromIncToExc(Make<Button>("btnFromIncToExc", ">")),
      btnFromExcToInc(Make<Button>("btnFromExcToInc", "<")),
      btnAllFromIncToExc(Make<Button>("btnAllFromIncToExc", ">>")),
      btnAllFromExcToInc(Make<Button>("btnAllFromExcToInc", "<<")),
      btnExchangeIncToExc(Make<Button>("btnExchangeIncToExc", "<>")),
      btnEditIncludeList(Make<Button>("btnEditIncludeList", "Edit List")),
      btnIncludeFolderListView(Make<Button>("btnIncludeFolderListView", "View Sel.")),
      btnSmartExport(Make<Button>("btnSmartExport", "Export")),
      btnDeleteFromExcludeList(Make<Button>("btnDeleteFromExcludeList", "Delete Selected")),
      btnDeleteExcludedAll(Make<Button>("btnDeleteExcludedAll", "Delete All")),
      btnSubFolderListBuilderLevels(Make<Button>("btnSubFolderListBuilderLevels", "Levels")),
      btnImport(Make<Button>("btnImport", "Import")),
      btnCancel(Make<Button>("btnCancel", "Cancel")),
      ui_(ui),
      settings_(settings),
      fs_(fs),
      drives_(drives) {
  lstViewLevelSumFolder.SetColumns({"Level Number", "Number of SubFolders"});
  rdoFromToLevelNumber.SetChecked(true);
  rdoBuildAllSubFolders.SetChecked(true);
  edtFromLevelNumber.SetText("1");
  edtToLevelNumber.SetText("3");
  edtAboveLevelNumber.SetText("1");
  edtBelowLevelNumber.SetText("0");
  edtAboveLevelNumber.SetEnabled(false);
  edtBelowLevelNumber.SetEnabled(false);
  udAboveLevelNumber.SetEnabled(false);
  udBelowLevelNumber.SetEnabled(false);
  lstIncludeFolderList.Clear();
  lstExcludeFolderList.Clear();

  btnMainSourceFolderAdd.onClick = [this] { btnMainSourceFolderAddClick(); };
  cboMainSourceFolder.onSelect = [this] { cboMainSourceFolderSelect(); };
  cboMainSourceFolder.onEnter = [this] { cboMainSourceFolderSelect(); };
  btnMainSourceFolderView.onClick = [this] { btnMainSourceFolderViewClick(); };
  for (RadioButton* r : {&rdoFromToLevelNumber, &rdoAboveLevelNumber, &rdoBelowLevelNumber})
    r->onClick = [this] { LevelRadioClick(); };
  btnBuildList.onClick = [this] { btnBuildListClick(); };
  btnFromIncToExc.onClick = [this] { btnFromIncToExcClick(); };
  btnFromExcToInc.onClick = [this] { btnFromExcToIncClick(); };
  btnAllFromIncToExc.onClick = [this] { btnAllFromIncToExcClick(); };
  btnAllFromExcToInc.onClick = [this] { btnAllFromExcToIncClick(); };
  btnExchangeIncToExc.onClick = [this] { btnExchangeIncToExcClick(); };
  btnDeleteFromExcludeList.onClick = [this] { btnDeleteFromExcludeListClick(); };
  btnDeleteExcludedAll.onClick = [this] { btnDeleteExcludedAllClick(); };
  btnIncludeFolderListView.onClick = [this] { btnIncludeFolderListViewClick(); };
  btnSubFolderListBuilderLevels.onClick = [this] { btnSubFolderListBuilderLevelsClick(); };
  btnEditIncludeList.onClick = [this] { btnEditIncludeListClick(); };
  btnSmartExport.onClick = [this] { btnSmartExportClick(); };
  btnImport.onClick = [this] { modalResult = ModalResult::Ok; };
  btnCancel.onClick = [this] { modalResult = ModalResult::Cancel; };

  for (ListBox* list : {&lstIncludeFolderList, &lstExcludeFolderList})
    connections_.push_back(list->changed.Connect([this](const ControlEvent& e) {
      if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsRemoved ||
          e.change == ControlChange::RowsReset)
        RefreshSums();
    }));
}

TfrmSubFolderListBuilder::~TfrmSubFolderListBuilder() {
  connections_.clear();
  lstIncludeFolderList.Clear();
  lstExcludeFolderList.Clear();
}

void TfrmSubFolderListBuilder::Attach(TfrmFLLEditIncludeFolderList& editor, TfrmFileExport& fileExport,
                                      TfrmLevelSummFolder& levelSummary) {
  editor_ = &editor;
  fileExport_ = &fileExport;
  levelSummary_ = &levelSummary;
  editor.btnOk.onClick = [this] { EditOk(); };
  editor.btnCancel.onClick = [this] { EditCancel(); };
}

void TfrmSubFolderListBuilder::RefreshSums() {
  lblIncludeSum.SetCaption(std::to_string(lstIncludeFolderList.Count()));
  lblExcludeSum.SetCaption(std::to_string(lstExcludeFolderList.Count()));
}

void TfrmSubFolderListBuilder::Warn(const std::string& text, const char* number) {
  ui_.ShowMessageBox(text, CaptionOf(number), MessageKind::Warning);
}

bool TfrmSubFolderListBuilder::Ask(const std::string& text, const char* number) {
  return ui_.ShowMessageBox(text, CaptionOf(number), MessageKind::Question) == MessageAnswer::Yes;
}

// ------------------------------------------------------------ source folder

void TfrmSubFolderListBuilder::btnMainSourceFolderAddClick() { TakeSource(ui_.SelectFolder("Browse Title")); }

void TfrmSubFolderListBuilder::DropSource(const std::vector<std::string>& hostPaths) {
  if (!btnMainSourceFolderAdd.Enabled()) return;
  if (auto path = SingleDroppedFolder(hostPaths, ui_, drives_, fs_)) TakeSource(*path);
}

void TfrmSubFolderListBuilder::cboMainSourceFolderSelect() {
  if (auto source = TypedSource()) TakeSource(*source);
}

std::optional<std::string> TfrmSubFolderListBuilder::TypedSource() {
  const std::string typed = Trim(cboMainSourceFolder.Text());
  std::optional<std::string> source = TypedFolder(typed, ui_, drives_);
  if (source && *source != typed) cboMainSourceFolder.SetText(*source);
  return source;
}

void TfrmSubFolderListBuilder::TakeSource(const std::string& text) {
  const std::string source = Trim(text);
  if (source.empty()) {
    Warn(kEmptySelection, "0572");
    return;
  }
  FolderStructSize size(source, fs_);
  size.SetFileMasks(settings_.FileMasks());
  size.WalkSelected();
  lblMainLevelSumSubFolder.SetCaption(std::to_string(size.GetFolderCount()));
  lblMainLevelSumFiles.SetCaption(std::to_string(size.GetSelectedFiles()));
  lblMainLevelSumFileSize.SetCaption(FormatByteSize(size.GetSelectedBytes()));
  lstViewLevelSumFolder.Clear();
  // The lowest level is the source's own row, which is not shown.
  const std::uint32_t rootLevel = PathLevel(source);
  for (const auto& [level, folders] : size.Levels())
    if (level > rootLevel) lstViewLevelSumFolder.AddRow({std::to_string(level - rootLevel), std::to_string(folders)});
  int at = -1;
  const std::vector<std::string>& items = cboMainSourceFolder.Items();
  for (std::size_t i = 0; i < items.size() && at < 0; ++i)
    if (SameText(items[i], source)) at = static_cast<int>(i);
  if (at < 0) {
    cboMainSourceFolder.AddItem(source);
    at = static_cast<int>(cboMainSourceFolder.Items().size()) - 1;
  }
  cboMainSourceFolder.SetItemIndex(at);
}

void TfrmSubFolderListBuilder::btnMainSourceFolderViewClick() {
  const std::optional<std::string> typed = TypedSource();
  if (!typed) return;
  const std::string& source = *typed;
  if (source.empty()) {
    Warn(kEmptySelection, "0573");
    return;
  }
  ui_.OpenFolder(source);
}

// ------------------------------------------------------------------ levels

void TfrmSubFolderListBuilder::LevelRadioClick() {
  const bool fromTo = rdoFromToLevelNumber.Checked();
  const bool above = rdoAboveLevelNumber.Checked();
  const bool below = rdoBelowLevelNumber.Checked();
  for (Control* c : std::initializer_list<Control*>{&edtFromLevelNumber, &udFromLevelNumber, &edtToLevelNumber,
                                                     &udToLevelNumber, &lblToLevelNumber})
    c->SetEnabled(fromTo);
  edtAboveLevelNumber.SetEnabled(above);
  udAboveLevelNumber.SetEnabled(above);
  edtBelowLevelNumber.SetEnabled(below);
  udBelowLevelNumber.SetEnabled(below);
  for (Edit* e : {&edtFromLevelNumber, &edtToLevelNumber, &edtAboveLevelNumber, &edtBelowLevelNumber}) e->SetText("1");
}

void TfrmSubFolderListBuilder::btnBuildListClick() {
  const std::optional<std::string> typed = TypedSource();
  if (!typed) return;
  const std::string& root = *typed;
  if (root.empty()) {
    Warn(kEmptySelection, "0579");
    return;
  }
  if (Ask(kClearQuestion, "0580")) lstIncludeFolderList.Clear();
  LevelCopy copy({root}, fs_);
  std::string error;
  const auto conversionFailed = [&] { ui_.ShowMessageBox(error, "Quillory Suite", MessageKind::Error); };
  if (rdoFromToLevelNumber.Checked()) {
    const auto from = ReadLevelNumber(edtFromLevelNumber.Text(), &error);
    const auto to = from ? ReadLevelNumber(edtToLevelNumber.Text(), &error) : std::nullopt;
    if (!from || !to) return conversionFailed();
    if (*to < *from) {
      Warn(kStartGreater, "0581");
      return;
    }
    copy.SetFromTo(*from, *to);
  } else if (rdoAboveLevelNumber.Checked()) {
    const auto n = ReadLevelNumber(edtAboveLevelNumber.Text(), &error);
    if (!n) return conversionFailed();
    copy.SetAbove(*n);
  } else if (rdoBelowLevelNumber.Checked()) {
    const auto n = ReadLevelNumber(edtBelowLevelNumber.Text(), &error);
    if (!n) return conversionFailed();
    copy.SetBelow(*n);
  }
  copy.SetListKind(rdoBuildAllSubFolders.Checked() ? LevelCopy::AllInThePath : LevelCopy::OnlyTheLast);
  copy.SetFilter(Trim(edtSubFolderFilter.Text()));
  copy.Run();
  std::vector<std::string> results = copy.TakeResults();
  if (results.empty()) {
    Warn(kNoResults, "0582");
    return;
  }
  std::vector<std::string> trimmed;
  trimmed.reserve(results.size());
  for (const std::string& r : results) trimmed.push_back(Trim(r));
  const ListBox& exclude = lstExcludeFolderList;
  lstIncludeFolderList.AddNew(std::move(trimmed), [&exclude](const std::string& item) {
    return !item.empty() && !exclude.Contains(item);
  });
  ui_.Repaint();
}

// ------------------------------------------------------------------- lists

void TfrmSubFolderListBuilder::btnFromIncToExcClick() { MoveSelected(lstIncludeFolderList, lstExcludeFolderList); }
void TfrmSubFolderListBuilder::btnFromExcToIncClick() { MoveSelected(lstExcludeFolderList, lstIncludeFolderList); }
void TfrmSubFolderListBuilder::btnAllFromIncToExcClick() { MoveAll(lstIncludeFolderList, lstExcludeFolderList); }
void TfrmSubFolderListBuilder::btnAllFromExcToIncClick() { MoveAll(lstExcludeFolderList, lstIncludeFolderList); }

void TfrmSubFolderListBuilder::btnExchangeIncToExcClick() {
  std::vector<std::string> scratch = lstIncludeFolderList.TakeItems();
  lstIncludeFolderList.AddNew(lstExcludeFolderList.TakeItems());
  lstExcludeFolderList.AddNew(std::move(scratch));
}

void TfrmSubFolderListBuilder::btnDeleteFromExcludeListClick() {
  if (lstExcludeFolderList.Empty()) Warn(kEmptyExclude, "0576");
  else if (Ask(kDeleteSelectedQuestion, "0575")) lstExcludeFolderList.DeleteSelected();
}

void TfrmSubFolderListBuilder::btnDeleteExcludedAllClick() {
  if (lstExcludeFolderList.Empty()) Warn(kDeleteAllEmpty, "0577");
  else if (Ask(kDeleteAllQuestion, "0578")) lstExcludeFolderList.Clear();
}

void TfrmSubFolderListBuilder::btnIncludeFolderListViewClick() {
  const long at = lstIncludeFolderList.ItemIndex();
  if (at < 0 || static_cast<std::size_t>(at) >= lstIncludeFolderList.Count()) {
    Warn(kNoFolder, "0574");
    return;
  }
  ui_.OpenFolder(Trim(lstIncludeFolderList.Item(static_cast<std::size_t>(at))));
}

void TfrmSubFolderListBuilder::btnSubFolderListBuilderLevelsClick() {
  const long at = lstIncludeFolderList.ItemIndex();
  if (at < 0 || static_cast<std::size_t>(at) >= lstIncludeFolderList.Count()) {
    Warn(kNoFolder, "0574");
    return;
  }
  if (!levelSummary_) return;
  FolderStructSize size(Trim(lstIncludeFolderList.Item(static_cast<std::size_t>(at))), fs_);
  size.SetFileMasks(settings_.FileMasks());
  size.WalkSelected();
  size.ShowLevels(*levelSummary_, ui_);
}

void TfrmSubFolderListBuilder::btnSmartExportClick() {
  if (fileExport_) SmartExportBuilderList(lstIncludeFolderList, ui_, *fileExport_);
}

// -------------------------------------------------------------- edit list

void TfrmSubFolderListBuilder::btnEditIncludeListClick() {
  if (!editor_) return;
  editor_->memo.SetLines(lstIncludeFolderList.Items());
  editor_->ShowLineCount();
  editor_->modalResult = ModalResult::None;
  ui_.ShowModal(*editor_);
}

void TfrmSubFolderListBuilder::EditOk() {
  const std::vector<std::string>& lines = editor_->memo.Lines();
  const ListCheckResult check = CheckList(lines, ListMode::Folders);
  if (check.fault) {
    // The window stays open with the memo as it is.
    ui_.ShowMessageBox(check.message, kEditFaultCaption, MessageKind::Warning);
    return;
  }
  std::vector<std::string> kept;
  kept.reserve(lines.size());
  for (const std::string& line : lines) {
    std::string item = Trim(line);
    if (item.empty()) continue;
    item = NormalizeListLine(item);
    if (item.empty() || !HasDrive(item)) continue;
    kept.push_back(std::move(item));
  }
  lstIncludeFolderList.Clear();
  const ListBox& exclude = lstExcludeFolderList;
  lstIncludeFolderList.AddNew(std::move(kept), [&exclude](const std::string& item) { return !exclude.Contains(item); });
  editor_->memo.SetLines({});
  editor_->modalResult = ModalResult::Ok;
}

void TfrmSubFolderListBuilder::EditCancel() {
  editor_->memo.SetLines({});
  editor_->modalResult = ModalResult::Cancel;
}

}  // namespace quillory
