#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "app/settings_store.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using List = std::vector<std::string>;

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

std::vector<std::int32_t> KindsOf(const std::string& file) {
  std::vector<std::int32_t> kinds;
  for (std::size_t at = 0; at + kSettingsRecordSize <= file.size(); at += kSettingsRecordSize)
    kinds.push_back(Int32At(file, at));
  return kinds;
}

bool AllZero(const std::string& bytes, std::size_t from, std::size_t to) {
  return bytes.find_first_not_of('\0', from) >= to;
}

// Every value different from the defaults, so a dropped record shows.
SettingsStore DistinctStore() {
  SettingsStore s;
  s.SetApplicationName("Quillory Suite");
  s.SetDefaultDirectory("D:\\Work");
  s.SetSelectedSeparator(";");
  s.SetSelectedQuotationMark("'");
  s.SetSeparators({";", "space", "", "|"});
  s.SetQuotationMarks({"'", "\""});
  s.SetNamesChosen(false);
  s.SetTypesChosen(true);
  s.SetFileMaskText("*.doc \"my file.txt\"");
  s.SetFileMasks({"*.doc", "my file.txt"});
  s.SetFileMaskHistory({"*.*", "*.doc \"my file.txt\""});
  s.SetAllTypes(false);
  s.SetIncludedTypes(true);
  s.SetExcludedTypes(true);
  s.SetOneType(true);
  s.SetOneTypeText("pdf");
  s.SetOneTypeIndex(-7);
  s.SetTypesInclude({"doc", "iqy", "iqy"});
  s.SetTypesExclude({"bak"});
  s.SetTypesThird({"exe", "wa~"});
  s.SetIncludeTermsCheck(true);
  s.SetIncludeTermsText("offer draft");
  s.SetIncludeTerms({"offer", "draft"});
  s.SetIncludeTermsHistory({"offer draft"});
  s.SetExcludeTermsCheck(true);
  s.SetExcludeTermsText("old");
  s.SetExcludeTerms({"old"});
  s.SetExcludeTermsHistory({"old", "older"});
  s.SetVol02DestHistory({"D:\\Clients\\Ácme", "D:\\B"});
  s.SetVol03DestHistory({"\\\\srv\\share\\x"});
  return s;
}

class SettingsFile : public TempDriveTest {};

TEST_F(SettingsFile, RecordLayoutIsByteExact) {
  const std::string r = EncodeSettingsRecord(2, "DEFDIRECTRY", "D:\\Work", -2);
  ASSERT_EQ(r.size(), 5312u);
  EXPECT_EQ(r.substr(0, 4), std::string("\x02\0\0\0", 4));
  EXPECT_EQ(r.substr(4, 10), "DEFDIRECTR");  // no terminator inside the field
  EXPECT_EQ(r.substr(14, 8), std::string("D:\\Work\0", 8));
  EXPECT_TRUE(AllZero(r, 14 + 7, 5276));
  EXPECT_EQ(r.substr(5276, 4), "\xFE\xFF\xFF\xFF");
  EXPECT_TRUE(AllZero(r, 5280, 5312));

  const std::string shortKey = EncodeSettingsRecord(900, "VEGVEGEVE", "", 0);
  EXPECT_EQ(shortKey.substr(0, 4), std::string("\x84\x03\0\0", 4));
  EXPECT_EQ(shortKey.substr(4, 10), std::string("VEGVEGEVE\0", 10));
  EXPECT_TRUE(AllZero(shortKey, 14, 5312));
}

TEST_F(SettingsFile, LongTextIsCutToTheFieldLimit) {
  const std::string r = EncodeSettingsRecord(9, "FMNAMESTXT", std::string(6000, 'a'), 0);
  ASSERT_EQ(r.size(), 5312u);
  EXPECT_EQ(r.substr(14, 5261), std::string(5261, 'a'));
  EXPECT_EQ(r[14 + 5261], '\0');

  // A character that would be split is dropped whole.
  const std::string utf8 = std::string(5260, 'a') + "\xC3\x81" + "tail";
  const std::string cut = EncodeSettingsRecord(9, "FMNAMESTXT", utf8, 0);
  EXPECT_EQ(cut.substr(14, 5260), std::string(5260, 'a'));
  EXPECT_TRUE(AllZero(cut, 14 + 5260, 5276));

  MakeDir("D:\\s");
  MakeFile("D:\\s\\long.set", r);
  SettingsStore s;
  ASSERT_TRUE(RestoreClass("D:\\s\\long.set", s, Drives()).restore());
  EXPECT_EQ(s.FileMaskText(), std::string(5261, 'a'));
}

