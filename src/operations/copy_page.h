// Page "Copy Folder Structures": copy structures and templates into a list of folders.
#pragma once

#include <optional>

#include "operations/attach_outcomes.h"
#include "operations/folder_list_page.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"
#include "undo/run_journal.h"

namespace quillory {

class CopyPage : public FolderListPage {
 public:
  explicit CopyPage(PageContext& context);

  ListBox& lstVol08IncludeFolderList = include;
  ListBox& lstVol08ExcludeFolderList = exclude;
  Label& lblVol08IncludeSum = includeSum;
  Label& lblVol08ExcludeSum = excludeSum;
  Button& btnVol08Statistics = btnStatistics;
  CheckBox& chkVol08ShowDetailedResults = chkShowDetailedResults;
  Button& btnVol08Help = btnHelp;
  FileFilterRow files;
  Label& lblVol08FileTypesAllSelected = files.controls.allSelected;
  StructuresGroup structures;
  StructureForecast forecast;
  Button& btnVol08CopyFolders;
  Button& btnVol08CopyFoldersSimulation;

  // The last real run, for Undo; a simulation never replaces it.
  AttachRecords records;  // processedMainFolders, createdFolders, copiedFiles and what was made
  std::vector<std::string> missingFolders;
  // What the last real run attached; its journal writes it as F or R.
  std::optional<SourceKind> attachKind;
  // What the last Undo could not take away, tried again by the next one.
  std::vector<std::string> failedUndoFolders;
  MadeFolders failedUndoMade;
  std::vector<WrittenFile> failedUndoFiles;
  // The record above as it stands on disk, for an Undo after a restart.
  RunJournal journal;
  // Start-up: the record of the last run from the journal; a warning when
  // it had to be set aside.
  void LoadJournal();
  Button& btnVol08Undo;

  // Start: the page as FolderListPage starts it, templates chosen.
  void FormCreate();
  void FormActivate();
  void btnVol08AddFolderStructureClick() { structures.AddStructureClick(); }
  void btnVol08FolderTemplatesOptionsClick() { structures.OptionsClick(); }
  void btnVol08StatisticsClick() { ShowVisualLog(); }
  void btnVol08CopyFoldersClick() { Run(false); }
  void btnVol08CopyFoldersSimulationClick() { Run(true); }
  void btnVol08UndoClick();
  void Refresh() override;

 private:
  void Run(bool simulate);
};

}  // namespace quillory
