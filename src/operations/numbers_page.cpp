#include "operations/numbers_page.h"

#include "app/settings_store.h"
#include "platform/text.h"
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "app/ui.h"
#include "names/folder_names.h"
#include "names/name_composition.h"

namespace quillory {

namespace {

const DestinationChooser::Texts kDestinationTexts = {
    {"The selection field is empty !\nAction : You must select a destination folder.",
     "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0077."},
    {"The selection field is empty !\nAction : You must select a destination folder.",
     "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0078."}};

const char* const kStartAboveEnd = "The Start Number is greater then the End one.!\nAction : You must enter a Start number that is smaller than the End one.";
const char* const kEndBelowStart = "The Start Number is greater then the End one.!\nAction : You must enter an End number that is greater than the Start one.";
const MessageText kMsg0089 = {kStartAboveEnd, "Creating Folder(s).-Increased Numbers.    Warning no: 0089."};
const MessageText kMsg0461 = {kStartAboveEnd, "Simulate Creating Folder(s).-Increased Numbers.    Warning no: 0461."};
const MessageText kMsg0095 = {kEndBelowStart, "Creating Folder(s).-Increased Numbers.    Warning no: 0095."};
const MessageText kMsg0468 = {kEndBelowStart, "Simulate Creating Folder(s).-Increased Numbers.    Warning no: 0468."};
const MessageText kMsg0091 = {
    "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder structure.",
    "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0091."};
const MessageText kMsg0463 = {kMsg0091.text, "Simulate Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0463."};
const MessageText kMsg0093 = {"Do you want to create folders ?\n",
                              "Creating Folder(s).- Increased Numbers.            Information no: 0093."};
const MessageText kMsg0465 = {kSimulationQuestion,
                              "Simulate Creating Folder(s).- Increased Numbers.            Information no: 0465."};
const MessageText kMsg0094 = {"End of Creating Folders/Files !!!",
                              "Creating Folder(s).-Increased Numbers.            Information no: 0094."};
const MessageText kMsg0467 = {kSimulationEnd,
                              "Simulate Creating Folder(s).-Increased Numbers.            Information no: 0467."};
constexpr const char* kCaption0374 = "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0374.";
constexpr const char* kCaption0466 = "Simulate Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0466.";

// A run reads the fields again as numbers, dropping any fraction.
std::optional<std::int64_t> TruncatedNumber(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != '\0' || !(value > -2147483649.0 && value < 2147483648.0)) return std::nullopt;
  return static_cast<std::int64_t>(value);
}

const MessageText kMsg0083 = {
    "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete process.",
    "Creating Folder(s).-Increased Numbers.            Information no: 0083."};
const MessageText kMsg0084 = {"End of the CLEAR FIELDS process !!!",
                              "Creating Folder(s).-Increased Numbers.            Information no: 0084."};

}  // namespace

