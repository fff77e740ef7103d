// Page "Create Folder Struct.-III": folders named by increasing numbers
// under one destination folder.
#pragma once

#include "operations/operation_page.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"

namespace quillory {

class CreateFromNumbersPage : public CreatePage {
 public:
  explicit CreateFromNumbersPage(PageContext& context);

  DestinationChooser destination;
  ComboBox& cboVol03DestFolders;
  Button& btnVol03AddDestFolder;
  Button& btnVol03ViewDestFolder;
  Edit& edtVol03StartNumber;
  Edit& edtVol03EndNumber;
  Edit& edtVol03Prefix;
  Edit& edtVol03Suffix;
  CheckBox& chkVol03Hyphen;
  CheckBox& chkVol03PaddedZeroes;
  Label& lblVol03StartFolder;
  Label& lblVol03EndFolder;
  CheckBox& chkVol03ViewDetailedResults;
  CheckBox& chkVol03ViewDestFolder;
  Button& btnVol03Help;
  Button& btnVol03ClearAll;
  Button& btnVol03Statistics;
  StructuresGroup structures;
  StructureForecast forecast;

  void FormCreate();
  // Keeps the destination history in the settings.
  void FormClose();

  bool HasDestination() const { return destination.Chosen(); }
  void ChooseDestination(const std::string& path) { destination.Choose(path); }
  void ViewDestination() { destination.View(); }

  void edtVol03PrefixChange();
  void edtVol03SuffixChange();
  void chkVol03HyphenClick() {}
  void btnVol03StatisticsClick() { ShowVisualLog(); }
  void btnVol03ClearAllClick();
  void btnVol03AddFolderStructureClick() { structures.AddStructureClick(); }
  void btnVol03FolderTemplatesOptionsClick() { structures.OptionsClick(); }
  void Refresh();
  // How many numbers the fields span; 0 while they do not hold a range.
  std::size_t NumberCount() const;
};

}  // namespace quillory
