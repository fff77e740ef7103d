// Page "Delete Folder Structures": delete files, subfolder structures or whole folders of a list.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "operations/folder_list_page.h"
#include "operations/smart_delete.h"
#include "undo/run_journal.h"

namespace quillory {

class DeletePage : public FolderListPage {
 public:
  explicit DeletePage(PageContext& context);

  ListBox& lstVol07IncludeFolderList = include;
  ListBox& lstVol07ExcludeFolderList = exclude;
  Label& lblVol07IncludeSum = includeSum;
  Label& lblVol07ExcludeSum = excludeSum;
  Button& btnVol07Statistics = btnStatistics;
  CheckBox& chkVol07ShowDetailedResults = chkShowDetailedResults;
  Button& btnVol07Help = btnHelp;
  FileFilterRow files;
  Label& lblVol07FileTypesAllSelected = files.controls.allSelected;
  RadioGroup modes;
  RadioButton& rdoVol07DeleteOnlyFilesInMainFolder;
  RadioButton& rdoVol07DeleteOnlyFiles;
  RadioButton& rdoVol07DeleteSubFolders;
  RadioButton& rdoVol07DeleteCompleteFolders;
  CheckBox& chkVol07DeleteDoubleConfirm;
  CheckBox& chkVol07ReadOnlyFolders;
  // Every removal becomes a move into the desktop's trash, which Undo takes
  // back. Checked at every start; not kept with the settings.
  CheckBox& chkVol07MoveToTrash;
  Button& btnVol07Undo;
  Button& btnVol07DeleteFolders;
  Button& btnVol07DeleteFoldersSimulation;

  // What the last real run moved into the trash, for Undo.
  std::vector<TrashedEntry> TrashedRecord;
  // What the last Undo could not bring back, tried again by the next one.
  std::vector<TrashedEntry> FailedRestoreRecord;
  // Both records as they stand on disk, for an Undo after a restart.
  RunJournal journal;
  // Start-up: the records of the last run from the journal; a warning when
  // it had to be set aside.
  void LoadJournal();

  void FormActivate();
  void btnVol07StatisticsClick() { ShowVisualLog(); }
  void btnVol07DeleteFoldersClick() { Run(false); }
  void btnVol07DeleteFoldersSimulationClick() { Run(true); }
  void chkVol07ReadOnlyFoldersClick();
  void btnVol07UndoClick();
  void RefreshDeletePage() { Refresh(); }
  void Refresh() override;
  // Walks made by the forecast since the page began (each tree once per mode).
  std::size_t ForecastWalks() const { return forecastWalks_; }

 private:
  DeleteMode Mode() const;
  // The main folders of the list in `mode`: a folder listed inside another is
  // its own main folder only when the files of main folders are taken.
  std::vector<std::string> MainFolders(DeleteMode mode) const;
  // `warned`: the file mode's once-per-run hint.
  void ModeClick(bool* warned);
  void ApplyUndoEnabling();
  void Run(bool simulate);
  void Forecast();
  void ResetPage();

  struct Totals {
    double folders = 0;
    double files = 0;
  };
  // By mode, patterns and main folder: the disk is walked once for each.
  std::map<std::string, Totals> forecastCache_;
  std::size_t forecastWalks_ = 0;
  bool warnedFilesInMain_ = false;
  bool warnedFiles_ = false;
};

}  // namespace quillory
