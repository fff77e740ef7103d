#include "qt/tree_windows_view.h"

namespace quillory {

WindowView* NewTreeWindowsView(Window&, QWidget*) { return nullptr; }

}  // namespace quillory
