// The record of a rename run, named here so that the journal and the undo
// of renames can hold it without knowing the rename page.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/text.h"

namespace quillory {

// One successful rename: what the folder was called and what it became.
struct _tagReplaceFoldersStruct {
  AnsiString OldPath;
  AnsiString NewPath;
  bool operator==(const _tagReplaceFoldersStruct&) const = default;
};

}  // namespace quillory
