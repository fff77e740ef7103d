#include "undo/folder_file_undo.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string_view>

namespace quillory {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::size_t Level(std::string_view path) {
  return static_cast<std::size_t>(std::count_if(path.begin(), path.end(), IsSeparator));
}

// The records' paths, each to the last record of it. Open addressing on
// indices with their hashes: a node-based map costs an allocation per
// record, and an undo of a large run orders some hundred thousand of them,
// so the table's slots are small and fetched ahead of their use.
// Indices into a run's records: as many as the records.
using Indices = LargeVector<std::size_t>;

template <class List>
class PathIndex {
 public:
  explicit PathIndex(const List& entries) : entries_(entries) {
    std::size_t capacity = 16;
    while (capacity < 2 * entries.size()) capacity *= 2;
    slots_.assign(capacity, Slot{});
    LargeVector<std::size_t> hashes(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) hashes[i] = Hash(entries[i].path);
    constexpr std::size_t kAhead = 8;
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (i + kAhead < entries.size()) __builtin_prefetch(&slots_[hashes[i + kAhead] & mask], 1);
      Slot& slot = slots_[Find(entries[i].path, hashes[i])];
      slot.hash = static_cast<std::uint32_t>(hashes[i]);
      slot.at = static_cast<std::uint32_t>(i + 1);
    }
  }
  bool Holds(std::string_view path) const { return slots_[Find(path, Hash(path))].at != 0; }
  // The last record of each path, in record order.
  Indices Latest() const {
    std::vector<bool> last(entries_.size());
    std::size_t count = 0;
    for (const Slot& slot : slots_)
      if (slot.at != 0) {
        last[slot.at - 1] = true;
        ++count;
      }
    Indices kept;
    kept.reserve(count);
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (last[i]) kept.push_back(i);
    return kept;
  }

 private:
  // `at` is the record's index + 1 (0: empty); a run records far fewer
  // than 2^32 entries. `hash` tells most paths apart without reading them.
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t at = 0;
  };
  static std::size_t Hash(std::string_view path) { return std::hash<std::string_view>{}(path); }
  // Where `path` is, or the empty slot it would take.
  std::size_t Find(std::string_view path, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const auto low = static_cast<std::uint32_t>(hash);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const Slot& slot = slots_[at];
      if (slot.at == 0 || (slot.hash == low && entries_[slot.at - 1].path == path)) return at;
    }
  }
  const List& entries_;
  LargeVector<Slot> slots_;
};

// Below the parent of the outermost folder the run made on an entry's way,
// everything was the run's and so reached without a link: undo must reach it
// the same way, whatever the record says it aimed at (an older journal says
// nothing, and the create pages aim their attachments at folders they made).
// The answer depends only on the parent and the recorded reach, which a run
// of entries shares: it is worked out once for each run.
class Narrowing {
 public:
  explicit Narrowing(const PathIndex<MadeFolders>& made) : made_(made) {}
  template <class Entry>
  void Narrow(Entry& entry) {
    const std::string_view path = entry.path;
    // By hand: find_last_of with two separators calls memchr per character.
    std::size_t parent = path.size();
    while (parent > 0 && !IsSeparator(path[parent - 1])) --parent;
    if (parent-- == 0) return;
    const std::string_view folder = path.substr(0, parent);
    if (!known_ || folder != lastFolder_ || entry.within != lastWithin_) {
      known_ = true;
      lastFolder_ = folder;
      lastWithin_ = entry.within;
      lastAnswer_ = Reach(path, parent, entry.within);
    }
    entry.within = lastAnswer_;
  }

 private:
  std::uint32_t Reach(std::string_view path, std::size_t parent, std::uint32_t recorded) const {
    std::size_t within = recorded == 0 ? parent : std::min<std::size_t>(recorded, parent);
    // The drive ("D:\") is never made; the names after it are tried
    // outermost first.
    std::size_t at = 0;
    while (at < within && !IsSeparator(path[at])) ++at;
    while (at < within) {
      std::size_t end = at + 1;
      while (end < path.size() && !IsSeparator(path[end])) ++end;
      if (made_.Holds(path.substr(0, end))) return static_cast<std::uint32_t>(at);
      at = end;
    }
    return static_cast<std::uint32_t>(within);
  }

