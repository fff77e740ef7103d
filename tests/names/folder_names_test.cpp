#include "names/folder_names.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/temp_drive.h"

namespace quillory {
namespace {

// Every byte is a member exactly when it is one of the expected characters
// or a control character; those are reported escaped.
void ExpectSetIs(std::string_view kind, std::string_view expected) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    std::string found = "stale";
    const bool control = b < 0x20;
    const bool member = control || expected.find(c) != std::string_view::npos;
    EXPECT_EQ(CheckIllegalCharacters(kind, std::string_view(&c, 1), found), member) << kind << " byte " << b;
    const std::string shown = control ? EscapeControlCharacters(std::string_view(&c, 1)) : std::string(1, c);
    EXPECT_EQ(found, member ? " " + shown : std::string()) << kind << " byte " << b;
  }
}

TEST(NamesIllegalCharacters, EachKindHoldsExactlyItsCharacters) {
  BuildIllegalCharacterSets();
  BuildIllegalCharacterSets();
  EXPECT_EQ(IllegalCharacters("F"), ":\"*[];|<>?!\\/");
  EXPECT_EQ(IllegalCharacters("H"), ":*\"[];|<>?");
  EXPECT_EQ(IllegalCharacters("N"), "/\"*|<>?");
  EXPECT_EQ(IllegalCharacters("F").size(), 13u);
  EXPECT_EQ(IllegalCharacters("H").size(), 10u);
  EXPECT_EQ(IllegalCharacters("N").size(), 7u);
  ExpectSetIs("F", ":\"*[];|<>?!\\/");
  ExpectSetIs("H", ":*\"[];|<>?");
  ExpectSetIs("N", "/\"*|<>?");
  // Every letter other than F and H, in either case, means the full-path set.
  EXPECT_EQ(IllegalCharacters("n"), IllegalCharacters("N"));
  EXPECT_EQ(IllegalCharacters("f"), IllegalCharacters("N"));
  EXPECT_EQ(IllegalCharacters(""), IllegalCharacters("N"));
}

TEST(NamesIllegalCharacters, FoundListsOffendersInTextOrderWithRepeats) {
  std::string found = "left over";
  EXPECT_TRUE(CheckIllegalCharacters("F", "a?b*", found));
  EXPECT_EQ(found, " ? *");
  EXPECT_TRUE(CheckIllegalCharacters("H", "x**y\"*", found));
  EXPECT_EQ(found, " * * \" *");
  EXPECT_FALSE(CheckIllegalCharacters("H", "Sub\\Deep/x!", found));
  EXPECT_EQ(found, "");
  EXPECT_TRUE(CheckIllegalCharacters("N", "C:\\caf\xC3\xA9?[x];!", found));
  EXPECT_EQ(found, " ?");
  EXPECT_FALSE(CheckIllegalCharacters("F", "", found));
}

TEST(NamesIllegalCharacters, ControlCharactersAreRefusedInEveryKindAndShownEscaped) {
  std::string found;
  EXPECT_TRUE(CheckIllegalCharacters("N", "D:\\a\nb", found));
  EXPECT_EQ(found, " \\n");
  EXPECT_TRUE(CheckIllegalCharacters("F", std::string("x\0y\x1F\tz", 6), found));
  EXPECT_EQ(found, " \\x00 \\x1F \\t");
  EXPECT_TRUE(CheckIllegalCharacters("H", "a\rb?", found));
  EXPECT_EQ(found, " \\r ?");
  // DEL and the blank are not control characters here.
  EXPECT_FALSE(CheckIllegalCharacters("N", "D:\\a b\x7F", found));
  // The prefix field check cuts until the control character is gone.
  EXPECT_EQ(FieldIllegalFound("pre\x01"), std::optional<std::string>(" \\x01"));
  EXPECT_EQ(FieldIllegalFound("pre"), std::nullopt);
}

