// A model ListBox seen by Qt's item views. The adapter follows the list's row
// events, so appending a million rows costs one insertion notice, not one
// per row; names that are not valid UTF-8 or hold control characters are
// shown escaped.
#pragma once

#include <array>
#include <string>

#include "app/controls.h"

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QListView>
#include <QStyledItemDelegate>

class QTimer;

namespace quillory {

class ListBoxModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // The list must outlive the adapter.
  explicit ListBoxModel(ListBox& list, QObject* parent = nullptr);

  ListBox& List() const { return list_; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // True while the adapter replays a row change; selection changes the view
  // makes meanwhile are bookkeeping, not the person's.
  bool Updating() const { return updating_; }

  // Rows appended at the end reach the views at most once per `ms` while
  // they keep coming (the first at once, the rest by a timer or the next
  // other change); 0, the default, tells every append as it happens. For
  // lists a long run fills one path at a time.
  void SetCoalescing(int ms);
  // Tells the views every appended row held back so far.
  void Flush();
  // Rows appended but not yet told.
  int Pending() const { return pending_; }

 private:
  void OnChanged(const ControlEvent& event);

  ListBox& list_;
  int rows_ = 0;  // what the views were last told; lags the list by one event
  int pending_ = 0;  // appended rows behind rows_ not yet told
  int coalesceMs_ = 0;
  QElapsedTimer sinceFlush_;
  QTimer* timer_ = nullptr;
  bool updating_ = false;
  Connection connection_;
};

class ListBoxView;

// Rows all as wide as the widest item needs (the view lays out every row
// like the first), so the view scrolls sideways exactly as far as that.
class WidestItemDelegate : public QStyledItemDelegate {
 public:
  WidestItemDelegate(const ListBoxView& view, QObject* parent) : QStyledItemDelegate(parent), view_(view) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const ListBoxView& view_;
};

// A list view over a model ListBox: extended (or single) selection and the
// current row synced both ways, enabled and visible state bound, read-only.
// It scrolls sideways as far as its widest item needs: inserted rows are
// measured as they come (a running maximum); a removal measures the whole
// list again once control returns to the event loop, however many rows went.
class ListBoxView : public QListView {
  Q_OBJECT

 public:
  ListBoxView(ListBox& list, QWidget* parent = nullptr);
  ListBoxModel* Adapter() const { return adapter_; }

  // Pixels the widest item's text needs, as of the last measuring.
  int WidestText() const { return widest_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void ModelSelectionChanged(std::size_t first, std::size_t last);
  void ApplyWholeSelection();
  void ViewSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

  void Measure(std::size_t first, std::size_t last);
  void MeasureAllLater();
  void MeasureAll();
  void SetWidest(int pixels);
  int TextWidth(std::string_view item) const;

  ListBox& list_;
  ListBoxModel* adapter_;
  WidestItemDelegate* delegate_;
  bool syncing_ = false;
  int widest_ = 0;
  bool remeasure_ = false;
  // Advances of the printable ASCII characters in the view's font: most
  // items are plain paths, and adding up a table beats laying out text.
  std::array<qreal, 128> ascii_{};
};

}  // namespace quillory
