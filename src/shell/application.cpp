#include "shell/application.h"

#include <utility>

#include "app/settings_store.h"

namespace quillory {

template <class T, class... Args>
T* Application::Create(Args&&... args) {
  auto owned = std::make_unique<T>(std::forward<Args>(args)...);
  T* raw = owned.get();
  order_.push_back(raw);
  owned_.push_back(std::move(owned));
  return raw;
}

Application::Application(Ui& ui_, SettingsStore& settings_, FileSystem& fs, DriveMap& drives)
    : services{ui_, fs, settings_, drives}, ui(ui_), settings(settings_) {
  auto mainOwned = std::make_unique<TfrmMain>(*this, services);
  main = mainOwned.get();
  order_.push_back(main);
  owned_.push_back(std::move(mainOwned));

  about = Create<TAboutBox>();
  auto* levelBuilder = Create<TfrmSubFolderListBuilder>(ui, settings, services.fs, services.drives);
  Create<TfrmFLLEditIncludeFolderList>();
  Create<TfrmVol02EditIncludeList>();
  Create<TfrmVol04EditIncludeList>();
  Create<TfrmVol06EditIncludeList>();
  Create<TfrmVol07EditIncludeList>();
  Create<TfrmVol08EditIncludeList>();
  Create<TfrmVol06ZoomStatistics>();
  Create<TfrmFolderStructuresTemplates>();
  Create<TfrmEditSmartImport>();
  Create<TfrmExample02>();
  Create<TfrmExample04>();
  Create<TfrmExample03>();
  Create<TfrmExample06>();
  Create<TfrmExample07>();
  Create<TfrmDriveSelect>();
  fileExport = Create<TfrmFileExport>(ui, settings, services.fs);
  fileImport = Create<TfrmFileImport>(ui, settings, services.fs);
  fileSelection = Create<TfrmFileSelection>(ui, settings, drives);
  Create<TfrmFolderTemplateOptions>();
  folderViews = Create<TfrmFolderViews>(ui, settings, services.fs);
  Create<TForcedUnSuccessFullForm>();
  help = Create<TfrmAltalanosHelp>();
  Create<TfrmMoreHelp>();
  overview = Create<TfrmOverViewHelp>();
  quotationMarks = Create<TfrmQuotationMarks>(ui, settings, main->settingsPath, services.drives);
  delimiters = Create<TfrmDelimiters>(ui, settings, main->settingsPath, services.drives);
  Create<TSubFolderUnSuccessFullForm>();
  videos = Create<TfrmVideoTutorials>();
  videos->disk = &fs;
  videos->drives = &drives;
  Create<TfrmVol02ZoomStatistics>();
  Create<TfrmVol03ZoomStatistics>();
  Create<TfrmVol04ZoomStatistics>();
  statistic08 = Create<TfrmStatistic08>();
  statistic02 = Create<TfrmStatistic02>();
  Create<TfrmVol03Multi>();
  statistic03 = Create<TfrmStatistic03>();
  statistic04 = Create<TfrmStatistic04>();
  statistic06 = Create<TfrmStatistic06>();
  statistics07 = Create<TfrmStatistics07>();
  levelSummary = Create<TfrmLevelSummFolder>();
  Create<TfrmVol07ZoomStatistics>();
  Create<TfrmVol08ZoomStatistics>();
  Create<TfrmZoomIncludeWindow>();

  main->forced.AttachLogWindows(*FindAs<TForcedUnSuccessFullForm>(), *FindAs<TSubFolderUnSuccessFullForm>());
  auto* zoom = FindAs<TfrmZoomIncludeWindow>();
  main->vol02.panel.AttachWindows(*FindAs<TfrmVol02EditIncludeList>(), *zoom);
  main->vol04.panel.AttachWindows(*FindAs<TfrmVol04EditIncludeList>(), *zoom);
  main->vol06.panel.AttachWindows(*FindAs<TfrmVol06EditIncludeList>(), *zoom);
  main->vol07.panel.AttachWindows(*FindAs<TfrmVol07EditIncludeList>(), *zoom);
  main->vol08.panel.AttachWindows(*FindAs<TfrmVol08EditIncludeList>(), *zoom);
  for (ListPanel* panel : main->Panels()) panel->AttachFileWindows(*fileImport, *fileExport);
  auto* structuresEditor = FindAs<TfrmFolderStructuresTemplates>();
  auto* templateOptions = FindAs<TfrmFolderTemplateOptions>();
  templateOptions->showHelp = [this](PageKey page) { main->ShowHelpTopic(page); };
  for (StructuresGroup* group : {&main->vol02.structures, &main->vol03.structures, &main->vol04.structures,
                                 &main->vol08.structures})
    group->AttachWindows(*fileImport, *fileExport, *structuresEditor, *templateOptions);
  main->vol02.visualLog = statistic02;
  main->vol03.visualLog = statistic03;
  main->vol04.visualLog = statistic04;
  // Each Visual Log with its zoom window, then the recorder over both and the
  // page's counters.
  statistic02->Attach(ui, *fileExport, *FindAs<TfrmVol02ZoomStatistics>());
  statistic03->Attach(ui, *fileExport, *FindAs<TfrmVol03ZoomStatistics>());
  statistic04->Attach(ui, *fileExport, *FindAs<TfrmVol04ZoomStatistics>());
  statistic06->Attach(ui, *fileExport, *FindAs<TfrmVol06ZoomStatistics>());
  statistics07->Attach(ui, *fileExport, *FindAs<TfrmVol07ZoomStatistics>());
  statistic08->Attach(ui, *fileExport, *FindAs<TfrmVol08ZoomStatistics>());
  main->visualLogs.Attach(PageKey::Vol02, main->vol02.stats, *main, *statistic02, main->vol02.chkVol02ViewDetailedResults);
  main->visualLogs.Attach(PageKey::Vol03, main->vol03.stats, *main, *statistic03, main->vol03.chkVol03ViewDetailedResults);
  main->visualLogs.Attach(PageKey::Vol04, main->vol04.stats, *main, *statistic04, main->vol04.chkVol04ViewDetailedResults);
  main->visualLogs.Attach(PageKey::Vol06, main->vol06.stats, *main, *statistic06, main->vol06.chkShowDetailedResults);
  main->visualLogs.Attach(PageKey::Vol07, main->vol07.stats, *main, *statistics07, main->vol07.chkShowDetailedResults);
  main->visualLogs.Attach(PageKey::Vol08, main->vol08.stats, *main, *statistic08, main->vol08.chkShowDetailedResults);
  main->vol07.files.AttachWindow(*fileSelection);
  main->vol08.files.AttachWindow(*fileSelection);
  auto* editSmartImport = FindAs<TfrmEditSmartImport>();
  fileImport->Attach(*editSmartImport, *zoom, *delimiters, *quotationMarks);
  folderViews->Attach(*levelSummary);
  levelBuilder->Attach(*FindAs<TfrmFLLEditIncludeFolderList>(), *fileExport, *levelSummary);
  for (FolderListPage* page : std::initializer_list<FolderListPage*>{&main->vol06, &main->vol07, &main->vol08})
    page->levels.AttachWindow(*levelBuilder);
  main->FormCreate();
  fileSelection->SetSettingsPath(main->settingsPath);
  fileSelection->AttachStatusLabels({&main->vol07.lblVol07FileTypesAllSelected, &main->vol08.lblVol08FileTypesAllSelected});
  fileSelection->Start();
  // The boxes come from the settings FormCreate has just read.
  fileImport->FillBoxes();
  fileExport->FillBoxes();
}

Application::~Application() {
  if (main) main->FormDestroy();
}

Window* Application::Find(std::string_view className) const {
  for (auto* w : order_)
    if (w->ClassName() == className) return w;
  return nullptr;
}

}  // namespace quillory
