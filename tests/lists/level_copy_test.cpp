#include "lists/level_copy.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "support/fault_file_system.h"
#include "support/temp_drive.h"
#include "tree/examine_sub_folders.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class LevelCopyTest : public TempDriveTest {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    MakeDir("D:\\R\\a\\b\\c");
    MakeDir("D:\\R\\x");
    MakeFile("D:\\R\\a\\file.txt", "data");  // files never count as subfolders
  }

  Paths Run(int selection, std::uint32_t a, std::uint32_t b, int kind, const std::string& filter = "",
            const std::string& root = "D:\\R", FileSystem& fs = HostFileSystem()) {
    LevelCopy copy({root}, fs);
    if (selection == LevelCopy::FromTo) copy.SetFromTo(a, b);
    if (selection == LevelCopy::Above) copy.SetAbove(a);
    if (selection == LevelCopy::Below) copy.SetBelow(a);
    copy.SetListKind(kind);
    copy.SetFilter(filter);
    copy.Run();
    return copy.Results();
  }

  // Breadth first: levels never go down; within a level the host's order.
  static void ExpectBreadthFirst(const Paths& found, Paths expected) {
    for (std::size_t i = 1; i < found.size(); ++i)
      EXPECT_LE(PathLevel(found[i - 1]), PathLevel(found[i])) << found[i];
    Paths sorted = found;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
  }
};

constexpr int kLast = LevelCopy::OnlyTheLast;
constexpr int kAll = LevelCopy::AllInThePath;

TEST_F(LevelCopyTest, FromToListsTheRangeOrTheDeepestOfEachBranch) {
  ExpectBreadthFirst(Run(LevelCopy::FromTo, 1, 2, kAll), {"D:\\R\\a", "D:\\R\\x", "D:\\R\\a\\b"});
  // A leaf ending its branch early, then the folder at the upper bound.
  EXPECT_EQ(Run(LevelCopy::FromTo, 1, 2, kLast), (Paths{"D:\\R\\x", "D:\\R\\a\\b"}));
  EXPECT_EQ(Run(LevelCopy::FromTo, 2, 3, kAll), (Paths{"D:\\R\\a\\b", "D:\\R\\a\\b\\c"}));
  EXPECT_EQ(Run(LevelCopy::FromTo, 3, 3, kLast), (Paths{"D:\\R\\a\\b\\c"}));
  EXPECT_TRUE(Run(LevelCopy::FromTo, 2, 1, kAll).empty());
  EXPECT_TRUE(Run(LevelCopy::FromTo, 5, 9, kAll).empty());
}

TEST_F(LevelCopyTest, AboveAndBelow) {
  ExpectBreadthFirst(Run(LevelCopy::Above, 1, 0, kLast), {"D:\\R\\a", "D:\\R\\x"});
  ExpectBreadthFirst(Run(LevelCopy::Above, 2, 0, kLast), {"D:\\R\\x", "D:\\R\\a\\b"});
  ExpectBreadthFirst(Run(LevelCopy::Above, 2, 0, kAll), {"D:\\R\\a", "D:\\R\\x", "D:\\R\\a\\b"});
  EXPECT_EQ(Run(LevelCopy::Below, 2, 0, kLast), (Paths{"D:\\R\\a\\b\\c"}));
  EXPECT_EQ(Run(LevelCopy::Below, 2, 0, kAll), (Paths{"D:\\R\\a\\b", "D:\\R\\a\\b\\c"}));
  ExpectBreadthFirst(Run(LevelCopy::Below, 1, 0, kLast), {"D:\\R\\x", "D:\\R\\a\\b\\c"});
  // Without a selection nothing is chosen.
  EXPECT_TRUE(Run(LevelCopy::None, 0, 0, kAll).empty());
}

