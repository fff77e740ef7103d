#include "lists/line_splitter.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quillory {
namespace {

using Pieces = std::vector<std::string>;

Pieces Blank(std::string_view line, SplitState& state) { return Split(line, " ", state); }

Pieces Abandoned(const Pieces& pieces) {
  Pieces out;
  for (const auto& p : pieces) out.push_back(AbandonQuotationMarks(p));
  return out;
}

TEST(ListsLineSplitter, TokenSplitReadsTheSeparatorAsASetOfCharacters) {
  EXPECT_EQ(TokenSplit("a;;b;", ";"), (Pieces{"a", "b"}));
  EXPECT_EQ(TokenSplit(";;a ; b;;", ";"), (Pieces{"a", "b"}));
  EXPECT_EQ(TokenSplit("a,b;c,;d", ",;"), (Pieces{"a", "b", "c", "d"}));
  EXPECT_EQ(TokenSplit(" C:\\My Docs , D:\\x\t", ","), (Pieces{"C:\\My Docs", "D:\\x"}));
  EXPECT_EQ(TokenSplit(";;;", ";"), Pieces{});
  EXPECT_EQ(TokenSplit("", ","), Pieces{});
  EXPECT_EQ(TokenSplit("  x y  ", ""), Pieces{"x y"});
  EXPECT_EQ(TokenSplit("   ", ""), Pieces{});
  // A non-ASCII separator cuts only at itself, never at letters that share
  // its first byte ("\xC2\xA7" and "\xC2\xA3" both begin with C2).
  EXPECT_EQ(TokenSplit("\xC2\xA3" "5\xC2\xA7Kl\xC3\xA4ger\xC2\xA7", "\xC2\xA7"), (Pieces{"\xC2\xA3" "5", "Kl\xC3\xA4ger"}));
  EXPECT_EQ(TokenSplit("a\xC2\xA7" "b,c", ",\xC2\xA7"), (Pieces{"a", "b", "c"}));
  // Invalid bytes in the text are stepped over one at a time.
  EXPECT_EQ(TokenSplit("a\xFF\xC2" "b\xC2\xA7" "c", "\xC2\xA7"), (Pieces{"a\xFF\xC2" "b", "c"}));
}

TEST(ListsLineSplitter, BlankSeparatorKeepsQuotedNamesWhole) {
  SplitState state;
  EXPECT_EQ(Blank("C:\\a C:\\b", state), (Pieces{"C:\\a", "C:\\b"}));
  EXPECT_FALSE(state.wrapDoubleQuotes || state.wrapApostrophes);
  // One unclosed mark: the rest of the line is one name.
  EXPECT_EQ(Blank("a b \"My Docs", state), (Pieces{"a", "b", "My Docs"}));
  EXPECT_FALSE(state.wrapDoubleQuotes || state.wrapApostrophes);

  const Pieces both = Blank("\"C:\\My Docs\" \"D:\\Old Files\"", state);
  EXPECT_EQ(both, (Pieces{"\"C:\\My Docs\"", "\"D:\\Old Files\""}));
  EXPECT_TRUE(state.wrapDoubleQuotes);
  EXPECT_EQ(Abandoned(both), (Pieces{"C:\\My Docs", "D:\\Old Files"}));

  SplitState fresh;
  EXPECT_EQ(Abandoned(Blank("x \"a b\" y z", fresh)), (Pieces{"x", "a b", "y z"}));
  // The wrapping holds for the later lines of the file.
  EXPECT_EQ(Blank("C:\\a C:\\b", fresh), (Pieces{"\"C:\\a\"", "\"C:\\b\""}));
  // Other separators never cut at quotation marks.
  SplitState comma;
  EXPECT_EQ(Split("\"a b\",c", ",", comma), (Pieces{"\"a b\"", "c"}));
  EXPECT_FALSE(comma.wrapDoubleQuotes);
}

TEST(ListsLineSplitter, ApostrophesAndMixedMarks) {
  SplitState state;
  EXPECT_EQ(Blank("'My Docs' 'Old Files' x", state), (Pieces{"'My Docs'", "'Old Files'", "'x'"}));
  EXPECT_TRUE(state.wrapApostrophes);
  // Apostrophes win over double quotation marks from then on, and an
  // apostrophe inside a piece is doubled so the quotation step gives it back.
  const Pieces later = Blank("\"Bob's Docs\" y", state);
  EXPECT_TRUE(state.wrapDoubleQuotes);
  EXPECT_EQ(later, (Pieces{"'Bob''s Docs'", "'y'"}));
  EXPECT_EQ(Abandoned(later), (Pieces{"Bob's Docs", "y"}));

  // One double mark and two apostrophes: every mark cuts, in line order,
  // whichever kind was collected first.
  SplitState mixed;
  EXPECT_EQ(Abandoned(Blank("'x y' z\"w", mixed)), (Pieces{"x y", "z", "w"}));
  EXPECT_TRUE(mixed.wrapApostrophes);
  EXPECT_FALSE(mixed.wrapDoubleQuotes);
  SplitState mixed2;
  EXPECT_EQ(Abandoned(Blank("a\"b 'c d' e", mixed2)), (Pieces{"a", "b", "c d", "e"}));

  // One of each: the stretch between them stays whole, the others cut.
  SplitState one;
  EXPECT_EQ(Blank("p q 'r s\" t u", one), (Pieces{"p", "q", "r s", "t", "u"}));
  EXPECT_FALSE(one.wrapDoubleQuotes || one.wrapApostrophes);
}

TEST(ListsLineSplitter, SplitOutsideQuotes) {
  const std::string line = "a \"b  c\"\td  \"e\"";
  EXPECT_EQ(SplitOutsideQuotes(line, {2, 7, 12, 14}), (Pieces{"a", "b  c", "d", "e"}));
  // An unclosed mark keeps the rest together.
  EXPECT_EQ(SplitOutsideQuotes("x y \"My Docs", {4}), (Pieces{"x", "y", "My Docs"}));
  EXPECT_EQ(SplitOutsideQuotes("x y", {}), (Pieces{"x", "y"}));
  EXPECT_EQ(SplitOutsideQuotes("\"\" \" \"", {0, 1, 3, 5}), Pieces{});
  // Marks out of order or beyond the line cut nowhere odd.
  EXPECT_EQ(SplitOutsideQuotes(line, {12, 7, 2, 14, 99}), (Pieces{"a", "b  c", "d", "e"}));
}

TEST(ListsLineSplitter, QuotationStep) {
  EXPECT_EQ(RemoveQuotationPair("\"\"", '"'), "");
  EXPECT_EQ(RemoveQuotationPair("\"", '"'), "\"");
  EXPECT_EQ(RemoveQuotationPair("\"My Docs", '"'), "\"My Docs");
  EXPECT_EQ(RemoveQuotationPair("\"a\" tail\"", '"'), "\"a\" tail\"");
  EXPECT_EQ(RemoveQuotationPair("'Tis' Notes", '\''), "'Tis' Notes");
  EXPECT_EQ(RemoveQuotationPair("\"a\"\"b\"", '"'), "a\"b");
  EXPECT_EQ(RemoveQuotationPair("\"a\"\"", '"'), "\"a\"\"");
  EXPECT_EQ(RemoveQuotationPair("x\"a\"", '"'), "x\"a\"");
  EXPECT_EQ(RemoveQuotationPair("", '"'), "");
  EXPECT_EQ(RemoveQuotationPair("\"Kl\xC3\xA4ger \xC3\x96k\xC3\xB8\"", '"'), "Kl\xC3\xA4ger \xC3\x96k\xC3\xB8");
  EXPECT_EQ(RemoveQuotationPair("'it''s'", '\''), "it's");

  // Double marks first, then apostrophes; one pair of each at most.
  EXPECT_EQ(AbandonQuotationMarks("\"'x'\""), "x");
  EXPECT_EQ(AbandonQuotationMarks("'\"x\"'"), "\"x\"");
  EXPECT_EQ(AbandonQuotationMarks("\"\"\"x\"\"\""), "\"x\"");

  EXPECT_EQ(WrapInQuotes("a\"b", '"'), "\"a\"\"b\"");
  EXPECT_EQ(WrapInQuotes("", '\''), "''");
  for (const std::string s : {"", "\"", "\"\"", "a\"", "\"a", "Kl\xC3\xA4ger \"x\" y", "''"}) {
    EXPECT_EQ(RemoveQuotationPair(WrapInQuotes(s, '"'), '"'), s);
    EXPECT_EQ(RemoveQuotationPair(WrapInQuotes(s, '\''), '\''), s);
  }
}

}  // namespace
}  // namespace quillory
