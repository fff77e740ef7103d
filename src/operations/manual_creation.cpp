#include "operations/manual_creation.h"

#include "operations/operation_windows.h"

namespace quillory {

ManualCreationPage::ManualCreationPage(Window& owner, Ui& ui, PageControl& pages, TabSheet& tab, FileSystem& fs)
    : owner_(owner), ui_(ui), pages_(pages), tab_(tab), fs_(&fs) {}

void ManualCreationPage::AttachLogWindows(TForcedUnSuccessFullForm& forced, TSubFolderUnSuccessFullForm& sub) {
  forcedLog_ = &forced;
  subLog_ = &sub;
}

}  // namespace quillory