TEST_F(SettingsFile, DefaultPathCollapsesDoubledBackslashes) {
  SettingsStore s;
  s.SetDefaultDirectory("D:\\");
  EXPECT_EQ(DefaultSettingsPath(s), "D:\\default.set");
  s.SetDefaultDirectory("D:\\\\Work\\\\\\");
  EXPECT_EQ(DefaultSettingsPath(s), "D:\\Work\\default.set");
  s.SetDefaultDirectory("\\\\srv\\share");
  EXPECT_EQ(DefaultSettingsPath(s), "\\\\srv\\share\\default.set");
  s.SetDefaultDirectory("");
  EXPECT_EQ(DefaultSettingsPath(s), "\\default.set");
  EXPECT_EQ(SaveClass("D:\\x.set", s, Drives()).Path(), "D:\\x.set");
}

TEST_F(SettingsFile, FirstStartCreatesTheDefaultFile) {
  MakeDir("D:\\Work");
  SettingsStore s;
  const StartUpSettingsResult result = StartUpSettings(s, Drives(), "Quillory Suite", "D:\\Work");
  EXPECT_FALSE(result.restored);
  EXPECT_TRUE(result.save.ok);
  ASSERT_TRUE(IsFile("D:\\Work\\default.set"));

  std::vector<std::int32_t> expected = {1, 2, 3};
  expected.insert(expected.end(), 17, 4);
  expected.push_back(5);
  expected.insert(expected.end(), 17, 6);
  for (std::int32_t k : {7, 8, 9, 10, 12, 13, 14, 15, 16}) expected.push_back(k);
  expected.insert(expected.end(), 172, 17);
  expected.insert(expected.end(), 5, 18);
  expected.insert(expected.end(), 215, 19);
  for (std::int32_t k : {20, 21, 24, 25, 900}) expected.push_back(k);

  const std::string file = ReadFile("D:\\Work\\default.set");
  ASSERT_EQ(file.size(), expected.size() * 5312);
  EXPECT_EQ(KindsOf(file), expected);

  const std::string second = file.substr(5312, 5312);
  EXPECT_EQ(second.substr(4, 10), "DEFDIRECTR");
  EXPECT_EQ(second.substr(14, 8), std::string("D:\\Work\0", 8));
  EXPECT_TRUE(AllZero(second, 14 + 8, 5276));
  EXPECT_TRUE(AllZero(second, 5280, 5312));

  // The separator records hold the list in order; the mask record "*.*".
  EXPECT_EQ(file.substr(3 * 5312 + 14, 2), std::string(",\0", 2));
  EXPECT_EQ(file.substr(19 * 5312 + 14, 6), std::string("space\0", 6));
  const std::size_t maskRecord = (3 + 17 + 1 + 17 + 3) * 5312;
  EXPECT_EQ(Int32At(file, maskRecord), 10);
  EXPECT_EQ(file.substr(maskRecord + 14, 4), std::string("*.*\0", 4));
  EXPECT_EQ(Int32At(file, (3 + 17 + 1 + 17) * 5312 + 5276), 1);  // names chosen
}

