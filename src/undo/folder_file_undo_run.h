// A page's Undo of what its last run made (the create pages, the copy page)
// through the run frame, on the folder and file undo engine.
#pragma once

#include <functional>
#include <string>

#include "app/run_frame.h"
#include "operations/run_recorder.h"
#include "undo/folder_file_undo.h"

namespace quillory {

// The messages of one page's Undo.
struct UndoTexts {
  std::string nothingText, nothingCaption;
  std::string questionText, questionCaption;
  std::string reportCaption;
  std::string endText, endCaption;
};

// What a page's Undo hands RunUndo.
struct UndoSetup {
  UndoTexts texts;
  // Nothing to undo: the warning, and nothing changes.
  bool nothing = false;
  UndoFailureReport failures;
  // Once the person said yes (a No keeps the records whole): what to take
  // away, moved out of the page's records.
  std::function<void(FolderFileUndo&)> load;
  // Then, before the first removal: the page's records emptied, its run
  // counters reset and its Visual Log prepared.
  std::function<void()> clear;
  // The page's counters and Visual Log; `records.failedFolders` and
  // `records.failedFiles` receive what the undo leaves, and the report is
  // made from them. No journal: the one on disk keeps the whole record
  // until `settled`, so a program ended part-way still undoes the rest
  // after a restart.
  RecorderSetup recorder;
  // After the last removal, before the report: the page from what was
  // left (its retry list, its labels, its journal rewritten).
  std::function<void()> settled;
};

// A page's Undo through the run frame: the nothing-to-undo warning, the
// question, then the removal item by item with the other tabs locked and
// the bar moving, the report when something was left, the end message.
RunOutcome RunUndo(Ui& ui, PageControl& pages, TabSheet& tab, FileSystem& fs, UndoSetup setup);

}  // namespace quillory
