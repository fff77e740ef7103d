// The delete engine on real trees of a temporary drive, with faults injected:
// how each main folder is screened, and the walks below it.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "operations/smart_delete.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class SmartDeleteTest : public TempDriveTest {
 protected:
  OutcomeSink Sink() {
    return [this](ItemOutcome&& outcome) {
      if (outcome.list != kNoList) got[static_cast<DeleteList>(outcome.list)].push_back(outcome.path);
      outcomes.push_back(std::move(outcome));
    };
  }
  void Tree() {
    MakeFile("D:\\M\\a.txt", "a");
    MakeFile("D:\\M\\sub\\b.txt", "b");
    MakeFile("D:\\M\\sub\\deep\\c.txt", "c");
  }
  void Run(DeleteMode mode, DeleteOptions options = {}, const std::string& folder = "D:\\M") {
    DeleteMainFolder(fs, Drives(), folder, mode, options, Sink());
  }
  void Simulate(DeleteMode mode, const std::string& folder = "D:\\M") {
    DeleteOptions options;
    options.simulate = true;
    Run(mode, options, folder);
  }
  void ReadOnly(const char* path) { ASSERT_EQ(::chmod(Host(path).c_str(), 0555), 0); }
  FaultFileSystem fs;
  std::map<DeleteList, Paths> got;
  std::vector<ItemOutcome> outcomes;
};

TEST_F(SmartDeleteTest, FolderModesEmptyTheTreeDeepestFolderFirstAndRemoveTheMainFolderOnlyInMode3) {
  Tree();
  Run(DeleteMode::SubFolders);
  EXPECT_EQ(got[DeleteList::FilesDeleted].size(), 3u);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub\\deep", "D:\\M\\sub"}));
  EXPECT_TRUE(IsDir("D:\\M"));
  EXPECT_TRUE(ListDir("D:\\M").empty());

  Tree();
  got.clear();
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub\\deep", "D:\\M\\sub", "D:\\M"}));
  EXPECT_FALSE(IsDir("D:\\M"));
}

TEST_F(SmartDeleteTest, SimulationCountsTheSameButTouchesNothing) {
  Tree();
  MakeFile("D:\\M\\sub\\ro.txt");
  ReadOnly("D:\\M\\sub\\ro.txt");
  Simulate(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FilesDeleted].size(), 4u);
  EXPECT_EQ(got[DeleteList::FoldersDeleted].size(), 3u);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\a.txt"));
}

TEST_F(SmartDeleteTest, ALinkInsideIsRemovedAsALinkAndWhatItPointsToSurvives) {
  Tree();
  MakeFile("D:\\Outside\\keep.txt", "k");
  ASSERT_EQ(::symlink(Host("D:\\Outside").c_str(), Host("D:\\M\\sub\\link").c_str()), 0);
  Run(DeleteMode::Complete);
  EXPECT_FALSE(IsDir("D:\\M"));
  EXPECT_TRUE(IsFile("D:\\Outside\\keep.txt"));
  EXPECT_EQ(got[DeleteList::FilesDeleted].size(), 4u);  // the link among them
}

TEST_F(SmartDeleteTest, AMainFolderThatIsALinkGoesOnlyAsTheLinkInMode3) {
  MakeFile("D:\\Real\\keep.txt", "k");
  ASSERT_EQ(::symlink(Host("D:\\Real").c_str(), Host("D:\\M").c_str()), 0);
  Run(DeleteMode::SubFolders);
  Run(DeleteMode::SelectedFiles);
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M", "D:\\M"}));
  EXPECT_TRUE(IsFile("D:\\Real\\keep.txt"));
  got.clear();
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M"}));
  EXPECT_TRUE(IsFile("D:\\Real\\keep.txt"));
  struct stat st {};
  EXPECT_NE(::lstat(Host("D:\\M").c_str(), &st), 0);
}

TEST_F(SmartDeleteTest, AMountPointIsNotEnteredAndBlocksItsParents) {
  Tree();
  MakeFile("D:\\M\\sub\\mnt\\inside.txt");
  fs.FailOn(FsOp::OpenSubfolder, "D:\\M\\sub\\mnt", FsError::MountPoint);  // refused as a mount
  Run(DeleteMode::Complete);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\mnt\\inside.txt"));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub\\mnt", "D:\\M\\sub", "D:\\M"}));
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub\\deep"}));
}

