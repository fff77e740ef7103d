// A page's two imports into its include list: the smart import through the
// import window, and the plain one, one line one item.
#pragma once

#include <string>

namespace quillory {

class ListPanel;
class TfrmFileImport;
class Ui;

// "Import" / "Import F. List".
void SmartImportList(ListPanel& panel, Ui& ui, TfrmFileImport& window);
// "Import List".
void PlainImportList(ListPanel& panel, Ui& ui);
// The same for a file already chosen (program form), as a drop gives it.
void PlainImportListFrom(ListPanel& panel, Ui& ui, const std::string& path);

}  // namespace quillory
