// How many items of a run may be under way at once. Automatic starts every
// run serially, times its file-system operations and raises the number in
// flight only when they are slow (a file server, a slow disk): on a local
// disk a second thread would cost more than it saves.
#pragma once

#include <optional>
#include <string_view>

namespace quillory {

inline constexpr int kAutomaticJobs = 0;
inline constexpr int kMaxJobs = 64;
// What automatic raises to when the operations are slow.
inline constexpr int kAutomaticSlowJobs = 16;

// The person's choice, for every run of the process: kAutomaticJobs or
// 1..kMaxJobs. Set from the Misc menu, `--jobs N` or a script.
int RunJobs();
// Values out of range are brought into it (negative is automatic).
void SetRunJobs(int jobs);
// "auto" (or "automatic") or a whole number from 1 to kMaxJobs, as `--jobs`
// and scripts take it; nullopt for anything else.
std::optional<int> ParseRunJobs(std::string_view text);
extern const char* const kRunJobsUsage;

}  // namespace quillory
