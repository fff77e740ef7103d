#include "undo/rename_undo.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"

namespace quillory {

std::vector<_tagReplaceFoldersStruct> RenameUndoOrder(std::vector<_tagReplaceFoldersStruct> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return SeparatorCount(a.NewPath) < SeparatorCount(b.NewPath);
  });
  return entries;
}

void UndoRenameOne(FolderRenamer& renamer, FileSystem& fs, const _tagReplaceFoldersStruct& entry,
                   const OutcomeSink& sink) {
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
