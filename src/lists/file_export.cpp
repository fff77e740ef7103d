#include "lists/file_export.h"

#include <string_view>
#include <unordered_set>
#include <utility>

#include "app/settings_store.h"
#include "app/ui.h"
#include "lists/list_panel.h"
#include "names/list_check.h"
#include "platform/drives.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace quillory {

namespace {

// ------------------------------------------------------------------ texts

constexpr const char* kCaption = "Export Datas to a File.";
constexpr const char* kSourceTitle = "Original Content to Export:";
constexpr const char* kExportedTitle = "Exported:";
constexpr const char* kPlainCaption = "To a Plain Text File. One Line - one string.";
constexpr const char* kSeparatedCaption = "To a CSV - Separated File.";
constexpr const char* kDelimiterTitle = "Select a Delimiter";
constexpr const char* kQuotesCaption = "Put Double Quotes around strings.";
constexpr const char* kUnmodifiedCaption = "Unmodified";
constexpr const char* kTemplatesCaption = "As Folder Templates     (Without Drive Letters, if ANY)";
constexpr const char* kExportToCaption = "Export To...";
constexpr const char* kCloseCaption = "Close";

constexpr const char* kWindowDialogTitle = "Export Folder Names (strings) to a file.";
constexpr const char* kPageDialogTitle = "Export List";
constexpr const char* kFilter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
constexpr const char* kDefaultExt = "txt";

constexpr const char* kSyntaxCaption = "Export Content to a File.            Warning no: 0385bc.";
constexpr const char* kSaveFailed = "There was a problem saving the file !\nAction : The file is maybe corrupted.";
constexpr const char* kSaveFailedCaption = "Export Conrent to File.            Warning no: 0330.";
constexpr const char* kExportEnd = "End of the exporting process.";
constexpr const char* kSaveEnd = "End of the saving process.";
// A plain message box carries the program's title and no number.
constexpr const char* kNoteCaption = "Quillory Suite";

constexpr const char* kControlItems = "There are line breaks or other control characters in the items (total: ";
constexpr const char* kControlItemsAction =
    "Action : A list file would read them back as other items; nothing was exported.";

constexpr const char* kIncludeEmpty = "The Include List is empty !\n";
constexpr const char* kBuilderIncludeEmpty = "The Include Folder List is empty !\n";
constexpr const char* kBuilderIncludeEmptyCaption = "SubFolder Level List Builder.             Warning no: 0584.";

struct PageTexts {
  const char* smartEmptyCaption;
  const char* plainFailedCaption;
};

// Vol02, Vol04, Vol06, Vol07, Vol08, in PageKey order.
constexpr PageTexts kPageTexts[] = {
    {"Creating Folder(s).-From a String List.            Warning no: 0556.",
     "Creating Folder(s).-From a String List.            Warning no: 0016."},
    {"Creating Folder(s).-From a Folder List.            Warning no: 0557.",
     "Creating Folder(s).-From a Folder List.            Warning no: 0052."},
    {"Rename Folder(s).-From a Folder List.             Warning no: 0558.",
     "Rename Folders. - From a Folder List.            Warning no: 0197."},
    {"Delete Folder(s).-From a Folder List.             Warning no: 0559.",
     "Delete Folder(s).-From a Folder List.            Warning no: 0232."},
    {"Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0560.",
     "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0275."},
};

const PageTexts& TextsOf(PageKey page) { return kPageTexts[PanelIndex(page)]; }

// The window's own separators, for when the settings hold none.
const std::vector<std::string>& DefaultSeparators() {
  static const std::vector<std::string> entries = {",", "space", "\"", "'", "|", "~", ";", ":", "#",
                                                   "&", "@",     "$",  "<", ">", ".", "-", "_"};
  return entries;
}

constexpr const char* kLineEnd = "\r\n";

// Items between two progress updates (counter and repaint).
constexpr std::size_t kProgressStep = 4096;

// ----------------------------------------------------------------- writer

// What a file's items look like on the way out.
struct ItemFormat {
  std::string quotation;  // "" or one double quotation mark
  bool separated = false;
  std::string separator;  // after every item of a separated file
};

// Writes the items; `progress` sees the number written so far every few
// thousand items and at the end. True when the file is complete.
bool WriteItems(std::string_view programPath, const std::vector<std::string>& items, const ItemFormat& format,
                const std::function<bool(const std::string&)>& keep,
                const std::function<void(std::size_t)>& progress, FileSystem& fs) {
  FileReplacer writer(fs);
  if (!writer.Open(programPath).ok()) return false;
  const std::string_view end = format.separated ? std::string_view(format.separator) : kLineEnd;
  std::size_t written = 0;
  for (const std::string& item : items) {
    if (keep && !keep(item)) continue;
    writer.Write(format.quotation);
    writer.Write(item);
    writer.Write(format.quotation);
    writer.Write(end);
    if (++written % kProgressStep == 0 && progress) progress(written);
  }
  const bool ok = writer.Commit().ok();
  if (progress) progress(written);
  return ok;
}

// The refusal of a list with items that no line-based file holds whole: a
// line break would cut one item in two, and the imports trim and refuse the
// other control characters. Empty when every item (that `keep` takes) is
// fine.
std::string ControlCharacterRefusal(const std::vector<std::string>& items,
                                    const std::function<bool(const std::string&)>& keep = {}) {
  constexpr std::size_t kShown = 3;
  std::vector<std::string> shown;
  std::size_t total = 0;
  for (const std::string& item : items) {
    if (!HoldsControlCharacter(item) || (keep && !keep(item))) continue;
    if (total++ < kShown) shown.push_back(EscapeControlCharacters(item));
  }
  if (total == 0) return {};
  std::string message = kControlItems + std::to_string(total) + ")\n";
  for (const std::string& item : shown) message += item + "\n";
  if (total > shown.size()) {
    message += '\n';
    message += std::to_string(total - shown.size());
    message += "  more left\n";
  }
  message += "\n";
  message += kControlItemsAction;
  return message;
}

// The item less its drive: everything up to and including the first colon.
std::string WithoutDrive(const std::string& item) {
  const std::size_t colon = item.find(':');
  return colon == std::string::npos ? item : item.substr(colon + 1);
}

void Note(Ui& ui, const char* text) { ui.ShowMessageBox(text, kNoteCaption, MessageKind::Information); }

void ShowWindow(Ui& ui, TfrmFileExport& window, const char* mode) {
  window.exportMode = mode;
  if (!window.lstFileExportSource.Empty()) window.lstFileExportSource.SetItemIndex(0);
  ui.ShowModal(window);
}

}  // namespace

