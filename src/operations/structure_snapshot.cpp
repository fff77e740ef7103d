#include "operations/attach_engine.h"

#include "names/folder_names.h"
#include "operations/attach_internal.h"
#include "platform/text.h"

namespace quillory {

using attach::Join;
using attach::WithoutTrailingSeparators;

using attach::FolderChain;

StructureSnapshot StructureSnapshot::Read(FileSystem& fs, const std::string& source) {
  StructureSnapshot snapshot;
  snapshot.source_ = Trim(source);
  snapshot.folders_.push_back(Folder{});
  FolderHandle root = kNoFolderHandle;
  if (!fs.OpenFolder(snapshot.source_, &root).ok()) {
    snapshot.unread_.push_back(snapshot.source_);
    return snapshot;
  }
  snapshot.opened_ = true;
  FolderChain chain(fs, snapshot.folders_, root);
  std::vector<FolderEntry> entries;
  for (std::uint32_t i = 0; i < snapshot.folders_.size(); ++i) {
    const std::string path = Join(snapshot.source_, snapshot.folders_[i].relative);
    const FolderHandle handle = chain.Open(i);
    // A listing that failed part-way adds nothing: a copy of part of a folder
    // would pass for the whole.
    if (handle == kNoFolderHandle || !fs.ReadFolder(handle, false, &entries).ok()) {
      snapshot.unread_.push_back(path);
      continue;
    }
    std::vector<Entry> kept;
    kept.reserve(entries.size());
    for (FolderEntry& e : entries) {
      if (e.name.find('\\') != std::string::npos) {
        snapshot.skipped_.push_back(ShownEntryPath(path, e.name));
        continue;
      }
      Entry entry;
      entry.kind = e.isFolder    ? EntryKind::Folder
                   : e.isSymlink ? EntryKind::Link
                   : e.isSpecial ? EntryKind::Special
                                 : EntryKind::File;
      if (entry.kind == EntryKind::File) {
        entry.file = static_cast<std::uint32_t>(snapshot.contents_.size());
        snapshot.contents_.emplace_back();
      }
      if (entry.kind == EntryKind::Folder) {
        Folder child;
        child.parent = i;
        child.depth = snapshot.folders_[i].depth + 1;
        child.relative =
            snapshot.folders_[i].relative.empty() ? e.name : snapshot.folders_[i].relative + '\\' + e.name;
        child.name = e.name;
        entry.folder = static_cast<std::uint32_t>(snapshot.folders_.size());
        ++snapshot.folders_[i].subfolders;
        snapshot.folders_.push_back(std::move(child));
      }
      entry.name = std::move(e.name);
      kept.push_back(std::move(entry));
    }
    snapshot.folders_[i].entries = std::move(kept);
  }
  return snapshot;
}

std::string StructureSnapshot::PathOf(std::uint32_t index, std::string_view name) const {
  return Join(Join(source_, folders_[index].relative), name);
}

}  // namespace quillory
