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

void LineReader::AppendCodePoint(char32_t cp) {
  char* out = buffer_.data() + end_;
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    end_ += 1;
  } else if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    end_ += 2;
  } else if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    end_ += 3;
  } else {
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
    end_ += 4;
  }
}

void LineReader::DecodeUtf16(const char* bytes, std::size_t count) {
  // Two bytes give at most three of UTF-8 (a pair of four gives four), plus
  // the carried byte and a replaced surrogate.
  if (buffer_.size() < end_ + count / 2 * 3 + 8) buffer_.resize(end_ + count / 2 * 3 + 8);
  constexpr char32_t kReplacement = 0xFFFD;
  const bool little = encoding_ == Encoding::Utf16Le;
  std::size_t i = 0;
  while (i < count) {
    unsigned first;
    if (carry_ >= 0) {
      first = static_cast<unsigned>(carry_);
      carry_ = -1;
    } else {
      first = static_cast<unsigned char>(bytes[i++]);
      if (i == count) {
        carry_ = static_cast<int>(first);
        break;
      }
    }
    const unsigned second = static_cast<unsigned char>(bytes[i++]);
    const char32_t unit = little ? (second << 8 | first) : (first << 8 | second);
    if (highSurrogate_ != 0) {
      const char32_t high = highSurrogate_;
      highSurrogate_ = 0;
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        AppendCodePoint(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
        continue;
      }
      AppendCodePoint(kReplacement);
    }
    if (unit >= 0xD800 && unit <= 0xDBFF)
      highSurrogate_ = unit;
    else if (unit >= 0xDC00 && unit <= 0xDFFF)
      AppendCodePoint(kReplacement);
    else
      AppendCodePoint(unit);
  }
}

void LineReader::EndUtf16() {
  if (carry_ >= 0) failed_ = true;
  if (highSurrogate_ != 0) {
    highSurrogate_ = 0;
    AppendCodePoint(0xFFFD);
  }
}

// Only called once the buffer is used up, so every line was copied out of it
// already and the chunk can start over at 0.
bool LineReader::Fill() {
  begin_ = 0;
  end_ = 0;
  if (eof_) return false;
  if (encoding_ != Encoding::Bytes) {
    // A read may end in the middle of a unit; loop until a character is out.
    while (end_ == 0 && !eof_) {
      const std::size_t n = file_->Read(raw_.data(), raw_.size());
      if (n == 0) {
        eof_ = true;
        failed_ = file_->Failed();
        EndUtf16();
        break;
      }
      DecodeUtf16(raw_.data(), n);
    }
    return begin_ < end_;
  }
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
    const auto starts = [&](const char* mark, std::size_t length) {
      return end_ >= length && std::memcmp(buffer_.data(), mark, length) == 0;
    };
    if (starts("\xEF\xBB\xBF", 3)) {
      begin_ = 3;
    } else if (starts("\xFF\xFE", 2) || starts("\xFE\xFF", 2)) {
      encoding_ = buffer_[0] == '\xFF' ? Encoding::Utf16Le : Encoding::Utf16Be;
      raw_.resize(kChunk);
      const std::vector<char> first(buffer_.begin() + 2, buffer_.begin() + static_cast<std::ptrdiff_t>(end_));
      end_ = 0;
      DecodeUtf16(first.data(), first.size());
      if (eof_) EndUtf16();
      if (end_ == 0) return Fill();
      return true;
    }
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
