// Minimal observer list. A Connection removes its listener when it goes, so a
// view that dies never leaves a dangling callback in the model.
#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace quillory {

class Connection {
 public:
  Connection() = default;
  explicit Connection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
  Connection(Connection&& o) noexcept : disconnect_(std::exchange(o.disconnect_, nullptr)) {}
  Connection& operator=(Connection&& o) noexcept {
    if (this != &o) {
      Disconnect();
      disconnect_ = std::exchange(o.disconnect_, nullptr);
    }
    return *this;
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { Disconnect(); }
  void Disconnect() {
    if (disconnect_) std::exchange(disconnect_, nullptr)();
  }

 private:
  std::function<void()> disconnect_;
};

template <class... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  [[nodiscard]] Connection Connect(Slot slot) {
    const int id = state_->nextId++;
    state_->entries.emplace_back(id, std::move(slot));
    std::weak_ptr<State> weak = state_;
    return Connection([weak, id] {
      if (auto s = weak.lock()) {
        for (auto& entry : s->entries)
          if (entry.first == id) entry.second = nullptr;
        s->dirty = true;
      }
    });
  }

  void Emit(Args... args) const {
    // Most models have no view: a run adding a million rows pays nothing.
    if (state_->entries.empty()) return;
    // Index loop: a slot may connect or disconnect others while we emit.
    auto keep = state_;
    for (std::size_t i = 0; i < keep->entries.size(); ++i) {
      if (keep->entries[i].second) {
        auto slot = keep->entries[i].second;
        slot(args...);
      }
    }
    if (keep->dirty) {
      std::erase_if(keep->entries, [](const auto& e) { return !e.second; });
      keep->dirty = false;
    }
  }

 private:
  struct State {
    std::vector<std::pair<int, Slot>> entries;
    int nextId = 0;
    bool dirty = false;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace quillory
