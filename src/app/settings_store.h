// The values that outlive a program run: the import's separator and
// quotation-mark lists, the file selection state and the destination
// histories of pages Vol02 and Vol03. SaveClass and RestoreClass move them to
// and from the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillory {

class SettingsStore {
 public:
  using List = std::vector<std::string>;

  // First-start state: both separator lists get the 17 built-in entries, the
  // three type lists their catalogues (replacing what they held), the mask
  // list "*.*" when it is empty, names chosen and all types chosen true, every
  // other flag false, the selected separator "," and the selected quotation
  // mark the double quote. Application name, default directory, texts and
  // histories are left as they are.
  void FillDefaults();
  // Empties every list; texts, flags and numbers stay.
  void ClearLists();

  // Identification and location.
  const std::string& ApplicationName() const { return applicationName_; }
  void SetApplicationName(std::string v) { applicationName_ = std::move(v); }
  const std::string& DefaultDirectory() const { return defaultDirectory_; }
  void SetDefaultDirectory(std::string v) { defaultDirectory_ = std::move(v); }

  // Separators and quotation marks of the import.
  const std::string& SelectedSeparator() const { return selectedSeparator_; }
  void SetSelectedSeparator(std::string v) { selectedSeparator_ = std::move(v); }
  const std::string& SelectedQuotationMark() const { return selectedQuotationMark_; }
  void SetSelectedQuotationMark(std::string v) { selectedQuotationMark_ = std::move(v); }
  const List& Separators() const { return separators_; }
  void SetSeparators(List v) { separators_ = std::move(v); }
  void ClearSeparators() { separators_.clear(); }
  void AppendSeparator(std::string v) { separators_.push_back(std::move(v)); }
  const List& QuotationMarks() const { return quotationMarks_; }
  void SetQuotationMarks(List v) { quotationMarks_ = std::move(v); }
  void ClearQuotationMarks() { quotationMarks_.clear(); }
  void AppendQuotationMark(std::string v) { quotationMarks_.push_back(std::move(v)); }

  // File selection: names or types.
  bool NamesChosen() const { return namesChosen_; }
  void SetNamesChosen(bool v) { namesChosen_ = v; }
  bool TypesChosen() const { return typesChosen_; }
  void SetTypesChosen(bool v) { typesChosen_ = v; }

  // File selection: masks.
  const std::string& FileMaskText() const { return fileMaskText_; }
  void SetFileMaskText(std::string v) { fileMaskText_ = std::move(v); }
  const List& FileMasks() const { return fileMasks_; }
  void SetFileMasks(List v) { fileMasks_ = std::move(v); }
  void ClearFileMasks() { fileMasks_.clear(); }
  void AppendFileMask(std::string v) { fileMasks_.push_back(std::move(v)); }
  const List& FileMaskHistory() const { return fileMaskHistory_; }
  void SetFileMaskHistory(List v) { fileMaskHistory_ = std::move(v); }
  void ClearFileMaskHistory() { fileMaskHistory_.clear(); }
  void AppendFileMaskHistory(std::string v) { fileMaskHistory_.push_back(std::move(v)); }

  // File selection: type mode.
  bool AllTypes() const { return allTypes_; }
  void SetAllTypes(bool v) { allTypes_ = v; }
  bool IncludedTypes() const { return includedTypes_; }
  void SetIncludedTypes(bool v) { includedTypes_ = v; }
  bool ExcludedTypes() const { return excludedTypes_; }
  void SetExcludedTypes(bool v) { excludedTypes_ = v; }
  bool OneType() const { return oneType_; }
  void SetOneType(bool v) { oneType_ = v; }
  const std::string& OneTypeText() const { return oneTypeText_; }
  void SetOneTypeText(std::string v) { oneTypeText_ = std::move(v); }
  std::int32_t OneTypeIndex() const { return oneTypeIndex_; }
  void SetOneTypeIndex(std::int32_t v) { oneTypeIndex_ = v; }

  // File selection: type lists.
  const List& TypesInclude() const { return typesInclude_; }
  void SetTypesInclude(List v) { typesInclude_ = std::move(v); }
  void ClearTypesInclude() { typesInclude_.clear(); }
  void AppendTypesInclude(std::string v) { typesInclude_.push_back(std::move(v)); }
  const List& TypesExclude() const { return typesExclude_; }
  void SetTypesExclude(List v) { typesExclude_ = std::move(v); }
  void ClearTypesExclude() { typesExclude_.clear(); }
  void AppendTypesExclude(std::string v) { typesExclude_.push_back(std::move(v)); }
  const List& TypesThird() const { return typesThird_; }
  void SetTypesThird(List v) { typesThird_ = std::move(v); }
  void ClearTypesThird() { typesThird_.clear(); }
  void AppendTypesThird(std::string v) { typesThird_.push_back(std::move(v)); }

