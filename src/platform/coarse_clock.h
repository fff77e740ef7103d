// A clock for "is it time yet" questions asked after every item of a run:
// a few milliseconds coarse, and a fifth of the precise clock's cost, which
// on a run of small items was as much as the item's own bookkeeping.
#pragma once

#include <time.h>

#include <chrono>

namespace quillory {

struct CoarseClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<CoarseClock>;
  static constexpr bool is_steady = true;
  static time_point now() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return time_point(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec));
  }
};

}  // namespace quillory
