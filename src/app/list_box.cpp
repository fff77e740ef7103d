#include "app/controls.h"

#include <algorithm>

#include "platform/path_text.h"
#include "platform/text.h"

namespace quillory {

void ListBox::EnsureIndex() const {
  if (indexed_) return;
  index_.Clear();
  index_.Reserve(items_.size());
  for (const std::string_view s : items_) index_.Add(FoldKeyOf(s));
  indexed_ = true;
}

bool ListBox::Contains(std::string_view item) const { return Contains(FoldKeyOf(item)); }

bool ListBox::Contains(const FoldKey& key) const {
  if (items_.empty() && pending_.empty()) return false;
  EnsureIndex();
  return index_.Contains(key);
}

long ListBox::IndexOf(std::string_view item) const {
  const FoldKey key = FoldKeyOf(item);
  if (!Contains(key)) return -1;
  if (sorted_) {
    auto it = std::lower_bound(items_.begin(), items_.end(), item,
                               [](std::string_view a, std::string_view b) { return CompareText(a, b) < 0; });
    // CompareText breaks ties by bytes, so equal-folded neighbours may sit
    // just before the bound; step back over them.
    while (it != items_.begin() && FoldKeyOf(*(it - 1)) == key) --it;
    for (; it != items_.end(); ++it)
      if (FoldKeyOf(*it) == key) return it - items_.begin();
  }
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (FoldKeyOf(items_[i]) == key) return static_cast<long>(i);
  return -1;
}

std::size_t ListBox::Place(std::string_view item) const {
  if (!sorted_) return items_.size();
  return std::upper_bound(items_.begin(), items_.end(), item,
                          [](std::string_view a, std::string_view b) { return CompareText(a, b) < 0; }) -
         items_.begin();
}

std::size_t ListBox::Add(std::string_view item) {
  const std::size_t at = Place(item);
  if (indexed_) index_.Add(FoldKeyOf(item));
  items_.insert(at, item);
  return Added(at);
}

std::size_t ListBox::AddShared(const SharedText& item) {
  const std::size_t at = Place(item.View());
  if (indexed_) index_.Add(FoldKeyOf(item.View()));
  items_.insert(at, item);
  return Added(at);
}

std::size_t ListBox::Added(std::size_t at) {
  if (at == selected_.size())
    selected_.push_back(0);
  else
    selected_.insert(selected_.begin() + static_cast<std::ptrdiff_t>(at), 0);
  if (itemIndex_ >= static_cast<long>(at)) ++itemIndex_;
  Notify(ControlChange::RowsInserted, at, at);
  return at;
}

void ListBox::AddMany(std::vector<std::string> items) {
  if (items.empty()) return;
  if (!sorted_) {
    if (indexed_)
      for (auto& s : items) index_.Add(FoldKeyOf(s));
    std::size_t first = items_.size();
    // Grows geometrically: a list filled in many batches must not be copied
    // whole for each one.
    if (items_.capacity() < items_.size() + items.size())
      items_.reserve(std::max(items_.size() + items.size(), items_.capacity() * 2));
    for (const std::string& s : items) items_.push_back(s);
    selected_.resize(items_.size(), 0);
    Notify(ControlChange::RowsInserted, first, items_.size() - 1);
    return;
  }
  const std::size_t first = items_.size();
  if (indexed_)
    for (auto& s : items) index_.Add(FoldKeyOf(s));
  for (const std::string& s : items) items_.push_back(s);
  MergeSortedTail(first);
  selected_.assign(items_.size(), 0);
  selectedCount_ = 0;
  itemIndex_ = -1;
  Notify(ControlChange::RowsReset);
}

std::size_t ListBox::AddNew(std::vector<std::string> items, const std::function<bool(const std::string&)>& keep) {
  return AddNewItems(std::move(items), nullptr, keep);
}

std::size_t ListBox::AddNewKeyed(std::vector<std::string> items, const std::vector<FoldKey>& keys) {
  return AddNewItems(std::move(items), &keys, {});
}

std::size_t ListBox::AddNewItems(std::vector<std::string> items, const std::vector<FoldKey>* keys,
                                 const std::function<bool(const std::string&)>& keep) {
  const std::size_t first = items_.size();
  EnsureIndex();
  index_.Reserve(index_.Distinct() + items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string& s = items[i];
    if (keep && !keep(s)) continue;
    if (!index_.Insert(keys ? (*keys)[i] : FoldKeyOf(s))) continue;
    items_.push_back(s);
  }
  const std::size_t added = items_.size() - first;
  if (!added) return 0;
  if (!sorted_) {
    selected_.resize(items_.size(), 0);
    Notify(ControlChange::RowsInserted, first, items_.size() - 1);
    return added;
  }
  MergeSortedTail(first);
  selected_.assign(items_.size(), 0);
  selectedCount_ = 0;
  itemIndex_ = -1;
  Notify(ControlChange::RowsReset);
  return added;
}

bool ListBox::AddPending(std::string item, const FoldKey& key) {
  EnsureIndex();
  if (!index_.Insert(key)) return false;
  pending_.push_back(std::move(item));
  pendingKeys_.push_back(key);
  return true;
}

void ListBox::FlushPending() {
  if (pending_.empty()) return;
  const std::size_t first = items_.size();
  if (items_.capacity() < first + pending_.size())
    items_.reserve(std::max(first + pending_.size(), items_.capacity() * 2));
  for (const std::string& s : pending_) items_.push_back(s);
  pending_.clear();
  pendingKeys_.clear();
  if (!sorted_) {
    selected_.resize(items_.size(), 0);
    Notify(ControlChange::RowsInserted, first, items_.size() - 1);
    return;
  }
  MergeSortedTail(first);
  selected_.assign(items_.size(), 0);
  selectedCount_ = 0;
  itemIndex_ = -1;
  Notify(ControlChange::RowsReset);
}

void ListBox::DropPending() {
  if (indexed_)
    for (const FoldKey& key : pendingKeys_) index_.Remove(key);
  pending_.clear();
  pendingKeys_.clear();
}

std::vector<std::string> ListBox::TakeItems() {
  DropPending();
  std::vector<std::string> out = items_.Strings();
  items_.clear();
  if (!out.empty()) {
    selected_.clear();
    index_.Clear();
    selectedCount_ = 0;
    itemIndex_ = -1;
    Notify(ControlChange::RowsReset);
  }
  return out;
}

void ListBox::Insert(std::size_t index, std::string_view item) {
  if (sorted_ || index >= items_.size()) {
    Add(item);
    return;
  }
  if (indexed_) index_.Add(FoldKeyOf(item));
  items_.insert(index, item);
  selected_.insert(selected_.begin() + index, 0);
  if (itemIndex_ >= static_cast<long>(index)) ++itemIndex_;
  Notify(ControlChange::RowsInserted, index, index);
}

void ListBox::Delete(std::size_t index) {
  if (index >= items_.size()) return;
  if (indexed_) index_.Remove(FoldKeyOf(items_[index]));
  if (selected_[index]) --selectedCount_;
  items_.erase(index);
  selected_.erase(selected_.begin() + index);
  if (itemIndex_ == static_cast<long>(index)) itemIndex_ = -1;
  else if (itemIndex_ > static_cast<long>(index)) --itemIndex_;
  Notify(ControlChange::RowsRemoved, index, index);
}

void ListBox::DeleteRows(std::vector<std::size_t> rows) {
  if (rows.empty()) return;
  std::vector<char> drop(items_.size(), 0);
  std::size_t dropped = 0;
  for (auto r : rows)
    if (r < items_.size() && !drop[r]) drop[r] = 1, ++dropped;
  if (!dropped) return;
  if (dropped == items_.size()) {
    Clear();
    return;
  }
  if (dropped == 1) {
    Delete(std::find(drop.begin(), drop.end(), 1) - drop.begin());
    return;
  }
  std::vector<std::size_t> kept;
  kept.reserve(items_.size() - dropped);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (drop[i]) {
      if (indexed_) index_.Remove(FoldKeyOf(items_[i]));
      continue;
    }
    selected_[kept.size()] = selected_[i];
    kept.push_back(i);
  }
  items_.Reorder(kept);
  selected_.resize(kept.size());
  selectedCount_ = std::count(selected_.begin(), selected_.end(), 1);
  itemIndex_ = -1;
  Notify(ControlChange::RowsReset);
}

