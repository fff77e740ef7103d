// The three create pages on tmpfs, each a whole program answering through a
// ScriptedUi with its Visual Logs attached, run by clicking the page's run
// button; beside `lim` and the usual shell tool in one run (alternating
// rounds, median and spread, ratio to lim):
//
// 1. 100,000 strings into one folder, nothing attached, beside `lim mklist`
//    and `xargs -0 mkdir -p`;
// 2. the numbers 1 to 100,000, beside `lim mknum` and `seq | xargs mkdir`;
// 3. 100,000 full paths in 1,000 parents not there before, beside
//    `lim mklist` (which makes a parent on ENOENT) and `xargs -0 mkdir -p`;
//    each of 1-3 with a safe floor row too: lim's calls plus those the
//    program's rules add (see "safe floors" below);
// 4. 1,000,000 strings, timed and measured for peak memory in a child
//    process of its own (its VmHWM), beside `lim mklist`;
// 5. where the time of a string run goes: the same 100,000 folders made by
//    ever more of the run's own pieces, from the bare folder maker up to
//    the whole page.
//
// Timed is the click and nothing else: the program starts, the list is
// filled and the destination made fresh before it, untimed; the folders go
// after it, untimed. QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5,
// 7 unless told); QUILLORY_CREATE_ONLY=1..5 runs one of the five;
// QUILLORY_MILLION_ROUNDS the rounds of 4 (3 unless told).
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/controls.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "app/window.h"
#include "lists/file_export.h"
#include "names/folder_names.h"
#include "names/name_composition.h"
#include "operations/create_run.h"
#include "operations/run_recorder.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_log_windows.h"
#include "results/visual_logs.h"
#include "results/zoom_windows.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "bench_program.h"
#include "side_by_side.h"

