#include "platform/text.h"

#include <cstdlib>
#include <cstring>

#include <utf8proc.h>

#include "platform/byte_scan.h"
#include "platform/path_text.h"

namespace quillory {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string LowerAsciiCopy(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

// Length of the well-formed UTF-8 sequence at s[i], 0 when it is not one.
// Overlong forms, surrogates and code points above U+10FFFF are rejected, the
// same set utf8proc refuses.
std::size_t SequenceLength(std::string_view s, std::size_t i, char32_t* codePoint) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    *codePoint = b0;
    return 1;
  }
  std::size_t length;
  char32_t cp;
  char32_t minimum;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, cp = b0 & 0x1F, minimum = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, cp = b0 & 0x0F, minimum = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, cp = b0 & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (s.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  *codePoint = cp;
  return length;
}

bool NeedsEscape(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

void AppendEscaped(std::string& out, unsigned char b) {
  static const char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[b >> 4];
  out += kHex[b & 0x0F];
}

int Sign(int v) { return (v > 0) - (v < 0); }

int CompareBytes(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

}  // namespace

std::string_view TrimmedView(std::string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsTrimmed(s[begin])) ++begin;
  while (end > begin && IsTrimmed(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

std::string Trim(std::string_view s) { return std::string(TrimmedView(s)); }

std::string TrimLeft(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsTrimmed(s[begin])) ++begin;
  return std::string(s.substr(begin));
}

std::string TrimRight(std::string_view s) {
  std::size_t end = s.size();
  while (end > 0 && IsTrimmed(s[end - 1])) --end;
  return std::string(s.substr(0, end));
}

namespace {

// Folds code point by code point without allocating per call; a string with
// combining marks takes the composing path so "e" + U+0301 folds like U+00E9.
// Returns false when that path is needed.
bool FoldSimple(std::string_view s, std::string& out) {
  out.clear();
  out.reserve(s.size());
  utf8proc_int32_t buffer[8];
  utf8proc_uint8_t encoded[4];
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out += LowerAscii(static_cast<char>(b));
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t length = SequenceLength(s, i, &cp);
    if (length == 0) return false;
    const auto code = static_cast<utf8proc_int32_t>(cp);
    if (utf8proc_get_property(code)->combining_class != 0) return false;
    int last = 0;
    const utf8proc_ssize_t n = utf8proc_decompose_char(code, buffer, 8, UTF8PROC_CASEFOLD, &last);
    if (n < 0 || n > 8) return false;
    for (utf8proc_ssize_t k = 0; k < n; ++k) {
      const utf8proc_ssize_t bytes = utf8proc_encode_char(buffer[k], encoded);
      out.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(bytes));
    }
    i += length;
  }
  return true;
}

}  // namespace

std::string CaseFold(std::string_view s) {
  std::string out;
  CaseFoldInto(s, out);
  return out;
}

void CaseFoldInto(std::string_view s, std::string& out) {
  if (IsAscii(s)) {
    out.assign(s);
    for (char& c : out) c = LowerAscii(c);
    return;
  }
  if (FoldSimple(s, out)) return;
  utf8proc_uint8_t* folded = nullptr;
  const utf8proc_ssize_t length =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(s.data()),
                   static_cast<utf8proc_ssize_t>(s.size()), &folded,
                   static_cast<utf8proc_option_t>(UTF8PROC_CASEFOLD | UTF8PROC_STABLE | UTF8PROC_COMPOSE));
  if (length < 0) {
    std::free(folded);
    out = LowerAsciiCopy(s);
    return;
  }
  out.assign(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(length));
  std::free(folded);
}

bool SameText(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
  }
  return CaseFold(a) == CaseFold(b);
}

int CompareText(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
      const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
      const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
      if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return CompareBytes(a, b);
  }
  const int folded = CompareBytes(CaseFold(a), CaseFold(b));
  return folded != 0 ? folded : CompareBytes(a, b);
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::size_t pos = s.find(from);
  if (pos == std::string_view::npos) return std::string(s);
  std::string out;
  out.reserve(s.size());
  std::size_t start = 0;
  while (pos != std::string_view::npos) {
    out.append(s, start, pos - start);
    out.append(to);
    start = pos + from.size();
    pos = s.find(from, start);
  }
  out.append(s, start);
  return out;
}

std::string ReplaceRepeatedly(std::string_view s, std::string_view from, std::string_view to) {
  std::string current(s);
  if (from.empty()) return current;
  // A replacement that contains what it replaces would never finish; one pass
  // is all that can be meant.
  if (to.find(from) != std::string_view::npos) return ReplaceAll(s, from, to);
  // A shrinking replacement ends by itself. Any other is bounded so that no
  // input can keep it going or growing without end.
  const bool shrinks = to.size() < from.size();
  const std::size_t maxPasses = s.size() + 1;
  const std::size_t maxSize = 2 * s.size() + to.size();
  for (std::size_t pass = 0; current.find(from) != std::string::npos; ++pass) {
    if (!shrinks && (pass >= maxPasses || current.size() > maxSize)) break;
    current = ReplaceAll(current, from, to);
  }
  return current;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsValidUtf8(std::string_view s) {
  char32_t cp;
  for (std::size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = SequenceLength(s, i, &cp);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::size_t Utf8CharLength(std::string_view s, std::size_t i) {
  char32_t cp;
  const std::size_t length = SequenceLength(s, i, &cp);
  return length == 0 ? 1 : length;
}

std::string EscapeForDisplay(std::string_view s) {
  char32_t cp;
  bool clean = true;
  for (std::size_t i = 0; i < s.size() && clean;) {
    const std::size_t length = SequenceLength(s, i, &cp);
    if (length == 0 || NeedsEscape(cp)) clean = false;
    i += length;
  }
  if (clean) return std::string(s);

  std::string out;
  out.reserve(s.size() + 16);
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = SequenceLength(s, i, &cp);
    if (length == 0) {
      AppendEscaped(out, static_cast<unsigned char>(s[i]));
      ++i;
      continue;
    }
    if (NeedsEscape(cp)) {
      for (std::size_t k = 0; k < length; ++k) AppendEscaped(out, static_cast<unsigned char>(s[i + k]));
    } else {
      out.append(s, i, length);
    }
    i += length;
  }
  return out;
}

std::string ShownWithoutControls(std::string_view s) {
  return HoldsControlOrDelete(s) ? EscapeForDisplay(s) : std::string(s);
}

bool HoldsControlOrDelete(std::string_view s) {
  using namespace byte_scan;
  return Find(s, 0, [](std::uint64_t w) { return Below(w, 0x20) | Equal(w, 0x7F); }) != std::string_view::npos;
}

bool HoldsControlCharacter(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) < 0x20) return true;
  return false;
}

std::string EscapeControlCharacters(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20) {
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      AppendEscaped(out, b);
    }
  }
  return out;
}

void DropLastCharacter(std::string& s) {
  if (s.empty()) return;
  std::size_t i = s.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
  s.erase(i);
}

std::vector<std::string> SplitLines(std::string_view s) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t end = s.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = s.size();
    std::size_t lineEnd = end;
    if (!last && lineEnd > start && s[lineEnd - 1] == '\r') --lineEnd;
    lines.emplace_back(s.substr(start, lineEnd - start));
    start = end + 1;
  }
  return lines;
}

std::string_view SkipUtf8Bom(std::string_view s) {
  if (s.size() >= 3 && s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
  return s;
}

}  // namespace quillory
