// The rename page driven by a script: simulation, run and undo, with the
// Visual Log lists dumped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using RenameScriptsTest = BatchScriptTest;

TEST_F(RenameScriptsTest, PrefixAndDelimitersSimulatedRunAndUndone) {
  MakeDir("D:\\Work\\Docs\\Old");
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("rename_prefix_undo.txt", lines), 0);
  const std::vector<std::string> expected = {
      R"x({"event":"dump","control":"lblVol06StartFolder","type":"Label","enabled":true,"visible":true,"fo)x"
      R"x(cused":false,"caption":"D:\\Work\\2014_Docs-A","color":"default"})x",
      R"x({"event":"dump","control":"lblVol06EndFolder","type":"Label","enabled":true,"visible":true,"focu)x"
      R"x(sed":false,"caption":"D:\\Work\\2014_Missing-A","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Simulate Rename Folder  Process.-From a Folder L)x"
      R"x(ist.            Information no: 0513.","text":"Simulation shows you the complete Rename Folder p)x"
      R"x(rocess \nwithout actually Rename them on the hard drive.\n\n","answer":"Yes","default":"No"})x",
      R"x({"event":"show","window":"TfrmStatistic06"})x",
      R"x({"event":"message","kind":"information","caption":"Rename Folder(s).-From a Folder List.        )x"
      R"x(    Information no: 0514.","text":"End of Simulation !!!\n\nNo actual Folders were Renamed becau)x"
      R"x(se of Simulation.\n\nThe purpose of the Simulation is to show the Complete Folder Renaming proce)x"
      R"x(ss\n without actually Renaming them on the hard drive.\n\nIf You want to Rename Folders, Use the)x"
      R"x( Rename Folders button.","answer":"OK"})x",
      R"x({"event":"dump","control":"lstStat06FoldersRenamed","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":2,"items":["D:\\Work\\2014_Docs-A","D:\\Work\\Docs\\2014_Old-A"],"sel)x"
      R"x(ected":[]})x",
      R"x({"event":"dump","control":"lstStat06FoldersSourceNotExists","type":"ListBox","enabled":true,"vis)x"
      R"x(ible":true,"focused":false,"count":1,"items":["D:\\Work\\Missing"],"selected":[]})x",
      R"x({"event":"message","kind":"question","caption":"Rename Folders. - From a Folder List.           )x"
      R"x( Information no: 0207.","text":"Do you want to RENAME folders ?\n","answer":"Yes","default":"No")x"
      R"x(})x",
      R"x({"event":"show","window":"TfrmStatistic06"})x",
      R"x({"event":"message","kind":"information","caption":"Rename Folder(s).-From a Folder List.        )x"
      R"x(    Information no: 0208.","text":"End of the Rename process !!!","answer":"OK"})x",
      R"x({"event":"dump","control":"lblVol06NormalSimulate","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"Folder Rename Process.","color":"darkred"})x",
      R"x({"event":"dump","control":"lstStat06FoldersRenamed","type":"ListBox","enabled":true,"visible":tr)x"
      R"x(ue,"focused":false,"count":2,"items":["D:\\Work\\Docs\\2014_Old-A","D:\\Work\\2014_Docs-A"],"sel)x"
      R"x(ected":[]})x",
      R"x({"event":"dump","control":"lstStat06FoldersSourceNotExists","type":"ListBox","enabled":true,"vis)x"
      R"x(ible":true,"focused":false,"count":1,"items":["D:\\Work\\Missing"],"selected":[]})x",
      R"x({"event":"dump","control":"lblVol06FoldersRenamed","type":"Label","enabled":true,"visible":true,)x"
      R"x("focused":false,"caption":"2","color":"default"})x",
      R"x({"event":"message","kind":"question","caption":"Rename Folder(s).-From a Folder List.           )x"
      R"x( Information no: 0212.","text":"Do you want UNDO all Folders renamed last time ?","answer":"Yes")x"
      R"x(,"default":"No"})x",
      R"x({"event":"message","kind":"information","caption":"Rename Folder(s).-From a Folder List.        )x"
      R"x(    Information no: 0214.","text":"End of Undo process !!!","answer":"OK"})x",
      R"x({"event":"message","kind":"warning","caption":"Rename Folder(s).-From a Folder List.            )x"
      R"x(Warning no: 0211.","text":"No UNDO process !!!\nThere are no renamed Folders !!!\nYou must renam)x"
      R"x(e at least on one Folder to UNDO it.","answer":"OK"})x",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  EXPECT_TRUE(IsDir("D:\\Work\\Docs\\Old"));
  EXPECT_FALSE(IsDir("D:\\Work\\2014_Docs-A"));
}

}  // namespace
}  // namespace quillory