TEST(NamesColons, CountAndVerdictMessages) {
  EXPECT_EQ(CountColons(""), 0);
  EXPECT_EQ(CountColons("C:\\a:b::"), 4);

  std::string message;
  EXPECT_TRUE(CheckColons("C:\\a", message));
  EXPECT_EQ(message, "There is(are) a drive letter(s) before colon(s) (:).");
  EXPECT_TRUE(CheckColons("C:\\a D:\\b", message));

  EXPECT_FALSE(CheckColons("C\\a", message));
  EXPECT_EQ(message, "Not found any colon (:) in the text !!!!");
  EXPECT_FALSE(CheckColons(":C\\a", message));
  EXPECT_EQ(message, "The colon (:) is the first character in the text.");
  EXPECT_FALSE(CheckColons("C:\\a\\b:", message));
  EXPECT_EQ(message, "The colon (:) is the last character in the text.");
  EXPECT_FALSE(CheckColons("1:\\a", message));
  EXPECT_EQ(message, "There is(are) no drive letter(s) before colon(s) (:) : 1");
  // The first faulty colon decides.
  EXPECT_FALSE(CheckColons("C:\\a\\ :x:", message));
  EXPECT_EQ(message, "There is(are) no drive letter(s) before colon(s) (:) :  ");
  // A non-ASCII character is shown whole, not one byte of it.
  EXPECT_FALSE(CheckColons("C:\\caf\xC3\xA9:x", message));
  EXPECT_EQ(message, "There is(are) no drive letter(s) before colon(s) (:) : \xC3\xA9");
}

using NamesValidateFullFolderPath = TempDriveTest;

TEST_F(NamesValidateFullFolderPath, AcceptsAFolderOnAPresentDrive) {
  std::string message = "stale";
  EXPECT_TRUE(ValidateFullFolderPath("D:\\Clients", false, Drives(), message));
  EXPECT_EQ(message, "");
  EXPECT_TRUE(ValidateFullFolderPath("  d:\\a\t", false, Drives(), message));
  EXPECT_TRUE(ValidateFullFolderPath("C:\\[x];!", false, Drives(), message));
  // Callers normalise first: a slash left in a full path is refused.
  EXPECT_FALSE(ValidateFullFolderPath("C:/a", false, Drives(), message));
  EXPECT_EQ(message, "Illegal characters in the folder name :  /");
}

TEST_F(NamesValidateFullFolderPath, RefusesMissingOrAbsentDrives) {
  std::string message;
  for (const char* path : {"", "   ", "Clients\\A", " \\a", "1:\\a"}) {
    EXPECT_FALSE(ValidateFullFolderPath(path, true, Drives(), message)) << path;
    EXPECT_EQ(message, "This item is not a valid Folder Name (No drive letter) !") << path;
  }
  Drives().Remove('Q');
  EXPECT_FALSE(ValidateFullFolderPath("Q:\\x", false, Drives(), message));
  EXPECT_EQ(message, "There is no valid drive letter.");
  EXPECT_TRUE(ValidateFullFolderPath("Q:\\x", true, Drives(), message));

  // A mapped letter whose folder is gone is not present.
  Drives().Set('Q', RootD() + "/missing");
  EXPECT_FALSE(ValidateFullFolderPath("Q:\\x", false, Drives(), message));
  EXPECT_EQ(message, "There is no valid drive letter.");
}

TEST_F(NamesValidateFullFolderPath, UncSharesArePresentOnlyWhenMapped) {
  std::string message;
  EXPECT_FALSE(ValidateFullFolderPath("\\\\srv\\share\\x", false, Drives(), message));
  EXPECT_EQ(message, "There is no valid drive letter.");
  EXPECT_TRUE(ValidateFullFolderPath("\\\\srv\\share\\x", true, Drives(), message));
  Drives().SetShare("\\\\srv\\share", RootD());
  EXPECT_TRUE(ValidateFullFolderPath("\\\\SRV\\share\\x", false, Drives(), message));
  EXPECT_FALSE(ValidateFullFolderPath("\\\\srv\\share\\", false, Drives(), message));
  EXPECT_EQ(message, "There is no Folder part (just root).");
}

