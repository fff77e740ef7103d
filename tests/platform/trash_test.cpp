// Moves into the desktop's trash and back on real trees: the home trash
// (XDG_DATA_HOME pointed into the test's own folders), a top folder's trash
// on a tmpfs the test mounts, faults, and what another trash reader sees.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "platform/trash_info.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using trash::NameInTrash;
using trash::PercentDecode;
using trash::PercentEncode;

std::optional<std::string> ReadHost(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  std::fclose(file);
  return bytes;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode & 07777) : 0xFFFFU;
}

// ---- the pure text ----

TEST(TrashInfoText, PercentEncodingKeepsEveryByte) {
  EXPECT_EQ(PercentEncode("/home/ann/Az09-._~/x"), "/home/ann/Az09-._~/x");
  EXPECT_EQ(PercentEncode("a b%c\xC3\xA9\xFF\n"), "a%20b%25c%C3%A9%FF%0A");
  const std::string every = [] {
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    return all;
  }();
  EXPECT_EQ(PercentDecode(PercentEncode(every)), every);
  // What other writers may leave: lower-case hex, and a stray '%'.
  EXPECT_EQ(PercentDecode("a%c3%a9%2"), "a\xC3\xA9%2");
}

TEST(TrashInfoText, InfoRecordAndNumberedNames) {
  const char* zone = std::getenv("TZ");
  const std::optional<std::string> savedZone = zone != nullptr ? std::optional<std::string>(zone) : std::nullopt;
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  EXPECT_EQ(trash::InfoText("/a%20b", 1700000000), "[Trash Info]\nPath=/a%20b\nDeletionDate=2023-11-14T22:13:20\n");
  ::setenv("TZ", "Europe/Berlin", 1);
  ::tzset();
  // Local time, as the desktops write it, where the zone is known.
  if (Exists("/usr/share/zoneinfo/Europe/Berlin")) {
    EXPECT_EQ(trash::DeletionDate(1700000000), "2023-11-14T23:13:20");
  }
  if (savedZone)
    ::setenv("TZ", savedZone->c_str(), 1);
  else
    ::unsetenv("TZ");
  ::tzset();

  EXPECT_EQ(NameInTrash("a.txt", 1), "a.txt");
  EXPECT_EQ(NameInTrash("a.txt", 2), "a.txt.2");
  EXPECT_EQ(NameInTrash("a.txt", 12), "a.txt.12");
  // 'é' is two bytes: a cut inside it backs off to its start.
  std::string longName;
  while (longName.size() < 250) longName += "\xC3\xA9";
  for (const unsigned attempt : {1U, 2U, 123U}) {
    const std::string suffix = attempt > 1 ? "." + std::to_string(attempt) : std::string();
    const std::string name = NameInTrash(longName, attempt);
    EXPECT_LE(name.size() + trash::kInfoSuffix.size(), kMaxNameBytes) << attempt;
    ASSERT_GT(name.size(), suffix.size());
    EXPECT_EQ(name.substr(name.size() - suffix.size()), suffix);
    const std::string base = name.substr(0, name.size() - suffix.size());
    EXPECT_TRUE(IsValidUtf8(base)) << attempt;
    EXPECT_EQ(longName.compare(0, base.size(), base), 0) << attempt;
    // No more than the one character the cut fell into is lost.
    EXPECT_GE(base.size() + 1, kMaxNameBytes - trash::kInfoSuffix.size() - suffix.size()) << attempt;
  }
}

TEST(TrashInfoText, DirectorySizesKeepWhatOthersWrote) {
  const std::string current = "100 5 other\nnot a line we know\n7 8 mine\n9 9 a%20b\n";
  const std::string merged =
      trash::MergeDirectorySizes(current, {trash::SizeLine{42, 1700000000, "new one"}}, {"mine", "a b"});
  EXPECT_EQ(merged, "100 5 other\nnot a line we know\n42 1700000000 new%20one\n");
  // A name moved again replaces its old line.
  EXPECT_EQ(trash::MergeDirectorySizes("1 1 x\n", {trash::SizeLine{2, 2, "x"}}, {}), "2 2 x\n");
  EXPECT_EQ(trash::MergeDirectorySizes("", {}, {"x"}), "");
}

// ---- the host's trash on real trees ----

