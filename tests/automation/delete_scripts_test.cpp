#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using DeleteScriptsTest = BatchScriptTest;

// A simulation touches nothing; the run after both confirmations takes the
// subfolders and leaves the main folders.
TEST_F(DeleteScriptsTest, SubfolderStructuresSimulatedThenDeleted) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("delete_structures.txt", lines), 0);
  const std::vector<std::string> expected = {
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-Manually (1).            Inf)x"
      R"x(ormation no: 0107.","text":"D:\\Old\\A\\x\\y\nDo you want to create this folder ?\nClick YES to )x"
      R"x(Continue Creating folders,\nClick NO to Stop the Creating process.","answer":"Yes","default":"No)x"
      R"x("})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-Manually.            Info)x"
      R"x(rmation no: 0110.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-Manually (1).            Inf)x"
      R"x(ormation no: 0107.","text":"D:\\Old\\B\\z\nDo you want to create this folder ?\nClick YES to Con)x"
      R"x(tinue Creating folders,\nClick NO to Stop the Creating process.","answer":"Yes","default":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-Manually.            Info)x"
      R"x(rmation no: 0110.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Old\\A"})x",
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Old\\B"})x",
      R"x({"event":"dump","control":"lstVol07IncludeFolderList","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":2,"items":["D:\\Old\\A","D:\\Old\\B"],"selected":[]})x",
      R"x({"event":"dump","control":"lblVol07FoldersToDelete","type":"Label","enabled":true,"visible":true)x"
      R"x(,"focused":false,"caption":"3","color":"default"})x",
      R"x({"event":"message","kind":"information","caption":"Simulate the Folder/File Delete Process.-From)x"
      R"x( a Folder List.            Information no: 0516.","text":"Simulation shows you the complete Dele)x"
      R"x(te Folder/File process \nwithout actually Delete them on the hard drive.\n\nThis allows you to s)x"
      R"x(ee the process in real time, eliminate errors or export\nResult Folder lists - all without compr)x"
      R"x(omising existing Folder Structures.\n\nNote: If the <Select Files> button is active, only the Se)x"
      R"x(lected Files will be used.","answer":"OK"})x",
      R"x({"event":"show","window":"TfrmStatistics07"})x",
      R"x({"event":"message","kind":"information","caption":"Simulate the Folder/File Delete Process.-From)x"
      R"x( a Folder List - Level.            Information no: 0517.","text":"End of Simulation !!!\n\nNo ac)x"
      R"x(tual Folders were Deleted because of Simulation (Test Mode).\n\nThe purpose of the Simulation is)x"
      R"x( to show the Complete Folder Deleting process\n without actually deleting them on the hard drive)x"
      R"x(.\n\nIf You want to Delete Folders/Files, Use the Delete Folders button.","answer":"OK"})x",
      R"x({"event":"dump","control":"lstStat07FoldersDeleted","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":3,"items":["D:\\Old\\A\\x\\y","D:\\Old\\A\\x","D:\\Old\\B\\z"],"selec)x"
      R"x(ted":[]})x",
      R"x({"event":"dump","control":"lstStat07FoldersOtherReasons","type":"ListBox","enabled":true,"visibl)x"
      R"x(e":true,"focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"message","kind":"question","caption":"Delete Folder(s). - From a Folder List.         )x"
      R"x(   Information no: 0238.","text":"First Confirmation for DELETING Folders/Files\n\nDo you want t)x"
      R"x(o DELETE folders PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop th)x"
      R"x(e Delete process.\n\nNote: If the <Select Files> button is active, only the Selected Files will )x"
      R"x(be used.","answer":"Yes","default":"No"})x",
      R"x({"event":"message","kind":"question","caption":"Delete Folder(s). - From a Folder List.         )x"
      R"x(   Information no: 0238.","text":"Final Confirmation for DELETING Folders/Files\n\nDo you want t)x"
      R"x(o DELETE folders PERMANENTLY ?\n\nClick YES to Continue the Delete process,\nClick NO to Stop th)x"
      R"x(e Delete process.\n\nNote: If the <Select Files> button is active, only the Selected Files will )x"
      R"x(be used.","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistics07"})x",
      R"x({"event":"message","kind":"information","caption":"Delete Folder(s).-From a Folder List.        )x"
      R"x(    Information no: 0239.","text":"End of the Delete process !!!","answer":"OK"})x",
      R"x({"event":"dump","control":"lblVol07FoldersDeleted","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"3","color":"default"})x",
      R"x({"event":"dump","control":"lblVol07FoldersOtherReasons","type":"Label","enabled":true,"visible":)x"
      R"x(true,"focused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"lstStat07FoldersDeleted","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":3,"items":["D:\\Old\\A\\x\\y","D:\\Old\\A\\x","D:\\Old\\B\\z"],"selec)x"
      R"x(ted":[]})x",
      R"x({"event":"dump","control":"lstStat07FoldersOtherReasons","type":"ListBox","enabled":true,"visibl)x"
      R"x(e":true,"focused":false,"count":0,"items":[],"selected":[]})x",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  EXPECT_TRUE(IsDir("D:\\Old\\A"));
  EXPECT_TRUE(IsDir("D:\\Old\\B"));
  EXPECT_FALSE(IsDir("D:\\Old\\A\\x"));
  EXPECT_FALSE(IsDir("D:\\Old\\B\\z"));
}

