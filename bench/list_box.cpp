// Filling and probing list boxes of the sizes people import.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/controls.h"

namespace {

std::vector<std::string> Names(std::size_t n) {
  std::vector<std::string> names;
  names.reserve(n);
  for (std::size_t i = 0; i < n; ++i) names.push_back("Client Folder " + std::to_string(i * 7919 % n) + " \xC3\x84rzte");
  return names;
}

void AddOneByOneUnsorted(benchmark::State& state) {
  auto names = Names(state.range(0));
  for (auto _ : state) {
    quillory::ListBox list("lst");
    for (auto& n : names)
      if (!list.Contains(n)) list.Add(n);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AddOneByOneUnsorted)->Arg(100000)->Unit(benchmark::kMillisecond);

void AddManySorted(benchmark::State& state) {
  auto names = Names(state.range(0));
  for (auto _ : state) {
    quillory::ListBox list("lst", true);
    list.AddMany(names);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AddManySorted)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void MembershipOfAMillion(benchmark::State& state) {
  quillory::ListBox list("lst");
  list.AddMany(Names(1000000));
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(list.Contains("client folder " + std::to_string(i++ % 1000000) + " ärzte"));
}
BENCHMARK(MembershipOfAMillion);

void DeleteHalfOfAMillion(benchmark::State& state) {
  auto names = Names(1000000);
  for (auto _ : state) {
    state.PauseTiming();
    quillory::ListBox list("lst");
    list.AddMany(names);
    for (std::size_t r = 0; r < list.Count(); r += 2) list.SetSelected(r, true);
    state.ResumeTiming();
    list.DeleteSelected();
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(DeleteHalfOfAMillion)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
