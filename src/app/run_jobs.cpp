#include "app/run_jobs.h"

#include <algorithm>
#include <atomic>

namespace quillory {

namespace {
std::atomic<int> jobs{kAutomaticJobs};
}

int RunJobs() { return jobs.load(std::memory_order_relaxed); }

void SetRunJobs(int value) { jobs.store(std::clamp(value, kAutomaticJobs, kMaxJobs), std::memory_order_relaxed); }

}  // namespace quillory
