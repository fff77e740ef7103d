#include "qt/view_factory.h"

#include "qt/window_view.h"

namespace quillory {

WindowView* NewWindowView(Window& window, QWidget* parent) { return new WindowView(window, parent); }

}  // namespace quillory
