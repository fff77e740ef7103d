// Page "Copy Folder Structures": copy structures and templates into a list of folders.
#pragma once

#include "operations/folder_list_page.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"

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

  // Start: the page as FolderListPage starts it, templates chosen.
  void FormCreate();
  void FormActivate();
  void btnVol08AddFolderStructureClick() { structures.AddStructureClick(); }
  void btnVol08FolderTemplatesOptionsClick() { structures.OptionsClick(); }
  void btnVol08StatisticsClick() { ShowVisualLog(); }
  void Refresh() override;
};

}  // namespace quillory
