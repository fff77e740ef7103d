#include "qt/delete_page_view.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "operations/delete_page.h"
#include "qt/bindings.h"

namespace quillory {

void BuildDeletePageControls(DeletePage& page, QVBoxLayout* column, QHBoxLayout* footer, QWidget* parent) {
  // One column: the read-only box's caption is too long to stand beside the modes.
  auto* modes = new QGroupBox(QObject::tr("Delete Options"), parent);
  auto* modeColumn = new QVBoxLayout(modes);
  for (RadioButton* mode : {&page.rdoVol07DeleteOnlyFilesInMainFolder, &page.rdoVol07DeleteOnlyFiles,
                            &page.rdoVol07DeleteSubFolders, &page.rdoVol07DeleteCompleteFolders})
    modeColumn->addWidget(NewRadioButton(*mode, modes));
  modeColumn->addSpacing(6);
  // Both safeguards of a run side by side.
  auto* safeguards = new QHBoxLayout;
  safeguards->addWidget(NewCheckBox(page.chkVol07DeleteDoubleConfirm, modes));
  safeguards->addSpacing(18);
  safeguards->addWidget(NewCheckBox(page.chkVol07MoveToTrash, modes));
  safeguards->addStretch(1);
  modeColumn->addLayout(safeguards);
  modeColumn->addWidget(NewCheckBox(page.chkVol07ReadOnlyFolders, modes));
  column->addWidget(modes);

  // Undo, Simulation and the run button before Help, which is last.
  const int at = footer->count() - 1;
  QPushButton* undo = NewButton(page.btnVol07Undo, parent);
  QPushButton* simulation = NewButton(page.btnVol07DeleteFoldersSimulation, parent);
  QPushButton* run = NewButton(page.btnVol07DeleteFolders, parent);
  QFont bold = run->font();
  bold.setBold(true);
  run->setFont(bold);
  for (QPushButton* b : {undo, simulation, run}) b->setAutoDefault(false);
  footer->insertWidget(at, undo);
  footer->insertWidget(at + 1, simulation);
  footer->insertWidget(at + 2, run);
  footer->insertSpacing(at + 3, 12);
}

}  // namespace quillory
