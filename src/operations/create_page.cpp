#include "operations/operation_page.h"


#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "app/dropped_paths.h"
#include "app/ui.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "app/settings_store.h"
#include "results/visual_log_windows.h"
#include "undo/folder_file_undo_run.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"
#include "platform/text.h"
#include "results/visual_logs.h"
#include "operations/folder_chains.h"
#include "operations/run_recorder.h"

namespace quillory {

namespace {

const char* const kColumnCaptions[4] = {"Main Folders", "Folders, Subfolders", "Files in structure",
                                        "Total File size (bytes)"};

}  // namespace

namespace {

JournalLists JournalListsOf(CreatePage& page) {
  JournalLists lists;
  lists.attachKind = &page.attachKind;
  if (page.descriptor.key != PageKey::Vol04) lists.destination = &page.lastRunDestination;
  lists.mainFolders = &page.records.createdMainFolders;
  lists.madeMainFolders = &page.records.madeMainFolders;
  lists.folders = &page.records.attached.createdFolders;
  lists.madeFolders = &page.records.attached.madeFolders;
  lists.files = &page.records.attached.copiedFiles;
  lists.writtenFiles = &page.records.attached.copiedFileIds;
  lists.failedFolders = &page.failedUndoMade;
  lists.failedFiles = &page.failedUndoFiles;
  return lists;
}

// A run's targets composed a few dozen at a time, ahead of the items that
// make them: each creation's system calls leave the caches cold, and the
// composing then ran cold item after item. A target that throws is not
// composed ahead; its item composes it, and throws, in its turn.
class TargetsAhead {
 public:
  explicit TargetsAhead(const CreationPlan& plan) : plan_(plan) {}
  CreationTarget Take(std::size_t i) {
    if (i < from_ || i >= from_ + targets_.size()) Compose(i);
    if (i >= from_ + targets_.size()) return plan_.target(i);
    return std::move(targets_[i - from_]);
  }

