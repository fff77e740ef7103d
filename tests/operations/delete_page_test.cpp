// The delete page's runs and simulations on real folders of temporary drives.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "operations/run_recorder.h"
#include "operations/smart_delete.h"
#include "platform/drives.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class DeletePageTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    // Deleting for good, as the documents have it; the trash has tests of its own.
    Page().chkVol07MoveToTrash.SetChecked(false);
    ui->ClearCalls();
  }
  DeletePage& Page() { return main->vol07; }
  void Folders(Paths items) {
    Page().include.SetItems(std::move(items));
    Page().Refresh();
  }
  Paths Click(Button& button, std::vector<MessageAnswer> answers) {
    ui->ClearCalls();
    for (MessageAnswer a : answers) ui->answers.push_back(a);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
    Paths texts;
    for (const UiCall& m : ui->Messages()) texts.push_back(m.caption.substr(m.caption.size() - 5) + m.text.substr(0, 5));
    return texts;
  }
  double Counter(const char* name) { return Page().stats.Get(name); }
  Paths LogList(DeleteList list) {
    return main->visualLogs.List(PageKey::Vol07, static_cast<std::size_t>(list)).Items();
  }
  TfrmMain* main = nullptr;
};

TEST_F(DeletePageTest, DoubleConfirmationAsksFirstThenFinalAndNoStopsBeforeAnything) {
  MakeFile("D:\\A\\sub\\f.txt");
  Folders({"D:\\A"});
  EXPECT_EQ(Counter("FoldersToDelete"), 1);
  EXPECT_EQ(Counter("FilesToDelete"), 1);
  EXPECT_EQ(Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes, MessageAnswer::No}),
            (Paths{"0238.First", "0238.Final"}));
  EXPECT_TRUE(IsFile("D:\\A\\sub\\f.txt"));
  Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
  EXPECT_EQ(Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes}), (Paths{"0238.Final", "0239.End o"}));
  EXPECT_FALSE(IsDir("D:\\A\\sub"));
  EXPECT_TRUE(IsDir("D:\\A"));
  EXPECT_EQ(LogList(DeleteList::FoldersDeleted), (Paths{"D:\\A\\sub"}));
  EXPECT_EQ(LogList(DeleteList::FilesDeleted), (Paths{"D:\\A\\sub\\f.txt"}));
}

TEST_F(DeletePageTest, WholeDrivesAreRefusedHoweverWrittenAndOtherMainFoldersCounted) {
  MakeFile("D:\\A\\f.txt");
  MakeDir("D:\\B");
  Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
  Page().rdoVol07DeleteCompleteFolders.Click();
  // One at a time: a whole drive holds every other folder of a list.
  for (const char* drive : {"D:", "D:\\.", "D:\\B\\.."}) {
    Folders({drive});
    Page().rdoVol07DeleteCompleteFolders.Click();
    const Paths got = Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes});
    EXPECT_EQ(std::count(got.begin(), got.end(), "0334.You c"), 1) << drive;
  }
  // The folder another drive is mapped to is that drive's root, written any way.
  Drives().Set('E', RootD() + "/B");
  for (const char* mapped : {"D:\\B", "D:\\A\\..\\B\\", "d:\\B\\."}) {
    Folders({mapped});
    Page().rdoVol07DeleteCompleteFolders.Click();
    const Paths got = Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes});
    EXPECT_EQ(std::count(got.begin(), got.end(), "0334.You c"), 1) << mapped;
  }
  Drives().Remove('E');
  Folders({"NoDrive\\X", "D:\\Missing"});
  Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes});
  EXPECT_TRUE(IsFile("D:\\A\\f.txt"));
  EXPECT_TRUE(IsDir("D:\\B"));
  EXPECT_EQ(LogList(DeleteList::FoldersOtherReasons), (Paths{"NoDrive\\X"}));
  EXPECT_EQ(LogList(DeleteList::FoldersNotExists), (Paths{"D:\\Missing"}));
}

