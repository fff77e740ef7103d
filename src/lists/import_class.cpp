#include "lists/import_class.h"

#include <memory>
#include <utility>

#include "lists/line_splitter.h"
#include "platform/file_io.h"
#include "platform/line_reader.h"
#include "platform/text.h"

namespace quillory {

namespace {

std::string_view TrimView(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

bool OnlyBlanks(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// The separator the cutting uses. "space" and a box holding only blanks both
// mean one blank; an empty box means no cut at all (each line is one piece);
// other white space alone (a tab) is taken as it is, since trimming would
// leave nothing of it.
std::string CuttingSeparator(const std::string& boxText) {
  const std::string_view trimmed = TrimView(boxText);
  if (!trimmed.empty()) return SameText(trimmed, "space") ? std::string(" ") : std::string(trimmed);
  if (boxText.empty()) return {};
  if (OnlyBlanks(boxText)) return " ";
  return boxText;
}

constexpr std::size_t kShownLines = 3;

}  // namespace

void BadLines::Add(std::size_t line) {
  if (total_++ < kShownLines) shown_.push_back(line);
}

std::string BadLines::NulMessage() const {
  std::string out =
      "There are lines holding a NUL character in the file (total: " + std::to_string(total_) + ")\n";
  for (std::size_t line : shown_) out += "Line: " + std::to_string(line) + "\n";
  if (total_ > shown_.size()) {
    out += '\n';
    out += std::to_string(total_ - shown_.size());
    out += "  more left\n";
  }
  out += "\nAction : Such a line can not be a name; it was left out.";
  return out;
}

ImportClass::ImportClass(std::string fileName, int kind, std::string separator, std::string quotationMark, bool abandon,
                         FileSystem& fs)
    : fs_(fs),
      fileName_(std::move(fileName)),
      kind_(kind),
      separator_(std::move(separator)),
      quotationMark_(std::move(quotationMark)),
      abandon_(abandon) {}

void ImportClass::SetColumn(int n) { column_ = n < 1 ? 1 : n; }

int ImportClass::Run() {
  result_.clear();
  errorCode_ = 0;
  readFailed_ = false;
  nulLines_ = BadLines{};
  const std::unique_ptr<InputFile> file = OpenInputFile(fileName_, fs_);
  if (!file) {
    errorCode_ = 2;
    return errorCode_;
  }

  const bool separated = kind_ == kImportAllColumns || kind_ == kImportOneColumn;
  const std::string separator = CuttingSeparator(separator_);
  const std::size_t column = static_cast<std::size_t>(column_);

  // Quotation marks come off after the cut, and whatever they enclosed is
  // trimmed again; an item that is nothing but marks is no item. A piece
  // that does not begin with a mark passes the quotation step unchanged.
  const auto quoted = [&](std::string_view piece) {
    return abandon_ && !piece.empty() && (piece.front() == kDoubleQuote || piece.front() == kApostrophe);
  };
  const auto take = [&](std::string_view piece) {
    if (quoted(piece)) {
      std::string item = AbandonQuotationMarks(piece);
      const std::string_view t = TrimView(item);
      if (t.empty()) return;
      if (t.size() == item.size())
        result_.push_back(std::move(item));
      else
        result_.emplace_back(t);
    } else if (!piece.empty()) {
      result_.emplace_back(piece);
    }
  };
  // The splitter's pieces are trimmed already and can move into the result.
  const auto takePiece = [&](std::string& piece) {
    if (quoted(piece))
      take(piece);
    else if (!piece.empty())
      result_.push_back(std::move(piece));
  };

  LineReader reader(*file);
  SplitState state;
  std::string line;
  std::size_t lineNumber = 0;
  while (reader.Next(line)) {
    ++lineNumber;
    if (HoldsNul(line)) {
      nulLines_.Add(lineNumber);
      continue;
    }
    const std::string_view t = TrimView(line);
    if (t.empty()) continue;
    if (!separated) {
      take(t);
      continue;
    }
    std::vector<std::string> pieces = Split(t, separator, state);
    if (kind_ == kImportAllColumns) {
      for (std::string& piece : pieces) takePiece(piece);
    } else if (pieces.size() >= column) {
      takePiece(pieces[column - 1]);
    }
  }
  readFailed_ = reader.Failed();
  return errorCode_;
}

}  // namespace quillory
