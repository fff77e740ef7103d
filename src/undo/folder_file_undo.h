// Takes away what one run made: the files it wrote, then the folders it
// created, deepest first. Only what is still exactly what the run made goes:
// a folder that is empty and still the same folder, a file that is still the
// file written; anything else stays and is reported, for a later retry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/run_frame.h"
#include "platform/file_system.h"

namespace quillory {

// How a page shows what its undo could not take away: a folder left gets a
// line of this Visual Log list and one on this counter; a file left gets
// neither, only its record.
struct UndoFailureReport {
  std::size_t list = kNoList;
  CounterId counter;
};

// The engine: the removal cut into items of a few hundred entries, so a
// large undo moves the bar and lets the window paint even on a disk slow to
// free folders, while each item still costs one batch call of the file
// system.
class FolderFileUndo {
 public:
  FolderFileUndo(FileSystem& fs, UndoFailureReport report) : fs_(fs), report_(report) {}

  // What the run made, in the order it was made (a later record of the same
  // path wins: it is what is there now).
  void SetFolders(MadeFolders folders) { folders_ = std::move(folders); }
  void SetFiles(std::vector<WrittenFile> files) { files_ = std::move(files); }

  // Once what to remove is set: the files, then the folders deepest first
  // (by the number of separators), the last made first among equals; each
  // path once. Cut into items of at most kEntriesPerItem entries.
  void Order();
  std::size_t ItemCount() const { return fileItems_ + folderStarts_.size(); }
  // Each item's phase from item `from` on: the files are phase 0, then each
  // level of folders, deepest first. No item touches a path another item of
  // its phase holds, so the items of a phase may go at once once the
  // earlier phases are done.
  std::vector<std::uint32_t> Phases(std::size_t from) const;
  // The entries item `item` takes away.
  std::size_t Entries(std::size_t item) const;

  // Removes the entries of item `item` (each item once, in order: a folder
  // goes only after what was below it). Each entry left is handed to `sink`
  // as an undo failure; a folder no longer there is dropped.
  void Work(std::size_t item, const OutcomeSink& sink);

  static constexpr std::size_t kEntriesPerItem = 200;

 private:
  static std::size_t Items(std::size_t entries) { return (entries + kEntriesPerItem - 1) / kEntriesPerItem; }
  void RemoveFiles(std::size_t begin, std::size_t end, const OutcomeSink& sink);
  void RemoveFolders(std::size_t begin, std::size_t end, const OutcomeSink& sink);

  FileSystem& fs_;
  UndoFailureReport report_;
  MadeFolders folders_;
  std::vector<WrittenFile> files_;
  std::size_t fileItems_ = 0;
  // Where each folder item begins in `folders_`: an item holds one level.
  std::vector<std::size_t> folderStarts_;
  std::vector<std::uint32_t> folderPhases_;
};

// The report box's text on what an undo left; empty when it left nothing.
std::string UndoReport(const MadeFolders& folders, const std::vector<WrittenFile>& files);

}  // namespace quillory
