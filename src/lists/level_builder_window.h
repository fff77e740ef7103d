// The "Subfolder List Builder" window: a source folder measured level by
// level, the level selection, and its own include and exclude lists, whose
// include list the page's "List Builder" button takes over. One instance
// serves the three pages; its lists keep their content between openings.
#pragma once

#include <optional>
#include <string>

#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class DriveMap;
class SettingsStore;
class TfrmFileExport;
class TfrmFLLEditIncludeFolderList;
class TfrmLevelSummFolder;
class Ui;

class TfrmSubFolderListBuilder : public Window {
 public:
  // The source folder is read through `drives` and measured through `fs`.
  TfrmSubFolderListBuilder(Ui& ui, SettingsStore& settings, FileSystem& fs, const DriveMap& drives);
  ~TfrmSubFolderListBuilder() override;
  void Attach(TfrmFLLEditIncludeFolderList& editor, TfrmFileExport& fileExport, TfrmLevelSummFolder& levels);

  Label& lblMainSourceFolder;  // "Source Folder:"
  ComboBox& cboMainSourceFolder;
  Button& btnMainSourceFolderAdd;   // "Browse"
  Button& btnMainSourceFolderView;  // "View"
  Label& lblMainLevelSumContains;   // "Contains:"
  Label& lblMainLevelSumSubFolder;
  Label& lblMainLevelSumFiles;
  Label& lblMainLevelSumFileSize;
  ListView& lstViewLevelSumFolder;
  Label& lblSubFolderFilter;  // "Filter:"
  Edit& edtSubFolderFilter;
  RadioGroup levels;
  RadioButton& rdoFromToLevelNumber;
  RadioButton& rdoAboveLevelNumber;
  RadioButton& rdoBelowLevelNumber;
  Edit& edtFromLevelNumber;
  Label& lblToLevelNumber;  // "To:"
  Edit& edtToLevelNumber;
  Edit& edtAboveLevelNumber;
  Edit& edtBelowLevelNumber;
  UpDown& udFromLevelNumber;
  UpDown& udToLevelNumber;
  UpDown& udAboveLevelNumber;
  UpDown& udBelowLevelNumber;
  RadioGroup kinds;
  RadioButton& rdoBuildLastSubFolder;
  RadioButton& rdoBuildAllSubFolders;
  Button& btnBuildList;
  ListBox& lstIncludeFolderList;
  ListBox& lstExcludeFolderList;
  Label& lblIncludeSum;
  Label& lblExcludeSum;
  Button& btnFromIncToExc;
  Button& btnFromExcToInc;
  Button& btnAllFromIncToExc;
  Button& btnAllFromExcToInc;
  Button& btnExchangeIncToExc;
  Button& btnEditIncludeList;
  Button& btnIncludeFolderListView;
  Button& btnSmartExport;
  Button& btnDeleteFromExcludeList;
  Button& btnDeleteExcludedAll;
  Button& btnSubFolderListBuilderLevels;
  Button& btnImport;  // closes with OK
  Button& btnCancel;

  // ---- handlers ----
  void btnMainSourceFolderAddClick();
  // A folder dropped on the source folder box is taken as Browse takes one.
  void DropSource(const std::vector<std::string>& hostPaths);
  void cboMainSourceFolderSelect();
  void btnMainSourceFolderViewClick();
  void LevelRadioClick();
  void btnBuildListClick();
  void btnFromIncToExcClick();
  void btnFromExcToIncClick();
  void btnAllFromIncToExcClick();
  void btnAllFromExcToIncClick();
  void btnExchangeIncToExcClick();
  void btnDeleteFromExcludeListClick();
  void btnDeleteExcludedAllClick();
  void btnIncludeFolderListViewClick();
  void btnSubFolderListBuilderLevelsClick();
  void btnEditIncludeListClick();
  void btnSmartExportClick();

 private:
  void TakeSource(const std::string& text);
  // The source box's text in program form, written back when typed in host
  // spelling; nullopt after the person was told no drive covers it.
  std::optional<std::string> TypedSource();
  void EditOk();
  void EditCancel();
  void RefreshSums();
  void Warn(const std::string& text, const char* number);
  bool Ask(const std::string& text, const char* number);

  Ui& ui_;
  SettingsStore& settings_;
  FileSystem& fs_;
  const DriveMap& drives_;
  TfrmFLLEditIncludeFolderList* editor_ = nullptr;
  TfrmFileExport* fileExport_ = nullptr;
  TfrmLevelSummFolder* levelSummary_ = nullptr;
  std::vector<Connection> connections_;
};

}  // namespace quillory
