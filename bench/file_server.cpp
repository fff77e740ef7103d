// The pages on a file server: folders behind a stand-in server (bench_slowfs,
// see slow_mount.h) where every metadata operation waits a round trip of
// 1 ms, each page's run as a person clicks it with 16 items in flight
// (SetRunJobs(16)) and one at a time (SetRunJobs(1)), beside the usual
// shell tool run 16-fold in parallel, alternating rounds, median and spread;
// then the ratios serial / 16 workers and 16 workers / shell tool:
//
// a. the copy page: a structure of 111 folders (a root, 10, 100 below it)
//    copied with its root, folders only, into 1,000 folders, beside a
//    `cp -r` of it per destination (xargs -P16);
// b. the folder-path page: 10,000 full paths in 1,000 new parents, beside
//    `xargs -0 -P16 mkdir -p`;
// c. the string page: 1,000 names, each receiving that structure, beside a
//    parallel `mkdir -p` of the same tree;
// d. the delete page, "retain nothing", not into the trash: 100 trees of
//    111 folders and 1,000 files, beside `find -delete` and `rm -rf` per
//    tree (xargs -P16);
// e. the rename page: a prefix on 10,000 folders in 1,000 parents, beside a
//    `mv` loop per parent (xargs -P16);
// f. the copy page's Undo of a.
//
// And on tmpfs, no server: b again, unscaled, with the number in flight
// automatic (SetRunJobs(0)) beside serial, where automatic should stay
// within 5 %; these rows take bench_program::Rounds() (>= 5).
//
// The program's working folder (settings, journals) is local, as a
// person's would be; the folders it works on are on the server. Making and
// clearing every job's folders is untimed and goes round the server,
// straight to its backing folder.
//
// QUILLORY_DELAY_US: the round trip in microseconds (1000 unless told).
// QUILLORY_SCALE: every count above times this (e.g. 0.1 for a quick run;
// at 1 a round of a alone takes minutes serially).
// QUILLORY_ROUNDS: the rounds, here as few as 3 (for this slow benchmark),
// otherwise as bench_program::Rounds().
// QUILLORY_FILE_SERVER_ONLY: the letters of the jobs to run, "l" for the
// tmpfs rows (e.g. "bl"); all unless told.
// Without /dev/fuse or bench_slowfs the server jobs are skipped, exit 0.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/run_jobs.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "bench_program.h"
#include "side_by_side.h"
#include "slow_mount.h"

namespace {

using side_by_side::Job;
using side_by_side::Quote;
using side_by_side::Shell;

using bench_program::Program;
std::unique_ptr<Program> g_program;

std::string g_work;     // local: the working folder
std::string g_through;  // the folders as the jobs see them: on the server, or local
std::string g_behind;   // the same folders at tmpfs speed
double g_scale = 1;
int g_rounds = 0;

constexpr int kStructureFolders = 111;  // src, 10 below it, 10 below each of those
constexpr int kFilesPerTree = 1000;     // 10 in each of the 100 lowest folders

std::size_t Scaled(double n) { return std::max<std::size_t>(1, static_cast<std::size_t>(std::llround(n * g_scale))); }

std::string Numbered(const char* format, std::size_t i) {
  char name[64];
  std::snprintf(name, sizeof name, format, i);
  return name;
}

std::string Through(const std::string& name) { return g_through + "/" + name; }
std::string Behind(const std::string& name) { return g_behind + "/" + name; }

// Every job's folders go before the next job's are made, so that the server
// holds one job's data at a time.
std::vector<std::string> g_made;
void Clear() {
  g_program.reset();
  for (const std::string& name : g_made) Shell("rm -rf " + Quote(Behind(name)));
  g_made.clear();
}
std::string Fresh(const std::string& name) {
  Clear();
  g_made.push_back(name);
  bench_program::Fresh(Behind(name));
  return Behind(name);
}

// A list file in the working folder, names NUL-ended.
std::string WriteList(const std::string& name, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) (text += line) += '\0';
  return bench_program::WriteFile(g_work + "/" + name, text);
}

