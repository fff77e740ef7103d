#include "undo/folder_file_undo.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "app/ui.h"

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

void FolderFileUndo::RemoveFiles() {
  std::vector<WrittenFile> files;
  const std::vector<std::size_t> kept = LatestOfEachPath(files_);
  files.reserve(kept.size());
  const AimedFolders aimed(folders_);
  for (std::size_t i : kept) {
    files.push_back(std::move(files_[i]));
    aimed.Narrow(files.back());
  }
  files_.clear();
  std::vector<FsResult> results;
  fs_.DeleteWrittenFiles(files, &results);
  for (std::size_t i = 0; i < files.size(); ++i)
    if (!results[i].ok()) failedFiles_.push_back(files[i]);
}

void FolderFileUndo::RemoveFolders() {
  std::vector<std::size_t> order = LatestOfEachPath(folders_);
  std::vector<std::size_t> levels(folders_.size());
  for (std::size_t i : order) levels[i] = Level(folders_[i].path);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return levels[a] != levels[b] ? levels[a] > levels[b] : a > b;
  });
  {
    const AimedFolders aimed(folders_);
    for (std::size_t i : order) aimed.Narrow(folders_[i]);
  }
  std::vector<MadeFolder> folders;
  folders.reserve(order.size());
  for (std::size_t i : order) folders.push_back(std::move(folders_[i]));
  folders_.clear();
  std::vector<FsResult> results;
  fs_.RemoveMadeFolders(folders, &results);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (results[i].ok()) continue;
    if (results[i].error == FsError::NotFound)
      vanishedFolders_.push_back(folders[i].path);
    else
      failedFolders_.push_back(folders[i]);
  }
}

void FolderFileUndo::BuildReport() {
  report_.clear();
  if (failedFolders_.empty() && failedFiles_.empty()) return;
  report_ = "The program is unable to delete the following folders, and/or separate files : \n";
  std::string body;
  for (const MadeFolder& folder : failedFolders_) body += folder.path + "\n";
  for (const WrittenFile& file : failedFiles_) body += file.path + "\n";
  if (!body.empty()) report_ += "\nOTHER REASONS   : \n\n" + body;
}

bool RunUndo(Ui& ui, FileSystem& fs, const UndoTexts& texts, bool nothing,
             const std::function<void(FolderFileUndo&)>& load,
             const std::function<void(const FolderFileUndo&)>& cleared) {
  if (nothing) {
    ui.ShowMessageBox(texts.nothingText, texts.nothingCaption, MessageKind::Warning);
    return false;
  }
  if (ui.ShowMessageBox(texts.questionText, texts.questionCaption, MessageKind::Question) != MessageAnswer::Yes)
    return false;
  FolderFileUndo undo(fs);
  load(undo);
  undo.RemoveFiles();
  undo.RemoveFolders();
  undo.BuildReport();
  if (cleared) cleared(undo);
  if (!undo.GetReport().empty()) ui.ShowMessageBox(undo.GetReport(), texts.reportCaption, MessageKind::Information);
  ui.ShowMessageBox(texts.endText, texts.endCaption, MessageKind::Information);
  return true;
}

}  // namespace quillory
