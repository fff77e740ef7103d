#include "qt/list_panel_view.h"

#include "qt/bindings.h"
#include "qt/list_box_model.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quillory {

namespace {

// A hint the model gives wins; otherwise the view's own.
void Explain(QWidget* widget, const Control& control, const QString& hint) {
  if (control.Hint().empty()) widget->setToolTip(hint);
}

QPushButton* PanelButton(Button& button, const QString& hint, QWidget* parent) {
  QPushButton* widget = NewButton(button, parent);
  Explain(widget, button, hint);
  // Enter belongs to the add box; a button must never take it as default.
  widget->setAutoDefault(false);
  return widget;
}

// A list of the panel: multi-selection (as the model list asks), read-only,
// scrolled by pixels sideways so a long path can be read to its end.
ListBoxView* PanelList(ListBox& list, QWidget* parent) {
  auto* view = new ListBoxView(list, parent);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->horizontalScrollBar()->setSingleStep(view->fontMetrics().averageCharWidth() * 4);
  view->setMinimumSize(160, 90);
  return view;
}

QLabel* Title(const QString& text, QWidget* parent) {
  QLabel* label = NewCaption(text, parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QHBoxLayout* Counter(Label& sum, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(NewCaption(QObject::tr("Lines:"), parent));
  QLabel* value = NewLabel(sum, parent);
  value->setMinimumWidth(60);
  row->addWidget(value);
  row->addStretch(1);
  return row;
}

QString AddHint(const ListPanel& panel) {
  switch (panel.Page()) {
    case PageKey::Vol02: return QObject::tr("Add the typed text to the Include list (Enter)");
    case PageKey::Vol04: return QObject::tr("Add the typed full folder path(s) to the Include list (Enter)");
    default: return QObject::tr("Choose a folder to add to the Include list");
  }
}

}  // namespace

QWidget* BuildListPanel(ListPanel& panel, QWidget* parent) {
  auto* widget = new QWidget(parent);
  widget->setObjectName(ToQt("pnl" + panel.Key() + "Lists"));
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);

  // One grid, so both lists stand equally high whatever is under them.
  auto* lists = new QGridLayout;
  lists->addWidget(Title(QObject::tr("Include List"), widget), 0, 0);
  lists->addWidget(Title(QObject::tr("Exclude List"), widget), 0, 2);

  ListBoxView* includeView = PanelList(panel.include, widget);
  AcceptFileDrops(includeView, [&panel](const std::vector<std::string>& paths) { panel.DropPaths(paths); });
  lists->addWidget(includeView, 1, 0);
  auto* moves = new QVBoxLayout;
  moves->addStretch(1);
  const std::pair<Button*, QString> moveButtons[] = {
      {&panel.btnIncToExc, QObject::tr("Move the selected items to the Exclude list")},
      {&panel.btnExcToInc, QObject::tr("Move the selected items back to the Include list")},
      {&panel.btnAllFromInc, QObject::tr("Move all items to the Exclude list")},
      {&panel.btnAllFromExc, QObject::tr("Move all items back to the Include list")},
      {&panel.btnExchange, QObject::tr("Exchange the contents of the Include and Exclude lists")},
  };
  for (const auto& [button, hint] : moveButtons) {
    QPushButton* move = PanelButton(*button, hint, widget);
    move->setFixedWidth(move->fontMetrics().horizontalAdvance(QStringLiteral("<<>>")) + 24);
    moves->addWidget(move);
  }
  moves->addStretch(1);
  lists->addLayout(moves, 1, 1);
  ListBoxView* excludeView = PanelList(panel.exclude, widget);
  ClickOnDelete(excludeView, panel.btnDeleteFromExclude);
  lists->addWidget(excludeView, 1, 2);

  lists->addLayout(Counter(panel.includeSum, widget), 2, 0);
  lists->addLayout(Counter(panel.excludeSum, widget), 2, 2);
  auto* deletes = new QHBoxLayout;
  deletes->addWidget(PanelButton(panel.btnDeleteFromExclude,
                                 QObject::tr("Delete the selected items from the Exclude list (Delete key)"), widget));
  deletes->addWidget(
      PanelButton(panel.btnDeleteExcludeAll, QObject::tr("Delete every item of the Exclude list"), widget));
  deletes->addStretch(1);
  lists->addLayout(deletes, 3, 2);
  lists->setRowStretch(1, 1);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(2, 1);
  layout->addLayout(lists, 1);

  auto* add = new QHBoxLayout;
  if (panel.edtAddToList) {
    QLineEdit* edit = NewEdit(*panel.edtAddToList, widget);
    Explain(edit, *panel.edtAddToList,
            panel.Page() == PageKey::Vol02 ? QObject::tr("Type a name and press Enter to add it to the Include list")
                                             : QObject::tr("Type one or more full folder paths and press Enter to add "
                                                           "them to the Include list"));
    add->addWidget(edit, 1);
    add->addWidget(PanelButton(panel.btnAdd, AddHint(panel), widget));
  } else {
    add->addWidget(PanelButton(panel.btnAdd, AddHint(panel), widget));
    if (panel.btnViewSelected)
      add->addWidget(PanelButton(*panel.btnViewSelected,
                                 QObject::tr("Open the focused Include folder in the file manager"), widget));
    add->addStretch(1);
  }
  layout->addLayout(add);

  auto* tools = new QHBoxLayout;
  tools->addWidget(
      PanelButton(panel.btnEditIncludeList, QObject::tr("Edit the Include list line by line"), widget));
  tools->addWidget(PanelButton(panel.btnZoom, QObject::tr("Show the Include list in a wide window"), widget));
  tools->addSpacing(12);
  tools->addWidget(PanelButton(panel.btnImportList, QObject::tr("Add the lines of a text file to the Include list"),
                               widget));
  // Pages with the method radios show the smart import beside its radio.
  if (!panel.grpMethods)
    tools->addWidget(PanelButton(panel.btnSmartImport,
                                 QObject::tr("Cut a text or separated file into items, preview and import them"),
                                 widget));
  tools->addWidget(
      PanelButton(panel.btnExportList, QObject::tr("Write the Include list to a text file, one item per line"), widget));
  tools->addWidget(PanelButton(panel.btnSmartExport,
                               QObject::tr("Write the Include list as plain or separated text, with options"), widget));
  tools->addStretch(1);
  tools->addWidget(
      PanelButton(panel.btnClearAll, QObject::tr("Empty both lists and reset every field of this page"), widget));
  layout->addLayout(tools);

  return widget;
}

QGroupBox* BuildListMethods(ListPanel& panel, QWidget* parent) {
  if (!panel.grpMethods) return nullptr;
  auto* group = new QGroupBox(parent);
  group->setObjectName(ToQt(panel.grpMethods->Name()));
  BindGroupBox(group, *panel.grpMethods);
  auto* column = new QVBoxLayout(group);
  for (RadioButton* radio : {panel.rdoMakeListSelector, panel.rdoMakeListImport, panel.rdoAddToListManually}) {
    if (!radio) continue;
    column->addWidget(NewRadioButton(*radio, group));
    if (radio == panel.rdoMakeListImport) {
      auto* row = new QHBoxLayout;
      row->addSpacing(20);
      row->addWidget(PanelButton(panel.btnSmartImport,
                                 QObject::tr("Cut a text or separated file into folders, preview and import them"),
                                 group));
      row->addStretch(1);
      column->addLayout(row);
    }
  }
  column->addStretch(1);
  return group;
}

}  // namespace quillory
