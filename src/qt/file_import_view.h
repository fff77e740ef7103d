// The view of the import window and of its preview editor.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for TfrmFileImport or TfrmEditSmartImport; nullptr for any other window.
// The window must outlive the view.
WindowView* NewFileImportView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
