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

// A box that collects every path typed into it, each text once: the cost per
// path must stay flat as the box grows.
void ComboBoxAddUnlessPresent(benchmark::State& state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  std::vector<std::string> paths;
  paths.reserve(n);
  for (std::size_t i = 0; i < n; ++i) paths.push_back("D:\\Clients\\Kl\xC3\xA4ger " + std::to_string(i) + "\\Akte");
  for (auto _ : state) {
    quillory::ComboBox combo("cbo");
    for (const std::string& p : paths)
      if (combo.IndexOf(p) < 0) combo.AddItem(p);
    benchmark::DoNotOptimize(combo.Items().size());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}
BENCHMARK(ComboBoxAddUnlessPresent)->Arg(20000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
