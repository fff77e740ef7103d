// A root typed in the host's own spelling, from a script run by the batch
// program as a person would run it, builds the list the drive-letter root
// builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

class TypedPathsScriptTest : public BatchScriptTest {
 protected:
  // Writes `script` into the root of D: and runs it there.
  std::vector<std::string> RunScript(const std::string& script) {
    const std::string root = Host("D:\\");
    std::ofstream(root + "/script.txt") << script;
    const std::string command = "cd '" + root + "' && '" + QUILLORY_BATCH_EXE + "' --drive 'D=" + root +
                                "' --automate script.txt 2>&1";
    std::vector<std::string> lines;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return lines;
    std::string line;
    char buf[1024];
    while (std::fgets(buf, sizeof buf, pipe)) {
      line += buf;
      if (line.back() == '\n') {
        line.pop_back();
        lines.push_back(line);
        line.clear();
      }
    }
    if (!line.empty()) lines.push_back(line);
    status_ = ::pclose(pipe);
    return lines;
  }
  static std::string Build(const std::string& root) {
    return "page tabFoldersCopy02\n"
           "set cboVol08LevelDestFolder " + root + "\n"
           "set edtVol08ToLevelNumber 2\n"
           "click btnVol08MakeList\n"
           "dump lstVol08IncludeFolderList\n";
  }
  int status_ = -1;
};

TEST_F(TypedPathsScriptTest, AHostRootBuildsTheSameListAsItsDriveLetterForm) {
  for (const char* folder : {"D:\\Clients\\A\\2025", "D:\\Clients\\B\\2025\\Mail", "D:\\Clients\\C"}) MakeDir(folder);
  const std::vector<std::string> byLetter = RunScript(Build("D:\\Clients"));
  ASSERT_EQ(status_, 0);
  ASSERT_EQ(byLetter.size(), 1u);
  // Levels 1 to 2, only the last of each branch.
  EXPECT_NE(byLetter[0].find(R"("count":3,"items":["D:\\Clients\\C","D:\\Clients\\)"), std::string::npos)
      << byLetter[0];

  EXPECT_EQ(RunScript(Build(Host("D:\\Clients"))), byLetter);
  EXPECT_EQ(status_, 0);
  EXPECT_EQ(RunScript(Build("file://" + Host("D:\\Clients") + "/")), byLetter);
  EXPECT_EQ(status_, 0);
}

}  // namespace
}  // namespace quillory
