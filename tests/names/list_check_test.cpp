#include "names/list_check.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using Lines = std::vector<std::string>;

TEST(NamesListCheck, CleanListsHaveNoFault) {
  for (ListMode mode : {ListMode::Strings, ListMode::Folders}) {
    const ListCheckResult empty = CheckList({}, mode);
    EXPECT_FALSE(empty.fault);
    EXPECT_EQ(empty.message, "");
  }
  const ListCheckResult strings = CheckList({"a", "Sub\\Deep", "x/y", "[b];!"}, ListMode::Strings);
  EXPECT_FALSE(strings.fault);
  EXPECT_EQ(strings.message, "");
  const ListCheckResult folders = CheckList({"D:\\a", "c:/x//y", "\\\\srv\\share\\z", "E:\\[b];!"}, ListMode::Folders);
  EXPECT_FALSE(folders.fault);
  EXPECT_EQ(folders.message, "");
}

TEST(NamesListCheck, FoldersDriveSectionCountsBlankAndIndentedLines) {
  const ListCheckResult one = CheckList({"D:\\A", "abc"}, ListMode::Folders);
  EXPECT_TRUE(one.fault);
  EXPECT_EQ(one.message,
            "You can only enter full paths with drive letters.\n"
            "Error Type: There are no drive letters in paths (1 )\nabc\n\n\n");

  const ListCheckResult three = CheckList({"", "  D:\\x", "D:\\ok", "a//b"}, ListMode::Folders);
  EXPECT_EQ(three.message,
            "You can only enter full paths with drive letters.\n"
            "Error Type: There are no drive letters in paths (3 )\n\n  D:\\x\na\\b\n\n\n");

  const ListCheckResult five = CheckList({"a", "b", "D:\\ok", "c", "d", "e"}, ListMode::Folders);
  EXPECT_EQ(five.message,
            "You can only enter full paths with drive letters.\n"
            "Error Type: There are no drive letters in paths (5 )\na\nb\nc\n\n2  more left\n\n");
}

TEST(NamesListCheck, SmartImportWordsTheDriveSectionItsOwnWay) {
  const Lines five = {"a", "b", "c", "d", "e"};
  EXPECT_EQ(CheckList(five, ListMode::Folders, DriveSectionVariant::SmartImport).message,
            "You can only enter full paths with drive letters.\n"
            "There are no drive letters in paths (total: 5 )\na\nb\nc\n\n2  more left\n\n\n");
  EXPECT_EQ(CheckList({"a"}, ListMode::Folders, DriveSectionVariant::SmartImport).message,
            "You can only enter full paths with drive letters.\n"
            "There are no drive letters in paths (total: 1 )\na\n\n\n");

  const ListCheckResult strings =
      CheckList({"x", "\\\\srv\\share\\y"}, ListMode::Strings, DriveSectionVariant::SmartImport);
  EXPECT_EQ(strings.message,
            "You can only enter relative paths without drive letters.\n"
            "There are drive letters in paths (total: 1 )\n\\\\srv\\share\\y\n\n\n");
}

TEST(NamesListCheck, StringsWithDrivesAlsoFaultOnTheirColons) {
  const ListCheckResult one = CheckList({"C:\\abc", "x"}, ListMode::Strings);
  EXPECT_TRUE(one.fault);
  EXPECT_EQ(one.message,
            "You can only enter relative paths without drive letters.\n"
            "Error Type: There are drive letters in paths (1 )\nC:\\abc\n\n\n"
            "There are Colons in the Folder Names ( 1) \nNo. of Colons: 1   C:\\abc\n\n");

  const ListCheckResult colonsOnly = CheckList({"ab:c", "x", "1:2:3", "::", ":", "9:"}, ListMode::Strings);
  EXPECT_EQ(colonsOnly.message,
            "There are Colons in the Folder Names ( 5) \n"
            "No. of Colons: 1   ab:c\nNo. of Colons: 2   1:2:3\nNo. of Colons: 2   ::\n\n"
            "2  more left\n\n");
}

TEST(NamesListCheck, SyntaxSectionListsTheOffendingCharacters) {
  const ListCheckResult two = CheckList({"D:\\a?b", "D:\\ok", "D:\\c*|"}, ListMode::Folders);
  EXPECT_TRUE(two.fault);
  EXPECT_EQ(two.message,
            "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: 2) \n"
            "Syntax Error:  ?    D:\\a?b\nSyntax Error:  * |    D:\\c*|\n\n");

  const ListCheckResult five = CheckList({"<1", "2>", "\"3\"", "4?", "5*"}, ListMode::Strings);
  EXPECT_EQ(five.message,
            "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: 5) \n"
            "Syntax Error:  <    <1\nSyntax Error:  >    2>\nSyntax Error:  \" \"    \"3\"\n\n2  more left\n\n");

  // Slashes are normalised before the check, so they never count.
  EXPECT_FALSE(CheckList({"a/b"}, ListMode::Strings).fault);
}

TEST(NamesListCheck, FoldersAllowOneColonPerName) {
  const ListCheckResult three = CheckList({"D:\\a:b", "D:\\x", "D:\\c::d", "E:\\e:f:g:h"}, ListMode::Folders);
  EXPECT_EQ(three.message,
            "There are more than one Colons in the Folder Names (total: 3) \n"
            "No. of Colons: 2   D:\\a:b\nNo. of Colons: 3   D:\\c::d\nNo. of Colons: 4   E:\\e:f:g:h\n\n");
}

TEST(NamesListCheck, SectionsFollowEachOtherInOrder) {
  const ListCheckResult all = CheckList({"a?", "D:\\b:c", "D:\\ok"}, ListMode::Folders);
  EXPECT_EQ(all.message,
            "You can only enter full paths with drive letters.\n"
            "Error Type: There are no drive letters in paths (1 )\na?\n\n\n"
            "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: 1) \n"
            "Syntax Error:  ?    a?\n\n"
            "There are more than one Colons in the Folder Names (total: 1) \n"
            "No. of Colons: 2   D:\\b:c\n\n");
}

TEST(NamesListCheck, SyntaxOnlyCheckIgnoresDrivesAndColons) {
  EXPECT_FALSE(CheckListSyntax({"a", "D:\\x:y:z", ""}).fault);
  const ListCheckResult bad = CheckListSyntax({"a", "b|c"});
  EXPECT_TRUE(bad.fault);
  EXPECT_EQ(bad.message,
            "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: 1) \n"
            "Syntax Error:  |    b|c\n\n");
}

TEST(NamesListCheck, MillionLinesStayCheap) {
  const Lines lines(1'000'000, "Clients\\Acme?");
  const ListCheckResult result = CheckList(lines, ListMode::Folders);
  EXPECT_TRUE(result.fault);
  EXPECT_NE(result.message.find("(1000000 )\n"), std::string::npos);
  EXPECT_NE(result.message.find("\n999997  more left\n\n"), std::string::npos);
  EXPECT_LT(result.message.size(), 1000u);
}

}  // namespace
}  // namespace quillory
