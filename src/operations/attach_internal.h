// What the attach engine's files share: program-path joins and the chain of
// open folders a snapshot is walked with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "operations/attach_engine.h"
#include "platform/file_system.h"

namespace quillory::attach {

std::string Join(const std::string& folder, std::string_view name);
// Trailing separators go, but a drive root keeps its own.
std::string WithoutTrailingSeparators(std::string path);

// Opens the folders of a snapshot one after the other, keeping open only the
// chain from the root to the last one: in breadth-first order the next
// folder is mostly a sibling, one open away, and however wide the tree the
// descriptors held stay as many as it is deep. A folder that cannot be
// opened gives kNoFolderHandle, and so do the folders below it.
class FolderChain {
 public:
  FolderChain(FileSystem& fs, const std::vector<StructureSnapshot::Folder>& folders, FolderHandle root)
      : fs_(fs), folders_(folders) {
    stack_.emplace_back(0, root);
  }
  FolderChain(const FolderChain&) = delete;
  FolderChain& operator=(const FolderChain&) = delete;
  ~FolderChain() {
    while (!stack_.empty()) Pop();
  }

  FolderHandle Open(std::uint32_t index) {
    const std::uint32_t depth = folders_[index].depth;
    ancestors_.assign(depth + 1, 0);
    for (std::uint32_t k = depth, at = index; k > 0; --k) {
      ancestors_[k] = at;
      at = folders_[at].parent;
    }
    while (stack_.size() > depth + 1 || stack_.back().first != ancestors_[stack_.size() - 1]) Pop();
    while (stack_.size() <= depth) {
      const std::uint32_t next = ancestors_[stack_.size()];
      FolderHandle handle = kNoFolderHandle;
      if (stack_.back().second != kNoFolderHandle)
        if (!fs_.OpenSubfolder(stack_.back().second, folders_[next].name, &handle).ok()) handle = kNoFolderHandle;
      stack_.emplace_back(next, handle);
    }
    return stack_.back().second;
  }

 private:
  void Pop() {
    if (stack_.back().second != kNoFolderHandle) fs_.CloseFolder(stack_.back().second);
    stack_.pop_back();
  }

  FileSystem& fs_;
  const std::vector<StructureSnapshot::Folder>& folders_;
  std::vector<std::pair<std::uint32_t, FolderHandle>> stack_;
  std::vector<std::uint32_t> ancestors_;
};

}  // namespace quillory::attach
