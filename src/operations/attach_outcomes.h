// What one step of the attach engine comes to on a page: the counters, the
// Visual Log line, the record and the message, by the rules of the create
// pages or of the copy page. Pure functions; the run's recorder keeps what
// they give.
#pragma once

#include <string>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"
#include "operations/attach_engine.h"

namespace quillory {

// What a run made, for Undo: the paths as the lists show them, and the
// identities of what was really made, in creation order.
struct AttachRecords {
  std::vector<std::string> createdFolders;        // every base, subfolder and template path created
  std::vector<std::string> copiedFiles;           // every target file written
  std::vector<std::string> processedMainFolders;  // copy page: the folders that received something
  MadeFolders madeFolders;                        // only folders this run made, missing parents included
  std::vector<CopiedFile> copiedFileIds;
  void Clear();
};

// One copy of the structures: what a main folder that receives nothing adds
// to the "already exist" or "other reasons" row of a create page.
struct OneCopyTotals {
  double folders = 0, files = 0, bytes = 0;
};

// Whether a rejected template line adds the structure totals to the
// other-reasons row: on Vol02 unless nothing is attached, on Vol03 and Vol04
// only in attach modes 1 and 3, never on the copy page.
bool RejectedLineAddsTotals(PageKey page, SourceKind kind, AttachMode mode);

// The warning a copied (or not copied) file whose size is not in the size
// map brings up: the page's text, then the source path.
ItemMessage MissingSizeMessage(PageKey page, bool copied, const std::string& source);

// How a create page counts the steps.
struct CreateStepRules {
  PageKey page = PageKey::Vol02;    // whose warnings
  bool rejectedAddsTotals = false;  // see RejectedLineAddsTotals
  OneCopyTotals totals;
};

// A step on a create page (Vol02, Vol03, Vol04).
ItemOutcome CreatePageStepOutcome(const AttachStep& step, const CreateStepRules& rules);
// A step on the copy page (Vol08).
ItemOutcome CopyPageStepOutcome(const AttachStep& step);

}  // namespace quillory
