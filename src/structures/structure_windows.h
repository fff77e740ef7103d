// Windows of structures, templates and the file filter.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmFolderStructuresTemplates : public Window {
 public:
  TfrmFolderStructuresTemplates() : Window("TfrmFolderStructuresTemplates", "Folder Structures / Templates") {}
};

class TfrmFolderTemplateOptions : public Window {
 public:
  TfrmFolderTemplateOptions() : Window("TfrmFolderTemplateOptions", "Folder Template Options") {}
};

}  // namespace quillory
