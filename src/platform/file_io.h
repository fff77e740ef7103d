// Whole-file reading and writing for the few files the program keeps or reads
// itself (settings, list imports and exports), in program-form paths, through
// a FileSystem (the host's unless one is given).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quillory {

// nullptr when the file cannot be opened (missing, a folder, no permission).
// Only regular files are opened: a pipe or device could block or never end.
std::unique_ptr<InputFile> OpenInputFile(std::string_view programPath, FileSystem& fs = HostFileSystem());
// The same for a host path, used as it is (relative to the working folder
// when it is not absolute): for the program's own files, which need not lie
// on a mapped drive.
std::unique_ptr<InputFile> OpenHostInputFile(const std::string& hostPath);

// The whole file into `bytes` (replaced); on failure `bytes` is left empty.
FsResult ReadWholeFile(std::string_view programPath, std::string* bytes, FileSystem& fs = HostFileSystem());

// Writes a file under a temporary name beside its target, flushes it to disk
// and renames it over the target on Commit, so the previous file survives any
// failure and a half-written file is never left under the target's name.
// Output is buffered and goes out in large chunks: a file of any size needs
// no file-sized string. The target keeps its permission bits; a folder or a
// read-only target is refused; a link is written through, not replaced.
// Temporaries of the same target left by killed processes are removed first.
class FileReplacer {
 public:
  explicit FileReplacer(FileSystem& fs = HostFileSystem()) : fs_(fs) {}
  FileReplacer(const FileReplacer&) = delete;
  FileReplacer& operator=(const FileReplacer&) = delete;
  // Without a Commit the temporary file is removed and the target untouched.
  ~FileReplacer() = default;

  FsResult Open(std::string_view programPath);
  // A host path, used as it is (the program's own files).
  FsResult OpenHost(std::string hostPath);
  void Write(std::string_view bytes);
  // True when the target now holds exactly what was written.
  FsResult Commit();

 private:
  FileSystem& fs_;
  std::unique_ptr<ReplacingFile> file_;
};

// The whole file at once through a FileReplacer.
FsResult WriteFileAtomically(std::string_view programPath, std::string_view bytes, FileSystem& fs = HostFileSystem());
FsResult WriteHostFileAtomically(const std::string& hostPath, std::string_view bytes);

// Removes the temporaries of the host file `hostPath` that killed processes
// left beside it (see FileSystem::RemoveStaleTemporaries); how many went.
std::size_t RemoveHostStaleTemporaries(const std::string& hostPath);

// Renames a file over `to`, replacing it (host paths).
FsResult RenameHostFile(const std::string& from, const std::string& to);

// The process's working folder at start, in program form ("" when no drive
// covers it).
std::string CurrentDirectoryProgramForm();

}  // namespace quillory
