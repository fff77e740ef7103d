#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

int OpenRegular(std::string_view programPath, struct stat* st, FsResult* failure) {
  std::string host;
  if (!posix::Resolve(programPath, &host, failure)) return -1;
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

}  // namespace

std::unique_ptr<InputFile> OpenInputFile(std::string_view programPath) {
  struct stat st {};
  FsResult failure;
  const int fd = OpenRegular(programPath, &st, &failure);
  if (fd < 0) return nullptr;
  return std::make_unique<HostInputFile>(fd, static_cast<std::uint64_t>(st.st_size));
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

FsResult WriteFileAtomically(std::string_view programPath, std::string_view bytes) {
  std::string target;
  FsResult failure;
  if (!posix::Resolve(programPath, &target, &failure)) return failure;

  const mode_t mask = ::umask(0);
  ::umask(mask);
  mode_t mode = 0666 & ~mask;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Failure(FsError::AccessDenied, "the path is a folder");
    // A read-only file is not replaced, as Windows refuses.
    if ((st.st_mode & S_IWUSR) == 0) return Failure(FsError::AccessDenied, "the file is read-only");
    mode = st.st_mode & 07777;
  }

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = posix::TempPathBeside(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return FromErrno(errno);

  int error = 0;
  if (!posix::WriteAll(fd, bytes.data(), bytes.size())) error = errno;
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return FromErrno(error);
  }
  // Makes the rename itself durable. The new file is in place already, so a
  // failure here is not a failure of the save.
  const int folder = ::open(posix::HostParent(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
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
