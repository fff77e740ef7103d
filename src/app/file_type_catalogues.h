// Built-in lists of file extensions (lower case, no dot) that seed the file
// selection's type lists at a first start. Stored with the settings afterwards,
// so changing them here never touches an existing settings file.
#pragma once

#include <span>
#include <string_view>

namespace quillory {

// 172 entries; "iqy" stands twice, kept so a first start matches the
// documented catalogue exactly.
std::span<const std::string_view> IncludedTypesCatalogue();
// bak nt old org sav.
std::span<const std::string_view> ExcludedTypesCatalogue();
// 215 entries; "ttf" stands twice, for the same reason.
std::span<const std::string_view> ThirdTypesCatalogue();

}  // namespace quillory
