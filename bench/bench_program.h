// What the page-run benchmarks share: the whole program on a scripted Ui
// that keeps no call log (a run's output would grow with it), and an empty
// folder made again before a round.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "side_by_side.h"

namespace bench_program {

struct Program {
  quillory::ScriptedUi ui{quillory::ScriptedUi::CallLog::Forget};
  quillory::SettingsStore settings;
  quillory::Application app{ui, settings};
  quillory::TfrmMain& main = *app.main;
};

inline void Fresh(const std::string& folder) {
  side_by_side::Shell("rm -rf " + side_by_side::Quote(folder));
  ::mkdir(folder.c_str(), 0755);
}

// QUILLORY_ROUNDS: at least five, seven unless told.
inline int Rounds() {
  const char* text = std::getenv("QUILLORY_ROUNDS");
  return std::max(5, text != nullptr ? std::atoi(text) : 7);
}

// A new folder under the data root, mapped as D: and made the working
// folder, so the program's settings and journals stay inside it; empty when
// it cannot be made.
inline std::string Workplace(const std::string& job) {
  std::string pattern = side_by_side::DataRoot() + "/quillory-" + job + "-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) return {};
  quillory::Drives().Set('D', pattern);
  return pattern;
}

// "Folder 000000" and on: the names the folder benches make.
inline std::string FolderName(std::size_t i) {
  char name[32];
  std::snprintf(name, sizeof name, "Folder %06zu", i);
  return name;
}

// Writes `text` as a file and hands back its path.
inline std::string WriteFile(const std::string& path, const std::string& text) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}

// `folder` emptied, then filled by lim with the NUL-separated names of `list`.
inline void MadeByLim(const std::string& lim, const std::string& folder, const std::string& list) {
  Fresh(folder);
  side_by_side::Shell(lim + " mklist " + side_by_side::Quote(folder) + " " + side_by_side::Quote(list));
}

}  // namespace bench_program
