// The separator and quotation-mark windows: the active entries the import
// cuts lines with, kept in the settings file.
#pragma once

#include <string>

#include "app/window.h"

namespace quillory {

class SettingsStore;
class Ui;

class TfrmDelimiters : public Window {
 public:
  // `settingsPath` is read when the window saves; it may be set later.
  TfrmDelimiters(Ui& ui, SettingsStore& store, const std::string& settingsPath)
      : Window("TfrmDelimiters", "Manage Delimiters."), ui_(ui), store_(store), settingsPath_(settingsPath) {}

 private:
  [[maybe_unused]] Ui& ui_;
  [[maybe_unused]] SettingsStore& store_;
  [[maybe_unused]] const std::string& settingsPath_;
};

class TfrmQuotationMarks : public Window {
 public:
  TfrmQuotationMarks(Ui& ui, SettingsStore& store, const std::string& settingsPath)
      : Window("TfrmQuotationMarks", "Manage Quotation Marks."), ui_(ui), store_(store), settingsPath_(settingsPath) {}

 private:
  [[maybe_unused]] Ui& ui_;
  [[maybe_unused]] SettingsStore& store_;
  [[maybe_unused]] const std::string& settingsPath_;
};

}  // namespace quillory
