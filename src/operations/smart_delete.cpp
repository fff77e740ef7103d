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
    std::size_t end = FirstSeparator(path, at);
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

// A path per entry of a large tree: a name of printable ASCII without '\'
// (nearly every one) shows as it is and is joined in one allocation; the
// rest are escaped as every list shows them.
std::string JoinPath(const std::string& folder, std::string_view name) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '\\') return ShownEntryPath(folder, name);
  }
  const bool separator = folder.empty() || folder.back() != '\\';
  std::string path;
  path.reserve(folder.size() + name.size() + 1);
  path += folder;
  if (separator) path += '\\';
  path += name;
  return path;
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
  void operator()(DeleteList list, std::string path) const { sink_(Outcome(list, std::move(path))); }
  ItemOutcome Outcome(DeleteList list, std::string path) const {
    const ListFacts& facts = kLists[static_cast<std::size_t>(list)];
    ItemOutcome outcome;
    outcome.kind = facts.kind;
    outcome.path = std::move(path);
    outcome.list = static_cast<std::size_t>(list);
    outcome.Count(Id(facts.counter));
    if (facts.file == files_) outcome.progress = 1;
    return outcome;
  }
  void Emit(ItemOutcome&& outcome) const { sink_(std::move(outcome)); }

 private:
  const OutcomeSink& sink_;
  bool files_;
};

ItemMessage TrashRefusal(const std::string& path, const std::string& why) {
  return {"The Trash cannot be used for :\n" + path + "\n\n" + why +
              "\n\nNothing there was moved to the Trash.\nUncheck <Move to the Trash> to delete it PERMANENTLY.",
          "Delete Folder(s).-From a Folder List.            Warning no: 0634.", ItemMessage::Kind::Warning};
}

// Whether the reason a trash could not be used is new to the run: each is
// explained once, not once per entry.
bool FirstRefusal(const DeleteOptions& options, const FsResult& r) {
  return r.error == FsError::NoTrash &&
         (options.trashRefusals == nullptr || options.trashRefusals->insert(r.message).second);
}

// Moves one entry into the trash and reports it under `deleted` or why not.
void MoveToTrash(const DeleteOptions& options, const Report& report, FolderHandle aimed, FolderHandle parent,
                 const std::string& name, const std::string& path, bool folder, std::uint64_t bytes) {
  TrashedEntry moved;
  const FsResult r = options.trash->Move(aimed, parent, name, bytes, &moved);
  const DeleteList deleted = folder ? DeleteList::FoldersDeleted : DeleteList::FilesDeleted;
  const DeleteList missing = folder ? DeleteList::FoldersNotExists : DeleteList::FilesNotExists;
  const DeleteList other = folder ? DeleteList::FoldersOtherReasons : DeleteList::FilesOtherReasons;
  ItemOutcome outcome = report.Outcome(r.ok() ? deleted : r.error == FsError::NotFound ? missing : other, path);
  if (r.ok()) {
    moved.path = path;
    outcome.trashed = std::move(moved);
  } else {
    outcome.detail = r.message;
    if (FirstRefusal(options, r)) outcome.message = TrashRefusal(path, r.message);
  }
  report.Emit(std::move(outcome));
}

