// The copy page runs and simulates on real folders of temporary drives.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class CopyPageTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    ui->ClearCalls();
  }
  CopyPage& Copy() { return main->vol08; }
  void Destinations(Paths items) {
    Copy().include.SetItems(std::move(items));
    Copy().Refresh();
  }
  void Structures(SourceKind kind, std::optional<AttachMode> mode, Paths items) {
    Copy().structures.SourceKindClick(kind);
    if (mode) Copy().structures.AttachModeClick(*mode);
    Copy().structures.list.SetItems(std::move(items));
    Copy().Refresh();
  }
  std::vector<std::string> Run(Button& button) {
    ui->ClearCalls();
    ui->answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
    std::vector<std::string> captions;
    for (const UiCall& m : ui->Messages()) captions.push_back(m.caption);
    return captions;
  }
  double Counter(const char* name) { return Copy().stats.Get(name); }
  Paths LogList(CopyList list) {
    return main->visualLogs.List(PageKey::Vol08, static_cast<std::size_t>(list)).Items();
  }
  TfrmMain* main = nullptr;
};

TEST_F(CopyPageTest, EveryDistinctTextIsOneDestinationAndMissingOnesAreCounted) {
  MakeFile("D:\\Src\\one\\f.txt", "abc");
  MakeDir("D:\\A");
  Structures(SourceKind::Structures, AttachMode::MainWithFiles, {"D:\\Src"});
  Destinations({"D:\\A", "d:\\a", "D:\\A", "D:\\Missing", "NoDrive"});
  EXPECT_EQ(Counter("FoldersToCopy"), 3);  // distinct texts with a drive
  const auto captions = Run(Copy().btnVol08CopyFolders);
  EXPECT_EQ(captions, (Paths{"Copy Folder Structure(s).-From a Folder List.            Information no: 0284.",
                             "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0285."}));
  // The names of this host are case-sensitive: d:\a is another folder, not there.
  EXPECT_EQ(Copy().records.processedMainFolders, (Paths{"D:\\A"}));
  EXPECT_EQ(Copy().missingFolders, (Paths{"D:\\Missing", "NoDrive", "d:\\a"}));
  EXPECT_EQ(Counter("FoldersNotExists"), 3);
  EXPECT_EQ(Counter("FoldersCopied"), 1);
  EXPECT_TRUE(IsDir("D:\\A\\Src\\one"));
  EXPECT_EQ(Copy().records.copiedFiles, (Paths{"D:\\A\\Src\\one\\f.txt"}));
  EXPECT_EQ(Copy().attachKind, SourceKind::Structures);
  EXPECT_EQ(LogList(CopyList::FoldersCopied), (Paths{"D:\\A"}));
}

TEST_F(CopyPageTest, SubfoldersOnlyModesLeaveTheTopFolderOutAndKeepExistingFiles) {
  MakeFile("D:\\Src\\x\\keep.txt", "new!");
  MakeDir("D:\\Src\\y");
  MakeFile("D:\\Dst\\x\\keep.txt", "old");
  Structures(SourceKind::Structures, AttachMode::SubWithFiles, {"D:\\Src"});
  Destinations({"D:\\Dst"});
  Run(Copy().btnVol08CopyFolders);
  EXPECT_TRUE(IsDir("D:\\Dst\\y"));
  EXPECT_FALSE(IsDir("D:\\Dst\\Src"));
  EXPECT_EQ(Counter("FilesExists"), 1);
  EXPECT_EQ(Counter("FileSizeExists"), 4);  // the source's size, as measured
  EXPECT_EQ(Counter("SubFoldersExists"), 1);  // x was there
  EXPECT_EQ(Counter("SubFoldersCopied"), 1);
  EXPECT_EQ(Counter("FoldersCopied"), 1);
}

TEST_F(CopyPageTest, AStructureCopiedIntoItselfGivesOneCopyAndEnds) {
  MakeDir("D:\\Src\\sub");
  MakeFile("D:\\Src\\f.txt", "1");
  Structures(SourceKind::Structures, AttachMode::MainWithFiles, {"D:\\Src"});
  Destinations({"D:\\Src\\sub"});
  Run(Copy().btnVol08CopyFolders);
  EXPECT_TRUE(IsDir("D:\\Src\\sub\\Src\\sub"));
  EXPECT_FALSE(IsDir("D:\\Src\\sub\\Src\\sub\\Src"));
  EXPECT_EQ(Counter("FilesCopied"), 1);
}

TEST_F(CopyPageTest, AStructureThatIsItsDestinationInformsWhereThatDestinationComes) {
  MakeDir("D:\\A\\in");
  MakeDir("D:\\B");
  Structures(SourceKind::Structures, AttachMode::MainWithoutFiles, {"D:\\A"});
  Destinations({"D:\\B", "D:\\A"});
  EXPECT_EQ(Run(Copy().btnVol08CopyFolders),
            (Paths{"Copy Folder Structure(s).-From a Folder List.            Information no: 0284.",
                   "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0307.",
                   "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0285."}));
  EXPECT_EQ(ui->Messages()[1].messageKind, MessageKind::Information);
  EXPECT_EQ(ui->Messages()[1].text,
            "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
            "Folder !!! \nDestination Folder : D:\\A\nSource Folder      : D:\\A");
  EXPECT_EQ(Copy().records.processedMainFolders, (Paths{"D:\\B"}));
  EXPECT_TRUE(IsDir("D:\\B\\A\\in"));
  EXPECT_FALSE(IsDir("D:\\A\\A"));
  // The simulation informs under its own number, and changes nothing.
  EXPECT_EQ(Run(Copy().btnVol08CopyFoldersSimulation)[1],
            "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.            Information no: 0508.");
  EXPECT_EQ(Counter("FoldersCopied"), 1);
  EXPECT_EQ(Copy().records.processedMainFolders, (Paths{"D:\\B"}));
}

