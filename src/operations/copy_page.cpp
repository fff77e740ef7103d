#include "operations/copy_page.h"

#include "app/ui.h"

namespace quillory {

CopyPage::CopyPage(PageContext& context)
    : FolderListPage(context, PageKey::Vol08), files(context, PageKey::Vol08, [this] { Refresh(); }),
      structures(context.owner, context.services, PageKey::Vol08, &files.controls),
      forecast(context.services.fs, PageKey::Vol08, structures) {
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
  if (const auto message = forecast.Update(stats, 0, include.Items(), files.Masks()))
    context_.services.ui.ShowMessageBox(message->text, message->caption, MessageKind::Information);
  WriteCounters();
}

}  // namespace quillory
