#include "tree/folder_struct_size.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "app/ui.h"
#include "platform/file_system.h"
#include "platform/tree_walk.h"
#include "tree/tree_windows.h"

namespace quillory {

std::string FormatByteSize(std::uint64_t bytes) {
  const double size = static_cast<double>(bytes);
  double shown = size;
  const char* unit = " Bytes";
  if (size / 1073741824.0 > 1.0) {
    shown = size / 1073741824.0;
    unit = " GB";
  } else if (size / 1048576.0 > 1.0) {
    shown = size / 1048576.0;
    unit = " MB";
  } else if (size / 1024.0 > 1.0) {
    shown = size / 1024.0;
    unit = " KB";
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.2f%s", shown, unit);
  return text;
}

FolderStructSize::FolderStructSize(std::string root, FileSystem& fs)
    : root_(std::move(root)), fs_(fs), rootLevel_(PathLevel(root_)), started_(std::chrono::steady_clock::now()) {
  finished_ = started_;
}

void FolderStructSize::SetFileMasks(std::vector<std::string> masks) {
  masks_ = std::move(masks);
  if (masks_.empty()) masks_.push_back("*.*");
}

void FolderStructSize::SizeMap::Add(std::string_view folder, std::string_view name, std::uint64_t size) {
  const std::size_t at = text_.size();
  text_.append(folder);
  if (folder.empty() || (folder.back() != '\\' && folder.back() != '/')) text_ += '\\';
  text_.append(name);
  pending_.push_back(Entry{at, text_.size() - at, size});
}

const FolderStructSize::FileSizes& FolderStructSize::SizeMap::Map() const {
  if (!pending_.empty()) {
    const auto path = [this](const Entry& e) { return std::string_view(text_).substr(e.at, e.length); };
    // Sorted first, each insertion lands at the end: linear, not a tree
    // search per file. Stable, so the first of equal paths is the one kept.
    std::stable_sort(pending_.begin(), pending_.end(),
                     [&](const Entry& a, const Entry& b) { return path(a) < path(b); });
    for (const Entry& e : pending_) map_.emplace_hint(map_.end(), std::string(path(e)), e.size);
    pending_.clear();
    pending_.shrink_to_fit();
    text_.clear();
    text_.shrink_to_fit();
  }
  return map_;
}

void FolderStructSize::Walk() { Run(Mode::All); }
void FolderStructSize::WalkSelected() { Run(Mode::Selected); }
void FolderStructSize::WalkRootFilesSelected() { Run(Mode::RootSelected); }

namespace {

struct Mask {
  std::string text;
  bool all;  // matches every name
};

class SizeVisitor : public TreeVisitor {
 public:
  SizeVisitor(bool selected, bool rootOnly, std::vector<Mask> masks, std::int32_t& folders,
              std::map<std::uint32_t, std::uint32_t>& levels, std::uint64_t& bytes, std::uint32_t& files,
              FolderStructSize::SizeMap& sizes, std::vector<std::string>& unread, std::vector<std::string>& skipped)
      : selected_(selected), rootOnly_(rootOnly), masks_(std::move(masks)), folders_(folders), levels_(levels),
        bytes_(bytes), files_(files), sizes_(sizes), unread_(unread), skipped_(skipped) {}

  void Folder(const std::string& path, std::uint32_t level, bool listed) override {
    ++levels_[level];
    if (!listed) unread_.push_back(path);
  }
  void ListingFailed(const std::string& path, const FsResult&) override { unread_.push_back(path); }
  void Skipped(const std::string& folder, std::string_view name) override {
    skipped_.push_back(ShownEntryPath(folder, name));
  }

  bool Subfolder(const std::string&, std::uint32_t) override {
    if (rootOnly_) return false;
    ++folders_;
    return true;
  }

  void File(const std::string& folder, std::string_view name, std::uint64_t size) override {
    std::uint32_t times = 1;
    if (selected_) {
      times = 0;
      for (const Mask& mask : masks_)
        if (mask.all || MatchesMask(name, mask.text)) ++times;
      if (times == 0) return;
    }
    bytes_ += size * times;
    files_ += times;
    sizes_.Add(folder, name, size);
  }

 private:
  bool selected_;
  bool rootOnly_;
  std::vector<Mask> masks_;
  std::int32_t& folders_;
  std::map<std::uint32_t, std::uint32_t>& levels_;
  std::uint64_t& bytes_;
  std::uint32_t& files_;
  FolderStructSize::SizeMap& sizes_;
  std::vector<std::string>& unread_;
  std::vector<std::string>& skipped_;
};

}  // namespace

// One pass serves every mask: each name is tested against the masks in
// order, which counts what a pass per mask would count, while the tree is
// read once and each folder is counted once at its level.
void FolderStructSize::Run(Mode mode) {
  if (!root_.empty()) {
    std::vector<Mask> masks;
    for (const std::string& m : masks_) masks.push_back(Mask{m, m == "*" || m == "*.*"});
    const bool selected = mode != Mode::All;
    SizeVisitor visitor(selected, mode == Mode::RootSelected, std::move(masks), folderCount_, levels_,
                        selected ? selBytes_ : allBytes_, selected ? selFiles_ : allFiles_,
                        selected ? selFileSizes_ : allFileSizes_, unread_, skipped_);
    TreeWalkOptions options;
    options.rootLevel = rootLevel_;
    options.rootOnly = mode == Mode::RootSelected;
    WalkTree(root_, visitor, options, fs_);
  }
  // The root leaves the count once, however many walks add to it.
  if (!countRoot_ && !rootDropped_) {
    --folderCount_;
    rootDropped_ = true;
  }
  finished_ = std::chrono::steady_clock::now();
}

void FolderStructSize::ShowLevels(TfrmLevelSummFolder& window, Ui& ui) const {
  window.lblLevelSummFolderName.SetCaption(root_);
  window.lstViewLevelSummFolder.Clear();
  // The lowest level is the root's own; the rest are numbered by their
  // depth below it.
  bool first = true;
  for (const auto& [level, folders] : levels_) {
    if (first) {
      first = false;
      continue;
    }
    window.lstViewLevelSummFolder.AddRow({std::to_string(level - rootLevel_), std::to_string(folders)});
  }
  window.lblLevelSummFolderSum.SetCaption(std::to_string(folderCount_));
  window.lblLevelSummFileSum.SetCaption(std::to_string(selFiles_));
  window.lblLevelSummFileSize.SetCaption(FormatByteSize(selBytes_) + "  (" + std::to_string(selBytes_) + " bytes).");
  ui.ShowModal(window);
}

}  // namespace quillory
