// The plain "Import List" of a million lines of which 40% are case variants
// of earlier lines, on the string page (a sorted list) and on the folder-list
// page, beside `lim dedup` (the floor) and `sort -fu`, alternating. The person
// answers Yes to the question after the first repeat, as anyone facing
// 400,000 boxes would.
//
//   bench_import_repeats [rounds]      (5 by default)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "shell/application.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "lists/list_import.h"
#include "lists/list_panel.h"
#include "platform/drives.h"
#include "side_by_side.h"

namespace {

constexpr std::size_t kLines = 1000000;

// Line i: 60% new items, 40% an earlier item in other letter case.
std::string Item(std::size_t i, bool drive) {
  const std::string stem = drive ? "D:\\Kunden \xC3\x84rzte\\Projekt " : "Kunden \xC3\x84rzte Projekt ";
  return stem + std::to_string(i % 1000) + (drive ? "\\Akte " : " Akte ") + std::to_string(i);
}

std::string CaseVariant(std::string s, std::size_t seed) {
  for (std::size_t k = 0; k < s.size(); ++k) {
    char& c = s[k];
    if (((seed >> (k % 17)) & 1) == 0) continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return s;
}

bool WriteList(const std::string& path, bool drive) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::size_t fresh = 0;
  std::size_t seed = 88172645463325252ull;
  for (std::size_t i = 0; i < kLines; ++i) {
    seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
    std::string line;
    if (i % 5 == 1 || i % 5 == 3)
      line = CaseVariant(Item(seed % fresh, drive), seed >> 20);
    else
      line = Item(fresh++, drive);
    line += "\r\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0;
}

struct Program {
  quillory::ScriptedUi ui;
  quillory::SettingsStore store;
  std::unique_ptr<quillory::Application> app = std::make_unique<quillory::Application>(ui, store);
};

bool RunPage(const std::string& dir, bool folders, int rounds) {
  const std::string list = dir + (folders ? "/folders.txt" : "/strings.txt");
  const std::string out = dir + "/out.txt";
  if (!WriteList(list, folders)) {
    std::perror("writing the list");
    return false;
  }
  std::unique_ptr<Program> program;
  std::size_t taken = 0;
  const auto fresh = [&] {
    program.reset();
    program = std::make_unique<Program>();
    program->ui.files.push_back(folders ? "D:\\folders.txt" : "D:\\strings.txt");
    program->ui.answers = {quillory::MessageAnswer::No, quillory::MessageAnswer::Yes};
  };
  const auto import = [&] {
    quillory::ListPanel& panel = folders ? program->app->main->vol04.panel : program->app->main->vol02.panel;
    // The string page keeps its buttons disabled until a destination is
    // chosen; the import itself is the same.
    quillory::PlainImportList(panel, program->ui);
    taken = panel.include.Count();
    return program->ui.answers.empty() && taken > 0;
  };
  const std::vector<side_by_side::Job> jobs = {
      {"lim dedup", [&] { return side_by_side::Shell(side_by_side::Lim() + " dedup " + list + " " + out); }},
      {folders ? "Import List (Vol04)" : "Import List (Vol02, sorted)", import, fresh},
      {"sort -fu", [&] { return side_by_side::Shell("LC_ALL=C sort -fu " + list + " -o " + out); }},
  };
  const bool ok = side_by_side::Run(folders ? "1,000,000 folder lines, 40% case-variant repeats"
                                            : "1,000,000 string lines, 40% case-variant repeats",
                                    jobs, 0, rounds, static_cast<double>(kLines));
  std::printf("  items taken: %zu\n", taken);
  program.reset();
  std::remove(list.c_str());
  std::remove(out.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  std::string dir = side_by_side::DataRoot() + "/quillory-bench-XXXXXX";
  if (::mkdtemp(dir.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  quillory::Drives().Set('D', dir);
  // The program keeps its settings file in the working folder.
  if (::chdir(dir.c_str()) != 0) return 1;
  const bool ok = RunPage(dir, false, rounds) && RunPage(dir, true, rounds);
  std::remove((dir + "/default.set").c_str());
  ::rmdir(dir.c_str());
  return ok ? 0 : 1;
}
