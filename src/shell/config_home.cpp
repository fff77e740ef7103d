#include "shell/config_home.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quillory {

namespace {

bool Absolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

std::optional<std::string> ConfigHome(const char* xdgConfigHome, const char* home) {
  const auto trimmed = [](std::string path) {
    while (!path.empty() && path.back() == '/') path.pop_back();
    return path;
  };
  if (Absolute(xdgConfigHome)) return trimmed(xdgConfigHome) + "/quillory";
  if (Absolute(home)) return trimmed(home) + "/.config/quillory";
  return std::nullopt;
}

std::string EnterConfigHome(const std::string& folder) {
  // Parent by parent, so each failure names the folder it happened in.
  for (std::size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
    const std::string part = folder.substr(0, at);
    const bool last = at == std::string::npos;
    if (::mkdir(part.c_str(), last ? 0700 : 0755) != 0 && errno != EEXIST)
      return "cannot create " + part + ": " + std::strerror(errno);
    if (last) break;
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return folder + " is not a folder";
  if (::chdir(folder.c_str()) != 0) return "cannot enter " + folder + ": " + std::strerror(errno);
  return {};
}

}  // namespace quillory
