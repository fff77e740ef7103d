#include "names/list_check.h"

#include "names/folder_names.h"
#include "platform/drives.h"

namespace quillory {

namespace {

constexpr std::size_t kShown = 3;

// Keeps the first few findings of one section and counts the rest, so a list
// of a million offenders costs no more memory than one of three.
template <typename Finding>
struct Section {
  std::vector<Finding> shown;
  std::size_t total = 0;

  // Counts one finding; true when it is among those shown and must be kept.
  bool Count() { return total++ < kShown; }
  std::size_t Others() const { return total - shown.size(); }
};

void AppendSyntax(const Section<_tagBadCharsInFolder>& syntax, std::string& message) {
  message += "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: ";
  message += std::to_string(syntax.total);
  message += ") \n";
  for (const _tagBadCharsInFolder& bad : syntax.shown) {
    message += "Syntax Error: ";
    message += bad.found;
    message += "    ";
    message += EscapeControlCharacters(bad.folder);
    message += '\n';
  }
  if (syntax.Others() == 0) {
    message += '\n';
  } else {
    message += '\n';
    message += std::to_string(syntax.Others());
    message += "  more left\n\n";
  }
}

}  // namespace

ListCheckResult CheckList(const std::vector<std::string>& lines, ListMode mode, DriveSectionVariant variant) {
  const bool folders = mode == ListMode::Folders;
  Section<std::string> drives;
  Section<_tagBadCharsInFolder> syntax;
  Section<_tagColonsInFolder> colons;
  std::string found;
  for (const std::string& line : lines) {
    std::string name = NormalizeListLine(line);
    if (HasDrive(name) != folders && drives.Count()) drives.shown.push_back(name);
    if (CheckIllegalCharacters("N", name, found) && syntax.Count()) syntax.shown.push_back({name, found});
    const int count = CountColons(name);
    if (count > (folders ? 1 : 0) && colons.Count()) colons.shown.push_back({name, count});
  }

  ListCheckResult result;
  std::string& message = result.message;
  if (drives.total > 0) {
    const bool smart = variant == DriveSectionVariant::SmartImport;
    if (folders)
      message += smart ? "You can only enter full paths with drive letters.\nThere are no drive letters in paths (total: "
                       : "You can only enter full paths with drive letters.\nError Type: There are no drive letters in paths (";
    else
      message += smart ? "You can only enter relative paths without drive letters.\nThere are drive letters in paths (total: "
                       : "You can only enter relative paths without drive letters.\nError Type: There are drive letters in paths (";
    message += std::to_string(drives.total);
    message += " )\n";
    for (const std::string& name : drives.shown) {
      message += EscapeControlCharacters(name);
      message += '\n';
    }
    if (drives.Others() > 0) {
      message += '\n';
      message += std::to_string(drives.Others());
      message += smart ? "  more left\n" : "  more left";
    }
    message += "\n\n";
  }
  if (syntax.total > 0) AppendSyntax(syntax, message);
  if (colons.total > 0) {
    message += folders ? "There are more than one Colons in the Folder Names (total: "
                       : "There are Colons in the Folder Names ( ";
    message += std::to_string(colons.total);
    message += ") \n";
    for (const _tagColonsInFolder& finding : colons.shown) {
      message += "No. of Colons: ";
      message += std::to_string(finding.colons);
      message += "   ";
      message += EscapeControlCharacters(finding.folder);
      message += '\n';
    }
    message += '\n';
    if (colons.Others() > 0) {
      message += std::to_string(colons.Others());
      message += "  more left\n\n";
    }
  }
  result.fault = !message.empty();
  return result;
}

ListCheckResult CheckListSyntax(const std::vector<std::string>& lines) {
  Section<_tagBadCharsInFolder> syntax;
  std::string found;
  for (const std::string& line : lines) {
    std::string name = NormalizeListLine(line);
    if (CheckIllegalCharacters("N", name, found) && syntax.Count()) syntax.shown.push_back({std::move(name), found});
  }
  ListCheckResult result;
  if (syntax.total > 0) AppendSyntax(syntax, result.message);
  result.fault = syntax.total > 0;
  return result;
}

}  // namespace quillory
