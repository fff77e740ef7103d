// The undo of a rename run: each recorded rename moved back, one entry an
// item, and the report of those that could not be. Reads no page.
#pragma once

#include <string>
#include <vector>

#include "app/run_frame.h"
#include "operations/rename_engine.h"
#include "undo/rename_record.h"
#include "undo/undo_report.h"

namespace quillory {

// The entries in the order an undo takes them: shallow first, in record
// order among equals. A child's recorded new path holds its parent's old
// name, so the parent goes back first.
RenameRecords RenameUndoOrder(RenameRecords entries);

// Moves one entry back with a no-replace rename and hands one outcome:
//   Done           moved back (path: the old path);
//   AlreadyExists  a folder of the old name is there again; it is someone
//                  else's and is left alone (path: the old path);
//   NotFound       the new path is gone (path: the new path);
//   Other          anything else, a file at the old path included: the entry
//                  is kept for the next Undo (`undoFailed` with `renamed`),
//                  counted and listed as FoldersFailedUndo by its old path.
// Paths are trimmed, as the report and the Visual Log show them.
void UndoRenameOne(FolderRenamer& renamer, FileSystem& fs, RenameRecordView entry, const OutcomeSink& sink);

// The warning after an undo that left some entries, gathered from the
// outcomes of UndoRenameOne in item order.
class RenameUndoReport : public UndoReport {
 public:
  RenameUndoReport()
      : UndoReport("The program is unable to rename the following folders  : \n", "\nSOURCE FOLDERS DO EXIST : \n\n",
                   "\nDESTINATION FOLDERS DO NOT EXIST : \n\n", "\nOTHER REASONS   : \n\n") {}
};

}  // namespace quillory