  const PathIndex<MadeFolders>& made_;
  bool known_ = false;
  std::string_view lastFolder_;
  std::uint32_t lastWithin_ = 0;
  std::uint32_t lastAnswer_ = 0;
};

// Deepest first, the last made first among equals: by level, each level
// read backwards, without a comparison sort.
Indices DeepestFirst(const MadeFolders& folders, const Indices& kept) {
  LargeVector<std::size_t> levels(kept.size());
  std::size_t deepest = 0;
  for (std::size_t k = 0; k < kept.size(); ++k) deepest = std::max(deepest, levels[k] = Level(folders[kept[k]].path));
  // starts[l]: where level `deepest - l` begins in the result.
  std::vector<std::size_t> starts(deepest + 2, 0);
  for (std::size_t level : levels) ++starts[deepest - level + 1];
  for (std::size_t l = 1; l < starts.size(); ++l) starts[l] += starts[l - 1];
  Indices ordered(kept.size());
  for (std::size_t k = kept.size(); k-- > 0;) ordered[starts[deepest - levels[k]]++] = kept[k];
  return ordered;
}

}  // namespace

void FolderFileUndo::Order() {
  Indices files, folders;
  {
    // Looks into the records' paths: they move only after it.
    const PathIndex<MadeFolders> made(folders_);
    files = PathIndex<std::vector<WrittenFile>>(files_).Latest();
    folders = DeepestFirst(folders_, made.Latest());
    Narrowing narrowing(made);
    for (std::size_t i : files) narrowing.Narrow(files_[i]);
    for (std::size_t i : folders) narrowing.Narrow(folders_[i]);
  }
  std::vector<WrittenFile> orderedFiles;
  orderedFiles.reserve(files.size());
  for (std::size_t i : files) orderedFiles.push_back(std::move(files_[i]));
  MadeFolders orderedFolders;
  orderedFolders.reserve(folders.size());
  for (std::size_t i : folders) orderedFolders.push_back(std::move(folders_[i]));
  files_ = std::move(orderedFiles);
  folders_ = std::move(orderedFolders);
  fileItems_ = Items(files_.size());
  // Items never span two levels, so one level's items can go at once.
  folderStarts_.clear();
  folderPhases_.clear();
  std::size_t level = 0, inItem = 0;
  std::uint32_t phase = 0;
  for (std::size_t i = 0; i < folders_.size(); ++i) {
    const std::size_t here = Level(folders_[i].path);
    if (i == 0 || here != level || inItem == kEntriesPerItem) {
      if (i == 0 || here != level) ++phase;
      folderStarts_.push_back(i);
      folderPhases_.push_back(phase);
      level = here;
      inItem = 0;
    }
    ++inItem;
  }
}

std::size_t FolderFileUndo::Entries(std::size_t item) const {
  if (item < fileItems_) return std::min(kEntriesPerItem, files_.size() - item * kEntriesPerItem);
  const std::size_t k = item - fileItems_;
  return (k + 1 < folderStarts_.size() ? folderStarts_[k + 1] : folders_.size()) - folderStarts_[k];
}

std::vector<std::uint32_t> FolderFileUndo::Phases(std::size_t from) const {
  std::vector<std::uint32_t> phases;
  for (std::size_t item = from; item < ItemCount(); ++item)
    phases.push_back(item < fileItems_ ? 0 : folderPhases_[item - fileItems_]);
  return phases;
}

void FolderFileUndo::Work(std::size_t item, const OutcomeSink& sink) {
  if (item < fileItems_) {
    const std::size_t begin = item * kEntriesPerItem;
    RemoveFiles(begin, std::min(begin + kEntriesPerItem, files_.size()), sink);
    return;
  }
  const std::size_t k = item - fileItems_;
  if (k < folderStarts_.size())
    RemoveFolders(folderStarts_[k], k + 1 < folderStarts_.size() ? folderStarts_[k + 1] : folders_.size(), sink);
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
  const MadeFolders folders(
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

std::string UndoReport(const MadeFolders& folders, const std::vector<WrittenFile>& files) {
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
