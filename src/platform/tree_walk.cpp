#include "platform/tree_walk.h"

#include <deque>
#include <utility>
#include <vector>

namespace quillory {

namespace {

struct Pending {
  std::string path;  // program form
  std::uint32_t level;
  std::uint64_t id;
  std::uint64_t parentId;
  std::size_t nameAt;  // where the folder's own name begins in `path`
};

constexpr std::uint64_t kRootId = 0;
constexpr std::uint64_t kNoId = ~std::uint64_t{0};

std::string Join(const std::string& folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path = folder;
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  path.append(name);
  return path;
}

// An open folder known by the id of its queue entry.
struct Held {
  std::uint64_t id = kNoId;
  FolderHandle handle = kNoFolderHandle;
};

class Walker {
 public:
  Walker(TreeVisitor& visitor, const TreeWalkOptions& options, FileSystem& fs)
      : visitor_(visitor), options_(options), fs_(fs) {}
  Walker(const Walker&) = delete;
  Walker& operator=(const Walker&) = delete;
  ~Walker() {
    Release(parent_);
    Release(last_);
    if (root_ != kNoFolderHandle) fs_.CloseFolder(root_);
  }

  void Run(std::string_view root) {
    rootPath_ = std::string(root);
    rootPrefix_ = Join(rootPath_, "").size();
    queue_.push_back(Pending{rootPath_, options_.rootLevel, kRootId, kNoId, rootPath_.size()});
    while (!queue_.empty()) {
      Pending folder = std::move(queue_.front());
      queue_.pop_front();
      List(folder);
    }
  }

 private:
  void Release(Held& held) {
    if (held.handle != kNoFolderHandle) fs_.CloseFolder(held.handle);
    held = Held{};
  }

  // The open parent of `folder`, reusing what is still open: siblings share
  // one parent, and in a deep chain the parent is the folder just listed.
  FsResult OpenParent(const Pending& folder, FolderHandle* parent) {
    if (folder.parentId == kRootId) {
      *parent = root_;
      return {};
    }
    if (parent_.id != folder.parentId) {
      Release(parent_);
      if (last_.id == folder.parentId) {
        parent_ = std::exchange(last_, Held{});
      } else {
        FolderHandle reopened = kNoFolderHandle;
        const FsResult opened = OpenFromRoot(folder, &reopened);
        if (!opened.ok()) return opened;
        parent_ = Held{folder.parentId, reopened};
      }
    }
    *parent = parent_.handle;
    return {};
  }

  // The parent of `folder` opened again from the root, name by name; no name
  // holds a '\', as such names are never queued.
  FsResult OpenFromRoot(const Pending& folder, FolderHandle* opened) {
    const std::string_view relative =
        std::string_view(folder.path).substr(rootPrefix_, folder.nameAt - 1 - rootPrefix_);
    FolderHandle at = root_;
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = relative.find('\\', start);
      const std::string_view name = relative.substr(start, end == std::string_view::npos ? end : end - start);
      FolderHandle next = kNoFolderHandle;
      const FsResult result = fs_.OpenSubfolder(at, name, &next);
      if (at != root_) fs_.CloseFolder(at);
      if (!result.ok()) return result;
      at = next;
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    *opened = at;
    return {};
  }

  void List(const Pending& folder) {
    FolderHandle handle = kNoFolderHandle;
    FsResult opened;
    if (folder.id == kRootId) {
      opened = fs_.OpenFolder(rootPath_, &handle);
      if (opened.ok()) root_ = handle;
    } else {
      FolderHandle parent = kNoFolderHandle;
      opened = OpenParent(folder, &parent);
      if (opened.ok()) opened = fs_.OpenSubfolder(parent, std::string_view(folder.path).substr(folder.nameAt), &handle);
    }
    if (!opened.ok()) {
      visitor_.Folder(folder.path, folder.level, false);
      return;
    }
    visitor_.Folder(folder.path, folder.level, true);
    const FsResult read = fs_.ReadFolder(handle, options_.fileSizes, &entries_);
    const bool descend = !options_.rootOnly;
    for (const FolderEntry& entry : entries_) {
      if (entry.name.find('\\') != std::string::npos) {
        visitor_.Skipped(folder.path, entry.name);
      } else if (entry.isFolder) {
        std::string path = Join(folder.path, entry.name);
        if (visitor_.Subfolder(path, folder.level + 1) && descend) {
          const std::size_t nameAt = path.size() - entry.name.size();
          queue_.push_back(Pending{std::move(path), folder.level + 1, ++lastId_, folder.id, nameAt});
        }
      } else {
        visitor_.File(folder.path, entry.name, entry.size);
      }
    }
    if (!read.ok()) visitor_.ListingFailed(folder.path, read);
    if (folder.id != kRootId) {
      Release(last_);
      last_ = Held{folder.id, handle};
    }
  }

  TreeVisitor& visitor_;
  const TreeWalkOptions& options_;
  FileSystem& fs_;
  std::string rootPath_;
  std::size_t rootPrefix_ = 0;  // length of the root with its separator
  FolderHandle root_ = kNoFolderHandle;
  Held parent_;
  Held last_;
  std::uint64_t lastId_ = kRootId;
  std::deque<Pending> queue_;
  std::vector<FolderEntry> entries_;
};

}  // namespace

void WalkTree(std::string_view root, TreeVisitor& visitor, const TreeWalkOptions& options, FileSystem& fs) {
  Walker(visitor, options, fs).Run(root);
}

}  // namespace quillory
