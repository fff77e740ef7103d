#include "app/controls.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/text.h"

namespace quillory {

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Notify(ControlChange::Enabled);
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Notify(ControlChange::Visible);
}

void Control::SetHint(std::string hint) {
  if (hint_ == hint) return;
  hint_ = std::move(hint);
  Notify(ControlChange::Hint);
}

void Control::SetFocus() {
  static std::uint64_t requests = 0;  // the models live on one thread
  ++focusRequests_;
  focusStamp_ = ++requests;
  Notify(ControlChange::Focus);
}

void Captioned::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  Notify(ControlChange::Caption);
}

void Captioned::SetColor(Color color) {
  if (color_ == color) return;
  color_ = color;
  Notify(ControlChange::Color);
}

bool Button::Click() {
  if (!Enabled() || !Visible()) return false;
  if (onClick) onClick();
  return true;
}

int UpDown::Position() const {
  const std::string text = Trim(associate_.Text());
  long value = min_;
  if (!text.empty()) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() && errno == 0) value = parsed;
  }
  return static_cast<int>(std::clamp<long>(value, min_, max_));
}

bool UpDown::Click(bool up) {
  if (!Enabled() || !Visible()) return false;
  int next = Position() + (up ? 1 : -1);
  if (next > max_) next = wrap_ ? min_ : max_;
  if (next < min_) next = wrap_ ? max_ : min_;
  associate_.UserSetText(std::to_string(next));
  if (onClick) onClick();
  return true;
}

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(ControlChange::Checked);
}

bool CheckBox::Click() {
  if (!Enabled() || !Visible()) return false;
  SetChecked(!checked_);
  if (onClick) onClick();
  return true;
}

RadioButton* RadioGroup::CheckedButton() const {
  for (auto* b : buttons_)
    if (b->Checked()) return b;
  return nullptr;
}

RadioButton::RadioButton(std::string name, std::string caption, RadioGroup* group)
    : Captioned(std::move(name), std::move(caption)), group_(group) {
  if (group_) group_->Add(this);
}

void RadioButton::SetChecked(bool checked) {
  if (checked && group_) {
    for (auto* other : group_->Buttons())
      if (other != this) other->SetChecked(false);
  }
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(ControlChange::Checked);
}

bool RadioButton::Click() {
  if (!Enabled() || !Visible()) return false;
  SetChecked(true);
  if (onClick) onClick();
  return true;
}

void Edit::SetText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Notify(ControlChange::Text);
}

void Edit::UserSetText(std::string text) {
  if (text_ == text) return;
  SetText(std::move(text));
  if (onChange) onChange();
}

void Edit::Exit() {
  if (onExit) onExit();
}

void Edit::PressEnter() {
  if (onEnter) onEnter();
}

void Memo::SetLines(std::vector<std::string> lines) {
  if (lines_ == lines) return;
  lines_ = std::move(lines);
  Notify(ControlChange::Items);
}

std::string Memo::Text() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i) out += '\n';
    out += lines_[i];
  }
  return out;
}

void Memo::SetText(std::string_view text) { SetLines(text.empty() ? std::vector<std::string>{} : SplitLines(text)); }

void Memo::UserSetText(std::string_view text) {
  std::vector<std::string> before = lines_;
  SetText(text);
  if (lines_ != before && onChange) onChange();
}

void Memo::UserClick(int caretLine) {
  caretLine_ = caretLine < 0 ? 0 : caretLine;
  if (onClick) onClick();
}

void ComboBox::SetText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  Notify(ControlChange::Text);
}

void ComboBox::SetItems(std::vector<std::string> items) {
  if (items_ == items) return;
  items_ = std::move(items);
  slots_.clear();
  indexed_ = 0;
  if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
  Notify(ControlChange::Items);
}

void ComboBox::AddItem(std::string item) {
  items_.push_back(std::move(item));
  Notify(ControlChange::Items);
}

void ComboBox::ClearItems() {
  if (items_.empty() && itemIndex_ == -1) return;
  items_.clear();
  slots_.clear();
  indexed_ = 0;
  itemIndex_ = -1;
  Notify(ControlChange::Items);
}

namespace {

std::size_t ExactHash(std::string_view s) { return std::hash<std::string_view>{}(s); }

}  // namespace

void ComboBox::IndexItem(std::size_t i) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = ExactHash(items_[i]) & mask;; at = (at + 1) & mask) {
    if (slots_[at] == 0) {
      slots_[at] = static_cast<std::uint32_t>(i + 1);
      return;
    }
    // A later repeat of a text stays out: IndexOf answers the first.
    if (items_[slots_[at] - 1] == items_[i]) return;
  }
}

// Items only ever join at the end or all go at once, so the index catches up
// by taking the items added since the last question.
void ComboBox::EnsureIndex() const {
  if (indexed_ == items_.size() && !slots_.empty()) return;
  if (slots_.empty() || items_.size() * 2 > slots_.size()) {
    std::size_t size = 16;
    while (size < items_.size() * 2 + 2) size *= 2;
    slots_.assign(size, 0);
    indexed_ = 0;
  }
  for (; indexed_ < items_.size(); ++indexed_) IndexItem(indexed_);
}

int ComboBox::IndexOf(std::string_view item) const {
  if (items_.empty()) return -1;
  EnsureIndex();
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = ExactHash(item) & mask; slots_[at] != 0; at = (at + 1) & mask)
    if (items_[slots_[at] - 1] == item) return static_cast<int>(slots_[at] - 1);
  return -1;
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  if (index >= 0) SetText(items_[index]);
  if (itemIndex_ == index) return;
  itemIndex_ = index;
  Notify(ControlChange::ItemIndex);
}

bool ComboBox::UserSelect(int index) {
  if (!Enabled() || index < 0 || index >= static_cast<int>(items_.size())) return false;
  SetItemIndex(index);
  if (onSelect) onSelect();
  return true;
}

void ComboBox::PressEnter() {
  if (onEnter) onEnter();
}

void ComboBox::UserSetText(std::string text) {
  if (text_ == text) return;
  SetText(std::move(text));
  int index = IndexOf(text_);
  if (index != itemIndex_) {
    itemIndex_ = index;
    Notify(ControlChange::ItemIndex);
  }
  if (onChange) onChange();
}

void ListView::SetColumns(std::vector<std::string> columns) {
  columns_ = std::move(columns);
  Notify(ControlChange::RowsReset);
}

void ListView::AddRow(std::vector<std::string> row) {
  rows_.push_back(std::move(row));
  Notify(ControlChange::RowsInserted, rows_.size() - 1, rows_.size() - 1);
}

void ListView::Clear() {
  if (rows_.empty()) return;
  rows_.clear();
  Notify(ControlChange::RowsReset);
}

bool PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return false;
  if (!pages_[index]->Enabled() && index != active_) return false;
  if (active_ == index) return true;
  active_ = index;
  Notify(ControlChange::ItemIndex);
  return true;
}

}  // namespace quillory
