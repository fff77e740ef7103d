#include "platform/drives.h"

#include <sys/stat.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/host_paths.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

TEST(PlatformDrives, ExtractFileDriveRecognisesLettersAndShares) {
  EXPECT_EQ(ExtractFileDrive("D:\\x"), "D:");
  EXPECT_EQ(ExtractFileDrive("d:"), "d:");
  EXPECT_EQ(ExtractFileDrive("d:relative"), "d:");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\share\\x\\y"), "\\\\srv\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\share"), "\\\\srv\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\srv"), "");
  EXPECT_EQ(ExtractFileDrive("\\\\srv\\"), "");
  EXPECT_EQ(ExtractFileDrive("\\\\\\share"), "");
  EXPECT_EQ(ExtractFileDrive(" D:\\x"), "");
  EXPECT_EQ(ExtractFileDrive("1:\\x"), "");
  EXPECT_EQ(ExtractFileDrive("\\Project\\Customer01"), "");
  EXPECT_EQ(ExtractFileDrive(""), "");
  EXPECT_TRUE(HasDrive("C:\\A"));
  EXPECT_FALSE(HasDrive("Acme"));
}

TEST(PlatformDrives, SplitProgramPathResolvesDotsAndClampsAtTheRoot) {
  const auto parts = SplitProgramPath("D:\\a\\.\\b\\..\\c/d//e\\");
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->drive, "D:");
  EXPECT_EQ(parts->names, (std::vector<std::string>{"a", "c", "d", "e"}));
  EXPECT_EQ(parts->Join(), "D:\\a\\c\\d\\e");
  EXPECT_EQ(SplitProgramPath("D:\\..\\..")->Join(), "D:\\");
  EXPECT_EQ(SplitProgramPath("\\\\srv\\share\\..\\x")->Join(), "\\\\srv\\share\\x");
  EXPECT_EQ(SplitProgramPath("\\\\srv\\share")->Join(), "\\\\srv\\share\\");
  EXPECT_FALSE(SplitProgramPath("relative\\x"));
}

TEST(PlatformDrives, ToHostMapsLettersCaseBlindAndNeverClimbsAboveTheRoot) {
  DriveMap map;
  map.Set('d', "/srv/data/");
  map.Set('Z', "/");
  EXPECT_EQ(map.ToHost("D:\\a\\b"), "/srv/data/a/b");
  EXPECT_EQ(map.ToHost("d:/a/b"), "/srv/data/a/b");
  EXPECT_EQ(map.ToHost("D:\\..\\x"), "/srv/data/x");
  EXPECT_EQ(map.ToHost("D:\\..\\..\\x"), "/srv/data/x");
  EXPECT_EQ(map.ToHost("D:\\a\\.\\b\\..\\c"), "/srv/data/a/c");
  EXPECT_EQ(map.ToHost("D:\\"), "/srv/data");
  EXPECT_EQ(map.ToHost("D:"), "/srv/data");
  EXPECT_EQ(map.ToHost("Z:\\etc"), "/etc");
  EXPECT_EQ(map.ToHost("Z:\\"), "/");
  EXPECT_EQ(map.ToHost("Z:\\..\\.."), "/");
  EXPECT_FALSE(map.ToHost("E:\\a"));
  EXPECT_FALSE(map.ToHost("a\\b"));
  EXPECT_FALSE(map.ToHost(std::string("D:\\a\0b", 7)));
  map.Remove('D');
  EXPECT_FALSE(map.ToHost("D:\\a"));
}

TEST(PlatformDrives, SharesMapOnlyWhenNamed) {
  DriveMap map;
  EXPECT_FALSE(map.ToHost("\\\\srv\\share\\x"));
  map.SetShare("\\\\Srv\\Share", "/mnt/s");
  EXPECT_EQ(map.ToHost("\\\\srv\\SHARE\\x\\..\\y"), "/mnt/s/y");
  EXPECT_EQ(map.ToHost("//srv/share/x"), "/mnt/s/x");
  EXPECT_FALSE(map.ToHost("\\\\srv\\other\\x"));
  EXPECT_EQ(map.FromHost("/mnt/s/a/b"), "\\\\Srv\\Share\\a\\b");
}

