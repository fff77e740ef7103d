// The frame every batch run follows: check, confirm, prepare, lock the other
// tabs, work item by item with repaint, end message, show the destination,
// unlock, update the history. The lock is released on every way out,
// exceptions included.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "platform/file_system.h"

namespace quillory {

class Ui;

struct MessageText {
  std::string text;
  std::string caption;
};

// What one item of a run came to, as the engine that did it reports it; the
// page's recorder turns it into counters, result lines and undo records.
enum class OutcomeKind {
  Done,           // created, copied, renamed or deleted
  AlreadyExists,  // nothing replaced
  NotFound,       // the source or target is not there
  Other,          // refused or failed for another reason
};

struct CounterDelta {
  std::string counter;  // a name of the page's OperationStatistics
  double delta = 1;
};

struct ItemOutcome {
  OutcomeKind kind = OutcomeKind::Done;
  std::string path;                   // program form, as the result lists show it
  std::vector<CounterDelta> counters;
  std::vector<MadeFolder> made;       // outermost first
  std::string detail;                 // host error text, for logs
};

struct RunPlan {
  // Shows its own warning and returns false to end the handler unchanged.
  std::function<bool()> validate;
  MessageText confirm;                    // question, No is the default; none when empty
  std::function<void()> prepare;          // Visual Log, counters, records
  // Read once prepared: false skips the items and the end message (the
  // run's own warning said why); the tabs unlock and `after` still runs.
  std::function<bool()> proceed;
  std::size_t itemCount = 0;
  // When not zero (set by `proceed` at the latest), the bar counts these
  // units instead of the items, and the items advance it through the
  // frame's ProgressMeter (`RunMeter()`), as often as they like.
  std::size_t progressTotal = 0;
  // One item: what it came to (an item may stand for several paths, such
  // as a main folder and the subfolders made in it).
  std::function<std::vector<ItemOutcome>(std::size_t)> work;
  // Turns each outcome into counters, result records and undo records.
  std::function<void(const ItemOutcome&)> record;
  MessageText end;                        // information
  std::function<bool()> showExplorer;     // read after the run
  std::function<std::string()> explorerPath;
  std::function<void()> after;            // history update, after unlocking
};

// Turns a count of done units into at most a thousand RunProgress calls: a
// bar shows no more, and a million calls would cost more than the work.
class ProgressMeter {
 public:
  ProgressMeter(Ui& ui, std::size_t total);
  // `done` beyond the total is shown as the total (a forecast may be short).
  void Reach(std::size_t done) {
    if (done >= next_) Report(done);
  }
  void Advance() { Reach(done_ + 1); }
  std::size_t Done() const { return done_; }

 private:
  void Report(std::size_t done);
  Ui& ui_;
  std::size_t total_;
  std::size_t step_;
  std::size_t next_;
  std::size_t done_ = 0;
};

enum class RunOutcome { Refused, Declined, Completed };

// Disables every tab but `keep` while it lives.
class TabLock {
 public:
  TabLock(PageControl& pages, TabSheet& keep);
  ~TabLock();
  TabLock(const TabLock&) = delete;
  TabLock& operator=(const TabLock&) = delete;

 private:
  std::vector<TabSheet*> locked_;
};

// While a frame runs, a second call (from an event let through by a repaint)
// is refused at once: it asks nothing and changes nothing. Ui::RunStarted and
// RunEnded bracket the locked part, with RunProgress between them.
RunOutcome RunFrame(Ui& ui, PageControl& pages, TabSheet& page, const RunPlan& plan);

// Whether a RunFrame is under way.
bool RunActive();

// The bar of the frame under way, for a plan with a `progressTotal`; null
// outside the items of such a run.
ProgressMeter* RunMeter();

}  // namespace quillory
