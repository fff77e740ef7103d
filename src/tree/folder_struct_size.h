// Measures one folder tree, walked breadth-first by level: folders, files,
// bytes, folders per level and the size of every file, over all files or
// over the files that match a list of masks.
//
// Paths of subfolders and files are the root as given, then names joined
// with '\' (a root that ends in a separator gets no second one). Each
// subfolder's level is its parent's plus one, which for such a join is its
// separator count. A symbolic link inside the tree is a file of the link's
// own size; it is never followed. The depth of the tree and the length of
// its paths do not matter. What could not be measured is kept apart: the
// folders that could not be read, and the entries whose names hold a '\'
// (no path could name them), which are neither counted nor in the maps.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tree/examine_sub_folders.h"

namespace quillory {

class TfrmLevelSummFolder;
class Ui;

// "%.2f" and " GB" / " MB" / " KB" / " Bytes": the largest unit of which the
// size is more than one (1024 is "1024.00 Bytes", 1025 "1.00 KB").
std::string FormatByteSize(std::uint64_t bytes);

class FolderStructSize {
 public:
  using FileSizes = std::map<std::string, std::uint64_t>;

  // Nothing is read yet. An empty root walks nothing. The walks read
  // through `fs`, which must outlive this object.
  explicit FolderStructSize(std::string root, FileSystem& fs);

  // Whether the root itself stays in the folder count after a walk.
  void SetCountRoot(bool countRoot) { countRoot_ = countRoot; }
  // The masks of the masked walks, in order ("*.*" until set; an empty list
  // is taken as "*.*").
  void SetFileMasks(std::vector<std::string> masks);

  // Every folder and file of the tree.
  void Walk();
  // Every folder; the files that match the masks. A file is met once per
  // mask it matches and counted each time (the size map holds it once);
  // folders are counted once.
  void WalkSelected();
  // The files directly in the root that match the masks, as above; no
  // subfolder is counted.
  void WalkRootFilesSelected();

  std::uint64_t GetAllBytes() const { return allBytes_; }
  std::uint32_t GetAllFiles() const { return allFiles_; }
  std::int32_t GetFolderCount() const { return folderCount_; }
  std::uint64_t GetSelectedBytes() const { return selBytes_; }
  std::uint32_t GetSelectedFiles() const { return selFiles_; }
  FileSizes GetAllFileSizes() const { return allFileSizes_.Map(); }
  FileSizes GetSelectedFileSizes() const { return selFileSizes_.Map(); }
  // Level -> folders listed at that level, the root's included.
  const std::map<std::uint32_t, std::uint32_t>& Levels() const { return levels_; }
  const std::string& Root() const { return root_; }
  // Folders that could not be opened or whose listing failed part-way (the
  // root included), in walk order; their contents are not (fully) counted.
  const std::vector<std::string>& UnreadFolders() const { return unread_; }
  // Entries left out because their names hold a '\', as ShownEntryPath
  // shows them; a page counts them under other reasons.
  const std::vector<std::string>& SkippedEntries() const { return skipped_; }
  // Time the walk took (from construction to the end of the last walk).
  std::chrono::steady_clock::duration Elapsed() const { return finished_ - started_; }

  // Fills the level summary with this measure and shows it modally: one row
  // per level below the root, numbered from 1.
  void ShowLevels(TfrmLevelSummFolder& window, Ui& ui) const;

  // The walk only appends, into one block of text rather than a string per
  // file; the map is built when first asked for, so a caller that wants the
  // totals alone never pays for it. A path met again keeps its first size.
  class SizeMap {
   public:
    // Adds folder + '\' (unless it ends in a separator) + name.
    void Add(std::string_view folder, std::string_view name, std::uint64_t size);
    const FileSizes& Map() const;

   private:
    struct Entry {
      std::size_t at;
      std::size_t length;
      std::uint64_t size;
    };
    mutable std::string text_;
    mutable std::vector<Entry> pending_;
    mutable FileSizes map_;
  };

 private:
  enum class Mode { All, Selected, RootSelected };
  void Run(Mode mode);

  std::string root_;
  FileSystem& fs_;
  std::uint32_t rootLevel_;
  std::vector<std::string> masks_{"*.*"};
  bool countRoot_ = false;
  bool rootDropped_ = false;
  std::int32_t folderCount_ = 1;
  std::uint64_t allBytes_ = 0;
  std::uint32_t allFiles_ = 0;
  std::uint64_t selBytes_ = 0;
  std::uint32_t selFiles_ = 0;
  SizeMap allFileSizes_;
  SizeMap selFileSizes_;
  std::map<std::uint32_t, std::uint32_t> levels_;
  std::vector<std::string> unread_;
  std::vector<std::string> skipped_;
  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::time_point finished_;
};

}  // namespace quillory
