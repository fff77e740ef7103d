#include "operations/attach_engine.h"

#include <map>
#include <memory>
#include <utility>

#include "names/folder_names.h"
#include "platform/text.h"
#include "results/operation_statistics.h"
#include "tree/examine_sub_folders.h"

namespace quillory {

namespace {

constexpr std::string_view kEmptyText =
    "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.";
constexpr std::string_view kIllegal = "Illegal characters in the text : ";

std::string Join(const std::string& folder, std::string_view name) {
  if (name.empty()) return folder;
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  path.append(name);
  return path;
}

bool IsDriveRoot(std::string_view path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

// Trailing separators go, but a drive root keeps its own.
std::string WithoutTrailingSeparators(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/') && !IsDriveRoot(path)) path.pop_back();
  return path;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool SameCaseBlind(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  }
  return CaseFold(a) == CaseFold(b);
}

// Every occurrence of `from`, compared case-blind, replaced by `to`.
std::string ReplaceCaseBlind(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    if (i + from.size() <= s.size() && SameCaseBlind(s.substr(i, from.size()), from)) {
      out.append(to);
      i += from.size();
    } else {
      out += s[i++];
    }
  }
  return out;
}

// The names of a relative path, '/' and '\' both separating, empty names
// dropped; false when one of them would leave the folder it is joined to.
bool RelativeNames(std::string_view relative, std::vector<std::string>* names) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = relative.size();
    if (end > start) {
      const std::string_view name = relative.substr(start, end - start);
      if (name == "." || name == "..") return false;
      names->emplace_back(name);
    }
    start = end + 1;
  }
  return true;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += '\\';
    out += name;
  }
  return out;
}

// Opens the folders of a snapshot one after the other, keeping open only the
// chain from the root to the last one: in breadth-first order the next
// folder is mostly a sibling, one open away, and however wide the tree the
// descriptors held stay as many as it is deep. A folder that cannot be
// opened gives kNoFolderHandle, and so do the folders below it.
class FolderChain {
 public:
  FolderChain(FileSystem& fs, const std::vector<StructureSnapshot::Folder>& folders, FolderHandle root)
      : fs_(fs), folders_(folders) {
    stack_.emplace_back(0, root);
  }
  FolderChain(const FolderChain&) = delete;
  FolderChain& operator=(const FolderChain&) = delete;
  ~FolderChain() {
    while (!stack_.empty()) Pop();
  }

  FolderHandle Open(std::uint32_t index) {
    const std::uint32_t depth = folders_[index].depth;
    ancestors_.assign(depth + 1, 0);
    for (std::uint32_t k = depth, at = index; k > 0; --k) {
      ancestors_[k] = at;
      at = folders_[at].parent;
    }
    while (stack_.size() > depth + 1 || stack_.back().first != ancestors_[stack_.size() - 1]) Pop();
    while (stack_.size() <= depth) {
      const std::uint32_t next = ancestors_[stack_.size()];
      FolderHandle handle = kNoFolderHandle;
      if (stack_.back().second != kNoFolderHandle)
        if (!fs_.OpenSubfolder(stack_.back().second, folders_[next].name, &handle).ok()) handle = kNoFolderHandle;
      stack_.emplace_back(next, handle);
    }
    return stack_.back().second;
  }

 private:
  void Pop() {
    if (stack_.back().second != kNoFolderHandle) fs_.CloseFolder(stack_.back().second);
    stack_.pop_back();
  }

  FileSystem& fs_;
  const std::vector<StructureSnapshot::Folder>& folders_;
  std::vector<std::pair<std::uint32_t, FolderHandle>> stack_;
  std::vector<std::uint32_t> ancestors_;
};

// A handle closed when it goes.
struct OpenFolderHandle {
  FileSystem& fs;
  FolderHandle handle = kNoFolderHandle;
  ~OpenFolderHandle() {
    if (handle != kNoFolderHandle) fs.CloseFolder(handle);
  }
  FolderHandle Release() { return std::exchange(handle, kNoFolderHandle); }
};

