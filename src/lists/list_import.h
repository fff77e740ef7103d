// A page's two imports into its include list: the smart import through the
// import window, and the plain one, one line one item.
#pragma once

namespace quillory {

class ListPanel;
class TfrmFileImport;
class Ui;

// "Import" / "Import F. List".
void SmartImportList(ListPanel& panel, Ui& ui, TfrmFileImport& window);
// "Import List".
void PlainImportList(ListPanel& panel, Ui& ui);

}  // namespace quillory
