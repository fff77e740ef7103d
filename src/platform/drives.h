// The program's path language is drive-letter paths ("D:\Clients\Acme",
// "\\server\share\x"). The drive map ties each letter (and named UNC shares)
// to a host folder, so lists, messages and settings stay the same on every host.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// The drive part of a program-form path: "D:" for "D:\x" (letter and colon),
// "\\srv\share" for a UNC path, "" when there is none. Leading blanks are not
// skipped (a caller that wants that trims first).
std::string ExtractFileDrive(std::string_view path);
// Its length, without a copy.
std::size_t FileDriveLength(std::string_view path);
// True when the path's drive part is not empty.
bool HasDrive(std::string_view path);

// A program-form path taken apart: its drive part as written and the names
// after it, with '/' and '\' both accepted as separators and '.' and '..'
// resolved lexically, never climbing above the drive root.
struct ProgramPathParts {
  std::string drive;
  std::vector<std::string> names;
  // "D:\a\b" form with backslashes; the root itself is "D:\" or "\\srv\share\".
  std::string Join() const;
};
// nullopt when the path has no drive part.
std::optional<ProgramPathParts> SplitProgramPath(std::string_view path);

class DriveMap {
 public:
  // Defaults: Z: -> "/" and, when HOME is set, H: -> $HOME.
  static DriveMap WithDefaults();

  // letter is case-blind; host is an absolute host folder. Replaces an entry.
  void Set(char letter, std::string host);
  // "\\srv\share" -> host folder; case-blind.
  void SetShare(std::string unc, std::string host);
  void Remove(char letter);
  // Parses "D=/srv/data;C=/tmp/x" (also "\\srv\share=/mnt/s"). Returns false
  // and a message on a malformed entry; good entries are still applied.
  bool ParseAndApply(std::string_view entries, std::string* error);

  // Upper-case letters whose host folder exists, in A..Z order.
  std::vector<char> PresentDrives() const;
  bool IsPresent(char letter) const;
  // A drive part ("D:" or "\\srv\share", as ExtractFileDrive gives it) that
  // is present: a letter whose folder exists, or a share the map names.
  bool IsDrivePartPresent(std::string_view drive) const;
  const std::map<char, std::string>& Letters() const { return letters_; }

  // "D:\a\b" -> "/srv/data/a/b". '.' and '..' are resolved lexically and never
  // climb above the drive root. nullopt when the drive is unmapped, the path
  // has no drive part or it holds a NUL byte (which the host would cut).
  std::optional<std::string> ToHost(std::string_view programPath) const;
  // Host path -> program form by the longest matching drive root ("D:\a\b",
  // "D:\" for the root itself); nullopt when no drive covers it.
  std::optional<std::string> FromHost(std::string_view hostPath) const;

 private:
  std::map<char, std::string> letters_;
  std::map<std::string, std::string> shares_;  // case-folded UNC -> host
  std::map<std::string, std::string> shareNames_;  // case-folded UNC -> as given
};

// The process-wide map: built once at start from the defaults,
// QUILLORY_DRIVES and --drive options; tests replace it freely.
DriveMap& Drives();

}  // namespace quillory
