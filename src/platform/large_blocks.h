// Long arrays of a run (its lists' entries, its records) in blocks of their
// own, backed by 2 MiB pages where the system gives them out on request.
// Filling a 100,000-item run touches some 3,000 small pages; on virtual
// machines a first touch costs about 10 us, as much as the run's own
// user-space work, where one large page costs little more than one small.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace quillory {

// Requests of this size or more get a block of their own; smaller ones go to
// the heap as ever, so the many short lists of the window keep little.
inline constexpr std::size_t kLargeBlockBytes = std::size_t{256} << 10;
// A block is a whole number of these.
inline constexpr std::size_t kLargePageBytes = std::size_t{2} << 20;
// `bytes` (or an address) up to the next large page's boundary; no more than
// SIZE_MAX - kLargePageBytes.
constexpr std::size_t ToLargePages(std::size_t bytes) {
  return (bytes + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes;
}

// At least `bytes`, aligned for any type; throws std::bad_alloc.
void* AllocateLargeBlock(std::size_t bytes);
// `bytes` as it was asked for.
void FreeLargeBlock(void* block, std::size_t bytes) noexcept;

template <class T>
struct LargeBlockAllocator {
  using value_type = T;

  LargeBlockAllocator() = default;
  template <class U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}  // NOLINT: rebinding, as std::allocator does

  T* allocate(std::size_t n) {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    if (n * sizeof(T) < kLargeBlockBytes) return std::allocator<T>().allocate(n);
    return static_cast<T*>(AllocateLargeBlock(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n * sizeof(T) < kLargeBlockBytes)
      std::allocator<T>().deallocate(p, n);
    else
      FreeLargeBlock(p, n * sizeof(T));
  }
  template <class U>
  friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator<U>&) noexcept {
    return true;
  }
};

template <class T>
using LargeVector = std::vector<T, LargeBlockAllocator<T>>;

// Room for `more` elements after the last, growing as a vector does but, in
// blocks of their own, to the end of the block's last large page: that page
// is zeroed whole on first touch anyway, and a list growing from 256 KiB to
// 512 KiB to 1 MiB took three pages where one held it.
template <class T>
void MakeRoom(LargeVector<T>& list, std::size_t more = 1) {
  const std::size_t need = list.size() + more;
  if (need <= list.capacity()) return;
  std::size_t next = std::max(need, 2 * list.capacity());
  if (next <= (std::numeric_limits<std::size_t>::max() - kLargePageBytes) / sizeof(T) &&
      next * sizeof(T) >= kLargeBlockBytes)
    next = ToLargePages(next * sizeof(T)) / sizeof(T);
  list.reserve(next);
}

}  // namespace quillory
