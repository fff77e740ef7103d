#include "lists/import_class.h"

#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_drive.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

class ListsImportClass : public TempDriveTest {
 protected:
  Items Run(const std::string& contents, int kind, const std::string& separator, bool abandon = true, int column = 1) {
    MakeFile("D:\\in\\list.csv", contents);
    ImportClass import("D:\\in\\list.csv", kind, separator, "\"", abandon, HostFileSystem());
    import.SetColumn(column);
    EXPECT_EQ(import.Run(), 0);
    EXPECT_EQ(import.ErrorCode(), 0);
    EXPECT_FALSE(import.ReadFailed());
    return import.Result();
  }
};

TEST_F(ListsImportClass, PlainLinesAreTrimmedAndUnquoted) {
  const std::string file =
      "\xEF\xBB\xBF  \"C:\\My Docs\"  \r\n"
      "\r\n"
      "   \t\n"
      "D:\\Kl\xC3\xA4ger, Akte 1\n"
      "d:\\kl\xC3\xA4ger, akte 1\r"
      "\"\"\n"
      "'x' \n"
      "\" spaced \"\n"
      "\"open";
  const Items unquoted{"C:\\My Docs", "D:\\Kl\xC3\xA4ger, Akte 1", "d:\\kl\xC3\xA4ger, akte 1", "x", "spaced", "\"open"};
  EXPECT_EQ(Run(file, kImportPlain, ","), unquoted);
  // Unknown kinds read the file as plain lines.
  EXPECT_EQ(Run(file, 3, ","), unquoted);
  EXPECT_EQ(Run(file, kImportPlain, ",", false),
            (Items{"\"C:\\My Docs\"", "D:\\Kl\xC3\xA4ger, Akte 1", "d:\\kl\xC3\xA4ger, akte 1", "\"\"", "'x'",
                   "\" spaced \"", "\"open"}));
}

TEST_F(ListsImportClass, AllColumnsCutBySeparator) {
  EXPECT_EQ(Run("a;;b;\n;c\n", kImportAllColumns, ";"), (Items{"a", "b", "c"}));
  EXPECT_EQ(Run("a,b;c\n", kImportAllColumns, ",;"), (Items{"a", "b", "c"}));
  EXPECT_EQ(Run("a,b;c\n", kImportAllColumns, " ,; "), (Items{"a", "b", "c"}));
  EXPECT_EQ(Run("\"a, b\",'c',\"\"\n", kImportAllColumns, ","), (Items{"\"a", "b\"", "c"}));

  const std::string spaced = "\"C:\\My Docs\" \"D:\\Old Files\"\nC:\\a C:\\b\n";
  const Items paths{"C:\\My Docs", "D:\\Old Files", "C:\\a", "C:\\b"};
  EXPECT_EQ(Run(spaced, kImportAllColumns, "space"), paths);
  EXPECT_EQ(Run(spaced, kImportAllColumns, " SPACE "), paths);
  // Without the quotation step the wrapping earned by line 1 shows on line 2.
  EXPECT_EQ(Run(spaced, kImportAllColumns, "space", false),
            (Items{"\"C:\\My Docs\"", "\"D:\\Old Files\"", "\"C:\\a\"", "\"C:\\b\""}));
  // The wrapping is per file: a new run starts plain.
  EXPECT_EQ(Run("C:\\a C:\\b\n", kImportAllColumns, "space", false), (Items{"C:\\a", "C:\\b"}));
  EXPECT_EQ(Run("x \"a b\" y z\n", kImportAllColumns, "space"), (Items{"x", "a b", "y z"}));

  // A box of blanks is one blank; an empty box cuts nothing; a tab cuts at tabs.
  EXPECT_EQ(Run("a b\n", kImportAllColumns, "   "), (Items{"a", "b"}));
  EXPECT_EQ(Run(" a b ,c\n", kImportAllColumns, ""), (Items{"a b ,c"}));
  EXPECT_EQ(Run("a b\tc\n", kImportAllColumns, "\t"), (Items{"a b", "c"}));
  // Duplicates stay; the window removes them.
  EXPECT_EQ(Run("a,A\na\n", kImportAllColumns, ","), (Items{"a", "A", "a"}));
}

TEST_F(ListsImportClass, OneColumn) {
  EXPECT_EQ(Run("a,b,c\nd\n", kImportOneColumn, ",", true, 2), Items{"b"});
  EXPECT_EQ(Run("a,b,c\nd\n", kImportOneColumn, ",", true, 3), Items{"c"});
  EXPECT_EQ(Run("a,b,c\nd\n", kImportOneColumn, ",", true, 4), Items{});
  // Columns count the pieces left after empty ones are dropped.
  EXPECT_EQ(Run(",,x,,y\n", kImportOneColumn, ",", true, 2), Items{"y"});
  EXPECT_EQ(Run("a,b\nd\n", kImportOneColumn, ",", true, 0), (Items{"a", "d"}));
  EXPECT_EQ(Run("a,b\nd\n", kImportOneColumn, ",", true, -5), (Items{"a", "d"}));
  EXPECT_EQ(Run("x \"My Docs\" y\n'p q' r\n", kImportOneColumn, "space", true, 2), (Items{"My Docs", "r"}));
}

TEST_F(ListsImportClass, FilesThatCannotBeOpenedGiveCodeTwo) {
  ImportClass missing("D:\\nothing.txt", kImportPlain, ",", "\"", true, HostFileSystem());
  EXPECT_EQ(missing.Run(), 2);
  EXPECT_EQ(missing.ErrorCode(), 2);
  EXPECT_TRUE(missing.Result().empty());

  MakeDir("D:\\folder.txt");
  ImportClass folder("D:\\folder.txt", kImportAllColumns, ",", "\"", true, HostFileSystem());
  EXPECT_EQ(folder.Run(), 2);
  EXPECT_TRUE(folder.Result().empty());

  ImportClass noDrive("Q:\\list.txt", kImportPlain, ",", "\"", true, HostFileSystem());
  EXPECT_EQ(noDrive.Run(), 2);

  // Deleted between a good run and the next: the old result does not linger.
  MakeFile("D:\\gone.txt", "a\nb\n");
  ImportClass gone("D:\\gone.txt", kImportPlain, ",", "\"", true, HostFileSystem());
  EXPECT_EQ(gone.Run(), 0);
  EXPECT_EQ(gone.Result(), (Items{"a", "b"}));
  ASSERT_EQ(::unlink(Host("D:\\gone.txt").c_str()), 0);
  EXPECT_EQ(gone.Run(), 2);
  EXPECT_TRUE(gone.Result().empty());

  if (!RunningAsRoot()) {
    MakeFile("D:\\locked.txt", "a\n");
    ::chmod(Host("D:\\locked.txt").c_str(), 0);
    ImportClass locked("D:\\locked.txt", kImportPlain, ",", "\"", true, HostFileSystem());
    EXPECT_EQ(locked.Run(), 2);
  }

  MakeFile("D:\\empty.txt", "");
  ImportClass empty("D:\\empty.txt", kImportPlain, ",", "\"", true, HostFileSystem());
  EXPECT_EQ(empty.Run(), 0);
  EXPECT_TRUE(empty.TakeResult().empty());
}

}  // namespace
}  // namespace quillory
