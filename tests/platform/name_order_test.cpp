// Folder listings in a person's order: names case-blind, numbers by value.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
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


// The comparison skips the bytes two names begin with alike; it must give
// what a walk from the first byte gives, also where a digit run or a letter
// of another case straddles the end of the shared part.
int PlainCompare(std::string_view a, std::string_view b) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  std::size_t i = 0, j = 0;
  int zeros = 0;
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      std::size_t ai = i, bj = j;
      while (ai < a.size() && a[ai] == '0') ++ai;
      while (bj < b.size() && b[bj] == '0') ++bj;
      std::size_t ae = ai, be = bj;
      while (ae < a.size() && digit(a[ae])) ++ae;
      while (be < b.size() && digit(b[be])) ++be;
      int r = ae - ai != be - bj ? (ae - ai < be - bj ? -1 : 1) : a.substr(ai, ae - ai).compare(b.substr(bj, be - bj));
      if (r == 0 && zeros == 0) zeros = (ai - i) < (bj - j) ? -1 : (ai - i) > (bj - j) ? 1 : 0;
      if (r != 0) return r < 0 ? -1 : 1;
      i = ae;
      j = be;
      continue;
    }
    if (fold(a[i]) != fold(b[j])) return static_cast<unsigned char>(fold(a[i])) < static_cast<unsigned char>(fold(b[j])) ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  if (zeros != 0) return zeros;
  const int r = a.compare(b);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

TEST(NameOrder, SkippingTheSharedStartChangesNoAnswer) {
  std::mt19937 random(11);
  const std::string alphabet = "0019aAbB .-";
  std::vector<std::string> names;
  for (int n = 0; n < 400; ++n) {
    // A long shared start, so the difference falls in every byte of a word.
    std::string name = n % 2 ? "Photo 2026-12-" : "photo 2026-12-";
    const std::size_t tail = random() % 12;
    for (std::size_t k = 0; k < tail; ++k) name += alphabet[random() % alphabet.size()];
    names.push_back(name);
  }
  for (std::size_t x = 0; x < names.size(); ++x)
    for (std::size_t y = x; y < names.size(); y += 7)
      ASSERT_EQ(CompareNamesNaturally(names[x], names[y]), PlainCompare(names[x], names[y]))
          << names[x] << " | " << names[y];
  // In byte order, its reverse or shuffled, the entries come out the same,
  // each with its own fields.
  std::vector<std::string> listed = names;
  std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  std::vector<std::string> expected = listed;
  std::sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return PlainCompare(a, b) < 0; });
  for (int round = 0; round < 3; ++round) {
    if (round == 1) std::reverse(listed.begin(), listed.end());
    if (round == 2) std::shuffle(listed.begin(), listed.end(), random);
    std::vector<FolderEntry> entries;
    for (const std::string& n : listed) entries.push_back(FolderEntry{n, false, false, false, false, n.size()});
    SortByName(entries);
    std::vector<std::string> got;
    for (const FolderEntry& e : entries) {
      EXPECT_EQ(e.size, e.name.size()) << e.name;
      got.push_back(e.name);
    }
    EXPECT_EQ(got, expected) << "round " << round;
  }
  // Listed in the order itself, or backwards, as tmpfs lists what was made in it.
  for (const bool backwards : {false, true}) {
    std::vector<FolderEntry> entries;
    for (const std::string& n : expected) entries.push_back(FolderEntry{n});
    if (backwards) std::reverse(entries.begin(), entries.end());
    SortByName(entries);
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(entries[k].name, expected[k]) << backwards;
  }
}

}  // namespace
}  // namespace quillory
