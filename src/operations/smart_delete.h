// The engine of the delete page: one main folder per call. Every deletion is
// made relative to an open descriptor of the entry's parent, files and
// folders are told apart by the entry itself, links are removed as links and
// never followed, and a folder on another device than its main folder (a
// mount point) is never entered.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_frame.h"
#include "platform/file_system.h"

namespace quillory {

class DriveMap;

enum class DeleteMode {
  FilesInMainFolder,  // the selected files directly in each main folder
  SubFolders,         // every subfolder structure; the main folders stay
  SelectedFiles,      // the selected files of the whole tree; every folder stays
  Complete,           // the main folders with all they hold
};

// The file modes count (and forecast, and advance the bar by) files; the
// folder modes count folders.
constexpr bool CountsFiles(DeleteMode mode) {
  return mode == DeleteMode::FilesInMainFolder || mode == DeleteMode::SelectedFiles;
}

struct DeleteOptions {
  std::vector<std::string> masks{"*.*"};  // the file modes' patterns, in order
  bool readOnlyRetry = false;  // a refused read-only folder is made "system" and tried again
  bool simulate = false;       // count what would happen; nothing is touched
  // Set: every removal is a move into the desktop's trash (a "Deleted"
  // entry left its place), each carrying the entry an undo brings back.
  TrashCan* trash = nullptr;
  // The reasons a trash could not be used that the run has shown already:
  // one message each, not one per entry.
  std::set<std::string>* trashRefusals = nullptr;
};

// One main folder of the list, as written there: it is checked, then walked
// in `mode`. Into the trash, a folder whose whole tree may go leaves in one
// move, its contents listed from the walk that found them; around what must
// stay (a mount point, a folder that cannot be read) each other piece moves
// on its own, so what remains is what a delete would leave. Each outcome carries its DeleteCounter, its DeleteList line and,
// when it is what the mode counts, one unit of progress. A run refuses a
// whole drive with a warning as the outcome's message.
void DeleteMainFolder(FileSystem& fs, const DriveMap& drives, const std::string& folder, DeleteMode mode,
                      const DeleteOptions& options, const OutcomeSink& sink);

// The path with "." names dropped and ".." taking away the name before it,
// separators as '\', no trailing separator but after a bare drive ("D:\").
std::string LexicalFolderPath(std::string_view path);

}  // namespace quillory
