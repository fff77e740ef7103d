#include "lists/level_builder.h"

#include <charconv>
#include <utility>
#include <vector>

#include "app/dropped_paths.h"
#include "app/ui.h"
#include "lists/level_builder_window.h"
#include "lists/level_copy.h"
#include "lists/list_panel.h"
#include "platform/drives.h"
#include "platform/text.h"

namespace quillory {

namespace {

const char* const kEmptySelection = "The selection field is empty !\nAction : You must select a destination folder.";
const char* const kNoResults =
    "There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder level, or "
    "a filter.";
const char* const kNoDrive = "There is no drive letter !\n";
const char* const kEntireDisk = "The Entire disk can't be Deleted !\n";
const char* const kTransferEmpty = "Empty Result List in the File Import Window!\n";

// The page's numbers of one message: root empty, View empty, Build with an
// empty root, no results, no drive, whole disk (Vol07), empty transfer.
struct LevelTexts {
  const char* rootEmpty;
  const char* viewEmpty;
  const char* buildEmpty;
  const char* noResults;
  const char* noDrive;
  const char* entireDisk;  // nullptr where the page deletes nothing
  const char* transferEmpty;
};

const LevelTexts kVol08{"0253", "0254", "0255", "0310", "0257", nullptr, "0595"};
const LevelTexts kVol06{"0321", "0322", "0323", "0325", "0326", nullptr, "0585"};
const LevelTexts kVol07{"0314", "0315", "0316", "0318", "0319", "0335", "0590"};

const LevelTexts& TextsOf(PageKey page) {
  switch (page) {
    case PageKey::Vol06: return kVol06;
    case PageKey::Vol07: return kVol07;
    default: return kVol08;
  }
}

// Each caption as the page words it, with its own run of blanks.
std::string CaptionOf(PageKey page, const std::string& number) {
  std::string head;
  if (page == PageKey::Vol08) {
    head = number == "0257" ? "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: "
                            : "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: ";
  } else if (page == PageKey::Vol06) {
    if (number == "0326") head = "Rename Folders -From a Folder List - Level.             Warning no: ";
    else if (number == "0585") head = "Rename Folder(s).-From a Folder List.             Warning no: ";
    else head = "Rename Folders - From a Folder List - Level.            Warning no: ";
  } else {
    if (number == "0314") head = "Delete Folder(s).- From a Folder List.            Warning no: ";
    else if (number == "0318") head = "Delete Folder(s).-From a Folder List - Level.            Warning no: ";
    else if (number == "0319" || number == "0335" || number == "0590")
      head = "Delete Folder(s).-From a Folder List.             Warning no: ";
    else head = "Delete Folder(s).-From a Folder List.            Warning no: ";
  }
  return head + number + ".";
}

std::string Named(PageKey page, const char* prefix, const char* suffix) {
  return prefix + std::string(PageOf(page).name) + suffix;
}

}  // namespace

std::optional<std::uint32_t> ReadLevelNumber(const std::string& text, std::string* error) {
  const std::string trimmed = Trim(text);
  std::uint32_t value = 0;
  const char* end = trimmed.data() + trimmed.size();
  const auto [at, ec] = std::from_chars(trimmed.data(), end, value);
  // A negative level has no meaning; it is refused like any other text
  // that is not a level, rather than read as a huge one.
  if (trimmed.empty() || ec != std::errc() || at != end) {
    if (error) *error = "'" + text + "' is not a valid level number.";
    return std::nullopt;
  }
  return value;
}

LevelBuilderGroup::LevelBuilderGroup(Window& owner, Ui& ui, ListPanel& panel, FileSystem& fs)
    : grpLevelBuilder(owner.Make<Label>(Named(panel.Page(), "grp", "LevelBuilder"),
                                        "Add Folders using Subfolder Level Builder")),
      lblLevelDestFolder(owner.Make<Label>(Named(panel.Page(), "lbl", "LevelDestFolder"), "Root Folder:")),
      cboLevelDestFolder(owner.Make<ComboBox>(Named(panel.Page(), "cbo", "LevelDestFolder"))),
      btnAddDestFolder(owner.Make<Button>(Named(panel.Page(), "btn", "AddDestFolder"), "Browse")),
      btnViewDestFolder(owner.Make<Button>(Named(panel.Page(), "btn", "ViewDestFolder"), "View")),
      lblSubFolderFilter(owner.Make<Label>(Named(panel.Page(), "lbl", "SubFolderFilter"), "Filter:")),
      edtSubFolderFilter(owner.Make<Edit>(Named(panel.Page(), "edt", "SubFolderFilter"))),
      grpLevelSelector(owner.Make<Label>(Named(panel.Page(), "grp", "SubFolderLevelSelector"),
                                         "Subfolder Level Selector")),
      rdoSLNFromTo(owner.Make<RadioButton>(Named(panel.Page(), "rdo", "SLNFromTo"), "From:", &levels)),
      rdoSLNAbove(owner.Make<RadioButton>(Named(panel.Page(), "rdo", "SLNAbove"), "Above:", &levels)),
      rdoSLNBelow(owner.Make<RadioButton>(Named(panel.Page(), "rdo", "SLNBelow"), "Below:", &levels)),
      edtFromLevelNumber(owner.Make<Edit>(Named(panel.Page(), "edt", "FromLevelNumber"))),
      lblToLevelNumber(owner.Make<Label>(Named(panel.Page(), "lbl", "ToLevelNumber"), "To:")),
      edtToLevelNumber(owner.Make<Edit>(Named(panel.Page(), "edt", "ToLevelNumber"))),
      edtAboveLevelNumber(owner.Make<Edit>(Named(panel.Page(), "edt", "AboveLevelNumber"))),
      edtBelowLevelNumber(owner.Make<Edit>(Named(panel.Page(), "edt", "BelowLevelNumber"))),
      udFromLevelNumber(owner.Make<UpDown>(Named(panel.Page(), "ud", "FromLevelNumber"), edtFromLevelNumber, 1, 100, true)),
      udToLevelNumber(owner.Make<UpDown>(Named(panel.Page(), "ud", "ToLevelNumber"), edtToLevelNumber, 1, 100, true)),
      udAboveLevelNumber(
          owner.Make<UpDown>(Named(panel.Page(), "ud", "AboveLevelNumber"), edtAboveLevelNumber, 1, 100, true)),
      udBelowLevelNumber(
          owner.Make<UpDown>(Named(panel.Page(), "ud", "BelowLevelNumber"), edtBelowLevelNumber, 1, 100, true)),
      grpSubFolderToList(owner.Make<Label>(Named(panel.Page(), "grp", "SubFolderToList"), "SubFolder To List")),
      rdoGenLastSubFolder(owner.Make<RadioButton>(Named(panel.Page(), "rdo", "GenLastSubFolder"), "Only the Last", &kinds)),
      rdoGenAllSubFolders(
          owner.Make<RadioButton>(Named(panel.Page(), "rdo", "GenAllSubFolders"), "All in the Path", &kinds)),
      btnMakeList(owner.Make<Button>(Named(panel.Page(), "btn", "MakeList"), "Build a List")),
      btnSubFolderLevelListBuilder(
          owner.Make<Button>(Named(panel.Page(), "btn", "SubFolderLevelListBuilder"), "List Builder")),
      ui_(ui),
      panel_(panel),
      fs_(fs),
      page_(panel.Page()) {
  cboLevelDestFolder.SetHint("Select or Enter a Root Folder.");
  btnAddDestFolder.onClick = [this] { BrowseClick(); };
  cboLevelDestFolder.onSelect = [this] { RootSelect(); };
  cboLevelDestFolder.onEnter = [this] { RootSelect(); };
  // A root typed by hand is a root too: the level controls follow it while
  // the level builder is the chosen method.
  cboLevelDestFolder.onChange = [this] {
    if (panel_.rdoMakeListSelector && panel_.rdoMakeListSelector->Checked() && cboLevelDestFolder.Enabled()) {
      const bool level = !Trim(cboLevelDestFolder.Text()).empty();
      for (Control* c : panel_.methodControls.level) c->SetEnabled(level);
      rdoGenLastSubFolder.SetEnabled(level);
      rdoGenAllSubFolders.SetEnabled(level);
    }
  };
  btnViewDestFolder.onClick = [this] { ViewClick(); };
  for (RadioButton* r : {&rdoSLNFromTo, &rdoSLNAbove, &rdoSLNBelow}) r->onClick = [this] { LevelRadioClick(); };
  btnMakeList.onClick = [this] { MakeListClick(); };
  btnSubFolderLevelListBuilder.onClick = [this] { ListBuilderClick(); };

  ListPanel::MethodControls& m = panel.methodControls;
  m.root = {&lblLevelDestFolder, &cboLevelDestFolder, &btnAddDestFolder, &btnViewDestFolder};
  m.rootBox = &cboLevelDestFolder;
  m.rootBrowse = &btnAddDestFolder;
  m.level = {&grpLevelSelector, &rdoSLNFromTo, &rdoSLNAbove, &rdoSLNBelow, &edtFromLevelNumber, &lblToLevelNumber,
             &edtToLevelNumber, &edtAboveLevelNumber, &edtBelowLevelNumber, &udFromLevelNumber, &udToLevelNumber,
             &udAboveLevelNumber, &udBelowLevelNumber, &lblSubFolderFilter, &edtSubFolderFilter,
             &grpSubFolderToList, &btnMakeList};
  m.onlyLast = &rdoGenLastSubFolder;
  m.allInPath = &rdoGenAllSubFolders;
  panel.resetLevels = [this] { Reset(); };
  Reset();
  cboLevelDestFolder.ClearItems();
}

void LevelBuilderGroup::Reset() {
  cboLevelDestFolder.ClearItems();
  cboLevelDestFolder.SetText("");
  edtSubFolderFilter.SetText("");
  rdoSLNFromTo.SetChecked(true);
  rdoGenLastSubFolder.SetChecked(true);
  SetNumbers();
}

void LevelBuilderGroup::SetNumbers() {
  for (Edit* e : {&edtFromLevelNumber, &edtToLevelNumber, &edtAboveLevelNumber, &edtBelowLevelNumber}) e->SetText("1");
}

void LevelBuilderGroup::Warn(const std::string& text, const std::string& number) {
  ui_.ShowMessageBox(text, CaptionOf(page_, number), MessageKind::Warning);
}

void LevelBuilderGroup::BrowseClick() { TakeRoot(ui_.SelectFolder("Browse Title")); }

void LevelBuilderGroup::DropPaths(const std::vector<std::string>& hostPaths) {
  if (!btnAddDestFolder.Enabled()) return;
  if (auto path = SingleDroppedFolder(hostPaths, ui_, panel_.Map(), fs_)) TakeRoot(*path);
}

void LevelBuilderGroup::RootSelect() {
  if (auto root = TypedRoot()) TakeRoot(*root);
}

std::optional<std::string> LevelBuilderGroup::TypedRoot() {
  const std::string typed = Trim(cboLevelDestFolder.Text());
  std::optional<std::string> root = TypedFolder(typed, ui_, panel_.Map());
  if (root && *root != typed) cboLevelDestFolder.SetText(*root);
  return root;
}

void LevelBuilderGroup::TakeRoot(const std::string& text) {
  const std::string root = Trim(text);
  if (root.empty()) {
    Warn(kEmptySelection, TextsOf(page_).rootEmpty);
    return;
  }
  int at = -1;
  const std::vector<std::string>& items = cboLevelDestFolder.Items();
  for (std::size_t i = 0; i < items.size() && at < 0; ++i)
    if (SameText(items[i], root)) at = static_cast<int>(i);
  if (at < 0) {
    cboLevelDestFolder.AddItem(root);
    at = static_cast<int>(cboLevelDestFolder.Items().size()) - 1;
  }
  cboLevelDestFolder.SetItemIndex(at);
  for (Control* c : panel_.methodControls.level) c->SetEnabled(true);
  rdoGenLastSubFolder.SetEnabled(true);
  rdoGenAllSubFolders.SetEnabled(true);
  SetNumbers();
  if (rdoSLNAbove.Checked()) edtAboveLevelNumber.SetFocus();
  else if (rdoSLNBelow.Checked()) edtBelowLevelNumber.SetFocus();
  else edtFromLevelNumber.SetFocus();
}

void LevelBuilderGroup::ViewClick() {
  const std::optional<std::string> typed = TypedRoot();
  if (!typed) return;
  const std::string& root = *typed;
  if (root.empty()) {
    Warn(kEmptySelection, TextsOf(page_).viewEmpty);
    return;
  }
  ui_.OpenFolder(root);
}

void LevelBuilderGroup::LevelRadioClick() { SetNumbers(); }

void LevelBuilderGroup::MakeListClick() {
  const LevelTexts& texts = TextsOf(page_);
  const std::optional<std::string> typed = TypedRoot();
  if (!typed) return;
  const std::string& root = *typed;
  if (root.empty()) {
    Warn(kEmptySelection, texts.buildEmpty);
    return;
  }
  LevelCopy copy({root}, fs_);
  std::string error;
  const auto number = [&](const Edit& edit) { return ReadLevelNumber(edit.Text(), &error); };
  const auto conversionFailed = [&] {
    ui_.ShowMessageBox(error, "Quillory Suite", MessageKind::Error);
  };
  if (rdoSLNFromTo.Checked()) {
    const auto from = number(edtFromLevelNumber);
    const auto to = from ? number(edtToLevelNumber) : std::nullopt;
    if (!from || !to) return conversionFailed();
    copy.SetFromTo(*from, *to);
  } else if (rdoSLNAbove.Checked()) {
    const auto n = number(edtAboveLevelNumber);
    if (!n) return conversionFailed();
    copy.SetAbove(*n);
  } else if (rdoSLNBelow.Checked()) {
    const auto n = number(edtBelowLevelNumber);
    if (!n) return conversionFailed();
    copy.SetBelow(*n);
  }
  copy.SetListKind(rdoGenAllSubFolders.Checked() && !rdoGenLastSubFolder.Checked() ? LevelCopy::AllInThePath
                                                                                  : LevelCopy::OnlyTheLast);
  copy.SetFilter(Trim(edtSubFolderFilter.Text()));
  copy.Run();
  std::vector<std::string> results = copy.TakeResults();
  if (results.empty()) {
    Warn(kNoResults, texts.noResults);
    return;
  }
  // One change of the list for the whole build, so a hundred thousand
  // results cost one refresh of the page. Each result is case folded once;
  // the list drops the batch's own repeats, as it would had each been
  // appended in turn.
  std::vector<std::string> batch;
  std::vector<FoldKey> keys;
  batch.reserve(results.size());
  keys.reserve(results.size());
  for (std::string& result : results) {
    std::string t = Trim(result);
    if (texts.entireDisk && t.size() <= 3) {
      Warn(kEntireDisk, texts.entireDisk);
      continue;
    }
    if (t.empty()) continue;
    const FoldKey key = FoldKeyOf(t);
    if (panel_.include.Contains(key) || panel_.exclude.Contains(key)) continue;
    if (!HasDrive(t)) {
      Warn(kNoDrive, texts.noDrive);
      continue;
    }
    batch.push_back(std::move(t));
    keys.push_back(key);
  }
  if (!batch.empty()) panel_.include.AddNewKeyed(std::move(batch), keys);
  panel_.RefreshSums();
  ui_.Repaint();
}

void LevelBuilderGroup::ListBuilderClick() {
  if (!window_) return;
  TfrmSubFolderListBuilder& window = *window_;
  window.modalResult = ModalResult::None;
  const ModalResult result = ui_.ShowModal(window);
  if (window.lstIncludeFolderList.Empty()) {
    Warn(kTransferEmpty, TextsOf(page_).transferEmpty);
    return;
  }
  if (result != ModalResult::Ok) return;
  const ListBox& exclude = panel_.exclude;
  panel_.include.AddNew(window.lstIncludeFolderList.Items(), [&exclude](const std::string& item) {
    return !exclude.Contains(item) && Trim(item).size() >= 4;
  });
  panel_.RefreshSums();
}

}  // namespace quillory
