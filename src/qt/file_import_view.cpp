#include "qt/file_import_view.h"

namespace quillory {

WindowView* NewFileImportView(Window&, QWidget*) { return nullptr; }

}  // namespace quillory
