// A compact multiset of names compared case-blind: it keeps a 96-bit
// fingerprint of each case-folded name and a count in a 16-byte slot, not the
// name itself, so a list of a million names pays about 45 bytes a name for
// its index instead of a second, folded copy of every name. Two different
// folded names share a fingerprint with a chance of about 2^-56 for a million
// names. The table stays at most half full, so a probe for an absent name
// (every new line of an import) reads about one cache line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quillory {

struct FoldKey {
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  bool operator==(const FoldKey& o) const { return a == o.a && b == o.b; }
};

// The fingerprint of CaseFold(s); ASCII names are hashed without folding
// into a copy first.
FoldKey FoldKeyOf(std::string_view s);
// The same key from a text that is already CaseFold's result.
FoldKey FoldKeyOfFolded(std::string_view folded);

class CaseBlindIndex {
 public:
  std::size_t Distinct() const { return used_; }
  bool Empty() const { return used_ == 0; }
  std::size_t Count(const FoldKey& key) const;
  bool Contains(const FoldKey& key) const { return Count(key) != 0; }
  bool Contains(std::string_view name) const { return Contains(FoldKeyOf(name)); }
  void Add(const FoldKey& key);
  // Adds the key only when absent; true when it was added.
  bool Insert(const FoldKey& key);
  // Lowers the count by one (nothing when absent).
  void Remove(const FoldKey& key);
  void Clear();
  void Reserve(std::size_t distinct);

 private:
  struct Slot {
    std::uint64_t a = 0;  // FoldKey::a, which also picks the home slot
    std::uint32_t b = 0;  // the low half of FoldKey::b
    std::uint32_t count = 0;  // 0: empty
    bool Holds(const FoldKey& key) const { return a == key.a && b == static_cast<std::uint32_t>(key.b); }
  };
  std::size_t Find(const FoldKey& key) const;  // slot of the key, or of the empty slot ending its run
  void Grow(std::size_t capacity);

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace quillory
