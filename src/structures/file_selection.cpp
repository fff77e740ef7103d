#include "structures/file_selection.h"

namespace quillory {

TfrmFileSelection::TfrmFileSelection(Ui& ui, SettingsStore& settings)
    : Window("TfrmFileSelection", "File Selection"), ui_(ui), settings_(settings) {}

void TfrmFileSelection::AttachStatusLabels(std::vector<Label*> labels) { statusLabels_ = std::move(labels); }

}  // namespace quillory