namespace {

using quillory::PageKey;
using side_by_side::Quote;
using side_by_side::Shell;

constexpr std::size_t kItems = 100000;
constexpr std::size_t kMillion = 1000000;

std::string g_root;  // host folder of D:

// The whole program between a run and the next preparation: what a run
// leaves (records, Visual Log lists, history) stays until then, as it does
// for a person, and goes untimed.
using bench_program::Program;
std::unique_ptr<Program> g_program;

bool WriteFile(const std::string& path, const std::string& data) {
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  if (fd < 0) return false;
  const bool ok = ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
  return ::close(fd) == 0 && ok;
}

std::string Numbered(const char* format, std::size_t i) {
  char name[64];
  std::snprintf(name, sizeof name, format, i);
  return name;
}

std::string StringItem(std::size_t i) { return Numbered("Folder %07zu", i); }
// Parent i / 100, so the sorted list makes each parent with its first child.
std::string PathItem(std::size_t i, char separator) {
  return Numbered("p%03zu", i / 100) + separator + Numbered("f%05zu", i);
}

std::vector<std::string> StringItems(std::size_t count) {
  std::vector<std::string> items;
  items.reserve(count);
  for (std::size_t i = 0; i < count; ++i) items.push_back(StringItem(i));
  return items;
}

bool WriteStringList(const std::string& file, std::size_t count) {
  std::string list;
  for (std::size_t i = 0; i < count; ++i) (list += StringItem(i)) += '\0';
  return WriteFile(file, list);
}

using bench_program::Fresh;

void Remove(const std::string& folder) { Shell("rm -rf " + Quote(folder)); }

Program& StartProgram() {
  g_program.reset();
  g_program = std::make_unique<Program>();
  return *g_program;
}

using side_by_side::Cpu;
using side_by_side::Median;
Cpu g_ours, g_lim, g_floor;  // the clicks, lim with its shell, the safe floor

// Medians since the last report.
void ReportCpu(const char* what) {
  std::printf("  processor time per run (median): %s user %.3f s + system %.3f s; lim user %.3f s + system %.3f s; "
              "%.2fx\n",
              what, Median(g_ours.user), Median(g_ours.system), Median(g_lim.user), Median(g_lim.system),
              g_lim.Total() > 0 ? g_ours.Total() / g_lim.Total() : 0.0);
  if (!g_floor.user.empty())
    std::printf("  safe floor user %.3f s + system %.3f s\n", Median(g_floor.user), Median(g_floor.system));
  std::fflush(stdout);
  g_ours = {};
  g_lim = {};
  g_floor = {};
}

// A lim command, its processor time kept for the report.
bool Lim(const std::string& arguments) {
  rusage before{}, after{};
  ::getrusage(RUSAGE_CHILDREN, &before);
  const bool ok = Shell(Quote(side_by_side::Lim()) + " " + arguments);
  ::getrusage(RUSAGE_CHILDREN, &after);
  g_lim.Add(before, after);
  return ok;
}

// Answers the question and clicks; true when the run made `expect` main
// folders and counted them.
bool ClickRun(quillory::CreatePage& page, double expect) {
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  const bool clicked = page.btnCreateFolders.Click();
  ::getrusage(RUSAGE_SELF, &after);
  g_ours.Add(before, after);
  if (!clicked) {
    std::fprintf(stderr, "the run button is disabled\n");
    return false;
  }
  const double made = page.stats.Get("FoldersCreated");
  if (made != expect || page.stats.Get("FoldersOther") != 0) {
    std::fprintf(stderr, "ours: %.0f made, %.0f other, %.0f expected\n", made, page.stats.Get("FoldersOther"), expect);
    return false;
  }
  return true;
}

// A fresh program whose string page has `dst` chosen, nothing to attach and
// `items` in its include list.
// The items are moved in, as an import hands its lines over: a copy would
// be the peak of the million-string run.
void PrepareStrings(const std::string& dst, std::vector<std::string> items) {
  g_program.reset();
  Fresh(g_root + "/" + dst);
  auto& page = StartProgram().main.vol02;
  page.ChooseDestination("D:\\" + dst);
  page.structures.SourceKindClick(quillory::SourceKind::Nothing);
  page.lstVol02IncludeStrings.SetItems(std::move(items));
  page.Refresh();
}

void PrepareNumbers(const std::string& dst, std::size_t last) {
  g_program.reset();
  Fresh(g_root + "/" + dst);
  auto& page = StartProgram().main.vol03;
  page.ChooseDestination("D:\\" + dst);
  page.structures.SourceKindClick(quillory::SourceKind::Nothing);
  page.edtVol03StartNumber.SetText("1");
  page.edtVol03StartNumber.Exit();
  page.edtVol03EndNumber.SetText(std::to_string(last));
  page.edtVol03EndNumber.Exit();
  page.Refresh();
}

// Full paths on drive E:, mapped to a fresh `dst`.
void PreparePaths(const std::string& dst, const std::vector<std::string>& items) {
  g_program.reset();
  Fresh(g_root + "/" + dst);
  quillory::Drives().Set('E', g_root + "/" + dst);
  auto& page = StartProgram().main.vol04;
  page.structures.SourceKindClick(quillory::SourceKind::Nothing);
  page.lstVol04IncludeFolderList.SetItems(items);
  page.Refresh();
}

int Rounds(const char* variable, int fallback, int least) {
  const char* text = std::getenv(variable);
  return std::max(least, text != nullptr && *text != '\0' ? std::atoi(text) : fallback);
}

// ------------------------------------------------------------ safe floors

// The least a create run may do under the program's rules, as a minimal loop
// beside ours: lim's calls plus exactly those the rules add. Seen by
// `strace -f -c` on the batch program, a run makes per folder one mkdirat
// from its parent's descriptor and one statx of the new name without
// following a link; the statx is the rule's: undo must later tell the folder
// it made (device, inode, birth time) from a look-alike, and only a read at
// the making gives those. The floor does the same two calls and keeps the
// identity; nothing else: no names composed, no counting, no logs. Left out
// as well is the undo journal, a write per 32 KiB of records and one
// fdatasync at the end (free on tmpfs): a few hundred calls in 200,000.
struct FloorIdentity {
  std::uint64_t device = 0, inode = 0;
  std::int64_t birthSeconds = 0;
  std::uint32_t birthNanoseconds = 0;
};
std::vector<FloorIdentity> g_floorMade;

// `name` in `parent`, or with an empty name `parent` itself.
bool FloorRead(int parent, const char* name) {
  struct statx sx {};
  if (::statx(parent, name, *name != '\0' ? AT_SYMLINK_NOFOLLOW : AT_EMPTY_PATH, STATX_TYPE | STATX_INO | STATX_BTIME, &sx) != 0 ||
      !S_ISDIR(sx.stx_mode))
    return false;
  g_floorMade.push_back({(std::uint64_t{sx.stx_dev_major} << 32) | sx.stx_dev_minor, sx.stx_ino,
                         sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec});
  return true;
}

bool FloorMake(int parent, const char* name) {
  return ::mkdirat(parent, name, 0777) == 0 && FloorRead(parent, name);
}

// The list file read whole, as lim reads it.
bool FloorList(const std::string& file, std::string* names) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[1 << 16];
  names->clear();
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) names->append(buffer, static_cast<std::size_t>(n));
  ::close(fd);
  return n == 0;
}

