#include "operations/delete_page.h"

#include "app/run_frame.h"
#include "app/ui.h"
#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "results/visual_logs.h"
#include "tree/examine_sub_folders.h"
#include "tree/folder_struct_size.h"

namespace quillory {

namespace {

constexpr const char* kCommon =
    "Do you want to DELETE folders PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop the "
    "Delete process.\n\nNote: If the <Select Files> button is active, only the Selected Files will be used.";
constexpr const char* kCaption0238 = "Delete Folder(s). - From a Folder List.            Information no: 0238.";
const MessageText kMsg0240 = {
    "The Include Folder list is empty !!!\nYou must enter at least one Folder to Delete folders.",
    "Delete Folder(s).-From a Folder List.           Warning no: 0240."};
const MessageText kMsg0334 = {
    "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
    "Delete Folder(s).-From a Folder List.            Warning no: 0334."};
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

const char* CounterOf(DeleteList list) {
  switch (list) {
    case DeleteList::FoldersDeleted: return "FoldersDeleted";
    case DeleteList::FoldersNotExists: return "FoldersNotExists";
    case DeleteList::FoldersOtherReasons: return "FoldersOtherReasons";
    case DeleteList::FilesDeleted: return "FilesDeleted";
    case DeleteList::FilesNotExists: return "FilesNotExists";
    case DeleteList::FilesOtherReasons: return "FilesOtherReasons";
  }
  return "FoldersOtherReasons";
}

// A drive root however written, or the folder a drive is mapped to
// (reached by any path, links included).
bool IsWholeDrive(FileSystem& fs, const std::string& path) {
  const std::string lexical = LexicalFolderPath(path);
  if (lexical.size() <= 3) return true;
  const auto identity = fs.Identity(lexical);
  if (!identity) return false;
  for (char drive : fs.LogicalDrives())
    if (fs.Identity(std::string(1, drive) + ":\\") == identity) return true;
  return false;
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
      btnVol07DeleteFolders(context.owner.Make<Button>("btnVol07DeleteFolders",
                                                       " DELETE  Folders /  F. Structures   PERMANENTLY")),
      btnVol07DeleteFoldersSimulation(context.owner.Make<Button>("btnVol07DeleteFoldersSimulation", "Simulation")) {
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  rdoVol07DeleteSubFolders.SetChecked(true);
  chkVol07DeleteDoubleConfirm.SetChecked(true);
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

int DeletePage::Mode() const {
  if (rdoVol07DeleteOnlyFilesInMainFolder.Checked()) return 0;
  if (rdoVol07DeleteOnlyFiles.Checked()) return static_cast<int>(DeleteMode::SelectedFiles);
  if (rdoVol07DeleteCompleteFolders.Checked()) return static_cast<int>(DeleteMode::Complete);
  return static_cast<int>(DeleteMode::SubFolders);
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
  chkVol07DeleteDoubleConfirm.SetChecked(true);
  chkVol07ReadOnlyFolders.SetChecked(false);
  rdoVol07DeleteSubFolders.SetChecked(true);
  stats.Set("FoldersToDelete", 0);
  stats.Set("FilesToDelete", 0);
}

void DeletePage::Forecast() {
  double folders = 0, files = 0;
  if (!include.Empty()) {
    const int mode = Mode();
    const std::vector<std::string> masks = this->files.Masks();
    std::string key = std::to_string(mode);
    for (const std::string& mask : masks) key += '\n' + mask;
    key += '\0';
    ExamineSubFolders list(include.Items());
    if (mode == 0)
      list.ReadSortedUnique();
    else
      list.ReadTopLevelOnly();
    for (const std::string& folder : list.GetFolders()) {
      auto [at, fresh] = forecastCache_.try_emplace(key + folder);
      if (fresh) {
        ++forecastWalks_;
        FolderStructSize size(folder, context_.services.fs);
        size.SetFileMasks(masks);
        if (mode == 0) {
          size.WalkRootFilesSelected();
          at->second.files = size.GetSelectedFiles();
        } else if (mode == static_cast<int>(DeleteMode::SelectedFiles)) {
          size.WalkSelected();
          at->second.files = size.GetSelectedFiles();
        } else {
          size.Walk();
          at->second.folders = size.GetFolderCount() + (mode == static_cast<int>(DeleteMode::Complete) ? 1 : 0);
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
  const bool fileMode = items && (Mode() == 0 || Mode() == static_cast<int>(DeleteMode::SelectedFiles));
  files.controls.select.SetEnabled(fileMode);
  files.controls.status.SetEnabled(fileMode);
  files.controls.allSelected.SetEnabled(fileMode);
  btnVol07DeleteFolders.SetEnabled(items);
  btnVol07DeleteFoldersSimulation.SetEnabled(items);
  Forecast();
  WriteCounters();
}

void DeletePage::Run(bool simulate) {
  Ui& ui = context_.services.ui;
  FileSystem& fs = context_.services.fs;
  const int mode = Mode();
  const std::vector<std::string> masks = files.Masks();
  std::vector<std::string> mains;
  const bool logs = context_.visualLogs.Attached(PageKey::Vol07);
  std::size_t outcomes = 0;
  const OutcomeSink* emitting = nullptr;
  // The bar counts what "To Delete:" counts: folders in the folder modes,
  // files in the file modes.
  const bool filesCounted = mode == 0 || mode == static_cast<int>(DeleteMode::SelectedFiles);
  const DeleteSink sink = [&](DeleteList list, const std::string& path) {
    stats.Add(CounterOf(list), 1);
    const bool fileOutcome = list == DeleteList::FilesDeleted || list == DeleteList::FilesNotExists ||
                             list == DeleteList::FilesOtherReasons;
    if (emitting != nullptr && fileOutcome == filesCounted) {
      ItemOutcome unit;
      unit.progress = 1;
      (*emitting)(std::move(unit));
    }
    if (logs) context_.visualLogs.AddResult(list, path);
    // The counters are shown often enough to watch, not once per file.
    if (++outcomes % 256 == 0) {
      if (logs)
        context_.visualLogs.ShowCounters(PageKey::Vol07);
      else
        ui.Repaint();
    }
  };

  RunPlan plan;
  plan.validate = [&] {
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
  };
  plan.proceed = [&] {
    if (include.Empty()) {
      const MessageText& m = simulate ? kMsg0518 : kMsg0240;
      ui.ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      return false;
    }
    ExamineSubFolders list(include.Items());
    if (mode == 0)
      list.ReadSortedUnique();
    else
      list.ReadTopLevelOnly();
    const auto& folders = list.GetFolders();
    mains.assign(folders.begin(), folders.end());
    plan.itemCount = mains.size();
    // Without a forecast the bar falls back to the main folders.
    plan.progressTotal = static_cast<std::size_t>(stats.Get(filesCounted ? "FilesToDelete" : "FoldersToDelete"));
    return true;
  };
  plan.work = [&](std::size_t i, const OutcomeSink& emit) {
    const std::string& folder = mains[i];
    emitting = &emit;
    if (simulate) {
      const std::string candidate = NormalizeComposedPath(folder);
      std::string message;
      if (candidate.size() > kMaxSimulatedPathChars || !CheckColons(candidate, message) ||
          !ValidateFullFolderPath(candidate, true, message) || IsWholeDrive(fs, candidate)) {
        sink(DeleteList::FoldersOtherReasons, folder);
        return;
      }
    } else if (Trim(folder).size() <= 3 || (HasDrive(folder) && IsWholeDrive(fs, folder))) {
      ui.ShowMessageBox(kMsg0334.text, kMsg0334.caption, MessageKind::Warning);
      return;
    } else if (!HasDrive(folder)) {
      sink(DeleteList::FoldersOtherReasons, folder);
      return;
    }
    if (!fs.DirectoryExists(folder) && !(mode == static_cast<int>(DeleteMode::Complete))) {
      sink(DeleteList::FoldersNotExists, folder);
      return;
    }
    const DeleteOptions options{masks, chkVol07ReadOnlyFolders.Checked(), simulate};
    if (mode == 0)
      SmartDeleteOne(fs, folder, options, sink).Run();
    else
      SmartDelete(fs, folder, static_cast<DeleteMode>(mode), options, sink).Run();
    if (logs) context_.visualLogs.ShowCounters(PageKey::Vol07);
    return;
  };
  plan.end = simulate ? kMsg0517 : kMsg0239;
  plan.after = [&] {
    // The disk has changed: the next forecast reads it again.
    forecastCache_.clear();
    WriteCounters();
  };
  RunFrame(ui, context_.pages, context_.Tab(descriptor.key), plan);
}

}  // namespace quillory