// What the walks of the later patterns must read again, as the first walk
// found it: a folder holding a file that a later pattern matches, one that
// could not be opened or read (each walk tries and reports it anew), and the
// folders on the way to them. A later walk that read every folder again
// would find nothing more there but what came since.
struct Revisit {
  std::string name;
  std::size_t last = 0;  // the last pattern whose walk reads it again; 0: none
  std::vector<Revisit> subs;
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
    aimed_ = top;
    std::vector<Frame> stack;
    stack.push_back(Enter(top, topPath, {}, mask, plan_));
    while (true) {
      Frame& frame = stack.back();
      if (frame.next < frame.subs.size()) {
        std::string name = std::move(frame.subs[frame.next++]);
        const Revisit* follow = nullptr;
        if (frame.follow != nullptr && (follow = Find(frame.follow->subs, name)) == nullptr) continue;
        std::string path = JoinPath(frame.path, name);
        FolderHandle child = kNoFolderHandle;
        const FsResult open = fs_.OpenSubfolder(frame.handle, name, &child);
        if (!open.ok()) {
          if (open.error == FsError::NotFound) {
            if (remove_) report_(DeleteList::FoldersNotExists, std::move(path));
          } else {
            // A link put in place of the folder, a mount point (the open
            // refuses both, a bind mount of the same file system too), or
            // one that cannot be opened: left as it is.
            frame.blocked = true;
            report_(DeleteList::FoldersOtherReasons, std::move(path));
            if (Building()) Note(frame.revisit, Revisit{std::move(name), masks_->size() - 1, {}});
          }
          continue;
        }
        stack.push_back(Enter(child, std::move(path), std::move(name), mask, follow));
        continue;
      }
      const bool blocked = frame.blocked;
      if (stack.size() == 1) {
        if (Building()) *plan_ = Finished(std::move(frame.revisit));
        return frame.readFailed ? End::Unread : blocked ? End::Blocked : End::Clear;
      }
      Frame done = std::move(frame);
      stack.pop_back();
      fs_.CloseFolder(done.handle);
      Frame& parent = stack.back();
      if (Building() && done.revisit.last != 0) {
        done.revisit.name = done.name;
        Note(parent.revisit, Finished(std::move(done.revisit)));
      }
      if (blocked) {
        parent.blocked = true;
        if (remove_ && !done.readFailed) report_(DeleteList::FoldersOtherReasons, std::move(done.path));
        continue;
      }
      if (remove_ && !RemoveFolder(parent.handle, done.name, std::move(done.path))) parent.blocked = true;
    }
  }

  // The walks below are those of `masks[index]`, one per pattern in turn:
  // the first notes in `plan` what the later ones read again, and they read
  // only that.
  void Pattern(const std::vector<std::string>& masks, std::size_t index, Revisit* plan) {
    masks_ = &masks;
    index_ = index;
    plan_ = plan;
  }

  // The file step on one open folder's listing.
  void Files(FolderHandle folder, const std::string& path, const std::vector<FolderEntry>& entries,
             std::string_view mask) {
    for (const FolderEntry& entry : entries) {
      if (entry.isFolder) continue;
      if (!mask.empty() && !MatchesMask(entry.name, mask)) continue;
      std::string file = JoinPath(path, entry.name);
      if (options_.simulate) {
        report_(DeleteList::FilesDeleted, std::move(file));
        continue;
      }
      if (options_.trash != nullptr) {
        MoveToTrash(options_, report_, aimed_ == kNoFolderHandle ? folder : aimed_, folder, entry.name, file, false,
                    0);
        continue;
      }
      const FsResult r = fs_.RemoveEntryAt(folder, entry.name, false);
      report_(r.ok()                         ? DeleteList::FilesDeleted
              : r.error == FsError::NotFound ? DeleteList::FilesNotExists
                                             : DeleteList::FilesOtherReasons,
              std::move(file));
    }
  }

  // Removes the emptied folder `name` of `parent`, with the read-only retry.
  bool RemoveFolder(FolderHandle parent, const std::string& name, std::string path) {
    if (options_.simulate) {
      report_(DeleteList::FoldersDeleted, std::move(path));
      return true;
    }
    FsResult r = fs_.RemoveEntryAt(parent, name, true);
    // Only a refusal is retried: a folder that is not empty keeps its attributes.
    if (!r.ok() && r.error == FsError::AccessDenied && options_.readOnlyRetry &&
        fs_.SetFolderAttributesAt(parent, name, FolderAttributes::System).ok())
      r = fs_.RemoveEntryAt(parent, name, true);
    if (r.ok()) {
      report_(DeleteList::FoldersDeleted, std::move(path));
      return true;
    }
    report_(r.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons,
            std::move(path));
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
    Revisit revisit;                  // the first of several walks: what the later ones read
    const Revisit* follow = nullptr;  // a later walk: what it reads below
  };

  bool Building() const { return masks_ != nullptr && index_ == 0 && masks_->size() > 1; }

  static void Note(Revisit& parent, Revisit&& sub) {
    parent.last = std::max(parent.last, sub.last);
    parent.subs.push_back(std::move(sub));
  }

  // Sorted by name, so that a folder with many subfolders to read again is
  // searched, not scanned, by each later walk.
  static Revisit Finished(Revisit&& revisit) {
    std::sort(revisit.subs.begin(), revisit.subs.end(),
              [](const Revisit& a, const Revisit& b) { return a.name < b.name; });
    return std::move(revisit);
  }

  // The subfolder `name` of a folder a later walk reads, when that walk
  // reads it too.
  const Revisit* Find(const std::vector<Revisit>& subs, const std::string& name) const {
    const auto it = std::lower_bound(subs.begin(), subs.end(), name,
                                     [](const Revisit& sub, const std::string& key) { return sub.name < key; });
    return it != subs.end() && it->name == name && it->last >= index_ ? &*it : nullptr;
  }

  Frame Enter(FolderHandle handle, std::string path, std::string name, std::string_view mask,
              const Revisit* follow = nullptr) {
    Frame frame;
    frame.handle = handle;
    frame.path = std::move(path);
    frame.name = std::move(name);
    if (masks_ != nullptr && index_ > 0) frame.follow = follow;
    if (!fs_.ReadFolder(handle, false, &entries_).ok()) {
      // Nothing is deleted on the strength of a listing that broke off.
      frame.blocked = frame.readFailed = true;
      report_(DeleteList::FoldersOtherReasons, frame.path);
      if (Building()) frame.revisit.last = masks_->size() - 1;
      return frame;
    }
    if (Building()) {
      // A file is read again by the last later pattern that matches it,
      // whatever the earlier ones did to it: one that stayed is tried again.
      for (const FolderEntry& entry : entries_) {
        if (entry.isFolder) continue;
        for (std::size_t i = masks_->size() - 1; i > frame.revisit.last; --i)
          if (MatchesMask(entry.name, (*masks_)[i])) {
            frame.revisit.last = i;
            break;
          }
      }
    }
    Files(handle, frame.path, entries_, remove_ ? std::string_view() : mask);
    // The listing is read anew for the next folder: its names are taken.
    for (FolderEntry& entry : entries_)
      if (entry.isFolder) frame.subs.push_back(std::move(entry.name));
    // The last found is taken first.
    std::reverse(frame.subs.begin(), frame.subs.end());
    return frame;
  }

  FileSystem& fs_;
  const DeleteOptions& options_;
  const Report& report_;
  bool remove_;
  FolderHandle aimed_ = kNoFolderHandle;  // the main folder the files are below
  std::vector<FolderEntry> entries_;
  const std::vector<std::string>* masks_ = nullptr;  // set: one walk per pattern
  std::size_t index_ = 0;
  Revisit* plan_ = nullptr;
};

