// The warning after an undo that left some entries: a heading, then the
// paths by what kept them, in item order. Each undo names its own sections.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "app/run_frame.h"

namespace quillory {

class UndoReport {
 public:
  // Section titles for outcomes AlreadyExists, NotFound and Other.
  UndoReport(std::string heading, std::string exists, std::string missing, std::string other)
      : heading_(std::move(heading)), titles_{std::move(exists), std::move(missing), std::move(other)} {}

  void Add(const ItemOutcome& outcome) {
    std::size_t section = 0;
    switch (outcome.kind) {
      case OutcomeKind::Done: return;
      case OutcomeKind::AlreadyExists: section = 0; break;
      case OutcomeKind::NotFound: section = 1; break;
      case OutcomeKind::Other: section = 2; break;
    }
    (paths_[section] += outcome.path) += '\n';
  }
  bool Empty() const { return paths_[0].empty() && paths_[1].empty() && paths_[2].empty(); }
  std::string Text() const {
    std::string report = heading_;
    for (std::size_t i = 0; i < 3; ++i)
      if (!paths_[i].empty()) (report += titles_[i]) += paths_[i];
    return report;
  }

 private:
  std::string heading_;
  std::string titles_[3];
  std::string paths_[3];
};

}  // namespace quillory
