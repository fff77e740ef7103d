// The export window and a page's two exports of its include list: the smart
// one through the window (plain or separated, quotation marks, templates
// without drives) and the plain one, one item per line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/signal.h"
#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class ListPanel;
class SettingsStore;
class Ui;

class TfrmFileExport : public Window {
 public:
  TfrmFileExport(Ui& ui, SettingsStore& settings, FileSystem& fs);
  // Fills the separator box from the settings store; run at start-up once
  // the settings are read.
  void FillBoxes();

  // "STRINGS" (the string page) or "FOLDERS"; the caller sets it before
  // showing the window.
  static constexpr const char* kModeStrings = "STRINGS";
  static constexpr const char* kModeFolders = "FOLDERS";
  std::string exportMode = kModeFolders;
  // What the caller handed over, in order; the list shows them in the chosen
  // form.
  std::vector<std::string> sourceItems;

  // Empties the list and the counters and takes the items, each once
  // (case-blind), untrimmed, in order; `keep` filters them.
  void Load(const std::vector<std::string>& items, const std::function<bool(const std::string&)>& keep = {});

  // Runs whenever the window is shown (also the "FormActivate" handler).
  void FormActivate();
  // The item form radios: the list again from the source items.
  void rdoFileExportUnModifiedClick();
  void rdoFileExportWithoutDriveLetterClick();
  // The output radios: the separator box is for separated output only.
  void rdoFileExportPlainTextFileClick();
  void rdoFileExportCSVSeparatedFileClick();
  void btnFileExportToClick();
  void btnFileExportCloseClick();

  Label& lblFileExportSourceTitle;  // "Original Content to Export:"
  ListBox& lstFileExportSource;
  Label& lblSmartExportSource;
  Label& lblSmartExportExportedTitle;  // "Exported:"
  Label& lblSmartExportExported;
  RadioGroup output;
  RadioButton& rdoFileExportPlainTextFile;
  RadioButton& rdoFileExportCSVSeparatedFile;
  Label& lblFileExportDelimiterTitle;  // "Select a Delimiter"
  ComboBox& cboFileExportDelimiter;
  CheckBox& chkFileExportQuotationMarks;
  RadioGroup form;
  RadioButton& rdoFileExportUnModified;
  RadioButton& rdoFileExportWithoutDriveLetter;
  Button& btnFileExportTo;
  Button& btnFileExportClose;

 private:
  void ApplyForm();
  void ShowCount();

  Ui& ui_;
  SettingsStore& settings_;
  FileSystem& fs_;
  Connection shown_;
};

// "Export" on a page.
void SmartExportList(ListPanel& panel, Ui& ui, TfrmFileExport& window);
// "Export" of the List Builder window: every item of its include list.
void SmartExportBuilderList(const ListBox& include, Ui& ui, TfrmFileExport& window);
// "Export List" / "Export list".
void PlainExportList(ListPanel& panel, Ui& ui);

}  // namespace quillory
