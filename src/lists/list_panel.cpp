#include "lists/list_panel.h"

#include "app/dropped_paths.h"
#include "app/ui.h"
#include "lists/file_export.h"
#include "lists/list_import.h"
#include "lists/list_panel_texts.h"
#include "lists/list_windows.h"
#include "names/folder_names.h"
#include "names/list_check.h"
#include "platform/drives.h"
#include "platform/text.h"

namespace quillory {

namespace {

using panel::KindOf;
using panel::NamesOf;
using panel::PanelNames;

const char* const kEmptyExcludeStrings =
    "The EXCLUDE list is empty !\nAction : You must enter at least one STRING to the EXCLUDE list to delete it.\n";
const char* const kEmptyExcludeFolders =
    "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete it.\n";
const char* const kDeleteSelectedQuestion =
    "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the EXCLUDE "
    "list.\n";
const char* const kDeleteAllEmpty = "Empty List in the Exclude Window!\n";
const char* const kDeleteAllQuestion = "Do you want to delete all item(s) from the Exclude list ?";
const char* const kClearQuestion =
    "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete process.";
const char* const kClearEnd = "End of the CLEAR FIELDS process !!!\n";
const char* const kViewNone =
    "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.";
const char* const kBrowseEmpty = "The selection field is empty !!!";
const char* const kBrowseInInclude = "This folder exists in the INCLUDE FOLDER LIST !!!";
const char* const kBrowseInExclude = "This folder exists in the EXCLUDE FOLDER LIST !!!";
const char* const kBareDrive =
    "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.";
const char* const kInInclude = "This item already exists in the Include list !";
const char* const kInExclude = "This item already exists in the Exclude list !";
const char* const kEmptyFullPathText =
    "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.";

}  // namespace

// ------------------------------------------------------------ list helpers

AddFullPathsResult AddFullPathsToInclude(ListBox& include, const ListBox& exclude, std::string_view text,
                                         bool interactive, const DriveMap& drives) {
  AddFullPathsResult result;
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) {
    result.text = std::string(text);
    result.reason = kEmptyFullPathText;
    return result;
  }
  std::string found;
  if (CheckIllegalCharacters("N", trimmed, found)) {
    result.text = std::string(text);
    result.reason = "Illegal characters in the text : " + found;
    return result;
  }
  result.text = NormalizeComposedPath(trimmed);
  result.ok = true;
  for (const std::string& path : CutFullPaths(result.text)) {
    std::string reason;
    if (!ValidateFullFolderPath(path, true, drives, reason)) {
    } else if (include.Contains(path)) {
      reason = kInInclude;
    } else if (exclude.Contains(path)) {
      reason = kInExclude;
    } else {
      include.Add(path);
      ++result.added;
      continue;
    }
    if (result.ok) result.reason = reason;
    result.ok = false;
    if (interactive) break;
  }
  return result;
}

// ------------------------------------------------------------------ panel

