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

namespace quillory {

class Ui;

struct MessageText {
  std::string text;
  std::string caption;
};

struct RunPlan {
  // Shows its own warning and returns false to end the handler unchanged.
  std::function<bool()> validate;
  MessageText confirm;                    // question, No is the default
  std::function<void()> prepare;          // Visual Log, counters, records
  std::size_t itemCount = 0;
  std::function<void(std::size_t)> work;  // one item; records its outcome
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

RunOutcome RunFrame(Ui& ui, PageControl& pages, TabSheet& page, const RunPlan& plan);

}  // namespace quillory
