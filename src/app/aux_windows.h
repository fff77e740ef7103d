// About, example and demonstration windows.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/help_topics.h"
#include "app/window.h"
#include "quillory_version.h"

namespace quillory {

class DriveMap;
class FileSystem;

class TAboutBox : public Window {
 public:
  TAboutBox()
      : Window("TAboutBox", "About"),
        lblProductName(Make<Label>("lblProductName", "Quillory Suite")),
        lblDescription(Make<Label>("lblDescription",
                                   "Creates, copies into, renames and deletes many folders at once.")),
        lblVersion(Make<Label>("lblVersion", QUILLORY_VERSION_LINE)),
        btnAboutOk(Make<Button>("btnAboutOk", "OK")) {
    btnAboutOk.onClick = [this] { modalResult = ModalResult::Ok; };
  }
  Label& lblProductName;
  Label& lblDescription;
  Label& lblVersion;  // as --version prints it
  Button& btnAboutOk;
};

// An example window: a short story (a goal, the steps, what the Visual Log
// shows) and a button that plays the page's demonstration.
class ExampleWindow : public Window {
 public:
  ExampleWindow(std::string className, std::string caption, std::string demo)
      : Window(std::move(className), std::move(caption)),
        memExampleStory(Make<Memo>("memExampleStory")),
        btnExampleDemo(Make<Button>("btnExampleDemo", "Show me")),
        btnExampleClose(Make<Button>("btnExampleClose", "Close")),
        demo_(std::move(demo)) {
    memExampleStory.SetText(ExampleStory(ClassName()));
    btnExampleDemo.onClick = [this] {
      if (playDemo) playDemo(demo_);
    };
    btnExampleClose.onClick = [this] { modalResult = ModalResult::Close; };
  }
  Memo& memExampleStory;  // Markdown; the view renders it
  Button& btnExampleDemo;
  Button& btnExampleClose;
  const std::string& Demo() const { return demo_; }
  // Set by the main window: plays a demonstration by name.
  std::function<void(const std::string&)> playDemo;

 private:
  std::string demo_;
};

class TfrmExample02 : public ExampleWindow {
 public:
  TfrmExample02()
      : ExampleWindow("TfrmExample02", "Example - Create Folders from a List of Strings", "create_strings") {}
};

class TfrmExample04 : public ExampleWindow {
 public:
  TfrmExample04()
      : ExampleWindow("TfrmExample04", "Example - Create Folders from a List of Folders", "create_paths") {}
};

class TfrmExample03 : public ExampleWindow {
 public:
  TfrmExample03()
      : ExampleWindow("TfrmExample03", "Example - Create Folders with Increased Numbers", "create_numbers") {}
};

class TfrmExample06 : public ExampleWindow {
 public:
  TfrmExample06() : ExampleWindow("TfrmExample06", "Example - Rename Folders", "rename") {}
};

class TfrmExample07 : public ExampleWindow {
 public:
  TfrmExample07() : ExampleWindow("TfrmExample07", "Example - Delete Folders", "delete") {}
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
    // The same text as the overview topic of the help window.
    if (const HelpTopic* topic = FindHelpTopic("overview")) memOverView.SetText(topic->markdown);
    btnOverViewClose.onClick = [this] { modalResult = ModalResult::Close; };
  }
  Memo& memOverView;
  Button& btnOverViewClose;
  // Set by the main window: a link of the text opens that help topic.
  std::function<void(const std::string& topic)> openTopic;
};

// The guided demonstrations: pick one and play it. The view plays it in a
// copy of the main window on a drive made for the purpose.
class TfrmVideoTutorials : public Window {
 public:
  TfrmVideoTutorials()
      : Window("TfrmVideoTutorials", "Video tutorials"),
        lblVideoNotice(Make<Label>("lblVideoNotice",
                                   "Each demonstration plays in a window of its own, on a drive made for it and "
                                   "removed afterwards: nothing of yours is touched.")),
        lstDemonstrations(Make<ListBox>("lstDemonstrations")),
        lblDemoCaption(Make<Label>("lblDemoCaption")),
        btnDemoPlay(Make<Button>("btnDemoPlay", "Play")),
        btnDemoStop(Make<Button>("btnDemoStop", "Stop")),
        btnVideoClose(Make<Button>("btnVideoClose", "Close")) {
    lstDemonstrations.SetMultiSelect(false);
    std::vector<std::string> titles;
    for (const Demonstration& demo : Demonstrations()) titles.emplace_back(demo.title);
    lstDemonstrations.SetItems(std::move(titles));
    btnDemoStop.SetEnabled(false);
    btnVideoClose.onClick = [this] { modalResult = ModalResult::Close; };
  }
  Label& lblVideoNotice;
  ListBox& lstDemonstrations;
  Label& lblDemoCaption;  // what the demonstration says it does now
  Button& btnDemoPlay;
  Button& btnDemoStop;
  Button& btnVideoClose;

  // The demonstration the window opens on; the view starts it when shown.
  void Choose(const std::string& name) {
    chosen_ = name;
    const auto& demos = Demonstrations();
    for (std::size_t i = 0; i < demos.size(); ++i) lstDemonstrations.SetSelected(i, demos[i].name == name);
  }
  const std::string& Chosen() const { return chosen_; }
  // Taken by the view when it starts the chosen demonstration.
  std::string TakeChosen() { return std::exchange(chosen_, std::string()); }
  // The disk and drive map a demonstration plays on, set by the program.
  FileSystem* disk = nullptr;
  DriveMap* drives = nullptr;

 private:
  std::string chosen_;
};

}  // namespace quillory
