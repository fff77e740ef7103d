// The one file filter of the copy and delete pages: the masks the operations
// apply, kept in the settings store, and the window that edits them.
#pragma once

#include <string>
#include <vector>

#include "app/window.h"

namespace quillory {

class SettingsStore;
class Ui;

class TfrmFileSelection : public Window {
 public:
  TfrmFileSelection(Ui& ui, SettingsStore& settings);
  // The pages' "All." / "User Selected." labels, kept up to date on OK and
  // at start-up.
  void AttachStatusLabels(std::vector<Label*> labels);

 private:
  Ui& ui_;
  SettingsStore& settings_;
  std::vector<Label*> statusLabels_;
};

}  // namespace quillory
