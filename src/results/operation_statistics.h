// Named counters of one page. Each is a double holding a whole count, so byte
// totals above 4 GB add up exactly (to 2^53).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillory {

class OperationStatistics {
 public:
  explicit OperationStatistics(std::vector<std::string> names);

  const std::vector<std::string>& Names() const { return names_; }
  double Get(std::string_view name) const;
  void Set(std::string_view name, double value);
  void Add(std::string_view name, double delta);
  void ResetAll();
  // Resets every counter except those named.
  void ResetExcept(const std::vector<std::string>& keep);

 private:
  std::size_t IndexOf(std::string_view name) const;
  std::vector<std::string> names_;
  std::vector<double> values_;
};

// Whole decimal number, no fraction, no grouping.
std::string FormatCounter(double value);

// The sixteen counters of a creating page: column then row, as the labels are
// named ("FoldersToCreate", ..., "FilesSizeOther"), plus "FailedUndo".
const std::vector<std::string>& CreatePageCounterNames();
extern const char* const kCreateColumns[4];  // "Folders", "SubFolders", "Files", "FilesSize"
extern const char* const kCreateRows[4];     // "ToCreate", "Created", "Exists", "Other"

}  // namespace quillory
