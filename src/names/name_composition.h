// How the creating pages join destination, prefix, item and suffix into a new
// folder's path, and the Preview texts of the first and last folder a run
// would make. Pure functions; nothing here touches the disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace quillory {

// A composed folder path in five parts, joined in order. On the string and
// number pages part 2 stays empty and the item goes in its place.
struct _tagVol0XParts {
  AnsiString part1, part2, part3, part4, part5;

  AnsiString Join() const;
  // part1 + item + part3 + part4 + part5.
  AnsiString JoinWith(std::string_view item) const;
};

// "-" when the hyphen box is checked and the trimmed piece is not blank.
std::string HyphenFor(std::string_view piece, bool hyphen);

// The destination is trimmed and gets a trailing '\' when it has none;
// prefix and suffix are used untrimmed.
_tagVol0XParts ComposePartsVol02(std::string_view destination, std::string_view prefix, std::string_view suffix,
                                 bool hyphen);
_tagVol0XParts ComposePartsVol03(std::string_view destination, std::string_view prefix, std::string_view suffix,
                                 bool hyphen);
// The item is a full path, trimmed first. An item whose last component has an
// extension is taken as a file, and its folder is used instead.
_tagVol0XParts ComposePartsVol04(std::string_view item, std::string_view prefix, std::string_view suffix,
                                 bool hyphen);
// Its Join, built in one string: a run composes one per item.
std::string ComposePathVol04(std::string_view item, std::string_view prefix, std::string_view suffix, bool hyphen);

// A folder path taken apart into its parent, always ending in a delimiter
// when it is not empty, and its last name. Trailing delimiters are ignored;
// the drive part is never split, so a root gives the root and an empty name:
// "D:\A\B" -> "D:\A\" + "B", "D:\A" -> "D:\" + "A", "D:\" -> "D:\" + "".
struct ParentAndName {
  std::string parent;
  std::string name;
};
ParentAndName SplitParentAndName(std::string_view folder);
// The same as views into `folder`; `parent` has no delimiter added.
struct ParentAndNameView {
  std::string_view parent, name;
};
ParentAndNameView SplitParentAndNameView(std::string_view folder);

// The folder an include item stands for: the item itself without trailing
// delimiters, or its directory part when the text after the last '.' of its
// last component, trimmed, is not empty ("D:\Clients\Smith.Jr" -> "D:\Clients").
std::string FolderOfItem(std::string_view item);

struct PreviewTexts {
  std::string start;
  std::string end;
};

// First and last include item, nullopt for an empty list (both labels empty).
// The texts are not normalised.
PreviewTexts PreviewVol02(const _tagVol0XParts& parts, std::optional<std::string_view> first,
                          std::optional<std::string_view> last);
// A first or last item without a drive part keeps the previous label text.
PreviewTexts PreviewVol04(const PreviewTexts& previous, std::optional<std::string_view> first,
                          std::optional<std::string_view> last, std::string_view prefix, std::string_view suffix,
                          bool hyphen);

}  // namespace quillory
