#include "operations/attach_engine.h"

#include "names/folder_names.h"
#include "operations/attach_internal.h"
#include "platform/path_text.h"
#include "platform/text.h"

namespace quillory {

using attach::Join;
using attach::WithoutTrailingSeparators;

namespace {

bool SameCaseBlind(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
      if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
  }
  return CaseFold(a) == CaseFold(b);
}

// Every occurrence of `from`, compared case-blind, replaced by `to`.
std::string ReplaceCaseBlind(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    if (i + from.size() <= s.size() && SameCaseBlind(s.substr(i, from.size()), from)) {
      out.append(to);
      i += from.size();
    } else {
      out += s[i++];
    }
  }
  return out;
}

// The names of a relative path, '/' and '\' both separating, empty names
// dropped; false when one of them would leave the folder it is joined to.
bool RelativeNames(std::string_view relative, std::vector<std::string>* names) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = FirstSeparator(relative, start);
    if (end == std::string_view::npos) end = relative.size();
    if (end > start) {
      const std::string_view name = relative.substr(start, end - start);
      if (name == "." || name == "..") return false;
      names->emplace_back(name);
    }
    start = end + 1;
  }
  return true;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += '\\';
    out += name;
  }
  return out;
}

}  // namespace

std::string TemplateRelativePath(const std::string& target, const std::string& line, const TemplateKind& kind) {
  const std::string last = LastComponent(target);
  switch (kind.kind) {
    case TemplateKindCode::WholePaths:
      return line;
    case TemplateKindCode::SearchTerms:
      return ReplaceCaseBlind(line, kind.searchTerms, last);
    case TemplateKindCode::WithoutFirst:
    case TemplateKindCode::FirstReplaced: {
      std::string text = ReplaceAll(line, "/", "\\");
      if (const std::size_t colon = text.find(':'); colon != std::string::npos) text.erase(0, colon + 1);
      if (!text.empty() && text.front() == '\\') text.erase(0, 1);
      const std::size_t slash = text.find('\\');
      if (slash == std::string::npos) return {};
      const std::string first = text.substr(0, slash);
      std::string rest = text.substr(slash);
      if (kind.kind == TemplateKindCode::FirstReplaced) rest = ReplaceCaseBlind(rest, first, last);
      return rest;
    }
  }
  return line;
}

std::string WithNumberSuffix(const std::string& relative, const std::string& suffix) {
  std::string_view text = relative;
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) text.remove_prefix(colon + 1);
  std::string out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = FirstSeparator(text, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) {
      out += '\\';
      out.append(text.substr(start, end - start));
      out += suffix;
    }
    start = end + 1;
  }
  return out;
}

std::optional<std::string> TemplateTargetPath(const std::string& target, const std::string& line,
                                              const TemplateKind& kind, const std::string& numberSuffix) {
  const std::string base = WithoutTrailingSeparators(NormalizeComposedPath(Trim(target)));
  std::string relative = TemplateRelativePath(base, line, kind);
  if (!numberSuffix.empty() && !relative.empty()) relative = WithNumberSuffix(relative, numberSuffix);
  std::vector<std::string> names;
  // Nothing left, a drive, a name that would climb out of the target, or a
  // control character no folder name may hold.
  if (relative.empty() || relative.find(':') != std::string::npos || HoldsControlOrDelete(relative) ||
      !RelativeNames(relative, &names) || names.empty())
    return std::nullopt;
  return Join(base, JoinNames(names));
}

AttachStep ApplyTemplateLine(FileSystem& fs, const std::string& target, const std::string& line,
                             const TemplateKind& kind, AttachVariant variant, const StepSink& sink,
                             const std::string& numberSuffix) {
  AttachStep step;
  const std::string base = WithoutTrailingSeparators(NormalizeComposedPath(Trim(target)));
  const std::optional<std::string> path = TemplateTargetPath(target, line, kind, numberSuffix);
  if (!path) {
    step.kind = StepKind::TemplateRejected;
    step.path = ShownWithoutControls(line);
    step.error = FsError::InvalidName;
    if (sink) sink(step);
    return step;
  }
  step.path = *path;
  const std::string joined = path->substr(base.size() + (!base.empty() && base.back() == '\\' ? 0 : 1));
  CreateResult made = fs.CreateFoldersBelow(base, joined);
  if (made.result.error == FsError::NotFound) {
    CreateResult parents = fs.CreateFolders(base);
    if (parents.ok()) {
      made = fs.CreateFoldersBelow(base, joined);
      made.made.insert(made.made.begin(), parents.made.begin(), parents.made.end());
    }
  }
  if (!made.ok()) {
    step.kind = StepKind::TemplateFailed;
    step.error = made.result.error;
    step.detail = made.result.message;
  } else if (made.made.empty() && variant == AttachVariant::CopyPage) {
    step.kind = StepKind::TemplateExists;
  } else {
    step.kind = StepKind::TemplateCreated;
    step.made = std::move(made.made);
  }
  if (sink) sink(step);
  return step;
}

}  // namespace quillory