// Into the trash and back: the Visual Log lists the subfolders as deleted,
// the status bar says where they went, and after Undo the disk is as before.
TEST_F(DeleteScriptsTest, SubfolderStructuresIntoTheTrashAndBack) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("delete_trash_undo.txt", lines), 0);
  const auto find = [&](const std::string& start) {
    for (const std::string& line : lines)
      if (line.rfind(start, 0) == 0) return line;
    return std::string();
  };
  EXPECT_EQ(find(R"x({"event":"dump","control":"chkVol07MoveToTrash")x"),
            R"x({"event":"dump","control":"chkVol07MoveToTrash","type":"CheckBox","enabled":true,"visible":true,)x"
            R"x("focused":false,"caption":"Move to the Trash","color":"default","checked":true})x");
  EXPECT_EQ(find(R"x({"event":"dump","control":"lstStat07FoldersDeleted")x"),
            R"x({"event":"dump","control":"lstStat07FoldersDeleted","type":"ListBox","enabled":true,"visible":tr)x"
            R"x(ue,"focused":false,"count":3,"items":["D:\\Old\\A\\x\\y","D:\\Old\\A\\x","D:\\Old\\B\\z"],)x"
            R"x("selected":[]})x");
  const std::string status = find(R"x({"event":"status")x");
  EXPECT_NE(status.find("Moved to the Trash: 3 folders and 0 files, in "), std::string::npos) << status;
  EXPECT_NE(status.find(HomeTrash()), std::string::npos) << status;
  // The undo's question, its end, and the counters it left: all back.
  std::vector<std::string> captions;
  for (const std::string& line : lines)
    if (const std::size_t at = line.find("no: 06"); at != std::string::npos) captions.push_back(line.substr(at, 8));
  EXPECT_EQ(captions, (std::vector<std::string>{"no: 0631", "no: 0633"}));
  EXPECT_NE(lines.back().find(R"x("control":"lblVol07FoldersOtherReasons")x"), std::string::npos);
  EXPECT_NE(lines.back().find(R"x("caption":"0")x"), std::string::npos);
  EXPECT_TRUE(IsDir("D:\\Old\\A\\x\\y"));
  EXPECT_TRUE(IsDir("D:\\Old\\B\\z"));
  EXPECT_TRUE(std::filesystem::is_empty(HomeTrash() + "/files"));
}

}  // namespace
}  // namespace quillory
