#include "qt/visual_log_view.h"

#include "results/operation_statistics.h"
#include "results/visual_log_windows.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace quillory {

namespace {

// A run adds paths one by one while it holds the interface thread; the views
// hear of them in batches.
constexpr int kResultCoalesceMs = 50;

ListBoxView* NewResultList(ListBox& list, QWidget* parent) {
  auto* view = new ListBoxView(list, parent);
  view->Adapter()->SetCoalescing(kResultCoalesceMs);
  view->setMinimumHeight(50);
  return view;
}

QLabel* NewCounter(Label& label, QWidget* parent) {
  QLabel* value = NewLabel(label, parent);
  value->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  value->setMargin(2);
  value->setMinimumWidth(90);
  return value;
}

}  // namespace

QGroupBox* NewCounterGroup(const Window& owner, const std::string& prefix, PageKey page,
                           bool skipUncaptioned, QWidget* parent) {
  auto* group = new QGroupBox(QStringLiteral("Statistics"), parent);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(10);
  const CounterLayout& layout = PageCounterLayout(page);
  // A column with captions beside its counters takes two grid columns.
  std::vector<int> at(layout.columnKeys.size());
  std::vector<bool> captioned(layout.columnKeys.size(), false);
  for (const CounterRow& row : layout.rows)
    for (std::size_t c = 0; c < row.cellCaptions.size() && c < captioned.size(); ++c)
      captioned[c] = captioned[c] || !row.cellCaptions[c].empty();
  int next = 1;
  for (std::size_t c = 0; c < at.size(); ++c) {
    at[c] = next + (captioned[c] ? 1 : 0);
    next = at[c] + 1;
    if (auto* caption = owner.FindAs<Label>(prefix + "Column" + layout.columnKeys[c])) {
      QLabel* widget = NewLabel(*caption, group);
      widget->setAlignment(Qt::AlignCenter);
      grid->addWidget(widget, 0, at[c]);
    }
    grid->setColumnStretch(at[c], 1);
  }
  int r = 1;
  for (const CounterRow& row : layout.rows) {
    auto* caption = owner.FindAs<Label>(prefix + "Row" + row.key);
    if (!caption && skipUncaptioned) continue;
    if (caption) grid->addWidget(NewLabel(*caption, group), r, 0);
    for (std::size_t c = 0; c < row.counters.size() && c < at.size(); ++c) {
      if (row.counters[c].empty()) continue;
      if (auto* cell = owner.FindAs<Label>(prefix + row.counters[c] + "Caption"))
        grid->addWidget(NewLabel(*cell, group), r, at[c] - 1);
      if (auto* value = owner.FindAs<Label>(prefix + row.counters[c])) grid->addWidget(NewCounter(*value, group), r, at[c]);
    }
    ++r;
  }
  return group;
}

namespace {

class VisualLogView : public WindowView {
 public:
  VisualLogView(VisualLogWindow& log, QWidget* parent) : WindowView(log, parent, OwnLayout{}) {
    auto* outer = new QVBoxLayout(this);
    // Counters and lists scroll on a small screen; OK stays in sight.
    auto* area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* body = new QWidget(area);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    area->setWidget(body);
    outer->addWidget(area, 1);
    QLabel* heading = NewLabel(log.lblNormalSimulate, this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);
    layout->addWidget(Statistics(log));

    // One row per group, its lists side by side.
    QHBoxLayout* row = nullptr;
    for (const VisualLogWindow::Result& result : log.results) {
      if (result.group || !row) {
        auto* group = new QGroupBox(result.group ? ToQt(result.group->Caption()) : QString(), this);
        if (result.group) group->setObjectName(ToQt(result.group->Name()));
        row = new QHBoxLayout(group);
        layout->addWidget(group, 1);
      }
      auto* column = new QVBoxLayout;
      if (result.caption) column->addWidget(NewLabel(*result.caption, this));
      column->addWidget(NewResultList(*result.list, this), 1);
      auto* buttons = new QHBoxLayout;
      buttons->addWidget(NewButton(*result.btnExport, this));
      buttons->addWidget(NewButton(*result.btnZoom, this));
      buttons->addStretch(1);
      column->addLayout(buttons);
      row->addLayout(column, 1);
    }

    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    QPushButton* ok = NewButton(log.btnOK, this);
    ok->setDefault(true);
    footer->addWidget(ok);
    outer->addLayout(footer);
    resize(1100, 680);
  }

 private:
  QGroupBox* Statistics(VisualLogWindow& log) {
    return NewCounterGroup(log, "lblStat" + std::string(PageOf(log.Page()).number), log.Page(), false, this);
  }
};

class ZoomView : public WindowView {
 public:
  ZoomView(ZoomStatisticsWindow& zoom, QWidget* parent) : WindowView(zoom, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    auto* radios = new QVBoxLayout;
    for (const ZoomStatisticsWindow::Twin& twin : zoom.twins) radios->addWidget(NewRadioButton(*twin.radio, this));
    radios->addStretch(1);
    body->addLayout(radios);
    // Every list is here; the model keeps one of them visible.
    auto* lists = new QVBoxLayout;
    for (const ZoomStatisticsWindow::Twin& twin : zoom.twins) {
      QLabel* caption = NewLabel(*twin.caption, this);
      QFont font = caption->font();
      font.setBold(true);
      caption->setFont(font);
      lists->addWidget(caption);
      lists->addWidget(NewResultList(*twin.list, this), 1);
    }
    body->addLayout(lists, 1);
    layout->addLayout(body, 1);
    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    footer->addWidget(NewButton(zoom.btnClose, this));
    layout->addLayout(footer);
    resize(1000, 600);
  }
};

}  // namespace

WindowView* NewVisualLogView(Window& window, QWidget* parent) {
  if (auto* log = dynamic_cast<VisualLogWindow*>(&window)) return new VisualLogView(*log, parent);
  if (auto* zoom = dynamic_cast<ZoomStatisticsWindow*>(&window)) return new ZoomView(*zoom, parent);
  return nullptr;
}

}  // namespace quillory
