// About, example and video windows.
#pragma once

#include "app/window.h"

namespace quillory {

class TAboutBox : public Window {
 public:
  TAboutBox()
      : Window("TAboutBox", "About"),
        lblProductName(Make<Label>("lblProductName", "Quillory Suite")),
        lblDescription(Make<Label>("lblDescription",
                                   "Creates, copies into, renames and deletes many folders at once.")),
        btnAboutOk(Make<Button>("btnAboutOk", "OK")) {
    btnAboutOk.onClick = [this] { modalResult = ModalResult::Ok; };
  }
  Label& lblProductName;
  Label& lblDescription;
  Button& btnAboutOk;
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
  TfrmMoreHelp()
      : Window("TfrmMoreHelp", "More Help"),
        lblMoreHelp(Make<Label>("lblMoreHelp",
                                "Every page has a Simulation button: run it first to see what would happen.")),
        btnMoreHelpClose(Make<Button>("btnMoreHelpClose", "Close")) {
    btnMoreHelpClose.onClick = [this] { modalResult = ModalResult::Close; };
  }
  Label& lblMoreHelp;
  Button& btnMoreHelpClose;
};

class TfrmOverViewHelp : public Window {
 public:
  TfrmOverViewHelp()
      : Window("TfrmOverViewHelp", "OverView"),
        memOverView(Make<Memo>("memOverView")),
        btnOverViewClose(Make<Button>("btnOverViewClose", "Close")) {
    memOverView.SetText(
        "Each page runs one batch operation on a list of folders:\n"
        "Copy Folder Structures - copy structures or templates into every listed folder.\n"
        "Delete Folder Structures - delete selected files, subfolders or the folders themselves.\n"
        "Rename Folders - rename the last folder of every listed path.\n"
        "Create Folder Structures-I - create folders from a list of strings.\n"
        "Create Folder Struct.-II - create folders from a list of full paths.\n"
        "Create Folder Struct.-III - create folders from a run of numbers.\n"
        "Create Folder -IV. - create single folders by hand.\n"
        "Every run can be simulated first; the Visual Log lists every path by outcome.");
    btnOverViewClose.onClick = [this] { modalResult = ModalResult::Close; };
  }
  Memo& memOverView;
  Button& btnOverViewClose;
};

class TfrmVideoTutorials : public Window {
 public:
  TfrmVideoTutorials()
      : Window("TfrmVideoTutorials", "Video tutorials"),
        lblVideoNotice(Make<Label>("lblVideoNotice", "No tutorial videos are installed with this copy.")),
        btnVideoClose(Make<Button>("btnVideoClose", "Close")) {
    btnVideoClose.onClick = [this] { modalResult = ModalResult::Close; };
  }
  Label& lblVideoNotice;
  Button& btnVideoClose;
};

}  // namespace quillory