// The trash of each test is its own: XDG_DATA_HOME points into drive C:.
class TrashTest : public TempDriveTest {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    const char* data = std::getenv("XDG_DATA_HOME");
    savedDataHome_ = data != nullptr ? std::optional<std::string>(data) : std::nullopt;
    ::setenv("XDG_DATA_HOME", (RootC() + "/data").c_str(), 1);
  }
  void TearDown() override {
    can_.reset();
    for (auto it = mounted_.rbegin(); it != mounted_.rend(); ++it) ::umount2(it->c_str(), MNT_DETACH);
    if (savedDataHome_)
      ::setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1);
    else
      ::unsetenv("XDG_DATA_HOME");
    TempDriveTest::TearDown();
  }

  std::string Trash() const { return RootC() + "/data/Trash"; }

  // Moves `name` of the folder `parent` with the can of this test (opened at
  // the first move), the run aimed at `aimed`.
  FsResult Move(std::string_view parent, std::string_view name, TrashedEntry* moved, std::uint64_t bytes = 0,
                std::string_view aimed = "D:\\") {
    if (!can_) {
      FsResult failure;
      can_ = fs().OpenTrashCan(&failure);
      if (!can_) return failure;
    }
    FolderHandle aimedFolder = kNoFolderHandle;
    FolderHandle parentFolder = kNoFolderHandle;
    EXPECT_TRUE(fs().OpenFolder(aimed, &aimedFolder).ok()) << aimed;
    EXPECT_TRUE(fs().OpenFolder(parent, &parentFolder).ok()) << parent;
    const FsResult result = can_->Move(aimedFolder, parentFolder, name, bytes, moved);
    moved->path = JoinProgramPath(parent, name);
    fs().CloseFolder(aimedFolder);
    fs().CloseFolder(parentFolder);
    return result;
  }
  // Ends the run: the can writes what it keeps back (directorysizes).
  void CloseCan() { can_.reset(); }

  std::vector<FsResult> Restore(const std::vector<TrashedEntry>& entries) {
    std::vector<FsResult> results;
    fs().RestoreTrashed(entries, &results);
    EXPECT_EQ(results.size(), entries.size());
    return results;
  }

  // The .trashinfo of an entry moved to the home trash.
  std::string Info(const TrashedEntry& moved) {
    return ReadHost(moved.trash + "/info/" + moved.name + ".trashinfo").value_or("(none)");
  }

  // Checks the record's layout and date; returns its Path.
  std::string InfoPath(const TrashedEntry& moved) {
    const std::string info = Info(moved);
    const std::size_t dateAt = info.find("\nDeletionDate=");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0U) << info;
    EXPECT_NE(dateAt, std::string::npos) << info;
    if (dateAt == std::string::npos) return {};
    const std::string date = info.substr(dateAt + 14);
    std::tm local{};
    char end = '\0';
    EXPECT_EQ(std::sscanf(date.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &local.tm_year, &local.tm_mon, &local.tm_mday,
                          &local.tm_hour, &local.tm_min, &local.tm_sec, &end),
              7)
        << date;
    EXPECT_EQ(end, '\n');
    EXPECT_EQ(date.size(), 20U) << "one line, nothing after it";
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    EXPECT_LE(std::abs(std::difftime(std::mktime(&local), std::time(nullptr))), 5.0) << date;
    return info.substr(18, dateAt - 18);
  }

  virtual FileSystem& fs() { return HostFileSystem(); }

  bool Mount(const char* at, const char* options) {
    const std::string target = Host(at);
    if (::mount("none", target.c_str(), "tmpfs", 0, options) != 0) return false;
    mounted_.push_back(target);
    return true;
  }

  std::unique_ptr<TrashCan> can_;
  std::vector<std::string> mounted_;

 private:
  std::optional<std::string> savedDataHome_;
};

