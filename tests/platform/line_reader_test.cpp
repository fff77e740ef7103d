#include "platform/line_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Lines = std::vector<std::string>;

// Bytes handed out in reads of at most `step` bytes; after `failAfter` bytes
// a read fails as a disk error would.
class MemoryFile final : public InputFile {
 public:
  MemoryFile(std::string bytes, std::size_t step, std::size_t failAfter = std::string::npos)
      : bytes_(std::move(bytes)), step_(step), failAfter_(failAfter) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    if (failed_) return 0;
    if (pos_ >= failAfter_) {
      failed_ = true;
      return 0;
    }
    std::size_t n = std::min({size, step_, bytes_.size() - pos_});
    if (failAfter_ != std::string::npos) n = std::min(n, failAfter_ - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
  }
  bool Failed() const override { return failed_; }
  std::optional<std::uint64_t> Size() const override { return bytes_.size(); }

 private:
  std::string bytes_;
  std::size_t step_;
  std::size_t failAfter_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

Lines ReadAll(InputFile& file, bool* failed = nullptr) {
  LineReader reader(file);
  Lines lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  if (failed != nullptr) *failed = reader.Failed();
  // Once done it stays done.
  EXPECT_FALSE(reader.Next(line));
  return lines;
}

Lines ReadBytes(const std::string& bytes, std::size_t step = 1 << 20) {
  MemoryFile file(bytes, step);
  return ReadAll(file);
}

TEST(PlatformLineReader, LineEndsMarksAndOddBytes) {
  EXPECT_EQ(ReadBytes(""), Lines{});
  EXPECT_EQ(ReadBytes("\xEF\xBB\xBF"), Lines{});
  EXPECT_EQ(ReadBytes("\xEF\xBB\xBF" "a\nb"), (Lines{"a", "b"}));
  // Only a mark at the very start is one.
  EXPECT_EQ(ReadBytes("a\n\xEF\xBB\xBF" "b\n"), (Lines{"a", "\xEF\xBB\xBF" "b"}));
  EXPECT_EQ(ReadBytes("\xEF\xBB" "x"), (Lines{"\xEF\xBB" "x"}));
  EXPECT_EQ(ReadBytes("a\r\nb\rc\n\rd\r\r\ne"), (Lines{"a", "b", "c", "", "d", "", "e"}));
  EXPECT_EQ(ReadBytes("last line\r"), (Lines{"last line"}));
  EXPECT_EQ(ReadBytes("\n\n  \n\t\r\n"), (Lines{"", "", "  ", "\t"}));
  const std::string odd("a\0b\xFF\xC3(\n\0", 8);
  EXPECT_EQ(ReadBytes(odd), (Lines{std::string("a\0b\xFF\xC3(", 6), std::string("\0", 1)}));
}

TEST(PlatformLineReader, ShortReadsCutNothingApart) {
  const std::string bytes = "\xEF\xBB\xBF" "one\r\ntwo\rthree\r\n\r\nfour";
  const Lines expected{"one", "two", "three", "", "four"};
  for (std::size_t step = 1; step <= 6; ++step) EXPECT_EQ(ReadBytes(bytes, step), expected) << "step " << step;
}

TEST(PlatformLineReader, ReadErrorStopsAndDropsTheCutLine) {
  const std::string bytes = "alpha\nbeta\ngam";
  MemoryFile file(bytes + "ma\n", 4, bytes.size());
  bool failed = false;
  EXPECT_EQ(ReadAll(file, &failed), (Lines{"alpha", "beta"}));
  EXPECT_TRUE(failed);

  MemoryFile clean("alpha\n", 4);
  ReadAll(clean, &failed);
  EXPECT_FALSE(failed);
}

// UTF-16 of `units`, low byte first when `little`.
std::string Utf16(const std::vector<char16_t>& units, bool little) {
  std::string out;
  for (char16_t u : units) {
    const char lo = static_cast<char>(u & 0xFF);
    const char hi = static_cast<char>(u >> 8);
    out += little ? lo : hi;
    out += little ? hi : lo;
  }
  return out;
}

TEST(PlatformLineReader, Utf16FilesWithTheirMarkAreDecoded) {
  // "Ä\r\n", "b<U+1F600>", "€" then a line without an end.
  const std::vector<char16_t> units = {0xFEFF, 0x00C4, '\r', '\n', 'b', 0xD83D, 0xDE00, '\n', 0x20AC, '\r', 'z'};
  const Lines expected{"\xC3\x84", "b\xF0\x9F\x98\x80", "\xE2\x82\xAC", "z"};
  for (bool little : {true, false}) {
    const std::string bytes = Utf16(units, little);
    // Any read size: a unit or a surrogate pair cut between two reads.
    for (std::size_t step : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, std::size_t{1} << 20}) {
      bool failed = true;
      MemoryFile file(bytes, step);
      EXPECT_EQ(ReadAll(file, &failed), expected) << little << " step " << step;
      EXPECT_FALSE(failed);
    }
  }
  // The mark alone, and a file too short for a mark.
  EXPECT_EQ(ReadBytes("\xFF\xFE"), Lines{});
  EXPECT_EQ(ReadBytes("\xFF"), Lines{"\xFF"});
  // Without a mark the bytes are taken as they are, NULs and all.
  EXPECT_EQ(ReadBytes(std::string("a\0\n\0", 4)), (Lines{std::string("a\0", 2), std::string("\0", 1)}));
}

