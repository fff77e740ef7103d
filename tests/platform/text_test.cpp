#include "platform/text.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/path_text.h"

namespace quillory {
namespace {

TEST(PlatformText, TrimRemovesCodesUpTo32Only) {
  const std::string padded = std::string("\x01\t \n", 4) + "a b" + std::string("\r\x1f \0", 4);
  EXPECT_EQ(Trim(padded), "a b");
  EXPECT_EQ(TrimLeft(padded), "a b" + std::string("\r\x1f \0", 4));
  EXPECT_EQ(TrimRight(padded), std::string("\x01\t \n", 4) + "a b");
  EXPECT_EQ(Trim("\x7f" "x\xc2\xa0"), "\x7f" "x\xc2\xa0");  // DEL and no-break space stay
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(PlatformText, CaseFoldCoversUnicodeAndFallsBackForInvalidBytes) {
  EXPECT_EQ(CaseFold("ABC-xyz_09"), "abc-xyz_09");
  EXPECT_EQ(CaseFold("\xC3\x84\xC3\x96\xC3\xBC"), "\xC3\xA4\xC3\xB6\xC3\xBC");  // ÄÖü -> äöü
  EXPECT_EQ(CaseFold("Stra\xC3\x9F" "e"), "strasse");                         // ß folds to ss
  EXPECT_EQ(CaseFold("A\xCC\x88"), "\xC3\xA4");                                // composed form
  // Invalid UTF-8: only ASCII letters change, every other byte is kept.
  EXPECT_EQ(CaseFold("AB\xFF\xC3\x84"), "ab\xFF\xC3\x84");
  EXPECT_EQ(CaseFold(std::string("A\0B", 3)), std::string("a\0b", 3));

  EXPECT_TRUE(SameText("\xC3\x84\xC3\x96\xC3\xBC", "\xC3\xA4\xC3\xB6\xC3\x9C"));
  EXPECT_TRUE(SameText("Folder", "fOLDER"));
  EXPECT_FALSE(SameText("Folder", "Folders"));
  EXPECT_FALSE(SameText("a\xFF", "a\xFE"));
  EXPECT_TRUE(SameText("A\xFF", "a\xFF"));
}

TEST(PlatformText, CompareTextIsCaseBlindWithBytesBreakingTies) {
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("banana", "Apple"), 0);
  EXPECT_LT(CompareText("ab", "ABC"), 0);
  EXPECT_EQ(CompareText("same", "same"), 0);
  // Equal folded forms: decided by bytes, so upper case first and the order total.
  EXPECT_LT(CompareText("ABC", "abc"), 0);
  EXPECT_GT(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("\xC3\x84rger", "\xC3\xA4rger"), 0);
}

TEST(PlatformText, CompareTextSortsMixedListsConsistently) {
  std::vector<std::string> items = {"b", "\xC3\x84", "A", "a", "\xC3\xA4", "B", "a\xFF", "ab"};
  std::sort(items.begin(), items.end(), [](const std::string& x, const std::string& y) { return CompareText(x, y) < 0; });
  const std::vector<std::string> expected = {"A", "a", "ab", "a\xFF", "B", "b", "\xC3\x84", "\xC3\xA4"};
  EXPECT_EQ(items, expected);
  for (const auto& x : items)
    for (const auto& y : items) EXPECT_EQ(CompareText(x, y), -CompareText(y, x)) << x << " / " << y;
}

TEST(PlatformText, ReplaceAllAndRepeatedly) {
  EXPECT_EQ(ReplaceAll("a/b//c", "/", "\\"), "a\\b\\\\c");
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");  // one pass, no overlap
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("abc", "z", "x"), "abc");

  EXPECT_EQ(ReplaceRepeatedly("C:\\\\\\\\\\A\\\\B", "\\\\", "\\"), "C:\\A\\B");
  EXPECT_EQ(ReplaceRepeatedly("D:::x", "::", ":"), "D:x");
  EXPECT_EQ(ReplaceRepeatedly(std::string(1000, '\\'), "\\\\", "\\"), "\\");
  // Replacements that would never end are cut short instead of hanging.
  EXPECT_EQ(ReplaceRepeatedly("xax", "a", "aa"), "xaax");
  const std::string grown = ReplaceRepeatedly("aab", "ab", "bbaa");
  EXPECT_LE(grown.size(), 2 * 3 + 4 + 4u);
}

TEST(PlatformText, Utf8ValidationAndDisplayEscaping) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short

