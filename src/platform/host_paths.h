// Folder paths typed in the host's own spelling ("/srv/data/x", "~/x",
// "file:///srv/data/x"), brought into program form through the drive map the
// way a dropped folder is, so every box that takes a typed folder reads both.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillory {

class DriveMap;

// The absolute host path `text` spells: "/…" as it stands, "~" and "~/…"
// below `home`, "file:///…" and "file://localhost/…" with their %XX escapes
// decoded. nullopt for everything else: program form (also "//srv/share"),
// relative text, "~user", a URL of another machine, an empty `home` for "~",
// a bad escape or a NUL byte.
std::optional<std::string> HostSpelling(std::string_view text, std::string_view home);

struct TypedFolderPath {
  enum class Kind {
    AsTyped,    // not host spelling: left for the box's own checks
    Converted,  // host spelling on a drive: `path` is its program form
    OffDrives,  // host spelling that no drive covers
  };
  Kind kind = Kind::AsTyped;
  std::string path;  // program form, or the text as typed
  std::string host;  // the host path spelt, for Converted and OffDrives
};

// `text` as a box should take it, by the longest matching drive root; blanks
// around host spelling are dropped, other text comes back as it stands.
TypedFolderPath ReadTypedFolder(std::string_view text, const DriveMap& drives, std::string_view home);

}  // namespace quillory
