#include "platform/text_list.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillory {

namespace {

// Small enough that a list of a dozen typed items keeps little; an arena
// that fills its first two goes on in large blocks, so a million paths take
// a few dozen.
constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kSmallChunks = 2;
constexpr std::size_t kLargeChunkBytes = std::size_t{2} << 20;
constexpr std::size_t kLengthBytes = sizeof(std::uint32_t);

}  // namespace

TextArena::~TextArena() {
  for (const Chunk& chunk : chunks_) LargeBlockAllocator<char>().deallocate(chunk.bytes, chunk.size);
}

TextArena::Entry TextArena::Put(std::string_view text) {
  if (text.size() > UINT32_MAX - kLengthBytes - 1) throw std::length_error("a text of over 4 GiB");
  const std::size_t need = kLengthBytes + text.size() + 1;
  if (need > left_) {
    // A text longer than a chunk gets a chunk of its own; the current one
    // stays open for the short ones after it.
    const std::size_t usual = chunks_.size() < kSmallChunks ? kChunkBytes << chunks_.size() : kLargeChunkBytes;
    const std::size_t size = std::max(need, usual);
    // Room first: a chunk that could not be listed would be lost.
    if (chunks_.size() == chunks_.capacity()) chunks_.reserve(std::max<std::size_t>(8, 2 * chunks_.size()));
    chunks_.push_back(Chunk{LargeBlockAllocator<char>().allocate(size), size});
    if (size > usual) {
      char* at = chunks_.back().bytes;
      bytes_ += need;
      const auto length = static_cast<std::uint32_t>(text.size());
      std::memcpy(at, &length, kLengthBytes);
      std::memcpy(at + kLengthBytes, text.data(), text.size());
      at[kLengthBytes + text.size()] = '\0';
      return at + kLengthBytes;
    }
    next_ = chunks_.back().bytes;
    left_ = size;
  }
  const auto length = static_cast<std::uint32_t>(text.size());
  std::memcpy(next_, &length, kLengthBytes);
  std::memcpy(next_ + kLengthBytes, text.data(), text.size());
  next_[kLengthBytes + text.size()] = '\0';
  const Entry entry = next_ + kLengthBytes;
  next_ += need;
  left_ -= need;
  bytes_ += need;
  return entry;
}

SharedText ShareText(const std::shared_ptr<TextArena>& arena, std::string_view text) {
  return SharedText{arena->Put(text), arena};
}

TextList& TextList::operator=(const TextList& other) {
  if (this != &other) {
    entries_ = other.entries_;
    arenas_ = other.arenas_;
    own_.reset();
    peak_ = entries_.size();
  }
  return *this;
}

TextList::TextList(const std::vector<std::string>& texts) {
  entries_.reserve(texts.size());
  for (const std::string& text : texts) push_back(text);
}

TextList::TextList(std::initializer_list<std::string_view> texts) {
  entries_.reserve(texts.size());
  for (std::string_view text : texts) push_back(text);
}

TextArena& TextList::Own() {
  if (!own_) {
    own_ = std::make_shared<TextArena>();
    arenas_.push_back(own_);
  }
  return *own_;
}

void TextList::HoldAnother(const std::shared_ptr<const TextArena>& arena) {
  // Lists take from one or two arenas: the last few are all worth a look.
  const std::size_t look = std::min<std::size_t>(arenas_.size(), 4);
  for (std::size_t i = arenas_.size() - look; i < arenas_.size(); ++i)
    if (arenas_[i] == arena) return;
  if (std::find(arenas_.begin(), arenas_.end(), arena) == arenas_.end()) arenas_.push_back(arena);
}

void TextList::push_back(std::string_view text) {
  MakeRoom(entries_);
  entries_.push_back(Own().Put(text));
}

void TextList::push_back(const SharedText& text) {
  Hold(text.arena);
  MakeRoom(entries_);
  entries_.push_back(text.entry);
}

void TextList::insert(std::size_t at, std::string_view text) {
  MakeRoom(entries_);
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), Own().Put(text));
}

void TextList::insert(std::size_t at, const SharedText& text) {
  Hold(text.arena);
  MakeRoom(entries_);
  if (at == entries_.size()) {
    entries_.push_back(text.entry);
    return;
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), text.entry);
}

void TextList::erase(std::size_t at) {
  peak_ = std::max(peak_, entries_.size());
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  CompactIfSparse();
}

void TextList::clear() {
  entries_.clear();
  arenas_.clear();
  own_.reset();
  peak_ = 0;
}

void TextList::Reorder(const std::vector<std::size_t>& order) {
  peak_ = std::max(peak_, entries_.size());
  LargeVector<TextArena::Entry> reordered;
  reordered.reserve(order.size());
  for (std::size_t i : order) reordered.push_back(entries_[i]);
  entries_ = std::move(reordered);
  CompactIfSparse();
}

std::vector<std::string> TextList::Strings() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const TextArena::Entry entry : entries_) out.emplace_back(TextArena::View(entry));
  return out;
}

std::size_t TextList::HeldBytes() const {
  std::size_t bytes = entries_.capacity() * sizeof(TextArena::Entry);
  for (const auto& arena : arenas_) bytes += arena->Bytes();
  return bytes;
}

void TextList::CompactIfSparse() {
  if (entries_.size() * 2 >= peak_) return;
  std::size_t live = 0;
  for (const TextArena::Entry entry : entries_) live += kLengthBytes + TextArena::View(entry).size() + 1;
  std::size_t held = 0;
  for (const auto& arena : arenas_) held += arena->Bytes();
  peak_ = entries_.size();
  if (held < 2 * live + kChunkBytes) return;
  auto fresh = std::make_shared<TextArena>();
  for (TextArena::Entry& entry : entries_) entry = fresh->Put(TextArena::View(entry));
  arenas_.assign(1, fresh);
  own_ = std::move(fresh);
  entries_.shrink_to_fit();
}

bool operator==(const TextList& a, const TextList& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

bool operator==(const TextList& a, const std::vector<std::string>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

}  // namespace quillory
