#include "structures/attach_settings.h"

namespace quillory {

std::map<int, _tagFoldersTemplateOptions> MAP_FOLDER_TEMPLATE_OPTIONS;

std::optional<int> TemplateOptionsKey(PageKey page) {
  switch (page) {
    case PageKey::Vol04: return 1;
    case PageKey::Vol02: return 2;
    case PageKey::Vol03: return 3;
    case PageKey::Vol08: return 4;
    default: return std::nullopt;
  }
}

const _tagFoldersTemplateOptions& TemplateOptionsOf(int key) {
  static const _tagFoldersTemplateOptions defaults;
  const auto it = MAP_FOLDER_TEMPLATE_OPTIONS.find(key);
  return it == MAP_FOLDER_TEMPLATE_OPTIONS.end() ? defaults : it->second;
}

TemplateKind TemplateKindOf(int key) {
  const _tagFoldersTemplateOptions& o = TemplateOptionsOf(key);
  if (o.wholePaths) return {TemplateKindCode::WholePaths, {}};
  if (o.withoutFirst) return {TemplateKindCode::WithoutFirst, {}};
  if (o.replaceAll) return {TemplateKindCode::FirstReplaced, {}};
  if (o.replaceTerms) return {TemplateKindCode::SearchTerms, o.searchTerms};
  return {TemplateKindCode::WholePaths, {}};
}

}  // namespace quillory
