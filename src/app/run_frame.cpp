#include "app/run_frame.h"

#include <algorithm>

#include "app/run_executor.h"
#include "app/run_jobs.h"
#include "app/ui.h"
#include "platform/text.h"

namespace quillory {

TabLock::TabLock(PageControl& pages, TabSheet& keep) {
  for (auto* tab : pages.Pages()) {
    if (tab == &keep || !tab->Enabled()) continue;
    tab->SetEnabled(false);
    locked_.push_back(tab);
  }
}

TabLock::~TabLock() {
  for (auto* tab : locked_) tab->SetEnabled(true);
}

namespace {

// Process-wide: the program runs one operation at a time on one thread, and
// a run lets pending events through, so a second frame could otherwise start
// from inside the first.
bool runActive = false;

class ActiveRun {
 public:
  ActiveRun() { runActive = true; }
  ~ActiveRun() { runActive = false; }
  ActiveRun(const ActiveRun&) = delete;
  ActiveRun& operator=(const ActiveRun&) = delete;
};

class RunWatch {
 public:
  RunWatch(Ui& ui, std::size_t total) : ui_(ui) { ui_.RunStarted(total); }
  ~RunWatch() {
    // Reached while unwinding too, where a second exception would end the
    // program; the view has nothing to report that is worth that.
    try {
      ui_.RunEnded();
    } catch (...) {
    }
  }
  RunWatch(const RunWatch&) = delete;
  RunWatch& operator=(const RunWatch&) = delete;

 private:
  Ui& ui_;
};

}  // namespace

bool RunActive() { return runActive; }

MessageText StoppedMessage(const std::string& endCaption, std::size_t notProcessed) {
  // The page's own title, as its end message shows it.
  std::string title = endCaption.substr(0, endCaption.find("  "));
  std::string text = "The process was STOPPED !!!\n\n";
  text += std::to_string(notProcessed);
  text += notProcessed == 1 ? " item was" : " items were";
  text += " not processed.\nWhat was done is listed in the Visual Log.";
  return {std::move(text), title + "            Information no: 0640."};
}

ProgressMeter::ProgressMeter(Ui& ui, std::size_t total)
    : ui_(ui), total_(total), step_(std::max<std::size_t>(1, total / 1000 + (total % 1000 != 0))), next_(step_) {}

void ProgressMeter::Report(std::size_t done) {
  done_ = done;
  const std::size_t shown = std::min(done, total_);
  ui_.RunProgress(shown);
  next_ = shown >= total_ ? static_cast<std::size_t>(-1) : (done / step_ + 1) * step_;
  if (next_ > total_ && shown < total_) next_ = total_;
}

RunOutcome RunFrame(Ui& ui, PageControl& pages, TabSheet& page, const RunPlan& plan) {
  if (runActive) return RunOutcome::Refused;
  ActiveRun active;
  if (plan.validate && !plan.validate()) return RunOutcome::Refused;
  if (!plan.confirm.text.empty() &&
      ui.ShowMessageBox(plan.confirm.text, plan.confirm.caption, MessageKind::Question) != MessageAnswer::Yes)
    return RunOutcome::Declined;
  if (plan.prepare) plan.prepare();
  {
    TabLock lock(pages, page);
    ui.Repaint();
    if (!plan.proceed || plan.proceed()) {
      // The count is known once `proceed` has said yes.
      const bool ownUnits = plan.progressTotal != 0;
      RunWatch watch(ui, ownUnits ? plan.progressTotal : plan.itemCount);
      ui.RunStoppable(plan.stoppable);
      ProgressMeter meter(ui, ownUnits ? plan.progressTotal : plan.itemCount);
      std::size_t units = 0;
      const OutcomeSink sink = [&](ItemOutcome&& outcome) {
        if (ownUnits && outcome.progress != 0) meter.Reach(units += outcome.progress);
        if (plan.record) plan.record(std::move(outcome));
      };
      const ExecutorReport report = ExecuteItems(ui, plan, sink, meter, ownUnits, RunJobs());
      // A run that did less than its forecast still ends on a full bar; a
      // stopped one shows how far it came.
      if (ownUnits && report.notProcessed == 0) meter.Reach(plan.progressTotal);
      if (plan.finish) plan.finish();
      ui.ShowMessageBox(plan.end.text, plan.end.caption, MessageKind::Information);
      if (report.notProcessed != 0) {
        const MessageText stopped = StoppedMessage(plan.end.caption, report.notProcessed);
        ui.ShowMessageBox(stopped.text, stopped.caption, MessageKind::Information);
      }
      if (plan.showExplorer && plan.showExplorer()) {
        std::string path = plan.explorerPath ? Trim(plan.explorerPath()) : std::string();
        if (!path.empty()) ui.OpenFolder(path);
      }
    }
  }
  if (plan.after) plan.after();
  return RunOutcome::Completed;
}

}  // namespace quillory
