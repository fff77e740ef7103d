// What the file manager drops on a list or folder box: host paths, sorted
// here into folders, text files and what cannot be taken, in program form.
// The views only hand over the paths; every rule lives here and in the
// targets' DropPaths, so it is tested without a display.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

class DriveMap;
class FileSystem;
class Ui;

enum class DropKind {
  Folder,
  TextFile,
  OtherFile,  // a file that holds binary data, or not a regular file
  Missing,    // gone since it was dragged, or not an absolute path
  OffDrives,  // no drive of the map covers it
};

struct DroppedItem {
  DropKind kind = DropKind::Missing;
  std::string host;  // as dropped
  std::string path;  // program form; empty for Missing without a drive, OffDrives
};

inline constexpr const char* kDropCaption = "Drag and Drop";
inline constexpr const char* kTypedFolderCaption = "Folder Path";

// A file is taken as text when its first block holds no NUL byte.
DroppedItem ClassifyDrop(std::string_view hostPath, const DriveMap& drives, FileSystem& fs);

// Why an item that is not a folder or text file cannot be taken; names the
// drive map and how to extend it for an item outside every drive.
std::string DropRefusal(const DroppedItem& item, const DriveMap& drives);

// The message for a text file dropped where only folders go.
std::string FolderOnlyRefusal(const DroppedItem& item);

// One message for what of a drop of `dropped` items was not taken, a note
// (one or more lines) per item.
std::string DropSummary(std::size_t dropped, const std::vector<std::string>& notes);

// For a box that takes one folder: the dropped folder in program form, or
// nullopt after the person was told why nothing was taken.
std::optional<std::string> SingleDroppedFolder(const std::vector<std::string>& hostPaths, Ui& ui,
                                               const DriveMap& drives, FileSystem& fs);

// For a box a folder is typed into: host spelling ("/…", "~/…", "file://…")
// in program form, anything else as typed for the box's own checks; nullopt
// after telling the person that no drive covers the host path, with the drive
// map and how to add a drive, as a drop is told.
std::optional<std::string> TypedFolder(const std::string& text, Ui& ui, const DriveMap& drives);

}  // namespace quillory
