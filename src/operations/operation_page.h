// What the operation pages share: how they are built into the main window,
// the counters and result records of the three creating pages, and the
// destination chooser of the pages that create under one folder.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/page.h"
#include "app/run_frame.h"
#include "app/services.h"
#include "app/window.h"
#include "names/folder_names.h"
#include "operations/create_run.h"
#include "results/operation_statistics.h"
#include "undo/run_journal.h"

namespace quillory {

class StructureForecast;
class StructuresGroup;
class VisualLogs;
class VisualLogWindow;

// A page registers its controls on `owner` (the main window) under their
// documented names, shows them on its tab of `pages`, and reports to the
// recorder of every Visual Log.
struct PageContext {
  Window& owner;
  Services services;
  PageControl& pages;
  VisualLogs& visualLogs;
  std::function<void(PageKey)> showHelp;

  TabSheet& Tab(PageKey key) const { return *pages.Pages()[PageOf(key).tabIndex()]; }
};

// The note that names the listed structures not there as a run starts
// (MissingStructures), shown once before the first item.
std::string MissingStructuresNote(const std::vector<std::string>& missing);
inline constexpr const char* kMissingStructuresCaption = "Quillory Suite";

// The statistics, Visual Log and result records of a page that creates
// folders (Vol02, Vol03, Vol04).
class CreatePage {
 public:
  CreatePage(PageContext& context, PageKey key);
  CreatePage(const CreatePage&) = delete;
  CreatePage& operator=(const CreatePage&) = delete;

  const PageDescriptor& descriptor;
  OperationStatistics stats{CreatePageCounterNames()};
  Button& btnCreateFolders;            // btnVol0xCreateFolders
  Button& btnCreateFoldersSimulation;  // btnVol0xCreateFoldersSimulation
  // "One Line Contains", on Vol02 and Vol04.
  RadioGroup oneLine;
  RadioButton* rdoOneLineOneFolder = nullptr;
  RadioButton* rdoOneLineManyFolders = nullptr;
  bool ManyFolders() const { return rdoOneLineManyFolders != nullptr && rdoOneLineManyFolders->Checked(); }
  std::string lastRunDestination;
  // What the last real run attached; its journal writes it as F, R or N.
  std::optional<SourceKind> attachKind;
  // The last real run's outcomes; a simulation never replaces them.
  CreateRecords records;
  // What the last Undo could not take away, tried again by the next one.
  std::vector<std::string> failedUndoFolders;
  MadeFolders failedUndoMade;
  std::vector<WrittenFile> failedUndoFiles;
  // The record above as it stands on disk, for an Undo after a restart.
  RunJournal journal;
  // Start-up: the record of the last run from the journal; a warning when
  // it had to be set aside.
  void LoadJournal();
  bool HasUndoRecord() const { return !records.createdMainFolders.empty() || !failedUndoFolders.empty(); }
  Button& btnUndo;  // btnVol0xUndo
  // Takes away what the last real run made (or retries what the last Undo left).
  void Undo();
  std::array<std::array<Label*, 4>, 4> statLabels{};  // [row][column]
  VisualLogWindow* visualLog = nullptr;

  void ClearRecords();
  // Recomputes the "To create:" row for `count` new main folders whose
  // copies land on the drives of `destinations`, shows the space check's
  // message when it failed, and the counters.
  void RefreshForecast(StructureForecast& forecast, std::size_t count, const TextList& destinations);
  // Marks the page's Visual Log as a real run or a simulation, resets the run
  // counters (the "To create:" row stays) and shows the labels.
  void PrepareRun(bool real, bool showVisualLog);
  void ShowCounters();
  // "Visual Log": the page's log, not modal.
  void ShowVisualLog();
  // Program end: the records go.
  void FormDestroy();
  // A run or simulation of the page: question, frame, every item, end.
  RunOutcome RunCreation(CreationPlan& plan);
  // The space test before a run or simulation with files: the "To create:"
  // row from the disk as it is now; false (the message shown) when a drive
  // is too small.
  bool SpaceForRun(StructureForecast& forecast, std::size_t count, const TextList& destinations);
  // The "To create:" row of the last refresh, as one copy of the structures.
  OneCopyTotals OneCopy(const StructureForecast& forecast) const;
  // What each new main folder receives, from the page's group as it is now.
  AttachSetup AttachFor(const StructuresGroup& group, const StructureForecast& forecast, bool simulate,
                        std::string structureRefusedCaption) const;
  // The include lines as the run takes them: whole, or cut ("Many Folders").
  std::size_t ItemCount(const TextList& lines) const;

 protected:
  Ui& ui() const { return context_.services.ui; }
  // Each removal is itself a change of the field, checked again: one warning
  // per removed character until the text is clean; then `clean` runs.
  void FieldCheck(Edit& field, NameField which, const std::function<void()>& clean);
  PageContext& context_;
};

// The destination folder of Vol02 and Vol03: its history combo box, Browse
// and View, and whether one has been chosen.
class DestinationChooser {
 public:
  struct Texts {
    MessageText emptyChoice;  // Browse or the list gave nothing
    MessageText emptyView;    // View with an empty field
  };
  DestinationChooser(PageContext& context, PageKey key, Texts texts);

  ComboBox& combo;
  Button& browse;
  Button& view;

  bool Chosen() const { return chosen_; }
  // `path` from the folder browser or the history; "" warns.
  void Choose(const std::string& path);
  // A folder dropped on the box is chosen as Browse chooses one.
  void DropPaths(const std::vector<std::string>& hostPaths);
  void View();
  // The box's text in program form, written back when typed in host
  // spelling; false after the person was told no drive covers it.
  bool TakeTyped();
  void SetChosen(bool chosen);
  // The stored history, the newest first.
  void Load(const std::vector<std::string>& history);

  // After the chosen state changed; after a folder was taken.
  std::function<void(bool)> chosenChanged;
  std::function<void()> afterChoose;

 private:
  Ui& ui_;
  Services services_;
  Texts texts_;
  bool chosen_ = false;
};

// `first` (when not empty), then every other non-empty item in order, each
// text once: the shape of every destination history.
std::vector<std::string> HistoryWithFirst(const std::string& first, const std::vector<std::string>& items);
// Moves `used` (trimmed) to the front of the combo box's items.
void UpdateDestinationHistory(ComboBox& combo, const std::string& used);

// The counter labels of a folder page (06, 07, 08) and their captions, from
// its layout.
void MakeCounterLabels(Window& owner, PageKey key);

}  // namespace quillory
