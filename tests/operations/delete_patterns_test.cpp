// The delete engine's walks for several file patterns, and the paths it
// shows for names that need escaping, on real trees of a temporary drive.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "operations/smart_delete.h"
#include "results/visual_logs.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class DeletePatternsTest : public TempDriveTest {
 protected:
  void Run(DeleteMode mode, const std::vector<std::string>& masks, bool simulate = false) {
    DeleteOptions options;
    options.masks = masks;
    options.simulate = simulate;
    reads.clear();
    fs.onCall = [this](FsOp op, std::string_view path) {
      if (op == FsOp::ReadFolder) reads.emplace_back(path);
    };
    DeleteMainFolder(fs, Drives(), "D:\\M", mode, options, [this](ItemOutcome&& outcome) {
      if (outcome.list != kNoList) got[static_cast<DeleteList>(outcome.list)].push_back(outcome.path);
    });
    fs.onCall = nullptr;
  }
  // A tree where each of three patterns finds something at another depth.
  void Tree() {
    MakeFile("D:\\M\\a.txt");
    MakeFile("D:\\M\\x\\z\\b.txt");
    MakeFile("D:\\M\\x\\y\\late.doc");
    MakeFile("D:\\M\\q\\keep.bin");
    MakeFile("D:\\M\\q\\deeper\\keep.bin");
    MakeFile("D:\\M\\r\\ro.txt");
    ASSERT_EQ(::chmod(Host("D:\\M\\r\\ro.txt").c_str(), 0444), 0);
    MakeDir("D:\\M\\shut");
    fs.FailOn(FsOp::OpenSubfolder, "D:\\M\\shut", FsError::AccessDenied);
  }
  FaultFileSystem fs;
  std::map<DeleteList, Paths> got;
  Paths reads;
};

// Each pattern still has a walk of its own, in the order given; only the
// first reads every folder, the later ones what held something for them.
TEST_F(DeletePatternsTest, LaterPatternsReadOnlyTheFoldersTheFirstWalkFoundSomethingIn) {
  Tree();
  Run(DeleteMode::SelectedFiles, {"*.txt", "*.doc", "ro.*"});
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\M\\a.txt", "D:\\M\\x\\z\\b.txt", "D:\\M\\x\\y\\late.doc"}));
  // The read-only file is tried by each walk whose pattern matches it.
  EXPECT_EQ(got[DeleteList::FilesOtherReasons], (Paths{"D:\\M\\r\\ro.txt", "D:\\M\\r\\ro.txt"}));
  // A folder that would not open is tried and reported by every walk.
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\shut", "D:\\M\\shut", "D:\\M\\shut"}));
  EXPECT_TRUE(got[DeleteList::FoldersDeleted].empty());
  EXPECT_TRUE(IsFile("D:\\M\\q\\deeper\\keep.bin"));
  EXPECT_TRUE(IsFile("D:\\M\\r\\ro.txt"));
  EXPECT_EQ(reads, (Paths{"D:\\M", "D:\\M\\x", "D:\\M\\x\\z", "D:\\M\\x\\y", "D:\\M\\r", "D:\\M\\q",
                          "D:\\M\\q\\deeper",  // the first walk: everything
                          // *.doc; the folder of ro.* too, as a walk reads a folder up to the
                          // last pattern that needs it
                          "D:\\M", "D:\\M\\x", "D:\\M\\x\\y", "D:\\M\\r",
                          "D:\\M", "D:\\M\\r"}));  // ro.*
}

// A simulation deletes nothing, so a file that two patterns match is listed
// by both walks, as the run's second walk would find a file that stayed.
TEST_F(DeletePatternsTest, ASimulationListsAFileOnceForEachPatternThatMatchesIt) {
  Tree();
  Run(DeleteMode::SelectedFiles, {"*.txt", "b.*", "*.doc"}, true);
  EXPECT_EQ(got[DeleteList::FilesDeleted],
            (Paths{"D:\\M\\a.txt", "D:\\M\\x\\z\\b.txt", "D:\\M\\r\\ro.txt", "D:\\M\\x\\z\\b.txt",
                   "D:\\M\\x\\y\\late.doc"}));
  EXPECT_TRUE(IsFile("D:\\M\\x\\z\\b.txt"));
}

// One pattern, or the folder modes: one walk, every folder read once.
TEST_F(DeletePatternsTest, OnePatternAndTheFolderModesReadEachFolderOnce) {
  Tree();
  Run(DeleteMode::SelectedFiles, {"*.doc"});
  EXPECT_EQ(got[DeleteList::FilesDeleted], (Paths{"D:\\M\\x\\y\\late.doc"}));
  EXPECT_EQ(reads.size(), 7u);
  got.clear();
  Run(DeleteMode::SubFolders, {"*.doc"});
  EXPECT_EQ(reads.size(), 7u);
  // The read-only file keeps its folder.
  EXPECT_EQ(got[DeleteList::FoldersOtherReasons], (Paths{"D:\\M\\shut", "D:\\M\\r"}));
  EXPECT_TRUE(IsDir("D:\\M\\shut"));
  EXPECT_FALSE(IsDir("D:\\M\\x"));
}

// Names with a control character, a backslash or bytes beyond ASCII show as
// every list shows them; plain names as they are.
TEST_F(DeletePatternsTest, PathsShowNamesAsEveryListDoes) {
  const std::vector<std::string> names = {"tab\there.txt", "back\\slash.txt", "caf\xC3\xA9.txt", "bad\xFF.txt",
                                          "del\x7F.txt", "plain name.txt"};
  MakeDir("D:\\M\\sub");
  // Made on the host: the program's own paths would take the backslash as a separator.
  for (const std::string& name : names) std::ofstream(Host("D:\\M\\sub") + "/" + name) << "x";
  Run(DeleteMode::Complete, {});
  Paths expected;
  for (const std::string& name : names) expected.push_back(ShownEntryPath("D:\\M\\sub", name));
  std::sort(expected.begin(), expected.end());
  Paths shown = got[DeleteList::FilesDeleted];
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, expected);
  EXPECT_NE(std::find(shown.begin(), shown.end(), "D:\\M\\sub\\plain name.txt"), shown.end());
  EXPECT_EQ(got[DeleteList::FoldersDeleted], (Paths{"D:\\M\\sub", "D:\\M"}));
  EXPECT_FALSE(IsDir("D:\\M"));
}

}  // namespace
}  // namespace quillory
