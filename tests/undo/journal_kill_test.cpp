// A run killed part-way: the batch program makes thousands of folders, is
// killed, and the program started again undoes exactly what the journal
// holds of that run, nothing the person had, and nothing it has no record of.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "shell/main_window.h"
#include "support/app_fixture.h"

extern char** environ;

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class JournalKillTest : public AppTest {};

std::string Name(int i) {
  std::string digits = std::to_string(i);
  return "P" + std::string(5 - digits.size(), '0') + digits;
}

TEST_F(JournalKillTest, AKilledRunIsUndoneAsFarAsItsJournalGoes) {
  constexpr int kFolders = 50000;
  MakeDir("D:\\Dest\\mine");
  MakeDir("D:\\Dest\\" + Name(10));  // listed, but there before the run
  {
    std::ofstream script(Host("D:\\kill.txt"));
    script << "page tabFolderCreate03\nfolder D:\\Dest\nclick btnVol02AddDestFolder\n"
              "click rdoVol02AttachNothing\nadd lstVol02IncludeStrings";
    for (int i = 0; i < kFolders; ++i) script << ' ' << Name(i);
    script << "\nanswer Yes\nclick btnVol02CreateFolders\n";
  }
  const std::string root = Host("D:\\");
  std::string program = QUILLORY_BATCH_EXE, driveOption = "--drive", drive = "D=" + root,
              automateOption = "--automate", scriptPath = root + "/kill.txt";
  std::vector<char*> argv = {program.data(), driveOption.data(), drive.data(), automateOption.data(),
                             scriptPath.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  // The working folder is already D:'s root (the fixture's), so the
  // settings and journals of the batch program land there.
  ASSERT_EQ(posix_spawn(&pid, QUILLORY_BATCH_EXE, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);

  // Some thousands of folders, then the kill.
  const std::string dest = Host("D:\\Dest");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  bool finished = false;
  for (;;) {
    struct stat st {};
    if (::stat(dest.c_str(), &st) == 0 && st.st_nlink >= 2 + 5000) break;
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      finished = true;
      break;
    }
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run never made its folders";
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ASSERT_FALSE(finished) << "the batch program ended before it was killed";
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));

  const Paths afterKill = ListDir("D:\\Dest");
  ASSERT_LT(afterKill.size(), static_cast<std::size_t>(kFolders));  // killed part-way

  TfrmMain& main = Start();
  const Paths journaled = main.vol02.records.createdMainFolders;
  ASSERT_FALSE(journaled.empty());
  EXPECT_EQ(main.vol02.records.madeMainFolders.size(), journaled.size());
  ui->answers.push_back(MessageAnswer::Yes);
  ASSERT_TRUE(main.vol02.btnUndo.Click());

  const Paths left = ListDir("D:\\Dest");
  const std::set<std::string> leftSet(left.begin(), left.end());
  // What the person had stays.
  EXPECT_TRUE(leftSet.count("mine"));
  EXPECT_TRUE(leftSet.count(Name(10)));
  // Everything the journal held is gone.
  for (const std::string& path : journaled) EXPECT_FALSE(IsDir(path)) << path;
  // What stays of the run is only its last folders, made after the last
  // batch reached the journal; nothing new appeared.
  std::string lastJournaled;
  for (const std::string& path : journaled) lastJournaled = std::max(lastJournaled, path.substr(path.rfind('\\') + 1));
  std::size_t tail = 0;
  for (const std::string& name : left) {
    if (name == "mine" || name == Name(10)) continue;
    EXPECT_GT(name, lastJournaled);
    EXPECT_TRUE(std::find(afterKill.begin(), afterKill.end(), name) != afterKill.end()) << name;
    ++tail;
  }
  EXPECT_LT(tail, afterKill.size() / 2) << "the journal fell far behind the run";
}

}  // namespace
}  // namespace quillory
