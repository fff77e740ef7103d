// The layers only depend downward: a file never includes a folder above its
// own, and nothing below the views includes a Qt header. And the process-wide
// disk, drive map and settings store are reached only where the program is
// put together (platform/, shell/ and main*.cpp); everything else is handed
// its services, so a forgotten argument cannot reach the real disk.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Lower numbers are lower layers; folders of one number are one floor.
const std::map<std::string, int> kLayers = {
    {"platform", 0}, {"app", 1},   {"names", 2},      {"tree", 2},  {"lists", 2},
    {"structures", 2}, {"results", 2}, {"operations", 3}, {"undo", 3}, {"shell", 4},
    {"automation", 5}, {"help", 5}, {"qt", 5},
};
constexpr int kProgram = 6;  // main.cpp and main_batch.cpp at the top of src/

int LayerOf(const std::string& folder) {
  auto it = kLayers.find(folder);
  return it == kLayers.end() ? -1 : it->second;
}

// Every include that points upward, and every Qt header below the views, as
// "file:line: text".
std::vector<std::string> Violations(const fs::path& src) {
  std::vector<std::string> out;
  static const std::regex quoted(R"(^\s*#\s*include\s*"([^/"]+)/[^"]*")");
  static const std::regex qt(R"(^\s*#\s*include\s*<(Q[A-Za-z]+|Qt[A-Za-z]*/[^>]*)>)");
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), src);
    const std::string ext = rel.extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    const bool atTop = rel.begin() == std::prev(rel.end());
    const std::string folder = atTop ? "" : rel.begin()->string();
    const int own = atTop ? kProgram : LayerOf(folder);
    if (own < 0) {
      out.push_back(rel.string() + ": folder '" + folder + "' has no layer");
      continue;
    }
    std::ifstream in(entry.path());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::smatch m;
      const std::string where = rel.string() + ":" + std::to_string(number) + ": ";
      if (std::regex_search(line, m, quoted)) {
        const int target = LayerOf(m[1]);
        if (target > own) out.push_back(where + line + "  (" + m[1].str() + " is above " + folder + ")");
      } else if (std::regex_search(line, m, qt) && own < LayerOf("qt") && folder != "qt" && !atTop) {
        out.push_back(where + line + "  (a Qt header below the views)");
      }
    }
  }
  return out;
}

// The line with its comments and the insides of its string and character
// literals blanked, so that only code is matched. `inBlock` carries an open
// block comment from one line to the next.
std::string CodeOnly(const std::string& line, bool& inBlock) {
  std::string code(line.size(), ' ');
  char quote = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if (inBlock) {
      if (c == '*' && next == '/') {
        inBlock = false;
        ++i;
      }
    } else if (quote) {
      if (c == '\\') ++i;
      else if (c == quote) quote = 0;
    } else if (c == '/' && next == '/') {
      break;
    } else if (c == '/' && next == '*') {
      inBlock = true;
      ++i;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else {
      code[i] = c;
    }
  }
  return code;
}

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The text before `at` with trailing blanks cut.
std::string_view Before(std::string_view code, std::size_t at) {
  std::string_view head = code.substr(0, at);
  while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
  return head;
}

// The last word of `head` when it ends in one, else "".
std::string_view LastWord(std::string_view head) {
  std::size_t start = head.size();
  while (start > 0 && IsIdentifierChar(head[start - 1])) --start;
  return head.substr(start);
}

