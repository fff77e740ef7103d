#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <linux/openat2.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/posix_support.h"
#include "platform/text.h"

namespace quillory {

namespace {

using posix::Failure;
using posix::FromErrno;
using posix::Resolve;

constexpr unsigned kRenameNoReplace = 1;  // RENAME_NOREPLACE

// The fixed part of what getdents64 fills in (the C library declares no such
// type); the name follows right after the type byte.
struct LinuxDirent64 {
  ino64_t d_ino;
  off64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
};
constexpr std::size_t kDirentNameAt = offsetof(LinuxDirent64, d_type) + 1;

bool IsDriveRoot(std::string_view programPath) {
  const auto parts = SplitProgramPath(programPath);
  return parts && parts->names.empty();
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Reset(); }
  int get() const { return fd_; }
  // Closes now and reports the error close gives (data not written back).
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && ::close(fd) != 0 ? errno : 0;
  }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// errno of the first failure, 0 when everything was copied.
int CopyContents(int in, int out) {
  bool useRange = true;
  bool copiedAny = false;
  for (;;) {
    if (useRange) {
      const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t{1} << 30, 0);
      if (n > 0) {
        copiedAny = true;
        continue;
      }
      if (n == 0) {
        // Some file systems report 0 instead of copying; read to be sure.
        if (!copiedAny) {
          useRange = false;
          continue;
        }
        return 0;
      }
      if (errno == EINTR) continue;
      if (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP || errno == ETXTBSY) {
        useRange = false;
        continue;
      }
      return errno;
    }
    char buffer[1 << 16];
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (!posix::WriteAll(out, buffer, static_cast<std::size_t>(n))) return errno;
  }
}

// A partial copy must never look complete; the host's "no space" becomes ours.
FsResult CopyFailure(int error) {
  FsResult result = FromErrno(error);
  if (result.error != FsError::NoSpace) result.error = FsError::Io;
  return result;
}

// Copies the open regular file `in` into a new file at `target`, which must
// not exist; on failure the partial target is removed.
FsResult CopyInto(int in, const struct stat& source, const std::string& target) {
  Fd out(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (out.get() < 0) return FromErrno(errno);
  int error = CopyContents(in, out.get());
  if (error == 0 && ::fchmod(out.get(), source.st_mode & 0777) != 0) error = errno;
  if (error == 0) {
    // Windows copies keep the last-write time; so do ours.
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    ::futimens(out.get(), times);
  }
  const int closeError = out.Close();
  if (error == 0) error = closeError;
  if (error != 0) {
    ::unlink(target.c_str());
    return CopyFailure(error);
  }
  return {};
}

std::optional<std::string> ReadLink(const std::string& path) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) return std::nullopt;
    if (static_cast<std::size_t>(n) < target.size()) {
      target.resize(static_cast<std::size_t>(n));
      return target;
    }
    target.resize(target.size() * 2);
  }
}

// Replaces `target` by a file prepared at a temporary name by `make`, so the
// old target survives every failure.
template <class Make>
FsResult ReplaceVia(const std::string& target, Make make) {
  std::string temp;
  FsResult made;
  for (int attempt = 0; attempt < 8; ++attempt) {
    temp = posix::TempPathBeside(target);
    made = make(temp);
    if (made.error != FsError::Exists) break;
  }
  if (!made.ok()) return made;
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return FromErrno(error);
  }
  return {};
}

FsResult CheckOverwritable(const std::string& target) {
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? FsResult{} : FromErrno(errno);
  if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the target is a folder");
  // Windows does not overwrite a read-only file.
  if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
    return Failure(FsError::AccessDenied, "the target is read-only");
  return {};
}

// Walks inside a copy never follow links: a link is copied as a link.
FsResult CopyLink(const std::string& from, const std::string& to, bool overwrite) {
  const auto target = ReadLink(from);
  if (!target) return FromErrno(errno);
  const auto makeAt = [&](const std::string& path) {
    return ::symlink(target->c_str(), path.c_str()) == 0 ? FsResult{} : FromErrno(errno);
  };
  if (!overwrite) return makeAt(to);
  if (FsResult check = CheckOverwritable(to); !check.ok()) return check;
  return ReplaceVia(to, makeAt);
}

// Descriptors that only name a folder: enough for the *at calls and fstat,
// and no read permission needed.
constexpr int kPathFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
constexpr int kReadFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr std::size_t kMaxNameBytes = 255;

// What identities and the mount test read of an entry. The birth time is
// asked for but a file system may not give it (then it stays 0).
constexpr unsigned kIdentityMask = STATX_TYPE | STATX_MODE | STATX_INO | STATX_BTIME | STATX_CTIME | STATX_MTIME |
                                   STATX_SIZE;

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
  static bool haveOpenat2 = true;
  if (haveOpenat2) {
    // Without O_NOFOLLOW: with it an O_PATH open would hand out the link
    // itself; without it a link anywhere fails with ELOOP.
    struct open_how how {};
    how.flags = static_cast<std::uint64_t>(flags);
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, parent, name, &how, sizeof how);
    if (fd >= 0 || errno != ENOSYS) return static_cast<int>(fd);
    haveOpenat2 = false;
  }
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

