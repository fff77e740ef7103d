// The view of the export window.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for TfrmFileExport; nullptr for any other window.
// The window must outlive the view.
WindowView* NewFileExportView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