// ------------------------------------------------------------------ window

TfrmFileExport::TfrmFileExport(Ui& ui, SettingsStore& settings, FileSystem& fs)
    : Window("TfrmFileExport", kCaption),
      lblFileExportSourceTitle(Make<Label>("lblFileExportSourceTitle", kSourceTitle)),
      lstFileExportSource(Make<ListBox>("lstFileExportSource")),
      lblSmartExportSource(Make<Label>("lblSmartExportSource", "0")),
      lblSmartExportExportedTitle(Make<Label>("lblSmartExportExportedTitle", kExportedTitle)),
      lblSmartExportExported(Make<Label>("lblSmartExportExported", "0")),
      rdoFileExportPlainTextFile(Make<RadioButton>("rdoFileExportPlainTextFile", kPlainCaption, &output)),
      rdoFileExportCSVSeparatedFile(Make<RadioButton>("rdoFileExportCSVSeparatedFile", kSeparatedCaption, &output)),
      lblFileExportDelimiterTitle(Make<Label>("lblFileExportDelimiterTitle", kDelimiterTitle)),
      cboFileExportDelimiter(Make<ComboBox>("cboFileExportDelimiter")),
      chkFileExportQuotationMarks(Make<CheckBox>("chkFileExportQuotationMarks", kQuotesCaption)),
      rdoFileExportUnModified(Make<RadioButton>("rdoFileExportUnModified", kUnmodifiedCaption, &form)),
      rdoFileExportWithoutDriveLetter(
          Make<RadioButton>("rdoFileExportWithoutDriveLetter", kTemplatesCaption, &form)),
      btnFileExportTo(Make<Button>("btnFileExportTo", kExportToCaption)),
      btnFileExportClose(Make<Button>("btnFileExportClose", kCloseCaption)),
      ui_(ui),
      settings_(settings),
      fs_(fs) {
  rdoFileExportPlainTextFile.SetChecked(true);
  rdoFileExportUnModified.SetChecked(true);
  cboFileExportDelimiter.SetEnabled(false);

  rdoFileExportPlainTextFile.onClick = [this] { rdoFileExportPlainTextFileClick(); };
  rdoFileExportCSVSeparatedFile.onClick = [this] { rdoFileExportCSVSeparatedFileClick(); };
  rdoFileExportUnModified.onClick = [this] { rdoFileExportUnModifiedClick(); };
  rdoFileExportWithoutDriveLetter.onClick = [this] { rdoFileExportWithoutDriveLetterClick(); };
  btnFileExportTo.onClick = [this] { btnFileExportToClick(); };
  btnFileExportClose.onClick = [this] { btnFileExportCloseClick(); };
  Handler("FormActivate", [this] { FormActivate(); });
  // Both the scripted and the Qt modal run mark the window shown first.
  shown_ = shownChanged.Connect([this](bool shown) {
    if (shown) FormActivate();
  });
}

