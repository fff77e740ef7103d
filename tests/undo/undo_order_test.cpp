// The undo engine's order and reach over many records, and the host's batch
// removal where a batch mixes entries it must refuse with ones it removes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/fault_file_system.h"
#include "support/temp_drive.h"
#include "undo/folder_file_undo.h"

namespace quillory {
namespace {

// Takes every batch as done without touching a disk, keeping what it got.
class KeepingFileSystem : public FaultFileSystem {
 public:
  void RemoveMadeFolders(const MadeFolders& folders, std::vector<FsResult>* results) override {
    got.insert(got.end(), folders.begin(), folders.end());
    results->assign(folders.size(), FsResult{});
  }
  void DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) override {
    files_.insert(files_.end(), files.begin(), files.end());
    results->assign(files.size(), FsResult{});
  }
  MadeFolders got;
  std::vector<WrittenFile> files_;
};

MadeFolders Drain(FolderFileUndo& undo, KeepingFileSystem& fs) {
  undo.Order();
  for (std::size_t i = 0; i < undo.ItemCount(); ++i)
    undo.Work(i, [](ItemOutcome&& outcome) { ADD_FAILURE() << "left: " << outcome.path; });
  return fs.got;
}

std::size_t Separators(const std::string& path) {
  return static_cast<std::size_t>(std::count_if(path.begin(), path.end(), [](char c) { return c == '\\'; }));
}

constexpr UndoFailureReport kReport{kNoList, CounterId{}};

// Thousands of records over several depths, some paths recorded more than
// once: each path goes once, where its last record puts it, deepest first
// and the last made first among equals, across many items.
TEST(UndoOrder, ManyRecordsGoOnceEachDeepestFirstInReverseOfTheirLastMaking) {
  MadeFolders made;
  std::uint64_t inode = 0;
  for (std::size_t i = 0; i < 3000; ++i) {
    std::string path = "D:\\R\\t";
    path += std::to_string(i % 97);
    for (std::size_t level = 0; level < i % 4; ++level) {
      path += "\\n";
      path += std::to_string(i % 13);
    }
    made.push_back({path, FolderIdentity{1, ++inode}});
  }
  // The reference: the last record of each path, then a stable sort.
  std::vector<std::size_t> expected;
  for (std::size_t i = 0; i < made.size(); ++i) {
    bool later = false;
    for (std::size_t j = i + 1; j < made.size() && !later; ++j) later = made[j].path == made[i].path;
    if (!later) expected.push_back(i);
  }
  ASSERT_LT(expected.size(), made.size());  // some paths do repeat
  std::reverse(expected.begin(), expected.end());
  std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
    return Separators(made[a].path) > Separators(made[b].path);
  });

  KeepingFileSystem fs;
  FolderFileUndo undo(fs, kReport);
  undo.SetFolders(made);
  const MadeFolders got = Drain(undo, fs);
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t k = 0; k < got.size(); ++k) {
    EXPECT_EQ(got[k].path, made[expected[k]].path) << "at " << k;
    EXPECT_EQ(got[k].identity, made[expected[k]].identity) << "at " << k;
  }
}

// How far up each entry is reached from where it was aimed: below the
// outermost folder the run made on its way, whatever the record says; where
// the run made nothing on the way, what the record says, or the parent.
TEST(UndoOrder, EachEntryIsReachedFromAboveTheOutermostFolderTheRunMadeOnItsWay) {
  const std::string deep = "D:\\Dest\\U\\a\\b";
  MadeFolders made = {
      {"D:\\Dest\\U", FolderIdentity{1, 1}, 0},
      {"D:\\Dest\\U\\a", FolderIdentity{1, 2}, 0},
      {deep, FolderIdentity{1, 3}, static_cast<std::uint32_t>(deep.size() - 2)},
      {"D:\\Dest\\V\\w", FolderIdentity{1, 4}, 0},           // V was there
      {"D:\\Dest\\X\\y\\z", FolderIdentity{1, 5}, 7},          // aimed at D:\Dest
      {"D:\\Dest\\X\\y", FolderIdentity{1, 6}, 9},            // aimed at D:\Dest\X
  };
  KeepingFileSystem fs;
  FolderFileUndo undo(fs, kReport);
  undo.SetFolders(made);
  undo.SetFiles({{"D:\\Dest\\U\\a\\f.txt", {}, 0}, {"D:\\Dest\\V\\g.txt", {}, 0}});
  const MadeFolders got = Drain(undo, fs);
  std::vector<std::pair<std::string, std::uint32_t>> reach;
  for (const MadeFolder& folder : got) reach.emplace_back(folder.path, folder.within);
  using Reach = std::vector<std::pair<std::string, std::uint32_t>>;
  EXPECT_EQ(reach, (Reach{{"D:\\Dest\\X\\y\\z", 7},
                          {deep, 7},
                          {"D:\\Dest\\X\\y", 9},
                          {"D:\\Dest\\V\\w", 9},
                          {"D:\\Dest\\U\\a", 7},
                          {"D:\\Dest\\U", 7}}));
  ASSERT_EQ(fs.files_.size(), 2u);
  EXPECT_EQ(fs.files_[0].within, 7u);
  EXPECT_EQ(fs.files_[1].within, 9u);
}

class HostRemoval : public TempDriveTest {
 protected:
  MadeFolder Made(const char* path) {
    MakeDir(path);
    return {path, FolderIdentityAt(path), 0};
  }
};

// One batch, what it must refuse between what it removes: a drive root
// (also one written with ".."), a folder no longer the one made, a
// read-only one and one with something in it each stay with their reason,
// and the rest of the same folder still goes.
TEST_F(HostRemoval, ABatchRefusesEachEntryItMustAndRemovesTheOthers) {
  const MadeFolder a = Made("D:\\P\\a");
  const MadeFolder readOnly = Made("D:\\P\\ro");
  ASSERT_EQ(::chmod(Host("D:\\P\\ro").c_str(), 0555), 0);
  MadeFolder other = Made("D:\\P\\other");
  other.identity.inode += 1;
  const MadeFolder full = Made("D:\\P\\full");
  MakeFile("D:\\P\\full\\mine.txt", "the person's");
  const MadeFolder b = Made("D:\\P\\b");
  const MadeFolders batch = {a, {"D:\\", {}, 0}, readOnly, other, {"D:\\P\\..", {}, 0}, full, b};
  std::vector<FsResult> results;
  HostFileSystem().RemoveMadeFolders(batch, &results);
  ASSERT_EQ(results.size(), batch.size());
  std::vector<FsError> errors;
  for (const FsResult& result : results) errors.push_back(result.error);
  EXPECT_EQ(errors, (std::vector<FsError>{FsError::None, FsError::AccessDenied, FsError::AccessDenied,
                                          FsError::Changed, FsError::AccessDenied, FsError::NotEmpty, FsError::None}));
  EXPECT_FALSE(IsDir("D:\\P\\a"));
  EXPECT_FALSE(IsDir("D:\\P\\b"));
  EXPECT_TRUE(IsDir("D:\\P\\ro"));
  EXPECT_TRUE(IsDir("D:\\P\\other"));
  EXPECT_TRUE(IsFile("D:\\P\\full\\mine.txt"));
  EXPECT_TRUE(IsDir("D:\\P"));
  ::chmod(Host("D:\\P\\ro").c_str(), 0755);
}

}  // namespace
}  // namespace quillory
