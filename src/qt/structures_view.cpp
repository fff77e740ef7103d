#include "qt/structures_view.h"

#include "structures/structure_windows.h"
#include "structures/structures_group.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quillory {

namespace {

QPushButton* GroupButton(Button& button, QWidget* parent) {
  QPushButton* widget = NewButton(button, parent);
  widget->setAutoDefault(false);
  return widget;
}

// The attach modes stand indented under the existing structures they belong
// to, the other kinds below: one narrow column, leaving the width to the list.
QGroupBox* AttachOptions(StructuresGroup& group, QWidget* parent) {
  auto* box = new QGroupBox(QObject::tr("Attach Options"), parent);
  box->setObjectName(ToQt("grp" + std::string(PageOf(group.page).name) + "AttachOptions"));
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(1);
  grid->setColumnMinimumWidth(0, 18);
  int row = 0;
  grid->addWidget(NewRadioButton(group.rdoFullPaths, box), row++, 0, 1, 2);
  for (RadioButton* mode : group.modes.Buttons()) grid->addWidget(NewRadioButton(*mode, box), row++, 1);
  grid->addWidget(NewRadioButton(group.rdoRelativePaths, box), row++, 0, 1, 2);
  if (group.rdoNothing) grid->addWidget(NewRadioButton(*group.rdoNothing, box), row++, 0, 1, 2);
  grid->setRowStretch(row, 1);
  return box;
}

QGroupBox* StructureList(StructuresGroup& group, QWidget* parent) {
  auto* box = new QGroupBox(QObject::tr("Folder Structures/Templates"), parent);
  box->setObjectName(ToQt("grp" + std::string(PageOf(group.page).name) + "FolderStructuresTemplates"));
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(3);
  auto* list = new ListBoxView(group.list, box);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->horizontalScrollBar()->setSingleStep(list->fontMetrics().averageCharWidth() * 4);
  list->setMinimumSize(160, 80);
  // The radios beside it set the height; the list takes what they leave.
  list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  ClickOnDelete(list, group.btnDeleteSel);
  AcceptFileDrops(list, [&group](const std::vector<std::string>& paths) { group.DropPaths(paths); });
  grid->addWidget(list, 0, 0, 5, 1);
  Button* buttons[4][2] = {{&group.btnAdd, &group.btnView},
                           {&group.btnImport, &group.btnExport},
                           {&group.btnEdit, &group.btnOptions},
                           {&group.btnDeleteSel, &group.btnDeleteAll}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 2; ++c) grid->addWidget(GroupButton(*buttons[r][c], box), r, c + 1);
  auto* counter = new QHBoxLayout;
  counter->addWidget(NewCaption(QObject::tr("Lines:"), box));
  QLabel* sum = NewLabel(group.sum, box);
  sum->setMinimumWidth(60);
  counter->addWidget(sum);
  counter->addStretch(1);
  grid->addLayout(counter, 5, 0, 1, 3);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(0, 1);
  return box;
}

// --------------------------------------------------------------- editor

class StructuresEditorView : public WindowView {
 public:
  StructuresEditorView(TfrmFolderStructuresTemplates& window, QWidget* parent)
      : WindowView(window, parent, OwnLayout{}), window_(window) {
    auto* layout = new QVBoxLayout(this);
    memo_ = NewMemo(window.mmoEditFolderStructuresTemplates, this);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(memo_, 1);

    auto* footer = new QHBoxLayout;
    footer->addWidget(NewCaption(tr("Lines:"), this));
    QLabel* lines = NewLabel(window.lblFolderStructuresTemplatesEditLinesCurrent, this);
    lines->setMinimumWidth(60);
    footer->addWidget(lines);
    footer->addStretch(1);
    // OK checks what is on the screen, however recently it was typed.
    auto* ok = new QPushButton(this);
    ok->setObjectName(ToQt(window.btnFolderStructuresTemplatesOk.Name()));
    connect(ok, &QPushButton::clicked, this, [this] { FlushMemo(); });
    BindButton(ok, window.btnFolderStructuresTemplatesOk);
    EndsModal(ok);
    footer->addWidget(ok);
    QPushButton* cancel = NewButton(window.btnFolderStructuresTemplatesCancel, this);
    EndsModal(cancel);
    footer->addWidget(cancel);
    // Enter in the memo is a new line, never OK.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    layout->addLayout(footer);
    resize(640, 420);
  }

