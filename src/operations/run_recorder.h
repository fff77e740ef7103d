// The one place where a run's outcomes become the page's counters, labels,
// Visual Log lines (with their zoom twins), result and undo records and the
// undo journal. Every run, simulation and undo of every page hands its
// outcomes here, in item order, on the window's thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"
#include "undo/run_journal.h"

namespace quillory {

class OperationStatistics;
class RecordedPath;
class Ui;
class VisualLogs;

struct RecorderSetup {
  PageKey page = PageKey::Vol02;
  OperationStatistics* stats = nullptr;
  // The Visual Log and its labels, when the page has one attached.
  VisualLogs* logs = nullptr;
  // Where the outcomes' records go; all null for a simulation.
  JournalLists records;
  std::vector<std::string>* existingMainFolders = nullptr;
  std::vector<std::string>* otherMainFolders = nullptr;
  std::vector<std::string>* missingFolders = nullptr;
  // A real run's journal, begun before the first outcome.
  RunJournal* journal = nullptr;
  // Shows the outcomes' messages; null shows none (they are still counted).
  Ui* ui = nullptr;
  // Brings the labels up to date; by default the Visual Log's ShowCounters.
  std::function<void()> showCounters;
};

class RunRecorder {
 public:
  explicit RunRecorder(RecorderSetup setup);
  RunRecorder(const RunRecorder&) = delete;
  RunRecorder& operator=(const RunRecorder&) = delete;

  void Record(ItemOutcome&& outcome);
  // The sink a RunPlan records through.
  std::function<void(ItemOutcome&&)> Sink() {
    return [this](ItemOutcome&& outcome) { Record(std::move(outcome)); };
  }
  // The labels as the run leaves them; at the end of every run.
  void Flush();
  // Labels are shown at most this often while a run goes (and always by
  // Flush); zero shows them after every outcome.
  void SetRefreshInterval(std::chrono::milliseconds interval) { interval_ = interval; }

 private:
  void Keep(ItemOutcome& outcome, RecordedPath& shared);
  void ShowCounters();

  RecorderSetup setup_;
  // Where this run's paths are kept once for every list that shows or
  // records them.
  std::shared_ptr<TextArena> arena_ = std::make_shared<TextArena>();
  std::chrono::milliseconds interval_{50};
  std::chrono::steady_clock::time_point lastShown_{};
  // The clock is read only every few outcomes: per outcome it would be a
  // noticeable part of making an empty folder.
  static constexpr unsigned kOutcomesPerClock = 32;
  unsigned sinceClock_ = kOutcomesPerClock - 1;  // the first outcome reads it
};

}  // namespace quillory
