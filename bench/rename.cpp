// Renaming 100,000 folders with a prefix, and the undo of that run, on
// tmpfs, side by side in one run with `lim renlist` and `rename.ul -o`
// (alternating rounds, median and spread, ratio to lim). Our jobs are the
// page's buttons as a person clicks them, recorder and Visual Log included;
// making the folders is untimed for every job. Both tables have a safe floor
// row: lim's calls plus those the program's rules add, in the list's order
// and in the run's.
// QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5, 7 unless told).
#include <fcntl.h>
#include <sys/stat.h>
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

constexpr std::size_t kItems = 100000;

using bench_program::Program;
std::unique_ptr<Program> g_program;
std::string g_root;
std::string g_lim;
std::string g_names;  // Folder nnnnnn\0 ...

using bench_program::FolderName;

void Made(const std::string& dst) { bench_program::MadeByLim(g_lim, g_root + "/" + dst, g_names); }

// The page with its folders there and the prefix typed.
void PrepareOurs(const std::vector<std::string>& items) {
  g_program.reset();
  Made("ours");
  g_program = std::make_unique<Program>();
  auto& page = g_program->main.vol06;
  page.include.SetItems(items);
  page.Refresh();
  page.edtVol06NewPrefix.UserSetText("X");
}

bool ClickRename() {
  auto& page = g_program->main.vol06;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  page.btnVol06RenameFolders.Click();
  return page.RenameRecord.size() == kItems;
}

bool ClickUndo() {
  auto& page = g_program->main.vol06;
  g_program->ui.answers.push_back(quillory::MessageAnswer::Yes);
  page.btnVol06Undo.Click();
  return page.RenameRecord.empty() && page.FailedUndoRecord.empty();
}

const char* kRenameUl = "rename.ul";

std::string RenameUl(const std::string& dst, const char* from, const char* to) {
  return "cd " + Quote(g_root + "/" + dst) + " && printf '%s\\0' " + from + "* | xargs -0 " + kRenameUl + " -o " +
         Quote(from) + " " + Quote(to);
}

// The least a rename may do under the program's rules, as a minimal loop.
// Seen by `strace -f -c` on the batch program, a rename run and its undo make
// one renameat2(RENAME_NOREPLACE) per folder and nothing more: no name is
// replaced, and the old name is given with a trailing slash, so that only a
// folder moves, never a file or a link in its place, at no extra call. The
// floor is lim renlist's loop (the list file read whole, a renameat2 per pair
// from the folder's descriptor) with that slash; no records, no log.
bool SafeFloor(const std::string& folder, const std::string& list) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  const int in = ::open(list.c_str(), O_RDONLY | O_CLOEXEC);
  std::string pairs;
  char buffer[1 << 16];
  ssize_t n = 0;
  while (in >= 0 && (n = ::read(in, buffer, sizeof buffer)) > 0) pairs.append(buffer, static_cast<std::size_t>(n));
  if (in >= 0) ::close(in);
  if (dir < 0 || in < 0 || n != 0) {
    if (dir >= 0) ::close(dir);
    return false;
  }
  std::string from;
  std::size_t renamed = 0;
  for (std::size_t at = 0; at < pairs.size();) {
    const char* old = pairs.c_str() + at;
    at += std::strlen(old) + 1;
    if (at >= pairs.size()) break;
    const char* now = pairs.c_str() + at;
    at += std::strlen(now) + 1;
    (from = old) += '/';
    renamed += ::renameat2(dir, from.c_str(), dir, now, RENAME_NOREPLACE) == 0;
  }
  ::close(dir);
  return renamed == kItems;
}

}  // namespace