// A real mount, where the test may make one: the host tells the devices apart.
TEST_F(SmartDeleteTest, ARealMountPointIsNotEntered) {
  Tree();
  MakeFile("D:\\M\\sub\\mnt\\keep.txt");  // under the mount, hidden by it
  const std::string mnt = Host("D:\\M\\sub\\mnt");
  if (::mount("none", mnt.c_str(), "tmpfs", 0, "size=1m") != 0)
    GTEST_SKIP() << "mounting is not permitted here";
  MakeFile("D:\\M\\sub\\mnt\\inside.txt", "x");
  FaultFileSystem host;
  DeleteMainFolder(host, Drives(), "D:\\M", DeleteMode::Complete, {}, Sink());
  const bool survived = IsFile("D:\\M\\sub\\mnt\\inside.txt");
  ::umount(mnt.c_str());
  EXPECT_TRUE(survived);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\mnt\\keep.txt"));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub\\mnt", "D:\\M\\sub", "D:\\M"}));
}

TEST_F(SmartDeleteTest, AListingThatBreaksOffDeletesNothingOfThatFolder) {
  Tree();
  fs.FailOn(FsOp::ReadFolder, "D:\\M\\sub");
  Run(DeleteMode::Complete);
  EXPECT_TRUE(IsFile("D:\\M\\sub\\b.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
  EXPECT_FALSE(IsFile("D:\\M\\a.txt"));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub", "D:\\M"}));
  EXPECT_TRUE(got[DeleteList::FoldersDeleted].empty());
}

TEST_F(SmartDeleteTest, AReadOnlyFileKeepsItsFolderAndParentsUnderOtherReasons) {
  Tree();
  ReadOnly("D:\\M\\sub\\deep\\c.txt");
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FilesOtherReasons], (Paths{"D:\\M\\sub\\deep\\c.txt"}));
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\sub\\deep", "D:\\M\\sub", "D:\\M"}));
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
}

TEST_F(SmartDeleteTest, AReadOnlyFolderGoesOnlyWithTheRetry) {
  MakeDir("D:\\M\\ro");
  ReadOnly("D:\\M\\ro");
  Run(DeleteMode::SubFolders);
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\ro"}));
  EXPECT_TRUE(IsDir("D:\\M\\ro"));
  got.clear();
  DeleteOptions retry;
  retry.readOnlyRetry = true;
  Run(DeleteMode::SubFolders, retry);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\ro"}));
  EXPECT_FALSE(IsDir("D:\\M\\ro"));
}

TEST_F(SmartDeleteTest, TwoPatternsWalkTheTreeTwiceAndRemoveNoFolder) {
  MakeFile("D:\\M\\a.txt");
  MakeFile("D:\\M\\s\\b.doc");
  MakeFile("D:\\M\\s\\x.txt");
  MakeFile("D:\\M\\s\\keep.bin");
  ReadOnly("D:\\M\\s\\x.txt");
  DeleteOptions options;
  options.masks = {"*.txt", "*.doc"};
  Run(DeleteMode::SelectedFiles, options);
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\M\\a.txt", "D:\\M\\s\\b.doc"}));
  // Tried, counted and listed once per walk that matches it.
  EXPECT_EQ(got[DeleteList::FilesOtherReasons], (Paths{"D:\\M\\s\\x.txt"}));
  EXPECT_TRUE(IsFile("D:\\M\\s\\keep.bin"));
  EXPECT_TRUE(IsDir("D:\\M\\s"));
  EXPECT_TRUE(got[DeleteList::FoldersDeleted].empty());
}

TEST_F(SmartDeleteTest, FilesOfTheMainFolderOnly) {
  MakeFile("D:\\M\\a.txt");
  MakeFile("D:\\M\\b.doc");
  MakeFile("D:\\M\\s\\c.txt");
  Run(DeleteMode::FilesInMainFolder, {{"*.txt"}, false, false}, "D:\\M\\");
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\M\\a.txt"}));
  EXPECT_TRUE(IsFile("D:\\M\\s\\c.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\b.doc"));
}

