#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_list.h"

namespace quillory {

// The folders a run made, as its undo needs them, with their paths shared
// with the run's Visual Log: forty bytes a folder beside the path's bytes,
// where a vector of MadeFolder keeps a hundred.
class MadeFolderList {
 public:
  MadeFolderList() = default;
  MadeFolderList(const MadeFolders& folders);  // NOLINT: set from journals and tests

  std::size_t size() const { return marks_.size(); }
  bool empty() const { return marks_.empty(); }
  MadeFolder operator[](std::size_t i) const;
  MadeFolder front() const { return (*this)[0]; }
  MadeFolder back() const { return (*this)[size() - 1]; }

  void push_back(const SharedText& path, const FolderIdentity& identity, std::uint32_t within);
  void push_back(const MadeFolder& folder);
  void clear();
  void reserve(std::size_t count);
  // Every folder, the list left empty.
  MadeFolders Take();

  friend bool operator==(const MadeFolderList& a, const MadeFolders& b);
  friend bool operator==(const MadeFolderList& a, const MadeFolderList& b);

 private:
  // FolderIdentity with `within` in its padding.
  struct Mark {
    std::uint64_t device = 0, inode = 0;
    std::int64_t birthSeconds = 0;
    std::uint32_t birthNanoseconds = 0, within = 0;
  };
  static_assert(sizeof(Mark) == 32);

  TextList paths_;
  LargeVector<Mark> marks_;
};

}  // namespace quillory
