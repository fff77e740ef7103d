#include "results/operation_statistics.h"

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

}  // namespace quillory
