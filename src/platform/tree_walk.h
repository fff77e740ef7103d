// Walking a folder tree through a FileSystem, breadth-first by level: every
// folder of one level is listed before any folder of the next, and among one
// level the folders go in the order they were found.
//
// - Each folder is opened from its parent's descriptor by its own name, with
//   no symbolic link followed below the root, so neither the depth of the
//   tree nor the length of its paths matters. The process's current
//   directory is never touched.
// - At most a handful of folders are open at a time, whatever the tree: the
//   root, the parent of the folders being listed and the folder just listed
//   (a deep chain goes on from it). A parent that was closed is opened again
//   from the root, one name at a time.
// - The entry type comes from the listing; an entry is stat'ed only when the
//   listing does not tell its type or when the caller wants file sizes.
// - A symbolic link inside the tree is never followed. It is reported as a
//   file whose size is the link's own (what `lstat` gives), as an
//   apparent-size disk usage count does.
// - Hidden entries are listed like any other.
// - An entry whose name holds a '\' has no program path of its own (it would
//   read as two names): it is reported as skipped, never as a file or folder.
// - A folder that cannot be opened is reported as not listed and passed over;
//   a listing that fails part-way is reported and keeps what it listed. The
//   walk goes on either way.
// - Paths are in program form: the root as the caller gave it, then names
//   joined with '\' (no second '\' after a root that already ends in one).
//   Names are the host's bytes, valid UTF-8 or not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quillory {

class TreeVisitor {
 public:
  virtual ~TreeVisitor() = default;
  // A folder is taken from the queue and is about to be listed (the root
  // included). `listed` is false when it could not be opened; then no entry
  // of it follows.
  virtual void Folder(const std::string& path, std::uint32_t level, bool listed) = 0;
  // A subfolder of the folder being listed. Returning true queues it.
  virtual bool Subfolder(const std::string& path, std::uint32_t level) = 0;
  // A file (or link, or any entry that is not a folder) of the folder being
  // listed. `size` is 0 unless sizes were asked for.
  virtual void File(const std::string& folder, std::string_view name, std::uint64_t size) = 0;
  // Reading the folder's listing failed after `Folder`; what came before stays.
  virtual void ListingFailed(const std::string& /*path*/, const FsResult& /*failure*/) {}
  // An entry of the folder being listed whose name cannot be joined into a
  // program path; nothing else is reported of it.
  virtual void Skipped(const std::string& /*folder*/, std::string_view /*name*/) {}
};

struct TreeWalkOptions {
  // The level of the root; each subfolder is one more than its parent.
  std::uint32_t rootLevel = 0;
  // Stat every file for its size.
  bool fileSizes = true;
  // Only the root is listed; subfolders are reported but never entered.
  bool rootOnly = false;
};

// Walks the tree under the program-form `root`. A root that does not map to
// a host folder is reported as a folder that could not be listed.
void WalkTree(std::string_view root, TreeVisitor& visitor, const TreeWalkOptions& options = {},
              FileSystem& fs = HostFileSystem());

}  // namespace quillory
