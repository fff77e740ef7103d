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
class SpeedShow {
 public:
  SpeedShow(Ui& ui, std::size_t items) : ui_(ui), items_(items), start_(Clock::now()), last_(start_) {}
  void Outcome() { ++outcomes_; }
  void Item(std::size_t done) {
    const Clock::time_point now = Clock::now();
    if (now - last_ < kSpeedEvery) return;
    last_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double left = done == 0 ? -1 : seconds * static_cast<double>(items_ - done) / static_cast<double>(done);
    ui_.RunSpeed(static_cast<double>(outcomes_) / seconds, left);
  }
  bool Due() const { return Clock::now() - last_ >= kSpeedEvery; }

 private:
  Ui& ui_;
  std::size_t items_;
  Clock::time_point start_, last_;
  std::size_t outcomes_ = 0;
};

class WorkerPool {
 public:
  // `keys[skip + i]` is the chain of item `from + i`.
  WorkerPool(Ui& ui, const RunPlan& plan, std::size_t from, int jobs, const std::vector<std::uint64_t>& keys,
             std::size_t skip)
      : ui_(ui), plan_(plan), from_(from), count_(plan.itemCount - from) {
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

  int Workers() const { return static_cast<int>(threads_.size()); }

  // Records every item in order on the calling (window's) thread; an item
  // that no worker started is counted as not processed.
  ExecutorReport Record(const OutcomeSink& sink, ProgressMeter& meter, bool ownUnits, SpeedShow& speed) {
    ExecutorReport report;
    report.workers = Workers();
    Clock::time_point lived = Clock::now();
    const auto live = [&](std::chrono::milliseconds wait) {
      ui_.AwaitRun(wait);
      lived = Clock::now();
      if (plan_.stoppable && ui_.StopRequested()) Halt();
    };
    for (std::size_t f = 0; f < count_;) {
      std::vector<ItemOutcome> got;
      bool have = false, unstarted = false;
      {
        std::lock_guard lock(mutex_);
        if (done_[f] != 0) {
          got = std::move(slots_[f]);
          have = true;
        } else if (running_ == 0) {
          unstarted = true;
        }
      }
      if (!have && !unstarted) {
        live(kLive);
        continue;
      }
      if (have) {
        for (ItemOutcome& outcome : got) {
          speed.Outcome();
          // The workers wait while a message is open, as a serial run would.
          const bool message = outcome.message.has_value();
          if (message) Pause(true);
          sink(std::move(outcome));
          if (message) Pause(false);
        }
        ++report.handled;
      } else {
        ++report.notProcessed;
      }
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
        if (!halted_ && headAt_ < heads_.size()) item = heads_[headAt_++];
      }
      if (item == kEnd) break;
      if (!Chain(work, item)) break;
    }
    {
      std::lock_guard lock(mutex_);
      --running_;
    }
    ui_.WakeRun();
  }

  // One chain, in item order; false when the run is halted.
  bool Chain(const ItemWork& work, std::uint32_t item) {
    for (; item != kEnd; item = next_[item]) {
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return halted_ || !paused_; });
        if (halted_) return false;
      }
      std::vector<ItemOutcome> got;
      try {
        work(from_ + item, [&](ItemOutcome&& outcome) { got.push_back(std::move(outcome)); });
      } catch (...) {
        // What the item did before it failed is recorded; nothing starts after.
        std::lock_guard lock(mutex_);
        if (!error_) error_ = std::current_exception();
        slots_[item] = std::move(got);
        done_[item] = 1;
        halted_ = true;
        wake_.notify_all();
        return false;
      }
      bool phaseEnded = false;
      {
        std::lock_guard lock(mutex_);
        slots_[item] = std::move(got);
        done_[item] = 1;
        if (!phases_.empty()) {
          const std::size_t before = phasesDone_;
          ++phaseDone_[phases_[item]];
          Settle();
          phaseEnded = phasesDone_ != before;
        }
      }
      if (phaseEnded) wake_.notify_all();
      if (item == frontier_.load(std::memory_order_acquire)) ui_.WakeRun();
    }
    return true;
  }

  Ui& ui_;
  const RunPlan& plan_;
  std::size_t from_, count_;
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
  int running_ = 0;
  std::exception_ptr error_;
  std::vector<std::thread> threads_;
};

}  // namespace

ExecutorReport ExecuteItems(Ui& ui, const RunPlan& plan, const OutcomeSink& sink, ProgressMeter& meter,
                            bool ownUnits, int jobs) {
  ExecutorReport report;
  bool chains = plan.chains.worker && plan.chains.keys && plan.itemCount <= kEnd;
  int workers = jobs == kAutomaticJobs ? 1 : jobs;
  bool decided = jobs != kAutomaticJobs || !chains;
  OperationSampler sampler;
  SpeedShow speed(ui, plan.itemCount);
  std::size_t outcomes = 0;
  const OutcomeSink counted = [&](ItemOutcome&& outcome) {
    ++outcomes;
    speed.Outcome();
    sink(std::move(outcome));
  };
  std::vector<std::uint64_t> keys;
  std::size_t keysFrom = 0;
  bool keyed = false;
  std::size_t done = 0;
  while (done < plan.itemCount && !(plan.stoppable && ui.StopRequested())) {
    if (chains && workers > 1 && !keyed) {
      keys = plan.chains.keys(done);
      keysFrom = done;
      keyed = true;
      // The items cannot be told apart by their folders: serial to the end.
      chains = keys.size() == plan.itemCount - done;
    }
    if (chains && workers > 1 && (!plan.chains.ready || plan.chains.ready())) {
      WorkerPool pool(ui, plan, done, workers, keys, done - keysFrom);
      const ExecutorReport rest = pool.Record(sink, meter, ownUnits, speed);
      report.handled = done + rest.handled;
      report.notProcessed = rest.notProcessed;
      report.workers = rest.workers;
      return report;
    }
    const Clock::time_point start = decided ? Clock::time_point{} : Clock::now();
    outcomes = 0;
    plan.work(done, counted);
    ++done;
    if (!decided) {
      sampler.Add(Clock::now() - start, plan.chains.operations ? plan.chains.operations(done - 1) : outcomes);
      if (sampler.Enough()) {
        decided = true;
        if (sampler.Slow()) workers = kAutomaticSlowJobs;
      }
    }
    if (!ownUnits) meter.Reach(done);
    if (speed.Due()) speed.Item(done);
    ui.Repaint();
  }
  report.handled = done;
  report.notProcessed = plan.itemCount - done;
  return report;
}

}  // namespace quillory
