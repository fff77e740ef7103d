// A stand-in file server for the benchmarks: bench_slowfs (built beside the
// benchmark) mounted over a fresh backing folder in the data root, at a
// fresh mount point, every metadata operation through it waiting `delayUs`
// microseconds. The backing folder is there to make and clear test data at
// tmpfs speed; what is timed goes through the mount.
//
// The file system runs in the foreground as our child, told to end with us
// (PR_SET_PDEATHSIG): on SIGTERM libfuse unmounts, lazily when busy, so even
// a benchmark that exits early or is killed outright leaves no mount behind.
// The destructor, and SIGINT, SIGTERM or SIGHUP, unmount at once: the former
// with `fusermount3 -u`, then lazily; the latter through the child.
#pragma once

#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "side_by_side.h"

namespace slow_mount {

constexpr long kFuseMagic = 0x65735546;

// The child serving the mount, for the signal handlers: only one mount at a
// time is ours.
inline volatile sig_atomic_t g_server = 0;

inline void EndOnSignal(int signal) {
  if (g_server > 0) ::kill(static_cast<pid_t>(g_server), SIGTERM);  // it unmounts itself
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

class SlowMount {
 public:
  // Mounted when Live(); else Why() says what failed, already on stderr.
  explicit SlowMount(unsigned long delayUs) : delayUs_(delayUs) { Mount(); }
  ~SlowMount() { Unmount(); }
  SlowMount(const SlowMount&) = delete;
  SlowMount& operator=(const SlowMount&) = delete;

  bool Live() const { return server_ > 0; }
  const std::string& Why() const { return why_; }
  // Where to work through the server, and the same folder at tmpfs speed.
  const std::string& Mounted() const { return mountPoint_; }
  const std::string& Backing() const { return backing_; }
  unsigned long DelayUs() const { return delayUs_; }

  void Unmount() {
    if (server_ <= 0) return;
    using side_by_side::Quote;
    using side_by_side::Shell;
    if (!Shell("fusermount3 -u " + Quote(mountPoint_)) && !Shell("fusermount3 -u -z " + Quote(mountPoint_)))
      ::kill(server_, SIGTERM);
    if (!Reaped(std::chrono::seconds(10))) {
      ::kill(server_, SIGKILL);
      ::waitpid(server_, nullptr, 0);
    }
    std::fprintf(stderr, "slow mount: unmounted %s\n", mountPoint_.c_str());
    server_ = 0;
    g_server = 0;
    ::rmdir(mountPoint_.c_str());
    Shell("rm -rf " + Quote(backing_));
  }

 private:
  void Fail(const std::string& why) {
    why_ = why;
    std::fprintf(stderr, "slow mount: %s\n", why.c_str());
  }

  static std::string BesideUs(const char* name) {
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return name;
    std::string path(self, static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/') + 1) + name;
  }

  bool IsMounted() const {
    struct statfs fs {};
    return ::statfs(mountPoint_.c_str(), &fs) == 0 && fs.f_type == kFuseMagic;
  }

  bool Reaped(std::chrono::milliseconds within) {
    const auto end = std::chrono::steady_clock::now() + within;
    while (std::chrono::steady_clock::now() < end) {
      if (::waitpid(server_, nullptr, WNOHANG) == server_) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  void Mount() {
    if (::access("/dev/fuse", R_OK | W_OK) != 0) return Fail("/dev/fuse is missing or not usable");
    const std::string program = BesideUs("bench_slowfs");
    if (::access(program.c_str(), X_OK) != 0) return Fail(program + " is not there (libfuse3 missing at build?)");
    std::string backing = side_by_side::DataRoot() + "/quillory-slowfs-backing-XXXXXX";
    std::string mountPoint = side_by_side::DataRoot() + "/quillory-slowfs-XXXXXX";
    if (::mkdtemp(backing.data()) == nullptr) return Fail("cannot make " + backing);
    backing_ = backing;
    if (::mkdtemp(mountPoint.data()) == nullptr) {
      Fail("cannot make " + mountPoint);
      ::rmdir(backing_.c_str());
      return;
    }
    mountPoint_ = mountPoint;
    const std::string delay = "delay_us=" + std::to_string(delayUs_);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) return Fail("cannot start " + program);
    if (child == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (::getppid() != parent) std::_Exit(1);
      ::execl(program.c_str(), program.c_str(), backing_.c_str(), mountPoint_.c_str(), "-f", "-o", delay.c_str(),
              static_cast<char*>(nullptr));
      std::_Exit(127);
    }
    server_ = child;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!IsMounted()) {
      const bool ended = ::waitpid(server_, nullptr, WNOHANG) == server_;
      if (ended || std::chrono::steady_clock::now() > end) {
        if (!ended) {
          ::kill(server_, SIGTERM);
          ::waitpid(server_, nullptr, 0);
        }
        server_ = 0;
        ::rmdir(mountPoint_.c_str());
        ::rmdir(backing_.c_str());
        return Fail("mounting " + program + " at " + mountPoint_ + " failed");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    g_server = server_;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal, EndOnSignal);
    std::fprintf(stderr, "slow mount: %s at %s (backing %s), %lu us per metadata operation\n", program.c_str(),
                 mountPoint_.c_str(), backing_.c_str(), delayUs_);
  }

  unsigned long delayUs_;
  pid_t server_ = 0;
  std::string backing_, mountPoint_, why_;
};

}  // namespace slow_mount