class StructureCopy {
 public:
  StructureCopy(FileSystem& fs, const CopyRequest& request, const StepSink& sink)
      : fs_(fs), request_(request), snapshot_(*request.structure), sink_(sink) {}

  void Run() {
    const std::string target = WithoutTrailingSeparators(Trim(request_.target));
    within_ = static_cast<std::uint32_t>(target.size());
    const bool main = MainFolderMode(request_.mode);
    const std::string last = main ? LastComponent(snapshot_.Source()) : std::string();
    base_ = Join(target, last);
    if (last == "." || last == "..") {
      // It would land beside the target, or above it.
      Emit(StepKind::SubfolderFailed, base_, FsError::InvalidName, "the structure's name leaves the target");
      return;
    }
    CreateBase(target, last);
    if (!snapshot_.Opened()) return;

    OpenFolderHandle targetRoot{fs_};
    if (last.empty()) {
      fs_.OpenFolder(target, &targetRoot.handle);
    } else {
      OpenFolderHandle parent{fs_};
      if (fs_.OpenFolder(target, &parent.handle).ok())
        fs_.OpenSubfolder(parent.handle, last, &targetRoot.handle);
    }
    OpenFolderHandle sourceRoot{fs_};
    if (WithFiles(request_.mode)) fs_.OpenFolder(snapshot_.Source(), &sourceRoot.handle);

    FolderChain targets(fs_, snapshot_.Folders(), targetRoot.Release());
    FolderChain sources(fs_, snapshot_.Folders(), sourceRoot.Release());
    const auto& folders = snapshot_.Folders();
    for (std::uint32_t i = 0; i < folders.size(); ++i) {
      const StructureSnapshot::Folder& folder = folders[i];
      // A folder that receives nothing is not even opened: in a copy without
      // files that spares an open and a close for every leaf.
      if (folder.subfolders == 0 && (folder.entries.empty() || !WithFiles(request_.mode))) continue;
      const std::string targetFolder = Join(base_, folder.relative);
      const FolderHandle to = targets.Open(i);
      // The source folder is opened only for a file not held in memory.
      const auto source = [&sources, i] { return sources.Open(i); };
      if (request_.variant == AttachVariant::CreatePage) {
        // The subfolders are made together (the host may read their
        // identities at once); the steps still come in the folder's order.
        MakeFolders(to, folder);
        std::size_t made = 0;
        for (const auto& entry : folder.entries) {
          if (entry.kind == StructureSnapshot::EntryKind::Folder)
            EmitFolder(to, targetFolder, entry.name, made++);
          else if (WithFiles(request_.mode))
            CopyFile(source, to, i, targetFolder, entry, request_.overwriteFiles);
        }
        continue;
      }
      // The copy page: the files first, mask by mask, never overwriting; a
      // file two masks match is tried twice and the second try finds it.
      if (WithFiles(request_.mode))
        for (const std::string& mask : request_.masks)
          for (const auto& entry : folder.entries)
            if (entry.kind != StructureSnapshot::EntryKind::Folder && MatchesMask(entry.name, mask))
              CopyFile(source, to, i, targetFolder, entry, false);
      MakeFolders(to, folder);
      std::size_t made = 0;
      for (const auto& entry : folder.entries)
        if (entry.kind == StructureSnapshot::EntryKind::Folder) EmitFolder(to, targetFolder, entry.name, made++);
    }
  }