// Every use of the process-wide services in `src` outside platform/, shell/
// and main*.cpp, as "file:line: code  (why)": a default argument `= Drives()`
// and any call of HostFileSystem(), Drives() or Settings(). Declarations,
// members of that name (x.Drives()) and comments are not uses.
std::vector<std::string> GlobalServiceUses(const fs::path& src) {
  static constexpr std::array<std::string_view, 3> kNames = {"HostFileSystem", "Drives", "Settings"};
  std::vector<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const fs::path rel = fs::relative(entry.path(), src);
    const std::string ext = rel.extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    const bool atTop = rel.begin() == std::prev(rel.end());
    const std::string folder = atTop ? "" : rel.begin()->string();
    if (folder == "platform" || folder == "shell") continue;
    if (atTop && rel.filename().string().rfind("main", 0) == 0) continue;
    std::ifstream in(entry.path());
    std::string line;
    bool inBlock = false;
    int transitionalUntil = 0;  // a "Transitional:" note covers the few lines below it
    for (int number = 1; std::getline(in, line); ++number) {
      if (line.find("// Transitional:") != std::string::npos) transitionalUntil = number + 4;
      const std::string code = CodeOnly(line, inBlock);
      for (std::string_view name : kNames) {
        for (std::size_t at = code.find(name); at != std::string::npos; at = code.find(name, at + 1)) {
          if (at > 0 && IsIdentifierChar(code[at - 1])) continue;
          std::size_t after = at + name.size();
          if (after < code.size() && IsIdentifierChar(code[after])) continue;
          while (after < code.size() && code[after] == ' ') ++after;
          if (after >= code.size() || code[after] != '(') continue;
          ++after;
          while (after < code.size() && code[after] == ' ') ++after;
          if (after >= code.size() || code[after] != ')') continue;
          ++after;
          std::string_view head = Before(code, at);
          if (head.ends_with("::")) {
            // Only the program's own namespace names the global.
            head.remove_suffix(2);
            if (LastWord(head) != "quillory") continue;
            head = Before(head, head.size() - LastWord(head).size());
          }
          if (head.ends_with('.') || head.ends_with("->")) continue;  // a member of that name
          if (head.ends_with('&') || head.ends_with('*')) {
            // "DriveMap& Drives()" declares; "&Drives()" takes a call's address.
            const std::string_view type = Before(head, head.size() - 1);
            if (!type.empty() && (IsIdentifierChar(type.back()) || type.back() == '>')) continue;
          }
          const std::string_view word = LastWord(head);
          if (!word.empty() && word != "return" && word != "co_return" && word != "throw") continue;  // declares
          while (after < code.size() && code[after] == ' ') ++after;
          const bool defaultArgument =
              head.ends_with('=') && after < code.size() && (code[after] == ',' || code[after] == ')');
          std::string why = defaultArgument ? "a default argument reaching the process-wide "
                                            : "a call of the process-wide ";
          why += name;
          why += defaultArgument ? "(): make the parameter required and pass the service"
                                 : "() outside platform/, shell/ and main*.cpp: hand the service in";
          if (number <= transitionalUntil)
            why += "; this is a transitional forwarder, to be removed once its last callers are handed the service";
          out.push_back(rel.string() + ":" + std::to_string(number) + ": " + line + "  (" + why + ")");
        }
      }
    }
  }
  return out;
}

