#include "structures/file_selection.h"

#include <algorithm>
#include <utility>

#include "app/settings_file.h"
#include "app/settings_store.h"
#include "app/ui.h"
#include "lists/line_splitter.h"
#include "platform/text.h"

namespace quillory {

namespace {

constexpr const char* kAllMasks = "*.*";
constexpr const char* kStatusAll = "All.";
constexpr const char* kStatusUserSelected = "User Selected.";

constexpr const char* kMsg0542 =
    "Both Copy and Delete Processes will use selected files (if the <Select Files> button is active).\n";
constexpr const char* kCaption0542 = "File Selection.            Warning no: 0542.";
constexpr const char* kCaption0519 = "Warning !    Msg no: 0519.";
constexpr const char* kCaption0544 = "Information !    Msg no: 0544";
constexpr const char* kMsg0545 = "Empty List in the File Names Menu!\n";
constexpr const char* kCaption0545 = "File Selection.            Warning no: 0545.";
constexpr const char* kMsg0546 = "Do you want to delete all item(s) from the File Names Menu ?";
constexpr const char* kCaption0546 = "File Selection.            Warning no: 0546.";

std::vector<std::size_t> QuotePositions(const std::string& text) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == kDoubleQuote) positions.push_back(i);
  return positions;
}

// The pieces as cut, trimmed and non-empty, repeats included.
std::vector<std::string> CutMasks(const std::string& text) {
  std::vector<std::string> pieces;
  for (std::string& piece : SplitOutsideQuotes(text, QuotePositions(text)))
    if (!Trim(piece).empty()) pieces.push_back(Trim(piece));
  return pieces;
}

std::vector<std::string> WithoutRepeats(std::vector<std::string> pieces) {
  std::vector<std::string> kept;
  for (std::string& piece : pieces)
    if (std::find(kept.begin(), kept.end(), piece) == kept.end()) kept.push_back(std::move(piece));
  return kept;
}

std::vector<std::string> NonEmptyItems(const std::vector<std::string>& items) {
  std::vector<std::string> kept;
  for (const std::string& item : items)
    if (!Trim(item).empty()) kept.push_back(item);
  return kept;
}

std::string Msg0519(std::size_t quotes) {
  return "Odd number of marks(separators) : " + std::to_string(quotes) + "\n\n" +
         "Action : You must enter an even number of separators(marks).";
}

std::string Msg0544(std::size_t k, std::size_t n, const std::string& mask) {
  return "Period (.) is missing from : " + std::to_string(n) + " file names." + "\nNo: " + std::to_string(k) +
         "/" + std::to_string(n) + " is : " + mask + "\nIf you want to search files with SPACE(s) in their names,\n" +
         "then you must put complete file name with extension into double quotes!\n";
}

}  // namespace

std::string FileSelectionStatus(const SettingsStore& settings) {
  const std::string& text = settings.FileMaskText();
  return Trim(text).empty() || text == kAllMasks ? kStatusAll : kStatusUserSelected;
}

std::vector<std::string> SplitFileMasks(const std::string& text) { return WithoutRepeats(CutMasks(text)); }

TfrmFileSelection::TfrmFileSelection(Ui& ui, SettingsStore& settings, const DriveMap& drives)
    : Window("TfrmFileSelection", "File Selection"),
      grpFileManSelection(Make<Label>("grpFileManSelection", "Selecting File names and/or File Types ( extensions)")),
      lblFileManExplanation(Make<Label>("lblFileManExplanation",
                                        "File names and extensions - wildcard supported (*.*    a*.txt    b?.html)")),
      lblFileManNames(Make<Label>("lblFileManNames", "File Names and Extensions :")),
      cboFileManNames(Make<ComboBox>("cboFileManNames")),
      btnFileManClearFileNames(Make<Button>("btnFileManClearFileNames", "Clear Menu")),
      btnFileManOK(Make<Button>("btnFileManOK", "OK")),
      btnFileManCancel(Make<Button>("btnFileManCancel", "Cancel")),
      btnFileSelectionHelp(Make<Button>("btnFileSelectionHelp", "Help")),
      grpFileManTrash(Make<Label>("grpFileManTrash", "Trash")),
      rdoFileManNames(Make<RadioButton>("rdoFileManNames", "File names and extensions", &selectBy_)),
      rdoFileManTypes(Make<RadioButton>("rdoFileManTypes", "File extensions (types)", &selectBy_)),
      rdoAllFileTypes(Make<RadioButton>("rdoAllFileTypes", "All file types", &typeMode_)),
      rdoExcludedFileTypes(Make<RadioButton>("rdoExcludedFileTypes", "All, except excluded", &typeMode_)),
      rdoIncludedFileTypes(Make<RadioButton>("rdoIncludedFileTypes", "Included types only", &typeMode_)),
      rdoSelectOneFileTypes(Make<RadioButton>("rdoSelectOneFileTypes", "Select one", &typeMode_)),
      cboSelectOneFileTypes(Make<ComboBox>("cboSelectOneFileTypes")),
      lstFileTypesInclude(Make<ListBox>("lstFileTypesInclude")),
      lstFileTypesExclude(Make<ListBox>("lstFileTypesExclude")),
      lstFileTypesOther(Make<ListBox>("lstFileTypesOther")),
      chkFileManTermInclude(Make<CheckBox>("chkFileManTermInclude", "Include Files that contain Terms in their names")),
      cboFileManTermsInclude(Make<ComboBox>("cboFileManTermsInclude")),
      chkFileManTermExclude(Make<CheckBox>("chkFileManTermExclude", "Exclude Files that contain Terms in their names")),
      cboFileManTermsExclude(Make<ComboBox>("cboFileManTermsExclude")),
      ui_(ui),
      settings_(settings),
      drives_(drives) {
  selectBy_.Add(&rdoFileManNames);
  selectBy_.Add(&rdoFileManTypes);
  for (RadioButton* b : {&rdoAllFileTypes, &rdoExcludedFileTypes, &rdoIncludedFileTypes, &rdoSelectOneFileTypes})
    typeMode_.Add(b);
  for (Control* c : TrashControls()) {
    c->SetVisible(false);
    c->SetEnabled(false);
  }
  LoadHiddenState();

  btnFileManOK.onClick = [this] { Ok(); };
  btnFileManCancel.onClick = [this] { Cancel(); };
  btnFileManClearFileNames.onClick = [this] { ClearMenu(); };
  btnFileSelectionHelp.onClick = [this] { ui_.ShowHelp("FileSelection"); };
  Handler("FormActivate", [this] { Activate(); });
  // Both the scripted and the Qt modal run mark the window shown first.
  shown_ = shownChanged.Connect([this](bool shown) {
    if (shown) Activate();
  });
}

