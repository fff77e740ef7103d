// Sizing a tree of 10,000 folders and 100,000 files: the unfiltered and the
// masked walk, side by side with `du` and `find` over the same tree in the
// same run (all warmed once first, so every run reads from the cache).
//
// With QUILLORY_LIM naming the reference walker, the unfiltered walk, `lim
// walk` and `du` then run alternately, round by round (QUILLORY_ROUNDS, 7 by
// default), each after an untimed sync; medians, spreads and the ratios to
// `lim walk` are printed. Run it with TMPDIR on a tmpfs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_files.h"
#include "platform/file_system.h"
#include "platform/tree_walk.h"
#include "tree/folder_struct_size.h"

namespace {

constexpr int kTop = 100;       // folders at level one
constexpr int kInner = 99;      // folders in each of them
constexpr int kFilesEach = 10;  // files in every folder
const char* const kExtensions[] = {".txt", ".doc", ".bin", ".TXT", ""};

std::string g_host;  // the tree's host folder

bool MakeFolder(const std::string& path, int& fileNumber) {
  if (::mkdir(path.c_str(), 0755) != 0) return false;
  for (int f = 0; f < kFilesEach; ++f, ++fileNumber) {
    const std::string name = path + "/file " + std::to_string(fileNumber) + kExtensions[fileNumber % 5];
    const int fd = ::open(name.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0) return false;
    // Apparent sizes only: the walk reads metadata, never contents.
    const bool sized = ::ftruncate(fd, (fileNumber * 7919) % 65536) == 0;
    ::close(fd);
    if (!sized) return false;
  }
  return true;
}

bool MakeTree(const std::string& root) {
  int fileNumber = 0;
  if (::mkdir(root.c_str(), 0755) != 0) return false;
  for (int t = 0; t < kTop; ++t) {
    const std::string top = root + "/Project " + std::to_string(t);
    if (!MakeFolder(top, fileNumber)) return false;
    for (int i = 0; i < kInner; ++i)
      if (!MakeFolder(top + "/Part " + std::to_string(i), fileNumber)) return false;
  }
  return true;
}

void Report(benchmark::State& state, const quillory::FolderStructSize& size, bool selected) {
  state.counters["folders"] = size.GetFolderCount();
  state.counters["files"] = selected ? size.GetSelectedFiles() : size.GetAllFiles();
  state.counters["bytes"] = static_cast<double>(selected ? size.GetSelectedBytes() : size.GetAllBytes());
}

void Walk(benchmark::State& state) {
  std::optional<quillory::FolderStructSize> last;
  for (auto _ : state) {
    quillory::FolderStructSize size("D:\\tree", quillory::HostFileSystem());
    size.Walk();
    benchmark::DoNotOptimize(size.GetAllBytes());
    last.emplace(std::move(size));
  }
  Report(state, *last, false);
}
BENCHMARK(Walk)->Unit(benchmark::kMillisecond)->Iterations(10);

void WalkSelectedAll(benchmark::State& state) {
  std::optional<quillory::FolderStructSize> last;
  for (auto _ : state) {
    quillory::FolderStructSize size("D:\\tree", quillory::HostFileSystem());
    size.SetFileMasks({"*.*"});
    size.WalkSelected();
    benchmark::DoNotOptimize(size.GetSelectedBytes());
    last.emplace(std::move(size));
  }
  Report(state, *last, true);
}
BENCHMARK(WalkSelectedAll)->Unit(benchmark::kMillisecond)->Iterations(10);

void WalkSelectedTxt(benchmark::State& state) {
  std::optional<quillory::FolderStructSize> last;
  for (auto _ : state) {
    quillory::FolderStructSize size("D:\\tree", quillory::HostFileSystem());
    size.SetFileMasks({"*.txt"});
    size.WalkSelected();
    benchmark::DoNotOptimize(size.GetSelectedBytes());
    last.emplace(std::move(size));
  }
  Report(state, *last, true);
}
BENCHMARK(WalkSelectedTxt)->Unit(benchmark::kMillisecond)->Iterations(10);

// What the copy engine does: the masked walk and then every file's size.
void WalkSelectedWithSizeMap(benchmark::State& state) {
  std::size_t entries = 0;
  for (auto _ : state) {
    quillory::FolderStructSize size("D:\\tree", quillory::HostFileSystem());
    size.WalkSelected();
    entries = size.GetSelectedFileSizes().size();
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(WalkSelectedWithSizeMap)->Unit(benchmark::kMillisecond)->Iterations(10);

// The platform walk alone (every file stat'ed, nothing recorded): what the
// system calls cost, against which the sizing's own bookkeeping reads.
struct CountingVisitor : quillory::TreeVisitor {
  std::uint64_t bytes = 0;
  void Folder(const std::string&, std::uint32_t, bool) override {}
  bool Subfolder(const std::string&, std::uint32_t) override { return true; }
  void File(const std::string&, std::string_view, std::uint64_t size) override { bytes += size; }
};

void WalkTreeOnly(benchmark::State& state) {
  for (auto _ : state) {
    CountingVisitor visitor;
    quillory::WalkTree("D:\\tree", visitor);
    benchmark::DoNotOptimize(visitor.bytes);
  }
}
BENCHMARK(WalkTreeOnly)->Unit(benchmark::kMillisecond)->Iterations(10);

void Command(benchmark::State& state, const std::string& command) {
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("the command failed");
}

void DuApparentSize(benchmark::State& state) { Command(state, "du -s --apparent-size -B1 '" + g_host + "' > /dev/null"); }
BENCHMARK(DuApparentSize)->Unit(benchmark::kMillisecond)->Iterations(10);

void FindPrintSize(benchmark::State& state) { Command(state, "find '" + g_host + "' -printf '%s\\n' > /dev/null"); }
BENCHMARK(FindPrintSize)->Unit(benchmark::kMillisecond)->Iterations(10);

// What starting a shell costs, to read the two commands' times against.
void ShellOnly(benchmark::State& state) { Command(state, "true"); }
BENCHMARK(ShellOnly)->Unit(benchmark::kMillisecond)->Iterations(10);

// Runs the program without a shell, its output thrown away; seconds taken.
double TimeProgram(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = 1;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) ::waitpid(pid, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  if (status != 0) std::fprintf(stderr, "%s failed\n", args[0]);
  return std::chrono::duration<double>(end - start).count();
}

double TimeWalk() {
  const auto start = std::chrono::steady_clock::now();
  quillory::FolderStructSize size("D:\\tree", quillory::HostFileSystem());
  size.Walk();
  benchmark::DoNotOptimize(size.GetAllBytes());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Spread {
  double median, low, high;
};

Spread Summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return Spread{times[times.size() / 2], times.front(), times.back()};
}

void CompareWithLim(const char* lim) {
  const char* roundsText = std::getenv("QUILLORY_ROUNDS");
  const int rounds = std::max(5, roundsText != nullptr ? std::atoi(roundsText) : 7);
  std::vector<double> walk, limWalk, du;
  for (int round = 0; round < rounds; ++round) {
    ::sync();
    walk.push_back(TimeWalk());
    ::sync();
    limWalk.push_back(TimeProgram({lim, "walk", g_host}));
    ::sync();
    du.push_back(TimeProgram({"du", "-s", "--apparent-size", "-B1", g_host}));
  }
  const Spread l = Summarise(limWalk);
  const auto print = [&](const char* name, const Spread& s) {
    std::printf("%-28s median %8.1f ms  (%.1f .. %.1f)  ratio to lim walk %.2f\n", name, s.median * 1e3,
                s.low * 1e3, s.high * 1e3, s.median / l.median);
  };
  std::printf("%d alternating rounds\n", rounds);
  print("FolderStructSize::Walk", Summarise(walk));
  print("lim walk", l);
  print("du -s --apparent-size", Summarise(du));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = bench_files::MapTempDrive();
  if (dir.empty()) return 1;
  g_host = dir + "/tree";
  int rc = 1;
  if (MakeTree(g_host)) {
    // Warm the caches for everyone alike.
    quillory::FolderStructSize warm("D:\\tree", quillory::HostFileSystem());
    warm.Walk();
    std::fprintf(stderr, "tree: %d folders, %u files, %llu bytes\n", warm.GetFolderCount(), warm.GetAllFiles(),
                 static_cast<unsigned long long>(warm.GetAllBytes()));
    if (std::system(("du -s --apparent-size -B1 '" + g_host + "' >&2").c_str()) != 0) std::perror("du");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (const char* lim = std::getenv("QUILLORY_LIM")) CompareWithLim(lim);
    rc = 0;
  } else {
    std::perror("making the tree");
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return rc;
}
