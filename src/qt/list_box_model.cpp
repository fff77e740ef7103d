#include "qt/list_box_model.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/text.h"
#include "qt/bindings.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QScopedValueRollback>
#include <QTimer>

namespace quillory {

namespace {

int ClampRows(std::size_t n) { return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n); }

// Contiguous runs of selected rows within first..last, as view ranges.
QItemSelection SelectedRuns(const ListBox& list, const QAbstractItemModel& model, int first, int last) {
  QItemSelection runs;
  int start = -1;
  for (int row = first; row <= last + 1; ++row) {
    const bool on = row <= last && list.Selected(static_cast<std::size_t>(row));
    if (on && start < 0) start = row;
    if (!on && start >= 0) {
      runs.select(model.index(start, 0), model.index(row - 1, 0));
      start = -1;
    }
  }
  return runs;
}

}  // namespace

ListBoxModel::ListBoxModel(ListBox& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), rows_(ClampRows(list.Count())) {
  connection_ = list_.changed.Connect([this](const ControlEvent& e) { OnChanged(e); });
}

int ListBoxModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListBoxModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= list_.Count()) return {};
  const std::string shown = EscapeForDisplay(list_.Item(row));
  return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

void ListBoxModel::SetCoalescing(int ms) {
  coalesceMs_ = ms > 0 ? ms : 0;
  if (coalesceMs_ > 0 && !timer_) {
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &ListBoxModel::Flush);
  }
  if (coalesceMs_ == 0) Flush();
}

void ListBoxModel::Flush() {
  if (timer_) timer_->stop();
  if (pending_ <= 0) return;
  QScopedValueRollback<bool> guard(updating_, true);
  beginInsertRows(QModelIndex(), rows_, rows_ + pending_ - 1);
  rows_ += pending_;
  pending_ = 0;
  endInsertRows();
  sinceFlush_.restart();
}

void ListBoxModel::OnChanged(const ControlEvent& e) {
  const int first = ClampRows(e.first);
  const int last = ClampRows(e.last);
  if (coalesceMs_ > 0 && e.change == ControlChange::RowsInserted && last >= first && first == rows_ + pending_ &&
      rows_ + pending_ + (last - first + 1) == ClampRows(list_.Count())) {
    pending_ += last - first + 1;
    const qint64 since = sinceFlush_.isValid() ? sinceFlush_.elapsed() : coalesceMs_;
    if (since >= coalesceMs_) Flush();
    else if (!timer_->isActive()) timer_->start(static_cast<int>(coalesceMs_ - since));
    return;
  }
  // Anything else sees the views up to date first: the view's own handlers
  // (selection, current row) run after this one and count on it.
  Flush();
  // The list has already changed when it tells us; the views are told the
  // same change in the order Qt expects, with the old count until the end.
  QScopedValueRollback<bool> guard(updating_, true);
  switch (e.change) {
    case ControlChange::RowsInserted:
      if (first <= rows_ && last >= first && rows_ + (last - first + 1) == ClampRows(list_.Count())) {
        beginInsertRows(QModelIndex(), first, last);
        rows_ += last - first + 1;
        endInsertRows();
        return;
      }
      break;
    case ControlChange::RowsRemoved:
      if (last < rows_ && last >= first && rows_ - (last - first + 1) == ClampRows(list_.Count())) {
        beginRemoveRows(QModelIndex(), first, last);
        rows_ -= last - first + 1;
        endRemoveRows();
        return;
      }
      break;
    case ControlChange::RowsReset: break;
    default: return;
  }
  // A reset, or an event that does not fit what the views know: start over.
  beginResetModel();
  rows_ = ClampRows(list_.Count());
  endResetModel();
}

QSize WidestItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  // The frame and margins the style puts around this row's text, around the
  // widest text instead.
  const int own = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
  size.setWidth(std::max(size.width(), size.width() - own + view_.WidestText()));
  return size;
}

ListBoxView::ListBoxView(ListBox& list, QWidget* parent)
    : QListView(parent), list_(list), adapter_(new ListBoxModel(list, this)),
      delegate_(new WidestItemDelegate(*this, this)) {
  setObjectName(ToQt(list.Name()));
  setModel(adapter_);
  setItemDelegate(delegate_);
  // One row height for all rows keeps a million rows cheap to lay out.
  setUniformItemSizes(true);
  setSelectionMode(list.MultiSelect() ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  BindControl(this, list);

  // Connected after the adapter's own subscription, so rows are already
  // known to the view when the selection is replayed.
  KeepWhileAlive(this, list.changed.Connect([this](const ControlEvent& e) {
    switch (e.change) {
      case ControlChange::RowsInserted: Measure(e.first, e.last); break;
      case ControlChange::RowsRemoved: MeasureAllLater(); break;
      case ControlChange::Selection: ModelSelectionChanged(e.first, e.last); break;
      case ControlChange::RowsReset:
        MeasureAllLater();
        ApplyWholeSelection();
        break;
      case ControlChange::ItemIndex: {
        QScopedValueRollback<bool> guard(syncing_, true);
        const long index = list_.ItemIndex();
        const QModelIndex current = index >= 0 ? adapter_->index(static_cast<int>(index), 0) : QModelIndex();
        if (selectionModel()->currentIndex() != current)
          selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        break;
      }
      default: break;
    }
  }));
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListBoxView::ViewSelectionChanged);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
    if (syncing_ || adapter_->Updating()) return;
    QScopedValueRollback<bool> guard(syncing_, true);
    Guarded([&] { list_.SetItemIndex(current.isValid() ? current.row() : -1); });
  });
  ApplyWholeSelection();
  MeasureAll();
}

