// Moves into the desktop's trash and back, in the freedesktop.org Trash
// layout (version 1.0) every desktop shares: the home trash for what is on its
// file system, else the top folder's ".Trash/$uid" or ".Trash-$uid".
#include <atomic>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/host_internal.h"
#include "platform/posix_support.h"
#include "platform/text.h"
#include "platform/trash_info.h"

namespace quillory {

namespace host {

namespace {

using posix::Failure;
using posix::FromErrno;

// Trash folders are entered as themselves, never through a link in their
// place: a link could send the user's files anywhere.
constexpr int kTrashFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// Tries with numbered names before a move gives up.
constexpr unsigned kMostAttempts = 100000;

std::string ErrnoText(int error) { return std::strerror(error); }

std::optional<std::string> PathOfDescriptor(int fd) {
  std::string link = "/proc/self/fd/";
  link += std::to_string(fd);
  return ReadLinkAt(AT_FDCWD, link);
}

int RenameNoReplace(int fromFolder, const char* from, int toFolder, const char* to) {
  if (::syscall(SYS_renameat2, fromFolder, from, toFolder, to, kRenameNoReplace) == 0) return 0;
  const int error = errno;
  if (error != ENOSYS && error != EINVAL) return error;
  // A kernel or file system without no-replace renames. EINVAL is also a
  // folder going into itself, which the plain rename tells again. The window
  // between look and rename is inside the user's own trash or folder.
  struct stat st {};
  if (::fstatat(toFolder, to, &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  return ::renameat(fromFolder, from, toFolder, to) == 0 ? 0 : errno;
}

// A folder's ".." changes when it moves to another parent, which needs write
// permission on the folder itself: a read-only folder of the user's own gets
// owner-write for the rename and its mode back afterwards, wherever it ended.
class OwnerWriteForMove {
 public:
  OwnerWriteForMove(int parent, const char* name, const struct statx& sx) {
    if (!S_ISDIR(sx.stx_mode) || (sx.stx_mode & S_IWUSR) != 0 || sx.stx_uid != ::geteuid()) return;
    held_.Reset(::openat(parent, name, kTrashFolderFlags));
    struct statx now {};
    if (held_.get() < 0 || !StatxOf(held_.get(), &now) || now.stx_ino != sx.stx_ino ||
        DeviceOf(now) != DeviceOf(sx)) {
      held_.Reset();
      return;
    }
    mode_ = sx.stx_mode & 07777;
    // Through the descriptor, so a link put in the folder's place is never
    // what changes mode.
    if (::chmod(ProcPath().c_str(), mode_ | S_IWUSR) != 0) held_.Reset();
  }
  OwnerWriteForMove(const OwnerWriteForMove&) = delete;
  OwnerWriteForMove& operator=(const OwnerWriteForMove&) = delete;
  ~OwnerWriteForMove() {
    if (held_.get() >= 0) ::chmod(ProcPath().c_str(), mode_);
  }
  bool Changed() const { return held_.get() >= 0; }

 private:
  std::string ProcPath() const {
    std::string path = "/proc/self/fd/";
    path += std::to_string(held_.get());
    return path;
  }
  Fd held_;
  mode_t mode_ = 0;
};

// The rename of one entry, with the read-only folder handled: 0 or errno.
int MoveEntry(int fromFolder, const char* from, int toFolder, const char* to, const struct statx& sx) {
  const int error = RenameNoReplace(fromFolder, from, toFolder, to);
  if (error != EACCES && error != EPERM) return error;
  const OwnerWriteForMove writable(fromFolder, from, sx);
  if (!writable.Changed()) return error;
  return RenameNoReplace(fromFolder, from, toFolder, to);
}

// Opens the trash folder `name` of `parent`, made 0700 when missing. -1 with
// the reason in `why`.
int OpenTrashFolder(int parent, const std::string& name, std::string* why) {
  if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) {
    *why = name + " cannot be made: " + ErrnoText(errno);
    return -1;
  }
  const int fd = ::openat(parent, name.c_str(), kTrashFolderFlags);
  if (fd >= 0) return fd;
  const int error = errno;
  struct stat st {};
  if (::fstatat(parent, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
    *why = "the trash folder " + name + " is a symbolic link";
  else if (error == ENOTDIR)
    *why = name + " is not a folder";
  else
    *why = name + " cannot be opened: " + ErrnoText(error);
  return -1;
}

// The folder a trash folder of a top folder must be: the user's own, not a
// link, and writable by nobody else.
bool OwnedTrashFolder(int fd, const std::string& name, bool othersMayWrite, std::string* why) {
  struct statx sx {};
  if (!StatxOf(fd, &sx)) {
    *why = name + " cannot be read: " + ErrnoText(errno);
    return false;
  }
  if (sx.stx_uid != ::geteuid()) {
    *why = name + " belongs to another user";
    return false;
  }
  if (!othersMayWrite && (sx.stx_mode & (S_IWGRP | S_IWOTH)) != 0) {
    *why = name + " is writable by other users";
    return false;
  }
  return true;
}

// /proc/self/mountinfo escapes blanks, tabs, newlines and backslashes.
std::string UnescapeMountField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3') {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

// The type of the file system mounted as `mountId` (or, where the kernel
// gives no mount ids, at `mountPoint`); empty when it cannot be told.
std::string FileSystemType(std::optional<std::uint64_t> mountId, const std::string& mountPoint) {
  Fd fd(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return {};
  std::string text;
  char buffer[16384];
  for (long n; (n = posix::ReadSome(fd.get(), buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  std::string type;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    std::vector<std::string_view> fields;
    for (std::size_t start = 0; start <= line.size();) {
      std::size_t blank = line.find(' ', start);
      if (blank == std::string_view::npos) blank = line.size();
      fields.push_back(line.substr(start, blank - start));
      start = blank + 1;
    }
    std::size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-") ++dash;
    if (fields.size() < 5 || dash + 1 >= fields.size()) continue;
    const bool match = mountId ? fields[0] == std::to_string(*mountId) : UnescapeMountField(fields[4]) == mountPoint;
    // Later lines are mounted over earlier ones.
    if (match) type = UnescapeMountField(fields[dash + 1]);
  }
  return type;
}

std::optional<std::uint64_t> MountIdOf(int fd) {
  struct statx sx {};
  if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, STATX_MNT_ID, &sx) != 0 ||
      (sx.stx_mask & STATX_MNT_ID) == 0)
    return std::nullopt;
  return sx.stx_mnt_id;
}

// The root of the mount holding the open folder `fd`, reached by ".." from
// it; -1 with errno set when the way up cannot be read.
int TopFolderOf(int fd) {
  int at = ::openat(fd, ".", kPathFlags);
  for (int depth = 0; at >= 0 && depth < 4096; ++depth) {
    struct statx here {};
    struct statx above {};
    if (!StatxOf(at, &here)) break;
    const bool marked = (here.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0;
    if (marked && IsMountRoot(here)) return at;
    const int up = ::openat(at, "..", kPathFlags);
    if (up < 0 || !StatxOf(up, &above)) {
      const int error = errno;
      if (up >= 0) ::close(up);
      ::close(at);
      errno = error;
      return -1;
    }
    // "/", and on kernels that do not mark mount roots, a change of device.
    if ((above.stx_ino == here.stx_ino && DeviceOf(above) == DeviceOf(here)) ||
        (!marked && DeviceOf(above) != DeviceOf(here))) {
      ::close(up);
      return at;
    }
    ::close(at);
    at = up;
  }
  if (at >= 0) {
    const int error = errno;
    ::close(at);
    errno = error == 0 ? ELOOP : error;
  }
  return -1;
}

// How messages name a file system: its mount point and type.
std::string NameOfFileSystem(int top, const std::string& path) {
  const std::string type = FileSystemType(MountIdOf(top), path);
  std::string name = "the file system on ";
  name += EscapeForDisplay(path);
  if (!type.empty()) {
    name += " (";
    name += type;
    name += ')';
  }
  return name;
}

// The home trash: where XDG_DATA_HOME says (when absolute), else in the home
// folder; empty when neither is known.
std::string HomeTrashPath() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return std::string(data) + "/Trash";
  std::string home;
  if (const char* env = std::getenv("HOME"); env != nullptr && env[0] == '/') {
    home = env;
  } else {
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/')
      home = found->pw_dir;
  }
  if (home.empty()) return {};
  if (home.back() != '/') home += '/';
  return home + ".local/share/Trash";
}

// One trash folder this can moves into.
struct TrashSite {
  std::string path;    // host path of the trash folder
  std::string topdir;  // the top folder Path lines are relative to; empty: absolute
  Fd folder;
  Fd files;
  Fd info;
  std::vector<trash::SizeLine> sizes;       // not yet written to directorysizes
  std::map<std::string, unsigned> attempt;  // per entry name, the numbered name that last worked
};

// Opens files/ and info/ of a trash folder; the reason in `why` otherwise.
bool OpenTrashParts(TrashSite* site, std::string* why) {
  site->files.Reset(OpenTrashFolder(site->folder.get(), "files", why));
  if (site->files.get() < 0) return false;
  site->info.Reset(OpenTrashFolder(site->folder.get(), "info", why));
  return site->info.get() >= 0;
}

// The whole regular file `name` of `folder`; empty when it is not there.
bool ReadTrashFile(int folder, const char* name, std::string* bytes) {
  bytes->clear();
  Fd fd(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  char buffer[16384];
  long n;
  while ((n = posix::ReadSome(fd.get(), buffer, sizeof buffer)) > 0) bytes->append(buffer, static_cast<std::size_t>(n));
  return n == 0;
}

// Rewrites directorysizes of the trash open as `folder` in one rename: a
// reader sees the old cache or the new one. A cache, so a failure only
// leaves it as it was.
void UpdateDirectorySizes(int folder, const std::vector<trash::SizeLine>& add, const std::set<std::string>& drop) {
  std::string current;
  const bool present = ReadTrashFile(folder, "directorysizes", &current);
  if (!present && add.empty()) return;
  const std::string merged = trash::MergeDirectorySizes(current, add, drop);
  static std::atomic<unsigned> counter{0};
  std::string temp = "directorysizes.tmp-";
  temp += std::to_string(::getpid());
  temp += '-';
  temp += std::to_string(++counter);
  Fd fd(::openat(folder, temp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) return;
  const bool written = posix::WriteAll(fd.get(), merged.data(), merged.size());
  if (fd.Close() != 0 || !written || ::renameat(folder, temp.c_str(), folder, "directorysizes") != 0)
    ::unlinkat(folder, temp.c_str(), 0);
}

class HostTrashCan final : public TrashCan {
 public:
  explicit HostTrashCan(std::string homePath) : homePath_(std::move(homePath)) {}
  HostTrashCan(const HostTrashCan&) = delete;
  HostTrashCan& operator=(const HostTrashCan&) = delete;
  ~HostTrashCan() override {
    for (const auto& site : sites_)
      if (!site->sizes.empty()) UpdateDirectorySizes(site->folder.get(), site->sizes, {});
  }

  FsResult Move(FolderHandle aimedHandle, FolderHandle parentHandle, std::string_view name, std::uint64_t bytes,
                TrashedEntry* moved) override {
    FsResult failure;
    if (!ValidEntryName(name, &failure)) return failure;
    const int parent = static_cast<int>(parentHandle);
    const int aimed = aimedHandle >= 0 ? static_cast<int>(aimedHandle) : parent;
    const std::string entry(name);
    struct statx sx {};
    if (!StatxAt(parent, entry.c_str(), AT_SYMLINK_NOFOLLOW, &sx)) return FromErrno(errno);
    if (IsMountRoot(sx)) return Failure(FsError::MountPoint, "a mount point is not moved to the trash");
    const auto parentPath = PathOfDescriptor(parent);
    const auto aimedPath = PathOfDescriptor(aimed);
    if (!parentPath || !aimedPath) return Failure(FsError::Io, "the folder's path cannot be read: " + ErrnoText(errno));
    std::string origin = *parentPath;
    if (origin.back() != '/') origin += '/';
    origin += entry;

    const MountKey key{DeviceOf(sx), MountIdOf(parent).value_or(0)};
    Choice* choice = ChoiceFor(parent, key);
    if (choice->site == nullptr) return choice->failure;
    std::string inTrash;
    std::int64_t infoTime = 0;
    bool unwritable = false;
    int error = MoveInto(*choice->site, parent, entry, sx, origin, &inTrash, &infoTime, &unwritable);
    if (error == EXDEV && choice->site == home_) {
      // Same device as the home trash but another mount of it (a bind mount):
      // its own top folder's trash, from now on for this mount.
      *choice = TopChoice(parent);
      if (choice->site == nullptr) return choice->failure;
      error = MoveInto(*choice->site, parent, entry, sx, origin, &inTrash, &infoTime, &unwritable);
    }
    if (unwritable)
      return Failure(FsError::NoTrash, "the trash " + EscapeForDisplay(choice->site->path) +
                                           " cannot be written: " + ErrnoText(error));
    if (error == EXDEV)
      return Failure(FsError::NoTrash, "the trash " + EscapeForDisplay(choice->site->path) +
                                           " is on another file system than the entry");
    if (error == EINVAL) return Failure(FsError::InvalidName, "the trash is inside it: it cannot go into itself");
    if (error == ERANGE) return Failure(FsError::Exists, "no free name in the trash");
    if (error != 0) return FromErrno(error);

    TrashSite& site = *choice->site;
    moved->origin = std::move(origin);
    const bool atBoundary = aimedPath->size() <= moved->origin.size() &&
                            moved->origin.compare(0, aimedPath->size(), *aimedPath) == 0 &&
                            (aimedPath->back() == '/' || moved->origin[aimedPath->size()] == '/');
    moved->aimed = static_cast<std::uint32_t>(atBoundary ? aimedPath->size() : parentPath->size());
    moved->trash = site.path;
    moved->name = inTrash;
    moved->identity = IdentityOf(sx);
    moved->folder = S_ISDIR(sx.stx_mode);
    if (moved->folder) site.sizes.push_back(trash::SizeLine{bytes, infoTime, std::move(inTrash)});
    return {};
  }

 private:
  // A mount, as statx tells it (mount id 0 where the kernel gives none).
  using MountKey = std::pair<std::uint64_t, std::uint64_t>;
  struct Choice {
    TrashSite* site = nullptr;
    FsResult failure;
  };

  // The trash for entries of the open folder `parent`, on the mount `key`,
  // worked out once per mount.
  Choice* ChoiceFor(int parent, const MountKey& key) {
    const auto found = choices_.find(key);
    if (found != choices_.end()) return &found->second;
    Choice& choice = choices_[key];
    OpenHome();
    if (homeMount_ && homeMount_->first == key.first && (key.second == 0 || homeMount_->second == key.second)) {
      if (home_ != nullptr)
        choice.site = home_;
      else
        choice.failure = homeFailure_;
      return &choice;
    }
    choice = TopChoice(parent);
    return &choice;
  }

  // Makes the home trash (and the folders on the way to it) once. Only its
  // own folders are refused as links: the way to it is the user's setting.
  void OpenHome() {
    if (homeTried_) return;
    homeTried_ = true;
    if (homePath_.empty()) return;
    const std::size_t cut = homePath_.rfind('/');
    const std::string above = cut == 0 ? std::string("/") : homePath_.substr(0, cut);
    Fd at(::open("/", kPathFlags));
    std::size_t start = 1;
    while (at.get() >= 0 && start < above.size()) {
      std::size_t end = above.find('/', start);
      if (end == std::string::npos) end = above.size();
      const std::string name = above.substr(start, end - start);
      start = end + 1;
      if (name.empty()) continue;
      if (::mkdirat(at.get(), name.c_str(), 0700) != 0 && errno != EEXIST) {
        homeFailure_ = NoHome("its folder " + EscapeForDisplay(above) + " cannot be made: " + ErrnoText(errno));
        return;
      }
      at.Reset(::openat(at.get(), name.c_str(), kPathFlags));
    }
    if (at.get() < 0) {
      homeFailure_ = NoHome("its folder " + EscapeForDisplay(above) + " cannot be opened: " + ErrnoText(errno));
      return;
    }
    struct statx sx {};
    if (StatxOf(at.get(), &sx)) homeMount_ = MountKey{DeviceOf(sx), MountIdOf(at.get()).value_or(0)};
    auto site = std::make_unique<TrashSite>();
    site->path = homePath_;
    std::string why;
    site->folder.Reset(OpenTrashFolder(at.get(), homePath_.substr(cut + 1), &why));
    if (site->folder.get() < 0 || !OpenTrashParts(site.get(), &why)) {
      homeFailure_ = NoHome(why);
      return;
    }
    // The trash folder itself decides: it may be a mount of its own.
    if (StatxOf(site->folder.get(), &sx))
      homeMount_ = MountKey{DeviceOf(sx), MountIdOf(site->folder.get()).value_or(0)};
    home_ = site.get();
    sites_.push_back(std::move(site));
  }

  FsResult NoHome(const std::string& why) const {
    return Failure(FsError::NoTrash, "the home trash " + EscapeForDisplay(homePath_) + " cannot be used: " + why);
  }

  // The trash of the top folder of the mount holding `parent`: ".Trash/$uid"
  // where an administrator made a shared ".Trash" (a real folder with the
  // sticky bit), else ".Trash-$uid".
  Choice TopChoice(int parent) {
    Choice out;
    Fd top(TopFolderOf(parent));
    std::optional<std::string> topPath = top.get() >= 0 ? PathOfDescriptor(top.get()) : std::nullopt;
    if (!topPath) {
      out.failure = Failure(FsError::NoTrash, "the top folder of the entry's file system cannot be found: " +
                                                  ErrnoText(errno));
      return out;
    }
    struct statx topSx {};
    if (StatxOf(top.get(), &topSx)) {
      const auto known = tops_.find(MountKey{DeviceOf(topSx), topSx.stx_ino});
      if (known != tops_.end()) {
        out.site = known->second;
        return out;
      }
    }
    const std::string uid = std::to_string(::geteuid());
    auto site = std::make_unique<TrashSite>();
    site->topdir = *topPath;
    std::string why;
    struct statx shared {};
    if (StatxAt(top.get(), ".Trash", AT_SYMLINK_NOFOLLOW, &shared) && S_ISDIR(shared.stx_mode) &&
        (shared.stx_mode & S_ISVTX) != 0) {
      Fd dot(::openat(top.get(), ".Trash", kTrashFolderFlags));
      if (dot.get() >= 0) {
        site->folder.Reset(OpenTrashFolder(dot.get(), uid, &why));
        // Only the user's own; others may not write there anyway, as .Trash is
        // sticky and their entries cannot go.
        if (site->folder.get() >= 0 && OwnedTrashFolder(site->folder.get(), uid, true, &why) &&
            OpenTrashParts(site.get(), &why)) {
          site->path = *topPath + (topPath->back() == '/' ? "" : "/") + ".Trash/" + uid;
        } else {
          site->folder.Reset();
        }
      }
    }
    if (site->folder.get() < 0) {
      const std::string own = ".Trash-" + uid;
      site->files.Reset();
      site->info.Reset();
      site->folder.Reset(OpenTrashFolder(top.get(), own, &why));
      if (site->folder.get() < 0 || !OwnedTrashFolder(site->folder.get(), own, false, &why) ||
          !OpenTrashParts(site.get(), &why)) {
        out.failure = Failure(FsError::NoTrash, "no trash can be used on " + NameOfFileSystem(top.get(), *topPath) +
                                                    ": " + why);
        return out;
      }
      site->path = *topPath + (topPath->back() == '/' ? "" : "/") + own;
    }
    out.site = site.get();
    tops_[MountKey{DeviceOf(topSx), topSx.stx_ino}] = site.get();
    sites_.push_back(std::move(site));
    return out;
  }

  // The .trashinfo first, never replacing one, then the rename that never
  // replaces; a numbered name where either is taken. 0 or errno (ERANGE: no
  // free name left); `unwritable` when no .trashinfo could be made at all.
  int MoveInto(TrashSite& site, int parent, const std::string& entry, const struct statx& sx,
               const std::string& origin, std::string* inTrash, std::int64_t* infoTime, bool* unwritable) {
    std::string_view path = origin;
    if (!site.topdir.empty()) {
      const std::string& top = site.topdir;
      // Relative to the top folder; absolute only where the kernel reports a
      // path outside it (another view of the mounts).
      if (top == "/")
        path.remove_prefix(1);
      else if (path.size() > top.size() && path.compare(0, top.size(), top) == 0 && path[top.size()] == '/')
        path.remove_prefix(top.size() + 1);
    }
    const std::string text = trash::InfoText(trash::PercentEncode(path), std::time(nullptr));
    unsigned& last = site.attempt[entry];
    for (unsigned attempt = last == 0 ? 1 : last; attempt < kMostAttempts; ++attempt) {
      std::string candidate = trash::NameInTrash(entry, attempt);
      const std::string infoName = candidate + std::string(trash::kInfoSuffix);
      Fd info(::openat(site.info.get(), infoName.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600));
      if (info.get() < 0) {
        if (errno == EEXIST) continue;
        *unwritable = true;
        return errno;
      }
      struct stat st {};
      int error = posix::WriteAll(info.get(), text.data(), text.size()) && ::fstat(info.get(), &st) == 0 ? 0 : errno;
      if (const int closed = info.Close(); error == 0) error = closed;
      if (error == 0) error = MoveEntry(parent, entry.c_str(), site.files.get(), candidate.c_str(), sx);
      if (error == 0) {
        last = attempt;
        *inTrash = std::move(candidate);
        *infoTime = st.st_mtim.tv_sec;
        return 0;
      }
      ::unlinkat(site.info.get(), infoName.c_str(), 0);
      // A files/ entry without its .trashinfo: that name is taken too.
      if (error != EEXIST) return error;
    }
    return ERANGE;
  }

  std::string homePath_;
  bool homeTried_ = false;
  TrashSite* home_ = nullptr;
  FsResult homeFailure_;
  std::optional<MountKey> homeMount_;
  std::map<MountKey, Choice> choices_;
  std::map<MountKey, TrashSite*> tops_;  // by the top folder's device and inode
  std::vector<std::unique_ptr<TrashSite>> sites_;
};

// A trash folder RestoreTrashed reads from, kept open for the whole call.
struct OpenTrash {
  Fd folder;
  Fd files;
  Fd info;
  FsResult failure;
  std::set<std::string> restoredFolders;  // their directorysizes lines go
};

void OpenForRestore(const std::string& path, OpenTrash* trash) {
  // Where the trash is was read from the disk when the entry went in.
  trash->folder.Reset(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (trash->folder.get() < 0) {
    trash->failure = errno == ENOENT ? Failure(FsError::Changed, "the trash folder is gone") : FromErrno(errno);
    return;
  }
  std::string why;
  for (auto [part, fd] : {std::pair{"files", &trash->files}, std::pair{"info", &trash->info}}) {
    fd->Reset(::openat(trash->folder.get(), part, kTrashFolderFlags));
    if (fd->get() < 0) {
      const int error = errno;
      struct stat st {};
      const bool link = ::fstatat(trash->folder.get(), part, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
      trash->failure = link ? Failure(FsError::Link, std::string("the trash folder ") + part + " is a symbolic link")
                            : error == ENOENT ? Failure(FsError::Changed, std::string("the trash has no ") + part)
                                              : FromErrno(error);
      return;
    }
  }
}

// The folder an entry goes back into: the aimed part of the origin resolved
// as the platform resolves it, every name below it entered without
// following a link or crossing a mount.
int OpenPlace(std::string_view folder, std::size_t aimed, FsResult* failure) {
  const std::string base = aimed == 0 ? std::string("/") : std::string(folder.substr(0, aimed));
  Fd at(::open(base.c_str(), kPathFlags));
  if (at.get() < 0) {
    *failure = FromErrno(errno);
    return -1;
  }
  std::string_view rest = folder.substr(aimed);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string name(rest.substr(0, slash));
    rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
    if (name.empty()) continue;
    if (name == "." || name == "..") {
      *failure = Failure(FsError::InvalidName, "a \"" + name + "\" name leaves the folder");
      return -1;
    }
    at.Reset(OpenBelow(at.get(), name.c_str(), kPathFlags));
    if (at.get() < 0) {
      const int error = errno;
      if (error == ELOOP)
        *failure = Failure(FsError::Link, "a symbolic link is on the way back: " + EscapeForDisplay(name));
      else if (error == EXDEV)
        *failure = Failure(FsError::MountPoint, "a mount point is on the way back: " + EscapeForDisplay(name));
      else
        *failure = FromErrno(error);
      return -1;
    }
  }
  const int fd = ::dup(at.get());
  if (fd < 0) *failure = FromErrno(errno);
  return fd;
}

FsResult RestoreOne(const TrashedEntry& entry, OpenTrash& trash, int place) {
  struct statx sx {};
  if (!StatxAt(trash.files.get(), entry.name.c_str(), AT_SYMLINK_NOFOLLOW, &sx)) {
    if (errno == ENOENT) return Failure(FsError::Changed, "the trash no longer holds it");
    return FromErrno(errno);
  }
  if (S_ISDIR(sx.stx_mode) != entry.folder || !entry.identity.Admits(IdentityOf(sx)))
    return Failure(FsError::Changed, "the trash holds another entry of that name");
  const std::string name = entry.origin.substr(entry.origin.rfind('/') + 1);
  const int error = MoveEntry(trash.files.get(), entry.name.c_str(), place, name.c_str(), sx);
  if (error == EEXIST) return Failure(FsError::Exists, "its place is taken; it stays in the trash");
  if (error == EXDEV) return Failure(FsError::MountPoint, "its folder is now on another file system");
  if (error != 0) return FromErrno(error);
  const std::string info = entry.name + std::string(trash::kInfoSuffix);
  ::unlinkat(trash.info.get(), info.c_str(), 0);
  if (entry.folder) trash.restoredFolders.insert(entry.name);
  return {};
}

}  // namespace

std::unique_ptr<TrashCan> OpenHostTrashCan(FsResult* /*failure*/) {
  // Always a can: entries off the home file system may still have a trash of
  // their own, and each move tells where there is none.
  return std::make_unique<HostTrashCan>(HomeTrashPath());
}

void RestoreHostTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results) {
  results->clear();
  results->reserve(entries.size());
  std::map<std::string, OpenTrash> trashes;
  std::string openFolder;
  std::size_t openAimed = 0;
  Fd place;
  FsResult placeFailure;
  for (const TrashedEntry& entry : entries) {
    FsResult failure;
    const std::size_t slash = entry.origin.rfind('/');
    if (entry.origin.empty() || entry.origin[0] != '/' || !ValidEntryName(entry.name, &failure) ||
        !ValidEntryName(entry.origin.substr(slash + 1), &failure)) {
      results->push_back(failure.ok() ? Failure(FsError::InvalidName, "not a host path: " +
                                                                          EscapeForDisplay(entry.origin))
                                      : failure);
      continue;
    }
    auto [it, fresh] = trashes.try_emplace(entry.trash);
    OpenTrash& trash = it->second;
    if (fresh) OpenForRestore(entry.trash, &trash);
    if (!trash.failure.ok()) {
      results->push_back(trash.failure);
      continue;
    }
    const std::string_view folder = std::string_view(entry.origin).substr(0, slash);
    const std::size_t aimed = entry.aimed == 0 || entry.aimed > folder.size() ? folder.size() : entry.aimed;
    if (folder != openFolder || aimed != openAimed || (place.get() < 0 && placeFailure.ok())) {
      openFolder.assign(folder);
      openAimed = aimed;
      placeFailure = {};
      place.Reset(OpenPlace(folder, aimed, &placeFailure));
    }
    if (place.get() < 0) {
      results->push_back(placeFailure);
      continue;
    }
    results->push_back(RestoreOne(entry, trash, place.get()));
  }
  for (auto& [path, trash] : trashes)
    if (!trash.restoredFolders.empty()) UpdateDirectorySizes(trash.folder.get(), {}, trash.restoredFolders);
}

}  // namespace host

std::unique_ptr<TrashCan> FileSystem::OpenTrashCan(FsResult* failure) {
  if (failure != nullptr) *failure = posix::Failure(FsError::NoTrash, "no trash on this file system");
  return nullptr;
}

void FileSystem::RestoreTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results) {
  results->assign(entries.size(), posix::Failure(FsError::NoTrash, "no trash on this file system"));
}

}  // namespace quillory
