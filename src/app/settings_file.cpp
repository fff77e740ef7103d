#include "app/settings_file.h"

#include <algorithm>
#include <array>
#include <cstring>

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

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}
  void Text(std::int32_t kind, std::string_view key, std::string_view text) {
    out_ += EncodeSettingsRecord(kind, key, text, 0);
  }
  void Flag(std::int32_t kind, std::string_view key, bool flag) {
    out_ += EncodeSettingsRecord(kind, key, {}, flag ? 1 : 0);
  }
  void List(std::int32_t kind, std::string_view key, const SettingsStore::List& list) {
    for (const std::string& entry : list) Text(kind, key, entry);
  }

 private:
  std::string& out_;
};

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
  if (joined.starts_with("\\\\") && !joined.starts_with("\\\\\\"))
    return "\\" + ReplaceRepeatedly(joined.substr(1), "\\\\", "\\");
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

std::string EncodeSettings(const SettingsStore& s) {
  std::string out;
  Writer w(out);
  w.Text(1, "APPNAME", s.ApplicationName());
  w.Text(2, "DEFDIRECTRY", s.DefaultDirectory());
  w.Text(3, "SELSEDELIM", s.SelectedSeparator());
  w.List(4, "DELIMLIST", s.Separators());
  w.Text(5, "SELSEQUOT", s.SelectedQuotationMark());
  w.List(6, "QUOTLIST", s.QuotationMarks());
  w.Flag(7, "FMNAMESRDO", s.NamesChosen());
  w.Flag(8, "FMNAMESRDO", s.TypesChosen());
  w.Text(9, "FMNAMESTXT", s.FileMaskText());
  w.List(10, "FMDEQINC", s.FileMasks());
  w.List(11, "FMDEQINC", s.FileMaskHistory());
  w.Flag(12, "FMALLTYPES", s.AllTypes());
  w.Flag(13, "FMINCTYPES", s.IncludedTypes());
  w.Flag(14, "FMINCTYPES", s.ExcludedTypes());
  w.Flag(15, "FMONETYPES", s.OneType());
  out += EncodeSettingsRecord(16, "FMONEFILE", s.OneTypeText(), s.OneTypeIndex());
  w.List(17, "FMDEQINC", s.TypesInclude());
  w.List(18, "FMDEQEXC", s.TypesExclude());
  w.List(19, "FMDEQEXC", s.TypesThird());
  w.Flag(20, "FMINCCHECK", s.IncludeTermsCheck());
  w.Text(21, "FMNAMESTXT", s.IncludeTermsText());
  w.List(22, "FMDEQINC", s.IncludeTerms());
  w.List(23, "FMDEQINC", s.IncludeTermsHistory());
  w.Flag(24, "FMINCCHECK", s.ExcludeTermsCheck());
  w.Text(25, "FMNAMESTXT", s.ExcludeTermsText());
  w.List(26, "FMDEQINC", s.ExcludeTerms());
  w.List(27, "FMDEQINC", s.ExcludeTermsHistory());
  w.List(28, "VOL02DEST", s.Vol02DestHistory());
  w.List(29, "VOL03DEST", s.Vol03DestHistory());
  out += EncodeSettingsRecord(kSettingsEndKind, "VEGVEGEVE", {}, 0);
  return out;
}

SaveClass::SaveClass(std::string_view path, const SettingsStore& store)
    : path_(ResolvePath(path, store)), store_(store) {}

SettingsSaveResult SaveClass::save() {
  const FsResult written = WriteFileAtomically(path_, EncodeSettings(store_));
  if (written.ok()) return {};
  return {false, written.message.empty() ? "cannot write " + path_ : written.message};
}

RestoreClass::RestoreClass(std::string_view path, SettingsStore& store)
    : path_(ResolvePath(path, store)), store_(store), file_(OpenInputFile(path_)) {}

RestoreClass::~RestoreClass() = default;

bool RestoreClass::restore() {
  if (!file_) return false;
  std::array<char, kSettingsRecordSize> record;
  for (;;) {
    std::size_t filled = 0;
    while (filled < record.size()) {
      const std::size_t got = file_->Read(record.data() + filled, record.size() - filled);
      if (got == 0) break;
      filled += got;
    }
    if (filled < record.size()) break;
    const char* text = record.data() + kSettingsTextOffset;
    const void* zero = std::memchr(text, '\0', kSettingsTextSize);
    const std::size_t textLength =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : kSettingsTextSize;
    Apply(store_, GetInt32(record.data()), std::string(text, textLength),
          GetInt32(record.data() + kSettingsNumberOffset));
  }
  return !file_->Failed();
}

StartUpSettingsResult StartUpSettings(SettingsStore& store, std::string applicationName,
                                      std::string defaultDirectory) {
  store.SetApplicationName(applicationName);
  store.SetDefaultDirectory(defaultDirectory);
  StartUpSettingsResult result;
  RestoreClass restorer({}, store);
  if (restorer.IsOpen()) {
    store.ClearLists();
    restorer.restore();
    result.restored = true;
    // A file written elsewhere (a copied folder, another program version)
    // must not redirect this run's saves.
    store.SetApplicationName(std::move(applicationName));
    store.SetDefaultDirectory(std::move(defaultDirectory));
    if (store.FileMasks().empty()) store.AppendFileMask("*.*");
    return result;
  }
  store.FillDefaults();
  result.save = SaveClass({}, store).save();
  return result;
}

}  // namespace quillory