TEST_F(DeletePageTest, SimulationAsksNothingAndLeavesTheDiskAlone) {
  MakeFile("D:\\A\\sub\\f.txt");
  Folders({"D:\\A", "D:\\A\\sub", "D:\\"});
  EXPECT_EQ(Click(Page().btnVol07DeleteFoldersSimulation, {}), (Paths{"0516.Simul", "0517.End o"}));
  EXPECT_EQ(Counter("FoldersDeleted"), 1);
  EXPECT_EQ(Counter("FilesDeleted"), 1);
  EXPECT_EQ(LogList(DeleteList::FoldersOtherReasons), (Paths{"D:\\"}));
  EXPECT_TRUE(IsFile("D:\\A\\sub\\f.txt"));
}

TEST_F(DeletePageTest, ListedFolderInsideAnotherIsItsOwnMainFolderOnlyInTheFilesOfMainFoldersMode) {
  MakeFile("D:\\A\\a.txt");
  MakeFile("D:\\A\\B\\b.txt");
  Folders({"D:\\A", "D:\\A\\B"});
  ui->ClearCalls();
  Page().rdoVol07DeleteOnlyFilesInMainFolder.Click();
  Page().rdoVol07DeleteOnlyFilesInMainFolder.Click();
  EXPECT_EQ(ui->Messages().size(), 1u);  // the hint, once
  EXPECT_EQ(Counter("FilesToDelete"), 2);
  EXPECT_TRUE(Page().files.controls.select.Enabled());
  Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
  Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes});
  EXPECT_EQ(Counter("FilesDeleted"), 2);
  EXPECT_TRUE(IsDir("D:\\A\\B"));
}

TEST_F(DeletePageTest, AddingFoldersOneByOneWalksEachTreeOnce) {
  MakeDir("D:\\A\\x");
  MakeDir("D:\\B\\y");
  MakeDir("D:\\C");
  const std::size_t before = Page().ForecastWalks();
  Folders({"D:\\A"});
  Folders({"D:\\A", "D:\\B"});
  Folders({"D:\\A", "D:\\B", "D:\\C"});
  EXPECT_EQ(Page().ForecastWalks() - before, 3u);
  EXPECT_EQ(Counter("FoldersToDelete"), 2);
}

TEST_F(DeletePageTest, TheBarCountsWhatToDeleteCountsAndEndsFullWhenTheForecastWasShort) {
  for (const char* sub : {"a\\1", "a\\2", "b", "c"}) MakeDir(std::string("D:\\A\\") + sub);
  MakeFile("D:\\A\\b\\f.txt");
  MakeFile("D:\\B\\g.txt");
  Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
  Folders({"D:\\A", "D:\\B"});
  Page().rdoVol07DeleteSubFolders.Click();
  ASSERT_EQ(Counter("FoldersToDelete"), 5);
  // Made after the forecast: one more folder than the bar expects.
  MakeDir("D:\\A\\late");
  Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes});
  EXPECT_EQ(Counter("FoldersDeleted"), 6);
  EXPECT_EQ(ui->runTotal, 5u);
  EXPECT_EQ(ui->progress, (std::vector<std::size_t>{1, 2, 3, 4, 5}));

  // The file modes count files, not main folders.
  for (const char* file : {"x.txt", "y.txt", "s\\z.txt", "s\\t\\w.txt"}) MakeFile(std::string("D:\\C\\") + file);
  Page().rdoVol07DeleteOnlyFiles.Click();
  Folders({"D:\\C", "D:\\B"});
  ASSERT_EQ(Counter("FilesToDelete"), 4);
  Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes});
  EXPECT_EQ(ui->runTotal, 4u);
  EXPECT_EQ(ui->progress, (std::vector<std::size_t>{1, 2, 3, 4}));
}

