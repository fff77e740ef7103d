#include "lists/file_import.h"

namespace quillory {

TfrmEditSmartImport::TfrmEditSmartImport() : Window("TfrmEditSmartImport", "Edit the content of the Import Window.") {}

TfrmFileImport::TfrmFileImport(Ui& ui, SettingsStore& settings)
    : Window("TfrmFileImport", "Import Folders/Subfolders/Strings  from a Text File."), ui_(ui), settings_(settings) {}

void TfrmFileImport::Attach(TfrmEditSmartImport&, TfrmZoomIncludeWindow&, TfrmDelimiters&, TfrmQuotationMarks&) {}

void TfrmFileImport::FillBoxes() {}

}  // namespace quillory
