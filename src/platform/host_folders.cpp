#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <linux/openat2.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/byte_scan.h"
#include "platform/drives.h"
#include "platform/host_internal.h"
#include "platform/path_text.h"
#include "platform/posix_support.h"
#include "platform/text.h"

namespace quillory {
namespace host {

namespace {

using posix::Failure;
using posix::FromErrno;
using posix::Resolve;

// Removes again, deepest first, the folders of the chain this call made:
// `fd` is the deepest folder reached, that of names[failed - 1]; each step
// goes up by "..", and a folder goes only when it is still the one made
// (device and inode) and empty. What stays is left in `made`.
void RollBack(int fd, const std::vector<std::string>& names, std::size_t failed,
              const std::vector<std::optional<FolderIdentity>>& madeAt, MadeFolders* made) {
  for (std::size_t i = failed; i-- > 0 && madeAt[i] && fd >= 0;) {
    const int parent = ::openat(fd, "..", kPathFlags);
    ::close(fd);
    fd = parent;
    if (parent < 0) break;
    struct statx sx {};
    if (!StatxAt(parent, names[i].c_str(), AT_SYMLINK_NOFOLLOW, &sx) || !S_ISDIR(sx.stx_mode) ||
        !madeAt[i]->Admits(IdentityOf(sx)) || ::unlinkat(parent, names[i].c_str(), AT_REMOVEDIR) != 0)
      break;  // not ours any more, or not empty: nothing above can go either
    made->pop_back();
  }
  if (fd >= 0) ::close(fd);
}

// One openat2 that follows no link and crosses no mount (`extra` adds more
// resolve flags): true with its answer in `fd` (-1 and errno on failure),
// false where the kernel has no openat2 and the caller must do without.
bool OpenNoLinkNoMount(int dirfd, const char* path, int flags, std::uint64_t extra, int* fd) {
  static std::atomic<bool> haveOpenat2{true};
  if (!haveOpenat2) return false;
  // Without O_NOFOLLOW: with it an O_PATH open would hand out a link itself;
  // without it a link anywhere fails with ELOOP.
  struct open_how how {};
  how.flags = static_cast<std::uint64_t>(flags);
  how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS | extra;
  const long opened = ::syscall(SYS_openat2, dirfd, path, &how, sizeof how);
  if (opened < 0 && errno == ENOSYS) {
    haveOpenat2 = false;
    return false;
  }
  *fd = static_cast<int>(opened);
  return true;
}

// Opens the folder `relative` ('\\' or '/' between names) below the open
// folder `base` the way undo must reach what a run made: no link followed,
// no mount crossed, nothing above `base`. -1 with errno set (ELOOP: a link on
// the way, EXDEV: a mount point).
int OpenPathBelow(int base, std::string_view relative) {
  while (!relative.empty() && (relative.front() == '\\' || relative.front() == '/')) relative.remove_prefix(1);
  std::string names(relative);
  for (char& c : names)
    if (c == '\\') c = '/';
  if (int fd = -1; OpenNoLinkNoMount(base, names.c_str(), kPathFlags, RESOLVE_BENEATH, &fd)) return fd;
  // One name at a time from the descriptor of the one before.
  int at = ::dup(base);
  std::size_t start = 0;
  while (at >= 0 && start < names.size()) {
    std::size_t end = names.find('/', start);
    if (end == std::string::npos) end = names.size();
    const std::string name = names.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    if (name == "." || name == "..") {
      ::close(at);
      errno = EXDEV;
      return -1;
    }
    const int next = OpenBelow(at, name.c_str(), kPathFlags);
    const int error = errno;
    ::close(at);
    at = next;
    errno = error;
  }
  return at;
}

FsResult ReachFailure(int error) {
  if (error == ELOOP) return Failure(FsError::Link, "a symbolic link is on the way; it is not followed");
  if (error == EXDEV) return Failure(FsError::MountPoint, "a mount point is on the way; it is not crossed");
  return FromErrno(error);
}

// Removes recorded entries by name from the descriptor of their parent. The
// parent is reached from the folder the run aimed at (the first `within`
// bytes of the path, resolved as the platform resolves it) without following
// a link or crossing a mount below it: a chain moved away and linked back is
// not reached through the link. A run of entries in one parent opens it once.
// `remove` checks and removes one.
template <class Entry, class A, class Remove>
void RemoveEntries(const std::vector<Entry, A>& entries, std::vector<FsResult>* results, const Remove& remove) {
  results->clear();
  results->reserve(entries.size());
  std::string openParent;
  std::size_t openAnchor = 0;
  Fd parent;
  FsResult parentFailure;
  std::string openAimed;  // the aimed folder `aimed` holds open
  Fd aimed;
  // A plain name in a folder found to hold no drive root holds none either
  // (whether a name is part of the drive, as a UNC share's is, depends only
  // on what comes before it): the full test runs once per folder.
  std::string noRootIn;
  bool noRootKnown = false;
  for (const Entry& entry : entries) {
    std::string_view path = entry.path;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    // By hand: find_last_of with two separators calls memchr per character.
    std::size_t cut = path.size();
    while (cut > 0 && path[cut - 1] != '\\' && path[cut - 1] != '/') --cut;
    cut = cut == 0 ? std::string_view::npos : cut - 1;
    const bool plain = cut != std::string_view::npos && cut + 1 < path.size() && path.substr(cut + 1) != "." &&
                       path.substr(cut + 1) != "..";
    if (!(plain && noRootKnown && path.substr(0, cut) == noRootIn)) {
      if (IsDriveRoot(entry.path)) {
        results->push_back(Failure(FsError::AccessDenied, "a drive root cannot be removed"));
        continue;
      }
      noRootKnown = plain;
      if (plain) noRootIn.assign(path.substr(0, cut));
    }
    if (cut == std::string_view::npos || cut + 1 == path.size()) {
      results->push_back(Failure(FsError::InvalidName, "not a folder path"));
      continue;
    }
    const std::string_view folder = path.substr(0, cut);
    // Mostly short enough to need no allocation.
    const std::string name(path.substr(cut + 1));
    const std::size_t anchor = entry.within == 0 || entry.within > folder.size() ? folder.size() : entry.within;
    if (folder != openParent || anchor != openAnchor || (parent.get() < 0 && parentFailure.ok())) {
      openParent.assign(folder);
      openAnchor = anchor;
      parent.Reset();
      parentFailure = {};
      if (aimed.get() < 0 || openAimed != folder.substr(0, anchor)) {
        openAimed.assign(folder.substr(0, anchor));
        std::string program = openAimed;
        if (program.size() == 2 && program[1] == ':') program += '\\';
        std::string host;
        aimed.Reset(Resolve(program, &host, &parentFailure) ? ::open(host.c_str(), kPathFlags) : -1);
        if (aimed.get() < 0 && parentFailure.ok()) parentFailure = FromErrno(errno);
        if (aimed.get() < 0) openAimed.clear();
      }
      if (aimed.get() >= 0) {
        const int fd = anchor == folder.size() ? ::dup(aimed.get()) : OpenPathBelow(aimed.get(), folder.substr(anchor));
        if (fd < 0) parentFailure = ReachFailure(errno);
        parent.Reset(fd);
      }
    }
    if (parent.get() < 0) {
      results->push_back(parentFailure.ok() ? Failure(FsError::NotFound, "the folder is not there") : parentFailure);
      continue;
    }
    results->push_back(remove(parent.get(), name, entry));
  }
}

}  // namespace

bool IsDriveRoot(std::string_view programPath) {
  const auto parts = SplitProgramPath(programPath);
  return parts && parts->names.empty();
}

bool StatxAt(int dirfd, const char* name, int flags, struct statx* sx) {
  return ::statx(dirfd, name, flags | AT_STATX_SYNC_AS_STAT, kIdentityMask, sx) == 0;
}

// Of an open descriptor (O_PATH ones too).
bool StatxOf(int fd, struct statx* sx) { return StatxAt(fd, "", AT_EMPTY_PATH, sx); }

std::uint64_t DeviceOf(const struct statx& sx) {
  return static_cast<std::uint64_t>(makedev(sx.stx_dev_major, sx.stx_dev_minor));
}

FolderIdentity IdentityOf(const struct statx& sx) {
  FolderIdentity id{DeviceOf(sx), static_cast<std::uint64_t>(sx.stx_ino)};
  if ((sx.stx_mask & STATX_BTIME) != 0) {
    id.birthSeconds = sx.stx_btime.tv_sec;
    id.birthNanoseconds = sx.stx_btime.tv_nsec;
  }
  return id;
}

// Another file system is mounted on the entry (a bind mount of the same one
// too, which keeps the device number and so escapes a device comparison).
bool IsMountRoot(const struct statx& sx) {
  return (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

// Opens the folder `name` of `parent` without following a link and without
// crossing into another mount, in one call where the kernel has openat2;
// else openat and a look at the result. -1 with errno set: ELOOP for a link,
// EXDEV for a mount point.
int OpenBelow(int parent, const char* name, int flags) {
  if (int fd = -1; OpenNoLinkNoMount(parent, name, flags, 0, &fd)) return fd;
  const int fd = ::openat(parent, name, flags | O_NOFOLLOW);
  if (fd < 0) {
    // An O_PATH open of a link with O_DIRECTORY says ENOTDIR: tell it as a link.
    struct stat st {};
    if (errno == ENOTDIR && ::fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
      errno = ELOOP;
    return -1;
  }
  struct statx sx {};
  if (StatxOf(fd, &sx) && IsMountRoot(sx)) {
    ::close(fd);
    errno = EXDEV;
    return -1;
  }
  return fd;
}

FsResult ControlCharacterRefusal(std::string_view name) {
  return Failure(FsError::InvalidName, "a name holds a control character: " + EscapeForDisplay(name));
}

bool CheckNameLengths(const std::vector<std::string>& names, FsResult* failure) {
  for (const std::string& name : names) {
    if (HoldsControlOrDelete(name)) {
      *failure = ControlCharacterRefusal(name);
      return false;
    }
    if (name.size() > kMaxNameBytes) {
      *failure = Failure(FsError::InvalidName,
                         "a name is longer than 255 bytes: " + EscapeForDisplay(name.substr(0, 40)) + "...");
      return false;
    }
  }
  return true;
}

// Makes names[from..] one at a time below the folder open as `fd` (taken
// over), whose program path is `folder`: mkdirat first, and on EEXIST the
// entry is checked to be a folder. A folder made is entered with O_NOFOLLOW
// and its identity taken from that descriptor; an existing one is entered
// without following a link unless `followExisting`.
CreateResult MakeChain(int fd, const std::vector<std::string>& names, std::size_t from, std::string folder,
                       bool followExisting, int* parent) {
  CreateResult out;
  // The folder open as `fd` is the one aimed at: undo reaches what is made
  // below it from there.
  const auto within = static_cast<std::uint32_t>(folder.size());
  std::vector<std::optional<FolderIdentity>> madeAt(names.size());
  for (std::size_t i = from; i < names.size(); ++i) {
    const char* name = names[i].c_str();
    const bool made = ::mkdirat(fd, name, 0777) == 0;
    int error = made ? 0 : errno;
    if (i + 1 == names.size() && (made || error == EEXIST)) {
      // The last folder is not entered: its entry tells what it is, and
      // for a new one its identity.
      struct statx st {};
      const int flags = made || !followExisting ? AT_SYMLINK_NOFOLLOW : 0;
      if (StatxAt(fd, name, flags, &st) && S_ISDIR(st.stx_mode)) {
        if (made) out.made.push_back(MadeFolder{JoinProgramPath(folder, names[i]), IdentityOf(st), within});
        if (parent != nullptr)
          *parent = fd;
        else
          ::close(fd);
        return out;
      }
      if (made) {
        // Made but not to be found as made: leave nothing of this call.
        ::unlinkat(fd, name, AT_REMOVEDIR);
        out.result = FromErrno(errno == 0 ? EIO : errno);
      } else if (S_ISLNK(st.stx_mode)) {
        out.result = Failure(FsError::Link, "a symbolic link is in the way: " + EscapeForDisplay(names[i]));
      } else {
        out.result = Failure(FsError::Exists, "a file of that name exists");
      }
      RollBack(fd, names, i, madeAt, &out.made);
      return out;
    }
    int child = -1;
    if (made || error == EEXIST) {
      // Below the folder aimed at, an existing name is entered only when it
      // is a folder of the same mount: never a link, never a mount point.
      child = made || !followExisting ? OpenBelow(fd, name, kPathFlags) : ::openat(fd, name, kPathFlags);
      error = child < 0 ? errno : 0;
    }
    struct statx st {};
    if (child >= 0 && made && !StatxOf(child, &st)) {
      error = errno;
      ::close(child);
      child = -1;
    }
    if (child < 0) {
      if (made) {
        // Made but cannot be entered: it is ours and empty, so it goes again.
        ::unlinkat(fd, name, AT_REMOVEDIR);
        out.result = FromErrno(error);
      } else if (error == EXDEV) {
        out.result = Failure(FsError::MountPoint, "a mount point is not crossed: " + EscapeForDisplay(names[i]));
      } else if (error == EEXIST || error == ENOTDIR || error == ELOOP) {
        struct stat what {};
        const bool isLink = ::fstatat(fd, name, &what, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(what.st_mode);
        if (isLink && !followExisting)
          out.result = Failure(FsError::Link, "a symbolic link is in the way: " + EscapeForDisplay(names[i]));
        else if (i + 1 == names.size())
          out.result = Failure(FsError::Exists, "a file of that name exists");
        else
          out.result = Failure(FsError::Exists, "a file is in the way of the path");
      } else {
        out.result = FromErrno(error);
      }
      RollBack(fd, names, i, madeAt, &out.made);
      return out;
    }
    folder = JoinProgramPath(folder, names[i]);
    if (made) {
      madeAt[i] = IdentityOf(st);
      out.made.push_back(MadeFolder{folder, *madeAt[i], within});
    }
    ::close(fd);
    fd = child;
  }
  ::close(fd);
  return out;
}

// One entry of an open folder: a name that can only mean that entry.
namespace {

// A name of one entry, holding nothing a new folder's name may not: what
// nearly every name of a run is, told by one pass over it.
bool PlainNewName(std::string_view name) {
  using namespace byte_scan;
  if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == "..") return false;
  return Find(name, 0, [](std::uint64_t w) { return Below(w, 0x20) | Equal(w, 0x7F) | Equal(w, '/'); }) ==
         std::string_view::npos;
}

}  // namespace

bool ValidEntryName(std::string_view name, FsResult* failure) {
  if (PlainNewName(name)) return true;
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos ||
      name.find('\0') != std::string_view::npos) {
    *failure = Failure(FsError::InvalidName, "not the name of one entry: " + EscapeForDisplay(name));
    return false;
  }
  if (name.size() > kMaxNameBytes) {
    *failure = Failure(FsError::InvalidName, "a name is longer than 255 bytes");
    return false;
  }
  return true;
}

// A name for a folder about to be made.
bool ValidNewName(std::string_view name, FsResult* failure) {
  if (PlainNewName(name)) return true;
  if (!ValidEntryName(name, failure)) return false;
  if (!HoldsControlOrDelete(name)) return true;
  *failure = ControlCharacterRefusal(name);
  return false;
}

// What a folder found (or made) under `name` is: a link or a file there is
// refused, a folder gives its identity, read without following a link.
void Classify(int parent, const char* name, SubfolderResult* out) {
  struct statx st {};
  if (!StatxAt(parent, name, AT_SYMLINK_NOFOLLOW, &st)) {
    out->result = FromErrno(errno);
  } else if (S_ISLNK(st.stx_mode)) {
    out->result = Failure(FsError::Link, "a symbolic link is in the way: " + EscapeForDisplay(name));
  } else if (!S_ISDIR(st.stx_mode)) {
    out->result = Failure(FsError::Exists, "a file of that name exists");
  } else if (IsMountRoot(st)) {
    // Found there, not made: whatever goes into it would land on another mount.
    out->result = Failure(FsError::MountPoint, "a mount point is not crossed: " + EscapeForDisplay(name));
  } else {
    out->identity = IdentityOf(st);
    return;
  }
  out->made = false;
}

void RemoveMadeFoldersBelow(const MadeFolders& folders, std::vector<FsResult>* results) {
  RemoveEntries(folders, results, [](int parent, const std::string& name, const MadeFolder& folder) {
    // Only what the checks below read: the type and mode, the identity
    // (the device comes with every answer) and the mount attribute (too).
    struct statx st {};
    if (::statx(parent, name.c_str(), AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT,
                STATX_TYPE | STATX_MODE | STATX_INO | STATX_BTIME, &st) != 0)
      return FromErrno(errno);
    if (!S_ISDIR(st.stx_mode) || !folder.identity.Admits(IdentityOf(st)))
      return Failure(FsError::Changed, "not the folder the run made");
    // Something mounted on it since: removing would fail anyway, and
    // nothing below it is the run's.
    if (IsMountRoot(st)) return Failure(FsError::MountPoint, "a mount point is not removed");
    if ((st.stx_mode & S_IWUSR) == 0) return Failure(FsError::AccessDenied, "the folder is read-only");
    if (::unlinkat(parent, name.c_str(), AT_REMOVEDIR) != 0) {
      const int error = errno;
      if (error == EEXIST || error == ENOTEMPTY) return Failure(FsError::NotEmpty, std::strerror(ENOTEMPTY));
      return FromErrno(error);
    }
    return FsResult{};
  });
}

void DeleteWrittenFilesBelow(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) {
  RemoveEntries(files, results, [](int parent, const std::string& name, const WrittenFile& file) {
    struct statx st {};
    if (!StatxAt(parent, name.c_str(), AT_SYMLINK_NOFOLLOW, &st)) return FromErrno(errno);
    if (S_ISDIR(st.stx_mode) || !file.identity.Admits(FileIdentityOf(st)))
      return Failure(FsError::Changed, "not the file the run wrote");
    if (S_ISREG(st.stx_mode) && (st.stx_mode & S_IWUSR) == 0)
      return Failure(FsError::AccessDenied, "the file is read-only");
    if (::unlinkat(parent, name.c_str(), 0) != 0) return FromErrno(errno);
    return FsResult{};
  });
}

}  // namespace host

using posix::Failure;

void FileSystem::RemoveMadeFolders(const MadeFolders& folders, std::vector<FsResult>* results) {
  results->clear();
  for (const MadeFolder& folder : folders) {
    const std::optional<FolderIdentity> now = Identity(folder.path);
    if (!now) {
      results->push_back(Failure(FsError::NotFound, "the folder is not there"));
    } else if (!folder.identity.Admits(*now)) {
      results->push_back(Failure(FsError::Changed, "not the folder the run made"));
    } else {
      results->push_back(RemoveEmptyFolder(folder.path));
    }
  }
}

void FileSystem::DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) {
  results->clear();
  for (const WrittenFile& file : files) results->push_back(DeleteFile(file.path));
}

CreateResult FileSystem::CreateFoldersOpeningParent(std::string_view path, FolderHandle* parent) {
  *parent = kNoFolderHandle;
  CreateResult result = CreateFolders(path);
  const std::size_t cut = LastSeparator(path);
  if (result.ok() && cut != std::string_view::npos && !OpenFolder(path.substr(0, cut), parent).ok())
    *parent = kNoFolderHandle;
  return result;
}

FsResult FileSystem::CreateFolders(std::string_view path, std::vector<std::string>* created) {
  CreateResult result = CreateFolders(path);
  if (created != nullptr)
    for (MadeFolder& made : result.made) created->push_back(std::move(made.path));
  return result.result;
}

}  // namespace quillory
