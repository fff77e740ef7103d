// The order in which folder listings reach the engines: by name as a file
// manager shows them (letters case-blind, runs of digits by their value), so
// a list built from a folder reads 13, 14, 17, 19 on every host, whatever
// order its directory happens to hand out.
#pragma once

#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace quillory {

// <0, 0, >0. ASCII letters compare case-blind, a run of digits by its value
// (fewer leading zeros first among equal values); other bytes as they are.
// Ties are broken by the bytes, so the order is total and stable.
int CompareNamesNaturally(std::string_view a, std::string_view b);

void SortByName(std::vector<FolderEntry>& entries);

}  // namespace quillory
