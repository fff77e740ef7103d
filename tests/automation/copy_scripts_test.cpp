#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using CopyScriptsTest = BatchScriptTest;

// The order of folders of one level follows the host's directory listing;
// A before B is the one order the expected lines are written in.
std::string InListingOrder(std::string line) {
  const std::string ba = R"x("D:\\Clients\\B\\2025","D:\\Clients\\A\\2025")x";
  const std::string ab = R"x("D:\\Clients\\A\\2025","D:\\Clients\\B\\2025")x";
  for (std::size_t at; (at = line.find(ba)) != std::string::npos;) line.replace(at, ba.size(), ab);
  return line;
}

void ExpectLines(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(InListingOrder(lines[i]), expected[i]) << "line " << i;
}

// The manual page's question and end message for one folder (`path` as the
// JSON text writes it).
void Made(std::vector<std::string>& expected, const std::string& path) {
  expected.push_back(R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-Manually (1).      )x"
                     R"x(      Information no: 0107.","text":")x" +
                     path +
                     R"x(\nDo you want to create this folder ?\nClick YES to Continue Creating folders,\nClick NO)x"
                     R"x( to Stop the Creating process.","answer":"Yes","default":"No"})x");
  expected.push_back(R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-Manually.      )x"
                     R"x(      Information no: 0110.","text":"End of Creating Folders/Files !!!","answer":"OK"})x");
}

std::vector<std::string> Then(std::vector<std::string> expected, const std::vector<std::string>& more) {
  expected.insert(expected.end(), more.begin(), more.end());
  return expected;
}

// Levels 1 to 2 below D:\Clients, only the last folder of each branch, one
// missing folder added by hand; a two-line template copied into each, one
// of whose folders is there already.
TEST_F(CopyScriptsTest, LevelsThenATemplateCopiedAndItsVisualLog) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("copy_levels_template.txt", lines), 0);
  std::vector<std::string> expected;
  Made(expected, R"x(D:\\Clients\\A\\2025)x");
  Made(expected, R"x(D:\\Clients\\B\\2025\\Mail)x");
  Made(expected, R"x(D:\\Clients\\C)x");
  ExpectLines(lines, Then(expected, {
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Clients"})x",
      R"x({"event":"dump","control":"lstVol08IncludeFolderList","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":3,"items":["D:\\Clients\\C","D:\\Clients\\A\\2025","D:\\Clients\\B\)x"
      R"x(\2025"],"selected":[]})x",
      R"x({"event":"dump","control":"lblVol08IncludeSum","type":"Label","enabled":true,"visible":true,"foc)x"
      R"x(used":false,"caption":"3","color":"default"})x",
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Clients\\Gone"})x",
      R"x({"event":"dump","control":"lstVol08IncludeFolderList","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":4,"items":["D:\\Clients\\C","D:\\Clients\\A\\2025","D:\\Clients\\B\)x"
      R"x(\2025","D:\\Clients\\Gone"],"selected":[]})x",
      R"x({"event":"dump","control":"lblVol08IncludeSum","type":"Label","enabled":true,"visible":true,"foc)x"
      R"x(used":false,"caption":"4","color":"default"})x",
      R"x({"event":"modal","window":"TfrmFolderStructuresTemplates"})x",
      R"x({"event":"modal_end","window":"TfrmFolderStructuresTemplates","result":"OK"})x",
      R"x({"event":"dump","control":"lstVol08AddFolderStructure","type":"ListBox","enabled":true,"visible")x"
      R"x(:true,"focused":false,"count":2,"items":["\\Plans\\Q1","\\Mail"],"selected":[]})x",
      R"x({"event":"dump","control":"lblVol08FoldersToCopy","type":"Label","enabled":true,"visible":true,")x"
      R"x(focused":false,"caption":"4","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08SubFoldersToCopy","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"8","color":"default"})x",
      R"x({"event":"dump","control":"btnVol08CopyFolders","type":"Button","enabled":true,"visible":true,"f)x"
      R"x(ocused":false,"caption":" COPY   Folder Structures/ Templates ","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Copy Folder Structure(s).-From a Folder List.   )x"
      R"x(         Information no: 0284.","text":"Do you want to copy folders ?\n\nNote: If the <Select Fi)x"
      R"x(les> button is active, only the Selected Files will be used.","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistic08"})x",
      R"x({"event":"message","kind":"information","caption":"Copy Folder Structure(s).-From a Folder List )x"
      R"x(- Level.            Information no: 0285.","text":"End of the Copy process !!!","answer":"OK"})x",
      R"x({"event":"dump","control":"lblVol08FoldersCopied","type":"Label","enabled":true,"visible":true,")x"
      R"x(focused":false,"caption":"3","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08SubFoldersCopied","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"5","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08FilesCopied","type":"Label","enabled":true,"visible":true,"fo)x"
      R"x(cused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08FoldersNotExists","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"1","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08SubFoldersExists","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"1","color":"default"})x",
      R"x({"event":"dump","control":"chkStat08NormalSimulate","type":"CheckBox","enabled":true,"visible":f)x"
      R"x(alse,"focused":false,"caption":"","color":"default","checked":true})x",
      R"x({"event":"dump","control":"lblVol08NormalSimulate","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"Folder/File Copy Process.","color":"darkred"})x",
      R"x({"event":"dump","control":"lstStat08FoldersCopied","type":"ListBox","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"count":3,"items":["D:\\Clients\\A\\2025","D:\\Clients\\B\\2025","D:\\Clients\)x"
      R"x(\C"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08SubFoldersCopied","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":5,"items":["D:\\Clients\\A\\2025\\Plans\\Q1","D:\\Clients\\A\\2025\)x"
      R"x(\Mail","D:\\Clients\\B\\2025\\Plans\\Q1","D:\\Clients\\C\\Plans\\Q1","D:\\Clients\\C\\Mail"],"se)x"
      R"x(lected":[]})x",
      R"x({"event":"dump","control":"lstStat08FilesCopied","type":"ListBox","enabled":true,"visible":true,)x"
      R"x("focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08FoldersNotExists","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":1,"items":["D:\\Clients\\Gone"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08SubFoldersExists","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":1,"items":["D:\\Clients\\B\\2025\\Mail"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08FilesExists","type":"ListBox","enabled":true,"visible":true,)x"
      R"x("focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08SubFoldersOtherReasons","type":"ListBox","enabled":true,"vis)x"
      R"x(ible":true,"focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"dump","control":"lblStat08SubFoldersOtherReasons","type":"Label","enabled":true,"visib)x"
      R"x(le":true,"focused":false,"caption":"0","color":"default"})x",
  }));
  EXPECT_TRUE(IsDir("D:\\Clients\\C\\Plans\\Q1"));
  EXPECT_TRUE(IsDir("D:\\Clients\\A\\2025\\Mail"));
  EXPECT_FALSE(IsDir("D:\\Clients\\Gone"));
  EXPECT_FALSE(IsDir("D:\\Clients\\B\\2025\\Mail\\Plans"));
}

