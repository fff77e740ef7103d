#include "platform/case_blind_index.h"

#include <cstring>
#include <string>

#include "platform/path_text.h"
#include "platform/text.h"

namespace quillory {

namespace {

constexpr std::uint64_t kMul1 = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kMul2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 32;
  x *= 0xD6E8FEB86659FD93ull;
  x ^= x >> 32;
  x *= 0xD6E8FEB86659FD93ull;
  x ^= x >> 32;
  return x;
}

// Two independent 64-bit streams over the same bytes, eight at a time.
// `lower` folds ASCII letters on the way, so "ABC" and "abc" hash alike
// without a copy.
template <bool lower>
FoldKey HashBytes(std::string_view s) {
  std::uint64_t h1 = 0x243F6A8885A308D3ull ^ s.size();
  std::uint64_t h2 = 0x13198A2E03707344ull + s.size() * kMul2;
  std::size_t i = 0;
  auto step = [&](std::uint64_t w) {
    h1 = (h1 ^ w) * kMul1;
    h1 ^= h1 >> 29;
    h2 = (h2 + w) * kMul2;
    h2 = (h2 << 31) | (h2 >> 33);
  };
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, s.data() + i, 8);
    if constexpr (lower) {
      // Sets bit 5 of every byte that is an ASCII capital letter.
      const std::uint64_t ones = 0x0101010101010101ull;
      const std::uint64_t high = 0x8080808080808080ull;
      const std::uint64_t ge_a = (w | high) - ones * 'A';
      const std::uint64_t gt_z = (w | high) - ones * ('Z' + 1);
      const std::uint64_t upper = ge_a & ~gt_z & ~w & high;
      w |= upper >> 2;
    }
    step(w);
  }
  if (i < s.size()) {
    std::uint64_t w = 0;
    for (std::size_t k = 0; i + k < s.size(); ++k) {
      char c = s[i + k];
      if constexpr (lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
      w |= static_cast<std::uint64_t>(static_cast<unsigned char>(c)) << (8 * k);
    }
    step(w);
  }
  return {Mix(h1), Mix(h2 ^ h1)};
}

std::size_t SlotOf(std::uint64_t a, std::size_t mask) { return static_cast<std::size_t>(a) & mask; }

}  // namespace

FoldKey FoldKeyOf(std::string_view s) {
  if (IsAscii(s)) return HashBytes<true>(s);
  // One buffer per thread: an import folds a million names.
  thread_local std::string folded;
  CaseFoldInto(s, folded);
  // A fold may leave only ASCII behind (or change nothing); hashing the
  // folded bytes as they are gives the same key as the ASCII path would.
  return HashBytes<true>(folded);
}

FoldKey FoldKeyOfFolded(std::string_view folded) { return HashBytes<true>(folded); }

std::size_t CaseBlindIndex::Find(const FoldKey& key) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = SlotOf(key.a, mask);
  while (slots_[i].count != 0 && !slots_[i].Holds(key)) i = (i + 1) & mask;
  return i;
}

std::size_t CaseBlindIndex::Count(const FoldKey& key) const {
  if (slots_.empty()) return 0;
  return slots_[Find(key)].count;
}

void CaseBlindIndex::Grow(std::size_t capacity) {
  std::size_t size = 16;
  while (size < capacity) size *= 2;
  if (size <= slots_.size()) return;
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(size, Slot{});
  const std::size_t mask = size - 1;
  for (const Slot& s : old) {
    if (s.count == 0) continue;
    std::size_t i = SlotOf(s.a, mask);
    while (slots_[i].count != 0) i = (i + 1) & mask;
    slots_[i] = s;
  }
}

void CaseBlindIndex::Reserve(std::size_t distinct) { Grow(distinct * 2 + 1); }

void CaseBlindIndex::Add(const FoldKey& key) {
  if ((used_ + 1) * 2 > slots_.size()) Grow(slots_.size() * 2);
  Slot& s = slots_[Find(key)];
  if (s.count == 0) {
    s.a = key.a;
    s.b = static_cast<std::uint32_t>(key.b);
    ++used_;
  }
  ++s.count;
}

bool CaseBlindIndex::Insert(const FoldKey& key) {
  if ((used_ + 1) * 2 > slots_.size()) Grow(slots_.size() * 2);
  Slot& s = slots_[Find(key)];
  if (s.count != 0) return false;
  s.a = key.a;
  s.b = static_cast<std::uint32_t>(key.b);
  s.count = 1;
  ++used_;
  return true;
}

// Linear probing without tombstones: a freed slot is filled by shifting back
// the entries after it that may not sit past it, so every probe run stays
// unbroken.
void CaseBlindIndex::Remove(const FoldKey& key) {
  if (slots_.empty()) return;
  std::size_t i = Find(key);
  if (slots_[i].count == 0) return;
  if (--slots_[i].count != 0) return;
  --used_;
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = i;
  for (std::size_t j = (hole + 1) & mask; slots_[j].count != 0; j = (j + 1) & mask) {
    const std::size_t home = SlotOf(slots_[j].a, mask);
    // The entry at j may move into the hole when its home is not in (hole, j].
    const bool between = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
    if (between) continue;
    slots_[hole] = slots_[j];
    hole = j;
  }
  slots_[hole] = Slot{};
}

void CaseBlindIndex::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  used_ = 0;
}

}  // namespace quillory
