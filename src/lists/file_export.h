// The export window and a page's two exports of its include list: the smart
// one through the window (plain or separated, quotation marks, templates
// without drives) and the plain one, one item per line.
#pragma once

#include "app/window.h"

namespace quillory {

class ListPanel;
class SettingsStore;
class Ui;

class TfrmFileExport : public Window {
 public:
  TfrmFileExport(Ui& ui, SettingsStore& settings);
  // Fills the separator box from the settings store; run at start-up once
  // the settings are read.
  void FillBoxes();

 private:
  Ui& ui_;
  SettingsStore& settings_;
};

// "Export" on a page.
void SmartExportList(ListPanel& panel, Ui& ui, TfrmFileExport& window);
// "Export" of the List Builder window: every item of its include list.
void SmartExportBuilderList(const ListBox& include, Ui& ui, TfrmFileExport& window);
// "Export List" / "Export list".
void PlainExportList(ListPanel& panel, Ui& ui);

}  // namespace quillory
