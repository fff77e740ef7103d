#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

class PlatformFs : public TempDriveTest {
 protected:
  FileSystem& fs = HostFileSystem();
};

TEST_F(PlatformFs, ExistenceTests) {
  MakeDir("D:\\dir");
  MakeFile("D:\\file.txt");
  ASSERT_EQ(::symlink("nowhere", Host("D:\\dangling").c_str()), 0);
  EXPECT_TRUE(fs.DirectoryExists("D:\\dir"));
  EXPECT_TRUE(fs.DirectoryExists("d:/DIR/../dir"));
  EXPECT_FALSE(fs.DirectoryExists("D:\\file.txt"));
  EXPECT_TRUE(fs.FileExists("D:\\file.txt"));
  EXPECT_FALSE(fs.FileExists("D:\\dir"));
  EXPECT_TRUE(fs.FileExists("D:\\dangling"));
  EXPECT_FALSE(fs.FileExists("D:\\missing"));
  EXPECT_FALSE(fs.DirectoryExists("Q:\\dir"));
  EXPECT_FALSE(fs.DirectoryExists("dir"));
}

TEST_F(PlatformFs, CreateFoldersReportsExactlyWhatItMade) {
  MakeDir("D:\\A");
  std::vector<std::string> created;
  FsResult r = fs.CreateFolders("D:\\A\\B\\C\\D", &created);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(created, (std::vector<std::string>{"D:\\A\\B", "D:\\A\\B\\C", "D:\\A\\B\\C\\D"}));
  EXPECT_TRUE(IsDir("D:\\A\\B\\C\\D"));

  created.clear();
  r = fs.CreateFolders("D:\\A\\B\\C\\D", &created);
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(created.empty());

  r = fs.CreateFolders("D:/A/./B/../B/E", &created);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(created, (std::vector<std::string>{"D:\\A\\B\\E"}));

  created.clear();
  EXPECT_TRUE(fs.CreateFolders("D:\\", &created).ok());
  EXPECT_TRUE(created.empty());
}

TEST_F(PlatformFs, CreateFoldersRefusesFilesInTheWayAndMissingDrives) {
  MakeFile("D:\\F", "keep");
  std::vector<std::string> created;
  EXPECT_EQ(fs.CreateFolders("D:\\F", &created).error, FsError::Exists);
  EXPECT_EQ(fs.CreateFolders("D:\\F\\sub", &created).error, FsError::Exists);
  EXPECT_EQ(fs.CreateFolders("D:\\new\\F2", &created).error, FsError::None);
  EXPECT_EQ(created, (std::vector<std::string>{"D:\\new", "D:\\new\\F2"}));
  EXPECT_EQ(ReadFile("D:\\F"), "keep");

  created.clear();
  EXPECT_EQ(fs.CreateFolders("Q:\\x", &created).error, FsError::NotFound);
  EXPECT_EQ(fs.CreateFolders("relative\\x", &created).error, FsError::InvalidName);
  Drives().Set('M', RootD() + "/absent-root");
  EXPECT_EQ(fs.CreateFolders("M:\\x\\y", &created).error, FsError::NotFound);
  EXPECT_FALSE(IsDir("D:\\absent-root"));  // a drive root is never made
  EXPECT_TRUE(created.empty());
}

TEST_F(PlatformFs, RemoveEmptyFolderHonoursReadOnlyAndContents) {
  MakeDir("D:\\empty");
  MakeFile("D:\\full\\x");
  MakeDir("D:\\locked");
  ::chmod(Host("D:\\locked").c_str(), 0555);

  EXPECT_EQ(fs.RemoveEmptyFolder("D:\\full").error, FsError::NotEmpty);
  EXPECT_EQ(fs.RemoveEmptyFolder("D:\\locked").error, FsError::AccessDenied);
  EXPECT_TRUE(IsDir("D:\\locked"));
  EXPECT_EQ(fs.RemoveEmptyFolder("D:\\missing").error, FsError::NotFound);
  EXPECT_EQ(fs.RemoveEmptyFolder("D:\\full\\x").error, FsError::InvalidName);
  EXPECT_EQ(fs.RemoveEmptyFolder("D:\\..").error, FsError::AccessDenied);  // the drive root
  EXPECT_TRUE(fs.RemoveEmptyFolder("D:\\empty").ok());
  EXPECT_FALSE(IsDir("D:\\empty"));

  ::chmod(Host("D:\\locked").c_str(), 0755);
  EXPECT_TRUE(fs.RemoveEmptyFolder("D:\\locked").ok());
}

