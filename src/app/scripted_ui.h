// A Ui that answers from queues and records every call in order. Tests and
// the automation driver use it; a question nobody scripted is an error, not
// a silent "No".
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ui.h"

namespace quillory {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct UiCall {
  std::string kind;     // "message", "select_folder", "open_file", "save_file",
                        // "modal", "show", "hide", "open_folder", "help", "status"
  std::string caption;  // message caption, dialog title, window class
  std::string text;     // message text, folder path, help topic
  std::string answer;   // "Yes", "No", "OK", a path, a modal result
  MessageKind messageKind = MessageKind::Information;
  std::string defaultAnswer;  // a question's default button ("No"); else ""
};

class ScriptedUi : public Ui {
 public:
  // Whether `calls` keeps every call. Tests read them; the script driver,
  // which prints each call through onCall as it happens, keeps none, so a
  // long script's memory does not grow with its output.
  enum class CallLog { Keep, Forget };
  explicit ScriptedUi(CallLog log = CallLog::Keep) : log_(log) {}

  MessageAnswer ShowMessageBox(const std::string& text, const std::string& caption, MessageKind kind) override;
  std::string SelectFolder(const std::string& title) override;
  std::string OpenFileDialog(const FileDialogOptions& options) override;
  std::string SaveFileDialog(const FileDialogOptions& options) override;
  ModalResult ShowModal(Window& window) override;
  void Show(Window& window) override;
  void Hide(Window& window) override;
  void OpenFolder(const std::string& path) override;
  void ShowHelp(const std::string& topic) override;
  void Repaint() override { ++repaints; }
  // The bar of the last run: its total and each position shown.
  void RunStarted(std::size_t total) override {
    runTotal = total;
    progress.clear();
  }
  void RunProgress(std::size_t done) override { progress.push_back(done); }
  // The next run stops once `stopAfter` items are done, as a Stop clicked then
  // would; it serves one run. Told by item, so the same items are done
  // whatever the number of workers.
  std::size_t StopBefore() override { return stopAfter; }
  void RunEnded() override { stopAfter = static_cast<std::size_t>(-1); }
  void ShowStatus(const std::string& text) override;

  // Answers for the next questions, in order.
  std::deque<MessageAnswer> answers;
  // Answers for the next folder browsers and file dialogs ("" = cancel).
  std::deque<std::string> folders;
  std::deque<std::string> files;
  // Run when the window of that class is shown modally; its result is the
  // modal result. Without a block the window closes with Cancel.
  std::map<std::string, std::function<ModalResult(Window&)>> modalBlocks;

  std::vector<UiCall> calls;
  std::function<void(const UiCall&)> onCall;  // sees each call as it happens
  int repaints = 0;
  std::size_t runTotal = 0;
  std::size_t stopAfter = static_cast<std::size_t>(-1);
  std::vector<std::size_t> progress;
  std::size_t RetainedCalls() const { return calls.size(); }

  // Messages only, for assertions.
  std::vector<UiCall> Messages() const;
  void ClearCalls() { calls.clear(); }

 private:
  void Record(UiCall call);

  CallLog log_;
};

}  // namespace quillory
