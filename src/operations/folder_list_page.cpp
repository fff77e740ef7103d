#include "operations/folder_list_page.h"

#include "app/ui.h"
#include "operations/run_recorder.h"
#include "results/visual_logs.h"

namespace quillory {

namespace {

std::string Named(PageKey key, const char* prefix, const char* suffix) {
  return prefix + std::string(PageOf(key).name) + suffix;
}

}  // namespace

FolderListPage::FolderListPage(PageContext& context, PageKey key)
    : descriptor(PageOf(key)),
      include(context.owner.Make<ListBox>(Named(key, "lst", "IncludeFolderList"), false)),
      exclude(context.owner.Make<ListBox>(Named(key, "lst", "ExcludeFolderList"), false)),
      includeSum(context.owner.Make<Label>(Named(key, "lbl", "IncludeSum"), "0")),
      excludeSum(context.owner.Make<Label>(Named(key, "lbl", "ExcludeSum"), "0")),
      panel(context.owner, context.services.ui, key, include, exclude, includeSum, excludeSum, context.services.fs,
            context.services.drives),
      levels(context.owner, context.services.ui, panel, context.services.fs),
      stats(PageCounterNames(key)),
      btnStatistics(context.owner.Make<Button>(Named(key, "btn", "Statistics"), "Visual Log")),
      chkShowDetailedResults(context.owner.Make<CheckBox>(Named(key, "chk", "ShowDetailedResults"), "Show Visual Log")),
      btnHelp(context.owner.Make<Button>(Named(key, "btn", "Help"), "Help")),
      context_(context) {
  MakeCounterLabels(context.owner, key);
  btnStatistics.onClick = [this] { ShowVisualLog(); };
  btnHelp.onClick = [this] { context_.showHelp(descriptor.key); };
}

void FolderListPage::FormCreate() {
  stats.ResetAll();
  WriteCounters();
  chkShowDetailedResults.SetChecked(true);
  Refresh();
}

void FolderListPage::ShowVisualLog() { context_.visualLogs.ShowVisualLog(descriptor.key); }

void FolderListPage::WriteCounters() {
  if (context_.visualLogs.Attached(descriptor.key)) context_.visualLogs.WriteCounters(descriptor.key);
}

FileFilterRow::FileFilterRow(PageContext& context, PageKey key, std::function<void()> changed)
    : controls(MakeFileSelectionControls(context.owner, key)), context_(context) {
  controls.select.onClick = [this, changed = std::move(changed)] {
    if (window_ && OpenFileSelection(context_.services.ui, *window_) == ModalResult::Ok) changed();
  };
}

std::vector<std::string> FileFilterRow::Masks() const {
  return window_ ? window_->GetFileMasks() : std::vector<std::string>{"*.*"};
}

void FileFilterRow::Refresh() { controls.allSelected.SetCaption(FileSelectionStatus(context_.services.settings)); }

RecorderSetup FolderListPage::Recording() {
  RecorderSetup setup;
  setup.page = descriptor.key;
  setup.stats = &stats;
  setup.ui = &context_.services.ui;
  if (context_.visualLogs.Attached(descriptor.key))
    setup.logs = &context_.visualLogs;
  else
    setup.showCounters = [&ui = context_.services.ui] { ui.Repaint(); };
  return setup;
}

}  // namespace quillory
