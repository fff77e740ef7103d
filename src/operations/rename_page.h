// Page "Rename Folders": rename a list of existing folders.
#pragma once

#include <string>
#include <vector>

#include "operations/folder_list_page.h"
#include "operations/rename_engine.h"
#include "undo/rename_record.h"
#include "undo/run_journal.h"

namespace quillory {

class RenamePage : public FolderListPage {
 public:
  explicit RenamePage(PageContext& context);

  ListBox& lstVol06IncludeFolderList = include;
  ListBox& lstVol06ExcludeFolderList = exclude;
  Label& lblVol06IncludeSum = includeSum;
  Label& lblVol06ExcludeSum = excludeSum;
  Button& btnVol06Statistics = btnStatistics;
  CheckBox& chkVol06ShowDetailedResults = chkShowDetailedResults;
  Button& btnVol06Help = btnHelp;

 private:
  RadioGroup method_;

 public:
  RadioButton& rdoVol06RenameAddPrefixesSuffixes;
  RadioButton& rdoVol06RenameTheLastSubFolder;
  Label& lblVol06NewPrefix;
  Edit& edtVol06NewPrefix;
  Label& lblVol06DelimiterPrefixSubFolder;
  Edit& edtVol06DelimiterPrefixSubFolder;
  Label& lblVol06DelimiterSubFolderSuffix;
  Edit& edtVol06DelimiterSubFolderSuffix;
  Label& lblVol06NewSuffix;
  Edit& edtVol06NewSuffix;
  Label& lblVol06RenameNewLastSubFolder;
  Edit& edtVol06RenameNewLastSubFolder;
  Label& lblVol06StartFolderCaption;
  Label& lblVol06StartFolder;
  Label& lblVol06EndFolderCaption;
  Label& lblVol06EndFolder;
  Button& btnVol06RenameFolders;
  Button& btnVol06RenameFoldersSimulation;
  Button& btnVol06Undo;
  Button& btnVol06ClearAll;

  // The last real run, in the order of its renames; a simulation leaves it.
  RenameRecords RenameRecord;
  // What the last Undo could not move back, tried again by the next one.
  RenameRecords FailedUndoRecord;
  // Both records as they stand on disk, for an Undo after a restart.
  RunJournal journal;
  // Start-up: the records of the last run from the journal; a warning when
  // it had to be set aside.
  void LoadJournal();

  void btnVol06StatisticsClick() { ShowVisualLog(); }
  void btnVol06RenameFoldersClick() { Run(false); }
  void btnVol06RenameFoldersSimulationClick() { Run(true); }
  void btnVol06UndoClick();
  void rdoVol06RenameAddPrefixesSuffixesClick();
  void rdoVol06RenameTheLastSubFolderClick();
  void Refresh() override;
  void UpdateRenamePreview();
  // The checked method and its fields, as a run composes new paths by them.
  RenameOptions Options() const;

 private:
  void Run(bool simulate);
  // The recorder of a run or an undo of this page, its records still unset.
  void FieldChanged(Edit& field, int which);
  void ApplyEnabling(bool items);
};

}  // namespace quillory
