#include "qt/file_selection_view.h"

#include "structures/file_selection.h"
#include "qt/bindings.h"
#include "qt/window_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory {

namespace {

// Only the mask row and the buttons: the window's type and term panel stays
// out of sight, as its model keeps it hidden and disabled.
class FileSelectionView : public WindowView {
 public:
  FileSelectionView(TfrmFileSelection& window, QWidget* parent) : WindowView(window, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);

    auto* group = new QGroupBox(this);
    group->setObjectName(ToQt(window.grpFileManSelection.Name()));
    BindGroupBox(group, window.grpFileManSelection);
    auto* inner = new QVBoxLayout(group);
    QLabel* explanation = NewLabel(window.lblFileManExplanation, group);
    explanation->setWordWrap(true);
    inner->addWidget(explanation);
    inner->addSpacing(6);
    inner->addWidget(NewLabel(window.lblFileManNames, group));
    auto* row = new QHBoxLayout;
    QComboBox* names = NewComboBox(window.cboFileManNames, true, group);
    names->setMinimumContentsLength(36);
    names->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    row->addWidget(names, 1);
    QPushButton* clear = NewButton(window.btnFileManClearFileNames, group);
    clear->setAutoDefault(false);
    row->addWidget(clear);
    inner->addLayout(row);
    layout->addWidget(group);
    layout->addStretch(1);

    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    QPushButton* ok = NewButton(window.btnFileManOK, this);
    ok->setDefault(true);
    EndsModal(ok);
    footer->addWidget(ok);
    QPushButton* cancel = NewButton(window.btnFileManCancel, this);
    cancel->setAutoDefault(false);
    EndsModal(cancel);
    footer->addWidget(cancel);
    QPushButton* help = NewButton(window.btnFileSelectionHelp, this);
    help->setAutoDefault(false);
    footer->addWidget(help);
    layout->addLayout(footer);

    resize(540, sizeHint().height());
  }
};

}  // namespace

WindowView* NewFileSelectionView(Window& window, QWidget* parent) {
  auto* selection = dynamic_cast<TfrmFileSelection*>(&window);
  return selection ? new FileSelectionView(*selection, parent) : nullptr;
}

}  // namespace quillory