TEST_F(NamesValidateFullFolderPath, RefusesRootsAndIllegalCharacters) {
  std::string message;
  for (const char* path : {"C:\\", "C:", "C:a", "C:  \\  "}) {
    EXPECT_FALSE(ValidateFullFolderPath(path, false, Drives(), message)) << path;
    EXPECT_EQ(message, "There is no Folder part (just root).") << path;
  }
  EXPECT_FALSE(ValidateFullFolderPath("D:\\a?b|c", false, Drives(), message));
  EXPECT_EQ(message, "Illegal characters in the folder name :  ? |");
  // The drive is checked before the characters.
  Drives().Remove('Q');
  EXPECT_FALSE(ValidateFullFolderPath("Q:\\a?", false, Drives(), message));
  EXPECT_EQ(message, "There is no valid drive letter.");
}

// The drive check asks the map it is handed, never the process-wide one: a
// map naming only T: takes T: and refuses D:, which the process-wide map has.
TEST_F(NamesValidateFullFolderPath, AsksTheDriveMapItIsHanded) {
  DriveMap only;
  only.Set('T', RootC());
  only.SetShare("\\\\srv\\share", RootC());
  Drives().Remove('T');
  const auto globalLetters = Drives().Letters();
  std::string message;
  EXPECT_TRUE(ValidateFullFolderPath("T:\\Clients", false, only, message)) << message;
  EXPECT_TRUE(ValidateFullFolderPath("\\\\srv\\share\\x", false, only, message)) << message;
  EXPECT_FALSE(ValidateFullFolderPath("D:\\Clients", false, only, message));
  EXPECT_EQ(message, "There is no valid drive letter.");
  // The same paths the other way round through the process-wide map.
  EXPECT_TRUE(ValidateFullFolderPath("D:\\Clients", false, Drives(), message)) << message;
  EXPECT_FALSE(ValidateFullFolderPath("T:\\Clients", false, Drives(), message));
  EXPECT_FALSE(ValidateFullFolderPath("\\\\srv\\share\\x", false, Drives(), message));
  EXPECT_EQ(Drives().Letters(), globalLetters);
  // A letter of the handed map whose folder is gone is not present either.
  only.Set('T', RootC() + "/missing");
  EXPECT_FALSE(ValidateFullFolderPath("T:\\Clients", false, only, message));
  EXPECT_EQ(message, "There is no valid drive letter.");
}

TEST(NamesNormalize, CollapsesSeparatorsAndColons) {
  EXPECT_EQ(NormalizeComposedPath("D:\\\\A//B::C"), "D:\\A\\B:C");
  EXPECT_EQ(NormalizeComposedPath("D:\\X\\\\\\/\\Y:::::Z"), "D:\\X\\Y:Z");
  EXPECT_EQ(NormalizeComposedPath(""), "");
  EXPECT_EQ(NormalizeComposedPath("a\\"), "a\\");
  // A UNC drive part keeps its double backslash.
  EXPECT_EQ(NormalizeComposedPath("\\\\srv\\\\share//x"), "\\\\srv\\share\\x");
  EXPECT_EQ(NormalizeComposedPath("//srv/share"), "\\\\srv\\share");
  EXPECT_EQ(NormalizeComposedPath("\\a"), "\\a");

  EXPECT_EQ(NormalizeListLine("D:\\\\A//B::C"), "D:\\A\\B::C");
  EXPECT_EQ(NormalizeListLine("  D://x "), "  D:\\x ");
}

