#include "lists/line_splitter.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace quillory {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimView(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && IsBlankOrControl(s[b])) ++b;
  while (e > b && IsBlankOrControl(s[e - 1])) --e;
  return s.substr(b, e - b);
}

void AddPiece(std::vector<std::string>& pieces, std::string_view piece) {
  piece = TrimView(piece);
  if (!piece.empty()) pieces.emplace_back(piece);
}

// Cuts `text` wherever `isCut(c)` holds for a single byte.
template <typename IsCut>
void CutAtBytes(std::vector<std::string>& pieces, std::string_view text, IsCut isCut) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isCut(text[i])) {
      AddPiece(pieces, text.substr(start, i - start));
      start = i + 1;
    }
  }
  AddPiece(pieces, text.substr(start));
}

// Every stretch between two neighbouring positions (and before the first,
// after the last) is one piece; the marks themselves belong to none.
void CutAtPositions(std::vector<std::string>& pieces, std::string_view line, const std::vector<std::size_t>& positions) {
  std::size_t start = 0;
  for (std::size_t p : positions) {
    AddPiece(pieces, line.substr(start, p - start));
    start = p + 1;
  }
  AddPiece(pieces, line.substr(start));
}

}  // namespace

std::vector<std::string> TokenSplit(std::string_view text, std::string_view separators) {
  std::vector<std::string> pieces;
  if (separators.empty()) {
    AddPiece(pieces, text);
    return pieces;
  }
  // ASCII bytes never occur inside a UTF-8 sequence, so they may be matched
  // byte by byte; a non-ASCII separator must be matched as the whole
  // character, or it would cut other letters sharing its lead byte apart.
  std::array<bool, 256> single{};
  std::vector<std::string_view> wide;
  for (std::size_t i = 0; i < separators.size();) {
    const std::size_t n = Utf8CharLength(separators, i);
    if (n == 1)
      single[static_cast<unsigned char>(separators[i])] = true;
    else
      wide.push_back(separators.substr(i, n));
    i += n;
  }
  if (wide.empty()) {
    CutAtBytes(pieces, text, [&](char c) { return single[static_cast<unsigned char>(c)]; });
    return pieces;
  }
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = Utf8CharLength(text, i);
    const bool cut = n == 1 ? single[static_cast<unsigned char>(text[i])]
                            : std::find(wide.begin(), wide.end(), text.substr(i, n)) != wide.end();
    if (cut) {
      AddPiece(pieces, text.substr(start, i - start));
      start = i + n;
    }
    i += n;
  }
  AddPiece(pieces, text.substr(start));
  return pieces;
}

// One blank as the separator means "words, but quoted names stay whole":
// - two or more double quotation marks: cut at those marks only;
// - else two or more apostrophes: cut at every mark of both kinds;
// - else (at most one of each) the stretch before the first mark and every
//   second one after it are cut at blanks, the ones between are kept whole,
//   so a single unclosed mark keeps the rest of the line together.
// The first two cases make every later line of the file wrapped as well.
std::vector<std::string> Split(std::string_view line, std::string_view separator, SplitState& state) {
  std::vector<std::string> pieces;
  if (separator != " ") {
    pieces = TokenSplit(line, separator);
  } else {
    std::vector<std::size_t> marks;
    for (std::size_t i = 0; i < line.size(); ++i)
      if (line[i] == kDoubleQuote) marks.push_back(i);
    if (marks.size() >= 2) {
      CutAtPositions(pieces, line, marks);
      state.wrapDoubleQuotes = true;
    } else {
      std::size_t apostrophes = 0;
      for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == kApostrophe) {
          marks.push_back(i);
          ++apostrophes;
        }
      }
      // The double mark was collected first; cutting needs them in order.
      std::sort(marks.begin(), marks.end());
      if (apostrophes >= 2) {
        CutAtPositions(pieces, line, marks);
        state.wrapApostrophes = true;
      } else {
        std::size_t start = 0;
        for (std::size_t k = 0; k <= marks.size(); ++k) {
          const std::size_t end = k < marks.size() ? marks[k] : line.size();
          const std::string_view stretch = line.substr(start, end - start);
          if (k % 2 == 0)
            CutAtBytes(pieces, stretch, [](char c) { return c == ' '; });
          else
            AddPiece(pieces, stretch);
          start = end + 1;
        }
      }
    }
  }
  if (state.wrapApostrophes || state.wrapDoubleQuotes) {
    const char q = state.wrapApostrophes ? kApostrophe : kDoubleQuote;
    for (std::string& piece : pieces) piece = WrapInQuotes(piece, q);
  }
  return pieces;
}

std::vector<std::string> SplitOutsideQuotes(std::string_view line, const std::vector<std::size_t>& quotePositions) {
  // Callers pass the marks they found; out-of-range or unordered ones must
  // not cut at random places.
  std::vector<std::size_t> marks;
  marks.reserve(quotePositions.size());
  for (std::size_t p : quotePositions)
    if (p < line.size()) marks.push_back(p);
  std::sort(marks.begin(), marks.end());
  marks.erase(std::unique(marks.begin(), marks.end()), marks.end());

  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t k = 0; k <= marks.size(); ++k) {
    const std::size_t end = k < marks.size() ? marks[k] : line.size();
    const std::string_view stretch = line.substr(start, end - start);
    if (k % 2 == 0)
      CutAtBytes(pieces, stretch, IsBlankOrControl);
    else
      AddPiece(pieces, stretch);
    start = end + 1;
  }
  return pieces;
}

std::string WrapInQuotes(std::string_view piece, char q) {
  std::string out;
  out.reserve(piece.size() + 2);
  out += q;
  for (char c : piece) {
    if (c == q) out += q;
    out += c;
  }
  out += q;
  return out;
}

std::string RemoveQuotationPair(std::string_view text, char q) {
  if (text.empty() || text.front() != q) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] != q) {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == q) {
      out += q;
      ++i;
    } else {
      // Text after the closing mark would be lost without a word; a name
      // such as 'Tis' Notes is kept whole instead.
      if (i + 1 != text.size()) break;
      return out;
    }
  }
  return std::string(text);
}

std::string AbandonQuotationMarks(std::string_view text) {
  return RemoveQuotationPair(RemoveQuotationPair(text, kDoubleQuote), kApostrophe);
}

}  // namespace quillory
