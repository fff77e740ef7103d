#include "app/main_window.h"

#include <algorithm>

#include "app/application.h"
#include "app/settings_file.h"
#include "app/settings_store.h"
#include "app/ui.h"
#include "lists/list_windows.h"
#include "names/folder_names.h"
#include "names/name_composition.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "results/visual_log_windows.h"

namespace quillory {

namespace {

const MessageText kMsg0001 = {"The selection field is empty !\nAction : You must select a Destination Folder.",
                              "Creating Folder(s).-From a String List.            Warning no: 0001."};
const MessageText kMsg0002 = {"The selection field is empty !\nAction : You must select a destination folder.",
                              "Creating Folder(s).-From a String List.            Warning no: 0002."};
const MessageText kMsg0077 = {"The selection field is empty !\nAction : You must select a destination folder.",
                              "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0077."};
const MessageText kMsg0078 = {"The selection field is empty !\nAction : You must select a destination folder.",
                              "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0078."};

const MessageText kMsg0083 = {
    "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete process.",
    "Creating Folder(s).-Increased Numbers.            Information no: 0083."};
const MessageText kMsg0084 = {"End of the CLEAR FIELDS process !!!",
                              "Creating Folder(s).-Increased Numbers.            Information no: 0084."};

const char* const kTitle = "Quillory Suite";
const char* const kHelpFileName = "Quillory.hlp";

const char* const kColumnCaptions[4] = {"Main Folders", "Folders, Subfolders", "Files in structure",
                                        "Total File size (bytes)"};

// `first` (when not empty), then every other non-empty item in order, each
// text once: the shape of every destination history.
std::vector<std::string> HistoryWithFirst(const std::string& first, const std::vector<std::string>& items) {
  std::vector<std::string> out;
  if (!first.empty()) out.push_back(first);
  for (auto& item : items)
    if (!item.empty() && std::find(out.begin(), out.end(), item) == out.end()) out.push_back(item);
  return out;
}

}  // namespace

void CreatePageState::ClearRecords() {
  createdMainFolders.clear();
  existingMainFolders.clear();
  otherMainFolders.clear();
  createdFolders.clear();
  copiedFiles.clear();
}

TfrmMain::TfrmMain(Application& app_, SettingsStore& settings_)
    : Window("TfrmMain", kTitle),
      app(app_),
      settings(settings_),
      visualLogs(app_.ui),
      mnuFileExit(Make<Button>("mnuFileExit", "Exit")),
      mnuHelpOverView(Make<Button>("mnuHelpOverView", "OverView")),
      mnuHelpAbout(Make<Button>("mnuHelpAbout", "&About...")),
      mnuMiscManageSeparators(Make<Button>("mnuMiscManageSeparators", "Manage Separators")),
      mnuMiscManageQuotationMarks(Make<Button>("mnuMiscManageQuotationMarks", "Manage Quotation Marks")),
      pgeMain(Make<PageControl>("pgeMain")),
      tabFoldersCopy02(Make<TabSheet>("tabFoldersCopy02", "Copy Folder Structures")),
      tabFoldersDelete01(Make<TabSheet>("tabFoldersDelete01", "Delete Folder Structures")),
      tabFoldersRename01(Make<TabSheet>("tabFoldersRename01", "Rename Folders ")),
      tabFolderCreate03(Make<TabSheet>("tabFolderCreate03", "Create Folder Structures-I")),
      tabFolderCreate05(Make<TabSheet>("tabFolderCreate05", "Create Folder Struct.-II")),
      tabFolderCreate04(Make<TabSheet>("tabFolderCreate04", "Create Folder Struct.-III")),
      tabFolderCreate01(Make<TabSheet>("tabFolderCreate01", "Create Folder -IV.")),
      cboVol02DestFolders(Make<ComboBox>("cboVol02DestFolders")),
      btnVol02AddDestFolder(Make<Button>("btnVol02AddDestFolder", "Browse")),
      btnVol02ViewDestFolder(Make<Button>("btnVol02ViewDestFolder", "View")),
      edtVol02Prefix(Make<Edit>("edtVol02Prefix")),
      edtVol02Suffix(Make<Edit>("edtVol02Suffix")),
      chkVol02Hyphen(Make<CheckBox>("chkVol02Hyphen", "Hyphen")),
      lstVol02IncludeStrings(Make<ListBox>("lstVol02IncludeStrings", true)),
      lstVol02ExcludeStrings(Make<ListBox>("lstVol02ExcludeStrings", true)),
      lblVol02IncludeSum(Make<Label>("lblVol02IncludeSum", "0")),
      lblVol02ExcludeSum(Make<Label>("lblVol02ExcludeSum", "0")),
      lblVol02StartFolder(Make<Label>("lblVol02StartFolder")),
      lblVol02EndFolder(Make<Label>("lblVol02EndFolder")),
      chkVol02ViewDetailedResults(Make<CheckBox>("chkVol02ViewDetailedResults", "Show Visual Log")),
      chkVol02ViewDestFolder(Make<CheckBox>("chkVol02ViewDestFolder", "Show Explorer")),
      btnVol02ListHelp(Make<Button>("btnVol02ListHelp", "Help")),
      btnVol02Statistic(Make<Button>("btnVol02Statistic", "Visual Log")),
      vol02Panel(*this, app_.ui, PanelPage::Vol02, lstVol02IncludeStrings, lstVol02ExcludeStrings, lblVol02IncludeSum,
                 lblVol02ExcludeSum),
      edtVol04Prefix(Make<Edit>("edtVol04Prefix")),
      edtVol04Suffix(Make<Edit>("edtVol04Suffix")),
      chkVol04Hyphen(Make<CheckBox>("chkVol04Hyphen", "Hyphen")),
      lstVol04IncludeFolderList(Make<ListBox>("lstVol04IncludeFolderList", false)),
      lstVol04ExcludeFolderList(Make<ListBox>("lstVol04ExcludeFolderList", false)),
      lblVol04IncludeSum(Make<Label>("lblVol04IncludeSum", "0")),
      lblVol04ExcludeSum(Make<Label>("lblVol04ExcludeSum", "0")),
      lblVol04StartFolder(Make<Label>("lblVol04StartFolder")),
      lblVol04EndFolder(Make<Label>("lblVol04EndFolder")),
      grpVol04Statistics(Make<Label>("grpVol04Statistics", "Statistics")),
      chkVol04ViewDetailedResults(Make<CheckBox>("chkVol04ViewDetailedResults", "Show Visual Log")),
      btnVol04Help(Make<Button>("btnVol04Help", "Help")),
      btnVol04Statistics(Make<Button>("btnVol04Statistics", "Visual Log")),
      vol04Panel(*this, app_.ui, PanelPage::Vol04, lstVol04IncludeFolderList, lstVol04ExcludeFolderList,
                 lblVol04IncludeSum, lblVol04ExcludeSum),
      cboVol03DestFolders(Make<ComboBox>("cboVol03DestFolders")),
      btnVol03AddDestFolder(Make<Button>("btnVol03AddDestFolder", "Browse")),
      btnVol03ViewDestFolder(Make<Button>("btnVol03ViewDestFolder", "View")),
      edtVol03StartNumber(Make<Edit>("edtVol03StartNumber")),
      edtVol03EndNumber(Make<Edit>("edtVol03EndNumber")),
      edtVol03Prefix(Make<Edit>("edtVol03Prefix")),
      edtVol03Suffix(Make<Edit>("edtVol03Suffix")),
      chkVol03Hyphen(Make<CheckBox>("chkVol03Hyphen", "Hyphen between Prefix-Increased Number-Suffix.")),
      chkVol03PaddedZeroes(Make<CheckBox>("chkVol03PaddedZeroes", "Padded zeroes in Increased Numbers.")),
      lblVol03StartFolder(Make<Label>("lblVol03StartFolder")),
      lblVol03EndFolder(Make<Label>("lblVol03EndFolder")),
      chkVol03ViewDetailedResults(Make<CheckBox>("chkVol03ViewDetailedResults", "Show Visual Log")),
      chkVol03ViewDestFolder(Make<CheckBox>("chkVol03ViewDestFolder", "Show Explorer")),
      btnVol03Help(Make<Button>("btnVol03Help", "Help")),
      btnVol03ClearAll(Make<Button>("btnVol03ClearAll", "Clear Fields")),
      btnVol03Statistics(Make<Button>("btnVol03Statistics", "Visual Log")),
      lstVol06IncludeFolderList(Make<ListBox>("lstVol06IncludeFolderList", false)),
      lstVol06ExcludeFolderList(Make<ListBox>("lstVol06ExcludeFolderList", false)),
      lblVol06IncludeSum(Make<Label>("lblVol06IncludeSum", "0")),
      lblVol06ExcludeSum(Make<Label>("lblVol06ExcludeSum", "0")),
      vol06Panel(*this, app_.ui, PanelPage::Vol06, lstVol06IncludeFolderList, lstVol06ExcludeFolderList,
                 lblVol06IncludeSum, lblVol06ExcludeSum),
      lstVol07IncludeFolderList(Make<ListBox>("lstVol07IncludeFolderList", false)),
      lstVol07ExcludeFolderList(Make<ListBox>("lstVol07ExcludeFolderList", false)),
      lblVol07IncludeSum(Make<Label>("lblVol07IncludeSum", "0")),
      lblVol07ExcludeSum(Make<Label>("lblVol07ExcludeSum", "0")),
      vol07Panel(*this, app_.ui, PanelPage::Vol07, lstVol07IncludeFolderList, lstVol07ExcludeFolderList,
                 lblVol07IncludeSum, lblVol07ExcludeSum),
      lstVol08IncludeFolderList(Make<ListBox>("lstVol08IncludeFolderList", false)),
      lstVol08ExcludeFolderList(Make<ListBox>("lstVol08ExcludeFolderList", false)),
      lblVol08IncludeSum(Make<Label>("lblVol08IncludeSum", "0")),
      lblVol08ExcludeSum(Make<Label>("lblVol08ExcludeSum", "0")),
      vol08Panel(*this, app_.ui, PanelPage::Vol08, lstVol08IncludeFolderList, lstVol08ExcludeFolderList,
                 lblVol08IncludeSum, lblVol08ExcludeSum),
      btnVol06Statistics(Make<Button>("btnVol06Statistics", "Visual Log")),
      btnVol07Statistics(Make<Button>("btnVol07Statistics", "Visual Log")),
      btnVol08Statistics(Make<Button>("btnVol08Statistics", "Visual Log")),
      chkVol06ShowDetailedResults(Make<CheckBox>("chkVol06ShowDetailedResults", "Show Visual Log")),
      chkVol07ShowDetailedResults(Make<CheckBox>("chkVol07ShowDetailedResults", "Show Visual Log")),
      chkVol08ShowDetailedResults(Make<CheckBox>("chkVol08ShowDetailedResults", "Show Visual Log")),
      vol08Files(MakeFileSelectionControls(*this, "08")),
      vol07Files(MakeFileSelectionControls(*this, "07")),
      lblVol08FileTypesAllSelected(vol08Files.allSelected),
      lblVol07FileTypesAllSelected(vol07Files.allSelected),
      btnVol08Help(Make<Button>("btnVol08Help", "Help")),
      btnVol07Help(Make<Button>("btnVol07Help", "Help")),
      btnVol06Help(Make<Button>("btnVol06Help", "Help")),
      btnForcedHelp(Make<Button>("btnForcedHelp", "Help")),
      forced(*this, app_.ui, pgeMain, tabFolderCreate01) {
  for (auto* tab : {&tabFoldersCopy02, &tabFoldersDelete01, &tabFoldersRename01, &tabFolderCreate03,
                    &tabFolderCreate05, &tabFolderCreate04, &tabFolderCreate01})
    pgeMain.AddPage(tab);

  static const char* const kVideoEntries[][2] = {
      {"mnuVideoCopy", "Copy Folder Structures"},       {"mnuVideoDelete", "Delete Folder Structures"},
      {"mnuVideoRename", "Rename Folders"},             {"mnuVideoCreateStrings", "Create Folder Structures-I"},
      {"mnuVideoCreateFolders", "Create Folder Struct.-II"}, {"mnuVideoCreateNumbers", "Create Folder Struct.-III"},
      {"mnuVideoCreateManual", "Create Folder -IV."}};
  for (auto& entry : kVideoEntries) {
    Button& item = Make<Button>(entry[0], entry[1]);
    item.onClick = [this] { ui().ShowModal(*app.videos); };
    mnuVideoTutorials.push_back(&item);
  }
  // Both list windows are reached from the Misc. menu.
  mnuMiscManageSeparators.onClick = [this] { ui().ShowModal(*app.delimiters); };
  mnuMiscManageQuotationMarks.onClick = [this] { ui().ShowModal(*app.quotationMarks); };
  mnuFileExit.onClick = [this] { FormClose(); SetShown(false); };
  mnuHelpOverView.onClick = [this] { ui().ShowModal(*app.overview); };
  mnuHelpAbout.onClick = [this] { ui().ShowModal(*app.about); };

  BuildCreatePage(vol02, "Vol02", false);
  BuildCreatePage(vol04, "Vol04", true);
  BuildCreatePage(vol03, "Vol03", true);
  vol02.logPage = LogPage::P02;
  vol03.logPage = LogPage::P03;
  vol04.logPage = LogPage::P04;
  for (const char* page : {"06", "07", "08"}) BuildCounterLabels(page);
  btnVol02Statistic.onClick = [this] { btnVol02StatisticClick(); };
  btnVol03Statistics.onClick = [this] { btnVol03StatisticsClick(); };
  btnVol04Statistics.onClick = [this] { btnVol04StatisticsClick(); };
  btnVol06Statistics.onClick = [this] { btnVol06StatisticsClick(); };
  vol08Files.select.onClick = [this] {
    if (OpenFileSelection(ui(), *app.fileSelection) == ModalResult::Ok) RefreshVol08();
  };
  vol07Files.select.onClick = [this] {
    if (OpenFileSelection(ui(), *app.fileSelection) == ModalResult::Ok) RefreshVol07();
  };
  btnVol07Statistics.onClick = [this] { btnVol07StatisticsClick(); };
  btnVol08Statistics.onClick = [this] { btnVol08StatisticsClick(); };

  // Destinations.
  btnVol02AddDestFolder.onClick = [this] { ChooseDestination("Vol02", ui().SelectFolder("Browse Title")); };
  btnVol03AddDestFolder.onClick = [this] { ChooseDestination("Vol03", ui().SelectFolder("Browse Title")); };
  cboVol02DestFolders.onSelect = [this] { ChooseDestination("Vol02", cboVol02DestFolders.Text()); };
  cboVol03DestFolders.onSelect = [this] { ChooseDestination("Vol03", cboVol03DestFolders.Text()); };
  btnVol02ViewDestFolder.onClick = [this] { ViewDestination("Vol02"); };
  btnVol03ViewDestFolder.onClick = [this] { ViewDestination("Vol03"); };

  // Name fields: the same check runs when the field is left.
  edtVol02Prefix.onChange = edtVol02Prefix.onExit = [this] { edtVol02PrefixChange(); };
  edtVol02Suffix.onChange = edtVol02Suffix.onExit = [this] { edtVol02SuffixChange(); };
  edtVol03Prefix.onChange = edtVol03Prefix.onExit = [this] { edtVol03PrefixChange(); };
  edtVol03Suffix.onChange = edtVol03Suffix.onExit = [this] { edtVol03SuffixChange(); };
  edtVol04Prefix.onChange = edtVol04Prefix.onExit = [this] { edtVol04PrefixChange(); };
  edtVol04Suffix.onChange = edtVol04Suffix.onExit = [this] { edtVol04SuffixChange(); };
  chkVol02Hyphen.onClick = [this] { chkVol02HyphenClick(); };
  chkVol03Hyphen.onClick = [this] { chkVol03HyphenClick(); };
  chkVol04Hyphen.onClick = [this] { chkVol04HyphenClick(); };

  // Help.
  btnVol02ListHelp.onClick = [this] { ShowHelpTopic("Vol02"); };
  btnVol03Help.onClick = [this] { ShowHelpTopic("Vol03"); };
  btnVol04Help.onClick = [this] { ShowHelpTopic("Vol04"); };
  btnVol06Help.onClick = [this] { ShowHelpTopic("Vol06"); };
  btnVol07Help.onClick = [this] { ShowHelpTopic("Vol07"); };
  btnVol08Help.onClick = [this] { ShowHelpTopic("Vol08"); };
  btnForcedHelp.onClick = [this] { ShowHelpTopic("Forced"); };

  // Every change of a page's lists ends with the page's refresh.
  const std::pair<ListPanel*, std::function<void()>> refreshes[] = {
      {&vol02Panel, [this] { RefreshVol02(); }}, {&vol04Panel, [this] { RefreshVol04(); }},
      {&vol06Panel, [this] { RefreshVol06(); }}, {&vol07Panel, [this] { RefreshVol07(); }},
      {&vol08Panel, [this] { RefreshVol08(); }}};
  for (const auto& [panel, refresh] : refreshes)
    for (ListBox* list : {&panel->include, &panel->exclude})
      connections_.push_back(list->changed.Connect([refresh](const ControlEvent& e) {
        if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsRemoved ||
            e.change == ControlChange::RowsReset)
          refresh();
      }));
  vol02Panel.afterAdd = [this] { RefreshPreviewVol02(); };
  vol02Panel.resetPage = [this] { ResetVol02(); };
  vol04Panel.resetPage = [this] { ResetVol04(); };
  btnVol03ClearAll.onClick = [this] { btnVol03ClearAllClick(); };
  connections_.push_back(pgeMain.changed.Connect([this](const ControlEvent& e) {
    if (e.change == ControlChange::ItemIndex && pgeMain.ActivePage() == &tabFolderCreate01) forced.PageShow();
  }));

