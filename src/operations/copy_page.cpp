#include "operations/copy_page.h"

namespace quillory {

CopyPage::CopyPage(PageContext& context)
    : FolderListPage(context, PageKey::Vol08), files(context, PageKey::Vol08, [this] { Refresh(); }) {
  connections_ = panel.OnListsChanged([this] { Refresh(); });
}

void CopyPage::FormActivate() { files.Refresh(); }

void CopyPage::Refresh() {
  panel.RefreshSums();
  WriteCounters();
}

}  // namespace quillory
