// What the pages that work on existing folders share (Vol06 rename, Vol07
// delete, Vol08 copy): the include/exclude lists with their panel, the
// page's counters, its "Show Visual Log" box and "Visual Log" button.
#pragma once

#include "lists/level_builder.h"
#include "lists/list_panel.h"
#include "operations/operation_page.h"
#include "structures/file_selection.h"

namespace quillory {

class TfrmFileSelection;
struct RecorderSetup;

class FolderListPage {
 public:
  FolderListPage(PageContext& context, PageKey key);
  FolderListPage(const FolderListPage&) = delete;
  FolderListPage& operator=(const FolderListPage&) = delete;

  const PageDescriptor& descriptor;
  ListBox& include;
  ListBox& exclude;
  Label& includeSum;
  Label& excludeSum;
  ListPanel panel;
  // "Add Folders using Subfolder Level Builder" and "List Builder".
  LevelBuilderGroup levels;
  OperationStatistics stats;
  Button& btnStatistics;            // "Visual Log"
  CheckBox& chkShowDetailedResults;  // "Show Visual Log"
  Button& btnHelp;

  virtual ~FolderListPage() = default;

  // Start-up: counters at zero, "Show Visual Log" checked, then Refresh.
  void FormCreate();
  // After every change of the lists.
  virtual void Refresh() = 0;
  void ShowVisualLog();
  // The counters into the page's labels and its Visual Log.
  void WriteCounters();

 protected:
  // A run's recorder for the page: its counters, its Visual Log when one is
  // attached (else a repaint where the labels would show), its messages.
  RecorderSetup Recording();

  PageContext& context_;
  std::vector<Connection> connections_;
};

// "Select Files" and the active types of the copy and delete pages.
class FileFilterRow {
 public:
  FileFilterRow(PageContext& context, PageKey key, std::function<void()> changed);
  FileSelectionControls controls;
  void AttachWindow(TfrmFileSelection& window) { window_ = &window; }
  // The masks the copies apply: "*.*" alone until the window is attached.
  std::vector<std::string> Masks() const;
  // The status caption from the kept filter.
  void Refresh();

 private:
  PageContext& context_;
  TfrmFileSelection* window_ = nullptr;
};

}  // namespace quillory