int FloorOpenDestination(const std::string& folder) {
  return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Every name of `list` made in `folder`: lim mklist's mkdirat, plus the statx.
bool FloorStrings(const std::string& folder, const std::string& list) {
  std::string names;
  const int fd = FloorOpenDestination(folder);
  if (fd < 0 || !FloorList(list, &names)) return false;
  std::size_t made = 0;
  for (std::size_t at = 0; at < names.size();) {
    const char* name = names.c_str() + at;
    at += std::strlen(name) + 1;
    made += FloorMake(fd, name);
  }
  ::close(fd);
  return made == kItems;
}

// The numbers 1 to `last` as lim mknum names them, plus the statx.
bool FloorNumbers(const std::string& folder, std::size_t last) {
  const int fd = FloorOpenDestination(folder);
  if (fd < 0) return false;
  std::size_t made = 0;
  char name[32];
  for (std::size_t i = 1; i <= last; ++i) {
    std::snprintf(name, sizeof name, "%06zu", i);
    made += FloorMake(fd, name);
  }
  ::close(fd);
  return made == last;
}

// One component below `parent`, no link followed and no mount crossed.
int FloorDescend(int parent, const char* name) {
  open_how how{};
  how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS;
  return static_cast<int>(::syscall(SYS_openat2, parent, name, &how, sizeof how));
}

// The folder `path` (relative, '/'-separated) below `root`, its missing parts
// made one component at a time: mkdirat from the parent's descriptor (made:
// its identity read from the new descriptor; there: EEXIST), then descended
// by openat2. mkdirat comes first as every parent of this list is new; a list
// of existing parents would open first instead, at the same one call.
int FloorParents(int root, std::string path) {
  int fd = root;
  bool ok = true;
  for (std::size_t start = 0; ok && start < path.size();) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    path[end] = '\0';
    const char* name = path.c_str() + start;
    const bool made = ::mkdirat(fd, name, 0777) == 0;
    ok = made || errno == EEXIST;
    const int next = ok ? FloorDescend(fd, name) : -1;
    ok = next >= 0 && (!made || FloorRead(next, ""));
    if (fd != root) ::close(fd);
    fd = next;
    start = end + 1;
  }
  if (!ok && fd >= 0 && fd != root) ::close(fd);
  return ok ? fd : -1;
}

