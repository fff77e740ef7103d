// The view each window gets: its own where one was built for it, the
// generic dialog otherwise.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

WindowView* NewWindowView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
