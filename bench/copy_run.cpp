// The copy page on tmpfs, a whole program answering through a ScriptedUi
// with its Visual Logs attached, run by clicking " COPY   Folder Structures/
// Templates ": a folders-only structure of 1,111 folders (a root, 10, 100 and
// 1,000 below it) copied into 1,000 existing folders in the mode
// "Subfolders Only - Without Files.", so that each receives the 1,110
// folders below the root, as `lim cptree SRC dirs DST...` does; beside it
// that lim command and `find -mindepth 1 -type d | xargs -0 mkdir -p` per
// destination, alternating rounds, median and spread, ratio to lim; and a
// safe floor: lim's calls plus those the program's rules add.
//
// Timed is the click and nothing else: the program starts, its lists are
// filled and the destinations made fresh before it, untimed; what the run
// made goes after it, untimed. QUILLORY_LIM names lim; QUILLORY_ROUNDS the
// rounds (>= 5, 5 unless told); QUILLORY_COPY_ONLY=1 runs ours alone (for
// profiling: QUILLORY_COPY_ONLY=1 perf record -g bench_copy_run).
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The identities the safe floor read of what it made.
struct FloorIdentity {
  std::uint64_t device = 0, inode = 0;
  std::int64_t birthSeconds = 0;
  std::uint32_t birthNanoseconds = 0;
};
std::vector<FloorIdentity> g_floorMade;

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
const std::vector<std::string> kJobFolders = {"ours", "lim", "sh", "floor"};
void FreshDestinations(const std::string& folder) {
  g_program.reset();
  g_floorMade = {};
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
  for (int i = 0; i < kDestinations; ++i) {
    std::string path = g_root;
    ((path += "/") += folder) += "/";
    path += Destination(i);
    (args += " ") += Quote(path);
  }
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

// The least a folders-only copy may do under the program's rules, as a
// minimal loop beside ours. Seen by `strace -f -c` on the batch program, a
// copy makes per folder one mkdirat from its parent's descriptor and one
// statx of the new name without following a link (its identity, so that
// undo takes away only what the run made), and per folder with folders below
// it one openat2 that follows no link and crosses no mount, and its close.
// The floor does exactly that per destination, after reading the source once
// (lim reads it once too) with the same openat2; lim instead makes each
// folder by its relative path from the destination, one call. No names
// composed, no counting, no logs, no journal (a write per 32 KiB of records).
struct FloorNode {
  std::string name;
  std::vector<FloorNode> children;
};

int FloorDescend(int parent, const char* name) {
  open_how how{};
  how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS;
  return static_cast<int>(::syscall(SYS_openat2, parent, name, &how, sizeof how));
}

// The folders below `fd` (which it closes), to their ends.
bool FloorRead(int fd, FloorNode* node) {
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  while (const dirent* d = ::readdir(dir)) {
    if (d->d_type != DT_DIR || std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
    FloorNode child{d->d_name, {}};
    const int sub = FloorDescend(::dirfd(dir), d->d_name);
    ok = sub >= 0 && FloorRead(sub, &child) && ok;
    node->children.push_back(std::move(child));
  }
  ::closedir(dir);
  return ok;
}

bool FloorCopy(int parent, const FloorNode& node) {
  bool ok = true;
  for (const FloorNode& child : node.children) {
    struct statx sx {};
    if (::mkdirat(parent, child.name.c_str(), 0777) != 0 ||
        ::statx(parent, child.name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_INO | STATX_BTIME, &sx) != 0)
      return false;
    g_floorMade.push_back({(std::uint64_t{sx.stx_dev_major} << 32) | sx.stx_dev_minor, sx.stx_ino,
                           sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec});
    if (child.children.empty()) continue;
    const int fd = FloorDescend(parent, child.name.c_str());
    ok = fd >= 0 && FloorCopy(fd, child) && ok;
    if (fd >= 0) ::close(fd);
  }
  return ok;
}

bool SafeFloor(const std::string& src) {
  FloorNode root;
  const int in = ::open(src.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (in < 0 || !FloorRead(in, &root)) return false;
  bool ok = true;
  for (int i = 0; i < kDestinations && ok; ++i) {
    std::string destination = g_root;
    (destination += "/floor/") += Destination(i);
    const int fd = ::open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    ok = fd >= 0 && FloorCopy(fd, root);
    if (fd >= 0) ::close(fd);
  }
  return ok && g_floorMade.size() == kDestinations * static_cast<std::size_t>(kBelowRoot);
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
      Job{"find -type d | xargs mkdir -p", [&] { return Shell(each); }, [] { FreshDestinations("sh"); }},
      Job{"safe floor (+ statx, openat2)", [&] { return SafeFloor(src); },
          [] { FreshDestinations("floor"); }}};
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