 private:
  void CreateBase(const std::string& target, const std::string& last) {
    CreateResult made;
    if (last.empty()) {
      made = fs_.CreateFolders(target);
    } else {
      // The name is made from the target's descriptor: a link there is not
      // passed through. A target that is not there yet is made first.
      made = fs_.CreateFoldersBelow(target, last);
      if (made.result.error == FsError::NotFound) {
        CreateResult parents = fs_.CreateFolders(target);
        if (parents.ok()) {
          made = fs_.CreateFoldersBelow(target, last);
          made.made.insert(made.made.begin(), parents.made.begin(), parents.made.end());
        }
      }
    }
    if (!made.ok()) return;  // counts nothing; the walk below still runs
    if (!made.made.empty()) {
      AttachStep step;
      step.kind = StepKind::BaseCreated;
      step.path = base_;
      step.made = std::move(made.made);
      sink_(step);
    } else if (request_.variant == AttachVariant::CopyPage && MainFolderMode(request_.mode)) {
      Emit(StepKind::BaseExists, base_);
    }
  }

  void MakeFolders(FolderHandle to, const StructureSnapshot::Folder& folder) {
    made_.clear();
    if (to == kNoFolderHandle || folder.subfolders == 0) return;
    names_.clear();
    for (const auto& entry : folder.entries)
      if (entry.kind == StructureSnapshot::EntryKind::Folder) names_.emplace_back(entry.name);
    fs_.MakeSubfolders(to, names_, &made_);
  }

  // The step of the `index`th subfolder of the folder MakeFolders made.
  void EmitFolder(FolderHandle to, const std::string& targetFolder, const std::string& name, std::size_t index) {
    AttachStep step;
    step.path = Join(targetFolder, name);
    if (to == kNoFolderHandle || index >= made_.size()) {
      step.kind = StepKind::SubfolderFailed;
      step.error = FsError::NotFound;
      step.detail = "the folder above it is not there";
      sink_(step);
      return;
    }
    const SubfolderResult& made = made_[index];
    if (!made.ok()) {
      step.kind = StepKind::SubfolderFailed;
      step.error = made.result.error;
      step.detail = made.result.message;
    } else if (made.made) {
      step.kind = StepKind::SubfolderCreated;
      step.made.push_back(MadeFolder{step.path, made.identity, within_});
    } else {
      step.kind = StepKind::SubfolderExists;
    }
    sink_(step);
  }

  template <class Source>
  void CopyFile(const Source& source, FolderHandle to, std::uint32_t folder, const std::string& targetFolder,
                const StructureSnapshot::Entry& entry, bool overwrite) {
    AttachStep step;
    step.kind = StepKind::FileNotCopied;
    step.path = Join(targetFolder, entry.name);
    step.source = snapshot_.PathOf(folder, entry.name);
    step.sizeKnown = false;
    if (request_.sizeMap != nullptr) {
      const auto it = request_.sizeMap->find(step.source);
      if (it != request_.sizeMap->end()) {
        step.bytes = it->second;
        step.sizeKnown = true;
      }
    }
    FsResult result;
    FileIdentity identity;
    const FsResult notOpen{FsError::NotFound, "a folder of the copy could not be opened"};
    if (to == kNoFolderHandle) {
      result = notOpen;
    } else if (entry.kind == StructureSnapshot::EntryKind::Special) {
      result = FsResult{FsError::Io, "a pipe, socket or device is not copied"};
    } else if (entry.kind == StructureSnapshot::EntryKind::Link) {
      const FolderHandle from = source();
      result = from == kNoFolderHandle ? notOpen : fs_.CopyLinkAt(from, entry.name, to, overwrite, &identity);
    } else {
      result = CopyContents(source, to, entry, overwrite, &identity);
    }
    if (result.ok()) {
      step.kind = StepKind::FileCopied;
      step.file = identity;
      step.within = within_;
    } else {
      step.error = result.error;
      step.detail = result.message;
    }
    sink_(step);
  }

