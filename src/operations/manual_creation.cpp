#include "operations/manual_creation.h"

#include <optional>
#include <string_view>

#include "app/run_frame.h"
#include "app/dropped_paths.h"
#include "app/ui.h"
#include "names/folder_names.h"
#include "operations/operation_windows.h"
#include "platform/drives.h"
#include "platform/text.h"

namespace quillory {

namespace {

struct PageMessage {
  std::string_view number;
  MessageKind kind;
  std::string_view text;  // empty: the caller's text (a check's verdict)
  std::string_view caption;
};

constexpr std::string_view kEnd = "End of Creating Folders/Files !!!";
constexpr std::string_view kEndWithLog =
    "End of Creating Folders/Files !!!\nThe Error Log is not empty !!!\nDo you want to see it ?";
constexpr std::string_view kExists = "This folder exists !\nAction : You must enter other text to create a valid folder.";
constexpr std::string_view kNoRoot =
    "The selection field is empty !\nAction : You must select a root directory to create a valid folder.";

constexpr PageMessage kMessages[] = {
    {"0104", MessageKind::Warning, "", "Creating Folder(s).-Manually (1).            Warning no: 0104."},
    {"0105", MessageKind::Warning,
     "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.",
     "Creating Folder(s).- Manually (1).            Warning no: 0105."},
    {"0106", MessageKind::Warning, "", "Creating Folder(s).-From Folder List.            Warning no: 0106."},
    {"0107", MessageKind::Question,
     "\nDo you want to create this folder ?\nClick YES to Continue Creating folders,\nClick NO to Stop the Creating "
     "process.",
     "Creating Folder(s).-Manually (1).            Information no: 0107."},
    {"0108", MessageKind::Warning, kExists, "Creating Folder.                     Warning no: 0108."},
    {"0109", MessageKind::Question, kEndWithLog, "Creating Folder(s).- Manually.            Information no: 0109."},
    {"0110", MessageKind::Information, kEnd, "Creating Folder(s).-Manually.            Information no: 0110."},
    {"0112", MessageKind::Warning, kNoRoot, "Creating Folder.                     Warning no: 0112."},
    {"0113", MessageKind::Warning, kNoRoot, "Creating Folder.                     Warning no: 0113."},
    {"0114", MessageKind::Warning,
     "The selection field is empty !\nAction : You must select a folder with subfolders structure.",
     "Creating Folder(s).\t\t\t            Warning no: 0114."},
    {"0115", MessageKind::Warning, kExists, "Creating Folder.                     Warning no: 0115."},
    {"0116", MessageKind::Warning,
     "There is a drive letter in text !\nAction : You can't enter a drive letter to Subfolder field.",
     "Creating Folder.                     Warning no: 0116."},
    {"0117", MessageKind::Warning,
     "The text field is empty !\nAction : You must enter other text to create a valid path.",
     "Creating Folder.                     Warning no: 0117."},
    {"0118", MessageKind::Question, kEndWithLog, "Creating Folder(s).- SubFolder.            Information no: 0118."},
    {"0119", MessageKind::Information, kEnd, "Creating Folder(s).-SubFolders.            Information no: 0119."},
};

// 0105 for a text with illegal characters: this, then the characters found.
constexpr std::string_view kIllegalInText = "Illegal characters in the text : ";

const PageMessage& Message(std::string_view number) {
  for (const PageMessage& m : kMessages)
    if (m.number == number) return m;
  return kMessages[0];  // every caller names a number of the table
}

// Whether a normalised path may be created at all. A "." or ".." name would
// make the folder somewhere the user did not name (outside the root, for a
// subfolder), a path without a drive names no place, and a colon or another
// character the path language forbids would make a name no other machine
// could hold; such paths go to the other-reasons list untried.
bool Creatable(std::string_view path) {
  const std::string drive = ExtractFileDrive(path);
  if (drive.empty()) return false;
  const std::string_view rest = path.substr(drive.size());
  if (rest.find(':') != std::string_view::npos) return false;
  std::string found;
  if (CheckIllegalCharacters("N", rest, found)) return false;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string_view::npos) end = rest.size();
    const std::string_view name = rest.substr(start, end - start);
    if (name == "." || name == "..") return false;
    start = end + 1;
  }
  return true;
}

void AddUnlessPresent(ComboBox& combo, const std::string& item) {
  if (combo.IndexOf(item) < 0) combo.AddItem(item);
}

}  // namespace

