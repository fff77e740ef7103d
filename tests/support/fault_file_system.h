// A FileSystem that passes every call on to another (the host's by default)
// and makes chosen calls fail: an operation on a chosen program path, or
// every call of an operation after the first N, with a chosen FsError. A hook
// sees every call first (to look at the program's state, or to throw).
// Handles of open folders are the inner file system's; their paths are known
// here, so a fault can name a folder that a walk opens by name.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace quillory {

enum class FsOp {
  DirectoryExists,
  FileExists,
  CreateFolders,
  CreateFoldersBelow,
  RemoveEmptyFolder,
  DeleteFile,
  RenameFolder,
  Identity,
  FreeSpace,
  LogicalDrives,
  OpenFolder,
  OpenSubfolder,
  ReadFolder,
  OpenInputFile,
  OpenReplacing,
  Commit,  // of a file opened by OpenReplacing (its path)
  RemoveStaleTemporaries,
  MakeSubfolder,     // the open folder's path, '\', the name
  OpenInputFileAt,   // likewise
  CreateFileAt,      // likewise
  CopyLinkAt,        // the source link's path
  RemoveEntryAt,     // the open folder's path, '\\', the name
  SetFolderAttributesAt,  // likewise
  FolderDevice,      // the open folder's path
  TrashMove,         // the open folder's path, '\\', the name; before the inner can's Move
  RestoreTrashed,    // the entry's path; per entry, before the inner restore
};

class FaultFileSystem : public FileSystem {
 public:
  explicit FaultFileSystem(FileSystem& inner = HostFileSystem()) : inner_(inner) {}

  using FileSystem::CreateFolders;

  // `op` on exactly this program path fails (for CreateFoldersBelow the base
  // and relative joined with '\', for RenameFolder the source).
  void FailOn(FsOp op, std::string path, FsError error = FsError::Io) {
    faults_.push_back(Fault{op, std::move(path), -1, error});
  }
  // Every call of `op` after the first `calls` fails.
  void FailAfter(FsOp op, int calls, FsError error = FsError::Io) {
    faults_.push_back(Fault{op, {}, calls, error});
  }
  // Reading the file at this path (opened by OpenInputFileAt) fails after
  // `bytes`, as a disk read error part-way would.
  void FailReadAfter(std::string path, std::uint64_t bytes) { readFaults_[std::move(path)] = bytes; }
  // Writing the new file at this path (CreateFileAt) fails after `bytes`
  // with `error` (NoSpace: the disk is full).
  void FailWriteAfter(std::string path, std::uint64_t bytes, FsError error = FsError::NoSpace) {
    writeFaults_[std::move(path)] = {bytes, error};
  }
  // The free space the drive reports from now on.
  void SetFreeSpace(char drive, std::uint64_t bytes) { freeSpace_[drive] = bytes; }
  void Clear() {
    faults_.clear();
    readFaults_.clear();
    writeFaults_.clear();
  }
  // Every call waits this long first, as a file server's round trip would.
  void SetDelay(std::chrono::microseconds delay) { delay_ = delay; }
  // The most calls under way at once since the last reset.
  int MostInFlight() const { return mostInFlight_; }
  void ResetInFlight() { mostInFlight_ = 0; }
  int Calls(FsOp op) const {
    std::lock_guard lock(mutex_);
    const auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
  }
  std::function<void(FsOp, std::string_view path)> onCall;

