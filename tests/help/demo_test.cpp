// The guided demonstrations: each script runs to its end through the script
// driver, on a drive of its own that is gone afterwards, leaving the
// person's drives, working folder and settings as they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "help/demo.h"
#include "shell/application.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> EventLines(const std::string& events, const std::string& kind) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < events.size()) {
    std::size_t end = events.find('\n', at);
    if (end == std::string::npos) end = events.size();
    std::string line = events.substr(at, end - at);
    if (line.rfind("{\"event\":\"" + kind + "\"", 0) == 0) lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::string WorkingFolderNow() { return fs::current_path().string(); }

class DemoTest : public ::testing::Test {
 protected:
  // The delete demonstration goes through the desktop's trash: a trash of
  // the test's own, never the person's.
  void SetUp() override {
    saved_ = Drives();
    if (const char* data = std::getenv("XDG_DATA_HOME")) savedDataHome_ = data;
    dataHome_ = fs::temp_directory_path() / ("quillory-demo-data-" + std::to_string(::getpid()));
    fs::create_directories(dataHome_);
    ::setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
  }
  void TearDown() override {
    Drives() = saved_;
    if (savedDataHome_) ::setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");
    std::error_code ec;
    fs::remove_all(dataHome_, ec);
  }
  DriveMap saved_;
  fs::path dataHome_;
  std::optional<std::string> savedDataHome_;
};

TEST_F(DemoTest, EveryDemonstrationRunsToItsEndWithoutAnError) {
  for (const Demonstration& demo : Demonstrations()) {
    const auto lettersBefore = Drives().Letters();
    const std::string cwd = WorkingFolderNow();
    std::string root;
    AutomationHooks hooks;
    hooks.started = [&](Application& app) { root = app.main->settingsPath; };
    const DemoOutcome outcome = PlayDemonstration(demo.name, HostFileSystem(), Drives(), hooks);
    EXPECT_EQ(outcome.code, 0) << demo.name << ": " << outcome.error;
    EXPECT_EQ(outcome.error, "") << demo.name;
    EXPECT_TRUE(EventLines(outcome.events, "error").empty()) << demo.name << "\n" << outcome.events;
    EXPECT_TRUE(EventLines(outcome.events, "exception").empty()) << demo.name << "\n" << outcome.events;
    EXPECT_GE(EventLines(outcome.events, "say").size(), 3u) << demo.name << " says too little to follow";
    // A run that was asked for and confirmed: something was done on the drive.
    EXPECT_FALSE(EventLines(outcome.events, "dump").empty()) << demo.name;
    EXPECT_EQ(Drives().Letters(), lettersBefore) << demo.name;
    EXPECT_EQ(WorkingFolderNow(), cwd) << demo.name;
    ASSERT_FALSE(root.empty()) << demo.name;
    EXPECT_FALSE(fs::exists(fs::path(root).parent_path())) << demo.name << " left its scratch folder behind";
  }
}

TEST_F(DemoTest, TheStringsDemonstrationMakesTheFoldersItShows) {
  std::vector<std::string> seenOnDisk;
  std::string driveHost;
  AutomationHooks hooks;
  hooks.started = [&](Application& app) {
    driveHost = fs::path(app.main->settingsPath).parent_path().parent_path().string() + "/drive";
  };
  hooks.beforeLine = [&](int, const std::vector<std::string>& words) {
    // Looked at just before the Undo is clicked.
    if (words.size() == 2 && words[0] == "click" && words[1] == "btnVol02Undo")
      for (const auto& entry : fs::directory_iterator(driveHost + "/Projects"))
        seenOnDisk.push_back(entry.path().filename().string());
    return true;
  };
  const DemoOutcome outcome = PlayDemonstration("create_strings", HostFileSystem(), Drives(), hooks);
  ASSERT_EQ(outcome.code, 0) << outcome.error;
  std::sort(seenOnDisk.begin(), seenOnDisk.end());
  EXPECT_EQ(seenOnDisk, (std::vector<std::string>{"2025-Alpha", "2025-Beta", "2025-Gamma"}));
}

TEST_F(DemoTest, AStoppedDemonstrationStillCleansUp) {
  const auto lettersBefore = Drives().Letters();
  std::string scratch;
  int lines = 0;
  AutomationHooks hooks;
  hooks.started = [&](Application& app) { scratch = fs::path(app.main->settingsPath).parent_path().parent_path(); };
  hooks.beforeLine = [&](int, const std::vector<std::string>&) { return ++lines < 6; };
  bool ended = false;
  hooks.ending = [&](Application&) { ended = true; };
  const DemoOutcome outcome = PlayDemonstration("copy", HostFileSystem(), Drives(), hooks);
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.error.find("stopped"), std::string::npos) << outcome.error;
  EXPECT_TRUE(ended);
  EXPECT_EQ(Drives().Letters(), lettersBefore);
  ASSERT_FALSE(scratch.empty());
  EXPECT_FALSE(fs::exists(scratch));
}

