#include "platform/drives.h"

#include <sys/stat.h>

#include <cstdlib>
#include <iostream>

#include "platform/path_text.h"
#include "platform/text.h"

namespace quillory {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

bool IsHostFolder(const std::string& host) {
  struct stat st {};
  return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Lexical form of an absolute host path: no empty or '.' names, '..' applied
// (never above '/'), no trailing '/'. nullopt for a relative path.
std::optional<std::string> NormalizeHostPath(std::string_view path) {
  if (path.empty() || path.front() != '/' || path.find('\0') != std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view name = path.substr(start, end - start);
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    start = end + 1;
  }
  std::string out;
  for (std::string_view name : names) {
    out += '/';
    out += name;
  }
  return out.empty() ? std::string("/") : out;
}

std::string ShareKey(std::string_view unc) {
  std::string key(unc);
  for (char& c : key)
    if (c == '/') c = '\\';
  while (key.size() > 2 && key.back() == '\\') key.pop_back();
  return CaseFold(key);
}

std::string JoinHost(const std::string& root, const std::vector<std::string>& names) {
  std::string out = root == "/" ? std::string() : root;
  for (const std::string& name : names) {
    out += '/';
    out += name;
  }
  return out.empty() ? std::string("/") : out;
}

// The part of `path` below `root`, or nullopt when root does not cover it.
std::optional<std::string_view> Below(std::string_view path, std::string_view root) {
  if (root == "/") return path.substr(1);
  if (path == root) return std::string_view();
  if (path.size() > root.size() && path.substr(0, root.size()) == root && path[root.size()] == '/')
    return path.substr(root.size() + 1);
  return std::nullopt;
}

DriveMap InitialDrives() {
  DriveMap map = DriveMap::WithDefaults();
  if (const char* entries = std::getenv("QUILLORY_DRIVES")) {
    std::string error;
    if (!map.ParseAndApply(entries, &error)) std::cerr << "QUILLORY_DRIVES: " << error << '\n';
  }
  return map;
}

}  // namespace

std::size_t FileDriveLength(std::string_view path) {
  if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') return 2;
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
  std::size_t i = 2;
  const std::size_t serverBegin = i;
  while (i < path.size() && !IsSeparator(path[i])) ++i;
  if (i == serverBegin || i == path.size()) return 0;
  const std::size_t shareBegin = ++i;
  while (i < path.size() && !IsSeparator(path[i])) ++i;
  if (i == shareBegin) return 0;
  return i;
}

std::string ExtractFileDrive(std::string_view path) { return std::string(path.substr(0, FileDriveLength(path))); }

bool HasDrive(std::string_view path) { return FileDriveLength(path) != 0; }

std::string ProgramPathParts::Join() const {
  std::string out = drive;
  for (const std::string& name : names) {
    out += '\\';
    out += name;
  }
  if (names.empty()) out += '\\';
  return out;
}

std::optional<ProgramPathParts> SplitProgramPath(std::string_view path) {
  ProgramPathParts parts;
  parts.drive = ExtractFileDrive(path);
  if (parts.drive.empty()) return std::nullopt;
  std::size_t start = parts.drive.size();
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view name = path.substr(start, end - start);
    if (name == "..") {
      if (!parts.names.empty()) parts.names.pop_back();
    } else if (!name.empty() && name != ".") {
      parts.names.emplace_back(name);
    }
    start = end + 1;
  }
  return parts;
}

DriveMap DriveMap::WithDefaults() {
  DriveMap map;
  map.Set('Z', "/");
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') map.Set('H', home);
  return map;
}

void DriveMap::Set(char letter, std::string host) {
  if (!IsAsciiLetter(letter)) return;
  if (auto normalized = NormalizeHostPath(host)) letters_[UpperAscii(letter)] = std::move(*normalized);
}

void DriveMap::SetShare(std::string unc, std::string host) {
  const std::string drive = ExtractFileDrive(unc);
  if (drive.empty() || drive[1] == ':') return;
  auto normalized = NormalizeHostPath(host);
  if (!normalized) return;
  const std::string key = ShareKey(drive);
  shares_[key] = std::move(*normalized);
  std::string name = drive;
  for (char& c : name)
    if (c == '/') c = '\\';
  shareNames_[key] = std::move(name);
}

