#include "qt/file_export_view.h"

namespace quillory {

WindowView* NewFileExportView(Window&, QWidget*) { return nullptr; }

}  // namespace quillory
