// 100,000 full paths typed at once on the manual page and created with
// "Create Folder" (every question answered Yes), beside `lim mklist` (the
// floor) and `xargs -0 mkdir -p`, alternating on the same paths.
//
//   bench_manual_paths [rounds] [paths]      (5 and 100000 by default)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "shell/application.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "operations/manual_creation.h"
#include "platform/drives.h"
#include "side_by_side.h"

namespace {

struct Program {
  quillory::ScriptedUi ui;
  quillory::SettingsStore store;
  std::unique_ptr<quillory::Application> app = std::make_unique<quillory::Application>(ui, store);
};

bool WriteNul(const std::string& path, const std::vector<std::string>& names) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  for (const std::string& n : names) std::fwrite(n.c_str(), 1, n.size() + 1, out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const std::size_t count = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
  std::string dir = side_by_side::DataRoot() + "/quillory-bench-XXXXXX";
  if (::mkdtemp(dir.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  quillory::Drives().Set('D', dir);
  if (::chdir(dir.c_str()) != 0) return 1;

  std::string typed;
  std::vector<std::string> relative;
  std::vector<std::string> host;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string name = "Kl\xC3\xA4ger " + std::to_string(i * 7919 % count);
    typed += "D:\\made\\" + name + " ";
    relative.push_back("made/" + name);
    host.push_back(dir + "/made/" + name);
  }
  const std::string relativeList = dir + "/relative.lst";
  const std::string hostList = dir + "/host.lst";
  if (!WriteNul(relativeList, relative) || !WriteNul(hostList, host)) return 1;

  std::unique_ptr<Program> program;
  const auto clean = [&] { side_by_side::Shell("rm -rf " + side_by_side::Quote(dir + "/made")); };
  const auto fresh = [&] {
    clean();
    program.reset();
    program = std::make_unique<Program>();
    program->ui.answers.assign(count, quillory::MessageAnswer::Yes);
    program->app->main->forced.cboCreateFolderForced.SetText(typed);
  };
  const auto create = [&] {
    program->app->main->forced.btnCreateFolderForced.Click();
    return program->app->main->forced.lstSuccess.Count() == count;
  };
  const std::vector<side_by_side::Job> jobs = {
      {"lim mklist",
       [&] {
         return side_by_side::Shell(side_by_side::Lim() + " mklist " + side_by_side::Quote(dir) + " " +
                                    side_by_side::Quote(relativeList));
       },
       clean},
      {"manual page Create Folder", create, fresh},
      {"xargs -0 mkdir -p", [&] { return side_by_side::Shell("xargs -0 mkdir -p < " + side_by_side::Quote(hostList)); },
       clean},
  };
  const bool ok = side_by_side::Run(std::to_string(count) + " full paths typed at once", jobs, 0, rounds,
                                    static_cast<double>(count));
  program.reset();
  clean();
  std::remove(relativeList.c_str());
  std::remove(hostList.c_str());
  std::remove((dir + "/default.set").c_str());
  ::rmdir(dir.c_str());
  return ok ? 0 : 1;
}
