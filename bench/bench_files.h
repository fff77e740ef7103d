// What the file benchmarks share: a temporary folder mapped as D:, a list of
// a million unique full paths with blanks and non-ASCII letters, and the
// process's peak resident size.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/drives.h"

namespace bench_files {

constexpr std::size_t kLines = 1000000;

// Makes the folder and maps it as D:; "" on failure.
inline std::string MapTempDrive() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/quillory-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    return {};
  }
  quillory::Drives().Set('D', pattern);
  return pattern;
}

inline std::string ListLine(std::size_t i) {
  return "D:\\Kunden \xC3\x84rzte\\Projekt " + std::to_string(i % 1000) + "\\Kl\xC3\xA4ger Akte " + std::to_string(i);
}

// kLines lines, CR LF ended, in the order ListLine numbers them.
inline bool WriteList(const std::string& path) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  for (std::size_t i = 0; i < kLines; ++i) {
    const std::string line = ListLine(i) + "\r\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0;
}

inline double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The benchmarks' main: writes the list as D:\list.txt in a fresh folder,
// runs them with that folder as the working folder (where the program keeps
// its settings file), and removes it all again.
inline int RunOnList(int argc, char** argv) {
  const std::string dir = MapTempDrive();
  if (dir.empty()) return 1;
  const std::string file = dir + "/list.txt";
  int rc = 1;
  if (WriteList(file) && ::chdir(dir.c_str()) == 0) {
    std::fprintf(stderr, "peak RSS before the imports: %.1f MiB\n", PeakRssMiB());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rc = 0;
  } else {
    std::perror("writing the list");
  }
  ::unlink(file.c_str());
  ::unlink((dir + "/default.set").c_str());
  ::rmdir(dir.c_str());
  return rc;
}

}  // namespace bench_files
