// Page "Rename Folders": rename a list of existing folders.
#pragma once

#include "operations/folder_list_page.h"

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

  void btnVol06StatisticsClick() { ShowVisualLog(); }
  void Refresh() override;
};

}  // namespace quillory
