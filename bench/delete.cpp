// Deleting a tree of 11,110 folders and 100,000 files on tmpfs, side by side
// in one run with `lim rmtree` and `rm -rf` (alternating rounds, median and
// spread, ratio to lim). Our jobs are the delete page's run as a person
// clicks it, counters, Visual Log and journal included, in mode "retain
// nothing": into the desktop's trash (the page's default; the trash is on
// the same tmpfs, as a home trash is on the home folder's disk) and for
// good. A second table runs the undo of the move into the trash beside a
// shell `mv` of the trashed tree back and the removal of its .trashinfo. A
// third runs the selected-files mode, for good, with the patterns
// "*.txt *.doc" on the same tree (every file goes; the second pattern's walk
// reads only the main folder again, as the first found no .doc anywhere),
// beside lim rmtree and find -delete with the same two patterns. Both tables
// have a safe floor row: lim's calls plus those our rules need.
// Making the trees is untimed for every job.
// QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5, 7 unless told).
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
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

constexpr std::size_t kEntries = 111110;

using bench_program::Program;
std::unique_ptr<Program> g_program;
std::string g_root;
std::string g_lim;

void Tree(const char* name) {
  const std::string folder = g_root + "/" + name;
  Shell("rm -rf " + Quote(folder));
  ::mkdir(folder.c_str(), 0755);
  Shell(g_lim + " mktree " + Quote(folder) + " 4 10 10 0");
}

void PrepareOurs(bool patterns, bool trash = false) {
  g_program.reset();
  Shell("rm -rf " + Quote(g_root + "/data"));
  Tree("ours");
  g_program = std::make_unique<Program>();
  auto& page = g_program->main.vol07;
  page.chkVol07DeleteDoubleConfirm.SetChecked(false);
  page.chkVol07MoveToTrash.SetChecked(trash);
  page.include.SetItems({"D:\\ours"});
  page.Refresh();
  // The modes are enabled once the list holds something.
  auto& mode = patterns ? page.rdoVol07DeleteOnlyFiles : page.rdoVol07DeleteCompleteFolders;
  mode.Click();
  if (!mode.Checked()) {
    std::fprintf(stderr, "the mode could not be chosen\n");
    std::exit(1);
  }
  if (patterns) {
    // The second pattern finds nothing the first left: a whole second walk.
    g_program->app.fileSelection->cboFileManNames.SetText("*.txt *.doc");
    g_program->app.fileSelection->Ok();
  }
}

bool ClickDelete(bool patterns) {
  auto& page = g_program->main.vol07;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  page.btnVol07DeleteFolders.Click();
  const bool none = page.stats.Get("FoldersOtherReasons") == 0 && page.stats.Get("FilesOtherReasons") == 0;
  const bool all = patterns ? page.stats.Get("FilesDeleted") == 100000 && page.stats.Get("FoldersDeleted") == 0
                            : page.stats.Get("FoldersDeleted") == page.stats.Get("FoldersToDelete") &&
                                  page.stats.Get("FilesDeleted") == 100000 &&
                                  !side_by_side::Shell("test -e " + Quote(g_root + "/ours"));
  if (!none || !all)
    std::fprintf(stderr, "deleted %.0f of %.0f folders, %.0f files\n", page.stats.Get("FoldersDeleted"),
                 page.stats.Get("FoldersToDelete"), page.stats.Get("FilesDeleted"));
  return none && all;
}

// The tree moved into the trash by our run, untimed, for an undo to bring back.
void Trashed() {
  PrepareOurs(false, true);
  if (!ClickDelete(false) || g_program->main.vol07.TrashedRecord.size() != 1) {
    std::fprintf(stderr, "the tree did not go into the trash whole\n");
    std::exit(1);
  }
}

bool ClickUndo() {
  auto& page = g_program->main.vol07;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  page.btnVol07Undo.Click();
  return page.TrashedRecord.empty() && page.FailedRestoreRecord.empty() &&
         Shell("test -d " + Quote(g_root + "/ours/d1_00"));
}

// What a person would type to bring the tree back from the trash by hand.
bool MoveBack() {
  const quillory::TrashedEntry entry = g_program->main.vol07.TrashedRecord.front();
  return Shell("mv -T " + Quote(entry.trash + "/files/" + entry.name) + " " + Quote(entry.origin) + " && rm " +
               Quote(entry.trash + "/info/" + entry.name + ".trashinfo"));
}

// The safe floor: lim's calls plus exactly those our rules add. Each folder
// is opened by openat2 with no link followed and no mount crossed (one call,
// as lim's openat) and listed to its end before anything in it goes, so no
// listing that broke off is trusted. Each entry to be removed is looked at
// once by fstatat: a file's mode, as a read-only one is refused, cannot come
// from the listing (it gives the type only), and a folder's neither. Nothing
// else: no names kept, no counting, no logs.
struct FloorCount {
  long removed = 0;
  long failed = 0;
};

int FloorOpen(int parent, const char* name) {
  open_how how{};
  how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
  how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS;
  return static_cast<int>(::syscall(SYS_openat2, parent, name, &how, sizeof how));
}

