#include "undo/folder_file_undo_run.h"

#include <numeric>
#include <optional>
#include <vector>

#include "app/ui.h"

namespace quillory {

RunOutcome RunUndo(Ui& ui, PageControl& pages, TabSheet& tab, FileSystem& fs, UndoSetup setup) {
  const UndoTexts& texts = setup.texts;
  FolderFileUndo undo(fs, setup.failures);
  std::optional<RunRecorder> recorder;
  RunPlan plan;
  // The record is taken whole when the undo begins: it goes to its end.
  plan.stoppable = false;
  plan.validate = [&] {
    if (!setup.nothing) return true;
    ui.ShowMessageBox(texts.nothingText, texts.nothingCaption, MessageKind::Warning);
    return false;
  };
  plan.confirm = {texts.questionText, texts.questionCaption};
  plan.prepare = [&] {
    setup.load(undo);
    undo.Order();
    plan.itemCount = undo.ItemCount();
    if (setup.clear) setup.clear();
    recorder.emplace(setup.recorder);
  };
  plan.work = [&](std::size_t item, const OutcomeSink& sink) { undo.Work(item, sink); };
  // Every item is a chain of its own: the phases alone keep what is inside
  // a folder going before the folder.
  plan.chains.worker = [&] { return plan.work; };
  plan.chains.keys = [&](std::size_t from) {
    std::vector<std::uint64_t> keys(plan.itemCount - from);
    std::iota(keys.begin(), keys.end(), std::uint64_t{0});
    return keys;
  };
  plan.chains.phases = [&](std::size_t from) { return undo.Phases(from); };
  plan.chains.operations = [&](std::size_t item) { return undo.Entries(item); };
  plan.record = [&](ItemOutcome&& outcome) { recorder->Record(std::move(outcome)); };
  plan.finish = [&] {
    recorder->Flush();
    if (setup.settled) setup.settled();
    static const MadeFolders kNoFolders;
    static const std::vector<WrittenFile> kNoFiles;
    const JournalLists& left = setup.recorder.records;
    const std::string report = UndoReport(left.failedFolders != nullptr ? *left.failedFolders : kNoFolders,
                                          left.failedFiles != nullptr ? *left.failedFiles : kNoFiles);
    if (!report.empty()) ui.ShowMessageBox(report, texts.reportCaption, MessageKind::Information);
  };
  plan.end = {texts.endText, texts.endCaption};
  return RunFrame(ui, pages, tab, plan);
}

}  // namespace quillory
