#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>

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

class Driver {
 public:
  Driver(std::ostream& out) : out_(out) {
    ui_.onCall = [this](const UiCall& call) { Report(call); };
  }

  void Execute(const std::vector<std::string>& lines);

 private:
  struct Line {
    int number;
    std::vector<std::string> words;
  };

  Application& App() {
    if (!app_) app_ = std::make_unique<Application>(ui_, Settings());
    return *app_;
  }
  void Run(const std::vector<Line>& lines);
  void Command(const Line& line, const std::vector<Line>& all, std::size_t& next);
  Window& FindWindow(const std::string& name);
  Control& FindControl(const std::string& name);
  void Report(const UiCall& call);
  void Dump(const Control& control);
  std::string Where(const Line& line) const { return "line " + std::to_string(line.number) + ": "; }

  std::ostream& out_;
  ScriptedUi ui_;
  std::unique_ptr<Application> app_;
  std::string window_ = "TfrmMain";
  std::map<std::string, std::vector<Line>> blocks_;
};

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string JsonList(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i) out += ",";
    out += JsonString(items[i]);
  }
  return out + "]";
}

void Driver::Report(const UiCall& call) {
  std::string json;
  if (call.kind == "message") {
    json = "{\"event\":\"message\",\"kind\":" + JsonString(MessageKindName(call.messageKind)) +
           ",\"caption\":" + JsonString(call.caption) + ",\"text\":" + JsonString(call.text) +
           ",\"answer\":" + JsonString(call.answer) + "}";
  } else if (call.kind == "select_folder" || call.kind == "open_file" || call.kind == "save_file") {
    json = "{\"event\":" + JsonString(call.kind) + ",\"title\":" + JsonString(call.caption) +
           ",\"answer\":" + JsonString(call.answer) + "}";
  } else if (call.kind == "open_folder") {
    json = "{\"event\":\"open_folder\",\"path\":" + JsonString(call.text) + "}";
  } else if (call.kind == "help") {
    json = "{\"event\":\"help\",\"topic\":" + JsonString(call.text) + "}";
  } else if (call.kind == "modal_end") {
    json = "{\"event\":\"modal_end\",\"window\":" + JsonString(call.caption) + ",\"result\":" +
           JsonString(call.answer) + "}";
  } else {
    json = "{\"event\":" + JsonString(call.kind) + ",\"window\":" + JsonString(call.caption) + "}";
  }
  out_ << json << "\n";
  out_.flush();
}

Window& Driver::FindWindow(const std::string& name) {
  Window* w = App().Find(name);
  if (!w) throw ScriptError("unknown window " + name);
  return *w;
}

Control& Driver::FindControl(const std::string& name) {
  std::string windowName = window_, controlName = name;
  if (auto dot = name.find('.'); dot != std::string::npos) {
    windowName = name.substr(0, dot);
    controlName = name.substr(dot + 1);
  }
  Control* c = FindWindow(windowName).Find(controlName);
  if (!c) throw ScriptError("unknown control " + controlName + " in " + windowName);
  return *c;
}