 private:
  static constexpr std::size_t kAhead = 64;
  void Compose(std::size_t i) {
    targets_.clear();
    from_ = i;
    const std::size_t end = std::min(plan_.count, i + kAhead);
    try {
      for (std::size_t j = i; j < end; ++j) targets_.push_back(plan_.target(j));
    } catch (...) {
    }
  }
  const CreationPlan& plan_;
  std::vector<CreationTarget> targets_;
  std::size_t from_ = 0;
};

}  // namespace

CreatePage::CreatePage(PageContext& context, PageKey key)
    : descriptor(PageOf(key)),
      btnCreateFolders(context.owner.Make<Button>("btn" + std::string(descriptor.name) + "CreateFolders",
                                                  "  CREATE  Folders/  F. Structures ")),
      btnCreateFoldersSimulation(
          context.owner.Make<Button>("btn" + std::string(descriptor.name) + "CreateFoldersSimulation", "Simulation")),
      journal(context.services.fs, key, JournalListsOf(*this)),
      btnUndo(context.owner.Make<Button>("btn" + std::string(descriptor.name) + "Undo", "Undo")),
      context_(context) {
  btnUndo.onClick = [this] { Undo(); };
  const std::string name(descriptor.name);
  if (key != PageKey::Vol03) {
    const bool strings = key == PageKey::Vol02;
    rdoOneLineOneFolder = &context.owner.Make<RadioButton>("rdo" + name + "OneLineOneFolder",
                                                            strings ? "One Folder" : "One folder", &oneLine);
    rdoOneLineManyFolders = &context.owner.Make<RadioButton>("rdo" + name + "OneLineManyFolders",
                                                              strings ? "Many Folders" : "Many folders", &oneLine);
    rdoOneLineOneFolder->SetChecked(true);
  }
  btnCreateFolders.SetEnabled(false);
  btnCreateFoldersSimulation.SetEnabled(false);
  const char* rowCaptions[4] = {"To create:", "Successfully created:", "Not created  (already exist):",
                                "Not created (other reasons):"};
  if (key != PageKey::Vol02) {
    rowCaptions[2] = "NOT created (already exists):";
    rowCaptions[3] = "NOT created (other reasons):";
  }
  if (key == PageKey::Vol03) rowCaptions[1] = "Created :";
  Window& owner = context.owner;
  for (int c = 0; c < 4; ++c) owner.Make<Label>("lbl" + name + "Column" + kCreateColumns[c], kColumnCaptions[c]);
  for (int r = 0; r < 4; ++r) {
    owner.Make<Label>("lbl" + name + "Row" + kCreateRows[r], rowCaptions[r]);
    for (int c = 0; c < 4; ++c)
      statLabels[r][c] = &owner.Make<Label>("lbl" + name + kCreateColumns[c] + kCreateRows[r], "0");
  }
}

void CreatePage::ClearRecords() { records.Clear(); }

void CreatePage::RefreshForecast(StructureForecast& forecast, std::size_t count,
                                 const TextList& destinations) {
  if (const auto message = forecast.Update(stats, count, destinations))
    ui().ShowMessageBox(message->text, message->caption, MessageKind::Information);
  ShowCounters();
}

namespace {

// The "To create:" row forecasts the inputs; runs and undos leave it alone.
const std::vector<std::string>& ForecastCounters() {
  static const std::vector<std::string> keep = [] {
    std::vector<std::string> names;
    for (auto* c : kCreateColumns) names.push_back(std::string(c) + "ToCreate");
    return names;
  }();
  return keep;
}

}  // namespace

void CreatePage::PrepareRun(bool real, bool showVisualLog) {
  stats.ResetExcept(ForecastCounters());
  if (real) ClearRecords();
  if (context_.visualLogs.Attached(descriptor.key)) {
    context_.visualLogs.PrepareVisualLog(descriptor.key, !real, {}, showVisualLog);
    return;
  }
  ShowCounters();
}

bool CreatePage::SpaceForRun(StructureForecast& forecast, std::size_t count,
                             const TextList& destinations) {
  forecast.FreshTotals();
  const auto message = forecast.Update(stats, count, destinations);
  if (message) ui().ShowMessageBox(message->text, message->caption, MessageKind::Information);
  ShowCounters();
  return !message;
}

OneCopyTotals CreatePage::OneCopy(const StructureForecast& forecast) const {
  const StructureTotals* totals = forecast.LastTotals();
  // Template lines name nothing on disk; the totals of structures chosen
  // before would be stale.
  if (totals == nullptr || forecast.Input().kind != SourceKind::Structures) return {};
  return {static_cast<double>(totals->folders), static_cast<double>(totals->files),
          static_cast<double>(totals->bytes)};
}

AttachSetup CreatePage::AttachFor(const StructuresGroup& group, const StructureForecast& forecast, bool simulate,
                                  std::string structureRefusedCaption) const {
  AttachSetup setup;
  setup.kind = group.Kind();
  setup.mode = group.Mode().value_or(AttachMode::MainWithoutFiles);
  setup.items = group.list.Items();
  setup.templateKind = TemplateKindOf(group.optionsKey);
  setup.overwriteFiles = descriptor.key == PageKey::Vol03;
  setup.sizeMap = forecast.LastTotals() != nullptr ? &forecast.LastTotals()->sizeMap : nullptr;
  setup.simulate = simulate;
  setup.structureRefusedCaption = std::move(structureRefusedCaption);
  setup.templateRefusedCaption = "Creating Folder(s).-From a Folder List.            Warning no: 0375.";
  return setup;
}

std::size_t CreatePage::ItemCount(const TextList& lines) const {
  return LineItemCount(lines, ManyFolders(), context_.services.settings.Separators(),
                       descriptor.key == PageKey::Vol04);
}

RunOutcome CreatePage::RunCreation(CreationPlan& plan) {
  const PageKey key = descriptor.key;
  std::unique_ptr<RunRecorder> recorder;
  std::unique_ptr<CreateEngine> engine;

  RunPlan run;
  run.validate = plan.validate;
  run.confirm = plan.confirm;
  run.prepare = [&] {
    const bool real = !plan.simulate;
    PrepareRun(real, plan.showVisualLog);
    if (real) {
      attachKind = plan.attach.kind;
      if (!plan.destination.empty()) lastRunDestination = plan.destination;
      journal.Begin();
    }
    RecorderSetup setup;
    setup.page = key;
    setup.stats = &stats;
    setup.logs = context_.visualLogs.Attached(key) ? &context_.visualLogs : nullptr;
    if (real) {
      setup.records = JournalListsOf(*this);
      setup.existingMainFolders = &records.existingMainFolders;
      setup.otherMainFolders = &records.otherMainFolders;
      setup.journal = &journal;
    }
    setup.ui = &ui();
    recorder = std::make_unique<RunRecorder>(std::move(setup));
    plan.attach.createRules = {key, RejectedLineAddsTotals(key, plan.attach.kind, plan.attach.mode), plan.totals};
    // Structures are read now, before the first folder is written.
    engine = std::make_unique<CreateEngine>(context_.services.fs, plan.attach,
                                            MainFolderRules{plan.totals, plan.existsAddsTotals, plan.otherAddsTotals});
  };
  run.proceed = [&] {
    const bool go = !plan.proceed || plan.proceed();
    run.itemCount = go ? plan.count : 0;
    if (!go) return false;
    // A missing structure that is one of the folders this run makes is
    // refused at that folder, as a structure copied into itself is; the
    // others are named once before the first item.
    std::vector<std::string> absent;
    for (const std::string& source : engine->MissingStructures()) {
      bool made = false;
      for (std::size_t i = 0; i < plan.count && !made; ++i) {
        const CreationTarget target = plan.target(i);
        made = target.how != CreationTarget::How::Refused && CheckSourceNotTarget(target.path, source).refused;
      }
      if (!made) absent.push_back(source);
    }
    if (!absent.empty())
      ui().ShowMessageBox(MissingStructuresNote(absent), kMissingStructuresCaption, MessageKind::Warning);
    return true;
  };
  TargetsAhead ahead(plan);
  run.work = [&](std::size_t i, const OutcomeSink& sink) { engine->One(ahead.Take(i), sink); };
  FolderChainKeys chained;
  if (!plan.simulate) {
    run.chains.worker = [&]() -> ItemWork {
      auto one = engine->Worker();
      return [&plan, one = std::move(one)](std::size_t i, const OutcomeSink& sink) { one(plan.target(i), sink); };
    };
    run.chains.keys = [&](std::size_t from) {
      chained = ChainFolders(
          plan.count - from,
          [&](std::size_t i, std::vector<std::string>& out) {
            CreationTarget target = plan.target(from + i);
            if (target.how != CreationTarget::How::Refused) out.push_back(std::move(target.path));
          },
          context_.services.drives);
      return chained.keys;
    };
    // The folder the chains part at is made by the run's first items, as a
    // serial run would make it, before any two go at once.
    run.chains.ready = [&] { return context_.services.fs.DirectoryExists(chained.base); };
  }
  run.record = [&](ItemOutcome&& outcome) { recorder->Record(std::move(outcome)); };
  run.finish = [&] { recorder->Flush(); };
  run.end = plan.end;
  run.showExplorer = plan.showExplorer;
  run.explorerPath = plan.explorerPath;
  run.after = plan.after;
  // Closed however the run ends, an exception included.
  struct JournalEnd {
    RunJournal& journal;
    ~JournalEnd() { journal.End(); }
  } journalEnd{journal};
  return RunFrame(ui(), context_.pages, context_.Tab(key), run);
}

void CreatePage::ShowCounters() {
  if (context_.visualLogs.Attached(descriptor.key)) {
    context_.visualLogs.WriteCounters(descriptor.key);
    return;
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      statLabels[r][c]->SetCaption(FormatCounter(stats.Get(std::string(kCreateColumns[c]) + kCreateRows[r])));
}

void CreatePage::ShowVisualLog() { context_.visualLogs.ShowVisualLog(descriptor.key); }

void CreatePage::FormDestroy() {
  ClearRecords();
  failedUndoFolders.clear();
  failedUndoMade.clear();
  failedUndoFiles.clear();
}

namespace {

const char* const kUndoQuestion = "Do you want to delete all folders (and files)\ncreated last time ?";
const char* const kNothingFewer =
    "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one folders and "
    "files to UNDO them.";

UndoTexts CreateUndoTexts(PageKey key) {
  switch (key) {
    case PageKey::Vol02:
      return {"No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at least one "
              "folder to UNDO them.",
              "Creating Folder(s).-From a String List.            Warning no: 0028.", kUndoQuestion,
              "Creating Folder(s).-From a String List.            Information no: 0029.",
              "Creating Folder(s).-From a String List.            Information no: 0030.", "End of Undo process !!!",
              "Creating Folder(s).-From a String List.            Information no: 0031."};
    case PageKey::Vol03:
      return {kNothingFewer, "Creating Folder(s).-Increased Numbers.            Warning no: 0096.", kUndoQuestion,
              "Creating Folder(s).-Increased Numbers.            Information no: 0097.",
              "Creating Folder(s).- Increased Numbers.            Information no: 0030.", "End of Undo process !!!",
              "Creating Folder(s).-Increased Numbers.            Information no: 0099."};
    default:
      return {kNothingFewer, "Creating Folder(s).- From a Folder List.            Warning no: 0096.", kUndoQuestion,
              "Creating Folder(s).- From a Folder List.            Information no: 0097.",
              "Creating Folder(s).- From a Folder List.            Information no: 0030.", "End of Undo process !!!",
              "Creating Folder(s).- From a Folder List.            Information no: 0099."};
  }
}

}  // namespace

void CreatePage::Undo() {
  const PageKey key = descriptor.key;
  const bool retry = !failedUndoFolders.empty();
  UndoSetup setup;
  setup.texts = CreateUndoTexts(key);
  setup.nothing = !retry && records.createdMainFolders.empty();
  setup.failures = {static_cast<std::size_t>(CreateList::FoldersFailedUndo), Id(CreateCounter::FailedUndo)};
  setup.load = [&](FolderFileUndo& undo) {
    if (retry) {
      undo.SetFolders(std::move(failedUndoMade));
      undo.SetFiles(std::move(failedUndoFiles));
      return;
    }
    // Only what this run made: the main folders with the parents they
    // needed, then what was attached to them. The records are emptied by
    // the undo anyway: they move.
    MadeFolders folders = records.madeMainFolders.Take();
    folders.insert(folders.end(), std::make_move_iterator(records.attached.madeFolders.begin()),
                   std::make_move_iterator(records.attached.madeFolders.end()));
    undo.SetFolders(std::move(folders));
    // A template run writes no file.
    if (attachKind != SourceKind::Templates) undo.SetFiles(std::move(records.attached.copiedFileIds));
  };
  const bool logs = context_.visualLogs.Attached(key);
  setup.clear = [&] {
    ClearRecords();
    failedUndoFolders.clear();
    failedUndoMade.clear();
    failedUndoFiles.clear();
    stats.ResetExcept(ForecastCounters());
    if (logs) context_.visualLogs.PrepareVisualLog(key, !context_.visualLogs.Log(key).chkNormalSimulate.Checked(), {}, false);
  };
  setup.recorder.page = key;
  setup.recorder.stats = &stats;
  setup.recorder.logs = logs ? &context_.visualLogs : nullptr;
  setup.recorder.records.failedFolders = &failedUndoMade;
  setup.recorder.records.failedFiles = &failedUndoFiles;
  setup.recorder.showCounters = [this] { ShowCounters(); };
  setup.settled = [&] {
    for (const MadeFolder& folder : failedUndoMade) failedUndoFolders.push_back(folder.path);
    journal.Rewrite();
  };
  RunUndo(ui(), context_.pages, context_.Tab(key), context_.services.fs, std::move(setup));
}

void CreatePage::LoadJournal() {
  const JournalLoad load = journal.Load();
  if (load.state == JournalLoad::State::SetAside) {
    const MessageText message = JournalSetAsideMessage(descriptor.key, load);
    ui().ShowMessageBox(message.text, message.caption, MessageKind::Warning);
    return;
  }
  failedUndoFolders.clear();
  for (const MadeFolder& folder : failedUndoMade) failedUndoFolders.push_back(folder.path);
}

void CreatePage::FieldCheck(Edit& field, NameField which, const std::function<void()>& clean) {
  const FieldMessage& message = FieldIllegalMessage(descriptor.key, which);
  while (auto found = FieldIllegalFound(field.Text())) {
    ui().ShowMessageBox(std::string(message.text) + *found, std::string(message.caption), MessageKind::Warning);
    std::string text = field.Text();
    DropLastCharacter(text);
    field.SetText(std::move(text));
    field.SetFocus();
  }
  if (clean) clean();
}

}  // namespace quillory
