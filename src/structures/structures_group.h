// The "Folder Structures/Templates" group of the three create pages and the
// copy page: the list of structures (full paths) or templates (relative
// paths), its buttons, the source-kind and attach-mode radios. One class for
// all four pages; the page key picks the control names, captions and
// message captions.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/page.h"
#include "app/services.h"
#include "app/window.h"
#include "names/list_check.h"
#include "structures/attach_settings.h"

namespace quillory {

class TfrmFileExport;
class TfrmFileImport;
class TfrmFolderStructuresTemplates;
class TfrmFolderTemplateOptions;
struct FileSelectionControls;

// The check of a whole list of lines before any of them is taken: templates
// must have no drive and begin with "\", structures must have a drive; both
// must hold no illegal character and no stray colon. Blank lines are left
// out, as they are never taken.
ListCheckResult CheckStructureLines(const std::vector<std::string>& lines, SourceKind kind,
                                    DriveSectionVariant variant);

class StructuresGroup {
 public:
  // `files`: the copy page's "Select Files" row, which only the modes with
  // files enable.
  StructuresGroup(Window& owner, Services services, PageKey page, FileSelectionControls* files = nullptr);
  StructuresGroup(const StructuresGroup&) = delete;
  StructuresGroup& operator=(const StructuresGroup&) = delete;

  void AttachWindows(TfrmFileImport& fileImport, TfrmFileExport& fileExport, TfrmFolderStructuresTemplates& editor,
                     TfrmFolderTemplateOptions& options);

  const PageKey page;
  const int optionsKey;  // 1 to 4

  ListBox& list;  // lstVol0xAddFolderStructure
  Label& sum;     // lblVol0xFolderStructuresTemplatesSum
  RadioGroup kinds;
  RadioButton& rdoFullPaths;      // rdoVol0xStructureImportFullPaths
  RadioButton& rdoRelativePaths;  // rdoVol0xStructureImportRelativePaths
  RadioButton* rdoNothing;        // rdoVol0xAttachNothing, create pages only
  RadioGroup modes;
  RadioButton& rdoMainWithFiles;
  RadioButton& rdoMainWithoutFiles;
  RadioButton& rdoSubWithFiles;
  RadioButton& rdoSubWithoutFiles;
  Button& btnAdd;
  Button& btnImport;
  Button& btnExport;
  Button& btnEdit;
  Button& btnView;
  Button& btnDeleteSel;
  Button& btnDeleteAll;
  Button& btnOptions;

  SourceKind Kind() const;
  std::optional<AttachMode> Mode() const;
  // "F" existing structures, "R" templates, "N" nothing: the mark a run
  // leaves for Undo.
  std::string SourceMark() const;
  // Whether the page's run and simulation may go as far as this group is
  // concerned: Attach Nothing, or at least one structure or template line.
  bool RunAllowed() const { return Kind() == SourceKind::Nothing || !list.Empty(); }

  // The page's own gate (no destination yet, an empty include list): while
  // closed every control of the group is disabled.
  void SetPageEnabled(bool enabled);
  bool PageEnabled() const { return pageEnabled_; }

  // Start: templates chosen, list empty.
  void FormCreate();
  // Clear Fields: as at start, the count label emptied.
  void Reset();

  // ---- handlers ----
  void SourceKindClick(SourceKind kind);
  void AttachModeClick(AttachMode mode);
  void AddStructureClick();
  // The folder browser's answer (program form, "" when cancelled).
  void AddStructure(const std::string& path);
  // Host paths dropped on the list: each folder is taken as Add Structure
  // takes a browsed one, while that button can be used; files are refused
  // with a message (templates come in through Import).
  void DropPaths(const std::vector<std::string>& hostPaths);
  void ViewSelectedClick();
  void ImportClick();
  void ExportClick();
  void EditClick();
  void EditOk();
  void EditCancel();
  void DeleteSelClick();
  void DeleteAllClick();
  void OptionsClick();

  // After every change of the list, the source kind or the attach mode: the
  // page recomputes its forecast and its enabling.
  std::function<void()> changed;
  // The page's run and simulation buttons (Add Structure turns them off on
  // an empty choice and on after a folder was taken).
  std::function<void(bool)> runButtons;

 private:
  // The checks and enabling of the chosen source kind; `clear` empties the
  // list first (a click of a kind does, re-applying after an import not).
  void ApplyKind(bool clear);
  void RefreshEnabling();
  void ShowSum();
  void Changed();
  // Appends each line, normalised and trimmed, that is not blank, fits the
  // source kind (when `filterDrive`) and is not yet in the list (exact
  // text). One pass, one change of the list.
  void AppendLines(const std::vector<std::string>& lines, bool filterDrive);
  bool HoldsExactly(const std::string& item) const;
  void Warn(const char* text, const char* caption);
  bool Ask(const char* text, const char* caption);

  Services services_;
  FileSelectionControls* files_;
  TfrmFileImport* fileImport_ = nullptr;
  TfrmFileExport* fileExport_ = nullptr;
  TfrmFolderStructuresTemplates* editor_ = nullptr;
  TfrmFolderTemplateOptions* options_ = nullptr;
  bool pageEnabled_ = true;
  // The note on "Select Files" comes once per program run for mode 1 and
  // once for mode 3.
  bool noteShownMode1_ = false;
  bool noteShownMode3_ = false;
  // While a handler changes the list it reports once, at its end.
  int quiet_ = 0;
  Connection listChanged_;
};

}  // namespace quillory