ManualCreationPage::ManualCreationPage(Window& owner, Ui& ui, PageControl& pages, TabSheet& tab, FileSystem& fs,
                                       const DriveMap& drives)
    : grpForced(owner.Make<Label>("grpForced", "Creating Full Paths - Manually.")),
      lblCreateFolderForced(owner.Make<Label>("lblCreateFolderForced", "Full path (Folder Name with drive letter) :")),
      cboCreateFolderForced(owner.Make<ComboBox>("cboCreateFolderForced")),
      btnCreateFolderForced(owner.Make<Button>("btnCreateFolderForced", "Create Folder")),
      lblSuccess(owner.Make<Label>("lblSuccess", "Successfully created folders :")),
      lstSuccess(owner.Make<ListBox>("lstSuccess")),
      btnForcedErrorLog(owner.Make<Button>("btnForcedErrorLog", "Error Log")),
      grpSubFolder(owner.Make<Label>("grpSubFolder", "Creating Folders - Manually.")),
      lblRootFolders(owner.Make<Label>("lblRootFolders", "Destination  folder name:")),
      cboRootFolders(owner.Make<ComboBox>("cboRootFolders")),
      btnAddRootFolders(owner.Make<Button>("btnAddRootFolders", "Browse")),
      lblSubFolder(owner.Make<Label>("lblSubFolder", "Subfolder(s) name(s):")),
      cboSubFolder(owner.Make<ComboBox>("cboSubFolder")),
      lblSimple02Preview(owner.Make<Label>("lblSimple02Preview", "Preview :")),
      lblSimple02CompleteFolder(owner.Make<Label>("lblSimple02CompleteFolder")),
      btnCreateSubFolder(owner.Make<Button>("btnCreateSubFolder", "Create Folder")),
      chkSubViewDestFolder(owner.Make<CheckBox>("chkSubViewDestFolder", "View D. Folder")),
      btnSubViewDestFolder(owner.Make<Button>("btnSubViewDestFolder", "View")),
      lblSuccessSubFolders(owner.Make<Label>("lblSuccessSubFolders", "Successfully created folders:")),
      lstSuccessSubFolders(owner.Make<ListBox>("lstSuccessSubFolders")),
      btnSubFolderErrorLog(owner.Make<Button>("btnSubFolderErrorLog", "Error Log")),
      ui_(ui),
      pages_(pages),
      tab_(tab),
      fs_(&fs),
      drives_(&drives) {
  tab.SetHint("Create folders - manually, two  ways.");
  chkSubViewDestFolder.SetChecked(true);
  btnForcedErrorLog.SetColor(Color::Green);
  btnSubFolderErrorLog.SetColor(Color::Green);

  btnCreateFolderForced.onClick = [this] { btnCreateFolderForcedClick(); };
  cboCreateFolderForced.onEnter = [this] { btnCreateFolderForcedClick(); };
  btnForcedErrorLog.onClick = [this] { btnForcedErrorLogClick(); };
  btnAddRootFolders.onClick = [this] { btnAddRootFoldersClick(); };
  cboRootFolders.onSelect = [this] { cboRootFoldersSelect(); };
  // Picking a subfolder from the history changes the text as typing does.
  cboSubFolder.onChange = cboSubFolder.onSelect = [this] { cboSubFolderChange(); };
  cboSubFolder.onEnter = [this] { btnCreateSubFolderClick(); };
  btnCreateSubFolder.onClick = [this] { btnCreateSubFolderClick(); };
  btnSubViewDestFolder.onClick = [this] { btnSubViewDestFolderClick(); };
  btnSubFolderErrorLog.onClick = [this] { btnSubFolderErrorLogClick(); };
}

void ManualCreationPage::AttachLogWindows(TForcedUnSuccessFullForm& forced, TSubFolderUnSuccessFullForm& sub) {
  forcedLog_ = &forced;
  subLog_ = &sub;
}

void ManualCreationPage::ShowMessage(const char* number, const std::string& text) {
  const PageMessage& m = Message(number);
  ui_.ShowMessageBox(text.empty() ? std::string(m.text) : text, std::string(m.caption), m.kind);
}

bool ManualCreationPage::AskMessage(const char* number, const std::string& text) {
  const PageMessage& m = Message(number);
  return ui_.ShowMessageBox(text.empty() ? std::string(m.text) : text, std::string(m.caption), m.kind) ==
         MessageAnswer::Yes;
}