fs::path SourceRoot() {
  fs::path here = fs::path(__FILE__).parent_path();  // tests/architecture
  return here.parent_path().parent_path() / "src";
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

TEST(IncludeOrderTest, NoFileIncludesAHigherLayer) {
  const fs::path src = SourceRoot();
  ASSERT_TRUE(fs::is_directory(src / "app")) << src;
  const auto found = Violations(src);
  EXPECT_TRUE(found.empty()) << Joined(found);
}

// The checker itself catches what it is there for, on a tree made for it.
TEST(IncludeOrderTest, AnUpwardIncludeOrAQtHeaderBelowTheViewsIsNamed) {
  const fs::path root = fs::temp_directory_path() / ("include_order_" + std::to_string(::getpid()));
  fs::create_directories(root / "app");
  fs::create_directories(root / "qt");
  fs::create_directories(root / "lists");
  std::ofstream(root / "app" / "window.h") << "#pragma once\n#include \"platform/text.h\"\n"
                                              "#include \"shell/main_window.h\"\n";
  std::ofstream(root / "lists" / "panel.cpp") << "#include <QString>\n#include \"app/window.h\"\n";
  std::ofstream(root / "qt" / "view.cpp") << "#include <QWidget>\n#include \"shell/main_window.h\"\n";
  auto found = Violations(root);
  std::sort(found.begin(), found.end());
  fs::remove_all(root);
  ASSERT_EQ(found.size(), 2u) << Joined(found);
  EXPECT_NE(found[0].find("app/window.h:3:"), std::string::npos);
  EXPECT_NE(found[1].find("lists/panel.cpp:1:"), std::string::npos);
}

TEST(ProcessWideServicesTest, NothingBelowTheShellReachesThem) {
  const fs::path src = SourceRoot();
  ASSERT_TRUE(fs::is_directory(src / "app")) << src;
  const auto found = GlobalServiceUses(src);
  EXPECT_TRUE(found.empty()) << Joined(found);
}

// The matcher itself finds what it is there for and nothing else, on a tree
// made for it.
TEST(ProcessWideServicesTest, DefaultArgumentsAndCallsAreNamedCommentsAndDeclarationsAreNot) {
  const fs::path root = fs::temp_directory_path() / ("global_services_" + std::to_string(::getpid()));
  for (const char* folder : {"lists", "app", "platform", "shell"}) fs::create_directories(root / folder);
  std::ofstream(root / "lists" / "panel.h")
      << "#pragma once\n"
         "// Reads through Drives() when no map is given.\n"
         "  Panel(Ui& ui, FileSystem& fs = HostFileSystem(), DriveMap& drives = quillory::Drives());\n"
         "  const DriveMap& Drives() const;\n";
  std::ofstream(root / "lists" / "panel.cpp")
      << "void A() {\n"
         "  if (!Drives().IsPresent('D')) return;  // Settings() here is a comment\n"
         "  const char* text = \"Settings() in a message\";\n"
         "  x.Drives(); y->Settings(); Other::Drives(); LogicalDrives();\n"
         "  /* HostFileSystem()\n"
         "     Settings() */ Use(text);\n"
         "  return Settings ( );\n"
         "}\n";
  std::ofstream(root / "app" / "store.cpp") << "SettingsStore& Settings() {\n  static SettingsStore s;\n  return s;\n}\n"
                                               "// Transitional: callers still to be handed the drive map.\n"
                                               "bool Old(int x) { return New(x, Drives()); }\n";
  std::ofstream(root / "platform" / "drives.cpp") << "DriveMap& Drives() { return Map(Drives()); }\n";
  std::ofstream(root / "shell" / "application.h") << "  Application(Ui& ui, FileSystem& fs = HostFileSystem());\n";
  std::ofstream(root / "main.cpp") << "int main() { return Run(HostFileSystem(), Settings(), Drives()); }\n";
  std::ofstream(root / "main_batch.cpp") << "int main() { return Run(Drives()); }\n";
  auto found = GlobalServiceUses(root);
  std::sort(found.begin(), found.end());
  fs::remove_all(root);
  ASSERT_EQ(found.size(), 5u) << Joined(found);
  EXPECT_EQ(found[0].rfind("app/store.cpp:6: ", 0), 0u) << found[0];
  EXPECT_NE(found[0].find("transitional forwarder"), std::string::npos) << found[0];
  EXPECT_EQ(found[1].rfind("lists/panel.cpp:2: ", 0), 0u) << found[1];
  EXPECT_NE(found[1].find("a call of the process-wide Drives()"), std::string::npos) << found[1];
  EXPECT_EQ(found[2].rfind("lists/panel.cpp:7: ", 0), 0u) << found[2];
  EXPECT_NE(found[2].find("Settings()"), std::string::npos) << found[2];
  EXPECT_EQ(found[3].rfind("lists/panel.h:3: ", 0), 0u) << found[3];
  EXPECT_EQ(found[4].rfind("lists/panel.h:3: ", 0), 0u) << found[4];
  EXPECT_NE(Joined(found).find("a default argument reaching the process-wide HostFileSystem()"), std::string::npos);
  EXPECT_NE(Joined(found).find("a default argument reaching the process-wide Drives()"), std::string::npos);
}

}  // namespace
