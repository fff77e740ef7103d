// Runs one of the example automation scripts through the batch program, the
// way a person would from a shell, and hands back its JSON lines.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_drive.h"

namespace quillory {

class BatchScriptTest : public TempDriveTest {
 protected:
  // The scripts live in tests/automation/scripts of the source tree.
  static std::string ScriptPath(const std::string& name) {
#ifdef QUILLORY_SOURCE_DIR
    // __FILE__ may be relative to the build folder (a compiler cache
    // rewrites it), and the scripts run from D:'s root.
    return std::string(QUILLORY_SOURCE_DIR) + "/tests/automation/scripts/" + name;
#else
    std::string here = __FILE__;
    here.resize(here.rfind('/'));
    return here + "/../automation/scripts/" + name;
#endif
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
