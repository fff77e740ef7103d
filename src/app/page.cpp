#include "app/page.h"

#include <stdexcept>
#include <string>

namespace quillory {

namespace {

constexpr bool TablesAgree() {
  for (std::size_t i = 0; i < kPageCount; ++i)
    if (static_cast<std::size_t>(kPages[i].key) != i) return false;
  for (std::size_t i = 0; i < kOperationPageCount; ++i)
    if (PageOf(kOperationPages[i]).operationIndex != static_cast<int>(i)) return false;
  for (std::size_t i = 0; i < kPanelPageCount; ++i)
    if (PageOf(kPanelPages[i]).panelIndex != static_cast<int>(i)) return false;
  return true;
}
static_assert(TablesAgree(), "page descriptors and their subsystem orders disagree");

}  // namespace

std::size_t OperationIndex(PageKey key) {
  const int index = PageOf(key).operationIndex;
  if (index < 0) throw std::logic_error("page " + std::string(PageOf(key).name) + " has no Visual Log");
  return static_cast<std::size_t>(index);
}

std::size_t PanelIndex(PageKey key) {
  const int index = PageOf(key).panelIndex;
  if (index < 0) throw std::logic_error("page " + std::string(PageOf(key).name) + " has no list panel");
  return static_cast<std::size_t>(index);
}

}  // namespace quillory
