#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/text.h"

namespace quillory {

namespace {

// Greedy match with one resume point per '*': linear passes, no exponential
// backtracking. `same` compares one mask byte with one name byte.
template <class Same>
bool Match(std::string_view name, std::string_view mask, Same same) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = ++m;
      starName = n;
    } else if (m < mask.size() && mask[m] == '?') {
      n += Utf8CharLength(name, n);
      ++m;
    } else if (m < mask.size() && same(mask[m], name[n])) {
      ++n;
      ++m;
    } else if (starMask != std::string_view::npos) {
      starName += Utf8CharLength(name, starName);
      n = starName;
      m = starMask;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool MatchCaseBlind(std::string_view name, std::string_view mask) {
  if (IsAscii(name) && IsAscii(mask))
    return Match(name, mask, [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
  return Match(CaseFold(name), CaseFold(mask), [](char a, char b) { return a == b; });
}

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask == "*" || mask == "*.*") return true;
  if (MatchCaseBlind(name, mask)) return true;
  // Windows lets a trailing ".*" match the end of the name, dot included:
  // "report.*" finds "report", and "*.*" every name.
  if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*")
    return MatchCaseBlind(name, mask.substr(0, mask.size() - 2));
  return false;
}

std::string ShownEntryPath(std::string_view folder, std::string_view name) {
  std::string shown(folder);
  if (shown.empty() || shown.back() != '\\') shown += '\\';
  for (std::size_t start = 0;;) {
    const std::size_t slash = name.find('\\', start);
    const std::size_t length = slash == std::string_view::npos ? std::string_view::npos : slash - start;
    shown += EscapeForDisplay(name.substr(start, length));
    if (slash == std::string_view::npos) break;
    shown += "\\x5C";
    start = slash + 1;
  }
  return shown;
}

}  // namespace quillory
