#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

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
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
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

FolderIdentity IdentityOf(const struct stat& st) {
  return FolderIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

std::string JoinProgram(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  path.append(name);
  return path;
}

bool CheckNameLengths(const std::vector<std::string>& names, FsResult* failure) {
  for (const std::string& name : names) {
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
    struct stat st {};
    if (::fstatat(parent, names[i].c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode) ||
        IdentityOf(st) != *madeAt[i] || ::unlinkat(parent, names[i].c_str(), AT_REMOVEDIR) != 0)
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
  std::vector<std::optional<FolderIdentity>> madeAt(names.size());
  for (std::size_t i = from; i < names.size(); ++i) {
    const char* name = names[i].c_str();
    const bool made = ::mkdirat(fd, name, 0777) == 0;
    int error = made ? 0 : errno;
    int child = -1;
    if (made || error == EEXIST) {
      child = ::openat(fd, name, kPathFlags | (made || !followExisting ? O_NOFOLLOW : 0));
      error = child < 0 ? errno : 0;
    }
    struct stat st {};
    if (child >= 0 && made && ::fstat(child, &st) != 0) {
      error = errno;
      ::close(child);
      child = -1;
    }
    if (child < 0) {
      if (made) {
        // Made but cannot be entered: it is ours and empty, so it goes again.
        ::unlinkat(fd, name, AT_REMOVEDIR);
        out.result = FromErrno(error);
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
      out.made.push_back(MadeFolder{folder, *madeAt[i]});
    }
    ::close(fd);
    fd = child;
  }
  ::close(fd);
  return out;
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
    struct stat st {};
    if (::stat(source.c_str(), &st) != 0) return FromErrno(errno);
    if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");

    if (::syscall(SYS_renameat2, AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), kRenameNoReplace) == 0)
      return {};
    int error = errno;
    if (error == ENOSYS || error == EINVAL) {
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
    struct stat st {};
    if (!Resolve(path, &host, &failure) || ::stat(host.c_str(), &st) != 0) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
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
    const int fd = ::openat(static_cast<int>(parent), child.c_str(), kReadFlags | O_NOFOLLOW);
    if (fd >= 0) {
      *folder = fd;
      return {};
    }
    const int error = errno;
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
        std::uint64_t size = 0;
        if (type == DT_UNKNOWN || (!isFolder && fileSizes)) {
          struct stat st {};
          if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            isFolder = S_ISDIR(st.st_mode);
            isLink = S_ISLNK(st.st_mode);
            if (!isFolder && fileSizes) size = static_cast<std::uint64_t>(st.st_size);
          } else if (errno == ENOENT) {
            continue;  // gone since it was listed
          }
        }
        FolderEntry& entry = entries->emplace_back();
        entry.name.assign(name);
        entry.isFolder = isFolder;
        entry.isSymlink = isLink;
        entry.hidden = name[0] == '.';
        entry.size = size;
      }
    }
  }

  void CloseFolder(FolderHandle folder) override {
    if (folder >= 0) ::close(static_cast<int>(folder));
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

FileSystem& HostFileSystem() {
  static HostFileSystemImpl fileSystem;
  return fileSystem;
}

}  // namespace quillory
