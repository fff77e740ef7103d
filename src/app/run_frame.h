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

}  // namespace quillory
