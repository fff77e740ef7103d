// Walking a folder tree on the host, breadth-first by level: every folder of
// one level is listed before any folder of the next, and among one level the
// folders go in the order they were found.
//
// - Folders are read through directory descriptors opened relative to the
//   root's descriptor, with no symbolic link resolved below the root; the
//   process's current directory is never touched.
// - The entry type comes from the listing; an entry is stat'ed (relative to
//   its folder's descriptor) only when the listing does not tell its type or
//   when the caller wants file sizes.
// - A symbolic link inside the tree is never followed. It is reported as a
//   file whose size is the link's own (what `lstat` gives), as an
//   apparent-size disk usage count does.
// - Hidden entries are listed like any other.
// - A folder that cannot be opened or read is reported and passed over; the
//   walk goes on. A listing that fails part-way keeps what it listed.
// - Only one folder is open at a time (plus the root), whatever the tree.
// - Paths are in program form: the root as the caller gave it, then names
//   joined with '\' (no second '\' after a root that already ends in one).
//   Names are the host's bytes, valid UTF-8 or not.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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
  virtual void ListingFailed(const std::string& /*path*/, int /*error*/) {}
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
void WalkTree(std::string_view root, TreeVisitor& visitor, const TreeWalkOptions& options = {});

// Where a real refusal cannot be provoked (a test running as the superuser
// reads everything), a test makes folders unreadable by name: while a fault
// is set, a folder whose program path it returns true for is reported as not
// listed. Empty function: no fault.
void SetTreeWalkFault(std::function<bool(const std::string& programPath)> fault);

}  // namespace quillory
