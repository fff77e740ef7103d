#include "platform/made_folder_list.h"

namespace quillory {

MadeFolderList::MadeFolderList(const MadeFolders& folders) {
  reserve(folders.size());
  for (const MadeFolder& folder : folders) push_back(folder);
}

MadeFolder MadeFolderList::operator[](std::size_t i) const {
  const Mark& mark = marks_[i];
  MadeFolder folder;
  folder.path = std::string(paths_[i]);
  folder.identity = {mark.device, mark.inode, mark.birthSeconds, mark.birthNanoseconds};
  folder.within = mark.within;
  return folder;
}

void MadeFolderList::push_back(const SharedText& path, const FolderIdentity& identity, std::uint32_t within) {
  paths_.push_back(path);
  MakeRoom(marks_);
  marks_.push_back({identity.device, identity.inode, identity.birthSeconds, identity.birthNanoseconds, within});
}

void MadeFolderList::push_back(const MadeFolder& folder) {
  paths_.push_back(folder.path);
  MakeRoom(marks_);
  marks_.push_back({folder.identity.device, folder.identity.inode, folder.identity.birthSeconds,
                    folder.identity.birthNanoseconds, folder.within});
}

void MadeFolderList::clear() {
  paths_.clear();
  marks_.clear();
}

void MadeFolderList::reserve(std::size_t count) {
  paths_.reserve(count);
  marks_.reserve(count);
}

MadeFolders MadeFolderList::Take() {
  MadeFolders folders;
  folders.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) folders.push_back((*this)[i]);
  clear();
  return folders;
}

bool operator==(const MadeFolderList& a, const MadeFolderList& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!(a[i] == b[i]) || a[i].within != b[i].within) return false;
  return true;
}

bool operator==(const MadeFolderList& a, const MadeFolders& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!(a[i] == b[i]) || a[i].within != b[i].within) return false;
  return true;
}

}  // namespace quillory
