#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/app_fixture.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

// Free space as a test says, the rest from the disk.
class SmallDisk : public FaultFileSystem {
 public:
  std::optional<std::uint64_t> free;
  std::optional<std::uint64_t> FreeSpace(std::string_view path) override {
    return free ? free : FaultFileSystem::FreeSpace(path);
  }
};

class StructureForecastTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    // A structure of three folders (Templ, a, a\b) and two files of 10 and
    // 20 bytes.
    MakeDir("D:\\Proj\\Templ\\a\\b");
    MakeFile("D:\\Proj\\Templ\\one.txt", std::string(10, 'x'));
    MakeFile("D:\\Proj\\Templ\\a\\two.txt", std::string(20, 'y'));
    MakeDir("D:\\Out\\X");
    MakeDir("D:\\Out\\Y");
    ui = std::make_unique<ScriptedUi>();
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store, disk);
    main = app->main;
    ui->ClearCalls();
  }
  void TearDown() override {
    app.reset();
    AppTest::TearDown();
  }

  double Stat(OperationStatistics& stats, const char* name) { return stats.Get(name); }

  SmallDisk disk;
  TfrmMain* main = nullptr;
};

TEST_F(StructureForecastTest, CopyPageCountsOneCopyPerDestinationAndWalksTheStructureOnce) {
  CopyPage& page = main->vol08;
  page.structures.SourceKindClick(SourceKind::Structures);
  page.structures.AttachModeClick(AttachMode::MainWithFiles);
  page.structures.AddStructure("D:\\Proj\\Templ");
  ui->ClearCalls();  // the note on "Select Files"
  const int walks = disk.Calls(FsOp::OpenFolder);

  page.include.Add("D:\\Out\\X");
  page.include.Add("D:\\Out\\Y");
  page.Refresh();
  EXPECT_EQ(Stat(page.stats, "FoldersToCopy"), 2);
  EXPECT_EQ(Stat(page.stats, "SubFoldersToCopy"), 6);  // the top folder counts in main-folder modes
  EXPECT_EQ(Stat(page.stats, "FilesToCopy"), 4);
  EXPECT_EQ(Stat(page.stats, "FileSizeToCopy"), 60);
  EXPECT_EQ(disk.Calls(FsOp::OpenFolder), walks) << "adding destinations walked the structure again";

  // Without files and below the top folder: folders only, the top left out.
  page.structures.AttachModeClick(AttachMode::SubWithoutFiles);
  EXPECT_EQ(Stat(page.stats, "SubFoldersToCopy"), 4);
  EXPECT_EQ(Stat(page.stats, "FilesToCopy"), 0);
  EXPECT_EQ(Stat(page.stats, "FileSizeToCopy"), 0);
  EXPECT_GT(disk.Calls(FsOp::OpenFolder), walks) << "a new attach mode is a new input";
  EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(StructureForecastTest, CopyPageWithTooLittleSpaceSaysSoAndForecastsNothing) {
  CopyPage& page = main->vol08;
  page.structures.SourceKindClick(SourceKind::Structures);
  page.structures.AttachModeClick(AttachMode::MainWithFiles);
  page.structures.AddStructure("D:\\Proj\\Templ");
  disk.free = 59;
  page.include.Add("D:\\Out\\X");
  page.include.Add("D:\\Out\\Y");
  ui->ClearCalls();
  page.Refresh();
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a Folder List.            Information no: 0177.");
  EXPECT_EQ(messages[0].text,
            "There is not enough space on the disk.\nThe free space on the disk D:\\ is : 59.00 Bytes    59 bytes\n"
            "The program requires : 60.00 Bytes    60 bytes.");
  EXPECT_EQ(Stat(page.stats, "FoldersToCopy"), 0);
  EXPECT_EQ(Stat(page.stats, "FileSizeToCopy"), 0);
}

TEST_F(StructureForecastTest, CreatePagesForecastTemplatesNothingAndStructures) {
  CreateFromStringsPage& page = main->vol02;
  page.ChooseDestination("D:\\Out");
  page.lstVol02IncludeStrings.SetItems({"a", "b", "c"});
  page.structures.list.SetItems({"\\p\\q", "\\r"});
  page.Refresh();
  EXPECT_EQ(Stat(page.stats, "FoldersToCreate"), 3);
  EXPECT_EQ(Stat(page.stats, "SubFoldersToCreate"), 6) << "one folder per template line and main folder";

  page.structures.SourceKindClick(SourceKind::Nothing);
  EXPECT_EQ(Stat(page.stats, "FoldersToCreate"), 3);
  EXPECT_EQ(Stat(page.stats, "SubFoldersToCreate"), 0);

  page.structures.SourceKindClick(SourceKind::Structures);
  page.structures.AttachModeClick(AttachMode::SubWithFiles);
  page.structures.AddStructure("D:\\Proj\\Templ");
  EXPECT_EQ(Stat(page.stats, "FoldersToCreate"), 3);
  EXPECT_EQ(Stat(page.stats, "SubFoldersToCreate"), 6);
  EXPECT_EQ(Stat(page.stats, "FilesToCreate"), 6);
  EXPECT_EQ(Stat(page.stats, "FilesSizeToCreate"), 90);

  // Three copies on one destination drive: the need is three structures.
  disk.free = 89;
  ui->ClearCalls();
  page.Refresh();
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a String List.            Information no: 0035.");
  EXPECT_NE(messages[0].text.find("The program requires : 90.00 Bytes    90 bytes."), std::string::npos);
  EXPECT_EQ(Stat(page.stats, "FoldersToCreate"), 0);
}

TEST_F(StructureForecastTest, NumbersPageCountsTheRangeAndPathsPageEachDrive) {
  CreateFromNumbersPage& numbers = main->vol03;
  numbers.ChooseDestination("D:\\Out");
  numbers.edtVol03StartNumber.SetText("7");
  numbers.edtVol03EndNumber.SetText("120");
  numbers.structures.list.SetItems({"\\x"});
  numbers.Refresh();
  EXPECT_EQ(Stat(numbers.stats, "FoldersToCreate"), 114);
  EXPECT_EQ(Stat(numbers.stats, "SubFoldersToCreate"), 114);
  numbers.edtVol03EndNumber.SetText("6");
  numbers.Refresh();
  EXPECT_EQ(Stat(numbers.stats, "FoldersToCreate"), 0) << "an end before the start is no range";

  CreateFromPathsPage& paths = main->vol04;
  paths.lstVol04IncludeFolderList.SetItems({"D:\\Out\\N1", "C:\\N2"});
  paths.structures.SourceKindClick(SourceKind::Structures);
  paths.structures.AttachModeClick(AttachMode::MainWithFiles);
  paths.structures.AddStructure("D:\\Proj\\Templ");
  EXPECT_EQ(Stat(paths.stats, "FoldersToCreate"), 2);
  EXPECT_EQ(Stat(paths.stats, "FilesSizeToCreate"), 60);
  disk.free = 30;  // each drive needs one copy of 30 bytes: enough
  ui->ClearCalls();
  paths.Refresh();
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(Stat(paths.stats, "FilesSizeToCreate"), 60);
}

}  // namespace
}  // namespace quillory
