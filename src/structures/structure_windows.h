// Windows of structures and templates: the editor of a page's structures or
// template lines, and the template options of a page.
#pragma once

#include <functional>
#include <optional>

#include "app/page.h"
#include "app/window.h"
#include "structures/attach_settings.h"

namespace quillory {

// The editor every structures group shares. The group that opens it decides
// what OK and Cancel do.
class TfrmFolderStructuresTemplates : public Window {
 public:
  TfrmFolderStructuresTemplates();
  ~TfrmFolderStructuresTemplates() override;

  Memo& mmoEditFolderStructuresTemplates;
  Label& lblFolderStructuresTemplatesEditLinesCurrent;  // the line count
  Button& btnFolderStructuresTemplatesOk;
  Button& btnFolderStructuresTemplatesCancel;

  void ShowLineCount();
};

// How template lines are joined under the target folders, one record per
// page key in MAP_FOLDER_TEMPLATE_OPTIONS.
class TfrmFolderTemplateOptions : public Window {
 public:
  TfrmFolderTemplateOptions();

  Label& grpFolderTemplateOptions;
  RadioGroup choices;
  RadioButton& rdoFolderTemplateOptionsReplaceNo;
  RadioButton& rdoFolderTemplateOptionsReplaceFirst;
  RadioButton& rdoFolderTemplateOptionsReplaceAll;
  // The search-terms choice: kept, never offered (its group stays hidden
  // and disabled).
  Label& grpFolderTemplateOptionsSearchTerms;
  RadioButton& rdoFolderTemplateOptionsReplaceRemainder;
  Edit& edtFolderTemplateOptionsReplaceRemainder;
  Button& btnFolderTemplateOptionsOk;
  Button& btnFolderTemplateOptionsCancel;
  Button& btnFolderTemplateOptionsHelp;

  // 1 Vol04, 2 Vol02, 3 Vol03, 4 Vol08: set by the page before showing.
  void SetPageKey(int key) { pageKey_ = key; }
  int PageKeyValue() const { return pageKey_; }

  // On every show: the radio of the stored record (the default record when
  // none is stored).
  void FormActivate();
  // The checked radio as a record with exactly one flag set.
  _tagFoldersTemplateOptions ChosenRecord() const;
  void btnFolderTemplateOptionsOkClick();
  void btnFolderTemplateOptionsCancelClick();
  void btnFolderTemplateOptionsHelpClick();

  // Opens the help topic of a page.
  std::function<void(PageKey)> showHelp;

 private:
  void RefreshRemainderEdit();
  int pageKey_ = 4;
  Connection shown_;
};

// The page of an options key; nullopt for a key no page has.
std::optional<PageKey> PageOfOptionsKey(int key);

}  // namespace quillory
