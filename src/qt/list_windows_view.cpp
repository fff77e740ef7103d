#include "qt/list_windows_view.h"

#include "lists/list_windows.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quillory {

namespace {

class EditListWindowView : public WindowView {
 public:
  EditListWindowView(EditIncludeListWindow& window, QWidget* parent)
      : WindowView(window, parent, OwnLayout{}), window_(window) {
    auto* layout = new QVBoxLayout(this);

    memo_ = NewMemo(window.memo, this);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(memo_, 1);

    auto* footer = new QHBoxLayout;
    footer->addWidget(NewCaption(tr("Lines:"), this));
    QLabel* sum = NewLabel(window.lblLinesSum, this);
    sum->setMinimumWidth(60);
    footer->addWidget(sum);
    if (window.lblLinesCurrent) {
      footer->addWidget(NewCaption(tr("Current line:"), this));
      QLabel* current = NewLabel(*window.lblLinesCurrent, this);
      current->setMinimumWidth(60);
      footer->addWidget(current);
    }
    footer->addStretch(1);

    // The memo reaches the model after a pause or on leaving it; OK must
    // check what is on the screen, however it was pressed.
    auto* ok = new QPushButton(this);
    ok->setObjectName(ToQt(window.btnOk.Name()));
    connect(ok, &QPushButton::clicked, this, [this] { FlushMemo(); });
    BindButton(ok, window.btnOk);
    EndsModal(ok);
    footer->addWidget(ok);

    QPushButton* cancel = NewButton(window.btnCancel, this);
    EndsModal(cancel);
    footer->addWidget(cancel);
    footer->addWidget(NewButton(window.btnHelp, this));
    // Enter in the memo is a new line, never OK.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    layout->addLayout(footer);

    resize(700, 480);
  }

  // Escape and the title bar's close are Cancel, so the model empties the
  // memo as it does for the button.
  void reject() override {
    Guarded([this] { window_.btnCancel.Click(); });
    WindowView::reject();
  }

 private:
  void FlushMemo() {
    const std::string text = FromQt(memo_->toPlainText());
    if (text != window_.memo.Text()) Guarded([this, &text] { window_.memo.UserSetText(text); });
  }

  EditIncludeListWindow& window_;
  QPlainTextEdit* memo_ = nullptr;
};

class ZoomIncludeWindowView : public WindowView {
 public:
  ZoomIncludeWindowView(TfrmZoomIncludeWindow& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);
    auto* list = new ListBoxView(window.lstZoomIncludeWindow, this);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->horizontalScrollBar()->setSingleStep(list->fontMetrics().averageCharWidth() * 4);
    layout->addWidget(list, 1);

    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    QPushButton* close = NewButton(window.btnZoomInjcludeWindowsClose, this);
    EndsModal(close);
    footer->addWidget(close);
    layout->addLayout(footer);

    resize(700, 480);
  }
};

}  // namespace

WindowView* NewListWindowView(Window& window, QWidget* parent) {
  if (auto* editor = dynamic_cast<EditIncludeListWindow*>(&window)) return new EditListWindowView(*editor, parent);
  if (auto* zoom = dynamic_cast<TfrmZoomIncludeWindow*>(&window)) return new ZoomIncludeWindowView(*zoom, parent);
  return nullptr;
}

}  // namespace quillory
