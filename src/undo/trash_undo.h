// The undo of a delete into the desktop's trash: each entry the run moved
// goes back where it was, and the report of those that could not. Reads no
// page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/run_frame.h"
#include "platform/file_system.h"
#include "undo/undo_report.h"

namespace quillory {

// The entries in the order an undo takes them: shallow first, in record
// order among equals, so a folder is back before what went from inside it.
std::vector<TrashedEntry> TrashUndoOrder(std::vector<TrashedEntry> entries);

// How many entries one item of an undo brings back: one call of the file
// system, so a run of entries of one folder shares its opens.
inline constexpr std::size_t kRestoresPerItem = 256;

// Brings entries[from, to) back and hands one outcome each, by the path the
// run listed, one unit of progress each:
//   Done           back in its place (no list, no counter);
//   AlreadyExists  its place is taken: it stays in the trash, kept for the
//                  next Undo (`undoFailed` with `trashed`), listed and
//                  counted under the other reasons;
//   NotFound       the trash no longer holds what the run put there (emptied,
//                  restored by hand): listed and counted as not existing,
//                  and dropped;
//   Other          anything else, kept for the next Undo like a taken place.
void RestoreTrashedRange(FileSystem& fs, const std::vector<TrashedEntry>& entries, std::size_t from, std::size_t to,
                         const OutcomeSink& sink);

// The warning after an undo that left some entries, gathered from the
// outcomes of RestoreTrashedRange in item order.
class TrashUndoReport : public UndoReport {
 public:
  TrashUndoReport()
      : UndoReport("The program is unable to bring back the following folders and/or files : \n",
                   "\nTHE PLACE IS TAKEN (they stay in the Trash; Undo tries again) : \n\n",
                   "\nNO LONGER IN THE TRASH : \n\n",
                   "\nOTHER REASONS (they stay in the Trash; Undo tries again) : \n\n") {}
};

}  // namespace quillory
