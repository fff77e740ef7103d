// Windows of the list tools; each grows its controls as its tool is built.
#pragma once

#include "app/window.h"
#include "lists/level_builder_window.h"

namespace quillory {

// The editor of an include list: one line per item, checked as a whole on
// OK. The page's panel decides what OK and Cancel do.
class EditIncludeListWindow : public Window {
 public:
  struct Names {
    const char* className;
    const char* caption;
    const char* memo;
    const char* linesSum;
    const char* ok;
    const char* cancel;
    const char* help;
    const char* linesCurrent;  // nullptr when the window has none
  };
  explicit EditIncludeListWindow(const Names& names);
  ~EditIncludeListWindow() override;

  Memo& memo;
  Label& lblLinesSum;
  Label* lblLinesCurrent = nullptr;
  Button& btnOk;
  Button& btnCancel;
  Button& btnHelp;

  // The line count as the counter shows it.
  void ShowLineCount();
};

class TfrmFLLEditIncludeFolderList : public EditIncludeListWindow {
 public:
  TfrmFLLEditIncludeFolderList();
};

class TfrmVol02EditIncludeList : public EditIncludeListWindow {
 public:
  TfrmVol02EditIncludeList();
};

class TfrmVol04EditIncludeList : public EditIncludeListWindow {
 public:
  TfrmVol04EditIncludeList();
};

class TfrmVol06EditIncludeList : public EditIncludeListWindow {
 public:
  TfrmVol06EditIncludeList();
};

class TfrmVol07EditIncludeList : public EditIncludeListWindow {
 public:
  TfrmVol07EditIncludeList();
};

class TfrmVol08EditIncludeList : public EditIncludeListWindow {
 public:
  TfrmVol08EditIncludeList();
};

// One read-only copy of an include list, wide enough for long paths; one
// instance serves every page.
class TfrmZoomIncludeWindow : public Window {
 public:
  TfrmZoomIncludeWindow();
  ~TfrmZoomIncludeWindow() override;
  ListBox& lstZoomIncludeWindow;
  Button& btnZoomInjcludeWindowsClose;
};

}  // namespace quillory
