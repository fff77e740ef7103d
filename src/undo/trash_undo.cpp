#include "undo/trash_undo.h"

#include <algorithm>
#include <utility>

#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "undo/rename_record.h"

namespace quillory {

std::vector<TrashedEntry> TrashUndoOrder(std::vector<TrashedEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const TrashedEntry& a, const TrashedEntry& b) {
    return SeparatorCount(a.path) < SeparatorCount(b.path);
  });
  return entries;
}

void RestoreTrashedRange(FileSystem& fs, const std::vector<TrashedEntry>& entries, std::size_t from, std::size_t to,
                         const OutcomeSink& sink) {
  const std::vector<TrashedEntry> batch(entries.begin() + static_cast<std::ptrdiff_t>(from),
                                        entries.begin() + static_cast<std::ptrdiff_t>(to));
  std::vector<FsResult> results;
  fs.RestoreTrashed(batch, &results);
  for (std::size_t i = 0; i < batch.size(); ++i) {
    const TrashedEntry& entry = batch[i];
    const FsResult result = i < results.size() ? results[i] : FsResult{FsError::Io, "no result"};
    ItemOutcome outcome;
    outcome.path = entry.path;
    outcome.detail = result.message;
    outcome.progress = 1;
    const auto list = [&](DeleteList folders, DeleteList files, DeleteCounter folderCount, DeleteCounter fileCount) {
      outcome.list = static_cast<std::size_t>(entry.folder ? folders : files);
      outcome.Count(Id(entry.folder ? folderCount : fileCount));
    };
    if (result.ok()) {
      outcome.kind = OutcomeKind::Done;
    } else if (result.error == FsError::Changed) {
      outcome.kind = OutcomeKind::NotFound;
      list(DeleteList::FoldersNotExists, DeleteList::FilesNotExists, DeleteCounter::FoldersNotExists,
           DeleteCounter::FilesNotExists);
    } else {
      // Still in the trash: once the place is free (or the way back is), the
      // next Undo brings it.
      outcome.kind = result.error == FsError::Exists ? OutcomeKind::AlreadyExists : OutcomeKind::Other;
      list(DeleteList::FoldersOtherReasons, DeleteList::FilesOtherReasons, DeleteCounter::FoldersOtherReasons,
           DeleteCounter::FilesOtherReasons);
      outcome.undoFailed = true;
      outcome.trashed = entry;
    }
    sink(std::move(outcome));
  }
}

}  // namespace quillory