// The folder modes into the trash. A folder is clear when nothing below it
// must stay: it then goes whole with its parent (or, at the top, on its own),
// and what it held is listed from this walk. A folder that is not clear
// stays; its files and clear subfolders go one by one, as a delete would
// leave it.
class TrashWalk {
 public:
  TrashWalk(FileSystem& fs, const DeleteOptions& options, const Report& report)
      : fs_(fs), options_(options), report_(report) {}

  // The tree of the open main folder `top`. With `moveTop` the main folder
  // itself goes too, from its open parent `topParent`: whole when clear,
  // else its pieces and it is listed among the other reasons.
  void Walk(FolderHandle top, const std::string& topPath, FolderHandle topParent, const std::string& topName,
            bool moveTop) {
    aimed_ = moveTop ? topParent : top;
    std::vector<Frame> stack;
    stack.push_back(Enter(top, topPath, {}));
    while (true) {
      Frame& frame = stack.back();
      if (frame.next < frame.subs.size()) {
        const std::string name = frame.subs[frame.next++];
        const std::string path = JoinPath(frame.path, name);
        FolderHandle child = kNoFolderHandle;
        const FsResult open = fs_.OpenSubfolder(frame.handle, name, &child);
        if (open.ok()) {
          stack.push_back(Enter(child, path, name));
        } else if (open.error == FsError::NotFound) {
          report_(DeleteList::FoldersNotExists, path);
        } else {
          // A link put in its place, a mount point, one that cannot be
          // opened: it stays, and so does everything above it.
          frame.blocked = true;
          report_(DeleteList::FoldersOtherReasons, path);
        }
        continue;
      }
      if (stack.size() == 1) break;
      Frame done = std::move(frame);
      stack.pop_back();
      Frame& parent = stack.back();
      if (!done.blocked) {
        fs_.CloseFolder(done.handle);
        listed_.push_back({DeleteList::FoldersDeleted, done.path});
        parent.bytes += done.bytes;
        parent.clear.push_back({done.name, done.start, listed_.size(), done.bytes});
        continue;
      }
      parent.blocked = true;
      // Its pieces go from it while it is still open.
      TakeApart(done);
      fs_.CloseFolder(done.handle);
      if (!done.readFailed) report_(DeleteList::FoldersOtherReasons, done.path);
    }
    Frame& frame = stack.back();
    if (moveTop && !frame.blocked) {
      const FsResult r = MoveWhole(topParent, topName, topPath, frame.bytes, frame.start, listed_.size());
      // A main folder that is itself a mount point stays; what is on it goes.
      if (r.error != FsError::MountPoint) {
        if (!r.ok()) MoveToTrashFailed(r, topPath);
        listed_.clear();
        return;
      }
      frame.blocked = true;
    }
    TakeApart(frame);
    if (moveTop && !frame.readFailed) report_(DeleteList::FoldersOtherReasons, topPath);
  }

