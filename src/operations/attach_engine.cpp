#include "operations/attach_engine.h"

#include <string>

#include "names/folder_names.h"
#include "operations/attach_internal.h"
#include "platform/path_text.h"
#include "platform/text.h"

namespace quillory {

namespace {

constexpr std::string_view kEmptyText =
    "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.";
constexpr std::string_view kIllegal = "Illegal characters in the text : ";

bool IsDriveRoot(std::string_view path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

}  // namespace

namespace attach {

std::string Join(const std::string& folder, std::string_view name) {
  return name.empty() ? folder : JoinProgramPath(folder, name);
}

std::string WithoutTrailingSeparators(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/') && !IsDriveRoot(path)) path.pop_back();
  return path;
}

}  // namespace attach

using attach::Join;
using attach::WithoutTrailingSeparators;

SourceCheck CheckSourceNotTarget(const std::string& target, const std::string& source) {
  for (const std::string* text : {&target, &source}) {
    if (Trim(*text).empty()) return {true, std::string(kEmptyText)};
    std::string found;
    if (CheckIllegalCharacters("n", *text, found)) return {true, std::string(kIllegal) + found};
  }
  const std::string a = WithoutTrailingSeparators(NormalizeComposedPath(target));
  const std::string b = WithoutTrailingSeparators(NormalizeComposedPath(source));
  const auto bare = [](std::string s) {
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
  };
  if (SameText(bare(a), bare(b)))
    return {true, "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the "
                  "source Folder !!! \nDestination Folder : " +
                      target + "\n" + "Source Folder      : " + source};
  return {};
}

std::string LastComponent(const std::string& source) {
  std::string path = Trim(source);
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  const std::size_t slash = LastSeparator(path);
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  // "D:" is the disk itself.
  if (slash == std::string::npos && last.size() == 2 && last[1] == ':') return {};
  return last;
}

std::string StructureBase(const std::string& target, const std::string& source, AttachMode mode) {
  const std::string base = WithoutTrailingSeparators(Trim(target));
  return MainFolderMode(mode) ? Join(base, LastComponent(source)) : base;
}

}  // namespace quillory