void ListBox::DeleteSelected() { DeleteRows(SelectedRows()); }

void ListBox::Clear() {
  DropPending();
  if (items_.empty()) return;
  items_.clear();
  selected_.clear();
  index_.Clear();
  selectedCount_ = 0;
  itemIndex_ = -1;
  Notify(ControlChange::RowsReset);
}

void ListBox::SetItems(std::vector<std::string> items) {
  DropPending();
  items_.clear();
  items_ = TextList(items);
  items = {};
  if (sorted_) {
    SortItems(true);
    selected_.assign(items_.size(), 0);
    selectedCount_ = 0;
    itemIndex_ = -1;
  } else {
    Rebuild();
  }
  Notify(ControlChange::RowsReset);
}

// Folds every item once instead of twice per comparison: sorting a million
// items then costs one fold each plus byte compares.
void ListBox::SortItems(bool reindex) {
  std::vector<std::pair<std::string, std::size_t>> keys;
  keys.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) keys.emplace_back(CaseFold(items_[i]), i);
  // Ties are broken by bytes, so only identical items compare equal and a
  // stable sort would buy nothing.
  std::sort(keys.begin(), keys.end(), [this](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return items_[a.second] < items_[b.second];
  });
  std::vector<std::size_t> order;
  order.reserve(keys.size());
  for (const auto& k : keys) order.push_back(k.second);
  items_.Reorder(order);
  if (!reindex || !indexed_) return;
  index_.Clear();
  index_.Reserve(keys.size());
  for (auto& k : keys) index_.Add(FoldKeyOfFolded(k.first));
}

