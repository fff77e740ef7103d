// Controls are plain state with change notification. Views and the
// automation driver observe them; handlers change them. A setter that changes
// nothing notifies nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/signal.h"
#include "platform/case_blind_index.h"
#include "platform/text_list.h"

namespace quillory {

enum class ControlChange {
  Enabled,
  Visible,
  Hint,
  Focus,      // focus requested
  Caption,    // label/button/check box caption
  Color,
  Text,       // edit, combo box text
  Checked,
  Items,      // combo items, memo lines: replaced whole
  ItemIndex,
  RowsInserted,  // list box rows first..last inserted
  RowsRemoved,   // list box rows first..last removed
  RowsReset,     // list box content replaced whole
  Selection,
};

struct ControlEvent {
  ControlChange change;
  std::size_t first = 0;
  std::size_t last = 0;
};

enum class Color { Default, Green, Red, Maroon, DarkRed };

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  virtual const char* TypeName() const = 0;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  // Asks the view to move the keyboard focus here; the model keeps no focus
  // state of its own beyond the last request, which tests read.
  void SetFocus();
  int FocusRequests() const { return focusRequests_; }
  // When the last request was made, counted over all controls (0: never), so
  // that of a window's controls the one that asked last holds the focus.
  std::uint64_t FocusStamp() const { return focusStamp_; }

  Signal<const ControlEvent&> changed;

 protected:
  void Notify(ControlChange change, std::size_t first = 0, std::size_t last = 0) {
    changed.Emit(ControlEvent{change, first, last});
  }

 private:
  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
  std::string hint_;
  int focusRequests_ = 0;
  std::uint64_t focusStamp_ = 0;
};

class Captioned : public Control {
 public:
  Captioned(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  Color GetColor() const { return color_; }
  void SetColor(Color color);

 private:
  std::string caption_;
  Color color_ = Color::Default;
};

class Label : public Captioned {
 public:
  using Captioned::Captioned;
  explicit Label(std::string name) : Captioned(std::move(name), "") {}
  const char* TypeName() const override { return "Label"; }
  bool Centered() const { return centered_; }
  void SetCentered(bool centered) { centered_ = centered; }

 private:
  bool centered_ = false;
};

class Button : public Captioned {
 public:
  using Captioned::Captioned;
  const char* TypeName() const override { return "Button"; }
  std::function<void()> onClick;
  // What a user's click does: nothing when disabled or hidden.
  bool Click();
};

class CheckBox : public Captioned {
 public:
  using Captioned::Captioned;
  const char* TypeName() const override { return "CheckBox"; }
  bool Checked() const { return checked_; }
  // Programmatic: no handler runs.
  void SetChecked(bool checked);
  // A user's click: toggles and runs onClick.
  bool Click();
  std::function<void()> onClick;

 private:
  bool checked_ = false;
};

// Radio buttons of one group: checking one unchecks the others. The group is
// a plain list owned by the window.
class RadioButton;
class RadioGroup {
 public:
  void Add(RadioButton* button) { buttons_.push_back(button); }
  const std::vector<RadioButton*>& Buttons() const { return buttons_; }
  RadioButton* CheckedButton() const;

 private:
  std::vector<RadioButton*> buttons_;
};

class RadioButton : public Captioned {
 public:
  RadioButton(std::string name, std::string caption, RadioGroup* group);
  const char* TypeName() const override { return "RadioButton"; }
  bool Checked() const { return checked_; }
  // Checking unchecks the group's others; unchecking touches only this one.
  void SetChecked(bool checked);
  // A user's click: checks it and runs onClick.
  bool Click();
  std::function<void()> onClick;

 private:
  RadioGroup* group_;
  bool checked_ = false;
};

class Edit : public Control {
 public:
  using Control::Control;
  const char* TypeName() const override { return "Edit"; }
  const std::string& Text() const { return text_; }
  // Programmatic: no handler runs.
  void SetText(std::string text);
  // A user's edit: sets the text and, when it changed, runs onChange.
  void UserSetText(std::string text);
  std::function<void()> onChange;
  // A user leaving the field.
  void Exit();
  std::function<void()> onExit;
  // A user pressing Enter in the field (key 13).
  void PressEnter();
  std::function<void()> onEnter;

