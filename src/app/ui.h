// What handlers ask of the person or the desktop. No toolkit type crosses
// this interface; QtUi and ScriptedUi implement it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

#include "app/window.h"

namespace quillory {

enum class MessageKind { Warning, Information, Question, Error };
enum class MessageAnswer { Ok, Yes, No };

struct FileDialogOptions {
  std::string title;
  std::string filter;      // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  std::string defaultExt;  // without the dot
  std::string fileName;    // proposed name
};

const char* MessageKindName(MessageKind kind);
const char* MessageAnswerName(MessageAnswer answer);

class Ui {
 public:
  virtual ~Ui() = default;
  // Warning, information and error give Ok; a question gives Yes or No, No
  // being the default.
  virtual MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageKind kind) = 0;
  // Program-form path, or "" when cancelled.
  virtual std::string SelectFolder(const std::string& title) = 0;
  virtual std::string OpenFileDialog(const FileDialogOptions& options) = 0;
  virtual std::string SaveFileDialog(const FileDialogOptions& options) = 0;
  virtual ModalResult ShowModal(Window& window) = 0;
  virtual void Show(Window& window) = 0;
  virtual void Hide(Window& window) = 0;
  virtual void OpenFolder(const std::string& path) = 0;
  virtual void ShowHelp(const std::string& topic) = 0;
  // Called during long runs; implementations repaint at most every ~50 ms.
  virtual void Repaint() = 0;
  // The locked part of a run, so a view can show how far it is and keep the
  // person from starting other work meanwhile. RunProgress is throttled by
  // the caller; RunEnded follows RunStarted on every way out.
  virtual void RunStarted(std::size_t /*total*/) {}
  virtual void RunProgress(std::size_t /*done*/) {}
  virtual void RunEnded() {}
  // Whether the person asked the run under way to stop (its Stop button,
  // Escape). Asked between items; RunStarted clears it. RunStoppable, right
  // after RunStarted, says whether the run can be stopped at all.
  virtual bool StopRequested() { return false; }
  // A script's Stop, fixed before the run: no item at or after this index
  // starts. Asked once per run, right after RunStarted.
  virtual std::size_t StopBefore() { return static_cast<std::size_t>(-1); }
  virtual void RunStoppable(bool /*stoppable*/) {}
  // A line for the status bar after a run (where its results went); it stays
  // until the person changes something on a page.
  virtual void ShowStatus(const std::string& /*text*/) {}

  // While workers do a run's items the window's thread waits here, the
  // window living meanwhile, until WakeRun (from any thread) or `timeout`;
  // a zero timeout lets what is pending through once and returns.
  virtual void AwaitRun(std::chrono::milliseconds timeout);
  virtual void WakeRun();
  // How fast a long run goes, for the status bar while it goes; seconds
  // left is negative while unknown. Never part of a script's record: it
  // depends on the clock.
  virtual void RunSpeed(double /*operationsPerSecond*/, double /*secondsLeft*/) {}

 private:
  std::mutex bellMutex_;
  std::condition_variable bell_;
  bool rung_ = false;
};

}  // namespace quillory
