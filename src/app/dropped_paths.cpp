#include "app/dropped_paths.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/ui.h"
#include "platform/drives.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/host_paths.h"

namespace quillory {

namespace {

// As much as tells a text file from a binary one without reading it whole.
constexpr std::size_t kSniffBytes = 4096;

bool LooksLikeText(const std::string& programPath, FileSystem& fs) {
  std::unique_ptr<InputFile> file = OpenInputFile(programPath, fs);
  if (!file) return false;
  char buffer[kSniffBytes];
  const std::size_t got = file->Read(buffer, sizeof buffer);
  if (file->Failed()) return false;
  return std::memchr(buffer, '\0', got) == nullptr;
}

std::string Shown(const DroppedItem& item) { return item.path.empty() ? item.host : item.path; }

// Built by appending: GCC 12 at -O3 takes `"\"" + text` for an overlapping copy.
std::string Quoted(const std::string& text, std::string_view after) {
  std::string out;
  out.reserve(text.size() + after.size() + 2);
  out += '"';
  out += text;
  out += '"';
  out += after;
  return out;
}

std::string OffDrivesMessage(const std::string& host, const DriveMap& drives, std::string_view again) {
  std::string text = Quoted(host, " lies on no drive the program knows.\nThe drive map:");
  if (drives.Letters().empty()) text += " (empty)";
  for (const auto& [letter, folder] : drives.Letters()) {
    text += "\n  ";
    text += letter;
    text += ":  ";
    text += folder;
  }
  text +=
      "\nAdd a drive for it when starting the program, as --drive D=/path or in QUILLORY_DRIVES "
      "(\"D=/path;E=/other\"), and ";
  text += again;
  return text;
}

}  // namespace

DroppedItem ClassifyDrop(std::string_view hostPath, const DriveMap& drives, FileSystem& fs) {
  DroppedItem item;
  item.host = std::string(hostPath);
  std::string host = item.host;
  while (host.size() > 1 && host.back() == '/') host.pop_back();
  if (host.empty() || host.front() != '/' || host.find('\0') != std::string::npos) {
    item.kind = DropKind::Missing;
    return item;
  }
  const std::optional<std::string> path = drives.FromHost(host);
  if (!path) {
    item.kind = DropKind::OffDrives;
    return item;
  }
  item.path = *path;
  if (fs.DirectoryExists(item.path)) item.kind = DropKind::Folder;
  else if (!fs.FileExists(item.path)) item.kind = DropKind::Missing;
  else item.kind = LooksLikeText(item.path, fs) ? DropKind::TextFile : DropKind::OtherFile;
  return item;
}

std::string DropRefusal(const DroppedItem& item, const DriveMap& drives) {
  switch (item.kind) {
    case DropKind::OffDrives: return OffDrivesMessage(item.host, drives, "drop it again.");
    case DropKind::Missing: return Quoted(Shown(item), " does not exist (any more).");
    case DropKind::OtherFile:
      return Quoted(Shown(item), " is not a text file.\nDrop folders here, or a text file to import its lines.");
    case DropKind::Folder:
    case DropKind::TextFile: break;
  }
  return {};
}

std::string FolderOnlyRefusal(const DroppedItem& item) {
  return Quoted(Shown(item), " is a file.\nOnly a folder can be dropped here.");
}

std::string DropSummary(std::size_t dropped, const std::vector<std::string>& notes) {
  std::string text = "Of the " + std::to_string(dropped) + " dropped items, " + std::to_string(notes.size()) +
                     (notes.size() == 1 ? " was" : " were") + " not added:";
  for (const std::string& note : notes) text += "\n" + note;
  return text;
}

std::optional<std::string> SingleDroppedFolder(const std::vector<std::string>& hostPaths, Ui& ui,
                                               const DriveMap& drives, FileSystem& fs) {
  if (hostPaths.empty()) return std::nullopt;
  if (hostPaths.size() > 1) {
    ui.ShowMessageBox("This box takes one folder; " + std::to_string(hostPaths.size()) +
                          " items were dropped.\nDrop a single folder.",
                      kDropCaption, MessageKind::Warning);
    return std::nullopt;
  }
  const DroppedItem item = ClassifyDrop(hostPaths.front(), drives, fs);
  if (item.kind == DropKind::Folder) return item.path;
  ui.ShowMessageBox(item.kind == DropKind::TextFile || item.kind == DropKind::OtherFile ? FolderOnlyRefusal(item) : DropRefusal(item, drives),
                    kDropCaption, MessageKind::Warning);
  return std::nullopt;
}

std::optional<std::string> TypedFolder(const std::string& text, Ui& ui, const DriveMap& drives) {
  const char* home = std::getenv("HOME");
  TypedFolderPath typed = ReadTypedFolder(text, drives, home ? home : "");
  if (typed.kind != TypedFolderPath::Kind::OffDrives) return std::move(typed.path);
  ui.ShowMessageBox(OffDrivesMessage(typed.host, drives, "type it again."), kTypedFolderCaption,
                    MessageKind::Warning);
  return std::nullopt;
}

}  // namespace quillory
