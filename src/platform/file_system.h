// Every touch of the disk goes through FileSystem, with program-form paths
// (drive letters). The host implementation emulates the semantics the
// operations rely on; decorators in tests inject faults.
//
// Emulated semantics:
// - Masks match case-blind; '*' any run, '?' one character; "*.*" matches
//   every name, also names without a dot; more generally a trailing ".*"
//   also matches where the name ends ("report.*" finds "report").
// - Read-only = owner-write bit clear. Deleting a read-only file and removing
//   a read-only folder fail; setting "system" clears read-only.
// - Hidden = name beginning with '.'; hidden, system and read-only entries are
//   always enumerated.
// - A symbolic link is never followed by enumeration: it is an entry of its own
//   (reported as a file).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/large_blocks.h"

namespace quillory {

enum class FsError {
  None,
  NotFound,       // path or its drive does not exist / is unmapped
  Exists,         // target exists (copy without overwrite, rename)
  AccessDenied,   // permission or read-only
  NotEmpty,
  NoSpace,
  InvalidName,
  Io,
  Link,           // a symbolic link where a folder was to be passed through
  Changed,        // no longer the folder or file a run made
  MountPoint,     // another file system mounted where a folder was to be entered
  NoTrash,        // the entry's file system has no trash this user may use
};

struct FsResult {
  FsError error = FsError::None;
  std::string message;  // host error text, for logs
  bool ok() const { return error == FsError::None; }
};

// What tells one folder from a later one of the same name. Inode numbers are
// reused (ext4 hands a removed folder's number to the next one at once), so
// the birth time goes with them where the file system keeps one; where it
// keeps none (some network and FUSE file systems, records of older journals)
// it is 0 and only device and inode are compared.
struct FolderIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t birthSeconds = 0;
  std::uint32_t birthNanoseconds = 0;
  bool operator==(const FolderIdentity&) const = default;
  bool HasBirth() const { return birthSeconds != 0 || birthNanoseconds != 0; }
  // Whether `found` (read from the disk now) may be the folder recorded as
  // this: what the record lacks is not compared.
  bool Admits(const FolderIdentity& found) const {
    return device == found.device && inode == found.inode &&
           (!HasBirth() || (birthSeconds == found.birthSeconds && birthNanoseconds == found.birthNanoseconds));
  }
};

enum class FolderAttributes { Normal, System, ReadOnly };

// What a record of a folder made keeps beside its path.
struct MadeIdentity {
  FolderIdentity identity;
  std::uint32_t within = 0;  // as MadeFolder::within
};

// A folder a creation made, with the identity it had when it was made, so
// that undo can tell it from whatever takes its place later.
struct MadeFolder {
  std::string path;  // program form
  FolderIdentity identity;
  // How much of `path` names the folder the run aimed at (a destination, a
  // target, the existing parent of a typed path): undo resolves that part as
  // the platform does and enters every name below it without following a
  // link or crossing a mount point. 0 when not known (older journals): undo
  // then works it out from the other records.
  std::uint32_t within = 0;
  // The same folder, however undo would reach it.
  bool operator==(const MadeFolder& other) const { return path == other.path && identity == other.identity; }
};

// What a run made, in order: an undo takes a whole run's at once.
using MadeFolders = LargeVector<MadeFolder>;

struct CreateResult {
  FsResult result;
  // Outermost first. After a failure: only what could not be removed again.
  MadeFolders made;
  bool ok() const { return result.ok(); }
};

// An entry of an open folder, as a walk reads it.
struct FolderEntry {
  std::string name;  // the host's bytes
  bool isFolder = false;   // a real folder; a link to one is not
  bool isSymlink = false;
  bool isSpecial = false;  // a pipe, socket or device: no file to read
  bool hidden = false;
  std::uint64_t size = 0;  // with sizes asked for: the entry's own (lstat) size; 0 for folders
  std::uint64_t allocated = 0;  // with sizes asked for: the disk space it takes (blocks); 0 for folders
};

// An open folder of a walk; opaque to everyone but the file system that
// opened it.
using FolderHandle = std::intptr_t;
inline constexpr FolderHandle kNoFolderHandle = -1;

