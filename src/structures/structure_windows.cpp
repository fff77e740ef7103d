#include "structures/structure_windows.h"

#include <initializer_list>
#include <optional>
#include <string>

namespace quillory {

namespace {

constexpr const char* kWholePaths = "Whole Folder Paths.";
constexpr const char* kWithoutFirst = "Folder Paths Without the First (Main) Folders.";
constexpr const char* kReplaceAll =
    "Folder Paths Without the Main Folders from the template and replace all the occurrences of the Main Folder in "
    "the Paths with the Last Subfolders from the Include Window.";
constexpr const char* kSearchTerms =
    "Attach the whole Paths from the Template  and Replaces  the search terms with the Main Folders from the "
    "Include Window.";

}  // namespace

std::optional<PageKey> PageOfOptionsKey(int key) {
  switch (key) {
    case 1: return PageKey::Vol04;
    case 2: return PageKey::Vol02;
    case 3: return PageKey::Vol03;
    case 4: return PageKey::Vol08;
    default: return std::nullopt;
  }
}

// ------------------------------------------------------------------ editor

TfrmFolderStructuresTemplates::TfrmFolderStructuresTemplates()
    : Window("TfrmFolderStructuresTemplates", "Folder Structures / Templates"),
      mmoEditFolderStructuresTemplates(Make<Memo>("mmoEditFolderStructuresTemplates")),
      lblFolderStructuresTemplatesEditLinesCurrent(Make<Label>("lblFolderStructuresTemplatesEditLinesCurrent", "0")),
      btnFolderStructuresTemplatesOk(
          Make<Button>("btnFolderStructuresTemplatesOk", "Close the Window With saving the Folders.")),
      btnFolderStructuresTemplatesCancel(Make<Button>("btnFolderStructuresTemplatesCancel", "Cancel")) {
  mmoEditFolderStructuresTemplates.SetReadOnly(false);
  mmoEditFolderStructuresTemplates.onChange = [this] { ShowLineCount(); };
  // Without a group behind it the window only closes.
  btnFolderStructuresTemplatesOk.onClick = [this] { modalResult = ModalResult::Ok; };
  btnFolderStructuresTemplatesCancel.onClick = [this] { modalResult = ModalResult::Cancel; };
}

TfrmFolderStructuresTemplates::~TfrmFolderStructuresTemplates() { mmoEditFolderStructuresTemplates.SetLines({}); }

void TfrmFolderStructuresTemplates::ShowLineCount() {
  lblFolderStructuresTemplatesEditLinesCurrent.SetCaption(
      std::to_string(mmoEditFolderStructuresTemplates.Lines().size()));
}

// ----------------------------------------------------------------- options

TfrmFolderTemplateOptions::TfrmFolderTemplateOptions()
    : Window("TfrmFolderTemplateOptions", "Options for Folder Templates"),
      grpFolderTemplateOptions(
          Make<Label>("grpFolderTemplateOptions", "Copy/Attach from Text based Folder Templates")),
      rdoFolderTemplateOptionsReplaceNo(
          Make<RadioButton>("rdoFolderTemplateOptionsReplaceNo", kWholePaths, &choices)),
      rdoFolderTemplateOptionsReplaceFirst(
          Make<RadioButton>("rdoFolderTemplateOptionsReplaceFirst", kWithoutFirst, &choices)),
      rdoFolderTemplateOptionsReplaceAll(
          Make<RadioButton>("rdoFolderTemplateOptionsReplaceAll", kReplaceAll, &choices)),
      grpFolderTemplateOptionsSearchTerms(Make<Label>("grpFolderTemplateOptionsSearchTerms", "Search Terms")),
      rdoFolderTemplateOptionsReplaceRemainder(
          Make<RadioButton>("rdoFolderTemplateOptionsReplaceRemainder", kSearchTerms, &choices)),
      edtFolderTemplateOptionsReplaceRemainder(Make<Edit>("edtFolderTemplateOptionsReplaceRemainder")),
      btnFolderTemplateOptionsOk(Make<Button>("btnFolderTemplateOptionsOk", "OK")),
      btnFolderTemplateOptionsCancel(Make<Button>("btnFolderTemplateOptionsCancel", "Cancel")),
      btnFolderTemplateOptionsHelp(Make<Button>("btnFolderTemplateOptionsHelp", "Help")) {
  // Nobody is offered the search terms: the group and what is in it stay
  // hidden and disabled, whatever record is read.
  for (Control* c : std::initializer_list<Control*>{&grpFolderTemplateOptionsSearchTerms,
                                                     &rdoFolderTemplateOptionsReplaceRemainder,
                                                     &edtFolderTemplateOptionsReplaceRemainder}) {
    c->SetVisible(false);
    c->SetEnabled(false);
  }
  for (RadioButton* r : choices.Buttons()) r->onClick = [this] { RefreshRemainderEdit(); };
  btnFolderTemplateOptionsOk.onClick = [this] { btnFolderTemplateOptionsOkClick(); };
  btnFolderTemplateOptionsCancel.onClick = [this] { btnFolderTemplateOptionsCancelClick(); };
  btnFolderTemplateOptionsHelp.onClick = [this] { btnFolderTemplateOptionsHelpClick(); };
  Handler("FormActivate", [this] { FormActivate(); });
  shown_ = shownChanged.Connect([this](bool shown) {
    if (shown) FormActivate();
  });
}

void TfrmFolderTemplateOptions::FormActivate() {
  const _tagFoldersTemplateOptions& record = TemplateOptionsOf(pageKey_);
  edtFolderTemplateOptionsReplaceRemainder.SetText("");
  if (record.wholePaths) {
    rdoFolderTemplateOptionsReplaceNo.SetChecked(true);
  } else if (record.replaceTerms) {
    rdoFolderTemplateOptionsReplaceRemainder.SetChecked(true);
    edtFolderTemplateOptionsReplaceRemainder.SetText(record.searchTerms);
  } else if (record.withoutFirst) {
    rdoFolderTemplateOptionsReplaceFirst.SetChecked(true);
  } else if (record.replaceAll) {
    rdoFolderTemplateOptionsReplaceAll.SetChecked(true);
  } else {
    // A record with no flag reads as whole paths (as the engines take it).
    rdoFolderTemplateOptionsReplaceNo.SetChecked(true);
  }
  RefreshRemainderEdit();
}

void TfrmFolderTemplateOptions::RefreshRemainderEdit() {
  // Inside its hidden group the edit still follows its radio.
  edtFolderTemplateOptionsReplaceRemainder.SetEnabled(rdoFolderTemplateOptionsReplaceRemainder.Checked());
}

_tagFoldersTemplateOptions TfrmFolderTemplateOptions::ChosenRecord() const {
  _tagFoldersTemplateOptions record;
  record.wholePaths = false;
  if (rdoFolderTemplateOptionsReplaceRemainder.Checked()) {
    record.replaceTerms = true;
    record.searchTerms = edtFolderTemplateOptionsReplaceRemainder.Text();
  } else if (rdoFolderTemplateOptionsReplaceFirst.Checked()) {
    record.withoutFirst = true;
  } else if (rdoFolderTemplateOptionsReplaceAll.Checked()) {
    record.replaceAll = true;
  } else {
    record.wholePaths = true;
  }
  return record;
}

void TfrmFolderTemplateOptions::btnFolderTemplateOptionsOkClick() {
  MAP_FOLDER_TEMPLATE_OPTIONS[pageKey_] = ChosenRecord();
  modalResult = ModalResult::Ok;
}

void TfrmFolderTemplateOptions::btnFolderTemplateOptionsCancelClick() { modalResult = ModalResult::Cancel; }

void TfrmFolderTemplateOptions::btnFolderTemplateOptionsHelpClick() {
  if (auto page = PageOfOptionsKey(pageKey_); page && showHelp) showHelp(*page);
}

}  // namespace quillory
