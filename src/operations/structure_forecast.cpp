#include "operations/structure_forecast.h"

#include "results/operation_statistics.h"

namespace quillory {

StructureForecast::StructureForecast(FileSystem& fs, PageKey page, const StructuresGroup& group)
    : fs_(fs), page_(page), group_(group) {}

StructureInput StructureForecast::Input(const std::vector<std::string>& masks) const {
  StructureInput input;
  input.kind = group_.Kind();
  input.items = group_.list.Items();
  input.mode = group_.Mode().value_or(AttachMode::MainWithoutFiles);
  input.withFiles = input.kind == SourceKind::Structures && WithFiles(input.mode);
  // The file selection only matters where files are copied; leaving it out
  // otherwise keeps the cache valid across changes of the filter.
  if (input.withFiles && page_ == PageKey::Vol08) input.masks = masks;
  return input;
}

const StructureTotals& StructureForecast::FreshTotals(const std::vector<std::string>& masks) {
  last_ = &cache_.Fresh(fs_, Input(masks));
  return *last_;
}

std::optional<MessageText> StructureForecast::Update(OperationStatistics& stats, std::size_t count,
                                                     const TextList& destinations,
                                                     const std::vector<std::string>& masks) {
  FreeSpaceResult row;
  const SourceKind kind = group_.Kind();
  const bool copyPage = page_ == PageKey::Vol08;

  if (!copyPage && kind != SourceKind::Structures) {
    // Nothing to walk: bare folders, or one folder per template line.
    row.ok = true;
    row.mainFolders = static_cast<double>(count);
    if (kind == SourceKind::Templates)
      row.folders = static_cast<double>(count) * static_cast<double>(group_.list.Count());
    SetForecastRow(stats, page_, row);
    return std::nullopt;
  }

  last_ = &cache_.Get(fs_, Input(masks));
  if (copyPage) {
    row = CheckFreeSpace(fs_, page_, *last_, destinations);
  } else {
    // The space check takes one copy per destination; a single destination
    // folder receives `count` copies.
    StructureTotals need;
    need.bytes = last_->bytes * (destinations.size() == 1 ? count : 1);
    const FreeSpaceResult space = CheckFreeSpace(fs_, page_, need, destinations);
    row.ok = space.ok || destinations.empty();
    row.message = space.message;
    if (row.ok && count > 0) {
      const double n = static_cast<double>(count);
      row.mainFolders = n;
      row.folders = n * last_->folders;
      row.files = n * last_->files;
      row.bytes = n * static_cast<double>(last_->bytes);
    }
  }
  if (!row.ok) row = FreeSpaceResult{false, row.message};
  SetForecastRow(stats, page_, row);
  return row.message;
}

}  // namespace quillory