  Handler("FormCreate", [this] { FormCreate(); });
  Handler("FormActivate", [this] { FormActivate(); });
  Handler("FormClose", [this] { FormClose(); });
}

Ui& TfrmMain::ui() const { return app.ui; }

void TfrmMain::BuildCreatePage(CreatePageState& page, const std::string& key, bool shortRowCaptions) {
  page.key = key;
  const char* rowCaptions[4] = {"To create:", "Successfully created:", "Not created  (already exist):",
                                "Not created (other reasons):"};
  if (shortRowCaptions) {
    rowCaptions[2] = "NOT created (already exists):";
    rowCaptions[3] = "NOT created (other reasons):";
  }
  if (key == "Vol03") rowCaptions[1] = "Created :";
  for (int c = 0; c < 4; ++c) Make<Label>("lbl" + key + "Column" + kCreateColumns[c], kColumnCaptions[c]);
  for (int r = 0; r < 4; ++r) {
    Make<Label>("lbl" + key + "Row" + kCreateRows[r], rowCaptions[r]);
    for (int c = 0; c < 4; ++c)
      page.statLabels[r][c] = &Make<Label>("lbl" + key + kCreateColumns[c] + kCreateRows[r], "0");
  }
}

void TfrmMain::BuildCounterLabels(const std::string& page) {
  const std::string key = "lblVol" + page;
  const CounterLayout& layout = PageCounterLayout(page);
  for (std::size_t c = 0; c < layout.columnKeys.size(); ++c)
    Make<Label>(key + "Column" + layout.columnKeys[c], layout.columnCaptions[c]);
  for (const CounterRow& row : layout.rows) {
    if (row.visualLogOnly) continue;
    Make<Label>(key + "Row" + row.key, row.caption);
    for (std::size_t c = 0; c < row.counters.size(); ++c) {
      if (row.counters[c].empty()) continue;
      if (c < row.cellCaptions.size() && !row.cellCaptions[c].empty())
        Make<Label>(key + row.counters[c] + "Caption", row.cellCaptions[c]);
      Make<Label>(key + row.counters[c], "0");
    }
  }
}

