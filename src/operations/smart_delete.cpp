#include "operations/smart_delete.h"

#include <algorithm>
#include <utility>

#include "platform/drives.h"

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

// One walk below an open main folder.
class TreeWalk {
 public:
  TreeWalk(FileSystem& fs, const DeleteOptions& options, const DeleteSink& sink, bool removeFolders)
      : fs_(fs), options_(options), sink_(sink), remove_(removeFolders) {}

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
            if (remove_) sink_(DeleteList::FoldersNotExists, path);
          } else {
            // A link put in place of the folder, a mount point (the open
            // refuses both, a bind mount of the same file system too), or
            // one that cannot be opened: left as it is.
            frame.blocked = true;
            sink_(DeleteList::FoldersOtherReasons, path);
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
        if (remove_ && !done.readFailed) sink_(DeleteList::FoldersOtherReasons, done.path);
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
        sink_(DeleteList::FilesDeleted, file);
        continue;
      }
      const FsResult r = fs_.RemoveEntryAt(folder, entry.name, false);
      if (r.ok())
        sink_(DeleteList::FilesDeleted, file);
      else if (r.error == FsError::NotFound)
        sink_(DeleteList::FilesNotExists, file);
      else
        sink_(DeleteList::FilesOtherReasons, file);
    }
  }

  // Removes the emptied folder `name` of `parent`, with the read-only retry.
  bool RemoveFolder(FolderHandle parent, const std::string& name, const std::string& path) {
    if (options_.simulate) {
      sink_(DeleteList::FoldersDeleted, path);
      return true;
    }
    FsResult r = fs_.RemoveEntryAt(parent, name, true);
    // Only a refusal is retried: a folder that is not empty keeps its attributes.
    if (!r.ok() && r.error == FsError::AccessDenied && options_.readOnlyRetry &&
        fs_.SetFolderAttributesAt(parent, name, FolderAttributes::System).ok())
      r = fs_.RemoveEntryAt(parent, name, true);
    if (r.ok()) {
      sink_(DeleteList::FoldersDeleted, path);
      return true;
    }
    sink_(r.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons, path);
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
      sink_(DeleteList::FoldersOtherReasons, path);
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
  const DeleteSink& sink_;
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
bool Opened(const MainFolder& main, const std::string& path, const DeleteSink& sink) {
  if (main.open.ok()) return true;
  sink(main.open.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons, path);
  return false;
}

}  // namespace

SmartDeleteOne::SmartDeleteOne(FileSystem& fs, std::string mainFolder, DeleteOptions options, DeleteSink sink)
    : fs_(fs), main_(LexicalFolderPath(mainFolder)), options_(std::move(options)), sink_(std::move(sink)) {}

void SmartDeleteOne::Run() {
  MainFolder main(fs_, main_);
  if (!Opened(main, main_, sink_)) return;
  TreeWalk walk(fs_, options_, sink_, false);
  std::vector<FolderEntry> entries;
  if (!fs_.ReadFolder(main.folder, false, &entries).ok()) {
    sink_(DeleteList::FoldersOtherReasons, main_);
    return;
  }
  for (const std::string& mask : options_.masks) walk.Files(main.folder, main_, entries, mask);
}

SmartDelete::SmartDelete(FileSystem& fs, std::string mainFolder, DeleteMode mode, DeleteOptions options,
                         DeleteSink sink)
    : fs_(fs), main_(LexicalFolderPath(mainFolder)), mode_(mode), options_(std::move(options)),
      sink_(std::move(sink)) {}

void SmartDelete::Run() {
  MainFolder main(fs_, main_);
  if (main.open.error == FsError::Link) {
    // A main folder that is a link: only "retain nothing" takes it away, as
    // the link; nothing is deleted through it.
    if (mode_ != DeleteMode::Complete) {
      sink_(DeleteList::FoldersOtherReasons, main_);
      return;
    }
    const FsResult r = options_.simulate ? FsResult{} : fs_.RemoveEntryAt(main.parent, main.name, false);
    sink_(r.ok() ? DeleteList::FoldersDeleted
                 : r.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons,
          main_);
    return;
  }
  if (!Opened(main, main_, sink_)) return;
  const std::optional<std::uint64_t> device = fs_.FolderDevice(main.folder);
  if (!device) {
    sink_(DeleteList::FoldersOtherReasons, main_);
    return;
  }
  const bool remove = mode_ != DeleteMode::SelectedFiles;
  TreeWalk walk(fs_, options_, sink_, remove);
  if (!remove) {
    // One complete walk per pattern, each from a fresh open: a listing reads
    // an open folder once.
    for (std::size_t i = 0; i < options_.masks.size(); ++i) {
      if (i == 0) {
        walk.Walk(main.folder, main_, options_.masks[i]);
        continue;
      }
      MainFolder again(fs_, main_);
      if (!Opened(again, main_, sink_)) return;
      if (fs_.FolderDevice(again.folder) != device) {
        sink_(DeleteList::FoldersOtherReasons, main_);
        return;
      }
      walk.Walk(again.folder, main_, options_.masks[i]);
    }
    return;
  }
  const TreeWalk::End end = walk.Walk(main.folder, main_, {});
  if (mode_ != DeleteMode::Complete) return;
  fs_.CloseFolder(main.folder);
  main.folder = kNoFolderHandle;
  if (end == TreeWalk::End::Clear)
    walk.RemoveFolder(main.parent, main.name, main_);
  else if (end == TreeWalk::End::Blocked)
    sink_(DeleteList::FoldersOtherReasons, main_);
}

}  // namespace quillory
