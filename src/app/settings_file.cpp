#include "app/settings_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <optional>

#include "platform/drives.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace quillory {

namespace {

void PutInt32(std::string& record, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i)
    record[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
}

std::int32_t GetInt32(const char* bytes) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i)
    bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return static_cast<std::int32_t>(bits);
}

std::size_t CutLength(std::string_view text) {
  if (text.size() <= kSettingsMaxTextLength) return text.size();
  std::size_t n = kSettingsMaxTextLength;
  // Never leave half a character behind: a valid name must stay valid.
  if (IsValidUtf8(text))
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
  return n;
}

// Calls emit(kind, key, text, number) for every record of the store, in file
// order, end record excluded.
template <class Emit>
void ForEachRecord(const SettingsStore& s, Emit&& emit) {
  auto text = [&](std::int32_t kind, std::string_view key, std::string_view value) { emit(kind, key, value, 0); };
  auto flag = [&](std::int32_t kind, std::string_view key, bool value) { emit(kind, key, {}, value ? 1 : 0); };
  auto list = [&](std::int32_t kind, std::string_view key, const SettingsStore::List& entries) {
    for (const std::string& entry : entries) text(kind, key, entry);
  };
  text(1, "APPNAME", s.ApplicationName());
  text(2, "DEFDIRECTRY", s.DefaultDirectory());
  text(3, "SELSEDELIM", s.SelectedSeparator());
  list(4, "DELIMLIST", s.Separators());
  text(5, "SELSEQUOT", s.SelectedQuotationMark());
  list(6, "QUOTLIST", s.QuotationMarks());
  flag(7, "FMNAMESRDO", s.NamesChosen());
  flag(8, "FMNAMESRDO", s.TypesChosen());
  text(9, "FMNAMESTXT", s.FileMaskText());
  list(10, "FMDEQINC", s.FileMasks());
  list(11, "FMDEQINC", s.FileMaskHistory());
  flag(12, "FMALLTYPES", s.AllTypes());
  flag(13, "FMINCTYPES", s.IncludedTypes());
  flag(14, "FMINCTYPES", s.ExcludedTypes());
  flag(15, "FMONETYPES", s.OneType());
  emit(16, "FMONEFILE", s.OneTypeText(), s.OneTypeIndex());
  list(17, "FMDEQINC", s.TypesInclude());
  list(18, "FMDEQEXC", s.TypesExclude());
  list(19, "FMDEQEXC", s.TypesThird());
  flag(20, "FMINCCHECK", s.IncludeTermsCheck());
  text(21, "FMNAMESTXT", s.IncludeTermsText());
  list(22, "FMDEQINC", s.IncludeTerms());
  list(23, "FMDEQINC", s.IncludeTermsHistory());
  flag(24, "FMINCCHECK", s.ExcludeTermsCheck());
  text(25, "FMNAMESTXT", s.ExcludeTermsText());
  list(26, "FMDEQINC", s.ExcludeTerms());
  list(27, "FMDEQINC", s.ExcludeTermsHistory());
  list(28, "VOL02DEST", s.Vol02DestHistory());
  list(29, "VOL03DEST", s.Vol03DestHistory());
}

constexpr std::int32_t kLastKnownKind = 29;

// The lists of the file, by kind; nullptr for a kind that holds one value.
const SettingsStore::List* ListOfKind(const SettingsStore& s, std::int32_t kind) {
  switch (kind) {
    case 4: return &s.Separators();
    case 6: return &s.QuotationMarks();
    case 10: return &s.FileMasks();
    case 11: return &s.FileMaskHistory();
    case 17: return &s.TypesInclude();
    case 18: return &s.TypesExclude();
    case 19: return &s.TypesThird();
    case 22: return &s.IncludeTerms();
    case 23: return &s.IncludeTermsHistory();
    case 26: return &s.ExcludeTerms();
    case 27: return &s.ExcludeTermsHistory();
    case 28: return &s.Vol02DestHistory();
    case 29: return &s.Vol03DestHistory();
    default: return nullptr;
  }
}

bool IsHostPath(std::string_view path) { return path.starts_with('/') || path.starts_with("./"); }

std::optional<std::string> HostPathOf(std::string_view path, const DriveMap& drives) {
  if (IsHostPath(path)) return std::string(path);
  return drives.ToHost(path);
}

std::string ResolvePath(std::string_view path, const SettingsStore& store) {
  return path.empty() ? DefaultSettingsPath(store) : std::string(path);
}