CreateFromNumbersPage::CreateFromNumbersPage(PageContext& context)
    : CreatePage(context, PageKey::Vol03),
      destination(context, PageKey::Vol03, kDestinationTexts),
      cboVol03DestFolders(destination.combo),
      btnVol03AddDestFolder(destination.browse),
      btnVol03ViewDestFolder(destination.view),
      edtVol03StartNumber(context.owner.Make<Edit>("edtVol03StartNumber")),
      edtVol03EndNumber(context.owner.Make<Edit>("edtVol03EndNumber")),
      edtVol03Prefix(context.owner.Make<Edit>("edtVol03Prefix")),
      edtVol03Suffix(context.owner.Make<Edit>("edtVol03Suffix")),
      chkVol03Hyphen(context.owner.Make<CheckBox>("chkVol03Hyphen", "Hyphen between Prefix-Increased Number-Suffix.")),
      chkVol03PaddedZeroes(context.owner.Make<CheckBox>("chkVol03PaddedZeroes", "Padded zeroes in Increased Numbers.")),
      chkVol03AddIncNumbersAsSuffix(context.owner.Make<CheckBox>("chkVol03AddIncNumbersAsSuffix",
                                                                 "Add Increased Numbers as Suffixew to Subfolders")),
      lblVol03StartFolder(context.owner.Make<Label>("lblVol03StartFolder")),
      lblVol03EndFolder(context.owner.Make<Label>("lblVol03EndFolder")),
      chkVol03ViewDetailedResults(context.owner.Make<CheckBox>("chkVol03ViewDetailedResults", "Show Visual Log")),
      chkVol03ViewDestFolder(context.owner.Make<CheckBox>("chkVol03ViewDestFolder", "Show Explorer")),
      btnVol03Help(context.owner.Make<Button>("btnVol03Help", "Help")),
      btnVol03ClearAll(context.owner.Make<Button>("btnVol03ClearAll", "Clear Fields")),
      btnVol03Statistics(context.owner.Make<Button>("btnVol03Statistics", "Visual Log")),
      structures(context.owner, context.services, PageKey::Vol03),
      forecast(context.services.fs, PageKey::Vol03, structures) {
  destination.chosenChanged = [this](bool) { Refresh(); };
  destination.afterChoose = [this] { edtVol03StartNumber.SetFocus(); };
  edtVol03Prefix.onChange = edtVol03Prefix.onExit = [this] { edtVol03PrefixChange(); };
  edtVol03Suffix.onChange = edtVol03Suffix.onExit = [this] { edtVol03SuffixChange(); };
  chkVol03Hyphen.onClick = [this] { chkVol03HyphenClick(); };
  btnVol03Help.onClick = [this] { context_.showHelp(PageKey::Vol03); };
  btnVol03Statistics.onClick = [this] { btnVol03StatisticsClick(); };
  btnVol03ClearAll.onClick = [this] { btnVol03ClearAllClick(); };
  structures.changed = [this] { Refresh(); };
  edtVol03StartNumber.onChange = edtVol03EndNumber.onChange = [this] { Refresh(); };
  edtVol03StartNumber.onExit = [this] { edtVol03StartNumberExit(); };
  edtVol03EndNumber.onExit = [this] { edtVol03EndNumberExit(); };
  structures.runButtons = [this](bool) { SetRunEnabled(); };
  btnCreateFolders.onClick = [this] { btnVol03CreateFoldersClick(); };
  btnCreateFoldersSimulation.onClick = [this] { btnVol03CreateFoldersSimulationClick(); };
}

