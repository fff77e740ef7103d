// The page that creates single folders typed by hand: full paths, and a
// subfolder path under a chosen root.
#pragma once

#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class TForcedUnSuccessFullForm;
class TSubFolderUnSuccessFullForm;
class Ui;

class ManualCreationPage {
 public:
  // Registers the page's controls on `owner` (the main window), whose tab
  // `tab` of `pages` shows them.
  ManualCreationPage(Window& owner, Ui& ui, PageControl& pages, TabSheet& tab, FileSystem& fs = HostFileSystem());

  // The error log windows are made after the main window.
  void AttachLogWindows(TForcedUnSuccessFullForm& forced, TSubFolderUnSuccessFullForm& sub);

 private:
  [[maybe_unused]] Window& owner_;
  [[maybe_unused]] Ui& ui_;
  [[maybe_unused]] PageControl& pages_;
  [[maybe_unused]] TabSheet& tab_;
  [[maybe_unused]] FileSystem* fs_;
  TForcedUnSuccessFullForm* forcedLog_ = nullptr;
  TSubFolderUnSuccessFullForm* subLog_ = nullptr;
};

}  // namespace quillory
