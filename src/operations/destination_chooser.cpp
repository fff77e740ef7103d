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

std::vector<std::string> HistoryWithFirst(const std::string& first, const std::vector<std::string>& items) {
  std::vector<std::string> out;
  std::unordered_set<std::string_view> seen;
  out.reserve(items.size() + 1);
  if (!first.empty()) {
    out.push_back(first);
    seen.insert(first);
  }
  for (const auto& item : items)
    if (!item.empty() && seen.insert(item).second) out.push_back(item);
  return out;
}

void UpdateDestinationHistory(ComboBox& combo, const std::string& used) {
  std::string first = Trim(used);
  if (first.empty()) return;
  combo.SetItems(HistoryWithFirst(first, combo.Items()));
  combo.SetItemIndex(0);
}

DestinationChooser::DestinationChooser(PageContext& context, PageKey key, Texts texts)
    : combo(context.owner.Make<ComboBox>("cbo" + std::string(PageOf(key).name) + "DestFolders")),
      browse(context.owner.Make<Button>("btn" + std::string(PageOf(key).name) + "AddDestFolder", "Browse")),
      view(context.owner.Make<Button>("btn" + std::string(PageOf(key).name) + "ViewDestFolder", "View")),
      ui_(context.services.ui),
      services_(context.services),
      texts_(std::move(texts)) {
  browse.onClick = [this] { Choose(ui_.SelectFolder("Browse Title")); };
  combo.onSelect = [this] {
    if (TakeTyped()) Choose(combo.Text());
  };
  view.onClick = [this] { View(); };
}

void DestinationChooser::SetChosen(bool chosen) {
  chosen_ = chosen;
  view.SetEnabled(chosen);
  if (chosenChanged) chosenChanged(chosen);
}

void DestinationChooser::Load(const std::vector<std::string>& history) {
  combo.ClearItems();
  combo.SetItems(HistoryWithFirst("", history));
}

void DestinationChooser::DropPaths(const std::vector<std::string>& hostPaths) {
  if (!browse.Enabled()) return;
  if (auto path = SingleDroppedFolder(hostPaths, ui_, services_.drives, services_.fs)) Choose(*path);
}

void DestinationChooser::Choose(const std::string& path) {
  if (Trim(path).empty()) {
    if (Trim(combo.Text()).empty()) SetChosen(false);
    ui_.ShowMessageBox(texts_.emptyChoice.text, texts_.emptyChoice.caption, MessageKind::Warning);
    combo.SetFocus();
    return;
  }
  int at = combo.IndexOf(path);
  if (at >= 0) {
    combo.SetItemIndex(at);
  } else {
    // The new path goes first, the others keep their order behind it.
    std::vector<std::string> items = HistoryWithFirst(path, combo.Items());
    combo.ClearItems();
    combo.SetItems(std::move(items));
    combo.SetItemIndex(0);
  }
  SetChosen(true);
  if (afterChoose) afterChoose();
}

bool DestinationChooser::TakeTyped() {
  const std::string typed = Trim(combo.Text());
  const std::optional<std::string> path = TypedFolder(typed, ui_, services_.drives);
  if (path && *path != typed) combo.SetText(*path);
  return path.has_value();
}

void DestinationChooser::View() {
  if (!TakeTyped()) return;
  std::string trimmed = Trim(combo.Text());
  if (trimmed.empty()) {
    ui_.ShowMessageBox(texts_.emptyView.text, texts_.emptyView.caption, MessageKind::Warning);
    return;
  }
  ui_.OpenFolder(trimmed);
}

}  // namespace quillory
