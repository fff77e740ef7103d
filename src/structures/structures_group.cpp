#include "structures/structures_group.h"

#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <unordered_set>

#include "app/dropped_paths.h"
#include "app/ui.h"
#include "lists/file_export.h"
#include "lists/file_import.h"
#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/text.h"
#include "structures/file_selection.h"
#include "structures/structure_windows.h"

namespace quillory {

namespace {

// ---------------------------------------------------------------- messages

constexpr const char* kEntireDisk =
    "Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick YES to Copy,\nClick "
    "NO to Cancel.";
constexpr const char* kSelectionEmpty =
    "The selection field is empty !\nAction : You must select a folder with subfolder structure.";
constexpr const char* kNoneSelected =
    "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.";
constexpr const char* kImportEmpty = "Empty Result List in the File Import Window!\n";
constexpr const char* kExportEmpty = "The Folder Structure/Templates Window is empty !\n";
constexpr const char* kDeleteSelected = "Do you want to delete the selected item(s) from the Exclude list ?";
constexpr const char* kDeleteSelectedVol03 = "Do you want to delete selected folder(s) from the Exclude list ?";
constexpr const char* kDeleteAllEmpty = "Empty List in the Folder Structure/Templates Window!\n";
constexpr const char* kDeleteAllQuestion =
    "Do you want to delete all item(s) from the Folder Structure/Templates list ?";
constexpr const char* kSelectFilesNote = "You can Select File Names/Types by Clicking on the <Select Files> button.";
constexpr const char* kSelectFilesNoteCaption =
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0277.";

// The captions of one page's messages, as each page words them.
struct GroupCaptions {
  const char* entireDisk;  // question
  const char* selectionEmpty;
  const char* noneSelected;
  const char* importEmpty;
  const char* importFault;
  const char* exportEmpty;
  const char* deleteSelected;  // question
  const char* deleteAllEmpty;
  const char* deleteAllQuestion;  // question
  const char* editFault;
};

const GroupCaptions kVol08Captions = {
    "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0330.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0279.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0280.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0401a.",
    "Copy Folder Structure(s).-From a Folder List.            Warning no: 0385bc.",
    "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0560a.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0281.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0520a.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0521a.",
    "Copy Folder Structure(s).-From a Folder List.            Warning no: 0383bc.",
};

const GroupCaptions kVol02Captions = {
    "Creating Folder(s).-From a String List.            Warning no: 0331.",
    "Creating Folder(s).-From a String List.            Warning no: 0020.",
    "Creating Folder(s).-From a String List.            Warning no: 0021.",
    "Creating Folder(s).-From a String List.             Warning no: 0377a.",
    "Creating Folder(s).-From a String List.            Warning no: 0385bc.",
    "Creating Folder(s).-From a String List.             Warning no: 0560a.",
    "Creating Folder(s).-From a String List.            Warning no: 0022.",
    "Creating Folder(s).-From a String List.            Warning no: 0520a.",
    "Creating Folder(s).-From a String List.            Warning no: 0521a.",
    "Creating Folder(s).-From a String List.            Warning no: 0385bc.",
};

const GroupCaptions kVol03Captions = {
    "Creating Folder(s).-Increased Numbers.            Warning no: 0332.",
    "Creating Folder(s).- Increased Numbers.            Warning no: 0085.",
    "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0086.",
    "Creating Folder(s).- Increased Numbers.             Warning no: 0377b.",
    "Creating Folder(s).-Increased Numbers.            Warning no: 0385bc.",
    "Creating Folder(s).-Increased Numbers.             Warning no: 0560a.",
    "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0087.",
    "Creating Folder(s).-Increased Numbers.            Warning no: 0520a.",
    "Creating Folder(s).-Increased Numbers.            Warning no: 0521a.",
    "Creating Folder(s).- Increased Numbers.            Warning no: 0385bc.",
};

const GroupCaptions kVol04Captions = {
    "Creating Folder(s).-From a Folder List.            Warning no: 0333.",
    "Creating Folder(s).-From a Folder List.            Warning no: 0056.",
    "Creating Folder(s).-From a Folder List.            Warning no: 0057.",
    "Creating Folder(s).-From a Folder List.             Warning no: 0383a.",
    "Creating Folder(s).-From a Folder List.            Warning no: 0385bc.",
    "Creating Folder(s).-From a Folder List.             Warning no: 0560a.",
    "Creating Folder(s).-From a Folder List.            Warning no: 0058.",
    "Creating Folder(s).-From a Folder List..            Warning no: 0520a.",
    "Creating Folder(s).-From a Folder List.            Warning no: 0521a.",
    "Creating Folder(s).- From a Folder List - Level.            Warning no: 0385bc.",
};

const GroupCaptions& CaptionsOf(PageKey page) {
  switch (page) {
    case PageKey::Vol08: return kVol08Captions;
    case PageKey::Vol02: return kVol02Captions;
    case PageKey::Vol03: return kVol03Captions;
    case PageKey::Vol04: return kVol04Captions;
    default: throw std::logic_error("page without structures");
  }
}

// ---------------------------------------------------------------- captions

struct RadioCaptions {
  const char* fullPaths;
  const char* relativePaths;
  const char* mainWithFiles;
  const char* subWithFiles;
};

const RadioCaptions kCopyRadios = {"Copy Existing Folder Structures to Each Folder.",
                                   "Copy Folder Templates to Each Folder.",
                                   "Main Folders and their Subfolders - With Sel. Files.",
                                   "Subfolders Only - With Selected Files."};
const RadioCaptions kCreateRadios = {"Existing Folder Structures to Each Created Folder.",
                                     "Folder Templates to Each Created Folder.",
                                     "Main Folders and their Subfolders - With Files.", "Subfolders Only - With Files."};

std::string Named(PageKey page, const char* prefix, const char* suffix) {
  return prefix + std::string(PageOf(page).name) + suffix;
}

int OptionsKeyOf(PageKey page) {
  if (auto key = TemplateOptionsKey(page)) return *key;
  throw std::logic_error("page without structures");
}

std::size_t Utf8Characters(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

}  // namespace

// ------------------------------------------------------------------- check

ListCheckResult CheckStructureLines(const std::vector<std::string>& lines, SourceKind kind,
                                    DriveSectionVariant variant) {
  std::vector<std::string> taken;
  taken.reserve(lines.size());
  for (const std::string& line : lines)
    if (!Trim(line).empty()) taken.push_back(Trim(line));
  const bool templates = kind != SourceKind::Structures;
  ListCheckResult result = CheckList(taken, templates ? ListMode::Strings : ListMode::Folders, variant);
  if (!templates) return result;

  // A template line is joined under its target: without the leading "\" it
  // would run on into the target's own name.
  constexpr std::size_t kShown = 3;
  std::size_t total = 0;
  std::string shown;
  for (const std::string& line : taken) {
    const std::string name = NormalizeListLine(line);
    if (!name.empty() && name.front() == '\\') continue;
    if (total++ < kShown) {
      shown += EscapeControlCharacters(name);
      shown += '\n';
    }
  }
  if (total == 0) return result;
  std::string& message = result.message;
  message += "Error Type: There are paths not beginning with \\ (backslash) (total: ";
  message += std::to_string(total);
  message += ") \n";
  message += shown;
  message += '\n';
  if (total > kShown) {
    message += std::to_string(total - kShown);
    message += "  more left\n\n";
  }
  result.fault = true;
  return result;
}

// ------------------------------------------------------------------- group

StructuresGroup::StructuresGroup(Window& owner, Services services, PageKey page_, FileSelectionControls* files)
    : page(page_),
      optionsKey(OptionsKeyOf(page_)),
      list(owner.Make<ListBox>(Named(page_, "lst", "AddFolderStructure"), false)),
      sum(owner.Make<Label>(Named(page_, "lbl", "FolderStructuresTemplatesSum"), "0")),
      rdoFullPaths(owner.Make<RadioButton>(Named(page_, "rdo", "StructureImportFullPaths"),
                                           (page_ == PageKey::Vol08 ? kCopyRadios : kCreateRadios).fullPaths,
                                           &kinds)),
      rdoRelativePaths(owner.Make<RadioButton>(Named(page_, "rdo", "StructureImportRelativePaths"),
                                               (page_ == PageKey::Vol08 ? kCopyRadios : kCreateRadios).relativePaths,
                                               &kinds)),
      rdoNothing(page_ == PageKey::Vol08
                     ? nullptr
                     : &owner.Make<RadioButton>(Named(page_, "rdo", "AttachNothing"), "Attach Nothing.", &kinds)),
      rdoMainWithFiles(owner.Make<RadioButton>(Named(page_, "rdo", "AttachMainFolderWithFiles"),
                                               (page_ == PageKey::Vol08 ? kCopyRadios : kCreateRadios).mainWithFiles,
                                               &modes)),
      rdoMainWithoutFiles(owner.Make<RadioButton>(Named(page_, "rdo", "AttachMainFolderWithoutFiles"),
                                                  "Main Folders and their Subfolders - Without Files.", &modes)),
      rdoSubWithFiles(owner.Make<RadioButton>(Named(page_, "rdo", "AttachSubFoldersOnlyWithFiles"),
                                              (page_ == PageKey::Vol08 ? kCopyRadios : kCreateRadios).subWithFiles,
                                              &modes)),
      rdoSubWithoutFiles(owner.Make<RadioButton>(Named(page_, "rdo", "AttachSubFoldersOnlyWithoutFiles"),
                                                 "Subfolders Only - Without Files.", &modes)),
      btnAdd(owner.Make<Button>(Named(page_, "btn", "AddFolderStructure"), "Add Structure")),
      btnImport(owner.Make<Button>(Named(page_, "btn", "ImportFolderStructuresTemplates"), "Import")),
      btnExport(owner.Make<Button>(Named(page_, "btn", "ExportFolderStructuresTemplates"), "Export")),
      btnEdit(owner.Make<Button>(Named(page_, "btn", "EditFolderStructuresTemplates"), "Edit")),
      btnView(owner.Make<Button>(Named(page_, "btn", "ViewFolderStructure"), "View Selected")),
      btnDeleteSel(owner.Make<Button>(Named(page_, "btn", "DeleteSelFolderStructuresTemplates"), "Delete Sel.")),
      btnDeleteAll(owner.Make<Button>(Named(page_, "btn", "DeleteAllFolderStructuresTemplates"), "Delete All")),
      btnOptions(owner.Make<Button>(Named(page_, "btn", "FolderTemplatesOptions"), "Options")),
      services_(services),
      files_(files) {
  rdoFullPaths.onClick = [this] { SourceKindClick(SourceKind::Structures); };
  rdoRelativePaths.onClick = [this] { SourceKindClick(SourceKind::Templates); };
  if (rdoNothing) rdoNothing->onClick = [this] { SourceKindClick(SourceKind::Nothing); };
  rdoMainWithFiles.onClick = [this] { AttachModeClick(AttachMode::MainWithFiles); };
  rdoMainWithoutFiles.onClick = [this] { AttachModeClick(AttachMode::MainWithoutFiles); };
  rdoSubWithFiles.onClick = [this] { AttachModeClick(AttachMode::SubWithFiles); };
  rdoSubWithoutFiles.onClick = [this] { AttachModeClick(AttachMode::SubWithoutFiles); };
  btnAdd.onClick = [this] { AddStructureClick(); };
  btnImport.onClick = [this] { ImportClick(); };
  btnExport.onClick = [this] { ExportClick(); };
  btnEdit.onClick = [this] { EditClick(); };
  btnView.onClick = [this] { ViewSelectedClick(); };
  btnDeleteSel.onClick = [this] { DeleteSelClick(); };
  btnDeleteAll.onClick = [this] { DeleteAllClick(); };
  btnOptions.onClick = [this] { OptionsClick(); };
  // A change from outside the handlers (a script filling the list) still
  // reaches the count and the page.
  listChanged_ = list.changed.Connect([this](const ControlEvent& event) {
    if (quiet_ > 0) return;
    if (event.change == ControlChange::RowsInserted || event.change == ControlChange::RowsRemoved ||
        event.change == ControlChange::RowsReset)
      Changed();
  });
  rdoRelativePaths.SetChecked(true);
  ApplyKind(false);
}

void StructuresGroup::AttachWindows(TfrmFileImport& fileImport, TfrmFileExport& fileExport,
                                    TfrmFolderStructuresTemplates& editor, TfrmFolderTemplateOptions& options) {
  fileImport_ = &fileImport;
  fileExport_ = &fileExport;
  editor_ = &editor;
  options_ = &options;
}

SourceKind StructuresGroup::Kind() const {
  if (rdoFullPaths.Checked()) return SourceKind::Structures;
  if (rdoNothing && rdoNothing->Checked()) return SourceKind::Nothing;
  return SourceKind::Templates;
}

std::optional<AttachMode> StructuresGroup::Mode() const {
  if (rdoMainWithFiles.Checked()) return AttachMode::MainWithFiles;
  if (rdoMainWithoutFiles.Checked()) return AttachMode::MainWithoutFiles;
  if (rdoSubWithFiles.Checked()) return AttachMode::SubWithFiles;
  if (rdoSubWithoutFiles.Checked()) return AttachMode::SubWithoutFiles;
  return std::nullopt;
}

std::string StructuresGroup::SourceMark() const {
  switch (Kind()) {
    case SourceKind::Structures: return "F";
    case SourceKind::Templates: return "R";
    case SourceKind::Nothing: return "N";
  }
  return "R";
}

void StructuresGroup::SetPageEnabled(bool enabled) {
  if (pageEnabled_ == enabled) return;
  pageEnabled_ = enabled;
  RefreshEnabling();
}

void StructuresGroup::FormCreate() {
  ++quiet_;
  list.Clear();
  --quiet_;
  rdoRelativePaths.SetChecked(true);
  ApplyKind(false);
  Changed();
}

void StructuresGroup::Reset() {
  FormCreate();
  sum.SetCaption("");
}

// ------------------------------------------------------------ kinds, modes

void StructuresGroup::SourceKindClick(SourceKind kind) {
  if (kind == SourceKind::Structures) rdoFullPaths.SetChecked(true);
  else if (kind == SourceKind::Templates) rdoRelativePaths.SetChecked(true);
  else if (rdoNothing) rdoNothing->SetChecked(true);
  ApplyKind(true);
  Changed();
}

void StructuresGroup::ApplyKind(bool clear) {
  if (clear) {
    ++quiet_;
    list.Clear();
    --quiet_;
  }
  if (Kind() == SourceKind::Structures) {
    if (!Mode()) rdoMainWithoutFiles.SetChecked(true);
  } else {
    for (RadioButton* r : modes.Buttons()) r->SetChecked(false);
  }
  RefreshEnabling();
  ShowSum();
}

void StructuresGroup::RefreshEnabling() {
  const bool on = pageEnabled_;
  const SourceKind kind = Kind();
  const bool structures = kind == SourceKind::Structures;
  const bool templates = kind == SourceKind::Templates;
  for (RadioButton* r : kinds.Buttons()) r->SetEnabled(on);
  for (RadioButton* r : modes.Buttons()) r->SetEnabled(on && structures);
  btnAdd.SetEnabled(on && structures);
  btnView.SetEnabled(on && structures);
  for (Button* b : {&btnOptions, &btnImport, &btnExport, &btnEdit}) b->SetEnabled(on && templates);
  for (Control* c : std::initializer_list<Control*>{&btnDeleteSel, &btnDeleteAll, &list, &sum})
    c->SetEnabled(on && kind != SourceKind::Nothing);
  if (files_) {
    const auto mode = Mode();
    const bool withFiles = on && structures && mode && WithFiles(*mode);
    for (Control* c : std::initializer_list<Control*>{&files_->select, &files_->status, &files_->allSelected})
      c->SetEnabled(withFiles);
  }
}

void StructuresGroup::AttachModeClick(AttachMode mode) {
  RadioButton* radio = mode == AttachMode::MainWithFiles      ? &rdoMainWithFiles
                       : mode == AttachMode::MainWithoutFiles ? &rdoMainWithoutFiles
                       : mode == AttachMode::SubWithFiles     ? &rdoSubWithFiles
                                                              : &rdoSubWithoutFiles;
  radio->SetChecked(true);
  RefreshEnabling();
  if (page == PageKey::Vol08) {
    bool* shown = mode == AttachMode::MainWithFiles  ? &noteShownMode1_
                  : mode == AttachMode::SubWithFiles ? &noteShownMode3_
                                                     : nullptr;
    if (shown && !*shown) {
      *shown = true;
      Warn(kSelectFilesNote, kSelectFilesNoteCaption);
    }
  }
  Changed();
}

// ------------------------------------------------------------ add and view

void StructuresGroup::AddStructureClick() { AddStructure(services_.ui.SelectFolder("Browse Title")); }

void StructuresGroup::AddStructure(const std::string& path) {
  const GroupCaptions& captions = CaptionsOf(page);
  const std::string trimmed = Trim(path);
  if (trimmed.empty()) {
    // A cancelled browser: nothing to take, and nothing to run with.
    if (runButtons) runButtons(false);
    Warn(kSelectionEmpty, captions.selectionEmpty);
    return;
  }
  const std::size_t length = Utf8Characters(trimmed);
  if (length < 3) return;
  if (length == 3) {
    const std::string drive = ExtractFileDrive(trimmed);
    if (drive.empty() || !services_.drives.IsDrivePartPresent(drive)) return;
    if (!Ask(kEntireDisk, captions.entireDisk)) return;
  }
  if (!HoldsExactly(trimmed)) {
    ++quiet_;
    list.Add(trimmed);
    --quiet_;
  }
  Changed();
  if (runButtons) runButtons(true);
}

void StructuresGroup::DropPaths(const std::vector<std::string>& hostPaths) {
  if (!list.Enabled()) return;
  std::vector<std::string> refusals;
  for (const std::string& host : hostPaths) {
    const DroppedItem item = ClassifyDrop(host, services_.drives, services_.fs);
    std::string refusal;
    if (item.kind == DropKind::Folder) {
      if (btnAdd.Enabled()) {
        AddStructure(item.path);
        continue;
      }
      refusal = "Folders can be dropped here when \"" + rdoFullPaths.Caption() + "\" is chosen.";
    } else if (item.kind == DropKind::TextFile) {
      refusal = "\"" + item.path + "\" is a file.\nTemplates are read from a file with \"" + btnImport.Caption() +
                "\"; folders can be dropped here.";
    } else {
      refusal = DropRefusal(item, services_.drives);
    }
    refusals.push_back(std::move(refusal));
  }
  // Of many items, one box tells what was not taken.
  if (refusals.empty()) return;
  services_.ui.ShowMessageBox(hostPaths.size() > 1 ? DropSummary(hostPaths.size(), refusals) : refusals.front(),
                              kDropCaption, MessageKind::Warning);
}

bool StructuresGroup::HoldsExactly(const std::string& item) const {
  // The case-blind index answers "absent" at once; only a case-blind twin
  // costs a look at the texts.
  if (!list.Contains(item)) return false;
  for (const std::string_view each : list.Texts())
    if (each == item) return true;
  return false;
}

void StructuresGroup::ViewSelectedClick() {
  long at = list.ItemIndex();
  if (at < 0 || static_cast<std::size_t>(at) >= list.Count() || !list.Selected(static_cast<std::size_t>(at))) {
    const std::vector<std::size_t> rows = list.SelectedRows();
    at = rows.empty() ? -1 : static_cast<long>(rows.front());
  }
  if (at < 0) {
    Warn(kNoneSelected, CaptionsOf(page).noneSelected);
    return;
  }
  services_.ui.OpenFolder(Trim(list.Item(static_cast<std::size_t>(at))));
}

// -------------------------------------------------------- import and export

void StructuresGroup::AppendLines(const std::vector<std::string>& lines, bool filterDrive) {
  const bool structures = Kind() == SourceKind::Structures;
  std::unordered_set<std::string_view> present;
  present.reserve(list.Count() + lines.size());
  for (const std::string_view item : list.Texts()) present.insert(item);
  std::vector<std::string> fresh;
  // `present` holds views into `fresh`, which therefore never reallocates.
  fresh.reserve(lines.size());
  for (const std::string& line : lines) {
    std::string item = NormalizeListLine(Trim(line));
    if (Trim(item).empty()) continue;
    if (filterDrive && HasDrive(item) != structures) continue;
    fresh.push_back(std::move(item));
    if (!present.insert(fresh.back()).second) fresh.pop_back();
  }
  ++quiet_;
  list.AddMany(std::move(fresh));
  --quiet_;
}

void StructuresGroup::ImportClick() {
  if (!fileImport_) return;
  const GroupCaptions& captions = CaptionsOf(page);
  const ModalResult result = services_.ui.ShowModal(*fileImport_);
  const ListBox& preview = fileImport_->lstFileImportResults;
  if (preview.Empty()) {
    Warn(kImportEmpty, captions.importEmpty);
    return;
  }
  if (result != ModalResult::Ok) return;
  const ListCheckResult check = CheckStructureLines(preview.Items(), Kind(), DriveSectionVariant::SmartImport);
  if (check.fault) {
    Warn(check.message.c_str(), captions.importFault);
    return;
  }
  AppendLines(preview.Items(), false);
  ApplyKind(false);
  Changed();
}

void StructuresGroup::ExportClick() {
  if (!fileExport_) return;
  if (list.Empty()) {
    Warn(kExportEmpty, CaptionsOf(page).exportEmpty);
    return;
  }
  fileExport_->Load(list.Items());
  fileExport_->exportMode = TfrmFileExport::kModeStrings;
  if (!fileExport_->lstFileExportSource.Empty()) fileExport_->lstFileExportSource.SetItemIndex(0);
  services_.ui.ShowModal(*fileExport_);
}

// -------------------------------------------------------------------- edit

void StructuresGroup::EditClick() {
  if (!editor_) return;
  TfrmFolderStructuresTemplates& editor = *editor_;
  editor.mmoEditFolderStructuresTemplates.SetLines(list.Items());
  editor.ShowLineCount();
  // One editor serves four pages: this page's group answers its buttons.
  editor.btnFolderStructuresTemplatesOk.onClick = [this] { EditOk(); };
  editor.btnFolderStructuresTemplatesCancel.onClick = [this] { EditCancel(); };
  editor.modalResult = ModalResult::None;
  services_.ui.ShowModal(editor);
  editor.mmoEditFolderStructuresTemplates.SetLines({});
}

void StructuresGroup::EditOk() {
  TfrmFolderStructuresTemplates& editor = *editor_;
  const std::vector<std::string>& lines = editor.mmoEditFolderStructuresTemplates.Lines();
  const ListCheckResult check = CheckStructureLines(lines, Kind(), DriveSectionVariant::EditWindow);
  if (check.fault) {
    // The window stays open with the memo as it is, so nothing typed is lost.
    Warn(check.message.c_str(), CaptionsOf(page).editFault);
    return;
  }
  ++quiet_;
  list.Clear();
  --quiet_;
  AppendLines(lines, true);
  editor.modalResult = ModalResult::Ok;
  ApplyKind(false);
  Changed();
}

void StructuresGroup::EditCancel() {
  if (editor_) editor_->modalResult = ModalResult::Cancel;
}

// ------------------------------------------------------------------ delete

void StructuresGroup::DeleteSelClick() {
  const char* question = page == PageKey::Vol03 ? kDeleteSelectedVol03 : kDeleteSelected;
  if (Ask(question, CaptionsOf(page).deleteSelected)) {
    // One pass over the list, however many rows are selected.
    ++quiet_;
    list.DeleteSelected();
    --quiet_;
  }
  Changed();
}

void StructuresGroup::DeleteAllClick() {
  const GroupCaptions& captions = CaptionsOf(page);
  if (list.Empty()) {
    Warn(kDeleteAllEmpty, captions.deleteAllEmpty);
    return;
  }
  if (!Ask(kDeleteAllQuestion, captions.deleteAllQuestion)) return;
  ++quiet_;
  list.Clear();
  --quiet_;
  Changed();
}

void StructuresGroup::OptionsClick() {
  if (!options_) return;
  options_->SetPageKey(optionsKey);
  options_->modalResult = ModalResult::None;
  services_.ui.ShowModal(*options_);
}

// ----------------------------------------------------------------- helpers

void StructuresGroup::ShowSum() { sum.SetCaption(std::to_string(list.Count())); }

void StructuresGroup::Changed() {
  ShowSum();
  if (changed) changed();
}

void StructuresGroup::Warn(const char* text, const char* caption) {
  services_.ui.ShowMessageBox(text, caption, MessageKind::Warning);
}

bool StructuresGroup::Ask(const char* text, const char* caption) {
  return services_.ui.ShowMessageBox(text, caption, MessageKind::Question) == MessageAnswer::Yes;
}

}  // namespace quillory
