#include "platform/case_blind_index.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "platform/text.h"

namespace quillory {
namespace {

TEST(CaseBlindIndex, KeysIgnoreLetterCaseAcrossScriptsAndWordBoundaries) {
  EXPECT_EQ(FoldKeyOf("D:\\Clients\\ACME Holdings"), FoldKeyOf("d:\\clients\\acme holdings"));
  EXPECT_EQ(FoldKeyOf("\xC3\x84RGER"), FoldKeyOf("\xC3\xA4rger"));  // Ärger / ärger
  EXPECT_EQ(FoldKeyOf("Stra\xC3\x9F" "e"), FoldKeyOfFolded(CaseFold("STRASSE")));
  // Not letters: '@' and '[' sit next to the capitals and must stay apart
  // from '`' and '{' beside the small letters.
  EXPECT_FALSE(FoldKeyOf("@[\\]^") == FoldKeyOf("`{|}~"));
  EXPECT_FALSE(FoldKeyOf("abcdefgh") == FoldKeyOf("abcdefgi"));
  EXPECT_FALSE(FoldKeyOf("") == FoldKeyOf(std::string(1, '\0')));
  EXPECT_FALSE(FoldKeyOf("a") == FoldKeyOf("a "));
  // Invalid UTF-8 still has a key of its own.
  EXPECT_FALSE(FoldKeyOf("\xFF") == FoldKeyOf("\xFE"));
}

// Random adds and removes against a plain map of folded names: counts, and
// the probe runs after many backward shifts, must stay right.
TEST(CaseBlindIndex, CountsFollowAddsAndRemovesLikeAMultiset) {
  std::mt19937 random(7);
  std::map<std::string, int> truth;
  CaseBlindIndex index;
  for (int step = 0; step < 200000; ++step) {
    std::string name = "N" + std::to_string(random() % 5000);
    if (random() % 2) name = "n" + name.substr(1);
    const FoldKey key = FoldKeyOf(name);
    switch (random() % 3) {
      case 0:
        index.Add(key);
        ++truth[CaseFold(name)];
        break;
      case 1:
        if (index.Insert(key)) {
          ASSERT_EQ(truth[CaseFold(name)], 0);
          truth[CaseFold(name)] = 1;
        } else {
          ASSERT_GT(truth[CaseFold(name)], 0);
        }
        break;
      default:
        index.Remove(key);
        if (truth[CaseFold(name)] > 0) --truth[CaseFold(name)];
    }
  }
  std::size_t distinct = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string name = "n" + std::to_string(i);
    const int want = truth.count(name) ? truth[name] : 0;
    ASSERT_EQ(index.Count(FoldKeyOf(name)), static_cast<std::size_t>(want)) << name;
    if (want) ++distinct;
  }
  EXPECT_EQ(index.Distinct(), distinct);
  index.Clear();
  EXPECT_FALSE(index.Contains("n1"));
  EXPECT_TRUE(index.Empty());
}

}  // namespace
}  // namespace quillory
