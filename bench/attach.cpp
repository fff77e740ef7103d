// The attach engine on tmpfs, side by side with `lim` and the usual shell
// tools in one run (alternating rounds, median and spread, ratio to lim):
//
// 1. a structure of 1,111 folders and 10,000 files of 1 KiB attached with
//    files (mode 1) into 20 folders, beside `lim cptree SRC files DST...` and
//    `cp -r` per target;
// 2. the same structure without files (mode 2) into 100 folders, beside
//    `lim cptree SRC dirs DST...` and `find -type d | xargs -0 mkdir -p`;
// 3. a template of 10 lines applied to 10,000 folders, beside `lim mklist`
//    and `xargs -0 mkdir -p`.
//
// Our job is what a run does: the structure read once and measured afresh,
// then every step of the engine made an outcome by the create pages' rules
// and kept by the run's recorder: real statistics, a real Visual Log and the
// undo records. QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5, 7 unless told).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "app/window.h"
#include "lists/file_export.h"
#include "operations/attach_engine.h"
#include "operations/attach_outcomes.h"
#include "operations/run_recorder.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "results/operation_statistics.h"
#include "results/visual_log_windows.h"
#include "results/visual_logs.h"
#include "results/zoom_windows.h"
#include "side_by_side.h"

namespace {

using quillory::PageKey;

// What a create page owns for a run: its counters, its Visual Log and the
// undo records.
struct Rig {
  quillory::ScriptedUi ui;
  quillory::SettingsStore settings;
  quillory::TfrmStatistic02 log;
  quillory::TfrmVol02ZoomStatistics zoom;
  quillory::TfrmFileExport exportWindow{ui, settings, quillory::HostFileSystem()};
  quillory::Window page{"TfrmMain", "page"};
  quillory::OperationStatistics stats{quillory::CreatePageCounterNames()};
  quillory::CheckBox show{"chkVol02ShowDetailedResults", ""};
  quillory::VisualLogs logs{ui};
  quillory::AttachRecords records;
  Rig() {
    log.Attach(ui, exportWindow, zoom);
    logs.Attach(PageKey::Vol02, stats, page, log, show);
    logs.PrepareVisualLog(PageKey::Vol02, false);
  }
  // What a real run of the page hands its recorder (no journal: the bench
  // keeps none).
  quillory::RecorderSetup Recording() {
    quillory::RecorderSetup setup;
    setup.page = PageKey::Vol02;
    setup.stats = &stats;
    setup.logs = &logs;
    setup.records.folders = &records.createdFolders;
    setup.records.madeFolders = &records.madeFolders;
    setup.records.files = &records.copiedFiles;
    setup.records.writtenFiles = &records.copiedFileIds;
    setup.ui = &ui;
    return setup;
  }
};

// The engine's steps as a run hands them on: each made its outcome by
// the page's rules, then recorded.
quillory::StepSink Steps(const quillory::OutcomeSink& record, const quillory::CreateStepRules& rules) {
  return [&record, rules](const quillory::AttachStep& step) { record(quillory::CreatePageStepOutcome(step, rules)); };
}

std::string g_root;  // host folder of D:

// What the page keeps after a run (its counters, Visual Log, undo records and
// totals) lives on past the timing, as it does in the program, and goes in
// the next preparation, untimed.
struct Kept {
  Rig rig;
  quillory::StructureTotalsCache cache;
};
std::unique_ptr<Kept> g_kept;

bool WriteFile(const std::string& path, const std::string& data) {
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  if (fd < 0) return false;
  const bool ok = ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
  return ::close(fd) == 0 && ok;
}

// Depth 3, ten folders in each: 1 + 10 + 100 + 1,000 folders, ten files of
// 1 KiB in every leaf.
bool MakeTree(const std::string& path, int depth) {
  if (::mkdir(path.c_str(), 0755) != 0) return false;
  if (depth == 3) {
    const std::string data(1024, 'q');
    for (int f = 0; f < 10; ++f)
      if (!WriteFile(path + "/file" + std::to_string(f) + ".dat", data)) return false;
    return true;
  }
  for (int i = 0; i < 10; ++i)
    if (!MakeTree(path + "/d" + std::to_string(i), depth + 1)) return false;
  return true;
}

std::string Target(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "t%05d", i);
  return name;
}

