#include "qt/visual_log_view.h"

namespace quillory {

WindowView* NewVisualLogView(Window&, QWidget*) { return nullptr; }

}  // namespace quillory
