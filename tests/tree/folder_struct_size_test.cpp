#include "tree/folder_struct_size.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "app/scripted_ui.h"
#include "platform/tree_walk.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"
#include "tree/tree_windows.h"

namespace quillory {
namespace {

class FolderStructSizeTest : public TempDriveTest {};

TEST(FormatByteSizeTest, PicksTheLargestUnitAboveOne) {
  EXPECT_EQ(FormatByteSize(0), "0.00 Bytes");
  EXPECT_EQ(FormatByteSize(1024), "1024.00 Bytes");
  EXPECT_EQ(FormatByteSize(1025), "1.00 KB");
  EXPECT_EQ(FormatByteSize(1536), "1.50 KB");
  EXPECT_EQ(FormatByteSize(1048576), "1024.00 KB");
  EXPECT_EQ(FormatByteSize(3 * 1048576), "3.00 MB");
  EXPECT_EQ(FormatByteSize(5368709120ull), "5.00 GB");
  EXPECT_EQ(FormatByteSize(~0ull), "17179869184.00 GB");
}

TEST_F(FolderStructSizeTest, CountsFoldersFilesAndLevels) {
  MakeFile("D:\\R\\a\\x.txt", "12");
  MakeFile("D:\\R\\a\\deep\\y.doc", "1234");
  MakeDir("D:\\R\\b");
  MakeDir("D:\\R\\c");
  MakeFile("D:\\R\\top1.txt", "1");
  MakeFile("D:\\R\\.top2", "123");

  FolderStructSize size("D:\\R", HostFileSystem());
  size.Walk();
  EXPECT_EQ(size.GetFolderCount(), 4);  // a, b, c, deep
  EXPECT_EQ(size.GetAllFiles(), 4u);
  EXPECT_EQ(size.GetAllBytes(), 10u);
  const std::map<std::uint32_t, std::uint32_t> levels{{1, 1}, {2, 3}, {3, 1}};
  EXPECT_EQ(size.Levels(), levels);
  const FolderStructSize::FileSizes sizes{{"D:\\R\\.top2", 3},
                                          {"D:\\R\\a\\deep\\y.doc", 4},
                                          {"D:\\R\\a\\x.txt", 2},
                                          {"D:\\R\\top1.txt", 1}};
  EXPECT_EQ(size.GetAllFileSizes(), sizes);
  EXPECT_EQ(size.GetSelectedFiles(), 0u);

  FolderStructSize counted("D:\\R", HostFileSystem());
  counted.SetCountRoot(true);
  counted.Walk();
  EXPECT_EQ(counted.GetFolderCount(), 5);

  // Only the direct files; no subfolder counted.
  FolderStructSize top("D:\\R", HostFileSystem());
  top.SetFileMasks({"*.txt"});
  top.WalkRootFilesSelected();
  EXPECT_EQ(top.GetSelectedFiles(), 1u);
  EXPECT_EQ(top.GetSelectedBytes(), 1u);
  EXPECT_EQ(top.GetFolderCount(), 0);
}

TEST_F(FolderStructSizeTest, MaskedWalkCountsAFileOncePerMatchingMask) {
  MakeFile("D:\\R\\a.txt", "123");
  MakeFile("D:\\R\\B.TXT", "1");
  MakeFile("D:\\R\\noext", "12");
  MakeFile("D:\\R\\s1\\c.doc", "1234");
  MakeDir("D:\\R\\s2");

  FolderStructSize size("D:\\R", HostFileSystem());
  size.SetFileMasks({"*.txt", "*.*"});
  size.WalkSelected();
  EXPECT_EQ(size.GetSelectedFiles(), 6u);  // a, B twice; noext, c once
  EXPECT_EQ(size.GetSelectedBytes(), 4u * 2 + 2 + 4);
  EXPECT_EQ(size.GetSelectedFileSizes().size(), 4u);
  EXPECT_EQ(size.GetFolderCount(), 2);  // folders once, whatever the masks
  EXPECT_EQ(size.Levels().at(2), 2u);
  EXPECT_EQ(size.GetAllFiles(), 0u);

  FolderStructSize none("D:\\R", HostFileSystem());
  none.SetFileMasks({"*.pdf"});
  none.WalkSelected();
  EXPECT_EQ(none.GetSelectedFiles(), 0u);
  EXPECT_EQ(none.GetFolderCount(), 2);

  FolderStructSize empty("D:\\R", HostFileSystem());
  empty.SetFileMasks({});
  empty.WalkSelected();
  EXPECT_EQ(empty.GetSelectedFiles(), 4u);
}

TEST_F(FolderStructSizeTest, SparseFileLinksAndUnreadableFolders) {
  MakeDir("D:\\R\\sub");
  const int fd = ::open(Host("D:\\R\\sub\\huge.bin").c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 5368709120LL), 0);
  ::close(fd);
  // A link to a large folder outside the tree adds only the link itself.
  MakeFile("D:\\Big\\a.bin", std::string(100000, 'x'));
  MakeFile("D:\\Big\\inner\\b.bin", std::string(100000, 'x'));
  const std::string target = Host("D:\\Big");
  ASSERT_EQ(::symlink(target.c_str(), Host("D:\\R\\link").c_str()), 0);
  // An unreadable folder before and after others in the listing.
  MakeFile("D:\\R\\a-locked\\x.txt", "123");
  MakeFile("D:\\R\\z-after\\y.txt", "12");
  FaultFileSystem fs;
  fs.FailOn(FsOp::OpenSubfolder, "D:\\R\\a-locked", FsError::AccessDenied);

