// What the undo journal costs a run, on tmpfs: the same run with and without
// its journal, side by side in one run with `lim` as the floor (alternating
// rounds, median and spread, ratio to lim):
//
// 1. 100,000 strings made into folders on page Vol02, nothing attached,
//    beside `lim mklist`;
// 2. 100,000 folders renamed with a prefix on page Vol06, beside
//    `lim renlist`.
//
// Our jobs are the page's run button as a person clicks it, recorder and
// Visual Log included; "no journal" is the same program with its journal
// folder set to none. The working folder (where the journals go) is the
// tmpfs data folder. Making the program, its list and the folders to rename
// is untimed. The journal's own share is also given as the difference of the
// processor time of the two jobs: on a loaded machine the steadier measure,
// as the job that runs right after lim's tends to pay for what lim left the
// kernel to do.
// QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5, 7 unless told).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "undo/run_journal.h"
#include "bench_program.h"
#include "side_by_side.h"

namespace {

using side_by_side::Quote;
using side_by_side::Shell;

constexpr std::size_t kItems = 100000;

using bench_program::Program;
std::unique_ptr<Program> g_program;
std::string g_root;
std::string g_lim;
std::string g_names;  // Folder nnnnnn\0 ...

using bench_program::FolderName;

void Made(const std::string& dst) { bench_program::MadeByLim(g_lim, g_root + "/" + dst, g_names); }

using side_by_side::Median;
using side_by_side::Seconds;

// Processor time (user + system) of our clicks, per job.
struct Cpu {
  std::vector<double> with, without;
  void Report(const char* what) {
    const double a = Median(with), b = Median(without);
    std::printf("  processor time per run (median): %s with journal %.3f s, without %.3f s: +%.1f%%\n", what, a, b,
                b > 0 ? (a / b - 1) * 100 : 0.0);
    std::fflush(stdout);
    with.clear();
    without.clear();
  }
} g_cpu;

template <class Click>
bool Timed(bool journal, Click click) {
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  const bool ok = click();
  ::getrusage(RUSAGE_SELF, &after);
  const double used = Seconds(after.ru_utime) - Seconds(before.ru_utime) + Seconds(after.ru_stime) -
                      Seconds(before.ru_stime);
  (journal ? g_cpu.with : g_cpu.without).push_back(used);
  return ok;
}

// A fresh program, its journals on or off.
Program& Start(bool journal) {
  g_program.reset();
  Shell("rm -rf " + Quote(g_root + "/default.undo"));
  g_program = std::make_unique<Program>();
  if (!journal) g_program->main.SetJournalFolder("");
  return *g_program;
}

void PrepareCreate(bool journal, const std::vector<std::string>& strings) {
  g_program.reset();
  bench_program::Fresh(g_root + "/create");
  auto& page = Start(journal).main.vol02;
  page.ChooseDestination("D:\\create");
  page.structures.SourceKindClick(quillory::SourceKind::Nothing);
  page.lstVol02IncludeStrings.SetItems(strings);
  page.Refresh();
}

bool ClickCreate(bool journal) {
  auto& page = g_program->main.vol02;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  const bool ok = Timed(journal, [&] { return page.btnCreateFolders.Click(); });
  return ok && page.records.createdMainFolders.size() == kItems &&
         (!journal || !page.journal.Failed()) && page.stats.Get("FoldersCreated") == kItems;
}

void PrepareRename(bool journal, const std::vector<std::string>& paths) {
  g_program.reset();
  Made("ours");
  auto& page = Start(journal).main.vol06;
  page.include.SetItems(paths);
  page.Refresh();
  page.edtVol06NewPrefix.UserSetText("X");
}

bool ClickRename(bool journal) {
  auto& page = g_program->main.vol06;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  const bool ok = Timed(journal, [&] { return page.btnVol06RenameFolders.Click(); });
  return ok && page.RenameRecord.size() == kItems;
}

// The journal a run left is whole: a program started again gets every record.
bool JournalIsWhole() {
  g_program.reset();
  g_program = std::make_unique<Program>();
  const bool whole = g_program->main.vol06.RenameRecord.size() == kItems;
  g_program.reset();
  return whole;
}

}  // namespace

int main() {
  using side_by_side::Job;
  g_root = bench_program::Workplace("journal");
  if (g_root.empty()) return 1;
  const int rounds = bench_program::Rounds();
  g_lim = Quote(side_by_side::Lim());

  std::vector<std::string> strings, paths;
  std::string names, forward;
  for (std::size_t i = 0; i < kItems; ++i) {
    const std::string name = FolderName(i);
    strings.push_back(name);
    paths.push_back("D:\\ours\\" + name);
    (names += name) += '\0';
    ((forward += name) += '\0') += "X" + name + '\0';
  }
  using bench_program::WriteFile;
  g_names = WriteFile(g_root + "/names.list", names);
  const std::string forwardList = WriteFile(g_root + "/forward.list", forward);

  bool ok = true;
  std::vector<Job> createJobs = {
      Job{"lim mklist", [&] { return Shell(g_lim + " mklist " + Quote(g_root + "/lim") + " " + Quote(g_names)); },
          [] {
            g_program.reset();
            bench_program::Fresh(g_root + "/lim");
          }},
      Job{"Vol02 run, journal", [] { return ClickCreate(true); }, [&] { PrepareCreate(true, strings); }},
      Job{"Vol02 run, no journal", [] { return ClickCreate(false); }, [&] { PrepareCreate(false, strings); }}};
  ok &= side_by_side::Run("100,000 folders from strings, with and without the undo journal", createJobs, 0, rounds,
                          kItems);
  g_cpu.Report("create");

  std::vector<Job> renameJobs = {
      Job{"lim renlist", [&] { return Shell(g_lim + " renlist " + Quote(g_root + "/lim") + " " + Quote(forwardList)); },
          [] {
            g_program.reset();
            Made("lim");
          }},
      Job{"Vol06 rename, journal", [] { return ClickRename(true); }, [&] { PrepareRename(true, paths); }},
      Job{"Vol06 rename, no journal", [] { return ClickRename(false); }, [&] { PrepareRename(false, paths); }}};
  ok &= side_by_side::Run("100,000 folders renamed, with and without the undo journal", renameJobs, 0, rounds,
                          kItems);
  g_cpu.Report("rename");

  // The last rename round ran without a journal; one more with it, then a restart reads it back.
  PrepareRename(true, paths);
  const bool whole = ClickRename(true) && JournalIsWhole();
  std::printf("  the journal of a 100,000-folder rename read back whole after a restart: %s\n", whole ? "yes" : "NO");
  ok &= whole;

  g_program.reset();
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
