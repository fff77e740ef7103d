// Folder listings in a person's order: names case-blind, numbers by value.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/name_order.h"

namespace quillory {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::vector<FolderEntry> entries;
  for (std::string& n : names) entries.push_back(FolderEntry{std::move(n)});
  SortByName(entries);
  std::vector<std::string> out;
  for (FolderEntry& e : entries) out.push_back(std::move(e.name));
  return out;
}

TEST(NameOrder, NumbersByValueAndLettersCaseBlind) {
  EXPECT_EQ(Sorted({"19", "13", "17", "14", "2", "100"}),
            (std::vector<std::string>{"2", "13", "14", "17", "19", "100"}));
  EXPECT_EQ(Sorted({"file10.txt", "File9.txt", "file1.txt"}),
            (std::vector<std::string>{"file1.txt", "File9.txt", "file10.txt"}));
  EXPECT_EQ(Sorted({"beta", "Alpha", "alpha2", "Gamma"}),
            (std::vector<std::string>{"Alpha", "alpha2", "beta", "Gamma"}));
  // Equal values: fewer leading zeros first; equal letters: the bytes decide.
  EXPECT_EQ(Sorted({"a007", "a7", "a07"}), (std::vector<std::string>{"a7", "a07", "a007"}));
  EXPECT_EQ(Sorted({"b", "B"}), (std::vector<std::string>{"B", "b"}));
  // A number longer than any integer type still compares by value.
  EXPECT_LT(CompareNamesNaturally("x99999999999999999999999", "x100000000000000000000000"), 0);
}

// The order is total: every permutation sorts to the same list, and the
// comparison is antisymmetric.
TEST(NameOrder, TheOrderIsTotalWhateverTheListingGave) {
  std::vector<std::string> names = {"a1b2", "A1b10", "a01b2", "a1B2", "", "9", "09", "z", "Z", "é", "e", "a1b",
                                    "a1b2c", "10", "1"};
  const std::vector<std::string> once = Sorted(names);
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::shuffle(names.begin(), names.end(), random);
    EXPECT_EQ(Sorted(names), once);
  }
  for (const std::string& a : names)
    for (const std::string& b : names) EXPECT_EQ(CompareNamesNaturally(a, b), -CompareNamesNaturally(b, a));
}

}  // namespace
}  // namespace quillory