// `root` and the 110 folders of the structure below it, and `filesPerLeaf`
// empty files in each of its 100 lowest folders.
bool MakeTree(const std::string& root, int filesPerLeaf) {
  bool ok = ::mkdir(root.c_str(), 0755) == 0;
  for (int a = 0; a < 10; ++a) {
    const std::string upper = root + Numbered("/a%02zu", a);
    ok = ::mkdir(upper.c_str(), 0755) == 0 && ok;
    for (int b = 0; b < 10; ++b) {
      const std::string lower = upper + Numbered("/b%02zu", b);
      ok = ::mkdir(lower.c_str(), 0755) == 0 && ok;
      for (int f = 0; f < filesPerLeaf; ++f) {
        const int fd = ::open((lower + Numbered("/file %02zu.txt", f)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ok = fd >= 0 && ::close(fd) == 0 && ok;
      }
    }
  }
  return ok;
}

// The relative paths of the structure's 100 lowest folders, below `base`.
std::vector<std::string> Leaves(const std::string& base) {
  std::vector<std::string> leaves;
  for (int a = 0; a < 10; ++a)
    for (int b = 0; b < 10; ++b) leaves.push_back(base + Numbered("/a%02zu", a) + Numbered("/b%02zu", b));
  return leaves;
}

// A fresh program with `jobs` items in flight, for the next click.
Program& Start(int jobs) {
  g_program.reset();
  quillory::SetRunJobs(jobs);
  g_program = std::make_unique<Program>();
  return *g_program;
}

bool Answered(bool clicked, const char* what) {
  if (!clicked) std::fprintf(stderr, "%s: the button is disabled\n", what);
  else if (!g_program->ui.answers.empty()) std::fprintf(stderr, "%s: the run asked nothing\n", what);
  return clicked && g_program->ui.answers.empty();
}

bool Expect(const char* what, double got, double want) {
  if (got != want) std::fprintf(stderr, "%s: %.0f, expected %.0f\n", what, got, want);
  return got == want;
}

// ------------------------------------------------------------ the jobs

std::string JobsName(int jobs) {
  return jobs == quillory::kAutomaticJobs ? "automatic" : jobs == 1 ? "serial" : std::to_string(jobs) + " workers";
}

// `run`, its times also kept in `into`, for the ratios below a table.
std::function<bool()> Timing(std::function<bool()> run, std::vector<double>* into) {
  return [run = std::move(run), into] {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (ok) into->push_back(took.count());
    return ok;
  };
}

// Ours in two settings beside `others`, then the ratios of the two and of
// the first to the first other. `prepare(jobs)` readies the program for
// `click`.
bool Compare(const std::string& title, const std::string& page, int fast, int slow,
             const std::function<void(int)>& prepare, const std::function<bool()>& click, std::vector<Job> others,
             double items) {
  std::vector<double> seconds[2], otherSeconds;
  std::vector<Job> jobs;
  for (int i = 0; i < 2; ++i) {
    const int setting = i == 0 ? fast : slow;
    jobs.push_back(Job{page + ", " + JobsName(setting), Timing(click, &seconds[i]),
                       [&prepare, setting] { prepare(setting); }});
  }
  for (Job& other : others) jobs.push_back(std::move(other));
  if (jobs.size() > 2) jobs[2].run = Timing(jobs[2].run, &otherSeconds);
  const bool ok = side_by_side::Run(title, jobs, jobs.size() > 2 ? 2 : 1, g_rounds, items);
  const double first = side_by_side::Median(seconds[0]), second = side_by_side::Median(seconds[1]);
  const double other = side_by_side::Median(otherSeconds);
  if (fast == quillory::kAutomaticJobs)  // what automatic may cost where one at a time is best
    std::printf("  %s / %s: %.2fx (goal: at most 1.05x)", JobsName(fast).c_str(), JobsName(slow).c_str(),
                second > 0 ? first / second : 0.0);
  else
    std::printf("  %s / %s: %.2fx", JobsName(slow).c_str(), JobsName(fast).c_str(), first > 0 ? second / first : 0.0);
  if (jobs.size() > 2)
    std::printf("; ours, %s / %s: %.2fx", JobsName(fast).c_str(), jobs[2].name.c_str(), other > 0 ? first / other : 0.0);
  std::printf("\n");
  std::fflush(stdout);
  Clear();
  return ok;
}

// a and f: the structure D:\src copied with its root into `destinations`.
struct CopyJob {
  std::size_t destinations = Scaled(1000);

  std::string Destination(std::size_t i) const { return Numbered("t%04zu", i); }

  void Destinations(const std::string& name) const {
    const std::string folder = Fresh(name);
    for (std::size_t i = 0; i < destinations; ++i) ::mkdir((folder + "/" + Destination(i)).c_str(), 0755);
  }

  void Prepare(const std::string& name, int jobs) const {
    Destinations(name);
    quillory::CopyPage& page = Start(jobs).main.vol08;
    page.structures.SourceKindClick(quillory::SourceKind::Structures);
    page.structures.AttachModeClick(quillory::AttachMode::MainWithoutFiles);
    page.structures.list.SetItems({"D:\\src"});
    std::vector<std::string> items;
    for (std::size_t i = 0; i < destinations; ++i) items.push_back("D:\\" + name + "\\" + Destination(i));
    page.lstVol08IncludeFolderList.SetItems(items);
    page.Refresh();
  }

  bool Click() const {
    quillory::CopyPage& page = g_program->main.vol08;
    g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
    if (!Answered(page.btnVol08CopyFolders.Click(), "copy")) return false;
    const double n = static_cast<double>(destinations);
    return Expect("destinations copied into", page.stats.Get("FoldersCopied"), n) &&
           Expect("folders copied", page.stats.Get("SubFoldersCopied"), n * kStructureFolders) &&
           Expect("folders there before", page.stats.Get("SubFoldersExists"), 0) &&
           Expect("folders failed", page.stats.Get("SubFoldersOtherReasons"), 0);
  }

  bool Undo() const {
    quillory::CopyPage& page = g_program->main.vol08;
    g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
    if (!Answered(page.btnVol08Undo.Click(), "copy undo")) return false;
    if (!page.failedUndoFolders.empty())
      std::fprintf(stderr, "copy undo: %zu folders left\n", page.failedUndoFolders.size());
    return page.failedUndoFolders.empty() && page.records.createdFolders.empty() &&
           !Shell("test -e " + Quote(Behind("o/" + Destination(0) + "/src")));
  }

  // The list of every destination's path, as the shell tools take it.
  std::string List(const std::string& name, const std::string& below = "") const {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < destinations; ++i) paths.push_back(Through(name) + "/" + Destination(i) + below);
    return WriteList(name + ".list", paths);
  }
};

bool CopyToServer() {
  CopyJob copy;
  const std::string list = copy.List("p");
  return Compare(
      "a. a structure of 111 folders copied into " + std::to_string(copy.destinations) + " folders", "Vol08", 16, 1,
      [&](int jobs) { copy.Prepare("o", jobs); }, [&] { return copy.Click(); },
      {Job{"cp -r per folder, xargs -P16",
           [&] { return Shell("xargs -0 -P16 -n1 cp -r " + Quote(Through("src")) + " < " + Quote(list)); },
           [&] { copy.Destinations("p"); }}},
      static_cast<double>(copy.destinations * kStructureFolders));
}

bool UndoCopyOnServer() {
  CopyJob copy;
  const std::string list = copy.List("p", "/src");
  return Compare(
      "f. undo of a", "Vol08 Undo", 16, 1,
      [&](int jobs) {
        // The copy itself as fast as the program goes; the undo as asked.
        copy.Prepare("o", 16);
        if (!copy.Click()) std::fprintf(stderr, "f: the copy to undo failed\n");
        quillory::SetRunJobs(jobs);
      },
      [&] { return copy.Undo(); },
      {Job{"rm -rf per folder, xargs -P16", [&] { return Shell("xargs -0 -P16 -n1 rm -rf < " + Quote(list)); },
           [&] {
             copy.Destinations("p");
             for (std::size_t i = 0; i < copy.destinations; ++i)
               Shell("cp -r " + Quote(Behind("src")) + " " + Quote(Behind("p/" + copy.Destination(i))));
           }}},
      static_cast<double>(copy.destinations * kStructureFolders));
}

// b: full paths on E:, mapped to the folder `name` of the job.
struct PathsJob {
  std::size_t parents = Scaled(1000), paths = parents * 10;

  std::string Path(std::size_t i, char separator) const {
    return Numbered("p%04zu", i / 10) + separator + Numbered("f%06zu", i);
  }

  void Prepare(const std::string& name, int jobs) const {
    Fresh(name);
    quillory::Drives().Set('E', Through(name));
    std::vector<std::string> items;
    for (std::size_t i = 0; i < paths; ++i) items.push_back("E:\\" + Path(i, '\\'));
    auto& page = Start(jobs).main.vol04;
    page.structures.SourceKindClick(quillory::SourceKind::Nothing);
    page.lstVol04IncludeFolderList.SetItems(items);
    page.Refresh();
  }

  bool Click() const {
    auto& page = g_program->main.vol04;
    g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
    return Answered(page.btnCreateFolders.Click(), "paths") &&
           Expect("paths made", page.stats.Get("FoldersCreated"), static_cast<double>(paths)) &&
           Expect("paths failed", page.stats.Get("FoldersOther"), 0);
  }

  std::string List() const {
    std::vector<std::string> relative;
    for (std::size_t i = 0; i < paths; ++i) relative.push_back(Path(i, '/'));
    return WriteList("paths.list", relative);
  }

  Job MkdirP(int parallel) const {
    const std::string list = List();
    const std::string xargs = parallel > 1 ? "xargs -0 -P" + std::to_string(parallel) + " -n16" : "xargs -0";
    return Job{xargs + " mkdir -p",
               [list, xargs] { return Shell("cd " + Quote(Through("p")) + " && " + xargs + " mkdir -p < " + Quote(list)); },
               [] { Fresh("p"); }};
  }

  bool Run(const std::string& title, int fast, int slow, int parallel) const {
    return Compare(
        title + std::to_string(paths) + " full paths in " + std::to_string(parents) + " new parents", "Vol04", fast,
        slow, [this](int jobs) { Prepare("o", jobs); }, [this] { return Click(); }, {MkdirP(parallel)},
        static_cast<double>(paths));
  }
};

// c: names in D:\o, each receiving the structure D:\src.
bool StringsOnServer() {
  const std::size_t names = Scaled(1000);
  std::vector<std::string> items, leaves;
  for (std::size_t i = 0; i < names; ++i) {
    items.push_back(bench_program::FolderName(i));
    for (const std::string& leaf : Leaves(items.back() + "/src")) leaves.push_back(leaf);
  }
  const std::string list = WriteList("leaves.list", leaves);
  return Compare(
      "c. " + std::to_string(names) + " names, each receiving a structure of 111 folders", "Vol02", 16, 1,
      [&](int jobs) {
        Fresh("o");
        auto& page = Start(jobs).main.vol02;
        page.ChooseDestination("D:\\o");
        page.structures.SourceKindClick(quillory::SourceKind::Structures);
        page.structures.AttachModeClick(quillory::AttachMode::MainWithoutFiles);
        page.structures.list.SetItems({"D:\\src"});
        page.lstVol02IncludeStrings.SetItems(items);
        page.Refresh();
      },
      [&] {
        auto& page = g_program->main.vol02;
        g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
        const double n = static_cast<double>(names);
        return Answered(page.btnCreateFolders.Click(), "strings") &&
               Expect("names made", page.stats.Get("FoldersCreated"), n) &&
               Expect("structure folders made", page.stats.Get("SubFoldersCreated"), n * kStructureFolders) &&
               Expect("structure folders failed", page.stats.Get("SubFoldersOther"), 0);
      },
      {Job{"mkdir -p, xargs -0 -P16",
           [&] { return Shell("cd " + Quote(Through("p")) + " && xargs -0 -P16 -n16 mkdir -p < " + Quote(list)); },
           [] { Fresh("p"); }}},
      static_cast<double>(names * (kStructureFolders + 1)));
}

// d: the trees t000... in the folder `name`.
struct DeleteJob {
  std::size_t trees = Scaled(100);

  std::string Tree(std::size_t i) const { return Numbered("t%03zu", i); }

  void Trees(const std::string& name) const {
    const std::string folder = Fresh(name);
    for (std::size_t i = 0; i < trees; ++i)
      if (!MakeTree(folder + "/" + Tree(i), kFilesPerTree / 100)) std::fprintf(stderr, "d: making the trees failed\n");
  }

  void Prepare(int jobs) const {
    Trees("o");
    std::vector<std::string> items;
    for (std::size_t i = 0; i < trees; ++i) items.push_back("D:\\o\\" + Tree(i));
    auto& page = Start(jobs).main.vol07;
    page.chkVol07DeleteDoubleConfirm.SetChecked(false);
    page.chkVol07MoveToTrash.SetChecked(false);
    page.include.SetItems(items);
    page.Refresh();
    // The modes are enabled once the list holds something.
    page.rdoVol07DeleteCompleteFolders.Click();
    if (!page.rdoVol07DeleteCompleteFolders.Checked()) std::fprintf(stderr, "d: the mode could not be chosen\n");
  }

  bool Click() const {
    auto& page = g_program->main.vol07;
    g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
    if (!Answered(page.btnVol07DeleteFolders.Click(), "delete")) return false;
    const double files = static_cast<double>(trees * kFilesPerTree);
    return Expect("folders deleted", page.stats.Get("FoldersDeleted"), page.stats.Get("FoldersToDelete")) &&
           Expect("files deleted", page.stats.Get("FilesDeleted"), files) &&
           Expect("folders failed", page.stats.Get("FoldersOtherReasons"), 0) &&
           Expect("files failed", page.stats.Get("FilesOtherReasons"), 0) && !Shell("test -e " + Quote(Behind("o/t000")));
  }
};

bool DeleteOnServer() {
  DeleteJob del;
  std::vector<std::string> trees;
  for (std::size_t i = 0; i < del.trees; ++i) trees.push_back(Through("p/" + del.Tree(i)));
  const std::string list = WriteList("trees.list", trees);
  return Compare(
      "d. delete " + std::to_string(del.trees) + " tree(s) of 111 folders and 1,000 files, retain nothing",
      "Vol07 for good", 16, 1, [&](int jobs) { del.Prepare(jobs); }, [&] { return del.Click(); },
      {Job{"rm -rf per tree, xargs -P16", [&] { return Shell("xargs -0 -P16 -n1 rm -rf < " + Quote(list)); },
           [&] { del.Trees("p"); }},
       Job{"find -delete", [&] { return Shell("find " + Quote(Through("p")) + " -mindepth 1 -delete"); },
           [&] { del.Trees("p"); }}},
      static_cast<double>(del.trees * (kStructureFolders + kFilesPerTree)));
}

// e: "Folder nnnnnn" in the parents p0000..., given the prefix X.
bool RenameOnServer() {
  const std::size_t parents = Scaled(1000), folders = parents * 10;
  const auto made = [&](const std::string& name) {
    const std::string folder = Fresh(name);
    for (std::size_t p = 0; p < parents; ++p) ::mkdir((folder + Numbered("/p%04zu", p)).c_str(), 0755);
    for (std::size_t i = 0; i < folders; ++i)
      ::mkdir((folder + Numbered("/p%04zu/", i / 10) + bench_program::FolderName(i)).c_str(), 0755);
  };
  std::vector<std::string> items, parentPaths;
  for (std::size_t i = 0; i < folders; ++i)
    items.push_back("D:\\o" + Numbered("\\p%04zu\\", i / 10) + bench_program::FolderName(i));
  for (std::size_t p = 0; p < parents; ++p) parentPaths.push_back(Through("p") + Numbered("/p%04zu", p));
  const std::string list = WriteList("parents.list", parentPaths);
  return Compare(
      "e. " + std::to_string(folders) + " folders in " + std::to_string(parents) + " parents renamed with a prefix",
      "Vol06", 16, 1,
      [&](int jobs) {
        made("o");
        auto& page = Start(jobs).main.vol06;
        page.include.SetItems(items);
        page.Refresh();
        page.edtVol06NewPrefix.UserSetText("X");
      },
      [&] {
        auto& page = g_program->main.vol06;
        g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
        return Answered(page.btnVol06RenameFolders.Click(), "rename") &&
               Expect("folders renamed", static_cast<double>(page.RenameRecord.size()), static_cast<double>(folders));
      },
      {Job{"mv per parent, xargs -P16",
           [&] {
             return Shell("xargs -0 -P16 -n1 sh -c 'cd \"$1\" && for f in *; do mv -T -- \"$f\" \"X$f\" || exit 1; "
                          "done' sh < " +
                          Quote(list));
           },
           [&] { made("p"); }}},
      static_cast<double>(folders));
}

double Scale() {
  const char* text = std::getenv("QUILLORY_SCALE");
  if (text == nullptr || *text == '\0') return 1;
  char* end = nullptr;
  const double scale = std::strtod(text, &end);
  if (*end != '\0' || !(scale > 0) || scale > 100) {
    std::fprintf(stderr, "QUILLORY_SCALE=%s: give a number above 0 and at most 100, e.g. 0.1\n", text);
    std::exit(2);
  }
  return scale;
}

unsigned long DelayUs() {
  const char* text = std::getenv("QUILLORY_DELAY_US");
  if (text == nullptr || *text == '\0') return 1000;
  char* end = nullptr;
  const unsigned long delay = std::strtoul(text, &end, 10);
  if (*end != '\0' || *text == '-' || delay > 10000000) {
    std::fprintf(stderr, "QUILLORY_DELAY_US=%s: give whole microseconds, at most 10000000\n", text);
    std::exit(2);
  }
  return delay;
}

// As few as 3 when told: a round of this benchmark takes minutes.
int Rounds() {
  const char* text = std::getenv("QUILLORY_ROUNDS");
  return text != nullptr && *text != '\0' ? std::max(3, std::atoi(text)) : bench_program::Rounds();
}

}  // namespace

