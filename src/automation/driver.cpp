#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "app/run_jobs.h"
#include "shell/application.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "automation/automation.h"
#include "platform/drives.h"
#include "platform/text.h"

namespace quillory {

namespace {

ScreenshotRenderer& Renderer() {
  static ScreenshotRenderer renderer;
  return renderer;
}

// Events leave through one buffer that is written out whenever it fills, so
// an event of any length passes through in pieces, and that is flushed
// wherever a reader may be waiting for what came so far: a question, a modal
// window, an exception box, an error and the end.
class EventStream {
 public:
  explicit EventStream(std::ostream& out) : out_(out) {}
  EventStream(const EventStream&) = delete;
  EventStream& operator=(const EventStream&) = delete;

  EventStream& Raw(std::string_view text) {
    buffer_ += text;
    Spill();
    return *this;
  }
  EventStream& String(std::string_view text) {
    AppendJsonString(buffer_, text);
    Spill();
    return *this;
  }
  EventStream& List(const std::vector<std::string>& items) {
    buffer_ += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i) buffer_ += ',';
      String(items[i]);
    }
    buffer_ += ']';
    return *this;
  }
  void EndEvent(bool flush = false) {
    buffer_ += "}\n";
    Spill();
    if (flush) Flush();
  }
  void Flush() {
    Write();
    out_.flush();
  }
  std::size_t Writes() const { return writes_; }
  std::size_t PeakPending() const { return peakPending_; }

 private:
  static constexpr std::size_t kChunk = 64 * 1024;

  void Spill() {
    if (buffer_.size() > peakPending_) peakPending_ = buffer_.size();
    if (buffer_.size() >= kChunk) Write();
  }
  void Write() {
    if (buffer_.empty()) return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    ++writes_;
  }

  std::ostream& out_;
  std::string buffer_;
  std::size_t writes_ = 0;
  std::size_t peakPending_ = 0;
};

class Driver {
 public:
  Driver(EventStream& events, const AutomationWorld& world, const AutomationHooks& hooks)
      : events_(events), world_(world), hooks_(hooks) {
    ui_.onCall = [this](const UiCall& call) {
      Report(call);
      if (hooks_.uiCall) hooks_.uiCall(call);
    };
  }
  ~Driver() {
    // Whoever shows the windows lets go of them before they are destroyed.
    if (app_ && hooks_.ending) try {
        hooks_.ending(*app_);
      } catch (...) {
      }
  }
  std::size_t RetainedCalls() const { return ui_.RetainedCalls(); }

  void Execute(const std::vector<std::string>& lines);

 private:
  struct Line {
    int number;
    std::vector<std::string> words;
  };
  // The line being run; a modal block reads on through `all` from `next`.
  struct Step {
    const std::vector<std::string>& w;  // w[0] is the command
    const std::vector<Line>& all;
    std::size_t& next;
  };
  struct Command {
    std::size_t minArgs;
    std::size_t maxArgs;
    const char* usage;
    void (Driver::*run)(Step&);
  };
  static const std::map<std::string, Command, std::less<>>& Commands();

  Application& App() {
    if (!app_) {
      app_ = std::make_unique<Application>(ui_, world_.settings, world_.fs, world_.drives);
      if (hooks_.started) hooks_.started(*app_);
    }
    return *app_;
  }
  void Run(const std::vector<Line>& lines);
  void Dispatch(const Line& line, const std::vector<Line>& all, std::size_t& next);
  Window& FindWindow(const std::string& name);
  Control& FindControl(const std::string& name, Window** window = nullptr);
  void Report(const UiCall& call);
  void Dump(const Control& control, const Window& window);
  std::string Where(const Line& line) const { return "line " + std::to_string(line.number) + ": "; }