TEST_F(PlatformFs, DeleteFileRefusesReadOnlyFilesAndFolders) {
  MakeFile("D:\\a.txt");
  MakeFile("D:\\ro.txt", "stay");
  ::chmod(Host("D:\\ro.txt").c_str(), 0444);
  MakeDir("D:\\dir");
  MakeFile("D:\\target");
  ASSERT_EQ(::symlink(Host("D:\\target").c_str(), Host("D:\\link").c_str()), 0);

  EXPECT_TRUE(fs.DeleteFile("D:\\a.txt").ok());
  EXPECT_FALSE(IsFile("D:\\a.txt"));
  EXPECT_EQ(fs.DeleteFile("D:\\ro.txt").error, FsError::AccessDenied);
  EXPECT_EQ(ReadFile("D:\\ro.txt"), "stay");
  EXPECT_EQ(fs.DeleteFile("D:\\dir").error, FsError::AccessDenied);
  EXPECT_EQ(fs.DeleteFile("D:\\a.txt").error, FsError::NotFound);
  EXPECT_TRUE(fs.DeleteFile("D:\\link").ok());  // the link goes, its target stays
  EXPECT_TRUE(IsFile("D:\\target"));
}

// Caps the size of files this process may write, so a copy fails part-way
// the way a full disk makes it fail.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int);
};

