#include "operations/rename_page.h"

#include <memory>

#include "app/run_frame.h"
#include "app/ui.h"
#include "names/folder_names.h"
#include "operations/folder_chains.h"
#include "operations/run_recorder.h"
#include "platform/drives.h"
#include "platform/text.h"
#include "results/visual_logs.h"
#include "results/visual_log_windows.h"
#include "undo/rename_undo.h"

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

// What a run or an undo starts from zero; the number to rename stays.
constexpr RenameCounter kRunCounters[] = {RenameCounter::FoldersRenamed, RenameCounter::FoldersSourceNotExists,
                                          RenameCounter::FoldersDestinationExists,
                                          RenameCounter::FoldersOtherReasons, RenameCounter::FoldersFailedUndo};

JournalLists RenameJournalLists(RenameRecords& record, RenameRecords& failed) {
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

RenameOptions RenamePage::Options() const {
  RenameOptions options;
  if (rdoVol06RenameTheLastSubFolder.Checked()) {
    options.method = RenameOptions::Method::NewName;
    options.newName = edtVol06RenameNewLastSubFolder.Text();
  } else {
    options.prefix = edtVol06NewPrefix.Text();
    options.prefixDelimiter = edtVol06DelimiterPrefixSubFolder.Text();
    options.suffixDelimiter = edtVol06DelimiterSubFolderSuffix.Text();
    options.suffix = edtVol06NewSuffix.Text();
  }
  return options;
}

void RenamePage::UpdateRenamePreview() {
  if (include.Empty()) {
    lblVol06StartFolder.SetCaption("");
    lblVol06EndFolder.SetCaption("");
    return;
  }
  const RenameOptions options = Options();
  const auto show = [&options](Label& label, std::string_view line) {
    const std::string item = Trim(line);
    if (HasDrive(item)) label.SetCaption(ComposeNewPath(item, options));
  };
  show(lblVol06StartFolder, include.Texts().front());
  show(lblVol06EndFolder, include.Texts().back());
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
  const DriveMap& drives = context_.services.drives;
  VisualLogs& logs = context_.visualLogs;
  const bool attached = logs.Attached(descriptor.key);
  RenameOptions options;
  // The lines as the run began, and the order it takes them in.
  TextList lines;
  LargeVector<std::string_view> order;
  SimulatedRenames taken;
  std::unique_ptr<RunRecorder> recorder;

  RunPlan plan;
  plan.confirm = simulate ? kMsg0513 : kMsg0207;
  plan.prepare = [&] {
    for (RenameCounter counter : kRunCounters) stats.Set(Id(counter), 0);
    RecorderSetup setup = Recording();
    if (!simulate) {
      RenameRecord.clear();
      FailedUndoRecord.clear();
      journal.Begin();
      setup.records.renames = &RenameRecord;
      setup.journal = &journal;
    }
    if (attached) logs.PrepareVisualLog(descriptor.key, simulate);
    recorder = std::make_unique<RunRecorder>(std::move(setup));
    plan.record = recorder->Sink();
  };
  plan.proceed = [&] {
    if (include.Empty()) {
      const MessageText& m = simulate ? kMsg0515 : kMsg0209;
      ui.ShowMessageBox(m.text, m.caption, MessageKind::Warning);
      return false;
    }
    options = Options();
    lines = include.Texts();
    LargeVector<std::string_view> trimmed;
    trimmed.reserve(lines.size());
    for (const std::string_view line : lines) trimmed.push_back(TrimmedView(line));
    order = RenameOrder(std::move(trimmed), simulate);
    plan.itemCount = order.size();
    return true;
  };
  FolderRenamer renamer(fs);
  plan.work = [&](std::size_t i, const OutcomeSink& sink) {
    RenameOne(renamer, fs, drives, order[i], options, simulate, &taken, sink);
  };
  if (!simulate) {
    // A rename touches its old and its new name: a chain holds both, so a
    // rename into a name another gives up keeps the list's order. Each
    // worker keeps its own folder open.
    plan.chains.worker = [&] {
      return [&, own = std::make_shared<FolderRenamer>(fs)](std::size_t i, const OutcomeSink& sink) {
        RenameOne(*own, fs, drives, order[i], options, simulate, &taken, sink);
      };
    };
    plan.chains.keys = [&](std::size_t from) {
      return ChainFolders(
                 order.size() - from,
                 [&](std::size_t i, std::vector<std::string>& out) {
                   out.emplace_back(order[from + i]);
                   out.push_back(ComposeNewPath(order[from + i], options));
                 },
                 drives, ChainOptions{.followLast = false})
          .keys;
    };
  }
  plan.finish = [&] { recorder->Flush(); };
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
  VisualLogs& logs = context_.visualLogs;
  const bool attached = logs.Attached(descriptor.key);
  RenameRecords work;
  RenameUndoReport report;
  std::unique_ptr<RunRecorder> recorder;

  RunPlan plan;
  // The record is taken whole when the undo begins: it goes to its end.
  plan.stoppable = false;
  plan.validate = [&] {
    if (!RenameRecord.empty() || !FailedUndoRecord.empty()) return true;
    ui.ShowMessageBox(kMsg0211.text, kMsg0211.caption, MessageKind::Warning);
    return false;
  };
  plan.confirm = kMsg0212;
  plan.prepare = [&] {
    // What failed last time is retried only when no newer run replaced it.
    work = RenameUndoOrder(RenameRecord.empty() ? std::move(FailedUndoRecord) : std::move(RenameRecord));
    RenameRecord.clear();
    FailedUndoRecord.clear();
    if (attached)
      logs.PrepareVisualLog(descriptor.key, !logs.Log(descriptor.key).chkNormalSimulate.Checked(), {}, false);
    for (RenameCounter counter : kRunCounters) stats.Set(Id(counter), 0);
    RecorderSetup setup = Recording();
    // What could not go back is kept for the next Undo; the journal is
    // rewritten whole once the entries are done.
    setup.records.renames = &RenameRecord;
    setup.records.failedRenames = &FailedUndoRecord;
    recorder = std::make_unique<RunRecorder>(std::move(setup));
    plan.itemCount = work.size();
    plan.record = [&](ItemOutcome&& outcome) {
      report.Add(outcome);
      recorder->Record(std::move(outcome));
    };
  };
  FolderRenamer renamer(fs);
  plan.work = [&](std::size_t i, const OutcomeSink& sink) { UndoRenameOne(renamer, fs, work[i], sink); };
  plan.finish = [&] {
    recorder->Flush();
    journal.Rewrite();
    if (!report.Empty()) ui.ShowMessageBox(report.Text(), kCaption0213, MessageKind::Warning);
  };
  plan.end = kMsg0214;
  RunFrame(ui, context_.pages, context_.Tab(descriptor.key), plan);
}

}  // namespace quillory
