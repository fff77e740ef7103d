#include "operations/operation_page.h"

#include <string_view>
#include <unordered_set>

#include "app/ui.h"
#include "operations/structure_forecast.h"
#include "platform/text.h"
#include "results/visual_logs.h"

namespace quillory {

namespace {

const char* const kColumnCaptions[4] = {"Main Folders", "Folders, Subfolders", "Files in structure",
                                        "Total File size (bytes)"};

}  // namespace

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

// ------------------------------------------------------------ create pages

CreatePage::CreatePage(PageContext& context, PageKey key) : descriptor(PageOf(key)), context_(context) {
  const std::string name(descriptor.name);
  const char* rowCaptions[4] = {"To create:", "Successfully created:", "Not created  (already exist):",
                                "Not created (other reasons):"};
  if (key != PageKey::Vol02) {
    rowCaptions[2] = "NOT created (already exists):";
    rowCaptions[3] = "NOT created (other reasons):";
  }
  if (key == PageKey::Vol03) rowCaptions[1] = "Created :";
  Window& owner = context.owner;
  for (int c = 0; c < 4; ++c) owner.Make<Label>("lbl" + name + "Column" + kCreateColumns[c], kColumnCaptions[c]);
  for (int r = 0; r < 4; ++r) {
    owner.Make<Label>("lbl" + name + "Row" + kCreateRows[r], rowCaptions[r]);
    for (int c = 0; c < 4; ++c)
      statLabels[r][c] = &owner.Make<Label>("lbl" + name + kCreateColumns[c] + kCreateRows[r], "0");
  }
}

void CreatePage::ClearRecords() {
  createdMainFolders.clear();
  existingMainFolders.clear();
  otherMainFolders.clear();
  createdFolders.clear();
  copiedFiles.clear();
}

void CreatePage::RefreshForecast(StructureForecast& forecast, std::size_t count,
                                 const std::vector<std::string>& destinations) {
  if (const auto message = forecast.Update(stats, count, destinations))
    ui().ShowMessageBox(message->text, message->caption, MessageKind::Information);
  ShowCounters();
}

void CreatePage::PrepareRun(bool real, bool showVisualLog) {
  std::vector<std::string> keep;
  for (auto* c : kCreateColumns) keep.push_back(std::string(c) + "ToCreate");
  stats.ResetExcept(keep);
  if (real) ClearRecords();
  if (context_.visualLogs.Attached(descriptor.key)) {
    context_.visualLogs.PrepareVisualLog(descriptor.key, !real, {}, showVisualLog);
    return;
  }
  ShowCounters();
}

void CreatePage::ShowCounters() {
  if (context_.visualLogs.Attached(descriptor.key)) {
    context_.visualLogs.WriteCounters(descriptor.key);
    return;
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      statLabels[r][c]->SetCaption(FormatCounter(stats.Get(std::string(kCreateColumns[c]) + kCreateRows[r])));
}

void CreatePage::ShowVisualLog() { context_.visualLogs.ShowVisualLog(descriptor.key); }

void CreatePage::FormDestroy() {
  ClearRecords();
  failedUndoFolders.clear();
}

void CreatePage::FieldCheck(Edit& field, NameField which, const std::function<void()>& clean) {
  const FieldMessage& message = FieldIllegalMessage(descriptor.key, which);
  while (auto found = FieldIllegalFound(field.Text())) {
    ui().ShowMessageBox(std::string(message.text) + *found, std::string(message.caption), MessageKind::Warning);
    std::string text = field.Text();
    DropLastCharacter(text);
    field.SetText(std::move(text));
    field.SetFocus();
  }
  if (clean) clean();
}

// ------------------------------------------------------------- destination

DestinationChooser::DestinationChooser(PageContext& context, PageKey key, Texts texts)
    : combo(context.owner.Make<ComboBox>("cbo" + std::string(PageOf(key).name) + "DestFolders")),
      browse(context.owner.Make<Button>("btn" + std::string(PageOf(key).name) + "AddDestFolder", "Browse")),
      view(context.owner.Make<Button>("btn" + std::string(PageOf(key).name) + "ViewDestFolder", "View")),
      ui_(context.services.ui),
      texts_(std::move(texts)) {
  browse.onClick = [this] { Choose(ui_.SelectFolder("Browse Title")); };
  combo.onSelect = [this] { Choose(combo.Text()); };
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

void DestinationChooser::View() {
  std::string trimmed = Trim(combo.Text());
  if (trimmed.empty()) {
    ui_.ShowMessageBox(texts_.emptyView.text, texts_.emptyView.caption, MessageKind::Warning);
    return;
  }
  ui_.OpenFolder(trimmed);
}

}  // namespace quillory
