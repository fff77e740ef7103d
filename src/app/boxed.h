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
  Boxed(std::nullopt_t) {}  // NOLINT: as optional converts
  Boxed(const T& value) : held_(std::make_unique<T>(value)) {}  // NOLINT
  Boxed(T&& value) : held_(std::make_unique<T>(std::move(value))) {}  // NOLINT
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
    emplace(std::move(value));
    return *this;
  }
  Boxed& operator=(std::optional<T> value) {
    if (value)
      emplace(std::move(*value));
    else
      held_.reset();
    return *this;
  }

  template <class... Args>
  T& emplace(Args&&... args) {
    held_ = std::make_unique<T>(std::forward<Args>(args)...);
    return *held_;
  }
  void reset() { held_.reset(); }

  bool has_value() const { return held_ != nullptr; }
  explicit operator bool() const { return held_ != nullptr; }
  T& operator*() { return *held_; }
  const T& operator*() const { return *held_; }
  T* operator->() { return held_.get(); }
  const T* operator->() const { return held_.get(); }

  friend bool operator==(const Boxed& a, const Boxed& b) {
    return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
  }
  friend bool operator==(const Boxed& a, std::nullopt_t) { return !a.has_value(); }

 private:
  std::unique_ptr<T> held_;
};

}  // namespace quillory