// What a copy keeps of its source: the permission bits and the time of the
// last change.
struct FileStamp {
  unsigned mode = 0644;  // permission bits only
  std::int64_t mtimeSeconds = 0;
  std::uint32_t mtimeNanoseconds = 0;
};

// A file a copy wrote, as it was when it was put in place, so that undo can
// tell it from whatever takes its place later.
// The change time goes with it because a rewrite can put back the size and
// the old modification time, but not the change time; the birth time as for
// folders. Either is 0 where unknown (older journals) and then not compared.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t mtimeSeconds = 0;
  std::uint32_t mtimeNanoseconds = 0;
  std::int64_t birthSeconds = 0;
  std::uint32_t birthNanoseconds = 0;
  std::int64_t ctimeSeconds = 0;
  std::uint32_t ctimeNanoseconds = 0;
  bool operator==(const FileIdentity&) const = default;
  bool Admits(const FileIdentity& found) const {
    const bool noBirth = birthSeconds == 0 && birthNanoseconds == 0;
    const bool noChange = ctimeSeconds == 0 && ctimeNanoseconds == 0;
    return device == found.device && inode == found.inode && size == found.size &&
           mtimeSeconds == found.mtimeSeconds && mtimeNanoseconds == found.mtimeNanoseconds &&
           (noBirth || (birthSeconds == found.birthSeconds && birthNanoseconds == found.birthNanoseconds)) &&
           (noChange || (ctimeSeconds == found.ctimeSeconds && ctimeNanoseconds == found.ctimeNanoseconds));
  }
};

// A file a run wrote, with what it was when it was put in place.
struct WrittenFile {
  std::string path;  // program form
  FileIdentity identity;
  std::uint32_t within = 0;  // as MadeFolder::within
  bool operator==(const WrittenFile& other) const { return path == other.path && identity == other.identity; }
};

// Sequential reader; Read returns the bytes read (0 at the end or on error).
class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  virtual bool Failed() const = 0;  // a read error happened (not just the end)
  virtual std::optional<std::uint64_t> Size() const = 0;
  // Of files opened inside a walk (OpenInputFileAt).
  virtual std::optional<FileStamp> Stamp() const { return std::nullopt; }
};

// A new file being written into an open folder; nothing of it shows under
// its name before Commit. Destroyed without a successful Commit it leaves
// nothing behind (no partial file, no temporary).
class NewFile {
 public:
  virtual ~NewFile() = default;
  // A failure is kept and reported by Commit; later writes do nothing.
  virtual void Write(const void* data, std::size_t size) = 0;
  // Copies the rest of `from` in: in the host's fastest way when both are the
  // host's own, else by reads and writes. A read error of `from` is a failure
  // (Io), as is a write error (NoSpace when the disk is full).
  virtual void CopyFrom(InputFile& from) = 0;
  // Puts the file in place with the stamp it was created with. Without
  // overwrite nothing is ever replaced (Exists, the new data dropped); with
  // overwrite an existing file (or link) is replaced in one rename, so a
  // failure keeps it; a folder or a read-only file there is refused
  // (AccessDenied). `identity` (may be null) is that of the file put there.
  virtual FsResult Commit(FileIdentity* identity) = 0;
};

struct SubfolderResult {
  FsResult result;
  bool made = false;  // false with ok(): a folder was there already
  FolderIdentity identity;  // of the folder made or found
  bool ok() const { return result.ok(); }
};

// A file written under a temporary name beside its target and put in place
// by Commit (flushed to disk first), so the previous file survives any
// failure. Destroyed without a successful Commit, it removes the temporary
// file and leaves the target untouched.
class ReplacingFile {
 public:
  virtual ~ReplacingFile() = default;
  // A write error is kept and reported by Commit.
  virtual void Write(std::string_view bytes) = 0;
  virtual FsResult Commit() = 0;
};

// A file of the program's own that only grows (an undo journal): each
// Append goes to the end, Sync makes what was appended survive a power cut.
class AppendingFile {
 public:
  virtual ~AppendingFile() = default;
  virtual FsResult Append(std::string_view bytes) = 0;
  virtual FsResult Sync() = 0;
};

