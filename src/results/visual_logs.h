// What every operation page calls to report a run: the page's counters, its
// page labels and Visual Log labels, and the Visual Log's result lists with
// their zoom twins. One instance, owned by the main window.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/page.h"
#include "platform/text_list.h"
#include "results/operation_statistics.h"

namespace quillory {

class CheckBox;
class Label;
class ListBox;
class Ui;
class VisualLogWindow;
class Window;
class ZoomStatisticsWindow;


// The result lists of each kind of page, in the windows' order.
enum class CreateList { FoldersCreated, SubFoldersCreated, FilesCreated, FoldersExists, FoldersOther, FoldersFailedUndo };
enum class RenameList { FoldersRenamed, SourceNotExists, DestinationExists, OtherReasons, FoldersFailedUndo };
enum class DeleteList { FoldersDeleted, FoldersNotExists, FoldersOtherReasons, FilesDeleted, FilesNotExists,
                        FilesOtherReasons };
enum class CopyList { FoldersCopied, SubFoldersCopied, FilesCopied, FoldersNotExists, SubFoldersExists, FilesExists,
                      SubFoldersOtherReasons, SubFoldersFailedUndo };

class VisualLogs {
 public:
  explicit VisualLogs(Ui& ui);
  VisualLogs(const VisualLogs&) = delete;
  VisualLogs& operator=(const VisualLogs&) = delete;

  // Joins a page's pieces: its counters, the window holding its page labels
  // ("lblVol" + number + counter), its Visual Log (which must already be
  // attached to its zoom window) and its "Show Visual Log" box.
  void Attach(PageKey page, OperationStatistics& stats, Window& pageLabels, VisualLogWindow& log,
              CheckBox& showVisualLog);
  bool Attached(PageKey page) const { return At(page).log != nullptr; }

  OperationStatistics& Stats(PageKey page) const;
  VisualLogWindow& Log(PageKey page) const;
  ZoomStatisticsWindow& Zoom(PageKey page) const;
  ListBox& List(PageKey page, std::size_t list) const;
  ListBox& Twin(PageKey page, std::size_t list) const;

  // At the start of a run (simulation false) or a simulation: the run flag
  // and heading, every result list and twin emptied but those in `keep`,
  // the counters shown; the Visual Log shown when the page's box is checked.
  // Counters are the operation's to reset: which stay differs per page.
  // `show` overrides the box when given.
  void PrepareVisualLog(PageKey page, bool simulation, const std::vector<std::size_t>& keep = {},
                        std::optional<bool> show = std::nullopt);

  // Appends the path to the Visual Log list and to its zoom twin, which
  // share its bytes.
  void AddResult(PageKey page, std::size_t list, const SharedText& path);
  void AddResult(PageKey page, std::size_t list, const std::string& path);
  void AddResult(PageKey page, CreateList list, const std::string& path) {
    AddResult(page, static_cast<std::size_t>(list), path);
  }
  void AddResult(RenameList list, const std::string& path) {
    AddResult(PageKey::Vol06, static_cast<std::size_t>(list), path);
  }
  void AddResult(DeleteList list, const std::string& path) {
    AddResult(PageKey::Vol07, static_cast<std::size_t>(list), path);
  }
  void AddResult(CopyList list, const std::string& path) {
    AddResult(PageKey::Vol08, static_cast<std::size_t>(list), path);
  }

  // Every counter into the page labels and the Visual Log labels, then one
  // repaint, so progress shows while a run holds the interface thread.
  void ShowCounters(PageKey page);
  // The same without the repaint, for refreshes outside a run.
  void WriteCounters(PageKey page);
  // Only the Visual Log's labels.
  void WriteLogCounters(PageKey page);

  // "Visual Log" on a page: the log's labels from the counters, then the
  // window, not modal.
  void ShowVisualLog(PageKey page);

  // On activation of the main window: every heading from its run flag.
  void RefreshHeadings();

  // Empties every list and twin (program end).
  void ClearAll();

 private:
  struct Page {
    OperationStatistics* stats = nullptr;
    VisualLogWindow* log = nullptr;
    CheckBox* show = nullptr;
    // Labels by counter position, looked up once.
    std::vector<std::pair<Label*, std::size_t>> pageLabels, logLabels;
  };
  Page& At(PageKey page) { return pages_[OperationIndex(page)]; }
  const Page& At(PageKey page) const { return pages_[OperationIndex(page)]; }
  const Page& Checked(PageKey page) const;

  Ui& ui_;
  std::array<Page, kOperationPageCount> pages_{};
};

}  // namespace quillory
