#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/host_internal.h"
#include "platform/posix_support.h"

namespace quillory::host {

namespace {

using posix::Failure;
using posix::FromErrno;
using posix::Resolve;

// A partial copy must never look complete; the host's "no space" becomes ours.
FsResult CopyFailure(int error) {
  FsResult result = FromErrno(error);
  if (result.error != FsError::NoSpace) result.error = FsError::Io;
  return result;
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
    static std::atomic<bool> byDescriptor{true};
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
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 at -O3 takes the chained '+' for an
    // overlapping copy.
    std::string temp = ".";
    temp += posix::TempBaseName(name);
    temp += ".tmp-";
    temp += std::to_string(::getpid());
    temp += '-';
    temp += std::to_string(++counter);
    return temp;
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

}  // namespace

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

std::unique_ptr<InputFile> InputAt(int fd, const struct stat& st) { return std::make_unique<HostInputAt>(fd, st); }

std::unique_ptr<NewFile> NewFileAt(int folder, std::string name, int fd, std::string temp, const FileStamp& stamp,
                                   bool overwrite) {
  return std::make_unique<HostNewFile>(folder, std::move(name), fd, std::move(temp), stamp, overwrite);
}

std::string TempNameBeside(const std::string& name) { return HostNewFile::TempNameBeside(name); }

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

}  // namespace quillory::host
