#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_drive.h"

namespace quillory {
namespace {

// The script lives beside the other automation scripts of the source tree.
std::string ScriptPath() {
  std::string here = __FILE__;
  here.resize(here.rfind('/'));
  return here + "/../automation/scripts/manual_creation.txt";
}

class ManualCreationScriptTest : public TempDriveTest {
 protected:
  // Runs the batch program in the root of D:, so its settings file lands
  // there; returns the exit status and fills `lines` with standard output.
  int RunBatch(std::vector<std::string>& lines) {
    const std::string root = Host("D:\\");
    const std::string command = "cd '" + root + "' && '" + QUILLORY_BATCH_EXE + "' --drive 'D=" + root +
                                "' --automate '" + ScriptPath() + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    std::string line;
    char buf[1024];
    while (std::fgets(buf, sizeof buf, pipe)) {
      line += buf;
      if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        lines.push_back(line);
        line.clear();
      }
    }
    if (!line.empty()) lines.push_back(line);
    return ::pclose(pipe);
  }
};

TEST_F(ManualCreationScriptTest, TheScriptMakesBothFoldersAndReportsThem) {
  MakeDir("D:\\Root");
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch(lines), 0);
  const std::vector<std::string> expected = {
      R"({"event":"message","kind":"question","caption":"Creating Folder(s).-Manually (1).            )"
      R"(Information no: 0107.","text":"D:\\A\\B\\C\nDo you want to create this folder ?\nClick YES to Continue )"
      R"(Creating folders,\nClick NO to Stop the Creating process.","answer":"Yes"})",
      R"({"event":"message","kind":"information","caption":"Creating Folder(s).-Manually.            )"
      R"(Information no: 0110.","text":"End of Creating Folders/Files !!!","answer":"OK"})",
      R"({"event":"select_folder","title":"Browse Title","answer":"D:\\Root"})",
      R"({"event":"open_folder","path":"D:\\Root"})",
      R"({"event":"message","kind":"information","caption":"Creating Folder(s).-SubFolders.            )"
      R"(Information no: 0119.","text":"End of Creating Folders/Files !!!","answer":"OK"})",
      R"({"event":"dump","control":"lstSuccess","type":"ListBox","enabled":true,"visible":true,"count":1,)"
      R"("items":["D:\\A\\B\\C"],"selected":[]})",
      R"({"event":"dump","control":"cboCreateFolderForced","type":"ComboBox","enabled":true,"visible":true,)"
      R"("text":"D:\\A\\B\\C","items":["D:\\A\\B\\C"],"itemIndex":-1})",
      R"({"event":"dump","control":"lstSuccessSubFolders","type":"ListBox","enabled":true,"visible":true,)"
      R"("count":1,"items":["D:\\Root\\x\\y"],"selected":[]})",
      R"({"event":"dump","control":"cboSubFolder","type":"ComboBox","enabled":true,"visible":true,)"
      R"("text":"x\\y","items":["x\\y"],"itemIndex":-1})",
      R"({"event":"dump","control":"cboRootFolders","type":"ComboBox","enabled":true,"visible":true,)"
      R"("text":"D:\\Root","items":["D:\\Root"],"itemIndex":0})",
      R"({"event":"dump","control":"lblSimple02CompleteFolder","type":"Label","enabled":true,"visible":true,)"
      R"("caption":"D:\\Root\\x\\y"})",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  EXPECT_TRUE(IsDir("D:\\A\\B\\C"));
  EXPECT_TRUE(IsDir("D:\\Root\\x\\y"));
  EXPECT_TRUE(IsFile("D:\\default.set"));
}

}  // namespace
}  // namespace quillory
