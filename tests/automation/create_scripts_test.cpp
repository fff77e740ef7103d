#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using CreateScriptsTest = BatchScriptTest;

void ExpectLines(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
}

// Strings made into folders under a destination, each given a two-line
// template; one folder was made before on the manual page and is left alone.
TEST_F(CreateScriptsTest, StringsWithATemplateAndTheirVisualLog) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("create_strings_template.txt", lines), 0);
  ExpectLines(lines, {
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-Manually (1).            Inf)x"
      R"x(ormation no: 0107.","text":"D:\\Dest\\Job-Existing\nDo you want to create this folder ?\nClick Y)x"
      R"x(ES to Continue Creating folders,\nClick NO to Stop the Creating process.","answer":"Yes","defaul)x"
      R"x(t":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-Manually.            Info)x"
      R"x(rmation no: 0110.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Dest"})x",
      R"x({"event":"modal","window":"TfrmFolderStructuresTemplates"})x",
      R"x({"event":"modal_end","window":"TfrmFolderStructuresTemplates","result":"OK"})x",
      R"x({"event":"dump","control":"lblVol02FoldersToCreate","type":"Label","enabled":true,"visible":true)x"
      R"x(,"focused":false,"caption":"3","color":"default"})x",
      R"x({"event":"dump","control":"lblVol02SubFoldersToCreate","type":"Label","enabled":true,"visible":t)x"
      R"x(rue,"focused":false,"caption":"6","color":"default"})x",
      R"x({"event":"dump","control":"btnVol02CreateFolders","type":"Button","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"  CREATE  Folders/  F. Structures ","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From  a String List.        )x"
      R"x(    Information no: 0025.","text":"Do you want to create folders ?\n","answer":"Yes","default":")x"
      R"x(No"})x",
      R"x({"event":"show","window":"TfrmStatistic02"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.      )x"
      R"x(      Information no: 0026.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"open_folder","path":"D:\\Dest"})x",
      R"x({"event":"dump","control":"lblVol02FoldersCreated","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"2","color":"default"})x",
      R"x({"event":"dump","control":"lblVol02SubFoldersCreated","type":"Label","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"caption":"4","color":"default"})x",
      R"x({"event":"dump","control":"lblVol02FoldersExists","type":"Label","enabled":true,"visible":true,")x"
      R"x(focused":false,"caption":"1","color":"default"})x",
      R"x({"event":"dump","control":"lstStat02FoldersCreated","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":2,"items":["D:\\Dest\\Job-Alpha","D:\\Dest\\Job-Beta"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat02SubFoldersCreated","type":"ListBox","enabled":true,"visible")x"
      R"x(:true,"focused":false,"count":4,"items":["D:\\Dest\\Job-Alpha\\Plans\\2026","D:\\Dest\\Job-Alpha)x"
      R"x(\\Mail","D:\\Dest\\Job-Beta\\Plans\\2026","D:\\Dest\\Job-Beta\\Mail"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat02FoldersExists","type":"ListBox","enabled":true,"visible":tru)x"
      R"x(e,"focused":false,"count":1,"items":["D:\\Dest\\Job-Existing"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat02FoldersOther","type":"ListBox","enabled":true,"visible":true)x"
      R"x(,"focused":false,"count":0,"items":[],"selected":[]})x",
  });
}

