// Lists that share their texts' bytes: what each list shows must stay its
// own whatever the others do, and the bytes must live as long as any list
// holds them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/large_blocks.h"

#include "platform/made_folder_list.h"
#include "platform/text_list.h"

namespace quillory {
namespace {

using Texts = std::vector<std::string>;

TEST(TextListTest, KeepsEveryTextExactlyWhateverItsLengthOrBytes) {
  const std::string longer(200000, 'x');  // more than a chunk
  const std::string withNul("a\0b", 3);
  TextList list;
  list.push_back("");
  list.push_back(longer);
  list.push_back(withNul);
  list.push_back("D:\\Dest\\Folder 0000001");
  list.insert(1, "first");
  EXPECT_EQ(list, (Texts{"", "first", longer, withNul, "D:\\Dest\\Folder 0000001"}));
  EXPECT_EQ(list[3].size(), 3u);
  // The bytes end with a terminator, as host calls need them.
  EXPECT_EQ(list[4].data()[list[4].size()], '\0');
  list.erase(0);
  EXPECT_EQ(list.front(), "first");
  EXPECT_EQ(list.back(), "D:\\Dest\\Folder 0000001");
}

TEST(TextListTest, TextsPastTheSmallChunksAndLongerThanALargeOneAreKept) {
  // Three megabytes in texts of every short length, then one longer than
  // a large chunk between them: each lands where it fits and none moves.
  TextList list;
  std::vector<std::string_view> seen;
  const std::string huge(3u << 20, 'h');
  for (std::size_t i = 0; i < 150000; ++i) {
    list.push_back(std::string(i % 37, static_cast<char>('a' + i % 26)) + std::to_string(i));
    if (i == 70000) list.push_back(huge);
  }
  for (std::string_view text : list) seen.push_back(text);
  ASSERT_EQ(list.size(), 150001u);
  EXPECT_EQ(list[70001], huge);
  EXPECT_EQ(list[70002], std::string(70001 % 37, static_cast<char>('a' + 70001 % 26)) + "70001");
  EXPECT_EQ(list.back(), std::string(149999 % 37, static_cast<char>('a' + 149999 % 26)) + "149999");
  list.push_back("after");
  for (std::size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(list[i].data(), seen[i].data()) << i;
  EXPECT_EQ(list.back(), "after");
}

// The flags the system keeps for the mapping that holds `at`.
std::string MappingFlags(const void* at) {
  std::ifstream maps("/proc/self/smaps");
  const auto address = reinterpret_cast<std::uintptr_t>(at);
  bool inside = false;
  for (std::string line; std::getline(maps, line);) {
    std::uintptr_t from = 0, to = 0;
    char dash = 0;
    std::istringstream head(line);
    if (head >> std::hex >> from >> dash >> to && dash == '-' && line.find(' ') > line.find('-'))
      inside = from <= address && address < to;
    else if (inside && line.rfind("VmFlags:", 0) == 0)
      return line;
  }
  return {};
}

TEST(LargeBlocksTest, ALongArrayGrowsIntoLargePagesAndKeepsItsItems) {
  LargeVector<std::uint64_t> numbers;
  for (std::uint64_t i = 0; i < 1000000; ++i) numbers.push_back(i * 7);
  for (std::uint64_t i = 0; i < numbers.size(); ++i) ASSERT_EQ(numbers[i], i * 7) << i;
  // On a large page's boundary, and asked for large pages.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(numbers.data()) % (2u << 20), 0u);
  const std::string flags = MappingFlags(numbers.data());
  ASSERT_FALSE(flags.empty());
  if (std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled")) {
    EXPECT_NE(flags.find(" hg"), std::string::npos) << flags;
  }
  // A short one stays on the heap, where the window's many lists are.
  LargeVector<char> few(100, 'x');
  EXPECT_EQ(MappingFlags(few.data()).find(" hg"), std::string::npos);
  numbers.clear();
  numbers.shrink_to_fit();
  EXPECT_EQ(numbers.capacity(), 0u);
}

// Grown in blocks of their own, an array fills each large page it was
// given before it moves: 100,000 entries take one block, not the three a
// doubling from 256 KiB would map. Short arrays grow as vectors do.
TEST(LargeBlocksTest, AGrowingArrayFillsItsLargePagesBeforeItMoves) {
  LargeVector<std::uint64_t> entries;
  std::vector<std::size_t> capacities;
  for (std::uint64_t i = 0; i < 600000; ++i) {
    MakeRoom(entries);
    entries.push_back(i);
    if (capacities.empty() || capacities.back() != entries.capacity()) capacities.push_back(entries.capacity());
  }
  for (std::uint64_t i = 0; i < entries.size(); ++i) ASSERT_EQ(entries[i], i) << i;
  const std::size_t perPage = kLargePageBytes / sizeof(std::uint64_t);
  std::size_t large = 0;
  for (std::size_t i = 0; i < capacities.size(); ++i) {
    const std::size_t bytes = capacities[i] * sizeof(std::uint64_t);
    if (bytes < kLargeBlockBytes) {
      EXPECT_TRUE(i == 0 || capacities[i] == 2 * capacities[i - 1]) << capacities[i];
      continue;
    }
    ++large;
    EXPECT_EQ(capacities[i] % perPage, 0u) << capacities[i];
  }
  // One page (262,144 entries), two, then four: three blocks for 600,000.
  EXPECT_EQ(large, 3u);
  EXPECT_EQ(entries.capacity(), 4 * perPage);

  // Room for many at once, and an array that already has room, unchanged.
  LargeVector<std::uint64_t> batch;
  MakeRoom(batch, 100000);
  EXPECT_EQ(batch.capacity(), perPage);
  MakeRoom(batch, perPage);
  EXPECT_EQ(batch.capacity(), perPage);
  LargeVector<char> few;
  MakeRoom(few, 10);
  EXPECT_EQ(few.capacity(), 10u);
}

TEST(TextListTest, ReorderingAndRemovingKeepTheTextsWithTheirPlaces) {
  TextList list(Texts{"c", "a", "b", "d"});
  list.Reorder({1, 2, 0, 3});
  EXPECT_EQ(list, (Texts{"a", "b", "c", "d"}));
  list.Reorder({3, 0});  // a removal of rows is a reorder that leaves them out
  EXPECT_EQ(list, (Texts{"d", "a"}));
}

TEST(TextListTest, ACopyAndAShareStayAsTheyWereWhenTheOriginalChanges) {
  auto arena = std::make_shared<TextArena>();
  TextList twin;
  {
    TextList log;
    for (int i = 0; i < 1000; ++i) {
      const SharedText path = ShareText(arena, "D:\\Dest\\" + std::to_string(i));
      log.push_back(path);
      twin.push_back(path);
    }
    arena.reset();
    // The twin shows the very bytes the log shows, not a copy of them.
    EXPECT_EQ(twin[999].data(), log[999].data());
    TextList copy = log;
    copy.push_back("only in the copy");
    log.push_back("only in the log");
    EXPECT_EQ(copy.back(), "only in the copy");
    EXPECT_EQ(log.back(), "only in the log");
    EXPECT_EQ(copy[0], log[0]);
    log.clear();
    EXPECT_EQ(copy.size(), 1001u);
  }
  // The log and the arena's first owner are gone; the twin's bytes are not.
  EXPECT_EQ(twin[0], "D:\\Dest\\0");
  EXPECT_EQ(twin[999], "D:\\Dest\\999");
}

TEST(TextListTest, BytesNoEntryReachesGoAfterManyRemovals) {
  TextList list;
  const std::string text(100, 'p');
  for (int i = 0; i < 20000; ++i) list.push_back(text + std::to_string(i));
  const std::size_t full = list.HeldBytes();
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < list.size(); i += 100) kept.push_back(i);
  list.Reorder(kept);
  EXPECT_LT(list.HeldBytes(), full / 10);
  ASSERT_EQ(list.size(), 200u);
  EXPECT_EQ(list[1], text + "100");
  EXPECT_EQ(list[199], text + "19900");
  list.push_back("after");
  EXPECT_EQ(list.back(), "after");
}

TEST(MadeFolderListTest, GivesBackEveryFolderWithItsIdentityAndWhereTheAimedPartEnds) {
  const MadeFolders folders{{"D:\\A", {1, 2, 3, 4}, 2}, {"D:\\A\\B", {1, 5, 0, 0}, 4}};
  MadeFolderList list(folders);
  EXPECT_EQ(list, folders);
  EXPECT_EQ(list.back().identity.inode, 5u);
  EXPECT_EQ(list.front().within, 2u);
  auto arena = std::make_shared<TextArena>();
  list.push_back(ShareText(arena, "D:\\C"), FolderIdentity{7, 8, 9, 10}, 2);
  const MadeFolders taken = list.Take();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[2].path, "D:\\C");
  EXPECT_EQ(taken[2].identity, (FolderIdentity{7, 8, 9, 10}));
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace quillory