TEST_F(SettingsFile, SecondStartRestoresWhatWasSaved) {
  MakeDir("D:\\Work");
  SettingsStore first;
  StartUpSettings(first, Drives(), "Quillory Suite", "D:\\Work");
  first.SetVol02DestHistory({"D:\\Out", "D:\\Older"});
  first.SetSeparators({"|"});
  ASSERT_TRUE(SaveClass("", first, Drives()).save().ok);

  SettingsStore second;
  second.AppendSeparator("leftover");
  const StartUpSettingsResult result = StartUpSettings(second, Drives(), "Quillory Suite", "D:\\Work");
  EXPECT_TRUE(result.restored);
  EXPECT_TRUE(result.save.ok);
  EXPECT_EQ(second, first);

  // A file written from elsewhere does not redirect this run's saves, and
  // an empty mask list gets its seed.
  MakeDir("D:\\Moved");
  SettingsStore old;
  old.SetDefaultDirectory("D:\\Gone");
  ASSERT_TRUE(SaveClass("D:\\Moved\\default.set", old, Drives()).save().ok);
  SettingsStore moved;
  EXPECT_TRUE(StartUpSettings(moved, Drives(), "Quillory Suite", "D:\\Moved").restored);
  EXPECT_EQ(moved.DefaultDirectory(), "D:\\Moved");
  EXPECT_EQ(moved.ApplicationName(), "Quillory Suite");
  EXPECT_EQ(moved.FileMasks(), List{"*.*"});
}

TEST_F(SettingsFile, EveryValueSurvivesARoundTrip) {
  const SettingsStore original = DistinctStore();
  ASSERT_TRUE(SaveClass("D:\\all.set", original, Drives()).save().ok);

  SettingsStore restored;
  RestoreClass restorer("D:\\all.set", restored, Drives());
  ASSERT_TRUE(restorer.IsOpen());
  EXPECT_TRUE(restorer.restore());
  EXPECT_EQ(restored, original);

  // Restoring again over emptied lists gives the same store, not doubles.
  restored.ClearLists();
  EXPECT_TRUE(RestoreClass("D:\\all.set", restored, Drives()).restore());
  EXPECT_EQ(restored, original);
}

TEST_F(SettingsFile, IncompleteLastRecordIsIgnored) {
  std::string bytes = EncodeSettingsRecord(1, "APPNAME", "App", 0) +
                      EncodeSettingsRecord(4, "DELIMLIST", "x", 0) +
                      EncodeSettingsRecord(4, "DELIMLIST", "y", 0);
  bytes += EncodeSettingsRecord(4, "DELIMLIST", "z", 0).substr(0, 5311);
  MakeFile("D:\\cut.set", bytes);

  SettingsStore s;
  EXPECT_TRUE(RestoreClass("D:\\cut.set", s, Drives()).restore());
  EXPECT_EQ(s.ApplicationName(), "App");
  EXPECT_EQ(s.Separators(), (List{"x", "y"}));

  MakeFile("D:\\extra.set", EncodeSettingsRecord(3, "SELSEDELIM", "|", 0) + "abc");
  SettingsStore t;
  EXPECT_TRUE(RestoreClass("D:\\extra.set", t, Drives()).restore());
  EXPECT_EQ(t.SelectedSeparator(), "|");
}

TEST_F(SettingsFile, UnknownKindsAndTheEndRecordAreSkipped) {
  const std::string bytes =
      EncodeSettingsRecord(777, "STRANGE", "ignored", 1) +
      EncodeSettingsRecord(-1, "NEG", "ignored", 1) + EncodeSettingsRecord(0, "", "ignored", 1) +
      EncodeSettingsRecord(30, "NEXT", "ignored", 1) +
      EncodeSettingsRecord(kSettingsEndKind, "VEGVEGEVE", "ignored", 1) +
      EncodeSettingsRecord(28, "VOL02DEST", "D:\\after", 0) +
      EncodeSettingsRecord(16, "FMONEFILE", "pdf", 12) + EncodeSettingsRecord(12, "FMALLTYPES", "", 0) +
      EncodeSettingsRecord(20, "FMINCCHECK", "", 5);
  MakeFile("D:\\odd.set", bytes);

  SettingsStore s;
  EXPECT_TRUE(RestoreClass("D:\\odd.set", s, Drives()).restore());
  SettingsStore expected;
  expected.AppendVol02DestHistory("D:\\after");
  expected.SetOneTypeText("pdf");
  expected.SetOneTypeIndex(12);
  expected.SetAllTypes(false);
  expected.SetIncludeTermsCheck(true);  // any non-zero number is set
  EXPECT_EQ(s, expected);
}