// The List Builder window below level 2, only the last folder of each
// branch, imported into the page; an existing structure simulated into
// both, which leaves the disk as it was.
TEST_F(CopyScriptsTest, ListBuilderThenAStructureSimulated) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("copy_list_builder.txt", lines), 0);
  std::vector<std::string> expected;
  Made(expected, R"x(D:\\Clients\\A\\2025)x");
  Made(expected, R"x(D:\\Clients\\B\\2025\\Mail)x");
  Made(expected, R"x(D:\\Clients\\C)x");
  Made(expected, R"x(D:\\Templ\\Docs\\Letters)x");
  ExpectLines(lines, Then(expected, {
      R"x({"event":"modal","window":"TfrmSubFolderListBuilder"})x",
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Clients"})x",
      R"x({"event":"dump","control":"lblMainLevelSumSubFolder","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"6","color":"default"})x",
      R"x({"event":"dump","control":"lblMainLevelSumFiles","type":"Label","enabled":true,"visible":true,"f)x"
      R"x(ocused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"lblMainLevelSumFileSize","type":"Label","enabled":true,"visible":true)x"
      R"x(,"focused":false,"caption":"0.00 Bytes","color":"default"})x",
      R"x({"event":"dump","control":"lstViewLevelSumFolder","type":"ListView","enabled":true,"visible":true,)x"
      R"x("focused":false,"columns":["Level Number","Number of SubFolders"],"rows":[["1","3"],["2","2"],["3")x"
      R"x(,"1"]]})x",
      R"x({"event":"message","kind":"question","caption":"SubFolder Level List Builder.            Warning)x"
      R"x( no: 0580.","text":"Do you want to clear the previous content of the INCLUDE window ?\nClick YES)x"
      R"x( to clear the previous content,\nClick NO to leave it.","answer":"Yes","default":"No"})x",
      R"x({"event":"dump","control":"lstIncludeFolderList","type":"ListBox","enabled":true,"visible":true,)x"
      R"x("focused":false,"count":2,"items":["D:\\Clients\\A\\2025","D:\\Clients\\B\\2025\\Mail"],"selecte)x"
      R"x(d":[]})x",
      R"x({"event":"dump","control":"lblIncludeSum","type":"Label","enabled":true,"visible":true,"focused")x"
      R"x(:false,"caption":"2","color":"default"})x",
      R"x({"event":"modal_end","window":"TfrmSubFolderListBuilder","result":"OK"})x",
      R"x({"event":"dump","control":"lstVol08IncludeFolderList","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":2,"items":["D:\\Clients\\A\\2025","D:\\Clients\\B\\2025\\Mail"],"se)x"
      R"x(lected":[]})x",
      R"x({"event":"dump","control":"lblVol08IncludeSum","type":"Label","enabled":true,"visible":true,"foc)x"
      R"x(used":false,"caption":"2","color":"default"})x",
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Templ"})x",
      R"x({"event":"dump","control":"lstVol08AddFolderStructure","type":"ListBox","enabled":true,"visible")x"
      R"x(:true,"focused":false,"count":1,"items":["D:\\Templ"],"selected":[]})x",
      R"x({"event":"dump","control":"lblVol08FoldersToCopy","type":"Label","enabled":true,"visible":true,")x"
      R"x(focused":false,"caption":"2","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08SubFoldersToCopy","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"6","color":"default"})x",
      R"x({"event":"dump","control":"btnVol08CopyFoldersSimulation","type":"Button","enabled":true,"visibl)x"
      R"x(e":true,"focused":false,"caption":"Simulation","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Simulate Copy Folder Structure(s) Process.-From )x"
      R"x(a Folder List.            Information no: 0507.","text":"Simulation shows you the complete Copy )x"
      R"x(Folder Structure(s) process \nwithout actually Copy them on the hard drive.\n\nThis allows you t)x"
      R"x(o see the process in real time, eliminate errors or export\nResult Folder lists - all without co)x"
      R"x(mpromising existing Folder Structures.\n\nNote: If the <Select Files> button is active, only the)x"
      R"x( Selected Files will be used.","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistic08"})x",
      R"x({"event":"message","kind":"information","caption":"Simulate the Copy Folder Structure(s) Process)x"
      R"x(.-From a Folder List - Level.            Information no: 0509.","text":"End of Simulation !!!\n\)x"
      R"x(nNo actual Folders/Files were copied because of Simulation (Test Mode).\n\nThe purpose of the Si)x"
      R"x(mulation is to show the Complete Folder Copy process\n without actually Copy them on the hard dr)x"
      R"x(ive.\n\nIf You want to Copy Folder Structures, Use the Copy Folders button.","answer":"OK"})x",
      R"x({"event":"dump","control":"lblVol08FoldersCopied","type":"Label","enabled":true,"visible":true,")x"
      R"x(focused":false,"caption":"2","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08SubFoldersCopied","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"6","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08FoldersNotExists","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"lblVol08SubFoldersExists","type":"Label","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"chkStat08NormalSimulate","type":"CheckBox","enabled":true,"visible":f)x"
      R"x(alse,"focused":false,"caption":"","color":"default","checked":false})x",
      R"x({"event":"dump","control":"lblVol08NormalSimulate","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"Simulate the Folder/File Copy Process.","color":"darkred"})x",
      R"x({"event":"dump","control":"lstStat08FoldersCopied","type":"ListBox","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"count":2,"items":["D:\\Clients\\A\\2025","D:\\Clients\\B\\2025\\Mail"],"selec)x"
      R"x(ted":[]})x",
      R"x({"event":"dump","control":"lstStat08SubFoldersCopied","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":6,"items":["D:\\Clients\\A\\2025\\Templ","D:\\Clients\\A\\2025\\Tem)x"
      R"x(pl\\Docs","D:\\Clients\\A\\2025\\Templ\\Docs\\Letters","D:\\Clients\\B\\2025\\Mail\\Templ","D:\\)x"
      R"x(Clients\\B\\2025\\Mail\\Templ\\Docs","D:\\Clients\\B\\2025\\Mail\\Templ\\Docs\\Letters"],"select)x"
      R"x(ed":[]})x",
      R"x({"event":"dump","control":"lstStat08FoldersNotExists","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08SubFoldersExists","type":"ListBox","enabled":true,"visible":)x"
      R"x(true,"focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat08SubFoldersOtherReasons","type":"ListBox","enabled":true,"vis)x"
      R"x(ible":true,"focused":false,"count":0,"items":[],"selected":[]})x",
  }));
  EXPECT_FALSE(IsDir("D:\\Clients\\A\\2025\\Templ"));
  EXPECT_FALSE(IsDir("D:\\Clients\\B\\2025\\Mail\\Templ"));
}

}  // namespace
}  // namespace quillory
