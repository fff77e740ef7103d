// "Build a List" on the copy page, through the page model (the root chosen,
// then btnVol08MakeList clicked), on trees of 11,110 and 111,110 folders
// (ten subfolders in every folder, four and five levels deep), side by side
// with `lim walk` (the floor) and `find ROOT -mindepth 1 -type d`.
//
// Two selections: "Below: 1" with "All in the Path" lists every folder, as
// find does; "Below: 1" with "Only the Last" lists the leaves, with the leaf
// test on every folder. The include list is emptied, untimed, before each
// run. Rounds alternate (QUILLORY_ROUNDS, 7 by default). The trees are made
// with `lim mktree` under /dev/shm (or QUILLORY_BENCH_DIR).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "shell/application.h"
#include "side_by_side.h"

namespace {

using side_by_side::Job;
using side_by_side::Quote;
using side_by_side::Shell;

bool Measure(quillory::Application& app, quillory::ScriptedUi& ui, const std::string& host, const char* drive,
             int depth, int rounds) {
  const std::string lim = side_by_side::Lim();
  const std::string tree = host + "/tree" + std::to_string(depth);
  if (!Shell(Quote(lim) + " mktree " + Quote(tree) + " " + std::to_string(depth) + " 10 0 0")) {
    std::fprintf(stderr, "cannot make the tree with %s\n", lim.c_str());
    return false;
  }
  quillory::CopyPage& page = app.main->vol08;
  quillory::LevelBuilderGroup& g = page.levels;
  ui.folders.push_back(std::string(drive) + "\\tree" + std::to_string(depth));
  g.btnAddDestFolder.Click();
  g.rdoSLNBelow.Click();
  g.edtBelowLevelNumber.SetText("1");
  const std::size_t folders = depth == 4 ? 11110 : 111110;
  const std::size_t leaves = depth == 4 ? 10000 : 100000;
  const auto build = [&](bool all) {
    return [&page, &g, &ui, all, folders, leaves] {
      (all ? g.rdoGenAllSubFolders : g.rdoGenLastSubFolder).SetChecked(true);
      ui.ClearCalls();
      g.btnMakeList.Click();
      // Every folder, or the leaves of the deepest level.
      return ui.Messages().empty() && page.include.Count() == (all ? folders : leaves);
    };
  };
  const auto clear = [&page] {
    page.include.Clear();
    page.exclude.Clear();
  };
  const std::vector<Job> jobs{
      {"lim walk", [&] { return Shell(Quote(lim) + " walk " + Quote(tree)); }},
      {"Build: Below 1, All in Path", build(true), clear},
      {"Build: Below 1, Only the Last", build(false), clear},
      {"find -mindepth 1 -type d", [&] { return Shell("find " + Quote(tree) + " -mindepth 1 -type d"); }},
  };
  for (const Job& job : jobs) {  // warm the cache and the lists once
    job.prepare();
    job.run();
  }
  const bool ok = side_by_side::Run("Build a List, " + std::to_string(folders) + " folders", jobs, 0, rounds,
                                    static_cast<double>(folders));
  clear();
  Shell("rm -rf " + Quote(tree));
  return ok;
}

}  // namespace

int main() {
  const char* r = std::getenv("QUILLORY_ROUNDS");
  const int rounds = r != nullptr && std::atoi(r) >= 5 ? std::atoi(r) : 7;
  const std::string host = side_by_side::DataRoot() + "/quillory-levels-" + std::to_string(::getpid());
  if (!Shell("mkdir -p " + Quote(host))) return 1;
  quillory::Drives().Set('D', host);
  quillory::ScriptedUi ui(quillory::ScriptedUi::CallLog::Keep);
  quillory::SettingsStore store;
  // The program's settings file lands in the working folder: keep it in the data folder.
  if (::chdir(host.c_str()) != 0) return 1;
  bool ok = true;
  {
    quillory::Application app(ui, store);
    ok = Measure(app, ui, host, "D:", 4, rounds) && ok;
    ok = Measure(app, ui, host, "D:", 5, rounds) && ok;
  }
  Shell("rm -rf " + Quote(host));
  return ok ? 0 : 1;
}
