#include "operations/attach_engine.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "names/folder_names.h"
#include "operations/attach_internal.h"
#include "platform/text.h"

namespace quillory {

using attach::Join;
using attach::WithoutTrailingSeparators;

using attach::FolderChain;

namespace {

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
    {
      std::lock_guard lock(snapshot_.ContentsMutex());
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

}  // namespace

void CopyExistingStructure(FileSystem& fs, const CopyRequest& request, const StepSink& sink) {
  if (request.structure == nullptr) return;
  StructureCopy(fs, request, sink).Run();
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

}  // namespace quillory
