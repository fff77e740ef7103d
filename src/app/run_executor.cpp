#include "app/run_executor.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "app/run_jobs.h"
#include "app/ui.h"
#include "platform/coarse_clock.h"

namespace quillory {

using Clock = std::chrono::steady_clock;

void Ui::AwaitRun(std::chrono::milliseconds timeout) {
  std::unique_lock lock(bellMutex_);
  if (timeout.count() > 0) bell_.wait_for(lock, timeout, [this] { return rung_; });
  rung_ = false;
}

void Ui::WakeRun() {
  {
    std::lock_guard lock(bellMutex_);
    rung_ = true;
  }
  bell_.notify_one();
}

namespace {

// Automatic goes to workers when a run's operations take longer than this
// (a local disk answers in microseconds, a file server in a round trip).
constexpr auto kSlowOperation = std::chrono::microseconds(200);
// Automatic decides after this many items, or this long, whichever first.
constexpr std::size_t kSampleItems = 8;
constexpr auto kSampleTime = std::chrono::milliseconds(100);
// The window's events are let through at least this often: well inside the
// 50 ms a person notices, with room for a burst of outcomes to record.
constexpr auto kLive = std::chrono::milliseconds(20);
// How often the speed is shown.
constexpr auto kSpeedEvery = std::chrono::seconds(1);
// A chain starts only this far ahead of the first item not yet recorded,
// so the outcomes waiting for their turn stay few and a Stop has little
// left to record.
constexpr std::size_t kAhead = 4096;
constexpr std::uint32_t kEnd = UINT32_MAX;
// A long item's outcomes go to the window's thread this many at a time.
constexpr std::size_t kStreamBatch = 64;
// A run on the window's thread records its outcomes at most this many at a
// time (see OutcomeBatch).
constexpr std::size_t kRecordBatch = 64;

// The time per operation of the items done so far, an outcome counting as
// one operation; the median, so one slow first item decides nothing.
class OperationSampler {
 public:
  void Add(Clock::duration took, std::size_t outcomes) {
    samples_.push_back(took / static_cast<long>(std::max<std::size_t>(1, outcomes)));
    total_ += took;
  }
  bool Enough() const { return samples_.size() >= kSampleItems || total_ >= kSampleTime; }
  bool Slow() {
    if (samples_.empty()) return false;
    auto middle = samples_.begin() + static_cast<long>(samples_.size() / 2);
    std::nth_element(samples_.begin(), middle, samples_.end());
    return *middle > kSlowOperation;
  }

 private:
  std::vector<Clock::duration> samples_;
  Clock::duration total_{};
};

// Operations per second and the time left, from the outcomes and items
// recorded since the run began.
// Asked after every item: on the coarse clock.
class SpeedShow {
 public:
  SpeedShow(Ui& ui, std::size_t items) : ui_(ui), items_(items), start_(CoarseClock::now()), last_(start_) {}
  void Outcome() { ++outcomes_; }
  void Item(std::size_t done) {
    const CoarseClock::time_point now = CoarseClock::now();
    if (now - last_ < kSpeedEvery) return;
    last_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double left = done == 0 ? -1 : seconds * static_cast<double>(items_ - done) / static_cast<double>(done);
    ui_.RunSpeed(static_cast<double>(outcomes_) / seconds, left);
  }
  bool Due(CoarseClock::time_point now) const { return now - last_ >= kSpeedEvery; }

 private:
  Ui& ui_;
  std::size_t items_;
  CoarseClock::time_point start_, last_;
  std::size_t outcomes_ = 0;
};

class WorkerPool {
 public:
  // `keys[skip + i]` is the chain of item `from + i`.
  WorkerPool(Ui& ui, const RunPlan& plan, std::size_t from, int jobs, const std::vector<std::uint64_t>& keys,
             std::size_t skip)
      : ui_(ui), plan_(plan), from_(from), count_(plan.itemCount - from) {
    const std::size_t before = plan.stoppable ? ui.StopBefore() : static_cast<std::size_t>(-1);
    stopAt_ = before <= from ? 0 : std::min(count_, before - from);
    BuildChains(keys, skip);
    if (plan.chains.phases) BuildPhases(plan.chains.phases(from));
    const std::size_t workers = std::min<std::size_t>(static_cast<std::size_t>(jobs), heads_.size());
    slots_.resize(count_);
    done_.assign(count_, 0);
    std::vector<ItemWork> works;
    for (std::size_t w = 0; w < workers; ++w) works.push_back(plan.chains.worker());
    running_ = static_cast<int>(workers);
    for (ItemWork& work : works) threads_.emplace_back([this, work = std::move(work)] { Work(work); });
  }
  ~WorkerPool() {
    Halt();
    for (std::thread& t : threads_) t.join();
  }
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Waits for item `f` to move on. The flag goes up before the last look,
  // so a worker handing something on either is seen by that look or sees
  // the flag and rings.
  template <class Live>
  void Sleep(std::size_t f, const Live& live) {
    recorderWaits_.store(true);
    bool moved = false;
    {
      std::lock_guard lock(mutex_);
      moved = !slots_[f].empty() || done_[f] != 0 || running_ == 0;
    }
    if (!moved) live(kLive);
    recorderWaits_.store(false);
  }

