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
#include <filesystem>
#include <fstream>
#include <functional>
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

class JournalKillTest : public AppTest {
 protected:
  // The batch program on D:\kill.txt, its output dropped; 0 when it did not
  // start. The working folder is already D:'s root (the fixture's), so its
  // settings and journals land there, and it inherits the fixture's own
  // trash (XDG_DATA_HOME).
  pid_t SpawnBatch() {
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
    if (posix_spawn(&pid, QUILLORY_BATCH_EXE, &actions, nullptr, argv.data(), environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }
  // Waits until `far` says the run came far enough, then kills it. False
  // (with the reason) when it ended first or never came that far.
  ::testing::AssertionResult KillOnceDone(pid_t pid, const std::function<bool()>& far) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!far()) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == pid)
        return ::testing::AssertionFailure() << "the batch program ended before it was killed";
      if (std::chrono::steady_clock::now() >= deadline) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return ::testing::AssertionFailure() << "the run never came far enough";
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFSIGNALED(status)) return ::testing::AssertionFailure() << "the batch program was not killed";
    return ::testing::AssertionSuccess();
  }
};

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
  const pid_t pid = SpawnBatch();
  ASSERT_GT(pid, 0);

  // Some thousands of folders, then the kill.
  const std::string dest = Host("D:\\Dest");
  ASSERT_TRUE(KillOnceDone(pid, [&] {
    struct stat st {};
    return ::stat(dest.c_str(), &st) == 0 && st.st_nlink >= 2 + 5000;
  }));

  const Paths afterKill = ListDir("D:\\Dest");
  ASSERT_LT(afterKill.size(), static_cast<std::size_t>(kFolders));  // killed part-way

  TfrmMain& main = Start();
  const Paths journaled = main.vol02.records.createdMainFolders.Strings();
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

// The delete into the trash killed part-way: Undo after the restart brings
// back every file its journal holds; what the run moved after the journal's
// last write stays in the trash, with the note of where it came from, for
// the desktop's Trash window to restore.
TEST_F(JournalKillTest, AKilledDeleteIntoTheTrashIsUndoneAsFarAsItsJournalGoes) {
  constexpr int kFiles = 40000;
  MakeDir("D:\\Big");
  for (int i = 0; i < kFiles; ++i) {
    const std::string path = Host("D:\\Big") + "/" + Name(i) + ".txt";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  {
    std::ofstream script(Host("D:\\kill.txt"));
    script << "page tabFoldersDelete01\nadd lstVol07IncludeFolderList D:\\Big\n"
              "click rdoVol07DeleteOnlyFilesInMainFolder\ncheck chkVol07DeleteDoubleConfirm false\n"
              "answer Yes\nclick btnVol07DeleteFolders\n";
  }
  const pid_t pid = SpawnBatch();
  ASSERT_GT(pid, 0);

  const std::string trashed = HomeTrash() + "/files";
  const auto count = [](const std::string& folder) {
    std::size_t n = 0;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec))
      ++n;
    return n;
  };
  ASSERT_TRUE(KillOnceDone(pid, [&] { return count(trashed) >= 4000; }));
  const std::size_t moved = count(trashed);
  ASSERT_LT(moved, static_cast<std::size_t>(kFiles));

  TfrmMain& main = Start();
  const std::size_t journaled = main.vol07.TrashedRecord.size();
  ASSERT_GT(journaled, 0u);
  ASSERT_LE(journaled, moved);
  EXPECT_LT(moved - journaled, moved / 2) << "the journal fell far behind the run";
  ui->answers.push_back(MessageAnswer::Yes);
  ASSERT_TRUE(main.vol07.btnVol07Undo.Click());
  EXPECT_TRUE(main.vol07.FailedRestoreRecord.empty());
  // Every file is either back or still in the trash with its note: none lost.
  EXPECT_EQ(ListDir("D:\\Big").size() + count(trashed), static_cast<std::size_t>(kFiles));
  EXPECT_EQ(count(trashed), moved - journaled);
  // A kill between a note and its move leaves that one note alone; the
  // desktop's trash passes over a note without its entry.
  const std::size_t notes = count(HomeTrash() + "/info");
  EXPECT_TRUE(notes == moved - journaled || notes == moved - journaled + 1) << notes;
}

}  // namespace
}  // namespace quillory
