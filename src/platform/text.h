// Text helpers shared by every layer. Strings hold UTF-8 bytes; case-blind
// operations use Unicode case folding and fall back to bytes for invalid UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

using AnsiString = std::string;

// Removes leading and trailing characters of codes 0 to 32.
std::string Trim(std::string_view s);
// Trim without a copy.
std::string_view TrimmedView(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Case-folded form used as the key of every case-blind comparison and index.
std::string CaseFold(std::string_view s);
// The same into `out`, reusing its storage: for loops over many names.
void CaseFoldInto(std::string_view s, std::string& out);
bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, case-blind; ties broken by bytes so sorting is stable
// and total.
int CompareText(std::string_view a, std::string_view b);

// Replaces every occurrence of `from` (non-empty) by `to`, in one pass.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
// Replaces `from` by `to` again and again until `from` no longer occurs
// (so "\\\\\\" with "\\\\"->"\\" gives "\\"). When `to` contains `from`
// the repetition could never end, so one pass is made; other non-shrinking
// replacements stop after a bounded number of passes.
std::string ReplaceRepeatedly(std::string_view s, std::string_view from, std::string_view to);

bool IsAsciiLetter(char c);
bool IsValidUtf8(std::string_view s);
// Bytes of the well-formed UTF-8 character at s[i] (i < s.size()); 1 for a
// byte that begins none, so stepping through any bytes always moves on.
std::size_t Utf8CharLength(std::string_view s, std::size_t i);
// Removes the last character, not just its last byte: a field may hold any
// letters. Nothing happens to an empty text.
void DropLastCharacter(std::string& s);
// Printable form for display: invalid bytes and control characters escaped as
// \xNN; valid UTF-8 is left as it is.
std::string EscapeForDisplay(std::string_view s);

// True when a byte of codes 0 to 31 is in the text: a line break, a carriage
// return, a tab or another control character.
bool HoldsControlCharacter(std::string_view s);
// The same, DEL included: what no folder a run makes may hold in its name,
// since it would break every line-based list, log and export.
bool HoldsControlOrDelete(std::string_view s);
// The text as a list or log shows it: escaped as EscapeForDisplay does when
// it holds a control character or DEL, else as it is.
std::string ShownWithoutControls(std::string_view s);
// The text for a message: line break, carriage return and tab as \n, \r,
// \t, the other control characters as \xNN; everything else as it is.
std::string EscapeControlCharacters(std::string_view s);

// Splits at every '\n' (a CR before it is dropped). A line end closes a
// line, so "a\nb\n" gives two lines and "" none.
std::vector<std::string> SplitLines(std::string_view s);

// The text without a leading UTF-8 byte order mark.
std::string_view SkipUtf8Bom(std::string_view s);

}  // namespace quillory