void DriveMap::Remove(char letter) { letters_.erase(UpperAscii(letter)); }

bool DriveMap::ParseAndApply(std::string_view entries, std::string* error) {
  std::string problems;
  std::size_t start = 0;
  while (start <= entries.size()) {
    std::size_t end = entries.find(';', start);
    if (end == std::string_view::npos) end = entries.size();
    const std::string entry = Trim(entries.substr(start, end - start));
    start = end + 1;
    if (entry.empty()) continue;

    const std::size_t eq = entry.find('=');
    std::string problem;
    if (eq == std::string::npos) {
      problem = "missing '='";
    } else {
      const std::string drive = Trim(std::string_view(entry).substr(0, eq));
      const std::string host = Trim(std::string_view(entry).substr(eq + 1));
      const bool isLetter = (drive.size() == 1 && IsAsciiLetter(drive[0])) ||
                            (drive.size() == 2 && IsAsciiLetter(drive[0]) && drive[1] == ':');
      const bool isShare = !isLetter && ExtractFileDrive(drive) == drive && !drive.empty();
      if (!isLetter && !isShare) {
        problem = "the drive must be a letter or \\\\server\\share";
      } else if (host.empty() || host.front() != '/') {
        problem = "the folder must be an absolute path";
      } else if (isLetter) {
        Set(drive[0], host);
      } else {
        SetShare(drive, host);
      }
    }
    if (!problem.empty()) {
      if (!problems.empty()) problems += "; ";
      problems += "malformed drive entry \"" + EscapeForDisplay(entry) + "\": " + problem;
    }
  }
  if (!problems.empty() && error != nullptr) *error = problems;
  return problems.empty();
}

std::vector<char> DriveMap::PresentDrives() const {
  std::vector<char> present;
  for (const auto& [letter, host] : letters_)
    if (IsHostFolder(host)) present.push_back(letter);
  return present;
}

bool DriveMap::IsPresent(char letter) const {
  const auto it = letters_.find(UpperAscii(letter));
  return it != letters_.end() && IsHostFolder(it->second);
}

bool DriveMap::IsDrivePartPresent(std::string_view drive) const {
  if (drive.empty()) return false;
  if (drive.size() == 2 && drive[1] == ':') return IsPresent(drive[0]);
  return ToHost(drive).has_value();
}

std::optional<std::string> DriveMap::ToHost(std::string_view programPath) const {
  if (programPath.find('\0') != std::string_view::npos) return std::nullopt;
  const auto parts = SplitProgramPath(programPath);
  if (!parts) return std::nullopt;
  const std::string* root = nullptr;
  if (parts->drive[1] == ':') {
    const auto it = letters_.find(UpperAscii(parts->drive[0]));
    if (it != letters_.end()) root = &it->second;
  } else {
    const auto it = shares_.find(ShareKey(parts->drive));
    if (it != shares_.end()) root = &it->second;
  }
  if (root == nullptr) return std::nullopt;
  return JoinHost(*root, parts->names);
}

std::optional<std::string> DriveMap::FromHost(std::string_view hostPath) const {
  const auto path = NormalizeHostPath(hostPath);
  if (!path) return std::nullopt;
  std::string drive;
  std::size_t bestLength = 0;
  std::optional<std::string_view> rest;
  const auto consider = [&](const std::string& name, const std::string& root) {
    const auto below = Below(*path, root);
    if (!below || (rest && root.size() <= bestLength)) return;
    drive = name;
    bestLength = root.size();
    rest = below;
  };
  for (const auto& [letter, root] : letters_) consider(std::string{letter, ':'}, root);
  for (const auto& [key, root] : shares_) consider(shareNames_.at(key), root);
  if (!rest) return std::nullopt;
  // A host name holding a backslash has no program form: it would read as two.
  if (rest->find('\\') != std::string_view::npos) return std::nullopt;
  std::string out = drive + '\\';
  for (char c : *rest) out += c == '/' ? '\\' : c;
  return out;
}

DriveMap& Drives() {
  static DriveMap map = InitialDrives();
  return map;
}

}  // namespace quillory
