// The include/exclude panel at the scale of a big folder list: adding items
// one by one through the panel, moving a whole selection, moving all, and the
// exchange, each on 100,000 full paths.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/scripted_ui.h"
#include "lists/list_panel.h"
#include "platform/drives.h"
#include "platform/file_system.h"

namespace {

using quillory::ListBox;
using quillory::ListPanel;

std::vector<std::string> Paths(std::size_t n, const char* stem) {
  std::vector<std::string> paths;
  paths.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    paths.push_back(std::string("D:\\Clients\\") + stem + std::to_string(i * 7919 % n) + "\\Kl\xC3\xA4ger");
  return paths;
}

struct Page {
  quillory::ScriptedUi ui;
  quillory::Window window{"TfrmBench", "bench"};
  ListBox& include = window.Make<ListBox>("lstInclude", false);
  ListBox& exclude = window.Make<ListBox>("lstExclude", false);
  quillory::Label& includeSum = window.Make<quillory::Label>("lblInclude");
  quillory::Label& excludeSum = window.Make<quillory::Label>("lblExclude");
  ListPanel panel{window, ui, quillory::PageKey::Vol08, include, exclude, includeSum, excludeSum,
                 quillory::HostFileSystem(), quillory::Drives()};
};

// Typed paths, one add each, every one checked against both lists.
void AddTypedPathsOneByOne(benchmark::State& state) {
  const auto paths = Paths(state.range(0), "Acme ");
  for (auto _ : state) {
    Page page;
    for (const auto& path : paths) quillory::AddFullPathsToInclude(page.include, page.exclude, path, true, quillory::Drives());
    benchmark::DoNotOptimize(page.include.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AddTypedPathsOneByOne)->Arg(100000)->Unit(benchmark::kMillisecond);

// ">" with every item selected, into an exclude list that already holds half.
void MoveSelectedToExclude(benchmark::State& state) {
  const std::size_t n = state.range(0);
  const auto paths = Paths(n, "Acme ");
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<Page>();
    page->include.AddMany(paths);
    page->exclude.AddMany(std::vector<std::string>(paths.begin(), paths.begin() + n / 2));
    page->include.SelectAll();
    state.ResumeTiming();
    page->panel.btnIncToExc.Click();
    benchmark::DoNotOptimize(page->exclude.Count());
    state.PauseTiming();
    page.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(MoveSelectedToExclude)->Arg(100000)->Unit(benchmark::kMillisecond);

// One click of `button` with 100,000 items on each side; the lists are
// filled and torn down outside the timing.
void ClickWithFullLists(benchmark::State& state, quillory::Button& (*button)(ListPanel&)) {
  const std::size_t n = state.range(0);
  const auto inc = Paths(n, "Acme ");
  const auto exc = Paths(n, "Beta ");
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<Page>();
    page->include.AddMany(inc);
    page->exclude.AddMany(exc);
    state.ResumeTiming();
    button(page->panel).Click();
    benchmark::DoNotOptimize(page->include.Count());
    state.PauseTiming();
    page.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// "<<" of the whole exclude list into a full include list.
void MoveAllToInclude(benchmark::State& state) { ClickWithFullLists(state, [](ListPanel& p) -> quillory::Button& { return p.btnAllFromExc; }); }
BENCHMARK(MoveAllToInclude)->Arg(100000)->Unit(benchmark::kMillisecond);

// "<>" with 100,000 items on each side.
void Exchange(benchmark::State& state) { ClickWithFullLists(state, [](ListPanel& p) -> quillory::Button& { return p.btnExchange; }); }
BENCHMARK(Exchange)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