  template <class Source>
  FsResult CopyContents(const Source& source, FolderHandle to, const StructureSnapshot::Entry& entry,
                        bool overwrite, FileIdentity* identity) {
    StructureSnapshot::Contents& contents = snapshot_.ContentsOf(entry);
    FsResult result{FsError::NotFound, "a folder of the copy could not be opened"};
    std::unique_ptr<InputFile> input;
    const auto open = [&] {
      const FolderHandle from = source();
      if (from != kNoFolderHandle) input = fs_.OpenInputFileAt(from, entry.name, &result);
    };
    if (!contents.read) {
      contents.read = true;
      open();
      if (!input) {
        contents.failure = result;
        return result;
      }
      Keep(*input, contents);
      if (!contents.cached && !contents.large) return contents.failure;
    }
    if (contents.cached) {
      auto output = fs_.CreateFileAt(to, entry.name, contents.stamp, overwrite, &result);
      if (!output) return result;
      output->Write(contents.data.data(), contents.data.size());
      return output->Commit(identity);
    }
    if (!contents.large) return contents.failure;
    if (!input) open();
    if (!input) return result;
    auto output = fs_.CreateFileAt(to, entry.name, input->Stamp().value_or(FileStamp{}), overwrite, &result);
    if (!output) return result;
    output->CopyFrom(*input);
    return output->Commit(identity);
  }

  // Reads a small file whole into `contents`; a larger one (or one that grew
  // past its size, or with the cache full) is marked large and left at the
  // start, to be copied from the disk.
  void Keep(InputFile& input, StructureSnapshot::Contents& contents) {
    const std::uint64_t size = input.Size().value_or(StructureSnapshot::kCachedFileBytes + 1);
    const std::optional<FileStamp> stamp = input.Stamp();
    if (!stamp || size > StructureSnapshot::kCachedFileBytes ||
        snapshot_.CachedBytes() + size > StructureSnapshot::kCacheBytes) {
      contents.large = true;
      return;
    }
    // Asking one byte more than the size: reaching the size with a short
    // answer is the end of a regular file, so one read does.
    std::string data(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t got = 0;
    for (;;) {
      const std::size_t n = input.Read(data.data() + got, data.size() - got);
      got += n;
      if (n == 0 || got >= size) break;
    }
    if (input.Failed()) {
      contents.failure = FsResult{FsError::Io, "reading the file failed"};
      return;
    }
    if (got != size) {
      // It changed while it was read: not kept, and not copied half.
      contents.failure = FsResult{FsError::Io, "the file changed while it was read"};
      return;
    }
    data.resize(got);
    contents.data = std::move(data);
    contents.stamp = *stamp;
    contents.cached = true;
    snapshot_.CachedBytes() += got;
  }

  void Emit(StepKind kind, const std::string& path, FsError error = FsError::None, std::string detail = {}) {
    AttachStep step;
    step.kind = kind;
    step.path = path;
    step.error = error;
    step.detail = std::move(detail);
    sink_(step);
  }

  FileSystem& fs_;
  const CopyRequest& request_;
  const StructureSnapshot& snapshot_;
  const StepSink& sink_;
  std::string base_;
  std::uint32_t within_ = 0;  // the target's length in every path made below it
  std::vector<std::string_view> names_;  // of the folder in hand, reused
  std::vector<SubfolderResult> made_;
};

struct FreeSpaceCaption {
  PageKey page;
  std::string_view caption;
};

constexpr std::string_view kNotEnoughSpace = "There is not enough space on the disk.\nThe free space on the disk ";
constexpr FreeSpaceCaption kFreeSpaceCaptions[] = {
    {PageKey::Vol02, "Creating Folder(s).-From a String List.            Information no: 0035."},
    {PageKey::Vol03, "Creating Folder(s).-Increased Numbers.            Information no: 0100."},
    {PageKey::Vol04, "Creating Folder(s).-From a Folder List.            Information no: 0071."},
    {PageKey::Vol08, "Creating Folder(s).-From a Folder List.            Information no: 0177."},
};

std::string_view FreeSpaceCaptionOf(PageKey page) {
  for (const FreeSpaceCaption& c : kFreeSpaceCaptions)
    if (c.page == page) return c.caption;
  return kFreeSpaceCaptions[3].caption;
}

}  // namespace

