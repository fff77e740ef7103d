#include "qt/tree_windows_view.h"

#include <algorithm>

// Model headers come before Qt's.
#include "tree/tree_windows.h"
#include "qt/bindings.h"
#include "qt/window_view.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillory {

namespace {

// The level table; a summary has a row per level, so a rebuild is cheap.
QTreeWidget* NewLevelTable(ListView& list, QWidget* parent) {
  auto* widget = new QTreeWidget(parent);
  widget->setObjectName(ToQt(list.Name()));
  widget->setRootIsDecorated(false);
  widget->setUniformRowHeights(true);
  widget->setSelectionMode(QAbstractItemView::SingleSelection);
  BindControl(widget, list);
  auto rebuild = [widget, &list] {
    widget->clear();
    QStringList header;
    for (const auto& column : list.Columns()) header << ToQt(column);
    widget->setColumnCount(std::max<int>(1, static_cast<int>(header.size())));
    widget->setHeaderLabels(header);
    for (const auto& row : list.Rows()) {
      QStringList cells;
      for (const auto& cell : row) cells << ToQt(cell);
      widget->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    widget->header()->resizeSections(QHeaderView::ResizeToContents);
  };
  rebuild();
  KeepWhileAlive(widget, list.changed.Connect([rebuild](const ControlEvent& e) {
    if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsReset ||
        e.change == ControlChange::RowsRemoved)
      rebuild();
  }));
  return widget;
}

QLabel* Value(Label& label, QWidget* parent) {
  QLabel* widget = NewLabel(label, parent);
  widget->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return widget;
}

class LevelSummaryView : public WindowView {
 public:
  LevelSummaryView(TfrmLevelSummFolder& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);
    auto* head = new QFormLayout;
    QLabel* name = Value(window.lblLevelSummFolderName, this);
    name->setWordWrap(true);
    head->addRow(NewLabel(window.lblLevelSummFolderTitle, this), name);
    layout->addLayout(head);
    layout->addWidget(NewLevelTable(window.lstViewLevelSummFolder, this), 1);

    auto* totals = new QFormLayout;
    totals->addRow(NewLabel(window.lblLevelSummFolderSumTitle, this), Value(window.lblLevelSummFolderSum, this));
    totals->addRow(NewLabel(window.lblLevelSummFileSumTitle, this), Value(window.lblLevelSummFileSum, this));
    totals->addRow(NewLabel(window.lblLevelSummFileSizeTitle, this), Value(window.lblLevelSummFileSize, this));
    layout->addLayout(totals);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = NewButton(window.btnLevelSummFolderOK, this);
    ok->setDefault(true);
    EndsModal(ok);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    resize(420, 440);
  }
};

class FolderViewsView : public WindowView {
 public:
  FolderViewsView(TfrmFolderViews& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);
    QLabel* folder = Value(window.lblFolderViewsFolder, this);
    folder->setWordWrap(true);
    layout->addWidget(folder);
    // The hidden field stays a widget so that the name finds it, never shown.
    QWidget* field = NewEdit(window.edtFolderViewsFolder, this);
    field->setVisible(false);
    layout->addWidget(field);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(NewButton(window.btnFolderViewsExplorer, this));
    buttons->addWidget(NewButton(window.btnFolderViewsLevels, this));
    buttons->addStretch(1);
    QPushButton* close = NewButton(window.btnFolderViewsClose, this);
    EndsModal(close);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(420, 140);
  }
};

}  // namespace

WindowView* NewTreeWindowsView(Window& window, QWidget* parent) {
  if (auto* levels = dynamic_cast<TfrmLevelSummFolder*>(&window)) return new LevelSummaryView(*levels, parent);
  if (auto* views = dynamic_cast<TfrmFolderViews*>(&window)) return new FolderViewsView(*views, parent);
  return nullptr;
}

}  // namespace quillory
