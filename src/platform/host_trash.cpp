#include "platform/file_system.h"
#include "platform/posix_support.h"

namespace quillory {

std::unique_ptr<TrashCan> FileSystem::OpenTrashCan(FsResult* failure) {
  if (failure != nullptr) *failure = posix::Failure(FsError::NoTrash, "no trash on this file system");
  return nullptr;
}

void FileSystem::RestoreTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results) {
  results->assign(entries.size(), posix::Failure(FsError::NoTrash, "no trash on this file system"));
}

}  // namespace quillory
