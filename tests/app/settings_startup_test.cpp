// The program started in working folders whose names the drive-letter form
// cannot carry whole: very long ones and ones with a backslash in a name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/settings_file.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

class SettingsStartUp : public AppTest {
 protected:
  // Starts, leaves a destination in the history and closes; a second start
  // must find it again, with no message either time.
  void ExpectSettingsKept() {
    TfrmMain& main = Start();
    EXPECT_TRUE(ui->Messages().empty());
    main.vol02.cboVol02DestFolders.SetItems({"D:\\Kept"});
    EXPECT_TRUE(main.FormClose());
    Start();
    EXPECT_TRUE(ui->Messages().empty());
    EXPECT_EQ(store->Vol02DestHistory(), std::vector<std::string>{"D:\\Kept"});
    app->main->FormClose();
  }

  static bool HereIsAFile(const char* name) {
    struct stat st {};
    return ::lstat(name, &st) == 0 && S_ISREG(st.st_mode);
  }
};

TEST_F(SettingsStartUp, ADeepWorkingFolderKeepsItsOwnFile) {
  std::string deep = "D:";
  for (int level = 0; level < 6; ++level) deep += "\\" + std::string(50, static_cast<char>('a' + level));
  ASSERT_GT(deep.size(), 260u);
  MakeDir(deep);
  // The folder a path cut at 260 characters names, holding settings of its own.
  const std::string cut = deep.substr(0, 260);
  MakeDir(cut);
  MakeFile(cut + "\\default.set", "another folder's settings");
  ASSERT_EQ(::chdir(Host(deep).c_str()), 0);

  ExpectSettingsKept();
  EXPECT_TRUE(IsFile(deep + "\\default.set"));
  EXPECT_EQ(ReadFile(cut + "\\default.set"), "another folder's settings");
  EXPECT_EQ(store->DefaultDirectory(), deep);
}

TEST_F(SettingsStartUp, AWorkingFolderLongerThanTheHostPathLimit) {
  // Made and left one level at a time: its whole path cannot be named.
  const std::string name(200, 'n');
  const int levels = 25;
  ASSERT_EQ(::chdir(Host("D:\\").c_str()), 0);
  for (int i = 0; i < levels; ++i) {
    ASSERT_EQ(::mkdir(name.c_str(), 0700), 0);
    ASSERT_EQ(::chdir(name.c_str()), 0);
  }
  ExpectSettingsKept();
  EXPECT_TRUE(HereIsAFile("default.set"));

  ::unlink("default.set");
  for (int i = 0; i < levels; ++i) {
    ASSERT_EQ(::chdir(".."), 0);
    ASSERT_EQ(::rmdir(name.c_str()), 0);
  }
}

TEST_F(SettingsStartUp, ABackslashInTheWorkingFolderNameIsNoSeparator) {
  const std::string odd = RootD() + "/a\\b";
  ASSERT_EQ(::mkdir(odd.c_str(), 0700), 0);
  ASSERT_EQ(::chdir(odd.c_str()), 0);
  ExpectSettingsKept();
  EXPECT_TRUE(HereIsAFile("default.set"));
  EXPECT_FALSE(IsDir("D:\\a"));
}

}  // namespace
}  // namespace quillory
