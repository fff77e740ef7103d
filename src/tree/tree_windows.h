// Windows that show walked folder trees: the "Views" window of a folder and
// the summary of its levels.
#pragma once

#include "app/window.h"

namespace quillory {

class SettingsStore;
class Ui;

class TfrmLevelSummFolder : public Window {
 public:
  TfrmLevelSummFolder();
};

class TfrmFolderViews : public Window {
 public:
  // The masked walk of "Levels" reads the file selection from the store.
  TfrmFolderViews(Ui& ui, SettingsStore& settings);
  void Attach(TfrmLevelSummFolder& levels);

 private:
  Ui& ui_;
  SettingsStore& settings_;
  TfrmLevelSummFolder* levels_ = nullptr;
};

}  // namespace quillory