  EXPECT_EQ(EscapeForDisplay("D:\\Caf\xC3\xA9"), "D:\\Caf\xC3\xA9");
  EXPECT_EQ(EscapeForDisplay("a\nb\tc"), "a\\x0Ab\\x09c");
  EXPECT_EQ(EscapeForDisplay("x\xFFy\xE2\x82"), "x\\xFFy\\xE2\\x82");
  EXPECT_EQ(EscapeForDisplay("\xC2\x85"), "\\xC2\\x85");  // C1 next-line control

  EXPECT_EQ(Utf8CharLength("\xE2\x82\xAC!", 0), 3u);
  EXPECT_EQ(Utf8CharLength("\xE2\x82!", 0), 1u);
  EXPECT_TRUE(IsAsciiLetter('q') && IsAsciiLetter('Q'));
  EXPECT_FALSE(IsAsciiLetter('1') || IsAsciiLetter('\xC3'));
}

TEST(PlatformText, ControlCharactersAreFoundAndEscapedForMessages) {
  EXPECT_FALSE(HoldsControlCharacter("D:\\a b\x7F\xC3\xA9"));
  EXPECT_TRUE(HoldsControlCharacter("a\nb"));
  EXPECT_TRUE(HoldsControlCharacter(std::string("\0", 1)));
  EXPECT_TRUE(HoldsControlCharacter("\x1F"));
  EXPECT_EQ(EscapeControlCharacters("D:\\a\nb\r\tc"), "D:\\a\\nb\\r\\tc");
  EXPECT_EQ(EscapeControlCharacters(std::string("\0\x01\x1F \xC3\xA9\xFF", 7)), "\\x00\\x01\\x1F \xC3\xA9\xFF");
}

// The scans that look at eight bytes at once must find what a loop over
// every byte finds: at every length, from every start, wherever the byte
// stands (in a whole block, in the last overlapping one, before it).
TEST(PlatformText, ScansOfEightBytesAtOnceFindWhatALoopFinds) {
  const std::string specials = std::string("\\/\0\x01\x1F\x20\x7E\x7F\x80\xFF%a", 12);
  const auto plainFirst = [](std::string_view t, std::size_t from) {
    for (std::size_t i = from; i < t.size(); ++i)
      if (IsSeparator(t[i])) return i;
    return std::string_view::npos;
  };
  const auto plainLast = [](std::string_view t) {
    for (std::size_t i = t.size(); i-- > 0;)
      if (IsSeparator(t[i])) return i;
    return std::string_view::npos;
  };
  const auto plainControl = [](std::string_view t) {
    return std::any_of(t.begin(), t.end(), [](char c) {
      const auto u = static_cast<unsigned char>(c);
      return u < 0x20 || u == 0x7F;
    });
  };
  for (std::size_t length = 0; length <= 26; ++length) {
    ASSERT_EQ(SeparatorCount(std::string(length, '\\')), length);
    for (std::size_t at = 0; at <= length; ++at) {
      for (const char special : specials) {
        std::string text(length, 'x');
        if (at < length) text[at] = special;
        // A second one further on, so the first found is the one asked for.
        if (at + 9 < length) text[at + 9] = '/';
        for (std::size_t from = 0; from <= length + 1; ++from)
          ASSERT_EQ(FirstSeparator(text, from), plainFirst(text, from)) << length << " " << at << " " << from;
        ASSERT_EQ(LastSeparator(text), plainLast(text)) << length << " " << at;
        ASSERT_EQ(SeparatorCount(text), static_cast<std::size_t>(std::count_if(text.begin(), text.end(), IsSeparator)))
            << length << " " << at;
        ASSERT_EQ(HoldsControlOrDelete(text), plainControl(text)) << length << " " << at;
      }
    }
  }
}

TEST(PlatformText, SplitLinesKeepsEmptyLinesAndDropsCrBeforeLf) {
  EXPECT_EQ(SplitLines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(SplitLines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitLines("a\rb\r"), (std::vector<std::string>{"a\rb\r"}));  // lone CR belongs to the line
  EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SkipUtf8Bom("\xEF\xBB\xBFitem"), "item");
  EXPECT_EQ(SkipUtf8Bom("item"), "item");
}

TEST(PlatformText, DropLastCharacterTakesAWholeCharacter) {
  std::string s = "a\xC3\xA9";
  DropLastCharacter(s);
  EXPECT_EQ(s, "a");
  DropLastCharacter(s);
  DropLastCharacter(s);
  EXPECT_EQ(s, "");
}

}  // namespace
}  // namespace quillory
