#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_blocks.h"

namespace quillory {

// Bytes of many texts that never move once written. A run's paths are put
// here once, and its Visual Log lists, their zoom twins and its records each
// keep an 8-byte entry to them instead of a string of their own: a run of a
// million folders otherwise kept every path four times over.
class TextArena {
 public:
  using Entry = const char*;  // the text, NUL-terminated, its length before it

  TextArena() = default;
  ~TextArena();
  TextArena(const TextArena&) = delete;
  TextArena& operator=(const TextArena&) = delete;

  Entry Put(std::string_view text);
  static std::string_view View(Entry entry) {
    std::uint32_t size;
    __builtin_memcpy(&size, entry - sizeof size, sizeof size);
    return {entry, size};
  }
  std::size_t Bytes() const { return bytes_; }

 private:
  struct Chunk {
    char* bytes;
    std::size_t size;
  };
  std::vector<Chunk> chunks_;
  char* next_ = nullptr;
  std::size_t left_ = 0;
  std::size_t bytes_ = 0;  // handed out, with lengths and terminators
};

// A text in an arena, and a hold on the arena, to give to lists that share it.
struct SharedText {
  TextArena::Entry entry = nullptr;
  std::shared_ptr<const TextArena> arena;
  std::string_view View() const { return TextArena::View(entry); }
};

// A fresh arena holding `text`: the way a run puts each of its paths.
SharedText ShareText(const std::shared_ptr<TextArena>& arena, std::string_view text);

// An ordered list of texts, eight bytes each beside the bytes themselves,
// which it shares with every list given the same SharedText. Reordering and
// removing move only entries.
class TextList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    explicit const_iterator(const TextArena::Entry* at) : at_(at) {}
    std::string_view operator*() const { return TextArena::View(*at_); }
    std::string_view operator[](difference_type n) const { return TextArena::View(at_[n]); }
    const_iterator& operator++() { ++at_; return *this; }
    const_iterator operator++(int) { return const_iterator(at_++); }
    const_iterator& operator--() { --at_; return *this; }
    const_iterator operator--(int) { return const_iterator(at_--); }
    const_iterator& operator+=(difference_type n) { at_ += n; return *this; }
    const_iterator& operator-=(difference_type n) { at_ -= n; return *this; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const_iterator a, const_iterator b) { return a.at_ - b.at_; }
    friend auto operator<=>(const const_iterator&, const const_iterator&) = default;

   private:
    const TextArena::Entry* at_ = nullptr;
  };
  using value_type = std::string_view;
  using iterator = const_iterator;

  TextList() = default;
  // A copy shares the bytes but writes its own new texts elsewhere, so no
  // arena is ever written by two lists.
  TextList(const TextList& other) : entries_(other.entries_), arenas_(other.arenas_), peak_(entries_.size()) {}
  TextList& operator=(const TextList& other);
  TextList(TextList&&) noexcept = default;
  TextList& operator=(TextList&&) noexcept = default;
  TextList(const std::vector<std::string>& texts);  // NOLINT: lists compare with and are set from vectors
  TextList(std::initializer_list<std::string_view> texts);

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  std::string_view operator[](std::size_t i) const { return TextArena::View(entries_[i]); }
  std::string_view front() const { return (*this)[0]; }
  std::string_view back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return const_iterator(entries_.data()); }
  const_iterator end() const { return const_iterator(entries_.data() + entries_.size()); }

  void push_back(std::string_view text);
  void push_back(const SharedText& text);
  void insert(std::size_t at, std::string_view text);
  void insert(std::size_t at, const SharedText& text);
  void erase(std::size_t at);
  void clear();
  void reserve(std::size_t count) { entries_.reserve(count); }
  std::size_t capacity() const { return entries_.capacity(); }
  // The list becomes its items order[0], order[1], ...: a sort, a merge or a
  // removal of many rows at the cost of the entries alone.
  void Reorder(const std::vector<std::size_t>& order);

  std::vector<std::string> Strings() const;
  // Bytes of texts this list holds a share of, its entries included: what
  // it keeps in memory at most.
  std::size_t HeldBytes() const;

  friend bool operator==(const TextList& a, const TextList& b);
  friend bool operator==(const TextList& a, const std::vector<std::string>& b);

 private:
  TextArena& Own();
  // A run's texts come from one arena after another: the one held last is
  // nearly always the one asked for.
  void Hold(const std::shared_ptr<const TextArena>& arena) {
    if (arenas_.empty() || arenas_.back() != arena) HoldAnother(arena);
  }
  void HoldAnother(const std::shared_ptr<const TextArena>& arena);
  // After many removals, the bytes no entry reaches any more go.
  void CompactIfSparse();

  LargeVector<TextArena::Entry> entries_;
  std::vector<std::shared_ptr<const TextArena>> arenas_;  // every arena an entry points into
  std::shared_ptr<TextArena> own_;                         // where this list writes; among arenas_
  std::size_t peak_ = 0;  // the most entries since the bytes were last compacted
};

}  // namespace quillory
