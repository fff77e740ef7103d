#pragma once

#include <memory>
#include <optional>
#include <utility>

namespace quillory {

// An optional value kept on the heap: for a large part that is seldom
// there, so the object holding it stays small where it is moved often and
// pays an allocation only when the part is there. Reads as std::optional.
template <class T>
class Boxed {
 public:
  Boxed() = default;
  Boxed(const Boxed& other) : held_(other.held_ ? std::make_unique<T>(*other.held_) : nullptr) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) {
    if (this != &other) held_ = other.held_ ? std::make_unique<T>(*other.held_) : nullptr;
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;
  Boxed& operator=(std::nullopt_t) {
    held_.reset();
    return *this;
  }
  Boxed& operator=(T value) {
    held_ = std::make_unique<T>(std::move(value));
    return *this;
  }

  bool has_value() const { return held_ != nullptr; }
  explicit operator bool() const { return held_ != nullptr; }
  T& operator*() { return *held_; }
  const T& operator*() const { return *held_; }
  T* operator->() { return held_.get(); }
  const T* operator->() const { return held_.get(); }

 private:
  std::unique_ptr<T> held_;
};

}  // namespace quillory
