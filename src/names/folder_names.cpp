#include "names/folder_names.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/byte_scan.h"
#include "platform/drives.h"
#include "platform/path_text.h"

namespace quillory {

namespace {

struct IllegalSet {
  std::string_view characters;
  std::array<bool, 256> member{};

  // Beside the listed characters, no name may hold a control character
  // (codes 0 to 31), as on the platform the names come from: a line break
  // in a name would also break every list file it is written to.
  explicit IllegalSet(std::string_view chars) : characters(chars) {
    for (char c : chars) member[static_cast<unsigned char>(c)] = true;
    for (std::size_t c = 0; c < 0x20; ++c) member[c] = true;
  }
  bool Holds(char c) const { return member[static_cast<unsigned char>(c)]; }
};

struct IllegalSets {
  IllegalSet folderName{":\"*[];|<>?!\\/"};
  IllegalSet stringItem{":*\"[];|<>?"};
  IllegalSet fullPath{"/\"*|<>?"};
};

const IllegalSets& Sets() {
  static const IllegalSets sets;
  return sets;
}

const IllegalSet& SetOf(std::string_view kind) {
  const IllegalSets& sets = Sets();
  if (kind == "F") return sets.folderName;
  if (kind == "H") return sets.stringItem;
  return sets.fullPath;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A byte that can be part of a word: letters, digits and every byte of a
// non-ASCII character.
bool IsWordByte(char c) { return IsAsciiLetter(c) || IsDigit(c) || static_cast<unsigned char>(c) >= 0x80; }

std::string Normalize(std::string_view text, bool collapseColons) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  if (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1])) {
    out = "\\\\";
    while (i < text.size() && IsSeparator(text[i])) ++i;
  }
  for (; i < text.size(); ++i) {
    const char c = IsSeparator(text[i]) ? '\\' : text[i];
    if ((c == '\\' || (collapseColons && c == ':')) && !out.empty() && out.back() == c) continue;
    out += c;
  }
  return out;
}

// The whole UTF-8 character that ends just before `end`, so a message never
// shows half of one.
std::string_view CharacterBefore(std::string_view text, std::size_t end) {
  std::size_t begin = end - 1;
  while (begin > 0 && end - begin < 4 && (static_cast<unsigned char>(text[begin]) & 0xC0) == 0x80) --begin;
  return text.substr(begin, end - begin);
}

}  // namespace

void BuildIllegalCharacterSets() { Sets(); }

std::string_view IllegalCharacters(std::string_view kind) { return SetOf(kind).characters; }

bool CheckIllegalCharacters(std::string_view kind, std::string_view text, std::string& found) {
  const IllegalSet& set = SetOf(kind);
  found.clear();
  for (char c : text) {
    if (!set.Holds(c)) continue;
    found += ' ';
    // Shown, not acted on: "\n" tells the person more than a line break.
    if (static_cast<unsigned char>(c) < 0x20)
      found += EscapeControlCharacters(std::string_view(&c, 1));
    else
      found += c;
  }
  return !found.empty();
}

int CountColons(std::string_view text) {
  int count = 0;
  for (char c : text) count += c == ':' ? 1 : 0;
  return count;
}

bool CheckColons(std::string_view text, std::string& message) {
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ':') continue;
    any = true;
    if (i == 0) {
      message = "The colon (:) is the first character in the text.";
      return false;
    }
    if (i + 1 == text.size()) {
      message = "The colon (:) is the last character in the text.";
      return false;
    }
    if (!IsAsciiLetter(text[i - 1])) {
      message = "There is(are) no drive letter(s) before colon(s) (:) : ";
      message += CharacterBefore(text, i);
      return false;
    }
  }
  if (!any) {
    message = "Not found any colon (:) in the text !!!!";
    return false;
  }
  message = "There is(are) a drive letter(s) before colon(s) (:).";
  return true;
}

bool ValidateFullFolderPath(std::string_view path, bool acceptAnyDrive, const DriveMap& drives,
                            std::string& message) {
  const std::string trimmed = Trim(path);
  const std::string drive = ExtractFileDrive(trimmed);
  if (drive.empty()) {
    message = "This item is not a valid Folder Name (No drive letter) !";
    return false;
  }
  if (!acceptAnyDrive) {
    if (!drives.IsDrivePartPresent(drive)) {
      message = "There is no valid drive letter.";
      return false;
    }
  }
  // For a letter drive this is the text after the first ':'; a UNC path is
  // measured after its share, so "\\srv\share" alone counts as a root too.
  if (Trim(std::string_view(trimmed).substr(drive.size())).size() < 2) {
    message = "There is no Folder part (just root).";
    return false;
  }
  std::string found;
  if (CheckIllegalCharacters("N", trimmed, found)) {
    message = "Illegal characters in the folder name : " + found;
    return false;
  }
  message.clear();
  return true;
}

std::string NormalizeComposedPath(std::string_view path) { return Normalize(path, true); }

namespace {

// Whether `path` is in normal form: no '/', and no two '\' or ':' in a row.
// Eight bytes a turn, each beside the byte after it; a short path is padded
// with zeros, which match none of them.
bool InNormalForm(std::string_view path) {
  using namespace byte_scan;
  const auto plain = [](const char* at) {
    const std::uint64_t word = Load(at), next = Load(at + 1);
    return (Equal(word, '/') | (Equal(word, '\\') & Equal(next, '\\')) | (Equal(word, ':') & Equal(next, ':'))) == 0;
  };
  const std::size_t size = path.size();
  if (size < 9) {
    char padded[16] = {};
    std::memcpy(padded, path.data(), size);
    return plain(padded);
  }
  std::size_t i = 0;
  for (; i + 9 <= size; i += 8)
    if (!plain(path.data() + i)) return false;
  // The bytes left, looked at again from nine before the end; the last has
  // no byte after it.
  return i == size || (plain(path.data() + size - 9) && path.back() != '/');
}

}  // namespace

std::string ComposedPathNormalized(std::string path) {
  if (InNormalForm(path)) return path;
  return Normalize(path, true);
}

std::string NormalizeListLine(std::string_view line) { return Normalize(line, false); }

std::vector<std::string> CutFullPaths(std::string_view text) {
  const std::string slashed = ReplaceAll(text, "/", "\\");
  const std::string_view t = slashed;
  std::vector<std::string> pieces;
  const auto emit = [&](std::size_t begin, std::size_t end) {
    std::string piece = Trim(t.substr(begin, end - begin));
    if (!piece.empty()) pieces.push_back(std::move(piece));
  };
  std::size_t pieceBegin = 0;
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    const bool driveStart = IsAsciiLetter(t[i]) && t[i + 1] == ':' && (i == 0 || !IsWordByte(t[i - 1]));
    if (!driveStart) continue;
    emit(pieceBegin, i);
    pieceBegin = i;
    ++i;
  }
  emit(pieceBegin, t.size());
  return pieces;
}

std::optional<std::string> FieldIllegalFound(std::string_view text) {
  std::string found;
  if (!CheckIllegalCharacters("F", text, found)) return std::nullopt;
  return found;
}

const FieldMessage& FieldIllegalMessage(PageKey page, NameField field) {
  return kFieldMessages[OperationIndex(page) * 2 + (field == NameField::Suffix ? 1 : 0)];
}

}  // namespace quillory
