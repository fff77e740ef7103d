#include "lists/file_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_set>
#include <utility>

#include "app/settings_store.h"
#include "app/ui.h"
#include "lists/import_class.h"
#include "lists/list_windows.h"
#include "lists/separator_windows.h"
#include "names/folder_names.h"
#include "platform/file_io.h"
#include "platform/line_reader.h"
#include "platform/text.h"

namespace quillory {

namespace {

enum class Msg { NotTxt, OpenFailed, PreviewOpenFailed, Loaded, PreviewBuilt, EditLimit };

struct ImportMessage {
  Msg id;
  const char* number;
  MessageKind kind;
  const char* text;
  const char* caption;
};

constexpr ImportMessage kMessages[] = {
    {Msg::NotTxt, "0311", MessageKind::Question,
     "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to select this file ?\nClick "
     "YES to Continue Selecting this file,\nClick NO to Stop the Select process.",
     "Import File content.            Warnings no: 0311."},
    {Msg::OpenFailed, "0312", MessageKind::Warning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     "Import File content.            Warnings no: 0312."},
    {Msg::PreviewOpenFailed, "0313", MessageKind::Warning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     "Import File content.            Warnings no: 0313."},
    {Msg::Loaded, "0450", MessageKind::Information, "End of the IMPORT process!",
     "Import File content.            Information no: 0450."},
    {Msg::PreviewBuilt, "0451", MessageKind::Information, "End of the making FOLDER LIST process! (Preview)",
     "Import File content.            Information no: 0451."},
    {Msg::EditLimit, "0297", MessageKind::Warning,
     "In this Version you can enter or load\nmaximum 30,000 Folders/Subfolders!\n\n",
     "Edit Import Folders/Subfolders.            Warning no: 0297."},
};

const char* const kDialogTitle = "Import Folder Names (strings) from Files.";
const char* const kDialogFilter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";

// Used when the settings hold no separators (or no quotation marks).
const char* const kDefaultEntries[] = {",", "\"", "'", "|", "~", ";", ":", "#", "&",
                                       "@", "$", "<", ">", ".", "-", "_", "space"};

// Lines and items reach the lists in batches: one change event each, and a
// chance for the window to repaint.
constexpr std::size_t kBatch = 8192;

MessageAnswer Show(Ui& ui, Msg id) {
  for (const ImportMessage& m : kMessages)
    if (m.id == id) return ui.ShowMessageBox(m.text, m.caption, m.kind);
  return MessageAnswer::Ok;
}

// Another text under the caption of a message of the table.
void ShowText(Ui& ui, Msg id, const std::string& text) {
  for (const ImportMessage& m : kMessages)
    if (m.id == id) ui.ShowMessageBox(text, m.caption, MessageKind::Warning);
}

bool IsBlank(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

std::string AsciiLower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

void FillBox(ComboBox& box, const std::vector<std::string>& stored) {
  box.SetItems(SeparatorBoxEntries(stored));
  box.SetItemIndex(box.Items().empty() ? -1 : 0);
}

}  // namespace

std::vector<std::string> SeparatorBoxEntries(const std::vector<std::string>& stored) {
  std::vector<std::string> source = stored;
  if (source.empty()) source.assign(std::begin(kDefaultEntries), std::end(kDefaultEntries));
  std::vector<std::string> entries;
  std::unordered_set<std::string> seen;
  for (const std::string& raw : source) {
    std::string entry = AsciiLower(Trim(raw));
    if (entry.empty() || !seen.insert(entry).second) continue;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string CutToCharacters(std::string_view line, std::size_t maxChars) {
  std::size_t at = 0;
  for (std::size_t chars = 0; at < line.size() && chars < maxChars; ++chars) at += Utf8CharLength(line, at);
  return std::string(line.substr(0, at));
}

std::string LowerExtension(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return AsciiLower(std::string(name.substr(dot + 1)));
}

// ------------------------------------------------------------ edit window

TfrmEditSmartImport::TfrmEditSmartImport()
    : Window("TfrmEditSmartImport", "Edit the content of the Import Window."),
      mmoEditSmartImport(Make<Memo>("mmoEditSmartImport")),
      lblEditSmartImportLinesCurrent(Make<Label>("lblEditSmartImportLinesCurrent", "0")),
      btnEditSmartImportOk(Make<Button>("btnEditSmartImportOk", "OK")),
      btnEditSmartImportCancel(Make<Button>("btnEditSmartImportCancel", "Cancel")) {
  mmoEditSmartImport.SetReadOnly(false);
  mmoEditSmartImport.onChange = [this] { ShowLineCount(); };
}

TfrmEditSmartImport::~TfrmEditSmartImport() { mmoEditSmartImport.SetLines({}); }

void TfrmEditSmartImport::ShowLineCount() {
  lblEditSmartImportLinesCurrent.SetCaption(std::to_string(mmoEditSmartImport.Lines().size()));
}

// ---------------------------------------------------------- import window

TfrmFileImport::TfrmFileImport(Ui& ui, SettingsStore& settings, FileSystem& fs)
    : Window("TfrmFileImport", "Import Folders/Subfolders/Strings  from a Text File."),
      edtFileImportFileName(Make<Edit>("edtFileImportFileName")),
      btnFileImportBrowse(Make<Button>("btnFileImportBrowse", "Browse")),
      lstFileImportSource(Make<ListBox>("lstFileImportSource", false)),
      lblFileImportSourceLines(Make<Label>("lblFileImportSourceLines", "0")),
      rdoFileImportPlainText(
          Make<RadioButton>("rdoFileImportPlainText", "From  a Plain Text File (One line - One String).", &kinds)),
      rdoFileImportSeparatedFile(Make<RadioButton>("rdoFileImportSeparatedFile", "From a CSV/ Separated file.", &kinds)),
      rdoFileImportAllColumns(Make<RadioButton>("rdoFileImportAllColumns", "All columns", &columns)),
      rdoFileImportOneColumn(Make<RadioButton>("rdoFileImportOneColumn", "Select a Column :", &columns)),
      edtFileImportColumnNumber(Make<Edit>("edtFileImportColumnNumber")),
      udFileImportColumnNumber(Make<UpDown>("udFileImportColumnNumber", edtFileImportColumnNumber, 1, 100, true)),
      cboFileImportDelimiter(Make<ComboBox>("cboFileImportDelimiter")),
      cboFileImportQuotationMark(Make<ComboBox>("cboFileImportQuotationMark")),
      chkFileImportAbandonQMarks(
          Make<CheckBox>("chkFileImportAbandonQMarks", "Abandon Quotation Marks around strings (if any).")),
      btnFileImportManageDelimiters(Make<Button>("btnFileImportManageDelimiters", "Separators...")),
      btnFileImportManageQuotationMarks(Make<Button>("btnFileImportManageQuotationMarks", "Quotation Marks...")),
      btnFileImportFrom(Make<Button>("btnFileImportFrom", "Create a      Folder/String  List")),
      lstFileImportResults(Make<ListBox>("lstFileImportResults", false)),
      lblFileImportPreviewLines(Make<Label>("lblFileImportPreviewLines", "0")),
      btnSmartImportZoomOriginalFile(Make<Button>("btnSmartImportZoomOriginalFile", "Zoom")),
      btnSmartImportZoomPreview(Make<Button>("btnSmartImportZoomPreview", "Zoom")),
      btnSmartImportPreviewEdit(Make<Button>("btnSmartImportPreviewEdit", "Edit")),
      btnFileImportClear(Make<Button>("btnFileImportClear", "Clear All  ")),
      btnFileImportOk(Make<Button>("btnFileImportOk", "IMPORT")),
      btnFileImportCancel(Make<Button>("btnFileImportCancel", "Cancel")),
      ui_(ui),
      settings_(settings),
      fs_(fs) {
  rdoFileImportPlainText.SetChecked(true);
  edtFileImportColumnNumber.SetText("1");
  chkFileImportAbandonQMarks.SetChecked(true);
  cboFileImportQuotationMark.SetVisible(false);

  edtFileImportFileName.onEnter = [this] { LoadSource(); };
  btnFileImportBrowse.onClick = [this] { LoadSource(); };
  rdoFileImportSeparatedFile.onClick = [this] { rdoFileImportAllColumns.SetChecked(true); };
  btnFileImportFrom.onClick = [this] { BuildPreview(); };
  btnSmartImportZoomOriginalFile.onClick = [this] { ZoomSource(); };
  btnSmartImportZoomPreview.onClick = [this] { ZoomPreview(); };
  btnSmartImportPreviewEdit.onClick = [this] { EditPreview(); };
  btnFileImportClear.onClick = [this] { ClearAll(); };
  btnFileImportManageDelimiters.onClick = [this] { ManageDelimiters(); };
  btnFileImportManageQuotationMarks.onClick = [this] { ManageQuotationMarks(); };
  btnFileImportOk.onClick = [this] { modalResult = ModalResult::Ok; };
  btnFileImportCancel.onClick = [this] { modalResult = ModalResult::Cancel; };

  // The counters show the real counts, and what may be pressed follows the
  // two lists, however they changed.
  sourceChanged_ = lstFileImportSource.changed.Connect([this](const ControlEvent& e) {
    if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsRemoved ||
        e.change == ControlChange::RowsReset)
      ShowCount(lstFileImportSource, lblFileImportSourceLines);
  });
  previewChanged_ = lstFileImportResults.changed.Connect([this](const ControlEvent& e) {
    if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsRemoved ||
        e.change == ControlChange::RowsReset)
      ShowCount(lstFileImportResults, lblFileImportPreviewLines);
  });
  RefreshEnabled();
}

void TfrmFileImport::Attach(TfrmEditSmartImport& editor, TfrmZoomIncludeWindow& zoom, TfrmDelimiters& delimiters,
                            TfrmQuotationMarks& quotationMarks) {
  editor_ = &editor;
  zoom_ = &zoom;
  delimiters_ = &delimiters;
  quotationMarks_ = &quotationMarks;
  editor.btnEditSmartImportOk.onClick = [this] { EditOk(); };
  editor.btnEditSmartImportCancel.onClick = [this] { EditCancel(); };
}

void TfrmFileImport::FillBoxes() {
  FillBox(cboFileImportDelimiter, settings_.Separators());
  FillBox(cboFileImportQuotationMark, settings_.QuotationMarks());
}

void TfrmFileImport::ShowCount(const ListBox& list, Label& counter) {
  counter.SetCaption(std::to_string(list.Count()));
  RefreshEnabled();
}

void TfrmFileImport::RefreshEnabled() {
  const bool source = !lstFileImportSource.Empty();
  for (Control* c : std::initializer_list<Control*>{
           &lstFileImportResults, &lblFileImportPreviewLines, &rdoFileImportPlainText, &rdoFileImportSeparatedFile,
           &rdoFileImportAllColumns, &rdoFileImportOneColumn, &edtFileImportColumnNumber, &udFileImportColumnNumber,
           &cboFileImportDelimiter, &chkFileImportAbandonQMarks, &btnSmartImportPreviewEdit,
           &btnSmartImportZoomOriginalFile, &btnSmartImportZoomPreview, &btnFileImportFrom})
    c->SetEnabled(source);
  btnFileImportOk.SetEnabled(!lstFileImportResults.Empty());
}

int TfrmFileImport::ChosenKind() const {
  if (!rdoFileImportSeparatedFile.Checked()) return kImportPlain;
  if (rdoFileImportAllColumns.Checked()) return kImportAllColumns;
  if (rdoFileImportOneColumn.Checked()) return kImportOneColumn;
  return kImportPlain;
}

int TfrmFileImport::ColumnNumber() const {
  std::string text = Trim(edtFileImportColumnNumber.Text());
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  (void)end;
  // Nothing readable, zero or less: the first column.
  if (error != std::errc{} || !(value >= 1)) return 1;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(std::floor(value));
}

// ------------------------------------------------------------ loading

void TfrmFileImport::LoadSource() {
  const std::string path =
      ui_.OpenFileDialog(FileDialogOptions{kDialogTitle, kDialogFilter, "txt", edtFileImportFileName.Text()});
  if (path.empty()) {
    RefreshEnabled();
    return;
  }
  if (LowerExtension(path) != "txt" && Show(ui_, Msg::NotTxt) != MessageAnswer::Yes) {
    RefreshEnabled();
    return;
  }
  ReadSource(path);
  RefreshEnabled();
}

void TfrmFileImport::ReadSource(const std::string& path) {
  std::unique_ptr<InputFile> file = OpenInputFile(path, fs_);
  if (!file) {
    // The lists still show the previous file; so does the name box.
    Show(ui_, Msg::OpenFailed);
    return;
  }
  edtFileImportFileName.SetText(path);
  lstFileImportSource.Clear();
  lstFileImportResults.Clear();
  LineReader reader(*file);
  std::vector<std::string> batch;
  std::string line;
  BadLines nulLines;
  std::size_t lineNumber = 0;
  while (reader.Next(line)) {
    ++lineNumber;
    if (HoldsNul(line)) {
      nulLines.Add(lineNumber);
      continue;
    }
    if (IsBlank(line)) continue;
    batch.push_back(CutToCharacters(line, kSourceLineChars));
    if (batch.size() >= kBatch) {
      lstFileImportSource.AddMany(std::move(batch));
      batch.clear();
      ui_.Repaint();
    }
  }
  lstFileImportSource.AddMany(std::move(batch));
  if (!nulLines.Empty()) ShowText(ui_, Msg::OpenFailed, nulLines.NulMessage());
  // A read error part-way is no success: what was read stays on show.
  Show(ui_, reader.Failed() ? Msg::OpenFailed : Msg::Loaded);
}

// ------------------------------------------------------------ preview

void TfrmFileImport::BuildPreview() {
  lstFileImportResults.Clear();
  ImportClass importer(edtFileImportFileName.Text(), ChosenKind(), cboFileImportDelimiter.Text(),
                       cboFileImportQuotationMark.Text(), chkFileImportAbandonQMarks.Checked(), fs_);
  importer.SetColumn(ColumnNumber());
  if (importer.Run() == 2) {
    Show(ui_, Msg::PreviewOpenFailed);
    RefreshEnabled();
    return;
  }
  std::vector<std::string> items = importer.TakeResult();
  std::vector<std::string> batch;
  batch.reserve(std::min(items.size(), kBatch));
  for (std::string& item : items) {
    if (IsBlank(item)) continue;
    // Moved, not copied: a million items must not be held twice.
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    if (blank(item.front()) || blank(item.back())) item = Trim(item);
    batch.push_back(std::move(item));
    if (batch.size() >= kBatch) {
      lstFileImportResults.AddNew(std::move(batch));
      batch.clear();
      ui_.Repaint();
    }
  }
  lstFileImportResults.AddNew(std::move(batch));
  RefreshEnabled();
  if (!importer.NulLines().Empty()) ShowText(ui_, Msg::PreviewOpenFailed, importer.NulLines().NulMessage());
  Show(ui_, importer.ReadFailed() ? Msg::PreviewOpenFailed : Msg::PreviewBuilt);
}

// --------------------------------------------------------- zoom and edit

void TfrmFileImport::Zoom(const ListBox& list) {
  if (!zoom_) return;
  // Emptied first: the window shows this list, not what another showed.
  zoom_->lstZoomIncludeWindow.Clear();
  zoom_->lstZoomIncludeWindow.AddNew(list.Items());
  zoom_->modalResult = ModalResult::None;
  ui_.ShowModal(*zoom_);
}

void TfrmFileImport::ZoomSource() { Zoom(lstFileImportSource); }
void TfrmFileImport::ZoomPreview() { Zoom(lstFileImportResults); }

void TfrmFileImport::EditPreview() {
  if (!editor_) return;
  editor_->mmoEditSmartImport.SetLines(lstFileImportResults.Items());
  editor_->ShowLineCount();
  editor_->modalResult = ModalResult::None;
  ui_.ShowModal(*editor_);
  RefreshEnabled();
}

void TfrmFileImport::EditOk() {
  TfrmEditSmartImport& editor = *editor_;
  std::vector<std::string> kept;
  std::unordered_set<std::string> seen;
  bool overLimit = false;
  for (const std::string& line : editor.mmoEditSmartImport.Lines()) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty()) continue;
    std::string item = NormalizeListLine(trimmed);
    if (!seen.insert(CaseFold(item)).second) continue;
    if (kept.size() == kEditLimit) {
      overLimit = true;
      break;
    }
    kept.push_back(std::move(item));
  }
  lstFileImportResults.Clear();
  lstFileImportResults.AddMany(std::move(kept));
  if (overLimit) {
    // The window stays open with the memo as it is.
    Show(ui_, Msg::EditLimit);
    return;
  }
  editor.mmoEditSmartImport.SetLines({});
  editor.ShowLineCount();
  editor.modalResult = ModalResult::Ok;
}