TEST_F(SettingsFile, UnterminatedTextEndsAtTheFieldEnd) {
  std::string r = EncodeSettingsRecord(21, "FMNAMESTXT", "", 0);
  r.replace(14, 5262, std::string(5262, 'b'));
  MakeFile("D:\\full.set", r);

  SettingsStore s;
  EXPECT_TRUE(RestoreClass("D:\\full.set", s, Drives()).restore());
  EXPECT_EQ(s.IncludeTermsText(), std::string(5262, 'b'));
}

TEST_F(SettingsFile, EmptyOrMissingFilesRestoreNothing) {
  MakeFile("D:\\empty.set", "");
  SettingsStore s;
  EXPECT_TRUE(RestoreClass("D:\\empty.set", s, Drives()).restore());
  EXPECT_EQ(s, SettingsStore());

  RestoreClass missing("D:\\nothing.set", s, Drives());
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_FALSE(missing.restore());
  EXPECT_EQ(s, SettingsStore());

  // An empty settings file at start-up is one cut to nothing: it is set
  // aside and the defaults take its place.
  MakeDir("D:\\Blank");
  MakeFile("D:\\Blank\\default.set", "");
  SettingsStore started;
  const StartUpSettingsResult result = StartUpSettings(started, Drives(), "Quillory Suite", "D:\\Blank");
  EXPECT_TRUE(result.restored);
  EXPECT_TRUE(result.damaged);
  EXPECT_EQ(started.FileMasks(), List{"*.*"});
  EXPECT_EQ(started.Separators(), DefaultSeparatorList());
  EXPECT_EQ(ReadFile("D:\\Blank\\default.set"), EncodeSettings(started));
  EXPECT_EQ(ReadFile("D:\\Blank\\default.set.damaged"), "");
}

TEST_F(SettingsFile, RandomBytesNeverBreakTheRestore) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> kind(-3, 32);
  for (int round = 0; round < 40; ++round) {
    const std::size_t records = static_cast<std::size_t>(round % 5);
    std::string bytes(records * kSettingsRecordSize + static_cast<std::size_t>(round * 37 % 900), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    // Half the rounds carry plausible kinds so the known branches run on junk.
    if (round % 2 == 0)
      for (std::size_t r = 0; r < records; ++r) {
        const std::int32_t k = kind(random);
        for (std::size_t i = 0; i < 4; ++i)
          bytes[r * kSettingsRecordSize + i] =
              static_cast<char>((static_cast<std::uint32_t>(k) >> (8 * i)) & 0xFFu);
      }
    MakeFile("D:\\random.set", bytes);

    SettingsStore s;
    EXPECT_TRUE(RestoreClass("D:\\random.set", s, Drives()).restore());
    std::size_t entries = 0;
    for (const List* list : {&s.Separators(), &s.QuotationMarks(), &s.FileMasks(),
                             &s.FileMaskHistory(), &s.TypesInclude(), &s.TypesExclude(),
                             &s.TypesThird(), &s.IncludeTerms(), &s.IncludeTermsHistory(),
                             &s.ExcludeTerms(), &s.ExcludeTermsHistory(), &s.Vol02DestHistory(),
                             &s.Vol03DestHistory()})
      entries += list->size();
    EXPECT_LE(entries, records);
  }
}

TEST_F(SettingsFile, FailedSaveReportsFailureAndKeepsWhatIsThere) {
  const SettingsStore store = DistinctStore();

  MakeFile("D:\\plain.txt", "keep me");
  const SettingsSaveResult underFile = SaveClass("D:\\plain.txt\\default.set", store, Drives()).save();
  EXPECT_FALSE(underFile.ok);
  EXPECT_FALSE(underFile.message.empty());
  EXPECT_EQ(ReadFile("D:\\plain.txt"), "keep me");

  MakeDir("D:\\Work\\default.set");
  MakeFile("D:\\Work\\default.set\\inside.txt", "inside");
  SettingsStore s;
  const StartUpSettingsResult result = StartUpSettings(s, Drives(), "Quillory Suite", "D:\\Work");
  EXPECT_FALSE(result.restored);
  EXPECT_FALSE(result.save.ok);
  EXPECT_EQ(ReadFile("D:\\Work\\default.set\\inside.txt"), "inside");
  EXPECT_EQ(ListDir("D:\\Work"), List{"default.set"});
  EXPECT_EQ(s.Separators().size(), 17u);  // the run goes on with defaults

  // A file that cannot be replaced stays exactly as it was.
  MakeFile("D:\\Kept\\default.set", "old settings");
  ASSERT_EQ(::chmod(Host("D:\\Kept\\default.set").c_str(), 0444), 0);
  EXPECT_FALSE(SaveClass("D:\\Kept\\default.set", store, Drives()).save().ok);
  EXPECT_EQ(ReadFile("D:\\Kept\\default.set"), "old settings");
  EXPECT_EQ(ListDir("D:\\Kept"), List{"default.set"});

  EXPECT_EQ(kMsg0130.text,
            "Unable to open output file to save settings !\n\nAction: Try to save again the "
            "settings, or \n\nimmediately e-mail us, please!");
  EXPECT_EQ(kMsg0130.caption, "Severe Error!    Msg no: 0130.");
}

