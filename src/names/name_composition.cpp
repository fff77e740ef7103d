#include "names/name_composition.h"

#include "platform/drives.h"
#include "platform/path_text.h"

namespace quillory {

namespace {

// The text below the drive part without trailing delimiters.
std::string_view StripTrailingSeparators(std::string_view rest) {
  while (!rest.empty() && IsSeparator(rest.back())) rest.remove_suffix(1);
  return rest;
}

_tagVol0XParts ComposeUnderDestination(std::string_view destination, std::string_view prefix,
                                       std::string_view suffix, bool hyphen) {
  _tagVol0XParts parts;
  parts.part1 = Trim(destination);
  if (parts.part1.empty() || parts.part1.back() != '\\') parts.part1 += '\\';
  parts.part1 += prefix;
  parts.part1 += HyphenFor(prefix, hyphen);
  parts.part3 = HyphenFor(suffix, hyphen);
  parts.part4 = suffix;
  return parts;
}

}  // namespace

AnsiString _tagVol0XParts::Join() const { return part1 + part2 + part3 + part4 + part5; }

AnsiString _tagVol0XParts::JoinWith(std::string_view item) const {
  AnsiString out;
  out.reserve(part1.size() + item.size() + part3.size() + part4.size() + part5.size());
  out += part1;
  out += item;
  out += part3;
  out += part4;
  out += part5;
  return out;
}

std::string HyphenFor(std::string_view piece, bool hyphen) { return hyphen && !TrimmedView(piece).empty() ? "-" : ""; }

_tagVol0XParts ComposePartsVol02(std::string_view destination, std::string_view prefix, std::string_view suffix,
                                 bool hyphen) {
  return ComposeUnderDestination(destination, prefix, suffix, hyphen);
}

_tagVol0XParts ComposePartsVol03(std::string_view destination, std::string_view prefix, std::string_view suffix,
                                 bool hyphen) {
  return ComposeUnderDestination(destination, prefix, suffix, hyphen);
}

_tagVol0XParts ComposePartsVol04(std::string_view item, std::string_view prefix, std::string_view suffix,
                                 bool hyphen) {
  ParentAndName split = SplitParentAndName(FolderOfItem(Trim(item)));
  _tagVol0XParts parts;
  parts.part1 = std::move(split.parent);
  parts.part1 += prefix;
  parts.part1 += HyphenFor(prefix, hyphen);
  parts.part2 = std::move(split.name);
  parts.part3 = HyphenFor(suffix, hyphen);
  parts.part4 = suffix;
  return parts;
}

ParentAndNameView SplitParentAndNameView(std::string_view folder) {
  const std::size_t drive = FileDriveLength(folder);
  const std::string_view rest = StripTrailingSeparators(folder.substr(drive));
  const std::size_t last = LastSeparator(rest);
  const std::size_t cut = last == std::string_view::npos ? 0 : last + 1;
  return {folder.substr(0, drive + cut), rest.substr(cut)};
}

ParentAndName SplitParentAndName(std::string_view folder) {
  const ParentAndNameView split = SplitParentAndNameView(folder);
  ParentAndName result{std::string(split.parent), std::string(split.name)};
  if (!result.parent.empty() && !IsSeparator(result.parent.back())) result.parent += '\\';
  return result;
}

namespace {

// An item's last name has an extension: the item is a file.
bool NamesAFile(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && !TrimmedView(name.substr(dot + 1)).empty();
}

// An item read once: its drive, what follows it without trailing
// separators, and where the last name starts in that.
struct ItemPieces {
  std::size_t drive = 0;
  std::string_view rest;
  std::size_t nameBegin = 0;
  std::string_view Name() const { return rest.substr(nameBegin); }
};

ItemPieces PiecesOf(std::string_view item) {
  ItemPieces pieces;
  pieces.drive = FileDriveLength(item);
  pieces.rest = StripTrailingSeparators(item.substr(pieces.drive));
  const std::size_t last = LastSeparator(pieces.rest);
  pieces.nameBegin = last == std::string_view::npos ? 0 : last + 1;
  return pieces;
}

// FolderOfItem as the start of `item`, which it nearly always is; the one
// text that is not (a drive's root, given its delimiter) goes to `owned`.
std::string_view FolderOfItemIn(std::string_view item, const ItemPieces& pieces, std::string& owned) {
  const std::size_t kept = NamesAFile(pieces.Name())
                               ? StripTrailingSeparators(pieces.rest.substr(0, pieces.nameBegin)).size()
                               : pieces.rest.size();
  // A file right under the root stands for the root, which keeps its delimiter.
  if (kept == 0 && pieces.drive != 0) {
    owned.assign(item.substr(0, pieces.drive));
    owned += '\\';
    return owned;
  }
  return item.substr(0, pieces.drive + kept);
}

bool Hyphened(std::string_view piece, bool hyphen) { return hyphen && !TrimmedView(piece).empty(); }

}  // namespace

std::string FolderOfItem(std::string_view item) {
  std::string owned;
  return std::string(FolderOfItemIn(item, PiecesOf(item), owned));
}

std::string ComposePathVol04(std::string_view item, std::string_view prefix, std::string_view suffix, bool hyphen) {
  const std::string_view text = TrimmedView(item);
  const ItemPieces pieces = PiecesOf(text);
  // A folder's item is its own folder, split where it was just read; a
  // file's goes the long way.
  ParentAndNameView split{text.substr(0, pieces.drive + pieces.nameBegin), pieces.Name()};
  std::string owned;
  if (NamesAFile(split.name)) split = SplitParentAndNameView(FolderOfItemIn(text, pieces, owned));
  std::string out;
  out.reserve(split.parent.size() + prefix.size() + split.name.size() + suffix.size() + 3);
  out += split.parent;
  if (!out.empty() && !IsSeparator(out.back())) out += '\\';
  out += prefix;
  if (Hyphened(prefix, hyphen)) out += '-';
  out += split.name;
  if (Hyphened(suffix, hyphen)) out += '-';
  out += suffix;
  return out;
}

PreviewTexts PreviewVol02(const _tagVol0XParts& parts, std::optional<std::string_view> first,
                          std::optional<std::string_view> last) {
  if (!first || !last) return {};
  return {parts.JoinWith(*first), parts.JoinWith(*last)};
}

PreviewTexts PreviewVol04(const PreviewTexts& previous, std::optional<std::string_view> first,
                          std::optional<std::string_view> last, std::string_view prefix, std::string_view suffix,
                          bool hyphen) {
  if (!first || !last) return {};
  PreviewTexts texts = previous;
  if (HasDrive(Trim(*first))) texts.start = ComposePartsVol04(*first, prefix, suffix, hyphen).Join();
  if (HasDrive(Trim(*last))) texts.end = ComposePartsVol04(*last, prefix, suffix, hyphen).Join();
  return texts;
}

}  // namespace quillory