void Apply(SettingsStore& s, std::int32_t kind, std::string text, std::int32_t number) {
  const bool flag = number != 0;
  switch (kind) {
    case 1: s.SetApplicationName(std::move(text)); break;
    case 2: s.SetDefaultDirectory(std::move(text)); break;
    case 3: s.SetSelectedSeparator(std::move(text)); break;
    case 4: s.AppendSeparator(std::move(text)); break;
    case 5: s.SetSelectedQuotationMark(std::move(text)); break;
    case 6: s.AppendQuotationMark(std::move(text)); break;
    case 7: s.SetNamesChosen(flag); break;
    case 8: s.SetTypesChosen(flag); break;
    case 9: s.SetFileMaskText(std::move(text)); break;
    case 10: s.AppendFileMask(std::move(text)); break;
    case 11: s.AppendFileMaskHistory(std::move(text)); break;
    case 12: s.SetAllTypes(flag); break;
    case 13: s.SetIncludedTypes(flag); break;
    case 14: s.SetExcludedTypes(flag); break;
    case 15: s.SetOneType(flag); break;
    case 16:
      s.SetOneTypeText(std::move(text));
      s.SetOneTypeIndex(number);
      break;
    case 17: s.AppendTypesInclude(std::move(text)); break;
    case 18: s.AppendTypesExclude(std::move(text)); break;
    case 19: s.AppendTypesThird(std::move(text)); break;
    case 20: s.SetIncludeTermsCheck(flag); break;
    case 21: s.SetIncludeTermsText(std::move(text)); break;
    case 22: s.AppendIncludeTerm(std::move(text)); break;
    case 23: s.AppendIncludeTermsHistory(std::move(text)); break;
    case 24: s.SetExcludeTermsCheck(flag); break;
    case 25: s.SetExcludeTermsText(std::move(text)); break;
    case 26: s.AppendExcludeTerm(std::move(text)); break;
    case 27: s.AppendExcludeTermsHistory(std::move(text)); break;
    case 28: s.AppendVol02DestHistory(std::move(text)); break;
    case 29: s.AppendVol03DestHistory(std::move(text)); break;
    default: break;  // the end record and kinds this version does not know
  }
}

}  // namespace

std::string DefaultSettingsPath(const SettingsStore& store) {
  const std::string joined = store.DefaultDirectory() + "\\" + std::string(kSettingsFileName);
  // Collapsing the UNC prefix too would turn \\srv\share into a path with no
  // drive, and the file could never be found again.
  if (joined.starts_with("\\\\") && !joined.starts_with("\\\\\\")) {
    std::string unc(1, '\\');
    unc += ReplaceRepeatedly(joined.substr(1), "\\\\", "\\");
    return unc;
  }
  return ReplaceRepeatedly(joined, "\\\\", "\\");
}

std::string EncodeSettingsRecord(std::int32_t kind, std::string_view key, std::string_view text,
                                 std::int32_t number) {
  std::string record(kSettingsRecordSize, '\0');
  PutInt32(record, 0, kind);
  const std::size_t keyLength = std::min(key.size(), kSettingsKeySize);
  record.replace(kSettingsKeyOffset, keyLength, key.substr(0, keyLength));
  const std::size_t textLength = CutLength(text);
  record.replace(kSettingsTextOffset, textLength, text.substr(0, textLength));
  PutInt32(record, kSettingsNumberOffset, number);
  return record;
}

std::string WorkingFolderSettingsPath() { return "./" + std::string(kSettingsFileName); }

std::string EncodeSettings(const SettingsStore& s) {
  std::string out;
  ForEachRecord(s, [&out](std::int32_t kind, std::string_view key, std::string_view text, std::int32_t number) {
    out += EncodeSettingsRecord(kind, key, text, number);
  });
  out += EncodeSettingsRecord(kSettingsEndKind, "VEGVEGEVE", {}, 0);
  return out;
}

SaveClass::SaveClass(std::string_view path, const SettingsStore& store, const DriveMap& drives)
    : path_(ResolvePath(path, store)), store_(store), drives_(drives) {}

SettingsSaveResult SaveClass::save() {
  const std::optional<std::string> host = HostPathOf(path_, drives_);
  if (!host) return {false, "no drive holds " + path_};
  const FsResult written = WriteHostFileAtomically(*host, EncodeSettings(store_));
  if (written.ok()) return {};
  return {false, written.message.empty() ? "cannot write " + path_ : written.message};
}