void TfrmFileExport::FillBoxes() {
  const std::vector<std::string>& stored = settings_.Separators();
  std::vector<std::string> entries;
  // The store may hold tens of thousands of entries: no scan per entry.
  std::unordered_set<std::string_view> seen;
  for (const std::string& entry : stored.empty() ? DefaultSeparators() : stored) {
    // A blank entry would glue the items together.
    if (Trim(entry).empty()) continue;
    if (seen.insert(entry).second) entries.push_back(entry);
  }
  if (entries.empty()) entries = DefaultSeparators();
  cboFileExportDelimiter.SetItems(std::move(entries));
  cboFileExportDelimiter.SetItemIndex(0);
}

void TfrmFileExport::Load(const std::vector<std::string>& items, const std::function<bool(const std::string&)>& keep) {
  lstFileExportSource.Clear();
  sourceItems.clear();
  lblSmartExportSource.SetCaption("0");
  lblSmartExportExported.SetCaption("0");
  lstFileExportSource.AddNew(items, keep);
  sourceItems = lstFileExportSource.Items();
  ShowCount();
}

void TfrmFileExport::FormActivate() {
  sourceItems = lstFileExportSource.Items();
  ShowCount();
  const bool strings = exportMode == kModeStrings;
  // Strings have no drive to drop; the form must not stay on templates
  // where the person cannot change it.
  if (strings) rdoFileExportUnModified.SetChecked(true);
  rdoFileExportUnModified.SetEnabled(!strings);
  rdoFileExportWithoutDriveLetter.SetEnabled(!strings);
  cboFileExportDelimiter.SetEnabled(rdoFileExportCSVSeparatedFile.Checked());
  ApplyForm();
}

void TfrmFileExport::ApplyForm() {
  std::vector<std::string> items;
  items.reserve(sourceItems.size());
  const bool templates = rdoFileExportWithoutDriveLetter.Checked();
  for (const std::string& item : sourceItems) items.push_back(templates ? WithoutDrive(item) : item);
  lstFileExportSource.Clear();
  lstFileExportSource.AddNew(std::move(items));
  if (!lstFileExportSource.Empty()) lstFileExportSource.SetItemIndex(0);
  ShowCount();
}

void TfrmFileExport::ShowCount() { lblSmartExportSource.SetCaption(std::to_string(lstFileExportSource.Count())); }

void TfrmFileExport::rdoFileExportUnModifiedClick() { ApplyForm(); }
void TfrmFileExport::rdoFileExportWithoutDriveLetterClick() { ApplyForm(); }
void TfrmFileExport::rdoFileExportPlainTextFileClick() { cboFileExportDelimiter.SetEnabled(false); }
void TfrmFileExport::rdoFileExportCSVSeparatedFileClick() { cboFileExportDelimiter.SetEnabled(true); }