TEST_F(SettingsFile, SaveReplacesThePreviousFileWhole) {
  SettingsStore big = DistinctStore();
  big.SetTypesThird(List(300, "ext"));
  ASSERT_TRUE(SaveClass("D:\\r.set", big, Drives()).save().ok);
  const SettingsStore small;
  ASSERT_TRUE(SaveClass("D:\\r.set", small, Drives()).save().ok);
  EXPECT_EQ(ReadFile("D:\\r.set"), EncodeSettings(small));
  EXPECT_EQ(ListDir("D:\\"), List{"r.set"});
}

// A damaged file at start-up: kept aside, its unread values taken from the
// defaults, the repaired settings saved at once.
class DamagedSettings : public SettingsFile {
 protected:
  // The file a first start writes, with some values of the person's own.
  std::string UsersFile() {
    SettingsStore s;
    s.FillDefaults();
    s.SetSelectedSeparator(";");
    s.SetVol02DestHistory({"D:\\Out"});
    return EncodeSettings(s);
  }

  StartUpSettingsResult StartOver(const std::string& bytes, SettingsStore& s) {
    MakeDir("D:\\Work");
    MakeFile("D:\\Work\\default.set", bytes);
    return StartUpSettings(s, Drives(), "Quillory Suite", "D:\\Work");
  }

  void ExpectDefaultCatalogues(const SettingsStore& s) {
    SettingsStore defaults;
    defaults.FillDefaults();
    EXPECT_EQ(s.TypesInclude(), defaults.TypesInclude());
    EXPECT_EQ(s.TypesInclude().size(), 172u);
    EXPECT_EQ(s.TypesExclude(), defaults.TypesExclude());
    EXPECT_EQ(s.TypesThird(), defaults.TypesThird());
  }

  // The repaired settings are on disk, whole, and read back undamaged.
  void ExpectSavedAndSound(const SettingsStore& s) {
    EXPECT_EQ(ReadFile("D:\\Work\\default.set"), EncodeSettings(s));
    SettingsStore again;
    const StartUpSettingsResult second = StartUpSettings(again, Drives(), "Quillory Suite", "D:\\Work");
    EXPECT_FALSE(second.damaged);
    EXPECT_EQ(again, s);
  }
};

TEST_F(DamagedSettings, ATruncatedFileKeepsWhatWasReadAndTakesTheRestFromTheDefaults) {
  const std::string whole = UsersFile();
  // Cut inside the 60th record of kind 17: the type catalogue and all after it are lost.
  const std::size_t firstType = (3 + 17 + 1 + 17 + 9) * kSettingsRecordSize;
  ASSERT_EQ(Int32At(whole, firstType), 17);
  const std::string cut = whole.substr(0, firstType + 59 * kSettingsRecordSize + 100);

  SettingsStore s;
  const StartUpSettingsResult result = StartOver(cut, s);
  EXPECT_TRUE(result.restored);
  EXPECT_TRUE(result.damaged);
  EXPECT_TRUE(result.save.ok);
  ExpectDefaultCatalogues(s);
  EXPECT_EQ(s.Separators(), DefaultSeparatorList());
  EXPECT_EQ(s.QuotationMarks(), DefaultSeparatorList());
  EXPECT_EQ(s.SelectedSeparator(), ";");      // read before the cut
  EXPECT_TRUE(s.Vol02DestHistory().empty());  // after the cut: nothing to take
  EXPECT_EQ(s.FileMasks(), List{"*.*"});
  EXPECT_EQ(ReadFile("D:\\Work\\default.set.damaged"), cut);
  ExpectSavedAndSound(s);
}

