#include "qt/window_view.h"

#include <algorithm>

#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillory {

namespace {

// Rows of a summary list; these lists are short, so a rebuild is cheap.
QTreeWidget* NewListView(ListView& list, QWidget* parent) {
  auto* widget = new QTreeWidget(parent);
  widget->setObjectName(ToQt(list.Name()));
  widget->setRootIsDecorated(false);
  widget->setUniformRowHeights(true);
  BindControl(widget, list);
  auto addRow = [widget](const std::vector<std::string>& row) {
    QStringList cells;
    for (const auto& cell : row) cells << ToQt(cell);
    widget->addTopLevelItem(new QTreeWidgetItem(cells));
  };
  auto rebuild = [widget, &list, addRow] {
    widget->clear();
    QStringList header;
    for (const auto& column : list.Columns()) header << ToQt(column);
    widget->setColumnCount(std::max<int>(1, static_cast<int>(header.size())));
    widget->setHeaderLabels(header);
    widget->header()->setVisible(!header.isEmpty());
    for (const auto& row : list.Rows()) addRow(row);
  };
  rebuild();
  KeepWhileAlive(widget, list.changed.Connect([&list, rebuild, addRow](const ControlEvent& e) {
    if (e.change == ControlChange::RowsInserted && e.last < list.Rows().size()) {
      for (std::size_t i = e.first; i <= e.last; ++i) addRow(list.Rows()[i]);
    } else if (e.change == ControlChange::RowsReset) {
      rebuild();
    }
  }));
  return widget;
}

}  // namespace

WindowView::WindowView(Window& window, QWidget* parent, OwnLayout) : QDialog(parent), window_(window) { Follow(); }

void WindowView::Follow() {
  setObjectName(ToQt(window_.ClassName()));
  setWindowTitle(ToQt(window_.Caption()));
  setSizeGripEnabled(true);
  shown_ = window_.shownChanged.Connect([this](bool shown) { ShownChanged(shown); });
  caption_ = window_.captionChanged.Connect([this] { setWindowTitle(ToQt(window_.Caption())); });
}

void WindowView::EndsModal(QAbstractButton* button) {
  connect(button, &QAbstractButton::clicked, this, &WindowView::AfterButton);
}

WindowView::WindowView(Window& window, QWidget* parent) : QDialog(parent), window_(window) {
  Follow();

  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  bool grows = false;
  bool anyButton = false;
  bool headed = false;

  for (Control* control : window.Controls()) {
    if (auto* label = dynamic_cast<Label*>(control)) {
      QLabel* widget = NewLabel(*label, this);
      widget->setWordWrap(true);
      // A window's first label is its heading (help topic, Visual Log title).
      if (!headed) {
        QFont font = widget->font();
        font.setBold(true);
        widget->setFont(font);
        headed = true;
      }
      layout->addWidget(widget);
    } else if (auto* button = dynamic_cast<Button*>(control)) {
      QPushButton* widget = NewButton(*button, this);
      EndsModal(widget);
      buttons->addWidget(widget);
      anyButton = true;
    } else if (auto* box = dynamic_cast<CheckBox*>(control)) {
      layout->addWidget(NewCheckBox(*box, this));
    } else if (auto* radio = dynamic_cast<RadioButton*>(control)) {
      layout->addWidget(NewRadioButton(*radio, this));
    } else if (auto* edit = dynamic_cast<Edit*>(control)) {
      layout->addWidget(NewEdit(*edit, this));
    } else if (auto* upDown = dynamic_cast<UpDown*>(control)) {
      layout->addWidget(NewUpDown(*upDown, this), 0, Qt::AlignLeft);
    } else if (auto* memo = dynamic_cast<Memo*>(control)) {
      layout->addWidget(NewMemo(*memo, this), 1);
      grows = true;
    } else if (auto* combo = dynamic_cast<ComboBox*>(control)) {
      layout->addWidget(NewComboBox(*combo, false, this));
    } else if (auto* list = dynamic_cast<ListBox*>(control)) {
      layout->addWidget(new ListBoxView(*list, this), 1);
      grows = true;
    } else if (auto* rows = dynamic_cast<ListView*>(control)) {
      layout->addWidget(NewListView(*rows, this), 1);
      grows = true;
    }
  }
  if (!anyButton) {
    // A window still without controls of its own must at least be closable
    // from the keyboard and without the title bar.
    auto* close = new QPushButton(tr("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
  }
  if (!grows) layout->addStretch(1);
  layout->addLayout(buttons);
  resize(grows ? QSize(560, 420) : QSize(420, 220));
}

ModalResult WindowView::ExecModal() {
  if (isVisible()) hide();
  window_.modalResult = ModalResult::None;
  {
    QScopedValueRollback<bool> modal(modal_, true);
    {
      QScopedValueRollback<bool> sync(syncing_, true);
      window_.SetShown(true);
    }
    exec();
    QScopedValueRollback<bool> sync(syncing_, true);
    window_.SetShown(false);
  }
  return window_.modalResult == ModalResult::None ? ModalResult::Cancel : window_.modalResult;
}

void WindowView::done(int result) {
  QDialog::done(result);
  if (modal_ || syncing_) return;
  QScopedValueRollback<bool> sync(syncing_, true);
  window_.SetShown(false);
}

void WindowView::showEvent(QShowEvent* event) {
  if (!tabOrdered_) {
    tabOrdered_ = true;
    TabInRowOrder(this);
  }
  // Before the window is mapped: every opening lands in the same place.
  if (!event->spontaneous()) PlaceOverParent(this);
  QDialog::showEvent(event);
}

void WindowView::ShownChanged(bool shown) {
  if (syncing_) return;
  QScopedValueRollback<bool> sync(syncing_, true);
  if (shown) {
    show();
    raise();
    activateWindow();
  } else if (modal_) {
    done(QDialog::Rejected);
  } else {
    hide();
  }
}

void WindowView::AfterButton() {
  if (modal_ && window_.modalResult != ModalResult::None) done(QDialog::Accepted);
}

}  // namespace quillory
