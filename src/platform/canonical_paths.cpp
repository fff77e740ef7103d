#include "platform/canonical_paths.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

namespace quillory {

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

}  // namespace

std::string CanonicalPaths::Folder(const std::string& host) {
  const std::size_t slash = host.rfind('/');
  if (slash == std::string::npos || host == "/") return host;
  {
    std::lock_guard lock(mutex_);
    if (const auto it = folders_.find(host); it != folders_.end()) return it->second;
  }
  const std::string parent = slash == 0 ? std::string("/") : host.substr(0, slash);
  std::string path = Joined(Folder(parent), host.substr(slash + 1));
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    // A link that leads nowhere stays as it is: nothing can be made through it.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      path = real;
      std::free(real);
    }
  }
  std::lock_guard lock(mutex_);
  folders_.emplace(host, path);
  return path;
}

std::string CanonicalPaths::Of(const std::string& host, bool followLast) {
  if (followLast) return Folder(host);
  const std::size_t slash = host.rfind('/');
  if (slash == std::string::npos || host == "/") return host;
  return Joined(Folder(slash == 0 ? std::string("/") : host.substr(0, slash)), host.substr(slash + 1));
}

}  // namespace quillory