TEST(PlatformDrives, FromHostUsesTheLongestRoot) {
  DriveMap map;
  map.Set('Z', "/");
  map.Set('D', "/srv/data");
  map.Set('E', "/srv/data/deep");
  EXPECT_EQ(map.FromHost("/srv/data/a/b"), "D:\\a\\b");
  EXPECT_EQ(map.FromHost("/srv/data/deep/x"), "E:\\x");
  EXPECT_EQ(map.FromHost("/srv/data/deeper"), "D:\\deeper");
  EXPECT_EQ(map.FromHost("/srv/data"), "D:\\");
  EXPECT_EQ(map.FromHost("/srv/data/"), "D:\\");
  EXPECT_EQ(map.FromHost("/srv//data/./a/../b"), "D:\\b");
  EXPECT_EQ(map.FromHost("/etc/x"), "Z:\\etc\\x");
  EXPECT_EQ(map.FromHost("/"), "Z:\\");
  EXPECT_FALSE(map.FromHost("relative/x"));
  EXPECT_FALSE(map.FromHost("/srv/data/back\\slash"));
  map.Remove('Z');
  EXPECT_FALSE(map.FromHost("/etc/x"));
}

TEST(PlatformDrives, ParseAndApplyKeepsGoodEntriesAndNamesBadOnes) {
  DriveMap map;
  std::string error;
  EXPECT_TRUE(map.ParseAndApply(" d=/srv/data ; C:=/tmp/x;;\\\\srv\\share=/mnt/s;", &error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(map.ToHost("D:\\a"), "/srv/data/a");
  EXPECT_EQ(map.ToHost("C:\\a"), "/tmp/x/a");
  EXPECT_EQ(map.ToHost("\\\\SRV\\share"), "/mnt/s");

  EXPECT_FALSE(map.ParseAndApply("E=/e;DD=/x;F=relative;G;H=/h", &error));
  EXPECT_NE(error.find("\"DD=/x\""), std::string::npos) << error;
  EXPECT_NE(error.find("\"F=relative\""), std::string::npos) << error;
  EXPECT_NE(error.find("\"G\""), std::string::npos) << error;
  EXPECT_EQ(map.ToHost("E:\\"), "/e");
  EXPECT_EQ(map.ToHost("H:\\"), "/h");
  EXPECT_FALSE(map.ToHost("F:\\"));
  EXPECT_FALSE(map.ToHost("G:\\"));

  EXPECT_TRUE(map.ParseAndApply("D=/other", nullptr));  // replaces
  EXPECT_EQ(map.ToHost("D:\\a"), "/other/a");
}

class PlatformDrivesPresent : public TempDriveTest {};

TEST_F(PlatformDrivesPresent, OnlyMappedLettersWithAnExistingFolderArePresent) {
  DriveMap map;
  map.Set('D', RootD());
  map.Set('C', RootC());
  map.Set('M', RootD() + "/missing");
  MakeFile("D:\\file");
  map.Set('F', RootD() + "/file");
  EXPECT_EQ(map.PresentDrives(), (std::vector<char>{'C', 'D'}));
  EXPECT_TRUE(map.IsPresent('d'));
  EXPECT_FALSE(map.IsPresent('M'));
  EXPECT_FALSE(map.IsPresent('Q'));
  // Drive parts as paths carry them: letters and named shares.
  map.SetShare("\\\\srv\\share", RootC());
  EXPECT_TRUE(map.IsDrivePartPresent("d:"));
  EXPECT_TRUE(map.IsDrivePartPresent("\\\\SRV\\Share"));
  EXPECT_FALSE(map.IsDrivePartPresent("\\\\srv\\other"));
  EXPECT_FALSE(map.IsDrivePartPresent("M:"));
  EXPECT_FALSE(map.IsDrivePartPresent(""));
  MakeDir("D:\\missing");
  EXPECT_EQ(map.PresentDrives(), (std::vector<char>{'C', 'D', 'M'}));
}

TEST_F(PlatformDrivesPresent, FixtureMapsAndRestoresDrives) {
  EXPECT_EQ(Drives().ToHost("D:\\x"), RootD() + "/x");
  EXPECT_EQ(Host("C:\\y"), RootC() + "/y");
  MakeFile("D:\\a\\b.txt", "hi");
  EXPECT_TRUE(IsDir("D:\\a"));
  EXPECT_TRUE(IsFile("D:\\a\\b.txt"));
  EXPECT_EQ(ReadFile("D:\\a\\b.txt"), "hi");
  EXPECT_EQ(ListDir("D:\\"), (std::vector<std::string>{"a"}));
  // Teardown must cope with folders nobody may write into.
  ::chmod(Host("D:\\a").c_str(), 0500);
}

TEST(PlatformHostPaths, HostSpellingIsAbsoluteHomeOrAFileUrl) {
  const std::string home = "/home/ann";
  EXPECT_EQ(HostSpelling("/srv/x y", home), "/srv/x y");
  EXPECT_EQ(HostSpelling("/", home), "/");
  EXPECT_EQ(HostSpelling("~", home), "/home/ann");
  EXPECT_EQ(HostSpelling("~/Clients/Acme", home), "/home/ann/Clients/Acme");
  EXPECT_EQ(HostSpelling("file:///srv/a%20b/%C3%A9", home), "/srv/a b/\xC3\xA9");
  EXPECT_EQ(HostSpelling("file://localhost/srv/x", home), "/srv/x");
  // Program form, relative text and what cannot be read stay as typed.
  for (const char* text : {"D:\\x", "//srv/share/x", "\\\\srv\\share\\x", "Clients", "~bob/x", "file://other/x",
                           "file:relative", "file:///bad%2", "file:///bad%zz", "file:///nul%00x", ""})
    EXPECT_FALSE(HostSpelling(text, home)) << text;
  EXPECT_FALSE(HostSpelling("~/x", ""));
  EXPECT_FALSE(HostSpelling("~/x", "relative"));
  EXPECT_FALSE(HostSpelling(std::string("/a\0b", 4), home));
}

TEST(PlatformHostPaths, TypedHostPathsTakeTheLongestDriveRoot) {
  DriveMap map;
  map.Set('D', "/srv/data");
  map.Set('E', "/srv/data/deep");
  map.Set('H', "/home/ann");
  const auto read = [&](std::string_view text) { return ReadTypedFolder(text, map, "/home/ann"); };
  using Kind = TypedFolderPath::Kind;

  TypedFolderPath typed = read("  /srv/data/deep/x/  ");
  EXPECT_EQ(typed.kind, Kind::Converted);
  EXPECT_EQ(typed.path, "E:\\x");
  EXPECT_EQ(typed.host, "/srv/data/deep/x/");
  EXPECT_EQ(read("/srv/data/a/../b").path, "D:\\b");
  EXPECT_EQ(read("~/Clients").path, "H:\\Clients");
  EXPECT_EQ(read("~").path, "H:\\");
  EXPECT_EQ(read("file:///srv/data/My%20Docs").path, "D:\\My Docs");

  typed = read("/etc/x");
  EXPECT_EQ(typed.kind, Kind::OffDrives);
  EXPECT_EQ(typed.host, "/etc/x");
  EXPECT_TRUE(typed.path.empty());

  // Everything else comes back exactly as typed, blanks and all.
  typed = read(" D:\\x ");
  EXPECT_EQ(typed.kind, Kind::AsTyped);
  EXPECT_EQ(typed.path, " D:\\x ");
  EXPECT_EQ(read("Clients").path, "Clients");
}

}  // namespace
}  // namespace quillory
