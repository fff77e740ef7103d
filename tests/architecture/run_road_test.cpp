// Every run goes one road: engines hand outcomes, one recorder writes them.
// A page that counted, listed or journaled on its own again would drift from
// the others unnoticed; these checks name the file and line that does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path SourceRoot() { return fs::path(__FILE__).parent_path().parent_path().parent_path() / "src"; }

// The line without a trailing // comment, so that prose naming a call does
// not count as the call.
std::string Code(const std::string& line) {
  const std::size_t comment = line.find("//");
  return comment == std::string::npos ? line : line.substr(0, comment);
}

// "file:line: text" of every line in `folders` matching `pattern`, except in
// the files named in `allowed`.
std::vector<std::string> Find(const std::vector<std::string>& folders, const std::regex& pattern,
                              const std::set<std::string>& allowed) {
  std::vector<std::string> out;
  const fs::path src = SourceRoot();
  for (const std::string& folder : folders) {
    for (const auto& entry : fs::directory_iterator(src / folder)) {
      const std::string name = entry.path().filename().string();
      if (allowed.count(folder + "/" + name)) continue;
      std::ifstream in(entry.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number)
        if (std::regex_search(Code(line), pattern))
          out.push_back(folder + "/" + name + ":" + std::to_string(number) + ": " + line);
    }
  }
  return out;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

const std::vector<std::string> kRunFolders = {"operations", "undo"};

TEST(RunRoadTest, OnlyTheRecorderWritesVisualLogLinesAndJournalRecords) {
  const auto lines = Find(kRunFolders, std::regex(R"(\bAddResult\s*\()"), {"operations/run_recorder.cpp"});
  EXPECT_TRUE(lines.empty()) << "Visual Log lines written outside the recorder:\n" << Joined(lines);
  const auto notes = Find(kRunFolders, std::regex(R"(\bNote\s*\(\s*JournalRecord::)"),
                          {"operations/run_recorder.cpp", "undo/run_journal.cpp"});
  EXPECT_TRUE(notes.empty()) << "journal records written outside the recorder:\n" << Joined(notes);
}

TEST(RunRoadTest, OnlyTheRecorderAddsToCounters) {
  // Setting a forecast or resetting before a run is the page's; adding an
  // outcome is the recorder's.
  const auto lines = Find(kRunFolders, std::regex(R"(\bstats_?\s*(\.|->)\s*Add\s*\()"), {"operations/run_recorder.cpp"});
  EXPECT_TRUE(lines.empty()) << "counters added to outside the recorder:\n" << Joined(lines);
}

// Everything in the run folders is an engine but the pages, the windows'
// side of a run (its plan, recorder and messages) and the manual page.
bool WindowSide(const std::string& file) {
  static const std::set<std::string> named = {"operations/destination_chooser.cpp", "operations/manual_creation.cpp",
                                              "operations/run_recorder.cpp", "undo/folder_file_undo_run.cpp"};
  return named.count(file) != 0 || file.ends_with("_page.cpp");
}

TEST(RunRoadTest, EnginesNeitherShowWindowsNorReachTheGlobals) {
  std::vector<std::string> found;
  std::size_t engines = 0;
  const fs::path src = SourceRoot();
  static const std::regex ui(R"(#\s*include\s*"app/ui\.h")");
  static const std::regex globals(R"(\b(HostFileSystem|Drives|Settings)\s*\(\s*\))");
  for (const std::string& folder : kRunFolders) {
    for (const auto& entry : fs::directory_iterator(src / folder)) {
      const std::string file = folder + "/" + entry.path().filename().string();
      if (entry.path().extension() != ".cpp" || WindowSide(file)) continue;
      ++engines;
      std::ifstream in(entry.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        const std::string code = Code(line);
        if (std::regex_search(code, ui) || std::regex_search(code, globals))
          found.push_back(file + ":" + std::to_string(number) + ": " + line);
      }
    }
  }
  EXPECT_GE(engines, 10u);
  EXPECT_TRUE(found.empty()) << "an engine needs the window or a global:\n" << Joined(found);
}

TEST(RunRoadTest, TheChecksSeeWhatTheyLookFor) {
  EXPECT_TRUE(std::regex_search(Code("    logs.AddResult(list, path);"), std::regex(R"(\bAddResult\s*\()")));
  EXPECT_FALSE(std::regex_search(Code("  // AddResult( in prose"), std::regex(R"(\bAddResult\s*\()")));
  EXPECT_TRUE(std::regex_search(Code("stats.Add(Id(X), 1);"), std::regex(R"(\bstats_?\s*(\.|->)\s*Add\s*\()")));
}

}  // namespace
