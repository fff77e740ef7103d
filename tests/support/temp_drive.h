// A fresh temporary folder per test, mapped as drive D: (and another as C:),
// so tests can name "D:\X\P-a" and look at the disk. The previous drive map
// is restored and the folders removed afterwards.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/drives.h"
#include "platform/file_system.h"

namespace quillory {

class TempDriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Drives();
    rootD_ = MakeTempFolder();
    rootC_ = MakeTempFolder();
    Drives().Set('D', rootD_);
    Drives().Set('C', rootC_);
    // What a test moves to the desktop's trash lands in a trash of its own,
    // on the drives' file system, never in the person's.
    const char* data = std::getenv("XDG_DATA_HOME");
    savedDataHome_ = data != nullptr ? std::optional<std::string>(data) : std::nullopt;
    dataHome_ = MakeTempFolder();
    ::setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
  }

  void TearDown() override {
    Drives() = saved_;
    if (savedDataHome_)
      ::setenv("XDG_DATA_HOME", savedDataHome_->c_str(), 1);
    else
      ::unsetenv("XDG_DATA_HOME");
    if (!rootD_.empty()) RemoveTree(rootD_);
    if (!rootC_.empty()) RemoveTree(rootC_);
    if (!dataHome_.empty()) RemoveTree(dataHome_);
  }

  // The home trash of the test: files/ and info/ below it.
  std::string HomeTrash() const { return dataHome_ + "/Trash"; }

  // Host folders of the two drives.
  const std::string& RootD() const { return rootD_; }
  const std::string& RootC() const { return rootC_; }

  std::string Host(std::string_view programPath) {
    const auto host = Drives().ToHost(programPath);
    if (!host) {
      ADD_FAILURE() << "no host path for " << programPath;
      return rootD_ + "/.unmapped";
    }
    return *host;
  }

  // Creates the folder and its missing parents.
  void MakeDir(std::string_view programPath) { MakeHostDirs(Host(programPath)); }

  // Creates the file (and its missing parent folders) holding `contents`.
  void MakeFile(std::string_view programPath, std::string_view contents = "") {
    const std::string host = Host(programPath);
    MakeHostDirs(host.substr(0, host.rfind('/')));
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << programPath;
  }

  // What the disk says of an entry now, as the program records it: device,
  // inode and, where the file system keeps it, the birth time (files also
  // their size and times).
  FolderIdentity FolderIdentityAt(std::string_view programPath) {
    struct statx sx {};
    EXPECT_EQ(::statx(AT_FDCWD, Host(programPath).c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx), 0)
        << programPath;
    FolderIdentity id{static_cast<std::uint64_t>(makedev(sx.stx_dev_major, sx.stx_dev_minor)), sx.stx_ino};
    if ((sx.stx_mask & STATX_BTIME) != 0) {
      id.birthSeconds = sx.stx_btime.tv_sec;
      id.birthNanoseconds = sx.stx_btime.tv_nsec;
    }
    return id;
  }
  FileIdentity FileIdentityAt(std::string_view programPath) {
    struct statx sx {};
    EXPECT_EQ(::statx(AT_FDCWD, Host(programPath).c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx), 0)
        << programPath;
    const FolderIdentity folder = FolderIdentityAt(programPath);
    return FileIdentity{folder.device,         folder.inode,           sx.stx_size,
                        sx.stx_mtime.tv_sec,   sx.stx_mtime.tv_nsec,   folder.birthSeconds,
                        folder.birthNanoseconds, sx.stx_ctime.tv_sec, sx.stx_ctime.tv_nsec};
  }

  bool IsDir(std::string_view programPath) {
    struct stat st {};
    return ::lstat(Host(programPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool IsFile(std::string_view programPath) {
    struct stat st {};
    return ::lstat(Host(programPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  std::string ReadFile(std::string_view programPath) {
    std::ifstream in(Host(programPath), std::ios::binary);
    if (!in) {
      ADD_FAILURE() << "cannot read " << programPath;
      return {};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Names in the folder, sorted; empty when it cannot be listed.
  std::vector<std::string> ListDir(std::string_view programPath) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(Host(programPath).c_str());
    if (dir == nullptr) return names;
    while (const dirent* d = ::readdir(dir)) {
      const std::string_view name = d->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
  }

  // Root passes every permission check, so tests of refusals by mode skip.
  static bool RunningAsRoot() { return ::geteuid() == 0; }

 private:
  static std::string MakeTempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/quillory-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "mkdtemp failed for " << pattern;
      return {};
    }
    // The resolved form, so host paths the system reports map back to D:.
    char* resolved = ::realpath(pattern.c_str(), nullptr);
    if (resolved == nullptr) return pattern;
    std::string real = resolved;
    std::free(resolved);
    return real;
  }

  static void MakeHostDirs(const std::string& host) {
    std::string prefix;
    std::stringstream parts(host);
    std::string name;
    while (std::getline(parts, name, '/')) {
      if (name.empty()) continue;
      prefix += '/' + name;
      ::mkdir(prefix.c_str(), 0777);
    }
    struct stat st {};
    EXPECT_TRUE(::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) << "cannot create " << host;
  }

  // Never follows links; opens read-only folders up first so their entries
  // can go.
 protected:
  static void RemoveTree(const std::string& host) {
    struct stat st {};
    if (::lstat(host.c_str(), &st) != 0) return;
    if (!S_ISDIR(st.st_mode)) {
      ::unlink(host.c_str());
      return;
    }
    ::chmod(host.c_str(), 0700);
    if (DIR* dir = ::opendir(host.c_str())) {
      std::vector<std::string> names;
      while (const dirent* d = ::readdir(dir)) {
        const std::string_view name = d->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
      }
      ::closedir(dir);
      for (const std::string& name : names) RemoveTree(host + '/' + name);
    }
    ::rmdir(host.c_str());
  }

 private:
  DriveMap saved_;
  std::string rootD_;
  std::string rootC_;
  std::string dataHome_;
  std::optional<std::string> savedDataHome_;
};

}  // namespace quillory
