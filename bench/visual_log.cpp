// A run reporting a million outcomes into one Visual Log list and its zoom
// twin, with the counters shown after each, as an operation does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "bench_files.h"
#include "lists/file_export.h"
#include "platform/file_system.h"
#include "results/visual_log_windows.h"
#include "results/visual_logs.h"
#include "results/zoom_windows.h"

namespace {

struct Rig {
  quillory::ScriptedUi ui;
  quillory::SettingsStore settings;
  quillory::TfrmStatistic06 log;
  quillory::TfrmVol06ZoomStatistics zoom;
  quillory::TfrmFileExport exportWindow{ui, settings, quillory::HostFileSystem()};
  quillory::Window page{"TfrmMain", "page"};
  quillory::OperationStatistics stats{quillory::PageCounterNames(quillory::PageKey::Vol06)};
  quillory::CheckBox show{"chkVol06ShowDetailedResults", ""};
  quillory::VisualLogs logs{ui};
  Rig() {
    log.Attach(ui, exportWindow, zoom);
    logs.Attach(quillory::PageKey::Vol06, stats, page, log, show);
  }
};

void AddAMillionResults(benchmark::State& state) {
  std::vector<std::string> paths;
  paths.reserve(bench_files::kLines);
  for (std::size_t i = 0; i < bench_files::kLines; ++i) paths.push_back(bench_files::ListLine(i));
  const bool counters = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto rig = std::make_unique<Rig>();
    rig->logs.PrepareVisualLog(quillory::PageKey::Vol06, false);
    state.ResumeTiming();
    for (const std::string& path : paths) {
      rig->logs.AddResult(quillory::RenameList::FoldersRenamed, path);
      if (counters) {
        rig->stats.Add("FoldersRenamed", 1);
        rig->logs.ShowCounters(quillory::PageKey::Vol06);
      }
    }
    benchmark::DoNotOptimize(rig->log.results[0].list->Count());
    state.PauseTiming();
    rig.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(bench_files::kLines));
  state.counters["peak_rss_mib"] = bench_files::PeakRssMiB();
}
BENCHMARK(AddAMillionResults)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
