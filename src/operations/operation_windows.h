// Secondary windows of the page operations.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmDriveSelect : public Window {
 public:
  TfrmDriveSelect() : Window("TfrmDriveSelect", "Drive Select") {}
};

class TForcedUnSuccessFullForm : public Window {
 public:
  TForcedUnSuccessFullForm() : Window("TForcedUnSuccessFullForm", "Error Log") {}
};

class TSubFolderUnSuccessFullForm : public Window {
 public:
  TSubFolderUnSuccessFullForm() : Window("TSubFolderUnSuccessFullForm", "Error Log") {}
};

class TfrmVol03Multi : public Window {
 public:
  TfrmVol03Multi() : Window("TfrmVol03Multi", "Increased Numbers") {}
};

}  // namespace quillory
