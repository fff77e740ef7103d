// The smart import window: shows a text file, cuts its lines into items,
// previews and edits them; the page takes the preview (list_import.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class SettingsStore;
class TfrmDelimiters;
class TfrmQuotationMarks;
class TfrmZoomIncludeWindow;
class Ui;

// The editor of the import's preview. The import window decides what OK and
// Cancel do.
class TfrmEditSmartImport : public Window {
 public:
  TfrmEditSmartImport();
  ~TfrmEditSmartImport() override;

  Memo& mmoEditSmartImport;
  Label& lblEditSmartImportLinesCurrent;
  Button& btnEditSmartImportOk;
  Button& btnEditSmartImportCancel;

  void ShowLineCount();
};

class TfrmFileImport : public Window {
 public:
  // The most items an edit of the preview may hand back.
  static constexpr std::size_t kEditLimit = 30000;
  // Source lines are shown up to this many characters.
  static constexpr std::size_t kSourceLineChars = 2048;

  TfrmFileImport(Ui& ui, SettingsStore& settings, FileSystem& fs);
  // The windows it opens; all are created at start-up, after this one.
  void Attach(TfrmEditSmartImport& editor, TfrmZoomIncludeWindow& zoom, TfrmDelimiters& delimiters,
              TfrmQuotationMarks& quotationMarks);
  // Fills the separator and quotation-mark boxes from the settings store;
  // run at start-up once the settings are read.
  void FillBoxes();

  Edit& edtFileImportFileName;
  Button& btnFileImportBrowse;
  ListBox& lstFileImportSource;
  Label& lblFileImportSourceLines;
  RadioGroup kinds;
  RadioButton& rdoFileImportPlainText;
  RadioButton& rdoFileImportSeparatedFile;
  RadioGroup columns;
  RadioButton& rdoFileImportAllColumns;
  RadioButton& rdoFileImportOneColumn;
  Edit& edtFileImportColumnNumber;
  UpDown& udFileImportColumnNumber;
  ComboBox& cboFileImportDelimiter;
  ComboBox& cboFileImportQuotationMark;
  CheckBox& chkFileImportAbandonQMarks;
  Button& btnFileImportManageDelimiters;
  Button& btnFileImportManageQuotationMarks;
  Button& btnFileImportFrom;
  ListBox& lstFileImportResults;
  Label& lblFileImportPreviewLines;
  Button& btnSmartImportZoomOriginalFile;
  Button& btnSmartImportZoomPreview;
  Button& btnSmartImportPreviewEdit;
  Button& btnFileImportClear;
  Button& btnFileImportOk;
  Button& btnFileImportCancel;

  // ---- operations ----
  // Browse, or Enter in the file name box: choose the file and show it.
  void LoadSource();
  // "Create a Folder/String List": the preview from the file on disk.
  void BuildPreview();
  void ZoomSource();
  void ZoomPreview();
  void EditPreview();
  void EditOk();
  void EditCancel();
  void ClearAll();
  void ManageDelimiters();
  void ManageQuotationMarks();
  // Kind 2, 4 or 5 as the radios choose it.
  int ChosenKind() const;
  // The column edit as a column number: its whole part, at least 1.
  int ColumnNumber() const;
  void RefreshEnabled();

 private:
  void ReadSource(const std::string& path);
  void Zoom(const ListBox& list);
  void ShowCount(const ListBox& list, Label& counter);

  Ui& ui_;
  SettingsStore& settings_;
  FileSystem& fs_;
  TfrmEditSmartImport* editor_ = nullptr;
  TfrmZoomIncludeWindow* zoom_ = nullptr;
  TfrmDelimiters* delimiters_ = nullptr;
  TfrmQuotationMarks* quotationMarks_ = nullptr;
  Connection sourceChanged_;
  Connection previewChanged_;
};

// The entries a separator box offers: each trimmed and lower-cased, blank
// ones left out, each distinct one once; the import's built-in list when
// `stored` is empty.
std::vector<std::string> SeparatorBoxEntries(const std::vector<std::string>& stored);

// The first `maxChars` characters of `line`; a UTF-8 character is never cut.
std::string CutToCharacters(std::string_view line, std::size_t maxChars);

// The file's extension without its dot, lower-cased ("" when it has none).
std::string LowerExtension(std::string_view path);

}  // namespace quillory