void Driver::Dump(const Control& c) {
  std::string json = "{\"event\":\"dump\",\"control\":" + JsonString(c.Name()) + ",\"type\":" +
                     JsonString(c.TypeName()) + ",\"enabled\":" + Bool(c.Enabled()) + ",\"visible\":" + Bool(c.Visible());
  if (auto* x = dynamic_cast<const Captioned*>(&c)) json += ",\"caption\":" + JsonString(x->Caption());
  if (auto* x = dynamic_cast<const CheckBox*>(&c)) json += ",\"checked\":" + Bool(x->Checked());
  if (auto* x = dynamic_cast<const RadioButton*>(&c)) json += ",\"checked\":" + Bool(x->Checked());
  if (auto* x = dynamic_cast<const Edit*>(&c)) json += ",\"text\":" + JsonString(x->Text());
  if (auto* x = dynamic_cast<const Memo*>(&c)) json += ",\"lines\":" + JsonList(x->Lines());
  if (auto* x = dynamic_cast<const ComboBox*>(&c))
    json += ",\"text\":" + JsonString(x->Text()) + ",\"items\":" + JsonList(x->Items()) +
            ",\"itemIndex\":" + std::to_string(x->ItemIndex());
  if (auto* x = dynamic_cast<const ListBox*>(&c)) {
    std::string rows = "[";
    for (auto r : x->SelectedRows()) rows += (rows.size() > 1 ? "," : "") + std::to_string(r);
    json += ",\"count\":" + std::to_string(x->Count()) + ",\"items\":" + JsonList(x->Items()) +
            ",\"selected\":" + rows + "]";
  }
  if (auto* x = dynamic_cast<const PageControl*>(&c)) json += ",\"activePage\":" + std::to_string(x->ActivePageIndex());
  out_ << json << "}\n";
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

void Need(const std::vector<std::string>& w, std::size_t n, const char* usage) {
  if (w.size() < n) throw ScriptError(std::string("usage: ") + usage);
}

void RequireEnabled(const Control& c) {
  if (!c.Enabled()) throw ScriptError("control " + c.Name() + " is disabled");
  if (!c.Visible()) throw ScriptError("control " + c.Name() + " is hidden");
}

void Driver::Command(const Line& line, const std::vector<Line>& all, std::size_t& next) {
  const auto& w = line.words;
  const std::string verb = w[0];
  if (verb == "drive") {
    Need(w, 2, "drive D=/host/folder");
    if (app_) throw ScriptError("drive must come before the first command that starts the program");
    std::string error;
    if (!Drives().ParseAndApply(w[1], &error)) throw ScriptError(error);
  } else if (verb == "start") {
    App();
  } else if (verb == "window") {
    Need(w, 2, "window CLASS");
    FindWindow(w[1]);
    window_ = w[1];
  } else if (verb == "set") {
    Need(w, 3, "set CONTROL TEXT");
    Control& c = FindControl(w[1]);
    RequireEnabled(c);
    if (auto* e = dynamic_cast<Edit*>(&c)) e->UserSetText(w[2]);
    else if (auto* cb = dynamic_cast<ComboBox*>(&c)) cb->UserSetText(w[2]);
    else if (auto* m = dynamic_cast<Memo*>(&c)) m->UserSetText(w[2]);
    else throw ScriptError("cannot set text of " + c.Name());
  } else if (verb == "enter") {
    Need(w, 2, "enter CONTROL");
    Control& c = FindControl(w[1]);
    RequireEnabled(c);
    if (auto* e = dynamic_cast<Edit*>(&c)) e->PressEnter();
    else if (auto* cb = dynamic_cast<ComboBox*>(&c)) cb->PressEnter();
    else throw ScriptError("cannot press Enter in " + c.Name());
  } else if (verb == "screenshot") {
    Need(w, 2, "screenshot FILE [PAGE|WINDOW]");
    if (!Renderer()) throw ScriptError("screenshots need the quillory program (this driver has no display code)");
    int page = -1;
    std::string window;
    if (w.size() > 2) {
      const std::string& which = w[2];
      if (!which.empty() && std::all_of(which.begin(), which.end(), [](char c) { return c >= '0' && c <= '9'; }))
        page = std::stoi(which);
      else
        window = which;
    }
    if (Renderer()(App(), w[1], page, window) != 0) throw ScriptError("cannot render the screenshot " + w[1]);
    out_ << "{\"event\":\"screenshot\",\"file\":" << JsonString(w[1]) << "}\n";
  } else if (verb == "caret") {
    Need(w, 3, "caret MEMO LINE");
    auto* m = dynamic_cast<Memo*>(&FindControl(w[1]));
    if (!m) throw ScriptError(w[1] + " is not a memo");
    RequireEnabled(*m);
    int line = 0;
    try {
      line = std::stoi(w[2]);
    } catch (...) {
      throw ScriptError("caret line must be a number: " + w[2]);
    }
    m->UserClick(line);
  } else if (verb == "leave") {
    Need(w, 2, "leave EDIT");
    auto* e = dynamic_cast<Edit*>(&FindControl(w[1]));
    if (!e) throw ScriptError(w[1] + " is not an edit field");
    e->Exit();
  } else if (verb == "click") {
    Need(w, 2, "click CONTROL");
    Control& c = FindControl(w[1]);
    RequireEnabled(c);
    if (auto* b = dynamic_cast<Button*>(&c)) b->Click();
    else if (auto* cb = dynamic_cast<CheckBox*>(&c)) cb->Click();
    else if (auto* rb = dynamic_cast<RadioButton*>(&c)) rb->Click();
    else if (auto* ud = dynamic_cast<UpDown*>(&c)) {
      if (w.size() < 3 || (w[2] != "up" && w[2] != "down")) throw ScriptError("click UPDOWN up|down");
      ud->Click(w[2] == "up");
    } else throw ScriptError("cannot click " + c.Name());
  } else if (verb == "check") {
    Need(w, 3, "check CONTROL true|false");
    Control& c = FindControl(w[1]);
    RequireEnabled(c);
    bool want = ParseBool(w[2]);
    if (auto* cb = dynamic_cast<CheckBox*>(&c)) {
      if (cb->Checked() != want) cb->Click();
    } else if (auto* rb = dynamic_cast<RadioButton*>(&c)) {
      if (!want) throw ScriptError("a radio button is unchecked by checking another");
      rb->Click();
    } else {
      throw ScriptError(c.Name() + " is not a check box or radio button");
    }
  } else if (verb == "select") {
    Need(w, 3, "select CONTROL INDEX|TEXT...");
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
  } else if (verb == "items" || verb == "add") {
    Need(w, 2, "items LIST TEXT...");
    Control& c = FindControl(w[1]);
    std::vector<std::string> items(w.begin() + 2, w.end());
    if (auto* lb = dynamic_cast<ListBox*>(&c)) {
      if (verb == "items") lb->Clear();
      lb->AddMany(std::move(items));
    } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
      if (verb == "add") items.insert(items.begin(), cb->Items().begin(), cb->Items().end());
      cb->SetItems(std::move(items));
    } else {
      throw ScriptError("cannot fill " + c.Name());
    }
  } else if (verb == "page") {
    Need(w, 2, "page INDEX");
    auto& pages = App().main->pgeMain;
    int index = -1;
    for (std::size_t i = 0; i < pages.Pages().size(); ++i)
      if (pages.Pages()[i]->Name() == w[1] || pages.Pages()[i]->Caption() == w[1]) index = static_cast<int>(i);
    if (index < 0) index = std::stoi(w[1]);
    if (!pages.SetActivePageIndex(index)) throw ScriptError("page " + w[1] + " cannot be selected");
  } else if (verb == "answer") {
    Need(w, 2, "answer Yes|No|OK...");
    for (std::size_t i = 1; i < w.size(); ++i) ui_.answers.push_back(ParseAnswer(w[i]));
  } else if (verb == "folder") {
    Need(w, 2, "folder PATH");
    ui_.folders.push_back(w[1]);
  } else if (verb == "file") {
    Need(w, 2, "file PATH");
    ui_.files.push_back(w[1]);
  } else if (verb == "modal") {
    Need(w, 2, "modal CLASS ... end");
    std::vector<Line> block;
    int depth = 1;
    for (; next < all.size(); ++next) {
      const auto& inner = all[next].words;
      if (inner[0] == "modal") ++depth;
      if (inner[0] == "end" && --depth == 0) break;
      block.push_back(all[next]);
    }
    if (next == all.size()) throw ScriptError("modal block without end");
    ++next;
    FindWindow(w[1]);
    blocks_[w[1]] = block;
    ui_.modalBlocks[w[1]] = [this, name = w[1]](Window& window) {
      std::string previous = window_;
      window_ = name;
      auto block = blocks_[name];
      Run(block);
      window_ = previous;
      return window.modalResult;
    };
  } else if (verb == "result") {
    Need(w, 2, "result OK|Cancel");
    FindWindow(window_).modalResult = ParseModalResult(w[1]);
  } else if (verb == "invoke") {
    Need(w, 2, "invoke HANDLER");
    if (!FindWindow(window_).Invoke(w[1])) throw ScriptError("unknown handler " + w[1]);
  } else if (verb == "dump") {
    Need(w, 2, "dump CONTROL...");
    for (std::size_t i = 1; i < w.size(); ++i) Dump(FindControl(w[i]));
  } else if (verb == "close") {
    App().main->FormClose();
  } else if (verb == "end") {
    throw ScriptError("end without modal");
  } else {
    throw ScriptError("unknown command " + verb);
  }
}