  void Drive(Step& s);
  void Start(Step& s);
  void SelectWindow(Step& s);
  void Set(Step& s);
  void Enter(Step& s);
  void Screenshot(Step& s);
  void Caret(Step& s);
  void Leave(Step& s);
  void Click(Step& s);
  void Check(Step& s);
  void Select(Step& s);
  void Fill(Step& s);
  void Page(Step& s);
  void Answer(Step& s);
  void Stop(Step& s);
  void Jobs(Step& s);
  void Folder(Step& s);
  void File(Step& s);
  void Modal(Step& s);
  void Result(Step& s);
  void Invoke(Step& s);
  void DumpCommand(Step& s);
  void Close(Step& s);
  void Say(Step& s);
  void Restart(Step& s);
  void End(Step& s);

  EventStream& events_;
  AutomationWorld world_;
  const AutomationHooks& hooks_;
  ScriptedUi ui_{ScriptedUi::CallLog::Forget};
  std::unique_ptr<Application> app_;
  std::string window_ = "TfrmMain";
  std::map<std::string, std::vector<Line>> blocks_;
};

std::string Bool(bool b) { return b ? "true" : "false"; }

const char* ColorName(Color color) {
  switch (color) {
    case Color::Default: return "default";
    case Color::Green: return "green";
    case Color::Red: return "red";
    case Color::Maroon: return "maroon";
    case Color::DarkRed: return "darkred";
  }
  return "default";
}

// The model keeps only focus requests: of a window's controls the one that
// asked last has the focus, as long as it can take it.
bool HasFocus(const Control& c, const Window& window) {
  if (c.FocusStamp() == 0 || !c.Enabled() || !c.Visible()) return false;
  for (const Control* other : window.Controls())
    if (other->FocusStamp() > c.FocusStamp()) return false;
  return true;
}

void Driver::Report(const UiCall& call) {
  EventStream& e = events_;
  bool flush = false;
  if (call.kind == "message") {
    e.Raw("{\"event\":\"message\",\"kind\":").String(MessageKindName(call.messageKind));
    e.Raw(",\"caption\":").String(call.caption).Raw(",\"text\":").String(call.text);
    e.Raw(",\"answer\":").String(call.answer);
    if (!call.defaultAnswer.empty()) e.Raw(",\"default\":").String(call.defaultAnswer);
    flush = call.messageKind == MessageKind::Question;
  } else if (call.kind == "select_folder" || call.kind == "open_file" || call.kind == "save_file") {
    e.Raw("{\"event\":").String(call.kind).Raw(",\"title\":").String(call.caption);
    e.Raw(",\"answer\":").String(call.answer);
  } else if (call.kind == "open_folder") {
    e.Raw("{\"event\":\"open_folder\",\"path\":").String(call.text);
  } else if (call.kind == "help") {
    e.Raw("{\"event\":\"help\",\"topic\":").String(call.text);
  } else if (call.kind == "status") {
    e.Raw("{\"event\":\"status\",\"text\":").String(call.text);
  } else if (call.kind == "modal_end") {
    e.Raw("{\"event\":\"modal_end\",\"window\":").String(call.caption).Raw(",\"result\":").String(call.answer);
    flush = true;
  } else {
    e.Raw("{\"event\":").String(call.kind).Raw(",\"window\":").String(call.caption);
    flush = call.kind == "modal";
  }
  e.EndEvent(flush);
}

Window& Driver::FindWindow(const std::string& name) {
  Window* w = App().Find(name);
  if (!w) throw ScriptError("unknown window " + name);
  return *w;
}

Control& Driver::FindControl(const std::string& name, Window** window) {
  std::string windowName = window_, controlName = name;
  if (auto dot = name.find('.'); dot != std::string::npos) {
    windowName = name.substr(0, dot);
    controlName = name.substr(dot + 1);
  }
  Window& w = FindWindow(windowName);
  Control* c = w.Find(controlName);
  if (!c) throw ScriptError("unknown control " + controlName + " in " + windowName);
  if (window) *window = &w;
  return *c;
}

