// Where a run's items are done: on the window's thread one after another,
// or, when the operations are slow and the plan says which items may go at
// once, by a pool of workers while the window's thread records their
// outcomes in item order and stays in its event loop.
#pragma once

#include <cstddef>

#include "app/run_frame.h"

namespace quillory {

class ProgressMeter;
class Ui;

struct ExecutorReport {
  std::size_t handled = 0;       // items whose outcomes were recorded
  std::size_t notProcessed = 0;  // items a Stop (or a failure) left unstarted
};

// Does the plan's items through `sink` in item order. `jobs` is the
// person's choice (kAutomaticJobs or a fixed number).
ExecutorReport ExecuteItems(Ui& ui, const RunPlan& plan, const OutcomeSink& sink, ProgressMeter& meter,
                            bool ownUnits, int jobs);

}  // namespace quillory
