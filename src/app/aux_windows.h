// About, example and video windows.
#pragma once

#include "app/window.h"

namespace quillory {

class TAboutBox : public Window {
 public:
  TAboutBox() : Window("TAboutBox", "About") {}
};

class TfrmExample02 : public Window {
 public:
  TfrmExample02() : Window("TfrmExample02", "Example - Create Folders from a List of Strings") {}
};

class TfrmExample04 : public Window {
 public:
  TfrmExample04() : Window("TfrmExample04", "Example - Create Folders from a List of Folders") {}
};

class TfrmExample03 : public Window {
 public:
  TfrmExample03() : Window("TfrmExample03", "Example - Create Folders with Increased Numbers") {}
};

class TfrmExample06 : public Window {
 public:
  TfrmExample06() : Window("TfrmExample06", "Example - Rename Folders") {}
};

class TfrmExample07 : public Window {
 public:
  TfrmExample07() : Window("TfrmExample07", "Example - Delete Folders") {}
};

class TfrmMoreHelp : public Window {
 public:
  TfrmMoreHelp() : Window("TfrmMoreHelp", "More Help") {}
};

class TfrmOverViewHelp : public Window {
 public:
  TfrmOverViewHelp() : Window("TfrmOverViewHelp", "OverView") {}
};

class TfrmVideoTutorials : public Window {
 public:
  TfrmVideoTutorials() : Window("TfrmVideoTutorials", "Video tutorials") {}
};

}  // namespace quillory
