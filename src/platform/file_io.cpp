#include "platform/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/drives.h"
#include "platform/posix_support.h"

namespace quillory {

namespace posix {

namespace {

class HostInputFile final : public InputFile {
 public:
  HostInputFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  HostInputFile(const HostInputFile&) = delete;
  HostInputFile& operator=(const HostInputFile&) = delete;
  ~HostInputFile() override { ::close(fd_); }

  std::size_t Read(void* buffer, std::size_t size) override {
    if (failed_) return 0;
    const long n = posix::ReadSome(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    failed_ = true;
    return 0;
  }
  bool Failed() const override { return failed_; }
  std::optional<std::uint64_t> Size() const override { return size_; }

 private:
  int fd_;
  std::uint64_t size_;
  bool failed_ = false;
};

constexpr std::size_t kWriteChunk = 1 << 20;

class HostReplacingFile final : public ReplacingFile {
 public:
  HostReplacingFile(std::string target, std::string temp, int fd, unsigned mode)
      : target_(std::move(target)), temp_(std::move(temp)), fd_(fd), mode_(mode) {}
  HostReplacingFile(const HostReplacingFile&) = delete;
  HostReplacingFile& operator=(const HostReplacingFile&) = delete;
  ~HostReplacingFile() override { Discard(); }

  void Write(std::string_view bytes) override {
    if (fd_ < 0 || error_ != 0) return;
    if (bytes.size() >= kWriteChunk) {
      // Big enough to go out as it is, without a copy into the buffer.
      if (Flush() && !WriteAll(fd_, bytes.data(), bytes.size())) error_ = errno;
      return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kWriteChunk) Flush();
  }

  FsResult Commit() override {
    if (fd_ < 0) return Failure(FsError::Io, "the file is not open");
    Flush();
    if (error_ == 0 && ::fchmod(fd_, static_cast<mode_t>(mode_)) != 0) error_ = errno;
    if (error_ == 0 && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) error_ = errno;
    if (error_ != 0) {
      const int error = error_;
      Discard();
      return FromErrno(error);
    }
    temp_.clear();
    // Makes the rename itself durable. The new file is in place already, so a
    // failure here is not a failure of the write.
    const int folder = ::open(HostParent(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
    return {};
  }

 private:
  bool Flush() {
    if (error_ == 0 && !buffer_.empty() && !WriteAll(fd_, buffer_.data(), buffer_.size())) error_ = errno;
    buffer_.clear();
    return error_ == 0;
  }

  void Discard() {
    if (fd_ >= 0) {
      ::close(fd_);
      fd_ = -1;
    }
    if (!temp_.empty()) {
      ::unlink(temp_.c_str());
      temp_.clear();
    }
    buffer_.clear();
  }

  std::string target_;
  std::string temp_;
  int fd_;
  unsigned mode_;
  int error_ = 0;
  std::string buffer_;
};

int OpenRegularHost(const std::string& host, struct stat* st, FsResult* failure) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    *failure = FromErrno(errno);
    return -1;
  }
  if (::fstat(fd, st) != 0) {
    *failure = FromErrno(errno);
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st->st_mode)) {
    *failure = S_ISDIR(st->st_mode) ? Failure(FsError::AccessDenied, "the path is a folder")
                                    : Failure(FsError::InvalidName, "not a regular file");
    ::close(fd);
    return -1;
  }
  // Non-blocking was only for the open; regular files ignore it anyway.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

// "<digits>" at the front of `s` as a number; false when there are none or
// too many.
bool TakeNumber(std::string_view& s, unsigned long long* value) {
  std::size_t n = 0;
  *value = 0;
  while (n < s.size() && s[n] >= '0' && s[n] <= '9') {
    if (n == 18) return false;
    *value = *value * 10 + static_cast<unsigned>(s[n] - '0');
    ++n;
  }
  s.remove_prefix(n);
  return n > 0;
}

// The PID of a temporary name of the target `base` (as TempPathBeside makes
// it), 0 when the name is no such temporary.
pid_t TemporaryOwner(std::string_view name, std::string_view base) {
  const std::string_view suffix = ".tmp-";
  if (name.size() < 1 + base.size() + suffix.size() || name[0] != '.') return 0;
  name.remove_prefix(1);
  if (name.substr(0, base.size()) != base) return 0;
  name.remove_prefix(base.size());
  if (name.substr(0, suffix.size()) != suffix) return 0;
  name.remove_prefix(suffix.size());
  unsigned long long pid = 0, counter = 0;
  if (!TakeNumber(name, &pid) || name.empty() || name[0] != '-') return 0;
  name.remove_prefix(1);
  if (!TakeNumber(name, &counter) || !name.empty()) return 0;
  if (pid == 0 || pid > 0x3FFFFFFF) return 0;
  return static_cast<pid_t>(pid);
}

}  // namespace

std::unique_ptr<InputFile> OpenHostInputFile(std::string_view programPath, FsResult* failure) {
  FsResult ignored;
  std::string host;
  if (!Resolve(programPath, &host, failure != nullptr ? failure : &ignored)) return nullptr;
  return OpenHostPathInputFile(host, failure);
}

std::unique_ptr<InputFile> OpenHostPathInputFile(const std::string& host, FsResult* failure) {
  struct stat st {};
  FsResult ignored;
  const int fd = OpenRegularHost(host, &st, failure != nullptr ? failure : &ignored);
  if (fd < 0) return nullptr;
  return std::make_unique<HostInputFile>(fd, static_cast<std::uint64_t>(st.st_size));
}

std::unique_ptr<ReplacingFile> OpenHostReplacing(std::string_view programPath, FsResult* failure) {
  FsResult ignored;
  std::string target;
  if (!Resolve(programPath, &target, failure != nullptr ? failure : &ignored)) return nullptr;
  return OpenHostPathReplacing(std::move(target), failure);
}

std::unique_ptr<ReplacingFile> OpenHostPathReplacing(std::string target, FsResult* failure) {
  FsResult ignored;
  FsResult& why = failure != nullptr ? *failure : ignored;
  // The person named the path: a link is written through, not replaced.
  struct stat link {};
  if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* real = ::realpath(target.c_str(), nullptr)) {
      target = real;
      std::free(real);
    }
  }