  FolderStructSize size("D:\\R", fs);
  size.Walk();
  EXPECT_EQ(size.GetAllBytes(), 5368709120ull + target.size() + 2);
  EXPECT_EQ(size.GetAllFiles(), 3u);
  EXPECT_EQ(size.GetFolderCount(), 3);  // the locked one still counts
  EXPECT_EQ(size.GetAllFileSizes().at("D:\\R\\sub\\huge.bin"), 5368709120ull);
  EXPECT_EQ(size.GetAllFileSizes().count("D:\\R\\link\\a.bin"), 0u);

  EXPECT_EQ(size.UnreadFolders(), std::vector<std::string>{"D:\\R\\a-locked"});

  FolderStructSize masked("D:\\R", fs);
  masked.SetFileMasks({"*.bin"});
  masked.WalkSelected();
  EXPECT_EQ(masked.GetSelectedBytes(), 5368709120ull);
  EXPECT_EQ(FormatByteSize(masked.GetSelectedBytes()), "5.00 GB");
}

TEST_F(FolderStructSizeTest, EmptyOrMissingRoot) {
  FolderStructSize empty("", HostFileSystem());
  empty.Walk();
  EXPECT_EQ(empty.GetFolderCount(), 0);
  EXPECT_TRUE(empty.Levels().empty());
  FolderStructSize counted("", HostFileSystem());
  counted.SetCountRoot(true);
  counted.WalkSelected();
  EXPECT_EQ(counted.GetFolderCount(), 1);

  FolderStructSize missing("D:\\Missing", HostFileSystem());
  missing.Walk();
  EXPECT_EQ(missing.GetFolderCount(), 0);
  EXPECT_EQ(missing.GetAllFiles(), 0u);

  // A second walk adds; the root leaves the count only once.
  MakeDir("D:\\R\\a");
  MakeFile("D:\\R\\f", "1");
  FolderStructSize twice("D:\\R", HostFileSystem());
  twice.Walk();
  twice.Walk();
  EXPECT_EQ(twice.GetFolderCount(), 2);
  EXPECT_EQ(twice.GetAllFiles(), 2u);
}

TEST_F(FolderStructSizeTest, ShowLevelsNumbersLevelsBelowTheRoot) {
  MakeFile("D:\\P\\R\\a\\x\\f.txt", "12345");
  MakeDir("D:\\P\\R\\b\\y");
  MakeDir("D:\\P\\R\\b\\z");
  FolderStructSize size("D:\\P\\R", HostFileSystem());
  size.SetCountRoot(true);
  size.WalkSelected();

  TfrmLevelSummFolder window;
  window.lstViewLevelSummFolder.AddRow({"stale", "row"});
  ScriptedUi ui;
  std::vector<std::vector<std::string>> rows;
  ui.modalBlocks["TfrmLevelSummFolder"] = [&](Window& w) {
    rows = static_cast<TfrmLevelSummFolder&>(w).lstViewLevelSummFolder.Rows();
    return ModalResult::Ok;
  };
  size.ShowLevels(window, ui);
  const std::vector<std::vector<std::string>> expected{{"1", "2"}, {"2", "3"}};
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(window.lblLevelSummFolderName.Caption(), "D:\\P\\R");
  EXPECT_EQ(window.lblLevelSummFolderSum.Caption(), "6");
  EXPECT_EQ(window.lblLevelSummFileSum.Caption(), "1");
  EXPECT_EQ(window.lblLevelSummFileSize.Caption(), "5.00 Bytes  (5 bytes).");
  ASSERT_EQ(ui.calls.size(), 2u);
  EXPECT_EQ(ui.calls[0].kind, "modal");
  EXPECT_EQ(ui.calls[1].kind, "modal_end");
}

TEST_F(FolderStructSizeTest, DeepTreesAreCountedWhole) {
  MakeDir("D:\\R");
  int fd = ::open(Host("D:\\R").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int i = 0; i < 1000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "level%05d", i);
    ASSERT_EQ(::mkdirat(fd, name, 0755), 0);
    const int next = ::openat(fd, name, O_RDONLY | O_DIRECTORY);
    ::close(fd);
    ASSERT_GE(next, 0);
    fd = next;
  }
  ::close(fd);
  FolderStructSize size("D:\\R", HostFileSystem());
  size.SetCountRoot(true);
  size.WalkSelected();
  EXPECT_EQ(size.GetFolderCount(), 1001);
  std::uint32_t levels = 0;
  for (const auto& [level, folders] : size.Levels()) levels += folders;
  EXPECT_EQ(levels, 1001u);
  EXPECT_EQ(size.Levels().size(), 1001u);
  EXPECT_TRUE(size.UnreadFolders().empty());
}

TEST_F(FolderStructSizeTest, NamesWithABackslashAreKeptApartNotMerged) {
  MakeFile("D:\\R\\a\\b.txt", "1");
  std::ofstream(Host("D:\\R") + "/a\\b.txt") << "12345";
  FolderStructSize size("D:\\R", HostFileSystem());
  size.Walk();
  EXPECT_EQ(size.GetAllFiles(), 1u);
  EXPECT_EQ(size.GetAllBytes(), 1u);
  EXPECT_EQ(size.GetAllFileSizes(), (FolderStructSize::FileSizes{{"D:\\R\\a\\b.txt", 1}}));
  EXPECT_EQ(size.SkippedEntries(), std::vector<std::string>{"D:\\R\\a\\x5Cb.txt"});
}

}  // namespace
}  // namespace quillory