SourceCheck CheckSourceNotTarget(const std::string& target, const std::string& source) {
  for (const std::string* text : {&target, &source}) {
    if (Trim(*text).empty()) return {true, std::string(kEmptyText)};
    std::string found;
    if (CheckIllegalCharacters("n", *text, found)) return {true, std::string(kIllegal) + found};
  }
  const std::string a = WithoutTrailingSeparators(NormalizeComposedPath(target));
  const std::string b = WithoutTrailingSeparators(NormalizeComposedPath(source));
  const auto bare = [](std::string s) {
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
  };
  if (SameText(bare(a), bare(b)))
    return {true, "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the "
                  "source Folder !!! \nDestination Folder : " +
                      target + "\n" + "Source Folder      : " + source};
  return {};
}

StructureSnapshot StructureSnapshot::Read(FileSystem& fs, const std::string& source) {
  StructureSnapshot snapshot;
  snapshot.source_ = Trim(source);
  snapshot.folders_.push_back(Folder{});
  FolderHandle root = kNoFolderHandle;
  if (!fs.OpenFolder(snapshot.source_, &root).ok()) {
    snapshot.unread_.push_back(snapshot.source_);
    return snapshot;
  }
  snapshot.opened_ = true;
  FolderChain chain(fs, snapshot.folders_, root);
  std::vector<FolderEntry> entries;
  for (std::uint32_t i = 0; i < snapshot.folders_.size(); ++i) {
    const std::string path = Join(snapshot.source_, snapshot.folders_[i].relative);
    const FolderHandle handle = chain.Open(i);
    // A listing that failed part-way adds nothing: a copy of part of a folder
    // would pass for the whole.
    if (handle == kNoFolderHandle || !fs.ReadFolder(handle, false, &entries).ok()) {
      snapshot.unread_.push_back(path);
      continue;
    }
    std::vector<Entry> kept;
    kept.reserve(entries.size());
    for (FolderEntry& e : entries) {
      if (e.name.find('\\') != std::string::npos) {
        snapshot.skipped_.push_back(ShownEntryPath(path, e.name));
        continue;
      }
      Entry entry;
      entry.kind = e.isFolder    ? EntryKind::Folder
                   : e.isSymlink ? EntryKind::Link
                   : e.isSpecial ? EntryKind::Special
                                 : EntryKind::File;
      if (entry.kind == EntryKind::File) {
        entry.file = static_cast<std::uint32_t>(snapshot.contents_.size());
        snapshot.contents_.emplace_back();
      }
      if (entry.kind == EntryKind::Folder) {
        Folder child;
        child.parent = i;
        child.depth = snapshot.folders_[i].depth + 1;
        child.relative =
            snapshot.folders_[i].relative.empty() ? e.name : snapshot.folders_[i].relative + '\\' + e.name;
        child.name = e.name;
        entry.folder = static_cast<std::uint32_t>(snapshot.folders_.size());
        ++snapshot.folders_[i].subfolders;
        snapshot.folders_.push_back(std::move(child));
      }
      entry.name = std::move(e.name);
      kept.push_back(std::move(entry));
    }
    snapshot.folders_[i].entries = std::move(kept);
  }
  return snapshot;
}

std::string StructureSnapshot::PathOf(std::uint32_t index, std::string_view name) const {
  return Join(Join(source_, folders_[index].relative), name);
}

std::string LastComponent(const std::string& source) {
  std::string path = Trim(source);
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  const std::size_t slash = path.find_last_of("\\/");
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  // "D:" is the disk itself.
  if (slash == std::string::npos && last.size() == 2 && last[1] == ':') return {};
  return last;
}

std::string StructureBase(const std::string& target, const std::string& source, AttachMode mode) {
  const std::string base = WithoutTrailingSeparators(Trim(target));
  return MainFolderMode(mode) ? Join(base, LastComponent(source)) : base;
}

void CopyExistingStructure(FileSystem& fs, const CopyRequest& request, const StepSink& sink) {
  if (request.structure == nullptr) return;
  StructureCopy(fs, request, sink).Run();
}

