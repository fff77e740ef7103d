#include "qt/main_window_view.h"

#include <algorithm>

#include "qt/bindings.h"
#include "qt/list_panel_view.h"
#include "qt/manual_creation_view.h"
#include "qt/visual_log_view.h"
#include "results/operation_statistics.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillory {

namespace {

// A label that shows a value: framed like a field, never widening the page
// (long paths are cut at the frame; the whole text is selectable).
void StyleValue(QLabel* label, Qt::Alignment alignment) {
  label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  label->setAlignment(alignment | Qt::AlignVCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setMargin(2);
}

// A menu shows as long as one of its entries does.
void FollowEntries(QMenu* menu) {
  auto sync = [menu] {
    bool any = false;
    for (QAction* action : menu->actions()) any = any || action->isVisible();
    menu->menuAction()->setVisible(any);
  };
  for (QAction* action : menu->actions()) QObject::connect(action, &QAction::changed, menu, sync);
  sync();
}

// The "Statistics" group of a folder page ("06", "07", "08").
QGroupBox* CounterGroup(TfrmMain& m, const std::string& page, QWidget* parent) {
  return NewCounterGroup(m, "lblVol" + page, page, true, parent);
}

// The "Visual Log" button goes before the footer's stretch.
void AddVisualLogButton(QHBoxLayout* footer, Button& button, QWidget* parent) {
  int at = footer->count();
  for (int i = 0; i < footer->count(); ++i)
    if (footer->itemAt(i)->spacerItem()) {
      at = i;
      break;
    }
  footer->insertWidget(at, NewButton(button, parent));
}

// A page taller than a small screen leaves scrolls instead of pushing the
// window off the screen; on a larger one no scroll bar shows.
QScrollArea* Scrolled(QWidget* page) {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(page);
  return area;
}

// A page's own layout, kept tight: the busiest page then fits a 768-pixel
// screen without scrolling.
QVBoxLayout* PageColumn(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(8, 6, 8, 4);
  column->setSpacing(4);
  return column;
}

}  // namespace

MainWindowView::MainWindowView(TfrmMain& model, QWidget* parent) : QMainWindow(parent), model_(model) {
  setObjectName(ToQt(model.ClassName()));
  setWindowTitle(ToQt(model.Caption()));
  BuildMenus();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(ToQt(model.pgeMain.Name()));
  tabs_->setDocumentMode(false);
  for (TabSheet* sheet : model.pgeMain.Pages()) {
    QWidget* page = nullptr;
    if (sheet == &model.tabFolderCreate03) page = BuildVol02();
    else if (sheet == &model.tabFolderCreate05) page = BuildVol04();
    else if (sheet == &model.tabFolderCreate04) page = BuildVol03();
    else if (sheet == &model.tabFoldersCopy02)
      page = BuildFolderListPage(*sheet, model.vol08Panel, model.btnVol08Help, &model.vol08Files);
    else if (sheet == &model.tabFoldersDelete01)
      page = BuildFolderListPage(*sheet, model.vol07Panel, model.btnVol07Help, &model.vol07Files);
    else if (sheet == &model.tabFoldersRename01)
      page = BuildFolderListPage(*sheet, model.vol06Panel, model.btnVol06Help);
    else page = BuildManualCreationPage(model.forced, model.btnForcedHelp);
    page->setObjectName(ToQt(sheet->Name()));
    const int index = tabs_->addTab(Scrolled(page), ToQt(sheet->Caption()));
    BindTabSheet(tabs_, index, *sheet);
  }
  BindPageControl(tabs_, model.pgeMain);
  setCentralWidget(tabs_);
  // Wide enough for every tab caption, so no tab hides behind scroll arrows.
  resize(std::max(980, tabs_->tabBar()->sizeHint().width() + 16), 700);

  shown_ = model.shownChanged.Connect([this](bool shown) {
    if (syncing_) return;
    QScopedValueRollback<bool> sync(syncing_, true);
    if (shown) show();
    else close();
  });
  caption_ = model.captionChanged.Connect([this] { setWindowTitle(ToQt(model_.Caption())); });
}

void MainWindowView::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(NewAction(model_.mnuFileExit, file));

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(NewAction(model_.mnuHelpOverView, help));
  help->addAction(NewAction(model_.mnuHelpAbout, help));

  QMenu* videos = menuBar()->addMenu(tr("Video tutorials"));
  for (Button* entry : model_.mnuVideoTutorials) videos->addAction(NewAction(*entry, videos));
  FollowEntries(videos);

  QMenu* misc = menuBar()->addMenu(tr("Misc."));
  misc->addAction(NewAction(model_.mnuMiscManageSeparators, misc));
  misc->addAction(NewAction(model_.mnuMiscManageQuotationMarks, misc));
  FollowEntries(misc);
}