 private:
  std::string text_;
};

// The arrows beside a number field: a click steps the field's number by one
// within [min, max], wrapping at the ends when asked. A field that holds no
// number steps from min.
class UpDown : public Control {
 public:
  UpDown(std::string name, Edit& associate, int min, int max, bool wrap)
      : Control(std::move(name)), associate_(associate), min_(min), max_(max), wrap_(wrap) {}
  const char* TypeName() const override { return "UpDown"; }
  Edit& Associate() const { return associate_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  bool Wraps() const { return wrap_; }
  // The field's number as the arrows read it, kept within [min, max].
  int Position() const;
  // A user's click on the up or down arrow: sets the field's text as a user
  // edit (its onChange runs) and then runs onClick.
  bool Click(bool up);
  std::function<void()> onClick;

 private:
  Edit& associate_;
  int min_;
  int max_;
  bool wrap_;
};

class Memo : public Control {
 public:
  using Control::Control;
  const char* TypeName() const override { return "Memo"; }
  const std::vector<std::string>& Lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines);
  std::string Text() const;  // lines joined by "\n"
  void SetText(std::string_view text);
  // A user's typing: sets the text and, when it changed, runs onChange.
  void UserSetText(std::string_view text);
  std::function<void()> onChange;
  // The line the caret is on, counted from 0; a user's click reports it and
  // runs onClick.
  int CaretLine() const { return caretLine_; }
  void UserClick(int caretLine);
  std::function<void()> onClick;
  // Text shown for reading only (help pages) is read-only; an editor is not.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

 private:
  std::vector<std::string> lines_;
  int caretLine_ = 0;
  bool readOnly_ = true;
};

class ComboBox : public Control {
 public:
  using Control::Control;
  const char* TypeName() const override { return "ComboBox"; }
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  void AddItem(std::string item);
  void ClearItems();
  // First item of exactly this text; -1 when absent. O(1): a box that
  // collects every path typed into it must not scan them for each new one.
  int IndexOf(std::string_view item) const;
  int ItemIndex() const { return itemIndex_; }
  // Selecting an item also sets the text, as a drop-down list does.
  void SetItemIndex(int index);

  // A user picking an entry from the list: selects it and runs onSelect.
  bool UserSelect(int index);
  // A user typing into an editable combo box: runs onChange.
  void UserSetText(std::string text);
  // A user pressing Enter in an editable combo box.
  void PressEnter();
  std::function<void()> onSelect;
  std::function<void()> onChange;
  std::function<void()> onEnter;

 private:
  void IndexItem(std::size_t i) const;
  void EnsureIndex() const;

  std::string text_;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  // Open addressing over item positions (position + 1, 0 empty), holding the
  // first position of every distinct text; built on the first question.
  mutable std::vector<std::uint32_t> slots_;
  mutable std::size_t indexed_ = 0;  // items_[0, indexed_) are in slots_
};

// Ordered items with multi-selection and a case-folded index, so the
// membership test is O(1) however long the list grows. A sorted list keeps
// its items in case-blind order. Views scroll sideways as far as the widest
// item needs; the list itself knows nothing of pixels.
class ListBox : public Control {
 public:
  explicit ListBox(std::string name, bool sorted = false) : Control(std::move(name)), sorted_(sorted) {}
  const char* TypeName() const override { return "ListBox"; }

  bool Sorted() const { return sorted_; }
  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  std::string_view Item(std::size_t i) const { return items_[i]; }
  const TextList& Texts() const { return items_; }
  // A copy as strings, for the callers that keep or change them.
  std::vector<std::string> Items() const { return items_.Strings(); }

  // Case-blind whole-text membership. The index behind it is built on the
  // first question, so a list that is only shown never pays for one.
  bool Contains(std::string_view item) const;
  bool Contains(const FoldKey& key) const;
  // First index of an item equal case-blind; -1 when absent. O(1) when absent.
  long IndexOf(std::string_view item) const;

