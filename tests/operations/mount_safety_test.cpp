// Real mount points below the folder a run aims at: a bind mount of a folder
// of the same file system (the same device number, so a device comparison
// cannot see it), a read-only bind mount and a tmpfs. No run deletes, writes
// or walks across any of them. Skipped where the test may not mount.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "operations/attach_engine.h"
#include "operations/smart_delete.h"
#include "results/visual_logs.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"
#include "tree/folder_struct_size.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class MountSafetyTest : public TempDriveTest {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    if (::geteuid() != 0) GTEST_SKIP() << "mounting needs root";
    MakeFile("D:\\Out\\o.txt", "outside");
    MakeFile("D:\\Out\\osub\\p.txt", "outside");
    MakeFile("D:\\Out2\\r.txt", "outside, read-only");
    Tree();
    if (!Mount(Host("D:\\Out"), "D:\\T\\main\\sub\\bm", MS_BIND) ||
        !Mount(Host("D:\\Out2"), "D:\\T\\main\\rbm", MS_BIND) ||
        ::mount(nullptr, Host("D:\\T\\main\\rbm").c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0 ||
        !Mount("none", "D:\\T\\main\\sub\\tm", 0, "tmpfs")) {
      GTEST_SKIP() << "mounting is not permitted here";
    }
    MakeFile("D:\\T\\main\\sub\\tm\\t.txt", "on the tmpfs");
  }
  void TearDown() override {
    // Before the temporary drive goes: its removal must not reach through.
    for (auto it = mounted_.rbegin(); it != mounted_.rend(); ++it) ::umount2(it->c_str(), MNT_DETACH);
    TempDriveTest::TearDown();
  }
  void Tree() {
    MakeFile("D:\\T\\main\\a.txt", "a");
    MakeFile("D:\\T\\main\\sub\\b.txt", "b");
    MakeDir("D:\\T\\main\\sub\\bm");
    MakeDir("D:\\T\\main\\sub\\tm");
    MakeDir("D:\\T\\main\\rbm");
  }
  bool Mount(const std::string& source, const char* at, unsigned long flags, const char* type = nullptr) {
    const std::string target = Host(at);
    if (::mount(source.c_str(), target.c_str(), type, flags, type != nullptr ? "size=1m" : nullptr) != 0)
      return false;
    mounted_.push_back(target);
    return true;
  }
  void OutsideIsWhole() {
    EXPECT_EQ(ReadFile("D:\\Out\\o.txt"), "outside");
    EXPECT_EQ(ReadFile("D:\\Out\\osub\\p.txt"), "outside");
    EXPECT_EQ(ReadFile("D:\\Out2\\r.txt"), "outside, read-only");
    EXPECT_EQ(ReadFile("D:\\T\\main\\sub\\tm\\t.txt"), "on the tmpfs");
  }
  OutcomeSink Sink() {
    return [this](ItemOutcome&& outcome) {
      if (outcome.list != kNoList) got[static_cast<DeleteList>(outcome.list)].push_back(outcome.path);
    };
  }
  FaultFileSystem fs;
  std::map<DeleteList, Paths> got;
  std::vector<std::string> mounted_;
};

TEST_F(MountSafetyTest, NoDeleteModeReachesAcrossAMountPoint) {
  for (const DeleteMode mode : {DeleteMode::SelectedFiles, DeleteMode::SubFolders, DeleteMode::Complete}) {
    SCOPED_TRACE(static_cast<int>(mode));
    got.clear();
    DeleteOptions options;
    options.masks = {"*.*"};
    DeleteMainFolder(fs, Drives(), "D:\\T\\main", mode, options, Sink());
    OutsideIsWhole();
    // The mount points and every folder above them stay, counted.
    const Paths& other = got[DeleteList::FoldersOtherReasons];
    for (const char* blocked : {"D:\\T\\main\\sub\\bm", "D:\\T\\main\\sub\\tm", "D:\\T\\main\\rbm"})
      EXPECT_NE(std::find(other.begin(), other.end(), blocked), other.end()) << blocked;
    EXPECT_TRUE(IsDir("D:\\T\\main\\sub"));
    MakeFile("D:\\T\\main\\a.txt", "a");
    MakeFile("D:\\T\\main\\sub\\b.txt", "b");
  }
}