void Driver::Dump(const Control& c, const Window& window) {
  EventStream& e = events_;
  e.Raw("{\"event\":\"dump\",\"control\":").String(c.Name()).Raw(",\"type\":").String(c.TypeName());
  e.Raw(",\"enabled\":").Raw(Bool(c.Enabled())).Raw(",\"visible\":").Raw(Bool(c.Visible()));
  e.Raw(",\"focused\":").Raw(Bool(HasFocus(c, window)));
  if (auto* x = dynamic_cast<const Captioned*>(&c))
    e.Raw(",\"caption\":").String(x->Caption()).Raw(",\"color\":").String(ColorName(x->GetColor()));
  if (auto* x = dynamic_cast<const CheckBox*>(&c)) e.Raw(",\"checked\":").Raw(Bool(x->Checked()));
  if (auto* x = dynamic_cast<const RadioButton*>(&c)) e.Raw(",\"checked\":").Raw(Bool(x->Checked()));
  if (auto* x = dynamic_cast<const Edit*>(&c)) e.Raw(",\"text\":").String(x->Text());
  if (auto* x = dynamic_cast<const Memo*>(&c)) e.Raw(",\"lines\":").List(x->Lines());
  if (auto* x = dynamic_cast<const ComboBox*>(&c)) {
    e.Raw(",\"text\":").String(x->Text()).Raw(",\"items\":").List(x->Items());
    e.Raw(",\"itemIndex\":").Raw(std::to_string(x->ItemIndex()));
  }
  if (auto* x = dynamic_cast<const ListBox*>(&c)) {
    e.Raw(",\"count\":").Raw(std::to_string(x->Count())).Raw(",\"items\":").List(x->Items());
    e.Raw(",\"selected\":[");
    bool first = true;
    for (std::size_t i = 0; i < x->Count(); ++i) {
      if (!x->Selected(i)) continue;
      if (!first) e.Raw(",");
      e.Raw(std::to_string(i));
      first = false;
    }
    e.Raw("]");
  }
  if (auto* x = dynamic_cast<const ListView*>(&c)) {
    e.Raw(",\"columns\":").List(x->Columns()).Raw(",\"rows\":[");
    for (std::size_t i = 0; i < x->Rows().size(); ++i) {
      if (i > 0) e.Raw(",");
      e.List(x->Rows()[i]);
    }
    e.Raw("]");
  }
  if (auto* x = dynamic_cast<const PageControl*>(&c))
    e.Raw(",\"activePage\":").Raw(std::to_string(x->ActivePageIndex()));
  e.EndEvent();
}

MessageAnswer ParseAnswer(const std::string& word) {
  std::string w = CaseFold(word);
  if (w == "yes") return MessageAnswer::Yes;
  if (w == "no") return MessageAnswer::No;
  if (w == "ok") return MessageAnswer::Ok;
  throw ScriptError("answer must be Yes, No or OK, not " + word);
}

ModalResult ParseModalResult(const std::string& word) {
  std::string w = CaseFold(word);
  if (w == "ok") return ModalResult::Ok;
  if (w == "cancel") return ModalResult::Cancel;
  if (w == "yes") return ModalResult::Yes;
  if (w == "no") return ModalResult::No;
  if (w == "close") return ModalResult::Close;
  throw ScriptError("result must be OK, Cancel, Yes, No or Close, not " + word);
}

bool ParseBool(const std::string& word) {
  std::string w = CaseFold(word);
  if (w == "true" || w == "1" || w == "yes" || w == "on") return true;
  if (w == "false" || w == "0" || w == "no" || w == "off") return false;
  throw ScriptError("expected true or false, not " + word);
}

void RequireEnabled(const Control& c) {
  if (!c.Enabled()) throw ScriptError("control " + c.Name() + " is disabled");
  if (!c.Visible()) throw ScriptError("control " + c.Name() + " is hidden");
}

constexpr std::size_t kAny = static_cast<std::size_t>(-1);

