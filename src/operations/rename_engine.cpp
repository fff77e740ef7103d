#include "operations/rename_engine.h"

#include <algorithm>
#include <optional>
#include <cstddef>
#include <utility>

#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "undo/rename_record.h"

namespace quillory {

namespace {

// The last name of a new path, whose length the host limits in bytes.
std::size_t LastNameBytes(std::string_view path) {
  const std::size_t cut = LastSeparator(path);
  return cut == std::string_view::npos ? path.size() : path.size() - cut - 1;
}

bool TooLong(std::string_view path) {
  return path.size() > kMaxRenamePathChars || LastNameBytes(path) > kMaxNameBytes;
}

// What an item came to. A simulation and a run reach the same classes by
// different questions (see RenameMode); each class is counted and listed the
// same way for both.
enum class RenameClass {
  Renamed,
  NoFolderPath,   // the line is no folder path a run could take
  SourceMissing,
  TooLong,        // the new path, or its last name, over the host's limits
  TargetOnDisk,   // a folder of the new name is there: listed by that name
  TargetTaken,    // the new name is not free for this item: listed by the item
  Refused,        // the host refused for another reason
};

struct ClassOutcome {
  OutcomeKind kind;
  RenameCounter counter;
  RenameList list;
  bool listsTarget;  // the line shows the new path, else the item
};

constexpr ClassOutcome OutcomeOf(RenameClass c) {
  switch (c) {
    case RenameClass::Renamed:
      return {OutcomeKind::Done, RenameCounter::FoldersRenamed, RenameList::FoldersRenamed, true};
    case RenameClass::NoFolderPath:
      return {OutcomeKind::Other, RenameCounter::FoldersOtherReasons, RenameList::OtherReasons, false};
    case RenameClass::SourceMissing:
      return {OutcomeKind::NotFound, RenameCounter::FoldersSourceNotExists, RenameList::SourceNotExists, false};
    case RenameClass::TooLong:
      return {OutcomeKind::Other, RenameCounter::FoldersOtherReasons, RenameList::OtherReasons, true};
    case RenameClass::TargetOnDisk:
      return {OutcomeKind::AlreadyExists, RenameCounter::FoldersDestinationExists, RenameList::DestinationExists,
              true};
    case RenameClass::TargetTaken:
      return {OutcomeKind::AlreadyExists, RenameCounter::FoldersDestinationExists, RenameList::DestinationExists,
              false};
    case RenameClass::Refused: break;
  }
  return {OutcomeKind::Other, RenameCounter::FoldersOtherReasons, RenameList::OtherReasons, true};
}

// The one place where a simulation parts from a run; the classification
// around it is shared.
//
// A run admits any line with a drive part and lets one no-replace rename
// decide a missing source and a taken name at once: a folder someone made
// after any check is never replaced. A simulation cannot ask the rename, so
//  - it takes the line as the composition would meet it (normalised) and
//    admits it only when a run could take it as a folder path;
//  - it asks the disk whether the source is there and whether a folder of
//    the new name is (listed by that name);
//  - it remembers the new names it gave away: a later item aiming at one is
//    refused as the run's rename would refuse it (listed by the item);
//  - it records nothing.
class RenameMode {
 public:
  RenameMode(FolderRenamer& renamer, FileSystem& fs, const DriveMap& drives, bool simulate, SimulatedRenames* taken)
      : renamer_(renamer), fs_(fs), drives_(drives), simulate_(simulate), taken_(taken) {}

  struct Admission {
    std::string_view path;  // the line as it is taken, and listed when refused
    bool folderPath;
  };
  // A run takes the line itself; a simulation its normalised form, kept in
  // `normalized`.
  Admission Admit(std::string_view item, std::string& normalized) const {
    if (!simulate_) return {item, HasDrive(item)};
    normalized = NormalizeComposedPath(item);
    std::string message;
    const bool valid = normalized.size() <= kMaxSimulatedPathChars && CheckColons(normalized, message) &&
                       ValidateFullFolderPath(normalized, true, drives_, message);
    return {normalized, valid};
  }

  RenameClass Attempt(std::string_view item, const std::string& target, std::string& detail) const {
    if (simulate_) {
      if (!fs_.DirectoryExists(item)) return RenameClass::SourceMissing;
      if (fs_.DirectoryExists(target)) return RenameClass::TargetOnDisk;
      if (taken_ != nullptr && !taken_->insert(target).second) return RenameClass::TargetTaken;
      return RenameClass::Renamed;
    }
    const FsResult result = renamer_.Rename(item, target);
    detail = result.message;
    if (result.ok()) return RenameClass::Renamed;
    if (result.error == FsError::NotFound) return RenameClass::SourceMissing;
    if (result.error == FsError::Exists) return RenameClass::TargetTaken;
    return RenameClass::Refused;
  }

  bool Records() const { return !simulate_; }

