// The views of the folder "Views" window and of the level summary.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for the windows named above; nullptr for any other window. The
// window must outlive the view.
WindowView* NewTreeWindowsView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