ManualCreationPage::Outcome ManualCreationPage::Create(const std::string& path) {
  CreateResult result = fs_->CreateFolders(path);
  // A failure may leave parents it could not remove again; they are ours.
  lastMade_.insert(lastMade_.end(), result.made.begin(), result.made.end());
  if (!result.ok()) return Outcome::Other;
  // Made by someone else between the existence test and now: not ours.
  return result.made.empty() ? Outcome::Existing : Outcome::Created;
}

ManualCreationPage::Outcome ManualCreationPage::CreateBelow(const std::string& root, const std::string& sub) {
  CreateResult made;
  if (!fs_->DirectoryExists(root)) {
    made = fs_->CreateFolders(root);
    if (!made.ok()) {
      lastMade_.insert(lastMade_.end(), made.made.begin(), made.made.end());
      return Outcome::Other;
    }
  }
  CreateResult below = fs_->CreateFoldersBelow(root, sub);
  if (!below.ok()) {
    // Nothing half-made stays: the root's parents go again, each only while
    // it is still the folder made and empty.
    for (auto it = made.made.rbegin(); it != made.made.rend(); ++it) {
      if (fs_->Identity(it->path) != it->identity || !fs_->RemoveEmptyFolder(it->path).ok()) break;
      made.made.pop_back();
    }
  }
  made.made.insert(made.made.end(), below.made.begin(), below.made.end());
  lastMade_.insert(lastMade_.end(), made.made.begin(), made.made.end());
  if (!below.ok()) return Outcome::Other;
  return made.made.empty() ? Outcome::Existing : Outcome::Created;
}

void ManualCreationPage::PageShow() { cboCreateFolderForced.SetFocus(); }

// ------------------------------------------------------------- full paths

void ManualCreationPage::btnCreateFolderForcedClick() {
  TabLock lock(pages_, tab_);
  btnForcedErrorLog.SetColor(Color::Green);
  forcedExisting_.clear();
  forcedOther_.clear();
  lastMade_.clear();
  // Whatever way the run ends, the caption tells whether the log holds any.
  struct Finish {
    ManualCreationPage& page;
    ~Finish() {
      if (!page.forcedExisting_.empty() || !page.forcedOther_.empty()) page.btnForcedErrorLog.SetColor(Color::Red);
      page.cboCreateFolderForced.SetFocus();
    }
  } finish{*this};

  const std::optional<std::string> typed = TypedFolder(Trim(cboCreateFolderForced.Text()), ui_, *drives_);
  if (!typed) return;
  const std::string& text = *typed;
  std::string verdict;
  if (!CheckColons(text, verdict)) {
    ShowMessage("0104", verdict);
    return;
  }
  std::string found;
  if (text.empty()) {
    ShowMessage("0105");
    return;
  }
  if (CheckIllegalCharacters("N", text, found)) {
    ShowMessage("0105", std::string(kIllegalInText) + found);
    return;
  }
  const std::string normalized = NormalizeComposedPath(text);
  cboCreateFolderForced.SetText(normalized);

  for (const std::string& path : CutFullPaths(normalized)) {
    if (!ValidateFullFolderPath(path, true, *drives_, verdict)) {
      ShowMessage("0106", verdict);
      return;
    }
    if (!Creatable(path)) {
      forcedOther_.push_back(path);
      continue;
    }
    if (fs_->DirectoryExists(path)) {
      forcedExisting_.push_back(path);
      ShowMessage("0108");
      continue;
    }
    if (!AskMessage("0107", path + std::string(Message("0107").text))) return;
    switch (Create(path)) {
      case Outcome::Created:
        AddUnlessPresent(cboCreateFolderForced, path);
        lstSuccess.Add(path);
        break;
      case Outcome::Existing: forcedExisting_.push_back(path); break;
      case Outcome::Other: forcedOther_.push_back(path); break;
    }
    ui_.Repaint();
  }

  if (!forcedExisting_.empty() || !forcedOther_.empty()) {
    btnForcedErrorLog.SetColor(Color::Red);
    if (AskMessage("0109")) btnForcedErrorLogClick();
  } else {
    ShowMessage("0110");
  }
}

void ManualCreationPage::btnForcedErrorLogClick() {
  if (!forcedLog_) return;
  forcedLog_->lstForcedUnSuccessFullExist.SetItems(forcedExisting_);
  forcedLog_->lstForcedUnSuccessFullOther.SetItems(forcedOther_);
  ui_.ShowModal(*forcedLog_);
}

// ------------------------------------------------------------- subfolders

