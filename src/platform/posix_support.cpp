#include "platform/posix_support.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/drives.h"

namespace quillory::posix {

FsResult Failure(FsError error, std::string message) { return FsResult{error, std::move(message)}; }

FsResult FromErrno(int error) {
  FsError kind;
  switch (error) {
    case 0: return {};
    case ENOENT:
    case ENOTDIR: kind = FsError::NotFound; break;
    case EEXIST: kind = FsError::Exists; break;
    case ENOTEMPTY: kind = FsError::NotEmpty; break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY: kind = FsError::AccessDenied; break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: kind = FsError::NoSpace; break;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
    case ELOOP: kind = FsError::InvalidName; break;
    default: kind = FsError::Io; break;
  }
  return Failure(kind, std::strerror(error));
}

bool Resolve(std::string_view programPath, std::string* host, FsResult* failure) {
  if (programPath.find('\0') != std::string_view::npos) {
    *failure = Failure(FsError::InvalidName, "the path holds a NUL character");
    return false;
  }
  const std::string drive = ExtractFileDrive(programPath);
  if (drive.empty()) {
    *failure = Failure(FsError::InvalidName, "not a full path with a drive");
    return false;
  }
  auto mapped = Drives().ToHost(programPath);
  if (!mapped) {
    *failure = Failure(FsError::NotFound, "drive " + drive + " is not mapped");
    return false;
  }
  *host = std::move(*mapped);
  return true;
}

std::string TempPathBeside(const std::string& hostPath) {
  static std::atomic<unsigned long> counter{0};
  const std::size_t slash = hostPath.rfind('/');
  const std::string folder = hostPath.substr(0, slash + 1);
  const std::string name = TempBaseName(hostPath.substr(slash + 1));
  return folder + "." + name + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

std::string TempBaseName(const std::string& name) { return name.substr(0, 200); }

std::string HostParent(const std::string& hostPath) {
  const std::size_t slash = hostPath.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : hostPath.substr(0, slash);
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

long ReadSome(int fd, void* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0 || errno != EINTR) return static_cast<long>(n);
  }
}

}  // namespace quillory::posix
