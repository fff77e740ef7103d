#include "platform/large_blocks.h"

#include <sys/mman.h>

#include <cstdint>

namespace quillory {

void* AllocateLargeBlock(std::size_t bytes) {
  if (bytes > SIZE_MAX - 2 * kLargePageBytes) throw std::bad_alloc();
  const std::size_t size = ToLargePages(bytes);
  // Mapped one large page over, then cut to a large page's boundary: a
  // large page is only given out whole inside an aligned range.
  void* mapped = ::mmap(nullptr, size + kLargePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto raw = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t start = ToLargePages(raw);
  if (start > raw) ::munmap(mapped, start - raw);
  if (const std::size_t after = raw + size + kLargePageBytes - (start + size); after > 0)
    ::munmap(reinterpret_cast<void*>(start + size), after);
  auto* block = reinterpret_cast<void*>(start);
  // Only a request: where large pages are off or used up, small ones serve.
  ::madvise(block, size, MADV_HUGEPAGE);
  return block;
}

void FreeLargeBlock(void* block, std::size_t bytes) noexcept {
  if (block != nullptr) ::munmap(block, ToLargePages(bytes));
}

}  // namespace quillory