ListPanel::ListPanel(Window& owner, Ui& ui, PageKey page, ListBox& include_, ListBox& exclude_, Label& includeSum_,
                     Label& excludeSum_, FileSystem& fs, const DriveMap& drives)
    : include(include_),
      exclude(exclude_),
      includeSum(includeSum_),
      excludeSum(excludeSum_),
      btnIncToExc(owner.Make<Button>(NamesOf(page).incToExc, ">")),
      btnExcToInc(owner.Make<Button>(NamesOf(page).excToInc, "<")),
      btnAllFromInc(owner.Make<Button>(NamesOf(page).allFromInc, ">>")),
      btnAllFromExc(owner.Make<Button>(NamesOf(page).allFromExc, "<<")),
      btnExchange(owner.Make<Button>(NamesOf(page).exchange, "<>")),
      btnDeleteFromExclude(owner.Make<Button>(NamesOf(page).deleteSelected, NamesOf(page).deleteSelectedCaption)),
      btnDeleteExcludeAll(owner.Make<Button>(NamesOf(page).deleteAll, "Delete All")),
      btnEditIncludeList(owner.Make<Button>(NamesOf(page).editList, "Edit List")),
      edtAddToList(NamesOf(page).addEdit ? &owner.Make<Edit>(NamesOf(page).addEdit) : nullptr),
      btnAdd(owner.Make<Button>(NamesOf(page).add, NamesOf(page).addCaption)),
      btnViewSelected(NamesOf(page).viewSelected ? &owner.Make<Button>(NamesOf(page).viewSelected, "View Selected")
                                                 : nullptr),
      btnZoom(owner.Make<Button>(NamesOf(page).zoom, "Zoom")),
      btnClearAll(owner.Make<Button>(NamesOf(page).clearAll, "Clear Fields")),
      btnImportList(owner.Make<Button>(NamesOf(page).importList, "Import List")),
      btnSmartImport(owner.Make<Button>(NamesOf(page).smartImport,
                                        page == PageKey::Vol02 || page == PageKey::Vol04 ? "Import"
                                                                                             : "Import F. List")),
      btnExportList(owner.Make<Button>(NamesOf(page).exportList,
                                       page == PageKey::Vol02 || page == PageKey::Vol04 ? "Export List"
                                                                                            : "Export list")),
      btnSmartExport(owner.Make<Button>(NamesOf(page).smartExport, "Export")),
      owner_(owner),
      ui_(ui),
      fs_(fs),
      drives_(drives),
      page_(page),
      key_(PageOf(page).name),
      texts_(TextsOf(page)) {
  const PanelNames& names = NamesOf(page);
  if (page == PageKey::Vol08) include.SetHint("Contains the Destination Folder List");
  if (names.methodPrefix) {
    const std::string prefix = names.methodPrefix;
    grpMethods = &owner.Make<Label>("grp" + key_ + "MakeListMethods", "Methods for creating Input (Include) Folder List");
    rdoMakeListSelector = &owner.Make<RadioButton>(prefix + "MakeListSelector",
                                                   "Add Folders using Subfolder Level Builder", &methods);
    rdoMakeListImport = &owner.Make<RadioButton>(prefix + "MakeListImport", "Import Folder List.", &methods);
    rdoAddToListManually = &owner.Make<RadioButton>(prefix + "AddToListManually", "Add Folders Manually", &methods);
    rdoMakeListSelector->onClick = [this] { MethodSelectorClick(); };
    rdoMakeListImport->onClick = [this] { MethodImportClick(); };
    rdoAddToListManually->onClick = [this] { MethodManualClick(); };
  }

  btnIncToExc.onClick = [this] { MoveSelectedToExclude(); };
  btnExcToInc.onClick = [this] { MoveSelectedToInclude(); };
  btnAllFromInc.onClick = [this] { MoveAllToExclude(); };
  btnAllFromExc.onClick = [this] { MoveAllToInclude(); };
  btnExchange.onClick = [this] { Exchange(); };
  btnDeleteFromExclude.onClick = [this] { DeleteSelectedFromExclude(); };
  btnDeleteExcludeAll.onClick = [this] { DeleteAllFromExclude(); };
  btnEditIncludeList.onClick = [this] { EditList(); };
  btnAdd.onClick = [this] { AddItem(); };
  if (edtAddToList) edtAddToList->onEnter = [this] { AddItem(); };
  if (btnViewSelected) btnViewSelected->onClick = [this] { ViewSelected(); };
  btnZoom.onClick = [this] { Zoom(); };
  btnClearAll.onClick = [this] { ClearFields(); };
  btnImportList.onClick = [this] { PlainImportList(*this, ui_); };
  btnSmartImport.onClick = [this] {
    if (fileImport_) SmartImportList(*this, ui_, *fileImport_);
  };
  btnExportList.onClick = [this] { PlainExportList(*this, ui_); };
  btnSmartExport.onClick = [this] {
    if (fileExport_) SmartExportList(*this, ui_, *fileExport_);
  };
  if (names.methodPrefix) methodControls.import = &btnSmartImport;
}

void ListPanel::AttachFileWindows(TfrmFileImport& fileImport, TfrmFileExport& fileExport) {
  fileImport_ = &fileImport;
  fileExport_ = &fileExport;
}

void ListPanel::AttachWindows(EditIncludeListWindow& editor, TfrmZoomIncludeWindow& zoom) {
  editor_ = &editor;
  zoom_ = &zoom;
  editor.btnOk.onClick = [this] { EditOk(); };
  editor.btnCancel.onClick = [this] { EditCancel(); };
}

void ListPanel::SetEnabled(bool enabled) {
  for (Control* c : std::initializer_list<Control*>{&include, &exclude, &includeSum, &excludeSum, &btnIncToExc,
                                                     &btnExcToInc, &btnAllFromInc, &btnAllFromExc, &btnExchange,
                                                     &btnDeleteFromExclude, &btnDeleteExcludeAll,
                                                     &btnEditIncludeList, &btnAdd, &btnZoom, &btnImportList,
                                                     &btnSmartImport, &btnExportList, &btnSmartExport})
    c->SetEnabled(enabled);
  if (edtAddToList) edtAddToList->SetEnabled(enabled);
  if (btnViewSelected) btnViewSelected->SetEnabled(enabled);
}

