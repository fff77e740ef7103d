#include "app/run_frame.h"

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

RunOutcome RunFrame(Ui& ui, PageControl& pages, TabSheet& page, const RunPlan& plan) {
  if (plan.validate && !plan.validate()) return RunOutcome::Refused;
  if (ui.ShowMessageBox(plan.confirm.text, plan.confirm.caption, MessageKind::Question) != MessageAnswer::Yes)
    return RunOutcome::Declined;
  if (plan.prepare) plan.prepare();
  {
    TabLock lock(pages, page);
    ui.Repaint();
    if (!plan.proceed || plan.proceed()) {
      for (std::size_t i = 0; i < plan.itemCount; ++i) {
        std::vector<ItemOutcome> outcomes = plan.work(i);
        if (plan.record)
          for (const ItemOutcome& outcome : outcomes) plan.record(outcome);
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
