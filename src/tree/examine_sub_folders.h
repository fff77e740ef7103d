// Turns the items of an include list into a clean list of folder paths:
// blank items and exact duplicates dropped, and, on request, every folder
// dropped that lies inside another folder of the same list.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_list.h"

namespace quillory {

class ListBox;

// Level (depth) of a path: the number of '\' and '/' in its text, a
// trailing one included ("C:\A" is 1, "C:\A\" is 2).
std::uint32_t PathLevel(const std::string& path);

using PAIR_NIVO_FOLDER_NAMES = std::pair<std::uint32_t, std::string>;
using AS_PAIR_NIVO_FOLDER_NAMES = std::pair<std::uint32_t, std::string>;
using AS_MULTIMAP_NIVO_FOLDER_NAMES = std::multimap<std::uint32_t, std::string>;
using PAIR_FILE_NAME_SIZE = std::pair<std::string, std::uint64_t>;

class ExamineSubFolders {
 public:
  // Nothing is read yet. A list's items are shared, not copied.
  explicit ExamineSubFolders(const TextList& items) : items_(items) {}
  explicit ExamineSubFolders(const ListBox& list);

  // The non-blank items, untrimmed, unique by exact bytes, in byte order.
  void ReadSortedUnique();
  // The same folders by level (byte order within a level), without any
  // folder that lies, compared case-blind, inside an earlier one: "C:\A",
  // "c:\a\b" and "C:\A\" give "C:\A"; "C:\AB" stays.
  void ReadTopLevelOnly();

  std::deque<std::string> GetFolders() const { return folders_; }

 private:
  std::vector<std::string> SortedUnique() const;

  TextList items_;
  std::deque<std::string> folders_;
};

}  // namespace quillory
