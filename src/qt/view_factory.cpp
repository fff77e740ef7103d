#include "qt/view_factory.h"

#include "qt/separator_window_view.h"
#include "qt/window_view.h"

namespace quillory {

WindowView* NewWindowView(Window& window, QWidget* parent) {
  if (WindowView* view = NewSeparatorWindowView(window, parent)) return view;
  return new WindowView(window, parent);
}

}  // namespace quillory
