// The recorder is the only writer of a run's counters, labels, records and
// journal: what an engine hands it must land in each exactly once, in order.
#include "operations/run_recorder.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/scripted_ui.h"
#include "app/ui.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

struct PageRecords {
  std::optional<SourceKind> attach = SourceKind::Structures;
  std::string destination;
  TextList main;
  Paths folders, files, processed, existing, other, missing;
  MadeFolderList madeMain;
  MadeFolders made, failedMade;
  std::vector<WrittenFile> written, failedFiles;
  RenameRecords renames, failedRenames;

  JournalLists Lists() {
    JournalLists lists;
    lists.attachKind = &attach;
    lists.destination = &destination;
    lists.mainFolders = &main;
    lists.madeMainFolders = &madeMain;
    lists.folders = &folders;
    lists.madeFolders = &made;
    lists.files = &files;
    lists.writtenFiles = &written;
    lists.processedMainFolders = &processed;
    lists.failedFolders = &failedMade;
    lists.failedFiles = &failedFiles;
    lists.renames = &renames;
    lists.failedRenames = &failedRenames;
    return lists;
  }
};

ItemOutcome Outcome(std::string path, RecordSlot slot, CounterId counter, double delta = 1) {
  ItemOutcome outcome;
  outcome.path = std::move(path);
  outcome.record = slot;
  outcome.Count(counter, delta);
  return outcome;
}

class RunRecorderTest : public WorkingFolderTest {
 protected:
  RecorderSetup Setup(bool real) {
    RecorderSetup setup;
    setup.page = PageKey::Vol02;
    setup.stats = &stats;
    if (real) {
      setup.records = records.Lists();
      setup.existingMainFolders = &records.existing;
      setup.otherMainFolders = &records.other;
      setup.missingFolders = &records.missing;
      setup.journal = &journal;
    }
    setup.ui = &ui;
    setup.showCounters = [this] { shown.push_back(stats.Get(Id(CreateCounter::FoldersCreated))); };
    return setup;
  }

  OperationStatistics stats{CreatePageCounterNames()};
  PageRecords records;
  RunJournal journal{HostFileSystem(), PageKey::Vol02, records.Lists()};
  ScriptedUi ui;
  std::vector<double> shown;
};

TEST_F(RunRecorderTest, EachOutcomeReachesItsCountersRecordsAndJournalOnce) {
  journal.SetFolder("./j");
  journal.Begin();
  {
    RunRecorder recorder(Setup(true));
    ItemOutcome main = Outcome("D:\\Dest\\a", RecordSlot::MainFolder, Id(CreateCounter::FoldersCreated));
    main.made = {{"D:\\Dest", {1, 10}}, {"D:\\Dest\\a", {1, 11}}};
    main.madeMain = true;
    recorder.Record(std::move(main));
    ItemOutcome sub = Outcome("D:\\Dest\\a\\s", RecordSlot::Folder, Id(CreateCounter::SubFoldersCreated));
    sub.made = {{"D:\\Dest\\a\\s", {1, 12}}};
    recorder.Record(std::move(sub));
    ItemOutcome file = Outcome("D:\\Dest\\a\\s\\f", RecordSlot::File, Id(CreateCounter::FilesCreated));
    file.Count(Id(CreateCounter::FilesSizeCreated), 4096);
    file.written = WrittenFile{"D:\\Dest\\a\\s\\f", {1, 13, 4096, 5, 6}};
    recorder.Record(std::move(file));
    recorder.Record(Outcome("D:\\Dest\\b", RecordSlot::ExistingMainFolder, Id(CreateCounter::FoldersExists)));
    recorder.Record(Outcome("D:\\Dest\\.", RecordSlot::OtherMainFolder, Id(CreateCounter::FoldersOther)));
    ItemOutcome renamed;
    renamed.renamed = std::pair<std::string_view, std::string_view>{"D:\\old", "D:\\new"};
    recorder.Record(std::move(renamed));
    recorder.Flush();
  }
  journal.End();

  EXPECT_EQ(stats.Get(Id(CreateCounter::FoldersCreated)), 1);
  EXPECT_EQ(stats.Get(Id(CreateCounter::SubFoldersCreated)), 1);
  EXPECT_EQ(stats.Get(Id(CreateCounter::FilesSizeCreated)), 4096);
  EXPECT_EQ(stats.Get(Id(CreateCounter::FoldersExists)), 1);
  EXPECT_EQ(stats.Get(Id(CreateCounter::FoldersOther)), 1);
  EXPECT_EQ(records.main, Paths{"D:\\Dest\\a"});
  ASSERT_EQ(records.madeMain.size(), 2u);
  EXPECT_EQ(records.madeMain[0].path, "D:\\Dest");
  ASSERT_EQ(records.made.size(), 1u);
  EXPECT_EQ(records.files, Paths{"D:\\Dest\\a\\s\\f"});
  ASSERT_EQ(records.written.size(), 1u);
  EXPECT_EQ(records.existing, Paths{"D:\\Dest\\b"});
  EXPECT_EQ(records.other, Paths{"D:\\Dest\\."});
  EXPECT_EQ(records.renames, (RenameRecords{{"D:\\old", "D:\\new"}}));
  EXPECT_TRUE(ui.calls.empty());

  // The journal holds what the records hold, read back into empty lists.
  PageRecords back;
  RunJournal reader(HostFileSystem(), PageKey::Vol02, back.Lists());
  reader.SetFolder("./j");
  ASSERT_EQ(reader.Load().state, JournalLoad::State::Loaded);
  EXPECT_EQ(back.main, records.main);
  EXPECT_EQ(back.madeMain, records.madeMain);
  EXPECT_EQ(back.made, records.made);
  EXPECT_EQ(back.files, records.files);
  EXPECT_EQ(back.written, records.written);
  EXPECT_EQ(back.renames, records.renames);
  EXPECT_TRUE(back.existing.empty());  // never journaled
}