void TfrmFileExport::btnFileExportToClick() {
  const std::vector<std::string>& items = lstFileExportSource.Items();
  if (const std::string refusal = ControlCharacterRefusal(items); !refusal.empty()) {
    ui_.ShowMessageBox(refusal, kSyntaxCaption, MessageKind::Warning);
    return;
  }
  const ListCheckResult check = CheckListSyntax(items);
  if (check.fault) {
    ui_.ShowMessageBox(check.message, kSyntaxCaption, MessageKind::Warning);
    return;
  }
  ItemFormat format;
  format.separated = rdoFileExportCSVSeparatedFile.Checked();
  format.separator = Trim(cboFileExportDelimiter.Text());
  // Assigned as characters: GCC 12 at -O3 misreads assigning these literals
  // as an overlapping copy.
  if (SameText(format.separator, "space")) format.separator.assign(1, ' ');
  if (chkFileExportQuotationMarks.Checked()) format.quotation.assign(1, '"');

  const std::string path = ui_.SaveFileDialog(FileDialogOptions{kWindowDialogTitle, kFilter, kDefaultExt, ""});
  if (path.empty()) return;
  lblSmartExportExported.SetCaption("0");
  const bool ok = WriteItems(path, items, format, {}, [this](std::size_t written) {
    lblSmartExportExported.SetCaption(std::to_string(written));
    ui_.Repaint();
  }, fs_);
  if (!ok) {
    // Nothing reached the file: the previous one is still in place.
    lblSmartExportExported.SetCaption("0");
    ui_.ShowMessageBox(kSaveFailed, kSaveFailedCaption, MessageKind::Warning);
  }
  Note(ui_, kExportEnd);
}

void TfrmFileExport::btnFileExportCloseClick() { modalResult = ModalResult::Close; }

// ----------------------------------------------------------------- exports

void SmartExportList(ListPanel& panel, Ui& ui, TfrmFileExport& window) {
  if (panel.include.Empty()) {
    ui.ShowMessageBox(kIncludeEmpty, TextsOf(panel.Page()).smartEmptyCaption, MessageKind::Warning);
    return;
  }
  const bool folders = panel.FolderPage();
  // Strings must have no drive, folders must have one.
  window.Load(panel.include.Items(),
              [folders](const std::string& item) { return HasDrive(Trim(item)) == folders; });
  ShowWindow(ui, window, folders ? TfrmFileExport::kModeFolders : TfrmFileExport::kModeStrings);
}

void SmartExportBuilderList(const ListBox& include, Ui& ui, TfrmFileExport& window) {
  if (include.Empty()) {
    ui.ShowMessageBox(kBuilderIncludeEmpty, kBuilderIncludeEmptyCaption, MessageKind::Warning);
    return;
  }
  window.Load(include.Items());
  ShowWindow(ui, window, TfrmFileExport::kModeFolders);
}

void PlainExportList(ListPanel& panel, Ui& ui) {
  const bool folders = panel.FolderPage();
  const auto pageKind = [folders](const std::string& item) { return HasDrive(Trim(item)) == folders; };
  // Refused before the dialog: no file to choose when none can be written.
  if (const std::string refusal = ControlCharacterRefusal(panel.include.Items(), pageKind); !refusal.empty()) {
    ui.ShowMessageBox(refusal, TextsOf(panel.Page()).plainFailedCaption, MessageKind::Warning);
    return;
  }
  const std::string path = ui.SaveFileDialog(FileDialogOptions{kPageDialogTitle, kFilter, kDefaultExt, ""});
  if (path.empty()) return;
  ItemFormat format;
  const bool ok = WriteItems(
      path, panel.include.Items(), format, pageKind, [&ui](std::size_t) { ui.Repaint(); }, panel.Fs());
  if (!ok) ui.ShowMessageBox(kSaveFailed, TextsOf(panel.Page()).plainFailedCaption, MessageKind::Warning);
  Note(ui, kSaveEnd);
}

}  // namespace quillory