  // Records every item in order on the calling (window's) thread; an item
  // that no worker started is counted as not processed.
  ExecutorReport Record(const OutcomeSink& sink, ProgressMeter& meter, bool ownUnits, SpeedShow& speed) {
    ExecutorReport report;
    Clock::time_point lived = Clock::now();
    const auto live = [&](std::chrono::milliseconds wait) {
      ui_.AwaitRun(wait);
      lived = Clock::now();
      if (plan_.stoppable && ui_.StopRequested()) Halt();
    };
    for (std::size_t f = 0; f < count_;) {
      std::vector<ItemOutcome> got;
      bool finished = false, unstarted = false;
      {
        std::lock_guard lock(mutex_);
        got.swap(slots_[f]);
        finished = done_[f] != 0;
        unstarted = !finished && got.empty() && running_ == 0;
      }
      for (ItemOutcome& outcome : got) {
        speed.Outcome();
        // The workers wait while a message is open, as a serial run would.
        const bool message = outcome.message.has_value();
        if (message) Pause(true);
        sink(std::move(outcome));
        if (message) Pause(false);
      }
      if (!finished && !unstarted) {
        // The item goes on: what it has done so far is recorded.
        if (got.empty())
          Sleep(f, live);
        else if (Clock::now() - lived >= kLive)
          live(std::chrono::milliseconds(0));
        continue;
      }
      if (finished)
        ++report.handled;
      else
        ++report.notProcessed;
      ++f;
      frontier_.store(f, std::memory_order_release);
      if (f % 256 == 0) wake_.notify_all();
      if (!ownUnits) meter.Reach(from_ + f);
      speed.Item(from_ + f);
      // Asked once per item, as a serial run asks: a script's "stop N" means
      // the same whatever the number of workers.
      if (plan_.stoppable && ui_.StopRequested()) Halt();
      if (Clock::now() - lived >= kLive) live(std::chrono::milliseconds(0));
    }
    {
      std::lock_guard lock(mutex_);
      if (error_) std::rethrow_exception(error_);
    }
    return report;
  }

 private:
  void BuildChains(const std::vector<std::uint64_t>& keys, std::size_t skip) {
    next_.assign(count_, kEnd);
    std::unordered_map<std::uint64_t, std::uint32_t> last;
    last.reserve(count_);
    for (std::size_t i = 0; i < count_; ++i) {
      const auto [it, fresh] = last.try_emplace(keys[skip + i], static_cast<std::uint32_t>(i));
      if (fresh) {
        heads_.push_back(static_cast<std::uint32_t>(i));
      } else {
        next_[it->second] = static_cast<std::uint32_t>(i);
        it->second = static_cast<std::uint32_t>(i);
      }
    }
  }

  void BuildPhases(std::vector<std::uint32_t> phases) {
    if (phases.size() != count_) return;
    for (const std::uint32_t phase : phases) {
      if (phase >= phaseSize_.size()) phaseSize_.resize(phase + 1, 0);
      ++phaseSize_[phase];
    }
    phaseDone_.assign(phaseSize_.size(), 0);
    phases_ = std::move(phases);
    Settle();
  }

  std::uint32_t PhaseOf(std::uint32_t item) const { return phases_.empty() ? 0 : phases_[item]; }
  // Called with the lock held: counts the phases now wholly done.
  void Settle() {
    while (phasesDone_ < phaseSize_.size() && phaseDone_[phasesDone_] == phaseSize_[phasesDone_]) ++phasesDone_;
  }

