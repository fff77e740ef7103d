#include "lists/list_import.h"

namespace quillory {

void SmartImportList(ListPanel&, Ui&, TfrmFileImport&) {}

void PlainImportList(ListPanel&, Ui&) {}

}  // namespace quillory
