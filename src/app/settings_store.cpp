#include "app/settings_store.h"

#include "app/file_type_catalogues.h"

namespace quillory {

namespace {

SettingsStore::List ToList(std::span<const std::string_view> items) {
  return SettingsStore::List(items.begin(), items.end());
}

}  // namespace

const std::vector<std::string>& DefaultSeparatorList() {
  static const std::vector<std::string> list = {",", ";", "\"", "'", "|", "~", ":", "#", "&",
                                                "@", "$", "<",  ">", ".", "-", "_", "space"};
  return list;
}

void SettingsStore::FillDefaults() {
  separators_ = DefaultSeparatorList();
  quotationMarks_ = DefaultSeparatorList();
  // The import window selects its first separator, and its cutting always
  // quotes with the double quote, so these are the choices a first start
  // effectively has. (Assigned as characters: GCC 12 at -O3 misreads
  // assigning the literals as an overlapping copy.)
  selectedSeparator_.assign(1, ',');
  selectedQuotationMark_.assign(1, '"');
  typesInclude_ = ToList(IncludedTypesCatalogue());
  typesExclude_ = ToList(ExcludedTypesCatalogue());
  typesThird_ = ToList(ThirdTypesCatalogue());
  if (fileMasks_.empty()) fileMasks_.push_back("*.*");
  namesChosen_ = true;
  typesChosen_ = false;
  allTypes_ = true;
  includedTypes_ = false;
  excludedTypes_ = false;
  oneType_ = false;
  includeTermsCheck_ = false;
  excludeTermsCheck_ = false;
}

void SettingsStore::ClearLists() {
  for (List* list : {&separators_, &quotationMarks_, &fileMasks_, &fileMaskHistory_, &typesInclude_,
                     &typesExclude_, &typesThird_, &includeTerms_, &includeTermsHistory_,
                     &excludeTerms_, &excludeTermsHistory_, &vol02DestHistory_, &vol03DestHistory_})
    list->clear();
}

SettingsStore& Settings() {
  static SettingsStore store;
  return store;
}

}  // namespace quillory