// Every path of `list` below `folder`, the parents made as above and kept
// open while their children follow one another; each leaf as a string's.
bool FloorPaths(const std::string& folder, const std::string& list) {
  std::string names;
  const int root = FloorOpenDestination(folder);
  if (root < 0 || !FloorList(list, &names)) return false;
  std::string parentPath;
  int parent = -1;
  std::size_t made = 0;
  for (std::size_t at = 0; at < names.size();) {
    const char* path = names.c_str() + at;
    const std::size_t length = std::strlen(path);
    at += length + 1;
    const char* slash = std::strrchr(path, '/');
    const std::size_t cut = slash != nullptr ? static_cast<std::size_t>(slash - path) : 0;
    if (parent < 0 || parentPath.compare(0, std::string::npos, path, cut) != 0) {
      if (parent >= 0 && parent != root) ::close(parent);
      parentPath.assign(path, cut);
      parent = cut == 0 ? root : FloorParents(root, parentPath);
      if (parent < 0) continue;
    }
    made += FloorMake(parent, slash != nullptr ? slash + 1 : path);
  }
  if (parent >= 0 && parent != root) ::close(parent);
  ::close(root);
  return made == kItems;
}

// A floor loop, its processor time kept for the report.
template <class F>
bool FloorTimed(F&& floor) {
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  const bool ok = floor();
  ::getrusage(RUSAGE_SELF, &after);
  g_floor.Add(before, after);
  return ok;
}

// Untimed: the program gone, `folder` empty, no identities kept.
void PrepareFloor(const std::string& folder) {
  g_program.reset();
  g_floorMade.clear();
  Fresh(folder);
}

// ------------------------------------------------------------ the split

// The Visual Log of a string page on its own, as the program joins it.
struct LogRig {
  quillory::ScriptedUi ui{quillory::ScriptedUi::CallLog::Forget};
  quillory::SettingsStore settings;
  quillory::TfrmStatistic02 log;
  quillory::TfrmVol02ZoomStatistics zoom;
  quillory::TfrmFileExport exportWindow{ui, settings, quillory::HostFileSystem()};
  quillory::Window page{"TfrmMain", "page"};
  quillory::OperationStatistics stats{quillory::CreatePageCounterNames()};
  quillory::CheckBox show{"chkVol02ShowDetailedResults", ""};
  quillory::VisualLogs logs{ui};
  quillory::CreateRecords records;
  LogRig() {
    log.Attach(ui, exportWindow, zoom);
    logs.Attach(PageKey::Vol02, stats, page, log, show);
    logs.PrepareVisualLog(PageKey::Vol02, false);
  }
  // What a real run of the page hands its recorder, the Visual Log only when
  // `withLog` (no journal: the split keeps none).
  quillory::RecorderSetup Recording(bool withLog) {
    quillory::RecorderSetup setup;
    setup.page = PageKey::Vol02;
    setup.stats = &stats;
    setup.logs = withLog ? &logs : nullptr;
    setup.records.mainFolders = &records.createdMainFolders;
    setup.records.madeMainFolders = &records.madeMainFolders;
    setup.records.folders = &records.attached.createdFolders;
    setup.records.madeFolders = &records.attached.madeFolders;
    setup.records.files = &records.attached.copiedFiles;
    setup.records.writtenFiles = &records.attached.copiedFileIds;
    setup.existingMainFolders = &records.existingMainFolders;
    setup.otherMainFolders = &records.otherMainFolders;
    setup.ui = &ui;
    return setup;
  }
};
std::unique_ptr<LogRig> g_rig;

enum class Pieces { Maker, ComposeMaker, Recorder, RecorderAndLog };