 private:
  struct Listed {
    DeleteList list;
    std::string path;
  };
  // A subfolder that can go whole: its lines are listed_[start, end), its
  // own last.
  struct Clear {
    std::string name;
    std::size_t start, end;
    std::uint64_t bytes;
  };
  struct Frame {
    FolderHandle handle = kNoFolderHandle;
    std::string path, name;
    std::vector<std::string> subs, files;
    std::size_t next = 0;
    std::size_t start = 0;  // where its lines begin in listed_
    std::vector<Clear> clear;
    std::uint64_t bytes = 0;
    bool blocked = false;
    bool readFailed = false;
  };

  Frame Enter(FolderHandle handle, const std::string& path, const std::string& name) {
    Frame frame;
    frame.handle = handle;
    frame.path = path;
    frame.name = name;
    frame.start = listed_.size();
    if (!fs_.ReadFolder(handle, true, &entries_).ok()) {
      frame.blocked = frame.readFailed = true;
      report_(DeleteList::FoldersOtherReasons, path);
      return frame;
    }
    for (const FolderEntry& entry : entries_) {
      if (entry.isFolder) {
        frame.subs.push_back(entry.name);
        continue;
      }
      frame.files.push_back(entry.name);
      frame.bytes += entry.allocated;
      listed_.push_back({DeleteList::FilesDeleted, JoinPath(path, entry.name)});
    }
    std::reverse(frame.subs.begin(), frame.subs.end());
    return frame;
  }

  // A folder that stays: its files and clear subfolders go one by one.
  void TakeApart(Frame& frame) {
    for (std::size_t i = 0; i < frame.files.size(); ++i)
      MoveToTrash(options_, report_, aimed_, frame.handle, frame.files[i], listed_[frame.start + i].path, false, 0);
    for (const Clear& clear : frame.clear) {
      const std::string& path = listed_[clear.end - 1].path;
      const FsResult r = MoveWhole(frame.handle, clear.name, path, clear.bytes, clear.start, clear.end - 1);
      if (!r.ok()) MoveToTrashFailed(r, path);
    }
    listed_.resize(frame.start);
  }

  // Moves the folder `name` of `parent` into the trash whole; once it went,
  // listed_[from, to) (what it held) and the folder itself are reported.
  FsResult MoveWhole(FolderHandle parent, const std::string& name, const std::string& path, std::uint64_t bytes,
                     std::size_t from, std::size_t to) {
    TrashedEntry moved;
    const FsResult r = options_.trash->Move(aimed_, parent, name, bytes, &moved);
    if (!r.ok()) return r;
    moved.path = path;
    Replay(from, to);
    ItemOutcome outcome = report_.Outcome(DeleteList::FoldersDeleted, path);
    outcome.trashed = std::move(moved);
    report_.Emit(std::move(outcome));
    return r;
  }

  void Replay(std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) report_.Emit(report_.Outcome(listed_[i].list, std::move(listed_[i].path)));
  }

  // A whole folder that did not go: it alone is listed, as nothing in it moved.
  void MoveToTrashFailed(const FsResult& r, const std::string& path) {
    ItemOutcome outcome = report_.Outcome(
        r.error == FsError::NotFound ? DeleteList::FoldersNotExists : DeleteList::FoldersOtherReasons, path);
    outcome.detail = r.message;
    if (FirstRefusal(options_, r)) outcome.message = TrashRefusal(path, r.message);
    report_.Emit(std::move(outcome));
  }

  FileSystem& fs_;
  const DeleteOptions& options_;
  const Report& report_;
  FolderHandle aimed_ = kNoFolderHandle;
  std::vector<FolderEntry> entries_;
  std::vector<Listed> listed_;
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
    if (options.trash != nullptr && !options.simulate) {
      MoveToTrash(options, report, main.parent, main.parent, main.name, path, true, 0);
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
  if (remove && options.trash != nullptr && !options.simulate) {
    TrashWalk(fs, options, report).Walk(main.folder, path, main.parent, main.name, mode == DeleteMode::Complete);
    return;
  }
  TreeWalk walk(fs, options, report, remove);
  if (!remove) {
    // One walk per pattern, each from a fresh open: a listing reads an open
    // folder once. The first walk reads every folder, the later ones what it
    // found them something in.
    Revisit plan;
    for (std::size_t i = 0; i < options.masks.size(); ++i) {
      walk.Pattern(options.masks, i, &plan);
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