void ListPanel::Warn(const std::string& text, const std::string& captionText) {
  if (dropNotes_) {
    dropNotes_->push_back("\"" + dropItem_ + "\": " + text);
    return;
  }
  ui_.ShowMessageBox(text, captionText, MessageKind::Warning);
}

bool ListPanel::Ask(const std::string& text, const std::string& captionText) {
  return ui_.ShowMessageBox(text, captionText, MessageKind::Question) == MessageAnswer::Yes;
}

void ListPanel::FocusAfter(bool deleteAll) {
  if (page_ == PageKey::Vol02 && deleteAll) btnAdd.SetFocus();
  else if (edtAddToList) edtAddToList->SetFocus();
}

// ------------------------------------------------------------------ moves

bool ListPanel::MayMove(const std::string& item) const {
  // The folder pages that act on existing folders take only full paths.
  const bool driveCondition = page_ == PageKey::Vol06 || page_ == PageKey::Vol07 || page_ == PageKey::Vol08;
  return !driveCondition || HasDrive(Trim(item));
}

void ListPanel::MoveSelected(ListBox& from, ListBox& to) {
  std::vector<std::size_t> rows = from.SelectedRows();
  std::vector<std::string> picked;
  picked.reserve(rows.size());
  for (std::size_t row : rows) picked.emplace_back(from.Item(row));
  // What is not moved (a duplicate, a name without a drive) leaves the source
  // all the same.
  to.AddNew(std::move(picked), [this](const std::string& item) { return MayMove(item); });
  from.DeleteRows(std::move(rows));
  FocusAfter();
}

void ListPanel::MoveAll(ListBox& from, ListBox& to) {
  to.AddNew(from.TakeItems(), [this](const std::string& item) { return MayMove(item); });
  FocusAfter();
}

void ListPanel::MoveSelectedToExclude() { MoveSelected(include, exclude); }
void ListPanel::MoveSelectedToInclude() { MoveSelected(exclude, include); }
void ListPanel::MoveAllToExclude() { MoveAll(include, exclude); }
void ListPanel::MoveAllToInclude() { MoveAll(exclude, include); }

void ListPanel::Exchange() {
  std::vector<std::string> scratch = include.TakeItems();
  include.AddNew(exclude.TakeItems());
  exclude.AddNew(std::move(scratch));
  FocusAfter();
}

// --------------------------------------------------------------- deleting

void ListPanel::DeleteSelectedFromExclude() {
  if (exclude.Empty()) {
    Warn(FolderPage() ? kEmptyExcludeFolders : kEmptyExcludeStrings, texts_.deleteEmpty.caption);
  } else if (Ask(kDeleteSelectedQuestion, texts_.deleteQuestion.caption)) {
    exclude.DeleteSelected();
  }
  FocusAfter();
}

void ListPanel::DeleteAllFromExclude() {
  if (exclude.Empty()) {
    Warn(kDeleteAllEmpty, texts_.deleteAllEmpty.caption);
  } else if (Ask(kDeleteAllQuestion, texts_.deleteAllQuestion.caption)) {
    exclude.Clear();
  }
  FocusAfter(true);
}

// ----------------------------------------------------------------- adding

void ListPanel::AddItem() {
  if (page_ == PageKey::Vol02) AddString();
  else if (page_ == PageKey::Vol04) AddTypedPaths();
  else AddBrowsedFolder();
}

void ListPanel::AddString() {
  Edit& edit = *edtAddToList;
  const std::string text = edit.Text();
  const std::string trimmed = Trim(text);
  std::string found;
  if (trimmed.empty()) {
    Warn("The text field is empty !\nAction : You must enter a different name to add to the Include List.",
         texts_.addEmpty.caption);
  } else if (include.Contains(text)) {
    Warn(kInInclude, texts_.addInInclude.caption);
  } else if (exclude.Contains(text)) {
    Warn(kInExclude, texts_.addInExclude.caption);
  } else if (HasDrive(trimmed)) {
    Warn("This item is a Folder Name (with drive letter) !\nAction : You must enter a string without a drive letter "
         "!!!",
         texts_.hasDrive.caption);
  } else if (CheckIllegalCharacters("H", trimmed, found)) {
    Warn("Illegal character in the Text : " + found, texts_.illegal.caption);
    std::string cut = trimmed;
    DropLastCharacter(cut);
    edit.SetText(cut);
  } else {
    const std::string item = NormalizeListLine(trimmed);
    // "a/b" and "a\b" are one name once normalised: refuse the second too.
    if (include.Contains(item)) {
      Warn(kInInclude, texts_.addInInclude.caption);
    } else if (exclude.Contains(item)) {
      Warn(kInExclude, texts_.addInExclude.caption);
    } else {
      include.Add(item);
      edit.SetText(item);
      if (afterAdd) afterAdd();
    }
  }
  FocusAfter();
}

