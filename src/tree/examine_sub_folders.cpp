#include "tree/examine_sub_folders.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "app/controls.h"
#include "platform/text.h"

namespace quillory {

std::uint32_t PathLevel(const std::string& path) {
  return static_cast<std::uint32_t>(std::count_if(path.begin(), path.end(), [](char c) { return c == '\\' || c == '/'; }));
}

ExamineSubFolders::ExamineSubFolders(const ListBox& list) : items_(list.Texts()) {}

namespace {

// Only the blank counts here: an item of tabs is kept as the person typed it.
bool Blank(std::string_view item) { return item.find_first_not_of(' ') == std::string_view::npos; }

// A folder and its length in bytes, case folded: equal keys mean the same
// folder text of the same length, as the prefix comparison asks.
std::string FolderKey(std::string_view text) {
  std::string key = std::to_string(text.size());
  key += ':';
  key += CaseFold(text);
  return key;
}

}  // namespace

std::vector<std::string> ExamineSubFolders::SortedUnique() const {
  std::vector<std::string> folders;
  folders.reserve(items_.size());
  for (const std::string_view item : items_)
    if (!Blank(item)) folders.emplace_back(item);
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  return folders;
}

void ExamineSubFolders::ReadSortedUnique() {
  std::vector<std::string> folders = SortedUnique();
  folders_.assign(std::make_move_iterator(folders.begin()), std::make_move_iterator(folders.end()));
}

void ExamineSubFolders::ReadTopLevelOnly() {
  std::vector<std::string> sorted = SortedUnique();
  AS_MULTIMAP_NIVO_FOLDER_NAMES byLevel;
  for (std::string& folder : sorted) {
    const std::uint32_t level = PathLevel(folder);
    byLevel.emplace(level, std::move(folder));
  }

  // An entry goes when an earlier one equals, case-blind, the part of it
  // (with a '\' appended) that ends right before one of its '\'. Looking up
  // each such part in a hash set of the earlier entries keeps this linear
  // in the list size; an entry dropped by another is inside it, so whatever
  // it would have dropped is dropped by that one too.
  std::unordered_set<std::string> earlier;
  earlier.reserve(byLevel.size());
  folders_.clear();
  for (auto& [level, folder] : byLevel) {
    const std::string withSeparator = folder.back() == '\\' ? folder : folder + '\\';
    bool inside = false;
    for (std::size_t p = withSeparator.find('\\'); p != std::string::npos && !inside; p = withSeparator.find('\\', p + 1))
      inside = earlier.count(FolderKey(std::string_view(withSeparator).substr(0, p))) != 0;
    earlier.insert(FolderKey(folder));
    if (!inside) folders_.push_back(std::move(folder));
  }
}

}  // namespace quillory