TEST_F(DamagedSettings, AListCutShortGetsTheDefaultEntriesItLacks) {
  SettingsStore mine;
  mine.FillDefaults();
  mine.SetSeparators({"|", "x", "y"});
  const std::string whole = EncodeSettings(mine);
  // APPNAME, DEFDIRECTRY, SELSEDELIM, then "|" whole and "x" in part.
  const std::string cut = whole.substr(0, 4 * kSettingsRecordSize + 20);

  SettingsStore s;
  ASSERT_TRUE(StartOver(cut, s).damaged);
  List expected = {"|"};
  for (const std::string& entry : DefaultSeparatorList())
    if (entry != "|") expected.push_back(entry);
  EXPECT_EQ(s.Separators(), expected);
  EXPECT_EQ(s.QuotationMarks(), DefaultSeparatorList());
  ExpectDefaultCatalogues(s);

  // Whole lists before the cut are the person's and stay as they were.
  const std::size_t afterQuotes = (3 + 3 + 1 + 17) * kSettingsRecordSize;
  SettingsStore t;
  ASSERT_TRUE(StartOver(whole.substr(0, afterQuotes + 7), t).damaged);
  EXPECT_EQ(t.Separators(), (List{"|", "x", "y"}));
  EXPECT_EQ(t.QuotationMarks(), DefaultSeparatorList());
  EXPECT_TRUE(t.NamesChosen());
  EXPECT_TRUE(t.AllTypes());
  ExpectDefaultCatalogues(t);
}

TEST_F(DamagedSettings, AGarbageFileGivesTheDefaultsAndIsKept) {
  std::mt19937 random(7);
  std::string garbage(3 * kSettingsRecordSize + 1234, '\0');
  for (char& c : garbage) c = static_cast<char>(random() & 0xFFu);

  SettingsStore s;
  const StartUpSettingsResult result = StartOver(garbage, s);
  EXPECT_TRUE(result.damaged);
  EXPECT_TRUE(result.save.ok);
  SettingsStore defaults;
  defaults.FillDefaults();
  defaults.SetApplicationName("Quillory Suite");
  defaults.SetDefaultDirectory("D:\\Work");
  EXPECT_EQ(s, defaults);
  EXPECT_EQ(ReadFile("D:\\Work\\default.set.damaged"), garbage);
  ExpectSavedAndSound(s);

  // One copy only: a later damaged file takes its place.
  const std::string cut = UsersFile().substr(0, 2 * kSettingsRecordSize);
  SettingsStore later;
  EXPECT_TRUE(StartOver(cut, later).damaged);
  EXPECT_EQ(ReadFile("D:\\Work\\default.set.damaged"), cut);
  EXPECT_EQ(ListDir("D:\\Work"), (List{"default.set", "default.set.damaged"}));
}

TEST_F(DamagedSettings, ASoundFileIsNeitherCopiedNorRewritten) {
  const std::string whole = UsersFile();
  SettingsStore s;
  const StartUpSettingsResult result = StartOver(whole, s);
  EXPECT_FALSE(result.damaged);
  EXPECT_EQ(s.SelectedSeparator(), ";");
  EXPECT_EQ(ReadFile("D:\\Work\\default.set"), whole);
  EXPECT_EQ(ListDir("D:\\Work"), List{"default.set"});
}

TEST_F(DamagedSettings, WhenTheDamagedFileCannotBeKeptNothingOverwritesIt) {
  const std::string cut = UsersFile().substr(0, 5 * kSettingsRecordSize + 3);
  MakeFile("D:\\Work\\default.set.damaged\\occupied.txt", "x");
  SettingsStore s;
  const StartUpSettingsResult result = StartOver(cut, s);
  EXPECT_TRUE(result.damaged);
  EXPECT_FALSE(result.save.ok);
  EXPECT_EQ(ReadFile("D:\\Work\\default.set"), cut);
  ExpectDefaultCatalogues(s);  // the run itself goes on repaired
}

}  // namespace
}  // namespace quillory