void ListPanel::AddTypedPaths() {
  Edit& edit = *edtAddToList;
  std::string message;
  const std::string typed = Trim(edit.Text());
  const std::optional<std::string> path = TypedFolder(typed, ui_, drives_);
  if (!path) return FocusAfter();
  if (*path != typed) edit.SetText(*path);
  if (Trim(edit.Text()).empty()) {
    Warn("The text field is empty !!!", texts_.addEmpty.caption);
  } else if (!CheckColons(edit.Text(), message)) {
    Warn(message, texts_.colons.caption);
  } else {
    AddFullPathsResult result = AddFullPathsToInclude(include, exclude, edit.Text(), true, drives_);
    if (result.ok) edit.SetText(result.text);
    else Warn(result.reason, texts_.addInInclude.caption);
  }
  FocusAfter();
}

void ListPanel::AddBrowsedFolder() { AddFolderPath(ui_.SelectFolder("Browse Title")); }

void ListPanel::AddFolderPath(const std::string& chosen) {
  const std::optional<std::string> typed = TypedFolder(chosen, ui_, drives_);
  if (!typed) return;
  const std::string& path = *typed;
  const std::string trimmed = Trim(path);
  if (trimmed.empty()) Warn(kBrowseEmpty, texts_.addEmpty.caption);
  else if (include.Contains(path)) Warn(kBrowseInInclude, texts_.addInInclude.caption);
  else if (exclude.Contains(path)) Warn(kBrowseInExclude, texts_.addInExclude.caption);
  else if (page_ == PageKey::Vol07 && trimmed.size() <= 3) Warn(kBareDrive, texts_.bareDrive.caption);
  else include.Add(path);
}

// -------------------------------------------------------------- dropping

void ListPanel::DropPaths(const std::vector<std::string>& hostPaths) {
  if (!include.Enabled()) return;
  // Of many items, what was not taken is told in one box at the end, not
  // one box per item.
  std::vector<std::string> notes;
  if (hostPaths.size() > 1) dropNotes_ = &notes;
  for (const std::string& host : hostPaths) {
    const DroppedItem item = ClassifyDrop(host, drives_, fs_);
    dropItem_ = item.path.empty() ? host : item.path;
    switch (item.kind) {
      case DropKind::Folder: DropFolder(item.path); break;
      case DropKind::TextFile: PlainImportListFrom(*this, ui_, item.path); break;
      default:
        // The refusal names the item itself.
        if (dropNotes_) dropNotes_->push_back(DropRefusal(item, drives_));
        else Warn(DropRefusal(item, drives_), kDropCaption);
        break;
    }
  }
  dropNotes_ = nullptr;
  if (notes.empty()) return;
  ui_.ShowMessageBox(DropSummary(hostPaths.size(), notes), kDropCaption, MessageKind::Warning);
}

void ListPanel::DropFolder(const std::string& path) {
  if (page_ == PageKey::Vol02) {
    // A list of names: the folder's own name, as if typed and added.
    const std::size_t cut = path.find_last_of('\\');
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (name.empty()) {
      Warn("\"" + path + "\" is a whole drive; it has no folder name to add.", kDropCaption);
      return;
    }
    edtAddToList->SetText(name);
    AddString();
  } else if (page_ == PageKey::Vol04) {
    // One path, checked as a typed one but never cut: a name such as
    // "x C:y" is not two paths.
    std::string reason;
    if (!ValidateFullFolderPath(path, true, drives_, reason)) {
    } else if (include.Contains(path)) {
      reason = kInInclude;
    } else if (exclude.Contains(path)) {
      reason = kInExclude;
    } else {
      include.Add(path);
      return;
    }
    Warn(reason, texts_.addInInclude.caption);
  } else {
    AddFolderPath(path);
  }
}

// ---------------------------------------------------------------- editing

void ListPanel::EditList() {
  if (!editor_) return;
  editor_->memo.SetLines(include.Items());
  editor_->ShowLineCount();
  editor_->modalResult = ModalResult::None;
  ui_.ShowModal(*editor_);
  FocusAfter();
}

