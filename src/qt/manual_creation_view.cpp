#include "qt/manual_creation_view.h"

#include "operations/operation_windows.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory {

namespace {

QGroupBox* Panel(Label& title, QWidget* parent) {
  auto* group = new QGroupBox(parent);
  group->setObjectName(ToQt(title.Name()));
  BindGroupBox(group, title);
  return group;
}

// A typed path can be long; the box takes the panel's width, not the text's.
QComboBox* PathBox(ComboBox& combo, bool editable, QWidget* parent) {
  QComboBox* box = NewComboBox(combo, editable, parent);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(20);
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return box;
}

ListBoxView* SuccessList(ListBox& list, QWidget* parent) {
  auto* view = new ListBoxView(list, parent);
  view->setMinimumHeight(120);
  return view;
}

QHBoxLayout* RightAligned(QWidget* widget) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(widget);
  return row;
}

QGroupBox* FullPathPanel(ManualCreationPage& p, QWidget* parent) {
  QGroupBox* group = Panel(p.grpForced, parent);
  auto* column = new QVBoxLayout(group);
  column->addWidget(NewLabel(p.lblCreateFolderForced, group));
  column->addWidget(PathBox(p.cboCreateFolderForced, true, group));
  column->addLayout(RightAligned(NewButton(p.btnCreateFolderForced, group)));
  column->addWidget(NewLabel(p.lblSuccess, group));
  column->addWidget(SuccessList(p.lstSuccess, group), 1);
  column->addLayout(RightAligned(NewButton(p.btnForcedErrorLog, group)));
  return group;
}

QGroupBox* SubFolderPanel(ManualCreationPage& p, QWidget* parent) {
  QGroupBox* group = Panel(p.grpSubFolder, parent);
  auto* column = new QVBoxLayout(group);
  column->addWidget(NewLabel(p.lblRootFolders, group));
  auto* root = new QHBoxLayout;
  // The root comes from Browse and the entries only, so the preview always
  // matches what a run would use.
  QComboBox* rootBox = PathBox(p.cboRootFolders, false, group);
  AcceptFileDrops(rootBox, [&p](const std::vector<std::string>& paths) { p.DropRootFolder(paths); });
  root->addWidget(rootBox, 1);
  root->addWidget(NewButton(p.btnAddRootFolders, group));
  column->addLayout(root);

  column->addWidget(NewLabel(p.lblSubFolder, group));
  column->addWidget(PathBox(p.cboSubFolder, true, group));

  auto* preview = new QHBoxLayout;
  preview->addWidget(NewLabel(p.lblSimple02Preview, group));
  QLabel* path = NewLabel(p.lblSimple02CompleteFolder, group);
  path->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  path->setTextInteractionFlags(Qt::TextSelectableByMouse);
  path->setMargin(2);
  path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  preview->addWidget(path, 1);
  column->addLayout(preview);

  auto* actions = new QHBoxLayout;
  actions->addWidget(NewCheckBox(p.chkSubViewDestFolder, group));
  actions->addWidget(NewButton(p.btnSubViewDestFolder, group));
  actions->addStretch(1);
  actions->addWidget(NewButton(p.btnCreateSubFolder, group));
  column->addLayout(actions);

  column->addWidget(NewLabel(p.lblSuccessSubFolders, group));
  column->addWidget(SuccessList(p.lstSuccessSubFolders, group), 1);
  column->addLayout(RightAligned(NewButton(p.btnSubFolderErrorLog, group)));
  return group;
}

// Both captions look alike: neither list is the other's heading.
class ErrorLogView : public WindowView {
 public:
  ErrorLogView(Window& window, Label& existCaption, ListBox& exist, Label& otherCaption, ListBox& other, Button& ok,
               QWidget* parent)
      : WindowView(window, parent, OwnLayout{}) {
    auto* column = new QVBoxLayout(this);
    column->addWidget(NewLabel(existCaption, this));
    column->addWidget(new ListBoxView(exist, this), 1);
    column->addWidget(NewLabel(otherCaption, this));
    column->addWidget(new ListBoxView(other, this), 1);
    QPushButton* button = NewButton(ok, this);
    button->setDefault(true);
    EndsModal(button);
    column->addLayout(RightAligned(button));
    resize(560, 420);
  }
};

}  // namespace

WindowView* NewErrorLogView(Window& window, QWidget* parent) {
  if (auto* w = dynamic_cast<TForcedUnSuccessFullForm*>(&window))
    return new ErrorLogView(window, w->lblForcedUnSuccessFullExist, w->lstForcedUnSuccessFullExist,
                            w->lblForcedUnSuccessFullOther, w->lstForcedUnSuccessFullOther,
                            w->btnForcedUnSuccessFullOk, parent);
  if (auto* w = dynamic_cast<TSubFolderUnSuccessFullForm*>(&window))
    return new ErrorLogView(window, w->lblSubFolderUnSuccessFullExist, w->lstSubFolderUnSuccessFullExist,
                            w->lblSubFolderUnSuccessFullOther, w->lstSubFolderUnSuccessFullOther,
                            w->btnSubFolderUnSuccessFullOk, parent);
  return nullptr;
}

QWidget* BuildManualCreationPage(ManualCreationPage& page, Button& help, QWidget* parent) {
  auto* widget = new QWidget(parent);
  auto* column = new QVBoxLayout(widget);
  auto* panels = new QHBoxLayout;
  panels->addWidget(FullPathPanel(page, widget), 1);
  panels->addWidget(SubFolderPanel(page, widget), 1);
  column->addLayout(panels, 1);
  column->addLayout(RightAligned(NewButton(help, widget)));
  return widget;
}

}  // namespace quillory
