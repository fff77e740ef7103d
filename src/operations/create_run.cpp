#include "operations/create_run.h"

#include <utility>

#include "app/ui.h"
#include "lists/line_splitter.h"
#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "undo/run_journal.h"

namespace quillory {

namespace {

MainFolderResult Refusal(std::string path, std::string why) {
  MainFolderResult out;
  out.kind = OutcomeKind::Other;
  out.path = std::move(path);
  out.detail = std::move(why);
  return out;
}

// What one creation came to: made, found there, or why not. The folder it
// was made in, `path` up to its last separator, is the one aimed at.
void Take(const SubfolderResult& made, const std::string& path, MainFolderResult* out) {
  if (!made.ok()) {
    out->detail = made.result.message;
  } else if (made.made) {
    out->kind = OutcomeKind::Done;
    const std::size_t cut = path.find_last_of("\\/");
    out->made.push_back(MadeFolder{path, made.identity, static_cast<std::uint32_t>(cut == std::string::npos ? 0 : cut)});
  } else {
    out->kind = OutcomeKind::AlreadyExists;
  }
}

void Take(CreateResult&& made, MainFolderResult* out) {
  if (!made.ok()) {
    out->detail = made.result.message;
  } else if (made.made.empty()) {
    out->kind = OutcomeKind::AlreadyExists;
  } else {
    out->kind = OutcomeKind::Done;
    out->made = std::move(made.made);
  }
}

}  // namespace

const char* const kSimulationQuestion =
    "Simulation shows you the complete Folder Creation process \nwithout actually creating them on the hard "
    "drive.\n\nThis allows you to see the process in real time, eliminate errors or export\nResult Folder/File "
    "lists - all without compromising existing Folder Structures.\n";
const char* const kSimulationEnd =
    "End of Simulation !!!\n\nNo actual Folders were Created because of Simulation.\nThe purpose of the "
    "Simulation is to show the Complete Folder creation process\n without actually creating them on the hard "
    "drive.\n\nIf You want to Create Folders, use the Create Folders button.";

std::vector<std::string> SplitNames(std::string_view relative) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    if (end > start) names.emplace_back(relative.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

std::optional<std::string> RefusedNames(const std::string& path, const std::vector<std::string>& names) {
  if (names.empty()) return "no folder name";
  for (const std::string& name : names) {
    if (name == "." || name == "..") return "a \"" + name + "\" name would leave the destination";
    if (name.size() > kMaxNameBytes) return "a name is longer than 255 bytes";
    if (HoldsControlOrDelete(name)) return "a name holds a control character";
  }
  if (path.size() > kMaxHostPathBytes) return "the path is longer than 4095 bytes";
  return std::nullopt;
}

// ------------------------------------------------------------ main folders

MainFolderMaker::~MainFolderMaker() {
  if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
}

FolderHandle MainFolderMaker::Destination(std::string_view destination, std::vector<MadeFolder>* made,
                                          FsResult* failure) {
  if (handle_ != kNoFolderHandle && open_ == destination) return handle_;
  const std::string path(destination);
  if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
  handle_ = kNoFolderHandle;
  open_ = path;
  FsResult opened = fs_.OpenFolder(path, &handle_);
  if (opened.error == FsError::NotFound) {
    CreateResult parents = fs_.CreateFolders(path);
    *made = std::move(parents.made);
    if (!parents.ok()) {
      *failure = parents.result;
      handle_ = kNoFolderHandle;
      return handle_;
    }
    opened = fs_.OpenFolder(path, &handle_);
  }
  if (!opened.ok()) {
    *failure = opened;
    handle_ = kNoFolderHandle;
  }
  return handle_;
}

MainFolderResult MainFolderMaker::Below(std::string_view destination, std::string_view relative,
                                        const std::string& path) {
  // One name is the common case; it needs no list of names.
  const bool single = relative.find_first_of("\\/") == std::string_view::npos;
  if (single) {
    if (relative.empty() || relative == "." || relative == ".." || relative.size() > kMaxNameBytes ||
        path.size() > kMaxHostPathBytes || HoldsControlOrDelete(relative))
      return Refusal(path, *RefusedNames(path, {std::string(relative)}));
  } else if (auto why = RefusedNames(path, SplitNames(relative))) {
    return Refusal(path, *why);
  }
  MainFolderResult out;
  out.path = path;
  FsResult failure;
  const FolderHandle folder = Destination(destination, &out.parentsMade, &failure);
  if (folder == kNoFolderHandle) {
    out.detail = failure.message;
    return out;
  }
  if (single) {
    const SubfolderResult made = fs_.MakeSubfolder(folder, relative);
    Take(made, path, &out);
    return out;
  }
  CreateResult made = fs_.CreateFoldersBelow(destination, relative);
  Take(std::move(made), &out);
  return out;
}

MainFolderResult MainFolderMaker::Whole(const std::string& path) {
  if (path.size() > kMaxHostPathBytes) return Refusal(path, "the path is longer than 4095 bytes");
  if (HoldsControlOrDelete(path)) return Refusal(path, "a name holds a control character");
  MainFolderResult out;
  out.path = path;
  // Lists hold many folders of one parent in a row: the parent stays open
  // and each new name is one creation in it.
  const std::size_t cut = path.find_last_of("\\/");
  const std::string_view parent = cut == std::string::npos ? std::string_view() : std::string_view(path).substr(0, cut);
  const std::string_view name = cut == std::string::npos ? std::string_view() : std::string_view(path).substr(cut + 1);
  const bool plain = !parent.empty() && !name.empty() && name != "." && name != ".." && name.size() <= kMaxNameBytes;
  if (plain && handle_ != kNoFolderHandle && open_ == parent) {
    const SubfolderResult made = fs_.MakeSubfolder(handle_, name);
    // A link there is resolved as a typed path resolves it: the long way.
    if (made.result.error != FsError::Link) {
      Take(made, path, &out);
      return out;
    }
  }
  CreateResult made = fs_.CreateFolders(path);
  if (plain && made.ok() && open_ != parent) {
    if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
    handle_ = kNoFolderHandle;
    open_.assign(parent);
    if (!fs_.OpenFolder(open_, &handle_).ok()) {
      handle_ = kNoFolderHandle;
      open_.clear();
    }
  }
  Take(std::move(made), &out);
  return out;
}

// ---------------------------------------------------------------- counting

void CreateRecords::Clear() {
  createdMainFolders.clear();
  existingMainFolders.clear();
  otherMainFolders.clear();
  madeMainFolders.clear();
  attached.Clear();
}

CreateRecorder::CreateRecorder(PageKey page, OperationStatistics& stats, CreateRecords& records, VisualLogs* logs,
                               Ui* ui)
    : page_(page), stats_(stats), records_(records), logs_(logs), attach_(page, stats, records.attached, logs, ui) {}

void CreateRecorder::SetTotals(Totals totals, bool onExists, bool onOther) {
  totals_ = totals;
  onExists_ = onExists;
  onOther_ = onOther;
}

void CreateRecorder::AddTotals() {
  stats_.Add("SubFoldersOther", totals_.folders);
  stats_.Add("FilesOther", totals_.files);
  stats_.Add("FilesSizeOther", totals_.bytes);
}

void CreateRecorder::Created(const std::string& path, std::vector<MadeFolder>&& made) {
  stats_.Add("FoldersCreated", 1);
  records_.createdMainFolders.push_back(path);
  if (RunJournal* journal = attach_.Journal()) {
    journal->Note(JournalRecord::Main, path);
    for (const MadeFolder& folder : made) journal->Note(JournalRecord::MainMade, folder);
  }
  if (made.size() == 1)
    records_.madeMainFolders.push_back(std::move(made.front()));
  else
    records_.madeMainFolders.insert(records_.madeMainFolders.end(), std::make_move_iterator(made.begin()),
                                    std::make_move_iterator(made.end()));
  if (logs_ != nullptr) logs_->AddResult(page_, CreateList::FoldersCreated, path);
  attach_.Tick();
}

void CreateRecorder::Exists(const std::string& path) {
  stats_.Add("FoldersExists", 1);
  if (onExists_) {
    stats_.Add("SubFoldersExists", totals_.folders);
    stats_.Add("FilesExists", totals_.files);
    stats_.Add("FilesSizeExists", totals_.bytes);
  }
  records_.existingMainFolders.push_back(path);
  if (logs_ != nullptr) logs_->AddResult(page_, CreateList::FoldersExists, path);
  attach_.Tick();
}

void CreateRecorder::Other(const std::string& text, bool withTotals) {
  stats_.Add("FoldersOther", 1);
  if (onOther_ || withTotals) AddTotals();
  // A control character would break the line-based lists and exports.
  std::string shown = ShownWithoutControls(text);
  if (logs_ != nullptr) logs_->AddResult(page_, CreateList::FoldersOther, shown);
  records_.otherMainFolders.push_back(std::move(shown));
  attach_.Tick();
}

void CreateRecorder::Made(const std::vector<MadeFolder>& made) {
  if (RunJournal* journal = attach_.Journal())
    for (const MadeFolder& folder : made) journal->Note(JournalRecord::MainMade, folder);
  records_.madeMainFolders.insert(records_.madeMainFolders.end(), made.begin(), made.end());
}

// --------------------------------------------------------------- attaching

Attacher::Attacher(FileSystem& fs, Ui& ui, AttachSetup setup) : fs_(fs), ui_(ui), setup_(std::move(setup)) {
  if (setup_.kind != SourceKind::Structures) return;
  for (const std::string& item : setup_.items) {
    const std::string source = Trim(item);
    // A structure that names no drive, or is no longer there, is passed over.
    if (!HasDrive(source)) continue;
    auto snapshot = std::make_unique<StructureSnapshot>(StructureSnapshot::Read(fs_, source));
    if (snapshot->Opened()) structures_.push_back(std::move(snapshot));
  }
}

bool Attacher::AttachTo(const std::string& target, const StepSink& sink, const std::string& numberSuffix) {
  bool received = false;
  const bool copyPage = setup_.variant == AttachVariant::CopyPage;
  if (setup_.kind == SourceKind::Structures) {
    for (const auto& structure : structures_) {
      const SourceCheck check = CheckSourceNotTarget(target, structure->Source());
      if (check.refused) {
        ui_.ShowMessageBox(check.message, setup_.structureRefusedCaption,
                           copyPage ? MessageKind::Information : MessageKind::Warning);
        continue;
      }
      CopyRequest request;
      request.structure = structure.get();
      request.target = target;
      request.mode = setup_.mode;
      request.variant = setup_.variant;
      request.overwriteFiles = setup_.overwriteFiles;
      request.masks = setup_.masks;
      request.sizeMap = setup_.sizeMap;
      if (setup_.simulate)
        // The create pages' targets are new; the copy page's exist.
        SimulateExistingStructure(request, sink, copyPage ? &fs_ : nullptr);
      else
        CopyExistingStructure(fs_, request, sink);
      received = true;
    }
  } else if (setup_.kind == SourceKind::Templates) {
    for (const std::string& line : setup_.items) {
      const SourceCheck check = CheckSourceNotTarget(target, line);
      if (check.refused) {
        ui_.ShowMessageBox(check.message, setup_.templateRefusedCaption, MessageKind::Warning);
        continue;
      }
      if (!setup_.simulate) {
        const AttachStep step =
            ApplyTemplateLine(fs_, target, line, setup_.templateKind, setup_.variant, sink, numberSuffix);
        received = received || step.kind == StepKind::TemplateCreated;
        continue;
      }
      AttachStep step;
      const std::optional<std::string> path = TemplateTargetPath(target, line, setup_.templateKind, numberSuffix);
      if (!path) {
        step.kind = StepKind::TemplateRejected;
        step.path = ShownWithoutControls(line);
      } else {
        step.path = *path;
        // The create pages count a template folder found there as existing.
        step.kind = !fs_.DirectoryExists(*path) ? StepKind::TemplateCreated
                    : copyPage                  ? StepKind::TemplateExists
                                                : StepKind::TemplateFailed;
      }
      received = received || step.kind == StepKind::TemplateCreated;
      sink(step);
    }
  }
  return received;
}

// ----------------------------------------------------------------- items

namespace {

// The characters the import's list cuts at; "space" and blank entries stand
// for one blank.
std::string SeparatorSet(const std::vector<std::string>& separators, bool paths) {
  std::string set;
  for (const std::string& entry : separators) {
    const std::string t = Trim(entry);
    if (t.empty() || CaseFold(t) == "space") {
      if (!entry.empty()) set += ' ';
      continue;
    }
    for (char c : t)
      if (!paths || (c != ':' && c != '\\' && c != '/' && c != '.')) set += c;
  }
  return set;
}

template <class Take>
void ForEachLineItem(const std::vector<std::string>& lines, bool many, const std::vector<std::string>& separators,
                     bool paths, const Take& take) {
  if (!many) {
    for (const std::string& line : lines) take(std::string(line));
    return;
  }
  const std::string set = SeparatorSet(separators, paths);
  for (const std::string& line : lines) {
    for (std::string& piece : TokenSplit(line, set)) {
      std::string item = Trim(AbandonQuotationMarks(piece));
      if (!item.empty()) take(std::move(item));
    }
  }
}

}  // namespace

std::vector<std::string> LineItems(const std::vector<std::string>& lines, bool many,
                                   const std::vector<std::string>& separators, bool paths) {
  std::vector<std::string> items;
  items.reserve(lines.size());
  ForEachLineItem(lines, many, separators, paths, [&](std::string item) { items.push_back(std::move(item)); });
  return items;
}

std::size_t LineItemCount(const std::vector<std::string>& lines, bool many,
                          const std::vector<std::string>& separators, bool paths) {
  if (!many) return lines.size();
  std::size_t count = 0;
  ForEachLineItem(lines, many, separators, paths, [&](std::string) { ++count; });
  return count;
}

bool IsFullPathCandidate(const std::string& candidate) {
  std::string message;
  return candidate.size() <= kMaxSimulatedPathChars && CheckColons(candidate, message) &&
         ValidateFullFolderPath(candidate, true, message);
}

}  // namespace quillory
