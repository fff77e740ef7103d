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

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
};

struct FsResult {
  FsError error = FsError::None;
  std::string message;  // host error text, for logs
  bool ok() const { return error == FsError::None; }
};

struct DirEntry {
  std::string name;     // bytes as the host has them
  bool isDirectory = false;
  bool isSymlink = false;  // never followed; isDirectory is false for it
  bool readOnly = false;
  bool hidden = false;
  std::uint64_t size = 0;  // 64-bit; 0 for folders and links
};

struct FolderIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};

enum class FolderAttributes { Normal, System, ReadOnly };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool DirectoryExists(std::string_view path) = 0;
  virtual bool FileExists(std::string_view path) = 0;

  // Creates the folder and every missing parent. `created` receives the
  // folders actually made, outermost first (program form, '.' and '..'
  // resolved), also when a later step fails. Fails with Exists when the path
  // or one of its parents exists as a file, NotFound when the drive is not
  // present (a drive root is never made). Succeeds with nothing created when
  // the folder already exists. `created` may be null.
  virtual FsResult CreateFolders(std::string_view path, std::vector<std::string>* created) = 0;
  // A drive root is never removed.
  virtual FsResult RemoveEmptyFolder(std::string_view path) = 0;
  // A link is deleted as the link; a folder is refused (AccessDenied).
  virtual FsResult DeleteFile(std::string_view path) = 0;
  // Without overwrite the target is opened O_EXCL, never check-then-act. A
  // failure part-way removes the partial target (NoSpace or Io). With
  // overwrite the copy is made beside the target and renamed over it, so a
  // failure keeps the old file; a read-only target is refused. A symbolic
  // link is copied as a link. Permission bits and the modification time are
  // kept.
  virtual FsResult CopyFile(std::string_view from, std::string_view to, bool overwrite) = 0;
  // Fails with Exists when the destination exists (no replace).
  virtual FsResult RenameFolder(std::string_view from, std::string_view to) = 0;
  virtual FsResult SetFolderAttributes(std::string_view path, FolderAttributes attributes) = 0;
  // Entries of the folder whose names match the mask (empty: every entry);
  // "." and ".." never. A read error part-way is an error, not the end of the
  // listing, and leaves `entries` empty. A matching name holding a backslash
  // has no program form (it would name another path), so it fails the
  // listing with InvalidName.
  virtual FsResult Enumerate(std::string_view folder, std::string_view mask,
                             std::vector<DirEntry>* entries) = 0;
  virtual std::optional<FolderIdentity> Identity(std::string_view path) = 0;
  // Bytes available to the user on the drive of the path; nullopt when the
  // drive is not present.
  virtual std::optional<std::uint64_t> FreeSpace(std::string_view path) = 0;
  // Upper-case letters of the present drives.
  virtual std::vector<char> LogicalDrives() = 0;
};

// Case-blind wildcard match with the emulated rules above.
bool MatchesMask(std::string_view name, std::string_view mask);

// The host implementation over Drives(); process-wide.
FileSystem& HostFileSystem();

}  // namespace quillory
