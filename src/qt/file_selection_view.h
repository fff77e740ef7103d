// The view of the file selection window.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for the file selection window; nullptr for any other window. The
// window must outlive the view.
WindowView* NewFileSelectionView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
