// Reads a text file line by line without holding it whole, so a list of a
// million lines or a single line of many megabytes costs only the line at hand.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"

namespace quillory {

// A UTF-8 byte order mark at the start is skipped. A file that starts with a
// UTF-16 byte order mark (little or big endian) is decoded to UTF-8; a lone
// surrogate becomes U+FFFD and an odd last byte is a read error (the file was
// cut). A line ends at LF, at CR LF, or at a CR on its own (files from
// systems that end lines so would otherwise be one line with carriage returns
// inside its names). Other bytes are passed on as they are: invalid UTF-8 and
// NUL bytes stay in the line, for the caller to judge.
class LineReader {
 public:
  explicit LineReader(InputFile& file);
  // Opens the file itself through `fs`; when it cannot be opened, IsOpen is
  // false, OpenFailure says why and there are no lines.
  LineReader(FileSystem& fs, std::string_view programPath);
  bool IsOpen() const { return file_ != nullptr; }
  const FsResult& OpenFailure() const { return openFailure_; }
  // The next line without its end; false at the end of the file or at the
  // first read error (see Failed). A last line without an end is returned;
  // one cut off by a read error is not, as it would name another folder.
  bool Next(std::string& line);
  // Reading stopped at a read error rather than at the end of the file.
  bool Failed() const { return failed_; }

 private:
  enum class Encoding { Bytes, Utf16Le, Utf16Be };

  bool Fill();
  // Appends the UTF-8 form of UTF-16 bytes to buffer_ from end_ on.
  void DecodeUtf16(const char* bytes, std::size_t count);
  void AppendCodePoint(char32_t cp);
  // At the end of the file: an odd byte means the file was cut.
  void EndUtf16();

  FsResult openFailure_;
  std::unique_ptr<InputFile> owned_;
  InputFile* file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atStart_ = true;
  bool eof_ = false;
  bool failed_ = false;
  bool pendingCr_ = false;  // the last line ended at a CR that may be half of CR LF
  Encoding encoding_ = Encoding::Bytes;
  std::vector<char> raw_;  // UTF-16 as read, before decoding
  int carry_ = -1;  // a byte of a UTF-16 unit whose other byte is still unread
  char32_t highSurrogate_ = 0;  // waiting for its low half
};

}  // namespace quillory