 private:
  FolderRenamer& renamer_;
  FileSystem& fs_;
  const DriveMap& drives_;
  bool simulate_;
  SimulatedRenames* taken_;
};

}  // namespace

// Built in one string: a run composes a path per item, and the pieces as
// separate strings were most of a rename's own time.
std::string ComposeNewPath(std::string_view item, const RenameOptions& options) {
  const ParentAndNameView split = SplitParentAndNameView(TrimmedView(item));
  const bool newName = options.method == RenameOptions::Method::NewName;
  std::string out;
  out.reserve(split.parent.size() + 2 + (newName ? options.newName.size()
                                                 : options.prefix.size() + options.prefixDelimiter.size() +
                                                       split.name.size() + options.suffixDelimiter.size() +
                                                       options.suffix.size()));
  out += split.parent;
  if (!out.empty() && !IsSeparator(out.back())) out += '\\';
  // A parent ending in '/' gets a '\\' too, as the composition always gave.
  if (out.empty() || out.back() != '\\') out += '\\';
  if (newName) {
    out += options.newName;
    return out;
  }
  out += TrimmedView(options.prefix);
  out += TrimmedView(options.prefixDelimiter);
  out += split.name;
  out += TrimmedView(options.suffixDelimiter);
  out += TrimmedView(options.suffix);
  return out;
}

namespace {

// Deepest first, the last-filed first among equals: by depth counted once
// per line and placed in one pass, each line moved once.
template <class List>
List DeepestFirst(List items) {
  LargeVector<std::size_t> depth(items.size());
  std::size_t deepest = 0;
  for (std::size_t i = 0; i < items.size(); ++i) deepest = std::max(deepest, depth[i] = SeparatorCount(items[i]));
  // Where each depth's run begins, deepest at the front.
  std::vector<std::size_t> next(deepest + 2, 0);
  for (const std::size_t d : depth) ++next[deepest - d + 1];
  for (std::size_t k = 1; k < next.size(); ++k) next[k] += next[k - 1];
  List sorted(items.size());
  for (std::size_t i = items.size(); i-- > 0;) sorted[next[deepest - depth[i]]++] = std::move(items[i]);
  return sorted;
}

}  // namespace

std::vector<std::string> RenameOrder(std::vector<std::string> items, bool simulate) {
  return simulate ? items : DeepestFirst(std::move(items));
}

LargeVector<std::string_view> RenameOrder(LargeVector<std::string_view> items, bool simulate) {
  return simulate ? items : DeepestFirst(std::move(items));
}

FolderRenamer::~FolderRenamer() {
  if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
}

namespace {

struct ParentName {
  std::string_view parent, name;
};

// A plain name in a folder that is not a drive's root, or nothing.
std::optional<ParentName> InFolder(std::string_view path) {
  const std::size_t cut = LastSeparator(path);
  if (cut == std::string_view::npos) return std::nullopt;
  const std::string_view parent = path.substr(0, cut), name = path.substr(cut + 1);
  if (parent.size() <= 2 || parent.back() == ':' || name.empty() || name == "." || name == "..") return std::nullopt;
  return ParentName{parent, name};
}

}  // namespace

FsResult FolderRenamer::Rename(std::string_view from, std::string_view to) {
  const auto source = InFolder(from), target = InFolder(to);
  if (!source || !target || source->parent != target->parent) return fs_.RenameFolder(from, to);
  if (handle_ == kNoFolderHandle || open_ != source->parent) {
    if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
    handle_ = kNoFolderHandle;
    open_.assign(source->parent);
    if (!fs_.OpenFolder(open_, &handle_).ok()) {
      // The paths give the reason, as they would have without the folder.
      handle_ = kNoFolderHandle;
      return fs_.RenameFolder(from, to);
    }
  }
  return fs_.RenameFolderIn(handle_, source->name, target->name);
}

void RenameOne(FolderRenamer& renamer, FileSystem& fs, const DriveMap& drives, std::string_view item,
               const RenameOptions& options, bool simulate, SimulatedRenames* taken, const OutcomeSink& sink) {
  const RenameMode mode(renamer, fs, drives, simulate, taken);
  ItemOutcome outcome;
  RenameClass verdict = RenameClass::NoFolderPath;
  std::string normalized;
  const auto [source, folderPath] = mode.Admit(item, normalized);
  std::string target;
  if (folderPath) {
    target = ComposeNewPath(source, options);
    if (TooLong(target))
      verdict = fs.DirectoryExists(source) ? RenameClass::TooLong : RenameClass::SourceMissing;
    else
      verdict = mode.Attempt(source, target, outcome.detail);
  }
  const ClassOutcome shown = OutcomeOf(verdict);
  outcome.kind = shown.kind;
  outcome.list = static_cast<std::size_t>(shown.list);
  outcome.Count(Id(shown.counter));
  if (verdict == RenameClass::Renamed && mode.Records()) {
    outcome.path = std::move(target);  // the new path is listed, and recorded from there
    outcome.renamed.emplace(source, std::string_view());
  } else if (shown.listsTarget) {
    outcome.path = std::move(target);
  } else {
    outcome.path = simulate ? std::move(normalized) : std::string(source);
  }
  sink(std::move(outcome));
}

}  // namespace quillory
