// What an undo leaves on its page: every counter, page label, Visual Log
// label, result list and zoom twin, after an undo that could not take
// everything away and after the one that then could.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "results/visual_log_windows.h"
#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

class UndoLeftoversTest : public PagesTest {
 protected:
  void Click(Button& button) {
    ui->ClearCalls();
    ui->answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
  }
  // The page as a person sees it, one line per counter and per list.
  std::string State(PageKey key, const OperationStatistics& stats, std::size_t lists) {
    const std::string number(PageOf(key).number);
    VisualLogWindow& log = main->visualLogs.Log(key);
    std::string out = "heading " + log.lblNormalSimulate.Caption() + "\n";
    for (const std::string& name : stats.Names()) {
      out += name + " " + FormatCounter(stats.Get(name));
      if (auto* label = main->FindAs<Label>("lblVol" + number + name)) out += " page " + label->Caption();
      if (auto* label = log.FindAs<Label>("lblStat" + number + name)) out += " log " + label->Caption();
      out += "\n";
    }
    for (std::size_t list = 0; list < lists; ++list) {
      out += "list " + std::to_string(list) + ":";
      for (const std::string& line : main->visualLogs.List(key, list).Items()) out += " " + line;
      out += " | twin:";
      for (const std::string& line : main->visualLogs.Twin(key, list).Items()) out += " " + line;
      out += "\n";
    }
    return out;
  }
};

TEST_F(UndoLeftoversTest, CreatePage) {
  CreateFromStringsPage& page = main->vol02;
  page.structures.SourceKindClick(SourceKind::Nothing);
  page.lstVol02IncludeStrings.SetItems({"a", "b\\deep", "c"});
  page.Refresh();
  Click(page.btnCreateFolders);
  MakeFile("D:\\Dest\\b\\mine.txt", "the person's");
  MakeFile("D:\\Dest\\c\\mine.txt", "the person's");
  Click(page.btnUndo);
  EXPECT_EQ(State(PageKey::Vol02, page.stats, 6),
            "heading Folder/File Creation Process.\n"
            "FoldersToCreate 3 page 3 log 3\n"
            "FoldersCreated 0 page 0 log 0\n"
            "FoldersExists 0 page 0 log 0\n"
            "FoldersOther 0 page 0 log 0\n"
            "SubFoldersToCreate 0 page 0 log 0\n"
            "SubFoldersCreated 0 page 0 log 0\n"
            "SubFoldersExists 0 page 0 log 0\n"
            "SubFoldersOther 0 page 0 log 0\n"
            "FilesToCreate 0 page 0 log 0\n"
            "FilesCreated 0 page 0 log 0\n"
            "FilesExists 0 page 0 log 0\n"
            "FilesOther 0 page 0 log 0\n"
            "FilesSizeToCreate 0 page 0 log 0\n"
            "FilesSizeCreated 0 page 0 log 0\n"
            "FilesSizeExists 0 page 0 log 0\n"
            "FilesSizeOther 0 page 0 log 0\n"
            "FailedUndo 2\n"
            "list 0: | twin:\n"
            "list 1: | twin:\n"
            "list 2: | twin:\n"
            "list 3: | twin:\n"
            "list 4: | twin:\n"
            "list 5: D:\\Dest\\c D:\\Dest\\b | twin: D:\\Dest\\c D:\\Dest\\b\n");

  ASSERT_EQ(::unlink(Host("D:\\Dest\\b\\mine.txt").c_str()), 0);
  ASSERT_EQ(::unlink(Host("D:\\Dest\\c\\mine.txt").c_str()), 0);
  Click(page.btnUndo);
  const std::string clean = State(PageKey::Vol02, page.stats, 6);
  EXPECT_NE(clean.find("\nFailedUndo 0\n"), std::string::npos) << clean;
  EXPECT_NE(clean.find("list 5: | twin:\n"), std::string::npos) << clean;
}

TEST_F(UndoLeftoversTest, CopyPage) {
  MakeFile("D:\\S\\f.txt", "abc");
  MakeFile("D:\\S\\sub\\g.txt", "def");
  MakeDir("D:\\T");
  CopyPage& copy = main->vol08;
  copy.structures.SourceKindClick(SourceKind::Structures);
  copy.structures.AttachModeClick(AttachMode::MainWithFiles);
  copy.structures.list.SetItems({"D:\\S"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  Click(copy.btnVol08CopyFolders);
  std::ofstream(Host("D:\\T\\S\\sub\\g.txt"), std::ios::app) << " changed";
  Click(copy.btnVol08Undo);
  EXPECT_EQ(State(PageKey::Vol08, copy.stats, 8),
            "heading Folder/File Copy Process.\n"
            "FoldersToCopy 1 page 1 log 1\n"
            "FoldersCopied 0 page 0 log 0\n"
            "FoldersNotExists 0 page 0 log 0\n"
            "SubFoldersToCopy 2 page 2 log 2\n"
            "SubFoldersCopied 0 page 0 log 0\n"
            "SubFoldersExists 0 page 0 log 0\n"
            "FilesToCopy 2 page 2 log 2\n"
            "FilesCopied 0 page 0 log 0\n"
            "FilesExists 0 page 0 log 0\n"
            "FileSizeToCopy 6 page 6 log 6\n"
            "FileSizeCopied 0 page 0 log 0\n"
            "FileSizeExists 0 page 0 log 0\n"
            "SubFoldersOtherReasons 0 log 0\n"
            "FoldersFailedUndo 2\n"
            "list 0: | twin:\n"
            "list 1: | twin:\n"
            "list 2: | twin:\n"
            "list 3: | twin:\n"
            "list 4: | twin:\n"
            "list 5: | twin:\n"
            "list 6: | twin:\n"
            "list 7: D:\\T\\S\\sub D:\\T\\S | twin: D:\\T\\S\\sub D:\\T\\S\n");

  ASSERT_EQ(::unlink(Host("D:\\T\\S\\sub\\g.txt").c_str()), 0);
  Click(copy.btnVol08Undo);
  const std::string clean = State(PageKey::Vol08, copy.stats, 8);
  EXPECT_NE(clean.find("\nFoldersFailedUndo 0\n"), std::string::npos) << clean;
  EXPECT_NE(clean.find("list 7: | twin:\n"), std::string::npos) << clean;
}

}  // namespace
}  // namespace quillory
