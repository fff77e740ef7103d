// One item of a rename run or of its simulation: the new path composed from
// the item and the page's options, the rename (or what it would come to),
// handed on as an outcome. A function of its inputs and the file system: it
// reads no page and could run on another thread.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_frame.h"
#include "names/name_composition.h"
#include "platform/large_blocks.h"

namespace quillory {

class DriveMap;

// The page's two ways to a new name, as typed (the composition trims them).
struct RenameOptions {
  enum class Method { PrefixSuffix, NewName };
  Method method = Method::PrefixSuffix;
  std::string prefix, prefixDelimiter, suffixDelimiter, suffix;
  std::string newName;
};

// The new path of a trimmed include line. The name is always the line's own
// last folder name, also when it holds a dot: a folder is never moved out of
// its parent.
std::string ComposeNewPath(std::string_view item, const RenameOptions& options);

// The trimmed lines in the order they are taken. A run goes deepest first,
// the last-filed first among equals, so a child is renamed while its parent
// still has the name its line gives; a simulation, which renames nothing,
// keeps the list's order.
std::vector<std::string> RenameOrder(std::vector<std::string> items, bool simulate);
// The same for lines a run reads where they are.
LargeVector<std::string_view> RenameOrder(LargeVector<std::string_view> items, bool simulate);

// The new paths a simulation has given away so far; one simulation's items
// share it.
using SimulatedRenames = std::set<std::string>;

// Renames folders one after another, keeping the folder they are in open
// while the items stay in it: each rename then goes from its descriptor
// instead of walking both whole paths again. The folder is opened as the
// person's path names it; an item anywhere else, or naming a drive's root,
// is renamed by its paths.
class FolderRenamer {
 public:
  explicit FolderRenamer(FileSystem& fs) : fs_(fs) {}
  FolderRenamer(const FolderRenamer&) = delete;
  FolderRenamer& operator=(const FolderRenamer&) = delete;
  ~FolderRenamer();
  // As FileSystem::RenameFolder.
  FsResult Rename(std::string_view from, std::string_view to);

 private:
  FileSystem& fs_;
  FolderHandle handle_ = kNoFolderHandle;
  std::string open_;  // the program-form path of handle_
};

// Renames one trimmed include line, or with `simulate` tells what a run
// would come to without touching the disk; `taken` (a simulation's, may be
// null) remembers the new paths given away. Hands exactly one outcome to
// `sink`, with its RenameCounter, its RenameList line and, for a rename
// done, `renamed` (old, new). A run renames through `renamer`.
void RenameOne(FolderRenamer& renamer, FileSystem& fs, const DriveMap& drives, std::string_view item,
               const RenameOptions& options, bool simulate, SimulatedRenames* taken, const OutcomeSink& sink);

}  // namespace quillory