// An entry a run moved into the desktop's trash, with what brings it back.
struct TrashedEntry {
  std::string path;         // program form, as the run listed it (the caller's)
  std::string origin;       // the host path it had, byte for byte
  // How many bytes of `origin` name the folder the run was aimed at: undo
  // resolves that part as the platform does and enters every name below it
  // without following a link or crossing a mount point.
  std::uint32_t aimed = 0;
  std::string trash;        // host path of the trash folder holding files/ and info/
  std::string name;         // its name in files/, and info/NAME.trashinfo
  FolderIdentity identity;  // of the entry moved (a file's too), read as it went
  bool folder = false;
  bool operator==(const TrashedEntry&) const = default;
};

// The desktop's trash, in the freedesktop.org Trash layout (version 1.0)
// every desktop shares, for the moves of one run: it keeps the trash folders it found open.
class TrashCan {
 public:
  virtual ~TrashCan() = default;
  // Moves the entry `name` of the open folder `parent` into the trash of the
  // file system it is on: its .trashinfo made first (never replacing one),
  // then one rename that never replaces; a failed move takes the .trashinfo
  // away again. Nothing is ever copied. A link goes as the link; a mount
  // point never goes (MountPoint). `aimed` is the open folder the run was
  // aimed at (`parent` or a folder above it). `bytes`: for a folder moved
  // whole, the disk space its contents take, for the trash's cache of folder
  // sizes. NotFound when the entry is gone; NoTrash when its file system has
  // no trash this user may use (the message names the file system and why).
  // `moved` gets everything but `path`.
  virtual FsResult Move(FolderHandle aimed, FolderHandle parent, std::string_view name, std::uint64_t bytes,
                        TrashedEntry* moved) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool DirectoryExists(std::string_view path) = 0;
  virtual bool FileExists(std::string_view path) = 0;

