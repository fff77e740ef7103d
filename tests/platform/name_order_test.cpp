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

// The order as the header defines it, reached another way: each name cut
// into pieces (a run of digits, or one other byte) compared in turn. The
// comparison skips the bytes two names begin with alike; it must answer as
// this does, also where a digit run or a letter of another case straddles
// the end of the shared part.
struct Piece {
  std::string_view text;
  bool digits;
};

std::vector<Piece> Cut(std::string_view name) {
  const auto digit = [&](std::size_t k) { return k < name.size() && name[k] >= '0' && name[k] <= '9'; };
  std::vector<Piece> pieces;
  for (std::size_t start = 0; start < name.size();) {
    std::size_t end = start + 1;
    if (digit(start))
      while (digit(end)) ++end;
    pieces.push_back({name.substr(start, end - start), digit(start)});
    start = end;
  }
  return pieces;
}

int Sign(long value) { return (value > 0) - (value < 0); }

int DefinedOrder(std::string_view a, std::string_view b) {
  const std::vector<Piece> x = Cut(a), y = Cut(b);
  const auto lower = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
  const auto value = [](std::string_view run) { return run.substr(std::min(run.find_first_not_of('0'), run.size())); };
  int zeros = 0;  // the first pair of equal numbers written with unequal zeros
  for (std::size_t k = 0; k < std::min(x.size(), y.size()); ++k) {
    if (x[k].digits && y[k].digits) {
      const std::string_view p = value(x[k].text), q = value(y[k].text);
      if (p.size() != q.size()) return p.size() < q.size() ? -1 : 1;
      if (p != q) return Sign(p.compare(q));
      if (zeros == 0) zeros = Sign(static_cast<long>(x[k].text.size()) - static_cast<long>(y[k].text.size()));
    } else if (lower(x[k].text[0]) != lower(y[k].text[0])) {
      // A run of digits meets a single byte by its first digit.
      return lower(x[k].text[0]) < lower(y[k].text[0]) ? -1 : 1;
    }
  }
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return zeros != 0 ? zeros : Sign(a.compare(b));
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
      ASSERT_EQ(CompareNamesNaturally(names[x], names[y]), DefinedOrder(names[x], names[y]))
          << names[x] << " | " << names[y];
  // In byte order, its reverse or shuffled, the entries come out the same,
  // each with its own fields.
  std::vector<std::string> listed = names;
  std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  std::vector<std::string> expected = listed;
  std::sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return DefinedOrder(a, b) < 0; });
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
