// The one file filter of the copy and delete pages: the masks the operations
// apply, kept in the settings store, and the window that edits them.
#pragma once

#include <string>
#include <vector>

#include "app/signal.h"
#include "app/page.h"
#include "app/window.h"

namespace quillory {

class DriveMap;

class SettingsStore;
class Ui;

// "All." while the accepted mask text is "*.*" (or nothing was accepted yet),
// "User Selected." otherwise.
std::string FileSelectionStatus(const SettingsStore& settings);

// The masks a text stands for: cut at blanks outside pairs of double quotes,
// trimmed, empty and repeated ones (exact text) dropped, in text order.
std::vector<std::string> SplitFileMasks(const std::string& text);

class TfrmFileSelection : public Window {
  // Before the controls: the radio buttons join them as they are made.
  RadioGroup selectBy_;
  RadioGroup typeMode_;

 public:
  TfrmFileSelection(Ui& ui, SettingsStore& settings, const DriveMap& drives);
  ~TfrmFileSelection() override;

  // The pages' "All." / "User Selected." labels, kept up to date on OK and
  // at start-up.
  void AttachStatusLabels(std::vector<Label*> labels);
  // Where OK writes the settings; empty means the store's default file.
  void SetSettingsPath(std::string path) { settingsPath_ = std::move(path); }

  // After the settings are read: an empty mask list becomes "*.*" and the
  // status labels show the restored filter.
  void Start();

  // The masks the walks and engines apply; "*.*" alone when none are stored.
  std::vector<std::string> GetFileMasks() const;

  // Runs on every showing (also the "FormActivate" handler).
  void Activate();
  // Accepts the combo's text; always ends the window with OK.
  void Ok();
  void Cancel();
  void ClearMenu();
  void RefreshStatus();

  Label& grpFileManSelection;
  Label& lblFileManExplanation;
  Label& lblFileManNames;
  ComboBox& cboFileManNames;
  Button& btnFileManClearFileNames;
  Button& btnFileManOK;
  Button& btnFileManCancel;
  Button& btnFileSelectionHelp;

  // The "Trash" panel: hidden and disabled, it only carries the type and
  // term state from the store and back.
  Label& grpFileManTrash;
  RadioButton& rdoFileManNames;
  RadioButton& rdoFileManTypes;
  RadioButton& rdoAllFileTypes;
  RadioButton& rdoExcludedFileTypes;
  RadioButton& rdoIncludedFileTypes;
  RadioButton& rdoSelectOneFileTypes;
  ComboBox& cboSelectOneFileTypes;
  ListBox& lstFileTypesInclude;
  ListBox& lstFileTypesExclude;
  ListBox& lstFileTypesOther;
  CheckBox& chkFileManTermInclude;
  ComboBox& cboFileManTermsInclude;
  CheckBox& chkFileManTermExclude;
  ComboBox& cboFileManTermsExclude;

 private:
  void LoadHiddenState();
  void StoreHiddenState();
  std::vector<Control*> TrashControls() const;

  Ui& ui_;
  SettingsStore& settings_;
  const DriveMap& drives_;
  std::string settingsPath_;
  std::vector<Label*> statusLabels_;
  Connection shown_;
};

// The copy and delete pages' part of the filter: the button that opens the
// window and the "Active File Types:" row.
struct FileSelectionControls {
  Button& select;
  Label& status;
  Label& allSelected;
};

// Registers btnVol<page>FileSelection, lblVol<page>Status and
// lblVol<page>FileTypesAllSelected on `owner` (the delete or copy page).
FileSelectionControls MakeFileSelectionControls(Window& owner, PageKey page);

// Shows the window modally; the window refreshes the status labels itself.
ModalResult OpenFileSelection(Ui& ui, TfrmFileSelection& window);

}  // namespace quillory
