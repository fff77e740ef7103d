#include "platform/trash_info.h"

#include <cstddef>
#include <ctime>

#include "platform/path_text.h"

namespace quillory::trash {

namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The name field of a directorysizes line: what follows the second blank.
bool LineName(std::string_view line, std::string* name) {
  const std::size_t first = line.find(' ');
  if (first == std::string_view::npos) return false;
  const std::size_t second = line.find(' ', first + 1);
  if (second == std::string_view::npos) return false;
  *name = PercentDecode(line.substr(second + 1));
  return true;
}

}  // namespace

std::string PercentEncode(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (Unreserved(u)) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 0x0F]);
    }
  }
  return out;
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string DeletionDate(std::time_t when) {
  std::tm local{};
  ::localtime_r(&when, &local);
  char buffer[64];
  const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
  return std::string(buffer, n);
}

std::string InfoText(std::string_view encodedPath, std::time_t deleted) {
  std::string out = "[Trash Info]\nPath=";
  out.append(encodedPath);
  out += "\nDeletionDate=";
  out += DeletionDate(deleted);
  out += '\n';
  return out;
}

std::string NameInTrash(std::string_view name, unsigned attempt) {
  std::string suffix;
  if (attempt > 1) {
    suffix = ".";
    suffix += std::to_string(attempt);
  }
  const std::size_t room = kMaxNameBytes - kInfoSuffix.size() - suffix.size();
  if (name.size() > room) {
    std::size_t cut = room;
    // Never half a character: back to the start of the one the cut falls in.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    if (cut == 0) cut = room;  // no character boundary at all: bytes it is
    name = name.substr(0, cut);
  }
  std::string out(name);
  out += suffix;
  return out;
}

std::string FormatSizeLine(const SizeLine& line) {
  std::string out = std::to_string(line.bytes);
  out += ' ';
  out += std::to_string(line.mtime);
  out += ' ';
  out += PercentEncode(line.name);
  out += '\n';
  return out;
}

std::string MergeDirectorySizes(std::string_view current, const std::vector<SizeLine>& add,
                                const std::set<std::string>& drop) {
  std::set<std::string> replaced;
  for (const SizeLine& line : add) replaced.insert(line.name);
  std::string out;
  out.reserve(current.size() + add.size() * 48);
  std::string name;
  while (!current.empty()) {
    std::size_t end = current.find('\n');
    const std::string_view line = current.substr(0, end);
    current.remove_prefix(end == std::string_view::npos ? current.size() : end + 1);
    if (line.empty()) continue;
    if (LineName(line, &name) && (drop.count(name) != 0 || replaced.count(name) != 0)) continue;
    out.append(line);
    out += '\n';
  }
  for (const SizeLine& line : add)
    if (drop.count(line.name) == 0) out += FormatSizeLine(line);
  return out;
}

}  // namespace quillory::trash