  const mode_t mask = ::umask(0);
  ::umask(mask);
  unsigned mode = 0666 & ~mask;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      why = Failure(FsError::AccessDenied, "the path is a folder");
      return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
      why = Failure(FsError::InvalidName, "not a regular file");
      return nullptr;
    }
    // A read-only file is not replaced, as Windows refuses.
    if ((st.st_mode & S_IWUSR) == 0) {
      why = Failure(FsError::AccessDenied, "the file is read-only");
      return nullptr;
    }
    mode = st.st_mode & 07777;
  }
  RemoveHostStaleTemporaries(target);
  int fd = -1;
  std::string temp;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = TempPathBeside(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    why = FromErrno(errno);
    return nullptr;
  }
  return std::make_unique<HostReplacingFile>(std::move(target), std::move(temp), fd, mode);
}

std::size_t RemoveHostStaleTemporaries(const std::string& hostPath) {
  const std::size_t slash = hostPath.rfind('/');
  if (slash == std::string::npos || slash + 1 == hostPath.size()) return 0;
  const std::string base = TempBaseName(hostPath.substr(slash + 1));
  const int folder = ::open(HostParent(hostPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return 0;
  DIR* dir = ::fdopendir(folder);
  if (dir == nullptr) {
    ::close(folder);
    return 0;
  }
  std::size_t removed = 0;
  while (const dirent* d = ::readdir(dir)) {
    const pid_t owner = TemporaryOwner(d->d_name, base);
    if (owner == 0 || owner == ::getpid()) continue;
    // EPERM: the process runs under another user; only ESRCH means gone.
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
    struct stat st {};
    if (::fstatat(folder, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlinkat(folder, d->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace posix

std::unique_ptr<InputFile> OpenInputFile(std::string_view programPath, FileSystem& fs) {
  return fs.OpenInputFile(programPath);
}

FsResult ReadWholeFile(std::string_view programPath, std::string* bytes, FileSystem& fs) {
  bytes->clear();
  FsResult failure;
  const std::unique_ptr<InputFile> file = fs.OpenInputFile(programPath, &failure);
  if (!file) return failure;
  if (const auto size = file->Size()) bytes->reserve(static_cast<std::size_t>(*size));
  char buffer[1 << 16];
  while (const std::size_t n = file->Read(buffer, sizeof buffer)) bytes->append(buffer, n);
  if (file->Failed()) {
    bytes->clear();
    return posix::Failure(FsError::Io, "reading the file failed");
  }
  return {};
}

FsResult FileReplacer::Open(std::string_view programPath) {
  file_.reset();
  FsResult failure;
  file_ = fs_.OpenReplacing(programPath, &failure);
  return file_ ? FsResult{} : failure;
}

void FileReplacer::Write(std::string_view bytes) {
  if (file_) file_->Write(bytes);
}

FsResult FileReplacer::Commit() {
  if (!file_) return posix::Failure(FsError::Io, "the file is not open");
  const FsResult result = file_->Commit();
  file_.reset();
  return result;
}

FsResult FileReplacer::OpenHost(std::string hostPath) {
  file_.reset();
  FsResult failure;
  file_ = posix::OpenHostPathReplacing(std::move(hostPath), &failure);
  return file_ ? FsResult{} : failure;
}

std::unique_ptr<InputFile> OpenHostInputFile(const std::string& hostPath) {
  return posix::OpenHostPathInputFile(hostPath, nullptr);
}

FsResult WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes) {
  FileReplacer file;
  if (FsResult opened = file.OpenHost(hostPath); !opened.ok()) return opened;
  file.Write(bytes);
  return file.Commit();
}

std::size_t RemoveHostStaleTemporaries(const std::string& hostPath) {
  return posix::RemoveHostStaleTemporaries(hostPath);
}

FsResult RenameHostFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return posix::FromErrno(errno);
  return {};
}

FsResult WriteFileAtomically(std::string_view programPath, std::string_view bytes, FileSystem& fs) {
  FileReplacer file(fs);
  if (FsResult opened = file.Open(programPath); !opened.ok()) return opened;
  file.Write(bytes);
  return file.Commit();
}

std::string CurrentDirectoryProgramForm() {
  std::string buffer(256, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(std::strlen(buffer.c_str()));
  return Drives().FromHost(buffer).value_or(std::string());
}

}  // namespace quillory
