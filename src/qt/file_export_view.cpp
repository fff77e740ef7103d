#include "qt/file_export_view.h"

#include "lists/file_export.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillory {

namespace {

class FileExportView : public WindowView {
 public:
  FileExportView(TfrmFileExport& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QHBoxLayout;
    heading->addWidget(NewLabel(window.lblFileExportSourceTitle, this));
    heading->addWidget(Counter(NewLabel(window.lblSmartExportSource, this)));
    heading->addStretch(1);
    layout->addLayout(heading);
    layout->addWidget(new ListBoxView(window.lstFileExportSource, this), 1);

    auto* options = new QHBoxLayout;
    auto* output = new QGroupBox(this);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(NewRadioButton(window.rdoFileExportPlainTextFile, output));
    outputLayout->addWidget(NewRadioButton(window.rdoFileExportCSVSeparatedFile, output));
    auto* delimiter = new QHBoxLayout;
    delimiter->addSpacing(24);
    delimiter->addWidget(NewLabel(window.lblFileExportDelimiterTitle, output));
    QComboBox* delimiters = NewComboBox(window.cboFileExportDelimiter, false, output);
    delimiters->setMinimumContentsLength(8);
    delimiter->addWidget(delimiters);
    delimiter->addStretch(1);
    outputLayout->addLayout(delimiter);
    outputLayout->addWidget(NewCheckBox(window.chkFileExportQuotationMarks, output));
    outputLayout->addStretch(1);
    options->addWidget(output, 1);

    auto* form = new QGroupBox(this);
    auto* formLayout = new QVBoxLayout(form);
    formLayout->addWidget(NewRadioButton(window.rdoFileExportUnModified, form));
    formLayout->addWidget(NewRadioButton(window.rdoFileExportWithoutDriveLetter, form));
    formLayout->addStretch(1);
    options->addWidget(form, 1);
    layout->addLayout(options);

    auto* footer = new QHBoxLayout;
    footer->addWidget(NewLabel(window.lblSmartExportExportedTitle, this));
    footer->addWidget(Counter(NewLabel(window.lblSmartExportExported, this)));
    footer->addStretch(1);
    QPushButton* exportTo = NewButton(window.btnFileExportTo, this);
    exportTo->setDefault(true);
    footer->addWidget(exportTo);
    QPushButton* close = NewButton(window.btnFileExportClose, this);
    close->setAutoDefault(false);
    EndsModal(close);
    footer->addWidget(close);
    layout->addLayout(footer);

    resize(720, 520);
  }

 private:
  // Room for a seven-digit count, so the row does not jump while it rises.
  static QLabel* Counter(QLabel* label) {
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
  }
};

}  // namespace

WindowView* NewFileExportView(Window& window, QWidget* parent) {
  auto* fileExport = dynamic_cast<TfrmFileExport*>(&window);
  return fileExport ? new FileExportView(*fileExport, parent) : nullptr;
}

}  // namespace quillory
