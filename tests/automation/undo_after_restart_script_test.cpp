// The undo-after-restart script through the batch program: a create run and
// a rename, the program closed and started again, both undone, and nothing
// left to undo after one more start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using UndoAfterRestartScriptTest = BatchScriptTest;

TEST_F(UndoAfterRestartScriptTest, RunCloseStartAgainUndo) {
  MakeDir("D:\\Dest\\Other");
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("undo_after_restart.txt", lines), 0);
  const std::vector<std::string> expected = {
      R"x({"event":"select_folder","title":"Browse Title","answer":"D:\\Dest"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From  a String List.            )x"
      R"x(Information no: 0025.","text":"Do you want to create folders ?\n","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistic02"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.          )x"
      R"x(  Information no: 0026.","text":"End of Creating Folders/Files !!!","answer":"OK"})x",
      R"x({"event":"open_folder","path":"D:\\Dest"})x",
      R"x({"event":"message","kind":"question","caption":"Rename Folders. - From a Folder List.            Inf)x"
      R"x(ormation no: 0207.","text":"Do you want to RENAME folders ?\n","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistic06"})x",
      R"x({"event":"message","kind":"information","caption":"Rename Folder(s).-From a Folder List.            )x"
      R"x(Information no: 0208.","text":"End of the Rename process !!!","answer":"OK"})x",
      R"x({"event":"dump","control":"lstVol06IncludeFolderList","type":"ListBox","enabled":true,"visible":true)x"
      R"x(,"focused":false,"count":0,"items":[],"selected":[]})x",
      R"x({"event":"dump","control":"btnVol06Undo","type":"Button","enabled":true,"visible":true,"focused":fal)x"
      R"x(se,"caption":"Undo","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Rename Folder(s).-From a Folder List.            Inf)x"
      R"x(ormation no: 0212.","text":"Do you want UNDO all Folders renamed last time ?","answer":"Yes","defaul)x"
      R"x(t":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Rename Folder(s).-From a Folder List.            )x"
      R"x(Information no: 0214.","text":"End of Undo process !!!","answer":"OK"})x",
      R"x({"event":"message","kind":"question","caption":"Creating Folder(s).-From a String List.            I)x"
      R"x(nformation no: 0029.","text":"Do you want to delete all folders (and files)\ncreated last time ?","a)x"
      R"x(nswer":"Yes","default":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Creating Folder(s).-From a String List.          )x"
      R"x(  Information no: 0031.","text":"End of Undo process !!!","answer":"OK"})x",
      R"x({"event":"message","kind":"warning","caption":"Creating Folder(s).-From a String List.            Wa)x"
      R"x(rning no: 0028.","text":"No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must)x"
      R"x( create at least one folder to UNDO them.","answer":"OK"})x",
      R"x({"event":"dump","control":"btnVol06Undo","type":"Button","enabled":false,"visible":true,"focused":fa)x"
      R"x(lse,"caption":"Undo","color":"default"})x",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  // The destination and what was in it before stay; the run's folders went.
  EXPECT_EQ(ListDir("D:\\Dest"), (std::vector<std::string>{"Other"}));
}

}  // namespace
}  // namespace quillory
