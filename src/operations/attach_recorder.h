// The one place where the attach engine's steps become a page's counters,
// Visual Log lines and undo records, by the rules of the create pages or of
// the copy page.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"
#include "operations/attach_engine.h"

namespace quillory {

class OperationStatistics;
class RunJournal;
class Ui;
class VisualLogs;

// What a run made, for Undo: the paths as the lists show them, and the
// identities of what was really made, in creation order.
struct AttachRecords {
  std::vector<std::string> createdFolders;        // every base, subfolder and template path created
  std::vector<std::string> copiedFiles;           // every target file written
  std::vector<std::string> processedMainFolders;  // copy page: the folders that received something
  std::vector<MadeFolder> madeFolders;            // only folders this run made, missing parents included
  std::vector<CopiedFile> copiedFileIds;
  void Clear();
};

// Whether a rejected template line adds the structure totals to the
// other-reasons row: on Vol02 unless nothing is attached, on Vol03 and Vol04
// only in attach modes 1 and 3, never on the copy page.
bool RejectedLineAddsTotals(PageKey page, SourceKind kind, AttachMode mode);

// The message a copied (or not copied) file whose size is not in the size
// map brings up: the page's text, then the source path, warning, OK.
MessageText MissingSizeMessage(PageKey page, bool copied, const std::string& source);

class AttachRecorder {
 public:
  // `logs` (the Visual Logs, may be null) get the lines and show the
  // counters; `ui` (may be null) shows the missing-size warnings.
  AttachRecorder(PageKey page, OperationStatistics& stats, AttachRecords& records, VisualLogs* logs = nullptr,
                 Ui* ui = nullptr);

  // The structure totals a rejected template line adds to the other-reasons
  // row (create pages; see RejectedLineAddsTotals).
  void SetRejectedTotals(bool add, std::uint32_t folders, std::uint32_t files, std::uint64_t bytes);
  // Counters are shown at most this often while a run goes on (and always
  // by Flush); zero shows them after every step.
  void SetRefreshInterval(std::chrono::milliseconds interval) { interval_ = interval; }
  // The undo journal of a real run follows every step, so one long item
  // (a large structure copied) still reaches the disk as it goes.
  void SetJournal(RunJournal* journal) { journal_ = journal; }
  RunJournal* Journal() const { return journal_; }

  // Counts one step; the missing-size message, when the step brings one up
  // (already shown when a Ui was given).
  std::optional<MessageText> Record(const AttachStep& step);
  StepSink Sink();
  // After an outcome counted elsewhere (a main folder): the counters follow
  // as they do after a step.
  void Tick();
  // Shows the counters as they are now; call at the end of a run.
  void Flush();

 private:
  void Count(const char* counter, double delta = 1);
  void List(std::size_t list, const std::string& path);
  void Created(const AttachStep& step);

  PageKey page_;
  bool copyPage_;
  OperationStatistics& stats_;
  AttachRecords& records_;
  VisualLogs* logs_;
  Ui* ui_;
  RunJournal* journal_ = nullptr;
  bool addTotals_ = false;
  std::uint32_t totalFolders_ = 0, totalFiles_ = 0;
  std::uint64_t totalBytes_ = 0;
  std::chrono::milliseconds interval_{50};
  std::chrono::steady_clock::time_point lastShown_{};
  bool pending_ = false;
  static constexpr unsigned kStepsPerClock = 32;
  unsigned sinceClock_ = kStepsPerClock - 1;  // the first step reads it
};

}  // namespace quillory
