// Views of the include-list editors and of the zoom window.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for any EditIncludeListWindow or for TfrmZoomIncludeWindow; nullptr
// for other windows. The window must outlive the view.
WindowView* NewListWindowView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