// A list filled in batches would otherwise be sorted, and every item folded,
// once per batch: only the new items are folded and sorted, then merged into
// the sorted part in one pass. ASCII items compare without a fold; another
// item of the sorted part is folded at most once per merge.
void ListBox::MergeSortedTail(std::size_t first) {
  const std::size_t count = items_.size() - first;
  if (count == 0) return;
  std::vector<std::pair<std::string, std::size_t>> keys;
  keys.reserve(count);
  for (std::size_t i = first; i < items_.size(); ++i) keys.emplace_back(CaseFold(items_[i]), i);
  std::sort(keys.begin(), keys.end(), [this](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return items_[a.second] < items_[b.second];
  });
  std::vector<std::size_t> order;
  order.reserve(first + count);
  std::size_t i = 0;
  std::size_t j = 0;
  std::string folded;  // of items_[i], once it is needed
  std::size_t foldedOf = first;
  // Only identical texts compare equal; the sorted part goes first then.
  const auto tailFirst = [&]() {
    const std::string_view a = items_[i];
    const std::string_view b = items_[keys[j].second];
    if (IsAscii(a) && IsAscii(b)) return CompareText(b, a) < 0;
    if (foldedOf != i) {
      CaseFoldInto(a, folded);
      foldedOf = i;
    }
    const int byFold = keys[j].first.compare(folded);
    return byFold != 0 ? byFold < 0 : b < a;
  };
  while (i < first && j < count) {
    if (tailFirst())
      order.push_back(keys[j++].second);
    else
      order.push_back(i++);
  }
  for (; i < first; ++i) order.push_back(i);
  for (; j < count; ++j) order.push_back(keys[j].second);
  items_.Reorder(order);
}

void ListBox::Rebuild() {
  index_.Clear();
  indexed_ = false;
  selected_.assign(items_.size(), 0);
  selectedCount_ = 0;
  itemIndex_ = -1;
}

void ListBox::SetSelected(std::size_t i, bool selected) {
  if (i >= items_.size() || static_cast<bool>(selected_[i]) == selected) return;
  if (selected && !multiSelect_) ClearSelection();
  selected_[i] = selected;
  selectedCount_ += selected ? 1 : -1;
  Notify(ControlChange::Selection, i, i);
}

void ListBox::SelectAll() {
  if (items_.empty() || selectedCount_ == items_.size()) return;
  std::fill(selected_.begin(), selected_.end(), 1);
  selectedCount_ = items_.size();
  Notify(ControlChange::Selection, 0, items_.size() - 1);
}

void ListBox::ClearSelection() {
  if (!selectedCount_) return;
  std::fill(selected_.begin(), selected_.end(), 0);
  selectedCount_ = 0;
  Notify(ControlChange::Selection, 0, items_.empty() ? 0 : items_.size() - 1);
}

std::vector<std::size_t> ListBox::SelectedRows() const {
  std::vector<std::size_t> rows;
  rows.reserve(selectedCount_);
  for (std::size_t i = 0; i < selected_.size() && rows.size() < selectedCount_; ++i)
    if (selected_[i]) rows.push_back(i);
  return rows;
}

void ListBox::SetItemIndex(long index) {
  if (index < -1 || index >= static_cast<long>(items_.size())) index = -1;
  if (itemIndex_ == index) return;
  itemIndex_ = index;
  Notify(ControlChange::ItemIndex);
}

}  // namespace quillory
