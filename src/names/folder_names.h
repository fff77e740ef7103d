// Which characters folder names and paths may hold, and the checks that the
// pages and list windows run on typed and imported text. Pure functions of
// their inputs; ValidateFullFolderPath asks the drive map it is given which
// drives are present.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/page.h"
#include "platform/text.h"

namespace quillory {

class DriveMap;

// Builds the three illegal-character sets. Idempotent and thread-safe; every
// check builds them on first use anyway, so calling it is only a warm-up.
void BuildIllegalCharacterSets();

// The characters of a kind's set, in their documented order. Kind "F" is a
// piece of one folder name, "H" a string-list item (may nest with \ and /),
// any other kind a full path with a drive.
std::string_view IllegalCharacters(std::string_view kind);

// True when any byte of `text` is in the kind's set or is a control
// character (codes 0 to 31, in every kind). `found` is replaced by a blank
// plus the character for every offending character, in text order, repeats
// included ("a?b*" gives " ? *"); control characters escaped (" \n", " \x01").
bool CheckIllegalCharacters(std::string_view kind, std::string_view text, std::string& found);

int CountColons(std::string_view text);

// True only when every ':' has an ASCII letter before it and is neither the
// first nor the last character. `message` always receives the verdict text.
bool CheckColons(std::string_view text, std::string& message);

// True (with an empty message) when the trimmed path has a drive part, the
// drive is present (skipped with acceptAnyDrive), there is a folder below the
// root and no full-path illegal character. A UNC drive part counts as present
// when `drives` names its share.
bool ValidateFullFolderPath(std::string_view path, bool acceptAnyDrive, const DriveMap& drives,
                            std::string& message);

// '/' becomes '\', runs of '\' collapse to one and, for NormalizeComposedPath,
// runs of ':' to one. A leading "\\" is kept so that a UNC drive part survives.
std::string NormalizeComposedPath(std::string_view path);
// NormalizeComposedPath of a path built for the purpose: most are in normal
// form already, and are handed back as they are.
std::string ComposedPathNormalized(std::string path);
std::string NormalizeListLine(std::string_view line);

// Cuts a text holding several full paths one after another into one trimmed
// piece per drive part. '/' is read as '\'. A drive part starts at an ASCII
// letter followed by ':' that does not continue a word (the byte before it is
// not a letter, a digit or part of a non-ASCII character), so "D:\AB:\x" is
// one piece and "D:\A E:\B" two. Everything up to the next drive part belongs
// to the piece before it. Text before the first drive part is kept as a piece
// of its own (it may be a UNC path, and otherwise its validation tells the
// user what is wrong instead of dropping it silently); blank pieces are left
// out, so a blank text gives no piece.
std::vector<std::string> CutFullPaths(std::string_view text);

// The check run while a prefix or suffix field is typed: the `found` text of
// kind "F" when the field holds an illegal character, else nullopt. The
// handler warns, cuts the last character and sets the text again, which runs
// the check once more, until this returns nullopt.
std::optional<std::string> FieldIllegalFound(std::string_view text);

enum class NameField { Prefix, Suffix };

// One warning (with an OK button) of the field checks; the shown text is
// `text` followed by the found characters.
struct FieldMessage {
  std::string_view number;
  std::string_view text;
  std::string_view caption;
};

inline constexpr FieldMessage kFieldMessages[] = {
    {"0018", "Illegal character in the Prefix : ",
     "Creating Folder(s).-From a String List.            Warning no: 0018."},
    {"0019", "Illegal character in the Suffix : ",
     "Creating Folder(s).-From a String List.            Warning no: 0019."},
    {"0079", "Illegal character in the Prefix : ",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0079."},
    {"0080", "Illegal character in the Suffix : ",
     "Creating Folder(s).-Increased numbers.            Warning no: 0080."},
    {"0054", "Illegal character in the Prefix : ",
     "Creating Folder(s).-From a Folder List.            Warning no: 0054."},
    {"0055", "Illegal character in the Suffix : ",
     "Creating Folder(s).-From a Folder List.            Warning no: 0055."},
};

const FieldMessage& FieldIllegalMessage(PageKey page, NameField field);

}  // namespace quillory
