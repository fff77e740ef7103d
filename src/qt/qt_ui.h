// The Ui services on the desktop: Qt message boxes and dialogs, the views of
// the windows, the system file manager. Paths cross this interface in
// program form ("D:\a\b"); the drive map turns them into host paths.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ui.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QString>

class QObject;
class QWidget;

namespace quillory {

class Application;
class DriveMap;
class MainWindowView;
class WindowView;

// "Text files (*.txt)|*.txt|All files (*.*)|*.*" in Qt's form
// ("Text files (*.txt);;All files (*)"). "*.*" becomes "*", which on the host
// matches names without a dot as well, as the program's masks do.
QString ToQtFileFilter(const std::string& filter);

class QtUi : public Ui {
 public:
  // Dialog paths cross to and from the host through `drives`, which must
  // outlive this object.
  explicit QtUi(const DriveMap& drives);
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  // Makes the main window's view and a view of every other window (owned by
  // the main view). The views observe the models: call DetachViews before the
  // Application goes.
  MainWindowView& AttachViews(Application& app);
  void DetachViews();
  // nullptr when no view was made for the window.
  QWidget* ViewOf(const Window& window) const;

  MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageKind kind) override;
  // When the chosen folder lies on no mapped drive, says so and gives "".
  std::string SelectFolder(const std::string& title) override;
  std::string OpenFileDialog(const FileDialogOptions& options) override;
  std::string SaveFileDialog(const FileDialogOptions& options) override;
  ModalResult ShowModal(Window& window) override;
  void Show(Window& window) override;
  void Hide(Window& window) override;
  // Without a file manager to start, says so in a message box.
  void OpenFolder(const std::string& path) override;
  // What opens a host folder in the file manager (the desktop's by
  // default); false when nothing could be started.
  void SetFolderOpener(std::function<bool(const QString& hostPath)> opener);
  void ShowHelp(const std::string& topic) override;
  // At most every 50 ms. Outside a run it paints and leaves user input
  // waiting; during one it lets every event through except the person's
  // input to the main window, so the Visual Logs and message boxes stay
  // usable and nothing on the page can start or change work.
  void Repaint() override;
  // The status bar's progress bar and the main window's input guard.
  void RunStarted(std::size_t total) override;
  void RunProgress(std::size_t done) override;
  void RunEnded() override;
  void ShowStatus(const std::string& text) override;
  // The Stop button beside the bar, or Escape in the main window.
  bool StopRequested() override { return stopRequested_; }
  void RunStoppable(bool stoppable) override;
  void AwaitRun(std::chrono::milliseconds timeout) override;
  void WakeRun() override;
  void RunSpeed(double operationsPerSecond, double secondsLeft) override;

 private:
  QWidget* DialogParent() const;
  WindowView* DialogOf(Window& window);
  std::string FileDialog(const FileDialogOptions& options, bool save);
  // "" after telling the person, when no drive covers the host path.
  std::string ToProgramForm(const QString& hostPath, const std::string& caption);

  const DriveMap& drives_;
  Application* app_ = nullptr;
  std::unique_ptr<MainWindowView> main_;
  std::map<const Window*, QPointer<QWidget>> views_;
  std::vector<std::unique_ptr<WindowView>> orphans_;  // views made without a main view
  QElapsedTimer sinceRepaint_;
  std::unique_ptr<QObject> runGuard_;  // an application event filter, during a run
  // While workers run: the loop the window's thread waits in, and whether a
  // worker rang before it started.
  QEventLoop* awaiting_ = nullptr;
  std::atomic<bool> rung_{false};
  std::size_t progressScale_ = 1;      // the bar counts in ints
  std::size_t progress_ = 0;           // shown at the next repaint
  std::size_t progressTotal_ = 0;
  bool stopRequested_ = false;
  std::function<bool(const QString&)> openFolder_;
  std::string lastFolder_;  // host folder the last browser ended in
};

}  // namespace quillory
