#include "platform/file_io.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <string>

#include <gtest/gtest.h>

#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

class PlatformFileIo : public TempDriveTest {};

TEST_F(PlatformFileIo, InputFilesReadBytesAndRefuseFoldersAndMissingFiles) {
  const std::string bytes("\xEF\xBB\xBF" "a\r\n\0z", 8);
  MakeFile("D:\\in.txt", bytes);
  auto file = OpenInputFile("D:\\in.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Size(), bytes.size());
  char buffer[3];
  std::string read;
  while (const std::size_t n = file->Read(buffer, sizeof buffer)) read.append(buffer, n);
  EXPECT_EQ(read, bytes);
  EXPECT_FALSE(file->Failed());

  MakeDir("D:\\folder");
  EXPECT_EQ(OpenInputFile("D:\\folder"), nullptr);
  EXPECT_EQ(OpenInputFile("D:\\missing"), nullptr);
  EXPECT_EQ(OpenInputFile("Q:\\x"), nullptr);

  std::string whole = "stale";
  EXPECT_TRUE(ReadWholeFile("D:\\in.txt", &whole).ok());
  EXPECT_EQ(whole, bytes);
  EXPECT_EQ(ReadWholeFile("D:\\missing", &whole).error, FsError::NotFound);
  EXPECT_TRUE(whole.empty());
  ASSERT_EQ(::mkfifo(Host("D:\\pipe").c_str(), 0600), 0);
  EXPECT_EQ(OpenInputFile("D:\\pipe"), nullptr);  // and does not hang
}

TEST_F(PlatformFileIo, WriteFileAtomicallyReplacesAndLeavesNothingBehind) {
  EXPECT_TRUE(WriteFileAtomically("D:\\default.set", "first").ok());
  EXPECT_EQ(ReadFile("D:\\default.set"), "first");
  ::chmod(Host("D:\\default.set").c_str(), 0640);
  EXPECT_TRUE(WriteFileAtomically("D:\\default.set", std::string("sec\0nd", 6)).ok());
  EXPECT_EQ(ReadFile("D:\\default.set"), std::string("sec\0nd", 6));
  struct stat st {};
  ::stat(Host("D:\\default.set").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ListDir("D:\\"), (std::vector<std::string>{"default.set"}));
}

TEST_F(PlatformFileIo, FailedWritesKeepTheOldFile) {
  MakeFile("D:\\keep.set", "old");
  MakeFile("D:\\plainfile", "x");
  // The parent is a file: no temporary can be made, nothing is touched.
  EXPECT_FALSE(WriteFileAtomically("D:\\plainfile\\keep.set", "new").ok());
  EXPECT_EQ(ReadFile("D:\\plainfile"), "x");

  ::chmod(Host("D:\\keep.set").c_str(), 0444);
  EXPECT_EQ(WriteFileAtomically("D:\\keep.set", "new").error, FsError::AccessDenied);
  EXPECT_EQ(ReadFile("D:\\keep.set"), "old");

  {
    // A write that fails part-way (here: a file-size cap standing in for a
    // full disk) must not reach the target.
    MakeFile("D:\\small.set", "old");
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const FsResult r = WriteFileAtomically("D:\\small.set", std::string(10000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(r.error, FsError::NoSpace);
    EXPECT_EQ(ReadFile("D:\\small.set"), "old");
    ::unlink(Host("D:\\small.set").c_str());
  }

  MakeDir("D:\\folder.set");
  EXPECT_FALSE(WriteFileAtomically("D:\\folder.set", "new").ok());
  EXPECT_TRUE(IsDir("D:\\folder.set"));
  EXPECT_EQ(WriteFileAtomically("Q:\\x", "new").error, FsError::NotFound);
  EXPECT_EQ(ListDir("D:\\"), (std::vector<std::string>{"folder.set", "keep.set", "plainfile"}));

  if (!RunningAsRoot()) {
    ::chmod(Host("D:\\keep.set").c_str(), 0644);
    MakeFile("D:\\locked\\k.set", "old");
    ::chmod(Host("D:\\locked").c_str(), 0555);
    EXPECT_FALSE(WriteFileAtomically("D:\\locked\\k.set", "new").ok());
    EXPECT_EQ(ReadFile("D:\\locked\\k.set"), "old");
  }
}

TEST_F(PlatformFileIo, CurrentDirectoryInProgramForm) {
  char* saved = ::getcwd(nullptr, 0);
  ASSERT_NE(saved, nullptr);
  MakeDir("D:\\work\\here");
  ASSERT_EQ(::chdir(Host("D:\\work\\here").c_str()), 0);
  EXPECT_EQ(CurrentDirectoryProgramForm(), "D:\\work\\here");
  Drives() = DriveMap();
  EXPECT_EQ(CurrentDirectoryProgramForm(), "");
  EXPECT_EQ(::chdir(saved), 0);
  std::free(saved);
}

// A PID that ran and is gone (reaped), for leftovers of a killed process.
pid_t DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST_F(PlatformFileIo, LeftoversOfKilledSavesGoAndNothingElse) {
  const std::string dead = std::to_string(DeadPid());
  const std::string mine = std::to_string(::getpid());
  MakeFile("D:\\default.set", "old");
  for (const std::string& name : std::vector<std::string>{
           ".default.set.tmp-" + dead + "-3", ".default.set.tmp-" + dead + "-12", ".default.set.tmp-" + mine + "-1",
        ".default.set.tmp-1-2",  // a live process (init)
        ".default.set.tmp-" + dead + "-3x", ".default.set.tmp-" + dead, "x.default.set.tmp-" + dead + "-1",
        ".other.set.tmp-" + dead + "-1"})
    MakeFile("D:\\" + name, "partial");
  MakeDir("D:\\.default.set.tmp-" + dead + "-9");  // not a file we would write

  EXPECT_EQ(HostFileSystem().RemoveStaleTemporaries("D:\\default.set"), 2u);
  EXPECT_FALSE(IsFile("D:\\.default.set.tmp-" + dead + "-3"));
  EXPECT_FALSE(IsFile("D:\\.default.set.tmp-" + dead + "-12"));
  EXPECT_EQ(ListDir("D:\\").size(), 8u);
  EXPECT_TRUE(IsFile("D:\\.default.set.tmp-" + mine + "-1"));
  EXPECT_TRUE(IsFile("D:\\.default.set.tmp-1-2"));
  EXPECT_TRUE(IsDir("D:\\.default.set.tmp-" + dead + "-9"));

  // Writing a file clears its own leftovers first.
  MakeFile("D:\\.other.set.tmp-" + std::to_string(DeadPid()) + "-4", "partial");
  MakeFile("D:\\.other.set.tmp-" + dead + "-4", "partial");
  EXPECT_TRUE(WriteFileAtomically("D:\\other.set", "new").ok());
  EXPECT_EQ(ReadFile("D:\\other.set"), "new");
  for (const std::string& name : ListDir("D:\\")) EXPECT_EQ(name.find(".other.set.tmp-"), std::string::npos) << name;
}

TEST_F(PlatformFileIo, AFailedCommitKeepsTheOldFileAndLeavesNoTemporary) {
  MakeFile("D:\\keep.set", "old");
  FaultFileSystem fs;
  fs.FailOn(FsOp::Commit, "D:\\keep.set", FsError::NoSpace);
  EXPECT_EQ(WriteFileAtomically("D:\\keep.set", "new", fs).error, FsError::NoSpace);
  EXPECT_EQ(ReadFile("D:\\keep.set"), "old");
  EXPECT_EQ(ListDir("D:\\"), std::vector<std::string>{"keep.set"});

  // Without a Commit nothing reaches the target.
  {
    FileReplacer writer(fs);
    ASSERT_TRUE(writer.Open("D:\\fresh.set").ok());
    writer.Write("half");
  }
  EXPECT_EQ(ListDir("D:\\"), std::vector<std::string>{"keep.set"});
  fs.FailOn(FsOp::OpenReplacing, "D:\\keep.set", FsError::AccessDenied);
  EXPECT_EQ(WriteFileAtomically("D:\\keep.set", "new", fs).error, FsError::AccessDenied);
  EXPECT_EQ(ReadFile("D:\\keep.set"), "old");

  std::string bytes = "stale";
  fs.FailOn(FsOp::OpenInputFile, "D:\\keep.set", FsError::Io);
  EXPECT_EQ(ReadWholeFile("D:\\keep.set", &bytes, fs).error, FsError::Io);
  EXPECT_TRUE(bytes.empty());
  EXPECT_TRUE(ReadWholeFile("D:\\keep.set", &bytes).ok());
  EXPECT_EQ(bytes, "old");
}

}  // namespace
}  // namespace quillory
