#include "platform/tree_walk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace
}  // namespace quillory
