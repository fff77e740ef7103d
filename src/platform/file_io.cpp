#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/drives.h"
#include "platform/posix_support.h"

namespace quillory {

namespace {

using posix::Failure;
using posix::FromErrno;

class HostInputFile final : public InputFile {
 public:
  HostInputFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  HostInputFile(const HostInputFile&) = delete;
  HostInputFile& operator=(const HostInputFile&) = delete;
  ~HostInputFile() override { ::close(fd_); }

  std::size_t Read(void* buffer, std::size_t size) override {
    if (failed_) return 0;
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno == EINTR) continue;
      failed_ = true;
      return 0;
    }
  }
  bool Failed() const override { return failed_; }
  std::optional<std::uint64_t> Size() const override { return size_; }

 private:
  int fd_;
  std::uint64_t size_;
  bool failed_ = false;
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

int OpenRegular(std::string_view programPath, struct stat* st, FsResult* failure) {
  std::string host;
  if (!posix::Resolve(programPath, &host, failure)) return -1;
  return OpenRegularHost(host, st, failure);
}

std::unique_ptr<InputFile> InputFileOn(int fd, const struct stat& st) {
  if (fd < 0) return nullptr;
  return std::make_unique<HostInputFile>(fd, static_cast<std::uint64_t>(st.st_size));
}

}  // namespace

std::unique_ptr<InputFile> OpenInputFile(std::string_view programPath) {
  struct stat st {};
  FsResult failure;
  const int fd = OpenRegular(programPath, &st, &failure);
  return InputFileOn(fd, st);
}

std::unique_ptr<InputFile> OpenHostInputFile(const std::string& hostPath) {
  struct stat st {};
  FsResult failure;
  const int fd = OpenRegularHost(hostPath, &st, &failure);
  return InputFileOn(fd, st);
}

FsResult ReadWholeFile(std::string_view programPath, std::string* bytes) {
  bytes->clear();
  struct stat st {};
  FsResult failure;
  const int fd = OpenRegular(programPath, &st, &failure);
  if (fd < 0) return failure;
  HostInputFile file(fd, static_cast<std::uint64_t>(st.st_size));
  bytes->reserve(static_cast<std::size_t>(st.st_size));
  char buffer[1 << 16];
  while (const std::size_t n = file.Read(buffer, sizeof buffer)) bytes->append(buffer, n);
  if (file.Failed()) {
    bytes->clear();
    return Failure(FsError::Io, "reading the file failed");
  }
  return {};
}

namespace {

constexpr std::size_t kWriteChunk = 1 << 20;

}  // namespace

FileReplacer::~FileReplacer() { Discard(); }

FsResult FileReplacer::Open(std::string_view programPath) {
  Discard();
  FsResult failure;
  std::string host;
  if (!posix::Resolve(programPath, &host, &failure)) return failure;
  return OpenHost(std::move(host));
}

FsResult FileReplacer::OpenHost(std::string hostPath) {
  Discard();
  error_ = 0;
  target_ = std::move(hostPath);
  // The person named the path: a link is written through, not replaced.
  struct stat link {};
  if (::lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* real = ::realpath(target_.c_str(), nullptr)) {
      target_ = real;
      std::free(real);
    }
  }

  const mode_t mask = ::umask(0);
  ::umask(mask);
  mode_ = 0666 & ~mask;
  struct stat st {};
  if (::stat(target_.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the path is a folder");
    if (!S_ISREG(st.st_mode)) return Failure(FsError::InvalidName, "not a regular file");
    // A read-only file is not replaced, as Windows refuses.
    if ((st.st_mode & S_IWUSR) == 0) return Failure(FsError::AccessDenied, "the file is read-only");
    mode_ = st.st_mode & 07777;
  }
  for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
    temp_ = posix::TempPathBeside(target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    temp_.clear();
    return FromErrno(error);
  }
  return {};
}

void FileReplacer::Write(std::string_view bytes) {
  if (fd_ < 0 || error_ != 0) return;
  if (bytes.size() >= kWriteChunk) {
    // Big enough to go out as it is, without a copy into the buffer.
    if (Flush() && !posix::WriteAll(fd_, bytes.data(), bytes.size())) error_ = errno;
    return;
  }
  buffer_.append(bytes);
  if (buffer_.size() >= kWriteChunk) Flush();
}

bool FileReplacer::Flush() {
  if (error_ == 0 && !buffer_.empty() && !posix::WriteAll(fd_, buffer_.data(), buffer_.size())) error_ = errno;
  buffer_.clear();
  return error_ == 0;
}

FsResult FileReplacer::Commit() {
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
  const int folder = ::open(posix::HostParent(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return {};
}

void FileReplacer::Discard() {
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

FsResult WriteFileAtomically(std::string_view programPath, std::string_view bytes) {
  FileReplacer file;
  if (FsResult opened = file.Open(programPath); !opened.ok()) return opened;
  file.Write(bytes);
  return file.Commit();
}

FsResult WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes) {
  FileReplacer file;
  if (FsResult opened = file.OpenHost(hostPath); !opened.ok()) return opened;
  file.Write(bytes);
  return file.Commit();
}

FsResult RenameHostFile(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return FromErrno(errno);
  return {};
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
