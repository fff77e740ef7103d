// Helpers shared by the host implementations of FileSystem and file_io.
#pragma once

#include <memory>
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

// A fresh name beside `hostPath` for a temporary file, ".<base>.tmp-<pid>-<n>",
// where <base> is TempBaseName of the file's name.
std::string TempPathBeside(const std::string& hostPath);
// The file name as temporaries carry it: cut to leave room for the suffix
// within the host's 255-byte limit.
std::string TempBaseName(const std::string& name);
// The folder part of an absolute host path ("/" for "/x").
std::string HostParent(const std::string& hostPath);

// The host's file streams and temporary clean-up, for the host FileSystem.
std::unique_ptr<InputFile> OpenHostInputFile(std::string_view programPath, FsResult* failure);
std::unique_ptr<ReplacingFile> OpenHostReplacing(std::string_view programPath, FsResult* failure);
// The same on host paths, used as they are.
std::unique_ptr<InputFile> OpenHostPathInputFile(const std::string& host, FsResult* failure);
std::unique_ptr<ReplacingFile> OpenHostPathReplacing(std::string host, FsResult* failure);
std::size_t RemoveHostStaleTemporaries(const std::string& hostPath);

// Writes all of `size` bytes, retrying on interruption; false with errno set.
bool WriteAll(int fd, const void* data, std::size_t size);
// One read, retried on interruption: the bytes read (0 at the end), or -1
// with errno set.
long ReadSome(int fd, void* buffer, std::size_t size);

}  // namespace quillory::posix