const std::map<std::string, Driver::Command, std::less<>>& Driver::Commands() {
  static const std::map<std::string, Command, std::less<>> commands = {
      {"drive", {1, 1, "drive D=/host/folder", &Driver::Drive}},
      {"start", {0, 0, "start", &Driver::Start}},
      {"window", {1, 1, "window CLASS", &Driver::SelectWindow}},
      {"set", {2, 2, "set CONTROL TEXT", &Driver::Set}},
      {"enter", {1, 1, "enter CONTROL", &Driver::Enter}},
      {"screenshot", {1, 2, "screenshot FILE [PAGE|WINDOW]", &Driver::Screenshot}},
      {"caret", {2, 2, "caret MEMO LINE", &Driver::Caret}},
      {"leave", {1, 1, "leave EDIT", &Driver::Leave}},
      {"click", {1, 2, "click CONTROL", &Driver::Click}},
      {"check", {2, 2, "check CONTROL true|false", &Driver::Check}},
      {"select", {2, kAny, "select CONTROL INDEX|TEXT...", &Driver::Select}},
      {"items", {1, kAny, "items LIST TEXT...", &Driver::Fill}},
      {"add", {1, kAny, "add LIST TEXT...", &Driver::Fill}},
      {"page", {1, 1, "page INDEX", &Driver::Page}},
      {"answer", {1, kAny, "answer Yes|No|OK...", &Driver::Answer}},
      {"stop", {1, 1, "stop ITEMS", &Driver::Stop}},
      {"jobs", {1, 1, "jobs N|auto", &Driver::Jobs}},
      {"folder", {1, 1, "folder PATH", &Driver::Folder}},
      {"file", {1, 1, "file PATH", &Driver::File}},
      {"modal", {1, 1, "modal CLASS ... end", &Driver::Modal}},
      {"result", {1, 1, "result OK|Cancel", &Driver::Result}},
      {"invoke", {1, 1, "invoke HANDLER", &Driver::Invoke}},
      {"dump", {1, kAny, "dump CONTROL...", &Driver::DumpCommand}},
      {"close", {0, 0, "close", &Driver::Close}},
      {"say", {1, kAny, "say TEXT", &Driver::Say}},
      {"restart", {0, 0, "restart", &Driver::Restart}},
      // Words after "end" are ignored where it closes a block, so here too.
      {"end", {0, kAny, "end", &Driver::End}},
  };
  return commands;
}

void Driver::Dispatch(const Line& line, const std::vector<Line>& all, std::size_t& next) {
  const auto& w = line.words;
  auto it = Commands().find(w[0]);
  if (it == Commands().end()) throw ScriptError("unknown command " + w[0]);
  const Command& command = it->second;
  const std::size_t args = w.size() - 1;
  if (args < command.minArgs) throw ScriptError(std::string("usage: ") + command.usage);
  // A text with blanks that lost its quotes would otherwise be cut short unseen.
  if (args > command.maxArgs) throw ScriptError(std::string("too many words; usage: ") + command.usage);
  Step step{w, all, next};
  (this->*command.run)(step);
}

void Driver::Drive(Step& s) {
  if (app_) throw ScriptError("drive must come before the first command that starts the program");
  std::string error;
  if (!world_.drives.ParseAndApply(s.w[1], &error)) throw ScriptError(error);
}

void Driver::Start(Step&) { App(); }

void Driver::SelectWindow(Step& s) {
  FindWindow(s.w[1]);
  window_ = s.w[1];
}

void Driver::Set(Step& s) {
  Control& c = FindControl(s.w[1]);
  RequireEnabled(c);
  if (auto* e = dynamic_cast<Edit*>(&c)) e->UserSetText(s.w[2]);
  else if (auto* cb = dynamic_cast<ComboBox*>(&c)) cb->UserSetText(s.w[2]);
  else if (auto* m = dynamic_cast<Memo*>(&c)) m->UserSetText(s.w[2]);
  else throw ScriptError("cannot set text of " + c.Name());
}

void Driver::Enter(Step& s) {
  Control& c = FindControl(s.w[1]);
  RequireEnabled(c);
  if (auto* e = dynamic_cast<Edit*>(&c)) e->PressEnter();
  else if (auto* cb = dynamic_cast<ComboBox*>(&c)) cb->PressEnter();
  else throw ScriptError("cannot press Enter in " + c.Name());
}

