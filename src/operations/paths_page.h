// Page "Create Folder Struct.-II": folders from a list of full folder paths.
#pragma once

#include "lists/list_panel.h"
#include "operations/operation_page.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"

namespace quillory {

class CreateFromPathsPage : public CreatePage {
 public:
  explicit CreateFromPathsPage(PageContext& context);

  Edit& edtVol04Prefix;
  Edit& edtVol04Suffix;
  CheckBox& chkVol04Hyphen;
  ListBox& lstVol04IncludeFolderList;
  ListBox& lstVol04ExcludeFolderList;
  Label& lblVol04IncludeSum;
  Label& lblVol04ExcludeSum;
  Label& lblVol04StartFolder;
  Label& lblVol04EndFolder;
  Control& grpVol04Statistics;  // hidden: the counters are read in the Visual Log
  CheckBox& chkVol04ViewDetailedResults;
  Button& btnVol04Help;
  Button& btnVol04Statistics;
  ListPanel panel;
  StructuresGroup structures;
  StructureForecast forecast;

  void FormCreate();

  void edtVol04PrefixChange();
  void edtVol04SuffixChange();
  void chkVol04HyphenClick();
  void btnVol04StatisticsClick() { ShowVisualLog(); }
  void btnVol04AddFolderStructureClick() { structures.AddStructureClick(); }
  void btnVol04FolderTemplatesOptionsClick() { structures.OptionsClick(); }
  void btnVol04CreateFoldersClick() { Run(false); }
  void btnVol04CreateFoldersSimulationClick() { Run(true); }
  void RefreshPreview();
  void Refresh();

 private:
  void Reset();
  void Run(bool simulate);
  void SetRunEnabled();
  std::vector<Connection> connections_;
};

}  // namespace quillory
