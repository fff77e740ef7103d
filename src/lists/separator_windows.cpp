#include "lists/separator_windows.h"

#include <string_view>
#include <unordered_set>
#include <utility>

#include "app/settings_file.h"
#include "app/settings_store.h"
#include "app/ui.h"
#include "platform/text.h"

namespace quillory {

namespace {

enum class Msg {
  AddLimit,
  AddEmpty,
  AddInInclude,
  AddInExclude,
  ExcToIncLimit,
  AllFromExcLimit,
  ExchangeLimit,
  DeleteSelected,
  RemoveAll,
};

struct SeparatorMessage {
  Msg id;
  const char* number;
  MessageKind kind;
  // The separator window's, then the quotation-mark window's.
  const char* text[2];
  const char* caption[2];
};

constexpr SeparatorMessage kMessages[] = {
    {Msg::AddLimit, "0121", MessageKind::Warning,
     {"The limit is 30000", "The limit is 30000"},
     {"Delimiters.            Warning no: 0121.", "QuotationMarks.            Warning no: 0121."}},
    {Msg::AddEmpty, "0122", MessageKind::Warning,
     {"The text field is empty !\nAction : You must enter some text to add to the Include List.",
      "The text field is empty !\nAction : You must enter some text to add to the Include List."},
     {"Delimiters.            Warning no: 0122.", "QuotationMarks.            Warning no: 0122."}},
    {Msg::AddInInclude, "0123", MessageKind::Warning,
     {"This item is already exist in the Include list !", "This item is already exist in the Include list !"},
     {"Delimiters.            Warning no: 0123.", "QuotationMarks.            Warning no: 0123."}},
    {Msg::AddInExclude, "0124", MessageKind::Warning,
     {"This item is already exist in the Exclude list !", "This item is already exist in the Exclude list !"},
     {"Delimiters.            Warning no: 0124.", "QuotationMarks.            Warning no: 0124."}},
    {Msg::ExcToIncLimit, "0125", MessageKind::Warning,
     {"The Limit is 30,000 Delimiters", "The Limit is 30,000 QuotationMarks"},
     {"Managing Delimiters.            Warning no: 0125.", "Managing QuotationMarks.            Warning no: 0125."}},
    {Msg::AllFromExcLimit, "0126", MessageKind::Warning,
     {"The limit is 30,000 Delimiters", "The limit is 30,000 QuotationMarks"},
     {"Managing Delimiters.            Warning no: 0126.", "Managing QuotationMarks.            Warning no: 0126."}},
    {Msg::ExchangeLimit, "0127", MessageKind::Warning,
     {"The limit is 30,000 Delimiters", "The limit is 30,000 QuotationMarks"},
     {"Managing Delimiters.            Warning no: 0127.", "Managing QuotationMarks.            Warning no: 0127."}},
    {Msg::DeleteSelected, "0128", MessageKind::Question,
     {"Do you want to delete selected delimiter(s) from the Exclude list ?",
      "Do you want to delete selected delimiter(s) from the Exclude list ?"},
     {"Managing Delimiters.            Warning no: 0128.", "Managing QuotationMarks.            Warning no: 0128."}},
    {Msg::RemoveAll, "0129", MessageKind::Question,
     {"Do you want to remove (delete) all delimiter(s) from the Exclude list ?",
      "Do you want to remove (delete) all delimiter(s) from the Exclude list ?"},
     {"Managing Delimiters.            Warning no: 0129.", "Managing QuotationMarks.            Warning no: 0129."}},
};

const SeparatorMessage& MessageOf(Msg id) {
  for (const auto& m : kMessages)
    if (m.id == id) return m;
  return kMessages[0];
}

MessageAnswer ShowMessage(Ui& ui, SeparatorListKind kind, Msg id) {
  const SeparatorMessage& m = MessageOf(id);
  const int column = kind == SeparatorListKind::Separators ? 0 : 1;
  return ui.ShowMessageBox(m.text[column], m.caption[column], m.kind);
}

bool Confirm(Ui& ui, SeparatorListKind kind, Msg id) { return ShowMessage(ui, kind, id) == MessageAnswer::Yes; }

struct WindowNames {
  const char* className;
  const char* caption;
  const char* word;  // the part of every control name that tells the windows apart
  const char* deleteCaption;
  const char* removeAllCaption;
  const char* defaultsName;
};

const WindowNames& NamesOf(SeparatorListKind kind) {
  static const WindowNames separators{"TfrmDelimiters",        "Manage Delimiters.",    "Delimiters",
                                      "Delete a Delimiter",    "Remove all Delimiters", "btnDelimitersSetDefaults"};
  static const WindowNames quotationMarks{"TfrmQuotationMarks",      "Manage Quotation Marks.",
                                          "QuotationMarks",          "Delete a Quotation Mark",
                                          "Remove all Quotation Marks", "btnQuotationMarksDefaults"};
  return kind == SeparatorListKind::Separators ? separators : quotationMarks;
}

std::string ControlName(SeparatorListKind kind, std::string_view prefix, std::string_view suffix) {
  return std::string(prefix) + NamesOf(kind).word + std::string(suffix);
}

// Both windows start from the same entries, already trimmed and lower-case.
const std::vector<std::string>& BuiltInEntries() {
  static const std::vector<std::string> entries = {",", ";", "space", "\"", "'", "|", "~", ":", "#",
                                                   "&", "@", "$",     "<",  ">", ".", "-", "_"};
  return entries;
}

// An entry that looks like the start of a path is never moved between the
// lists.
bool HasDrivePart(std::string_view entry) {
  const std::string t = Trim(entry);
  return (t.size() >= 2 && IsAsciiLetter(t[0]) && t[1] == ':') || t.starts_with("\\\\");
}

}  // namespace

SeparatorListWindow::SeparatorListWindow(SeparatorListKind kind, Ui& ui, SettingsStore& store,
                                         const std::string& settingsPath, const DriveMap& drives)
    : Window(NamesOf(kind).className, NamesOf(kind).caption),
      included(Make<ListBox>(ControlName(kind, "lst", "Included"))),
      excluded(Make<ListBox>(ControlName(kind, "lst", "Excluded"))),
      addEdit(Make<Edit>(ControlName(kind, "edt", "Add"))),
      addButton(Make<Button>(ControlName(kind, "btn", "Add"), "Add")),
      incToExc(Make<Button>(ControlName(kind, "btn", "IncToExc"), ">")),
      excToInc(Make<Button>(ControlName(kind, "btn", "ExcToInc"), "<")),
      allFromInc(Make<Button>(ControlName(kind, "btn", "AllFromInc"), ">>")),
      allFromExc(Make<Button>(ControlName(kind, "btn", "AllFromExc"), "<<")),
      exchange(Make<Button>(ControlName(kind, "btn", "ExchangeIncExc"), "<>")),
      deleteButton(Make<Button>(ControlName(kind, "btn", "Delete"), NamesOf(kind).deleteCaption)),
      removeAllButton(Make<Button>(ControlName(kind, "btn", "RemoveAll"), NamesOf(kind).removeAllCaption)),
      defaultsButton(Make<Button>(NamesOf(kind).defaultsName, "Set Defaults")),
      closeButton(Make<Button>(ControlName(kind, "btn", "Close"), "&Close")),
      kind_(kind),
      ui_(ui),
      store_(store),
      settingsPath_(settingsPath),
      drives_(drives) {
  included.SetMultiSelect(true);
  excluded.SetMultiSelect(true);
  Bind(addButton, &SeparatorListWindow::Add);
  Bind(incToExc, &SeparatorListWindow::MoveSelectedToExclude);
  Bind(excToInc, &SeparatorListWindow::MoveSelectedToInclude);
  Bind(allFromInc, &SeparatorListWindow::MoveAllToExclude);
  Bind(allFromExc, &SeparatorListWindow::MoveAllToInclude);
  Bind(exchange, &SeparatorListWindow::Exchange);
  Bind(deleteButton, &SeparatorListWindow::DeleteSelected);
  Bind(removeAllButton, &SeparatorListWindow::RemoveAll);
  Bind(defaultsButton, &SeparatorListWindow::SetDefaults);
  closeButton.onClick = [this] { Close(); };
  addEdit.onEnter = [this] {
    Add();
    addEdit.SetFocus();
  };
  Handler("FormActivate", [this] { Activate(); });
  // Both the scripted and the Qt modal run mark the window shown first.
  shown_ = shownChanged.Connect([this](bool shown) {
    if (shown) Activate();
  });
}

SeparatorListWindow::~SeparatorListWindow() { included.Clear(); }

void SeparatorListWindow::Bind(Button& button, void (SeparatorListWindow::*operation)()) {
  button.onClick = [this, operation] {
    (this->*operation)();
    addEdit.SetFocus();
  };
}

const std::vector<std::string>& SeparatorListWindow::DefaultEntries() const { return BuiltInEntries(); }

const std::vector<std::string>& SeparatorListWindow::StoredList() const {
  return kind_ == SeparatorListKind::Separators ? store_.Separators() : store_.QuotationMarks();
}

void SeparatorListWindow::ReloadSettings() {
  // Read into a copy: a file that has gone or fails part-way must not leave
  // the running program with emptied lists (file masks, type lists).
  SettingsStore fresh = store_;
  fresh.ClearLists();
  RestoreClass restorer(settingsPath_, fresh, drives_);
  if (!restorer.IsOpen() || !restorer.restore()) return;
  // As at start-up: a file written elsewhere must not redirect this run.
  fresh.SetApplicationName(store_.ApplicationName());
  fresh.SetDefaultDirectory(store_.DefaultDirectory());
  if (fresh.FileMasks().empty()) fresh.AppendFileMask("*.*");
  store_ = std::move(fresh);
}

void SeparatorListWindow::Activate() {
  ReloadSettings();
  const std::vector<std::string>& stored = StoredList();
  included.AddNew(stored.empty() ? DefaultEntries() : stored);
  addEdit.SetFocus();
}

void SeparatorListWindow::Add() {
  if (included.Count() >= kLimit) {
    ShowMessage(ui_, kind_, Msg::AddLimit);
    return;
  }
  const std::string& text = addEdit.Text();
  std::string trimmed = Trim(text);
  if (trimmed.empty()) {
    ShowMessage(ui_, kind_, Msg::AddEmpty);
    return;
  }
  // The trimmed text is what lands in the list, so it is checked too; else
  // " ; " would add a second ";".
  if (included.Contains(text) || included.Contains(trimmed)) {
    ShowMessage(ui_, kind_, Msg::AddInInclude);
    return;
  }
  if (excluded.Contains(text) || excluded.Contains(trimmed)) {
    ShowMessage(ui_, kind_, Msg::AddInExclude);
    return;
  }
  included.Add(trimmed);
  addEdit.SetText(std::move(trimmed));
}

// Appends what the target lacks, then removes from the source everything
// that went or was there already; entries with a drive part stay put.
void SeparatorListWindow::MoveSelected(ListBox& from, ListBox& to) {
  std::vector<std::size_t> leaving;
  std::vector<std::string> moving;
  for (std::size_t row : from.SelectedRows()) {
    if (HasDrivePart(from.Item(row))) continue;
    leaving.push_back(row);
    moving.emplace_back(from.Item(row));
  }
  to.AddNew(std::move(moving));
  from.DeleteRows(std::move(leaving));
}

void SeparatorListWindow::MoveAll(ListBox& from, ListBox& to) {
  std::vector<std::size_t> leaving;
  std::vector<std::string> moving;
  for (std::size_t row = 0; row < from.Count(); ++row) {
    if (HasDrivePart(from.Item(row))) continue;
    leaving.push_back(row);
    moving.emplace_back(from.Item(row));
  }
  to.AddNew(std::move(moving));
  if (leaving.size() == from.Count()) from.Clear();
  else from.DeleteRows(std::move(leaving));
}

void SeparatorListWindow::MoveSelectedToExclude() { MoveSelected(included, excluded); }

void SeparatorListWindow::MoveSelectedToInclude() {
  if (included.Count() + excluded.SelectedCount() > kLimit) {
    ShowMessage(ui_, kind_, Msg::ExcToIncLimit);
    return;
  }
  MoveSelected(excluded, included);
}

void SeparatorListWindow::MoveAllToExclude() { MoveAll(included, excluded); }

void SeparatorListWindow::MoveAllToInclude() {
  std::size_t arriving = 0;
  for (const std::string_view item : excluded.Texts())
    if (!included.Contains(item)) ++arriving;
  if (included.Count() + arriving > kLimit) {
    ShowMessage(ui_, kind_, Msg::AllFromExcLimit);
    return;
  }
  MoveAll(excluded, included);
}

void SeparatorListWindow::Exchange() {
  if (excluded.Count() > kLimit) {
    ShowMessage(ui_, kind_, Msg::ExchangeLimit);
    return;
  }
  // Each list keeps its entries with a drive part; the others change places,
  // each side without repeats.
  std::vector<std::string> keptInclude, scratch, keptExclude, incoming;
  for (const std::string_view item : included.Texts()) (HasDrivePart(item) ? keptInclude : scratch).emplace_back(item);
  for (const std::string_view item : excluded.Texts()) (HasDrivePart(item) ? keptExclude : incoming).emplace_back(item);

  std::unordered_set<std::string> inInclude;
  for (const std::string& item : keptInclude) inInclude.insert(CaseFold(item));
  for (std::string& item : incoming)
    if (inInclude.insert(CaseFold(item)).second) keptInclude.push_back(std::move(item));

  std::unordered_set<std::string> inExclude;
  for (const std::string& item : keptExclude) inExclude.insert(CaseFold(item));
  for (std::string& item : scratch)
    if (inExclude.insert(CaseFold(item)).second) keptExclude.push_back(std::move(item));

  included.SetItems(std::move(keptInclude));
  excluded.SetItems(std::move(keptExclude));
}

void SeparatorListWindow::DeleteSelected() {
  if (!Confirm(ui_, kind_, Msg::DeleteSelected)) return;
  excluded.DeleteSelected();
}

void SeparatorListWindow::RemoveAll() {
  if (!Confirm(ui_, kind_, Msg::RemoveAll)) return;
  excluded.Clear();
}

void SeparatorListWindow::SetDefaults() {
  excluded.Clear();
  included.Clear();
  included.AddNew(DefaultEntries());
}

void SeparatorListWindow::Close() {
  if (kind_ == SeparatorListKind::Separators) store_.SetSeparators(included.Items());
  else store_.SetQuotationMarks(included.Items());
  if (!SaveClass(settingsPath_, store_, drives_).save().ok)
    ui_.ShowMessageBox(std::string(kMsg0130.text), std::string(kMsg0130.caption), MessageKind::Error);
  modalResult = ModalResult::Ok;
}

TfrmDelimiters::TfrmDelimiters(Ui& ui, SettingsStore& store, const std::string& settingsPath,
                               const DriveMap& drives)
    : SeparatorListWindow(SeparatorListKind::Separators, ui, store, settingsPath, drives),
      lstDelimitersIncluded(included),
      lstDelimitersExcluded(excluded),
      edtDelimitersAdd(addEdit),
      btnDelimitersAdd(addButton),
      btnDelimitersIncToExc(incToExc),
      btnDelimitersExcToInc(excToInc),
      btnDelimitersAllFromInc(allFromInc),
      btnDelimitersAllFromExc(allFromExc),
      btnDelimitersExchangeIncExc(exchange),
      btnDelimitersDelete(deleteButton),
      btnDelimitersRemoveAll(removeAllButton),
      btnDelimitersSetDefaults(defaultsButton),
      btnDelimitersClose(closeButton) {}

TfrmQuotationMarks::TfrmQuotationMarks(Ui& ui, SettingsStore& store, const std::string& settingsPath,
                                       const DriveMap& drives)
    : SeparatorListWindow(SeparatorListKind::QuotationMarks, ui, store, settingsPath, drives),
      lstQuotationMarksIncluded(included),
      lstQuotationMarksExcluded(excluded),
      edtQuotationMarksAdd(addEdit),
      btnQuotationMarksAdd(addButton),
      btnQuotationMarksIncToExc(incToExc),
      btnQuotationMarksExcToInc(excToInc),
      btnQuotationMarksAllFromInc(allFromInc),
      btnQuotationMarksAllFromExc(allFromExc),
      btnQuotationMarksExchangeIncExc(exchange),
      btnQuotationMarksDelete(deleteButton),
      btnQuotationMarksRemoveAll(removeAllButton),
      btnQuotationMarksDefaults(defaultsButton),
      btnQuotationMarksClose(closeButton) {}

}  // namespace quillory
