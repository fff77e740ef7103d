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
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/name_order.h"
#include "platform/host_internal.h"
#include "platform/path_text.h"
#include "platform/posix_support.h"
#include "platform/text.h"

namespace quillory {

namespace {

using namespace host;  // the helpers this file shares with host_files.cpp and host_folders.cpp
using posix::Failure;
using posix::FromErrno;
using posix::Resolve;

// The fixed part of what getdents64 fills in (the C library declares no such
// type); the name follows right after the type byte.
struct LinuxDirent64 {
  ino64_t d_ino;
  off64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
};
constexpr std::size_t kDirentNameAt = offsetof(LinuxDirent64, d_type) + 1;

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

  CreateResult CreateFolders(std::string_view path) override { return Create(path, nullptr); }

  CreateResult CreateFoldersOpeningParent(std::string_view path, FolderHandle* parent) override {
    int fd = -1;
    CreateResult out = Create(path, &fd);
    *parent = out.ok() && fd >= 0 ? static_cast<FolderHandle>(fd) : kNoFolderHandle;
    if (!out.ok() && fd >= 0) ::close(fd);
    return out;
  }

  CreateResult Create(std::string_view path, int* parent) {
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
        return MakeChain(fd, parts.names, k, prefix.Join(), true, parent);
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
      std::size_t end = FirstSeparator(relative, start);
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

  void RemoveMadeFolders(const MadeFolders& folders, std::vector<FsResult>* results) override {
    RemoveMadeFoldersBelow(folders, results);
  }

  void DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) override {
    DeleteWrittenFilesBelow(files, results);
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

  FsResult RenameFolder(std::string_view from, std::string_view to) override {
    std::string source, target;
    FsResult failure;
    if (!Resolve(from, &source, &failure) || !Resolve(to, &target, &failure)) return failure;
    if (IsDriveRoot(from) || IsDriveRoot(to)) return Failure(FsError::AccessDenied, "a drive root cannot be renamed");
    if (const std::string_view name = to.substr(LastSeparator(to) + 1); HoldsControlOrDelete(name))
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

  FsResult RenameFolderIn(FolderHandle parent, std::string_view name, std::string_view newName) override {
    FsResult failure;
    if (!ValidEntryName(name, &failure) || !ValidNewName(newName, &failure)) return failure;
    const int fd = static_cast<int>(parent);
    const EntryName source(name), target(newName);
    // As RenameFolder: the slash lets only a folder move, at no extra call.
    const EntryName folderSource(name, true);
    if (::syscall(SYS_renameat2, fd, folderSource.c_str(), fd, target.c_str(), kRenameNoReplace) == 0) return {};
    int error = errno;
    struct stat st {};
    if (error == ENOTDIR) {
      if (::fstatat(fd, source.c_str(), &st, 0) != 0) return FromErrno(errno);
      if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");
      if (::syscall(SYS_renameat2, fd, source.c_str(), fd, target.c_str(), kRenameNoReplace) == 0) return {};
      error = errno;
    }
    if (error == ENOSYS || error == EINVAL) {
      if (::fstatat(fd, source.c_str(), &st, 0) != 0) return FromErrno(errno);
      if (!S_ISDIR(st.st_mode)) return Failure(FsError::InvalidName, "not a folder");
      struct stat existing {};
      if (::fstatat(fd, target.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0)
        return Failure(FsError::Exists, std::strerror(EEXIST));
      if (::renameat(fd, source.c_str(), fd, target.c_str()) == 0) return {};
      error = errno;
    }
    return FromErrno(error);
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
      if (n == 0) {
        // The engines see a folder as a file manager shows it, whatever
        // order the directory hands its entries out in.
        SortByName(*entries);
        return {};
      }
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
        std::uint64_t allocated = 0;
        if (type == DT_UNKNOWN || (!isFolder && fileSizes)) {
          struct stat st {};
          if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            isFolder = S_ISDIR(st.st_mode);
            isLink = S_ISLNK(st.st_mode);
            isSpecial = !isFolder && !isLink && !S_ISREG(st.st_mode);
            if (!isFolder && fileSizes) {
              size = static_cast<std::uint64_t>(st.st_size);
              // st_blocks counts 512-byte units whatever the file system's block size.
              allocated = static_cast<std::uint64_t>(st.st_blocks) * 512;
            }
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
        entry.allocated = allocated;
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
    const EntryName child(name);
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
    for (std::size_t i = 0; i < names.size(); ++i) {
      SubfolderResult& out = (*results)[i];
      if (!ValidNewName(names[i], &out.result)) continue;
      const EntryName child(names[i]);
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
    return InputAt(fd, st);
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
        temp = TempNameBeside(std::string(name));
        fd = ::openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) break;
      }
    }
    if (fd < 0) {
      why = FromErrno(errno);
      return nullptr;
    }
    return NewFileAt(dir, std::string(name), fd, std::move(temp), stamp, overwrite);
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
      made = TempNameBeside(entry);
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

  std::unique_ptr<TrashCan> OpenTrashCan(FsResult* failure) override { return OpenHostTrashCan(failure); }

  void RestoreTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results) override {
    RestoreHostTrashed(entries, results);
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

}  // namespace

FileSystem& HostFileSystem() {
  static HostFileSystemImpl fileSystem;
  return fileSystem;
}

}  // namespace quillory