// What the string page does per item, up to `pieces`, with the strings of
// `items` and the destination "D:\<dst>": the maker alone, then each item
// composed into its target as the page does, then the run's engine handing
// each main folder's outcome to the recorder, then the Visual Log too.
bool Split(const std::string& dst, const std::vector<std::string>& items, Pieces pieces) {
  quillory::FileSystem& fs = quillory::HostFileSystem();
  g_rig = std::make_unique<LogRig>();
  const std::string chosen = "D:\\" + dst;
  const std::string folder = chosen + "\\";
  const quillory::_tagVol0XParts parts = quillory::ComposePartsVol02(chosen, "", "", true);
  const std::string base = quillory::NormalizeComposedPath(folder);
  const std::string destination = quillory::Trim(chosen);  // the targets look into it
  const auto compose = [&](const std::string& item, quillory::CreationTarget* target) {
    if (quillory::HasDrive(quillory::Trim(item))) return false;
    std::string path = quillory::NormalizeComposedPath(parts.JoinWith(item));
    if (path.compare(0, base.size(), base) != 0) return false;
    target->how = quillory::CreationTarget::How::Below;
    target->destination = destination;
    target->relativeAt = base.size();
    target->path = std::move(path);
    return true;
  };
  if (pieces == Pieces::Maker || pieces == Pieces::ComposeMaker) {
    quillory::MainFolderMaker maker(fs);
    std::size_t made = 0;
    for (const std::string& item : items) {
      quillory::MainFolderResult result;
      if (pieces == Pieces::Maker) {
        result = maker.Below(chosen, item, folder + item);
      } else {
        quillory::CreationTarget target;
        if (!compose(item, &target)) return false;
        result = maker.Make(std::move(target));
      }
      made += result.kind == quillory::OutcomeKind::Done;
    }
    return made == items.size();
  }
  quillory::RunRecorder recorder(g_rig->Recording(pieces == Pieces::RecorderAndLog));
  const quillory::OutcomeSink record = recorder.Sink();
  // Nothing attached: no totals on any row, as the page's rules give.
  quillory::CreateEngine engine(fs, quillory::AttachSetup{}, quillory::MainFolderRules{});
  for (const std::string& item : items) {
    quillory::CreationTarget target;
    if (!compose(item, &target)) return false;
    engine.One(std::move(target), record);
  }
  recorder.Flush();
  return g_rig->stats.Get(quillory::Id(quillory::CreateCounter::FoldersCreated)) == static_cast<double>(items.size());
}

// ------------------------------------------------------- a million strings

// The peak resident size of this process's memory since exec, in KiB.
// getrusage's ru_maxrss would not do: it survives exec, so the child would
// report the benchmark's own peak whenever that was higher.
long PeakResidentKiB() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  long kib = 0;
  while (std::fgets(line, sizeof line, status) != nullptr)
    if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
  std::fclose(status);
  return kib;
}

// The child's part: a fresh process, so its peak resident size is the run's.
int MillionChild(const std::string& root) {
  g_root = root;
  quillory::Drives().Set('D', g_root);
  if (::chdir(g_root.c_str()) != 0) return 1;
  PrepareStrings("m1", StringItems(kMillion));
  const long before = PeakResidentKiB();
  const auto start = std::chrono::steady_clock::now();
  const bool ok = ClickRun(g_program->main.vol02, static_cast<double>(kMillion));
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.6f %ld %ld\n", took.count(), before, PeakResidentKiB());
  std::fflush(stdout);
  std::_Exit(ok ? 0 : 1);  // the program's teardown is no part of the run
}

struct MillionRound {
  double seconds = 0;
  long rssBeforeKiB = 0, rssPeakKiB = 0;
};

