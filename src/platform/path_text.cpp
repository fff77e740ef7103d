#include "platform/path_text.h"

namespace quillory {

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string JoinProgramPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  path.append(name);
  return path;
}

}  // namespace quillory