std::string TemplateRelativePath(const std::string& target, const std::string& line, const TemplateKind& kind) {
  const std::string last = LastComponent(target);
  switch (kind.kind) {
    case TemplateKindCode::WholePaths:
      return line;
    case TemplateKindCode::SearchTerms:
      return ReplaceCaseBlind(line, kind.searchTerms, last);
    case TemplateKindCode::WithoutFirst:
    case TemplateKindCode::FirstReplaced: {
      std::string text = ReplaceAll(line, "/", "\\");
      if (const std::size_t colon = text.find(':'); colon != std::string::npos) text.erase(0, colon + 1);
      if (!text.empty() && text.front() == '\\') text.erase(0, 1);
      const std::size_t slash = text.find('\\');
      if (slash == std::string::npos) return {};
      const std::string first = text.substr(0, slash);
      std::string rest = text.substr(slash);
      if (kind.kind == TemplateKindCode::FirstReplaced) rest = ReplaceCaseBlind(rest, first, last);
      return rest;
    }
  }
  return line;
}

std::string WithNumberSuffix(const std::string& relative, const std::string& suffix) {
  std::string_view text = relative;
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) text.remove_prefix(colon + 1);
  std::string out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) {
      out += '\\';
      out.append(text.substr(start, end - start));
      out += suffix;
    }
    start = end + 1;
  }
  return out;
}

std::optional<std::string> TemplateTargetPath(const std::string& target, const std::string& line,
                                              const TemplateKind& kind, const std::string& numberSuffix) {
  const std::string base = WithoutTrailingSeparators(NormalizeComposedPath(Trim(target)));
  std::string relative = TemplateRelativePath(base, line, kind);
  if (!numberSuffix.empty() && !relative.empty()) relative = WithNumberSuffix(relative, numberSuffix);
  std::vector<std::string> names;
  // Nothing left, a drive, a name that would climb out of the target, or a
  // control character no folder name may hold.
  if (relative.empty() || relative.find(':') != std::string::npos || HoldsControlOrDelete(relative) ||
      !RelativeNames(relative, &names) || names.empty())
    return std::nullopt;
  return Join(base, JoinNames(names));
}

AttachStep ApplyTemplateLine(FileSystem& fs, const std::string& target, const std::string& line,
                             const TemplateKind& kind, AttachVariant variant, const StepSink& sink,
                             const std::string& numberSuffix) {
  AttachStep step;
  const std::string base = WithoutTrailingSeparators(NormalizeComposedPath(Trim(target)));
  const std::optional<std::string> path = TemplateTargetPath(target, line, kind, numberSuffix);
  if (!path) {
    step.kind = StepKind::TemplateRejected;
    step.path = ShownWithoutControls(line);
    step.error = FsError::InvalidName;
    if (sink) sink(step);
    return step;
  }
  step.path = *path;
  const std::string joined = path->substr(base.size() + (!base.empty() && base.back() == '\\' ? 0 : 1));
  CreateResult made = fs.CreateFoldersBelow(base, joined);
  if (made.result.error == FsError::NotFound) {
    CreateResult parents = fs.CreateFolders(base);
    if (parents.ok()) {
      made = fs.CreateFoldersBelow(base, joined);
      made.made.insert(made.made.begin(), parents.made.begin(), parents.made.end());
    }
  }
  if (!made.ok()) {
    step.kind = StepKind::TemplateFailed;
    step.error = made.result.error;
    step.detail = made.result.message;
  } else if (made.made.empty() && variant == AttachVariant::CopyPage) {
    step.kind = StepKind::TemplateExists;
  } else {
    step.kind = StepKind::TemplateCreated;
    step.made = std::move(made.made);
  }
  if (sink) sink(step);
  return step;
}

