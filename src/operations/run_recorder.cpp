#include "operations/run_recorder.h"

#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "app/ui.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"

namespace quillory {

RunRecorder::RunRecorder(RecorderSetup setup) : setup_(std::move(setup)) {
  if (!setup_.showCounters && setup_.logs != nullptr)
    setup_.showCounters = [logs = setup_.logs, page = setup_.page] { logs->ShowCounters(page); };
}

namespace {

// The outcome is spent once recorded: its parts move into the records
// rather than being copied, one string less per path of a large run.
template <class List, class T>
void Append(List* list, RunJournal* journal, JournalRecord kind, T&& entry) {
  if (list == nullptr) return;
  list->push_back(std::move(entry));
  if (journal != nullptr) journal->Note(kind, list->back());
}

void KeepPath(std::vector<std::string>* list, std::string&& path) {
  if (list != nullptr) list->push_back(std::move(path));
}

}  // namespace

// The path's bytes are put into the run's arena once, whichever list asks
// first; the Visual Log, its twin and the records then share them.
class RecordedPath {
 public:
  RecordedPath(const std::shared_ptr<TextArena>& arena, const std::string& path) : arena_(arena), path_(path) {}
  const SharedText& Get() {
    if (!text_.entry) text_ = ShareText(arena_, path_);
    return text_;
  }
  const std::string& Path() const { return path_; }

 private:
  const std::shared_ptr<TextArena>& arena_;
  const std::string& path_;
  SharedText text_;
};

void RunRecorder::Keep(ItemOutcome& outcome, RecordedPath& shared) {
  const JournalLists& r = setup_.records;
  RunJournal* journal = setup_.journal;
  const bool failed = outcome.undoFailed;
  const bool madeMain = !failed && outcome.madeMain && r.madeMainFolders != nullptr;
  if (outcome.madeHere && !madeMain) {
    // Only the main folders' records keep a path shared with the log.
    outcome.made.push_back(MadeFolder{outcome.path, outcome.madeHere->identity, outcome.madeHere->within});
    outcome.madeHere.reset();
  }
  // A main folder's line is written with its main-made line, which shares
  // its path.
  bool noteMain = false;
  switch (outcome.record) {
    case RecordSlot::None: break;
    case RecordSlot::MainFolder:
      if (r.mainFolders != nullptr) {
        r.mainFolders->push_back(shared.Get());
        noteMain = journal != nullptr;
      }
      break;
    case RecordSlot::Folder: Append(r.folders, journal, JournalRecord::Folder, std::move(outcome.path)); break;
    case RecordSlot::File: Append(r.files, journal, JournalRecord::File, std::move(outcome.path)); break;
    case RecordSlot::ProcessedMainFolder:
      Append(r.processedMainFolders, journal, JournalRecord::Processed, std::move(outcome.path));
      break;
    case RecordSlot::ExistingMainFolder:
      KeepPath(setup_.existingMainFolders, std::move(outcome.path));
      break;
    case RecordSlot::OtherMainFolder:
      KeepPath(setup_.otherMainFolders, std::move(outcome.path));
      break;
    case RecordSlot::MissingFolder:
      KeepPath(setup_.missingFolders, std::move(outcome.path));
      break;
  }
  MadeFolders* made = failed ? r.failedFolders : outcome.madeMain ? nullptr : r.madeFolders;
  const JournalRecord madeKind = failed ? JournalRecord::FailedFolder
                                 : outcome.madeMain ? JournalRecord::MainMade
                                                    : JournalRecord::Made;
  // The main folder's own record (the last of `made`, or `madeHere`) goes
  // with its main line, after the parents made on the way.
  std::optional<MadeIdentity> mainMade;
  if (madeMain) {
    for (const MadeFolder& folder : outcome.made) {
      const bool main = folder.path == shared.Path();
      if (main && noteMain)
        mainMade = MadeIdentity{folder.identity, folder.within};
      else if (journal != nullptr)
        journal->Note(madeKind, folder);
      r.madeMainFolders->push_back(main ? shared.Get() : ShareText(arena_, folder.path), folder.identity,
                                   folder.within);
    }
    if (const auto& here = outcome.madeHere) {
      if (noteMain)
        mainMade = *here;
      else if (journal != nullptr)
        journal->Note(madeKind, shared.Path(), *here);
      r.madeMainFolders->push_back(shared.Get(), here->identity, here->within);
    }
  } else if (made != nullptr && !outcome.made.empty()) {
    if (journal != nullptr)
      for (const MadeFolder& folder : outcome.made) journal->Note(madeKind, folder);
    MakeRoom(*made, outcome.made.size());
    made->insert(made->end(), std::make_move_iterator(outcome.made.begin()),
                 std::make_move_iterator(outcome.made.end()));
  }
  if (noteMain) journal->NoteMain(shared.Path(), mainMade ? &*mainMade : nullptr);
  if (outcome.written)
    Append(failed ? r.failedFiles : r.writtenFiles, journal,
           failed ? JournalRecord::FailedFile : JournalRecord::Written, std::move(*outcome.written));
  if (outcome.renamed) {
    if (RenameRecords* list = failed ? r.failedRenames : r.renames) {
      const std::string_view newPath = outcome.RenamedTo();
      // A rename done lists its new path: the record keeps the log's bytes.
      if (newPath == shared.Path())
        list->push_back(outcome.renamed->first, shared.Get());
      else
        list->push_back({outcome.renamed->first, newPath});
      if (journal != nullptr) journal->Note(failed ? JournalRecord::FailedRename : JournalRecord::Renamed, list->back());
    }
  }
  if (outcome.trashed)
    Append(failed ? r.failedRestores : r.trashed, journal,
           failed ? JournalRecord::FailedRestore : JournalRecord::Trashed, std::move(*outcome.trashed));
}

void RunRecorder::Record(ItemOutcome&& outcome) {
  if (setup_.stats != nullptr)
    for (std::uint8_t i = 0; i < outcome.counterCount; ++i)
      setup_.stats->Add(outcome.counters[i].counter, outcome.counters[i].delta);
  RecordedPath shared(arena_, outcome.path);
  if (outcome.list != kNoList && setup_.logs != nullptr) setup_.logs->AddResult(setup_.page, outcome.list, shared.Get());
  Keep(outcome, shared);
  if (outcome.message && setup_.ui != nullptr)
    setup_.ui->ShowMessageBox(outcome.message->text, outcome.message->caption,
                              outcome.message->kind == ItemMessage::Kind::Warning ? MessageKind::Warning
                                                                                  : MessageKind::Information);
  if (setup_.journal != nullptr) setup_.journal->Tick();
  // Showing every label after every outcome would cost as much as the run
  // on a large one: they follow at most every interval, and exactly at the
  // end (Flush).
  if (interval_.count() != 0 && ++sinceClock_ < kOutcomesPerClock) return;
  sinceClock_ = 0;
  const auto now = std::chrono::steady_clock::now();
  if (interval_.count() == 0 || now - lastShown_ >= interval_) {
    ShowCounters();
    lastShown_ = now;
  }
}

void RunRecorder::ShowCounters() {
  if (setup_.showCounters) setup_.showCounters();
}

void RunRecorder::Flush() {
  ShowCounters();
  if (setup_.journal != nullptr) setup_.journal->Tick();
}

}  // namespace quillory
