// The main window's view: menus, the seven tab pages and their widgets, each
// bound to the TfrmMain control of the same name (the widget's object name).
#pragma once

#include "shell/main_window.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace quillory {

class MainWindowView : public QMainWindow {
  Q_OBJECT

 public:
  // The model must outlive the view. Activating the window runs
  // FormActivate; closing it runs FormClose and hides the model.
  explicit MainWindowView(TfrmMain& model, QWidget* parent = nullptr);

  TfrmMain& Model() const { return model_; }
  QTabWidget* Tabs() const { return tabs_; }
  // In the status bar, shown only while a run goes on. After a simulation
  // the status bar says so instead, until the next run or a change of any
  // input of the window.
  QProgressBar* RunProgressBar() const { return runProgress_; }
  QPushButton* RunStopButton() const { return runStop_; }
  // Shows the Stop button beside the bar while a run that can stop goes;
  // its click calls `stop`.
  void SetRunStoppable(bool stoppable, std::function<void()> stop);
  // While a run goes on, closing waits for its end and activation handlers
  // wait too (they refresh counters the run is writing); both follow once
  // the run's handler has returned.
  void SetRunning(bool running);
  // A line about the last run, until the person changes something.
  void ShowStatusNote(const QString& text);
  // Beside the bar while a long run goes; "" hides it.
  void ShowRunSpeed(const QString& text);
  bool Running() const { return running_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  // The note shows after a simulation button's click that ran.
  void FollowSimulations();
  void ShowSimulationNote(bool shown);
  QWidget* BuildVol02();
  QWidget* BuildVol04();
  QWidget* BuildVol03();
  // The pages that work on existing folders: heading, list methods, the list
  // panel, the active file types where the page has them.
  // The one place a page's view is chosen, by its descriptor.
  QWidget* BuildPage(PageKey key);
  QWidget* BuildFolderListPage(FolderListPage& page, FileSelectionControls* fileTypes,
                               StructuresGroup* structures = nullptr);

  QGroupBox* Destination(ComboBox& combo, Button& browse, Button& view, QWidget* parent);
  QGroupBox* NameParts(Edit& prefix, Edit& suffix, CheckBox& hyphen, QWidget* parent);
  QGroupBox* Preview(Label& start, Label& end, QWidget* parent);
  QGroupBox* Statistics(CreatePage& page, QWidget* parent);
  QHBoxLayout* Footer(CheckBox* visualLog, CheckBox* explorer, Button& help, QWidget* parent);

  TfrmMain& model_;
  QTabWidget* tabs_ = nullptr;
  QProgressBar* runProgress_ = nullptr;
  QLabel* runSpeed_ = nullptr;
  QPushButton* runStop_ = nullptr;
  std::function<void()> stop_;
  QLabel* simulationNote_ = nullptr;
  int runs_ = 0;          // runs started so far
  int runsAtPress_ = 0;   // ... when a simulation button went down
  bool syncing_ = false;
  bool running_ = false;
  bool simulated_ = false;  // the note is up
  bool placed_ = false;
  bool closePending_ = false;
  bool activatePending_ = false;
  Connection shown_;
  Connection caption_;
  std::vector<Connection> inputs_;
};

}  // namespace quillory
