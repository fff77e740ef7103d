#include "operations/delete_page.h"

#include <memory>
#include <optional>
#include <set>

#include "app/run_frame.h"
#include "app/ui.h"
#include "operations/folder_chains.h"
#include "operations/run_recorder.h"
#include "results/operation_statistics.h"
#include "results/visual_log_windows.h"
#include "results/visual_logs.h"
#include "tree/examine_sub_folders.h"
#include "tree/folder_struct_size.h"
#include "undo/trash_undo.h"

namespace quillory {

namespace {

constexpr const char* kCommon =
    "Do you want to DELETE folders PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop the "
    "Delete process.\n\nNote: If the <Select Files> button is active, only the Selected Files will be used.";
constexpr const char* kCaption0238 = "Delete Folder(s). - From a Folder List.            Information no: 0238.";
const MessageText kMsg0240 = {
    "The Include Folder list is empty !!!\nYou must enter at least one Folder to Delete folders.",
    "Delete Folder(s).-From a Folder List.           Warning no: 0240."};
const MessageText kMsg0239 = {"End of the Delete process !!!",
                              "Delete Folder(s).-From a Folder List.            Information no: 0239."};
const MessageText kMsg0234 = {
    "The program will delete All the Folders, including Special Read-Only Folders, like \\My Music, \\My "
    "Pictures, \\My Videos, etc.!\n",
    "Delete Folder(s).-From a Folder List.            Warning no: 0234."};
constexpr const char* kCaption0237 = "Delete Foldere(s).-From a Folder List.           Warning no: 0237.";
constexpr const char* kText0237 = "You can Select File Names/Types by Clicking on the <Select Files> button.";
const MessageText kMsg0516 = {
    "Simulation shows you the complete Delete Folder/File process \nwithout actually Delete them on the hard "
    "drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult Folder lists - "
    "all without compromising existing Folder Structures.\n\nNote: If the <Select Files> button is active, only "
    "the Selected Files will be used.",
    "Simulate the Folder/File Delete Process.-From a Folder List.            Information no: 0516."};
const MessageText kMsg0518 = {
    "The Include list is empty !!!\nYou must enter at least one Folder to Delete folders.",
    "Simulate the Folder/File Delete Process.-From a Folder List.           Warning no: 0518."};
const MessageText kMsg0517 = {
    "End of Simulation !!!\n\nNo actual Folders were Deleted because of Simulation (Test Mode).\n\nThe purpose of "
    "the Simulation is to show the Complete Folder Deleting process\n without actually deleting them on the hard "
    "drive.\n\nIf You want to Delete Folders/Files, Use the Delete Folders button.",
    "Simulate the Folder/File Delete Process.-From a Folder List - Level.            Information no: 0517."};

const MessageText kMsg0630 = {
    "No UNDO process !!!\nThere are no Folders or Files moved to the Trash !!!\nYou must delete at least one "
    "Folder or File with <Move to the Trash> checked to UNDO it.",
    "Delete Folder(s).-From a Folder List.            Warning no: 0630."};
const MessageText kMsg0631 = {"Do you want to bring back from the Trash all Folders and Files deleted last time ?",
                              "Delete Folder(s).-From a Folder List.            Information no: 0631."};
constexpr const char* kCaption0632 = "Delete Folder(s).-From a Folder List.            Information no: 0632.";
const MessageText kMsg0633 = {"End of Undo process !!!",
                              "Delete Folder(s).-From a Folder List.            Information no: 0633."};
constexpr const char* kCaption0635 = "Delete Folder(s).-From a Folder List.            Warning no: 0635.";

// What a run or an undo starts from zero; the forecast stays.
constexpr DeleteCounter kRunCounters[] = {DeleteCounter::FoldersDeleted, DeleteCounter::FoldersNotExists,
                                          DeleteCounter::FoldersOtherReasons, DeleteCounter::FilesDeleted,
                                          DeleteCounter::FilesNotExists, DeleteCounter::FilesOtherReasons};

JournalLists DeleteJournalLists(std::vector<TrashedEntry>& record, std::vector<TrashedEntry>& failed) {
  JournalLists lists;
  lists.trashed = &record;
  lists.failedRestores = &failed;
  return lists;
}

// Where a run's entries went, for the status bar: each trash folder once.
std::string TrashStatus(const std::vector<TrashedEntry>& moved, double folders, double files) {
  std::set<std::string> trashes;
  for (const TrashedEntry& entry : moved) trashes.insert(entry.trash);
  std::string where;
  for (const std::string& trash : trashes) {
    if (!where.empty()) where += ", ";
    where += trash;
  }
  std::string text = "Moved to the Trash: ";
  text += std::to_string(static_cast<long long>(folders));
  text += folders == 1 ? " folder and " : " folders and ";
  text += std::to_string(static_cast<long long>(files));
  text += files == 1 ? " file, in " : " files, in ";
  text += where;
  text += ". Undo brings them back; the desktop's Trash window shows them too.";
  return text;
}

}  // namespace

DeletePage::DeletePage(PageContext& context)
    : FolderListPage(context, PageKey::Vol07), files(context, PageKey::Vol07, [this] { Refresh(); }),
      rdoVol07DeleteOnlyFilesInMainFolder(context.owner.Make<RadioButton>(
          "rdoVol07DeleteOnlyFilesInMainFolder", "Delete Selected Files from Main Folders Only.", &modes)),
      rdoVol07DeleteOnlyFiles(context.owner.Make<RadioButton>(
          "rdoVol07DeleteOnlyFiles", "Delete Selected Files from Main Folders and their Subfolders too.", &modes)),
      rdoVol07DeleteSubFolders(context.owner.Make<RadioButton>(
          "rdoVol07DeleteSubFolders", "Delete Complete Subfolder Structures - retain Main Folders.", &modes)),
      rdoVol07DeleteCompleteFolders(context.owner.Make<RadioButton>(
          "rdoVol07DeleteCompleteFolders",
          "Delete list of Main Folders with complete Folder Structures - retain nothing.", &modes)),
      chkVol07DeleteDoubleConfirm(
          context.owner.Make<CheckBox>("chkVol07DeleteDoubleConfirm", "DOUBLE Confirmation for Deleting")),
      chkVol07ReadOnlyFolders(context.owner.Make<CheckBox>(
          "chkVol07ReadOnlyFolders",
          "Check to Delete Special Read-Only Folders too, if they are SELECTED  (\\My Music, \\My Videos, etc.) .")),
      chkVol07MoveToTrash(context.owner.Make<CheckBox>("chkVol07MoveToTrash", "Move to the Trash")),
      btnVol07Undo(context.owner.Make<Button>("btnVol07Undo", "Undo")),
      btnVol07DeleteFolders(context.owner.Make<Button>("btnVol07DeleteFolders",
                                                       " DELETE  Folders /  F. Structures   PERMANENTLY")),
      btnVol07DeleteFoldersSimulation(context.owner.Make<Button>("btnVol07DeleteFoldersSimulation", "Simulation")),
      journal(context.services.fs, PageKey::Vol07, DeleteJournalLists(TrashedRecord, FailedRestoreRecord)) {
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  rdoVol07DeleteSubFolders.SetChecked(true);
  chkVol07DeleteDoubleConfirm.SetChecked(true);
  chkVol07MoveToTrash.SetChecked(true);
  chkVol07MoveToTrash.SetHint(
      "Checked, what the run deletes is moved to the desktop's Trash: Undo (or the desktop's Trash window) "
      "brings it back. Unchecked, it is deleted PERMANENTLY.");
  chkVol07ReadOnlyFolders.SetHint(
      "A read-only folder whose removal fails is made writable and removed again. While <Move to the Trash> is "
      "checked nothing is destroyed: read-only folders and files move to the Trash as they are, and this box has "
      "nothing to do.");
  btnVol07Undo.onClick = [this] { btnVol07UndoClick(); };
  rdoVol07DeleteOnlyFilesInMainFolder.onClick = [this] { ModeClick(&warnedFilesInMain_); };
  rdoVol07DeleteOnlyFiles.onClick = [this] { ModeClick(&warnedFiles_); };
  rdoVol07DeleteSubFolders.onClick = [this] { ModeClick(nullptr); };
  rdoVol07DeleteCompleteFolders.onClick = [this] { ModeClick(nullptr); };
  chkVol07ReadOnlyFolders.onClick = [this] { chkVol07ReadOnlyFoldersClick(); };
  btnVol07DeleteFolders.onClick = [this] { btnVol07DeleteFoldersClick(); };
  btnVol07DeleteFoldersSimulation.onClick = [this] { btnVol07DeleteFoldersSimulationClick(); };
  panel.resetPage = [this] { ResetPage(); };
}

void DeletePage::FormActivate() {
  if (context_.visualLogs.Attached(PageKey::Vol07)) context_.visualLogs.WriteLogCounters(PageKey::Vol07);
  files.Refresh();
}

DeleteMode DeletePage::Mode() const {
  if (rdoVol07DeleteOnlyFilesInMainFolder.Checked()) return DeleteMode::FilesInMainFolder;
  if (rdoVol07DeleteOnlyFiles.Checked()) return DeleteMode::SelectedFiles;
  if (rdoVol07DeleteCompleteFolders.Checked()) return DeleteMode::Complete;
  return DeleteMode::SubFolders;
}

std::vector<std::string> DeletePage::MainFolders(DeleteMode mode) const {
  ExamineSubFolders list(include);
  if (mode == DeleteMode::FilesInMainFolder)
    list.ReadSortedUnique();
  else
    list.ReadTopLevelOnly();
  const auto& folders = list.GetFolders();
  return {folders.begin(), folders.end()};
}

void DeletePage::ModeClick(bool* warned) {
  Refresh();
  if (warned != nullptr && !*warned) {
    *warned = true;
    context_.services.ui.ShowMessageBox(kText0237, kCaption0237, MessageKind::Warning);
  }
}

void DeletePage::chkVol07ReadOnlyFoldersClick() {
  if (chkVol07ReadOnlyFolders.Checked())
    context_.services.ui.ShowMessageBox(kMsg0234.text, kMsg0234.caption, MessageKind::Warning);
}

void DeletePage::ResetPage() {
  chkShowDetailedResults.SetChecked(true);
  chkVol07MoveToTrash.SetChecked(true);
  chkVol07DeleteDoubleConfirm.SetChecked(true);
  chkVol07ReadOnlyFolders.SetChecked(false);
  rdoVol07DeleteSubFolders.SetChecked(true);
  stats.Set("FoldersToDelete", 0);
  stats.Set("FilesToDelete", 0);
}

void DeletePage::Forecast() {
  double folders = 0, files = 0;
  if (!include.Empty()) {
    const DeleteMode mode = Mode();
    const std::vector<std::string> masks = this->files.Masks();
    std::string key = std::to_string(static_cast<int>(mode));
    for (const std::string& mask : masks) key += '\n' + mask;
    key += '\0';
    for (const std::string& folder : MainFolders(mode)) {
      auto [at, fresh] = forecastCache_.try_emplace(key + folder);
      if (fresh) {
        ++forecastWalks_;
        FolderStructSize size(folder, context_.services.fs);
        size.SetFileMasks(masks);
        if (mode == DeleteMode::FilesInMainFolder) {
          size.WalkRootFilesSelected();
          at->second.files = size.GetSelectedFiles();
        } else if (mode == DeleteMode::SelectedFiles) {
          size.WalkSelected();
          at->second.files = size.GetSelectedFiles();
        } else {
          size.Walk();
          at->second.folders = size.GetFolderCount() + (mode == DeleteMode::Complete ? 1 : 0);
          at->second.files = size.GetAllFiles();
        }
      }
      folders += at->second.folders;
      files += at->second.files;
    }
  }
  stats.Set("FoldersToDelete", folders);
  stats.Set("FilesToDelete", files);
}

void DeletePage::Refresh() {
  panel.RefreshSums();
  const bool items = !include.Empty();
  for (RadioButton* mode : modes.Buttons()) mode->SetEnabled(items);
  chkVol07DeleteDoubleConfirm.SetEnabled(items);
  chkVol07ReadOnlyFolders.SetEnabled(items);
  btnStatistics.SetEnabled(items);
  chkShowDetailedResults.SetEnabled(items);
  const bool fileMode = items && CountsFiles(Mode());
  files.controls.select.SetEnabled(fileMode);
  files.controls.status.SetEnabled(fileMode);
  files.controls.allSelected.SetEnabled(fileMode);
  chkVol07MoveToTrash.SetEnabled(items);
  btnVol07DeleteFolders.SetEnabled(items);
  btnVol07DeleteFoldersSimulation.SetEnabled(items);
  ApplyUndoEnabling();
  Forecast();
  WriteCounters();
}

void DeletePage::ApplyUndoEnabling() {
  // A record from before a restart can be undone with no line in the list.
  btnVol07Undo.SetEnabled(!include.Empty() || !TrashedRecord.empty() || !FailedRestoreRecord.empty());
}

void DeletePage::LoadJournal() {
  const JournalLoad load = journal.Load();
  if (load.state == JournalLoad::State::SetAside) {
    const MessageText message = JournalSetAsideMessage(descriptor.key, load);
    context_.services.ui.ShowMessageBox(message.text, message.caption, MessageKind::Warning);
  }
  ApplyUndoEnabling();
}

void DeletePage::Run(bool simulate) {
  Ui& ui = context_.services.ui;
  FileSystem& fs = context_.services.fs;
  const DeleteMode mode = Mode();
  DeleteOptions options{files.Masks(), false, simulate};
  const bool toTrash = !simulate && chkVol07MoveToTrash.Checked();
  std::unique_ptr<TrashCan> trash;
  std::set<std::string> refusals;
  std::vector<std::string> mains;
  const bool logs = context_.visualLogs.Attached(PageKey::Vol07);
  std::optional<RunRecorder> recorder;

  RunPlan plan;
  plan.validate = [&] {
    if (toTrash) {
      FsResult why;
      trash = fs.OpenTrashCan(&why);
      if (!trash) {
        ui.ShowMessageBox("The Trash cannot be used !!!\n" + why.message +
                              "\n\nUncheck <Move to the Trash> to delete PERMANENTLY.",
                          kCaption0635, MessageKind::Warning);
        return false;
      }
      options.trash = trash.get();
      options.trashRefusals = &refusals;
    }
    if (simulate) {
      ui.ShowMessageBox(kMsg0516.text, kMsg0516.caption, MessageKind::Information);
      return true;
    }
    if (!chkVol07DeleteDoubleConfirm.Checked()) return true;
    return ui.ShowMessageBox(std::string("First Confirmation for DELETING Folders/Files\n\n") + kCommon,
                             kCaption0238, MessageKind::Question) == MessageAnswer::Yes;
  };
  if (!simulate) plan.confirm = {std::string("Final Confirmation for DELETING Folders/Files\n\n") + kCommon,
                                 kCaption0238};
  plan.prepare = [&] {
    stats.ResetExcept({"FoldersToDelete", "FilesToDelete"});
    if (logs) context_.visualLogs.PrepareVisualLog(PageKey::Vol07, simulate, {}, chkShowDetailedResults.Checked());
    WriteCounters();
    RecorderSetup setup = Recording();
    if (!simulate) {
      // A new run replaces the record of the last; a delete for good leaves
      // nothing to undo.
      TrashedRecord.clear();
      FailedRestoreRecord.clear();
      journal.Begin();
      setup.records.trashed = &TrashedRecord;
      setup.journal = &journal;
    }
    recorder.emplace(std::move(setup));
    plan.record = recorder->Sink();
    plan.finish = [&] {
      recorder->Flush();
      // The trash's own records (its size cache) are written as it closes.
      trash.reset();
    };
  };
  plan.proceed = [&] {
    if (include.Empty()) {
      const MessageText& m = simulate ? kMsg0518 : kMsg0240;
      ui.ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      return false;
    }
    mains = MainFolders(mode);
    options.readOnlyRetry = chkVol07ReadOnlyFolders.Checked();
    plan.itemCount = mains.size();
    // Without a forecast the bar falls back to the main folders.
    plan.progressTotal = static_cast<std::size_t>(
        stats.Get(Id(CountsFiles(mode) ? DeleteCounter::FilesToDelete : DeleteCounter::FoldersToDelete)));
    return true;
  };
  plan.work = [&](std::size_t i, const OutcomeSink& sink) {
    DeleteMainFolder(fs, context_.services.drives, mains[i], mode, options, sink);
  };
  // Into the trash every move goes into one folder, where a server takes
  // them one at a time anyway, and the trash's size cache is one file.
  if (!simulate && !toTrash) {
    ChainByFolder(plan, mains, context_.services.drives);
  }
  plan.end = simulate ? kMsg0517 : kMsg0239;
  plan.after = [&] {
    // The disk has changed: the next forecast reads it again.
    forecastCache_.clear();
    WriteCounters();
    ApplyUndoEnabling();
    if (toTrash && !TrashedRecord.empty())
      ui.ShowStatus(TrashStatus(TrashedRecord, stats.Get(Id(DeleteCounter::FoldersDeleted)),
                                stats.Get(Id(DeleteCounter::FilesDeleted))));
  };
  // Closed however the run ends, an exception included.
  struct JournalEnd {
    RunJournal& journal;
    ~JournalEnd() { journal.End(); }
  } journalEnd{journal};
  RunFrame(ui, context_.pages, context_.Tab(descriptor.key), plan);
}

void DeletePage::btnVol07UndoClick() {
  Ui& ui = context_.services.ui;
  FileSystem& fs = context_.services.fs;
  VisualLogs& logs = context_.visualLogs;
  const bool attached = logs.Attached(descriptor.key);
  std::vector<TrashedEntry> work;
  TrashUndoReport report;
  std::optional<RunRecorder> recorder;

  RunPlan plan;
  // The record is taken whole when the undo begins: it goes to its end.
  plan.stoppable = false;
  plan.validate = [&] {
    if (!TrashedRecord.empty() || !FailedRestoreRecord.empty()) return true;
    ui.ShowMessageBox(kMsg0630.text, kMsg0630.caption, MessageKind::Warning);
    return false;
  };
  plan.confirm = kMsg0631;
  plan.prepare = [&] {
    // What failed last time is retried only when no newer run replaced it.
    work = TrashUndoOrder(TrashedRecord.empty() ? std::move(FailedRestoreRecord) : std::move(TrashedRecord));
    TrashedRecord.clear();
    FailedRestoreRecord.clear();
    if (attached)
      logs.PrepareVisualLog(descriptor.key, !logs.Log(descriptor.key).chkNormalSimulate.Checked(), {}, false);
    for (DeleteCounter counter : kRunCounters) stats.Set(Id(counter), 0);
    RecorderSetup setup = Recording();
    // What could not come back is kept for the next Undo; the journal is
    // rewritten whole once the entries are done.
    setup.records.failedRestores = &FailedRestoreRecord;
    recorder.emplace(std::move(setup));
    plan.itemCount = (work.size() + kRestoresPerItem - 1) / kRestoresPerItem;
    plan.progressTotal = work.size();
    plan.record = [&](ItemOutcome&& outcome) {
      report.Add(outcome);
      recorder->Record(std::move(outcome));
    };
  };
  plan.work = [&](std::size_t i, const OutcomeSink& sink) {
    const std::size_t from = i * kRestoresPerItem;
    RestoreTrashedRange(fs, work, from, std::min(work.size(), from + kRestoresPerItem), sink);
  };
  plan.finish = [&] {
    recorder->Flush();
    journal.Rewrite();
    if (!report.Empty()) ui.ShowMessageBox(report.Text(), kCaption0632, MessageKind::Warning);
  };
  plan.end = kMsg0633;
  plan.after = [&] {
    // What came back changes the disk: the next forecast reads it again.
    forecastCache_.clear();
    WriteCounters();
    ApplyUndoEnabling();
  };
  RunFrame(ui, context_.pages, context_.Tab(descriptor.key), plan);
}

}  // namespace quillory
