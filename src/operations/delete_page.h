// Page "Delete Folder Structures": delete files, subfolder structures or whole folders of a list.
#pragma once

#include "operations/folder_list_page.h"

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

  void FormActivate();
  void btnVol07StatisticsClick() { ShowVisualLog(); }
  void Refresh() override;
};

}  // namespace quillory
