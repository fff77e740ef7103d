#include "platform/name_order.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "platform/byte_scan.h"

namespace quillory {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// Compares the digit runs starting at a[i] and b[j] by value and moves both
// past them; 0 when their values are equal.
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j, int& zeros) {
  std::size_t ai = i, bj = j;
  while (ai < a.size() && a[ai] == '0') ++ai;
  while (bj < b.size() && b[bj] == '0') ++bj;
  std::size_t aEnd = ai, bEnd = bj;
  while (aEnd < a.size() && IsDigit(a[aEnd])) ++aEnd;
  while (bEnd < b.size() && IsDigit(b[bEnd])) ++bEnd;
  // More significant digits is the larger value; then digit by digit.
  int result = aEnd - ai < bEnd - bj ? -1 : aEnd - ai > bEnd - bj ? 1 : a.substr(ai, aEnd - ai).compare(b.substr(bj, bEnd - bj));
  if (result == 0 && zeros == 0) {
    const std::size_t az = ai - i, bz = bj - j;
    zeros = az < bz ? -1 : az > bz ? 1 : 0;
  }
  i = aEnd;
  j = bEnd;
  return result < 0 ? -1 : result > 0 ? 1 : 0;
}

// How many bytes `a` and `b` begin with alike, eight at a time.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8)
    if (const std::uint64_t x = byte_scan::Load(a.data() + i) ^ byte_scan::Load(b.data() + i); x != 0)
      return i + static_cast<std::size_t>(std::countr_zero(x)) / 8;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

int CompareNamesNaturally(std::string_view a, std::string_view b) {
  // The bytes both begin with compare equal, digit runs among them too; a
  // run that goes on past them is compared from its start. Names of one
  // folder mostly differ late ("photo 0012", "photo 0013").
  std::size_t i = CommonPrefix(a, b);
  while (i > 0 && IsDigit(a[i - 1])) --i;
  std::size_t j = i;
  int zeros = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      if (const int n = CompareNumbers(a, i, b, j, zeros); n != 0) return n;
      continue;
    }
    const char x = Folded(a[i]), y = Folded(b[j]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  if (zeros != 0) return zeros;
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

void SortByName(std::vector<FolderEntry>& entries) {
  const auto before = [](const FolderEntry& x, const FolderEntry& y) {
    return CompareNamesNaturally(x.name, y.name) < 0;
  };
  // What a program made in order is often listed in it, or backwards (tmpfs
  // hands out the newest first): one look along the list each way.
  if (std::is_sorted(entries.begin(), entries.end(), before)) return;
  if (std::is_sorted(entries.rbegin(), entries.rend(), before)) {
    std::reverse(entries.begin(), entries.end());
    return;
  }
  std::sort(entries.begin(), entries.end(), before);
}

}  // namespace quillory