// The page's counters and Visual Log are what its engine's outcomes make of
// them through a recorder, and nothing more: the same folders handed to the
// engine by hand (a copy of the tree on drive C:) give the same counters and
// the same lines, run or simulated.
TEST_F(DeletePageTest, CountersAndLinesAreExactlyTheEngineOutcomesThroughTheRecorder) {
  for (const char* drive : {"D:", "C:"}) {
    const std::string root(drive);
    MakeFile(root + "\\A\\a.txt");
    MakeFile(root + "\\A\\s\\b.txt");
    MakeDir(root + "\\A\\s\\t\\u");
    MakeFile(root + "\\B\\c.txt");
  }
  Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
  for (const bool simulate : {true, false}) {
    for (RadioButton* button : {&Page().rdoVol07DeleteOnlyFiles, &Page().rdoVol07DeleteCompleteFolders}) {
      const DeleteMode mode = button == &Page().rdoVol07DeleteOnlyFiles ? DeleteMode::SelectedFiles
                                                                         : DeleteMode::Complete;
      SCOPED_TRACE(button->Name() + (simulate ? " simulated" : ""));
      Folders({"D:\\A", "D:\\B", "D:\\Missing", "NoDrive\\X"});
      button->Click();
      Click(simulate ? Page().btnVol07DeleteFoldersSimulation : Page().btnVol07DeleteFolders, {MessageAnswer::Yes});

      OperationStatistics stats(PageCounterNames(PageKey::Vol07));
      RecorderSetup setup;
      setup.page = PageKey::Vol07;
      setup.stats = &stats;
      RunRecorder recorder(setup);
      std::vector<Paths> lines(6);
      DeleteOptions options;
      options.simulate = simulate;
      const OutcomeSink sink = [&](ItemOutcome&& outcome) {
        std::string path = outcome.path;
        if (path.rfind("C:", 0) == 0) path[0] = 'D';
        lines.at(outcome.list).push_back(path);
        recorder.Record(std::move(outcome));
      };
      for (const char* folder : {"C:\\A", "C:\\B", "C:\\Missing", "NoDrive\\X"})
        DeleteMainFolder(app->services.fs, app->services.drives, folder, mode, options, sink);
      for (const char* name : {"FoldersDeleted", "FoldersNotExists", "FoldersOtherReasons", "FilesDeleted",
                               "FilesNotExists", "FilesOtherReasons"})
        EXPECT_EQ(Counter(name), stats.Get(name)) << name;
      for (std::size_t list = 0; list < lines.size(); ++list)
        EXPECT_EQ(LogList(static_cast<DeleteList>(list)), lines[list]) << list;
      EXPECT_GT(Counter(simulate || mode == DeleteMode::SelectedFiles ? "FilesDeleted" : "FoldersDeleted"), 0);
    }
    // The run's engines took the trees; the simulation left them.
    EXPECT_EQ(IsDir("D:\\A"), simulate);
    EXPECT_EQ(IsDir("C:\\A"), simulate);
  }
}

TEST_F(DeletePageTest, AWholeDriveIsRefusedWhereItStandsInTheRunBeforeTheEndMessage) {
  MakeFile("D:\\A\\f.txt");
  Page().chkVol07DeleteDoubleConfirm.SetChecked(false);
  Folders({"D:"});
  EXPECT_EQ(Click(Page().btnVol07DeleteFolders, {MessageAnswer::Yes}),
            (Paths{"0238.Final", "0334.You c", "0239.End o"}));
  for (const char* counter : {"FoldersDeleted", "FoldersNotExists", "FoldersOtherReasons", "FilesDeleted",
                              "FilesNotExists", "FilesOtherReasons"})
    EXPECT_EQ(Counter(counter), 0) << counter;
  EXPECT_TRUE(IsFile("D:\\A\\f.txt"));
  // Simulated, it is a line among the other reasons and no warning.
  EXPECT_EQ(Click(Page().btnVol07DeleteFoldersSimulation, {}), (Paths{"0516.Simul", "0517.End o"}));
  EXPECT_EQ(LogList(DeleteList::FoldersOtherReasons), (Paths{"D:"}));
  EXPECT_EQ(Counter("FoldersOtherReasons"), 1);
}

}  // namespace
}  // namespace quillory