// The shortcut for paths in normal form already must give what the full
// normalisation gives, for every placing of the bytes it looks at: in the
// first word, across a word's end, in the overlapping last one.
TEST(NamesNormalize, ComposedPathsInNormalFormComeBackAsTheyAre) {
  std::mt19937 random(31);
  const std::string alphabet = "\\/:a.";
  for (int n = 0; n < 20000; ++n) {
    std::string path;
    const std::size_t length = random() % 26;
    for (std::size_t i = 0; i < length; ++i)
      path += random() % 3 == 0 ? alphabet[random() % alphabet.size()] : static_cast<char>('a' + random() % 26);
    ASSERT_EQ(ComposedPathNormalized(path), NormalizeComposedPath(path)) << path;
  }
  for (const char* path : {"D:\\Dest\\Folder 0000001", "D:\\Dest\\Folder 000000\\\\", "D:\\Dest\\Folder:00:\\x",
                           "D:\\Dest\\Fold::", "D:\\Dest\\Folder 0/", "\\\\srv\\share\\x"})
    EXPECT_EQ(ComposedPathNormalized(path), NormalizeComposedPath(path)) << path;
}

TEST(NamesCutFullPaths, OnePiecePerDrivePart) {
  using V = std::vector<std::string>;
  EXPECT_EQ(CutFullPaths("D:\\A"), V({"D:\\A"}));
  EXPECT_EQ(CutFullPaths(" D:/A/B  E:\\C\tf:\\x y "), V({"D:\\A\\B", "E:\\C", "f:\\x y"}));
  EXPECT_EQ(CutFullPaths("D:\\AE:\\x"), V({"D:\\AE:\\x"}));
  EXPECT_EQ(CutFullPaths("D:\\A\\B:\\x"), V({"D:\\A\\", "B:\\x"}));
  // Non-blank text between paths stays with the path before it.
  EXPECT_EQ(CutFullPaths("D:\\A; E:\\B,F:\\C"), V({"D:\\A;", "E:\\B,", "F:\\C"}));
  // Text before the first drive part is its own piece, so it is validated
  // rather than lost; a leading UNC path survives that way.
  EXPECT_EQ(CutFullPaths("junk D:\\A"), V({"junk", "D:\\A"}));
  EXPECT_EQ(CutFullPaths("\\\\srv\\share\\a D:\\b"), V({"\\\\srv\\share\\a", "D:\\b"}));
  EXPECT_EQ(CutFullPaths("no drive here"), V({"no drive here"}));
  EXPECT_EQ(CutFullPaths("   "), V());
  EXPECT_EQ(CutFullPaths(""), V());
  EXPECT_EQ(CutFullPaths("D:"), V({"D:"}));
}

TEST(NamesFieldCheck, TypingLoopCutsUntilClean) {
  EXPECT_EQ(FieldIllegalFound("ab"), std::nullopt);
  EXPECT_EQ(FieldIllegalFound("  "), std::nullopt);
  EXPECT_EQ(FieldIllegalFound("ab?"), std::optional<std::string>(" ?"));
  EXPECT_EQ(FieldIllegalFound("a\\b"), std::optional<std::string>(" \\"));

  // What the field handlers do with a pasted a?bc: one warning per cut.
  std::string text = "a?bc";
  std::vector<std::string> warnings;
  const FieldMessage& message = FieldIllegalMessage(PageKey::Vol02, NameField::Prefix);
  while (auto found = FieldIllegalFound(text)) {
    warnings.push_back(std::string(message.text) + *found);
    text.pop_back();
  }
  EXPECT_EQ(text, "a");
  EXPECT_EQ(warnings, std::vector<std::string>(3, "Illegal character in the Prefix :  ?"));
  EXPECT_EQ(FieldIllegalMessage(PageKey::Vol03, NameField::Suffix).caption,
            "Creating Folder(s).-Increased numbers.            Warning no: 0080.");
  EXPECT_EQ(FieldIllegalMessage(PageKey::Vol04, NameField::Prefix).number, "0054");
}

}  // namespace
}  // namespace quillory