// ---------------------------------------------------------------- lifecycle

void TfrmMain::FormCreate() {
  applicationTitle = kTitle;
  helpFilePath = kHelpFileName;
  hintHidePauseMs = 600000;

  settingsPath = WorkingFolderSettingsPath();
  StartUpSettingsResult started =
      StartUpSettings(settings, applicationTitle, CurrentDirectoryProgramForm(), settingsPath);
  if (!started.save.ok)
    ui().ShowMessageBox(std::string(kMsg0130.text), std::string(kMsg0130.caption), MessageKind::Error);

  for (auto* page : {&vol02, &vol03, &vol04}) {
    page->stats.ResetAll();
    ShowCounters(*page);
  }
  for (auto [stats, page] : {std::pair{&vol06Stats, LogPage::P06}, std::pair{&vol07Stats, LogPage::P07},
                             std::pair{&vol08Stats, LogPage::P08}}) {
    stats->ResetAll();
    if (visualLogs.Attached(page)) visualLogs.WriteCounters(page);
  }

  edtVol03StartNumber.SetText("1");
  edtVol03EndNumber.SetText("1");
  for (auto* l : {&lblVol02StartFolder, &lblVol02EndFolder, &lblVol03StartFolder, &lblVol03EndFolder,
                  &lblVol04StartFolder, &lblVol04EndFolder})
    l->SetCaption("");

  chkVol02ViewDetailedResults.SetChecked(true);
  chkVol02ViewDestFolder.SetChecked(true);
  chkVol03ViewDetailedResults.SetChecked(true);
  chkVol03ViewDestFolder.SetChecked(true);
  chkVol04ViewDetailedResults.SetChecked(true);
  chkVol06ShowDetailedResults.SetChecked(true);
  chkVol07ShowDetailedResults.SetChecked(true);
  chkVol08ShowDetailedResults.SetChecked(true);
  grpVol04Statistics.SetVisible(false);

  for (ListPanel* panel : Panels()) panel->ResetMethods();

  pgeMain.SetActivePageIndex(0);
  BuildIllegalCharacterSets();

  texts.createSimulation =
      "Simulation shows you the complete Folder Creation process \nwithout actually creating them on the hard "
      "drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult Folder/File "
      "lists - all without compromising existing Folder Structures.\n";
  texts.createSimulationEnd =
      "End of Simulation !!!\n\nNo actual Folders were Created because of Simulation.\nThe purpose of the "
      "Simulation is to show the Complete Folder creation process\n without actually creating them on the hard "
      "drive.\n\nIf You want to Create Folders, use the Create Folders button.";

  cboVol02DestFolders.ClearItems();
  cboVol02DestFolders.SetItems(HistoryWithFirst("", settings.Vol02DestHistory()));
  cboVol03DestFolders.ClearItems();
  cboVol03DestFolders.SetItems(HistoryWithFirst("", settings.Vol03DestHistory()));

  for (ListPanel* panel : Panels())
    if (panel->Editor()) panel->Editor()->btnHelp.onClick = [this, key = panel->Key()] { ShowHelpTopic(key); };

  if (Window* more = app.Find("TfrmMoreHelp"))
    app.help->btnMoreHelp.onClick = [this, more] { ui().ShowModal(*more); };

  SetNoDestinationState("Vol02");
  SetNoDestinationState("Vol03");
  RefreshVol02();
  RefreshVol04();
  RefreshVol03();
  RefreshVol06();
  RefreshVol07();
  RefreshVol08();
}

