#include "tree/examine_sub_folders.h"

#include <gtest/gtest.h>

#include "app/controls.h"

namespace quillory {
namespace {

std::vector<std::string> Sorted(const std::vector<std::string>& items) {
  ExamineSubFolders examine(items);
  examine.ReadSortedUnique();
  const auto folders = examine.GetFolders();
  return {folders.begin(), folders.end()};
}

std::vector<std::string> TopLevel(const std::vector<std::string>& items) {
  ExamineSubFolders examine(items);
  examine.ReadTopLevelOnly();
  const auto folders = examine.GetFolders();
  return {folders.begin(), folders.end()};
}

TEST(ExamineSubFoldersTest, SortedUniqueDropsBlanksAndExactDuplicates) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Sorted({"D:\\X", "d:\\x\\y", "D:\\X\\", "D:\\XY", "D:\\X"}), (V{"D:\\X", "D:\\XY", "D:\\X\\", "d:\\x\\y"}));
  EXPECT_EQ(Sorted({"", "   ", " "}), V{});
  EXPECT_EQ(TopLevel({"", "   "}), V{});
  // Untrimmed, and only blanks count as blank.
  EXPECT_EQ(Sorted({" D:\\A ", "\t"}), (V{"\t", " D:\\A "}));
  EXPECT_EQ(Sorted({"D:\\a", "D:\\A"}), (V{"D:\\A", "D:\\a"}));
}

TEST(ExamineSubFoldersTest, TopLevelOnlyDropsFoldersInsideEarlierOnes) {
  using V = std::vector<std::string>;
  EXPECT_EQ(TopLevel({"D:\\X", "d:\\x\\y", "D:\\X\\", "D:\\XY"}), (V{"D:\\X", "D:\\XY"}));
  // By level first, then byte order; case variants keep the first.
  EXPECT_EQ(TopLevel({"D:\\B\\c\\d", "D:\\B\\C", "d:\\b", "D:\\A\\x"}), (V{"d:\\b", "D:\\A\\x"}));
  EXPECT_EQ(TopLevel({"D:\\A", "d:\\a"}), V{"D:\\A"});
  // A folder with a trailing separator covers only what follows a second one.
  EXPECT_EQ(TopLevel({"D:\\A\\", "D:\\A\\b", "D:\\A\\\\c"}), (V{"D:\\A\\", "D:\\A\\b"}));
  // Non-ASCII letters compare case-blind too.
  EXPECT_EQ(TopLevel({"D:\\\xC3\x84rzte", "D:\\\xC3\xA4rzte\\x"}), V{"D:\\\xC3\x84rzte"});
  // Drive roots.
  EXPECT_EQ(TopLevel({"D:\\", "D:\\A"}), (V{"D:\\", "D:\\A"}));
  EXPECT_EQ(TopLevel({"D:", "D:\\A"}), V{"D:"});

  ListBox list("lst");
  list.Add("D:\\P\\q");
  list.Add("D:\\P");
  ExamineSubFolders fromList(list);
  fromList.ReadTopLevelOnly();
  EXPECT_EQ(fromList.GetFolders().size(), 1u);
}

TEST(ExamineSubFoldersTest, TopLevelOnlyStaysLinear) {
  std::vector<std::string> items;
  for (int i = 0; i < 200000; ++i) items.push_back("D:\\Root " + std::to_string(i % 1000) + "\\Sub " + std::to_string(i));
  for (int i = 0; i < 1000; ++i) items.push_back("d:\\root " + std::to_string(i));
  const auto folders = TopLevel(items);
  EXPECT_EQ(folders.size(), 1000u);
}

}  // namespace
}  // namespace quillory
