// Windows that show walked folder trees: the "Views" window of a folder and
// the summary of its levels.
#pragma once

#include "app/signal.h"
#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class SettingsStore;
class Ui;

class TfrmLevelSummFolder : public Window {
 public:
  TfrmLevelSummFolder();

  Label& lblLevelSummFolderTitle;  // "Folder:"
  Label& lblLevelSummFolderName;
  // "Level Number" / "Number of SubFolders", one row per level below the root.
  ListView& lstViewLevelSummFolder;
  Label& lblLevelSummFolderSumTitle;  // "Number of Folders:"
  Label& lblLevelSummFolderSum;
  Label& lblLevelSummFileSumTitle;  // "Number of Files:"
  Label& lblLevelSummFileSum;
  Label& lblLevelSummFileSizeTitle;  // "Size of Files:"
  Label& lblLevelSummFileSize;
  Button& btnLevelSummFolderOK;
};

class TfrmFolderViews : public Window {
 public:
  // The masked walk of "Levels" reads the file selection from the store and
  // the tree through `fs`.
  TfrmFolderViews(Ui& ui, SettingsStore& settings, FileSystem& fs);
  void Attach(TfrmLevelSummFolder& levels);

  void btnFolderViewsExplorerClick();
  void btnFolderViewsLevelsClick();
  void btnFolderViewsCloseClick();

  // Shows the folder of the hidden field to the person.
  Label& lblFolderViewsFolder;
  // Set by the caller; never shown.
  Edit& edtFolderViewsFolder;
  Button& btnFolderViewsExplorer;  // "Explorer"
  Button& btnFolderViewsLevels;    // "Levels"
  Button& btnFolderViewsClose;     // "Close"

 private:
  Ui& ui_;
  SettingsStore& settings_;
  FileSystem& fs_;
  TfrmLevelSummFolder* levels_ = nullptr;
  Connection folderShown_;
};

}  // namespace quillory
