#include "lists/file_export.h"

namespace quillory {

TfrmFileExport::TfrmFileExport(Ui& ui, SettingsStore& settings)
    : Window("TfrmFileExport", "Export Datas to a File."), ui_(ui), settings_(settings) {}

void TfrmFileExport::FillBoxes() {}

void SmartExportList(ListPanel&, Ui&, TfrmFileExport&) {}

void SmartExportBuilderList(const ListBox&, Ui&, TfrmFileExport&) {}

void PlainExportList(ListPanel&, Ui&) {}

}  // namespace quillory
