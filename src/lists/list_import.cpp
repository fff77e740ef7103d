#include "lists/list_import.h"

#include <algorithm>
#include <memory>
#include <string>
#include <map>
#include <vector>

#include "app/ui.h"
#include "lists/file_import.h"
#include "lists/import_class.h"
#include "lists/list_panel.h"
#include "names/folder_names.h"
#include "names/list_check.h"
#include "platform/case_blind_index.h"
#include "platform/drives.h"
#include "platform/file_io.h"
#include "platform/line_reader.h"
#include "platform/text.h"

namespace quillory {

namespace {

// The captions and texts of one page's imports.
struct PageTexts {
  // Smart import.
  const char* emptyPreviewCaption;
  const char* checkFaultCaption;
  // Plain import.
  const char* filter;
  const char* notTxtQuestion;
  const char* notTxtCaption;
  const char* openFailedCaption;
  const char* clearCaption;
  const char* inInclude;
  const char* inIncludeCaption;
  const char* inExclude;
  const char* inExcludeCaption;
  const char* driveQuestion;
  const char* driveCaption;
  const char* endNote;
  const char* repeatQuestion;
  const char* repeatCaption;
};

const char* const kEmptyPreview = "Empty Result List in the File Import Window!\n";
const char* const kOpenFailed = "There was a problem opening the file !\nAction : The file is maybe corrupted.";
const char* const kClearQuestion =
    "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous content,\n"
    "Click NO to leave it.";
const char* const kDialogTitle = "Import List";
// The closing note carries no message number; it is titled as the program.
const char* const kPlainCaption = "Quillory Suite";

const char* const kFilterVol02 = "Text files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
const char* const kFilterOthers = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
const char* const kNotTxtVol02 =
    "The file extension is not a txt.\nMaybe it is not a plain text file. \nDo you want to open this file ?\nClick "
    "YES to continue Loading this file,\nClick NO to Stop the Loading process.";
const char* const kNotTxtOthers =
    "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to open this file ?\nClick YES "
    "to Continue Loading this file,\nClick NO to Stop the Loading process.";
const char* const kEndVol02 = "End of the Loading process.";
const char* const kEndOthers = "End of the loading process.";
const char* const kItemInInclude = "This item already exists in the Include window !\n";
const char* const kItemInExclude = "This item already exists in the Exclude window !\n";
const char* const kFolderInInclude = "This folder already exists in the Include window !\n";
const char* const kFolderInExclude = "This folder already exists in the Exclude window !\n";
const char* const kDriveVol02 =
    "There is a drive letter in the string!\nClick YES to continue without asking\nClick NO  to Clear the INCULDE "
    "Window and quit the Import process";
const char* const kRepeatItems =
    "There may be more items in the file that already exist in the Include or Exclude window!\nClick YES to skip "
    "them without asking\nClick NO  to show this warning for each of them";
const char* const kRepeatFolders =
    "There may be more folders in the file that already exist in the Include or Exclude window!\nClick YES to skip "
    "them without asking\nClick NO  to show this warning for each of them";
// Closes the end note after a Yes to the repeat question; the count follows.
const char* const kRepeatsSkipped = "\n\nLines skipped as already existing items: ";
const char* const kDriveOthers =
    "There is no drive letter !\nClick YES to continue without asking\nClick NO  to Clear the INCULDE Window and "
    "quit the Import process";

const PageTexts kTexts[] = {
    // Vol02
    {"Creating Folder(s).-From a String List.             Warning no: 0377.",
     "Creating Folder(s).-From a String List.            Warning no: 0385bc.", kFilterVol02, kNotTxtVol02,
     "Creating Folder(s).-From a String List.            Information no: 0012.",
     "Creating Folder(s).-From a String List.            Warning no: 0013.",
     "Creating Folder(s).-From a String List.            Information no: 0014.", kItemInInclude,
     "Creating Folder(s).-From a String List.             Warning no: 0141.", kItemInExclude,
     "Creating Folder(s).-From a String List.             Warning no: 0142.", kDriveVol02,
     "reating Folder(s).-From a String List.             Warning no: 0143.", kEndVol02, kRepeatItems,
     "Creating Folder(s).-From a String List.             Warning no: 0141b."},
    // Vol04
    {"Creating Folder(s).-From a Folder List.             Warning no: 0383.",
     "Creating Folder(s).--From a Folder List.            Warning no: 0383bc.", kFilterOthers, kNotTxtOthers,
     "Creating Folder(s).-From a Folder List.            Information no: 0048.",
     "Creating Folder(s).-From a Folder List.             Warning no: 0049.",
     "Creating Folder(s).-From a Folder List.            Information no: 0050.", kFolderInInclude,
     "Creating Folder(s).-From a Folder List.             Warning no: 0138.", kFolderInExclude,
     "Creating Folder(s).-From a Folder List.             Warning no: 0139.", kDriveOthers,
     "Creating Folder(s).-From a Folder List.             Warning no: 0140.", kEndOthers, kRepeatFolders,
     "Creating Folder(s).-From a Folder List.             Warning no: 0138b."},
    // Vol06
    {"Rename Folder(s).-From a Folder List.             Warning no: 0389.",
     "Rename Folder(s).--From a Folder List.            Warning no: 0383bc.", kFilterOthers, kNotTxtOthers,
     "Rename Folders. - From a Folder List.            Information no: 0190.",
     "Rename Folders. - From Folder List.             Warning no: 0191.",
     "Rename Folders. - From a Folder List.            Information no: 0192.", kFolderInInclude,
     "Rename Folders. - From a Folder List.             Warning no: 0196.", kFolderInExclude,
     "Rename Folders. - From a Folder List.             Warning no: 0195.", kDriveOthers,
     "Rename Folders. - From a Folder List.             Warning no: 0194.", kEndOthers, kRepeatFolders,
     "Rename Folders. - From a Folder List.             Warning no: 0196b."},
    // Vol07
    {"Delete Folder(s).-From a Folder List.             Warning no: 0395.",
     "Delete Folder(s).--From a Folder List.            Warning no: 0383bc.", kFilterOthers, kNotTxtOthers,
     "Delete Folders(s).-From a Folder List.            Information no: 0225.",
     "Delete Folder(s).-From a Folder List.             Warning no: 0226.",
     "Delete Folder(s).-From a Folder List.            Information no: 0227.", kFolderInInclude,
     "Delete Folder(s).-From a Folder List.             Warning no: 0231.", kFolderInExclude,
     "Delete Folder(s).-From a Folder List.             Warning no: 0230.", kDriveOthers,
     "Delete Folder(s).-From a Folder List.             Warning no: 0229.", kEndOthers, kRepeatFolders,
     "Delete Folder(s).-From a Folder List.             Warning no: 0231b."},
    // Vol08
    {"Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0401.",
     "Copy Folder Structure(s).-From a Folder List. - From a Folder List.            Warning no: 0383bc.",
     kFilterOthers, kNotTxtOthers, "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0268.",
     "Copy Folder Structure(s).-From Folder List - Level.             Warning no: 0269.",
     "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0270.", kFolderInInclude,
     "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0274.", kFolderInExclude,
     "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0273.", kDriveOthers,
     "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0272.", kEndOthers, kRepeatFolders,
     "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0274b."},
};

const PageTexts& TextsOf(PageKey page) { return kTexts[PanelIndex(page)]; }

// The pages that act on existing folders take no bare drive or other text of
// three characters or fewer.
bool SkipsShortItems(PageKey page) {
  return page == PageKey::Vol06 || page == PageKey::Vol07 || page == PageKey::Vol08;
}

std::size_t CharacterCount(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < s.size(); at += Utf8CharLength(s, at)) ++count;
  return count;
}

bool TooShort(PageKey page, std::string_view trimmed) {
  return SkipsShortItems(page) && CharacterCount(trimmed) <= 3;
}

// A letter drive the drive map knows and finds, or a UNC share it names.
// Asked once per drive and import: a million lines on one drive would
// otherwise ask the file system a million times.
class DrivePresence {
 public:
  explicit DrivePresence(const DriveMap& drives) : drives_(drives) {}
  bool Present(std::string_view path) {
    const std::string drive = CaseFold(ExtractFileDrive(path));
    if (drive.empty()) return false;
    auto [it, fresh] = known_.try_emplace(drive, false);
    if (fresh) it->second = drives_.IsDrivePartPresent(drive);
    return it->second;
  }

