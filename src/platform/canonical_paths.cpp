#include "platform/canonical_paths.h"

#include <sys/stat.h>

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

CanonicalPaths::Resolved CanonicalPaths::Folder(const std::string& host) {
  const std::size_t slash = host.rfind('/');
  if (slash == std::string::npos || host == "/") return {host, true};
  {
    std::lock_guard lock(mutex_);
    if (const auto it = folders_.find(host); it != folders_.end()) return it->second;
  }
  const Resolved parent = Folder(slash == 0 ? std::string("/") : host.substr(0, slash));
  Resolved out{Joined(parent.path, host.substr(slash + 1)), false};
  // Below a folder that is not there nothing is either: no look needed,
  // which on a file server is a round trip saved per path.
  struct stat st {};
  if (parent.exists && ::lstat(out.path.c_str(), &st) == 0) {
    out.exists = true;
    // A link that leads nowhere stays as it is: nothing can be made through it.
    if (S_ISLNK(st.st_mode)) {
      if (char* real = ::realpath(out.path.c_str(), nullptr)) {
        out.path = real;
        std::free(real);
      }
    }
  }
  std::lock_guard lock(mutex_);
  folders_.emplace(host, out);
  return out;
}

std::string CanonicalPaths::Of(const std::string& host, bool followLast) {
  if (followLast) return Folder(host).path;
  const std::size_t slash = host.rfind('/');
  if (slash == std::string::npos || host == "/") return host;
  return Joined(Folder(slash == 0 ? std::string("/") : host.substr(0, slash)).path, host.substr(slash + 1));
}

}  // namespace quillory