// The whole listing of `fd`, names NUL-ended, each after its type byte; false
// when it broke off.
bool FloorList(int fd, std::string* names) {
  static std::vector<char> buffer(256 * 1024);
  names->clear();
  for (;;) {
    const long n = ::syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
    if (n == 0) return true;
    if (n < 0) return false;
    for (long at = 0; at < n;) {
      const char* record = buffer.data() + at;
      unsigned short length = 0;
      std::memcpy(&length, record + 16, sizeof length);
      at += length;
      const char* name = record + 19;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      names->push_back(record[18]);
      names->append(name);
      names->push_back('\0');
    }
  }
}

bool FloorRemove(int fd, const char* name, bool folder) {
  struct stat st {};
  return ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && (st.st_mode & S_IWUSR) != 0 &&
         ::unlinkat(fd, name, folder ? AT_REMOVEDIR : 0) == 0;
}

// Post-order, as lim rmtree; `masks` empty: every file and folder goes, else
// only the files matching one of them (case-blind) and every folder stays.
void FloorWalk(int parent, const char* name, const std::vector<std::string>& masks, FloorCount* count) {
  const int fd = FloorOpen(parent, name);
  std::string names;
  if (fd < 0 || !FloorList(fd, &names)) {
    if (fd >= 0) ::close(fd);
    ++count->failed;
    return;
  }
  for (std::size_t at = 0; at < names.size();) {
    const unsigned char type = static_cast<unsigned char>(names[at]);
    const char* entry = names.c_str() + at + 1;
    at += std::strlen(entry) + 2;
    if (type == DT_DIR) {
      FloorWalk(fd, entry, masks, count);
      continue;
    }
    if (!masks.empty() && std::none_of(masks.begin(), masks.end(), [&](const std::string& mask) {
          return ::fnmatch(mask.c_str(), entry, FNM_CASEFOLD) == 0;
        }))
      continue;
    ++(FloorRemove(fd, entry, false) ? count->removed : count->failed);
  }
  ::close(fd);
  if (masks.empty()) ++(FloorRemove(parent, name, true) ? count->removed : count->failed);
}

// `name` in the workplace, which is opened as the person's own folder.
bool SafeFloor(const char* name, const std::vector<std::string>& masks, long expected) {
  FloorCount count;
  const int root = ::open(g_root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (root < 0) return false;
  FloorWalk(root, name, masks, &count);
  ::close(root);
  return count.failed == 0 && count.removed == expected;
}

}  // namespace

int main() {
  using side_by_side::Job;
  g_root = bench_program::Workplace("delete");
  if (g_root.empty()) return 1;
  const int rounds = bench_program::Rounds();
  g_lim = Quote(side_by_side::Lim());
  // The home trash on the same tmpfs as the tree.
  ::setenv("XDG_DATA_HOME", (g_root + "/data").c_str(), 1);

  bool ok = true;
  ok &= side_by_side::Run(
      "delete a tree of 11,110 folders and 100,000 files, retain nothing",
      {Job{"Vol07 into the trash", [&] { return ClickDelete(false); }, [&] { PrepareOurs(false, true); }},
       Job{"Vol07 for good", [&] { return ClickDelete(false); }, [&] { PrepareOurs(false); }},
       Job{"lim rmtree", [&] { return Shell(g_lim + " rmtree " + Quote(g_root + "/lim")); },
           [&] {
             g_program.reset();
             Tree("lim");
           }},
       Job{"rm -rf", [&] { return Shell("rm -rf " + Quote(g_root + "/sh")); }, [&] { Tree("sh"); }},
       Job{"safe floor", [&] { return SafeFloor("fl", {}, static_cast<long>(kEntries) + 1); },
           [&] { Tree("fl"); }}},
      2, rounds, kEntries);
  ok &= side_by_side::Run("undo of that move into the trash",
                          {Job{"Vol07 Undo", ClickUndo, Trashed}, Job{"mv back, rm .trashinfo", MoveBack, Trashed}},
                          1, rounds, kEntries);
  // Two patterns over the same tree: walked once per pattern.
  ok &= side_by_side::Run(
      "selected files, mode 2, on the same tree",
      {Job{"Vol07 page run, mode 2", [&] { return ClickDelete(true); }, [&] { PrepareOurs(true); }},
       Job{"lim rmtree", [&] { return Shell(g_lim + " rmtree " + Quote(g_root + "/lim")); },
           [&] {
             g_program.reset();
             Tree("lim");
           }},
       Job{"find -delete, two patterns",
           [&] {
             return Shell("find " + Quote(g_root + "/sh") +
                          " -type f \\( -iname '*.txt' -o -iname '*.doc' \\) -delete");
           },
           [&] { Tree("sh"); }},
       // One walk for both patterns, as find's: that ours walks per pattern
       // (all of the first pattern's files listed first) is the mode's order,
       // no rule's.
       Job{"safe floor", [&] { return SafeFloor("fl", {"*.txt", "*.doc"}, 100000); },
           [&] { Tree("fl"); }}},
      1, rounds, kEntries);
  g_program.reset();
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
