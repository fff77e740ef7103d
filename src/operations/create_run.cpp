#include "operations/create_run.h"

#include <algorithm>
#include <utility>

#include "lists/line_splitter.h"
#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"

namespace quillory {

namespace {

// Without its path, which the maker's callers give it.
MainFolderResult Refusal(std::string why) {
  MainFolderResult out;
  out.kind = OutcomeKind::Other;
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
    const std::size_t cut = LastSeparator(path);
    out->madeHere = MadeIdentity{made.identity, static_cast<std::uint32_t>(cut == std::string::npos ? 0 : cut)};
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
    std::size_t end = FirstSeparator(relative, start);
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

namespace {

// The run's refusals of a folder below the destination, before the disk is
// touched. One name (`single`: no separator in `relative`) is the common
// case; it needs no list of names.
std::optional<std::string> RefusedBelow(std::string_view relative, bool single, const std::string& path) {
  if (!single) return RefusedNames(path, SplitNames(relative));
  if (relative.empty()) return "no folder name";
  if (relative == "." || relative == ".." || relative.size() > kMaxNameBytes || path.size() > kMaxHostPathBytes ||
      HoldsControlOrDelete(relative))
    return RefusedNames(path, {std::string(relative)});
  return std::nullopt;
}

// The run's refusals of a path typed whole; its "." and ".." names are
// resolved as the platform resolves them.
std::optional<std::string> RefusedWhole(const std::string& path) {
  if (path.size() > kMaxHostPathBytes) return "the path is longer than 4095 bytes";
  if (HoldsControlOrDelete(path)) return "a name holds a control character";
  return std::nullopt;
}

}  // namespace

MainFolderMaker::~MainFolderMaker() {
  if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
}

// The path is moved, not copied, into the result: once per item of a run.
MainFolderResult MainFolderMaker::Make(CreationTarget target) {
  MainFolderResult out =
      target.how == CreationTarget::How::Below
          ? MakeBelow(target.destination, std::string_view(target.path).substr(target.relativeAt), target.path)
          : MakeWhole(target.path);
  out.path = std::move(target.path);
  return out;
}

MainFolderResult MainFolderMaker::Below(std::string_view destination, std::string_view relative,
                                        const std::string& path) {
  MainFolderResult out = MakeBelow(destination, relative, path);
  out.path = path;
  return out;
}

MainFolderResult MainFolderMaker::Whole(const std::string& path) {
  MainFolderResult out = MakeWhole(path);
  out.path = path;
  return out;
}

// What a simulation says of a main folder the run would go on to make: the
// one place where the two differ. It makes nothing, so it tests where the
// run has the creation's answer: a folder there already is found by asking
// for it (a file or link in the way, at which the creation fails, is not
// seen), and a typed path holding a name longer than the host allows, at
// which the run's creation fails, is refused beforehand.
MainFolderResult MainFolderMaker::Simulated(const std::string& path, bool whole) {
  if (whole)
    for (const std::string& name : SplitNames(std::string_view(path).substr(std::min<std::size_t>(2, path.size()))))
      if (name.size() > kMaxNameBytes) return Refusal("a name is longer than 255 bytes");
  MainFolderResult out;
  out.kind = fs_.DirectoryExists(path) ? OutcomeKind::AlreadyExists : OutcomeKind::Done;
  return out;
}

FolderHandle MainFolderMaker::Destination(std::string_view destination, MadeFolders* made,
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

MainFolderResult MainFolderMaker::MakeBelow(std::string_view destination, std::string_view relative,
                                            const std::string& path) {
  const bool single = FirstSeparator(relative) == std::string_view::npos;
  if (auto why = RefusedBelow(relative, single, path)) return Refusal(std::move(*why));
  if (simulate_) return Simulated(path, false);
  MainFolderResult out;
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

MainFolderResult MainFolderMaker::MakeWhole(const std::string& path) {
  if (auto why = RefusedWhole(path)) return Refusal(std::move(*why));
  if (simulate_) return Simulated(path, true);
  MainFolderResult out;
  // Lists hold many folders of one parent in a row: the parent stays open
  // and each new name is one creation in it.
  const std::size_t cut = LastSeparator(path);
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
  if (!plain || open_ == parent) {
    Take(fs_.CreateFolders(path), &out);
    return out;
  }
  // A new parent: the creation hands over the folder it made the name in.
  FolderHandle opened = kNoFolderHandle;
  CreateResult made = fs_.CreateFoldersOpeningParent(path, &opened);
  if (made.ok()) {
    if (handle_ != kNoFolderHandle) fs_.CloseFolder(handle_);
    handle_ = opened;
    if (handle_ != kNoFolderHandle)
      open_.assign(parent);
    else
      open_.clear();
  }
  Take(std::move(made), &out);
  return out;
}

ItemOutcome MainFolderOutcome(MainFolderResult&& result, const MainFolderRules& rules, bool withTotals) {
  using C = CreateCounter;
  ItemOutcome out;
  out.detail = std::move(result.detail);
  const auto addTotals = [&](C folders, C files, C bytes) {
    out.Count(Id(folders), rules.totals.folders);
    out.Count(Id(files), rules.totals.files);
    out.Count(Id(bytes), rules.totals.bytes);
  };
  switch (result.kind) {
    case OutcomeKind::Done:
      out.kind = OutcomeKind::Done;
      out.path = std::move(result.path);
      out.list = static_cast<std::size_t>(CreateList::FoldersCreated);
      out.record = RecordSlot::MainFolder;
      out.made = std::move(result.made);
      out.madeHere = result.madeHere;
      out.madeMain = true;
      out.Count(Id(C::FoldersCreated));
      break;
    case OutcomeKind::AlreadyExists:
      out.kind = OutcomeKind::AlreadyExists;
      out.path = std::move(result.path);
      out.list = static_cast<std::size_t>(CreateList::FoldersExists);
      out.record = RecordSlot::ExistingMainFolder;
      out.Count(Id(C::FoldersExists));
      if (rules.existsAddsTotals) addTotals(C::SubFoldersExists, C::FilesExists, C::FilesSizeExists);
      break;
    default:
      out.kind = OutcomeKind::Other;
      // A control character would break the line-based lists and exports.
      out.path = ShownWithoutControls(result.path);
      out.list = static_cast<std::size_t>(CreateList::FoldersOther);
      out.record = RecordSlot::OtherMainFolder;
      out.Count(Id(C::FoldersOther));
      if (rules.otherAddsTotals || withTotals) addTotals(C::SubFoldersOther, C::FilesOther, C::FilesSizeOther);
      break;
  }
  return out;
}

void CreateRecords::Clear() {
  createdMainFolders.clear();
  existingMainFolders.clear();
  otherMainFolders.clear();
  madeMainFolders.clear();
  attached.Clear();
}

// --------------------------------------------------------------- attaching

std::vector<std::string> MissingStructures(const AttachSetup& setup, FileSystem& fs) {
  std::vector<std::string> missing;
  if (setup.kind != SourceKind::Structures) return missing;
  for (const std::string& item : setup.items) {
    std::string source = Trim(item);
    if (!source.empty() && (!HasDrive(source) || !fs.DirectoryExists(source))) missing.push_back(std::move(source));
  }
  return missing;
}

Attacher::Attacher(FileSystem& fs, AttachSetup setup)
    : fs_(fs), setup_(std::move(setup)), missing_(MissingStructures(setup_, fs_)) {
  if (setup_.kind != SourceKind::Structures) return;
  for (const std::string& item : setup_.items) {
    const std::string source = Trim(item);
    // A structure that names no drive, or is no longer there, is passed over.
    if (!HasDrive(source)) continue;
    auto snapshot = std::make_unique<StructureSnapshot>(StructureSnapshot::Read(fs_, source));
    if (snapshot->Opened()) structures_.push_back(std::move(snapshot));
  }
}

ItemOutcome Attacher::Outcome(const AttachStep& step) const {
  return setup_.variant == AttachVariant::CopyPage ? CopyPageStepOutcome(step)
                                                   : CreatePageStepOutcome(step, setup_.createRules);
}

bool Attacher::AttachTo(const std::string& target, const OutcomeSink& sink, const std::string& numberSuffix) {
  if (setup_.kind == SourceKind::Nothing) return false;
  bool received = false;
  const bool copyPage = setup_.variant == AttachVariant::CopyPage;
  const StepSink steps = [&](const AttachStep& step) { sink(Outcome(step)); };
  const auto refuse = [&](std::string text, const std::string& caption, ItemMessage::Kind kind) {
    ItemOutcome out;
    out.kind = OutcomeKind::Other;
    out.path = target;
    out.message = ItemMessage{std::move(text), caption, kind};
    sink(std::move(out));
  };
  if (setup_.kind == SourceKind::Structures) {
    for (const auto& structure : structures_) {
      SourceCheck check = CheckSourceNotTarget(target, structure->Source());
      if (check.refused) {
        refuse(std::move(check.message), setup_.structureRefusedCaption,
               copyPage ? ItemMessage::Kind::Information : ItemMessage::Kind::Warning);
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
        SimulateExistingStructure(request, steps, copyPage ? &fs_ : nullptr);
      else
        CopyExistingStructure(fs_, request, steps);
      received = true;
    }
    // A missing structure that is the folder just made is refused there, as
    // one copied into itself is. The copy page's destinations were there
    // before the run: it only names its missing structures.
    if (!copyPage)
      for (const std::string& source : missing_)
        if (SourceCheck check = CheckSourceNotTarget(target, source); check.refused)
          refuse(std::move(check.message), setup_.structureRefusedCaption, ItemMessage::Kind::Warning);
    return received;
  }
  for (const std::string& line : setup_.items) {
    SourceCheck check = CheckSourceNotTarget(target, line);
    if (check.refused) {
      refuse(std::move(check.message), setup_.templateRefusedCaption, ItemMessage::Kind::Warning);
      continue;
    }
    if (!setup_.simulate) {
      const AttachStep step =
          ApplyTemplateLine(fs_, target, line, setup_.templateKind, setup_.variant, steps, numberSuffix);
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
    steps(step);
  }
  return received;
}

// --------------------------------------------------------------- the run

CreateEngine::CreateEngine(FileSystem& fs, AttachSetup attach, MainFolderRules rules)
    : fs_(fs), simulate_(attach.simulate), maker_(fs, attach.simulate), attacher_(fs, std::move(attach)), rules_(rules) {}

std::function<void(CreationTarget, const OutcomeSink&)> CreateEngine::Worker() {
  auto maker = std::make_shared<MainFolderMaker>(fs_, simulate_);
  return [this, maker](CreationTarget target, const OutcomeSink& sink) { One(*maker, std::move(target), sink); };
}

void CreateEngine::One(MainFolderMaker& maker, CreationTarget&& target, const OutcomeSink& sink) {
  if (target.how == CreationTarget::How::Refused) {
    MainFolderResult refused;
    refused.path = std::move(target.path);
    sink(MainFolderOutcome(std::move(refused), rules_, target.refusedWithTotals));
    return;
  }
  std::string numberSuffix = std::move(target.numberSuffix);
  MainFolderResult made = maker.Make(std::move(target));
  if (!made.parentsMade.empty()) {
    // A missing destination made on the way: undone with the main folders,
    // counted nowhere.
    ItemOutcome parents;
    parents.made = std::move(made.parentsMade);
    parents.madeMain = true;
    sink(std::move(parents));
  }
  if (made.kind != OutcomeKind::Done || !attacher_.AttachesAnything()) {
    sink(MainFolderOutcome(std::move(made), rules_));
    return;
  }
  const std::string path = made.path;
  sink(MainFolderOutcome(std::move(made), rules_));
  attacher_.AttachTo(path, sink, numberSuffix);
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
void ForEachLineItem(const TextList& lines, bool many, const std::vector<std::string>& separators, bool paths,
                     const Take& take) {
  if (!many) {
    for (const std::string_view line : lines) take(std::string(line));
    return;
  }
  const std::string set = SeparatorSet(separators, paths);
  for (const std::string_view line : lines) {
    for (std::string& piece : TokenSplit(line, set)) {
      std::string item = Trim(AbandonQuotationMarks(piece));
      if (!item.empty()) take(std::move(item));
    }
  }
}

}  // namespace

TextList LineItems(const TextList& lines, bool many, const std::vector<std::string>& separators, bool paths) {
  TextList items;
  items.reserve(lines.size());
  ForEachLineItem(lines, many, separators, paths, [&](std::string item) { items.push_back(item); });
  return items;
}

std::size_t LineItemCount(const TextList& lines, bool many,
                          const std::vector<std::string>& separators, bool paths) {
  if (!many) return lines.size();
  std::size_t count = 0;
  ForEachLineItem(lines, many, separators, paths, [&](std::string) { ++count; });
  return count;
}

bool IsFullPathCandidate(const std::string& candidate, const DriveMap& drives) {
  std::string message;
  return candidate.size() <= kMaxSimulatedPathChars && CheckColons(candidate, message) &&
         ValidateFullFolderPath(candidate, true, drives, message);
}

}  // namespace quillory