void TfrmMain::FormActivate() {
  // A message box of a simulation may have left a heading behind.
  visualLogs.RefreshHeadings();
  if (visualLogs.Attached(LogPage::P07)) visualLogs.WriteLogCounters(LogPage::P07);
  const std::string status = FileSelectionStatus(settings);
  lblVol07FileTypesAllSelected.SetCaption(status);
  lblVol08FileTypesAllSelected.SetCaption(status);
}

bool TfrmMain::FormClose() {
  if (!cboVol02DestFolders.Items().empty()) settings.SetVol02DestHistory(cboVol02DestFolders.Items());
  if (!cboVol03DestFolders.Items().empty()) settings.SetVol03DestHistory(cboVol03DestFolders.Items());
  SaveClass save(settingsPath, settings);
  if (save.save().ok) return true;
  ui().ShowMessageBox(std::string(kMsg0130.text), std::string(kMsg0130.caption), MessageKind::Error);
  return false;
}

void TfrmMain::FormDestroy() {
  for (ListPanel* panel : Panels()) {
    panel->include.Clear();
    panel->exclude.Clear();
  }
  for (auto* page : {&vol02, &vol03, &vol04}) {
    page->ClearRecords();
    page->failedUndoFolders.clear();
  }
  visualLogs.ClearAll();
}

