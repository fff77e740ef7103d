// The text of the desktop's trash in the freedesktop.org Trash layout (version
// 1.0): names in files/, the .trashinfo record beside each, and the
// directorysizes cache. Pure text, no disk.
#pragma once

#include <cstdint>
#include <ctime>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillory::trash {

inline constexpr std::string_view kInfoSuffix = ".trashinfo";

// Every byte but A-Z a-z 0-9 - . _ ~ / as %XX (upper-case hex), so any
// bytes, invalid UTF-8 included, survive a reader that decodes it.
std::string PercentEncode(std::string_view bytes);
// The bytes back; a '%' not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

// "YYYY-MM-DDThh:mm:ss" in local time, as DeletionDate wants it.
std::string DeletionDate(std::time_t when);
// The whole .trashinfo: `encodedPath` as PercentEncode gives it.
std::string InfoText(std::string_view encodedPath, std::time_t deleted);

// The name an entry called `name` gets in files/ at the `attempt`-th try
// (1: the name itself, n > 1: "name.n"), cut at a UTF-8 boundary where
// needed so that the name with ".trashinfo" stays within 255 bytes.
std::string NameInTrash(std::string_view name, unsigned attempt);

// One line of directorysizes: "BYTES MTIME ENCODED-NAME\n".
struct SizeLine {
  std::uint64_t bytes = 0;
  std::int64_t mtime = 0;
  std::string name;  // as in files/, not encoded
};
std::string FormatSizeLine(const SizeLine& line);
// `current` (the file as it is, maybe empty) without the lines of `drop` or
// of the names in `add`, then the lines of `add`. Other lines, even ones this
// program cannot read, are kept as they are: the file is shared.
std::string MergeDirectorySizes(std::string_view current, const std::vector<SizeLine>& add,
                                const std::set<std::string>& drop);

}  // namespace quillory::trash
