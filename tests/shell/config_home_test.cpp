#include "shell/config_home.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "support/temp_drive.h"

namespace quillory {
namespace {

TEST(ConfigHome, FollowsXdgConfigHomeThenTheHomeFolder) {
  EXPECT_EQ(ConfigHome("/cfg", "/home/ann"), "/cfg/quillory");
  EXPECT_EQ(ConfigHome("/cfg/", "/home/ann"), "/cfg/quillory");
  // Unset, empty or relative: the desktop rules fall back to ~/.config.
  EXPECT_EQ(ConfigHome(nullptr, "/home/ann"), "/home/ann/.config/quillory");
  EXPECT_EQ(ConfigHome("", "/home/ann"), "/home/ann/.config/quillory");
  EXPECT_EQ(ConfigHome("rel/cfg", "/home/ann/"), "/home/ann/.config/quillory");
  EXPECT_FALSE(ConfigHome(nullptr, nullptr));
  EXPECT_FALSE(ConfigHome("", "relative"));
}

class EnterConfigHomeTest : public TempDriveTest {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    char here[PATH_MAX];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    saved_ = here;
  }
  void TearDown() override {
    ASSERT_EQ(::chdir(saved_.c_str()), 0);
    TempDriveTest::TearDown();
  }
  std::string saved_;
};

TEST_F(EnterConfigHomeTest, MakesTheMissingFoldersPrivateAndWorksThere) {
  const std::string folder = RootD() + "/home/.config/quillory";
  EXPECT_EQ(EnterConfigHome(folder), "");
  char here[PATH_MAX];
  ASSERT_NE(::getcwd(here, sizeof here), nullptr);
  EXPECT_EQ(std::string(here), folder);
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // An existing folder is entered as it is.
  ASSERT_EQ(::chmod(folder.c_str(), 0750), 0);
  EXPECT_EQ(EnterConfigHome(folder), "");
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0750u);
}

TEST_F(EnterConfigHomeTest, AFileInTheWayIsToldAndTheFolderStays) {
  MakeFile("D:\\cfg", "not a folder");
  const std::string error = EnterConfigHome(RootD() + "/cfg/quillory");
  EXPECT_NE(error.find(RootD() + "/cfg"), std::string::npos) << error;
  char here[PATH_MAX];
  ASSERT_NE(::getcwd(here, sizeof here), nullptr);
  EXPECT_EQ(std::string(here), saved_);
}

}  // namespace
}  // namespace quillory
