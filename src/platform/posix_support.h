// Helpers shared by the host implementations of FileSystem and file_io.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace quillory::posix {

FsResult Failure(FsError error, std::string message);
// The FsError for an errno value, with the host's text for it.
FsResult FromErrno(int error);

// Program path -> host path; false with the reason when the path has no
// drive, its drive is not mapped or it holds a NUL byte.
bool Resolve(std::string_view programPath, std::string* host, FsResult* failure);

// A fresh name beside `hostPath` for a temporary file, ".<name>.tmp-<pid>-<n>".
std::string TempPathBeside(const std::string& hostPath);
// The folder part of an absolute host path ("/" for "/x").
std::string HostParent(const std::string& hostPath);

// Writes all of `size` bytes, retrying on interruption; false with errno set.
bool WriteAll(int fd, const void* data, std::size_t size);

}  // namespace quillory::posix