// ---------------------------------------------------------------- services

bool TfrmMain::HasDestination(const std::string& page) const {
  return page == "Vol02" ? destinationChosenVol02_ : destinationChosenVol03_;
}

void TfrmMain::EnableDestinationControls(const std::string& page, bool enabled) {
  if (page == "Vol02") {
    destinationChosenVol02_ = enabled;
    btnVol02ViewDestFolder.SetEnabled(enabled);
    // The list panel needs a destination.
    vol02Panel.SetEnabled(enabled);
    RefreshVol02();
  } else {
    destinationChosenVol03_ = enabled;
    btnVol03ViewDestFolder.SetEnabled(enabled);
    RefreshVol03();
  }
}

void TfrmMain::SetNoDestinationState(const std::string& page) { EnableDestinationControls(page, false); }

void TfrmMain::ChooseDestination(const std::string& page, const std::string& path) {
  ComboBox& combo = page == "Vol02" ? cboVol02DestFolders : cboVol03DestFolders;
  const MessageText& empty = page == "Vol02" ? kMsg0001 : kMsg0077;
  std::string trimmed = Trim(path);
  if (trimmed.empty()) {
    if (Trim(combo.Text()).empty()) SetNoDestinationState(page);
    ui().ShowMessageBox(empty.text, empty.caption, MessageKind::Warning);
    combo.SetFocus();
    return;
  }
  int at = combo.IndexOf(path);
  if (at >= 0) {
    combo.SetItemIndex(at);
  } else {
    // The new path goes first, the others keep their order behind it.
    std::vector<std::string> items = HistoryWithFirst(path, combo.Items());
    combo.ClearItems();
    combo.SetItems(std::move(items));
    combo.SetItemIndex(0);
  }
  EnableDestinationControls(page, true);
  if (page == "Vol02") {
    RefreshPreviewVol02();
    edtVol02Prefix.SetFocus();
  } else {
    edtVol03StartNumber.SetFocus();
  }
}