TEST_F(RunRecorderTest, AnUndoFailureIsKeptForTheNextUndoNotAsMade) {
  RunRecorder recorder(Setup(true));
  ItemOutcome folder = Outcome("D:\\Dest\\a", RecordSlot::None, Id(CreateCounter::FailedUndo));
  folder.undoFailed = true;
  folder.made = {{"D:\\Dest\\a", {1, 11}}};
  recorder.Record(std::move(folder));
  ItemOutcome file;
  file.undoFailed = true;
  file.written = WrittenFile{"D:\\Dest\\a\\f", {1, 13, 1, 5, 6}};
  recorder.Record(std::move(file));
  ItemOutcome rename;
  rename.undoFailed = true;
  rename.renamed = std::pair<std::string_view, std::string_view>{"D:\\old", "D:\\new"};
  recorder.Record(std::move(rename));
  EXPECT_EQ(records.failedMade.size(), 1u);
  EXPECT_EQ(records.failedFiles.size(), 1u);
  EXPECT_EQ(records.failedRenames.size(), 1u);
  EXPECT_TRUE(records.made.empty());
  EXPECT_TRUE(records.madeMain.empty());
  EXPECT_TRUE(records.written.empty());
  EXPECT_TRUE(records.renames.empty());
  EXPECT_EQ(stats.Get(Id(CreateCounter::FailedUndo)), 1);
}

TEST_F(RunRecorderTest, ASimulationCountsAndShowsButKeepsNoRecord) {
  RunRecorder recorder(Setup(false));
  ItemOutcome main = Outcome("D:\\Dest\\a", RecordSlot::MainFolder, Id(CreateCounter::FoldersCreated));
  main.made = {{"D:\\Dest\\a", {1, 11}}};
  main.madeMain = true;
  recorder.Record(std::move(main));
  recorder.Flush();
  EXPECT_EQ(stats.Get(Id(CreateCounter::FoldersCreated)), 1);
  EXPECT_TRUE(records.main.empty());
  EXPECT_TRUE(records.madeMain.empty());
  EXPECT_EQ(shown.back(), 1);
}

TEST_F(RunRecorderTest, MessagesShowWhenTheirOutcomeIsRecordedInOrder) {
  RunRecorder recorder(Setup(false));
  recorder.SetRefreshInterval(std::chrono::milliseconds(0));
  for (int i = 0; i < 3; ++i) {
    ItemOutcome outcome = Outcome("D:\\x" + std::to_string(i), RecordSlot::None, Id(CreateCounter::FoldersCreated));
    if (i != 1)
      outcome.message = ItemMessage{"text " + std::to_string(i), "caption " + std::to_string(i),
                                    i == 0 ? ItemMessage::Kind::Warning : ItemMessage::Kind::Information};
    recorder.Record(std::move(outcome));
  }
  ASSERT_EQ(ui.calls.size(), 2u);
  EXPECT_EQ(ui.calls[0].text, "text 0");
  EXPECT_EQ(ui.calls[0].messageKind, MessageKind::Warning);
  EXPECT_EQ(ui.calls[1].caption, "caption 2");
  EXPECT_EQ(ui.calls[1].messageKind, MessageKind::Information);
  // With no interval the labels follow every outcome, and the message
  // comes after its own outcome was counted.
  EXPECT_EQ(shown, (std::vector<double>{1, 2, 3}));
}

TEST_F(RunRecorderTest, LabelsAreThrottledWhileARunGoesAndExactAtTheEnd) {
  RunRecorder recorder(Setup(false));
  for (int i = 0; i < 10000; ++i)
    recorder.Record(Outcome("D:\\x", RecordSlot::None, Id(CreateCounter::FoldersCreated)));
  // The first outcome shows at once; ten thousand quick ones do not each
  // bring the labels up to date.
  EXPECT_GE(shown.size(), 1u);
  EXPECT_LT(shown.size(), 100u);
  const double before = shown.back();
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  // The interval passed: shown again within the next few outcomes.
  for (int i = 0; i < 32; ++i) recorder.Record(Outcome("D:\\x", RecordSlot::None, Id(CreateCounter::FoldersCreated)));
  EXPECT_GT(shown.back(), before);
  EXPECT_GT(shown.back(), 10000);
  recorder.Record(Outcome("D:\\x", RecordSlot::None, Id(CreateCounter::FoldersCreated)));
  recorder.Flush();
  EXPECT_EQ(shown.back(), 10033);
}

