#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "app/file_type_catalogues.h"
#include "app/settings_store.h"

namespace quillory {
namespace {

using List = std::vector<std::string>;

List ToList(std::span<const std::string_view> items) { return List(items.begin(), items.end()); }

TEST(SettingsStore, FillDefaultsGivesTheFirstStartState) {
  SettingsStore s;
  s.SetApplicationName("app");
  s.SetDefaultDirectory("D:\\Work");
  s.SetIncludedTypes(true);
  s.SetExcludeTermsCheck(true);
  s.AppendTypesInclude("stale");
  s.FillDefaults();

  const List separators = {",", ";", "\"", "'", "|", "~", ":", "#", "&",
                           "@", "$", "<",  ">", ".", "-", "_", "space"};
  EXPECT_EQ(s.Separators(), separators);
  EXPECT_EQ(s.QuotationMarks(), separators);
  EXPECT_EQ(s.SelectedSeparator(), ",");
  EXPECT_EQ(s.SelectedQuotationMark(), "\"");
  EXPECT_EQ(s.FileMasks(), List{"*.*"});
  EXPECT_EQ(s.TypesInclude(), ToList(IncludedTypesCatalogue()));
  EXPECT_EQ(s.TypesExclude(), (List{"bak", "nt", "old", "org", "sav"}));
  EXPECT_EQ(s.TypesThird(), ToList(ThirdTypesCatalogue()));

  EXPECT_TRUE(s.NamesChosen());
  EXPECT_FALSE(s.TypesChosen());
  EXPECT_TRUE(s.AllTypes());
  EXPECT_FALSE(s.IncludedTypes());
  EXPECT_FALSE(s.ExcludedTypes());
  EXPECT_FALSE(s.OneType());
  EXPECT_FALSE(s.IncludeTermsCheck());
  EXPECT_FALSE(s.ExcludeTermsCheck());

  EXPECT_EQ(s.ApplicationName(), "app");
  EXPECT_EQ(s.DefaultDirectory(), "D:\\Work");

  SettingsStore withMasks;
  withMasks.AppendFileMask("*.doc");
  withMasks.FillDefaults();
  EXPECT_EQ(withMasks.FileMasks(), List{"*.doc"});
}

TEST(SettingsStore, CataloguesHaveTheDocumentedContent) {
  const auto included = IncludedTypesCatalogue();
  ASSERT_EQ(included.size(), 172u);
  EXPECT_EQ(included[0], "doc");
  EXPECT_EQ(included[1], "pdf");
  EXPECT_EQ(included[2], "acp");
  EXPECT_EQ(included.back(), "yy");
  EXPECT_EQ(std::count(included.begin(), included.end(), "iqy"), 2);

  const auto third = ThirdTypesCatalogue();
  ASSERT_EQ(third.size(), 215u);
  EXPECT_EQ(third[0], "exe");
  EXPECT_EQ(third[3], "rtf");
  EXPECT_EQ(third.back(), "xlt");
  EXPECT_EQ(std::count(third.begin(), third.end(), "ttf"), 2);

}

TEST(SettingsStore, ClearListsEmptiesListsOnly) {
  SettingsStore s;
  s.FillDefaults();
  s.SetFileMaskText("*.txt");
  s.SetOneTypeIndex(4);
  for (auto append : {&SettingsStore::AppendFileMaskHistory, &SettingsStore::AppendIncludeTerm,
                      &SettingsStore::AppendIncludeTermsHistory, &SettingsStore::AppendExcludeTerm,
                      &SettingsStore::AppendExcludeTermsHistory, &SettingsStore::AppendVol02DestHistory,
                      &SettingsStore::AppendVol03DestHistory})
    (s.*append)("entry");
  s.ClearLists();

  for (const List* list :
       {&s.Separators(), &s.QuotationMarks(), &s.FileMasks(), &s.FileMaskHistory(), &s.TypesInclude(),
        &s.TypesExclude(), &s.TypesThird(), &s.IncludeTerms(), &s.IncludeTermsHistory(),
        &s.ExcludeTerms(), &s.ExcludeTermsHistory(), &s.Vol02DestHistory(), &s.Vol03DestHistory()})
    EXPECT_TRUE(list->empty());
  EXPECT_EQ(s.SelectedSeparator(), ",");
  EXPECT_EQ(s.FileMaskText(), "*.txt");
  EXPECT_EQ(s.OneTypeIndex(), 4);
  EXPECT_TRUE(s.AllTypes());
}

}  // namespace
}  // namespace quillory
