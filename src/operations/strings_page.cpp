#include "operations/strings_page.h"

#include "app/settings_store.h"
#include "platform/text.h"
#include "names/name_composition.h"
#include "platform/drives.h"
#include "app/ui.h"

namespace quillory {

namespace {

const DestinationChooser::Texts kDestinationTexts = {
    {"The selection field is empty !\nAction : You must select a Destination Folder.",
     "Creating Folder(s).-From a String List.            Warning no: 0001."},
    {"The selection field is empty !\nAction : You must select a destination folder.",
     "Creating Folder(s).-From a String List.            Warning no: 0002."}};

const MessageText kMsg0023 = {
    "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder structure.",
    "Creating Folder(s).-From a String List.            Warning no: 0023."};
const MessageText kMsg0453 = {kMsg0023.text,
                              "Simulate Creating Folder(s).-From a String List.            Warning no: 0453."};
const MessageText kMsg0025 = {"Do you want to create folders ?\n",
                              "Creating Folder(s).-From  a String List.            Information no: 0025."};
const MessageText kMsg0455 = {kSimulationQuestion,
                              "Simulate Creating Folder(s).-From a String List.            Information no: 0455."};
const MessageText kMsg0026 = {"End of Creating Folders/Files !!!",
                              "Creating Folder(s).-From a String List.            Information no: 0026."};
const MessageText kMsg0457 = {kSimulationEnd,
                              "Simulate Creating Folder(s).-From a String List.            Information no: 0457."};
const MessageText kMsg0027 = {
    "The Include list is empty !!!\nYou must enter at least one item to create folders.",
    "Creating Folder(s).-From a String List.            Warning no: 0027."};
const MessageText kMsg0458 = {kMsg0027.text,
                              "Simulate Creating Folder(s).-From a String List.            Warning no: 0458."};

constexpr const char* kCaption0373 = "Creating Folder(s).-From a String List.            Warning no: 0373.";
constexpr const char* kCaption0456 = "Simulate Creating Folder(s).-From a Folder List.            Warning no: 0456.";

}  // namespace

CreateFromStringsPage::CreateFromStringsPage(PageContext& context)
    : CreatePage(context, PageKey::Vol02),
      destination(context, PageKey::Vol02, kDestinationTexts),
      cboVol02DestFolders(destination.combo),
      btnVol02AddDestFolder(destination.browse),
      btnVol02ViewDestFolder(destination.view),
      edtVol02Prefix(context.owner.Make<Edit>("edtVol02Prefix")),
      edtVol02Suffix(context.owner.Make<Edit>("edtVol02Suffix")),
      chkVol02Hyphen(context.owner.Make<CheckBox>("chkVol02Hyphen", "Hyphen")),
      lstVol02IncludeStrings(context.owner.Make<ListBox>("lstVol02IncludeStrings", true)),
      lstVol02ExcludeStrings(context.owner.Make<ListBox>("lstVol02ExcludeStrings", true)),
      lblVol02IncludeSum(context.owner.Make<Label>("lblVol02IncludeSum", "0")),
      lblVol02ExcludeSum(context.owner.Make<Label>("lblVol02ExcludeSum", "0")),
      lblVol02StartFolder(context.owner.Make<Label>("lblVol02StartFolder")),
      lblVol02EndFolder(context.owner.Make<Label>("lblVol02EndFolder")),
      chkVol02ViewDetailedResults(context.owner.Make<CheckBox>("chkVol02ViewDetailedResults", "Show Visual Log")),
      chkVol02ViewDestFolder(context.owner.Make<CheckBox>("chkVol02ViewDestFolder", "Show Explorer")),
      btnVol02ListHelp(context.owner.Make<Button>("btnVol02ListHelp", "Help")),
      btnVol02Statistic(context.owner.Make<Button>("btnVol02Statistic", "Visual Log")),
      panel(context.owner, context.services.ui, PageKey::Vol02, lstVol02IncludeStrings, lstVol02ExcludeStrings,
            lblVol02IncludeSum, lblVol02ExcludeSum, context.services.fs, context.services.drives),
      structures(context.owner, context.services, PageKey::Vol02),
      forecast(context.services.fs, PageKey::Vol02, structures) {
  destination.chosenChanged = [this](bool chosen) {
    // The list panel needs a destination.
    panel.SetEnabled(chosen);
    Refresh();
  };
  destination.afterChoose = [this] {
    RefreshPreview();
    edtVol02Prefix.SetFocus();
  };
  edtVol02Prefix.onChange = edtVol02Prefix.onExit = [this] { edtVol02PrefixChange(); };
  edtVol02Suffix.onChange = edtVol02Suffix.onExit = [this] { edtVol02SuffixChange(); };
  chkVol02Hyphen.onClick = [this] { chkVol02HyphenClick(); };
  btnVol02ListHelp.onClick = [this] { context_.showHelp(PageKey::Vol02); };
  btnVol02Statistic.onClick = [this] { btnVol02StatisticClick(); };
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  panel.afterAdd = [this] { RefreshPreview(); };
  panel.resetPage = [this] { Reset(); };
  structures.changed = [this] { Refresh(); };
  structures.runButtons = [this](bool) { SetRunEnabled(); };
  rdoOneLineOneFolder->onClick = rdoOneLineManyFolders->onClick = [this] { Refresh(); };
  btnCreateFolders.onClick = [this] { btnVol02CreateFoldersClick(); };
  btnCreateFoldersSimulation.onClick = [this] { btnVol02CreateFoldersSimulationClick(); };
}

void CreateFromStringsPage::FormCreate() {
  structures.FormCreate();
  stats.ResetAll();
  ShowCounters();
  lblVol02StartFolder.SetCaption("");
  lblVol02EndFolder.SetCaption("");
  chkVol02ViewDetailedResults.SetChecked(true);
  chkVol02ViewDestFolder.SetChecked(true);
  destination.Load(context_.services.settings.Vol02DestHistory());
  destination.SetChosen(false);
}

void CreateFromStringsPage::FormClose() {
  if (!cboVol02DestFolders.Items().empty())
    context_.services.settings.SetVol02DestHistory(cboVol02DestFolders.Items());
}

void CreateFromStringsPage::edtVol02PrefixChange() {
  FieldCheck(edtVol02Prefix, NameField::Prefix, [this] { RefreshPreview(); });
}
void CreateFromStringsPage::edtVol02SuffixChange() {
  FieldCheck(edtVol02Suffix, NameField::Suffix, [this] { RefreshPreview(); });
}
void CreateFromStringsPage::chkVol02HyphenClick() { RefreshPreview(); }

void CreateFromStringsPage::RefreshPreview() {
  const TextList& items = lstVol02IncludeStrings.Texts();
  _tagVol0XParts parts = ComposePartsVol02(cboVol02DestFolders.Text(), edtVol02Prefix.Text(), edtVol02Suffix.Text(),
                                           chkVol02Hyphen.Checked());
  // With "Many Folders" the first and last pieces are the first and last folders.
  std::optional<std::string> first, last;
  if (!items.empty()) {
    const auto& separators = context_.services.settings.Separators();
    const TextList head = LineItems({items.front()}, ManyFolders(), separators, false);
    const TextList tail = LineItems({items.back()}, ManyFolders(), separators, false);
    if (!head.empty()) first = std::string(head.front());
    if (!tail.empty()) last = std::string(tail.back());
  }
  PreviewTexts preview = PreviewVol02(parts, first, last);
  lblVol02StartFolder.SetCaption(preview.start);
  lblVol02EndFolder.SetCaption(preview.end);
}

void CreateFromStringsPage::Refresh() {
  panel.RefreshSums();
  const std::string target = Trim(cboVol02DestFolders.Text());
  RefreshForecast(forecast, ItemCount(lstVol02IncludeStrings.Texts()),
                  destination.Chosen() && !target.empty() ? std::vector<std::string>{target}
                                                          : std::vector<std::string>{});
  RefreshPreview();
  SetRunEnabled();
}

void CreateFromStringsPage::SetRunEnabled() {
  const bool on = destination.Chosen() && !lstVol02IncludeStrings.Empty() && structures.RunAllowed();
  btnCreateFolders.SetEnabled(on);
  btnCreateFoldersSimulation.SetEnabled(on);
}

std::string CreateFromStringsPage::DestinationFolder() const {
  std::string folder = Trim(cboVol02DestFolders.Text());
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

void CreateFromStringsPage::Run(bool simulate) {
  if (!destination.TakeTyped()) return;
  const SourceKind kind = structures.Kind();
  const AttachMode mode = structures.Mode().value_or(AttachMode::MainWithoutFiles);
  const TextList& lines = lstVol02IncludeStrings.Texts();
  TextList pieces;
  if (ManyFolders()) pieces = LineItems(lines, true, context_.services.settings.Separators(), false);
  const TextList& items = ManyFolders() ? pieces : lines;
  const std::string folder = DestinationFolder();

  CreationPlan plan;
  plan.simulate = simulate;
  plan.validate = [&] {
    if (kind == SourceKind::Structures && WithFiles(mode) &&
        !SpaceForRun(forecast, items.size(), {Trim(cboVol02DestFolders.Text())}))
      return false;
    if (!structures.RunAllowed()) {
      const MessageText& m = simulate ? kMsg0453 : kMsg0023;
      ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      structures.btnAdd.SetFocus();
      return false;
    }
    return true;
  };
  plan.proceed = [&] {
    if (!items.empty()) return true;
    const MessageText& m = simulate ? kMsg0458 : kMsg0027;
    ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
    return false;
  };
  plan.confirm = simulate ? kMsg0455 : kMsg0025;
  plan.end = simulate ? kMsg0457 : kMsg0026;
  const _tagVol0XParts parts = ComposePartsVol02(cboVol02DestFolders.Text(), edtVol02Prefix.Text(),
                                                 edtVol02Suffix.Text(), chkVol02Hyphen.Checked());
  const std::string base = NormalizeComposedPath(folder);
  const std::string chosen = Trim(cboVol02DestFolders.Text());
  plan.count = items.size();
  plan.target = [&](std::size_t i) {
    const std::string_view item = items[i];
    // A simulation reads each line as the name rules would: a valid full
    // path is no string. The run refuses any item that names a drive.
    std::string normalized;
    std::string_view text = item;
    if (simulate) text = normalized = NormalizeComposedPath(item);
    if (HasDrive(TrimmedView(text)) || (simulate && IsFullPathCandidate(normalized, context_.services.drives)))
      return CreationTarget::Refuse(std::string(text));
    std::string path = ComposedPathNormalized(parts.JoinWith(text));
    if (!HasDrive(path) || path.compare(0, base.size(), base) != 0) return CreationTarget::Refuse(std::move(path));
    CreationTarget target;
    target.how = CreationTarget::How::Below;
    target.destination = chosen;
    target.relativeAt = base.size();
    target.path = std::move(path);
    return target;
  };
  plan.attach = AttachFor(structures, forecast, simulate, simulate ? kCaption0456 : kCaption0373);
  plan.totals = OneCopy(forecast);
  plan.existsAddsTotals = plan.otherAddsTotals = kind != SourceKind::Nothing;
  plan.showVisualLog = chkVol02ViewDetailedResults.Checked();
  if (!simulate) plan.destination = folder;
  plan.showExplorer = [this] { return chkVol02ViewDestFolder.Checked(); };
  plan.explorerPath = [this] { return cboVol02DestFolders.Text(); };
  if (!simulate)
    plan.after = [this, used = cboVol02DestFolders.Text()] { UpdateDestinationHistory(cboVol02DestFolders, used); };
  RunCreation(plan);
}

void CreateFromStringsPage::Reset() {
  if (!cboVol02DestFolders.Items().empty()) cboVol02DestFolders.SetItemIndex(0);
  edtVol02Prefix.SetText("");
  edtVol02Suffix.SetText("");
  chkVol02Hyphen.SetChecked(true);
  lblVol02StartFolder.SetCaption("");
  lblVol02EndFolder.SetCaption("");
  chkVol02ViewDestFolder.SetChecked(true);
  chkVol02ViewDetailedResults.SetChecked(true);
  rdoOneLineOneFolder->SetChecked(true);
  stats.ResetAll();
  ClearRecords();
  structures.Reset();
  destination.SetChosen(false);
  ShowCounters();
}

}  // namespace quillory
