// Tests of eight bytes at once for the scans every item of a run makes
// (separators, control characters in a name, bytes a journal must escape):
// a loop of one byte a turn was a tenth of a run's own time on a million
// short paths.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quillory::byte_scan {

static_assert(std::endian::native == std::endian::little, "byte positions are read from the low end");

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
inline constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;

inline std::uint64_t Load(const char* at) {
  std::uint64_t word;
  std::memcpy(&word, at, sizeof word);
  return word;
}

// Masks with the high bit of every byte that matches, and of no other: no
// carry crosses from one byte into the next.
constexpr std::uint64_t Zero(std::uint64_t word) { return ~(((word & kLows) + kLows) | word | kLows); }
constexpr std::uint64_t Equal(std::uint64_t word, unsigned char c) { return Zero(word ^ (kOnes * c)); }
// Bytes below `n`, for n from 1 to 0x80.
constexpr std::uint64_t Below(std::uint64_t word, unsigned n) {
  return ~(((word & kLows) + kOnes * (0x80 - n)) | word) & kHighs;
}
constexpr std::uint64_t High(std::uint64_t word) { return word & kHighs; }

// The bytes of a word below byte `n` (n from 0 to 8).
constexpr std::uint64_t BytesBefore(std::size_t n) { return n >= 8 ? ~0ULL : (1ULL << (8 * n)) - 1; }

// Where the first byte `mask` (a word to its mask) marks is, from `from` on,
// or npos. The last bytes go as one more word overlapping the one before.
template <class Mask>
std::size_t Find(std::string_view text, std::size_t from, const Mask& mask) {
  const char* bytes = text.data();
  const std::size_t size = text.size();
  if (from >= size) return std::string_view::npos;
  std::size_t i = from;
  for (; i + 8 <= size; i += 8)
    if (const std::uint64_t m = mask(Load(bytes + i)); m != 0) return i + std::countr_zero(m) / 8;
  if (i == size) return std::string_view::npos;
  if (size >= 8) {
    const std::size_t base = size - 8;
    const std::uint64_t m = mask(Load(bytes + base)) & ~BytesBefore(i - base);
    return m != 0 ? base + std::countr_zero(m) / 8 : std::string_view::npos;
  }
  std::uint64_t word = 0;
  std::memcpy(&word, bytes + i, size - i);
  const std::uint64_t m = mask(word) & BytesBefore(size - i);
  return m != 0 ? i + std::countr_zero(m) / 8 : std::string_view::npos;
}

// How many bytes a mask marks: its high bits, moved down and summed into
// the top byte by one multiplication (a portable build has no popcount
// instruction, and a call per word cost more than the scan).
constexpr std::size_t Marked(std::uint64_t m) { return static_cast<std::size_t>(((m >> 7) * kOnes) >> 56); }

// How many bytes `mask` marks.
template <class Mask>
std::size_t Count(std::string_view text, const Mask& mask) {
  const char* bytes = text.data();
  const std::size_t size = text.size();
  std::size_t count = 0, i = 0;
  for (; i + 8 <= size; i += 8) count += Marked(mask(Load(bytes + i)));
  if (i == size) return count;
  std::uint64_t m = 0;
  if (size >= 8) {
    const std::size_t base = size - 8;
    m = mask(Load(bytes + base)) & ~BytesBefore(i - base);
  } else {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, size);
    m = mask(word) & BytesBefore(size);
  }
  return count + Marked(m);
}

// The last byte `mask` marks, or npos.
template <class Mask>
std::size_t FindLast(std::string_view text, const Mask& mask) {
  const char* bytes = text.data();
  std::size_t end = text.size();
  for (; end >= 8; end -= 8)
    if (const std::uint64_t m = mask(Load(bytes + end - 8)); m != 0) return end - 8 + (63 - std::countl_zero(m)) / 8;
  if (end == 0) return std::string_view::npos;
  std::uint64_t word = 0;
  if (text.size() >= 8)
    word = Load(bytes);
  else
    std::memcpy(&word, bytes, end);
  const std::uint64_t m = mask(word) & BytesBefore(end);
  return m != 0 ? (63 - std::countl_zero(m)) / 8 : std::string_view::npos;
}

}  // namespace quillory::byte_scan
