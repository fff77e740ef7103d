#include "platform/tree_walk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

struct Recorder : TreeVisitor {
  struct FolderSeen {
    std::string path;
    std::uint32_t level;
    bool listed;
  };
  std::vector<FolderSeen> folders;
  std::vector<std::string> subfolders;
  std::vector<std::pair<std::string, std::uint64_t>> files;  // folder\name
  bool descend = true;

  void Folder(const std::string& path, std::uint32_t level, bool listed) override {
    folders.push_back({path, level, listed});
  }
  bool Subfolder(const std::string& path, std::uint32_t) override {
    subfolders.push_back(path);
    return descend;
  }
  void File(const std::string& folder, std::string_view name, std::uint64_t size) override {
    files.emplace_back(folder + "|" + std::string(name), size);
  }
  void ListingFailed(const std::string& path, const FsResult&) override { failed.push_back(path); }
  void Skipped(const std::string& folder, std::string_view name) override {
    skipped.push_back(folder + "|" + std::string(name));
  }
  std::vector<std::string> failed;
  std::vector<std::string> skipped;
  std::uint64_t SizeOf(const std::string& key) const {
    for (const auto& [k, size] : files)
      if (k == key) return size;
    ADD_FAILURE() << "no file " << key;
    return 0;
  }
};

class TreeWalkTest : public TempDriveTest {};

TEST_F(TreeWalkTest, BreadthFirstByLevelWithHiddenEntriesAndSizes) {
  MakeFile("D:\\R\\a\\deep\\x.bin", "123");
  MakeFile("D:\\R\\b\\y.txt", "12345");
  MakeFile("D:\\R\\.hidden", "1");
  MakeDir("D:\\R\\.hid");
  Recorder r;
  TreeWalkOptions options;
  options.rootLevel = 1;
  WalkTree("D:\\R", r, options);

  ASSERT_EQ(r.folders.size(), 5u);
  EXPECT_EQ(r.folders[0].path, "D:\\R");
  EXPECT_EQ(r.folders[0].level, 1u);
  // Every level-2 folder before the level-3 one.
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(r.folders[i].level, 2u) << r.folders[i].path;
  EXPECT_EQ(r.folders[4].path, "D:\\R\\a\\deep");
  EXPECT_EQ(r.folders[4].level, 3u);
  for (const auto& f : r.folders) EXPECT_TRUE(f.listed) << f.path;
  EXPECT_EQ(r.files.size(), 3u);
  EXPECT_EQ(r.SizeOf("D:\\R\\a\\deep|x.bin"), 3u);
  EXPECT_EQ(r.SizeOf("D:\\R\\b|y.txt"), 5u);
  EXPECT_EQ(r.SizeOf("D:\\R|.hidden"), 1u);
}