TEST_F(PlatformFs, RenameFolderNeverReplaces) {
  MakeFile("D:\\P\\a\\inside");
  MakeDir("D:\\P\\b");
  MakeFile("D:\\P\\f");
  EXPECT_EQ(fs.RenameFolder("D:\\P\\a", "D:\\P\\b").error, FsError::Exists);
  EXPECT_EQ(fs.RenameFolder("D:\\P\\a", "D:\\P\\f").error, FsError::Exists);
  EXPECT_TRUE(IsFile("D:\\P\\a\\inside"));
  EXPECT_EQ(fs.RenameFolder("D:\\P\\missing", "D:\\P\\c").error, FsError::NotFound);
  EXPECT_EQ(fs.RenameFolder("D:\\P\\f", "D:\\P\\g").error, FsError::InvalidName);
  EXPECT_EQ(fs.RenameFolder("D:\\", "D:\\x").error, FsError::AccessDenied);
  EXPECT_TRUE(fs.RenameFolder("D:\\P\\a", "D:\\P\\A").ok());
  EXPECT_TRUE(IsFile("D:\\P\\A\\inside"));
  EXPECT_FALSE(IsDir("D:\\P\\a"));
  // A link to a folder is renamed as the link; a link to a file is no folder.
  ASSERT_EQ(::symlink(Host("D:\\P\\b").c_str(), Host("D:\\P\\lb").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\P\\f").c_str(), Host("D:\\P\\lf").c_str()), 0);
  EXPECT_TRUE(fs.RenameFolder("D:\\P\\lb", "D:\\P\\lb2").ok());
  struct stat st {};
  EXPECT_EQ(::lstat(Host("D:\\P\\lb2").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_TRUE(IsDir("D:\\P\\b"));
  EXPECT_EQ(fs.RenameFolder("D:\\P\\lf", "D:\\P\\lf2").error, FsError::InvalidName);
  EXPECT_EQ(fs.RenameFolder("D:\\P\\f\\x", "D:\\P\\y").error, FsError::NotFound);
}

TEST(MatchesMask, IsCaseBlindAndCountsCharactersNotBytes) {
  const std::vector<std::string> names{"README", "Notes.TXT", "a.txt", "b.doc", "\xC3\xA4.txt", "x.tar.gz"};
  const auto matching = [&](std::string_view mask) {
    std::vector<std::string> out;
    for (const std::string& name : names)
      if (MatchesMask(name, mask)) out.push_back(name);
    return out;
  };
  EXPECT_EQ(matching("*.*"), names);
  EXPECT_EQ(matching("*.txt"), (std::vector<std::string>{"Notes.TXT", "a.txt", "\xC3\xA4.txt"}));
  EXPECT_EQ(matching("?.txt"), (std::vector<std::string>{"a.txt", "\xC3\xA4.txt"}));
  EXPECT_EQ(matching("readme.*"), (std::vector<std::string>{"README"}));
  EXPECT_EQ(matching("*.gz"), (std::vector<std::string>{"x.tar.gz"}));
  EXPECT_EQ(matching("p*"), std::vector<std::string>{});
  EXPECT_TRUE(matching("*.pdf").empty());
}

TEST(ShownEntryPath, EscapesABackslashInANameSoItNeverReadsAsTwoNames) {
  EXPECT_EQ(ShownEntryPath("D:\\B", "plain"), "D:\\B\\plain");
  EXPECT_EQ(ShownEntryPath("D:\\B", "a\\b"), "D:\\B\\a\\x5Cb");
  EXPECT_EQ(ShownEntryPath("D:\\B\\", "x\\\x01"), "D:\\B\\x\\x5C\\x01");
}

TEST_F(PlatformFs, IdentityFreeSpaceAndDrives) {
  MakeDir("D:\\one");
  MakeDir("D:\\two");
  const auto one = fs.Identity("D:\\one");
  ASSERT_TRUE(one);
  EXPECT_EQ(fs.Identity("D:\\one"), one);
  EXPECT_NE(fs.Identity("D:\\two"), one);
  EXPECT_FALSE(fs.Identity("D:\\three"));

  const auto free = fs.FreeSpace("D:\\one\\not\\yet");
  ASSERT_TRUE(free);
  EXPECT_GT(*free, 0u);
  EXPECT_FALSE(fs.FreeSpace("Q:\\x"));
  EXPECT_FALSE(fs.FreeSpace("one"));
  Drives().Set('M', RootD() + "/absent");
  EXPECT_FALSE(fs.FreeSpace("M:\\"));

  const std::vector<char> drives = fs.LogicalDrives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), 'C'), drives.end());
  EXPECT_NE(std::find(drives.begin(), drives.end(), 'D'), drives.end());
  EXPECT_EQ(std::find(drives.begin(), drives.end(), 'M'), drives.end());
}

TEST(PlatformMask, MatchesLikeWindowsMasks) {
  struct Case {
    const char* name;
    const char* mask;
    bool match;
  };
  const Case cases[] = {
      {"README", "*.*", true},
      {"a.b.c", "*.*", true},
      {".hidden", "*.*", true},
      {"README", "*", true},
      {"Report.TXT", "*.txt", true},
      {"report.txt", "REPORT.*", true},
      {"report", "report.*", true},
      {"report.txt", "report.txt.*", true},
      {"reports", "report.*", false},
      {"report", "*.txt", false},
      {"abc", "a?c", true},
      {"ac", "a?c", false},
      {"a\xC3\xA4" "c", "a?c", true},        // '?' is one character, not one byte
      {"a\xF0\x9F\x98\x80" "c", "a?c", true},
      {"\xC3\x84RGER.doc", "\xC3\xA4rger.*", true},
      {"abcabcabd", "*abd", true},
      {"abcabcabx", "*abd", false},
      {"aXbXc", "a*b*c", true},
      {"", "*", true},
      {"x", "", false},
      {"x\xFF", "X?", true},
      {"name", "n*e", true},
      {"name", "n*e?", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;

  // Many stars over a long non-matching name must not take exponential time.
  const std::string longName(5000, 'a');
  EXPECT_FALSE(MatchesMask(longName, "*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace quillory

namespace quillory {
namespace {

class PlatformCreate : public TempDriveTest {
 protected:
  FileSystem& fs = HostFileSystem();

  FolderIdentity StatOf(std::string_view path) { return FolderIdentityAt(path); }
  void Link(std::string_view target, std::string_view at) {
    ASSERT_EQ(::symlink(Host(target).c_str(), Host(at).c_str()), 0);
  }
};

TEST_F(PlatformCreate, WhatIsMadeComesWithTheIdentityOfTheFolderMade) {
  MakeDir("D:\\A");
  CreateResult r = fs.CreateFolders("D:\\A\\B\\C");
  ASSERT_TRUE(r.ok()) << r.result.message;
  ASSERT_EQ(r.made.size(), 2u);
  EXPECT_EQ(r.made[0], (MadeFolder{"D:\\A\\B", StatOf("D:\\A\\B")}));
  EXPECT_EQ(r.made[1], (MadeFolder{"D:\\A\\B\\C", StatOf("D:\\A\\B\\C")}));
  EXPECT_NE(r.made[0].identity, r.made[1].identity);

  r = fs.CreateFolders("D:\\A\\B\\C");
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.made.empty());

  // A path typed whole is resolved as the host resolves it, links included.
  MakeDir("D:\\Real");
  Link("D:\\Real", "D:\\Alias");
  r = fs.CreateFolders("D:\\Alias\\n");
  ASSERT_TRUE(r.ok()) << r.result.message;
  EXPECT_TRUE(IsDir("D:\\Real\\n"));
  ASSERT_EQ(r.made.size(), 1u);
  EXPECT_EQ(r.made[0].path, "D:\\Alias\\n");
}

// The folder a creation went through is handed over open, and the names
// that follow are made in it: in the folder the path led to, a link on the
// way resolved as typed; after a failure nothing is handed over.
TEST_F(PlatformCreate, ACreationHandsOverTheFolderItMadeTheLastNameIn) {
  MakeDir("D:\\Real");
  Link("D:\\Real", "D:\\Alias");
  FolderHandle parent = kNoFolderHandle;
  CreateResult r = fs.CreateFoldersOpeningParent("D:\\Alias\\p\\a", &parent);
  ASSERT_TRUE(r.ok()) << r.result.message;
  ASSERT_EQ(r.made.size(), 2u);
  ASSERT_NE(parent, kNoFolderHandle);
  const SubfolderResult next = fs.MakeSubfolder(parent, "b");
  EXPECT_TRUE(next.ok() && next.made);
  EXPECT_EQ(next.identity, StatOf("D:\\Real\\p\\b"));
  fs.CloseFolder(parent);

  // Already there: nothing made, the folder still handed over.
  r = fs.CreateFoldersOpeningParent("D:\\Real\\p\\a", &parent);
  EXPECT_TRUE(r.ok() && r.made.empty());
  ASSERT_NE(parent, kNoFolderHandle);
  fs.CloseFolder(parent);

  MakeFile("D:\\Real\\file");
  r = fs.CreateFoldersOpeningParent("D:\\Real\\file\\x", &parent);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(parent, kNoFolderHandle);
}

TEST_F(PlatformCreate, ANameTooLongFailsBeforeAnyParentIsMade) {
  const std::string longName(256, 'n');
  CreateResult r = fs.CreateFolders("D:\\mid\\" + longName + "\\z");
  EXPECT_EQ(r.result.error, FsError::InvalidName);
  EXPECT_TRUE(r.made.empty());
  EXPECT_FALSE(IsDir("D:\\mid"));
  r = fs.CreateFoldersBelow("D:\\", "mid\\" + longName);
  EXPECT_EQ(r.result.error, FsError::InvalidName);
  EXPECT_FALSE(IsDir("D:\\mid"));

  r = fs.CreateFolders("D:\\mid\\" + longName.substr(1) + "\\z");
  EXPECT_TRUE(r.ok()) << r.result.message;
  EXPECT_EQ(r.made.size(), 3u);
}

TEST_F(PlatformCreate, BelowAFolderNoLinkIsPassedThrough) {
  MakeDir("D:\\R\\real");
  MakeDir("D:\\Outside");
  Link("D:\\Outside", "D:\\R\\rl");
  CreateResult r = fs.CreateFoldersBelow("D:\\R", "rl\\smade");
  EXPECT_EQ(r.result.error, FsError::Link);
  EXPECT_TRUE(r.made.empty());
  EXPECT_EQ(ListDir("D:\\Outside"), std::vector<std::string>{});
  // The link itself as the last name is not a folder that exists.
  EXPECT_EQ(fs.CreateFoldersBelow("D:\\R", "rl").result.error, FsError::Link);
  // A link deeper down is refused just the same.
  MakeDir("D:\\R\\real\\deep");
  Link("D:\\Outside", "D:\\R\\real\\deep\\l2");
  EXPECT_EQ(fs.CreateFoldersBelow("D:\\R", "real\\deep\\l2\\x").result.error, FsError::Link);
  EXPECT_EQ(ListDir("D:\\Outside"), std::vector<std::string>{});

  // The aimed folder itself is resolved, links included.
  Link("D:\\R", "D:\\AliasR");
  r = fs.CreateFoldersBelow("D:\\AliasR", "\\n\\\\m");
  ASSERT_TRUE(r.ok()) << r.result.message;
  ASSERT_EQ(r.made.size(), 2u);
  EXPECT_EQ(r.made[0], (MadeFolder{"D:\\AliasR\\n", StatOf("D:\\R\\n")}));
  EXPECT_EQ(r.made[1], (MadeFolder{"D:\\AliasR\\n\\m", StatOf("D:\\R\\n\\m")}));
  r = fs.CreateFoldersBelow("D:\\R", "real/deep");
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.made.empty());
}

TEST_F(PlatformCreate, BelowAFolderDotNamesFilesAndMissingBasesAreRefused) {
  MakeDir("D:\\R");
  MakeFile("D:\\R\\file");
  for (const char* relative : {"..\\out", "a\\..\\..\\out", "a\\.\\b", ".", ""}) {
    const CreateResult r = fs.CreateFoldersBelow("D:\\R", relative);
    EXPECT_EQ(r.result.error, FsError::InvalidName) << relative;
    EXPECT_TRUE(r.made.empty());
  }
  EXPECT_EQ(ListDir("D:\\R"), std::vector<std::string>{"file"});
  EXPECT_FALSE(IsDir("D:\\out"));
  EXPECT_EQ(fs.CreateFoldersBelow("D:\\R", "file").result.error, FsError::Exists);
  EXPECT_EQ(fs.CreateFoldersBelow("D:\\R", "file\\x").result.error, FsError::Exists);
  EXPECT_EQ(fs.CreateFoldersBelow("D:\\Missing", "x").result.error, FsError::NotFound);
  EXPECT_EQ(fs.CreateFoldersBelow("Q:\\", "x").result.error, FsError::NotFound);
  EXPECT_FALSE(IsDir("D:\\Missing"));
}

TEST_F(PlatformCreate, SubfoldersOpenByDescriptorAndNeverThroughALink) {
  MakeFile("D:\\R\\sub\\f.txt", "abc");
  MakeFile("D:\\R\\.h", "1");
  Link("D:\\R\\sub", "D:\\R\\link");
  FolderHandle root = kNoFolderHandle, sub = kNoFolderHandle, link = kNoFolderHandle;
  ASSERT_TRUE(fs.OpenFolder("D:\\R", &root).ok());
  EXPECT_EQ(fs.OpenSubfolder(root, "link", &link).error, FsError::Link);
  EXPECT_EQ(link, kNoFolderHandle);
  EXPECT_EQ(fs.OpenSubfolder(root, "missing", &link).error, FsError::NotFound);
  EXPECT_EQ(fs.OpenSubfolder(root, ".h", &link).error, FsError::NotFound);
  ASSERT_TRUE(fs.OpenSubfolder(root, "sub", &sub).ok());

  std::vector<FolderEntry> entries;
  ASSERT_TRUE(fs.ReadFolder(root, true, &entries).ok());
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[0].hidden);
  EXPECT_EQ(entries[0].size, 1u);
  EXPECT_TRUE(entries[1].isSymlink);
  EXPECT_FALSE(entries[1].isFolder);
  EXPECT_EQ(entries[1].size, Host("D:\\R\\sub").size());
  EXPECT_TRUE(entries[2].isFolder);
  ASSERT_TRUE(fs.ReadFolder(sub, false, &entries).ok());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].size, 0u);  // no sizes asked for
  fs.CloseFolder(sub);
  fs.CloseFolder(root);
  EXPECT_EQ(fs.OpenFolder("D:\\R\\sub\\f.txt", &root).error, FsError::NotFound);
}


// ---- copies between open folders ----

class EntryCopy : public PlatformFs {
 protected:
  void SetUp() override {
    PlatformFs::SetUp();
    MakeDir("D:\\S");
    MakeDir("D:\\T");
    ASSERT_TRUE(fs.OpenFolder("D:\\S", &from).ok());
    ASSERT_TRUE(fs.OpenFolder("D:\\T", &to).ok());
  }
  void TearDown() override {
    fs.CloseFolder(from);
    fs.CloseFolder(to);
    PlatformFs::TearDown();
  }
  FsResult Copy(const std::string& name, bool overwrite, FileIdentity* identity = nullptr) {
    FsResult why;
    auto in = fs.OpenInputFileAt(from, name, &why);
    if (!in) return why;
    auto out = fs.CreateFileAt(to, name, in->Stamp().value_or(FileStamp{}), overwrite, &why);
    if (!out) return why;
    out->CopyFrom(*in);
    return out->Commit(identity);
  }
  FolderHandle from = kNoFolderHandle, to = kNoFolderHandle;
};

TEST_F(EntryCopy, MakeSubfolderCreatesFirstAndClassifiesWhatWasThere) {
  const SubfolderResult made = fs.MakeSubfolder(to, "new");
  ASSERT_TRUE(made.ok());
  EXPECT_TRUE(made.made);
  struct stat st {};
  ASSERT_EQ(::stat(Host("D:\\T\\new").c_str(), &st), 0);
  EXPECT_EQ(made.identity.inode, static_cast<std::uint64_t>(st.st_ino));
  const SubfolderResult again = fs.MakeSubfolder(to, "new");
  EXPECT_TRUE(again.ok());
  EXPECT_FALSE(again.made);
  EXPECT_EQ(again.identity, made.identity);
  MakeFile("D:\\T\\file");
  EXPECT_EQ(fs.MakeSubfolder(to, "file").result.error, FsError::Exists);
  ASSERT_EQ(::symlink(RootC().c_str(), Host("D:\\T\\link").c_str()), 0);
  EXPECT_EQ(fs.MakeSubfolder(to, "link").result.error, FsError::Link);
  for (const char* bad : {"", ".", "..", "a/b"}) EXPECT_EQ(fs.MakeSubfolder(to, bad).result.error, FsError::InvalidName);
  EXPECT_EQ(ListDir("C:\\"), std::vector<std::string>{});
}

// Made together, the folders must come out as one by one: the identities of
// new ones as the host's own look-up gives them (however many are listed),
// and what stood there classified the same.
TEST_F(EntryCopy, MakeSubfoldersAnswersAsMakeSubfolderDoesForEachName) {
  MakeDir("D:\\T\\old");
  MakeFile("D:\\T\\file");
  ASSERT_EQ(::symlink(RootC().c_str(), Host("D:\\T\\link").c_str()), 0);
  for (int i = 0; i < 40; ++i) MakeFile("D:\\T\\other" + std::to_string(i));
  std::vector<std::string> owned = {"n0", "old", "file", "", "link", "..", "n1"};
  for (int i = 2; i < 30; ++i) owned.push_back("n" + std::to_string(i));
  const std::vector<std::string_view> names(owned.begin(), owned.end());
  std::vector<SubfolderResult> results;
  fs.MakeSubfolders(to, names, &results);
  ASSERT_EQ(results.size(), names.size());
  struct stat t {};
  ASSERT_EQ(::stat(Host("D:\\T").c_str(), &t), 0);
  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(owned[i]);
    if (owned[i].empty() || owned[i] == "..") {
      EXPECT_EQ(results[i].result.error, FsError::InvalidName);
      continue;
    }
    if (owned[i] == "file" || owned[i] == "link") {
      EXPECT_EQ(results[i].result.error, owned[i] == "file" ? FsError::Exists : FsError::Link);
      EXPECT_FALSE(results[i].made);
      continue;
    }
    ASSERT_TRUE(results[i].ok());
    EXPECT_EQ(results[i].made, owned[i] != "old");
    struct stat st {};
    ASSERT_EQ(::lstat(Host("D:\\T\\" + owned[i]).c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(results[i].identity, FolderIdentityAt("D:\\T\\" + owned[i]));
  }
  // New ones among one that was there.
  fs.MakeSubfolders(to, {"x", "y", "old"}, &results);
  ASSERT_EQ(results.size(), 3u);
  EXPECT_TRUE(results[0].made && results[1].made && !results[2].made);
  EXPECT_NE(results[0].identity.inode, results[1].identity.inode);
}

TEST_F(EntryCopy, ACopyKeepsModeAndTimeAndReportsTheIdentityOfWhatItPutThere) {
  MakeFile("D:\\S\\f", "contents");
  ::chmod(Host("D:\\S\\f").c_str(), 06750);  // set-user and set-group bits never travel
  const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, Host("D:\\S\\f").c_str(), times, 0), 0);
  FileIdentity identity;
  ASSERT_TRUE(Copy("f", false, &identity).ok());
  EXPECT_EQ(ReadFile("D:\\T\\f"), "contents");
  struct stat st {};
  ASSERT_EQ(::lstat(Host("D:\\T\\f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0750u);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
  // Read once the file has its name: linking it changed its change time.
  EXPECT_EQ(identity, FileIdentityAt("D:\\T\\f"));
  EXPECT_EQ(identity.size, 8u);
}

TEST_F(EntryCopy, WithoutOverwriteNothingIsReplacedAndOverwriteSwapsInOneStep) {
  MakeFile("D:\\S\\f", "new");
  MakeFile("D:\\T\\f", "old");
  EXPECT_EQ(Copy("f", false).error, FsError::Exists);
  EXPECT_EQ(ReadFile("D:\\T\\f"), "old");
  ASSERT_EQ(::symlink("elsewhere", Host("D:\\T\\g").c_str()), 0);
  MakeFile("D:\\S\\g", "new");
  EXPECT_EQ(Copy("g", false).error, FsError::Exists);  // a dangling link is not written through
  EXPECT_FALSE(IsFile("D:\\T\\elsewhere"));
  EXPECT_TRUE(Copy("f", true).ok());
  EXPECT_EQ(ReadFile("D:\\T\\f"), "new");
  MakeDir("D:\\T\\dir");
  MakeFile("D:\\S\\dir", "x");
  EXPECT_EQ(Copy("dir", true).error, FsError::AccessDenied);
  EXPECT_EQ(ListDir("D:\\T"), (std::vector<std::string>{"dir", "f", "g"}));  // no temporaries
}

TEST_F(EntryCopy, ACopyFailingPartWayLeavesNeitherAPartialFileNorATemporary) {
  MakeFile("D:\\S\\big", std::string(1 << 20, 'b'));
  MakeFile("D:\\S\\old", std::string(100000, 'n'));
  MakeFile("D:\\T\\old", "old");
  {
    FileSizeLimit limit(64 * 1024);
    EXPECT_EQ(Copy("big", false).error, FsError::NoSpace);
    EXPECT_EQ(Copy("old", true).error, FsError::NoSpace);
  }
  EXPECT_EQ(ListDir("D:\\T"), (std::vector<std::string>{"old"}));
  EXPECT_EQ(ReadFile("D:\\T\\old"), "old");
}

TEST_F(EntryCopy, LinksAreCopiedAsTheirTextAndNeverOpenedAsFiles) {
  MakeFile("D:\\S\\real", "data");
  ASSERT_EQ(::symlink("../somewhere/else", Host("D:\\S\\link").c_str()), 0);
  EXPECT_EQ(fs.OpenInputFileAt(from, "link"), nullptr);
  ASSERT_EQ(::mkfifo(Host("D:\\S\\pipe").c_str(), 0600), 0);
  FsResult why;
  EXPECT_EQ(fs.OpenInputFileAt(from, "pipe", &why), nullptr);  // and it did not block
  FileIdentity identity;
  ASSERT_TRUE(fs.CopyLinkAt(from, "link", to, false, &identity).ok());
  char text[64] = {};
  ASSERT_GT(::readlink(Host("D:\\T\\link").c_str(), text, sizeof text - 1), 0);
  EXPECT_STREQ(text, "../somewhere/else");
  EXPECT_NE(identity.inode, 0u);
  EXPECT_EQ(fs.CopyLinkAt(from, "link", to, false, nullptr).error, FsError::Exists);
  EXPECT_TRUE(fs.CopyLinkAt(from, "link", to, true, nullptr).ok());
  EXPECT_EQ(ListDir("D:\\T"), (std::vector<std::string>{"link"}));
}

}  // namespace
}  // namespace quillory
