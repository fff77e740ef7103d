// What a page attaches to the folders it creates or copies into: the source
// kind, the attach mode and the template options. Shared by the structures
// group of the pages and the attach engine.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "app/page.h"

namespace quillory {

enum class SourceKind { Structures, Templates, Nothing };

// Numbered as the pages name them.
enum class AttachMode {
  MainWithFiles = 1,     // the top folder, its subfolders and (selected) files
  MainWithoutFiles = 2,  // the top folder and its subfolders
  SubWithFiles = 3,      // only what is below the top folder, with files
  SubWithoutFiles = 4,   // only the subfolders below the top folder
};

constexpr bool WithFiles(AttachMode mode) { return mode == AttachMode::MainWithFiles || mode == AttachMode::SubWithFiles; }
constexpr bool MainFolderMode(AttachMode mode) {
  return mode == AttachMode::MainWithFiles || mode == AttachMode::MainWithoutFiles;
}

struct _tagFoldersTemplateOptions {
  bool wholePaths = true;
  bool replaceTerms = false;
  std::string searchTerms;
  bool withoutFirst = false;
  bool replaceAll = false;
};

// Keys 1 = Vol04, 2 = Vol02, 3 = Vol03, 4 = Vol08; a missing key reads as the
// default record. Lives for the program run.
extern std::map<int, _tagFoldersTemplateOptions> MAP_FOLDER_TEMPLATE_OPTIONS;

// The options key of a page; nullopt for pages without structures.
std::optional<int> TemplateOptionsKey(PageKey page);
const _tagFoldersTemplateOptions& TemplateOptionsOf(int key);

enum class TemplateKindCode {
  WholePaths = 1,
  SearchTerms = 2,
  WithoutFirst = 3,
  FirstReplaced = 4,
};

struct TemplateKind {
  TemplateKindCode kind = TemplateKindCode::WholePaths;
  std::string searchTerms;  // kind SearchTerms only
};

// By the order of precedence: whole paths, without first, replace all,
// search terms, else whole paths.
TemplateKind TemplateKindOf(int key);

}  // namespace quillory
