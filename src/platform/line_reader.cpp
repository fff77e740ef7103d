#include "platform/line_reader.h"

#include <cstring>

namespace quillory {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

LineReader::LineReader(InputFile& file) : file_(&file), buffer_(kChunk) {}

LineReader::LineReader(FileSystem& fs, std::string_view programPath)
    : owned_(fs.OpenInputFile(programPath, &openFailure_)), file_(owned_.get()), buffer_(kChunk) {
  eof_ = file_ == nullptr;
}

// Only called once the buffer is used up, so every line was copied out of it
// already and the chunk can start over at 0.
bool LineReader::Fill() {
  begin_ = 0;
  end_ = 0;
  if (eof_) return false;
  // The mark is three bytes; a short read must not cut it in two.
  const std::size_t want = atStart_ ? 3 : 1;
  while (end_ < want) {
    const std::size_t n = file_->Read(buffer_.data() + end_, buffer_.size() - end_);
    if (n == 0) {
      eof_ = true;
      failed_ = file_->Failed();
      break;
    }
    end_ += n;
  }
  if (atStart_) {
    atStart_ = false;
    if (end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) begin_ = 3;
    // A first read that held the mark alone is not the end of the file.
    if (begin_ == end_) return Fill();
  }
  return begin_ < end_;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool started = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      // A line cut off by a read error is not handed on: a shortened path
      // would name another folder.
      if (failed_) return false;
      return started;
    }
    if (pendingCr_) {
      pendingCr_ = false;
      if (buffer_[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    const char* from = buffer_.data() + begin_;
    const char* const to = buffer_.data() + end_;
    const char* p = from;
    while (p != to && *p != '\n' && *p != '\r') ++p;
    line.append(from, static_cast<std::size_t>(p - from));
    if (p != to) {
      pendingCr_ = *p == '\r';
      begin_ = static_cast<std::size_t>(p - buffer_.data()) + 1;
      return true;
    }
    begin_ = end_;
    started = true;
  }
}

}  // namespace quillory
