// The chains of a run whose items name folders: two items share a chain when
// a folder one of them names is, holds or lies in a folder the other names,
// below the deepest folder every item lies in. Items in different chains
// touch different subtrees of that folder, so they may run at once; a
// missing parent above it is made before the chains part (the plan's
// `ready`).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/run_frame.h"
#include "app/run_jobs.h"

namespace quillory {

class DriveMap;

struct FolderChainKeys {
  // One key per item; empty when an item names the shared folder itself (or
  // one above it, or no folder at all), which would touch every chain.
  std::vector<std::uint64_t> keys;
  // The shared folder, in program form ("" when `keys` is empty).
  std::string base;
};

struct ChainOptions {
  // A link that is the last name of a path is followed (a rename moves the
  // link itself, so not there).
  bool followLast = true;
  // Threads that find where the paths lead (on a file server each look-up
  // is a round trip).
  int threads = kAutomaticSlowJobs;
};

// `folders(i, out)` appends the program paths item `i` names (a rename: its
// old and its new path); an item naming none is refused before it touches
// anything and gets a chain of its own. Paths are compared where they lead
// on the host: two drive letters, or two links, reaching one folder name
// one folder.
FolderChainKeys ChainFolders(std::size_t count,
                             const std::function<void(std::size_t, std::vector<std::string>&)>& folders,
                             const DriveMap& drives, ChainOptions options = {});

// Lets a plan whose work keeps nothing from one item to the next (the copy
// page's destinations, the delete page's main folders) go on workers that
// share that work, item `i` naming `folders[i]`.
void ChainByFolder(RunPlan& plan, const std::vector<std::string>& folders, const DriveMap& drives);

}  // namespace quillory
