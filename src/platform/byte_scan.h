// Tests of eight bytes at once for the scans every item of a run makes
// (control characters in a name, bytes a journal must escape): a loop of one
// byte a turn was a tenth of a run's own time on a million short paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quillory::byte_scan {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

inline std::uint64_t Load(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// Whether any byte of `word` is below `n` (n at most 0x80). Exact as a yes
// or no, which is all a scan asks.
constexpr bool AnyBelow(std::uint64_t word, unsigned n) { return ((word - kOnes * n) & ~word & kHighs) != 0; }
constexpr bool AnyIs(std::uint64_t word, unsigned char c) { return AnyBelow(word ^ (kOnes * c), 1); }
constexpr bool AnyHigh(std::uint64_t word) { return (word & kHighs) != 0; }

// Where the first byte for which `stop` (a test of one byte) holds is, from
// `from` on, or npos; `block` tells whether eight bytes may hold one. The
// last bytes go as one more block, overlapping the one before it.
template <class Block, class Stop>
std::size_t Find(std::string_view text, std::size_t from, const Block& block, const Stop& stop) {
  const std::size_t size = text.size();
  std::size_t i = from;
  if (from <= size && size - from >= 8) {
    while (i + 8 <= size && !block(Load(text.data() + i))) i += 8;
    if (i + 8 > size) {
      if (i == size || !block(Load(text.data() + size - 8))) return std::string_view::npos;
      i = size - 8;
    }
  }
  for (; i < size; ++i)
    if (stop(static_cast<unsigned char>(text[i]))) return i;
  return std::string_view::npos;
}

// The same from the end: the last such byte before `text`'s end, or npos.
template <class Block, class Stop>
std::size_t FindLast(std::string_view text, const Block& block, const Stop& stop) {
  std::size_t end = text.size();
  while (end >= 8 && !block(Load(text.data() + end - 8))) end -= 8;
  for (std::size_t i = end; i-- > 0;)
    if (stop(static_cast<unsigned char>(text[i]))) return i;
  return std::string_view::npos;
}

}  // namespace quillory::byte_scan
