#include "operations/smart_delete.h"

#include <algorithm>
#include <utility>

#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"

namespace quillory {

std::string LexicalFolderPath(std::string_view path) {
  const std::string drive = ExtractFileDrive(path);
  std::vector<std::string_view> names;
  std::size_t at = drive.size();
  while (at <= path.size()) {
    std::size_t end = path.find_first_of("\\/", at);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view name = path.substr(at, end - at);
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    at = end + 1;
  }
  std::string out = drive;
  for (std::string_view name : names) {
    out += '\\';
    out.append(name);
  }
  if (names.empty()) out += '\\';
  return out;
}

namespace {

std::string JoinPath(const std::string& folder, std::string_view name) {
  return ShownEntryPath(folder, name);
}

// What each Visual Log list of the page stands for, in DeleteList order.
struct ListFacts {
  DeleteCounter counter;
  OutcomeKind kind;
  bool file;
};
constexpr ListFacts kLists[] = {
    {DeleteCounter::FoldersDeleted, OutcomeKind::Done, false},
    {DeleteCounter::FoldersNotExists, OutcomeKind::NotFound, false},
    {DeleteCounter::FoldersOtherReasons, OutcomeKind::Other, false},
    {DeleteCounter::FilesDeleted, OutcomeKind::Done, true},
    {DeleteCounter::FilesNotExists, OutcomeKind::NotFound, true},
    {DeleteCounter::FilesOtherReasons, OutcomeKind::Other, true},
};

// Hands a walk's outcome on as the run's: its counter, its list line and, for
// what the mode counts, a unit of the bar.
class Report {
 public:
  Report(const OutcomeSink& sink, DeleteMode mode) : sink_(sink), files_(CountsFiles(mode)) {}
  void operator()(DeleteList list, const std::string& path) const {
    const ListFacts& facts = kLists[static_cast<std::size_t>(list)];
    ItemOutcome outcome;
    outcome.kind = facts.kind;
    outcome.path = path;
    outcome.list = static_cast<std::size_t>(list);
    outcome.Count(Id(facts.counter));
    if (facts.file == files_) outcome.progress = 1;
    sink_(std::move(outcome));
  }

 private:
  const OutcomeSink& sink_;
  bool files_;
};

// One walk below an open main folder.
class TreeWalk {
 public:
  TreeWalk(FileSystem& fs, const DeleteOptions& options, const Report& report, bool removeFolders)
      : fs_(fs), options_(options), report_(report), remove_(removeFolders) {}

  // Walks the tree of `top` (left open) with one file mask, or every file
  // when `mask` is empty. False when `top` itself could not be read fully
  // or holds something that keeps it from being removed (Unread: already
  // counted).
  enum class End { Clear, Blocked, Unread };
  End Walk(FolderHandle top, const std::string& topPath, std::string_view mask) {
    std::vector<Frame> stack;
    stack.push_back(Enter(top, topPath, {}, mask));
    while (true) {
      Frame& frame = stack.back();
      if (frame.next < frame.subs.size()) {
        const std::string name = frame.subs[frame.next++];
        const std::string path = JoinPath(frame.path, name);
        FolderHandle child = kNoFolderHandle;
        const FsResult open = fs_.OpenSubfolder(frame.handle, name, &child);
        if (!open.ok()) {
          if (open.error == FsError::NotFound) {
            if (remove_) report_(DeleteList::FoldersNotExists, path);
          } else {
            // A link put in place of the folder, a mount point (the open
            // refuses both, a bind mount of the same file system too), or
            // one that cannot be opened: left as it is.
            frame.blocked = true;
            report_(DeleteList::FoldersOtherReasons, path);
          }
          continue;
        }
        stack.push_back(Enter(child, path, name, mask));
        continue;
      }
      const bool blocked = frame.blocked;
      if (stack.size() == 1) return frame.readFailed ? End::Unread : blocked ? End::Blocked : End::Clear;
      Frame done = std::move(frame);
      stack.pop_back();
      fs_.CloseFolder(done.handle);
      Frame& parent = stack.back();
      if (blocked) {
        parent.blocked = true;
        if (remove_ && !done.readFailed) report_(DeleteList::FoldersOtherReasons, done.path);
        continue;
      }
      if (remove_ && !RemoveFolder(parent.handle, done.name, done.path)) parent.blocked = true;
    }
  }

