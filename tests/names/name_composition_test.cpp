#include "names/name_composition.h"

#include <gtest/gtest.h>

#include "names/folder_names.h"

namespace quillory {
namespace {

TEST(NamesComposeUnderDestination, HyphensNeedANonBlankPiece) {
  const _tagVol0XParts both = ComposePartsVol02("D:\\X", "P", "S", true);
  EXPECT_EQ(both.part1, "D:\\X\\P-");
  EXPECT_EQ(both.part2, "");
  EXPECT_EQ(both.part3, "-");
  EXPECT_EQ(both.part4, "S");
  EXPECT_EQ(both.part5, "");
  EXPECT_EQ(both.JoinWith("Y"), "D:\\X\\P-Y-S");
  EXPECT_EQ(ComposePartsVol02("D:\\X", "P", "", true).JoinWith("Y"), "D:\\X\\P-Y");
  EXPECT_EQ(ComposePartsVol02("D:\\X", "P", "S", false).JoinWith("Y"), "D:\\X\\PYS");
  EXPECT_EQ(ComposePartsVol02("D:\\X", "", "S", true).JoinWith("Y"), "D:\\X\\Y-S");

  // Blank pieces get no hyphen but stay in the name as typed.
  EXPECT_EQ(ComposePartsVol02("D:\\X", "  ", " ", true).JoinWith("Y"), "D:\\X\\  Y ");
  EXPECT_EQ(ComposePartsVol02("D:\\X", " P ", "S ", true).JoinWith("Y"), "D:\\X\\ P -Y-S ");
}

TEST(NamesComposeUnderDestination, DestinationIsTrimmedAndEndsInABackslash) {
  EXPECT_EQ(ComposePartsVol02("  D:\\X\\  ", "P", "", true).part1, "D:\\X\\P-");
  EXPECT_EQ(ComposePartsVol02("D:\\", "", "", true).part1, "D:\\");
  EXPECT_EQ(ComposePartsVol02("", "", "", true).part1, "\\");
  const _tagVol0XParts numbers = ComposePartsVol03(" D:\\Years", "Y", "x", true);
  EXPECT_EQ(numbers.JoinWith("2024"), "D:\\Years\\Y-2024-x");
  EXPECT_EQ(numbers.Join(), "D:\\Years\\Y--x");
  // Nested string items are joined as they are and cleaned afterwards.
  EXPECT_EQ(NormalizeComposedPath(ComposePartsVol02("D:\\X\\", "", "", false).JoinWith("\\Sub//Deep")),
            "D:\\X\\Sub\\Deep");
}

TEST(NamesFolderPaths, ParentAlwaysEndsInADelimiter) {
  const auto split = [](std::string_view folder) {
    const ParentAndName p = SplitParentAndName(folder);
    return p.parent + "|" + p.name;
  };
  EXPECT_EQ(split("D:\\A\\B"), "D:\\A\\|B");
  EXPECT_EQ(split("D:\\A"), "D:\\|A");
  EXPECT_EQ(split("D:\\A\\B\\\\"), "D:\\A\\|B");
  EXPECT_EQ(split("D:\\"), "D:\\|");
  EXPECT_EQ(split("D:"), "D:\\|");
  EXPECT_EQ(split("D:abc"), "D:\\|abc");
  EXPECT_EQ(split("D:/A/B"), "D:/A/|B");
  EXPECT_EQ(split("\\\\srv\\share\\A"), "\\\\srv\\share\\|A");
  EXPECT_EQ(split("\\\\srv\\share"), "\\\\srv\\share\\|");
  EXPECT_EQ(split("abc"), "|abc");

  EXPECT_EQ(FolderOfItem("D:\\Clients\\Smith.Jr"), "D:\\Clients");
  EXPECT_EQ(FolderOfItem("D:\\Clients\\Report.doc\\"), "D:\\Clients");
  EXPECT_EQ(FolderOfItem("D:\\Report.doc"), "D:\\");
  EXPECT_EQ(FolderOfItem("D:\\v1.0\\Acme"), "D:\\v1.0\\Acme");
  EXPECT_EQ(FolderOfItem("D:\\Clients\\Acme."), "D:\\Clients\\Acme.");
  EXPECT_EQ(FolderOfItem("D:\\Clients\\Acme. "), "D:\\Clients\\Acme. ");
  EXPECT_EQ(FolderOfItem("D:\\Clients\\Acme\\"), "D:\\Clients\\Acme");
}

TEST(NamesComposeFromFolderItem, ItemSuppliesParentAndName) {
  const _tagVol0XParts parts = ComposePartsVol04("D:\\Clients\\Acme", "Old", "", true);
  EXPECT_EQ(parts.part1, "D:\\Clients\\Old-");
  EXPECT_EQ(parts.part2, "Acme");
  EXPECT_EQ(parts.part3, "");
  EXPECT_EQ(parts.part4, "");
  EXPECT_EQ(parts.Join(), "D:\\Clients\\Old-Acme");
  EXPECT_EQ(ComposePartsVol04("  D:\\Clients\\Acme\\ ", "P", "S", true).Join(), "D:\\Clients\\P-Acme-S");
  EXPECT_EQ(ComposePartsVol04("D:\\Clients\\Acme", "P", "S", false).Join(), "D:\\Clients\\PAcmeS");

  // An item with an extension is a file: its folder is renamed in its place.
  const _tagVol0XParts file = ComposePartsVol04("D:\\Clients\\Smith.Jr", "", "", true);
  EXPECT_EQ(file.part1, "D:\\");
  EXPECT_EQ(file.part2, "Clients");
  EXPECT_EQ(ComposePartsVol04("D:\\Clients\\Report.doc", "Old", "", true).Join(), "D:\\Old-Clients");

  // Composed in one string for a run, the same text whatever the item.
  for (const char* item : {"D:\\Clients\\Acme", "  D:\\Clients\\Acme\\ ", "D:\\Clients\\Smith.Jr", "D:\\Report.doc",
                           "D:\\", "D:", "\\\\srv\\share\\x", "\\\\srv\\share", "D:/a/b.", "D:\\a\\b. ", "Docs", "",
                           "D:\\a\\\\b\\\\", "\\\\srv\\share\\", "\\\\srv", "D:\\a.b\\c", "D:\\a\\.x"}) {
    for (const bool hyphen : {true, false}) {
      EXPECT_EQ(ComposePathVol04(item, "P", " S", hyphen), ComposePartsVol04(item, "P", " S", hyphen).Join()) << item;
      EXPECT_EQ(ComposePathVol04(item, " ", "", hyphen), ComposePartsVol04(item, " ", "", hyphen).Join()) << item;
    }
  }
}

TEST(NamesPreview, StringPageShowsFirstAndLastItem) {
  const _tagVol0XParts parts = ComposePartsVol02("D:\\X", "P", "S", true);
  const PreviewTexts texts = PreviewVol02(parts, "a", "z//b");
  EXPECT_EQ(texts.start, "D:\\X\\P-a-S");
  EXPECT_EQ(texts.end, "D:\\X\\P-z//b-S");
  const PreviewTexts empty = PreviewVol02(parts, std::nullopt, std::nullopt);
  EXPECT_EQ(empty.start, "");
  EXPECT_EQ(empty.end, "");
}

TEST(NamesPreview, FolderPageKeepsLabelsOfItemsWithoutDrive) {
  const PreviewTexts previous{"old start", "old end"};
  const PreviewTexts both = PreviewVol04(previous, "D:\\A\\First", " E:\\B\\Last.txt", "P", "", true);
  EXPECT_EQ(both.start, "D:\\A\\P-First");
  EXPECT_EQ(both.end, "E:\\P-B");

  const PreviewTexts noDriveFirst = PreviewVol04(previous, "Relative", "D:\\A\\Last", "", "S", true);
  EXPECT_EQ(noDriveFirst.start, "old start");
  EXPECT_EQ(noDriveFirst.end, "D:\\A\\Last-S");

  const PreviewTexts neither = PreviewVol04(previous, "x", "", "", "", true);
  EXPECT_EQ(neither.start, "old start");
  EXPECT_EQ(neither.end, "old end");

  const PreviewTexts empty = PreviewVol04(previous, std::nullopt, std::nullopt, "P", "S", true);
  EXPECT_EQ(empty.start, "");
  EXPECT_EQ(empty.end, "");
}

}  // namespace
}  // namespace quillory