TEST_F(DemoTest, TheDemonstrationNeitherReadsNorWritesThePersonsSettings) {
  const auto historyBefore = Settings().Vol03DestHistory();
  const std::string cwd = WorkingFolderNow();
  const bool hadFile = fs::exists(cwd + "/default.set");
  const DemoOutcome outcome = PlayDemonstration("create_numbers", HostFileSystem(), Drives());
  ASSERT_EQ(outcome.code, 0) << outcome.error;
  EXPECT_EQ(fs::exists(cwd + "/default.set"), hadFile);
  // Its destination went into its own store, not into the person's.
  EXPECT_EQ(Settings().Vol03DestHistory(), historyBefore);
}

// The caption command and the pace hook of the script driver.
TEST_F(DemoTest, SayIsAnEventAndTheHookCanStopAScript) {
  std::vector<std::string> said;
  std::vector<int> lines;
  AutomationHooks hooks;
  hooks.say = [&](const std::string& text) { said.push_back(text); };
  hooks.beforeLine = [&](int line, const std::vector<std::string>& words) {
    lines.push_back(line);
    return words[0] != "page";
  };
  std::istringstream script("say \"Two words\"\n# a comment\nsay bare words joined\npage 1\nsay never\n");
  std::ostringstream out, err;
  SettingsStore settings;
  DriveMap drives;
  EXPECT_EQ(RunAutomation(script, out, err, {HostFileSystem(), settings, drives}, nullptr, &hooks), 1);
  EXPECT_EQ(said, (std::vector<std::string>{"Two words", "bare words joined"}));
  EXPECT_EQ(lines, (std::vector<int>{1, 3, 4}));
  const auto says = EventLines(out.str(), "say");
  ASSERT_EQ(says.size(), 2u);
  EXPECT_EQ(says[0], R"({"event":"say","text":"Two words"})");
  EXPECT_NE(err.str().find("line 4: stopped"), std::string::npos) << err.str();

  std::istringstream bare("say\n");
  std::ostringstream out2, err2;
  EXPECT_EQ(RunAutomation(bare, out2, err2, {HostFileSystem(), settings, drives}), 1);
  EXPECT_NE(err2.str().find("usage: say TEXT"), std::string::npos) << err2.str();
}

// The demonstration's program works through the disk and map it is handed,
// and its drive is in that map only while it plays.
TEST_F(DemoTest, TheDemonstrationRunsOnTheDiskAndMapItIsHanded) {
  FaultFileSystem disk;
  bool handed = false;
  std::string letter;
  AutomationHooks hooks;
  hooks.started = [&](Application& app) {
    handed = &app.services.fs == &disk && &app.services.drives == &Drives();
    const std::string drive = fs::path(app.main->settingsPath).parent_path().parent_path().string() + "/drive";
    if (auto path = Drives().FromHost(drive)) letter = path->substr(0, 2);
  };
  const DemoOutcome outcome = PlayDemonstration("create_strings", disk, Drives(), hooks);
  ASSERT_EQ(outcome.code, 0) << outcome.error;
  EXPECT_TRUE(handed);
  EXPECT_GT(disk.Calls(FsOp::DirectoryExists) + disk.Calls(FsOp::MakeSubfolder), 0);
  ASSERT_EQ(letter.size(), 2u);
  EXPECT_FALSE(Drives().ToHost(letter + "\\").has_value()) << letter << " is still mapped";
}

TEST_F(DemoTest, UnknownDemonstrationIsRefused) {
  const DemoOutcome outcome = PlayDemonstration("no_such_demo", HostFileSystem(), Drives());
  EXPECT_EQ(outcome.code, 2);
  EXPECT_NE(outcome.error.find("no_such_demo"), std::string::npos);
}

TEST_F(DemoTest, ScratchDriveTakesAFreeLetterAndRemovesLinksNotTheirTargets) {
  const fs::path outside = fs::temp_directory_path() / ("quillory-demo-outside-" + std::to_string(::getpid()));
  fs::create_directories(outside);
  std::ofstream(outside / "keep.txt") << "mine";
  std::string root;
  const auto globalLetters = Drives().Letters();
  {
    DriveMap map;
    map.Set('T', "/");
    ScratchDrive drive(map);
    ASSERT_TRUE(drive.Ok()) << drive.Error();
    EXPECT_NE(drive.Letter(), 'T');
    EXPECT_EQ(map.ToHost(std::string(1, drive.Letter()) + ":\\"), drive.DriveHost());
    EXPECT_EQ(Drives().Letters(), globalLetters) << "the scratch drive went into the process-wide map";
    root = drive.Root();
    fs::create_symlink(outside, drive.DriveHost() + "/link");
    fs::create_directories(drive.DriveHost() + "/a/b");
  }
  EXPECT_FALSE(fs::exists(root));
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
  fs::remove_all(outside);
}

TEST_F(DemoTest, FreeLetterAndDriveMark) {
  DriveMap map;
  EXPECT_EQ(FreeDriveLetter(map), 'T');
  map.Set('T', "/");
  map.Set('U', "/");
  EXPECT_EQ(FreeDriveLetter(map), 'V');
  EXPECT_EQ(DemoScriptOn("folder {D}:\\A\nadd L {D}:\\B {D}\n", 'V'), "folder V:\\A\nadd L V:\\B {D}\n");
}

}  // namespace
}  // namespace quillory
