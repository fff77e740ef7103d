// The separator and quotation-mark windows: the active entries the import
// cuts lines with, kept in the settings file. Both windows are the same
// machine over a different store list, so one base holds all the logic.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/signal.h"
#include "app/window.h"

namespace quillory {

class DriveMap;
class SettingsStore;
class Ui;

enum class SeparatorListKind { Separators, QuotationMarks };

class SeparatorListWindow : public Window {
 public:
  // The most entries the include list may be brought to.
  static constexpr std::size_t kLimit = 30000;

  ~SeparatorListWindow() override;

  SeparatorListKind Kind() const { return kind_; }
  // The window's built-in entries, in their order.
  const std::vector<std::string>& DefaultEntries() const;

  // Runs on every showing (also the "FormActivate" handler): re-reads the
  // settings file and appends the stored entries, or the built-in ones when
  // none are stored, that the include list does not hold yet.
  void Activate();
  void Add();
  void MoveSelectedToExclude();
  void MoveSelectedToInclude();
  void MoveAllToExclude();
  void MoveAllToInclude();
  void Exchange();
  void DeleteSelected();
  void RemoveAll();
  void SetDefaults();
  // Stores the include list, writes the settings file and ends with OK.
  void Close();

  // The controls under neutral names, for views that serve both windows.
  ListBox& included;
  ListBox& excluded;
  Edit& addEdit;
  Button& addButton;
  Button& incToExc;
  Button& excToInc;
  Button& allFromInc;
  Button& allFromExc;
  Button& exchange;
  Button& deleteButton;
  Button& removeAllButton;
  Button& defaultsButton;
  Button& closeButton;

 protected:
  SeparatorListWindow(SeparatorListKind kind, Ui& ui, SettingsStore& store, const std::string& settingsPath,
                      const DriveMap& drives);

 private:
  // Runs an operation from a button or key and hands the focus back to the
  // edit box, as after every operation of these windows.
  void Bind(Button& button, void (SeparatorListWindow::*operation)());
  void ReloadSettings();
  const std::vector<std::string>& StoredList() const;
  void MoveSelected(ListBox& from, ListBox& to);
  void MoveAll(ListBox& from, ListBox& to);

  SeparatorListKind kind_;
  Ui& ui_;
  SettingsStore& store_;
  const std::string& settingsPath_;
  const DriveMap& drives_;
  Connection shown_;
};

class TfrmDelimiters : public SeparatorListWindow {
 public:
  // `settingsPath` is read when the window saves; it may be set later. A
  // program-form one is found through `drives`.
  TfrmDelimiters(Ui& ui, SettingsStore& store, const std::string& settingsPath, const DriveMap& drives);

  ListBox& lstDelimitersIncluded;
  ListBox& lstDelimitersExcluded;
  Edit& edtDelimitersAdd;
  Button& btnDelimitersAdd;
  Button& btnDelimitersIncToExc;
  Button& btnDelimitersExcToInc;
  Button& btnDelimitersAllFromInc;
  Button& btnDelimitersAllFromExc;
  Button& btnDelimitersExchangeIncExc;
  Button& btnDelimitersDelete;
  Button& btnDelimitersRemoveAll;
  Button& btnDelimitersSetDefaults;
  Button& btnDelimitersClose;
};

class TfrmQuotationMarks : public SeparatorListWindow {
 public:
  TfrmQuotationMarks(Ui& ui, SettingsStore& store, const std::string& settingsPath, const DriveMap& drives);

  ListBox& lstQuotationMarksIncluded;
  ListBox& lstQuotationMarksExcluded;
  Edit& edtQuotationMarksAdd;
  Button& btnQuotationMarksAdd;
  Button& btnQuotationMarksIncToExc;
  Button& btnQuotationMarksExcToInc;
  Button& btnQuotationMarksAllFromInc;
  Button& btnQuotationMarksAllFromExc;
  Button& btnQuotationMarksExchangeIncExc;
  Button& btnQuotationMarksDelete;
  Button& btnQuotationMarksRemoveAll;
  Button& btnQuotationMarksDefaults;
  Button& btnQuotationMarksClose;
};

}  // namespace quillory
