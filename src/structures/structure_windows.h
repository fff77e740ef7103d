// Windows of structures, templates and the file filter.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmFolderStructuresTemplates : public Window {
 public:
  TfrmFolderStructuresTemplates() : Window("TfrmFolderStructuresTemplates", "Folder Structures / Templates") {}
};

class TfrmFileSelection : public Window {
 public:
  TfrmFileSelection() : Window("TfrmFileSelection", "File Selection") {}
};

class TfrmFolderTemplateOptions : public Window {
 public:
  TfrmFolderTemplateOptions() : Window("TfrmFolderTemplateOptions", "Folder Template Options") {}
};

}  // namespace quillory
