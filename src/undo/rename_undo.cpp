#include "undo/rename_undo.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"

namespace quillory {

// Shallowest first, in record order among equals. Each depth is counted
// once and each record moved once: a sort of the records themselves counted
// separators at every comparison and moved every path many times.
RenameRecords RenameUndoOrder(RenameRecords entries) {
  std::vector<std::size_t> depth(entries.size());
  std::size_t deepest = 0;
  bool ordered = true;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    depth[i] = SeparatorCount(entries[i].NewPath);
    if (i > 0 && depth[i] < depth[i - 1]) ordered = false;
    deepest = std::max(deepest, depth[i]);
  }
  if (ordered) return entries;
  std::vector<std::size_t> next(deepest + 1, 0);
  for (const std::size_t d : depth)
    if (d < deepest) ++next[d + 1];
  for (std::size_t d = 1; d <= deepest; ++d) next[d] += next[d - 1];
  std::vector<std::size_t> order(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) order[next[depth[i]]++] = i;
  entries.Reorder(order);
  return entries;
}

void UndoRenameOne(FolderRenamer& renamer, FileSystem& fs, RenameRecordView entry, const OutcomeSink& sink) {
  ItemOutcome outcome;
  const FsResult result = renamer.Rename(entry.NewPath, entry.OldPath);
  outcome.detail = result.message;
  if (result.ok()) {
    outcome.kind = OutcomeKind::Done;
    outcome.path = Trim(entry.OldPath);
  } else if (result.error == FsError::NotFound) {
    outcome.kind = OutcomeKind::NotFound;
    outcome.path = Trim(entry.NewPath);
  } else if (result.error == FsError::Exists && fs.DirectoryExists(entry.OldPath)) {
    // Someone made a folder of the old name again; that folder is theirs.
    outcome.kind = OutcomeKind::AlreadyExists;
    outcome.path = Trim(entry.OldPath);
  } else {
    // A file in the way among them: once it is gone, the next Undo can
    // bring the folder back.
    outcome.kind = OutcomeKind::Other;
    outcome.path = Trim(entry.OldPath);
    outcome.list = static_cast<std::size_t>(RenameList::FoldersFailedUndo);
    outcome.Count(Id(RenameCounter::FoldersFailedUndo));
    outcome.undoFailed = true;
    outcome.renamed.emplace(entry.OldPath, entry.NewPath);
  }
  sink(std::move(outcome));
}

}  // namespace quillory