std::optional<std::int32_t> ParseInteger(const std::string& text) {
  const std::string t = Trim(text);
  std::size_t at = 0;
  if (at < t.size() && (t[at] == '+' || t[at] == '-')) ++at;
  if (at == t.size() || t.size() - at > 10 || t.find_first_not_of("0123456789", at) != std::string::npos)
    return std::nullopt;
  const long long value = std::stoll(t);
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string NumberText(std::int64_t number, std::size_t width, bool padded) {
  std::string text = std::to_string(number);
  if (padded && text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

CreateFromNumbersPage::Range CreateFromNumbersPage::ParseFields(bool fix) {
  Range range;
  const auto start = ParseInteger(edtVol03StartNumber.Text());
  if (!start && fix) edtVol03StartNumber.SetText("1");
  range.start = start.value_or(1);
  const auto end = ParseInteger(edtVol03EndNumber.Text());
  if (!end && fix) edtVol03EndNumber.SetText(std::to_string(range.start));
  range.end = end.value_or(range.start);
  // The fields keep what was typed; the range does not go below 1.
  if (range.start < 1) range.start = 1;
  if (range.end < 1) range.end = 1;
  return range;
}

void CreateFromNumbersPage::ReadNumbers() {
  const Range range = ParseFields(true);
  start_ = range.start;
  end_ = range.end;
  Refresh();
}

void CreateFromNumbersPage::SetRunEnabled() {
  const bool on = destination.Chosen() && structures.RunAllowed();
  btnCreateFolders.SetEnabled(on);
  btnCreateFoldersSimulation.SetEnabled(on);
}

void CreateFromNumbersPage::Run(bool simulate) {
  if (!destination.TakeTyped()) return;
  const SourceKind kind = structures.Kind();
  const AttachMode mode = structures.Mode().value_or(AttachMode::MainWithoutFiles);
  const std::string chosen = Trim(cboVol03DestFolders.Text());
  std::string folder = chosen;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';

  std::int64_t first = start_, last = end_;
  std::size_t width = 1;
  CreationPlan plan;
  plan.simulate = simulate;
  plan.validate = [&] {
    if (end_ < start_) {
      const MessageText& m = simulate ? kMsg0461 : kMsg0089;
      ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      edtVol03EndNumber.SetFocus();
      return false;
    }
    const std::size_t count = static_cast<std::size_t>(end_ - start_ + 1);
    if (kind == SourceKind::Structures && WithFiles(mode) && !SpaceForRun(forecast, count, {chosen})) return false;
    if (!structures.RunAllowed()) {
      const MessageText& m = simulate ? kMsg0463 : kMsg0091;
      ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      structures.btnAdd.SetFocus();
      return false;
    }
    return true;
  };
  plan.confirm = simulate ? kMsg0465 : kMsg0093;
  plan.end = simulate ? kMsg0467 : kMsg0094;
  plan.proceed = [&] {
    // The run goes by what the fields show now.
    first = TruncatedNumber(edtVol03StartNumber.Text()).value_or(start_);
    last = TruncatedNumber(edtVol03EndNumber.Text()).value_or(end_);
    if (last < first) {
      const MessageText& m = simulate ? kMsg0468 : kMsg0095;
      ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      edtVol03EndNumber.SetFocus();
      return false;
    }
    width = std::to_string(last).size();
    plan.count = static_cast<std::size_t>(last - first + 1);
    return true;
  };
  // Known only once `proceed` has read the fields again.
  plan.count = 0;
  const _tagVol0XParts parts = ComposePartsVol03(cboVol03DestFolders.Text(), edtVol03Prefix.Text(),
                                                 edtVol03Suffix.Text(), chkVol03Hyphen.Checked());
  const bool padded = chkVol03PaddedZeroes.Checked();
  const bool numbered = kind == SourceKind::Templates && chkVol03AddIncNumbersAsSuffix.Checked();
  const std::string& prefix = edtVol03Prefix.Text();
  const std::size_t lastNonBlank = prefix.find_last_not_of(' ');
  const std::string blanks(lastNonBlank == std::string::npos ? prefix.size() : prefix.size() - lastNonBlank - 1, ' ');
  plan.target = [&](std::size_t i) {
    const std::string number = NumberText(first + static_cast<std::int64_t>(i), width, padded);
    std::string path = parts.JoinWith(number);
    std::string found;
    if (simulate && CheckIllegalCharacters("N", path, found)) return CreationTarget::Refuse(std::move(path), true);
    CreationTarget target;
    target.how = CreationTarget::How::Below;
    target.destination = chosen;
    target.relativeAt = std::min(folder.size(), path.size());
    target.path = std::move(path);
    if (numbered) target.numberSuffix = blanks + number;
    return target;
  };
  plan.attach = AttachFor(structures, forecast, simulate, simulate ? kCaption0466 : kCaption0374);
  plan.totals = OneCopy(forecast);
  plan.showVisualLog = chkVol03ViewDetailedResults.Checked();
  if (!simulate) plan.destination = folder;
  plan.showExplorer = [this] { return chkVol03ViewDestFolder.Checked(); };
  plan.explorerPath = [this] { return cboVol03DestFolders.Text(); };
  if (!simulate)
    plan.after = [this, chosen] { UpdateDestinationHistory(cboVol03DestFolders, chosen); };
  RunCreation(plan);
}

void CreateFromNumbersPage::FormCreate() {
  structures.FormCreate();
  stats.ResetAll();
  ShowCounters();
  edtVol03StartNumber.SetText("1");
  edtVol03EndNumber.SetText("1");
  lblVol03StartFolder.SetCaption("");
  lblVol03EndFolder.SetCaption("");
  chkVol03ViewDetailedResults.SetChecked(true);
  chkVol03ViewDestFolder.SetChecked(true);
  destination.Load(context_.services.settings.Vol03DestHistory());
  destination.SetChosen(false);
}

void CreateFromNumbersPage::FormClose() {
  if (!cboVol03DestFolders.Items().empty())
    context_.services.settings.SetVol03DestHistory(cboVol03DestFolders.Items());
}

void CreateFromNumbersPage::edtVol03PrefixChange() { FieldCheck(edtVol03Prefix, NameField::Prefix, nullptr); }
void CreateFromNumbersPage::edtVol03SuffixChange() { FieldCheck(edtVol03Suffix, NameField::Suffix, nullptr); }

void CreateFromNumbersPage::btnVol03ClearAllClick() {
  if (ui().ShowMessageBox(kMsg0083.text, kMsg0083.caption, MessageKind::Question) != MessageAnswer::Yes) return;
  if (!cboVol03DestFolders.Items().empty()) cboVol03DestFolders.SetItemIndex(0);
  edtVol03StartNumber.SetText("1");
  edtVol03EndNumber.SetText("1");
  edtVol03Prefix.SetText("");
  edtVol03Suffix.SetText("");
  chkVol03Hyphen.SetChecked(true);
  lblVol03StartFolder.SetCaption("");
  lblVol03EndFolder.SetCaption("");
  chkVol03ViewDestFolder.SetChecked(true);
  chkVol03ViewDetailedResults.SetChecked(true);
  chkVol03AddIncNumbersAsSuffix.SetChecked(false);
  start_ = end_ = 1;
  stats.ResetAll();
  ClearRecords();
  ShowCounters();
  structures.Reset();
  destination.SetChosen(false);
  ui().ShowMessageBox(kMsg0084.text, kMsg0084.caption, MessageKind::Information);
}

void CreateFromNumbersPage::Refresh() {
  const bool on = destination.Chosen();
  for (Control* c : std::initializer_list<Control*>{&edtVol03StartNumber, &edtVol03EndNumber, &edtVol03Prefix,
                                                     &edtVol03Suffix, &chkVol03Hyphen, &chkVol03PaddedZeroes,
                                                     &lblVol03StartFolder, &lblVol03EndFolder})
    c->SetEnabled(on);
  // Attach options and structures wait for a destination.
  structures.SetPageEnabled(on);
  btnUndo.SetEnabled(on || HasUndoRecord());  // a record from before a restart
  btnVol03Statistics.SetEnabled(on);
  for (auto& row : statLabels)
    for (auto* l : row) l->SetEnabled(on);
  const std::string target = Trim(cboVol03DestFolders.Text());
  RefreshForecast(forecast, on ? NumberCount() : 0,
                  on && !target.empty() ? std::vector<std::string>{target} : std::vector<std::string>{});
  // Numbered names only make sense for a template's folders.
  const bool attaching = structures.Kind() != SourceKind::Nothing;
  if (!on || !attaching) chkVol03AddIncNumbersAsSuffix.SetChecked(false);
  chkVol03AddIncNumbersAsSuffix.SetEnabled(on && attaching);
  SetRunEnabled();
}

std::size_t CreateFromNumbersPage::NumberCount() const {
  const auto start = ParseInteger(edtVol03StartNumber.Text());
  const std::int64_t first = std::max<std::int64_t>(1, start.value_or(1));
  const std::int64_t last = std::max<std::int64_t>(1, ParseInteger(edtVol03EndNumber.Text()).value_or(first));
  return last >= first ? static_cast<std::size_t>(last - first + 1) : 0;
}

}  // namespace quillory
