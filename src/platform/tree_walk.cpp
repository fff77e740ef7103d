#include "platform/tree_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <utility>

#if defined(__linux__) && __has_include(<linux/openat2.h>)
#include <linux/openat2.h>
#define QUILLORY_HAVE_OPENAT2 1
#endif

#include "platform/drives.h"

namespace quillory {

namespace {

std::function<bool(const std::string&)>& Fault() {
  static std::function<bool(const std::string&)> fault;
  return fault;
}

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens `relative` (names joined with '/') below `rootFd` without resolving
// any symbolic link on the way: one resolution when the kernel offers it,
// otherwise one name at a time, each opened with O_NOFOLLOW.
int OpenBelow(int rootFd, const std::string& relative) {
#ifdef QUILLORY_HAVE_OPENAT2
  static bool haveOpenat2 = true;
  if (haveOpenat2) {
    open_how how{};
    how.flags = kDirFlags;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_BENEATH;
    for (;;) {
      const long fd = ::syscall(SYS_openat2, rootFd, relative.c_str(), &how, sizeof how);
      if (fd >= 0) return static_cast<int>(fd);
      if (errno == EINTR || errno == EAGAIN) continue;
      if (errno != ENOSYS && errno != EPERM) return -1;
      // EPERM: a sandbox that filters the call.
      haveOpenat2 = false;
      break;
    }
  }
#endif
  int fd = ::fcntl(rootFd, F_DUPFD_CLOEXEC, 0);
  std::size_t begin = 0;
  while (fd >= 0 && begin < relative.size()) {
    std::size_t end = relative.find('/', begin);
    if (end == std::string::npos) end = relative.size();
    const std::string name = relative.substr(begin, end - begin);
    const int next = ::openat(fd, name.c_str(), kDirFlags);
    const int error = errno;
    ::close(fd);
    errno = error;
    fd = next;
    begin = end + 1;
  }
  return fd;
}

struct Pending {
  std::string path;      // program form
  std::string relative;  // host names below the root, '/' joined; "" = root
  std::uint32_t level;
};

std::string Join(const std::string& folder, std::string_view name, char separator) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path = folder;
  if (separator == '\\') {
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  } else if (!path.empty()) {
    path += '/';
  }
  path.append(name);
  return path;
}

class Walker {
 public:
  Walker(TreeVisitor& visitor, const TreeWalkOptions& options) : visitor_(visitor), options_(options) {}
  ~Walker() {
    if (rootFd_ >= 0) ::close(rootFd_);
  }

  void Run(std::string_view root) {
    queue_.push_back(Pending{std::string(root), std::string(), options_.rootLevel});
    // A root the person named is resolved as the host resolves it, links
    // included; nothing below it is.
    if (const auto host = Drives().ToHost(root)) rootFd_ = ::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (!queue_.empty()) {
      Pending folder = std::move(queue_.front());
      queue_.pop_front();
      List(folder);
    }
  }

 private:
  void List(const Pending& folder) {
    int fd = -1;
    const bool refused = Fault() && Fault()(folder.path);
    if (!refused && rootFd_ >= 0)
      fd = folder.relative.empty() ? ::fcntl(rootFd_, F_DUPFD_CLOEXEC, 0) : OpenBelow(rootFd_, folder.relative);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
      if (fd >= 0) ::close(fd);
      visitor_.Folder(folder.path, folder.level, false);
      return;
    }
    visitor_.Folder(folder.path, folder.level, true);
    const bool descend = !options_.rootOnly;
    for (;;) {
      errno = 0;
      const dirent* d = ::readdir(dir);
      if (d == nullptr) {
        if (errno != 0) visitor_.ListingFailed(folder.path, errno);
        break;
      }
      const char* name = d->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;

      bool isFolder = d->d_type == DT_DIR;
      std::uint64_t size = 0;
      if (d->d_type == DT_UNKNOWN || (!isFolder && options_.fileSizes)) {
        struct stat st {};
        if (::fstatat(::dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
          isFolder = S_ISDIR(st.st_mode);
          if (!isFolder) size = static_cast<std::uint64_t>(st.st_size);
        } else if (errno == ENOENT) {
          continue;  // gone since it was listed
        }
      }
      if (isFolder) {
        const std::string path = Join(folder.path, name, '\\');
        if (visitor_.Subfolder(path, folder.level + 1) && descend)
          queue_.push_back(Pending{path, Join(folder.relative, name, '/'), folder.level + 1});
      } else {
        visitor_.File(folder.path, name, size);
      }
    }
    ::closedir(dir);
  }

  TreeVisitor& visitor_;
  const TreeWalkOptions& options_;
  int rootFd_ = -1;
  std::deque<Pending> queue_;
};

}  // namespace

void WalkTree(std::string_view root, TreeVisitor& visitor, const TreeWalkOptions& options) {
  Walker(visitor, options).Run(root);
}

void SetTreeWalkFault(std::function<bool(const std::string&)> fault) { Fault() = std::move(fault); }

}  // namespace quillory