RestoreClass::RestoreClass(std::string_view path, SettingsStore& store, const DriveMap& drives)
    : path_(ResolvePath(path, store)), store_(store) {
  // Unlike an undo journal, a settings file another user planted is read:
  // it holds separators, masks and histories and makes the program delete
  // nothing, so the owner check the journals get would only add a refusal.
  if (const std::optional<std::string> host = HostPathOf(path_, drives)) file_ = OpenHostInputFile(*host);
}

RestoreClass::~RestoreClass() = default;

bool RestoreClass::restore() {
  damaged_ = false;
  lastKind_ = 0;
  kindsRead_ = 0;
  if (!file_) return false;
  std::array<char, kSettingsRecordSize> record;
  bool ended = false;
  for (;;) {
    std::size_t filled = 0;
    while (filled < record.size()) {
      const std::size_t got = file_->Read(record.data() + filled, record.size() - filled);
      if (got == 0) break;
      filled += got;
    }
    if (filled < record.size()) {
      if (filled > 0) ended = false;
      break;
    }
    const std::int32_t kind = GetInt32(record.data());
    ended = ended || kind == kSettingsEndKind;
    if (kind >= 1 && kind <= kLastKnownKind) {
      lastKind_ = std::max(lastKind_, kind);
      kindsRead_ |= 1u << kind;
    }
    const char* text = record.data() + kSettingsTextOffset;
    const void* zero = std::memchr(text, '\0', kSettingsTextSize);
    const std::size_t textLength =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : kSettingsTextSize;
    Apply(store_, kind, std::string(text, textLength), GetInt32(record.data() + kSettingsNumberOffset));
  }
  damaged_ = !ended || file_->Failed();
  return !file_->Failed();
}

void RestoreClass::TakeUnreadFromDefaults() const {
  SettingsStore defaults;
  defaults.FillDefaults();
  // Entries a cut list already holds are not added twice; a catalogue that
  // names an entry twice keeps both.
  std::map<std::int32_t, std::map<std::string, std::size_t>> held;
  ForEachRecord(defaults, [&](std::int32_t kind, std::string_view, std::string_view text, std::int32_t number) {
    if (kind == 1 || kind == 2) return;  // the running program sets these
    const SettingsStore::List* list = ListOfKind(store_, kind);
    if (!list) {
      if ((kindsRead_ & (1u << kind)) == 0) Apply(store_, kind, std::string(text), number);
      return;
    }
    // The mask list has its own seed; a cut one is not widened to "*.*".
    if (kind < lastKind_ || kind == 10) return;
    auto [counts, fresh] = held.try_emplace(kind);
    if (fresh)
      for (const std::string& entry : *list) ++counts->second[entry];
    auto found = counts->second.find(std::string(text));
    if (found != counts->second.end() && found->second > 0) --found->second;
    else Apply(store_, kind, std::string(text), number);
  });
}

StartUpSettingsResult StartUpSettings(SettingsStore& store, const DriveMap& drives, std::string applicationName,
                                      std::string defaultDirectory, std::string_view settingsPath) {
  store.SetApplicationName(applicationName);
  store.SetDefaultDirectory(defaultDirectory);
  StartUpSettingsResult result;
  RestoreClass restorer(settingsPath, store, drives);
  if (restorer.IsOpen()) {
    store.ClearLists();
    restorer.restore();
    result.restored = true;
    // A file written elsewhere (a copied folder, another program version)
    // must not redirect this run's saves.
    store.SetApplicationName(std::move(applicationName));
    store.SetDefaultDirectory(std::move(defaultDirectory));
    if (restorer.Damaged()) {
      result.damaged = true;
      restorer.TakeUnreadFromDefaults();
    }
    if (store.FileMasks().empty()) store.AppendFileMask("*.*");
    if (result.damaged) {
      // Saving over the damaged file would lose whatever the defaults
      // replaced; it is set aside first, and kept when that fails.
      const std::optional<std::string> host = HostPathOf(restorer.Path(), drives);
      const FsResult kept = host ? RenameHostFile(*host, *host + std::string(kDamagedSettingsSuffix))
                                 : FsResult{FsError::NotFound, "no drive holds " + restorer.Path()};
      result.save = kept.ok() ? SaveClass(restorer.Path(), store, drives).save()
                              : SettingsSaveResult{false, "cannot keep the damaged settings: " + kept.message};
    }
    return result;
  }
  store.FillDefaults();
  result.save = SaveClass(restorer.Path(), store, drives).save();
  return result;
}

}  // namespace quillory
