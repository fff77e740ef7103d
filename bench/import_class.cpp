// The preview of the import window over a list of a million full paths with
// blanks and non-ASCII letters: whole lines, and all columns cut at commas.
// The peak resident size shows that only the result is held, not the file.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "lists/import_class.h"
#include "platform/drives.h"

namespace {

constexpr std::size_t kLines = 1000000;

std::string gDir;
std::string gFile;

bool WriteList() {
  std::FILE* out = std::fopen(gFile.c_str(), "wb");
  if (out == nullptr) return false;
  std::string line;
  for (std::size_t i = 0; i < kLines; ++i) {
    line = "D:\\Kunden \xC3\x84rzte\\Projekt " + std::to_string(i % 1000) + "\\Kl\xC3\xA4ger Akte " + std::to_string(i) + "\r\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0;
}

double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Import(benchmark::State& state, int kind, const char* separator) {
  std::size_t items = 0;
  for (auto _ : state) {
    quillory::ImportClass import("D:\\list.txt", kind, separator, "\"", true);
    if (import.Run() != 0) {
      state.SkipWithError("the list cannot be opened");
      return;
    }
    items = import.Result().size();
    benchmark::DoNotOptimize(items);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kLines));
  state.counters["items"] = static_cast<double>(items);
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}

void PlainLines(benchmark::State& state) { Import(state, quillory::kImportPlain, ","); }
BENCHMARK(PlainLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void AllColumnsComma(benchmark::State& state) { Import(state, quillory::kImportAllColumns, ","); }
BENCHMARK(AllColumnsComma)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp") + "/quillory-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  gDir = pattern;
  gFile = gDir + "/list.txt";
  int rc = 1;
  if (WriteList()) {
    quillory::Drives().Set('D', gDir);
    std::fprintf(stderr, "peak RSS before the imports: %.1f MiB\n", PeakRssMiB());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rc = 0;
  } else {
    std::perror("writing the list");
  }
  ::unlink(gFile.c_str());
  ::rmdir(gDir.c_str());
  return rc;
}