void TfrmMain::ViewDestination(const std::string& page) {
  ComboBox& combo = page == "Vol02" ? cboVol02DestFolders : cboVol03DestFolders;
  const MessageText& empty = page == "Vol02" ? kMsg0002 : kMsg0078;
  std::string trimmed = Trim(combo.Text());
  if (trimmed.empty()) {
    ui().ShowMessageBox(empty.text, empty.caption, MessageKind::Warning);
    return;
  }
  ui().OpenFolder(trimmed);
}

void TfrmMain::ShowHelpTopic(const std::string& topic) {
  app.help->ShowTopic(topic);
  ui().ShowModal(*app.help);
}

void TfrmMain::UpdateDestinationHistory(ComboBox& combo, const std::string& used) {
  std::string first = Trim(used);
  if (first.empty()) return;
  combo.SetItems(HistoryWithFirst(first, combo.Items()));
  combo.SetItemIndex(0);
}

RunOutcome TfrmMain::RunOperation(TabSheet& page, const RunPlan& plan) { return RunFrame(ui(), pgeMain, page, plan); }

void TfrmMain::PrepareCreateRun(CreatePageState& page, bool real, bool showVisualLog) {
  std::vector<std::string> keep;
  for (auto* c : kCreateColumns) keep.push_back(std::string(c) + "ToCreate");
  page.stats.ResetExcept(keep);
  if (real) page.ClearRecords();
  if (visualLogs.Attached(page.logPage)) {
    visualLogs.PrepareVisualLog(page.logPage, !real, {}, showVisualLog);
    return;
  }
  ShowCounters(page);
}