  // Returns the index the item landed at.
  std::size_t Add(std::string_view item);
  // The same without a copy of the bytes: a run's path that its records and
  // the list's twin keep too.
  std::size_t AddShared(const SharedText& item);
  // Appends many at once (sorted lists are re-sorted once): the way to fill a
  // list with a million items.
  void AddMany(std::vector<std::string> items);
  // Appends, in order, each item the list does not yet hold (case-blind; of
  // equal items in `items` only the first) and that `keep` accepts. One case
  // fold per item: the way to move a hundred thousand items between lists.
  // Returns how many were added.
  std::size_t AddNew(std::vector<std::string> items, const std::function<bool(const std::string&)>& keep = {});
  // The same with each item's FoldKeyOf already at hand (keys[i] for items[i]).
  std::size_t AddNewKeyed(std::vector<std::string> items, const std::vector<FoldKey>& keys);
  // Filling in batches, for imports that test every line against the list
  // and the lines before it: the key joins the index at once, so Contains
  // sees the item, and the item joins the list at FlushPending (one change
  // event for the batch). False, and nothing pending, when the list or the
  // batch holds the key already. Clear, SetItems and TakeItems drop what is
  // pending; so does DropPending.
  bool AddPending(std::string item, const FoldKey& key);
  std::size_t PendingCount() const { return pending_.size(); }
  void FlushPending();
  void DropPending();
  // Empties the list and hands its items over.
  std::vector<std::string> TakeItems();
  void Insert(std::size_t index, std::string_view item);  // unsorted lists only
  void Delete(std::size_t index);
  // Removes the given rows (any order, duplicates ignored) in one pass.
  void DeleteRows(std::vector<std::size_t> rows);
  void DeleteSelected();
  void Clear();
  void SetItems(std::vector<std::string> items);

  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multi) { multiSelect_ = multi; }
  bool Selected(std::size_t i) const { return i < selected_.size() && selected_[i]; }
  void SetSelected(std::size_t i, bool selected);
  void SelectAll();
  void ClearSelection();
  std::vector<std::size_t> SelectedRows() const;
  std::size_t SelectedCount() const { return selectedCount_; }
  long ItemIndex() const { return itemIndex_; }
  void SetItemIndex(long index);

 private:
  void Rebuild();
  std::size_t Place(std::string_view item) const;  // where Add puts it
  std::size_t Added(std::size_t at);  // the bookkeeping after an item landed at `at`
  void SortItems(bool reindex);
  // Sorts items_[first, end) and merges them into the sorted items before.
  void MergeSortedTail(std::size_t first);
  void EnsureIndex() const;
  std::size_t AddNewItems(std::vector<std::string> items, const std::vector<FoldKey>* keys,
                          const std::function<bool(const std::string&)>& keep);

  bool sorted_;
  bool multiSelect_ = true;
  TextList items_;
  std::vector<char> selected_;
  std::size_t selectedCount_ = 0;
  long itemIndex_ = -1;
  mutable CaseBlindIndex index_;
  mutable bool indexed_ = false;  // index_ holds every item (and every pending key)
  std::vector<std::string> pending_;
  std::vector<FoldKey> pendingKeys_;
};

// Rows of columns; cheap and simple, used by a few summary windows.
class ListView : public Control {
 public:
  using Control::Control;
  const char* TypeName() const override { return "ListView"; }
  const std::vector<std::string>& Columns() const { return columns_; }
  void SetColumns(std::vector<std::string> columns);
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  void AddRow(std::vector<std::string> row);
  void Clear();

 private:
  std::vector<std::string> columns_;
  std::vector<std::vector<std::string>> rows_;
};

class TabSheet : public Captioned {
 public:
  using Captioned::Captioned;
  const char* TypeName() const override { return "TabSheet"; }
};

class PageControl : public Control {
 public:
  using Control::Control;
  const char* TypeName() const override { return "PageControl"; }
  void AddPage(TabSheet* page) { pages_.push_back(page); }
  const std::vector<TabSheet*>& Pages() const { return pages_; }
  int ActivePageIndex() const { return active_; }
  // Refuses a disabled tab, as a user could not select it.
  bool SetActivePageIndex(int index);
  TabSheet* ActivePage() const { return active_ >= 0 ? pages_[active_] : nullptr; }

 private:
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

}  // namespace quillory