  // File selection: include terms.
  bool IncludeTermsCheck() const { return includeTermsCheck_; }
  void SetIncludeTermsCheck(bool v) { includeTermsCheck_ = v; }
  const std::string& IncludeTermsText() const { return includeTermsText_; }
  void SetIncludeTermsText(std::string v) { includeTermsText_ = std::move(v); }
  const List& IncludeTerms() const { return includeTerms_; }
  void SetIncludeTerms(List v) { includeTerms_ = std::move(v); }
  void ClearIncludeTerms() { includeTerms_.clear(); }
  void AppendIncludeTerm(std::string v) { includeTerms_.push_back(std::move(v)); }
  const List& IncludeTermsHistory() const { return includeTermsHistory_; }
  void SetIncludeTermsHistory(List v) { includeTermsHistory_ = std::move(v); }
  void ClearIncludeTermsHistory() { includeTermsHistory_.clear(); }
  void AppendIncludeTermsHistory(std::string v) { includeTermsHistory_.push_back(std::move(v)); }

  // File selection: exclude terms.
  bool ExcludeTermsCheck() const { return excludeTermsCheck_; }
  void SetExcludeTermsCheck(bool v) { excludeTermsCheck_ = v; }
  const std::string& ExcludeTermsText() const { return excludeTermsText_; }
  void SetExcludeTermsText(std::string v) { excludeTermsText_ = std::move(v); }
  const List& ExcludeTerms() const { return excludeTerms_; }
  void SetExcludeTerms(List v) { excludeTerms_ = std::move(v); }
  void ClearExcludeTerms() { excludeTerms_.clear(); }
  void AppendExcludeTerm(std::string v) { excludeTerms_.push_back(std::move(v)); }
  const List& ExcludeTermsHistory() const { return excludeTermsHistory_; }
  void SetExcludeTermsHistory(List v) { excludeTermsHistory_ = std::move(v); }
  void ClearExcludeTermsHistory() { excludeTermsHistory_.clear(); }
  void AppendExcludeTermsHistory(std::string v) { excludeTermsHistory_.push_back(std::move(v)); }

  // Destination histories.
  const List& Vol02DestHistory() const { return vol02DestHistory_; }
  void SetVol02DestHistory(List v) { vol02DestHistory_ = std::move(v); }
  void ClearVol02DestHistory() { vol02DestHistory_.clear(); }
  void AppendVol02DestHistory(std::string v) { vol02DestHistory_.push_back(std::move(v)); }
  const List& Vol03DestHistory() const { return vol03DestHistory_; }
  void SetVol03DestHistory(List v) { vol03DestHistory_ = std::move(v); }
  void ClearVol03DestHistory() { vol03DestHistory_.clear(); }
  void AppendVol03DestHistory(std::string v) { vol03DestHistory_.push_back(std::move(v)); }

  bool operator==(const SettingsStore&) const = default;

 private:
  std::string applicationName_;
  std::string defaultDirectory_;
  std::string selectedSeparator_;
  std::string selectedQuotationMark_;
  List separators_;
  List quotationMarks_;
  bool namesChosen_ = true;
  bool typesChosen_ = false;
  std::string fileMaskText_;
  List fileMasks_;
  List fileMaskHistory_;
  bool allTypes_ = true;
  bool includedTypes_ = false;
  bool excludedTypes_ = false;
  bool oneType_ = false;
  std::string oneTypeText_;
  std::int32_t oneTypeIndex_ = 0;
  List typesInclude_;
  List typesExclude_;
  List typesThird_;
  bool includeTermsCheck_ = false;
  std::string includeTermsText_;
  List includeTerms_;
  List includeTermsHistory_;
  bool excludeTermsCheck_ = false;
  std::string excludeTermsText_;
  List excludeTerms_;
  List excludeTermsHistory_;
  List vol02DestHistory_;
  List vol03DestHistory_;
};

// The process-wide store. Code that can take a store explicitly does, so tests
// use their own.
SettingsStore& Settings();

// The 17 separators (and quotation marks) a first start stores.
const std::vector<std::string>& DefaultSeparatorList();

}  // namespace quillory