TfrmFileSelection::~TfrmFileSelection() = default;

std::vector<Control*> TfrmFileSelection::TrashControls() const {
  return {&grpFileManTrash,       &rdoFileManNames,      &rdoFileManTypes,        &rdoAllFileTypes,
          &rdoExcludedFileTypes,  &rdoIncludedFileTypes, &rdoSelectOneFileTypes,  &cboSelectOneFileTypes,
          &lstFileTypesInclude,   &lstFileTypesExclude,  &lstFileTypesOther,      &chkFileManTermInclude,
          &cboFileManTermsInclude, &chkFileManTermExclude, &cboFileManTermsExclude};
}

void TfrmFileSelection::AttachStatusLabels(std::vector<Label*> labels) {
  statusLabels_ = std::move(labels);
  RefreshStatus();
}

void TfrmFileSelection::Start() {
  if (settings_.FileMasks().empty()) settings_.AppendFileMask(kAllMasks);
  LoadHiddenState();
  RefreshStatus();
}

std::vector<std::string> TfrmFileSelection::GetFileMasks() const {
  if (settings_.FileMasks().empty()) return {kAllMasks};
  return settings_.FileMasks();
}

void TfrmFileSelection::RefreshStatus() {
  const std::string status = FileSelectionStatus(settings_);
  for (Label* label : statusLabels_)
    if (label) label->SetCaption(status);
}

// The hidden panel mirrors the store, so OK hands back exactly what it got.
// Flags are set with the default of each group last, so a file that marks
// two of a group keeps the default checked rather than a random one.
void TfrmFileSelection::LoadHiddenState() {
  rdoFileManTypes.SetChecked(settings_.TypesChosen());
  rdoFileManNames.SetChecked(settings_.NamesChosen());
  rdoSelectOneFileTypes.SetChecked(settings_.OneType());
  rdoIncludedFileTypes.SetChecked(settings_.IncludedTypes());
  rdoExcludedFileTypes.SetChecked(settings_.ExcludedTypes());
  rdoAllFileTypes.SetChecked(settings_.AllTypes());
  cboSelectOneFileTypes.SetText(settings_.OneTypeText());
  lstFileTypesInclude.SetItems(settings_.TypesInclude());
  lstFileTypesExclude.SetItems(settings_.TypesExclude());
  lstFileTypesOther.SetItems(settings_.TypesThird());
  chkFileManTermInclude.SetChecked(settings_.IncludeTermsCheck());
  cboFileManTermsInclude.SetItems(settings_.IncludeTermsHistory());
  cboFileManTermsInclude.SetText(settings_.IncludeTermsText());
  chkFileManTermExclude.SetChecked(settings_.ExcludeTermsCheck());
  cboFileManTermsExclude.SetItems(settings_.ExcludeTermsHistory());
  cboFileManTermsExclude.SetText(settings_.ExcludeTermsText());
}

