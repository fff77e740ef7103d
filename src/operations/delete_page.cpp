#include "operations/delete_page.h"

#include "results/visual_logs.h"

namespace quillory {

DeletePage::DeletePage(PageContext& context)
    : FolderListPage(context, PageKey::Vol07), files(context, PageKey::Vol07, [this] { Refresh(); }) {
  connections_ = panel.OnListsChanged([this] { Refresh(); });
}

void DeletePage::FormActivate() {
  if (context_.visualLogs.Attached(PageKey::Vol07)) context_.visualLogs.WriteLogCounters(PageKey::Vol07);
  files.Refresh();
}

void DeletePage::Refresh() {
  panel.RefreshSums();
  const bool items = !include.Empty();
  btnStatistics.SetEnabled(items);
  chkShowDetailedResults.SetEnabled(items);
  WriteCounters();
}

}  // namespace quillory