// A typed id that named another counter than its enumerator would count
// silently in the wrong label: every enumerator against the names.
TEST(CounterIdTest, EveryTypedIdNamesTheCounterOfItsPosition) {
  using Table = std::vector<std::pair<CounterId, std::string>>;
  const auto check = [](const std::vector<std::string>& names, const Table& ids) {
    ASSERT_EQ(names.size(), ids.size());
    for (const auto& [id, name] : ids) {
      ASSERT_LT(id.index, names.size()) << name;
      EXPECT_EQ(names[id.index], name);
    }
  };
  check(CreatePageCounterNames(), Table{
      {Id(CreateCounter::FoldersToCreate), "FoldersToCreate"},
      {Id(CreateCounter::FoldersCreated), "FoldersCreated"},
      {Id(CreateCounter::FoldersExists), "FoldersExists"},
      {Id(CreateCounter::FoldersOther), "FoldersOther"},
      {Id(CreateCounter::SubFoldersToCreate), "SubFoldersToCreate"},
      {Id(CreateCounter::SubFoldersCreated), "SubFoldersCreated"},
      {Id(CreateCounter::SubFoldersExists), "SubFoldersExists"},
      {Id(CreateCounter::SubFoldersOther), "SubFoldersOther"},
      {Id(CreateCounter::FilesToCreate), "FilesToCreate"},
      {Id(CreateCounter::FilesCreated), "FilesCreated"},
      {Id(CreateCounter::FilesExists), "FilesExists"},
      {Id(CreateCounter::FilesOther), "FilesOther"},
      {Id(CreateCounter::FilesSizeToCreate), "FilesSizeToCreate"},
      {Id(CreateCounter::FilesSizeCreated), "FilesSizeCreated"},
      {Id(CreateCounter::FilesSizeExists), "FilesSizeExists"},
      {Id(CreateCounter::FilesSizeOther), "FilesSizeOther"},
      {Id(CreateCounter::FailedUndo), "FailedUndo"}});
  check(PageCounterNames(PageKey::Vol06), Table{
      {Id(RenameCounter::FoldersToRename), "FoldersToRename"},
      {Id(RenameCounter::FoldersRenamed), "FoldersRenamed"},
      {Id(RenameCounter::FoldersSourceNotExists), "FoldersSourceNotExists"},
      {Id(RenameCounter::FoldersDestinationExists), "FoldersDestinationExists"},
      {Id(RenameCounter::FoldersOtherReasons), "FoldersOtherReasons"},
      {Id(RenameCounter::FoldersFailedUndo), "FoldersFailedUndo"}});
  check(PageCounterNames(PageKey::Vol07), Table{
      {Id(DeleteCounter::FoldersToDelete), "FoldersToDelete"},
      {Id(DeleteCounter::FilesToDelete), "FilesToDelete"},
      {Id(DeleteCounter::FoldersDeleted), "FoldersDeleted"},
      {Id(DeleteCounter::FoldersNotExists), "FoldersNotExists"},
      {Id(DeleteCounter::FoldersOtherReasons), "FoldersOtherReasons"},
      {Id(DeleteCounter::FilesDeleted), "FilesDeleted"},
      {Id(DeleteCounter::FilesNotExists), "FilesNotExists"},
      {Id(DeleteCounter::FilesOtherReasons), "FilesOtherReasons"}});
  check(PageCounterNames(PageKey::Vol08), Table{
      {Id(CopyCounter::FoldersToCopy), "FoldersToCopy"},
      {Id(CopyCounter::FoldersCopied), "FoldersCopied"},
      {Id(CopyCounter::FoldersNotExists), "FoldersNotExists"},
      {Id(CopyCounter::SubFoldersToCopy), "SubFoldersToCopy"},
      {Id(CopyCounter::SubFoldersCopied), "SubFoldersCopied"},
      {Id(CopyCounter::SubFoldersExists), "SubFoldersExists"},
      {Id(CopyCounter::FilesToCopy), "FilesToCopy"},
      {Id(CopyCounter::FilesCopied), "FilesCopied"},
      {Id(CopyCounter::FilesExists), "FilesExists"},
      {Id(CopyCounter::FileSizeToCopy), "FileSizeToCopy"},
      {Id(CopyCounter::FileSizeCopied), "FileSizeCopied"},
      {Id(CopyCounter::FileSizeExists), "FileSizeExists"},
      {Id(CopyCounter::SubFoldersOtherReasons), "SubFoldersOtherReasons"},
      {Id(CopyCounter::FoldersFailedUndo), "FoldersFailedUndo"}});
  OperationStatistics stats(CreatePageCounterNames());
  stats.Add(Id(CreateCounter::FilesSizeCreated), 7);
  EXPECT_EQ(stats.Get("FilesSizeCreated"), 7);
  EXPECT_THROW(stats.Add(CounterId{200}, 1), std::out_of_range);
}

}  // namespace
}  // namespace quillory
