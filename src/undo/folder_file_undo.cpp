#include "undo/folder_file_undo.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

namespace quillory {

namespace {

std::size_t Level(std::string_view path) {
  return static_cast<std::size_t>(std::count_if(path.begin(), path.end(), [](char c) { return c == '\\' || c == '/'; }));
}

// The last record of each path, in record order.
template <class Entry>
std::vector<std::size_t> LatestOfEachPath(const std::vector<Entry>& entries) {
  std::unordered_map<std::string_view, std::size_t> last;
  last.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) last[entries[i].path] = i;
  std::vector<std::size_t> kept;
  kept.reserve(last.size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (last[entries[i].path] == i) kept.push_back(i);
  return kept;
}

// Below the parent of the outermost folder the run made on an entry's way,
// everything was the run's and so reached without a link: undo must reach it
// the same way, whatever the record says it aimed at (an older journal says
// nothing, and the create pages aim their attachments at folders they made).
class AimedFolders {
 public:
  explicit AimedFolders(const std::vector<MadeFolder>& folders) {
    made_.reserve(folders.size());
    for (const MadeFolder& folder : folders) made_.insert(folder.path);
  }
  template <class Entry>
  void Narrow(Entry& entry) const {
    const std::string_view path = entry.path;
    const std::size_t parent = path.find_last_of("\\/");
    if (parent == std::string_view::npos) return;
    std::size_t within = entry.within == 0 ? parent : std::min<std::size_t>(entry.within, parent);
    // The drive ("D:\") is never made; the names after it are tried
    // outermost first.
    for (std::size_t at = path.find_first_of("\\/"); at != std::string_view::npos && at < within;
         at = path.find_first_of("\\/", at + 1)) {
      const std::size_t end = path.find_first_of("\\/", at + 1);
      const std::string_view folder = path.substr(0, end);
      if (made_.count(folder) != 0) {
        within = at;
        break;
      }
    }
    entry.within = static_cast<std::uint32_t>(within);
  }

 private:
  std::unordered_set<std::string_view> made_;
};

}  // namespace

void FolderFileUndo::Order() {
  const std::vector<std::size_t> files = LatestOfEachPath(files_);
  std::vector<std::size_t> folders = LatestOfEachPath(folders_);
  std::vector<std::size_t> levels(folders_.size());
  for (std::size_t i : folders) levels[i] = Level(folders_[i].path);
  std::sort(folders.begin(), folders.end(), [&](std::size_t a, std::size_t b) {
    return levels[a] != levels[b] ? levels[a] > levels[b] : a > b;
  });
  {
    // Looks into the records' paths: they move only after it.
    const AimedFolders aimed(folders_);
    for (std::size_t i : files) aimed.Narrow(files_[i]);
    for (std::size_t i : folders) aimed.Narrow(folders_[i]);
  }
  std::vector<WrittenFile> orderedFiles;
  orderedFiles.reserve(files.size());
  for (std::size_t i : files) orderedFiles.push_back(std::move(files_[i]));
  std::vector<MadeFolder> orderedFolders;
  orderedFolders.reserve(folders.size());
  for (std::size_t i : folders) orderedFolders.push_back(std::move(folders_[i]));
  files_ = std::move(orderedFiles);
  folders_ = std::move(orderedFolders);
  fileItems_ = Items(files_.size());
}

void FolderFileUndo::Work(std::size_t item, const OutcomeSink& sink) {
  if (item < fileItems_) {
    const std::size_t begin = item * kEntriesPerItem;
    RemoveFiles(begin, std::min(begin + kEntriesPerItem, files_.size()), sink);
    return;
  }
  const std::size_t begin = (item - fileItems_) * kEntriesPerItem;
  if (begin < folders_.size()) RemoveFolders(begin, std::min(begin + kEntriesPerItem, folders_.size()), sink);
}

void FolderFileUndo::RemoveFiles(std::size_t begin, std::size_t end, const OutcomeSink& sink) {
  const std::vector<WrittenFile> files(std::make_move_iterator(files_.begin() + static_cast<std::ptrdiff_t>(begin)),
                                       std::make_move_iterator(files_.begin() + static_cast<std::ptrdiff_t>(end)));
  std::vector<FsResult> results;
  fs_.DeleteWrittenFiles(files, &results);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (results[i].ok()) continue;
    ItemOutcome left;
    left.kind = results[i].error == FsError::NotFound ? OutcomeKind::NotFound : OutcomeKind::Other;
    left.path = files[i].path;
    left.undoFailed = true;
    left.written = files[i];
    left.detail = std::move(results[i].message);
    sink(std::move(left));
  }
}

void FolderFileUndo::RemoveFolders(std::size_t begin, std::size_t end, const OutcomeSink& sink) {
  const std::vector<MadeFolder> folders(
      std::make_move_iterator(folders_.begin() + static_cast<std::ptrdiff_t>(begin)),
      std::make_move_iterator(folders_.begin() + static_cast<std::ptrdiff_t>(end)));
  std::vector<FsResult> results;
  fs_.RemoveMadeFolders(folders, &results);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    // Gone already: nothing of the run is left there.
    if (results[i].ok() || results[i].error == FsError::NotFound) continue;
    ItemOutcome left;
    left.kind = OutcomeKind::Other;
    left.path = folders[i].path;
    left.list = report_.list;
    left.Count(report_.counter);
    left.undoFailed = true;
    left.made.push_back(folders[i]);
    left.detail = std::move(results[i].message);
    sink(std::move(left));
  }
}

std::string UndoReport(const std::vector<MadeFolder>& folders, const std::vector<WrittenFile>& files) {
  if (folders.empty() && files.empty()) return {};
  std::string report = "The program is unable to delete the following folders, and/or separate files : \n";
  report += "\nOTHER REASONS   : \n\n";
  for (const MadeFolder& folder : folders) {
    report += folder.path;
    report += '\n';
  }
  for (const WrittenFile& file : files) {
    report += file.path;
    report += '\n';
  }
  return report;
}

}  // namespace quillory