void ManualCreationPage::TakeRoot(const std::string& root, const char* emptyWarning) {
  if (Trim(root).empty()) {
    cboSubFolderChange();
    ShowMessage(emptyWarning);
    return;
  }
  AddUnlessPresent(cboRootFolders, root);
  cboRootFolders.SetItemIndex(cboRootFolders.IndexOf(root));
  cboSubFolderChange();
}

void ManualCreationPage::btnAddRootFoldersClick() {
  cboRootFolders.SetItemIndex(-1);
  cboRootFolders.SetText("");
  TakeRoot(ui_.SelectFolder("Browse Title"), "0112");
}

void ManualCreationPage::DropRootFolder(const std::vector<std::string>& hostPaths) {
  if (!btnAddRootFolders.Enabled()) return;
  if (auto path = SingleDroppedFolder(hostPaths, ui_, *drives_, *fs_)) {
    cboRootFolders.SetItemIndex(-1);
    cboRootFolders.SetText("");
    TakeRoot(*path, "0112");
  }
}

void ManualCreationPage::cboRootFoldersSelect() {
  if (TypedRoot()) TakeRoot(cboRootFolders.Text(), "0113");
}

bool ManualCreationPage::TypedRoot() {
  const std::string typed = Trim(cboRootFolders.Text());
  const std::optional<std::string> root = TypedFolder(typed, ui_, *drives_);
  if (root && *root != typed) cboRootFolders.SetText(*root);
  return root.has_value();
}

std::string ManualCreationPage::SubFolderPath() const {
  const std::string& root = cboRootFolders.Text();
  const std::string sub = Trim(cboSubFolder.Text());
  // With no root chosen the join begins with "\" and has no drive: it is
  // shown, but never created (Creatable refuses it).
  const std::string joined = !sub.empty() && sub.front() == '\\' ? root + sub : root + "\\" + sub;
  return NormalizeComposedPath(joined);
}

void ManualCreationPage::cboSubFolderChange() { lblSimple02CompleteFolder.SetCaption(SubFolderPath()); }

void ManualCreationPage::btnCreateSubFolderClick() {
  TabLock lock(pages_, tab_);
  btnSubFolderErrorLog.SetColor(Color::Green);
  subExisting_.clear();
  subOther_.clear();
  lastMade_.clear();
  if (!TypedRoot()) return;
  cboSubFolderChange();
  struct Finish {
    ManualCreationPage& page;
    ~Finish() {
      if (!page.subExisting_.empty() || !page.subOther_.empty()) page.btnSubFolderErrorLog.SetColor(Color::Red);
      page.cboSubFolder.SetFocus();
    }
  } finish{*this};

  const std::string sub = Trim(cboSubFolder.Text());
  if (sub.empty()) {
    ShowMessage("0117");
  } else if (HasDrive(sub)) {
    ShowMessage("0116");
  } else {
    const std::string path = SubFolderPath();
    const std::string root = Trim(cboRootFolders.Text());
    if (!Creatable(path)) {
      subOther_.push_back(path);
    } else {
      // Created first and classified after, so that what lies behind a link
      // below the root is neither made nor reported as existing.
      switch (CreateBelow(NormalizeComposedPath(root), sub)) {
        case Outcome::Created:
          AddUnlessPresent(cboSubFolder, sub);
          lstSuccessSubFolders.Add(path);
          if (chkSubViewDestFolder.Checked() && !root.empty()) ui_.OpenFolder(root);
          break;
        case Outcome::Existing:
          subExisting_.push_back(path);
          ShowMessage("0115");
          break;
        case Outcome::Other: subOther_.push_back(path); break;
      }
    }
  }

  if (!subExisting_.empty() || !subOther_.empty()) {
    btnSubFolderErrorLog.SetColor(Color::Red);
    if (AskMessage("0118")) btnSubFolderErrorLogClick();
  } else {
    ShowMessage("0119");
  }
}

void ManualCreationPage::btnSubViewDestFolderClick() {
  if (!TypedRoot()) return;
  const std::string root = Trim(cboRootFolders.Text());
  if (root.empty()) ShowMessage("0114");
  else ui_.OpenFolder(root);
}

void ManualCreationPage::btnSubFolderErrorLogClick() {
  if (!subLog_) return;
  subLog_->lstSubFolderUnSuccessFullExist.SetItems(subExisting_);
  subLog_->lstSubFolderUnSuccessFullOther.SetItems(subOther_);
  ui_.ShowModal(*subLog_);
}

}  // namespace quillory
