#include "operations/rename_page.h"

namespace quillory {

RenamePage::RenamePage(PageContext& context) : FolderListPage(context, PageKey::Vol06) {
  connections_ = panel.OnListsChanged([this] { Refresh(); });
}

void RenamePage::Refresh() {
  panel.RefreshSums();
  // A new list makes the last run's results stale.
  stats.ResetAll();
  stats.Set("FoldersToRename", static_cast<double>(include.Count()));
  const bool items = !include.Empty();
  btnStatistics.SetEnabled(items);
  chkShowDetailedResults.SetEnabled(items);
  WriteCounters();
}

}  // namespace quillory