// Empties `folder` (host) and makes `count` empty targets in it.
void FreshTargets(const std::string& folder, int count) {
  g_kept.reset();
  side_by_side::Shell("rm -rf " + side_by_side::Quote(folder));
  ::mkdir(folder.c_str(), 0755);
  for (int i = 0; i < count; ++i) ::mkdir((folder + "/" + Target(i)).c_str(), 0755);
}

std::string TargetArgs(const std::string& folder, int count) {
  std::string args;
  for (int i = 0; i < count; ++i) args += " " + side_by_side::Quote(folder + "/" + Target(i));
  return args;
}

// One run of ours: read, measure, copy into every target, record.
bool AttachStructure(const std::string& dst, int targets, quillory::AttachMode mode) {
  quillory::FileSystem& fs = quillory::HostFileSystem();
  g_kept = std::make_unique<Kept>();
  Rig& rig = g_kept->rig;
  quillory::StructureTotalsCache& cache = g_kept->cache;
  const quillory::StructureInput input{quillory::SourceKind::Structures, {"D:\\src"}, mode, {"*.*"},
                                       quillory::WithFiles(mode)};
  const quillory::StructureTotals& totals = cache.Fresh(fs, input);
  const quillory::StructureSnapshot snapshot = quillory::StructureSnapshot::Read(fs, "D:\\src");
  quillory::RunRecorder recorder(rig.Recording());
  const quillory::OutcomeSink record = recorder.Sink();
  const quillory::OneCopyTotals oneCopy{static_cast<double>(totals.folders), static_cast<double>(totals.files),
                                        static_cast<double>(totals.bytes)};
  const quillory::StepSink sink = Steps(
      record, {PageKey::Vol02,
               quillory::RejectedLineAddsTotals(PageKey::Vol02, quillory::SourceKind::Structures, mode), oneCopy});
  quillory::CopyRequest request;
  request.structure = &snapshot;
  request.mode = mode;
  request.sizeMap = &totals.sizeMap;
  for (int i = 0; i < targets; ++i) {
    request.target = "D:\\" + dst + "\\" + Target(i);
    quillory::CopyExistingStructure(fs, request, sink);
  }
  recorder.Flush();
  const double expectFolders = targets * 1111.0;
  const double expectFiles = quillory::WithFiles(mode) ? targets * 10000.0 : 0;
  if (rig.stats.Get("SubFoldersCreated") != expectFolders || rig.stats.Get("FilesCreated") != expectFiles) {
    std::fprintf(stderr, "ours: %.0f folders, %.0f files\n", rig.stats.Get("SubFoldersCreated"),
                 rig.stats.Get("FilesCreated"));
    return false;
  }
  return true;
}

// The least a copy can do under the program's safety rules, as a minimal
// loop of system calls beside ours: the source read once (small files into
// memory), then per target, per folder mkdirat from the parent's descriptor,
// openat O_NOFOLLOW to descend and fstat for its identity; per file an
// unnamed file, write, futimens, fstat for its identity and a linkat that
// never replaces. No counting, no logs, no records.
struct FloorNode {
  std::string name;
  bool folder = false;
  mode_t mode = 0644;
  struct timespec mtime {};
  std::string data;
  std::vector<FloorNode> children;
};

