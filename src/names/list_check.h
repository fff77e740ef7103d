// The check of a whole list of names before it is taken into a page: drive
// parts, characters a path must not hold and colons, reported as one text.
// Linear in the number and length of the lines.
#pragma once

#include <string>
#include <vector>

#include "platform/text.h"

namespace quillory {

// One name of a list and how many colons it holds.
struct _tagColonsInFolder {
  AnsiString folder;
  int colons = 0;
};

// One name of a list and the illegal characters found in it (" ? *" form).
struct _tagBadCharsInFolder {
  AnsiString folder;
  AnsiString found;
};

struct ListCheckResult {
  bool fault = false;
  std::string message;  // empty when there is no fault
};

// Strings: no name may have a drive and none may hold a colon. Folders: every
// name must have a drive and none may hold more than one colon.
enum class ListMode { Strings, Folders };

// The smart import window words its drive section differently.
enum class DriveSectionVariant { EditWindow, SmartImport };

// Lines are normalised ('/' to '\', runs of '\' to one) but not trimmed, so a
// blank line, or one with blanks before its drive letter, has no drive. The
// message is the drive, syntax and colon sections in that order, each present
// only when it found something and listing its first three names.
ListCheckResult CheckList(const std::vector<std::string>& lines, ListMode mode,
                          DriveSectionVariant variant = DriveSectionVariant::EditWindow);

// Only the syntax section (the check run before a list is exported).
ListCheckResult CheckListSyntax(const std::vector<std::string>& lines);

}  // namespace quillory
