// The engines of the delete page: one main folder each, constructed, run
// once and discarded. Every deletion is made relative to an open descriptor
// of the entry's parent, files and folders are told apart by the entry
// itself, links are removed as links and never followed, and a folder on
// another device than its main folder (a mount point) is never entered.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "results/visual_logs.h"

namespace quillory {

// Receives each outcome with the path it is listed under.
using DeleteSink = std::function<void(DeleteList, const std::string&)>;

struct DeleteOptions {
  std::vector<std::string> masks{"*.*"};  // the file modes' patterns, in order
  bool readOnlyRetry = false;  // a refused read-only folder is made "system" and tried again
  bool simulate = false;       // count what would happen; nothing is touched
};

// Modes of SmartDelete.
enum class DeleteMode { SubFolders = 1, SelectedFiles = 2, Complete = 3 };

// The selected files directly in one main folder.
class SmartDeleteOne {
 public:
  SmartDeleteOne(FileSystem& fs, std::string mainFolder, DeleteOptions options, DeleteSink sink);
  void Run();

 private:
  FileSystem& fs_;
  std::string main_;
  DeleteOptions options_;
  DeleteSink sink_;
};

// One main folder's whole tree.
class SmartDelete {
 public:
  SmartDelete(FileSystem& fs, std::string mainFolder, DeleteMode mode, DeleteOptions options, DeleteSink sink);
  void Run();

 private:
  FileSystem& fs_;
  std::string main_;
  DeleteMode mode_;
  DeleteOptions options_;
  DeleteSink sink_;
};

// The simulating twins: the same walks, nothing deleted.
class SmartDeleteSimulOne : public SmartDeleteOne {
 public:
  SmartDeleteSimulOne(FileSystem& fs, std::string mainFolder, std::vector<std::string> masks, DeleteSink sink)
      : SmartDeleteOne(fs, std::move(mainFolder), {std::move(masks), false, true}, std::move(sink)) {}
};

class SmartDeleteSimul : public SmartDelete {
 public:
  SmartDeleteSimul(FileSystem& fs, std::string mainFolder, DeleteMode mode, std::vector<std::string> masks,
                   DeleteSink sink)
      : SmartDelete(fs, std::move(mainFolder), mode, {std::move(masks), false, true}, std::move(sink)) {}
};

// The path with "." names dropped and ".." taking away the name before it,
// separators as '\', no trailing separator but after a bare drive ("D:\").
std::string LexicalFolderPath(std::string_view path);

}  // namespace quillory
