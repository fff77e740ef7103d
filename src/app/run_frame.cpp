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

RunOutcome RunFrame(Ui& ui, PageControl& pages, TabSheet& page, const RunSpec& spec) {
  if (spec.validate && !spec.validate()) return RunOutcome::Refused;
  if (ui.ShowMessageBox(spec.confirm.text, spec.confirm.caption, MessageKind::Question) != MessageAnswer::Yes)
    return RunOutcome::Declined;
  if (spec.prepare) spec.prepare();
  {
    TabLock lock(pages, page);
    ui.Repaint();
    for (std::size_t i = 0; i < spec.itemCount; ++i) {
      spec.work(i);
      ui.Repaint();
    }
    ui.ShowMessageBox(spec.end.text, spec.end.caption, MessageKind::Information);
    if (spec.showExplorer && spec.showExplorer()) {
      std::string path = spec.explorerPath ? Trim(spec.explorerPath()) : std::string();
      if (!path.empty()) ui.OpenFolder(path);
    }
  }
  if (spec.after) spec.after();
  return RunOutcome::Completed;
}

}  // namespace quillory
