#include "qt/file_import_view.h"

#include "lists/file_import.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillory {

namespace {

// Enter belongs to the edit boxes (the file name box browses); no button may
// take it as the dialog's default.
void NoDefaultButtons(QWidget* dialog) {
  for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
}

// "Lines:" and the counter of a list.
QHBoxLayout* CounterRow(Label& counter, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(NewCaption(QObject::tr("Lines:"), parent));
  QLabel* count = NewLabel(counter, parent);
  count->setMinimumWidth(60);
  row->addWidget(count);
  row->addStretch(1);
  return row;
}

class FileImportView : public WindowView {
 public:
  FileImportView(TfrmFileImport& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(NewCaption(tr("File:"), this));
    fileRow->addWidget(NewEdit(window.edtFileImportFileName, this), 1);
    fileRow->addWidget(NewButton(window.btnFileImportBrowse, this));
    layout->addLayout(fileRow);

    auto* body = new QHBoxLayout;
    body->addWidget(ListGroup(tr("Source File (Preview)"), window.lstFileImportSource,
                              window.lblFileImportSourceLines, {&window.btnSmartImportZoomOriginalFile}),
                    1);
    body->addLayout(Options(window));
    body->addWidget(ListGroup(tr("Created List from the Source"), window.lstFileImportResults,
                              window.lblFileImportPreviewLines,
                              {&window.btnSmartImportZoomPreview, &window.btnSmartImportPreviewEdit}),
                    1);
    layout->addLayout(body, 1);

    auto* footer = new QHBoxLayout;
    footer->addWidget(NewButton(window.btnFileImportClear, this));
    footer->addStretch(1);
    for (Button* b : {&window.btnFileImportOk, &window.btnFileImportCancel}) {
      QPushButton* button = NewButton(*b, this);
      EndsModal(button);
      footer->addWidget(button);
    }
    layout->addLayout(footer);

    NoDefaultButtons(this);
    resize(1060, 560);
  }

 private:
  QGroupBox* ListGroup(const QString& title, ListBox& list, Label& counter, std::initializer_list<Button*> buttons) {
    auto* group = new QGroupBox(title, this);
    auto* inner = new QVBoxLayout(group);
    auto* view = new ListBoxView(list, group);
    view->setMinimumWidth(260);
    inner->addWidget(view, 1);
    QHBoxLayout* row = CounterRow(counter, group);
    for (Button* b : buttons) row->addWidget(NewButton(*b, group));
    inner->addLayout(row);
    return group;
  }

  QVBoxLayout* Options(TfrmFileImport& window) {
    auto* options = new QVBoxLayout;

    auto* kinds = new QGroupBox(tr("Import from"), this);
    auto* kindLayout = new QVBoxLayout(kinds);
    kindLayout->addWidget(NewRadioButton(window.rdoFileImportPlainText, kinds));
    kindLayout->addWidget(NewRadioButton(window.rdoFileImportSeparatedFile, kinds));
    options->addWidget(kinds);

    auto* columns = new QGroupBox(tr("Columns"), this);
    auto* columnLayout = new QVBoxLayout(columns);
    columnLayout->addWidget(NewRadioButton(window.rdoFileImportAllColumns, columns));
    auto* oneColumn = new QHBoxLayout;
    oneColumn->addWidget(NewRadioButton(window.rdoFileImportOneColumn, columns));
    QLineEdit* number = NewEdit(window.edtFileImportColumnNumber, columns);
    number->setMaximumWidth(48);
    oneColumn->addWidget(number);
    oneColumn->addWidget(NewUpDown(window.udFileImportColumnNumber, columns));
    oneColumn->addStretch(1);
    columnLayout->addLayout(oneColumn);
    options->addWidget(columns);

    auto* delimiterRow = new QHBoxLayout;
    delimiterRow->addWidget(NewCaption(tr("Delimiter"), this));
    QComboBox* delimiter = NewComboBox(window.cboFileImportDelimiter, true, this);
    delimiter->setMinimumWidth(90);
    delimiterRow->addWidget(delimiter);
    // Stored and carried, never shown: the cutting always uses both marks.
    delimiterRow->addWidget(NewComboBox(window.cboFileImportQuotationMark, false, this));
    delimiterRow->addStretch(1);
    options->addLayout(delimiterRow);

    options->addWidget(NewCheckBox(window.chkFileImportAbandonQMarks, this));

    auto* manage = new QHBoxLayout;
    manage->addWidget(NewButton(window.btnFileImportManageDelimiters, this));
    manage->addWidget(NewButton(window.btnFileImportManageQuotationMarks, this));
    manage->addStretch(1);
    options->addLayout(manage);

    options->addSpacing(12);
    QPushButton* from = NewButton(window.btnFileImportFrom, this);
    from->setMinimumHeight(36);
    options->addWidget(from);
    options->addStretch(1);
    return options;
  }
};

class EditSmartImportView : public WindowView {
 public:
  EditSmartImportView(TfrmEditSmartImport& window, QWidget* parent)
      : WindowView(window, parent, OwnLayout{}), window_(window) {
    auto* layout = new QVBoxLayout(this);

    memo_ = NewMemo(window.mmoEditSmartImport, this);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(memo_, 1);

    QHBoxLayout* footer = CounterRow(window.lblEditSmartImportLinesCurrent, this);
    // The memo reaches the model after a pause or on leaving it; OK must
    // take what is on the screen, however it was pressed.
    auto* ok = new QPushButton(this);
    ok->setObjectName(ToQt(window.btnEditSmartImportOk.Name()));
    connect(ok, &QPushButton::clicked, this, [this] { FlushMemo(); });
    BindButton(ok, window.btnEditSmartImportOk);
    EndsModal(ok);
    footer->addWidget(ok);
    QPushButton* cancel = NewButton(window.btnEditSmartImportCancel, this);
    EndsModal(cancel);
    footer->addWidget(cancel);
    layout->addLayout(footer);

    // Enter in the memo is a new line, never OK.
    NoDefaultButtons(this);
    resize(700, 480);
  }

  // Escape and the title bar's close are Cancel, so the model empties the
  // memo as the button does.
  void reject() override {
    Guarded([this] { window_.btnEditSmartImportCancel.Click(); });
    WindowView::reject();
  }

 private:
  void FlushMemo() {
    const std::string text = FromQt(memo_->toPlainText());
    if (text != window_.mmoEditSmartImport.Text()) Guarded([this, &text] { window_.mmoEditSmartImport.UserSetText(text); });
  }

  TfrmEditSmartImport& window_;
  QPlainTextEdit* memo_ = nullptr;
};

}  // namespace

WindowView* NewFileImportView(Window& window, QWidget* parent) {
  if (auto* import = dynamic_cast<TfrmFileImport*>(&window)) return new FileImportView(*import, parent);
  if (auto* editor = dynamic_cast<TfrmEditSmartImport*>(&window)) return new EditSmartImportView(*editor, parent);
  return nullptr;
}

}  // namespace quillory