  void reject() override {
    Guarded([this] { window_.btnFolderStructuresTemplatesCancel.Click(); });
    WindowView::reject();
  }

 private:
  void FlushMemo() {
    const std::string text = FromQt(memo_->toPlainText());
    if (text != window_.mmoEditFolderStructuresTemplates.Text())
      Guarded([this, &text] { window_.mmoEditFolderStructuresTemplates.UserSetText(text); });
  }

  TfrmFolderStructuresTemplates& window_;
  QPlainTextEdit* memo_ = nullptr;
};

// -------------------------------------------------------------- options

class TemplateOptionsView : public WindowView {
 public:
  TemplateOptionsView(TfrmFolderTemplateOptions& window, QWidget* parent)
      : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(this);
    group->setObjectName(ToQt(window.grpFolderTemplateOptions.Name()));
    BindGroupBox(group, window.grpFolderTemplateOptions);
    auto* inner = new QVBoxLayout(group);
    // The long choices wrap inside the window instead of widening it: a
    // radio button cannot wrap, so each has a word-wrapped label beside it.
    for (RadioButton* choice : {&window.rdoFolderTemplateOptionsReplaceNo, &window.rdoFolderTemplateOptionsReplaceFirst,
                                &window.rdoFolderTemplateOptionsReplaceAll})
      inner->addLayout(WrappedChoice(*choice, group));
    layout->addWidget(group);

    auto* terms = new QGroupBox(this);
    terms->setObjectName(ToQt(window.grpFolderTemplateOptionsSearchTerms.Name()));
    BindGroupBox(terms, window.grpFolderTemplateOptionsSearchTerms);
    auto* termsLayout = new QVBoxLayout(terms);
    termsLayout->addLayout(WrappedChoice(window.rdoFolderTemplateOptionsReplaceRemainder, terms));
    termsLayout->addWidget(NewEdit(window.edtFolderTemplateOptionsReplaceRemainder, terms));
    layout->addWidget(terms);
    layout->addStretch(1);

    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    QPushButton* ok = NewButton(window.btnFolderTemplateOptionsOk, this);
    ok->setDefault(true);
    EndsModal(ok);
    footer->addWidget(ok);
    QPushButton* cancel = NewButton(window.btnFolderTemplateOptionsCancel, this);
    cancel->setAutoDefault(false);
    EndsModal(cancel);
    footer->addWidget(cancel);
    QPushButton* help = NewButton(window.btnFolderTemplateOptionsHelp, this);
    help->setAutoDefault(false);
    footer->addWidget(help);
    layout->addLayout(footer);
    resize(560, sizeHint().height());
  }

 private:
  // The radio carries the name and the state; the label beside it shows the
  // caption wrapped and clicks the radio as a click on the caption would.
  QHBoxLayout* WrappedChoice(RadioButton& choice, QWidget* parent) {
    auto* row = new QHBoxLayout;
    QRadioButton* radio = NewRadioButton(choice, parent);
    const QString caption = radio->text();
    radio->setText(QString());
    radio->setAccessibleName(caption);
    radio->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* label = new ClickableLabel(caption, radio, parent);
    label->setWordWrap(true);
    label->setBuddy(radio);
    label->setMinimumWidth(360);
    row->addWidget(radio, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    return row;
  }

  class ClickableLabel : public QLabel {
   public:
    ClickableLabel(const QString& text, QRadioButton* radio, QWidget* parent) : QLabel(text, parent), radio_(radio) {}

   protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
      QLabel::mouseReleaseEvent(event);
      if (radio_->isEnabled()) radio_->click();
    }

   private:
    QRadioButton* radio_;
  };
};

}  // namespace

QWidget* BuildStructuresGroup(StructuresGroup& group, QWidget* parent, Qt::Orientation orientation) {
  auto* widget = new QWidget(parent);
  widget->setObjectName(ToQt("pnl" + std::string(PageOf(group.page).name) + "Structures"));
  auto* row = new QBoxLayout(orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, widget);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(AttachOptions(group, widget), 0);
  row->addWidget(StructureList(group, widget), 1);
  return widget;
}

WindowView* NewStructureWindowView(Window& window, QWidget* parent) {
  if (auto* editor = dynamic_cast<TfrmFolderStructuresTemplates*>(&window))
    return new StructuresEditorView(*editor, parent);
  if (auto* options = dynamic_cast<TfrmFolderTemplateOptions*>(&window)) return new TemplateOptionsView(*options, parent);
  return nullptr;
}

}  // namespace quillory