 private:
  const DriveMap& drives_;
  std::map<std::string, bool> known_;
};

void Warn(Ui& ui, const std::string& text, const char* caption) {
  ui.ShowMessageBox(text, caption, MessageKind::Warning);
}

bool Ask(Ui& ui, const char* text, const char* caption) {
  return ui.ShowMessageBox(text, caption, MessageKind::Question) == MessageAnswer::Yes;
}

// Lines taken by a plain import reach the include list in batches that grow
// with the list, so even a sorted list is merged only a few times; the
// pending lines stay visible to the duplicate test.
class PendingItems {
 public:
  PendingItems(ListBox& list, Ui& ui) : list_(list), ui_(ui) {}
  ~PendingItems() { list_.DropPending(); }

  bool Contains(const FoldKey& key) const { return list_.Contains(key); }
  void Add(std::string item, const FoldKey& key) {
    list_.AddPending(std::move(item), key);
    if (list_.PendingCount() >= std::max<std::size_t>(kMinBatch, list_.Count())) Flush();
  }
  void Flush() {
    if (list_.PendingCount() == 0) return;
    list_.FlushPending();
    ui_.Repaint();
  }
  void Drop() { list_.DropPending(); }

 private:
  static constexpr std::size_t kMinBatch = 4096;
  ListBox& list_;
  Ui& ui_;
};

}  // namespace