int main() {
  using side_by_side::Job;
  g_root = bench_program::Workplace("rename");
  if (g_root.empty()) return 1;
  const int rounds = bench_program::Rounds();
  g_lim = Quote(side_by_side::Lim());
  const bool haveRenameUl = Shell(std::string("command -v ") + kRenameUl + " > /dev/null");
  if (!haveRenameUl) std::printf("%s is not present: its rows are left out\n", kRenameUl);

  std::vector<std::string> items;
  std::string names;
  for (std::size_t i = 0; i < kItems; ++i) {
    const std::string name = FolderName(i);
    items.push_back("D:\\ours\\" + name);
    (names += name) += '\0';
  }
  using bench_program::WriteFile;
  g_names = WriteFile(g_root + "/names.list", names);
  // The pairs of a rename (or, `back`, of its undo) as a list file, in the
  // list's order or in the run's own: deepest first and, among equals, the
  // last listed first, which its undo keeps. On tmpfs the directory's index
  // alone makes the run's order dearer than the list's.
  const auto pairs = [&](const char* file, bool back, bool runOrder) {
    std::string text;
    for (std::size_t k = 0; k < kItems; ++k) {
      const std::string name = FolderName(runOrder ? kItems - 1 - k : k);
      const std::string renamed = "X" + name;
      ((text += back ? renamed : name) += '\0') += (back ? name : renamed) + '\0';
    }
    return WriteFile(g_root + "/" + file, text);
  };
  const std::string forwardList = pairs("forward.list", false, false);
  const std::string backList = pairs("back.list", true, false);
  const std::string forwardRunList = pairs("forward-run.list", false, true);
  const std::string backRunList = pairs("back-run.list", true, true);
  const auto lim = [&](const std::string& list) {
    return Shell(g_lim + " renlist " + Quote(g_root + "/lim") + " " + Quote(list));
  };

  bool ok = true;
  std::vector<Job> renameJobs = {
      Job{"Vol06 page rename", [] { return ClickRename(); }, [&] { PrepareOurs(items); }},
      Job{"lim renlist", [&] { return lim(forwardList); },
          [] {
            g_program.reset();
            Made("lim");
          }}};
  if (haveRenameUl)
    renameJobs.push_back(Job{"rename.ul -o", [] { return Shell(RenameUl("sh", "Folder", "XFolder")); },
                             [] { Made("sh"); }});
  renameJobs.push_back(Job{"safe floor (renamed/)", [&] { return SafeFloor(g_root + "/floor", forwardList); },
                           [] {
                             g_program.reset();
                             Made("floor");
                           }});
  renameJobs.push_back(Job{"safe floor, the run's order", [&] { return SafeFloor(g_root + "/floor", forwardRunList); },
                           [] {
                             g_program.reset();
                             Made("floor");
                           }});
  ok &= side_by_side::Run("100,000 folders renamed with a prefix", renameJobs, 1, rounds, kItems);

  std::vector<Job> undoJobs = {
      Job{"Vol06 page Undo", [] { return ClickUndo(); },
          [&] {
            PrepareOurs(items);
            ClickRename();
          }},
      Job{"lim renlist", [&] { return lim(backList); },
          [&] {
            g_program.reset();
            Made("lim");
            lim(forwardList);
          }}};
  if (haveRenameUl)
    undoJobs.push_back(Job{"rename.ul -o", [] { return Shell(RenameUl("sh", "XFolder", "Folder")); },
                           [] {
                             Made("sh");
                             Shell(RenameUl("sh", "Folder", "XFolder"));
                           }});
  undoJobs.push_back(Job{"safe floor (renamed/)", [&] { return SafeFloor(g_root + "/floor", backList); },
                         [&] {
                           g_program.reset();
                           Made("floor");
                           SafeFloor(g_root + "/floor", forwardList);
                         }});
  undoJobs.push_back(Job{"safe floor, the run's order", [&] { return SafeFloor(g_root + "/floor", backRunList); },
                         [&] {
                           g_program.reset();
                           Made("floor");
                           SafeFloor(g_root + "/floor", forwardRunList);
                         }});
  ok &= side_by_side::Run("undo of that rename", undoJobs, 1, rounds, kItems);
  g_program.reset();
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
