// The small pieces of path text every layer needs, and the length limits,
// each defined once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/byte_scan.h"

namespace quillory {

// Bytes of one name: what Linux file systems take (NAME_MAX).
inline constexpr std::size_t kMaxNameBytes = 255;
// Bytes of a whole host path: the kernel's PATH_MAX less the closing NUL.
inline constexpr std::size_t kMaxHostPathBytes = 4095;
// Characters of a folder path a rename takes, as the rename page documents
// it: the classic 260-character path less its closing NUL.
inline constexpr std::size_t kMaxRenamePathChars = 259;
// Characters of a full path a simulation counts as a folder a run could make,
// as the pages document it.
inline constexpr std::size_t kMaxSimulatedPathChars = 254;

// No byte above 0x7F: such text can be compared and folded byte by byte.
bool IsAscii(std::string_view text);

// Program paths accept both.
inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Where the first (from `from` on) or last separator is, npos if none;
// eight bytes at a time, as paths are searched for every item of a run.
struct SeparatorBytes {
  std::uint64_t operator()(std::uint64_t word) const {
    return byte_scan::Equal(word, '\\') | byte_scan::Equal(word, '/');
  }
};
inline std::size_t FirstSeparator(std::string_view text, std::size_t from = 0) {
  return byte_scan::Find(text, from, SeparatorBytes{});
}
inline std::size_t LastSeparator(std::string_view text) { return byte_scan::FindLast(text, SeparatorBytes{}); }
// The number of '\' and '/' in a path: the depth key of renames and their
// undo.
inline std::size_t SeparatorCount(std::string_view text) { return byte_scan::Count(text, SeparatorBytes{}); }

// `folder` and `name` with one '\' between them (none added after a folder
// that already ends in one).
std::string JoinProgramPath(std::string_view folder, std::string_view name);

}  // namespace quillory