bool AllDigits(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Driver::Screenshot(Step& s) {
  const auto& w = s.w;
  if (!Renderer()) throw ScriptError("screenshots need the quillory program (this driver has no display code)");
  int page = -1;
  std::string window;
  if (w.size() > 2) {
    if (AllDigits(w[2])) page = std::stoi(w[2]);
    else window = w[2];
  }
  if (Renderer()(App(), w[1], page, window) != 0) throw ScriptError("cannot render the screenshot " + w[1]);
  events_.Raw("{\"event\":\"screenshot\",\"file\":").String(w[1]).EndEvent();
}

void Driver::Caret(Step& s) {
  auto* m = dynamic_cast<Memo*>(&FindControl(s.w[1]));
  if (!m) throw ScriptError(s.w[1] + " is not a memo");
  RequireEnabled(*m);
  int line = 0;
  try {
    line = std::stoi(s.w[2]);
  } catch (...) {
    throw ScriptError("caret line must be a number: " + s.w[2]);
  }
  m->UserClick(line);
}

void Driver::Leave(Step& s) {
  Control& c = FindControl(s.w[1]);
  RequireEnabled(c);
  auto* e = dynamic_cast<Edit*>(&c);
  if (!e) throw ScriptError(s.w[1] + " is not an edit field");
  e->Exit();
}

void Driver::Click(Step& s) {
  const auto& w = s.w;
  Control& c = FindControl(w[1]);
  RequireEnabled(c);
  if (auto* ud = dynamic_cast<UpDown*>(&c)) {
    if (w.size() < 3 || (w[2] != "up" && w[2] != "down")) throw ScriptError("click UPDOWN up|down");
    ud->Click(w[2] == "up");
    return;
  }
  if (w.size() > 2) throw ScriptError("too many words; usage: click CONTROL");
  if (auto* b = dynamic_cast<Button*>(&c)) b->Click();
  else if (auto* cb = dynamic_cast<CheckBox*>(&c)) cb->Click();
  else if (auto* rb = dynamic_cast<RadioButton*>(&c)) rb->Click();
  else throw ScriptError("cannot click " + c.Name());
}

void Driver::Check(Step& s) {
  Control& c = FindControl(s.w[1]);
  RequireEnabled(c);
  bool want = ParseBool(s.w[2]);
  if (auto* cb = dynamic_cast<CheckBox*>(&c)) {
    if (cb->Checked() != want) cb->Click();
  } else if (auto* rb = dynamic_cast<RadioButton*>(&c)) {
    if (!want) throw ScriptError("a radio button is unchecked by checking another");
    rb->Click();
  } else {
    throw ScriptError(c.Name() + " is not a check box or radio button");
  }
}

void Driver::Select(Step& s) {
  const auto& w = s.w;
  Control& c = FindControl(w[1]);
  RequireEnabled(c);
  if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
    int index = cb->IndexOf(w[2]);
    if (index < 0) {
      try {
        index = std::stoi(w[2]);
      } catch (...) {
        throw ScriptError("no item " + w[2] + " in " + c.Name());
      }
    }
    if (!cb->UserSelect(index)) throw ScriptError("no item " + w[2] + " in " + c.Name());
  } else if (auto* lb = dynamic_cast<ListBox*>(&c)) {
    lb->ClearSelection();
    for (std::size_t i = 2; i < w.size(); ++i) {
      long index = lb->IndexOf(w[i]);
      if (index < 0) {
        try {
          index = std::stol(w[i]);
        } catch (...) {
          index = -1;
        }
      }
      if (index < 0 || static_cast<std::size_t>(index) >= lb->Count())
        throw ScriptError("no item " + w[i] + " in " + c.Name());
      lb->SetSelected(index, true);
      lb->SetItemIndex(index);
    }
  } else {
    throw ScriptError("cannot select in " + c.Name());
  }
}

