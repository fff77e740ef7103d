// The copy page on tmpfs, a whole program answering through a ScriptedUi
// with its Visual Logs attached, run by clicking " COPY   Folder Structures/
// Templates ": a folders-only structure of 1,111 folders (a root, 10, 100 and
// 1,000 below it) copied into 1,000 existing folders in the mode
// "Subfolders Only - Without Files.", so that each receives the 1,110
// folders below the root, as `lim cptree SRC dirs DST...` does; beside it
// that lim command and `find -mindepth 1 -type d | xargs -0 mkdir -p` per
// destination, alternating rounds, median and spread, ratio to lim.
//
// Timed is the click and nothing else: the program starts, its lists are
// filled and the destinations made fresh before it, untimed; what the run
// made goes after it, untimed. QUILLORY_LIM names lim; QUILLORY_ROUNDS the
// rounds (>= 5, 5 unless told); QUILLORY_COPY_ONLY=1 runs ours alone (for
// profiling: QUILLORY_COPY_ONLY=1 perf record -g bench_copy_run).
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
#include "bench_program.h"
#include "side_by_side.h"

namespace {

using side_by_side::Quote;
using side_by_side::Shell;

constexpr int kDestinations = 1000;
constexpr double kBelowRoot = 1110;  // folders of the structure below its root

std::string g_root;  // host folder of D:

using bench_program::Program;
std::unique_ptr<Program> g_program;

using side_by_side::Cpu;
using side_by_side::Median;
Cpu g_ours, g_lim;

std::string Destination(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "t%04d", i);
  return name;
}

// Every job's destinations go, so that only one copied tree of 1.1 million
// folders is in memory at a time; then `folder` gets its empty destinations.
const std::vector<std::string> kJobFolders = {"ours", "lim", "sh"};
void FreshDestinations(const std::string& folder) {
  g_program.reset();
  for (const std::string& f : kJobFolders) Shell("rm -rf " + Quote(g_root + "/" + f));
  ::mkdir((g_root + "/" + folder).c_str(), 0755);
  for (int i = 0; i < kDestinations; ++i) ::mkdir((g_root + "/" + folder + "/" + Destination(i)).c_str(), 0755);
}

// A fresh program whose copy page has the structure D:\src, the mode
// without files and its root, and the destinations in its include list.
void PrepareOurs() {
  FreshDestinations("ours");
  g_program = std::make_unique<Program>();
  quillory::CopyPage& page = g_program->main.vol08;
  page.structures.SourceKindClick(quillory::SourceKind::Structures);
  page.structures.AttachModeClick(quillory::AttachMode::SubWithoutFiles);
  page.structures.list.SetItems({"D:\\src"});
  std::vector<std::string> items;
  items.reserve(kDestinations);
  for (int i = 0; i < kDestinations; ++i) items.push_back("D:\\ours\\" + Destination(i));
  page.lstVol08IncludeFolderList.SetItems(items);
  page.Refresh();
}

bool ClickCopy() {
  quillory::CopyPage& page = g_program->main.vol08;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  const bool clicked = page.btnVol08CopyFolders.Click();
  ::getrusage(RUSAGE_SELF, &after);
  g_ours.Add(before, after);
  if (!clicked) {
    std::fprintf(stderr, "the copy button is disabled\n");
    return false;
  }
  if (!g_program->ui.answers.empty()) {
    std::fprintf(stderr, "the run asked nothing\n");
    return false;
  }
  const double copied = page.stats.Get("SubFoldersCopied"), main = page.stats.Get("FoldersCopied");
  if (copied != kDestinations * kBelowRoot || main != kDestinations || page.stats.Get("SubFoldersExists") != 0) {
    std::fprintf(stderr, "ours: %.0f destinations, %.0f folders copied, %.0f already there\n", main, copied,
                 page.stats.Get("SubFoldersExists"));
    return false;
  }
  return true;
}

std::string DestinationArgs(const std::string& folder) {
  std::string args;
  for (int i = 0; i < kDestinations; ++i) args += " " + Quote(g_root + "/" + folder + "/" + Destination(i));
  return args;
}

bool LimCopy(const std::string& arguments) {
  rusage before{}, after{};
  ::getrusage(RUSAGE_CHILDREN, &before);
  const bool ok = Shell(Quote(side_by_side::Lim()) + " " + arguments);
  ::getrusage(RUSAGE_CHILDREN, &after);
  g_lim.Add(before, after);
  return ok;
}

int Rounds() {
  const char* text = std::getenv("QUILLORY_ROUNDS");
  return std::max(5, text != nullptr && *text != '\0' ? std::atoi(text) : 5);
}

}  // namespace

int main() {
  using side_by_side::Job;
  std::string pattern = side_by_side::DataRoot() + "/quillory-copy-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  g_root = pattern;
  quillory::Drives().Set('D', g_root);
  // The program keeps its settings file in the working folder.
  if (::chdir(g_root.c_str()) != 0) return 1;
  const std::string lim = side_by_side::Lim();
  const std::string src = g_root + "/src";
  if (!Shell(Quote(lim) + " mktree " + Quote(src) + " 3 10 0 0")) {
    std::fprintf(stderr, "lim mktree failed; is lim built (QUILLORY_LIM)?\n");
    return 1;
  }
  const std::string list = g_root + "/dirs.list";
  // Inside the parentheses, so Shell's own redirection cannot take it.
  Shell("(cd " + Quote(src) + " && find . -mindepth 1 -type d -print0 > " + Quote(list) + ")");
  std::string each = "cd " + Quote(g_root + "/sh");
  for (int i = 0; i < kDestinations; ++i)
    each += " && (cd " + Destination(i) + " && xargs -0 mkdir -p < " + Quote(list) + ")";

  const char* onlyText = std::getenv("QUILLORY_COPY_ONLY");
  const bool oursOnly = onlyText != nullptr && std::atoi(onlyText) == 1;
  std::vector<Job> jobs = {
      Job{"Vol08 page run", ClickCopy, PrepareOurs},
      Job{"lim cptree dirs", [&] { return LimCopy("cptree " + Quote(src) + " dirs" + DestinationArgs("lim")); },
          [] { FreshDestinations("lim"); }},
      Job{"find -type d | xargs mkdir -p", [&] { return Shell(each); }, [] { FreshDestinations("sh"); }}};
  if (oursOnly) jobs.resize(1);
  const bool ok = side_by_side::Run("1,110 folders (subfolders only, no files) into 1,000 folders", jobs,
                                    oursOnly ? 0 : 1, Rounds(), kDestinations * kBelowRoot);
  std::printf("  processor time per run (median): ours user %.3f s + system %.3f s; lim user %.3f s + system %.3f s\n",
              Median(g_ours.user), Median(g_ours.system), Median(g_lim.user), Median(g_lim.system));
  g_program.reset();
  if (::chdir("/") != 0) return 1;
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
