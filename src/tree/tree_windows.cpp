#include "tree/tree_windows.h"

namespace quillory {

TfrmLevelSummFolder::TfrmLevelSummFolder() : Window("TfrmLevelSummFolder", "Level Summary") {}

TfrmFolderViews::TfrmFolderViews(Ui& ui, SettingsStore& settings)
    : Window("TfrmFolderViews", "Views"), ui_(ui), settings_(settings) {}

void TfrmFolderViews::Attach(TfrmLevelSummFolder& levels) { levels_ = &levels; }

}  // namespace quillory
