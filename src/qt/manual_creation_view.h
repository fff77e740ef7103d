// The tab page "Create Folder -IV.": the full-path panel and the subfolder
// panel side by side, the help button below them.
#pragma once

#include "app/controls.h"
#include "app/window.h"
#include "operations/manual_creation.h"

class QWidget;

namespace quillory {

class WindowView;

QWidget* BuildManualCreationPage(ManualCreationPage& page, Button& help, QWidget* parent = nullptr);

// A view for TForcedUnSuccessFullForm or TSubFolderUnSuccessFullForm: the two
// lists under their captions, OK below; nullptr for any other window. The
// window must outlive the view.
WindowView* NewErrorLogView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