bool RunMillionChild(MillionRound* round) {
  Remove(g_root + "/m1");
  // Each round is a first run: the journal of the round before would be
  // read back at the start, a restart's memory and not the run's.
  Remove(g_root + "/default.undo");
  Shell("sync");
  int out[2];
  if (::pipe(out) != 0) return false;
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execl("/proc/self/exe", "bench_create_runs", "--million-child", g_root.c_str(), static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  ::close(out[1]);
  char text[256] = {};
  std::size_t got = 0;
  for (ssize_t n; got + 1 < sizeof text && (n = ::read(out[0], text + got, sizeof text - 1 - got)) > 0;)
    got += static_cast<std::size_t>(n);
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                  std::sscanf(text, "%lf %ld %ld", &round->seconds, &round->rssBeforeKiB, &round->rssPeakKiB) == 3;
  Remove(g_root + "/m1");
  return ok;
}

void Million(const std::string& lim) {
  const std::string list = g_root + "/million.list";
  if (!WriteStringList(list, kMillion)) return;
  const int rounds = Rounds("QUILLORY_MILLION_ROUNDS", 3, 1);
  std::vector<MillionRound> ours;
  std::vector<double> floor;
  for (int r = 0; r < rounds; ++r) {
    MillionRound round;
    if (RunMillionChild(&round)) ours.push_back(round);
    else std::fprintf(stderr, "1,000,000 strings: ours failed in round %d\n", r + 1);
    Fresh(g_root + "/m2");
    Shell("sync");
    const auto start = std::chrono::steady_clock::now();
    const bool done = Shell(Quote(lim) + " mklist " + Quote(g_root + "/m2") + " " + Quote(list));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (done) floor.push_back(took.count());
    Remove(g_root + "/m2");
  }
  ::unlink(list.c_str());
  std::printf("1,000,000 strings, nothing attached (%d rounds; ours in a child process of its own)\n", rounds);
  for (std::size_t i = 0; i < ours.size(); ++i) {
    const double limSeconds = i < floor.size() ? floor[i] : 0;
    std::printf("  round %zu: ours %.3f s (%.2f us/item), lim mklist %.3f s, %.2fx; peak RSS %.1f MiB filled, "
                "%.1f MiB after the run\n",
                i + 1, ours[i].seconds, ours[i].seconds / kMillion * 1e6, limSeconds,
                limSeconds > 0 ? ours[i].seconds / limSeconds : 0.0, ours[i].rssBeforeKiB / 1024.0,
                ours[i].rssPeakKiB / 1024.0);
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--million-child") == 0) return MillionChild(argv[2]);
  using side_by_side::Job;
  std::string pattern = side_by_side::DataRoot() + "/quillory-create-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  g_root = pattern;
  quillory::Drives().Set('D', g_root);
  // The program keeps its settings file in the working folder.
  if (::chdir(g_root.c_str()) != 0) return 1;
  const std::string lim = side_by_side::Lim();
  const int rounds = Rounds("QUILLORY_ROUNDS", 7, 5);
  const char* onlyText = std::getenv("QUILLORY_CREATE_ONLY");
  const int only = onlyText != nullptr ? std::atoi(onlyText) : 0;
  const auto at = [&](const char* dst) { return g_root + "/" + dst; };
  const std::string stringList = at("strings.list");
  const std::vector<std::string> strings = StringItems(kItems);
  if (!WriteStringList(stringList, kItems)) return 1;
  bool ok = true;

  if (only == 0 || only == 1) {
    ok &= side_by_side::Run(
        "100,000 strings into one folder, nothing attached",
        {Job{"Vol02 page run", [&] { return ClickRun(g_program->main.vol02, kItems); },
             [&] { PrepareStrings("o1", strings); }},
         Job{"lim mklist", [&] { return Lim("mklist " + Quote(at("l1")) + " " + Quote(stringList)); },
             [&] {
               g_program.reset();
               Fresh(at("l1"));
             }},
         Job{"xargs -0 mkdir -p", [&] { return Shell("cd " + Quote(at("s1")) + " && xargs -0 mkdir -p < " + Quote(stringList)); },
             [&] { Fresh(at("s1")); }},
         Job{"safe floor (+ statx)", [&] { return FloorTimed([&] { return FloorStrings(at("f1"), stringList); }); },
             [&] { PrepareFloor(at("f1")); }}},
        1, rounds, kItems);
    ReportCpu("Vol02 page run");
    g_program.reset();
    for (const char* dst : {"o1", "l1", "s1", "f1"}) Remove(at(dst));
  }
  if (only == 0 || only == 2) {
    const std::string n = std::to_string(kItems);
    ok &= side_by_side::Run(
        "the numbers 1 to 100,000 into one folder, nothing attached",
        {Job{"Vol03 page run", [&] { return ClickRun(g_program->main.vol03, kItems); },
             [&] { PrepareNumbers("o2", kItems); }},
         Job{"lim mknum", [&] { return Lim("mknum " + Quote(at("l2")) + " " + n + " ''"); },
             [&] {
               g_program.reset();
               Fresh(at("l2"));
             }},
         Job{"seq | xargs mkdir", [&] { return Shell("cd " + Quote(at("s2")) + " && seq 1 " + n + " | xargs mkdir"); },
             [&] { Fresh(at("s2")); }},
         Job{"safe floor (+ statx)", [&] { return FloorTimed([&] { return FloorNumbers(at("f2"), kItems); }); },
             [&] { PrepareFloor(at("f2")); }}},
        1, rounds, kItems);
    ReportCpu("Vol03 page run");
    g_program.reset();
    for (const char* dst : {"o2", "l2", "s2", "f2"}) Remove(at(dst));
  }
  if (only == 0 || only == 3) {
    std::vector<std::string> paths;
    std::string relative;
    for (std::size_t i = 0; i < kItems; ++i) {
      paths.push_back("E:\\" + PathItem(i, '\\'));
      (relative += PathItem(i, '/')) += '\0';
    }
    const std::string pathList = at("paths.list");
    if (!WriteFile(pathList, relative)) return 1;
    ok &= side_by_side::Run(
        "100,000 full paths in 1,000 new parents, nothing attached",
        {Job{"Vol04 page run", [&] { return ClickRun(g_program->main.vol04, kItems); },
             [&] { PreparePaths("o3", paths); }},
         Job{"lim mklist", [&] { return Lim("mklist " + Quote(at("l3")) + " " + Quote(pathList)); },
             [&] {
               g_program.reset();
               Fresh(at("l3"));
             }},
         Job{"xargs -0 mkdir -p", [&] { return Shell("cd " + Quote(at("s3")) + " && xargs -0 mkdir -p < " + Quote(pathList)); },
             [&] { Fresh(at("s3")); }},
         Job{"safe floor (+ parents, statx)", [&] { return FloorTimed([&] { return FloorPaths(at("f3"), pathList); }); },
             [&] { PrepareFloor(at("f3")); }}},
        1, rounds, kItems);
    ReportCpu("Vol04 page run");
    g_program.reset();
    for (const char* dst : {"o3", "l3", "s3", "f3"}) Remove(at(dst));
  }
  if (only == 0 || only == 4) {
    Million(lim);
  }
  if (only == 0 || only == 5) {
    const auto split = [&](const char* dst, Pieces pieces) {
      return Job{"", [&, dst, pieces] { return Split(dst, strings, pieces); },
                 [&, dst] {
                   g_rig.reset();
                   Fresh(at(dst));
                 }};
    };
    std::vector<Job> jobs = {
        Job{"lim mklist", [&] { return Lim("mklist " + Quote(at("l5")) + " " + Quote(stringList)); },
            [&] {
              g_rig.reset();
              Fresh(at("l5"));
            }},
        // Each folder also looked up: what reading its identity for undo costs.
        Job{"lim mklist-s (+ fstatat)",
            [&] { return Shell(Quote(lim) + " mklist-s " + Quote(at("m5")) + " " + Quote(stringList)); },
            [&] { Fresh(at("m5")); }},
        split("a5", Pieces::Maker),
        split("b5", Pieces::ComposeMaker),
        split("c5", Pieces::Recorder),
        split("d5", Pieces::RecorderAndLog),
        Job{"Vol02 page run", [&] { return ClickRun(g_program->main.vol02, kItems); },
            [&] {
              g_rig.reset();
              PrepareStrings("e5", strings);
            }}};
    jobs[2].name = "folder maker alone";
    jobs[3].name = "+ name composition";
    jobs[4].name = "+ recorder, no Visual Log";
    jobs[5].name = "+ Visual Log";
    ok &= side_by_side::Run("where a run of 100,000 strings goes, piece by piece", jobs, 0, rounds, kItems);
    ReportCpu("Vol02 page run");
    g_program.reset();
    g_rig.reset();
    for (const char* dst : {"l5", "m5", "a5", "b5", "c5", "d5", "e5"}) Remove(at(dst));
  }
  g_program.reset();
  if (::chdir("/") != 0) return 1;
  Remove(g_root);
  return ok ? 0 : 1;
}
