// The rename engine on its own: one outcome per item, each class counted
// and listed as the page shows it, and where a simulation's outcome differs
// from a run's on the same disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "operations/rename_engine.h"
#include "platform/drives.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

RenameOptions Prefix(std::string prefix) {
  RenameOptions options;
  options.prefix = std::move(prefix);
  return options;
}

RenameOptions NewName(std::string name) {
  RenameOptions options;
  options.method = RenameOptions::Method::NewName;
  options.newName = std::move(name);
  return options;
}

// What the page's recorder would be handed for one item.
struct Seen {
  OutcomeKind kind = OutcomeKind::Done;
  RenameCounter counter = RenameCounter::FoldersToRename;
  RenameList list = RenameList::FoldersRenamed;
  std::string path;
  bool renamed = false;
};

class RenameEngineTest : public TempDriveTest {
 protected:
  std::vector<ItemOutcome> Outcomes(const std::string& item, const RenameOptions& options, bool simulate) {
    std::vector<ItemOutcome> out;
    RenameOne(renamer, fs, Drives(), item, options, simulate, simulate ? &taken : nullptr,
              [&](ItemOutcome&& o) { out.push_back(std::move(o)); });
    return out;
  }
  Seen One(const std::string& item, const RenameOptions& options, bool simulate) {
    const std::vector<ItemOutcome> out = Outcomes(item, options, simulate);
    EXPECT_EQ(out.size(), 1u) << item;
    if (out.empty()) return {};
    const ItemOutcome& o = out.front();
    EXPECT_EQ(o.counterCount, 1u);
    EXPECT_EQ(o.counters[0].delta, 1);
    EXPECT_FALSE(o.undoFailed);
    EXPECT_EQ(o.record, RecordSlot::None);
    if (o.renamed) {
      EXPECT_EQ(o.renamed->first, item);
      EXPECT_EQ(o.RenamedTo(), o.path);
    }
    return {o.kind, static_cast<RenameCounter>(o.counters[0].counter.index), static_cast<RenameList>(o.list),
            o.path, o.renamed.has_value()};
  }
  Seen Run(const std::string& item, const RenameOptions& options) { return One(item, options, false); }
  Seen Simulate(const std::string& item, const RenameOptions& options) { return One(item, options, true); }

  FaultFileSystem fs;
  SimulatedRenames taken;
  FolderRenamer renamer{fs};
};

void ExpectSeen(const Seen& seen, OutcomeKind kind, RenameCounter counter, RenameList list, const std::string& path) {
  EXPECT_EQ(seen.kind, kind) << path;
  EXPECT_EQ(seen.counter, counter) << path;
  EXPECT_EQ(seen.list, list) << path;
  EXPECT_EQ(seen.path, path);
}

TEST(RenameComposition, PrefixSuffixAndNewNameKeepTheParent) {
  RenameOptions options;
  options.prefix = " 2014 ";
  options.prefixDelimiter = "_";
  options.suffixDelimiter = " - ";
  options.suffix = "A ";
  EXPECT_EQ(ComposeNewPath("D:\\Work\\Docs", options), "D:\\Work\\2014_Docs-A");
  // A dot is part of the name: the folder stays in its parent.
  EXPECT_EQ(ComposeNewPath("D:\\P\\Report.2014", options), "D:\\P\\2014_Report.2014-A");
  EXPECT_EQ(ComposeNewPath("D:\\Top", NewName("New")), "D:\\New");
  EXPECT_EQ(ComposeNewPath("D:\\a\\b\\c", NewName("x y")), "D:\\a\\b\\x y");
}

