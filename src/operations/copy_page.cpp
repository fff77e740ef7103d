#include "operations/copy_page.h"

namespace quillory {

CopyPage::CopyPage(PageContext& context)
    : FolderListPage(context, PageKey::Vol08), files(context, PageKey::Vol08, [this] { Refresh(); }),
      structures(context.owner, context.services, PageKey::Vol08, &files.controls) {
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  structures.changed = [this] { Refresh(); };
  // Clear Fields empties the structures too.
  panel.resetPage = [this] { structures.Reset(); };
}

void CopyPage::FormCreate() {
  structures.FormCreate();
  FolderListPage::FormCreate();
}

void CopyPage::FormActivate() { files.Refresh(); }

void CopyPage::Refresh() {
  panel.RefreshSums();
  WriteCounters();
}

}  // namespace quillory