void Driver::Run(const std::vector<Line>& lines) {
  std::size_t i = 0;
  while (i < lines.size()) {
    const Line& line = lines[i++];
    try {
      Command(line, lines, i);
    } catch (const ScriptError& e) {
      if (std::string(e.what()).rfind("line ", 0) == 0) throw;
      throw ScriptError(Where(line) + e.what());
    } catch (const std::exception& e) {
      // What the program's exception box would show; the program goes on.
      out_ << "{\"event\":\"exception\",\"line\":" << line.number << ",\"text\":" << JsonString(e.what())
           << "}\n";
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

int RunAutomation(std::istream& script, std::ostream& out, std::ostream& err) {
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(script, line)) lines.push_back(line);
  try {
    Driver driver(out);
    driver.Execute(lines);
    return 0;
  } catch (const std::exception& e) {
    out << "{\"event\":\"error\",\"message\":" << JsonString(e.what()) << "}\n";
    err << "quillory: " << e.what() << "\n";
    return 1;
  }
}

int RunAutomationMain(int argc, char** argv) {
  std::string script;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--drive" && i + 1 < argc) {
      std::string error;
      if (!Drives().ParseAndApply(argv[++i], &error)) {
        std::cerr << "quillory: " << error << "\n";
        return 2;
      }
    } else if (arg == "--automate" && i + 1 < argc) {
      script = argv[++i];
    } else {
      std::cerr << "quillory: unknown option " << arg << "\nusage: quillory --automate SCRIPT|- [--drive D=/path]\n";
      return 2;
    }
  }
  if (script.empty()) {
    std::cerr << "usage: quillory --automate SCRIPT|- [--drive D=/path]\n";
    return 2;
  }
  if (script == "-") return RunAutomation(std::cin, std::cout, std::cerr);
  std::ifstream in(script, std::ios::binary);
  if (!in) {
    std::cerr << "quillory: cannot read script " << script << "\n";
    return 2;
  }
  return RunAutomation(in, std::cout, std::cerr);
}

}  // namespace quillory
