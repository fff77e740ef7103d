// The preview of the import window over a list of a million full paths with
// blanks and non-ASCII letters: whole lines, and all columns cut at commas.
// The peak resident size shows that only the result is held, not the file.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_files.h"
#include "lists/import_class.h"
#include "platform/file_system.h"

namespace {

using bench_files::kLines;
using bench_files::PeakRssMiB;

void Import(benchmark::State& state, int kind, const char* separator) {
  std::size_t items = 0;
  for (auto _ : state) {
    quillory::ImportClass import("D:\\list.txt", kind, separator, "\"", true, quillory::HostFileSystem());
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

int main(int argc, char** argv) { return bench_files::RunOnList(argc, argv); }
