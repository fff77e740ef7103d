// The frame every batch run follows: check, confirm, prepare, lock the other
// tabs, work item by item with repaint, end message, show the destination,
// unlock, update the history. The lock is released on every way out,
// exceptions included.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/boxed.h"
#include "app/controls.h"
#include "platform/file_system.h"

namespace quillory {

class Ui;

struct MessageText {
  std::string text;
  std::string caption;
};

// What one item of a run came to, as the engine that did it reports it. The
// run's recorder turns it into counters, a Visual Log line, result and undo
// records and the journal; nothing else writes those while a run goes.
enum class OutcomeKind {
  Done,           // created, copied, renamed or deleted
  AlreadyExists,  // nothing replaced
  NotFound,       // the source or target is not there
  Other,          // refused or failed for another reason
};

// A counter of the page's statistics, by its position there (the typed
// enums beside OperationStatistics give the positions).
struct CounterId {
  std::uint8_t index = 0;
  bool operator==(const CounterId&) const = default;
};

struct CounterDelta {
  CounterId counter;
  double delta = 1;
};

// Which of the page's records an outcome's path joins.
enum class RecordSlot : std::uint8_t {
  None,
  MainFolder,          // a main folder created
  ExistingMainFolder,  // a main folder found there already
  OtherMainFolder,     // a main folder refused
  Folder,              // a folder created below a main folder
  File,                // a file written
  ProcessedMainFolder, // a destination that received something
  MissingFolder,       // a destination that is not there
};

// A message the documents show for an item, shown by the recorder when the
// outcome is recorded.
struct ItemMessage {
  enum class Kind { Warning, Information };
  std::string text, caption;
  Kind kind = Kind::Warning;
};

inline constexpr std::size_t kNoList = static_cast<std::size_t>(-1);

struct ItemOutcome {
  OutcomeKind kind = OutcomeKind::Done;
  std::string path;              // program form, as the result lists show it
  std::size_t list = kNoList;    // the page's Visual Log list it is shown in
  RecordSlot record = RecordSlot::None;
  // Few per outcome: kept inline, a million outcomes allocate nothing more.
  std::array<CounterDelta, 4> counters{};
  std::uint8_t counterCount = 0;
  void Count(CounterId counter, double delta = 1) { counters.at(counterCount++) = {counter, delta}; }
  MadeFolders made;  // outermost first
  // The folder `path` names, when the item made it and nothing above it:
  // what nearly every item of a create run makes, kept without a second
  // copy of its path (it goes after `made`).
  std::optional<MadeIdentity> madeHere;
  bool madeMain = false;         // `made` and `madeHere` are main folders (and their parents)
  // An undo could not take these away: `made`, `written`, `renamed` and
  // `trashed` are kept for the next Undo instead.
  bool undoFailed = false;
  // The parts few outcomes have are held apart: outcomes are moved in
  // batches, and inline these more than doubled an outcome's size.
  Boxed<WrittenFile> written;
  // A rename done: the old path and the new one, left empty where it is
  // `path` itself (a rename done lists its new path). Views of the run's
  // own items (its lines, or the records an undo takes back), which outlive
  // every outcome of the run: recording a rename copies no path twice.
  std::optional<std::pair<std::string_view, std::string_view>> renamed;  // old, new
  std::string_view RenamedTo() const { return renamed->second.empty() ? std::string_view(path) : renamed->second; }
  // An entry moved into the desktop's trash (or, with `undoFailed`, one an
  // undo could not bring back).
  Boxed<TrashedEntry> trashed;
  Boxed<ItemMessage> message;
  std::size_t progress = 0;  // units of the plan's own progress count
  std::string detail;        // host error text, for logs
};

// Where an engine hands each outcome, as soon as it has it, so one long item
// (a large tree) is recorded as it goes.
using OutcomeSink = std::function<void(ItemOutcome&&)>;
using ItemWork = std::function<void(std::size_t, const OutcomeSink&)>;

// How a run's items may go on worker threads. Items of one chain run in
// item order, one at a time; items of different chains may run at once, so
// a chain must hold every item that could touch a folder another item makes,
// renames or removes. Whatever runs at once, the outcomes reach `record` in
// item order.
struct RunChains {
  // Each worker's own work (its engine, the folders it keeps open); made on
  // the window's thread before the workers start. Unset: the run is serial.
  std::function<ItemWork()> worker;
  // The chains of the items from `from` on, one key each (equal keys are
  // one chain); empty keeps the run serial.
  std::function<std::vector<std::uint64_t>(std::size_t from)> keys;
  // Each item's phase from `from` on, never decreasing in item order: an
  // item starts only once every item of the earlier phases is done (an
  // undo's files, then its folders level by level). A chain keeps to one
  // phase. Unset: one phase.
  std::function<std::vector<std::uint32_t>(std::size_t from)> phases;
  // About how many file-system operations item `i` makes, for automatic's
  // timing. Unset: one per outcome (an undo hands on only what it left).
  std::function<std::size_t(std::size_t)> operations;
  // Whether the chains may go at once from now on; asked before each item
  // while the run is still serial (a shared destination not made yet keeps
  // it serial). Unset: at once.
  std::function<bool()> ready;
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
  // units instead of the items, advanced by each outcome's `progress`.
  std::size_t progressTotal = 0;
  // One item: its outcomes, handed to the sink in order (an item may stand
  // for several paths, such as a main folder and what was made in it).
  ItemWork work;
  RunChains chains;
  // Each outcome, in item order: the run's recorder.
  std::function<void(ItemOutcome&&)> record;
  // After the last item, before the end message: the labels exactly as the
  // run left them, and any summary of the run.
  std::function<void()> finish;
  MessageText end;                        // information
  // A Stop ends the run between items (the items not started get no
  // outcome; a box after the end message says how many). An undo, whose
  // record is taken whole when it begins, cannot be stopped.
  bool stoppable = true;
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

// The box after the end message of a stopped run, in the page's words.
MessageText StoppedMessage(const std::string& endCaption, std::size_t notProcessed);


}  // namespace quillory