TEST_F(CopyPageTest, ADestinationThatReceivesNothingCountsNowhere) {
  MakeDir("D:\\A");
  MakeDir("D:\\B\\Docs");
  Structures(SourceKind::Templates, std::nullopt, {"\\Docs"});
  Destinations({"D:\\A", "D:\\B"});
  Run(Copy().btnVol08CopyFolders);
  EXPECT_EQ(Copy().records.processedMainFolders, (Paths{"D:\\A"}));
  EXPECT_EQ(Counter("FoldersCopied"), 1);
  EXPECT_EQ(Counter("FoldersNotExists"), 0);
  EXPECT_EQ(Counter("SubFoldersExists"), 1);
  EXPECT_EQ(Copy().attachKind, SourceKind::Templates);
}

TEST_F(CopyPageTest, ASimulationCountsWhatIsThereAndChangesNothing) {
  MakeFile("D:\\Src\\f.txt", "12");
  MakeFile("D:\\Src\\g.txt", "345");
  MakeDir("D:\\Src\\s");
  MakeDir("D:\\T1");
  MakeFile("D:\\T2\\f.txt", "old");
  Structures(SourceKind::Structures, AttachMode::SubWithFiles, {"D:\\Src"});
  Destinations({"D:\\T1"});
  Run(Copy().btnVol08CopyFolders);
  const Paths before = Copy().records.copiedFiles;
  Destinations({"D:\\T1", "D:\\T2"});
  const auto captions = Run(Copy().btnVol08CopyFoldersSimulation);
  EXPECT_EQ(captions.back(),
            "Simulate the Copy Folder Structure(s) Process.-From a Folder List - Level.            Information no: 0509.");
  // T1 has everything already; T2 only f.txt.
  EXPECT_EQ(Counter("FilesCopied"), 1);
  EXPECT_EQ(Counter("FileSizeCopied"), 3);
  EXPECT_EQ(Counter("FilesExists"), 3);
  EXPECT_EQ(Counter("SubFoldersCopied"), 1);
  EXPECT_EQ(Counter("SubFoldersExists"), 1);
  EXPECT_FALSE(IsDir("D:\\T2\\s"));
  EXPECT_EQ(Copy().records.copiedFiles, before);
  EXPECT_EQ(Copy().records.processedMainFolders, (Paths{"D:\\T1"}));
}

TEST_F(CopyPageTest, ChecksBeforeTheQuestion) {
  // With files and no destination the run does nothing at all.
  MakeDir("D:\\Src");
  Structures(SourceKind::Structures, AttachMode::MainWithFiles, {"D:\\Src"});
  EXPECT_FALSE(Copy().btnVol08CopyFolders.Enabled());
  ui->ClearCalls();
  Copy().btnVol08CopyFoldersClick();
  EXPECT_TRUE(ui->calls.empty());
  // Without structures: warning 0282.
  Structures(SourceKind::Templates, std::nullopt, {});
  Destinations({"D:\\Src"});
  EXPECT_FALSE(Copy().btnVol08CopyFolders.Enabled());
  Copy().btnVol08CopyFoldersClick();
  ASSERT_EQ(ui->Messages().size(), 1u);
  EXPECT_EQ(ui->Messages()[0].caption, "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0282.");
  // An empty list, after the question: warning 0286 and no end message.
  Structures(SourceKind::Templates, std::nullopt, {"\\x"});
  Destinations({});
  ui->ClearCalls();
  ui->answers.push_back(MessageAnswer::Yes);
  Copy().btnVol08CopyFoldersClick();
  ASSERT_EQ(ui->Messages().size(), 2u);
  EXPECT_EQ(ui->Messages()[1].caption, "Copy Folder Structure(s).-From a Folder List - Level.           Warning no: 0286.");
}

TEST_F(CopyPageTest, UndoClearsTheRunCountersButNotTheForecast) {
  MakeDir("D:\\A");
  MakeDir("D:\\B");
  Structures(SourceKind::Templates, std::nullopt, {"\\Plans\\Q1", "\\Mail"});
  Destinations({"D:\\A", "D:\\B"});
  const double subfolders = Counter("SubFoldersToCopy");
  ASSERT_GT(subfolders, 0);
  Run(Copy().btnVol08CopyFolders);
  ASSERT_EQ(Counter("FoldersCopied"), 2);
  Run(Copy().btnVol08Undo);
  EXPECT_FALSE(IsDir("D:\\A\\Plans"));
  EXPECT_EQ(Counter("FoldersCopied"), 0);
  EXPECT_EQ(Counter("FoldersToCopy"), 2);
  EXPECT_EQ(Counter("SubFoldersToCopy"), subfolders);
  Run(Copy().btnVol08CopyFolders);
  EXPECT_EQ(Counter("FoldersCopied"), 2);
  EXPECT_EQ(Counter("FoldersToCopy"), 2);
}

}  // namespace
}  // namespace quillory
