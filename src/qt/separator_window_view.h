// The view of the separator and quotation-mark windows: include list on the
// left, the move buttons between, exclude list on the right.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for TfrmDelimiters or TfrmQuotationMarks; nullptr for any other
// window. The window must outlive the view.
WindowView* NewSeparatorWindowView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
