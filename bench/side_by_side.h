// Runs jobs side by side on the same data: each round runs every job once,
// in turn, after an untimed `sync` and the job's own untimed preparation, so
// that a noisy, shared machine slows them all alike. Prints each job's median
// and spread and its ratio to the reference job (the floor, `lim`).
//
// `lim` is found as $QUILLORY_LIM, or as `lim` on the PATH.
#pragma once

#include <sys/resource.h>
#include <sys/time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace side_by_side {

inline double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Processor time per run, user and system: on a shared machine steadier than
// the wall clock, and it shows how much of a run is the kernel's.
struct Cpu {
  std::vector<double> user, system;
  void Add(const rusage& before, const rusage& after) {
    user.push_back(Seconds(after.ru_utime) - Seconds(before.ru_utime));
    system.push_back(Seconds(after.ru_stime) - Seconds(before.ru_stime));
  }
  double Total() const { return Median(user) + Median(system); }
};

struct Job {
  std::string name;
  std::function<bool()> run;             // false: the job failed, its time is void
  std::function<void()> prepare = [] {};  // untimed, before every run
};

inline std::string Lim() {
  const char* lim = std::getenv("QUILLORY_LIM");
  return lim != nullptr && *lim != '\0' ? lim : "lim";
}

inline std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// A shell command as a job; its output is kept out of the report.
inline bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// The fastest folder for data: /dev/shm when there is one.
inline std::string DataRoot() {
  const char* tmp = std::getenv("QUILLORY_BENCH_DIR");
  if (tmp != nullptr && *tmp != '\0') return tmp;
  return Shell("test -d /dev/shm -a -w /dev/shm") ? "/dev/shm" : "/tmp";
}

// Returns false when a job failed in some round.
inline bool Run(const std::string& title, const std::vector<Job>& jobs, std::size_t reference, int rounds,
                double items) {
  std::vector<std::vector<double>> seconds(jobs.size());
  bool ok = true;
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t j = 0; j < jobs.size(); ++j) {
      jobs[j].prepare();
      Shell("sync");
      const auto start = std::chrono::steady_clock::now();
      const bool done = jobs[j].run();
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      if (!done) {
        std::fprintf(stderr, "%s: %s failed in round %d\n", title.c_str(), jobs[j].name.c_str(), round + 1);
        ok = false;
        continue;
      }
      seconds[j].push_back(took.count());
    }
  }
  const auto median = [](std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  };
  const double floor = median(seconds[reference]);
  std::printf("%s (%d rounds, median [min..max])\n", title.c_str(), rounds);
  for (std::size_t j = 0; j < jobs.size(); ++j) {
    if (seconds[j].empty()) {
      std::printf("  %-28s failed\n", jobs[j].name.c_str());
      continue;
    }
    const double m = median(seconds[j]);
    const auto [lo, hi] = std::minmax_element(seconds[j].begin(), seconds[j].end());
    std::printf("  %-28s %9.3f s [%.3f..%.3f]  %7.2f us/item  %5.2fx %s\n", jobs[j].name.c_str(), m, *lo, *hi,
                m / items * 1e6, floor > 0 ? m / floor : 0.0, j == reference ? "(floor)" : "");
  }
  std::fflush(stdout);
  return ok;
}

}  // namespace side_by_side