void SimulateExistingStructure(const CopyRequest& request, const StepSink& sink, FileSystem* fs) {
  if (request.structure == nullptr) return;
  const StructureSnapshot& snapshot = *request.structure;
  const std::string target = WithoutTrailingSeparators(Trim(request.target));
  const std::string last = MainFolderMode(request.mode) ? LastComponent(snapshot.Source()) : std::string();
  const std::string base = Join(target, last);
  const bool copyPage = request.variant == AttachVariant::CopyPage;
  AttachStep step;
  if (last == "." || last == "..") {
    step.kind = StepKind::SubfolderFailed;
    step.path = base;
    step.error = FsError::InvalidName;
    sink(step);
    return;
  }
  if (!last.empty()) {
    step.path = base;
    const bool there = fs != nullptr && fs->DirectoryExists(base);
    step.kind = !there ? StepKind::SubfolderCreated : copyPage ? StepKind::BaseExists : StepKind::SubfolderExists;
    sink(step);
  }
  if (!snapshot.Opened()) return;
  const bool files = WithFiles(request.mode);
  const auto file = [&](std::uint32_t folder, const std::string& targetFolder, const StructureSnapshot::Entry& entry,
                        bool taken) {
    AttachStep one;
    one.path = Join(targetFolder, entry.name);
    one.source = snapshot.PathOf(folder, entry.name);
    one.sizeKnown = false;
    if (request.sizeMap != nullptr) {
      const auto it = request.sizeMap->find(one.source);
      if (it != request.sizeMap->end()) {
        one.bytes = it->second;
        one.sizeKnown = true;
      }
    }
    // As the run: a pipe, socket or device is never copied.
    const bool refused = taken || entry.kind == StructureSnapshot::EntryKind::Special;
    one.kind = refused || (fs != nullptr && fs->FileExists(one.path)) ? StepKind::FileNotCopied : StepKind::FileCopied;
    sink(one);
  };
  const auto folder = [&](const std::string& targetFolder, const StructureSnapshot::Entry& entry) {
    AttachStep one;
    one.path = Join(targetFolder, entry.name);
    one.kind = fs != nullptr && fs->DirectoryExists(one.path) ? StepKind::SubfolderExists : StepKind::SubfolderCreated;
    sink(one);
  };
  std::vector<bool> taken;
  for (std::uint32_t i = 0; i < snapshot.Folders().size(); ++i) {
    const StructureSnapshot::Folder& f = snapshot.Folders()[i];
    const std::string targetFolder = Join(base, f.relative);
    if (!copyPage) {
      for (const auto& entry : f.entries) {
        if (entry.kind == StructureSnapshot::EntryKind::Folder)
          folder(targetFolder, entry);
        else if (files)
          file(i, targetFolder, entry, false);
      }
      continue;
    }
    // As the copy goes: files mask by mask, a file two masks match found
    // the second time; then the subfolders.
    if (files) {
      taken.assign(f.entries.size(), false);
      for (const std::string& mask : request.masks)
        for (std::size_t k = 0; k < f.entries.size(); ++k) {
          const auto& entry = f.entries[k];
          if (entry.kind == StructureSnapshot::EntryKind::Folder || !MatchesMask(entry.name, mask)) continue;
          file(i, targetFolder, entry, taken[k]);
          taken[k] = true;
        }
    }
    for (const auto& entry : f.entries)
      if (entry.kind == StructureSnapshot::EntryKind::Folder) folder(targetFolder, entry);
  }
}

