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
// then every step counted by the recorder into real statistics and a real
// Visual Log. QUILLORY_LIM names lim; QUILLORY_ROUNDS the rounds (>= 5).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
#include "operations/attach_recorder.h"
#include "platform/drives.h"
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
  quillory::TfrmFileExport exportWindow{ui, settings};
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
};

std::string g_root;  // host folder of D:

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
  Rig rig;
  quillory::StructureTotalsCache cache;
  const quillory::StructureInput input{quillory::SourceKind::Structures, {"D:\\src"}, mode, {"*.*"},
                                       quillory::WithFiles(mode)};
  const quillory::StructureTotals& totals = cache.Fresh(fs, input);
  const quillory::StructureSnapshot snapshot = quillory::StructureSnapshot::Read(fs, "D:\\src");
  quillory::AttachRecorder recorder(PageKey::Vol02, rig.stats, rig.records, &rig.logs, &rig.ui);
  const quillory::StepSink sink = recorder.Sink();
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

const std::vector<std::string> kTemplate = {"\\Project\\Plans",  "\\Project\\Mail",   "\\Project\\Drafts\\Old",
                                            "\\Project\\Drafts", "\\Billing\\2024",   "\\Billing\\2025",
                                            "\\Billing\\Open",   "\\Notes",           "\\Archive\\Scans",
                                            "\\Archive\\Paper"};
constexpr int kTemplateTargets = 10000;

bool ApplyTemplate(const std::string& dst) {
  quillory::FileSystem& fs = quillory::HostFileSystem();
  Rig rig;
  quillory::AttachRecorder recorder(PageKey::Vol02, rig.stats, rig.records, &rig.logs, &rig.ui);
  const quillory::StepSink sink = recorder.Sink();
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
  return std::max(5, text != nullptr ? std::atoi(text) : 5);
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
    const std::string ours = g_root + "/o1", limDst = g_root + "/l1", cp = g_root + "/c1";
    std::string cpAll;
    for (int i = 0; i < targets; ++i) cpAll += "cp -r " + Quote(src) + " " + Quote(cp + "/" + Target(i)) + " && ";
    cpAll += "true";
    ok &= side_by_side::Run(
        "1,111 folders and 10,000 files of 1 KiB, with files, into 20 folders",
        {Job{"attach engine + recorder", [&] { return AttachStructure("o1", targets, quillory::AttachMode::MainWithFiles); },
             [&] { FreshTargets(ours, targets); }},
         Job{"lim cptree files", [&] { return Shell(Quote(lim) + " cptree " + Quote(src) + " files" + TargetArgs(limDst, targets)); },
             [&] { FreshTargets(limDst, targets); }},
         Job{"cp -r per target", [&] { return Shell(cpAll); }, [&] { FreshTargets(cp, targets); }}},
        1, rounds, targets * 11111.0);
    Shell("rm -rf " + Quote(ours) + " " + Quote(limDst) + " " + Quote(cp));
  }
  if (only == 0 || only == 2) {
    const int targets = 100;
    const std::string ours = g_root + "/o2", limDst = g_root + "/l2", sh = g_root + "/s2";
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
         Job{"find -type d | xargs mkdir -p", [&] { return Shell(each); }, [&] { FreshTargets(sh, targets); }}},
        1, rounds, targets * 1111.0);
    Shell("rm -rf " + Quote(ours) + " " + Quote(limDst) + " " + Quote(sh));
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
