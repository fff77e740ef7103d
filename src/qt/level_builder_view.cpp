#include "qt/level_builder_view.h"

#include <algorithm>

// Model headers come before Qt's.
#include "lists/level_builder.h"
#include "lists/level_builder_window.h"
#include "qt/bindings.h"
#include "qt/list_box_model.h"
#include "qt/window_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillory {

namespace {

// A number field with its arrows, narrow: levels have at most three digits.
QWidget* NumberField(Edit& edit, UpDown& upDown, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  QLineEdit* field = NewEdit(edit, box);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
  row->addWidget(field);
  row->addWidget(NewUpDown(upDown, box));
  return box;
}

QPushButton* Plain(Button& button, QWidget* parent) {
  QPushButton* widget = NewButton(button, parent);
  widget->setAutoDefault(false);
  return widget;
}

QGroupBox* TitledGroup(Label& title, QWidget* parent) {
  auto* group = new QGroupBox(parent);
  group->setObjectName(ToQt(title.Name()));
  BindGroupBox(group, title);
  return group;
}

QGroupBox* UntitledGroup(const QString& title, QWidget* parent) { return new QGroupBox(title, parent); }

// Four rows: From/To, Above, Below, with their fields.
template <class Levels>
QGridLayout* LevelGrid(Levels& l, RadioButton& from, RadioButton& above, RadioButton& below, QWidget* parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(NewRadioButton(from, parent), 0, 0);
  grid->addWidget(NumberField(l.edtFromLevelNumber, l.udFromLevelNumber, parent), 0, 1);
  grid->addWidget(NewLabel(l.lblToLevelNumber, parent), 0, 2);
  grid->addWidget(NumberField(l.edtToLevelNumber, l.udToLevelNumber, parent), 0, 3);
  grid->addWidget(NewRadioButton(above, parent), 1, 0);
  grid->addWidget(NumberField(l.edtAboveLevelNumber, l.udAboveLevelNumber, parent), 1, 1);
  grid->addWidget(NewRadioButton(below, parent), 2, 0);
  grid->addWidget(NumberField(l.edtBelowLevelNumber, l.udBelowLevelNumber, parent), 2, 1);
  grid->setColumnStretch(4, 1);
  return grid;
}

QTreeWidget* NewLevelTable(ListView& list, QWidget* parent) {
  auto* widget = new QTreeWidget(parent);
  widget->setObjectName(ToQt(list.Name()));
  widget->setRootIsDecorated(false);
  widget->setUniformRowHeights(true);
  BindControl(widget, list);
  auto rebuild = [widget, &list] {
    widget->clear();
    QStringList header;
    for (const auto& column : list.Columns()) header << ToQt(column);
    widget->setColumnCount(std::max<int>(1, static_cast<int>(header.size())));
    widget->setHeaderLabels(header);
    for (const auto& row : list.Rows()) {
      QStringList cells;
      for (const auto& cell : row) cells << ToQt(cell);
      widget->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    widget->header()->resizeSections(QHeaderView::ResizeToContents);
  };
  rebuild();
  KeepWhileAlive(widget, list.changed.Connect([rebuild](const ControlEvent& e) {
    if (e.change == ControlChange::RowsInserted || e.change == ControlChange::RowsReset ||
        e.change == ControlChange::RowsRemoved)
      rebuild();
  }));
  return widget;
}

ListBoxView* BuilderList(ListBox& list, QWidget* parent) {
  auto* view = new ListBoxView(list, parent);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setMinimumSize(200, 140);
  return view;
}

QHBoxLayout* Counter(Label& sum, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(NewCaption(QObject::tr("Lines:"), parent));
  row->addWidget(NewLabel(sum, parent));
  row->addStretch(1);
  return row;
}

class LevelBuilderView : public WindowView {
 public:
  LevelBuilderView(TfrmSubFolderListBuilder& w, QWidget* parent) : WindowView(w, parent, OwnLayout{}) {
    auto* layout = new QVBoxLayout(this);

    auto* source = new QHBoxLayout;
    source->addWidget(NewLabel(w.lblMainSourceFolder, this));
    QComboBox* sourceBox = NewComboBox(w.cboMainSourceFolder, true, this);
    AcceptFileDrops(sourceBox, [&w](const std::vector<std::string>& paths) { w.DropSource(paths); });
    source->addWidget(sourceBox, 1);
    source->addWidget(Plain(w.btnMainSourceFolderAdd, this));
    source->addWidget(Plain(w.btnMainSourceFolderView, this));
    layout->addLayout(source);

    auto* top = new QHBoxLayout;
    auto* summary = new QVBoxLayout;
    auto* contains = new QHBoxLayout;
    contains->addWidget(NewLabel(w.lblMainLevelSumContains, this));
    contains->addWidget(NewLabel(w.lblMainLevelSumSubFolder, this));
    contains->addWidget(NewCaption(tr("folders,"), this));
    contains->addWidget(NewLabel(w.lblMainLevelSumFiles, this));
    contains->addWidget(NewCaption(tr("files,"), this));
    contains->addWidget(NewLabel(w.lblMainLevelSumFileSize, this));
    contains->addStretch(1);
    summary->addLayout(contains);
    QTreeWidget* table = NewLevelTable(w.lstViewLevelSumFolder, this);
    table->setMinimumHeight(110);
    summary->addWidget(table, 1);
    top->addLayout(summary, 1);

    auto* selection = new QVBoxLayout;
    QGroupBox* levels = UntitledGroup(tr("Subfolder Level Selector"), this);
    levels->setLayout(LevelGrid(w, w.rdoFromToLevelNumber, w.rdoAboveLevelNumber, w.rdoBelowLevelNumber, levels));
    selection->addWidget(levels);
    QGroupBox* kinds = UntitledGroup(tr("SubFolder To List"), this);
    auto* kindColumn = new QVBoxLayout(kinds);
    kindColumn->addWidget(NewRadioButton(w.rdoBuildLastSubFolder, kinds));
    kindColumn->addWidget(NewRadioButton(w.rdoBuildAllSubFolders, kinds));
    selection->addWidget(kinds);
    auto* filter = new QHBoxLayout;
    filter->addWidget(NewLabel(w.lblSubFolderFilter, this));
    filter->addWidget(NewEdit(w.edtSubFolderFilter, this), 1);
    selection->addLayout(filter);
    QPushButton* build = Plain(w.btnBuildList, this);
    selection->addWidget(build);
    top->addLayout(selection);
    layout->addLayout(top);

    auto* lists = new QHBoxLayout;
    auto* include = new QVBoxLayout;
    include->addWidget(NewCaption(tr("Include:"), this));
    include->addWidget(BuilderList(w.lstIncludeFolderList, this), 1);
    include->addLayout(Counter(w.lblIncludeSum, this));
    lists->addLayout(include, 1);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (Button* b : {&w.btnFromIncToExc, &w.btnFromExcToInc, &w.btnAllFromIncToExc, &w.btnAllFromExcToInc,
                      &w.btnExchangeIncToExc}) {
      QPushButton* button = Plain(*b, this);
      button->setFixedWidth(44);
      moves->addWidget(button);
    }
    moves->addStretch(1);
    lists->addLayout(moves);
    auto* exclude = new QVBoxLayout;
    exclude->addWidget(NewCaption(tr("Exclude:"), this));
    exclude->addWidget(BuilderList(w.lstExcludeFolderList, this), 1);
    exclude->addLayout(Counter(w.lblExcludeSum, this));
    lists->addLayout(exclude, 1);
    layout->addLayout(lists, 1);

    auto* tools = new QHBoxLayout;
    for (Button* b : {&w.btnEditIncludeList, &w.btnIncludeFolderListView, &w.btnSubFolderListBuilderLevels,
                      &w.btnSmartExport})
      tools->addWidget(Plain(*b, this));
    tools->addStretch(1);
    for (Button* b : {&w.btnDeleteFromExcludeList, &w.btnDeleteExcludedAll}) tools->addWidget(Plain(*b, this));
    layout->addLayout(tools);

    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    QPushButton* import = Plain(w.btnImport, this);
    QPushButton* cancel = Plain(w.btnCancel, this);
    EndsModal(import);
    EndsModal(cancel);
    closing->addWidget(import);
    closing->addWidget(cancel);
    layout->addLayout(closing);
    resize(760, 620);
  }
};

}  // namespace

QGroupBox* BuildLevelBuilderGroup(LevelBuilderGroup& g, QWidget* parent) {
  QGroupBox* group = TitledGroup(g.grpLevelBuilder, parent);
  auto* column = new QVBoxLayout(group);
  auto* root = new QHBoxLayout;
  root->addWidget(NewLabel(g.lblLevelDestFolder, group));
  QComboBox* box = NewComboBox(g.cboLevelDestFolder, true, group);
  box->setMinimumWidth(260);
  AcceptFileDrops(box, [&g](const std::vector<std::string>& paths) { g.DropPaths(paths); });
  root->addWidget(box, 1);
  root->addWidget(Plain(g.btnAddDestFolder, group));
  root->addWidget(Plain(g.btnViewDestFolder, group));
  column->addLayout(root);

  auto* row = new QHBoxLayout;
  QGroupBox* levels = TitledGroup(g.grpLevelSelector, group);
  levels->setLayout(LevelGrid(g, g.rdoSLNFromTo, g.rdoSLNAbove, g.rdoSLNBelow, levels));
  row->addWidget(levels);
  QGroupBox* kinds = TitledGroup(g.grpSubFolderToList, group);
  auto* kindColumn = new QVBoxLayout(kinds);
  kindColumn->addWidget(NewRadioButton(g.rdoGenLastSubFolder, kinds));
  kindColumn->addWidget(NewRadioButton(g.rdoGenAllSubFolders, kinds));
  kindColumn->addStretch(1);
  row->addWidget(kinds);
  auto* actions = new QVBoxLayout;
  auto* filter = new QHBoxLayout;
  filter->addWidget(NewLabel(g.lblSubFolderFilter, group));
  filter->addWidget(NewEdit(g.edtSubFolderFilter, group), 1);
  actions->addLayout(filter);
  actions->addWidget(Plain(g.btnMakeList, group));
  actions->addWidget(Plain(g.btnSubFolderLevelListBuilder, group));
  actions->addStretch(1);
  row->addLayout(actions, 1);
  column->addLayout(row);
  return group;
}

WindowView* NewLevelBuilderView(Window& window, QWidget* parent) {
  if (auto* builder = dynamic_cast<TfrmSubFolderListBuilder*>(&window)) return new LevelBuilderView(*builder, parent);
  return nullptr;
}

}  // namespace quillory
