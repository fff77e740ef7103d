// Runs one of the example automation scripts through the batch program, the
// way a person would from a shell, and hands back its JSON lines.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_drive.h"

namespace quillory {

// Made absolute before any test changes folder: a compiler cache may give
// __FILE__ relative to the build folder, where the tests start.
inline const std::string kScriptsFolder =
    std::filesystem::absolute(std::filesystem::path(__FILE__).parent_path()).string() + "/../automation/scripts/";

class BatchScriptTest : public TempDriveTest {
 protected:
  // The scripts live in tests/automation/scripts of the source tree.
  static std::string ScriptPath(const std::string& name) {
    return kScriptsFolder + name;
  }

  // Runs the script in the root of D: (so its settings file lands there),
  // with D: mapped; returns the exit status, standard output in `lines`.
  int RunBatch(const std::string& script, std::vector<std::string>& lines) {
    const std::string root = Host("D:\\");
    const std::string command = "cd '" + root + "' && '" + QUILLORY_BATCH_EXE + "' --drive 'D=" + root +
                                "' --automate '" + ScriptPath(script) + "' 2>/dev/null";
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

}  // namespace quillory