TEST_F(TreeWalkTest, LinksAreFilesOfTheirOwnSizeAndNeverFollowed) {
  MakeFile("D:\\Outside\\big.bin", std::string(4096, 'x'));
  MakeFile("D:\\R\\f.txt", "ab");
  const std::string target = Host("D:\\Outside");
  ASSERT_EQ(::symlink(target.c_str(), Host("D:\\R\\toFolder").c_str()), 0);
  ASSERT_EQ(::symlink("f.txt", Host("D:\\R\\toFile").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", Host("D:\\R\\dangling").c_str()), 0);

  Recorder r;
  WalkTree("D:\\R", r);
  EXPECT_EQ(r.folders.size(), 1u);
  EXPECT_TRUE(r.subfolders.empty());
  EXPECT_EQ(r.files.size(), 4u);
  EXPECT_EQ(r.SizeOf("D:\\R|toFolder"), target.size());
  EXPECT_EQ(r.SizeOf("D:\\R|toFile"), 5u);
  EXPECT_EQ(r.SizeOf("D:\\R|dangling"), 7u);
}

TEST_F(TreeWalkTest, RootNamedThroughALinkIsResolved) {
  MakeFile("D:\\Real\\f.txt", "abc");
  ASSERT_EQ(::symlink(Host("D:\\Real").c_str(), Host("D:\\Alias").c_str()), 0);
  Recorder r;
  WalkTree("D:\\Alias", r);
  ASSERT_EQ(r.files.size(), 1u);
  EXPECT_EQ(r.SizeOf("D:\\Alias|f.txt"), 3u);
}

TEST_F(TreeWalkTest, UnreadableFoldersArePassedOver) {
  MakeFile("D:\\R\\bad\\hidden.txt", "x");
  MakeFile("D:\\R\\bad\\sub\\deeper.txt", "x");
  MakeFile("D:\\R\\good\\seen.txt", "x");
  MakeFile("D:\\R\\zz\\seen.txt", "x");
  FaultFileSystem fs;
  fs.FailOn(FsOp::OpenSubfolder, "D:\\R\\bad", FsError::AccessDenied);
  Recorder r;
  WalkTree("D:\\R", r, {}, fs);
  ASSERT_EQ(r.folders.size(), 4u);
  for (const auto& f : r.folders) EXPECT_EQ(f.listed, f.path != "D:\\R\\bad") << f.path;
  EXPECT_EQ(r.files.size(), 2u);

  if (RunningAsRoot()) GTEST_SKIP() << "permissions do not stop the superuser";
  ASSERT_EQ(::chmod(Host("D:\\R\\bad").c_str(), 0), 0);
  Recorder real;
  WalkTree("D:\\R", real);
  EXPECT_EQ(real.files.size(), 2u);
  EXPECT_EQ(real.folders.size(), 4u);
}

TEST_F(TreeWalkTest, JoinsNamesAndKeepsTheirBytes) {
  MakeDir("D:\\R\\sub");
  const std::string odd = "caf\xE9";  // Latin-1, not UTF-8
  const int fd = ::open((Host("D:\\R") + "/" + odd).c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ::close(fd);

  Recorder r;
  WalkTree("D:\\R\\", r);
  ASSERT_EQ(r.subfolders.size(), 1u);
  EXPECT_EQ(r.subfolders[0], "D:\\R\\sub");  // no doubled separator
  ASSERT_EQ(r.files.size(), 1u);
  EXPECT_EQ(r.files[0].first, "D:\\R\\|" + odd);

  Recorder top;
  TreeWalkOptions rootOnly;
  rootOnly.rootOnly = true;
  MakeFile("D:\\R\\sub\\inner.txt", "x");
  WalkTree("D:\\R", top, rootOnly);
  EXPECT_EQ(top.folders.size(), 1u);
  EXPECT_EQ(top.subfolders.size(), 1u);
  EXPECT_EQ(top.files.size(), 1u);
}

TEST_F(TreeWalkTest, MissingOrUnmappedRootIsNotListed) {
  for (const char* root : {"D:\\Nope", "Q:\\Unmapped", ""}) {
    Recorder r;
    WalkTree(root, r);
    ASSERT_EQ(r.folders.size(), 1u) << root;
    EXPECT_FALSE(r.folders[0].listed) << root;
    EXPECT_TRUE(r.files.empty());
  }
  MakeFile("D:\\plain.txt", "x");
  Recorder file;
  WalkTree("D:\\plain.txt", file);
  EXPECT_FALSE(file.folders.at(0).listed);
}

// A chain of `depth` folders with 10-byte names under the host folder, made
// from descriptors as no path could name its bottom; a file at the bottom.
void MakeDeepChain(const std::string& host, int depth) {
  int fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int i = 0; i < depth; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "level%05d", i);
    ASSERT_EQ(::mkdirat(fd, name, 0755), 0);
    const int next = ::openat(fd, name, O_RDONLY | O_DIRECTORY);
    ::close(fd);
    ASSERT_GE(next, 0);
    fd = next;
  }
  const int file = ::openat(fd, "bottom.txt", O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(file, 0);
  ASSERT_EQ(::write(file, "xyz", 3), 3);
  ::close(file);
  ::close(fd);
}

TEST_F(TreeWalkTest, DepthAndPathLengthDoNotMatterAndFewFoldersAreOpen) {
  MakeDir("D:\\R");
  MakeDeepChain(Host("D:\\R"), 1000);
  FaultFileSystem fs;
  Recorder r;
  WalkTree("D:\\R", r, {}, fs);
  ASSERT_EQ(r.folders.size(), 1001u);
  for (std::size_t i = 0; i < r.folders.size(); ++i) {
    EXPECT_TRUE(r.folders[i].listed) << i;
    EXPECT_EQ(r.folders[i].level, i);
  }
  ASSERT_EQ(r.files.size(), 1u);
  EXPECT_GT(r.files[0].first.size(), 11000u);
  EXPECT_EQ(r.files[0].second, 3u);
  EXPECT_LE(fs.MostOpenFolders(), 4);
  EXPECT_EQ(fs.OpenFolders(), 0);
}

TEST_F(TreeWalkTest, WideTreesKeepAHandfulOfFoldersOpen) {
  for (int a = 0; a < 6; ++a)
    for (int b = 0; b < 5; ++b)
      for (int c = 0; c < 3; ++c)
        MakeFile("D:\\R\\a" + std::to_string(a) + "\\b" + std::to_string(b) + "\\c" + std::to_string(c) + "\\f", "1");
  FaultFileSystem fs;
  Recorder r;
  WalkTree("D:\\R", r, {}, fs);
  EXPECT_EQ(r.folders.size(), 1u + 6 + 30 + 90);
  EXPECT_EQ(r.files.size(), 90u);
  for (const auto& f : r.folders) EXPECT_TRUE(f.listed) << f.path;
  EXPECT_LE(fs.MostOpenFolders(), 4);
  EXPECT_EQ(fs.OpenFolders(), 0);

  // With the descriptors of the process nearly used up, nothing is missed.
  rlimit saved{};
  ::getrlimit(RLIMIT_NOFILE, &saved);
  const int probe = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(probe, 0);
  ::close(probe);
  rlimit tight = saved;
  tight.rlim_cur = static_cast<rlim_t>(probe + 6);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
  Recorder tightly;
  WalkTree("D:\\R", tightly);
  ::setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(tightly.folders.size(), r.folders.size());
  EXPECT_EQ(tightly.files.size(), 90u);
}

TEST_F(TreeWalkTest, NamesWithABackslashAreSkippedNeverJoined) {
  MakeFile("D:\\R\\a\\b.txt", "1");
  MakeFile("D:\\R\\keep", "12");
  std::ofstream(Host("D:\\R") + "/a\\b.txt") << "123";
  ASSERT_EQ(::mkdir((Host("D:\\R") + "/x\\y").c_str(), 0755), 0);
  std::ofstream(Host("D:\\R") + "/x\\y/inner") << "1234";
  Recorder r;
  WalkTree("D:\\R", r);
  std::sort(r.skipped.begin(), r.skipped.end());
  EXPECT_EQ(r.skipped, (std::vector<std::string>{"D:\\R|a\\b.txt", "D:\\R|x\\y"}));
  EXPECT_EQ(r.subfolders, std::vector<std::string>{"D:\\R\\a"});
  EXPECT_EQ(r.files.size(), 2u);
  EXPECT_EQ(r.SizeOf("D:\\R\\a|b.txt"), 1u);
}

TEST_F(TreeWalkTest, AListingThatFailsPartWayIsReportedAndTheWalkGoesOn) {
  MakeFile("D:\\R\\broken\\seen.txt", "1");
  MakeFile("D:\\R\\broken\\sub\\inner.txt", "1");
  MakeFile("D:\\R\\fine\\seen.txt", "1");
  FaultFileSystem fs;
  fs.FailOn(FsOp::ReadFolder, "D:\\R\\broken");
  Recorder r;
  WalkTree("D:\\R", r, {}, fs);
  EXPECT_EQ(r.failed, std::vector<std::string>{"D:\\R\\broken"});
  EXPECT_EQ(r.files.size(), 3u);  // what the listing gave before it failed stays
  EXPECT_EQ(fs.OpenFolders(), 0);

  // A parent that cannot be opened again leaves its subfolders unlisted,
  // each reported, none dropped.
  FaultFileSystem gone;
  gone.FailAfter(FsOp::OpenSubfolder, 2);
  Recorder unlisted;
  WalkTree("D:\\R", unlisted, {}, gone);
  ASSERT_EQ(unlisted.folders.size(), 4u);
  EXPECT_FALSE(unlisted.folders[3].listed);
  EXPECT_EQ(unlisted.folders[3].path, "D:\\R\\broken\\sub");
}

}  // namespace
}  // namespace quillory
