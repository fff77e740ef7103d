// Windows that show walked folder trees.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmFolderViews : public Window {
 public:
  TfrmFolderViews() : Window("TfrmFolderViews", "Views") {}
};

class TfrmLevelSummFolder : public Window {
 public:
  TfrmLevelSummFolder() : Window("TfrmLevelSummFolder", "Level Summary") {}
};

}  // namespace quillory
