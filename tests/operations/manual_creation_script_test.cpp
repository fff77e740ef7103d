#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using ManualCreationScriptTest = BatchScriptTest;

TEST_F(ManualCreationScriptTest, TheScriptMakesBothFoldersAndReportsThem) {
  MakeDir("D:\\Root");
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("manual_creation.txt", lines), 0);
  const std::vector<std::string> expected = {
      R"({"event":"message","kind":"question","caption":"Creating Folder(s).-Manually (1).            )"
      R"(Information no: 0107.","text":"D:\\A\\B\\C\nDo you want to create this folder ?\nClick YES to Continue )"
      R"(Creating folders,\nClick NO to Stop the Creating process.","answer":"Yes","default":"No"})",
      R"({"event":"message","kind":"information","caption":"Creating Folder(s).-Manually.            )"
      R"(Information no: 0110.","text":"End of Creating Folders/Files !!!","answer":"OK"})",
      R"({"event":"select_folder","title":"Browse Title","answer":"D:\\Root"})",
      R"({"event":"open_folder","path":"D:\\Root"})",
      R"({"event":"message","kind":"information","caption":"Creating Folder(s).-SubFolders.            )"
      R"(Information no: 0119.","text":"End of Creating Folders/Files !!!","answer":"OK"})",
      R"({"event":"dump","control":"lstSuccess","type":"ListBox","enabled":true,"visible":true,"focused":false,)"
      R"("count":1,"items":["D:\\A\\B\\C"],"selected":[]})",
      R"({"event":"dump","control":"cboCreateFolderForced","type":"ComboBox","enabled":true,"visible":true,)"
      R"("focused":false,"text":"D:\\A\\B\\C","items":["D:\\A\\B\\C"],"itemIndex":-1})",
      R"({"event":"dump","control":"lstSuccessSubFolders","type":"ListBox","enabled":true,"visible":true,)"
      R"("focused":false,"count":1,"items":["D:\\Root\\x\\y"],"selected":[]})",
      R"({"event":"dump","control":"cboSubFolder","type":"ComboBox","enabled":true,"visible":true,)"
      R"("focused":true,"text":"x\\y","items":["x\\y"],"itemIndex":-1})",
      R"({"event":"dump","control":"cboRootFolders","type":"ComboBox","enabled":true,"visible":true,)"
      R"("focused":false,"text":"D:\\Root","items":["D:\\Root"],"itemIndex":0})",
      R"({"event":"dump","control":"lblSimple02CompleteFolder","type":"Label","enabled":true,"visible":true,)"
      R"("focused":false,"caption":"D:\\Root\\x\\y","color":"default"})",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  EXPECT_TRUE(IsDir("D:\\A\\B\\C"));
  EXPECT_TRUE(IsDir("D:\\Root\\x\\y"));
  EXPECT_TRUE(IsFile("D:\\default.set"));
}

}  // namespace
}  // namespace quillory