void TfrmFileImport::EditCancel() {
  editor_->mmoEditSmartImport.SetLines({});
  editor_->ShowLineCount();
  editor_->modalResult = ModalResult::Cancel;
}

// ------------------------------------------------------- clear and manage

void TfrmFileImport::ClearAll() {
  edtFileImportFileName.SetText("");
  lstFileImportSource.Clear();
  lstFileImportResults.Clear();
  rdoFileImportPlainText.SetChecked(true);
  rdoFileImportAllColumns.SetChecked(false);
  rdoFileImportOneColumn.SetChecked(false);
  edtFileImportColumnNumber.SetText("1");
  chkFileImportAbandonQMarks.SetChecked(true);
  cboFileImportDelimiter.SetItemIndex(cboFileImportDelimiter.Items().empty() ? -1 : 0);
  RefreshEnabled();
}

void TfrmFileImport::ManageDelimiters() {
  if (delimiters_) ui_.ShowModal(*delimiters_);
  FillBox(cboFileImportDelimiter, settings_.Separators());
}

void TfrmFileImport::ManageQuotationMarks() {
  if (quotationMarks_) ui_.ShowModal(*quotationMarks_);
  FillBox(cboFileImportQuotationMark, settings_.QuotationMarks());
}

}  // namespace quillory