int main() {
  g_scale = Scale();
  const unsigned long delay = DelayUs();
  g_rounds = Rounds();
  const char* onlyText = std::getenv("QUILLORY_FILE_SERVER_ONLY");
  const std::string only = onlyText != nullptr && *onlyText != '\0' ? onlyText : "abcdefl";
  const auto wanted = [&](char job) { return only.find(job) != std::string::npos; };
  g_work = bench_program::Workplace("file-server");
  if (g_work.empty()) return 1;
  bool ok = true;

  if (only.find_first_of("abcdef") != std::string::npos) {
    slow_mount::SlowMount server(delay);
    if (!server.Live()) {
      std::printf("skipped: the file-server jobs (%s)\n", server.Why().c_str());
    } else {
      g_through = server.Mounted();
      g_behind = server.Backing();
      quillory::Drives().Set('D', g_through);
      std::printf("a stand-in file server, %lu us per metadata operation; scale %g\n", delay, g_scale);
      if (!MakeTree(Behind("src"), 0)) ok = false;
      if (wanted('a')) ok &= CopyToServer();
      if (wanted('b')) ok &= PathsJob{}.Run("b. ", 16, 1, 16);
      if (wanted('c')) ok &= StringsOnServer();
      if (wanted('d')) ok &= DeleteOnServer();
      if (wanted('e')) ok &= RenameOnServer();
      if (wanted('f')) ok &= UndoCopyOnServer();
      Clear();
    }
  }
  if (wanted('l')) {
    // No server: the same job on tmpfs, at its full size and, as it is
    // quick and its goal a close one, with the usual rounds.
    g_through = g_behind = g_work;
    g_scale = 1;
    g_rounds = bench_program::Rounds();
    ok &= PathsJob{}.Run("on tmpfs: ", quillory::kAutomaticJobs, 1, 1);
  }
  g_program.reset();
  if (::chdir("/") != 0) return 1;
  Shell("rm -rf " + Quote(g_work));
  return ok ? 0 : 1;
}