void SmartImportList(ListPanel& panel, Ui& ui, TfrmFileImport& window) {
  const PageTexts& texts = TextsOf(panel.Page());
  const ModalResult result = ui.ShowModal(window);
  const ListBox& preview = window.lstFileImportResults;
  if (preview.Empty()) {
    Warn(ui, kEmptyPreview, texts.emptyPreviewCaption);
    return;
  }
  if (result != ModalResult::Ok) return;
  const ListCheckResult check = CheckList(preview.Items(), panel.FolderPage() ? ListMode::Folders : ListMode::Strings,
                                          DriveSectionVariant::SmartImport);
  if (check.fault) {
    Warn(ui, check.message, texts.checkFaultCaption);
    return;
  }
  const PageKey page = panel.Page();
  const bool normalize = page == PageKey::Vol02 || page == PageKey::Vol04;
  // In slices, so the page's copy of a million items never stands beside a
  // second, normalised copy of them all.
  constexpr std::size_t kSlice = 65536;
  std::vector<std::string> items;
  std::vector<FoldKey> keys;
  for (std::size_t from = 0; from < preview.Count(); from += kSlice) {
    items.clear();
    keys.clear();
    const std::size_t to = std::min(preview.Count(), from + kSlice);
    for (std::size_t i = from; i < to; ++i) {
      std::string item = normalize ? NormalizeListLine(preview.Item(i)) : std::string(preview.Item(i));
      const std::string trimmed = Trim(item);
      if (trimmed.empty() || TooShort(page, trimmed)) continue;
      const FoldKey key = FoldKeyOf(item);
      if (panel.exclude.Contains(key)) continue;
      items.push_back(std::move(item));
      keys.push_back(key);
    }
    // AddNewKeyed leaves out what the include list holds and repeats.
    panel.include.AddNewKeyed(std::move(items), keys);
    ui.Repaint();
  }
}

void PlainImportList(ListPanel& panel, Ui& ui) {
  const std::string path = ui.OpenFileDialog(FileDialogOptions{kDialogTitle, TextsOf(panel.Page()).filter, "txt", ""});
  if (path.empty()) return;
  PlainImportListFrom(panel, ui, path);
}

void PlainImportListFrom(ListPanel& panel, Ui& ui, const std::string& path) {
  const PageKey page = panel.Page();
  const PageTexts& texts = TextsOf(page);
  if (LowerExtension(path) != "txt" && !Ask(ui, texts.notTxtQuestion, texts.notTxtCaption)) return;
  std::unique_ptr<InputFile> file = OpenInputFile(path, panel.Fs());
  if (!file) {
    Warn(ui, kOpenFailed, texts.openFailedCaption);
    ui.ShowMessageBox(texts.endNote, kPlainCaption, MessageKind::Information);
    return;
  }
  if (Ask(ui, kClearQuestion, texts.clearCaption)) panel.include.Clear();

  const bool wantDrive = panel.FolderPage();
  const bool drivePresentOnly = page == PageKey::Vol04 || page == PageKey::Vol08;
  bool skipWithoutAsking = false;
  // The first repeat is only warned about; the second asks, before its own
  // warning, whether to skip it and the rest without a word.
  bool repeatsSilent = false;
  std::size_t repeats = 0;
  BadLines nulLines;
  std::size_t lineNumber = 0;
  DrivePresence drives(panel.Map());
  PendingItems pending(panel.include, ui);
  LineReader reader(*file);
  std::string line;
  while (reader.Next(line)) {
    ++lineNumber;
    if (HoldsNul(line)) {
      nulLines.Add(lineNumber);
      continue;
    }
    std::string t = Trim(line);
    // One fold per line serves all three membership questions.
    const FoldKey key = FoldKeyOf(t);
    const bool inInclude = pending.Contains(key);
    if (inInclude || panel.exclude.Contains(key)) {
      ++repeats;
      if (repeatsSilent) continue;
      if (repeats == 2 && (repeatsSilent = Ask(ui, texts.repeatQuestion, texts.repeatCaption))) continue;
      Warn(ui, inInclude ? texts.inInclude : texts.inExclude,
           inInclude ? texts.inIncludeCaption : texts.inExcludeCaption);
      continue;
    }
    if (t.empty() || TooShort(page, t)) continue;
    if (HasDrive(t) == wantDrive) {
      if (!drivePresentOnly || drives.Present(t)) pending.Add(std::move(t), key);
      continue;
    }
    if (skipWithoutAsking) continue;
    if (Ask(ui, texts.driveQuestion, texts.driveCaption)) {
      skipWithoutAsking = true;
      continue;
    }
    pending.Drop();
    panel.include.Clear();
    return;
  }
  pending.Flush();
  if (!nulLines.Empty()) Warn(ui, nulLines.NulMessage(), texts.openFailedCaption);
  // A read error part-way keeps what was read but is not passed off as a
  // complete import.
  if (reader.Failed()) Warn(ui, kOpenFailed, texts.openFailedCaption);
  std::string end = texts.endNote;
  if (repeatsSilent) end += kRepeatsSkipped + std::to_string(repeats);
  ui.ShowMessageBox(end, kPlainCaption, MessageKind::Information);
}

}  // namespace quillory