  void Halt() {
    {
      std::lock_guard lock(mutex_);
      halted_ = true;
    }
    wake_.notify_all();
  }

  void Pause(bool paused) {
    {
      std::lock_guard lock(mutex_);
      paused_ = paused;
    }
    if (!paused) wake_.notify_all();
  }

  void Work(const ItemWork& work) {
    for (;;) {
      std::uint32_t item = kEnd;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] {
          return halted_ || headAt_ == heads_.size() ||
                 (!paused_ && heads_[headAt_] <= frontier_.load(std::memory_order_acquire) + kAhead &&
                  PhaseOf(heads_[headAt_]) <= phasesDone_);
        });
        if (!halted_ && headAt_ < heads_.size() && heads_[headAt_] < stopAt_) item = heads_[headAt_++];
      }
      if (item == kEnd) break;
      if (!Chain(work, item)) break;
    }
    {
      std::lock_guard lock(mutex_);
      --running_;
    }
    Ring();
  }

  // Wakes the window's thread only when it sleeps: a wake per item would
  // cost more than a small item.
  void Ring() {
    if (recorderWaits_.load()) ui_.WakeRun();
  }

  // One chain, in item order; false when the run is halted.
  bool Chain(const ItemWork& work, std::uint32_t item) {
    for (; item != kEnd && item < stopAt_; item = next_[item]) {
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return halted_ || !paused_; });
        if (halted_) return false;
      }
      // Kept here while items before it are still going; once it is the
      // first not recorded, each outcome goes on at once, so a long item
      // reaches the Visual Log and the journal as it goes.
      std::vector<ItemOutcome> got;
      const OutcomeSink sink = [&](ItemOutcome&& outcome) {
        got.push_back(std::move(outcome));
        // Handed on in batches: an item of a few outcomes goes whole.
        if (got.size() < kStreamBatch || item != frontier_.load(std::memory_order_acquire)) return;
        {
          std::lock_guard lock(mutex_);
          for (ItemOutcome& kept : got) slots_[item].push_back(std::move(kept));
        }
        got.clear();
        Ring();
      };
      try {
        work(from_ + item, sink);
      } catch (...) {
        // What the item did before it failed is recorded; nothing starts after.
        std::lock_guard lock(mutex_);
        if (!error_) error_ = std::current_exception();
        for (ItemOutcome& kept : got) slots_[item].push_back(std::move(kept));
        done_[item] = 1;
        halted_ = true;
        wake_.notify_all();
        return false;
      }
      bool phaseEnded = false;
      {
        std::lock_guard lock(mutex_);
        if (slots_[item].empty())
          slots_[item] = std::move(got);
        else
          for (ItemOutcome& kept : got) slots_[item].push_back(std::move(kept));
        done_[item] = 1;
        if (!phases_.empty()) {
          const std::size_t before = phasesDone_;
          ++phaseDone_[phases_[item]];
          Settle();
          phaseEnded = phasesDone_ != before;
        }
      }
      if (phaseEnded) wake_.notify_all();
      if (item == frontier_.load(std::memory_order_acquire)) Ring();
    }
    return true;
  }

  Ui& ui_;
  const RunPlan& plan_;
  std::size_t from_, count_;
  // A script's Stop: no item from here on starts.
  std::size_t stopAt_ = 0;
  std::vector<std::uint32_t> heads_, next_;
  std::vector<std::vector<ItemOutcome>> slots_;
  std::vector<std::uint8_t> done_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::size_t headAt_ = 0;
  std::vector<std::uint32_t> phases_;
  std::vector<std::size_t> phaseSize_, phaseDone_;
  std::size_t phasesDone_ = 0;
  std::atomic<std::size_t> frontier_{0};
  bool halted_ = false, paused_ = false;
  std::atomic<bool> recorderWaits_{false};
  int running_ = 0;
  std::exception_ptr error_;
  std::vector<std::thread> threads_;
};

// The outcomes of a run on the window's thread, recorded a few dozen at a
// time. Each system call here switches page tables, so an outcome recorded
// right after its call found the lists, the log and the journal cold every
// time; in a row they stay warm. Nothing waits once the outcomes come slowly
// (the coarse clock moved since the last look: a file server, a large
// file), and an outcome with a message is recorded at once after those
// before it, so the run waits while the message is open.
class OutcomeBatch {
 public:
  explicit OutcomeBatch(const OutcomeSink& sink) : sink_(sink) { waiting_.reserve(kRecordBatch); }
  OutcomeBatch(const OutcomeBatch&) = delete;
  OutcomeBatch& operator=(const OutcomeBatch&) = delete;

