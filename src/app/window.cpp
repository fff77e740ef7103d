#include "app/window.h"

#include <stdexcept>

namespace quillory {

void Window::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  captionChanged.Emit();
}

void Window::SetShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  shownChanged.Emit(shown);
}

Control* Window::Find(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

bool Window::Invoke(std::string_view handler) {
  auto it = handlers_.find(handler);
  if (it == handlers_.end()) return false;
  it->second();
  return true;
}

void Window::Handler(std::string name, std::function<void()> fn) { handlers_[std::move(name)] = std::move(fn); }

void Window::Register(std::unique_ptr<Control> control) {
  if (byName_.count(control->Name())) throw std::logic_error("duplicate control name " + control->Name());
  byName_.emplace(control->Name(), control.get());
  order_.push_back(control.get());
  owned_.push_back(std::move(control));
}

}  // namespace quillory
