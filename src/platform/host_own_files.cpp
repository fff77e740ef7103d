#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/drives.h"
#include "platform/host_internal.h"
#include "platform/posix_support.h"

namespace quillory {

namespace {

using posix::Failure;
using posix::FromErrno;
using posix::Resolve;
using host::kRenameNoReplace;

}  // namespace

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

FsResult FileSystem::ReadOwnFile(std::string_view path, const std::function<void(std::string_view)>& take) {
  FsResult failure;
  std::string host;
  if (!OwnHostPath(path, &host, &failure)) return failure;
  std::unique_ptr<InputFile> file = posix::OpenHostPathInputFile(host, &failure);
  if (!file) return failure;
  std::vector<char> buffer(1 << 16);
  while (const std::size_t n = file->Read(buffer.data(), buffer.size())) take(std::string_view(buffer.data(), n));
  if (file->Failed()) return Failure(FsError::Io, "read error");
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

}  // namespace quillory
