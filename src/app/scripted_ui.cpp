#include "app/scripted_ui.h"

namespace quillory {

const char* MessageKindName(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return "warning";
    case MessageKind::Information: return "information";
    case MessageKind::Question: return "question";
    case MessageKind::Error: return "error";
  }
  return "?";
}

const char* MessageAnswerName(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return "OK";
    case MessageAnswer::Yes: return "Yes";
    case MessageAnswer::No: return "No";
  }
  return "?";
}

static const char* ModalResultName(ModalResult r) {
  switch (r) {
    case ModalResult::None: return "None";
    case ModalResult::Ok: return "OK";
    case ModalResult::Cancel: return "Cancel";
    case ModalResult::Yes: return "Yes";
    case ModalResult::No: return "No";
    case ModalResult::Close: return "Close";
  }
  return "?";
}

void ScriptedUi::Record(UiCall call) {
  if (log_ == CallLog::Forget) {
    if (onCall) onCall(call);
    return;
  }
  calls.push_back(std::move(call));
  if (onCall) onCall(calls.back());
}

MessageAnswer ScriptedUi::ShowMessageBox(const std::string& text, const std::string& caption, MessageKind kind) {
  UiCall call{"message", caption, text, "", kind, ""};
  MessageAnswer answer = MessageAnswer::Ok;
  if (kind == MessageKind::Question) {
    call.defaultAnswer = MessageAnswerName(MessageAnswer::No);
    if (answers.empty()) {
      call.answer = "unanswered";
      Record(std::move(call));
      throw ScriptError("unanswered question: " + caption);
    }
    answer = answers.front();
    answers.pop_front();
    if (answer == MessageAnswer::Ok) answer = MessageAnswer::Yes;
  }
  call.answer = MessageAnswerName(answer);
  Record(std::move(call));
  return answer;
}

static std::string Take(std::deque<std::string>& queue, const char* what, const std::string& title) {
  if (queue.empty()) throw ScriptError(std::string("no scripted answer for the ") + what + ": " + title);
  std::string v = queue.front();
  queue.pop_front();
  return v;
}

std::string ScriptedUi::SelectFolder(const std::string& title) {
  std::string path = Take(folders, "folder browser", title);
  Record({"select_folder", title, "", path, {}, {}});
  return path;
}

std::string ScriptedUi::OpenFileDialog(const FileDialogOptions& options) {
  std::string path = Take(files, "open dialog", options.title);
  Record({"open_file", options.title, options.filter, path, {}, {}});
  return path;
}

std::string ScriptedUi::SaveFileDialog(const FileDialogOptions& options) {
  std::string path = Take(files, "save dialog", options.title);
  Record({"save_file", options.title, options.filter, path, {}, {}});
  return path;
}

ModalResult ScriptedUi::ShowModal(Window& window) {
  window.modalResult = ModalResult::None;
  window.SetShown(true);
  Record({"modal", window.ClassName(), window.Caption(), "", {}, {}});
  ModalResult result = ModalResult::Cancel;
  auto it = modalBlocks.find(window.ClassName());
  if (it != modalBlocks.end()) {
    auto block = it->second;
    result = block(window);
    if (result == ModalResult::None) result = window.modalResult;
    if (result == ModalResult::None) result = ModalResult::Cancel;
  }
  window.SetShown(false);
  Record({"modal_end", window.ClassName(), "", ModalResultName(result), {}, {}});
  return result;
}

void ScriptedUi::Show(Window& window) {
  window.SetShown(true);
  Record({"show", window.ClassName(), window.Caption(), "", {}, {}});
}

void ScriptedUi::Hide(Window& window) {
  window.SetShown(false);
  Record({"hide", window.ClassName(), "", "", {}, {}});
}

void ScriptedUi::OpenFolder(const std::string& path) { Record({"open_folder", "", path, "", {}, {}}); }

void ScriptedUi::ShowHelp(const std::string& topic) { Record({"help", "", topic, "", {}, {}}); }

void ScriptedUi::ShowStatus(const std::string& text) { Record({"status", "", text, "", {}, {}}); }

std::vector<UiCall> ScriptedUi::Messages() const {
  std::vector<UiCall> out;
  for (auto& c : calls)
    if (c.kind == "message") out.push_back(c);
  return out;
}

}  // namespace quillory
