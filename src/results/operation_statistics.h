// Named counters of one page. Each is a double holding a whole count, so byte
// totals above 4 GB add up exactly (to 2^53).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"

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

  // By position, for callers that looked the name up once.
  std::size_t IndexOf(std::string_view name) const;
  double At(std::size_t index) const { return values_[index]; }
  // By typed id: no search, and a counter the page lacks is found by the
  // tests of the id tables, not at run time.
  double Get(CounterId id) const { return values_.at(id.index); }
  void Set(CounterId id, double value) { values_.at(id.index) = value; }
  void Add(CounterId id, double delta) { values_.at(id.index) += delta; }

 private:
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

// The counters of each kind of page by position in its names (see
// CreatePageCounterNames and PageCounterNames).
enum class CreateCounter : std::uint8_t {
  FoldersToCreate, FoldersCreated, FoldersExists, FoldersOther,
  SubFoldersToCreate, SubFoldersCreated, SubFoldersExists, SubFoldersOther,
  FilesToCreate, FilesCreated, FilesExists, FilesOther,
  FilesSizeToCreate, FilesSizeCreated, FilesSizeExists, FilesSizeOther,
  FailedUndo,
};
enum class RenameCounter : std::uint8_t {
  FoldersToRename, FoldersRenamed, FoldersSourceNotExists, FoldersDestinationExists, FoldersOtherReasons,
  FoldersFailedUndo,
};
enum class DeleteCounter : std::uint8_t {
  FoldersToDelete, FilesToDelete, FoldersDeleted, FoldersNotExists, FoldersOtherReasons, FilesDeleted,
  FilesNotExists, FilesOtherReasons,
};
enum class CopyCounter : std::uint8_t {
  FoldersToCopy, FoldersCopied, FoldersNotExists, SubFoldersToCopy, SubFoldersCopied, SubFoldersExists,
  FilesToCopy, FilesCopied, FilesExists, FileSizeToCopy, FileSizeCopied, FileSizeExists,
  SubFoldersOtherReasons, FoldersFailedUndo,
};
template <class E>
constexpr CounterId Id(E counter) {
  return CounterId{static_cast<std::uint8_t>(counter)};
}

// How a page's counters are laid out as a grid of labels. A counter label is
// "lblVol" / "lblStat" + page + counter; captions are "lbl..." + page +
// "Column" / "Row" + key.
struct CounterRow {
  std::string key;
  std::string caption;
  std::vector<std::string> counters;      // one per column; "" = no label there
  std::vector<std::string> cellCaptions;  // beside a counter; may be shorter than counters
  bool visualLogOnly = false;
};

struct CounterLayout {
  std::vector<std::string> columnKeys;
  std::vector<std::string> columnCaptions;
  std::vector<CounterRow> rows;
};

// Of the six operation pages; the manual page has none (std::logic_error).
const CounterLayout& PageCounterLayout(PageKey page);
// Every counter the page keeps, shown or not.
const std::vector<std::string>& PageCounterNames(PageKey page);

}  // namespace quillory