void Driver::Fill(Step& s) {
  const auto& w = s.w;
  const bool append = w[0] == "add";
  Control& c = FindControl(w[1]);
  RequireEnabled(c);
  std::vector<std::string> items(w.begin() + 2, w.end());
  if (auto* lb = dynamic_cast<ListBox*>(&c)) {
    if (!append) lb->Clear();
    lb->AddMany(std::move(items));
  } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
    if (append) items.insert(items.begin(), cb->Items().begin(), cb->Items().end());
    cb->SetItems(std::move(items));
  } else {
    throw ScriptError("cannot fill " + c.Name());
  }
}

void Driver::Page(Step& s) {
  const std::string& which = s.w[1];
  auto& pages = App().main->pgeMain;
  int index = -1;
  for (std::size_t i = 0; i < pages.Pages().size(); ++i)
    if (pages.Pages()[i]->Name() == which || pages.Pages()[i]->Caption() == which) index = static_cast<int>(i);
  if (index < 0 && AllDigits(which) && which.size() < 9) index = std::stoi(which);
  if (!pages.SetActivePageIndex(index)) throw ScriptError("page " + which + " cannot be selected");
}

void Driver::Answer(Step& s) {
  for (std::size_t i = 1; i < s.w.size(); ++i) ui_.answers.push_back(ParseAnswer(s.w[i]));
}

void Driver::Jobs(Step& s) {
  const std::optional<int> jobs = ParseRunJobs(s.w[1]);
  if (!jobs) throw ScriptError(std::string("usage: jobs N|auto (") + kRunJobsUsage + ")");
  SetRunJobs(*jobs);
}

void Driver::Stop(Step& s) {
  std::size_t items = 0;
  const std::string& text = s.w[1];
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), items);
  if (error != std::errc() || end != text.data() + text.size()) throw ScriptError("usage: stop ITEMS (a number)");
  ui_.stopAfter = items;
}

void Driver::Folder(Step& s) { ui_.folders.push_back(s.w[1]); }

void Driver::File(Step& s) { ui_.files.push_back(s.w[1]); }

void Driver::Modal(Step& s) {
  std::vector<Line> block;
  int depth = 1;
  for (; s.next < s.all.size(); ++s.next) {
    const auto& inner = s.all[s.next].words;
    if (inner[0] == "modal") ++depth;
    if (inner[0] == "end" && --depth == 0) break;
    block.push_back(s.all[s.next]);
  }
  if (s.next == s.all.size()) throw ScriptError("modal block without end");
  ++s.next;
  const std::string& name = s.w[1];
  FindWindow(name);
  blocks_[name] = block;
  ui_.modalBlocks[name] = [this, name](Window& window) {
    std::string previous = window_;
    window_ = name;
    auto block = blocks_[name];
    Run(block);
    window_ = previous;
    return window.modalResult;
  };
}

void Driver::Result(Step& s) { FindWindow(window_).modalResult = ParseModalResult(s.w[1]); }

void Driver::Invoke(Step& s) {
  if (!FindWindow(window_).Invoke(s.w[1])) throw ScriptError("unknown handler " + s.w[1]);
}

void Driver::DumpCommand(Step& s) {
  for (std::size_t i = 1; i < s.w.size(); ++i) {
    Window* window = nullptr;
    const Control& c = FindControl(s.w[i], &window);
    Dump(c, *window);
  }
}

void Driver::Close(Step&) { App().main->FormClose(); }

// A caption for whoever watches the script; the words are one text.
void Driver::Say(Step& s) {
  std::string text;
  for (std::size_t i = 1; i < s.w.size(); ++i) text += (i > 1 ? " " : "") + s.w[i];
  events_.Raw("{\"event\":\"say\",\"text\":").String(text).EndEvent();
  if (hooks_.say) hooks_.say(text);
}

// The program ends and starts again over the same working folder: every
// window and the settings store are new, as after a real restart.
void Driver::Restart(Step&) {
  app_.reset();
  world_.settings = SettingsStore();
  window_ = "TfrmMain";
  blocks_.clear();
  ui_.modalBlocks.clear();
  App();
}

