#include "operations/rename_page.h"

#include <algorithm>
#include <chrono>
#include <set>

#include "app/run_frame.h"
#include "app/ui.h"
#include "names/folder_names.h"
#include "platform/drives.h"
#include "platform/path_text.h"
#include "platform/text.h"
#include "results/visual_logs.h"
#include "results/visual_log_windows.h"

namespace quillory {

namespace {

const MessageText kMsg0207 = {"Do you want to RENAME folders ?\n",
                              "Rename Folders. - From a Folder List.            Information no: 0207."};
const MessageText kMsg0209 = {
    "The Include list is empty !!!\nYou must enter at least one Folder to Rename folders.",
    "Rename Folder(s).-From a Folder List.           Warning no: 0209."};
const MessageText kMsg0208 = {"End of the Rename process !!!",
                              "Rename Folder(s).-From a Folder List.            Information no: 0208."};
const MessageText kMsg0513 = {
    "Simulation shows you the complete Rename Folder process \nwithout actually Rename them on the hard drive.\n\n",
    "Simulate Rename Folder  Process.-From a Folder List.            Information no: 0513."};
const MessageText kMsg0515 = {kMsg0209.text, "Rename Folder(s).-From a Folder List.           Warning no: 0515."};
const MessageText kMsg0514 = {
    "End of Simulation !!!\n\nNo actual Folders were Renamed because of Simulation.\n\nThe purpose of the "
    "Simulation is to show the Complete Folder Renaming process\n without actually Renaming them on the hard "
    "drive.\n\nIf You want to Rename Folders, Use the Rename Folders button.",
    "Rename Folder(s).-From a Folder List.            Information no: 0514."};
const MessageText kMsg0211 = {
    "No UNDO process !!!\nThere are no renamed Folders !!!\nYou must rename at least on one Folder to UNDO it.",
    "Rename Folder(s).-From a Folder List.            Warning no: 0211."};
const MessageText kMsg0212 = {"Do you want UNDO all Folders renamed last time ?",
                              "Rename Folder(s).-From a Folder List.            Information no: 0212."};
constexpr const char* kCaption0213 = "Rename Folder(s).-From a Folder List.            Information no: 0213.";
const MessageText kMsg0214 = {"End of Undo process !!!",
                              "Rename Folder(s).-From a Folder List.            Information no: 0214."};

// Field order: prefix, suffix, prefix delimiter, suffix delimiter, new name.
const MessageText kRenameFieldMessages[] = {
    {"Illegal character in the Prefix : ", "Rename Folders. - From a Folder List.            Warning no: 0200."},
    {"Illegal character in the Suffix : ", "Rename Folder(s).-From a Folder List.            Warning no: 0201."},
    {"Illegal character in the Delimiter : ", "Rename Folders. - From a Folder List.            Warning no: 0202."},
    {"Illegal character in the Delimiter : ", "Rename Folders. - From a Folder List.            Warning no: 0203."},
    {"Illegal character in the New Subfolder string : ",
     "Rename Folders. - From a Folder List.            Warning no: 0600."},
};

const std::vector<std::string> kRunCounters = {"FoldersRenamed", "FoldersSourceNotExists",
                                               "FoldersDestinationExists", "FoldersOtherReasons",
                                               "FoldersFailedUndo"};

std::string WithDelimiter(std::string parent) {
  if (parent.empty() || parent.back() != '\\') parent += '\\';
  return parent;
}

// The last name of a new path, whose length the host limits in bytes.
std::size_t LastNameBytes(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path.size() : path.size() - cut - 1;
}

bool TooLong(std::string_view path) {
  return path.size() > kMaxRenamePathChars || LastNameBytes(path) > kMaxNameBytes;
}

// A simulation's candidate: the normalised text, valid when a real run
// could take it as a folder path.
bool ValidCandidate(std::string_view candidate) {
  std::string message;
  return candidate.size() <= kMaxSimulatedPathChars && CheckColons(candidate, message) &&
         ValidateFullFolderPath(candidate, true, message);
}

}  // namespace

std::size_t SeparatorCount(std::string_view path) {
  return static_cast<std::size_t>(std::count_if(path.begin(), path.end(), [](char c) { return c == '\\' || c == '/'; }));
}

_tagVol0XParts ComposePrefixSuffixParts(std::string_view item, std::string_view prefix,
                                        std::string_view prefixDelimiter, std::string_view suffixDelimiter,
                                        std::string_view suffix) {
  const ParentAndName split = SplitParentAndName(Trim(item));
  _tagVol0XParts parts;
  parts.part1 = WithDelimiter(split.parent) + Trim(prefix) + Trim(prefixDelimiter);
  parts.part2 = split.name;
  parts.part3 = Trim(suffixDelimiter);
  parts.part4 = Trim(suffix);
  return parts;
}

_tagVol0XParts ComposeNewNameParts(std::string_view item, std::string_view newName) {
  const ParentAndName split = SplitParentAndName(Trim(item));
  _tagVol0XParts parts;
  parts.part1 = WithDelimiter(split.parent);
  parts.part2 = std::string(newName);
  return parts;
}

namespace {

JournalLists RenameJournalLists(std::vector<_tagReplaceFoldersStruct>& record,
                                std::vector<_tagReplaceFoldersStruct>& failed) {
  JournalLists lists;
  lists.renames = &record;
  lists.failedRenames = &failed;
  return lists;
}

}  // namespace

RenamePage::RenamePage(PageContext& context)
    : FolderListPage(context, PageKey::Vol06),
      rdoVol06RenameAddPrefixesSuffixes(context.owner.Make<RadioButton>(
          "rdoVol06RenameAddPrefixesSuffixes", "Add Prefix and/or Suffix", &method_)),
      rdoVol06RenameTheLastSubFolder(context.owner.Make<RadioButton>("rdoVol06RenameTheLastSubFolder",
                                                                     "Rename the Last Subfolder", &method_)),
      lblVol06NewPrefix(context.owner.Make<Label>("lblVol06NewPrefix", "New prefix:")),
      edtVol06NewPrefix(context.owner.Make<Edit>("edtVol06NewPrefix")),
      lblVol06DelimiterPrefixSubFolder(context.owner.Make<Label>("lblVol06DelimiterPrefixSubFolder",
                                                                 "Delimiter between Prefix and Subfold. name")),
      edtVol06DelimiterPrefixSubFolder(context.owner.Make<Edit>("edtVol06DelimiterPrefixSubFolder")),
      lblVol06DelimiterSubFolderSuffix(context.owner.Make<Label>("lblVol06DelimiterSubFolderSuffix",
                                                                 "Delimiter between Subfold. name and Suffix")),
      edtVol06DelimiterSubFolderSuffix(context.owner.Make<Edit>("edtVol06DelimiterSubFolderSuffix")),
      lblVol06NewSuffix(context.owner.Make<Label>("lblVol06NewSuffix", "New Suffix")),
      edtVol06NewSuffix(context.owner.Make<Edit>("edtVol06NewSuffix")),
      lblVol06RenameNewLastSubFolder(context.owner.Make<Label>("lblVol06RenameNewLastSubFolder", "New Name:")),
      edtVol06RenameNewLastSubFolder(context.owner.Make<Edit>("edtVol06RenameNewLastSubFolder")),
      lblVol06StartFolderCaption(context.owner.Make<Label>("lblVol06StartFolderCaption", "Start Folder:")),
      lblVol06StartFolder(context.owner.Make<Label>("lblVol06StartFolder", "")),
      lblVol06EndFolderCaption(context.owner.Make<Label>("lblVol06EndFolderCaption", "End Folder:")),
      lblVol06EndFolder(context.owner.Make<Label>("lblVol06EndFolder", "")),
      btnVol06RenameFolders(context.owner.Make<Button>("btnVol06RenameFolders", " RENAME  Folders")),
      btnVol06RenameFoldersSimulation(context.owner.Make<Button>("btnVol06RenameFoldersSimulation", "Simulation")),
      btnVol06Undo(context.owner.Make<Button>("btnVol06Undo", "Undo")),
      btnVol06ClearAll(panel.btnClearAll),
      journal(context.services.fs, PageKey::Vol06, RenameJournalLists(RenameRecord, FailedUndoRecord)) {
  rdoVol06RenameAddPrefixesSuffixes.SetChecked(true);
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  rdoVol06RenameAddPrefixesSuffixes.onClick = [this] { rdoVol06RenameAddPrefixesSuffixesClick(); };
  rdoVol06RenameTheLastSubFolder.onClick = [this] { rdoVol06RenameTheLastSubFolderClick(); };
  Edit* fields[] = {&edtVol06NewPrefix, &edtVol06NewSuffix, &edtVol06DelimiterPrefixSubFolder,
                    &edtVol06DelimiterSubFolderSuffix, &edtVol06RenameNewLastSubFolder};
  for (int i = 0; i < 5; ++i) {
    Edit* field = fields[i];
    field->onChange = [this, field, i] { FieldChanged(*field, i); };
    field->onExit = [this, field, i] { FieldChanged(*field, i); };
  }
  btnVol06RenameFolders.onClick = [this] { btnVol06RenameFoldersClick(); };
  btnVol06RenameFoldersSimulation.onClick = [this] { btnVol06RenameFoldersSimulationClick(); };
  btnVol06Undo.onClick = [this] { btnVol06UndoClick(); };
  // Clear Fields: the lists are emptied by the panel, the rest here.
  panel.resetPage = [this] {
    rdoVol06RenameAddPrefixesSuffixes.SetChecked(true);
    for (Edit* field : {&edtVol06NewPrefix, &edtVol06NewSuffix, &edtVol06DelimiterPrefixSubFolder,
                        &edtVol06DelimiterSubFolderSuffix, &edtVol06RenameNewLastSubFolder})
      field->SetText("");
    lblVol06StartFolder.SetCaption("");
    lblVol06EndFolder.SetCaption("");
    chkShowDetailedResults.SetChecked(true);
    stats.ResetAll();
    RenameRecord.clear();
    FailedUndoRecord.clear();
    // Cleared fields leave nothing to undo, after a restart too.
    journal.Rewrite();
    WriteCounters();
    ApplyEnabling(false);
  };
  ApplyEnabling(false);
}

std::string RenamePage::ComposeNewPath(std::string_view item) const {
  if (rdoVol06RenameTheLastSubFolder.Checked())
    return ComposeNewNameParts(item, edtVol06RenameNewLastSubFolder.Text()).Join();
  return ComposePrefixSuffixParts(item, edtVol06NewPrefix.Text(), edtVol06DelimiterPrefixSubFolder.Text(),
                                  edtVol06DelimiterSubFolderSuffix.Text(), edtVol06NewSuffix.Text())
      .Join();
}

void RenamePage::UpdateRenamePreview() {
  if (include.Empty()) {
    lblVol06StartFolder.SetCaption("");
    lblVol06EndFolder.SetCaption("");
    return;
  }
  const auto show = [this](Label& label, const std::string& line) {
    const std::string item = Trim(line);
    if (HasDrive(item)) label.SetCaption(ComposeNewPath(item));
  };
  show(lblVol06StartFolder, include.Items().front());
  show(lblVol06EndFolder, include.Items().back());
}

void RenamePage::ApplyEnabling(bool items) {
  for (Control* c : std::initializer_list<Control*>{
           &rdoVol06RenameAddPrefixesSuffixes, &rdoVol06RenameTheLastSubFolder, &lblVol06StartFolderCaption,
           &lblVol06StartFolder, &lblVol06EndFolderCaption, &lblVol06EndFolder, &btnStatistics, &btnVol06Undo,
           &chkShowDetailedResults, &btnVol06RenameFolders, &btnVol06RenameFoldersSimulation})
    c->SetEnabled(items);
  // A record from before a restart can be undone with no line in the list.
  if (!RenameRecord.empty() || !FailedUndoRecord.empty()) btnVol06Undo.SetEnabled(true);
  const CounterLayout& layout = PageCounterLayout(descriptor.key);
  for (const std::string& key : layout.columnKeys)
    if (auto* label = context_.owner.FindAs<Label>("lblVol06Column" + key)) label->SetEnabled(items);
  for (const CounterRow& row : layout.rows) {
    if (row.visualLogOnly) continue;
    if (auto* label = context_.owner.FindAs<Label>("lblVol06Row" + row.key)) label->SetEnabled(items);
    for (const std::string& counter : row.counters)
      if (auto* label = context_.owner.FindAs<Label>("lblVol06" + counter)) label->SetEnabled(items);
  }
  const bool prefixSuffix = items && rdoVol06RenameAddPrefixesSuffixes.Checked();
  const bool newName = items && rdoVol06RenameTheLastSubFolder.Checked();
  for (Control* c : std::initializer_list<Control*>{
           &lblVol06NewPrefix, &edtVol06NewPrefix, &lblVol06DelimiterPrefixSubFolder,
           &edtVol06DelimiterPrefixSubFolder, &lblVol06DelimiterSubFolderSuffix, &edtVol06DelimiterSubFolderSuffix,
           &lblVol06NewSuffix, &edtVol06NewSuffix})
    c->SetEnabled(prefixSuffix);
  lblVol06RenameNewLastSubFolder.SetEnabled(newName);
  edtVol06RenameNewLastSubFolder.SetEnabled(newName);
}

void RenamePage::Refresh() {
  panel.RefreshSums();
  UpdateRenamePreview();
  ApplyEnabling(!include.Empty());
  // A new list makes the last run's counts stale; the record stays for Undo.
  stats.ResetAll();
  stats.Set("FoldersToRename", static_cast<double>(include.Count()));
  WriteCounters();
}

void RenamePage::rdoVol06RenameAddPrefixesSuffixesClick() {
  ApplyEnabling(!include.Empty());
  UpdateRenamePreview();
}

void RenamePage::rdoVol06RenameTheLastSubFolderClick() {
  ApplyEnabling(!include.Empty());
  UpdateRenamePreview();
}

void RenamePage::FieldChanged(Edit& field, int which) {
  const MessageText& message = kRenameFieldMessages[which];
  while (auto found = FieldIllegalFound(field.Text())) {
    context_.services.ui.ShowMessageBox(message.text + *found, message.caption, MessageKind::Warning);
    std::string text = field.Text();
    DropLastCharacter(text);
    field.SetText(std::move(text));
    field.SetFocus();
  }
  UpdateRenamePreview();
}

void RenamePage::Run(bool simulate) {
  Ui& ui = context_.services.ui;
  FileSystem& fs = context_.services.fs;
  VisualLogs& logs = context_.visualLogs;
  const bool attached = logs.Attached(descriptor.key);
  const auto list = [&](RenameList which, const std::string& path) {
    if (attached) logs.AddResult(which, path);
  };
  std::vector<std::string> order;
  std::set<std::string> taken;  // new paths a simulation already gave away
  auto shown = std::chrono::steady_clock::now();

  RunPlan plan;
  plan.validate = [] { return true; };
  plan.confirm = simulate ? kMsg0513 : kMsg0207;
  plan.prepare = [&] {
    for (const std::string& counter : kRunCounters) stats.Set(counter, 0);
    if (!simulate) {
      RenameRecord.clear();
      FailedUndoRecord.clear();
      journal.Begin();
    }
    if (attached) logs.PrepareVisualLog(descriptor.key, simulate);
    WriteCounters();
  };
  plan.proceed = [&] {
    if (include.Empty()) {
      const MessageText& m = simulate ? kMsg0515 : kMsg0209;
      ui.ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      return false;
    }
    order.reserve(include.Count());
    for (const std::string& line : include.Items()) order.push_back(Trim(line));
    if (!simulate) {
      // Deepest first, the last-filed first among equals: a child is renamed
      // while its parent still has the name its line gives.
      std::vector<std::size_t> levels(order.size());
      for (std::size_t i = 0; i < order.size(); ++i) levels[i] = SeparatorCount(order[i]);
      std::vector<std::size_t> index(order.size());
      for (std::size_t i = 0; i < index.size(); ++i) index[i] = i;
      std::stable_sort(index.begin(), index.end(), [&](std::size_t a, std::size_t b) {
        return levels[a] != levels[b] ? levels[a] > levels[b] : a > b;
      });
      std::vector<std::string> sorted;
      sorted.reserve(order.size());
      for (std::size_t i : index) sorted.push_back(std::move(order[i]));
      order = std::move(sorted);
    }
    plan.itemCount = order.size();
    return true;
  };
  plan.work = [&](std::size_t i, const OutcomeSink& emit) {
    const std::string item = simulate ? NormalizeComposedPath(order[i]) : order[i];
    const auto count = [&](const char* counter) { stats.Add(counter, 1); };
    if (simulate) {
      if (!ValidCandidate(item)) {
        count("FoldersOtherReasons");
        list(RenameList::OtherReasons, item);
      } else {
        const std::string target = ComposeNewPath(item);
        if (!fs.DirectoryExists(item)) {
          count("FoldersSourceNotExists");
          list(RenameList::SourceNotExists, item);
        } else if (TooLong(target)) {
          count("FoldersOtherReasons");
          list(RenameList::OtherReasons, target);
        } else if (fs.DirectoryExists(target)) {
          count("FoldersDestinationExists");
          list(RenameList::DestinationExists, target);
        } else if (taken.insert(target).second) {
          count("FoldersRenamed");
          list(RenameList::FoldersRenamed, target);
        } else {
          count("FoldersDestinationExists");
          list(RenameList::DestinationExists, item);
        }
      }
    } else if (!HasDrive(item)) {
      count("FoldersOtherReasons");
      list(RenameList::OtherReasons, item);
    } else {
      const std::string target = ComposeNewPath(item);
      if (TooLong(target)) {
        const bool there = fs.DirectoryExists(item);
        count(there ? "FoldersOtherReasons" : "FoldersSourceNotExists");
        list(there ? RenameList::OtherReasons : RenameList::SourceNotExists, there ? target : item);
      } else {
        // One no-replace rename decides, a missing source included: a folder
        // made by someone else after any check is never replaced.
        const FsResult result = fs.RenameFolder(item, target);
        if (result.ok()) {
          count("FoldersRenamed");
          RenameRecord.push_back({item, target});
          journal.Note(JournalRecord::Renamed, RenameRecord.back());
          list(RenameList::FoldersRenamed, target);
        } else if (result.error == FsError::NotFound) {
          count("FoldersSourceNotExists");
          list(RenameList::SourceNotExists, item);
        } else if (result.error == FsError::Exists) {
          count("FoldersDestinationExists");
          list(RenameList::DestinationExists, item);
        } else {
          count("FoldersOtherReasons");
          list(RenameList::OtherReasons, target);
        }
      }
    }
    // The labels follow every few items and exactly at the end: showing
    // them after each would cost as much as the renames.
    if ((i & 31) == 31 || i + 1 == order.size()) {
      const auto now = std::chrono::steady_clock::now();
      if (i + 1 == order.size() || now - shown >= std::chrono::milliseconds(50)) {
        WriteCounters();
        shown = now;
      }
    }
    if (!simulate) journal.Tick();
    (void)emit;
  };
  plan.end = simulate ? kMsg0514 : kMsg0208;
  // Closed however the run ends, an exception included.
  struct JournalEnd {
    RunJournal& journal;
    ~JournalEnd() { journal.End(); }
  } journalEnd{journal};
  RunFrame(ui, context_.pages, context_.Tab(descriptor.key), plan);
}

void RenamePage::LoadJournal() {
  const JournalLoad load = journal.Load();
  if (load.state == JournalLoad::State::SetAside) {
    const MessageText message = JournalSetAsideMessage(descriptor.key, load);
    context_.services.ui.ShowMessageBox(message.text, message.caption, MessageKind::Warning);
  }
  ApplyEnabling(!include.Empty());
}

void RenamePage::btnVol06UndoClick() {
  Ui& ui = context_.services.ui;
  FileSystem& fs = context_.services.fs;
  if (RenameRecord.empty() && FailedUndoRecord.empty()) {
    ui.ShowMessageBox(kMsg0211.text, kMsg0211.caption, MessageKind::Warning);
    return;
  }
  if (ui.ShowMessageBox(kMsg0212.text, kMsg0212.caption, MessageKind::Question) != MessageAnswer::Yes) return;
  std::vector<_tagReplaceFoldersStruct> work = RenameRecord.empty() ? FailedUndoRecord : RenameRecord;
  RenameRecord.clear();
  FailedUndoRecord.clear();
  const bool attached = context_.visualLogs.Attached(descriptor.key);
  if (attached)
    context_.visualLogs.PrepareVisualLog(
        descriptor.key, !context_.visualLogs.Log(descriptor.key).chkNormalSimulate.Checked(), {}, false);
  for (const std::string& counter : kRunCounters) stats.Set(counter, 0);
  // Shallow first: a child's recorded new path holds its parent's old name.
  std::stable_sort(work.begin(), work.end(), [](const auto& a, const auto& b) {
    return SeparatorCount(a.NewPath) < SeparatorCount(b.NewPath);
  });
  std::string sourceExists, destinationMissing, other;
  for (const _tagReplaceFoldersStruct& entry : work) {
    const FsResult result = fs.RenameFolder(entry.NewPath, entry.OldPath);
    if (result.ok()) continue;
    if (result.error == FsError::NotFound) {
      destinationMissing += Trim(entry.NewPath) + "\n";
    } else if (result.error == FsError::Exists && fs.DirectoryExists(entry.OldPath)) {
      // Someone made a folder of the old name again; that folder is theirs.
      sourceExists += Trim(entry.OldPath) + "\n";
    } else {
      // A file in the way among them: once it is gone, the next Undo can
      // bring the folder back.
      other += Trim(entry.OldPath) + "\n";
      FailedUndoRecord.push_back(entry);
    }
  }
  for (const _tagReplaceFoldersStruct& entry : FailedUndoRecord) {
    stats.Add("FoldersFailedUndo", 1);
    if (attached) context_.visualLogs.AddResult(RenameList::FoldersFailedUndo, Trim(entry.OldPath));
  }
  WriteCounters();
  journal.Rewrite();
  if (!sourceExists.empty() || !destinationMissing.empty() || !other.empty()) {
    std::string report = "The program is unable to rename the following folders  : \n";
    if (!sourceExists.empty()) report += "\nSOURCE FOLDERS DO EXIST : \n\n" + sourceExists;
    if (!destinationMissing.empty()) report += "\nDESTINATION FOLDERS DO NOT EXIST : \n\n" + destinationMissing;
    if (!other.empty()) report += "\nOTHER REASONS   : \n\n" + other;
    ui.ShowMessageBox(report, kCaption0213, MessageKind::Warning);
  }
  ui.ShowMessageBox(kMsg0214.text, kMsg0214.caption, MessageKind::Information);
}

}  // namespace quillory