void TfrmMain::ShowCounters(CreatePageState& page) {
  if (visualLogs.Attached(page.logPage)) {
    visualLogs.WriteCounters(page.logPage);
    return;
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      page.statLabels[r][c]->SetCaption(FormatCounter(page.stats.Get(std::string(kCreateColumns[c]) + kCreateRows[r])));
}

void TfrmMain::btnVol02StatisticClick() { visualLogs.ShowVisualLog(LogPage::P02); }
void TfrmMain::btnVol03StatisticsClick() { visualLogs.ShowVisualLog(LogPage::P03); }
void TfrmMain::btnVol04StatisticsClick() { visualLogs.ShowVisualLog(LogPage::P04); }
void TfrmMain::btnVol06StatisticsClick() { visualLogs.ShowVisualLog(LogPage::P06); }
void TfrmMain::btnVol07StatisticsClick() { visualLogs.ShowVisualLog(LogPage::P07); }
void TfrmMain::btnVol08StatisticsClick() { visualLogs.ShowVisualLog(LogPage::P08); }

// ---------------------------------------------------------------- name fields

void TfrmMain::FieldCheck(Edit& field, const FieldMessage& message, const std::function<void()>& clean) {
  // Each removal is itself a change of the field, checked again: one warning
  // per removed character until the text is clean.
  while (auto found = FieldIllegalFound(field.Text())) {
    ui().ShowMessageBox(std::string(message.text) + *found, std::string(message.caption), MessageKind::Warning);
    std::string text = field.Text();
    DropLastCharacter(text);
    field.SetText(std::move(text));
    field.SetFocus();
  }
  if (clean) clean();
}

void TfrmMain::edtVol02PrefixChange() { FieldCheck(edtVol02Prefix, FieldIllegalMessage(CreatePage::Vol02, NameField::Prefix), [this] { RefreshPreviewVol02(); }); }
void TfrmMain::edtVol02SuffixChange() { FieldCheck(edtVol02Suffix, FieldIllegalMessage(CreatePage::Vol02, NameField::Suffix), [this] { RefreshPreviewVol02(); }); }
void TfrmMain::edtVol03PrefixChange() { FieldCheck(edtVol03Prefix, FieldIllegalMessage(CreatePage::Vol03, NameField::Prefix), nullptr); }
void TfrmMain::edtVol03SuffixChange() { FieldCheck(edtVol03Suffix, FieldIllegalMessage(CreatePage::Vol03, NameField::Suffix), nullptr); }
void TfrmMain::edtVol04PrefixChange() { FieldCheck(edtVol04Prefix, FieldIllegalMessage(CreatePage::Vol04, NameField::Prefix), [this] { RefreshPreviewVol04(); }); }
void TfrmMain::edtVol04SuffixChange() { FieldCheck(edtVol04Suffix, FieldIllegalMessage(CreatePage::Vol04, NameField::Suffix), [this] { RefreshPreviewVol04(); }); }
void TfrmMain::chkVol02HyphenClick() { RefreshPreviewVol02(); }
void TfrmMain::chkVol03HyphenClick() {}
void TfrmMain::chkVol04HyphenClick() { RefreshPreviewVol04(); }

void TfrmMain::RefreshPreviewVol02() {
  const auto& items = lstVol02IncludeStrings.Items();
  _tagVol0XParts parts = ComposePartsVol02(cboVol02DestFolders.Text(), edtVol02Prefix.Text(), edtVol02Suffix.Text(),
                                           chkVol02Hyphen.Checked());
  PreviewTexts preview = items.empty() ? PreviewVol02(parts, std::nullopt, std::nullopt)
                                       : PreviewVol02(parts, items.front(), items.back());
  lblVol02StartFolder.SetCaption(preview.start);
  lblVol02EndFolder.SetCaption(preview.end);
}

void TfrmMain::RefreshPreviewVol04() {
  const auto& items = lstVol04IncludeFolderList.Items();
  PreviewTexts previous{lblVol04StartFolder.Caption(), lblVol04EndFolder.Caption()};
  PreviewTexts preview =
      items.empty() ? PreviewVol04(previous, std::nullopt, std::nullopt, "", "", false)
                    : PreviewVol04(previous, items.front(), items.back(), edtVol04Prefix.Text(), edtVol04Suffix.Text(),
                                   chkVol04Hyphen.Checked());
  lblVol04StartFolder.SetCaption(preview.start);
  lblVol04EndFolder.SetCaption(preview.end);
}

// ---------------------------------------------------------------- refreshes

void TfrmMain::RefreshVol02() {
  lblVol02IncludeSum.SetCaption(std::to_string(lstVol02IncludeStrings.Count()));
  lblVol02ExcludeSum.SetCaption(std::to_string(lstVol02ExcludeStrings.Count()));
  vol02.stats.Set("FoldersToCreate", static_cast<double>(lstVol02IncludeStrings.Count()));
  ShowCounters(vol02);
  RefreshPreviewVol02();
}

void TfrmMain::RefreshVol04() {
  lblVol04IncludeSum.SetCaption(std::to_string(lstVol04IncludeFolderList.Count()));
  lblVol04ExcludeSum.SetCaption(std::to_string(lstVol04ExcludeFolderList.Count()));
  const bool items = !lstVol04IncludeFolderList.Empty();
  for (Control* c : std::initializer_list<Control*>{&edtVol04Prefix, &edtVol04Suffix, &chkVol04Hyphen,
                                                     &lblVol04StartFolder, &lblVol04EndFolder})
    c->SetEnabled(items);
  for (auto& row : vol04.statLabels)
    for (auto* l : row) l->SetEnabled(items);
  vol04.stats.Set("FoldersToCreate", static_cast<double>(lstVol04IncludeFolderList.Count()));
  ShowCounters(vol04);
  RefreshPreviewVol04();
}

std::vector<ListPanel*> TfrmMain::Panels() { return {&vol02Panel, &vol04Panel, &vol06Panel, &vol07Panel, &vol08Panel}; }

void TfrmMain::RefreshFolderPage(ListPanel& panel) {
  panel.includeSum.SetCaption(std::to_string(panel.include.Count()));
  panel.excludeSum.SetCaption(std::to_string(panel.exclude.Count()));
}

void TfrmMain::RefreshVol06() {
  RefreshFolderPage(vol06Panel);
  // A new list makes the last run's results stale.
  vol06Stats.ResetAll();
  vol06Stats.Set("FoldersToRename", static_cast<double>(lstVol06IncludeFolderList.Count()));
  const bool items = !lstVol06IncludeFolderList.Empty();
  btnVol06Statistics.SetEnabled(items);
  chkVol06ShowDetailedResults.SetEnabled(items);
  if (visualLogs.Attached(LogPage::P06)) visualLogs.WriteCounters(LogPage::P06);
}

void TfrmMain::RefreshVol07() {
  RefreshFolderPage(vol07Panel);
  const bool items = !lstVol07IncludeFolderList.Empty();
  btnVol07Statistics.SetEnabled(items);
  chkVol07ShowDetailedResults.SetEnabled(items);
  if (visualLogs.Attached(LogPage::P07)) visualLogs.WriteCounters(LogPage::P07);
}

void TfrmMain::RefreshVol08() {
  RefreshFolderPage(vol08Panel);
  if (visualLogs.Attached(LogPage::P08)) visualLogs.WriteCounters(LogPage::P08);
}

// ------------------------------------------------------------ clear fields

void TfrmMain::ResetVol02() {
  if (!cboVol02DestFolders.Items().empty()) cboVol02DestFolders.SetItemIndex(0);
  edtVol02Prefix.SetText("");
  edtVol02Suffix.SetText("");
  chkVol02Hyphen.SetChecked(true);
  lblVol02StartFolder.SetCaption("");
  lblVol02EndFolder.SetCaption("");
  chkVol02ViewDestFolder.SetChecked(true);
  chkVol02ViewDetailedResults.SetChecked(true);
  vol02.stats.ResetAll();
  vol02.ClearRecords();
  SetNoDestinationState("Vol02");
  ShowCounters(vol02);
}

void TfrmMain::ResetVol04() {
  edtVol04Prefix.SetText("");
  edtVol04Suffix.SetText("");
  chkVol04Hyphen.SetChecked(true);
  lblVol04StartFolder.SetCaption("");
  lblVol04EndFolder.SetCaption("");
  chkVol04ViewDetailedResults.SetChecked(true);
  vol04.stats.ResetAll();
  vol04.ClearRecords();
  RefreshVol04();
}

void TfrmMain::btnVol03ClearAllClick() {
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
  vol03.stats.ResetAll();
  vol03.ClearRecords();
  ShowCounters(vol03);
  SetNoDestinationState("Vol03");
  ui().ShowMessageBox(kMsg0084.text, kMsg0084.caption, MessageKind::Information);
}

void TfrmMain::RefreshVol03() {
  const bool on = destinationChosenVol03_;
  for (Control* c : std::initializer_list<Control*>{&edtVol03StartNumber, &edtVol03EndNumber, &edtVol03Prefix,
                                                     &edtVol03Suffix, &chkVol03Hyphen, &chkVol03PaddedZeroes,
                                                     &lblVol03StartFolder, &lblVol03EndFolder})
    c->SetEnabled(on);
  for (auto& row : vol03.statLabels)
    for (auto* l : row) l->SetEnabled(on);
}

}  // namespace quillory