// The edges of the line: blanks around it, trailing and forward
// separators, a share, a bare drive and a line with no drive at all. The
// pieces are trimmed, a new name is not.
TEST(RenameComposition, EdgesOfTheLineComposeAsTheyAlwaysDid) {
  RenameOptions options;
  options.prefix = "p";
  options.suffix = " s";
  struct Case {
    std::string item, withPrefix, withNewName;
  };
  const std::vector<Case> cases = {
      {"  D:\\Work\\Docs\\\\  ", "D:\\Work\\pDocss", "D:\\Work\\ n "},
      {"D:/Work/Docs", "D:/Work/\\pDocss", "D:/Work/\\ n "},
      {"D:/Work/Docs/", "D:/Work/\\pDocss", "D:/Work/\\ n "},
      {"\\\\srv\\share\\a", "\\\\srv\\share\\pas", "\\\\srv\\share\\ n "},
      {"\\\\srv\\share", "\\\\srv\\share\\ps", "\\\\srv\\share\\ n "},
      {"D:\\", "D:\\ps", "D:\\ n "},
      {"D:", "D:\\ps", "D:\\ n "},
      {"Docs", "\\pDocss", "\\ n "},
      {"", "\\ps", "\\ n "},
      {"D:Docs", "D:\\pDocss", "D:\\ n "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComposeNewPath(c.item, options), c.withPrefix) << c.item;
    EXPECT_EQ(ComposeNewPath(c.item, NewName(" n ")), c.withNewName) << c.item;
  }
}

TEST(RenameOrderTest, ARunGoesDeepestFirstLastFiledFirstASimulationKeepsTheList) {
  const Paths items = {"D:\\A", "D:\\A\\B", "D:\\C", "D:\\A\\B\\C", "D:/X/Y"};
  EXPECT_EQ(RenameOrder(items, false), (Paths{"D:\\A\\B\\C", "D:/X/Y", "D:\\A\\B", "D:\\C", "D:\\A"}));
  EXPECT_EQ(RenameOrder(items, true), items);
  EXPECT_TRUE(RenameOrder(Paths{}, false).empty());
  // Lines read where they are go in the same order, however many of each
  // depth and in whatever order the depths come.
  Paths many;
  for (int i = 0; i < 200; ++i) many.push_back("D:" + std::string(static_cast<std::size_t>(i * 7 % 13), '\\') + std::to_string(i));
  const LargeVector<std::string_view> views(many.begin(), many.end());
  const Paths ordered = RenameOrder(many, false);
  const LargeVector<std::string_view> viewsOrdered = RenameOrder(views, false);
  EXPECT_EQ(Paths(viewsOrdered.begin(), viewsOrdered.end()), ordered);
  std::vector<std::size_t> byIndex(many.size());
  for (std::size_t i = 0; i < byIndex.size(); ++i) byIndex[i] = i;
  std::stable_sort(byIndex.begin(), byIndex.end(), [&](std::size_t a, std::size_t b) {
    const auto depth = [&](std::size_t k) { return std::count(many[k].begin(), many[k].end(), '\\'); };
    return depth(a) != depth(b) ? depth(a) > depth(b) : a > b;
  });
  for (std::size_t i = 0; i < byIndex.size(); ++i) EXPECT_EQ(ordered[i], many[byIndex[i]]) << i;
}

