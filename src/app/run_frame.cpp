#include "app/run_frame.h"

#include <algorithm>

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
      RunWatch watch(ui, plan.itemCount);
      // A thousand steps are as many as a bar can show; a million calls would
      // cost more than the items.
      const std::size_t step = std::max<std::size_t>(1, plan.itemCount / 1000 + (plan.itemCount % 1000 != 0));
      std::size_t reported = 0;
      for (std::size_t i = 0; i < plan.itemCount; ++i) {
        std::vector<ItemOutcome> outcomes = plan.work(i);
        if (plan.record)
          for (const ItemOutcome& outcome : outcomes) plan.record(outcome);
        const std::size_t done = i + 1;
        if (done - reported >= step || done == plan.itemCount) {
          ui.RunProgress(done);
          reported = done;
        }
        ui.Repaint();
      }
      ui.ShowMessageBox(plan.end.text, plan.end.caption, MessageKind::Information);
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
