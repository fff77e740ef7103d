// The record of a rename run, named here so that the journal and the undo
// of renames can hold it without knowing the rename page.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "platform/large_blocks.h"
#include "platform/text.h"

namespace quillory {

// One successful rename: what the folder was called and what it became.
struct _tagReplaceFoldersStruct {
  AnsiString OldPath;
  AnsiString NewPath;
  bool operator==(const _tagReplaceFoldersStruct&) const = default;
};

// A run's renames, in the order they were done.
using RenameRecords = LargeVector<_tagReplaceFoldersStruct>;

// The number of '\' and '/' in a path: the depth key of renames and their
// undo.
inline std::size_t SeparatorCount(std::string_view path) {
  return static_cast<std::size_t>(std::count_if(path.begin(), path.end(), [](char c) { return c == '\\' || c == '/'; }));
}

}  // namespace quillory