void Driver::End(Step&) { throw ScriptError("end without modal"); }

void Driver::Run(const std::vector<Line>& lines) {
  std::size_t i = 0;
  while (i < lines.size()) {
    const Line& line = lines[i++];
    if (hooks_.beforeLine && !hooks_.beforeLine(line.number, line.words))
      throw ScriptError(Where(line) + "stopped");
    try {
      Dispatch(line, lines, i);
    } catch (const ScriptError& e) {
      if (std::string(e.what()).rfind("line ", 0) == 0) throw;
      throw ScriptError(Where(line) + e.what());
    } catch (const std::exception& e) {
      // What the program's exception box would show; the program goes on.
      events_.Raw("{\"event\":\"exception\",\"line\":").Raw(std::to_string(line.number));
      events_.Raw(",\"text\":").String(e.what()).EndEvent(true);
    }
  }
}

void Driver::Execute(const std::vector<std::string>& text) {
  std::vector<Line> lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::string trimmed = Trim(text[i]);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    try {
      lines.push_back({static_cast<int>(i + 1), SplitScriptLine(trimmed)});
    } catch (const std::runtime_error& e) {
      throw ScriptError("line " + std::to_string(i + 1) + ": " + e.what());
    }
  }
  Run(lines);
  App();
  std::size_t unused = ui_.answers.size() + ui_.folders.size() + ui_.files.size();
  if (unused) throw ScriptError(std::to_string(unused) + " scripted answer(s) were never asked for");
}

}  // namespace

void SetScreenshotRenderer(ScreenshotRenderer renderer) { Renderer() = std::move(renderer); }

int RunAutomation(std::istream& script, std::ostream& out, std::ostream& err, const AutomationWorld& world,
                  AutomationStats* stats, const AutomationHooks* hooks) {
  static const AutomationHooks kNoHooks;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(script, line)) lines.push_back(line);
  EventStream events(out);
  int code = 0;
  std::size_t retained = 0;
  try {
    Driver driver(events, world, hooks ? *hooks : kNoHooks);
    try {
      driver.Execute(lines);
    } catch (...) {
      retained = driver.RetainedCalls();
      throw;
    }
    retained = driver.RetainedCalls();
  } catch (const std::exception& e) {
    events.Raw("{\"event\":\"error\",\"message\":").String(e.what()).EndEvent(true);
    err << "quillory: " << e.what() << "\n";
    code = 1;
  }
  events.Flush();
  if (stats) *stats = {retained, events.Writes(), events.PeakPending()};
  return code;
}

int RunAutomationMain(int argc, char** argv, const AutomationWorld& world) {
  std::string script;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--drive" && i + 1 < argc) {
      std::string error;
      if (!world.drives.ParseAndApply(argv[++i], &error)) {
        std::cerr << "quillory: " << error << "\n";
        return 2;
      }
    } else if (arg == "--automate" && i + 1 < argc) {
      script = argv[++i];
    } else if (arg == "--jobs" && i + 1 < argc) {
      const std::optional<int> jobs = ParseRunJobs(argv[++i]);
      if (!jobs) {
        std::cerr << "quillory: --jobs needs " << kRunJobsUsage << ", not \"" << argv[i] << "\".\n";
        return 2;
      }
      SetRunJobs(*jobs);
    } else {
      std::cerr << "quillory: unknown option " << arg << "\nusage: quillory --automate SCRIPT|- [--drive D=/path] [--jobs N|auto]\n";
      return 2;
    }
  }
  if (script.empty()) {
    std::cerr << "usage: quillory --automate SCRIPT|- [--drive D=/path] [--jobs N|auto]\n";
    return 2;
  }
  if (script == "-") return RunAutomation(std::cin, std::cout, std::cerr, world);
  std::ifstream in(script, std::ios::binary);
  if (!in) {
    std::cerr << "quillory: cannot read script " << script << "\n";
    return 2;
  }
  return RunAutomation(in, std::cout, std::cerr, world);
}

}  // namespace quillory
