// Page "Create Folder Struct.-III": folders named by increasing numbers
// under one destination folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
  CheckBox& chkVol03AddIncNumbersAsSuffix;
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
  void btnVol03CreateFoldersClick() { Run(false); }
  void btnVol03CreateFoldersSimulationClick() { Run(true); }
  void edtVol03StartNumberExit() { ReadNumbers(); }
  void edtVol03EndNumberExit() { ReadNumbers(); }
  void Refresh();
  // How many numbers the fields span, read as leaving them would read them;
  // 0 while the end is below the start.
  std::size_t NumberCount() const;
  // What leaving a number field keeps.
  std::int32_t StartNumber() const { return start_; }
  std::int32_t EndNumber() const { return end_; }

 private:
  struct Range {
    std::int32_t start = 1, end = 1;
  };
  // The fields as leaving them reads them; `fix` writes what they are read as
  // back where a field held no number.
  Range ParseFields(bool fix);
  void ReadNumbers();
  void Run(bool simulate);
  void SetRunEnabled();
  std::int32_t start_ = 1, end_ = 1;
};

// "007" for 7 in a width of 3 when padded; the number's digits otherwise.
std::string NumberText(std::int64_t number, std::size_t width, bool padded);
// An integer field's value: optional blanks and sign, then digits only,
// within 32 bits; nullopt otherwise.
std::optional<std::int32_t> ParseInteger(const std::string& text);

}  // namespace quillory