// A simulation of numbered folders makes nothing; the run after it makes them.
TEST_F(CreateScriptsTest, NumbersSimulatedThenCreated) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("create_numbers_simulation.txt", lines), 0);
  ExpectLines(lines, {
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Dest"})x",
      R"x({"event":"dump","control":"lblVol03FoldersToCreate","type":"Label","enabled":true,"visible":true)x"
      R"x(,"focused":false,"caption":"4","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Simulate Creating Folder(s).- Increased Numbers.)x"
      R"x(            Information no: 0465.","text":"Simulation shows you the complete Folder Creation pro)x"
      R"x(cess \nwithout actually creating them on the hard drive.\n\nThis allows you to see the process i)x"
      R"x(n real time, eliminate errors or export\nResult Folder/File lists - all without compromising exi)x"
      R"x(sting Folder Structures.\n","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistic03"})x",
      R"x({"event":"message","kind":"information","caption":"Simulate Creating Folder(s).-Increased Number)x"
      R"x(s.            Information no: 0467.","text":"End of Simulation !!!\n\nNo actual Folders were Cre)x"
      R"x(ated because of Simulation.\nThe purpose of the Simulation is to show the Complete Folder creati)x"
      R"x(on process\n without actually creating them on the hard drive.\n\nIf You want to Create Folders,)x"
      R"x( use the Create Folders button.","answer":"OK"})x",
      R"x({"event":"open_folder","path":"D:\\Dest"})x",
      R"x({"event":"dump","control":"lblVol03FoldersCreated","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"4","color":"default"})x",
      R"x({"event":"dump","control":"lstStat03FoldersCreated","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":4,"items":["D:\\Dest\\Box-08","D:\\Dest\\Box-09","D:\\Dest\\Box-10",")x"
      R"x(D:\\Dest\\Box-11"],"selected":[]})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).- Increased Numbers.         )x"
      R"x(   Information no: 0093.","text":"Do you want to create folders ?\n","answer":"Yes","default":"N)x"
      R"x(o"})x",
      R"x({"event":"show","window":"TfrmStatistic03"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-Increased Numbers.       )x"
      R"x(     Information no: 0094.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"open_folder","path":"D:\\Dest"})x",
      R"x({"event":"dump","control":"lblVol03FoldersCreated","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"4","color":"default"})x",
      R"x({"event":"dump","control":"lblVol03FoldersExists","type":"Label","enabled":true,"visible":true,")x"
      R"x(focused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"lstStat03FoldersCreated","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":4,"items":["D:\\Dest\\Box-08","D:\\Dest\\Box-09","D:\\Dest\\Box-10",")x"
      R"x(D:\\Dest\\Box-11"],"selected":[]})x",
  });
  EXPECT_TRUE(IsDir("D:\\Dest\\Box-08"));
}

// Undo leaves a folder that holds something new and reports it; once that
// is gone (by its own page's Undo) the next Undo takes the folder too.
TEST_F(CreateScriptsTest, UndoKeepsWhatHoldsSomethingNewAndRetriesIt) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("undo_strings.txt", lines), 0);
  ExpectLines(lines, {
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Dest"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From  a String List.        )x"
      R"x(    Information no: 0025.","text":"Do you want to create folders ?\n","answer":"Yes","default":")x"
      R"x(No"})x",
      R"x({"event":"show","window":"TfrmStatistic02"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.      )x"
      R"x(      Information no: 0026.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"open_folder","path":"D:\\Dest"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From a Folder List.         )x"
      R"x(   Information no: 0061.","text":"Do you want to create folders ?\n","answer":"Yes","default":"N)x"
      R"x(o"})x",
      R"x({"event":"show","window":"TfrmStatistic04"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a Folder List.      )x"
      R"x(      Information no: 0062.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From a String List.         )x"
      R"x(   Information no: 0029.","text":"Do you want to delete all folders (and files)\ncreated last ti)x"
      R"x(me ?","answer":"Yes","default":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.      )x"
      R"x(      Information no: 0030.","text":"The program is unable to delete the following folders, and/)x"
      R"x(or separate files : \n\nOTHER REASONS   : \n\nD:\\Dest\\A\nD:\\Dest\n","answer":"OK"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.      )x"
      R"x(      Information no: 0031.","text":"End of Undo process !!!","answer":"OK"})x",
      R"x({"event":"dump","control":"lblVol02FoldersCreated","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"0","color":"default"})x",
      R"x({"event":"dump","control":"lstStat02FoldersFailedUndo","type":"ListBox","enabled":true,"visible")x"
      R"x(:true,"focused":false,"count":2,"items":["D:\\Dest\\A","D:\\Dest"],"selected":[]})x",
      R"x({"event":"dump","control":"lstStat02FoldersCreated","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).- From a Folder List.        )x"
      R"x(    Information no: 0097.","text":"Do you want to delete all folders (and files)\ncreated last t)x"
      R"x(ime ?","answer":"Yes","default":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).- From a Folder List.     )x"
      R"x(       Information no: 0099.","text":"End of Undo process !!!","answer":"OK"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From a String List.         )x"
      R"x(   Information no: 0029.","text":"Do you want to delete all folders (and files)\ncreated last ti)x"
      R"x(me ?","answer":"Yes","default":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.      )x"
      R"x(      Information no: 0031.","text":"End of Undo process !!!","answer":"OK"})x",
      R"x({"event":"dump","control":"lstStat02FoldersFailedUndo","type":"ListBox","enabled":true,"visible")x"
      R"x(:true,"focused":false,"count":0,"items":[],"selected":[]})x",
  });
  EXPECT_FALSE(IsDir("D:\\Dest"));
}

}  // namespace
}  // namespace quillory
