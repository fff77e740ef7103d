// The layers only depend downward: a file never includes a folder above its
// own, and nothing below the views includes a Qt header.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
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

}  // namespace
