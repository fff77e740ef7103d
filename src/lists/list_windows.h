// Windows of the list tools; each grows its controls as its tool is built.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmSubFolderListBuilder : public Window {
 public:
  TfrmSubFolderListBuilder() : Window("TfrmSubFolderListBuilder", "Subfolder Level List Builder") {}
};

class TfrmFLLEditIncludeFolderList : public Window {
 public:
  TfrmFLLEditIncludeFolderList() : Window("TfrmFLLEditIncludeFolderList", "Edit Include List") {}
};

class TfrmVol02EditIncludeList : public Window {
 public:
  TfrmVol02EditIncludeList() : Window("TfrmVol02EditIncludeList", "Edit Include List") {}
};

class TfrmVol04EditIncludeList : public Window {
 public:
  TfrmVol04EditIncludeList() : Window("TfrmVol04EditIncludeList", "Edit Include List") {}
};

class TfrmVol06EditIncludeList : public Window {
 public:
  TfrmVol06EditIncludeList() : Window("TfrmVol06EditIncludeList", "Edit Include List") {}
};

class TfrmVol07EditIncludeList : public Window {
 public:
  TfrmVol07EditIncludeList() : Window("TfrmVol07EditIncludeList", "Edit Include List") {}
};

class TfrmVol08EditIncludeList : public Window {
 public:
  TfrmVol08EditIncludeList() : Window("TfrmVol08EditIncludeList", "Edit Include List") {}
};

class TfrmEditSmartImport : public Window {
 public:
  TfrmEditSmartImport() : Window("TfrmEditSmartImport", "Edit") {}
};

class TfrmFileExport : public Window {
 public:
  TfrmFileExport() : Window("TfrmFileExport", "Export") {}
};

class TfrmFileImport : public Window {
 public:
  TfrmFileImport() : Window("TfrmFileImport", "Import") {}
};

class TfrmZoomIncludeWindow : public Window {
 public:
  TfrmZoomIncludeWindow() : Window("TfrmZoomIncludeWindow", "Zoom Window.") {}
};

}  // namespace quillory