  // The file step on one open folder's listing.
  void Files(FolderHandle folder, const std::string& path, const std::vector<FolderEntry>& entries,
             std::string_view mask) {
    for (const FolderEntry& entry : entries) {
      if (entry.isFolder) continue;
      if (!mask.empty() && !MatchesMask(entry.name, mask)) continue;
      const std::string file = JoinPath(path, entry.name);
      if (options_.simulate) {
        report_(DeleteList::FilesDeleted, file);
        continue;
      }
      const FsResult r = fs_.RemoveEntryAt(folder, entry.name, false);
      if (r.ok())
        report_(DeleteList::FilesDeleted, file);
      else if (r.error == FsError::NotFound)
        report_(DeleteList::FilesNotExists, file);
      else
        report_(DeleteList::FilesOtherReasons, file);
    }
  }

  // Removes the emptied folder `name` of `parent`, with the read-only retry.
  bool RemoveFolder(FolderHandle parent, const std::string& name, const std::string& path) {
    if (options_.simulate) {
      report_(DeleteList::FoldersDeleted, path);
      return true;
    }
    FsResult r = fs_.RemoveEntryAt(parent, name, true);
    // Only a refusal is retried: a folder that is not empty keeps its attributes.
    if (!r.ok() && r.error == FsError::AccessDenied && options_.readOnlyRetry &&
        fs_.SetFolderAttributesAt(parent, name, FolderAttributes::System).ok())
      r = fs_.RemoveEntryAt(parent, name, true);
    if (r.ok()) {
      report_(DeleteList::FoldersDeleted, path);
      return true;
    }
    report_(r.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons, path);
    return r.error == FsError::NotFound;
  }

 private:
  struct Frame {
    FolderHandle handle = kNoFolderHandle;
    std::string path;
    std::string name;
    std::vector<std::string> subs;
    std::size_t next = 0;
    bool blocked = false;
    bool readFailed = false;
  };

  Frame Enter(FolderHandle handle, const std::string& path, const std::string& name, std::string_view mask) {
    Frame frame;
    frame.handle = handle;
    frame.path = path;
    frame.name = name;
    if (!fs_.ReadFolder(handle, false, &entries_).ok()) {
      // Nothing is deleted on the strength of a listing that broke off.
      frame.blocked = frame.readFailed = true;
      report_(DeleteList::FoldersOtherReasons, path);
      return frame;
    }
    Files(handle, path, entries_, remove_ ? std::string_view() : mask);
    for (const FolderEntry& entry : entries_)
      if (entry.isFolder) frame.subs.push_back(entry.name);
    // The last found is taken first.
    std::reverse(frame.subs.begin(), frame.subs.end());
    return frame;
  }