TEST_F(LevelCopyTest, FilterTestsOnlyTheFolderOwnName) {
  EXPECT_EQ(Run(LevelCopy::FromTo, 1, 3, kAll, "B"), (Paths{"D:\\R\\a\\b"}));
  EXPECT_EQ(Run(LevelCopy::FromTo, 1, 3, kAll, "b\\"), (Paths{"D:\\R\\a\\b"}));
  // The filter never limits the descent.
  EXPECT_EQ(Run(LevelCopy::Below, 1, 0, kAll, "c"), (Paths{"D:\\R\\a\\b\\c"}));
  LevelCopy copy({"D:\\R"}, HostFileSystem());
  copy.SetFilter("AbC//");
  EXPECT_EQ(copy.Filter(), "abc");
  EXPECT_FALSE(copy.PassesFilter("D:\\abc\\x"));
  EXPECT_TRUE(copy.PassesFilter("  D:\\x/xABCx  "));
}

TEST_F(LevelCopyTest, RootEndingInSeparatorGivesDoubledJoin) {
  const Paths found = Run(LevelCopy::FromTo, 1, 2, kAll, "", "D:\\");
  ExpectBreadthFirst(found, {"D:\\\\R", "D:\\\\R\\a", "D:\\\\R\\x"});
  LevelCopy two({"D:\\R\\a", "D:\\R"}, HostFileSystem());
  two.SetFromTo(1, 1);
  two.SetListKind(kAll);
  two.Run();
  ASSERT_EQ(two.Results().size(), 3u);
  EXPECT_EQ(two.Results()[0], "D:\\R\\a\\b");  // roots in order
}

TEST_F(LevelCopyTest, SymlinkLoopIsNeverFollowed) {
  ASSERT_EQ(::symlink(Host("D:\\R").c_str(), Host("D:\\R\\a\\b\\loop").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\R\\x").c_str(), Host("D:\\R\\a\\b\\c\\tox").c_str()), 0);
  ExpectBreadthFirst(Run(LevelCopy::Below, 1, 0, kAll), {"D:\\R\\a", "D:\\R\\x", "D:\\R\\a\\b", "D:\\R\\a\\b\\c"});
  // A link is no subfolder: c stays a leaf.
  ExpectBreadthFirst(Run(LevelCopy::Below, 1, 0, kLast), {"D:\\R\\x", "D:\\R\\a\\b\\c"});
}

TEST_F(LevelCopyTest, UnreadableFoldersAreLeftOutAndTheWalkGoesOn) {
  MakeDir("D:\\R\\x\\y");
  FaultFileSystem fs;
  fs.FailOn(FsOp::OpenSubfolder, "D:\\R\\a\\b", FsError::AccessDenied);
  // b cannot be entered: not listed, and a counts as a leaf.
  ExpectBreadthFirst(Run(LevelCopy::Below, 1, 0, kAll, "", "D:\\R", fs), {"D:\\R\\a", "D:\\R\\x", "D:\\R\\x\\y"});
  ExpectBreadthFirst(Run(LevelCopy::FromTo, 1, 2, kLast, "", "D:\\R", fs), {"D:\\R\\a", "D:\\R\\x\\y"});
  EXPECT_EQ(fs.OpenFolders(), 0);
  // A missing root lists nothing.
  EXPECT_TRUE(Run(LevelCopy::Below, 1, 0, kAll, "", "D:\\Missing").empty());
}

TEST_F(LevelCopyTest, EachFolderIsListedOnceAndFewAreOpenAtATime) {
  for (const char* p : {"D:\\R\\a\\b\\c\\d", "D:\\R\\a\\b2\\c", "D:\\R\\x\\y\\z"}) MakeDir(p);
  FaultFileSystem fs;
  std::map<std::string, int> reads;
  fs.onCall = [&](FsOp op, std::string_view path) {
    if (op == FsOp::ReadFolder) ++reads[std::string(path)];
  };
  const Paths found = Run(LevelCopy::Below, 1, 0, kLast, "", "D:\\R", fs);
  ExpectBreadthFirst(found, {"D:\\R\\a\\b2\\c", "D:\\R\\x\\y\\z", "D:\\R\\a\\b\\c\\d"});
  for (const auto& [path, times] : reads) EXPECT_EQ(times, 1) << path;
  EXPECT_LE(fs.MostOpenFolders(), 4);
}

}  // namespace
}  // namespace quillory