void TfrmFileSelection::StoreHiddenState() {
  settings_.SetNamesChosen(rdoFileManNames.Checked());
  settings_.SetTypesChosen(rdoFileManTypes.Checked());
  settings_.SetAllTypes(rdoAllFileTypes.Checked());
  settings_.SetIncludedTypes(rdoIncludedFileTypes.Checked());
  settings_.SetExcludedTypes(rdoExcludedFileTypes.Checked());
  settings_.SetOneType(rdoSelectOneFileTypes.Checked());
  // The panel offers no types to pick from, so the stored index stands.
  settings_.SetOneTypeText(cboSelectOneFileTypes.Text());
  settings_.SetTypesInclude(lstFileTypesInclude.Items());
  settings_.SetTypesExclude(lstFileTypesExclude.Items());
  settings_.SetTypesThird(lstFileTypesOther.Items());
  settings_.SetIncludeTermsCheck(chkFileManTermInclude.Checked());
  settings_.SetIncludeTermsText(cboFileManTermsInclude.Text());
  settings_.SetIncludeTerms(SplitFileMasks(cboFileManTermsInclude.Text()));
  settings_.SetIncludeTermsHistory(NonEmptyItems(cboFileManTermsInclude.Items()));
  settings_.SetExcludeTermsCheck(chkFileManTermExclude.Checked());
  settings_.SetExcludeTermsText(cboFileManTermsExclude.Text());
  settings_.SetExcludeTerms(SplitFileMasks(cboFileManTermsExclude.Text()));
  settings_.SetExcludeTermsHistory(NonEmptyItems(cboFileManTermsExclude.Items()));
}

void TfrmFileSelection::Activate() {
  LoadHiddenState();
  for (const std::string& entry : settings_.FileMaskHistory())
    if (cboFileManNames.IndexOf(entry) < 0) cboFileManNames.AddItem(entry);
  std::string text = Trim(settings_.FileMaskText()).empty() ? std::string(kAllMasks) : settings_.FileMaskText();
  int index = cboFileManNames.IndexOf(text);
  if (index < 0) {
    cboFileManNames.AddItem(text);
    index = static_cast<int>(cboFileManNames.Items().size()) - 1;
  }
  cboFileManNames.SetItemIndex(index);
  cboFileManNames.SetFocus();
}

void TfrmFileSelection::Ok() {
  // Whatever happens below, the window closes as accepted.
  modalResult = ModalResult::Ok;
  ui_.ShowMessageBox(kMsg0542, kCaption0542, MessageKind::Warning);

  // Blanks alone would give no mask at all, so no file would ever match.
  std::string text = rdoFileManNames.Checked() ? cboFileManNames.Text() : std::string(kAllMasks);
  if (Trim(text).empty()) text = kAllMasks;

  const std::size_t quotes = QuotePositions(text).size();
  if (quotes % 2 != 0) {
    ui_.ShowMessageBox(Msg0519(quotes), kCaption0519, MessageKind::Warning);
    return;
  }

  std::vector<std::string> cut = CutMasks(text);
  std::vector<std::string> withoutPeriod;
  for (const std::string& mask : cut)
    if (mask.find('.') == std::string::npos) withoutPeriod.push_back(mask);
  for (std::size_t k = 0; k < withoutPeriod.size(); ++k)
    ui_.ShowMessageBox(Msg0544(k + 1, withoutPeriod.size(), withoutPeriod[k]), kCaption0544,
                       MessageKind::Information);

  std::vector<std::string> masks = WithoutRepeats(std::move(cut));
  // Only quotes with nothing between them: the filter must still select.
  if (masks.empty()) masks.push_back(kAllMasks);
  settings_.SetFileMasks(std::move(masks));

  settings_.SetFileMaskText(text);
  if (cboFileManNames.IndexOf(text) < 0) cboFileManNames.AddItem(text);
  settings_.SetFileMaskHistory(NonEmptyItems(cboFileManNames.Items()));
  StoreHiddenState();
  RefreshStatus();

  if (!SaveClass(settingsPath_, settings_, drives_).save().ok)
    ui_.ShowMessageBox(std::string(kMsg0130.text), std::string(kMsg0130.caption), MessageKind::Error);
}

void TfrmFileSelection::Cancel() { modalResult = ModalResult::Cancel; }

void TfrmFileSelection::ClearMenu() {
  if (cboFileManNames.Items().empty()) {
    ui_.ShowMessageBox(kMsg0545, kCaption0545, MessageKind::Warning);
    return;
  }
  if (ui_.ShowMessageBox(kMsg0546, kCaption0546, MessageKind::Question) == MessageAnswer::Yes)
    cboFileManNames.ClearItems();
}

FileSelectionControls MakeFileSelectionControls(Window& owner, PageKey page) {
  const std::string key(PageOf(page).name);
  return FileSelectionControls{owner.Make<Button>("btn" + key + "FileSelection", "Select Files"),
                               owner.Make<Label>("lbl" + key + "Status", "Active File Types:"),
                               owner.Make<Label>("lbl" + key + "FileTypesAllSelected", kStatusAll)};
}

ModalResult OpenFileSelection(Ui& ui, TfrmFileSelection& window) { return ui.ShowModal(window); }

}  // namespace quillory
