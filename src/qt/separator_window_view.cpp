#include "qt/separator_window_view.h"

#include "lists/separator_windows.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory {

namespace {

class SeparatorWindowView : public WindowView {
 public:
  SeparatorWindowView(SeparatorListWindow& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);

    auto* addRow = new QHBoxLayout;
    addRow->addWidget(NewEdit(window.addEdit, this), 1);
    addRow->addWidget(Plain(NewButton(window.addButton, this)));
    layout->addLayout(addRow);

    auto* lists = new QHBoxLayout;
    lists->addWidget(ListGroup(window.included, QStringLiteral("Included")), 1);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (Button* b : {&window.incToExc, &window.excToInc, &window.allFromInc, &window.allFromExc, &window.exchange})
      moves->addWidget(Plain(NewButton(*b, this)));
    moves->addStretch(1);
    lists->addLayout(moves);
    QGroupBox* excluded = ListGroup(window.excluded, QStringLiteral("Excluded"));
    lists->addWidget(excluded, 1);
    layout->addLayout(lists, 1);
    auto* excludedView = excluded->findChild<ListBoxView*>();
    ClickOnDelete(excludedView, window.deleteButton);

    auto* footer = new QHBoxLayout;
    for (Button* b : {&window.deleteButton, &window.removeAllButton, &window.defaultsButton})
      footer->addWidget(Plain(NewButton(*b, this)));
    footer->addStretch(1);
    QPushButton* close = Plain(NewButton(window.closeButton, this));
    EndsModal(close);
    footer->addWidget(close);
    layout->addLayout(footer);

    resize(520, 440);
  }

 private:
  // Enter belongs to the edit box (it adds); no button may take it as the
  // dialog's default.
  static QPushButton* Plain(QPushButton* button) {
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
  }

  QGroupBox* ListGroup(ListBox& list, const QString& title) {
    auto* group = new QGroupBox(title, this);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(new ListBoxView(list, group));
    return group;
  }
};

}  // namespace

WindowView* NewSeparatorWindowView(Window& window, QWidget* parent) {
  auto* separators = dynamic_cast<SeparatorListWindow*>(&window);
  return separators ? new SeparatorWindowView(*separators, parent) : nullptr;
}

}  // namespace quillory
