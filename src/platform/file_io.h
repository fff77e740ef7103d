// Whole-file reading and writing for the few files the program keeps or reads
// itself (settings, list imports and exports), in program-form paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quillory {

// Sequential reader; Read returns the bytes read (0 at the end or on error).
class InputFile {
 public:
  virtual ~InputFile() = default;
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  virtual bool Failed() const = 0;  // a read error happened (not just the end)
  virtual std::optional<std::uint64_t> Size() const = 0;
};

// nullptr when the file cannot be opened (missing, a folder, no permission).
// Only regular files are opened: a pipe or device could block or never end.
std::unique_ptr<InputFile> OpenInputFile(std::string_view programPath);

// The whole file into `bytes` (replaced); on failure `bytes` is left empty.
FsResult ReadWholeFile(std::string_view programPath, std::string* bytes);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so the previous file survives any failure.
// The target keeps its permission bits; a read-only target is refused.
FsResult WriteFileAtomically(std::string_view programPath, std::string_view bytes);

// The process's working folder at start, in program form ("" when no drive
// covers it).
std::string CurrentDirectoryProgramForm();

}  // namespace quillory
