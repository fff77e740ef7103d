#include "shell/main_window.h"

#include "app/help_topics.h"
#include "app/run_jobs.h"
#include "app/settings_file.h"
#include "app/settings_store.h"
#include "app/ui.h"
#include "lists/list_windows.h"
#include "names/folder_names.h"
#include "platform/file_io.h"
#include "shell/application.h"

namespace quillory {

namespace {

const char* const kTitle = "Quillory Suite";

}  // namespace

int TfrmMain::JobsOfEntry(std::size_t index) {
  return index == 0 ? kAutomaticJobs : 1 << (index - 1);
}

TfrmMain::TfrmMain(Application& app_, Services services_)
    : Window("TfrmMain", kTitle),
      app(app_),
      services(services_),
      settings(services_.settings),
      visualLogs(services_.ui),
      mnuFileExit(Make<Button>("mnuFileExit", "Exit")),
      mnuHelpOverView(Make<Button>("mnuHelpOverView", "OverView")),
      mnuHelpAbout(Make<Button>("mnuHelpAbout", "&About...")),
      mnuHelpTopics(Make<Button>("mnuHelpTopics", "Help Topics")),
      mnuHelpWebPage(Make<Button>("mnuHelpWebPage", "The maker's web page")),
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
      context_{*this, services_, pgeMain, visualLogs, [this](PageKey page) { ShowHelpTopic(page); }},
      vol08(context_),
      vol07(context_),
      vol06(context_),
      vol02(context_),
      vol04(context_),
      vol03(context_),
      btnForcedHelp(Make<Button>("btnForcedHelp", "Help")),
      forced(*this, services_.ui, pgeMain, tabFolderCreate01, services_.fs, services_.drives) {
  for (auto* tab : {&tabFoldersCopy02, &tabFoldersDelete01, &tabFoldersRename01, &tabFolderCreate03,
                    &tabFolderCreate05, &tabFolderCreate04, &tabFolderCreate01})
    pgeMain.AddPage(tab);

  static const char* const kVideoEntries[][3] = {
      {"mnuVideoCopy", "Copy Folder Structures", "copy"},
      {"mnuVideoDelete", "Delete Folder Structures", "delete"},
      {"mnuVideoRename", "Rename Folders", "rename"},
      {"mnuVideoCreateStrings", "Create Folder Structures-I", "create_strings"},
      {"mnuVideoCreateFolders", "Create Folder Struct.-II", "create_paths"},
      {"mnuVideoCreateNumbers", "Create Folder Struct.-III", "create_numbers"},
      {"mnuVideoCreateManual", "Create Folder -IV.", "create_manual"}};
  for (auto& entry : kVideoEntries) {
    Button& item = Make<Button>(entry[0], entry[1]);
    item.onClick = [this, demo = std::string(entry[2])] { PlayDemonstration(demo); };
    mnuVideoTutorials.push_back(&item);
  }
  static const char* const kJobEntries[][2] = {
      {"mnuMiscJobsAutomatic", "Automatic (more only when the disk is slow)"},
      {"mnuMiscJobs1", "1 at a Time"},   {"mnuMiscJobs2", "2 at Once"},   {"mnuMiscJobs4", "4 at Once"},
      {"mnuMiscJobs8", "8 at Once"},     {"mnuMiscJobs16", "16 at Once"}, {"mnuMiscJobs32", "32 at Once"},
      {"mnuMiscJobs64", "64 at Once"}};
  for (std::size_t i = 0; i < std::size(kJobEntries); ++i) {
    Button& item = Make<Button>(kJobEntries[i][0], kJobEntries[i][1]);
    item.onClick = [i] { SetRunJobs(JobsOfEntry(i)); };
    mnuMiscJobs.push_back(&item);
  }
  // Both list windows are reached from the Misc. menu.
  mnuMiscManageSeparators.onClick = [this] { ui().ShowModal(*app.delimiters); };
  mnuMiscManageQuotationMarks.onClick = [this] { ui().ShowModal(*app.quotationMarks); };
  mnuFileExit.onClick = [this] { FormClose(); SetShown(false); };
  mnuHelpOverView.onClick = [this] { ui().ShowModal(*app.overview); };
  mnuHelpAbout.onClick = [this] { ui().ShowModal(*app.about); };
  mnuHelpTopics.onClick = [this] { ShowHelpForActivePage(); };
  mnuHelpWebPage.onClick = [this] {
    if (openWebPage) openWebPage(kProjectWebPage);
  };
  btnForcedHelp.onClick = [this] { ShowHelpTopic(PageKey::Forced); };
  connections_.push_back(pgeMain.changed.Connect([this](const ControlEvent& e) {
    if (e.change == ControlChange::ItemIndex && pgeMain.ActivePage() == &tabFolderCreate01) forced.PageShow();
  }));

  Handler("FormCreate", [this] { FormCreate(); });
  Handler("FormActivate", [this] { FormActivate(); });
  Handler("FormClose", [this] { FormClose(); });
}

// ---------------------------------------------------------------- lifecycle

void TfrmMain::FormCreate() {
  applicationTitle = kTitle;
  hintHidePauseMs = 600000;

  settingsPath = WorkingFolderSettingsPath();
  // Saves killed part-way leave their temporaries; a good file is not saved
  // at start, so they would otherwise stay until the next save.
  RemoveHostStaleTemporaries(settingsPath);
  StartUpSettingsResult started =
      StartUpSettings(settings, services.drives, applicationTitle, CurrentDirectoryProgramForm(), settingsPath);
  if (!started.save.ok)
    ui().ShowMessageBox(std::string(kMsg0130.text), std::string(kMsg0130.caption), MessageKind::Error);

  for (ListPanel* panel : Panels()) panel->ResetMethods();

  pgeMain.SetActivePageIndex(0);
  BuildIllegalCharacterSets();

  for (ListPanel* panel : Panels())
    if (panel->Editor()) panel->Editor()->btnHelp.onClick = [this, page = panel->Page()] { ShowHelpTopic(page); };

  if (Window* more = app.Find("TfrmMoreHelp"))
    app.help->btnMoreHelp.onClick = [this, more] { ui().ShowModal(*more); };
  app.help->btnHelpExample.onClick = [this] {
    if (Window* example = app.Find(app.help->ExampleWindow())) ui().ShowModal(*example);
  };
  app.overview->openTopic = [this](const std::string& topic) {
    app.help->ShowTopic(topic);
    ui().ShowModal(*app.help);
  };
  for (Window* window : app.Windows())
    if (auto* example = dynamic_cast<ExampleWindow*>(window))
      example->playDemo = [this](const std::string& demo) { PlayDemonstration(demo); };

  vol02.FormCreate();
  vol03.FormCreate();
  vol04.FormCreate();
  vol06.FormCreate();
  vol07.FormCreate();
  vol08.FormCreate();

  // The runs of the last session can still be undone.
  SetJournalFolder(JournalFolderFor(settingsPath));
  vol02.LoadJournal();
  vol03.LoadJournal();
  vol04.LoadJournal();
  vol06.LoadJournal();
  vol07.LoadJournal();
  vol08.LoadJournal();
  if (vol03.HasUndoRecord()) vol03.Refresh();
  if (vol04.HasUndoRecord()) vol04.Refresh();
}

void TfrmMain::SetJournalFolder(const std::string& folder) {
  for (RunJournal* journal : {&vol02.journal, &vol03.journal, &vol04.journal, &vol06.journal, &vol07.journal,
                              &vol08.journal})
    journal->SetFolder(folder);
}

void TfrmMain::FormActivate() {
  // A message box of a simulation may have left a heading behind.
  visualLogs.RefreshHeadings();
  vol07.FormActivate();
  vol08.FormActivate();
}

bool TfrmMain::FormClose() {
  vol02.FormClose();
  vol03.FormClose();
  SaveClass save(settingsPath, settings, services.drives);
  if (save.save().ok) return true;
  ui().ShowMessageBox(std::string(kMsg0130.text), std::string(kMsg0130.caption), MessageKind::Error);
  return false;
}

void TfrmMain::FormDestroy() {
  for (ListPanel* panel : Panels()) {
    panel->include.Clear();
    panel->exclude.Clear();
  }
  for (CreatePage* page : std::initializer_list<CreatePage*>{&vol02, &vol03, &vol04}) page->FormDestroy();
  visualLogs.ClearAll();
}

void TfrmMain::ShowHelpTopic(PageKey page) {
  app.help->ShowTopic(std::string(PageOf(page).name));
  ui().ShowModal(*app.help);
}

void TfrmMain::ShowHelpForActivePage() {
  const int index = pgeMain.ActivePageIndex();
  ShowHelpTopic(index >= 0 && index < static_cast<int>(kPageCount) ? kPages[index].key : PageKey::Vol08);
}

void TfrmMain::PlayDemonstration(const std::string& name) {
  app.videos->Choose(name);
  ui().ShowModal(*app.videos);
}

std::vector<ListPanel*> TfrmMain::Panels() {
  return {&vol02.panel, &vol04.panel, &vol06.panel, &vol07.panel, &vol08.panel};
}

}  // namespace quillory