  // Creates the folder and every missing parent, the path resolved as the
  // platform resolves a path the person typed (links included). Every name is
  // checked against the host's limit (255 bytes) before anything is made
  // (InvalidName). Each folder made is reported with the identity of the
  // folder the call created (program form, '.' and '..' resolved). A failure
  // part-way removes again the parents this call made, when still empty and
  // still the same folders. Fails with Exists when the path or one of its
  // parents exists as a file, NotFound when the drive is not present (a
  // drive root is never made). Succeeds with nothing made when the folder
  // already exists.
  virtual CreateResult CreateFolders(std::string_view path) = 0;
  // The paths of the folders made, appended to `created` (may be null).
  FsResult CreateFolders(std::string_view path, std::vector<std::string>* created);
  // CreateFolders, and after a success the folder that holds the path's last
  // folder open in `parent` for MakeSubfolder (kNoFolderHandle when it cannot
  // be), for the folders of a list that follow in it: a host hands over the
  // descriptor the creation went through.
  virtual CreateResult CreateFoldersOpeningParent(std::string_view path, FolderHandle* parent);
  // Creates `relative` (names separated by '\' or '/', empty names skipped)
  // under the folder `base`, which is resolved as the platform resolves it
  // and must exist (NotFound). Below it every name is made or entered from
  // the descriptor of its parent without following links: a symbolic link on
  // the way fails with Link and nothing is made through it. A "." or ".."
  // name is refused (InvalidName) before anything is made. Otherwise as
  // CreateFolders.
  virtual CreateResult CreateFoldersBelow(std::string_view base, std::string_view relative) = 0;
  // A drive root is never removed.
  virtual FsResult RemoveEmptyFolder(std::string_view path) = 0;
  // A link is deleted as the link; a folder is refused (AccessDenied).
  virtual FsResult DeleteFile(std::string_view path) = 0;
  // Undo: removes each folder, in the order given, only when it is still the
  // folder that was made (same device and inode, never a link in its place:
  // Changed) and empty (NotEmpty); one result per folder. A read-only folder
  // is refused, as RemoveEmptyFolder refuses it. Consecutive folders of one
  // parent cost one open of that parent.
  virtual void RemoveMadeFolders(const MadeFolders& folders, std::vector<FsResult>* results);
  // Undo: deletes each file only when it is still the file that was written
  // (device, inode, size and modification time: Changed otherwise); a link
  // is deleted as the link, never followed.
  virtual void DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results);
  // Fails with Exists when the destination exists (no replace).
  virtual FsResult RenameFolder(std::string_view from, std::string_view to) = 0;
  // The same for a folder `name` of an open folder, given `newName` in it:
  // the paths are not walked again for every item of a list in one folder.
  virtual FsResult RenameFolderIn(FolderHandle parent, std::string_view name, std::string_view newName) = 0;
  virtual std::optional<FolderIdentity> Identity(std::string_view path) = 0;
  // Bytes available to the user on the drive of the path; nullopt when the
  // drive is not present.
  virtual std::optional<std::uint64_t> FreeSpace(std::string_view path) = 0;
  // Upper-case letters of the present drives.
  virtual std::vector<char> LogicalDrives() = 0;

  // ---- walks, folder by folder from descriptors ----
  // Opens the folder the person named, resolved as the platform resolves it.
  virtual FsResult OpenFolder(std::string_view path, FolderHandle* folder) = 0;
  // Opens the subfolder `name` of an open folder, relative to its descriptor;
  // a symbolic link is never followed (Link).
  virtual FsResult OpenSubfolder(FolderHandle parent, std::string_view name, FolderHandle* folder) = 0;
  // Every entry of an open folder but "." and "..", by name as a file
  // manager orders them (see name_order.h), whatever the host's order; an
  // entry is stat'ed only when the listing does not tell its type or, with
  // `fileSizes`, for the size of what is not a folder. Gone entries are left
  // out. A read error part-way fails with Io and keeps what was read. Reads
  // an open folder once.
  virtual FsResult ReadFolder(FolderHandle folder, bool fileSizes, std::vector<FolderEntry>* entries) = 0;
  virtual void CloseFolder(FolderHandle folder) = 0;

  // ---- deletions, entry by entry in an open folder ----
  // Removes the entry `name` of an open folder, never through a link. With
  // `folder`: only a real, empty folder (a link or file there: InvalidName;
  // read-only: AccessDenied; not empty: NotEmpty). Without: anything but a
  // folder, a link as the link (a folder: AccessDenied; a read-only regular
  // file: AccessDenied). Gone: NotFound. `name` as for MakeSubfolder.
  virtual FsResult RemoveEntryAt(FolderHandle parent, std::string_view name, bool folder) = 0;
  // Sets the attributes of the real folder `name` of an open folder ("system"
  // and "normal" clear read-only); a link there is never followed (Link).
  virtual FsResult SetFolderAttributesAt(FolderHandle parent, std::string_view name,
                                         FolderAttributes attributes) = 0;
  // The device of an open folder, so a walk can tell a mount point below it.
  virtual std::optional<std::uint64_t> FolderDevice(FolderHandle folder) = 0;

  // ---- copies, entry by entry between open folders ----
  // Every `name` below is one entry of the open folder: empty, ".", ".." or a
  // name holding '/' is refused (InvalidName) before anything is touched.
  //
  // Makes the folder `name` in an open folder: created first and classified
  // afterwards, so no test races the creation. A folder already there is ok
  // with `made` false; a symbolic link there is never entered (Link); a file
  // there fails (Exists). The identity is read from the entry without
  // following a link.
  virtual SubfolderResult MakeSubfolder(FolderHandle parent, std::string_view name) = 0;
  // MakeSubfolder for each name in turn, one result per name in `results`.
  // A host may take the identities of many new folders from one listing of
  // the parent instead of one look-up each.
  virtual void MakeSubfolders(FolderHandle parent, const std::vector<std::string_view>& names,
                              std::vector<SubfolderResult>* results) {
    results->clear();
    for (std::string_view name : names) results->push_back(MakeSubfolder(parent, name));
  }
  // Opens the regular file `name` of an open folder, never through a link;
  // anything else (a link, a pipe, a device) is refused without blocking.
  virtual std::unique_ptr<InputFile> OpenInputFileAt(FolderHandle folder, std::string_view name,
                                                     FsResult* failure = nullptr) = 0;
  // Starts a new file `name` in an open folder (see NewFile); its permission
  // bits are the stamp's without set-user, set-group and sticky bits.
  virtual std::unique_ptr<NewFile> CreateFileAt(FolderHandle folder, std::string_view name, const FileStamp& stamp,
                                                bool overwrite, FsResult* failure = nullptr) = 0;
  // Copies the symbolic link `name` of `from` as a link (its text as it is,
  // never followed) into `to`, with NewFile's rules for what is there.
  virtual FsResult CopyLinkAt(FolderHandle from, std::string_view name, FolderHandle to, bool overwrite,
                              FileIdentity* identity) = 0;

  // ---- the desktop's trash ----
  // For one run's moves; null (with NoTrash in `failure`) where there is none.
  virtual std::unique_ptr<TrashCan> OpenTrashCan(FsResult* failure = nullptr);
  // Undo of moves into the trash, in the order given, one result per entry.
  // Each goes back to its origin in one rename that never replaces, and its
  // .trashinfo (and cached size) go after it. Exists: its place is taken, it
  // stays in the trash. Changed: the trash no longer holds the entry that was
  // moved (emptied, restored by hand, another entry of that name). NotFound:
  // the folder it goes back into is not there. Link or MountPoint: a link or
  // a mount point on the way back below the aimed folder.
  virtual void RestoreTrashed(const std::vector<TrashedEntry>& entries, std::vector<FsResult>* results);

  // ---- files the program reads and writes itself ----
  // Only regular files are opened: a pipe or device could block or never
  // end. nullptr with the reason in `failure` (may be null).
  virtual std::unique_ptr<InputFile> OpenInputFile(std::string_view path, FsResult* failure = nullptr) = 0;
  // Starts replacing the file at `path` (see ReplacingFile). The target keeps
  // its permission bits; a folder or a read-only target is refused; a link is
  // written through, not replaced. Leftover temporaries of the same target
  // from processes no longer running are removed first.
  virtual std::unique_ptr<ReplacingFile> OpenReplacing(std::string_view path, FsResult* failure = nullptr) = 0;
  // Removes the temporaries ".NAME.tmp-PID-N" beside the file at `path` that
  // a killed process left (its PID no longer runs); anything else, and the
  // files of live processes, stay. Returns how many went.
  virtual std::size_t RemoveStaleTemporaries(std::string_view path) = 0;

  // ---- the program's own files beside its settings ----
  // Paths in program form, or host paths when they begin with "/" or "./"
  // (the working folder's files). These are the host's whatever file system
  // a run goes through; a decorator may still override them to inject faults.
  //
  // Puts a file holding exactly `head` at `path` in one rename, flushed to
  // disk first, so a reader sees the old file or the new one, never a mix;
  // a missing last folder of the path is made. More goes on its end through
  // the result.
  virtual std::unique_ptr<AppendingFile> StartAppending(std::string_view path, std::string_view head,
                                                        FsResult* failure = nullptr);
  // The whole regular file, handed to `take` in pieces in order; NotFound
  // when none is there. After a failure what was handed over is no file.
  virtual FsResult ReadOwnFile(std::string_view path, const std::function<void(std::string_view)>& take);
  // Renames a file within its folder, never replacing anything (Exists).
  virtual FsResult RenameOwnFile(std::string_view from, std::string_view to);
  // Whether the file at `path` and the folder holding it can be trusted as
  // the program's own: each owned by the effective user, writable by nobody
  // else, and not a link. NotFound when either is missing; AccessDenied
  // otherwise, with the name of the owner of the first that fails in `owner`.
  virtual FsResult TrustOwnFile(std::string_view path, std::string* owner);
};

// How a name that cannot be shown as it is appears in lists and logs: the
// folder, '\', and the name with invalid bytes, control characters and
// backslashes escaped as \xNN.
std::string ShownEntryPath(std::string_view folder, std::string_view name);

// Case-blind wildcard match with the emulated rules above.
bool MatchesMask(std::string_view name, std::string_view mask);

// The host implementation over Drives(); process-wide.
FileSystem& HostFileSystem();

}  // namespace quillory
