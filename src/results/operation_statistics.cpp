#include "results/operation_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace quillory {

const char* const kCreateColumns[4] = {"Folders", "SubFolders", "Files", "FilesSize"};
const char* const kCreateRows[4] = {"ToCreate", "Created", "Exists", "Other"};

OperationStatistics::OperationStatistics(std::vector<std::string> names)
    : names_(std::move(names)), values_(names_.size(), 0.0) {}

std::size_t OperationStatistics::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return i;
  throw std::out_of_range("no counter " + std::string(name));
}

double OperationStatistics::Get(std::string_view name) const { return values_[IndexOf(name)]; }
void OperationStatistics::Set(std::string_view name, double value) { values_[IndexOf(name)] = value; }
void OperationStatistics::Add(std::string_view name, double delta) { values_[IndexOf(name)] += delta; }
void OperationStatistics::ResetAll() { std::fill(values_.begin(), values_.end(), 0.0); }

void OperationStatistics::ResetExcept(const std::vector<std::string>& keep) {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    bool kept = false;
    for (auto& k : keep) kept = kept || k == names_[i];
    if (!kept) values_[i] = 0.0;
  }
}

std::string FormatCounter(double value) {
  // A count is never negative nor fractional; a stray NaN must not print as
  // "nan" where a number belongs.
  if (!std::isfinite(value)) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.0f", std::floor(value + 0.5));
  return buf;
}

const std::vector<std::string>& CreatePageCounterNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (auto* c : kCreateColumns)
      for (auto* r : kCreateRows) n.push_back(std::string(c) + r);
    n.push_back("FailedUndo");
    return n;
  }();
  return names;
}

namespace {

CounterLayout CreateLayout(PageKey page) {
  CounterLayout layout;
  for (auto* c : kCreateColumns) layout.columnKeys.push_back(c);
  layout.columnCaptions = {"Main Folders", "Folders, Subfolders", "Files in structure", "Total File size (bytes)"};
  std::string captions[4] = {"To create:", "Successfully created:", "Not created  (already exist):",
                             "Not created (other reasons):"};
  if (page != PageKey::Vol02) {
    captions[2] = "NOT created (already exists):";
    captions[3] = "NOT created (other reasons):";
  }
  if (page == PageKey::Vol03) captions[1] = "Created :";
  for (int r = 0; r < 4; ++r) {
    CounterRow row{kCreateRows[r], captions[r], {}, {}, false};
    for (auto* c : kCreateColumns) row.counters.push_back(std::string(c) + kCreateRows[r]);
    layout.rows.push_back(std::move(row));
  }
  return layout;
}

CounterLayout RenameLayout() {
  CounterLayout layout;
  layout.columnKeys = {"Folders"};
  layout.columnCaptions = {"Total Folders:"};
  layout.rows = {{"ToRename", "Total Folders To Rename", {"FoldersToRename"}, {}, false},
                 {"Renamed", "Renamed Folders", {"FoldersRenamed"}, {}, false},
                 {"SourceNotExists", "Source doesn't Exists", {"FoldersSourceNotExists"}, {}, false},
                 {"DestinationExists", "Destination Already Exists", {"FoldersDestinationExists"}, {}, false},
                 {"OtherReasons", "Other Reasons", {"FoldersOtherReasons"}, {}, false}};
  return layout;
}

CounterLayout DeleteLayout() {
  CounterLayout layout;
  layout.columnKeys = {"Folders", "Files"};
  layout.columnCaptions = {"Total Folders:", "Total Files"};
  layout.rows = {{"ToDelete", "To Delete:", {"FoldersToDelete", "FilesToDelete"}, {}, false},
                 {"Deleted", "Deleted", {"FoldersDeleted", "FilesDeleted"}, {}, false},
                 {"NotExists", "NOT Deleted (not exists)", {"FoldersNotExists", "FilesNotExists"}, {}, false},
                 {"OtherReasons", "NOT Deleted (Other Reasons)", {"FoldersOtherReasons", "FilesOtherReasons"}, {},
                  false}};
  return layout;
}

CounterLayout CopyLayout() {
  CounterLayout layout;
  layout.columnKeys = {"Folders", "SubFolders", "Files", "FileSize"};
  layout.columnCaptions = {"Destination Folders", "Folders, Subfolders", "Files in Structures",
                           "File Size (bytes)"};
  layout.rows = {
      {"ToCopy", "To Copy", {"FoldersToCopy", "SubFoldersToCopy", "FilesToCopy", "FileSizeToCopy"},
       {"Total Destination Folders"}, false},
      {"Copied", "Successfully Copied", {"FoldersCopied", "SubFoldersCopied", "FilesCopied", "FileSizeCopied"},
       {"Already Exists"}, false},
      {"Exists", "Not Copied (Already Exists)",
       {"FoldersNotExists", "SubFoldersExists", "FilesExists", "FileSizeExists"}, {"Not Exists"}, false},
      {"OtherReasons", "Not Copied (Other Reasons)", {"", "SubFoldersOtherReasons", "", ""}, {}, true}};
  return layout;
}

}  // namespace

const CounterLayout& PageCounterLayout(PageKey page) {
  static const CounterLayout layouts[] = {CreateLayout(PageKey::Vol02), CreateLayout(PageKey::Vol03),
                                          CreateLayout(PageKey::Vol04), RenameLayout(),
                                          DeleteLayout(),               CopyLayout()};
  return layouts[OperationIndex(page)];
}

const std::vector<std::string>& PageCounterNames(PageKey page) {
  static const std::vector<std::string> rename = {"FoldersToRename",          "FoldersRenamed",
                                                  "FoldersSourceNotExists",   "FoldersDestinationExists",
                                                  "FoldersOtherReasons",      "FoldersFailedUndo"};
  static const std::vector<std::string> remove = {"FoldersToDelete",     "FilesToDelete",  "FoldersDeleted",
                                                  "FoldersNotExists",    "FoldersOtherReasons", "FilesDeleted",
                                                  "FilesNotExists",      "FilesOtherReasons"};
  static const std::vector<std::string> copy = {
      "FoldersToCopy",    "FoldersCopied",    "FoldersNotExists", "SubFoldersToCopy", "SubFoldersCopied",
      "SubFoldersExists", "FilesToCopy",      "FilesCopied",      "FilesExists",      "FileSizeToCopy",
      "FileSizeCopied",   "FileSizeExists",   "SubFoldersOtherReasons", "FoldersFailedUndo"};
  switch (page) {
    case PageKey::Vol06: return rename;
    case PageKey::Vol07: return remove;
    case PageKey::Vol08: return copy;
    default: (void)OperationIndex(page);  // refuses the manual page
      return CreatePageCounterNames();
  }
}

}  // namespace quillory
