// The version a person reads is the build's: the same line from --version
// and in the About window.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/aux_windows.h"
#include "quillory_version.h"

namespace quillory {
namespace {

TEST(Version, TheBatchProgramAndTheAboutWindowSayTheSame) {
  EXPECT_EQ(std::string(QUILLORY_VERSION_LINE), std::string("Quillory Suite ") + QUILLORY_VERSION);
  EXPECT_EQ(TAboutBox().lblVersion.Caption(), QUILLORY_VERSION_LINE);

  FILE* pipe = ::popen((std::string("'") + QUILLORY_BATCH_EXE + "' --version").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buf[256];
  while (std::fgets(buf, sizeof buf, pipe)) out += buf;
  EXPECT_EQ(::pclose(pipe), 0);
  EXPECT_EQ(out, std::string(QUILLORY_VERSION_LINE) + "\n");
}

}  // namespace
}  // namespace quillory
