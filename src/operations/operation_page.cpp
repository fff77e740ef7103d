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
#include "undo/folder_file_undo.h"
#include "operations/structure_forecast.h"
#include "structures/structures_group.h"
#include "platform/text.h"
#include "results/visual_logs.h"

namespace quillory {

void MakeCounterLabels(Window& owner, PageKey key) {
  const std::string stem = "lblVol" + std::string(PageOf(key).number);
  const CounterLayout& layout = PageCounterLayout(key);
  for (std::size_t c = 0; c < layout.columnKeys.size(); ++c)
    owner.Make<Label>(stem + "Column" + layout.columnKeys[c], layout.columnCaptions[c]);
  for (const CounterRow& row : layout.rows) {
    if (row.visualLogOnly) continue;
    owner.Make<Label>(stem + "Row" + row.key, row.caption);
    for (std::size_t c = 0; c < row.counters.size(); ++c) {
      if (row.counters[c].empty()) continue;
      if (c < row.cellCaptions.size() && !row.cellCaptions[c].empty())
        owner.Make<Label>(stem + row.counters[c] + "Caption", row.cellCaptions[c]);
      owner.Make<Label>(stem + row.counters[c], "0");
    }
  }
}

std::string MissingStructuresNote(const std::vector<std::string>& missing) {
  std::string text = missing.size() == 1 ? "This folder structure does not exist and is not attached:\n"
                                         : "These folder structures do not exist and are not attached:\n";
  for (const std::string& path : missing) {
    text += '\n';
    text += path;
  }
  return text;
}

}  // namespace quillory
