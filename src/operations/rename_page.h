// Page "Rename Folders": rename a list of existing folders.
#pragma once

#include <string>
#include <vector>

#include "names/name_composition.h"
#include "operations/folder_list_page.h"
#include "undo/rename_record.h"
#include "undo/run_journal.h"

namespace quillory {

// The number of '\' and '/' in a path: the depth key of runs and undo.
std::size_t SeparatorCount(std::string_view path);

// The new path of a trimmed include line. The name is always the line's own
// last folder name, also when it holds a dot: a folder is never moved out of
// its parent.
_tagVol0XParts ComposePrefixSuffixParts(std::string_view item, std::string_view prefix,
                                        std::string_view prefixDelimiter, std::string_view suffixDelimiter,
                                        std::string_view suffix);
_tagVol0XParts ComposeNewNameParts(std::string_view item, std::string_view newName);

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
  std::vector<_tagReplaceFoldersStruct> RenameRecord;
  // What the last Undo could not move back, tried again by the next one.
  std::vector<_tagReplaceFoldersStruct> FailedUndoRecord;
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
  // The new path of one trimmed line by the checked method.
  std::string ComposeNewPath(std::string_view item) const;

 private:
  void Run(bool simulate);
  void FieldChanged(Edit& field, int which);
  void ApplyEnabling(bool items);
};

}  // namespace quillory
