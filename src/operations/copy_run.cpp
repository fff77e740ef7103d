#include "operations/copy_run.h"

#include <utility>

#include "platform/drives.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"

namespace quillory {

CopyEngine::CopyEngine(FileSystem& fs, AttachSetup setup) : fs_(fs), attacher_(fs, std::move(setup)) {}

void CopyEngine::One(const std::string& destination, const OutcomeSink& sink) {
  ItemOutcome out;
  if (!HasDrive(destination) || !fs_.DirectoryExists(destination)) {
    out.kind = OutcomeKind::NotFound;
    out.list = static_cast<std::size_t>(CopyList::FoldersNotExists);
    out.record = RecordSlot::MissingFolder;
    out.Count(Id(CopyCounter::FoldersNotExists));
  } else if (attacher_.AttachTo(destination, sink)) {
    out.kind = OutcomeKind::Done;
    out.list = static_cast<std::size_t>(CopyList::FoldersCopied);
    out.record = RecordSlot::ProcessedMainFolder;
    out.Count(Id(CopyCounter::FoldersCopied));
  } else {
    return;  // a destination that received nothing counts nowhere
  }
  out.path = destination;
  sink(std::move(out));
}

}  // namespace quillory
