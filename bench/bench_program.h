// What the page-run benchmarks share: the whole program on a scripted Ui
// that keeps no call log (a run's output would grow with it), and an empty
// folder made again before a round.
#pragma once

#include <sys/stat.h>

#include <string>

#include "app/scripted_ui.h"
#include "app/settings_store.h"
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

}  // namespace bench_program
