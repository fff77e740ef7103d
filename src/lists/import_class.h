// Reads a text file and cuts its lines into the items of an import, as the
// import window's preview asks: whole lines, every column of a separated file,
// or one column. The items come in file order, not yet free of duplicates.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace quillory {

// Line numbers of the lines an import refused, counted from 1: the first few
// kept for the message, the rest only counted.
class BadLines {
 public:
  void Add(std::size_t line);
  bool Empty() const { return total_ == 0; }
  std::size_t Total() const { return total_; }
  // The warning for lines holding a NUL character: which lines, and how
  // many more were refused.
  std::string NulMessage() const;

 private:
  std::vector<std::size_t> shown_;
  std::size_t total_ = 0;
};

// True for a line no name can come from: it holds a NUL character (which
// trimming would otherwise hide at either end).
inline bool HoldsNul(std::string_view line) { return line.find('\0') != std::string_view::npos; }

enum ImportKind : int { kImportPlain = 2, kImportAllColumns = 4, kImportOneColumn = 5 };

class ImportClass {
 public:
  // `separator` as the box shows it, trimmed: "space" (any letter case) and
  // a box of blanks only stand for one blank; an empty box cuts nothing, so
  // each line is one piece; white space other than blanks alone (a tab) is
  // kept as typed. The quotation mark is kept for the caller; the cutting always uses
  // the double quotation mark and the apostrophe.
  ImportClass(std::string fileName, int kind, std::string separator, std::string quotationMark, bool abandon,
              FileSystem& fs);

  // Column for kind 5, counted from 1 (numbers below 1 read as 1).
  void SetColumn(int n);

  // Reads the file (program-form path) and fills the result. Returns the
  // error code: 0, or 2 when the file cannot be opened (the caller warns;
  // the result stays empty). A read error part-way keeps what was read and
  // sets ReadFailed. Items are trimmed; one that is empty after the
  // quotation step is left out. A line holding NUL gives no item and is
  // noted in NulLines.
  int Run();

  int ErrorCode() const { return errorCode_; }
  bool ReadFailed() const { return readFailed_; }
  const BadLines& NulLines() const { return nulLines_; }
  const std::string& FileName() const { return fileName_; }
  int Kind() const { return kind_; }
  const std::string& Separator() const { return separator_; }
  const std::string& QuotationMark() const { return quotationMark_; }
  bool Abandon() const { return abandon_; }
  int Column() const { return column_; }
  const std::vector<std::string>& Result() const { return result_; }
  std::vector<std::string> TakeResult() { return std::move(result_); }

 private:
  FileSystem& fs_;
  std::string fileName_;
  int kind_;
  std::string separator_;
  std::string quotationMark_;
  bool abandon_;
  int column_ = 1;
  std::vector<std::string> result_;
  int errorCode_ = 0;
  bool readFailed_ = false;
  BadLines nulLines_;
};

}  // namespace quillory