void ListPanel::EditOk() {
  EditIncludeListWindow& editor = *editor_;
  const std::vector<std::string>& lines = editor.memo.Lines();
  ListCheckResult check = CheckList(lines, FolderPage() ? ListMode::Folders : ListMode::Strings);
  if (check.fault) {
    // The window stays open with the memo as it is.
    Warn(check.message, texts_.editFault.caption);
    return;
  }
  include.Clear();
  std::vector<std::string> kept;
  kept.reserve(lines.size());
  for (const std::string& line : lines) {
    std::string item = Trim(line);
    if (item.empty()) continue;
    item = NormalizeListLine(item);
    if (item.empty() || HasDrive(item) != FolderPage()) continue;
    kept.push_back(std::move(item));
  }
  include.AddNew(std::move(kept), [this](const std::string& item) { return !exclude.Contains(item); });
  editor.memo.SetLines({});
  editor.modalResult = ModalResult::Ok;
}

void ListPanel::EditCancel() {
  editor_->memo.SetLines({});
  editor_->modalResult = ModalResult::Cancel;
}

// ---------------------------------------------------------- view and zoom

void ListPanel::ViewSelected() {
  const long at = include.ItemIndex();
  if (at < 0 || static_cast<std::size_t>(at) >= include.Count()) {
    Warn(kViewNone, texts_.viewNone.caption);
    return;
  }
  ui_.OpenFolder(Trim(include.Item(static_cast<std::size_t>(at))));
}

void ListPanel::Zoom() {
  if (!zoom_) return;
  // Emptied first, so the window never shows another page's items.
  zoom_->lstZoomIncludeWindow.Clear();
  zoom_->lstZoomIncludeWindow.AddNew(include.Items());
  zoom_->modalResult = ModalResult::None;
  ui_.ShowModal(*zoom_);
  FocusAfter();
}

// ------------------------------------------------------------ clear fields

void ListPanel::ClearFields() {
  if (ui_.ShowMessageBox(kClearQuestion, texts_.clearQuestion.caption, MessageKind::Question) != MessageAnswer::Yes)
    return;
  include.Clear();
  exclude.Clear();
  includeSum.SetCaption("0");
  excludeSum.SetCaption("0");
  if (edtAddToList) edtAddToList->SetText("");
  if (resetLevels) resetLevels();
  ResetMethods();
  if (resetPage) resetPage();
  ui_.ShowMessageBox(kClearEnd, texts_.clearEnd.caption, KindOf(texts_.clearEnd));
  FocusAfter();
}

// ----------------------------------------------------------- method radios

void ListPanel::ResetMethods() {
  if (!rdoMakeListSelector) return;
  rdoMakeListSelector->SetChecked(true);
  MethodSelectorClick();
}

void ListPanel::SetMethodState(bool root, bool level, bool import, bool add) {
  MethodControls& m = methodControls;
  for (Control* c : m.root) c->SetEnabled(root);
  for (Control* c : m.level) c->SetEnabled(level);
  if (m.onlyLast) m.onlyLast->SetEnabled(level);
  if (m.allInPath) m.allInPath->SetEnabled(level);
  if (m.import) m.import->SetEnabled(import);
  btnAdd.SetEnabled(add);
}

// "All in the Path" is never left checked by a method switch.
void ListPanel::SetLevelModes(bool onlyLast) {
  if (methodControls.onlyLast) methodControls.onlyLast->SetChecked(onlyLast);
  if (methodControls.allInPath) methodControls.allInPath->SetChecked(false);
}

void ListPanel::MethodSelectorClick() {
  MethodControls& m = methodControls;
  const bool level = m.rootBox && !Trim(m.rootBox->Text()).empty();
  SetMethodState(true, level, false, false);
  if (level) SetLevelModes(true);
  if (m.rootBrowse) m.rootBrowse->SetFocus();
}

void ListPanel::MethodImportClick() {
  SetMethodState(false, false, true, false);
  SetLevelModes(false);
  if (methodControls.import) methodControls.import->SetFocus();
}

void ListPanel::MethodManualClick() {
  SetMethodState(false, false, false, true);
  SetLevelModes(false);
  btnAdd.SetFocus();
}

std::vector<Connection> ListPanel::OnListsChanged(std::function<void()> refresh) {
  std::vector<Connection> connections;
  for (ListBox* list : {&include, &exclude})
    connections.push_back(list->changed.Connect([refresh](const ControlEvent& e) {
      if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsRemoved ||
          e.change == ControlChange::RowsReset)
        refresh();
    }));
  return connections;
}

void ListPanel::RefreshSums() {
  includeSum.SetCaption(std::to_string(include.Count()));
  excludeSum.SetCaption(std::to_string(exclude.Count()));
}

}  // namespace quillory