  FileSystem& fs_;
  const DeleteOptions& options_;
  const Report& report_;
  bool remove_;
  std::vector<FolderEntry> entries_;
};

// The main folder opened from its parent, so that a link is told as such.
struct MainFolder {
  FileSystem& fs;
  FolderHandle parent = kNoFolderHandle;
  FolderHandle folder = kNoFolderHandle;
  std::string name;
  FsResult open;
  MainFolder(FileSystem& fs_, const std::string& path) : fs(fs_) {
    const std::size_t cut = path.find_last_of('\\');
    name = path.substr(cut + 1);
    std::string parentPath = path.substr(0, cut);
    if (parentPath.find('\\') == std::string::npos) parentPath += '\\';
    open = fs.OpenFolder(parentPath, &parent);
    if (open.ok()) open = fs.OpenSubfolder(parent, name, &folder);
    // The person aimed at a mount point: that folder is theirs to name;
    // only the mount points below it are never crossed.
    if (open.error == FsError::MountPoint) open = fs.OpenFolder(path, &folder);
  }
  ~MainFolder() {
    fs.CloseFolder(folder);
    fs.CloseFolder(parent);
  }
  MainFolder(const MainFolder&) = delete;
  MainFolder& operator=(const MainFolder&) = delete;
};

// False (counted) when the main folder cannot be opened as a folder.
bool Opened(const MainFolder& main, const std::string& path, const Report& report) {
  if (main.open.ok()) return true;
  report(main.open.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons,
         path);
  return false;
}

// The selected files directly in one main folder.
void DeleteMainFiles(FileSystem& fs, const std::string& path, const DeleteOptions& options, const Report& report) {
  MainFolder main(fs, path);
  if (!Opened(main, path, report)) return;
  TreeWalk walk(fs, options, report, false);
  std::vector<FolderEntry> entries;
  if (!fs.ReadFolder(main.folder, false, &entries).ok()) {
    report(DeleteList::FoldersOtherReasons, path);
    return;
  }
  for (const std::string& mask : options.masks) walk.Files(main.folder, path, entries, mask);
}

// One main folder's whole tree.
void DeleteTree(FileSystem& fs, const std::string& path, DeleteMode mode, const DeleteOptions& options,
                const Report& report) {
  MainFolder main(fs, path);
  if (main.open.error == FsError::Link) {
    // A main folder that is a link: only "retain nothing" takes it away, as
    // the link; nothing is deleted through it.
    if (mode != DeleteMode::Complete) {
      report(DeleteList::FoldersOtherReasons, path);
      return;
    }
    const FsResult r = options.simulate ? FsResult{} : fs.RemoveEntryAt(main.parent, main.name, false);
    report(r.ok() ? DeleteList::FoldersDeleted
                  : r.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons,
           path);
    return;
  }
  if (!Opened(main, path, report)) return;
  const std::optional<std::uint64_t> device = fs.FolderDevice(main.folder);
  if (!device) {
    report(DeleteList::FoldersOtherReasons, path);
    return;
  }
  const bool remove = mode != DeleteMode::SelectedFiles;
  TreeWalk walk(fs, options, report, remove);
  if (!remove) {
    // One complete walk per pattern, each from a fresh open: a listing reads
    // an open folder once.
    for (std::size_t i = 0; i < options.masks.size(); ++i) {
      if (i == 0) {
        walk.Walk(main.folder, path, options.masks[i]);
        continue;
      }
      MainFolder again(fs, path);
      if (!Opened(again, path, report)) return;
      if (fs.FolderDevice(again.folder) != device) {
        report(DeleteList::FoldersOtherReasons, path);
        return;
      }
      walk.Walk(again.folder, path, options.masks[i]);
    }
    return;
  }
  const TreeWalk::End end = walk.Walk(main.folder, path, {});
  if (mode != DeleteMode::Complete) return;
  fs.CloseFolder(main.folder);
  main.folder = kNoFolderHandle;
  if (end == TreeWalk::End::Clear)
    walk.RemoveFolder(main.parent, main.name, path);
  else if (end == TreeWalk::End::Blocked)
    report(DeleteList::FoldersOtherReasons, path);
}

// A drive root however written, or the folder a drive is mapped to
// (reached by any path, links included).
bool IsWholeDrive(FileSystem& fs, const std::string& path) {
  const std::string lexical = LexicalFolderPath(path);
  if (lexical.size() <= 3) return true;
  const auto identity = fs.Identity(lexical);
  if (!identity) return false;
  for (char drive : fs.LogicalDrives())
    if (fs.Identity(std::string(1, drive) + ":\\") == identity) return true;
  return false;
}

enum class Screen { Walk, Unfit, WholeDrive };

// The one place where a simulation and a run part on a main folder of the
// list. The simulation checks the entry as the full paths of a list are
// checked, once normalised, and lists a whole drive among the other reasons
// with no warning; the run refuses a whole drive (any entry of three
// characters or less too) with its warning and nothing counted, and takes any
// other entry that has a drive part.
Screen ScreenMainFolder(FileSystem& fs, const DriveMap& drives, const std::string& folder, bool simulate) {
  if (simulate) {
    const std::string candidate = NormalizeComposedPath(folder);
    std::string message;
    const bool fit = candidate.size() <= kMaxSimulatedPathChars && CheckColons(candidate, message) &&
                     ValidateFullFolderPath(candidate, true, drives, message) && !IsWholeDrive(fs, candidate);
    return fit ? Screen::Walk : Screen::Unfit;
  }
  if (Trim(folder).size() <= 3 || (HasDrive(folder) && IsWholeDrive(fs, folder))) return Screen::WholeDrive;
  return HasDrive(folder) ? Screen::Walk : Screen::Unfit;
}

}  // namespace

void DeleteMainFolder(FileSystem& fs, const DriveMap& drives, const std::string& folder, DeleteMode mode,
                      const DeleteOptions& options, const OutcomeSink& sink) {
  const Report report(sink, mode);
  switch (ScreenMainFolder(fs, drives, folder, options.simulate)) {
    case Screen::Walk: break;
    case Screen::Unfit: report(DeleteList::FoldersOtherReasons, folder); return;
    case Screen::WholeDrive: {
      ItemOutcome refused;
      refused.kind = OutcomeKind::Other;
      refused.path = folder;
      refused.message = ItemMessage{
          "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
          "Delete Folder(s).-From a Folder List.            Warning no: 0334.", ItemMessage::Kind::Warning};
      sink(std::move(refused));
      return;
    }
  }
  // "Retain nothing" goes on to the walk, which tells a missing main folder
  // from a link that points nowhere.
  if (mode != DeleteMode::Complete && !fs.DirectoryExists(folder)) {
    report(DeleteList::FoldersNotExists, folder);
    return;
  }
  const std::string path = LexicalFolderPath(folder);
  if (mode == DeleteMode::FilesInMainFolder)
    DeleteMainFiles(fs, path, options, report);
  else
    DeleteTree(fs, path, mode, options, report);
}

}  // namespace quillory