  bool DirectoryExists(std::string_view p) override {
    return Hit(FsOp::DirectoryExists, p) == FsError::None && inner_.DirectoryExists(p);
  }
  bool FileExists(std::string_view p) override {
    return Hit(FsOp::FileExists, p) == FsError::None && inner_.FileExists(p);
  }
  CreateResult CreateFolders(std::string_view p) override {
    if (const FsError e = Hit(FsOp::CreateFolders, p); e != FsError::None) return {Failed(e), {}};
    return inner_.CreateFolders(p);
  }
  CreateResult CreateFoldersBelow(std::string_view base, std::string_view relative) override {
    const std::string joined = std::string(base) + "\\" + std::string(relative);
    if (const FsError e = Hit(FsOp::CreateFoldersBelow, joined); e != FsError::None) return {Failed(e), {}};
    return inner_.CreateFoldersBelow(base, relative);
  }
  FsResult RemoveEmptyFolder(std::string_view p) override {
    return Or(FsOp::RemoveEmptyFolder, p, [&] { return inner_.RemoveEmptyFolder(p); });
  }
  void RemoveMadeFolders(const MadeFolders& folders, std::vector<FsResult>* results) override {
    results->clear();
    std::vector<FsResult> one;
    for (const MadeFolder& folder : folders) {
      if (const FsError e = Hit(FsOp::RemoveEmptyFolder, folder.path); e != FsError::None) {
        results->push_back(Failed(e));
        continue;
      }
      inner_.RemoveMadeFolders({folder}, &one);
      results->push_back(one.front());
    }
  }
  void DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) override {
    results->clear();
    std::vector<FsResult> one;
    for (const WrittenFile& file : files) {
      if (const FsError e = Hit(FsOp::DeleteFile, file.path); e != FsError::None) {
        results->push_back(Failed(e));
        continue;
      }
      inner_.DeleteWrittenFiles({file}, &one);
      results->push_back(one.front());
    }
  }
  FsResult DeleteFile(std::string_view p) override {
    return Or(FsOp::DeleteFile, p, [&] { return inner_.DeleteFile(p); });
  }
  FsResult RenameFolder(std::string_view f, std::string_view t) override {
    return Or(FsOp::RenameFolder, f, [&] { return inner_.RenameFolder(f, t); });
  }
  std::optional<FolderIdentity> Identity(std::string_view p) override {
    if (Hit(FsOp::Identity, p) != FsError::None) return std::nullopt;
    return inner_.Identity(p);
  }
  std::optional<std::uint64_t> FreeSpace(std::string_view p) override {
    if (Hit(FsOp::FreeSpace, p) != FsError::None) return std::nullopt;
    if (!p.empty())
      if (const auto it = freeSpace_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(p[0]))));
          it != freeSpace_.end())
        return it->second;
    return inner_.FreeSpace(p);
  }
  std::vector<char> LogicalDrives() override {
    if (Hit(FsOp::LogicalDrives, {}) != FsError::None) return {};
    return inner_.LogicalDrives();
  }

  FsResult OpenFolder(std::string_view p, FolderHandle* folder) override {
    *folder = kNoFolderHandle;
    const FsResult r = Or(FsOp::OpenFolder, p, [&] { return inner_.OpenFolder(p, folder); });
    if (r.ok()) Opened(*folder, std::string(p));
    return r;
  }
  FsResult OpenSubfolder(FolderHandle parent, std::string_view name, FolderHandle* folder) override {
    *folder = kNoFolderHandle;
    std::string path = PathOf(parent);
    if (path.empty() || path.back() != '\\') path += '\\';
    path.append(name);
    const FsResult r = Or(FsOp::OpenSubfolder, path, [&] { return inner_.OpenSubfolder(parent, name, folder); });
    if (r.ok()) Opened(*folder, std::move(path));
    return r;
  }
  // A fault here comes after the inner listing, as a read error part-way.
  FsResult ReadFolder(FolderHandle folder, bool sizes, std::vector<FolderEntry>* entries) override {
    const FsResult r = inner_.ReadFolder(folder, sizes, entries);
    if (const FsError e = Hit(FsOp::ReadFolder, PathOf(folder)); e != FsError::None) return Failed(e);
    return r;
  }
  void CloseFolder(FolderHandle folder) override {
    if (folder == kNoFolderHandle) return;
    {
      // Forgotten before the inner close: another thread may be given the
      // same handle as soon as it is closed.
      std::lock_guard lock(mutex_);
      --open_;
      paths_.erase(folder);
    }
    inner_.CloseFolder(folder);
  }
  // Faults are keyed as RenameFolder's are: by the source's whole path.
  FsResult RenameFolderIn(FolderHandle parent, std::string_view name, std::string_view newName) override {
    return Or(FsOp::RenameFolder, Join(parent, name), [&] { return inner_.RenameFolderIn(parent, name, newName); });
  }
  FsResult RemoveEntryAt(FolderHandle parent, std::string_view name, bool folder) override {
    return Or(FsOp::RemoveEntryAt, Join(parent, name), [&] { return inner_.RemoveEntryAt(parent, name, folder); });
  }
  FsResult SetFolderAttributesAt(FolderHandle parent, std::string_view name, FolderAttributes a) override {
    return Or(FsOp::SetFolderAttributesAt, Join(parent, name),
              [&] { return inner_.SetFolderAttributesAt(parent, name, a); });
  }
  // A fault gives the folder another device, as a mount point has.
  std::optional<std::uint64_t> FolderDevice(FolderHandle folder) override {
    const auto device = inner_.FolderDevice(folder);
    if (device && Hit(FsOp::FolderDevice, PathOf(folder)) != FsError::None) return *device + 1;
    return device;
  }
  // Folders open now, and the most that were open at once.
  int OpenFolders() const { return open_; }
  int MostOpenFolders() const { return mostOpen_; }

  SubfolderResult MakeSubfolder(FolderHandle parent, std::string_view name) override {
    if (const FsError e = Hit(FsOp::MakeSubfolder, Join(parent, name)); e != FsError::None) {
      SubfolderResult failed;
      failed.result = Failed(e);
      return failed;
    }
    return inner_.MakeSubfolder(parent, name);
  }
  std::unique_ptr<InputFile> OpenInputFileAt(FolderHandle folder, std::string_view name,
                                             FsResult* failure) override {
    const std::string path = Join(folder, name);
    if (const FsError e = Hit(FsOp::OpenInputFileAt, path); e != FsError::None) {
      if (failure != nullptr) *failure = Failed(e);
      return nullptr;
    }
    std::unique_ptr<InputFile> file = inner_.OpenInputFileAt(folder, name, failure);
    const auto fault = readFaults_.find(path);
    if (!file || fault == readFaults_.end()) return file;
    return std::make_unique<FailingInput>(std::move(file), fault->second);
  }
  std::unique_ptr<NewFile> CreateFileAt(FolderHandle folder, std::string_view name, const FileStamp& stamp,
                                        bool overwrite, FsResult* failure) override {
    const std::string path = Join(folder, name);
    if (const FsError e = Hit(FsOp::CreateFileAt, path); e != FsError::None) {
      if (failure != nullptr) *failure = Failed(e);
      return nullptr;
    }
    std::unique_ptr<NewFile> file = inner_.CreateFileAt(folder, name, stamp, overwrite, failure);
    const auto fault = writeFaults_.find(path);
    if (!file || fault == writeFaults_.end()) return file;
    return std::make_unique<FailingOutput>(std::move(file), fault->second.first, fault->second.second);
  }
  FsResult CopyLinkAt(FolderHandle from, std::string_view name, FolderHandle to, bool overwrite,
                      FileIdentity* identity) override {
    return Or(FsOp::CopyLinkAt, Join(from, name), [&] { return inner_.CopyLinkAt(from, name, to, overwrite, identity); });
  }

  std::unique_ptr<TrashCan> OpenTrashCan(FsResult* failure) override {
    std::unique_ptr<TrashCan> can = inner_.OpenTrashCan(failure);
    if (!can) return nullptr;
    return std::make_unique<Can>(*this, std::move(can));
  }
  void RestoreTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results) override {
    results->clear();
    std::vector<FsResult> one;
    for (const TrashedEntry& entry : entries) {
      if (const FsError e = Hit(FsOp::RestoreTrashed, entry.path); e != FsError::None) {
        results->push_back(Failed(e));
        continue;
      }
      inner_.RestoreTrashed({entry}, &one);
      results->push_back(one.front());
    }
  }

  std::unique_ptr<InputFile> OpenInputFile(std::string_view p, FsResult* failure) override {
    if (const FsError e = Hit(FsOp::OpenInputFile, p); e != FsError::None) {
      if (failure != nullptr) *failure = Failed(e);
      return nullptr;
    }
    return inner_.OpenInputFile(p, failure);
  }
  std::unique_ptr<ReplacingFile> OpenReplacing(std::string_view p, FsResult* failure) override {
    if (const FsError e = Hit(FsOp::OpenReplacing, p); e != FsError::None) {
      if (failure != nullptr) *failure = Failed(e);
      return nullptr;
    }
    std::unique_ptr<ReplacingFile> file = inner_.OpenReplacing(p, failure);
    if (!file) return nullptr;
    return std::make_unique<Replacing>(*this, std::string(p), std::move(file));
  }
  std::size_t RemoveStaleTemporaries(std::string_view p) override {
    if (Hit(FsOp::RemoveStaleTemporaries, p) != FsError::None) return 0;
    return inner_.RemoveStaleTemporaries(p);
  }

 private:
  struct Fault {
    FsOp op;
    std::string path;
    int after;  // -1: by path
    FsError error;
  };

  // The handles it is given are the inner file system's, as are the can's.
  class Can : public TrashCan {
   public:
    Can(FaultFileSystem& owner, std::unique_ptr<TrashCan> inner) : owner_(owner), inner_(std::move(inner)) {}
    FsResult Move(FolderHandle aimed, FolderHandle parent, std::string_view name, std::uint64_t bytes,
                  TrashedEntry* moved) override {
      if (const FsError e = owner_.Hit(FsOp::TrashMove, owner_.Join(parent, name)); e != FsError::None)
        return Failed(e);
      return inner_->Move(aimed, parent, name, bytes, moved);
    }

   private:
    FaultFileSystem& owner_;
    std::unique_ptr<TrashCan> inner_;
  };

  // A failed Commit drops the inner file unfinished, which discards it.
  class Replacing : public ReplacingFile {
   public:
    Replacing(FaultFileSystem& owner, std::string path, std::unique_ptr<ReplacingFile> inner)
        : owner_(owner), path_(std::move(path)), inner_(std::move(inner)) {}
    void Write(std::string_view bytes) override { inner_->Write(bytes); }
    FsResult Commit() override {
      if (const FsError e = owner_.Hit(FsOp::Commit, path_); e != FsError::None) {
        inner_.reset();
        return Failed(e);
      }
      return inner_->Commit();
    }

   private:
    FaultFileSystem& owner_;
    std::string path_;
    std::unique_ptr<ReplacingFile> inner_;
  };

  // Hands out the inner file's bytes up to a limit, then fails as a read
  // error would.
  class FailingInput : public InputFile {
   public:
    FailingInput(std::unique_ptr<InputFile> inner, std::uint64_t limit) : inner_(std::move(inner)), left_(limit) {}
    std::size_t Read(void* buffer, std::size_t size) override {
      if (left_ == 0) {
        failed_ = true;
        return 0;
      }
      const std::size_t n = inner_->Read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, left_)));
      left_ -= n;
      return n;
    }
    bool Failed() const override { return failed_ || inner_->Failed(); }
    std::optional<std::uint64_t> Size() const override { return inner_->Size(); }
    std::optional<FileStamp> Stamp() const override { return inner_->Stamp(); }

   private:
    std::unique_ptr<InputFile> inner_;
    std::uint64_t left_;
    bool failed_ = false;
  };

  // Passes writes on up to a limit, then fails; the inner file is dropped
  // uncommitted, which is what the real cleanup must survive.
  class FailingOutput : public NewFile {
   public:
    FailingOutput(std::unique_ptr<NewFile> inner, std::uint64_t limit, FsError error)
        : inner_(std::move(inner)), left_(limit), error_(error) {}
    void Write(const void* data, std::size_t size) override {
      if (failed_) return;
      const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, left_));
      inner_->Write(data, n);
      left_ -= n;
      written_ += n;
      if (n < size) failed_ = true;
    }
    void CopyFrom(InputFile& from) override {
      char buffer[4096];
      while (!failed_) {
        const std::size_t n = from.Read(buffer, sizeof buffer);
        if (n == 0) break;
        Write(buffer, n);
      }
      if (from.Failed()) readFailed_ = true;
    }
    FsResult Commit(FileIdentity* identity) override {
      if (failed_ || readFailed_) {
        inner_.reset();
        return FsResult{failed_ ? error_ : FsError::Io, "injected fault"};
      }
      return inner_->Commit(identity);
    }

   private:
    std::unique_ptr<NewFile> inner_;
    std::uint64_t left_;
    FsError error_;
    std::uint64_t written_ = 0;
    bool failed_ = false;
    bool readFailed_ = false;
  };

  std::string Join(FolderHandle folder, std::string_view name) const {
    std::string path = PathOf(folder);
    if (path.empty() || path.back() != '\\') path += '\\';
    path.append(name);
    return path;
  }

  static FsResult Failed(FsError error) { return FsResult{error, "injected fault"}; }

  FsError Hit(FsOp op, std::string_view path) {
    int call = 0;
    {
      std::lock_guard lock(mutex_);
      call = ++calls_[op];
    }
    if (onCall) onCall(op, path);
    {
      const int now = ++inFlight_;
      for (int most = mostInFlight_; now > most && !mostInFlight_.compare_exchange_weak(most, now);) {
      }
      if (delay_.count() > 0) std::this_thread::sleep_for(delay_);
      --inFlight_;
    }
    std::lock_guard lock(mutex_);
    for (const Fault& f : faults_)
      if (f.op == op && (f.after >= 0 ? call > f.after : f.path == path)) return f.error;
    return FsError::None;
  }

  template <class Call>
  FsResult Or(FsOp op, std::string_view path, Call call) {
    if (const FsError e = Hit(op, path); e != FsError::None) return Failed(e);
    return call();
  }

  void Opened(FolderHandle folder, std::string path) {
    std::lock_guard lock(mutex_);
    paths_[folder] = std::move(path);
    if (++open_ > mostOpen_) mostOpen_ = open_;
  }
  std::string PathOf(FolderHandle folder) const {
    std::lock_guard lock(mutex_);
    const auto it = paths_.find(folder);
    return it == paths_.end() ? std::string() : it->second;
  }

  FileSystem& inner_;
  std::map<char, std::uint64_t> freeSpace_;
  std::vector<Fault> faults_;
  std::map<FsOp, int> calls_;
  std::map<FolderHandle, std::string> paths_;
  std::map<std::string, std::uint64_t> readFaults_;
  std::map<std::string, std::pair<std::uint64_t, FsError>> writeFaults_;
  int open_ = 0;
  int mostOpen_ = 0;
  std::chrono::microseconds delay_{0};
  std::atomic<int> inFlight_{0}, mostInFlight_{0};
  // Workers of a run call in at once; faults are set before a run.
  mutable std::mutex mutex_;
};

}  // namespace quillory
