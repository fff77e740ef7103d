#include "platform/host_paths.h"

#include "platform/drives.h"
#include "platform/text.h"

namespace quillory {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> PercentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

}  // namespace

std::optional<std::string> HostSpelling(std::string_view text, std::string_view home) {
  std::optional<std::string> host;
  if (StartsWith(text, "file://")) {
    std::string_view rest = text.substr(7);
    if (StartsWith(rest, "localhost/")) rest.remove_prefix(9);
    if (StartsWith(rest, "/")) host = PercentDecoded(rest);
  } else if (text == "~" || StartsWith(text, "~/")) {
    if (!home.empty() && home.front() == '/') host = std::string(home) + std::string(text.substr(1));
  } else if (StartsWith(text, "/") && !HasDrive(text)) {
    // "//srv/share/x" is a share in program form, not a host path.
    host = std::string(text);
  }
  if (host && host->find('\0') != std::string::npos) return std::nullopt;
  return host;
}

TypedFolderPath ReadTypedFolder(std::string_view text, const DriveMap& drives, std::string_view home) {
  TypedFolderPath typed;
  std::optional<std::string> host = HostSpelling(Trim(text), home);
  if (!host) {
    typed.path = std::string(text);
    return typed;
  }
  typed.host = std::move(*host);
  if (std::optional<std::string> path = drives.FromHost(typed.host)) {
    typed.kind = TypedFolderPath::Kind::Converted;
    typed.path = std::move(*path);
  } else {
    typed.kind = TypedFolderPath::Kind::OffDrives;
  }
  return typed;
}

}  // namespace quillory
