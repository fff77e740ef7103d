#include "app/run_jobs.h"

#include <algorithm>
#include <atomic>
#include <charconv>

namespace quillory {

namespace {
std::atomic<int> jobs{kAutomaticJobs};
}

int RunJobs() { return jobs.load(std::memory_order_relaxed); }

std::optional<int> ParseRunJobs(std::string_view text) {
  if (text == "auto" || text == "automatic") return kAutomaticJobs;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxJobs) return std::nullopt;
  return value;
}

const char* const kRunJobsUsage = "auto or a number from 1 to 64";

void SetRunJobs(int value) { jobs.store(std::clamp(value, kAutomaticJobs, kMaxJobs), std::memory_order_relaxed); }

}  // namespace quillory
