// Every window the program has is a Window: named controls, named handlers,
// a caption and a shown state. The registry lets views, the automation driver
// and tests find a control or handler by the name the documents give it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.h"

namespace quillory {

enum class ModalResult { None, Ok, Cancel, Yes, No, Close };

class Window {
 public:
  Window(std::string className, std::string caption) : className_(std::move(className)), caption_(std::move(caption)) {}
  virtual ~Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& ClassName() const { return className_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Shown() const { return shown_; }
  void SetShown(bool shown);

  // Control lookup by name; nullptr when the window has none of that name.
  Control* Find(std::string_view name) const;
  template <class T>
  T* FindAs(std::string_view name) const {
    return dynamic_cast<T*>(Find(name));
  }
  // Controls in registration order (the documented order of the window).
  const std::vector<Control*>& Controls() const { return order_; }

  // Named handlers beyond control clicks (FormActivate, FormClose, ...).
  bool Invoke(std::string_view handler);

  // Set by the code that shows the window modally (OK and Cancel buttons).
  ModalResult modalResult = ModalResult::None;

  Signal<> captionChanged;
  Signal<bool> shownChanged;

  // Makes a control owned by the window and registers it under its name.
  // Public so that a page's part (a list panel, a page model) can register
  // its controls on the window that shows them.
  template <class T, class... Args>
  T& Make(Args&&... args) {
    auto owned = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *owned;
    Register(std::move(owned));
    return ref;
  }

 protected:
  void Handler(std::string name, std::function<void()> fn);

 private:
  void Register(std::unique_ptr<Control> control);

  std::string className_;
  std::string caption_;
  bool shown_ = false;
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> order_;
  std::map<std::string, Control*, std::less<>> byName_;
  std::map<std::string, std::function<void()>, std::less<>> handlers_;
};

}  // namespace quillory