TEST_F(RenameEngineTest, EachClassOfARun) {
  MakeDir("D:\\R\\One");
  MakeDir("D:\\R\\Two");
  MakeDir("D:\\R\\XTwo");
  const Seen renamed = Run("D:\\R\\One", Prefix("X"));
  ExpectSeen(renamed, OutcomeKind::Done, RenameCounter::FoldersRenamed, RenameList::FoldersRenamed, "D:\\R\\XOne");
  EXPECT_TRUE(renamed.renamed);
  EXPECT_TRUE(IsDir("D:\\R\\XOne"));
  EXPECT_FALSE(IsDir("D:\\R\\One"));

  ExpectSeen(Run("D:\\R\\Missing", Prefix("X")), OutcomeKind::NotFound, RenameCounter::FoldersSourceNotExists,
             RenameList::SourceNotExists, "D:\\R\\Missing");
  // The rename refuses a taken name: the item is listed, nothing replaced.
  const Seen exists = Run("D:\\R\\Two", Prefix("X"));
  ExpectSeen(exists, OutcomeKind::AlreadyExists, RenameCounter::FoldersDestinationExists,
             RenameList::DestinationExists, "D:\\R\\Two");
  EXPECT_FALSE(exists.renamed);
  EXPECT_TRUE(IsDir("D:\\R\\Two"));
  ExpectSeen(Run("Docs\\Old", Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, "Docs\\Old");
  EXPECT_EQ(fs.Calls(FsOp::RenameFolder), 3);  // the line without a drive never reaches the disk
  // A drive the map does not know is a source that is not there.
  ExpectSeen(Run("Q:\\Nowhere", Prefix("X")), OutcomeKind::NotFound, RenameCounter::FoldersSourceNotExists,
             RenameList::SourceNotExists, "Q:\\Nowhere");
}

// The folder the items are in stays open from one item to the next: each
// item must still be renamed in its own folder, a link in an item's place
// is renamed as the link, and a folder swapped for a link between two items
// is never entered through that link: the run stays in the folder it aimed
// at, wherever that went.
TEST_F(RenameEngineTest, ItemsOfOneFolderAndOfAnotherEachGoWhereTheirLineSays) {
  for (const char* path : {"D:\\P\\a", "D:\\P\\b", "D:\\Q\\a", "D:\\Q\\c", "D:\\Elsewhere\\d", "D:\\P\\Sub\\e"})
    MakeDir(path);
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere").c_str(), Host("D:\\P\\link").c_str()), 0);
  for (const char* item : {"D:\\P\\a", "D:\\Q\\a", "D:\\P\\b", "D:\\P\\link", "D:\\Q\\c", "D:\\P\\Sub\\e"})
    EXPECT_EQ(Run(item, Prefix("X")).kind, OutcomeKind::Done) << item;
  for (const char* path : {"D:\\P\\Xa", "D:\\P\\Xb", "D:\\Q\\Xa", "D:\\Q\\Xc", "D:\\P\\Sub\\Xe", "D:\\Elsewhere\\d"})
    EXPECT_TRUE(IsDir(path)) << path;
  struct stat st {};
  ASSERT_EQ(::lstat(Host("D:\\P\\Xlink").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));  // the link moved, not the folder it leads to

  // D:\Q is open now. Someone moves it away and puts a link to D:\Elsewhere,
  // which holds an f too, in its place: the next item of D:\Q is renamed in
  // the folder the run opened, never through the link.
  MakeDir("D:\\Q\\f");
  MakeDir("D:\\Elsewhere\\f");
  ASSERT_EQ(Run("D:\\Q\\Xc", NewName("c")).kind, OutcomeKind::Done);
  ASSERT_EQ(::rename(Host("D:\\Q").c_str(), Host("D:\\Gone").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere").c_str(), Host("D:\\Q").c_str()), 0);
  EXPECT_EQ(Run("D:\\Q\\f", Prefix("X")).kind, OutcomeKind::Done);
  EXPECT_TRUE(IsDir("D:\\Gone\\Xf"));
  EXPECT_TRUE(IsDir("D:\\Elsewhere\\f"));
  EXPECT_FALSE(IsDir("D:\\Elsewhere\\Xf"));
}

TEST_F(RenameEngineTest, TooLongIsListedByTheNewPathUnlessTheSourceIsMissing) {
  MakeDir("D:\\L\\a");
  // "D:\L\" is 5 characters: a name of 255 gives 260, one over.
  const std::string longName(255, 'n');
  for (bool simulate : {false, true}) {
    ExpectSeen(One("D:\\L\\a", NewName(longName), simulate), OutcomeKind::Other,
               RenameCounter::FoldersOtherReasons, RenameList::OtherReasons, "D:\\L\\" + longName);
    ExpectSeen(One("D:\\L\\gone", NewName(longName), simulate), OutcomeKind::NotFound,
               RenameCounter::FoldersSourceNotExists, RenameList::SourceNotExists, "D:\\L\\gone");
  }
  EXPECT_EQ(fs.Calls(FsOp::RenameFolder), 0);
  EXPECT_TRUE(IsDir("D:\\L\\a"));
  // Exactly at the limit is renamed.
  ExpectSeen(Run("D:\\L\\a", NewName(std::string(254, 'm'))), OutcomeKind::Done, RenameCounter::FoldersRenamed,
             RenameList::FoldersRenamed, "D:\\L\\" + std::string(254, 'm'));
}

TEST_F(RenameEngineTest, AFileInTheWay) {
  MakeFile("D:\\F\\Doc", "a file, not a folder");
  MakeDir("D:\\F\\Dir");
  MakeFile("D:\\F\\XDir", "a file with the new name");
  // A file as the source: the run's rename refuses it for another reason
  // and lists the new path; the simulation sees no folder there.
  ExpectSeen(Run("D:\\F\\Doc", Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, "D:\\F\\XDoc");
  ExpectSeen(Simulate("D:\\F\\Doc", Prefix("X")), OutcomeKind::NotFound, RenameCounter::FoldersSourceNotExists,
             RenameList::SourceNotExists, "D:\\F\\Doc");
  // A file with the new name: the run's no-replace rename refuses; a
  // simulation asks for folders only and cannot know.
  ExpectSeen(Run("D:\\F\\Dir", Prefix("X")), OutcomeKind::AlreadyExists, RenameCounter::FoldersDestinationExists,
             RenameList::DestinationExists, "D:\\F\\Dir");
  ExpectSeen(Simulate("D:\\F\\Dir", Prefix("X")), OutcomeKind::Done, RenameCounter::FoldersRenamed,
             RenameList::FoldersRenamed, "D:\\F\\XDir");
  EXPECT_TRUE(IsFile("D:\\F\\Doc"));
  EXPECT_TRUE(IsFile("D:\\F\\XDir"));
  EXPECT_TRUE(IsDir("D:\\F\\Dir"));
}

TEST_F(RenameEngineTest, AHostFailureIsOtherReasonsByTheNewPathWithItsText) {
  MakeDir("D:\\H\\Busy");
  fs.FailOn(FsOp::RenameFolder, "D:\\H\\Busy", FsError::AccessDenied);
  const std::vector<ItemOutcome> out = Outcomes("D:\\H\\Busy", Prefix("X"), false);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].kind, OutcomeKind::Other);
  EXPECT_EQ(out[0].list, static_cast<std::size_t>(RenameList::OtherReasons));
  EXPECT_EQ(out[0].counters[0].counter, Id(RenameCounter::FoldersOtherReasons));
  EXPECT_EQ(out[0].path, "D:\\H\\XBusy");
  EXPECT_FALSE(out[0].renamed);
  EXPECT_FALSE(out[0].detail.empty());
  EXPECT_TRUE(IsDir("D:\\H\\Busy"));
}

TEST_F(RenameEngineTest, ASimulationTouchesNothingAndListsTheNewPathOnDisk) {
  MakeDir("D:\\S\\One");
  MakeDir("D:\\S\\Two");
  MakeDir("D:\\S\\XTwo");
  const Seen one = Simulate("D:\\S\\One", Prefix("X"));
  ExpectSeen(one, OutcomeKind::Done, RenameCounter::FoldersRenamed, RenameList::FoldersRenamed, "D:\\S\\XOne");
  EXPECT_FALSE(one.renamed);  // nothing to record, nothing to undo
  EXPECT_TRUE(IsDir("D:\\S\\One"));
  EXPECT_FALSE(IsDir("D:\\S\\XOne"));
  // The folder of the new name is listed, where a run lists the item.
  ExpectSeen(Simulate("D:\\S\\Two", Prefix("X")), OutcomeKind::AlreadyExists,
             RenameCounter::FoldersDestinationExists, RenameList::DestinationExists, "D:\\S\\XTwo");
  ExpectSeen(Run("D:\\S\\Two", Prefix("X")), OutcomeKind::AlreadyExists, RenameCounter::FoldersDestinationExists,
             RenameList::DestinationExists, "D:\\S\\Two");
  ExpectSeen(Simulate("D:\\S\\Nope", Prefix("X")), OutcomeKind::NotFound, RenameCounter::FoldersSourceNotExists,
             RenameList::SourceNotExists, "D:\\S\\Nope");
  EXPECT_EQ(fs.Calls(FsOp::RenameFolder), 1);  // the run's only
}

TEST_F(RenameEngineTest, ASimulationGivesEachNewPathAwayOnceAsTheRunWould) {
  MakeDir("D:\\T\\a\\One");
  MakeDir("D:\\T\\a\\Two");
  MakeDir("D:\\T\\b\\One");
  ExpectSeen(Simulate("D:\\T\\a\\One", NewName("Same")), OutcomeKind::Done, RenameCounter::FoldersRenamed,
             RenameList::FoldersRenamed, "D:\\T\\a\\Same");
  // Taken by the item before: listed by the item, as the run's refused
  // rename lists it.
  ExpectSeen(Simulate("D:\\T\\a\\Two", NewName("Same")), OutcomeKind::AlreadyExists,
             RenameCounter::FoldersDestinationExists, RenameList::DestinationExists, "D:\\T\\a\\Two");
  // Another parent, another new path.
  ExpectSeen(Simulate("D:\\T\\b\\One", NewName("Same")), OutcomeKind::Done, RenameCounter::FoldersRenamed,
             RenameList::FoldersRenamed, "D:\\T\\b\\Same");
  EXPECT_EQ(taken, (SimulatedRenames{"D:\\T\\a\\Same", "D:\\T\\b\\Same"}));

  ExpectSeen(Run("D:\\T\\a\\One", NewName("Same")), OutcomeKind::Done, RenameCounter::FoldersRenamed,
             RenameList::FoldersRenamed, "D:\\T\\a\\Same");
  ExpectSeen(Run("D:\\T\\a\\Two", NewName("Same")), OutcomeKind::AlreadyExists,
             RenameCounter::FoldersDestinationExists, RenameList::DestinationExists, "D:\\T\\a\\Two");
}

TEST_F(RenameEngineTest, ASimulationReadsTheLineNormalisedAndAdmitsOnlyFolderPaths) {
  MakeDir("D:\\N\\One");
  // Doubled and forward separators: the simulation lists the line as it
  // read it, the run as it was given.
  ExpectSeen(Simulate("D:/N//One", Prefix("X")), OutcomeKind::Done, RenameCounter::FoldersRenamed,
             RenameList::FoldersRenamed, "D:\\N\\XOne");
  ExpectSeen(Simulate("Docs//Old", Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, "Docs\\Old");
  ExpectSeen(Run("Docs//Old", Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, "Docs//Old");
  // A drive root or a stray colon is no folder path for the simulation; the
  // run leaves the verdict to the rename.
  ExpectSeen(Simulate("D:\\", Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, "D:\\");
  ExpectSeen(Simulate("D:\\N\\:b", Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, "D:\\N\\:b");
  // Longer than a run could take.
  const std::string deep = "D:\\N\\" + std::string(250, 'd');
  ExpectSeen(Simulate(deep, Prefix("X")), OutcomeKind::Other, RenameCounter::FoldersOtherReasons,
             RenameList::OtherReasons, deep);
  EXPECT_EQ(fs.Calls(FsOp::RenameFolder), 0);
  EXPECT_TRUE(IsDir("D:\\N\\One"));
}

}  // namespace
}  // namespace quillory