TEST(PlatformLineReader, BrokenUtf16IsReplacedOrReportedNeverGuessed) {
  // A lone low half, a high half before a plain unit and one at the end.
  const std::string lone = Utf16({0xFEFF, 'a', 0xDC00, '\n', 0xD800, 'b', '\n', 'c', 0xD800}, true);
  bool failed = true;
  MemoryFile file(lone, 3);
  EXPECT_EQ(ReadAll(file, &failed), (Lines{"a\xEF\xBF\xBD", "\xEF\xBF\xBD" "b", "c\xEF\xBF\xBD"}));
  EXPECT_FALSE(failed);
  // An odd last byte: the file was cut, and so was its last line.
  MemoryFile cut(Utf16({0xFEFF, 'a', '\n', 'b'}, true) + "c", 4);
  EXPECT_EQ(ReadAll(cut, &failed), Lines{"a"});
  EXPECT_TRUE(failed);
}

class PlatformLineReaderFile : public TempDriveTest {};

TEST_F(PlatformLineReaderFile, ChunkBoundariesAndHugeLines) {
  // CR as the last byte of the first 64 KiB chunk, LF as the first of the next.
  const std::size_t chunk = 64 * 1024;
  std::string first(chunk - 1, 'x');
  MakeFile("D:\\split.txt", first + "\r\nnext\r\r");
  auto file = OpenInputFile("D:\\split.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), (Lines{first, "next", ""}));

  // A mark in front shifts the boundary; a lone CR there stays one line end.
  MakeFile("D:\\lone.txt", "\xEF\xBB\xBF" + std::string(chunk - 4, 'y') + "\rz");
  file = OpenInputFile("D:\\lone.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file), (Lines{std::string(chunk - 4, 'y'), "z"}));

  std::string huge(10 * 1024 * 1024, 'a');
  for (std::size_t i = 0; i < huge.size(); i += 4099) huge[i] = static_cast<char>('A' + i % 26);
  MakeFile("D:\\huge.txt", huge + "\r\nend");
  file = OpenInputFile("D:\\huge.txt");
  ASSERT_NE(file, nullptr);
  LineReader reader(*file);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_TRUE(line == huge) << "the 10 MB line differs, size " << line.size();
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "end");
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.Failed());
}

TEST_F(PlatformLineReaderFile, OpensItsFileThroughAFileSystem) {
  MakeFile("D:\\list.txt", "\xEF\xBB\xBF" "a\r\nb");
  FaultFileSystem fs;
  LineReader reader(fs, "D:\\list.txt");
  ASSERT_TRUE(reader.IsOpen());
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "a");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "b");
  EXPECT_FALSE(reader.Next(line));
  EXPECT_EQ(fs.Calls(FsOp::OpenInputFile), 1);

  LineReader missing(fs, "D:\\missing.txt");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.OpenFailure().error, FsError::NotFound);
  EXPECT_FALSE(missing.Next(line));
  fs.FailOn(FsOp::OpenInputFile, "D:\\list.txt", FsError::AccessDenied);
  LineReader refused(fs, "D:\\list.txt");
  EXPECT_EQ(refused.OpenFailure().error, FsError::AccessDenied);
  EXPECT_FALSE(refused.Next(line));
}

}  // namespace
}  // namespace quillory
