#include "operations/paths_page.h"

#include "app/settings_store.h"
#include "app/ui.h"
#include "names/folder_names.h"
#include "names/name_composition.h"
#include "platform/drives.h"

namespace quillory {

namespace {

const MessageText kMsg0059 = {
    "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder structure.",
    "Creating Folder(s).-From a Folder List.            Warning no: 0059."};
const MessageText kMsg0471 = {kMsg0059.text,
                              "Simulate Creating Folder(s).-From a Folder List.            Warning no: 0471."};
const MessageText kMsg0061 = {"Do you want to create folders ?\n",
                              "Creating Folder(s).-From a Folder List.            Information no: 0061."};
const MessageText kMsg0473 = {kSimulationQuestion,
                              "Simulate Creating Folder(s).-From a Folder List.            Information no: 0473."};
const MessageText kMsg0062 = {"End of Creating Folders/Files !!!",
                              "Creating Folder(s).-From a Folder List.            Information no: 0062."};
const MessageText kMsg0475 = {kSimulationEnd,
                              "Simulate Creating Folder(s).-From a Folder List.            Information no: 0475."};
const MessageText kMsg0063 = {
    "The Include list is empty !!!\nYou must enter at least one Folder to create folders.",
    "Creating Folder(s).-From a Folder List.           Warning no: 0063."};
const MessageText kMsg0476 = {kMsg0063.text,
                              "Simulate Creating Folder(s).-From a Folder List.           Warning no: 0476."};
constexpr const char* kCaption0375 = "Creating Folder(s).-From a Folder List.            Warning no: 0375.";
constexpr const char* kCaption0474 = "Simulate Creating Folder(s).-From a Folder List.            Warning no: 0474.";

}  // namespace

CreateFromPathsPage::CreateFromPathsPage(PageContext& context)
    : CreatePage(context, PageKey::Vol04),
      edtVol04Prefix(context.owner.Make<Edit>("edtVol04Prefix")),
      edtVol04Suffix(context.owner.Make<Edit>("edtVol04Suffix")),
      chkVol04Hyphen(context.owner.Make<CheckBox>("chkVol04Hyphen", "Hyphen")),
      lstVol04IncludeFolderList(context.owner.Make<ListBox>("lstVol04IncludeFolderList", false)),
      lstVol04ExcludeFolderList(context.owner.Make<ListBox>("lstVol04ExcludeFolderList", false)),
      lblVol04IncludeSum(context.owner.Make<Label>("lblVol04IncludeSum", "0")),
      lblVol04ExcludeSum(context.owner.Make<Label>("lblVol04ExcludeSum", "0")),
      lblVol04StartFolder(context.owner.Make<Label>("lblVol04StartFolder")),
      lblVol04EndFolder(context.owner.Make<Label>("lblVol04EndFolder")),
      grpVol04Statistics(context.owner.Make<Label>("grpVol04Statistics", "Statistics")),
      chkVol04ViewDetailedResults(context.owner.Make<CheckBox>("chkVol04ViewDetailedResults", "Show Visual Log")),
      btnVol04Help(context.owner.Make<Button>("btnVol04Help", "Help")),
      btnVol04Statistics(context.owner.Make<Button>("btnVol04Statistics", "Visual Log")),
      panel(context.owner, context.services.ui, PageKey::Vol04, lstVol04IncludeFolderList, lstVol04ExcludeFolderList,
            lblVol04IncludeSum, lblVol04ExcludeSum, context.services.fs, context.services.drives),
      structures(context.owner, context.services, PageKey::Vol04),
      forecast(context.services.fs, PageKey::Vol04, structures) {
  edtVol04Prefix.onChange = edtVol04Prefix.onExit = [this] { edtVol04PrefixChange(); };
  edtVol04Suffix.onChange = edtVol04Suffix.onExit = [this] { edtVol04SuffixChange(); };
  chkVol04Hyphen.onClick = [this] { chkVol04HyphenClick(); };
  btnVol04Help.onClick = [this] { context_.showHelp(PageKey::Vol04); };
  btnVol04Statistics.onClick = [this] { btnVol04StatisticsClick(); };
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  panel.resetPage = [this] { Reset(); };
  structures.changed = [this] { Refresh(); };
  structures.runButtons = [this](bool) { SetRunEnabled(); };
  rdoOneLineOneFolder->onClick = rdoOneLineManyFolders->onClick = [this] { Refresh(); };
  btnCreateFolders.onClick = [this] { btnVol04CreateFoldersClick(); };
  btnCreateFoldersSimulation.onClick = [this] { btnVol04CreateFoldersSimulationClick(); };
}

void CreateFromPathsPage::FormCreate() {
  structures.FormCreate();
  stats.ResetAll();
  ShowCounters();
  lblVol04StartFolder.SetCaption("");
  lblVol04EndFolder.SetCaption("");
  chkVol04ViewDetailedResults.SetChecked(true);
  grpVol04Statistics.SetVisible(false);
  Refresh();
}

void CreateFromPathsPage::edtVol04PrefixChange() {
  FieldCheck(edtVol04Prefix, NameField::Prefix, [this] { RefreshPreview(); });
}
void CreateFromPathsPage::edtVol04SuffixChange() {
  FieldCheck(edtVol04Suffix, NameField::Suffix, [this] { RefreshPreview(); });
}
void CreateFromPathsPage::chkVol04HyphenClick() { RefreshPreview(); }

void CreateFromPathsPage::RefreshPreview() {
  const TextList& items = lstVol04IncludeFolderList.Texts();
  PreviewTexts previous{lblVol04StartFolder.Caption(), lblVol04EndFolder.Caption()};
  PreviewTexts preview =
      items.empty() ? PreviewVol04(previous, std::nullopt, std::nullopt, "", "", false)
                    : PreviewVol04(previous, items.front(), items.back(), edtVol04Prefix.Text(), edtVol04Suffix.Text(),
                                   chkVol04Hyphen.Checked());
  lblVol04StartFolder.SetCaption(preview.start);
  lblVol04EndFolder.SetCaption(preview.end);
}

void CreateFromPathsPage::Refresh() {
  panel.RefreshSums();
  const bool items = !lstVol04IncludeFolderList.Empty();
  for (Control* c : std::initializer_list<Control*>{&edtVol04Prefix, &edtVol04Suffix, &chkVol04Hyphen,
                                                     &lblVol04StartFolder, &lblVol04EndFolder})
    c->SetEnabled(items);
  // Attach options and structures wait for the first include item.
  structures.SetPageEnabled(items);
  btnUndo.SetEnabled(items || HasUndoRecord());  // a record from before a restart
  btnVol04Statistics.SetEnabled(items);
  for (auto& row : statLabels)
    for (auto* l : row) l->SetEnabled(items);
  if (ManyFolders()) {
    const TextList items = LineItems(lstVol04IncludeFolderList.Texts(), true,
                                     context_.services.settings.Separators(), true);
    RefreshForecast(forecast, items.size(), items);
  } else {
    RefreshForecast(forecast, lstVol04IncludeFolderList.Count(), lstVol04IncludeFolderList.Texts());
  }
  RefreshPreview();
  SetRunEnabled();
}

void CreateFromPathsPage::SetRunEnabled() {
  const bool on = !lstVol04IncludeFolderList.Empty() && structures.RunAllowed();
  btnCreateFolders.SetEnabled(on);
  btnCreateFoldersSimulation.SetEnabled(on);
}

void CreateFromPathsPage::Run(bool simulate) {
  const SourceKind kind = structures.Kind();
  const AttachMode mode = structures.Mode().value_or(AttachMode::MainWithoutFiles);
  const TextList& lines = lstVol04IncludeFolderList.Texts();
  TextList pieces;
  if (ManyFolders()) pieces = LineItems(lines, true, context_.services.settings.Separators(), true);
  const TextList& items = ManyFolders() ? pieces : lines;

  CreationPlan plan;
  plan.simulate = simulate;
  plan.validate = [&] {
    if (kind == SourceKind::Structures && WithFiles(mode) && !SpaceForRun(forecast, items.size(), items))
      return false;
    if (!structures.RunAllowed()) {
      const MessageText& m = simulate ? kMsg0471 : kMsg0059;
      ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      structures.btnAdd.SetFocus();
      return false;
    }
    return true;
  };
  plan.proceed = [&] {
    if (!items.empty()) return true;
    const MessageText& m = simulate ? kMsg0476 : kMsg0063;
    ui().ShowMessageBox(m.text, m.caption, MessageKind::Warning);
    return false;
  };
  plan.confirm = simulate ? kMsg0473 : kMsg0061;
  plan.end = simulate ? kMsg0475 : kMsg0062;
  const std::string prefix = edtVol04Prefix.Text(), suffix = edtVol04Suffix.Text();
  const bool hyphen = chkVol04Hyphen.Checked();
  plan.count = items.size();
  plan.target = [&](std::size_t i) {
    std::string normalized;
    const std::string_view item = simulate ? std::string_view(normalized = NormalizeComposedPath(items[i]))
                                           : TrimmedView(items[i]);
    // A simulation takes what the name rules accept as a full path; the run
    // whatever names a drive.
    if (simulate ? !IsFullPathCandidate(normalized, context_.services.drives) : !HasDrive(item))
      return CreationTarget::Refuse(std::string(item));
    CreationTarget target;
    target.path = ComposePathVol04(item, prefix, suffix, hyphen);
    if (!HasDrive(target.path)) return CreationTarget::Refuse(std::move(target.path));
    target.how = CreationTarget::How::Whole;
    return target;
  };
  plan.attach = AttachFor(structures, forecast, simulate, simulate ? kCaption0474 : kCaption0375);
  plan.totals = OneCopy(forecast);
  plan.otherAddsTotals = kind == SourceKind::Structures;
  plan.showVisualLog = chkVol04ViewDetailedResults.Checked();
  RunCreation(plan);
}

void CreateFromPathsPage::Reset() {
  edtVol04Prefix.SetText("");
  edtVol04Suffix.SetText("");
  chkVol04Hyphen.SetChecked(true);
  lblVol04StartFolder.SetCaption("");
  lblVol04EndFolder.SetCaption("");
  chkVol04ViewDetailedResults.SetChecked(true);
  rdoOneLineOneFolder->SetChecked(true);
  stats.ResetAll();
  ClearRecords();
  structures.Reset();
  Refresh();
}

}  // namespace quillory
