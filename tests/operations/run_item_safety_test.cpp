// Items that reach a run without passing the typed-name checks (an imported
// string list, a template line, a typed path list): a control character
// never becomes part of a folder name, in the run or in its simulation, and
// the list that counts it shows it escaped. A copy's simulation counts what
// the run refuses to copy (pipes, sockets, devices) as the run does.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "operations/attach_engine.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

bool HoldsRawControl(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

class RunItemSafetyTest : public PagesTest {
 protected:
  void Run(Button& button) {
    ui->ClearCalls();
    ui->answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(button.Click()) << button.Name();
  }
  // Every kind of control character a list file can carry into a name.
  static Paths Controlled(const std::string& before) {
    return {before + "line\nfeed", before + "carriage\rreturn", before + "tab\tbed", before + "del\x7F",
            before + "be\x07ll"};
  }
};

TEST_F(RunItemSafetyTest, StringItemsWithControlCharactersAreRefusedInRunAndSimulation) {
  CreateFromStringsPage& page = main->vol02;
  page.structures.SourceKindClick(SourceKind::Nothing);
  Paths items = Controlled("");
  items.push_back("plain");
  page.lstVol02IncludeStrings.SetItems(items);
  page.Refresh();
  for (Button* button : {&page.btnCreateFoldersSimulation, &page.btnCreateFolders}) {
    SCOPED_TRACE(button->Name());
    Run(*button);
    EXPECT_EQ(page.stats.Get("FoldersOther"), 5);
    EXPECT_EQ(page.stats.Get("FoldersCreated"), 1);
  }
  EXPECT_EQ(ListDir("D:\\Dest"), (Paths{"plain"}));
  ASSERT_EQ(page.records.otherMainFolders.size(), 5u);
  for (const std::string& shown : page.records.otherMainFolders) EXPECT_FALSE(HoldsRawControl(shown)) << shown;
  EXPECT_NE(std::find(page.records.otherMainFolders.begin(), page.records.otherMainFolders.end(),
                      "D:\\Dest\\line\\x0Afeed"),
            page.records.otherMainFolders.end());
}

TEST_F(RunItemSafetyTest, TypedPathsWithControlCharactersAreRefused) {
  CreateFromPathsPage& page = main->vol04;
  page.structures.SourceKindClick(SourceKind::Nothing);
  page.lstVol04IncludeFolderList.SetItems(Controlled("D:\\New\\"));
  page.Refresh();
  for (Button* button : {&page.btnCreateFoldersSimulation, &page.btnCreateFolders}) {
    SCOPED_TRACE(button->Name());
    Run(*button);
    EXPECT_EQ(page.stats.Get("FoldersOther"), 5);
    EXPECT_EQ(page.stats.Get("FoldersCreated"), 0);
  }
  EXPECT_FALSE(IsDir("D:\\New"));  // not even the parent
  for (const std::string& shown : page.records.otherMainFolders) EXPECT_FALSE(HoldsRawControl(shown)) << shown;
}

TEST_F(RunItemSafetyTest, TemplateLinesWithControlCharactersMakeNothing) {
  CreateFromStringsPage& page = main->vol02;
  page.structures.SourceKindClick(SourceKind::Templates);
  page.structures.list.SetItems({"\\Docs\\line\nfeed", "\\Docs\\tab\there", "\\Plain"});
  page.lstVol02IncludeStrings.SetItems({"a"});
  page.Refresh();
  Run(page.btnCreateFoldersSimulation);
  const double simulated = page.stats.Get("SubFoldersCreated");
  Run(page.btnCreateFolders);
  EXPECT_EQ(page.stats.Get("SubFoldersCreated"), simulated);
  EXPECT_EQ(page.stats.Get("SubFoldersCreated"), 1);
  EXPECT_EQ(ListDir("D:\\Dest\\a"), (Paths{"Plain"}));
}

TEST_F(RunItemSafetyTest, TheHostNeverMakesOrRenamesToANameWithAControlCharacter) {
  FileSystem& fs = HostFileSystem();
  MakeDir("D:\\Base");
  EXPECT_EQ(fs.CreateFolders("D:\\Base\\a\nb").result.error, FsError::InvalidName);
  EXPECT_EQ(fs.CreateFoldersBelow("D:\\Base", "x\\y\x7F").result.error, FsError::InvalidName);
  EXPECT_EQ(fs.RenameFolder("D:\\Base", "D:\\Ba\tse").error, FsError::InvalidName);
  FolderHandle base = kNoFolderHandle;
  ASSERT_TRUE(fs.OpenFolder("D:\\Base", &base).ok());
  EXPECT_EQ(fs.MakeSubfolder(base, "c\rd").result.error, FsError::InvalidName);
  fs.CloseFolder(base);
  EXPECT_TRUE(ListDir("D:\\Base").empty());
  EXPECT_TRUE(IsDir("D:\\Base"));
}

// ------------------------------------------------------------ special files

TEST_F(RunItemSafetyTest, ACopySimulationCountsPipesAsTheRunDoes) {
  MakeFile("D:\\S\\f.txt", "data");
  ASSERT_EQ(::mkfifo(Host("D:\\S\\pipe").c_str(), 0644), 0);
  MakeDir("D:\\T");
  CopyPage& copy = main->vol08;
  copy.structures.SourceKindClick(SourceKind::Structures);
  copy.structures.AttachModeClick(AttachMode::MainWithFiles);
  copy.structures.list.SetItems({"D:\\S"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  Run(copy.btnVol08CopyFoldersSimulation);
  const double copiedInSimulation = copy.stats.Get("FilesCopied");
  const double refusedInSimulation = copy.stats.Get("FilesExists");
  Run(copy.btnVol08CopyFolders);
  EXPECT_EQ(copy.stats.Get("FilesCopied"), 1);
  EXPECT_EQ(copiedInSimulation, copy.stats.Get("FilesCopied"));
  EXPECT_EQ(refusedInSimulation, copy.stats.Get("FilesExists"));
  EXPECT_FALSE(IsFile("D:\\T\\S\\pipe"));
  struct stat st {};
  EXPECT_NE(::lstat(Host("D:\\T\\S\\pipe").c_str(), &st), 0);
}

}  // namespace
}  // namespace quillory