bool MainWindowView::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Guarded([this] { model_.FormActivate(); });
  return QMainWindow::event(e);
}

void MainWindowView::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (syncing_ || e->spontaneous()) return;
  QScopedValueRollback<bool> sync(syncing_, true);
  model_.SetShown(true);
}

void MainWindowView::closeEvent(QCloseEvent* e) {
  // A close the model asked for (File > Exit) has already saved.
  if (!syncing_) {
    QScopedValueRollback<bool> sync(syncing_, true);
    Guarded([this] { model_.FormClose(); });
    model_.SetShown(false);
  }
  e->accept();
}

// ------------------------------------------------------------------ groups

QGroupBox* MainWindowView::Destination(ComboBox& combo, Button& browse, Button& view, QWidget* parent) {
  auto* group = new QGroupBox(tr("Destination Folder"), parent);
  auto* row = new QHBoxLayout(group);
  QComboBox* box = NewComboBox(combo, false, group);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(30);
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  row->addWidget(box, 1);
  row->addWidget(NewButton(browse, group));
  row->addWidget(NewButton(view, group));
  return group;
}

QGroupBox* MainWindowView::NameParts(Edit& prefix, Edit& suffix, CheckBox& hyphen, QWidget* parent) {
  auto* group = new QGroupBox(tr("Folder Name"), parent);
  auto* grid = new QGridLayout(group);
  grid->addWidget(NewCaption(tr("Prefix :"), group), 0, 0);
  grid->addWidget(NewEdit(prefix, group), 0, 1);
  grid->addWidget(NewCaption(tr("Suffix :"), group), 1, 0);
  grid->addWidget(NewEdit(suffix, group), 1, 1);
  grid->addWidget(NewCheckBox(hyphen, group), 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  return group;
}

QGroupBox* MainWindowView::Preview(Label& start, Label& end, QWidget* parent) {
  auto* group = new QGroupBox(tr("Preview"), parent);
  auto* grid = new QGridLayout(group);
  int row = 0;
  for (auto [caption, label] : {std::pair{tr("Start Folder :"), &start}, std::pair{tr("End Folder :"), &end}}) {
    grid->addWidget(NewCaption(caption, group), row, 0);
    QLabel* value = NewLabel(*label, group);
    StyleValue(value, Qt::AlignLeft);
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    grid->addWidget(value, row++, 1);
  }
  grid->setColumnStretch(1, 1);
  return group;
}

QGroupBox* MainWindowView::Statistics(CreatePageState& page, QWidget* parent) {
  auto* group = new QGroupBox(tr("Statistics"), parent);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(10);
  const std::string key = "lbl" + page.key;
  for (int c = 0; c < 4; ++c) {
    if (auto* caption = model_.FindAs<Label>(key + "Column" + kCreateColumns[c])) {
      QLabel* widget = NewLabel(*caption, group);
      widget->setAlignment(Qt::AlignCenter);
      grid->addWidget(widget, 0, c + 1);
    }
    grid->setColumnStretch(c + 1, 1);
  }
  for (int r = 0; r < 4; ++r) {
    if (auto* caption = model_.FindAs<Label>(key + "Row" + kCreateRows[r]))
      grid->addWidget(NewLabel(*caption, group), r + 1, 0);
    for (int c = 0; c < 4; ++c) {
      QLabel* counter = NewLabel(*page.statLabels[r][c], group);
      StyleValue(counter, Qt::AlignRight);
      counter->setMinimumWidth(90);
      grid->addWidget(counter, r + 1, c + 1);
    }
  }
  return group;
}

QHBoxLayout* MainWindowView::Footer(CheckBox* visualLog, CheckBox* explorer, Button& help, QWidget* parent) {
  auto* row = new QHBoxLayout;
  if (visualLog) row->addWidget(NewCheckBox(*visualLog, parent));
  if (explorer) row->addWidget(NewCheckBox(*explorer, parent));
  row->addStretch(1);
  row->addWidget(NewButton(help, parent));
  return row;
}

QHBoxLayout* MainWindowView::NamesAndPreview(Edit& prefix, Edit& suffix, CheckBox& hyphen, Label& start, Label& end,
                                             QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(NameParts(prefix, suffix, hyphen, parent), 2);
  row->addWidget(Preview(start, end, parent), 3);
  return row;
}

// ------------------------------------------------------------------- pages

QWidget* MainWindowView::BuildVol02() {
  TfrmMain& m = model_;
  auto* page = new QWidget;
  QVBoxLayout* column = PageColumn(page);
  column->addWidget(Destination(m.cboVol02DestFolders, m.btnVol02AddDestFolder, m.btnVol02ViewDestFolder, page));

  column->addLayout(NamesAndPreview(m.edtVol02Prefix, m.edtVol02Suffix, m.chkVol02Hyphen, m.lblVol02StartFolder,
                                    m.lblVol02EndFolder, page));
  column->addWidget(BuildListPanel(m.vol02Panel, page), 1);

  column->addWidget(Statistics(m.vol02, page));
  QHBoxLayout* footer = Footer(&m.chkVol02ViewDetailedResults, &m.chkVol02ViewDestFolder, m.btnVol02ListHelp, page);
  AddVisualLogButton(footer, m.btnVol02Statistic, page);
  column->addLayout(footer);
  return page;
}

QWidget* MainWindowView::BuildVol04() {
  TfrmMain& m = model_;
  auto* page = new QWidget;
  QVBoxLayout* column = PageColumn(page);

  column->addLayout(NamesAndPreview(m.edtVol04Prefix, m.edtVol04Suffix, m.chkVol04Hyphen, m.lblVol04StartFolder,
                                    m.lblVol04EndFolder, page));
  column->addWidget(BuildListPanel(m.vol04Panel, page), 1);

  QGroupBox* statistics = Statistics(m.vol04, page);
  statistics->setObjectName(ToQt(m.grpVol04Statistics.Name()));
  BindGroupBox(statistics, m.grpVol04Statistics);
  column->addWidget(statistics);
  QHBoxLayout* footer = Footer(&m.chkVol04ViewDetailedResults, nullptr, m.btnVol04Help, page);
  AddVisualLogButton(footer, m.btnVol04Statistics, page);
  column->addLayout(footer);
  return page;
}

QWidget* MainWindowView::BuildVol03() {
  TfrmMain& m = model_;
  auto* page = new QWidget;
  QVBoxLayout* column = PageColumn(page);
  column->addWidget(Destination(m.cboVol03DestFolders, m.btnVol03AddDestFolder, m.btnVol03ViewDestFolder, page));

  auto* middle = new QHBoxLayout;
  auto* numbers = new QGroupBox(tr("Increased Numbers"), page);
  auto* grid = new QGridLayout(numbers);
  grid->addWidget(NewCaption(tr("Start Number :"), numbers), 0, 0);
  grid->addWidget(NewEdit(m.edtVol03StartNumber, numbers), 0, 1);
  grid->addWidget(NewCaption(tr("End (Stop) Number :"), numbers), 1, 0);
  grid->addWidget(NewEdit(m.edtVol03EndNumber, numbers), 1, 1);
  grid->addWidget(NewCheckBox(m.chkVol03PaddedZeroes, numbers), 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  middle->addWidget(numbers, 1);
  middle->addWidget(NameParts(m.edtVol03Prefix, m.edtVol03Suffix, m.chkVol03Hyphen, page), 1);
  column->addLayout(middle);

  column->addWidget(Preview(m.lblVol03StartFolder, m.lblVol03EndFolder, page));
  column->addStretch(1);
  column->addWidget(Statistics(m.vol03, page));
  QHBoxLayout* footer = Footer(&m.chkVol03ViewDetailedResults, &m.chkVol03ViewDestFolder, m.btnVol03Help, page);
  AddVisualLogButton(footer, m.btnVol03Statistics, page);
  column->addLayout(footer);
  return page;
}

QWidget* MainWindowView::BuildFolderListPage(TabSheet& sheet, ListPanel& panel, Button& help,
                                             FileSelectionControls* fileTypes) {
  auto* page = new QWidget;
  QVBoxLayout* column = PageColumn(page);
  QLabel* heading = NewCaption(ToQt(sheet.Caption()), page);
  QFont font = heading->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.3);
  heading->setFont(font);
  column->addWidget(heading);
  if (QGroupBox* methods = BuildListMethods(panel, page)) column->addWidget(methods);
  column->addWidget(BuildListPanel(panel, page), 1);
  if (fileTypes) {
    auto* row = new QHBoxLayout;
    row->addWidget(NewLabel(fileTypes->status, page));
    row->addWidget(NewLabel(fileTypes->allSelected, page));
    row->addSpacing(12);
    QPushButton* select = NewButton(fileTypes->select, page);
    select->setAutoDefault(false);
    row->addWidget(select);
    row->addStretch(1);
    column->addLayout(row);
  }
  // The page's counters, its "Show Visual Log" box and "Visual Log" button.
  const std::string number = panel.Key().substr(3);
  auto* box = model_.FindAs<CheckBox>("chkVol" + number + "ShowDetailedResults");
  auto* log = model_.FindAs<Button>("btnVol" + number + "Statistics");
  if (log) column->addWidget(CounterGroup(model_, number, page));
  QHBoxLayout* footer = Footer(box, nullptr, help, page);
  if (log) AddVisualLogButton(footer, *log, page);
  column->addLayout(footer);
  return page;
}

}  // namespace quillory
