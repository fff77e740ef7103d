#include "qt/rename_page_view.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "operations/rename_page.h"
#include "qt/bindings.h"

namespace quillory {

void BuildRenamePageControls(RenamePage& page, QVBoxLayout* fieldsColumn, QVBoxLayout* previewColumn,
                             QHBoxLayout* footer, QWidget* parent) {
  auto* methods = new QGroupBox(parent);
  auto* methodColumn = new QVBoxLayout(methods);
  auto* radios = new QHBoxLayout;
  radios->addWidget(NewRadioButton(page.rdoVol06RenameAddPrefixesSuffixes, methods));
  radios->addWidget(NewRadioButton(page.rdoVol06RenameTheLastSubFolder, methods));
  radios->addStretch(1);
  methodColumn->addLayout(radios);
  auto* fields = new QFormLayout;
  const auto field = [&](Label& label, Edit& edit) { fields->addRow(NewLabel(label, methods), NewEdit(edit, methods)); };
  field(page.lblVol06NewPrefix, page.edtVol06NewPrefix);
  field(page.lblVol06DelimiterPrefixSubFolder, page.edtVol06DelimiterPrefixSubFolder);
  field(page.lblVol06DelimiterSubFolderSuffix, page.edtVol06DelimiterSubFolderSuffix);
  field(page.lblVol06NewSuffix, page.edtVol06NewSuffix);
  field(page.lblVol06RenameNewLastSubFolder, page.edtVol06RenameNewLastSubFolder);
  methodColumn->addLayout(fields);
  fieldsColumn->addWidget(methods);

  auto* preview = new QGroupBox(QObject::tr("Preview"), parent);
  auto* previewForm = new QFormLayout(preview);
  for (auto [caption, path] : {std::pair{&page.lblVol06StartFolderCaption, &page.lblVol06StartFolder},
                               std::pair{&page.lblVol06EndFolderCaption, &page.lblVol06EndFolder}}) {
    QLabel* shown = NewLabel(*path, preview);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shown->setWordWrap(true);
    previewForm->addRow(NewLabel(*caption, preview), shown);
  }
  previewColumn->addWidget(preview);

  // Undo, Simulation and the run button before Help, which is last.
  const int at = footer->count() - 1;
  QPushButton* undo = NewButton(page.btnVol06Undo, parent);
  QPushButton* simulation = NewButton(page.btnVol06RenameFoldersSimulation, parent);
  QPushButton* run = NewButton(page.btnVol06RenameFolders, parent);
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