std::string JoinProgram(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  path.append(name);
  return path;
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

// Removes again, deepest first, the folders of the chain this call made:
// `fd` is the deepest folder reached, that of names[failed - 1]; each step
// goes up by "..", and a folder goes only when it is still the one made
// (device and inode) and empty. What stays is left in `made`.
void RollBack(int fd, const std::vector<std::string>& names, std::size_t failed,
              const std::vector<std::optional<FolderIdentity>>& madeAt, std::vector<MadeFolder>* made) {
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

// Makes names[from..] one at a time below the folder open as `fd` (taken
// over), whose program path is `folder`: mkdirat first, and on EEXIST the
// entry is checked to be a folder. A folder made is entered with O_NOFOLLOW
// and its identity taken from that descriptor; an existing one is entered
// without following a link unless `followExisting`.
CreateResult MakeChain(int fd, const std::vector<std::string>& names, std::size_t from, std::string folder,
                       bool followExisting) {
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
        if (made) out.made.push_back(MadeFolder{JoinProgram(folder, names[i]), IdentityOf(st), within});
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
    folder = JoinProgram(folder, names[i]);
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
bool ValidEntryName(std::string_view name, FsResult* failure) {
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
  if (!ValidEntryName(name, failure)) return false;
  if (!HoldsControlOrDelete(name)) return true;
  *failure = ControlCharacterRefusal(name);
  return false;
}

FileIdentity FileIdentityOf(const struct statx& sx) {
  FileIdentity id{DeviceOf(sx), static_cast<std::uint64_t>(sx.stx_ino), static_cast<std::uint64_t>(sx.stx_size),
                  static_cast<std::int64_t>(sx.stx_mtime.tv_sec), sx.stx_mtime.tv_nsec};
  if ((sx.stx_mask & STATX_BTIME) != 0) {
    id.birthSeconds = sx.stx_btime.tv_sec;
    id.birthNanoseconds = sx.stx_btime.tv_nsec;
  }
  id.ctimeSeconds = sx.stx_ctime.tv_sec;
  id.ctimeNanoseconds = sx.stx_ctime.tv_nsec;
  return id;
}

// The process's umask, read once: a new file's mode needs fchmod only when
// the umask took bits the source has.
mode_t ProcessUmask() {
  static const mode_t mask = [] {
    const mode_t m = ::umask(022);
    ::umask(m);
    return m;
  }();
  return mask;
}

class HostInputAt final : public InputFile {
 public:
  HostInputAt(int fd, const struct stat& st) : fd_(fd), st_(st) {}
  ~HostInputAt() override { ::close(fd_); }
  HostInputAt(const HostInputAt&) = delete;
  HostInputAt& operator=(const HostInputAt&) = delete;

  std::size_t Read(void* buffer, std::size_t size) override {
    if (failed_) return 0;
    const long n = posix::ReadSome(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    failed_ = true;
    error_ = errno;
    return 0;
  }
  bool Failed() const override { return failed_; }
  std::optional<std::uint64_t> Size() const override { return static_cast<std::uint64_t>(st_.st_size); }
  std::optional<FileStamp> Stamp() const override {
    return FileStamp{static_cast<unsigned>(st_.st_mode & 07777), static_cast<std::int64_t>(st_.st_mtim.tv_sec),
                     static_cast<std::uint32_t>(st_.st_mtim.tv_nsec)};
  }
  int fd() const { return fd_; }
  void Fail(int error) {
    failed_ = true;
    error_ = error;
  }

 private:
  int fd_;
  struct stat st_;
  bool failed_ = false;
  int error_ = 0;
};

// The data goes into an unnamed file (O_TMPFILE) that is linked under its
// name only when complete: linkat never replaces, and a failure or a crash
// leaves nothing, not even a temporary. Where the file system has no unnamed
// files, a named temporary beside the target and a no-replace rename do the
// same, the temporary being removed on failure. Overwriting links the data
// under a temporary name and renames it over the old file in one step.
class HostNewFile final : public NewFile {
 public:
  HostNewFile(int folder, std::string name, int fd, std::string temp, const FileStamp& stamp, bool overwrite)
      : folder_(folder), name_(std::move(name)), fd_(fd), temp_(std::move(temp)), stamp_(stamp),
        overwrite_(overwrite) {}
  HostNewFile(const HostNewFile&) = delete;
  HostNewFile& operator=(const HostNewFile&) = delete;
  ~HostNewFile() override {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlinkat(folder_, temp_.c_str(), 0);
  }

  void Write(const void* data, std::size_t size) override {
    if (error_ == 0 && !posix::WriteAll(fd_, data, size)) error_ = errno;
  }

  void CopyFrom(InputFile& from) override {
    if (error_ != 0) return;
    if (auto* host = dynamic_cast<HostInputAt*>(&from)) {
      CopyRange(*host);
      return;
    }
    char buffer[1 << 16];
    for (;;) {
      const std::size_t n = from.Read(buffer, sizeof buffer);
      if (n == 0) break;
      Write(buffer, n);
      if (error_ != 0) return;
    }
    if (from.Failed()) error_ = EIO;
  }

  FsResult Commit(FileIdentity* identity) override {
    if (fd_ < 0) return Failure(FsError::Io, "already committed");
    if (error_ == 0) Finish();
    if (error_ != 0) return CopyFailure(error_);
    const bool unnamed = temp_.empty();
    if (unnamed) {
      // Linked while still open: an unnamed file goes with its last descriptor.
      const std::string name = overwrite_ ? FreeTempName() : name_;
      if (name.empty() || !LinkUnnamed(name)) return Close(FromErrno(name.empty() ? EEXIST : errno));
      if (overwrite_) temp_ = name;
    }
    // Read once the file has its name: linking and renaming change the
    // change time that the identity holds.
    struct statx sx {};
    const bool placed = unnamed && !overwrite_;
    if (placed && identity != nullptr && StatxOf(fd_, &sx)) *identity = FileIdentityOf(sx);
    // The data is written back by now or the close says it is not.
    if (::close(fd_) != 0) {
      const int error = errno;
      fd_ = -1;
      if (unnamed && !overwrite_) ::unlinkat(folder_, name_.c_str(), 0);
      return CopyFailure(error);
    }
    fd_ = -1;
    if (unnamed && !overwrite_) return {};
    if (overwrite_) {
      if (FsResult check = Overwritable(); !check.ok()) return check;
      if (::renameat(folder_, temp_.c_str(), folder_, name_.c_str()) != 0) return FromErrno(errno);
    } else if (::syscall(SYS_renameat2, folder_, temp_.c_str(), folder_, name_.c_str(), kRenameNoReplace) != 0) {
      return FromErrno(errno);
    }
    temp_.clear();
    if (identity != nullptr && StatxAt(folder_, name_.c_str(), AT_SYMLINK_NOFOLLOW, &sx)) *identity = FileIdentityOf(sx);
    return {};
  }

 private:
  FsResult Close(FsResult result) {
    ::close(fd_);
    fd_ = -1;
    return result;
  }

  void CopyRange(HostInputAt& in) {
    const std::uint64_t size = in.Size().value_or(0);
    std::uint64_t copied = 0;
    bool useRange = true;
    for (;;) {
      if (useRange) {
        // Asking for the size seen at open copies a small file in one call; a
        // file that grew since still ends at the first empty answer.
        const std::size_t ask = copied < size ? static_cast<std::size_t>(size - copied) : std::size_t{1} << 20;
        const ssize_t n = ::copy_file_range(in.fd(), nullptr, fd_, nullptr, ask, 0);
        if (n > 0) {
          copied += static_cast<std::uint64_t>(n);
          if (copied == size) return;
          continue;
        }
        if (n == 0) {
          if (copied == 0 && size > 0) {
            useRange = false;  // some file systems answer 0 instead of copying
            continue;
          }
          return;
        }
        if (errno == EINTR) continue;
        if (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP || errno == ETXTBSY) {
          useRange = false;
          continue;
        }
        error_ = errno;
        return;
      }
      char buffer[1 << 16];
      const std::size_t n = in.Read(buffer, sizeof buffer);
      if (n == 0) {
        if (in.Failed()) error_ = EIO;
        return;
      }
      Write(buffer, n);
      if (error_ != 0) return;
    }
  }

  void Finish() {
    const mode_t mode = static_cast<mode_t>(stamp_.mode & 0777);
    if ((mode & ~ProcessUmask()) != mode && ::fchmod(fd_, mode) != 0) {
      error_ = errno;
      return;
    }
    // Copies keep the time of the last change.
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {static_cast<time_t>(stamp_.mtimeSeconds),
                                       static_cast<long>(stamp_.mtimeNanoseconds)}};
    if (::futimens(fd_, times) != 0) error_ = errno;
  }

  FsResult Overwritable() const {
    struct stat st {};
    if (::fstatat(folder_, name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
      return errno == ENOENT ? FsResult{} : FromErrno(errno);
    if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the target is a folder");
    // Windows does not overwrite a read-only file.
    if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
      return Failure(FsError::AccessDenied, "the target is read-only");
    return {};
  }

  // Linking by the descriptor itself spares the lookup of its /proc name;
  // kernels that allow it only with a capability refuse it, and then the
  // /proc name serves, for the rest of the process.
  bool LinkUnnamed(const std::string& name) {
    static bool byDescriptor = true;
    if (byDescriptor) {
      if (::linkat(fd_, "", folder_, name.c_str(), AT_EMPTY_PATH) == 0) return true;
      if (errno != ENOENT && errno != EPERM && errno != EINVAL) return false;
    }
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, proc.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) != 0) return false;
    byDescriptor = false;
    return true;
  }
  // A temporary name beside the target that nothing holds yet ("" if none).
  std::string FreeTempName() const {
    for (int attempt = 0; attempt < 8; ++attempt) {
      std::string name = TempNameBeside(name_);
      struct stat st {};
      if (::fstatat(folder_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) return name;
    }
    return {};
  }

 public:
  static std::string TempNameBeside(const std::string& name) {
    static unsigned counter = 0;
    return "." + posix::TempBaseName(name) + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
  }

 private:
  int folder_;
  std::string name_;
  int fd_;
  std::string temp_;
  FileStamp stamp_;
  bool overwrite_;
  int error_ = 0;
};

std::optional<std::string> ReadLinkAt(int folder, const std::string& name) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlinkat(folder, name.c_str(), target.data(), target.size());
    if (n < 0) return std::nullopt;
    if (static_cast<std::size_t>(n) < target.size()) {
      target.resize(static_cast<std::size_t>(n));
      return target;
    }
    target.resize(target.size() * 2);
  }
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

// Opens the folder `relative` ('\\' or '/' between names) below the open
// folder `base` the way undo must reach what a run made: no link followed,
// no mount crossed, nothing above `base`. -1 with errno set (ELOOP: a link on
// the way, EXDEV: a mount point).
int OpenPathBelow(int base, std::string_view relative) {
  while (!relative.empty() && (relative.front() == '\\' || relative.front() == '/')) relative.remove_prefix(1);
  std::string names(relative);
  for (char& c : names)
    if (c == '\\') c = '/';
  static bool haveOpenat2 = true;
  if (haveOpenat2) {
    struct open_how how {};
    how.flags = static_cast<std::uint64_t>(kPathFlags);
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV | RESOLVE_NO_MAGICLINKS | RESOLVE_BENEATH;
    const long fd = ::syscall(SYS_openat2, base, names.c_str(), &how, sizeof how);
    if (fd >= 0 || errno != ENOSYS) return static_cast<int>(fd);
    haveOpenat2 = false;
  }
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
template <class Entry, class Remove>
void RemoveEntries(const std::vector<Entry>& entries, std::vector<FsResult>* results, const Remove& remove) {
  results->clear();
  results->reserve(entries.size());
  std::string openParent;
  std::size_t openAnchor = 0;
  Fd parent;
  FsResult parentFailure;
  std::string openAimed;  // the aimed folder `aimed` holds open
  Fd aimed;
  for (const Entry& entry : entries) {
    if (IsDriveRoot(entry.path)) {
      results->push_back(Failure(FsError::AccessDenied, "a drive root cannot be removed"));
      continue;
    }
    std::string_view path = entry.path;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    const std::size_t cut = path.find_last_of("\\/");
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

class HostFileSystemImpl final : public FileSystem {
 public:
  bool DirectoryExists(std::string_view path) override {
    std::string host;
    FsResult failure;
    struct stat st {};
    return Resolve(path, &host, &failure) && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool FileExists(std::string_view path) override {
    std::string host;
    FsResult failure;
    if (!Resolve(path, &host, &failure)) return false;
    struct stat st {};
    if (::stat(host.c_str(), &st) == 0) return !S_ISDIR(st.st_mode);
    // A dangling link is still an entry that can be listed and deleted.
    return ::lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }

  CreateResult CreateFolders(std::string_view path) override {
    CreateResult out;
    std::string host;
    if (!Resolve(path, &host, &out.result)) return out;
    const ProgramPathParts parts = *SplitProgramPath(path);
    if (!CheckNameLengths(parts.names, &out.result)) return out;
    const std::string hostRoot = *Drives().ToHost(parts.drive + "\\");
    if (parts.names.empty()) {
      struct stat st {};
      if (::stat(hostRoot.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        out.result = Failure(FsError::NotFound, "drive " + parts.drive + " is not present");
      return out;
    }

    // Start from the deepest folder that opens, the target's parent in the
    // common case; the path was typed whole, so links on the way to it are
    // resolved. The drive root is never created.
    std::vector<std::string> hostPrefixes{hostRoot};  // [k] = host path of the first k names
    for (std::size_t k = 1; k < parts.names.size(); ++k)
      hostPrefixes.push_back((k == 1 && hostRoot == "/" ? std::string() : hostPrefixes[k - 1]) + "/" +
                             parts.names[k - 1]);
    for (std::size_t k = parts.names.size(); k-- > 0;) {
      const int fd = ::open(hostPrefixes[k].c_str(), kPathFlags);
      if (fd >= 0) {
        const auto end = parts.names.begin() + static_cast<std::ptrdiff_t>(k);
        const ProgramPathParts prefix{parts.drive, {parts.names.begin(), end}};
        return MakeChain(fd, parts.names, k, prefix.Join(), true);
      }
      // ENOTDIR: a file further up; making the names from above reports it.
      if (errno != ENOENT && errno != ENOTDIR) {
        out.result = FromErrno(errno);
        return out;
      }
    }
    out.result = Failure(FsError::NotFound, "drive " + parts.drive + " is not present");
    return out;
  }

  CreateResult CreateFoldersBelow(std::string_view base, std::string_view relative) override {
    CreateResult out;
    std::string host;
    if (!Resolve(base, &host, &out.result)) return out;
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= relative.size()) {
      std::size_t end = relative.find_first_of("\\/", start);
      if (end == std::string_view::npos) end = relative.size();
      if (end > start) names.emplace_back(relative.substr(start, end - start));
      start = end + 1;
    }
    for (const std::string& name : names) {
      // Either would make the folder somewhere else than below the base.
      if (name == "." || name == "..") {
        out.result = Failure(FsError::InvalidName, "a \"" + name + "\" name leaves the folder");
        return out;
      }
    }
    if (names.empty()) {
      out.result = Failure(FsError::InvalidName, "no folder name");
      return out;
    }
    if (!CheckNameLengths(names, &out.result)) return out;
    const int fd = ::open(host.c_str(), kPathFlags);
    if (fd < 0) {
      out.result = FromErrno(errno);
      return out;
    }
    return MakeChain(fd, names, 0, SplitProgramPath(base)->Join(), false);
  }

  FsResult RemoveEmptyFolder(std::string_view path) override {
    std::string host;
    FsResult failure;
    if (!Resolve(path, &host, &failure)) return failure;
    if (IsDriveRoot(path)) return Failure(FsError::AccessDenied, "a drive root cannot be removed");
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0) return FromErrno(errno);
    if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");
    // Windows refuses to remove a read-only folder and the operations count
    // on it; the host (and root above all) would not care.
    if ((st.st_mode & S_IWUSR) == 0) return Failure(FsError::AccessDenied, "the folder is read-only");
    if (::rmdir(host.c_str()) != 0) {
      const int error = errno;
      if (error == EEXIST || error == ENOTEMPTY) return Failure(FsError::NotEmpty, std::strerror(ENOTEMPTY));
      return FromErrno(error);
    }
    return {};
  }

  void RemoveMadeFolders(const std::vector<MadeFolder>& folders, std::vector<FsResult>* results) override {
    RemoveEntries(folders, results, [](int parent, const std::string& name, const MadeFolder& folder) {
      struct statx st {};
      if (!StatxAt(parent, name.c_str(), AT_SYMLINK_NOFOLLOW, &st)) return FromErrno(errno);
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

  void DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) override {
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

  FsResult DeleteFile(std::string_view path) override {
    std::string host;
    FsResult failure;
    if (!Resolve(path, &host, &failure)) return failure;
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0) return FromErrno(errno);
    if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the path is a folder");
    // Windows refuses to delete a read-only file; a link has no mode of its
    // own and is removed as the link it is.
    if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
      return Failure(FsError::AccessDenied, "the file is read-only");
    if (::unlink(host.c_str()) != 0) return FromErrno(errno);
    return {};
  }

  FsResult CopyFile(std::string_view from, std::string_view to, bool overwrite) override {
    std::string source, target;
    FsResult failure;
    if (!Resolve(from, &source, &failure) || !Resolve(to, &target, &failure)) return failure;
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0) return FromErrno(errno);
    if (S_ISLNK(st.st_mode)) return CopyLink(source, target, overwrite);
    if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the source is a folder");
    if (!S_ISREG(st.st_mode)) return Failure(FsError::Io, "the source is not a regular file");

    // O_NONBLOCK: should the entry turn into a pipe meanwhile, open must not hang.
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (in.get() < 0) return FromErrno(errno);
    if (::fstat(in.get(), &st) != 0) return FromErrno(errno);
    if (!S_ISREG(st.st_mode)) return Failure(FsError::Io, "the source is not a regular file");

    if (!overwrite) return CopyInto(in.get(), st, target);
    if (FsResult check = CheckOverwritable(target); !check.ok()) return check;
    return ReplaceVia(target, [&](const std::string& temp) {
      if (::lseek(in.get(), 0, SEEK_SET) != 0) return FromErrno(errno);
      return CopyInto(in.get(), st, temp);
    });
  }

  FsResult RenameFolder(std::string_view from, std::string_view to) override {
    std::string source, target;
    FsResult failure;
    if (!Resolve(from, &source, &failure) || !Resolve(to, &target, &failure)) return failure;
    if (IsDriveRoot(from) || IsDriveRoot(to)) return Failure(FsError::AccessDenied, "a drive root cannot be renamed");
    if (const std::string_view name = to.substr(to.find_last_of("\\/") + 1); HoldsControlOrDelete(name))
      return ControlCharacterRefusal(name);
    // The trailing separator makes the kernel refuse anything but a folder
    // (ENOTDIR), so the rename needs no look of its own first.
    const std::string folderSource = source + '/';
    if (::syscall(SYS_renameat2, AT_FDCWD, folderSource.c_str(), AT_FDCWD, target.c_str(), kRenameNoReplace) == 0)
      return {};
    int error = errno;
    struct stat st {};
    if (error == ENOTDIR) {
      if (::stat(source.c_str(), &st) != 0) return FromErrno(errno);
      if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");
      // A link to a folder: the link itself is renamed, as before.
      if (::syscall(SYS_renameat2, AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), kRenameNoReplace) == 0)
        return {};
      error = errno;
    }
    if (error == ENOSYS || error == EINVAL) {
      if (::stat(source.c_str(), &st) != 0) return FromErrno(errno);
      if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");
      // Kernel or file system without no-replace renames: check, then rename.
      // The window between the two is accepted only here, where nothing
      // better exists; a link() trick does not work for folders.
      struct stat existing {};
      if (::lstat(target.c_str(), &existing) == 0) return Failure(FsError::Exists, std::strerror(EEXIST));
      if (::rename(source.c_str(), target.c_str()) == 0) return {};
      error = errno;
    }
    return FromErrno(error);
  }

  FsResult SetFolderAttributes(std::string_view path, FolderAttributes attributes) override {
    std::string host;
    FsResult failure;
    if (!Resolve(path, &host, &failure)) return failure;
    struct stat st {};
    if (::stat(host.c_str(), &st) != 0) return FromErrno(errno);
    // Read-only is emulated by the owner-write bit; setting "system" or
    // "normal" clears read-only, as on Windows.
    const mode_t mode = attributes == FolderAttributes::ReadOnly ? (st.st_mode & ~S_IWUSR) : (st.st_mode | S_IWUSR);
    if ((mode & 07777) != (st.st_mode & 07777) && ::chmod(host.c_str(), mode & 07777) != 0) return FromErrno(errno);
    return {};
  }

  FsResult Enumerate(std::string_view folder, std::string_view mask, std::vector<DirEntry>* entries,
                     std::vector<std::string>* skipped) override {
    entries->clear();
    std::string host;
    FsResult failure;
    if (!Resolve(folder, &host, &failure)) return failure;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(host.c_str()), ::closedir);
    if (!dir) return FromErrno(errno);
    const int dirFd = ::dirfd(dir.get());
    const std::string_view effectiveMask = mask.empty() ? std::string_view("*") : mask;

    for (;;) {
      errno = 0;
      const dirent* d = ::readdir(dir.get());
      if (d == nullptr) {
        if (errno == 0) break;
        const int error = errno;
        entries->clear();
        return Failure(FsError::Io, std::string("reading the folder failed: ") + std::strerror(error));
      }
      const std::string_view name = d->d_name;
      if (name == "." || name == ".." || !MatchesMask(name, effectiveMask)) continue;
      // Such a name would read as two in a program path and so name another
      // entry: it is left out and reported, never passed on.
      if (name.find('\\') != std::string_view::npos) {
        if (skipped != nullptr) skipped->push_back(ShownEntryPath(folder, name));
        continue;
      }

      DirEntry entry;
      entry.name = std::string(name);
      entry.hidden = name.front() == '.';
      if (d->d_type == DT_LNK) {
        entry.isSymlink = true;
      } else {
        // The mode (read-only) of folders and the size of files need a stat.
        struct stat st {};
        if (::fstatat(dirFd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
          if (errno == ENOENT) continue;  // gone since it was listed
          const int error = errno;
          entries->clear();
          return FromErrno(error);
        }
        entry.isSymlink = S_ISLNK(st.st_mode);
        entry.isDirectory = S_ISDIR(st.st_mode);
        if (!entry.isSymlink) entry.readOnly = (st.st_mode & S_IWUSR) == 0;
        if (S_ISREG(st.st_mode)) entry.size = static_cast<std::uint64_t>(st.st_size);
      }
      entries->push_back(std::move(entry));
    }
    return {};
  }

  std::optional<FolderIdentity> Identity(std::string_view path) override {
    std::string host;
    FsResult failure;
    struct statx sx {};
    if (!Resolve(path, &host, &failure) || !StatxAt(AT_FDCWD, host.c_str(), 0, &sx)) return std::nullopt;
    return IdentityOf(sx);
  }

  std::optional<std::uint64_t> FreeSpace(std::string_view path) override {
    const std::string drive = ExtractFileDrive(path);
    if (drive.empty()) return std::nullopt;
    const auto root = Drives().ToHost(drive + "\\");
    struct statvfs vfs {};
    if (!root || ::statvfs(root->c_str(), &vfs) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(vfs.f_bavail) * static_cast<std::uint64_t>(vfs.f_frsize);
  }

  std::vector<char> LogicalDrives() override { return Drives().PresentDrives(); }

  FsResult OpenFolder(std::string_view path, FolderHandle* folder) override {
    *folder = kNoFolderHandle;
    std::string host;
    FsResult failure;
    if (!Resolve(path, &host, &failure)) return failure;
    // The person named it: resolved as the host resolves it, links included.
    const int fd = ::open(host.c_str(), kReadFlags);
    if (fd < 0) return FromErrno(errno);
    *folder = fd;
    return {};
  }

  FsResult OpenSubfolder(FolderHandle parent, std::string_view name, FolderHandle* folder) override {
    *folder = kNoFolderHandle;
    const std::string child(name);
    const int fd = OpenBelow(static_cast<int>(parent), child.c_str(), kReadFlags);
    if (fd >= 0) {
      *folder = fd;
      return {};
    }
    const int error = errno;
    if (error == EXDEV) return Failure(FsError::MountPoint, "a mount point is not crossed");
    struct stat st {};
    if ((error == ELOOP || error == ENOTDIR) &&
        ::fstatat(static_cast<int>(parent), child.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
      return Failure(FsError::Link, "a symbolic link is not followed");
    return FromErrno(error);
  }

  FsResult ReadFolder(FolderHandle folder, bool fileSizes, std::vector<FolderEntry>* entries) override {
    entries->clear();
    const int fd = static_cast<int>(folder);
    // One large buffer per thread: a listing takes a few calls, not one per
    // handful of entries.
    thread_local std::vector<char> buffer(256 * 1024);
    for (;;) {
      const long n = ::syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
      if (n == 0) return {};
      if (n < 0) {
        if (errno == EINTR) continue;
        return Failure(FsError::Io, std::string("reading the folder failed: ") + std::strerror(errno));
      }
      for (long at = 0; at < n;) {
        const char* record = buffer.data() + at;
        unsigned short length = 0;
        unsigned char type = DT_UNKNOWN;
        std::memcpy(&length, record + offsetof(LinuxDirent64, d_reclen), sizeof length);
        std::memcpy(&type, record + offsetof(LinuxDirent64, d_type), sizeof type);
        const char* name = record + kDirentNameAt;
        at += length;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        bool isFolder = type == DT_DIR;
        bool isLink = type == DT_LNK;
        bool isSpecial = type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK;
        std::uint64_t size = 0;
        if (type == DT_UNKNOWN || (!isFolder && fileSizes)) {
          struct stat st {};
          if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            isFolder = S_ISDIR(st.st_mode);
            isLink = S_ISLNK(st.st_mode);
            isSpecial = !isFolder && !isLink && !S_ISREG(st.st_mode);
            if (!isFolder && fileSizes) size = static_cast<std::uint64_t>(st.st_size);
          } else if (errno == ENOENT) {
            continue;  // gone since it was listed
          }
        }
        FolderEntry& entry = entries->emplace_back();
        entry.name.assign(name);
        entry.isFolder = isFolder;
        entry.isSymlink = isLink;
        entry.isSpecial = isSpecial;
        entry.hidden = name[0] == '.';
        entry.size = size;
      }
    }
  }

  void CloseFolder(FolderHandle folder) override {
    if (folder >= 0) ::close(static_cast<int>(folder));
  }

  FsResult RemoveEntryAt(FolderHandle parent, std::string_view name, bool folder) override {
    FsResult out;
    if (!ValidEntryName(name, &out)) return out;
    const int fd = static_cast<int>(parent);
    const std::string child(name);
    struct stat st {};
    if (::fstatat(fd, child.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return FromErrno(errno);
    if (folder) {
      if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");
      // Windows refuses to remove a read-only folder; the host would not.
      if ((st.st_mode & S_IWUSR) == 0) return Failure(FsError::AccessDenied, "the folder is read-only");
      if (::unlinkat(fd, child.c_str(), AT_REMOVEDIR) != 0) {
        const int error = errno;
        if (error == EEXIST || error == ENOTEMPTY) return Failure(FsError::NotEmpty, std::strerror(ENOTEMPTY));
        return FromErrno(error);
      }
      return {};
    }
    if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the entry is a folder");
    if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
      return Failure(FsError::AccessDenied, "the file is read-only");
    if (::unlinkat(fd, child.c_str(), 0) != 0) {
      // Turned into a folder since the look: left alone.
      if (errno == EISDIR) return Failure(FsError::AccessDenied, "the entry is a folder");
      return FromErrno(errno);
    }
    return {};
  }

  FsResult SetFolderAttributesAt(FolderHandle parent, std::string_view name, FolderAttributes attributes) override {
    FsResult out;
    if (!ValidEntryName(name, &out)) return out;
    FolderHandle sub = kNoFolderHandle;
    // Through a descriptor of the folder itself, so a link put in its place
    // is never what gets changed.
    if (FsResult open = OpenSubfolder(parent, name, &sub); !open.ok()) return open;
    struct stat st {};
    FsResult result;
    if (::fstat(static_cast<int>(sub), &st) != 0) {
      result = FromErrno(errno);
    } else {
      const mode_t mode =
          attributes == FolderAttributes::ReadOnly ? (st.st_mode & ~S_IWUSR) : (st.st_mode | S_IWUSR);
      if ((mode & 07777) != (st.st_mode & 07777) && ::fchmod(static_cast<int>(sub), mode & 07777) != 0)
        result = FromErrno(errno);
    }
    CloseFolder(sub);
    return result;
  }

  std::optional<std::uint64_t> FolderDevice(FolderHandle folder) override {
    struct stat st {};
    if (::fstat(static_cast<int>(folder), &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_dev);
  }

  SubfolderResult MakeSubfolder(FolderHandle parent, std::string_view name) override {
    SubfolderResult out;
    if (!ValidNewName(name, &out.result)) return out;
    const int fd = static_cast<int>(parent);
    const std::string child(name);
    const bool made = ::mkdirat(fd, child.c_str(), 0777) == 0;
    if (!made && errno != EEXIST) {
      out.result = FromErrno(errno);
      return out;
    }
    out.made = made;
    Classify(fd, child.c_str(), &out);
    return out;
  }

  void MakeSubfolders(FolderHandle parent, const std::vector<std::string_view>& names,
                      std::vector<SubfolderResult>* results) override {
    results->assign(names.size(), SubfolderResult{});
    const int fd = static_cast<int>(parent);
    std::string child;
    for (std::size_t i = 0; i < names.size(); ++i) {
      SubfolderResult& out = (*results)[i];
      if (!ValidNewName(names[i], &out.result)) continue;
      child.assign(names[i]);
      // Each new folder is looked up once: a listing of the parent would
      // give the inode numbers in one call, but not the birth times that
      // keep a reused inode number from passing for the folder made here.
      out.made = ::mkdirat(fd, child.c_str(), 0777) == 0;
      if (out.made || errno == EEXIST)
        Classify(fd, child.c_str(), &out);
      else
        out.result = FromErrno(errno);
    }
  }

  std::unique_ptr<InputFile> OpenInputFileAt(FolderHandle folder, std::string_view name, FsResult* failure) override {
    FsResult ignored;
    FsResult& why = failure != nullptr ? *failure : ignored;
    if (!ValidEntryName(name, &why)) return nullptr;
    // O_NONBLOCK: a pipe that took the file's place must not hang the open.
    const int fd = ::openat(static_cast<int>(folder), std::string(name).c_str(),
                            O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
      why = errno == ELOOP ? Failure(FsError::Link, "a symbolic link is not followed") : FromErrno(errno);
      return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      why = Failure(FsError::Io, "not a regular file");
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<HostInputAt>(fd, st);
  }

  std::unique_ptr<NewFile> CreateFileAt(FolderHandle folder, std::string_view name, const FileStamp& stamp,
                                        bool overwrite, FsResult* failure) override {
    FsResult ignored;
    FsResult& why = failure != nullptr ? *failure : ignored;
    if (!ValidEntryName(name, &why)) return nullptr;
    const int dir = static_cast<int>(folder);
    const mode_t mode = static_cast<mode_t>(stamp.mode & 0777);
    int fd = ::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    std::string temp;
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL || errno == ENOENT)) {
      for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temp = HostNewFile::TempNameBeside(std::string(name));
        fd = ::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) break;
      }
    }
    if (fd < 0) {
      why = FromErrno(errno);
      return nullptr;
    }
    return std::make_unique<HostNewFile>(dir, std::string(name), fd, std::move(temp), stamp, overwrite);
  }

  FsResult CopyLinkAt(FolderHandle from, std::string_view name, FolderHandle to, bool overwrite,
                      FileIdentity* identity) override {
    FsResult failure;
    if (!ValidEntryName(name, &failure)) return failure;
    const std::string entry(name);
    const int target = static_cast<int>(to);
    const auto text = ReadLinkAt(static_cast<int>(from), entry);
    if (!text) return errno == EINVAL ? Failure(FsError::Io, "not a symbolic link") : FromErrno(errno);
    std::string made = entry;
    if (overwrite) {
      struct stat st {};
      if (::fstatat(target, entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the target is a folder");
        if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
          return Failure(FsError::AccessDenied, "the target is read-only");
      }
      made = HostNewFile::TempNameBeside(entry);
    }
    if (::symlinkat(text->c_str(), target, made.c_str()) != 0) return FromErrno(errno);
    if (overwrite && ::renameat(target, made.c_str(), target, entry.c_str()) != 0) {
      const int error = errno;
      ::unlinkat(target, made.c_str(), 0);
      return FromErrno(error);
    }
    struct statx sx {};
    if (identity != nullptr && StatxAt(target, entry.c_str(), AT_SYMLINK_NOFOLLOW, &sx)) *identity = FileIdentityOf(sx);
    return {};
  }

  std::unique_ptr<InputFile> OpenInputFile(std::string_view path, FsResult* failure) override {
    return posix::OpenHostInputFile(path, failure);
  }

  std::unique_ptr<ReplacingFile> OpenReplacing(std::string_view path, FsResult* failure) override {
    return posix::OpenHostReplacing(path, failure);
  }

  std::size_t RemoveStaleTemporaries(std::string_view path) override {
    std::string host;
    FsResult failure;
    if (!Resolve(path, &host, &failure)) return 0;
    return posix::RemoveHostStaleTemporaries(host);
  }
};

// Greedy match with one resume point per '*': linear passes, no exponential
// backtracking. `same` compares one mask byte with one name byte.
template <class Same>
bool Match(std::string_view name, std::string_view mask, Same same) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = ++m;
      starName = n;
    } else if (m < mask.size() && mask[m] == '?') {
      n += Utf8CharLength(name, n);
      ++m;
    } else if (m < mask.size() && same(mask[m], name[n])) {
      ++n;
      ++m;
    } else if (starMask != std::string_view::npos) {
      starName += Utf8CharLength(name, starName);
      n = starName;
      m = starMask;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool MatchCaseBlind(std::string_view name, std::string_view mask) {
  if (IsAscii(name) && IsAscii(mask))
    return Match(name, mask, [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
  return Match(CaseFold(name), CaseFold(mask), [](char a, char b) { return a == b; });
}

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask == "*" || mask == "*.*") return true;
  if (MatchCaseBlind(name, mask)) return true;
  // Windows lets a trailing ".*" match the end of the name, dot included:
  // "report.*" finds "report", and "*.*" every name.
  if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*")
    return MatchCaseBlind(name, mask.substr(0, mask.size() - 2));
  return false;
}

void FileSystem::RemoveMadeFolders(const std::vector<MadeFolder>& folders, std::vector<FsResult>* results) {
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

FsResult FileSystem::CreateFolders(std::string_view path, std::vector<std::string>* created) {
  CreateResult result = CreateFolders(path);
  if (created != nullptr)
    for (MadeFolder& made : result.made) created->push_back(std::move(made.path));
  return result.result;
}

std::string ShownEntryPath(std::string_view folder, std::string_view name) {
  std::string shown(folder);
  if (shown.empty() || shown.back() != '\\') shown += '\\';
  for (std::size_t start = 0;;) {
    const std::size_t slash = name.find('\\', start);
    const std::size_t length = slash == std::string_view::npos ? std::string_view::npos : slash - start;
    shown += EscapeForDisplay(name.substr(start, length));
    if (slash == std::string_view::npos) break;
    shown += "\\x5C";
    start = slash + 1;
  }
  return shown;
}

namespace {

// The program's own files: a host path as it is, a program path through
// the drive map.
bool OwnHostPath(std::string_view path, std::string* host, FsResult* failure) {
  if (path.starts_with('/') || path.starts_with("./")) {
    if (path.find('\0') != std::string_view::npos) {
      *failure = Failure(FsError::InvalidName, "the path holds a NUL character");
      return false;
    }
    *host = std::string(path);
    return true;
  }
  return Resolve(path, host, failure);
}

class HostAppendingFile final : public AppendingFile {
 public:
  explicit HostAppendingFile(int fd) : fd_(fd) {}
  ~HostAppendingFile() override { ::close(fd_); }
  HostAppendingFile(const HostAppendingFile&) = delete;
  HostAppendingFile& operator=(const HostAppendingFile&) = delete;

  FsResult Append(std::string_view bytes) override {
    if (!posix::WriteAll(fd_, bytes.data(), bytes.size())) return FromErrno(errno);
    return {};
  }
  FsResult Sync() override {
    if (::fdatasync(fd_) != 0) return FromErrno(errno);
    return {};
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<AppendingFile> FileSystem::StartAppending(std::string_view path, std::string_view head,
                                                          FsResult* failure) {
  FsResult ignored;
  FsResult& why = failure != nullptr ? *failure : ignored;
  std::string target;
  if (!OwnHostPath(path, &target, &why)) return nullptr;
  const std::string folder = posix::HostParent(target);
  if (!folder.empty() && ::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
    why = FromErrno(errno);
    return nullptr;
  }
  posix::RemoveHostStaleTemporaries(target);
  int fd = -1;
  std::string temp;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = posix::TempPathBeside(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    why = FromErrno(errno);
    return nullptr;
  }
  // Flushed before the rename: after a power cut the name holds the new
  // head or the old file, never an empty one.
  if (!posix::WriteAll(fd, head.data(), head.size()) || ::fdatasync(fd) != 0 ||
      ::rename(temp.c_str(), target.c_str()) != 0) {
    why = FromErrno(errno);
    ::close(fd);
    ::unlink(temp.c_str());
    return nullptr;
  }
  return std::make_unique<HostAppendingFile>(fd);
}

FsResult FileSystem::ReadOwnFile(std::string_view path, std::string* bytes) {
  bytes->clear();
  FsResult failure;
  std::string host;
  if (!OwnHostPath(path, &host, &failure)) return failure;
  std::unique_ptr<InputFile> file = posix::OpenHostPathInputFile(host, &failure);
  if (!file) return failure;
  char buffer[1 << 16];
  while (const std::size_t n = file->Read(buffer, sizeof buffer)) bytes->append(buffer, n);
  if (file->Failed()) {
    bytes->clear();
    return Failure(FsError::Io, "read error");
  }
  return {};
}

FsResult FileSystem::RenameOwnFile(std::string_view from, std::string_view to) {
  FsResult failure;
  std::string source, target;
  if (!OwnHostPath(from, &source, &failure) || !OwnHostPath(to, &target, &failure)) return failure;
  if (::syscall(SYS_renameat2, AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), kRenameNoReplace) != 0)
    return FromErrno(errno);
  return {};
}

namespace {

std::string UserName(uid_t uid) {
  std::vector<char> buffer(4096);
  struct passwd entry {};
  struct passwd* found = nullptr;
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
    return found->pw_name;
  return "uid " + std::to_string(uid);
}

}  // namespace

FsResult FileSystem::TrustOwnFile(std::string_view path, std::string* owner) {
  FsResult failure;
  std::string file;
  if (!OwnHostPath(path, &file, &failure)) return failure;
  const std::string folder = posix::HostParent(file);
  struct stat there {};
  if (::lstat(file.c_str(), &there) != 0) return FromErrno(errno);
  // As a careful login daemon treats its keys: another user who owns or may
  // write either could have put there what the program would act on.
  for (const std::string* host : {&folder, static_cast<const std::string*>(&file)}) {
    if (host->empty()) continue;
    struct stat st {};
    if (::lstat(host->c_str(), &st) != 0) return FromErrno(errno);
    const char* why = nullptr;
    if (S_ISLNK(st.st_mode))
      why = "is a symbolic link";
    else if (st.st_uid != ::geteuid())
      why = "belongs to another user";
    else if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
      why = "can be written by other users";
    if (why != nullptr) {
      if (owner != nullptr) *owner = UserName(st.st_uid);
      return Failure(FsError::AccessDenied, *host + " " + why);
    }
  }
  return {};
}

FileSystem& HostFileSystem() {
  static HostFileSystemImpl fileSystem;
  return fileSystem;
}

}  // namespace quillory
