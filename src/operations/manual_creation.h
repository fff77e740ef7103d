// The page that creates single folders typed by hand: full paths, and a
// subfolder path under a chosen root.
#pragma once

#include <string>
#include <vector>

#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class DriveMap;
class TForcedUnSuccessFullForm;
class TSubFolderUnSuccessFullForm;
class Ui;

class ManualCreationPage {
 public:
  // Registers the page's controls on `owner` (the main window), whose tab
  // `tab` of `pages` shows them. Folders are made through `fs`; typed,
  // browsed and dropped ones are read and checked through `drives`.
  ManualCreationPage(Window& owner, Ui& ui, PageControl& pages, TabSheet& tab, FileSystem& fs,
                     const DriveMap& drives);

  // The error log windows are made after the main window.
  void AttachLogWindows(TForcedUnSuccessFullForm& forced, TSubFolderUnSuccessFullForm& sub);

  // ---- full-path panel ----
  Label& grpForced;
  Label& lblCreateFolderForced;
  ComboBox& cboCreateFolderForced;
  Button& btnCreateFolderForced;
  Label& lblSuccess;
  ListBox& lstSuccess;
  Button& btnForcedErrorLog;

  // ---- subfolder panel ----
  Label& grpSubFolder;
  Label& lblRootFolders;
  ComboBox& cboRootFolders;
  Button& btnAddRootFolders;
  Label& lblSubFolder;
  ComboBox& cboSubFolder;
  Label& lblSimple02Preview;
  Label& lblSimple02CompleteFolder;
  Button& btnCreateSubFolder;
  CheckBox& chkSubViewDestFolder;
  Button& btnSubViewDestFolder;
  Label& lblSuccessSubFolders;
  ListBox& lstSuccessSubFolders;
  Button& btnSubFolderErrorLog;

  // ---- handlers ----
  void btnCreateFolderForcedClick();
  void btnForcedErrorLogClick();
  void btnAddRootFoldersClick();
  // A folder dropped on the root folder box is taken as Browse takes one.
  void DropRootFolder(const std::vector<std::string>& hostPaths);
  void cboRootFoldersSelect();
  void cboSubFolderChange();
  void btnCreateSubFolderClick();
  void btnSubViewDestFolderClick();
  void btnSubFolderErrorLogClick();
  void PageShow();

  // The error lists of the last run of each panel, in outcome order.
  const std::vector<std::string>& ForcedExisting() const { return forcedExisting_; }
  const std::vector<std::string>& ForcedOther() const { return forcedOther_; }
  const std::vector<std::string>& SubFolderExisting() const { return subExisting_; }
  const std::vector<std::string>& SubFolderOther() const { return subOther_; }

  // Every folder the last run of either panel made, outermost first, with
  // the identity it had when it was made (missing parents included).
  const MadeFolders& LastMade() const { return lastMade_; }

  // The path the subfolder panel would create from its root and subfolder
  // texts (what the preview shows).
  std::string SubFolderPath() const;

 private:
  enum class Outcome { Created, Existing, Other };
  // Creates one folder with its missing parents; `path` is normalised and
  // has passed the caller's checks.
  Outcome Create(const std::string& path);
  // Creates `sub` below `root` name by name, never through a link below the
  // root; a missing root is made first, as a typed path is, and removed
  // again when the part below fails.
  Outcome CreateBelow(const std::string& root, const std::string& sub);
  void ShowMessage(const char* number, const std::string& text = {});
  bool AskMessage(const char* number, const std::string& text = {});
  void TakeRoot(const std::string& root, const char* emptyWarning);
  // The root box's text in program form, written back when typed in host
  // spelling; false after the person was told no drive covers it.
  bool TypedRoot();

  Ui& ui_;
  PageControl& pages_;
  TabSheet& tab_;
  FileSystem* fs_;
  const DriveMap* drives_;
  TForcedUnSuccessFullForm* forcedLog_ = nullptr;
  TSubFolderUnSuccessFullForm* subLog_ = nullptr;
  std::vector<std::string> forcedExisting_, forcedOther_, subExisting_, subOther_;
  MadeFolders lastMade_;
};

}  // namespace quillory
