// The smart import window: shows a text file, cuts its lines into items,
// previews and edits them; the page takes the preview (list_import.h).
#pragma once

#include "app/window.h"

namespace quillory {

class SettingsStore;
class TfrmDelimiters;
class TfrmQuotationMarks;
class TfrmZoomIncludeWindow;
class Ui;

class TfrmEditSmartImport : public Window {
 public:
  TfrmEditSmartImport();
};

class TfrmFileImport : public Window {
 public:
  TfrmFileImport(Ui& ui, SettingsStore& settings);
  // The windows it opens; all are created at start-up, after this one.
  void Attach(TfrmEditSmartImport& editor, TfrmZoomIncludeWindow& zoom, TfrmDelimiters& delimiters,
              TfrmQuotationMarks& quotationMarks);
  // Fills the separator and quotation-mark boxes from the settings store;
  // run at start-up once the settings are read.
  void FillBoxes();

 private:
  Ui& ui_;
  SettingsStore& settings_;
};

}  // namespace quillory
