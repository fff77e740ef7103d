#include "operations/numbers_page.h"

#include "app/settings_store.h"
#include "platform/text.h"
#include <optional>

#include "app/ui.h"

namespace quillory {

namespace {

const DestinationChooser::Texts kDestinationTexts = {
    {"The selection field is empty !\nAction : You must select a destination folder.",
     "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0077."},
    {"The selection field is empty !\nAction : You must select a destination folder.",
     "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0078."}};

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
  for (auto& row : statLabels)
    for (auto* l : row) l->SetEnabled(on);
  const std::string target = Trim(cboVol03DestFolders.Text());
  RefreshForecast(forecast, on ? NumberCount() : 0,
                  on && !target.empty() ? std::vector<std::string>{target} : std::vector<std::string>{});
}

std::size_t CreateFromNumbersPage::NumberCount() const {
  const auto number = [](const Edit& field) -> std::optional<long long> {
    const std::string text = Trim(field.Text());
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    return std::stoll(text);
  };
  const auto start = number(edtVol03StartNumber), end = number(edtVol03EndNumber);
  return start && end && *end >= *start ? static_cast<std::size_t>(*end - *start + 1) : 0;
}

}  // namespace quillory
