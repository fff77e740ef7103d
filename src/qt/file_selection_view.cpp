#include "qt/file_selection_view.h"

namespace quillory {

WindowView* NewFileSelectionView(Window&, QWidget*) { return nullptr; }

}  // namespace quillory
