// A million-line list into a page's include list, the whole program running:
// the plain "Import List", and the smart import (load, preview, IMPORT).
// Run one at a time (--benchmark_filter=Plain or =Smart) to read each one's
// own peak resident size.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "shell/application.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "bench_files.h"
#include "lists/file_import.h"
#include "lists/list_panel.h"

namespace {

using bench_files::kLines;
using bench_files::PeakRssMiB;

struct Program {
  quillory::ScriptedUi ui;
  quillory::SettingsStore store;
  std::unique_ptr<quillory::Application> app = std::make_unique<quillory::Application>(ui, store);
  quillory::ListPanel& panel = app->main->vol04.panel;
};

void Report(benchmark::State& state, std::size_t items) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kLines));
  state.counters["items"] = static_cast<double>(items);
  state.counters["peak_rss_MiB"] = PeakRssMiB();
}

void PlainImportIntoAnEmptyList(benchmark::State& state) {
  std::size_t items = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto program = std::make_unique<Program>();
    program->ui.files.push_back("D:\\list.txt");
    program->ui.answers.push_back(quillory::MessageAnswer::Yes);  // clear the include list
    state.ResumeTiming();
    program->panel.btnImportList.Click();
    items = program->panel.include.Count();
    state.PauseTiming();
    program.reset();
    state.ResumeTiming();
  }
  Report(state, items);
}
BENCHMARK(PlainImportIntoAnEmptyList)->Unit(benchmark::kMillisecond)->Iterations(2);

void SmartImportIntoAnEmptyList(benchmark::State& state) {
  std::size_t items = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto program = std::make_unique<Program>();
    quillory::TfrmFileImport& window = *program->app->fileImport;
    program->ui.files.push_back("D:\\list.txt");
    program->ui.modalBlocks["TfrmFileImport"] = [&window](quillory::Window&) {
      window.btnFileImportBrowse.Click();
      window.btnFileImportFrom.Click();
      window.modalResult = quillory::ModalResult::Ok;
      return quillory::ModalResult::Ok;
    };
    state.ResumeTiming();
    program->panel.btnSmartImport.Click();
    items = program->panel.include.Count();
    state.PauseTiming();
    program.reset();
    state.ResumeTiming();
  }
  Report(state, items);
}
BENCHMARK(SmartImportIntoAnEmptyList)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) { return bench_files::RunOnList(argc, argv); }
