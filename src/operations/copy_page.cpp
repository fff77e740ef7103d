#include "operations/copy_page.h"

#include <memory>

#include "app/ui.h"
#include "operations/copy_run.h"
#include "operations/folder_chains.h"
#include "operations/run_recorder.h"
#include "results/visual_logs.h"
#include "results/visual_log_windows.h"
#include "tree/examine_sub_folders.h"
#include "undo/folder_file_undo_run.h"

namespace quillory {

namespace {

// The "To Copy" row forecasts the inputs; runs and undos leave it alone.
const std::vector<std::string> kForecastCounters = {"FoldersToCopy", "SubFoldersToCopy", "FilesToCopy",
                                                    "FileSizeToCopy"};

const MessageText kMsg0282 = {
    "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder structure.",
    "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0282."};
const MessageText kMsg0505 = {
    kMsg0282.text, "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.            Warning no: 0505."};
const MessageText kMsg0284 = {
    "Do you want to copy folders ?\n\nNote: If the <Select Files> button is active, only the Selected Files will be "
    "used.",
    "Copy Folder Structure(s).-From a Folder List.            Information no: 0284."};
const MessageText kMsg0507 = {
    "Simulation shows you the complete Copy Folder Structure(s) process \nwithout actually Copy them on the hard "
    "drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult Folder lists - "
    "all without compromising existing Folder Structures.\n\nNote: If the <Select Files> button is active, only "
    "the Selected Files will be used.",
    "Simulate Copy Folder Structure(s) Process.-From a Folder List.            Information no: 0507."};
const MessageText kMsg0286 = {
    "The Include list is empty !!!\nYou must enter at least one Folder to copy folders.",
    "Copy Folder Structure(s).-From a Folder List - Level.           Warning no: 0286."};
const MessageText kMsg0510 = {
    kMsg0286.text, "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.           Warning no: 0510."};
const MessageText kMsg0285 = {"End of the Copy process !!!",
                              "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0285."};
const MessageText kMsg0509 = {
    "End of Simulation !!!\n\nNo actual Folders/Files were copied because of Simulation (Test Mode).\n\nThe "
    "purpose of the Simulation is to show the Complete Folder Copy process\n without actually Copy them on the "
    "hard drive.\n\nIf You want to Copy Folder Structures, Use the Copy Folders button.",
    "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.            Information no: 0509."};
constexpr const char* kCaption0307 =
    "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0307.";
constexpr const char* kCaption0508 =
    "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.            Information no: 0508.";

JournalLists JournalListsOf(CopyPage& page) {
  JournalLists lists;
  lists.attachKind = &page.attachKind;
  lists.folders = &page.records.createdFolders;
  lists.madeFolders = &page.records.madeFolders;
  lists.files = &page.records.copiedFiles;
  lists.writtenFiles = &page.records.copiedFileIds;
  lists.processedMainFolders = &page.records.processedMainFolders;
  lists.failedFolders = &page.failedUndoMade;
  lists.failedFiles = &page.failedUndoFiles;
  return lists;
}

}  // namespace

CopyPage::CopyPage(PageContext& context)
    : FolderListPage(context, PageKey::Vol08), files(context, PageKey::Vol08, [this] { Refresh(); }),
      structures(context.owner, context.services, PageKey::Vol08, &files.controls),
      forecast(context.services.fs, PageKey::Vol08, structures),
      btnVol08CopyFolders(context.owner.Make<Button>("btnVol08CopyFolders", " COPY   Folder Structures/ Templates ")),
      btnVol08CopyFoldersSimulation(context.owner.Make<Button>("btnVol08CopyFoldersSimulation", "Simulation")),
      journal(context.services.fs, PageKey::Vol08, JournalListsOf(*this)),
      btnVol08Undo(context.owner.Make<Button>("btnVol08Undo", "Undo")) {
  btnVol08Undo.onClick = [this] { btnVol08UndoClick(); };
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  structures.changed = [this] { Refresh(); };
  structures.runButtons = [this](bool) { Refresh(); };
  // Clear Fields empties the structures too.
  panel.resetPage = [this] { structures.Reset(); };
  btnVol08CopyFolders.onClick = [this] { btnVol08CopyFoldersClick(); };
  btnVol08CopyFoldersSimulation.onClick = [this] { btnVol08CopyFoldersSimulationClick(); };
}

void CopyPage::FormCreate() {
  structures.FormCreate();
  FolderListPage::FormCreate();
}

void CopyPage::FormActivate() { files.Refresh(); }

void CopyPage::Refresh() {
  panel.RefreshSums();
  if (const auto message = forecast.Update(stats, 0, include.Texts(), files.Masks()))
    context_.services.ui.ShowMessageBox(message->text, message->caption, MessageKind::Information);
  WriteCounters();
  // The counters mean something once there are destinations.
  const CounterLayout& layout = PageCounterLayout(descriptor.key);
  const std::string stem = "lblVol08";
  for (const std::string& key : layout.columnKeys)
    if (auto* label = context_.owner.FindAs<Label>(stem + "Column" + key)) label->SetEnabled(!include.Empty());
  for (const CounterRow& row : layout.rows) {
    if (row.visualLogOnly) continue;
    if (auto* label = context_.owner.FindAs<Label>(stem + "Row" + row.key)) label->SetEnabled(!include.Empty());
    for (const std::string& counter : row.counters)
      if (auto* label = context_.owner.FindAs<Label>(stem + counter)) label->SetEnabled(!include.Empty());
  }
  const bool run = !include.Empty() && !structures.list.Empty();
  btnVol08CopyFolders.SetEnabled(run);
  btnVol08CopyFoldersSimulation.SetEnabled(run);
}

void CopyPage::Run(bool simulate) {
  Ui& ui = context_.services.ui;
  const SourceKind kind = structures.Kind();
  const AttachMode mode = structures.Mode().value_or(AttachMode::MainWithoutFiles);
  const std::vector<std::string> masks = files.Masks();
  std::vector<std::string> destinations;
  std::unique_ptr<RunRecorder> recorder;
  std::unique_ptr<CopyEngine> engine;

  RunPlan plan;
  plan.validate = [&] {
    if (kind == SourceKind::Structures && WithFiles(mode)) {
      forecast.FreshTotals(masks);
      const auto message = forecast.Update(stats, 0, include.Texts(), masks);
      WriteCounters();
      if (message) ui.ShowMessageBox(message->text, message->caption, MessageKind::Information);
      // An empty list stops here too, without a word.
      if (message || stats.Get("FoldersToCopy") == 0) return false;
    }
    if (structures.list.Empty()) {
      const MessageText& m = simulate ? kMsg0505 : kMsg0282;
      ui.ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      structures.btnAdd.SetFocus();
      return false;
    }
    return true;
  };
  plan.confirm = simulate ? kMsg0507 : kMsg0284;
  plan.prepare = [&] {
    stats.ResetExcept(kForecastCounters);
    if (!simulate) {
      records.Clear();
      missingFolders.clear();
      attachKind = kind;  // structures or templates: this page has no Attach Nothing
      journal.Begin();
    }
    RecorderSetup setup;
    setup.page = descriptor.key;
    setup.stats = &stats;
    if (context_.visualLogs.Attached(descriptor.key)) {
      setup.logs = &context_.visualLogs;
      setup.logs->PrepareVisualLog(descriptor.key, simulate, {}, chkShowDetailedResults.Checked());
    }
    WriteCounters();
    if (!simulate) {
      setup.records = JournalListsOf(*this);
      setup.missingFolders = &missingFolders;
      setup.journal = &journal;
    }
    setup.ui = &ui;
    recorder = std::make_unique<RunRecorder>(std::move(setup));
    AttachSetup attach;
    attach.kind = kind;
    attach.mode = mode;
    attach.items = structures.list.Items();
    attach.templateKind = TemplateKindOf(structures.optionsKey);
    attach.variant = AttachVariant::CopyPage;
    attach.masks = masks;
    attach.sizeMap = forecast.LastTotals() != nullptr ? &forecast.LastTotals()->sizeMap : nullptr;
    attach.simulate = simulate;
    attach.structureRefusedCaption = simulate ? kCaption0508 : kCaption0307;
    attach.templateRefusedCaption = "Creating Folder(s).-From a Folder List.            Warning no: 0375.";
    // Structures are read now, before the first folder is written.
    engine = std::make_unique<CopyEngine>(context_.services.fs, std::move(attach));
  };
  plan.proceed = [&] {
    if (include.Empty()) {
      const MessageText& m = simulate ? kMsg0510 : kMsg0286;
      ui.ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      return false;
    }
    if (!engine->MissingStructures().empty())
      ui.ShowMessageBox(MissingStructuresNote(engine->MissingStructures()), kMissingStructuresCaption,
                        MessageKind::Warning);
    ExamineSubFolders unique(include);
    unique.ReadSortedUnique();
    const auto& folders = unique.GetFolders();
    destinations.assign(folders.begin(), folders.end());
    plan.itemCount = destinations.size();
    return true;
  };
  plan.work = [&](std::size_t i, const OutcomeSink& sink) { engine->One(destinations[i], sink); };
  if (!simulate) {
    // The engine keeps nothing from one destination to the next: the
    // workers share it. Nested destinations are one chain.
    ChainByFolder(plan, destinations, context_.services.drives);
  }
  plan.record = [&](ItemOutcome&& outcome) { recorder->Record(std::move(outcome)); };
  plan.finish = [&] { recorder->Flush(); };
  plan.end = simulate ? kMsg0509 : kMsg0285;
  // Closed however the run ends, an exception included.
  struct JournalEnd {
    RunJournal& journal;
    ~JournalEnd() { journal.End(); }
  } journalEnd{journal};
  RunFrame(ui, context_.pages, context_.Tab(descriptor.key), plan);
}

void CopyPage::LoadJournal() {
  const JournalLoad load = journal.Load();
  if (load.state == JournalLoad::State::SetAside) {
    const MessageText message = JournalSetAsideMessage(descriptor.key, load);
    context_.services.ui.ShowMessageBox(message.text, message.caption, MessageKind::Warning);
    return;
  }
  failedUndoFolders.clear();
  for (const MadeFolder& folder : failedUndoMade) failedUndoFolders.push_back(folder.path);
}

void CopyPage::btnVol08UndoClick() {
  static const UndoTexts kTexts = {
      "No UNDO process !!!\nThere are no copied Subfolders (and files) !!!\nYou must copy at least on one Subfolder "
      "to UNDO them.",
      "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0290.",
      "Do you want to delete all folders (and files)\ncopied last time ?",
      "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0291.",
      "Copy Folder Structure(s).-From a Folder List Level.            Information no: 0292.",
      "End of the Undo process !!!",
      "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0293."};
  const PageKey key = descriptor.key;
  const bool retry = !failedUndoFolders.empty();
  UndoSetup setup;
  setup.texts = kTexts;
  setup.nothing = !retry && records.createdFolders.empty();
  setup.failures = {static_cast<std::size_t>(CopyList::SubFoldersFailedUndo), Id(CopyCounter::FoldersFailedUndo)};
  setup.load = [&](FolderFileUndo& undo) {
    if (retry) {
      undo.SetFolders(std::move(failedUndoMade));
      undo.SetFiles(std::move(failedUndoFiles));
      return;
    }
    undo.SetFolders(std::move(records.madeFolders));
    // A template run writes no file.
    if (attachKind == SourceKind::Structures) undo.SetFiles(std::move(records.copiedFileIds));
  };
  const bool logs = context_.visualLogs.Attached(key);
  setup.clear = [&] {
    records.Clear();
    missingFolders.clear();
    failedUndoFolders.clear();
    failedUndoMade.clear();
    failedUndoFiles.clear();
    stats.ResetExcept(kForecastCounters);
    if (logs)
      context_.visualLogs.PrepareVisualLog(key, !context_.visualLogs.Log(key).chkNormalSimulate.Checked(), {},
                                           false);
  };
  setup.recorder.page = key;
  setup.recorder.stats = &stats;
  setup.recorder.logs = logs ? &context_.visualLogs : nullptr;
  setup.recorder.records.failedFolders = &failedUndoMade;
  setup.recorder.records.failedFiles = &failedUndoFiles;
  setup.recorder.showCounters = [this] { WriteCounters(); };
  // Refreshed before the report: a free-space message of Refresh comes
  // before the report and the end message.
  setup.settled = [&] {
    for (const MadeFolder& folder : failedUndoMade) failedUndoFolders.push_back(folder.path);
    Refresh();
    journal.Rewrite();
  };
  RunUndo(context_.services.ui, context_.pages, context_.Tab(key), context_.services.fs, std::move(setup));
}

}  // namespace quillory