// Into the trash: no mount point moves, nothing on one moves into a trash
// of another file system, the folders above a mount stay, and everything
// else goes; Undo brings it back around the mounts.
TEST_F(MountSafetyTest, NothingMovesIntoTheTrashAcrossOrWithAMountPoint) {
  FsResult why;
  std::unique_ptr<TrashCan> trash = fs.OpenTrashCan(&why);
  ASSERT_TRUE(trash) << why.message;
  std::set<std::string> refusals;
  DeleteOptions options;
  options.trash = trash.get();
  options.trashRefusals = &refusals;
  std::vector<TrashedEntry> moved;
  DeleteMainFolder(fs, Drives(), "D:\\T\\main", DeleteMode::Complete, options, [&](ItemOutcome&& outcome) {
    if (outcome.trashed) moved.push_back(*outcome.trashed);
    if (outcome.list != kNoList) got[static_cast<DeleteList>(outcome.list)].push_back(outcome.path);
  });
  trash.reset();
  OutsideIsWhole();
  const Paths& other = got[DeleteList::FoldersOtherReasons];
  for (const char* blocked :
       {"D:\\T\\main\\sub\\bm", "D:\\T\\main\\sub\\tm", "D:\\T\\main\\rbm", "D:\\T\\main\\sub", "D:\\T\\main"})
    EXPECT_NE(std::find(other.begin(), other.end(), blocked), other.end()) << blocked;
  EXPECT_FALSE(IsFile("D:\\T\\main\\a.txt"));
  EXPECT_FALSE(IsFile("D:\\T\\main\\sub\\b.txt"));
  EXPECT_EQ(moved.size(), 2u);  // a.txt and b.txt, each from a folder that stays
  std::vector<FsResult> results;
  fs.RestoreTrashed(moved, &results);
  for (const FsResult& r : results) EXPECT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(ReadFile("D:\\T\\main\\a.txt"), "a");
  EXPECT_EQ(ReadFile("D:\\T\\main\\sub\\b.txt"), "b");
  OutsideIsWhole();
}

TEST_F(MountSafetyTest, AMountPointAimedAtIsTheOnesToDeleteIn) {
  // The person names the tmpfs itself: what is on it goes, its mount stays.
  DeleteMainFolder(fs, Drives(), "D:\\T\\main\\sub\\tm", DeleteMode::SubFolders, {}, Sink());
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\T\\main\\sub\\tm\\t.txt"}));
  EXPECT_TRUE(IsDir("D:\\T\\main\\sub\\tm"));
}

TEST_F(MountSafetyTest, NothingIsMadeOrCopiedAcrossAMountPoint) {
  // Folders joined below an aimed folder.
  const CreateResult below = fs.CreateFoldersBelow("D:\\T\\main", "sub\\bm\\new");
  EXPECT_EQ(below.result.error, FsError::MountPoint);
  EXPECT_FALSE(IsDir("D:\\Out\\new"));

  // A structure copied into a destination holding a mount of the same name.
  MakeFile("D:\\S\\sub\\bm\\x.txt", "x");
  MakeFile("D:\\S\\sub\\bm\\deeper\\y.txt", "y");
  const StructureSnapshot snapshot = StructureSnapshot::Read(fs, "D:\\S");
  CopyRequest request;
  request.structure = &snapshot;
  request.target = "D:\\T\\main";
  request.mode = AttachMode::SubWithFiles;
  request.variant = AttachVariant::CopyPage;
  std::vector<AttachStep> steps;
  CopyExistingStructure(fs, request, [&](const AttachStep& step) { steps.push_back(step); });
  EXPECT_FALSE(IsFile("D:\\Out\\x.txt"));
  EXPECT_FALSE(IsDir("D:\\Out\\deeper"));
  for (const AttachStep& step : steps) {
    EXPECT_NE(step.kind, StepKind::FileCopied) << step.path;
    if (step.path == "D:\\T\\main\\sub\\bm") {
      EXPECT_EQ(step.kind, StepKind::SubfolderFailed);
    }
  }
  OutsideIsWhole();
}

TEST_F(MountSafetyTest, UndoDoesNotReachAcrossAMountPoint) {
  // A folder recorded below the aimed folder that is now on the other side
  // of a mount: the bind shows the outside folder's own "osub".
  const std::optional<FolderIdentity> outside = fs.Identity("D:\\Out\\osub");
  ASSERT_TRUE(outside);
  MakeDir("D:\\Out\\empty");
  const MadeFolders folders{
      MadeFolder{"D:\\T\\main\\sub\\bm\\empty", *fs.Identity("D:\\Out\\empty"), 10}};
  std::vector<FsResult> results;
  fs.RemoveMadeFolders(folders, &results);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].error, FsError::MountPoint);
  EXPECT_TRUE(IsDir("D:\\Out\\empty"));
}

TEST_F(MountSafetyTest, WalksDoNotCrossAMountPoint) {
  FolderStructSize size("D:\\T\\main", fs);
  size.WalkSelected();
  // a.txt and b.txt; nothing of the three mounts.
  EXPECT_EQ(size.GetSelectedFiles(), 2u);
  OutsideIsWhole();
}

}  // namespace
}  // namespace quillory