void ListBoxView::changeEvent(QEvent* event) {
  QListView::changeEvent(event);
  if (event->type() == QEvent::FontChange) MeasureAll();
}

int ListBoxView::TextWidth(std::string_view item) const {
  qreal sum = 0;
  for (const char c : item) {
    const auto byte = static_cast<unsigned char>(c);
    // Anything else is shown escaped or needs shaping: measured as shown.
    if (byte < 32 || byte >= 127) {
      const std::string shown = EscapeForDisplay(item);
      return fontMetrics().horizontalAdvance(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    }
    sum += ascii_[byte];
  }
  // Kerning can make the laid-out text a pixel or two wider than its
  // advances.
  return static_cast<int>(std::ceil(sum)) + 2;
}

void ListBoxView::Measure(std::size_t first, std::size_t last) {
  if (remeasure_) return;  // everything is measured soon anyway
  int widest = widest_;
  for (std::size_t row = first; row <= last && row < list_.Count(); ++row)
    widest = std::max(widest, TextWidth(list_.Item(row)));
  SetWidest(widest);
}

void ListBoxView::MeasureAllLater() {
  if (list_.Empty()) {
    remeasure_ = false;
    SetWidest(0);
    return;
  }
  if (remeasure_) return;
  remeasure_ = true;
  QTimer::singleShot(0, this, [this] {
    if (remeasure_) MeasureAll();
  });
}

void ListBoxView::MeasureAll() {
  const QFontMetricsF metrics(font());
  for (int c = 32; c < 127; ++c) ascii_[static_cast<std::size_t>(c)] = metrics.horizontalAdvance(QChar(c));
  remeasure_ = false;
  widest_ = 0;
  Measure(0, list_.Empty() ? 0 : list_.Count() - 1);
  // A font change keeps the width but still changes the row layout.
  scheduleDelayedItemsLayout();
}

void ListBoxView::SetWidest(int pixels) {
  if (pixels == widest_) return;
  widest_ = pixels;
  // The view keeps the first row's size for every row; this makes it ask
  // again.
  scheduleDelayedItemsLayout();
}

void ListBoxView::ModelSelectionChanged(std::size_t first, std::size_t last) {
  if (syncing_) return;
  const int rows = adapter_->rowCount();
  if (rows == 0) return;
  const int from = ClampRows(first);
  const int to = std::min(ClampRows(last), rows - 1);
  if (from > to) return;
  QScopedValueRollback<bool> guard(syncing_, true);
  selectionModel()->select(QItemSelection(adapter_->index(from, 0), adapter_->index(to, 0)),
                           QItemSelectionModel::Deselect);
  const QItemSelection runs = SelectedRuns(list_, *adapter_, from, to);
  if (!runs.isEmpty()) selectionModel()->select(runs, QItemSelectionModel::Select);
}

void ListBoxView::ApplyWholeSelection() {
  QScopedValueRollback<bool> guard(syncing_, true);
  const int rows = adapter_->rowCount();
  if (list_.SelectedCount() == 0 || rows == 0) {
    if (selectionModel()->hasSelection()) selectionModel()->clearSelection();
  } else {
    selectionModel()->select(SelectedRuns(list_, *adapter_, 0, rows - 1), QItemSelectionModel::ClearAndSelect);
  }
  const long index = list_.ItemIndex();
  if (index >= 0 && index < rows)
    selectionModel()->setCurrentIndex(adapter_->index(static_cast<int>(index), 0), QItemSelectionModel::NoUpdate);
}

void ListBoxView::ViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  if (syncing_ || adapter_->Updating()) return;
  QScopedValueRollback<bool> guard(syncing_, true);
  Guarded([&] {
    for (const QItemSelectionRange& range : deselected)
      for (int row = range.top(); row <= range.bottom(); ++row) list_.SetSelected(static_cast<std::size_t>(row), false);
    const int rows = adapter_->rowCount();
    if (selected.size() == 1 && selected.front().top() == 0 && selected.front().bottom() == rows - 1) {
      list_.SelectAll();
      return;
    }
    for (const QItemSelectionRange& range : selected)
      for (int row = range.top(); row <= range.bottom(); ++row) list_.SetSelected(static_cast<std::size_t>(row), true);
  });
}

}  // namespace quillory