bool FloorRead(int fd, FloorNode* node, bool withFiles) {
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) return false;
  bool ok = true;
  while (const dirent* d = ::readdir(dir)) {
    const std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    FloorNode child;
    child.name = name;
    if (d->d_type == DT_DIR) {
      child.folder = true;
      const int sub = ::openat(::dirfd(dir), d->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      ok = sub >= 0 && FloorRead(sub, &child, withFiles) && ok;
    } else if (withFiles) {
      const int in = ::openat(::dirfd(dir), d->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
      struct stat st {};
      if (in < 0 || ::fstat(in, &st) != 0) {
        ::closedir(dir);
        return false;
      }
      child.mode = st.st_mode & 0777;
      child.mtime = st.st_mtim;
      child.data.resize(static_cast<std::size_t>(st.st_size));
      ok = ::read(in, child.data.data(), child.data.size()) == st.st_size && ok;
      ::close(in);
    }
    node->children.push_back(std::move(child));
  }
  ::closedir(dir);
  return ok;
}

std::uint64_t g_floorSum = 0;  // identities, so that no call is left out

bool FloorCopy(int parent, const FloorNode& node, bool withFiles) {
  bool ok = true;
  for (const FloorNode& child : node.children) {
    struct stat st {};
    if (child.folder) {
      if (::mkdirat(parent, child.name.c_str(), 0777) != 0) return false;
      const int fd = ::openat(parent, child.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (fd < 0 || ::fstat(fd, &st) != 0) return false;
      g_floorSum += st.st_ino;
      ok = FloorCopy(fd, child, withFiles) && ok;
      ::close(fd);
    } else if (withFiles) {
      const int fd = ::openat(parent, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, child.mode);
      if (fd < 0) return false;
      const struct timespec times[2] = {{0, UTIME_OMIT}, child.mtime};
      ok = ::write(fd, child.data.data(), child.data.size()) == static_cast<ssize_t>(child.data.size()) &&
           ::futimens(fd, times) == 0 && ::fstat(fd, &st) == 0 &&
           ::linkat(fd, "", parent, child.name.c_str(), AT_EMPTY_PATH) == 0 && ok;
      g_floorSum += st.st_ino;
      ::close(fd);
    }
  }
  return ok;
}

bool SafeFloor(const std::string& src, const std::string& dst, int targets, bool withFiles) {
  FloorNode root;
  const int in = ::open(src.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (in < 0 || !FloorRead(in, &root, withFiles)) return false;
  root.name = "src";
  root.folder = true;
  const FloorNode top{"", true, 0, {}, {}, {root}};
  bool ok = true;
  for (int i = 0; i < targets; ++i) {
    const int fd = ::open((dst + "/" + Target(i)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    ok = FloorCopy(fd, top, withFiles) && ok;
    ::close(fd);
  }
  return ok;
}

const std::vector<std::string> kTemplate = {"\\Project\\Plans",  "\\Project\\Mail",   "\\Project\\Drafts\\Old",
                                            "\\Project\\Drafts", "\\Billing\\2024",   "\\Billing\\2025",
                                            "\\Billing\\Open",   "\\Notes",           "\\Archive\\Scans",
                                            "\\Archive\\Paper"};
constexpr int kTemplateTargets = 10000;

bool ApplyTemplate(const std::string& dst) {
  quillory::FileSystem& fs = quillory::HostFileSystem();
  g_kept = std::make_unique<Kept>();
  Rig& rig = g_kept->rig;
  quillory::RunRecorder recorder(rig.Recording());
  const quillory::OutcomeSink record = recorder.Sink();
  // No structure totals: template lines name nothing on disk.
  const quillory::StepSink sink = Steps(
      record, {PageKey::Vol02,
               quillory::RejectedLineAddsTotals(PageKey::Vol02, quillory::SourceKind::Templates,
                                                quillory::AttachMode::MainWithoutFiles),
               {}});
  const quillory::TemplateKind whole{quillory::TemplateKindCode::WholePaths, {}};
  for (int i = 0; i < kTemplateTargets; ++i) {
    const std::string target = "D:\\" + dst + "\\" + Target(i);
    for (const std::string& line : kTemplate)
      quillory::ApplyTemplateLine(fs, target, line, whole, quillory::AttachVariant::CreatePage, sink);
  }
  recorder.Flush();
  return rig.stats.Get("SubFoldersCreated") == kTemplateTargets * 10.0;
}

// The template's folders under every target, NUL-separated, relative to
// `folder` or absolute.
bool WriteTemplateList(const std::string& file, const std::string& folder) {
  std::string list;
  for (int i = 0; i < kTemplateTargets; ++i)
    for (std::string line : kTemplate) {
      for (char& c : line)
        if (c == '\\') c = '/';
      list += (folder.empty() ? "" : folder + "/") + Target(i) + line;
      list += '\0';
    }
  return WriteFile(file, list);
}

int Rounds() {
  const char* text = std::getenv("QUILLORY_ROUNDS");
  return std::max(5, text != nullptr ? std::atoi(text) : 7);
}

}  // namespace

int main() {
  using side_by_side::Job;
  using side_by_side::Quote;
  using side_by_side::Shell;
  std::string pattern = side_by_side::DataRoot() + "/quillory-attach-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  g_root = pattern;
  quillory::Drives().Set('D', g_root);
  const std::string src = g_root + "/src";
  if (!MakeTree(src, 0)) {
    std::perror("making the tree");
    return 1;
  }
  const std::string lim = side_by_side::Lim();
  const int rounds = Rounds();
  bool ok = true;
  // QUILLORY_ATTACH_ONLY=1, 2 or 3 runs one of the three (for profiling).
  const char* onlyText = std::getenv("QUILLORY_ATTACH_ONLY");
  const int only = onlyText != nullptr ? std::atoi(onlyText) : 0;

  if (only == 0 || only == 1) {
    const int targets = 20;
    const std::string ours = g_root + "/o1", limDst = g_root + "/l1", cp = g_root + "/c1", floorDst = g_root + "/f1";
    std::string cpAll;
    for (int i = 0; i < targets; ++i) cpAll += "cp -r " + Quote(src) + " " + Quote(cp + "/" + Target(i)) + " && ";
    cpAll += "true";
    ok &= side_by_side::Run(
        "1,111 folders and 10,000 files of 1 KiB, with files, into 20 folders",
        {Job{"attach engine + recorder", [&] { return AttachStructure("o1", targets, quillory::AttachMode::MainWithFiles); },
             [&] { FreshTargets(ours, targets); }},
         Job{"lim cptree files", [&] { return Shell(Quote(lim) + " cptree " + Quote(src) + " files" + TargetArgs(limDst, targets)); },
             [&] { FreshTargets(limDst, targets); }},
         Job{"cp -r per target", [&] { return Shell(cpAll); }, [&] { FreshTargets(cp, targets); }},
         Job{"safe floor (minimal loop)", [&] { return SafeFloor(src, floorDst, targets, true); },
             [&] { FreshTargets(floorDst, targets); }}},
        1, rounds, targets * 11111.0);
    Shell("rm -rf " + Quote(ours) + " " + Quote(limDst) + " " + Quote(cp) + " " + Quote(floorDst));
  }
  if (only == 0 || only == 2) {
    const int targets = 100;
    const std::string ours = g_root + "/o2", limDst = g_root + "/l2", sh = g_root + "/s2", floorDst = g_root + "/f2";
    const std::string list = g_root + "/dirs.list";
    // Inside the parentheses, so Shell's own redirection cannot take it.
    Shell("(cd " + Quote(src) + " && find . -mindepth 1 -type d -print0 > " + Quote(list) + ")");
    std::string each = "cd " + Quote(sh);
    for (int i = 0; i < targets; ++i) each += " && (cd " + Target(i) + " && xargs -0 mkdir -p < " + Quote(list) + ")";
    ok &= side_by_side::Run(
        "1,111 folders without files into 100 folders",
        {Job{"attach engine + recorder", [&] { return AttachStructure("o2", targets, quillory::AttachMode::MainWithoutFiles); },
             [&] { FreshTargets(ours, targets); }},
         Job{"lim cptree dirs", [&] { return Shell(Quote(lim) + " cptree " + Quote(src) + " dirs" + TargetArgs(limDst, targets)); },
             [&] { FreshTargets(limDst, targets); }},
         Job{"find -type d | xargs mkdir -p", [&] { return Shell(each); }, [&] { FreshTargets(sh, targets); }},
         Job{"safe floor (minimal loop)", [&] { return SafeFloor(src, floorDst, targets, false); },
             [&] { FreshTargets(floorDst, targets); }}},
        1, rounds, targets * 1111.0);
    Shell("rm -rf " + Quote(ours) + " " + Quote(limDst) + " " + Quote(sh) + " " + Quote(floorDst));
  }
  if (only == 0 || only == 3) {
    const std::string ours = g_root + "/o3", limDst = g_root + "/l3", sh = g_root + "/s3";
    const std::string relative = g_root + "/tpl-rel.list", absolute = g_root + "/tpl-abs.list";
    if (!WriteTemplateList(relative, "") || !WriteTemplateList(absolute, sh)) return 1;
    ok &= side_by_side::Run(
        "a template of 10 lines applied to 10,000 folders",
        {Job{"attach engine + recorder", [&] { return ApplyTemplate("o3"); },
             [&] { FreshTargets(ours, kTemplateTargets); }},
         Job{"lim mklist", [&] { return Shell(Quote(lim) + " mklist " + Quote(limDst) + " " + Quote(relative)); },
             [&] { FreshTargets(limDst, kTemplateTargets); }},
         Job{"xargs -0 mkdir -p", [&] { return Shell("xargs -0 mkdir -p < " + Quote(absolute)); },
             [&] { FreshTargets(sh, kTemplateTargets); }}},
        1, rounds, kTemplateTargets * 10.0);
  }
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