StructureTotals ComputeStructureTotals(FileSystem& fs, const StructureInput& input) {
  StructureTotals totals;
  for (const std::string& item : input.items) {
    const std::string root = Trim(item);
    if (root.empty()) continue;
    // A structure that is not there is passed over by the run: it adds nothing.
    if (input.kind == SourceKind::Structures && !fs.DirectoryExists(root)) continue;
    FolderStructSize size(root, fs);
    size.SetCountRoot(input.kind == SourceKind::Templates || MainFolderMode(input.mode));
    size.SetFileMasks(input.masks);
    size.WalkSelected();
    totals.folders += static_cast<std::uint32_t>(size.GetFolderCount());
    if (input.kind == SourceKind::Templates) continue;  // a line names no folder on disk
    for (const auto& [path, bytes] : size.GetSelectedFileSizes()) totals.sizeMap.emplace(path, bytes);
    if (input.withFiles) {
      totals.bytes += size.GetSelectedBytes();
      totals.files += size.GetSelectedFiles();
    }
    totals.unreadFolders.insert(totals.unreadFolders.end(), size.UnreadFolders().begin(), size.UnreadFolders().end());
  }
  return totals;
}

const StructureTotals& StructureTotalsCache::Get(FileSystem& fs, const StructureInput& input) {
  if (valid_ && input == input_) return totals_;
  return Fresh(fs, input);
}

const StructureTotals& StructureTotalsCache::Fresh(FileSystem& fs, const StructureInput& input) {
  totals_ = ComputeStructureTotals(fs, input);
  input_ = input;
  valid_ = true;
  return totals_;
}

namespace {

// `count` copies of the totals, the check passed.
FreeSpaceResult RowOf(std::size_t count, const StructureTotals& totals) {
  FreeSpaceResult result;
  result.ok = true;
  const double d = static_cast<double>(count);
  result.mainFolders = d;
  result.folders = d * totals.folders;
  result.files = d * totals.files;
  result.bytes = d * static_cast<double>(totals.bytes);
  return result;
}

}  // namespace

FreeSpaceResult CheckFreeSpace(FileSystem& fs, PageKey page, const StructureTotals& totals,
                               const std::vector<std::string>& destinations) {
  FreeSpaceResult result;
  ExamineSubFolders top(destinations);
  top.ReadTopLevelOnly();
  const std::size_t count = top.GetFolders().size();
  if (count == 0) return result;

  // Nothing to write needs no space: the drives are not asked, and a list
  // changed item by item is not sorted a second time.
  if (totals.bytes == 0) return RowOf(count, totals);
  ExamineSubFolders all(destinations);
  all.ReadSortedUnique();
  // Drive key, compared case-blind -> (the key as first met, the bytes needed).
  std::map<std::string, std::pair<std::string, std::uint64_t>> needs;
  for (const std::string& folder : all.GetFolders()) {
    const std::size_t colon = folder.find(':');
    if (colon == std::string::npos) continue;  // no drive: it will count as missing
    const std::string key = Trim(folder.substr(0, colon + 1));
    auto& need = needs.try_emplace(CaseFold(key), key, 0).first->second;
    need.second += totals.bytes;
  }
  for (const auto& [folded, need] : needs) {
    const std::string drive = need.first.substr(0, 1) + ":\\";
    // A drive that is not there has no space to check; its folders count as
    // missing when the run comes to them.
    const std::optional<std::uint64_t> free = fs.FreeSpace(drive);
    if (!free || need.second <= *free) continue;
    result.message = MessageText{std::string(kNotEnoughSpace) + drive + " is : " + FormatByteSize(*free) + "    " +
                                     std::to_string(*free) + " bytes\n" + "The program requires : " +
                                     FormatByteSize(need.second) + "    " + std::to_string(need.second) + " bytes.",
                                 std::string(FreeSpaceCaptionOf(page))};
    return result;
  }
  return RowOf(count, totals);
}

void SetForecastRow(OperationStatistics& stats, PageKey page, const FreeSpaceResult& result) {
  const bool copy = page == PageKey::Vol08;
  stats.Set(copy ? "FoldersToCopy" : "FoldersToCreate", result.mainFolders);
  stats.Set(copy ? "SubFoldersToCopy" : "SubFoldersToCreate", result.folders);
  stats.Set(copy ? "FilesToCopy" : "FilesToCreate", result.files);
  stats.Set(copy ? "FileSizeToCopy" : "FilesSizeToCreate", result.bytes);
}

}  // namespace quillory
