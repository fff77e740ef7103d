// What the host file system's files share: descriptors, stat helpers, name
// checks and folder chains. Only src/platform includes it.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace quillory::host {

constexpr unsigned kRenameNoReplace = 1;  // RENAME_NOREPLACE

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Reset(); }
  int get() const { return fd_; }
  // Closes now and reports the error close gives (data not written back).
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && ::close(fd) != 0 ? errno : 0;
  }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// One entry's name as the C calls take it, with no allocation: per item of
// a large run a std::string would be one more malloc and free. Longer names
// are refused before (ValidEntryName); one that is not is cut, never
// written past the buffer. `slash` adds a trailing '/', which lets only a
// folder be renamed.
class EntryName {
 public:
  explicit EntryName(std::string_view name, bool slash = false) {
    const std::size_t n = std::min(name.size(), kMaxNameBytes);
    std::memcpy(text_, name.data(), n);
    if (slash) text_[n] = '/';
    text_[n + (slash ? 1 : 0)] = '\0';
  }
  const char* c_str() const { return text_; }

 private:
  char text_[kMaxNameBytes + 2];
};

// Descriptors that only name a folder: enough for the *at calls and fstat,
// and no read permission needed.
constexpr int kPathFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
constexpr int kReadFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// What identities and the mount test read of an entry. The birth time is
// asked for but a file system may not give it (then it stays 0).
constexpr unsigned kIdentityMask = STATX_TYPE | STATX_MODE | STATX_INO | STATX_BTIME | STATX_CTIME | STATX_MTIME |
                                   STATX_SIZE;

bool StatxAt(int dirfd, const char* name, int flags, struct statx* sx);
// Of an open descriptor (O_PATH ones too).
bool StatxOf(int fd, struct statx* sx);
std::uint64_t DeviceOf(const struct statx& sx);
FolderIdentity IdentityOf(const struct statx& sx);
FileIdentity FileIdentityOf(const struct statx& sx);
// Another file system is mounted on the entry (a bind mount of the same one
// too, which keeps the device number and so escapes a device comparison).
bool IsMountRoot(const struct statx& sx);

// Opens the folder `name` of `parent` without following a link and without
// crossing into another mount. -1 with errno set: ELOOP for a link, EXDEV for
// a mount point.
int OpenBelow(int parent, const char* name, int flags);

bool IsDriveRoot(std::string_view programPath);
FsResult ControlCharacterRefusal(std::string_view name);
bool CheckNameLengths(const std::vector<std::string>& names, FsResult* failure);
// One entry of an open folder: a name that can only mean that entry.
bool ValidEntryName(std::string_view name, FsResult* failure);
// A name for a folder about to be made.
bool ValidNewName(std::string_view name, FsResult* failure);

// Makes names[from..] one at a time below the folder open as `fd` (taken
// over), whose program path is `folder`; what it made is rolled back on a
// failure. With `parent`, a success hands over the descriptor of the last
// name's folder instead of closing it.
CreateResult MakeChain(int fd, const std::vector<std::string>& names, std::size_t from, std::string folder,
                       bool followExisting, int* parent = nullptr);
// What a folder found (or made) under `name` is: a link or a file there is
// refused, a folder gives its identity, read without following a link.
void Classify(int parent, const char* name, SubfolderResult* out);

// Removal of what a run recorded, reached from the folder it aimed at.
void RemoveMadeFoldersBelow(const MadeFolders& folders, std::vector<FsResult>* results);
void DeleteWrittenFilesBelow(const std::vector<WrittenFile>& files, std::vector<FsResult>* results);

// The desktop's trash (host_trash.cpp).
std::unique_ptr<TrashCan> OpenHostTrashCan(FsResult* failure);
void RestoreHostTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results);

// The stream classes; `fd` is taken over.
std::unique_ptr<InputFile> InputAt(int fd, const struct stat& st);
std::unique_ptr<NewFile> NewFileAt(int folder, std::string name, int fd, std::string temp, const FileStamp& stamp,
                                   bool overwrite);
std::string TempNameBeside(const std::string& name);
std::optional<std::string> ReadLinkAt(int folder, const std::string& name);

}  // namespace quillory::host
