// Page "Create Folder Structures-I": folders named from a list of strings,
// under one destination folder.
#pragma once

#include "lists/list_panel.h"
#include "operations/operation_page.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"

namespace quillory {

class CreateFromStringsPage : public CreatePage {
 public:
  explicit CreateFromStringsPage(PageContext& context);

  DestinationChooser destination;
  ComboBox& cboVol02DestFolders;
  Button& btnVol02AddDestFolder;
  Button& btnVol02ViewDestFolder;
  Edit& edtVol02Prefix;
  Edit& edtVol02Suffix;
  CheckBox& chkVol02Hyphen;
  ListBox& lstVol02IncludeStrings;
  ListBox& lstVol02ExcludeStrings;
  Label& lblVol02IncludeSum;
  Label& lblVol02ExcludeSum;
  Label& lblVol02StartFolder;
  Label& lblVol02EndFolder;
  CheckBox& chkVol02ViewDetailedResults;
  CheckBox& chkVol02ViewDestFolder;
  Button& btnVol02ListHelp;
  Button& btnVol02Statistic;
  ListPanel panel;
  StructuresGroup structures;
  StructureForecast forecast;

  void FormCreate();
  // Keeps the destination history in the settings.
  void FormClose();

  bool HasDestination() const { return destination.Chosen(); }
  void ChooseDestination(const std::string& path) { destination.Choose(path); }
  void ViewDestination() { destination.View(); }

  void edtVol02PrefixChange();
  void edtVol02SuffixChange();
  void chkVol02HyphenClick();
  void btnVol02StatisticClick() { ShowVisualLog(); }
  void btnVol02AddFolderStructureClick() { structures.AddStructureClick(); }
  void btnVol02FolderTemplatesOptionsClick() { structures.OptionsClick(); }
  void btnVol02CreateFoldersClick() { Run(false); }
  void btnVol02CreateFoldersSimulationClick() { Run(true); }
  void RefreshPreview();
  void Refresh();

 private:
  void Reset();
  void Run(bool simulate);
  void SetRunEnabled();
  // The destination as a run keeps it: trimmed, with a trailing ''.
  std::string DestinationFolder() const;
  std::vector<Connection> connections_;
};

}  // namespace quillory