TEST(LexicalFolderPath, DotsAndSeparators) {
  EXPECT_EQ(LexicalFolderPath("D:"), "D:\\");
  EXPECT_EQ(LexicalFolderPath("D:\\."), "D:\\");
  EXPECT_EQ(LexicalFolderPath("D:\\A\\.."), "D:\\");
  EXPECT_EQ(LexicalFolderPath("D:/A//B/./C\\"), "D:\\A\\B\\C");
}

}  // namespace
}  // namespace quillory

namespace quillory {
namespace {

// The Visual Log lists what a delete took in the folder's name order, not in
// the order the directory hands its entries out.
TEST_F(SmartDeleteTest, OutcomesComeInNameOrder) {
  for (const char* name : {"f10.txt", "F2.txt", "f1.txt", "e.txt"}) MakeFile(std::string("D:\\M\\") + name);
  Run(DeleteMode::SelectedFiles);
  EXPECT_EQ(got[DeleteList::FilesDeleted],
            (Paths{"D:\\M\\e.txt", "D:\\M\\f1.txt", "D:\\M\\F2.txt", "D:\\M\\f10.txt"}));
}

// Every mode, for the loops below.
constexpr DeleteMode kModes[] = {DeleteMode::FilesInMainFolder, DeleteMode::SubFolders, DeleteMode::SelectedFiles,
                                 DeleteMode::Complete};

TEST_F(SmartDeleteTest, ARunRefusesAWholeDriveHoweverWrittenWithItsWarningAndCountsNothing) {
  Tree();
  MakeDir("D:\\B");
  // The folder another drive is mapped to is that drive's root.
  Drives().Set('E', RootD() + "/B");
  for (const DeleteMode mode : kModes) {
    for (const char* folder : {"D:", "D:\\", "D:\\.", "D:\\M\\..", " x ", "D:\\B", "d:\\M\\..\\B\\"}) {
      SCOPED_TRACE(std::string(folder) + " in mode " + std::to_string(static_cast<int>(mode)));
      outcomes.clear();
      Run(mode, {}, folder);
      ASSERT_EQ(outcomes.size(), 1u);
      const ItemOutcome& refused = outcomes[0];
      EXPECT_EQ(refused.path, folder);
      EXPECT_EQ(refused.list, kNoList);
      EXPECT_EQ(refused.counterCount, 0);
      EXPECT_EQ(refused.progress, 0u);
      ASSERT_TRUE(refused.message);
      EXPECT_EQ(refused.message->text,
                "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.");
      EXPECT_EQ(refused.message->caption, "Delete Folder(s).-From a Folder List.            Warning no: 0334.");
      EXPECT_EQ(refused.message->kind, ItemMessage::Kind::Warning);
    }
  }
  EXPECT_TRUE(IsFile("D:\\M\\a.txt"));
  EXPECT_TRUE(IsFile("D:\\M\\sub\\deep\\c.txt"));
  EXPECT_TRUE(IsDir("D:\\B"));
}

TEST_F(SmartDeleteTest, WhatARunCannotTakeAndASimulationRefusesIsListedAsWrittenUnderOtherReasonsWithoutAWord) {
  Tree();
  MakeDir("D:\\B");
  Drives().Set('E', RootD() + "/B");
  struct Case {
    std::string folder;
    bool simulate;
  };
  const std::vector<Case> cases = {
      {"NoDrive\\X", false}, {"NoDrive\\X", true},  {" x ", true},   {"D:", true},
      {"D:\\M\\..", true},   {"D:\\B", true},       {"D:\\1:b", true}, {"D:\\" + std::string(260, 'n'), true},
  };
  for (const Case& c : cases) {
    for (const DeleteMode mode : kModes) {
      SCOPED_TRACE(c.folder + (c.simulate ? " simulated" : "") + " in mode " +
                   std::to_string(static_cast<int>(mode)));
      outcomes.clear();
      DeleteOptions options;
      options.simulate = c.simulate;
      Run(mode, options, c.folder);
      ASSERT_EQ(outcomes.size(), 1u);
      EXPECT_EQ(outcomes[0].path, c.folder);
      EXPECT_EQ(outcomes[0].list, static_cast<std::size_t>(DeleteList::FoldersOtherReasons));
      EXPECT_EQ(outcomes[0].kind, OutcomeKind::Other);
      EXPECT_FALSE(outcomes[0].message);
    }
  }
  EXPECT_TRUE(IsFile("D:\\M\\a.txt"));
  EXPECT_TRUE(IsDir("D:\\B"));
}

TEST_F(SmartDeleteTest, AMissingMainFolderIsNotExistsInEveryModeRunOrSimulated) {
  for (const DeleteMode mode : kModes) {
    for (const bool simulate : {false, true}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + (simulate ? " simulated" : ""));
      outcomes.clear();
      DeleteOptions options;
      options.simulate = simulate;
      Run(mode, options, "D:\\Missing");
      ASSERT_EQ(outcomes.size(), 1u);
      EXPECT_EQ(outcomes[0].path, "D:\\Missing");
      EXPECT_EQ(outcomes[0].list, static_cast<std::size_t>(DeleteList::FoldersNotExists));
      EXPECT_EQ(outcomes[0].kind, OutcomeKind::NotFound);
      // A folder: a unit of the bar only where folders are what is counted.
      EXPECT_EQ(outcomes[0].progress, CountsFiles(mode) ? 0u : 1u);
    }
  }
}

TEST_F(SmartDeleteTest, AMainFolderLinkThatPointsNowhereIsMissingButRetainNothingTakesTheLink) {
  ASSERT_EQ(::symlink(Host("D:\\Gone").c_str(), Host("D:\\M").c_str()), 0);
  Run(DeleteMode::SubFolders);
  Run(DeleteMode::FilesInMainFolder);
  EXPECT_EQ(got[DeleteList::FoldersNotExists], (Paths{"D:\\M", "D:\\M"}));
  struct stat st {};
  EXPECT_EQ(::lstat(Host("D:\\M").c_str(), &st), 0);
  Run(DeleteMode::Complete);
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M"}));
  EXPECT_NE(::lstat(Host("D:\\M").c_str(), &st), 0);
}

// Each outcome carries the counter of the list it is shown in, found by the
// page's own counter names, and a unit of the bar exactly when it is what the
// mode counts: files in the file modes, folders in the folder modes.
TEST_F(SmartDeleteTest, EachOutcomeCountsItsListAndTheBarCountsFilesOrFoldersByMode) {
  const std::vector<std::string>& names = PageCounterNames(PageKey::Vol07);
  const char* listNames[] = {"FoldersDeleted", "FoldersNotExists", "FoldersOtherReasons",
                             "FilesDeleted",   "FilesNotExists",   "FilesOtherReasons"};
  const std::map<DeleteMode, std::size_t> units = {{DeleteMode::FilesInMainFolder, 1},
                                                   {DeleteMode::SelectedFiles, 3},
                                                   {DeleteMode::SubFolders, 3},
                                                   {DeleteMode::Complete, 4}};
  for (const DeleteMode mode : kModes) {
    SCOPED_TRACE(static_cast<int>(mode));
    Tree();
    fs.Clear();
    fs.FailOn(FsOp::RemoveEntryAt, "D:\\M\\sub\\b.txt", FsError::AccessDenied);
    fs.FailOn(FsOp::RemoveEntryAt, "D:\\M\\sub\\deep\\c.txt", FsError::NotFound);
    fs.FailOn(FsOp::RemoveEntryAt, "D:\\M\\sub\\deep", FsError::NotFound);
    outcomes.clear();
    Run(mode);
    Run(mode, {}, "D:\\Missing");  // a folder outcome in every mode
    std::size_t done = 0;
    bool files = false, folders = false;
    for (const ItemOutcome& outcome : outcomes) {
      SCOPED_TRACE(outcome.path);
      ASSERT_LT(outcome.list, std::size(listNames));
      ASSERT_EQ(outcome.counterCount, 1);
      EXPECT_EQ(names.at(outcome.counters[0].counter.index), listNames[outcome.list]);
      EXPECT_EQ(outcome.counters[0].delta, 1);
      const bool file = outcome.list >= static_cast<std::size_t>(DeleteList::FilesDeleted);
      (file ? files : folders) = true;
      EXPECT_EQ(outcome.progress, file == CountsFiles(mode) ? 1u : 0u);
      done += outcome.progress;
    }
    EXPECT_TRUE(files);
    EXPECT_TRUE(folders);
    EXPECT_EQ(done, units.at(mode));
  }
}

}  // namespace
}  // namespace quillory
