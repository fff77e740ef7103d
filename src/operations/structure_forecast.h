// The forecast row of a page that attaches structures ("To create:" on the
// create pages, "To Copy" on the copy page): what one copy of the listed
// structures or templates holds, times the folders that will receive it,
// after the disks were found big enough. The walk of the structures is
// cached per input, so filling the include list item by item never walks
// them again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/run_frame.h"
#include "operations/attach_engine.h"
#include "platform/text_list.h"
#include "structures/structures_group.h"

namespace quillory {

class OperationStatistics;

class StructureForecast {
 public:
  StructureForecast(FileSystem& fs, PageKey page, const StructuresGroup& group);

  // What the group asks for now; `masks` is the copy page's file selection.
  StructureInput Input(const std::vector<std::string>& masks = {"*.*"}) const;

  // Create pages: `count` new main folders, each receiving one copy;
  // `destinations` the folders whose drives must hold the copies (Vol02 and
  // Vol03: the destination once per main folder, given as one folder and
  // `count`; Vol04: the include items). Copy page: `destinations` is the
  // include list and `count` is ignored. The row is written into `stats`
  // (zero when the space check fails); the message the check brought up, to
  // be shown by the caller, is returned.
  std::optional<MessageText> Update(OperationStatistics& stats, std::size_t count,
                                    const TextList& destinations,
                                    const std::vector<std::string>& masks = {"*.*"});

  // Before a run: the disk as it is now.
  const StructureTotals& FreshTotals(const std::vector<std::string>& masks = {"*.*"});
  const StructureTotals* LastTotals() const { return last_; }

 private:
  FileSystem& fs_;
  PageKey page_;
  const StructuresGroup& group_;
  StructureTotalsCache cache_;
  const StructureTotals* last_ = nullptr;
};

}  // namespace quillory
