// The "Add Folders using Subfolder Level Builder" group of the pages that
// work on existing folders (Vol06, Vol07, Vol08): a root folder with its
// history, the level selection, the filter, "Build a List" and the
// "List Builder" button that hands the builder window's list to the page.
#pragma once

#include <optional>
#include <string>

#include "app/page.h"
#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class ListPanel;
class TfrmSubFolderListBuilder;
class Ui;

// A level number as the person typed it: a whole decimal number, or nothing
// (with the conversion message in `error`).
std::optional<std::uint32_t> ReadLevelNumber(const std::string& text, std::string* error);

class LevelBuilderGroup {
 public:
  // Registers the controls on `owner` under the page's names and fills the
  // panel's method controls with them. Root folders are read through the
  // panel's drive map.
  LevelBuilderGroup(Window& owner, Ui& ui, ListPanel& panel, FileSystem& fs);
  LevelBuilderGroup(const LevelBuilderGroup&) = delete;
  LevelBuilderGroup& operator=(const LevelBuilderGroup&) = delete;

  void AttachWindow(TfrmSubFolderListBuilder& window) { window_ = &window; }

  Label& grpLevelBuilder;   // "Add Folders using Subfolder Level Builder"
  Label& lblLevelDestFolder;  // "Root Folder:"
  ComboBox& cboLevelDestFolder;
  Button& btnAddDestFolder;   // "Browse"
  Button& btnViewDestFolder;  // "View"
  Label& lblSubFolderFilter;  // "Filter:"
  Edit& edtSubFolderFilter;
  Label& grpLevelSelector;    // "Subfolder Level Selector"
  RadioGroup levels;
  RadioButton& rdoSLNFromTo;
  RadioButton& rdoSLNAbove;
  RadioButton& rdoSLNBelow;
  Edit& edtFromLevelNumber;
  Label& lblToLevelNumber;    // "To:"
  Edit& edtToLevelNumber;
  Edit& edtAboveLevelNumber;
  Edit& edtBelowLevelNumber;
  UpDown& udFromLevelNumber;
  UpDown& udToLevelNumber;
  UpDown& udAboveLevelNumber;
  UpDown& udBelowLevelNumber;
  Label& grpSubFolderToList;  // "SubFolder To List"
  RadioGroup kinds;
  RadioButton& rdoGenLastSubFolder;
  RadioButton& rdoGenAllSubFolders;
  Button& btnMakeList;        // "Build a List"
  Button& btnSubFolderLevelListBuilder;  // "List Builder"

  // ---- handlers ----
  void BrowseClick();
  // A folder dropped on the root folder box is taken as Browse takes one.
  void DropPaths(const std::vector<std::string>& hostPaths);
  void RootSelect();
  void ViewClick();
  void LevelRadioClick();
  void MakeListClick();
  void ListBuilderClick();
  // Clear Fields: start values, history emptied.
  void Reset();

 private:
  // Takes a chosen root folder (Browse or the history).
  void TakeRoot(const std::string& text);
  // The root box's text in program form, written back when typed in host
  // spelling; nullopt after the person was told no drive covers it.
  std::optional<std::string> TypedRoot();
  void SetNumbers();
  void Warn(const std::string& text, const std::string& number);

  Ui& ui_;
  ListPanel& panel_;
  FileSystem& fs_;
  PageKey page_;
  TfrmSubFolderListBuilder* window_ = nullptr;
};

}  // namespace quillory