  void Add(ItemOutcome&& outcome) {
    if (outcome.message) {
      Flush();
      sink_(std::move(outcome));
      return;
    }
    waiting_.push_back(std::move(outcome));
    if (waiting_.size() == kRecordBatch) Flush();
    else Look(CoarseClock::now());
  }
  void Look(CoarseClock::time_point now) {
    if (now == last_) return;
    last_ = now;
    Flush();
  }
  // Each outcome is taken before it is recorded: one whose recording throws
  // is not recorded again by the Flush after it.
  void Flush() {
    while (next_ < waiting_.size()) sink_(std::move(waiting_[next_++]));
    waiting_.clear();
    next_ = 0;
  }

 private:
  const OutcomeSink& sink_;
  std::vector<ItemOutcome> waiting_;
  std::size_t next_ = 0;
  CoarseClock::time_point last_{};
};

}  // namespace

ExecutorReport ExecuteItems(Ui& ui, const RunPlan& plan, const OutcomeSink& sink, ProgressMeter& meter,
                            bool ownUnits, int jobs) {
  ExecutorReport report;
  SpeedShow speed(ui, plan.itemCount);
  const bool chains = plan.chains.worker && plan.chains.keys && plan.itemCount <= kEnd;
  // A Stop ends the run between items: a person's when it comes, a
  // script's at the item it named.
  const std::size_t stopBefore = plan.stoppable ? ui.StopBefore() : static_cast<std::size_t>(-1);
  const auto stopped = [&](std::size_t done) {
    return plan.stoppable && (done >= stopBefore || ui.StopRequested());
  };
  // One at a time the window's thread does the items itself, letting the
  // window's events through between them: on a local disk a second thread
  // costs more than the calls (measured: a worker handing its outcomes to
  // the window's thread made 100,000 folders 35 % slower).
  int workers = chains && jobs != kAutomaticJobs ? jobs : 1;
  bool sampling = chains && jobs == kAutomaticJobs;
  OperationSampler sampler;
  std::size_t outcomes = 0;
  OutcomeBatch batch(sink);
  const OutcomeSink counted = [&](ItemOutcome&& outcome) {
    ++outcomes;
    speed.Outcome();
    batch.Add(std::move(outcome));
  };
  std::vector<std::uint64_t> keys;
  bool keyed = false;
  std::size_t done = 0;
  try {
    while (done < plan.itemCount && !stopped(done)) {
      if (workers > 1 && !keyed) {
        keys = plan.chains.keys(done);
        keyed = true;
        // The items cannot be told apart by their folders: one at a time.
        if (keys.size() != plan.itemCount - done) workers = 1;
      }
      // Until the folder the chains part at is there, the items that make it
      // go alone, as one at a time would make it.
      if (workers > 1 && (!plan.chains.ready || plan.chains.ready())) {
        batch.Flush();
        WorkerPool pool(ui, plan, done, workers, keys, done - (plan.itemCount - keys.size()));
        const ExecutorReport rest = pool.Record(sink, meter, ownUnits, speed);
        report.handled = done + rest.handled;
        report.notProcessed = rest.notProcessed;
        return report;
      }
      const Clock::time_point start = sampling ? Clock::now() : Clock::time_point{};
      outcomes = 0;
      plan.work(done, counted);
      ++done;
      if (sampling) {
        sampler.Add(Clock::now() - start, plan.chains.operations ? plan.chains.operations(done - 1) : outcomes);
        if (sampler.Enough()) {
          sampling = false;
          if (sampler.Slow()) workers = kAutomaticSlowJobs;
        }
      }
      if (!ownUnits) meter.Reach(done);
      const CoarseClock::time_point now = CoarseClock::now();
      batch.Look(now);
      if (speed.Due(now)) speed.Item(done);
      ui.Repaint();
    }
    batch.Flush();
  } catch (...) {
    // What was done before the failure is recorded all the same.
    batch.Flush();
    throw;
  }
  report.handled = done;
  report.notProcessed = plan.itemCount - done;
  return report;
}

}  // namespace quillory
