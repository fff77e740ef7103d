// The settings file: a headerless sequence of fixed-size records, one value
// per record, ended by a record of kind 900. Layout of one record:
//   0     int32 LE   kind
//   4     10 bytes   key (first 10 characters; zero-terminated only if shorter)
//   14    5262 bytes text, zero-terminated (at most 5261 characters)
//   5276  int32 LE   number
//   5280  32 bytes   unused
// Every byte that carries no value is zero. Only the kind identifies a record;
// the key is informative.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/settings_store.h"

namespace quillory {

class DriveMap;
class InputFile;

inline constexpr std::size_t kSettingsRecordSize = 5312;
inline constexpr std::size_t kSettingsKeyOffset = 4;
inline constexpr std::size_t kSettingsKeySize = 10;
inline constexpr std::size_t kSettingsTextOffset = 14;
inline constexpr std::size_t kSettingsTextSize = 5262;
inline constexpr std::size_t kSettingsMaxTextLength = kSettingsTextSize - 1;
inline constexpr std::size_t kSettingsNumberOffset = 5276;
inline constexpr std::int32_t kSettingsEndKind = 900;

inline constexpr std::string_view kSettingsFileName = "default.set";

struct SettingsMessage {
  std::string_view text;
  std::string_view caption;
};

// Shown (error icon, OK) by the caller when a save fails.
inline constexpr SettingsMessage kMsg0130 = {
    "Unable to open output file to save settings !\n\nAction: Try to save again the settings, "
    "or \n\nimmediately e-mail us, please!",
    "Severe Error!    Msg no: 0130."};

// The store's default directory, "\" and "default.set", with doubled
// backslashes collapsed (the leading pair of a UNC path is kept).
std::string DefaultSettingsPath(const SettingsStore& store);

// "default.set" in the program's working folder, as a host path relative to
// that folder. The folder's name is never spelled out, so neither its length
// nor a "\" in it can send the settings to another file; nothing in the
// program changes its working folder.
std::string WorkingFolderSettingsPath();

// Where a damaged settings file is kept when start-up replaces it.
inline constexpr std::string_view kDamagedSettingsSuffix = ".damaged";

// One record, exactly kSettingsRecordSize bytes. A longer text is cut to
// kSettingsMaxTextLength bytes, backed off to a character boundary when the
// text is valid UTF-8.
std::string EncodeSettingsRecord(std::int32_t kind, std::string_view key, std::string_view text,
                                 std::int32_t number);

// The whole file content for the store, end record included.
std::string EncodeSettings(const SettingsStore& store);

struct SettingsSaveResult {
  bool ok = true;
  std::string message;  // host error detail for logs; the user is shown kMsg0130
};

// SaveClass and RestoreClass take a settings path in program form, found
// through the drive map they are given, or a host path when it begins with
// "/" or "./" (WorkingFolderSettingsPath).

// Writes the whole store. The file is replaced atomically: on failure the
// previous file is intact and nothing is shown; the caller shows kMsg0130.
class SaveClass {
 public:
  // An empty path means DefaultSettingsPath(store).
  SaveClass(std::string_view path, const SettingsStore& store, const DriveMap& drives);
  SettingsSaveResult save();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  const SettingsStore& store_;
  const DriveMap& drives_;
};

// Reads the file into the store record by record (never the whole file at
// once). Texts and flags are set, list records appended: the caller empties
// the store's lists first (SettingsStore::ClearLists). Unknown kinds and the
// end record are skipped, an incomplete last record is ignored.
class RestoreClass {
 public:
  // Opens the file; an empty path means DefaultSettingsPath(store).
  RestoreClass(std::string_view path, SettingsStore& store, const DriveMap& drives);
  ~RestoreClass();
  RestoreClass(const RestoreClass&) = delete;
  RestoreClass& operator=(const RestoreClass&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // False when the file could not be opened (nothing restored) or a read
  // error stopped it part-way (records before it are kept).
  bool restore();
  const std::string& Path() const { return path_; }

  // After restore(): the file was opened but did not end with its end
  // record (cut short, garbage, a read error, an incomplete last record).
  bool Damaged() const { return damaged_; }
  // After restore(): takes every value the file did not deliver from the
  // first-start defaults. Records come in a fixed order, so a list of the
  // last kind read may be cut: it gets the default entries it lacks.
  void TakeUnreadFromDefaults() const;

 private:
  std::string path_;
  SettingsStore& store_;
  std::unique_ptr<InputFile> file_;
  bool damaged_ = false;
  std::int32_t lastKind_ = 0;       // the highest kind 1..29 read
  std::uint32_t kindsRead_ = 0;     // bit k: a record of kind k was read
};

struct StartUpSettingsResult {
  bool restored = false;     // false: defaults were built and saved
  bool damaged = false;      // the file was damaged, kept aside and rewritten
  SettingsSaveResult save;   // the start-up save; ok when none was needed
};

// Start-up: sets the application name and default directory, then restores
// the settings file (`settingsPath`, empty for the default path) or, when it
// cannot be opened, fills the defaults and saves them at once. The running
// program's name and directory win over those stored in the file. A damaged
// file is renamed to its name plus kDamagedSettingsSuffix (replacing an older
// copy), what it could not deliver comes from the defaults, and the result is
// saved at once; when the damaged file cannot be set aside nothing is saved.
// An empty restored mask list receives "*.*". A program-form path is found
// through `drives`.
StartUpSettingsResult StartUpSettings(SettingsStore& store, const DriveMap& drives, std::string applicationName,
                                      std::string defaultDirectory, std::string_view settingsPath = {});

}  // namespace quillory
