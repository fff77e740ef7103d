// The line splitter of the import: cutting one line of a separated file into
// items, and the white-space split of the file selection. Positions are byte
// offsets; the quotation characters and blanks are ASCII, so no cut falls
// inside a UTF-8 character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

constexpr char kDoubleQuote = '"';
constexpr char kApostrophe = '\'';

// Cuts at every character of `separators` (a set of bytes): a run of them is
// one cut and those at the ends cut nothing. Pieces are trimmed; empty ones
// are dropped. An empty set gives the trimmed text as the one piece. A
// non-ASCII separator is matched as its whole UTF-8 character, so it never
// cuts a letter that merely shares its first byte.
std::vector<std::string> TokenSplit(std::string_view text, std::string_view separators);

// The wrapping a file's blank-separated lines have earned so far: once a
// line had two double quotation marks every later piece is wrapped in them,
// once a line had two apostrophes in apostrophes (which then wins).
struct SplitState {
  bool wrapDoubleQuotes = false;
  bool wrapApostrophes = false;
};

// Cuts a line of a separated file. A separator other than one blank is read
// as a set of characters (TokenSplit). One blank cuts at quotation marks
// first and at blanks only outside them; see the cpp for the rules. Pieces
// come trimmed, non-empty, and wrapped as `state` says (state is updated by
// this line before its pieces are wrapped).
std::vector<std::string> Split(std::string_view line, std::string_view separator, SplitState& state);

// The file selection's split: the stretches between the first and second
// double quotation mark, the third and fourth, ... are kept whole (without
// the marks); the others are cut at white space. `quotePositions` are the
// byte positions of the marks, ascending. Pieces trimmed, empty ones dropped.
// A last mark without its partner keeps the rest of the line whole, as one
// typing "My Docs without closing it means. White space is any code 0 to 32.
std::vector<std::string> SplitOutsideQuotes(std::string_view line, const std::vector<std::size_t>& quotePositions);

// q before and after, every q inside doubled.
std::string WrapInQuotes(std::string_view piece, char q);
// A text that begins with q and whose closing q (the next single one, a
// doubled qq standing for one q) is its last character becomes what lies
// between. Any other text stays as it is: one that does not begin with q,
// has no closing q, or goes on after it (nothing is silently dropped).
std::string RemoveQuotationPair(std::string_view text, char q);
// The import's quotation step: one pair of double quotation marks, then one
// pair of apostrophes.
std::string AbandonQuotationMarks(std::string_view text);

}  // namespace quillory
