// The views of the Visual Log windows and of their zoom windows.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for the windows named above; nullptr for any other window. The
// window must outlive the view.
WindowView* NewVisualLogView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