TEST_F(TrashTest, AFileAFolderAndALinkGoToTheHomeTrash) {
  // Origins below are compared unencoded: the temporary folders' names need none.
  ASSERT_EQ(PercentEncode(RootD()), RootD());
  MakeFile("D:\\in\\a.txt", "A");
  MakeFile("D:\\in\\dir\\x\\y.txt", "Y");
  MakeFile("D:\\target.txt", "T");
  ASSERT_EQ(::symlink(Host("D:\\target.txt").c_str(), Host("D:\\in\\ln").c_str()), 0);
  const FolderIdentity fileId = FolderIdentityAt("D:\\in\\a.txt");
  const FolderIdentity dirId = FolderIdentityAt("D:\\in\\dir");
  const FolderIdentity linkId = FolderIdentityAt("D:\\in\\ln");

  TrashedEntry file, folder, link;
  ASSERT_TRUE(Move("D:\\in", "a.txt", &file).ok());
  ASSERT_TRUE(Move("D:\\in", "dir", &folder, 4096).ok());
  const FsResult linkMove = Move("D:\\in", "ln", &link);
  ASSERT_TRUE(linkMove.ok()) << linkMove.message;
  EXPECT_EQ(ListDir("D:\\in"), std::vector<std::string>{});

  // The trash and its parts are made private to the user.
  for (const std::string& folderPath : {Trash(), Trash() + "/files", Trash() + "/info"})
    EXPECT_EQ(ModeOf(folderPath), 0700U) << folderPath;
  EXPECT_EQ(ReadHost(Trash() + "/files/a.txt"), "A");
  EXPECT_EQ(ReadHost(Trash() + "/files/dir/x/y.txt"), "Y");
  char target[4096] = {};
  ASSERT_GT(::readlink((Trash() + "/files/ln").c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(std::string(target), Host("D:\\target.txt"));
  EXPECT_EQ(ReadFile("D:\\target.txt"), "T");

  EXPECT_EQ(file.path, "D:\\in\\a.txt");
  EXPECT_EQ(file.origin, RootD() + "/in/a.txt");
  EXPECT_EQ(file.aimed, RootD().size());
  EXPECT_EQ(file.trash, Trash());
  EXPECT_EQ(file.name, "a.txt");
  EXPECT_EQ(file.identity, fileId);
  EXPECT_FALSE(file.folder);
  EXPECT_TRUE(folder.folder);
  EXPECT_EQ(folder.identity, dirId);
  EXPECT_EQ(link.identity, linkId);
  EXPECT_FALSE(link.folder);

  EXPECT_EQ(InfoPath(file), RootD() + "/in/a.txt");
  EXPECT_EQ(InfoPath(folder), RootD() + "/in/dir");
  EXPECT_EQ(InfoPath(link), RootD() + "/in/ln");
  struct stat st {};
  ASSERT_EQ(::stat((Trash() + "/info/a.txt.trashinfo").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600U);
}

TEST_F(TrashTest, PathIsPercentEncodedByteForByte) {
  const std::string name = "a b%c \xC3\xA9\xFF~_.-";
  MakeFile("D:\\in\\" + name, "odd");
  TrashedEntry moved;
  ASSERT_TRUE(Move("D:\\in", name, &moved).ok());
  EXPECT_EQ(moved.name, name);
  EXPECT_EQ(ReadHost(Trash() + "/files/" + name), "odd");
  EXPECT_EQ(InfoPath(moved), RootD() + "/in/a%20b%25c%20%C3%A9%FF~_.-");
}

TEST_F(TrashTest, NamesInTheTrashNeverCollide) {
  MakeFile("D:\\one\\same.txt", "1");
  MakeFile("D:\\two\\same.txt", "2");
  MakeFile("D:\\three\\same.txt", "3");
  TrashedEntry first, second, third;
  ASSERT_TRUE(Move("D:\\one", "same.txt", &first).ok());
  ASSERT_TRUE(Move("D:\\two", "same.txt", &second).ok());
  EXPECT_EQ(first.name, "same.txt");
  EXPECT_EQ(second.name, "same.txt.2");
  EXPECT_EQ(InfoPath(second), RootD() + "/two/same.txt");

  // A files/ entry that lost its .trashinfo still holds its name; the
  // .trashinfo made for it goes again.
  ASSERT_TRUE(Exists(Trash() + "/files"));
  {
    std::FILE* stray = std::fopen((Trash() + "/files/same.txt.3").c_str(), "wb");
    ASSERT_NE(stray, nullptr);
    std::fclose(stray);
  }
  ASSERT_TRUE(Move("D:\\three", "same.txt", &third).ok());
  EXPECT_EQ(third.name, "same.txt.4");
  EXPECT_FALSE(Exists(Trash() + "/info/same.txt.3.trashinfo"));
  EXPECT_EQ(ReadHost(Trash() + "/files/same.txt.3"), "");
  EXPECT_EQ(ReadHost(Trash() + "/files/same.txt.4"), "3");
  EXPECT_EQ(ReadHost(Trash() + "/files/same.txt"), "1");

  // The longest name a folder takes leaves no room for ".trashinfo".
  std::string longName(kMaxNameBytes, 'n');
  MakeFile("D:\\long\\" + longName, "L");
  TrashedEntry shortened;
  ASSERT_TRUE(Move("D:\\long", longName, &shortened).ok());
  EXPECT_EQ(shortened.name, longName.substr(0, kMaxNameBytes - 10));
  EXPECT_EQ(ReadHost(Trash() + "/files/" + shortened.name), "L");
  EXPECT_EQ(InfoPath(shortened), RootD() + "/long/" + longName);
}

TEST_F(TrashTest, ALinkInPlaceOfATrashFolderIsRefused) {
  MakeFile("D:\\in\\a.txt", "A");
  MakeDir("D:\\elsewhere");
  ASSERT_EQ(::mkdir((RootC() + "/data").c_str(), 0700), 0);
  ASSERT_EQ(::symlink(Host("D:\\elsewhere").c_str(), Trash().c_str()), 0);
  TrashedEntry moved;
  FsResult result = Move("D:\\in", "a.txt", &moved);
  EXPECT_EQ(result.error, FsError::NoTrash);
  EXPECT_NE(result.message.find("symbolic link"), std::string::npos) << result.message;
  EXPECT_EQ(ReadFile("D:\\in\\a.txt"), "A");
  EXPECT_EQ(ListDir("D:\\elsewhere"), std::vector<std::string>{});

  // files/ a link, in a trash that is otherwise real; a new run looks again.
  CloseCan();
  ASSERT_EQ(::unlink(Trash().c_str()), 0);
  ASSERT_EQ(::mkdir(Trash().c_str(), 0700), 0);
  ASSERT_EQ(::symlink(Host("D:\\elsewhere").c_str(), (Trash() + "/files").c_str()), 0);
  result = Move("D:\\in", "a.txt", &moved);
  EXPECT_EQ(result.error, FsError::NoTrash);
  EXPECT_NE(result.message.find("symbolic link"), std::string::npos) << result.message;
  EXPECT_EQ(ReadFile("D:\\in\\a.txt"), "A");
  EXPECT_EQ(ListDir("D:\\elsewhere"), std::vector<std::string>{});
}

TEST_F(TrashTest, WhatIsGoneOrAMountPointIsNotMoved) {
  MakeDir("D:\\in");
  TrashedEntry moved;
  EXPECT_EQ(Move("D:\\in", "missing", &moved).error, FsError::NotFound);
  if (!RunningAsRoot()) GTEST_SKIP() << "mounting needs root";
  MakeDir("D:\\in\\mnt");
  if (!Mount("D:\\in\\mnt", "size=1m")) GTEST_SKIP() << "mounting is not permitted here";
  EXPECT_EQ(Move("D:\\in", "mnt", &moved).error, FsError::MountPoint);
  EXPECT_TRUE(IsDir("D:\\in\\mnt"));
}

TEST_F(TrashTest, RestorePutsItBackAndForgetsItsSize) {
  MakeFile("D:\\in\\a.txt", "A");
  MakeFile("D:\\in\\dir\\x\\y.txt", "Y");
  TrashedEntry file, folder;
  ASSERT_TRUE(Move("D:\\in", "a.txt", &file).ok());
  ASSERT_TRUE(Move("D:\\in", "dir", &folder, 12345).ok());
  CloseCan();

  struct stat info {};
  ASSERT_EQ(::stat((Trash() + "/info/dir.trashinfo").c_str(), &info), 0);
  EXPECT_EQ(ReadHost(Trash() + "/directorysizes"), "12345 " + std::to_string(info.st_mtim.tv_sec) + " dir\n");

  const std::vector<FsResult> results = Restore({file, folder});
  for (const FsResult& result : results) EXPECT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(ReadFile("D:\\in\\a.txt"), "A");
  EXPECT_EQ(ReadFile("D:\\in\\dir\\x\\y.txt"), "Y");
  EXPECT_EQ(FolderIdentityAt("D:\\in\\dir"), folder.identity);
  EXPECT_EQ(ListDir("C:\\data\\Trash\\files"), std::vector<std::string>{});
  EXPECT_EQ(ListDir("C:\\data\\Trash\\info"), std::vector<std::string>{});
  EXPECT_EQ(ReadHost(Trash() + "/directorysizes"), "");
}

TEST_F(TrashTest, RestoreLeavesAloneWhatIsNotItsToTouch) {
  for (const char* name : {"taken", "replaced", "gone", "linked", "missing"}) {
    MakeFile(std::string("D:\\in\\") + name + "\\f.txt", name);
  }
  std::vector<TrashedEntry> moved(5);
  ASSERT_TRUE(Move("D:\\in\\taken", "f.txt", &moved[0]).ok());
  ASSERT_TRUE(Move("D:\\in\\replaced", "f.txt", &moved[1]).ok());
  ASSERT_TRUE(Move("D:\\in\\gone", "f.txt", &moved[2]).ok());
  ASSERT_TRUE(Move("D:\\in\\linked", "f.txt", &moved[3]).ok());
  ASSERT_TRUE(Move("D:\\in\\missing", "f.txt", &moved[4]).ok());

  MakeFile("D:\\in\\taken\\f.txt", "new");
  // Another file put in its place under the same name (made first, so it
  // cannot get the old one's inode number).
  const std::string replaced = moved[1].trash + "/files/" + moved[1].name;
  MakeFile("C:\\other", "other");
  ASSERT_EQ(::rename(Host("C:\\other").c_str(), replaced.c_str()), 0);
  ASSERT_EQ(::unlink((moved[2].trash + "/files/" + moved[2].name).c_str()), 0);
  // The folder on the way back moved away and a link to it in its place.
  ASSERT_EQ(::rename(Host("D:\\in\\linked").c_str(), Host("D:\\away").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\away").c_str(), Host("D:\\in\\linked").c_str()), 0);
  RemoveTree(Host("D:\\in\\missing"));

  const std::vector<FsResult> results = Restore(moved);
  ASSERT_EQ(results.size(), 5U);
  EXPECT_EQ(results[0].error, FsError::Exists);
  EXPECT_EQ(results[1].error, FsError::Changed);
  EXPECT_EQ(results[2].error, FsError::Changed);
  EXPECT_EQ(results[3].error, FsError::Link);
  EXPECT_EQ(results[4].error, FsError::NotFound);

  EXPECT_EQ(ReadFile("D:\\in\\taken\\f.txt"), "new");
  EXPECT_EQ(ReadHost(replaced), "other");
  EXPECT_EQ(ListDir("D:\\away"), std::vector<std::string>{});
  EXPECT_FALSE(Exists(Host("D:\\in\\missing")));
  // What stayed keeps its .trashinfo, so the trash still shows it.
  for (const std::size_t i : {0U, 1U, 3U, 4U}) {
    EXPECT_TRUE(Exists(moved[i].trash + "/files/" + moved[i].name)) << i;
    EXPECT_TRUE(Exists(moved[i].trash + "/info/" + moved[i].name + ".trashinfo")) << i;
  }
}

TEST_F(TrashTest, AReadOnlyFolderKeepsItsModeThroughMoveAndRestore) {
  MakeFile("D:\\in\\ro\\f.txt", "F");
  ASSERT_EQ(::chmod(Host("D:\\in\\ro").c_str(), 0555), 0);
  TrashedEntry moved;
  ASSERT_TRUE(Move("D:\\in", "ro", &moved).ok());
  EXPECT_EQ(ModeOf(moved.trash + "/files/ro"), 0555U);
  const std::vector<FsResult> results = Restore({moved});
  EXPECT_TRUE(results[0].ok()) << results[0].message;
  EXPECT_EQ(ModeOf(Host("D:\\in\\ro")), 0555U);
  EXPECT_EQ(ReadFile("D:\\in\\ro\\f.txt"), "F");
}

// Root may move any folder; a user needs write permission on the folder
// itself, as its ".." changes. Run as such a user in a child process.
TEST_F(TrashTest, AUserMovesHerOwnReadOnlyFolderAndBack) {
  if (!RunningAsRoot()) GTEST_SKIP() << "the test switches to another user, which needs root";
  constexpr uid_t kUser = 65534;
  MakeFile("D:\\in\\ro\\f.txt", "F");
  for (const std::string& path : {RootD(), Host("D:\\in"), Host("D:\\in\\ro"), Host("D:\\in\\ro\\f.txt"), RootC()})
    ASSERT_EQ(::chown(path.c_str(), kUser, kUser), 0) << path;
  ASSERT_EQ(::chmod(Host("D:\\in\\ro").c_str(), 0555), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kUser) != 0 || ::setuid(kUser) != 0) ::_exit(10);
    TrashedEntry moved;
    if (!Move("D:\\in", "ro", &moved).ok()) ::_exit(11);
    CloseCan();
    if (ModeOf(moved.trash + "/files/ro") != 0555U || Exists(Host("D:\\in\\ro"))) ::_exit(12);
    std::vector<FsResult> results;
    HostFileSystem().RestoreTrashed({moved}, &results);
    if (!results[0].ok()) ::_exit(13);
    ::_exit(ModeOf(Host("D:\\in\\ro")) == 0555U ? 0 : 14);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  // 10: could not switch user; 11: the move; 12: the mode in the trash;
  // 13: the restore; 14: the mode back in place.
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile("D:\\in\\ro\\f.txt"), "F");
}

TEST_F(TrashTest, AFaultInjectedIntoTheMoveOrTheRestoreTouchesNothing) {
  FaultFileSystem faults;
  MakeFile("D:\\in\\a.txt", "A");
  MakeFile("D:\\in\\b.txt", "B");
  faults.FailOn(FsOp::TrashMove, "D:\\in\\a.txt", FsError::NoSpace);
  FsResult failure;
  std::unique_ptr<TrashCan> can = faults.OpenTrashCan(&failure);
  ASSERT_TRUE(can) << failure.message;
  FolderHandle in = kNoFolderHandle;
  ASSERT_TRUE(faults.OpenFolder("D:\\in", &in).ok());
  TrashedEntry a, b;
  EXPECT_EQ(can->Move(in, in, "a.txt", 0, &a).error, FsError::NoSpace);
  EXPECT_TRUE(can->Move(in, in, "b.txt", 0, &b).ok());
  faults.CloseFolder(in);
  can.reset();
  EXPECT_EQ(faults.Calls(FsOp::TrashMove), 2);
  EXPECT_EQ(ReadFile("D:\\in\\a.txt"), "A");
  EXPECT_EQ(ListDir("C:\\data\\Trash\\files"), std::vector<std::string>{"b.txt"});
  EXPECT_EQ(ListDir("C:\\data\\Trash\\info"), std::vector<std::string>{"b.txt.trashinfo"});

  b.path = "D:\\in\\b.txt";
  faults.FailOn(FsOp::RestoreTrashed, "D:\\in\\b.txt", FsError::AccessDenied);
  std::vector<FsResult> results;
  faults.RestoreTrashed({b}, &results);
  ASSERT_EQ(results.size(), 1U);
  EXPECT_EQ(results[0].error, FsError::AccessDenied);
  EXPECT_FALSE(IsFile("D:\\in\\b.txt"));
  faults.Clear();
  faults.RestoreTrashed({b}, &results);
  EXPECT_TRUE(results[0].ok()) << results[0].message;
  EXPECT_EQ(ReadFile("D:\\in\\b.txt"), "B");
}

// The delete page sizes a folder by the disk space its files take.
TEST_F(TrashTest, ListingsWithSizesTellTheSpaceTaken) {
  MakeFile("D:\\in\\big.bin", std::string(10000, 'x'));
  MakeFile("D:\\in\\sub\\f.txt", "f");
  FolderHandle in = kNoFolderHandle;
  ASSERT_TRUE(fs().OpenFolder("D:\\in", &in).ok());
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(fs().ReadFolder(in, true, &entries).ok());
  fs().CloseFolder(in);
  ASSERT_EQ(entries.size(), 2U);
  struct stat st {};
  ASSERT_EQ(::stat(Host("D:\\in\\big.bin").c_str(), &st), 0);
  EXPECT_EQ(entries[0].name, "big.bin");
  EXPECT_EQ(entries[0].allocated, static_cast<std::uint64_t>(st.st_blocks) * 512);
  EXPECT_GE(entries[0].allocated, 10000U);
  EXPECT_EQ(entries[1].allocated, 0U) << "a folder";
}

// ---- the trash of a top folder, on a tmpfs the test mounts ----

class TopFolderTrashTest : public TrashTest {
 protected:
  void SetUp() override {
    TrashTest::SetUp();
    if (!RunningAsRoot()) GTEST_SKIP() << "mounting a tmpfs needs root";
    MakeDir("D:\\mnt");
    if (!Mount("D:\\mnt", "size=1m,mode=0755")) GTEST_SKIP() << "mounting is not permitted here";
    MakeFile("D:\\mnt\\sub\\f 1.txt", "on tmpfs");
    uid_ = std::to_string(::geteuid());
  }
  std::string Top() { return Host("D:\\mnt"); }
  std::string uid_;
};

TEST_F(TopFolderTrashTest, AnOwnTrashIsMadeWithRelativePaths) {
  TrashedEntry moved;
  const FsResult result = Move("D:\\mnt\\sub", "f 1.txt", &moved);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(moved.trash, Top() + "/.Trash-" + uid_);
  EXPECT_EQ(ModeOf(moved.trash), 0700U);
  EXPECT_EQ(ReadHost(moved.trash + "/files/f 1.txt"), "on tmpfs");
  EXPECT_EQ(InfoPath(moved), "sub/f%201.txt");
  EXPECT_EQ(moved.origin, Top() + "/sub/f 1.txt");
  EXPECT_EQ(ListDir("C:\\data\\Trash\\files"), std::vector<std::string>{}) << "nothing goes to the home trash";

  // The run aimed above the mount point: the way back would cross it.
  EXPECT_EQ(Restore({moved})[0].error, FsError::MountPoint);
  EXPECT_EQ(ReadHost(moved.trash + "/files/f 1.txt"), "on tmpfs");
  moved.aimed = static_cast<std::uint32_t>(Top().size());
  const FsResult restored = Restore({moved})[0];
  EXPECT_TRUE(restored.ok()) << restored.message;
  EXPECT_EQ(ReadFile("D:\\mnt\\sub\\f 1.txt"), "on tmpfs");
}

TEST_F(TopFolderTrashTest, ASharedStickyTrashGetsAFolderPerUser) {
  ASSERT_EQ(::mkdir((Top() + "/.Trash").c_str(), 0777), 0);
  ASSERT_EQ(::chmod((Top() + "/.Trash").c_str(), 01777), 0);
  TrashedEntry moved;
  ASSERT_TRUE(Move("D:\\mnt\\sub", "f 1.txt", &moved).ok());
  EXPECT_EQ(moved.trash, Top() + "/.Trash/" + uid_);
  EXPECT_EQ(ModeOf(moved.trash), 0700U);
  EXPECT_EQ(InfoPath(moved), "sub/f%201.txt");
  EXPECT_FALSE(Exists(Top() + "/.Trash-" + uid_));
}

TEST_F(TopFolderTrashTest, ASharedTrashWithoutStickyBitOrALinkIsPassedBy) {
  // Without the sticky bit anyone could take others' entries away.
  ASSERT_EQ(::mkdir((Top() + "/.Trash").c_str(), 0777), 0);
  ASSERT_EQ(::chmod((Top() + "/.Trash").c_str(), 0777), 0);
  TrashedEntry moved;
  ASSERT_TRUE(Move("D:\\mnt\\sub", "f 1.txt", &moved).ok());
  EXPECT_EQ(moved.trash, Top() + "/.Trash-" + uid_);
  EXPECT_EQ(ListDir("D:\\mnt\\.Trash"), std::vector<std::string>{});

  // A link to a sticky folder elsewhere is not a shared trash either.
  CloseCan();
  ASSERT_EQ(::rmdir((Top() + "/.Trash").c_str()), 0);
  MakeDir("D:\\mnt\\sticky");
  ASSERT_EQ(::chmod(Host("D:\\mnt\\sticky").c_str(), 01777), 0);
  ASSERT_EQ(::symlink(Host("D:\\mnt\\sticky").c_str(), (Top() + "/.Trash").c_str()), 0);
  MakeFile("D:\\mnt\\sub\\g.txt", "g");
  ASSERT_TRUE(Move("D:\\mnt\\sub", "g.txt", &moved).ok());
  EXPECT_EQ(moved.trash, Top() + "/.Trash-" + uid_);
  EXPECT_EQ(ListDir("D:\\mnt\\sticky"), std::vector<std::string>{});
}

TEST_F(TopFolderTrashTest, AnOwnTrashOthersMayWriteIsRefused) {
  ASSERT_EQ(::mkdir((Top() + "/.Trash-" + uid_).c_str(), 0777), 0);
  ASSERT_EQ(::chmod((Top() + "/.Trash-" + uid_).c_str(), 0777), 0);
  TrashedEntry moved;
  const FsResult result = Move("D:\\mnt\\sub", "f 1.txt", &moved);
  EXPECT_EQ(result.error, FsError::NoTrash);
  EXPECT_NE(result.message.find("writable by other users"), std::string::npos) << result.message;
  EXPECT_EQ(ReadFile("D:\\mnt\\sub\\f 1.txt"), "on tmpfs");
}

TEST_F(TopFolderTrashTest, AReadOnlyFileSystemHasNoTrashAndSaysWhich) {
  ASSERT_EQ(::mount(nullptr, Top().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=1m"), 0);
  TrashedEntry moved;
  const FsResult result = Move("D:\\mnt\\sub", "f 1.txt", &moved);
  EXPECT_EQ(result.error, FsError::NoTrash);
  EXPECT_NE(result.message.find(Top()), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("tmpfs"), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("Read-only"), std::string::npos) << result.message;
  EXPECT_EQ(ReadFile("D:\\mnt\\sub\\f 1.txt"), "on tmpfs");
}

// ---- what another reader of the trash sees ----

// The command's output (stderr too), or nullopt when it did not end with 0.
std::optional<std::string> RunCommand(const std::string& command) {
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = ::pclose(pipe);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return out;
}

class TrashInteroperationTest : public TrashTest {
 protected:
  void SetUp() override {
    TrashTest::SetUp();
    if (!RunCommand("command -v gio && command -v dbus-run-session && command -v timeout"))
      GTEST_SKIP() << "gio or dbus-run-session is not installed (scripts/install-deps adds them)";
    MakeDir("C:\\home");
    environment_ = "env HOME='" + RootC() + "/home' XDG_DATA_HOME='" + RootC() + "/data' ";
  }
  // The trash as the desktop's own tools list it; nullopt where they cannot.
  std::optional<std::string> Listing() {
    return RunCommand(environment_ + "timeout 60 dbus-run-session -- gio list -a trash::orig-path trash://");
  }
  std::string environment_;
};

TEST_F(TrashInteroperationTest, TheDesktopListsWhatWasMovedWhereItCameFrom) {
  MakeFile("D:\\in\\a.txt", "A");
  MakeFile("D:\\in\\dir\\b.txt", "B");
  TrashedEntry file, folder;
  ASSERT_TRUE(Move("D:\\in", "a.txt", &file).ok());
  ASSERT_TRUE(Move("D:\\in", "dir", &folder, 4096).ok());
  CloseCan();
  const std::optional<std::string> listing = Listing();
  if (!listing) GTEST_SKIP() << "trash:// cannot be listed here (the gvfs daemons are missing)";
  EXPECT_NE(listing->find("trash::orig-path=" + file.origin + "\n"), std::string::npos) << *listing;
  EXPECT_NE(listing->find("trash::orig-path=" + folder.origin + "\n"), std::string::npos) << *listing;
}

TEST_F(TrashInteroperationTest, WhatTheDesktopTrashedIsNeverRestored) {
  MakeFile("D:\\in\\same.txt", "ours");
  TrashedEntry ours;
  ASSERT_TRUE(Move("D:\\in", "same.txt", &ours).ok());
  CloseCan();
  // Emptied by hand, then another file of that name trashed by the desktop.
  // (Made first, so it cannot get the old one's inode number.)
  MakeFile("D:\\other\\same.txt", "theirs");
  ASSERT_EQ(::unlink((ours.trash + "/files/same.txt").c_str()), 0);
  ASSERT_EQ(::unlink((ours.trash + "/info/same.txt.trashinfo").c_str()), 0);
  if (!RunCommand(environment_ + "timeout 60 gio trash '" + Host("D:\\other\\same.txt") + "'"))
    GTEST_SKIP() << "gio cannot trash here";
  ASSERT_EQ(ReadHost(ours.trash + "/files/same.txt"), "theirs");

  const std::vector<FsResult> results = Restore({ours});
  EXPECT_EQ(results[0].error, FsError::Changed);
  EXPECT_FALSE(Exists(Host("D:\\in\\same.txt")));
  EXPECT_EQ(ReadHost(ours.trash + "/files/same.txt"), "theirs");
  EXPECT_TRUE(Exists(ours.trash + "/info/same.txt.trashinfo"));
}

}  // namespace
}  // namespace quillory
