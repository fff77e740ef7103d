// Undo of a string run that made 100,000 folders, on tmpfs, side by side in
// one run with `lim rmlist` and `xargs -0 rmdir` (alternating rounds, median
// and spread, ratio to lim), and a safe floor. Our job is the page's Undo as
// a person clicks it: every folder checked to be still the one the run made,
// then removed, deepest first. Making the folders is untimed for every job.
// QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5, 7 unless told).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
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

constexpr std::size_t kItems = 100000;

using bench_program::Program;
std::unique_ptr<Program> g_program;
std::string g_root;

using bench_program::FolderName;

using bench_program::Fresh;

// The page with its run done, its Undo still to click.
bool PrepareOurs(const std::vector<std::string>& items) {
  g_program.reset();
  Fresh(g_root + "/ours");
  g_program = std::make_unique<Program>();
  auto& page = g_program->main.vol02;
  page.ChooseDestination("D:\\ours");
  page.structures.SourceKindClick(quillory::SourceKind::Nothing);
  page.lstVol02IncludeStrings.SetItems(items);
  page.Refresh();
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  page.btnCreateFolders.Click();
  return page.records.createdMainFolders.size() == items.size();
}

bool ClickUndo() {
  auto& page = g_program->main.vol02;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  page.btnUndo.Click();
  if (!page.failedUndoFolders.empty()) {
    std::fprintf(stderr, "undo left %zu folders\n", page.failedUndoFolders.size());
    return false;
  }
  return page.records.createdMainFolders.empty();
}

// The least an undo can do under the safety rules, as a minimal loop: lim's
// unlinkat(AT_REMOVEDIR) per folder from the parent's descriptor, plus the
// one identity read the rule "never a look-alike" needs before it: a statx
// without following a link, asking only for type, mode (a read-only folder
// stays), inode and birth time, compared with what was recorded when the
// folder was made (device, inode, birth time). No records, no log, no counters.
struct FloorFolder {
  std::string name;
  std::uint64_t device = 0, inode = 0;
  std::int64_t birthSeconds = 0;
  std::uint32_t birthNanoseconds = 0;
};
std::vector<FloorFolder> g_floorMade;

constexpr unsigned kFloorMask = STATX_TYPE | STATX_MODE | STATX_INO | STATX_BTIME;

bool FloorIdentity(int parent, const char* name, FloorFolder* folder) {
  struct statx sx {};
  if (::statx(parent, name, AT_SYMLINK_NOFOLLOW, kFloorMask, &sx) != 0) return false;
  folder->device = (std::uint64_t{sx.stx_dev_major} << 32) | sx.stx_dev_minor;
  folder->inode = sx.stx_ino;
  folder->birthSeconds = sx.stx_btime.tv_sec;
  folder->birthNanoseconds = sx.stx_btime.tv_nsec;
  return S_ISDIR(sx.stx_mode) && (sx.stx_mode & S_IWUSR) != 0;
}

// Untimed: the folders as lim makes them, with their identities recorded.
void PrepareFloor(const std::string& lim, const std::string& listFile, const std::vector<std::string>& items) {
  bench_program::MadeByLim(lim, g_root + "/floor", listFile);
  g_floorMade.clear();
  const int parent = ::open((g_root + "/floor").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  for (const std::string& name : items) {
    FloorFolder folder{name};
    if (parent >= 0 && FloorIdentity(parent, name.c_str(), &folder)) g_floorMade.push_back(std::move(folder));
  }
  if (parent >= 0) ::close(parent);
}

bool SafeFloor() {
  const int parent = ::open((g_root + "/floor").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (parent < 0) return false;
  bool ok = g_floorMade.size() == kItems;
  for (auto it = g_floorMade.rbegin(); it != g_floorMade.rend(); ++it) {
    FloorFolder now;
    ok = FloorIdentity(parent, it->name.c_str(), &now) && now.device == it->device && now.inode == it->inode &&
         now.birthSeconds == it->birthSeconds && now.birthNanoseconds == it->birthNanoseconds &&
         ::unlinkat(parent, it->name.c_str(), AT_REMOVEDIR) == 0 && ok;
  }
  ::close(parent);
  return ok;
}

}  // namespace

int main() {
  using side_by_side::Job;
  g_root = bench_program::Workplace("undo");
  if (g_root.empty()) return 1;
  const int rounds = bench_program::Rounds();
  const std::string lim = Quote(side_by_side::Lim());

  std::vector<std::string> items;
  std::string list;
  for (std::size_t i = 0; i < kItems; ++i) {
    items.push_back(FolderName(i));
    (list += items.back()) += '\0';
  }
  const std::string listFile = bench_program::WriteFile(g_root + "/names.list", list);
  const auto made = [&](const char* dst) { bench_program::MadeByLim(lim, g_root + "/" + dst, listFile); };
  bool ok = true;
  bool prepared = true;
  ok &= side_by_side::Run(
      "undo of 100,000 folders made by a string run",
      {Job{"Vol02 page Undo", [&] { return prepared && ClickUndo(); }, [&] { prepared = PrepareOurs(items); }},
       Job{"lim rmlist", [&] { return Shell(lim + " rmlist " + Quote(g_root + "/lim") + " " + Quote(listFile)); },
           [&] {
             g_program.reset();
             made("lim");
           }},
       Job{"xargs -0 rmdir",
           [&] { return Shell("cd " + Quote(g_root + "/sh") + " && xargs -0 rmdir < " + Quote(listFile)); },
           [&] { made("sh"); }},
       Job{"safe floor (minimal loop)", SafeFloor, [&] { PrepareFloor(lim, listFile, items); }}},
      1, rounds, kItems);
  g_program.reset();
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
