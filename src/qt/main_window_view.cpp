#include "qt/main_window_view.h"

#include "app/run_jobs.h"

#include <algorithm>
#include <utility>

#include "app/run_jobs.h"
#include "qt/bindings.h"
#include "qt/delete_page_view.h"
#include "qt/rename_page_view.h"
#include "qt/level_builder_view.h"
#include "qt/list_panel_view.h"
#include "qt/manual_creation_view.h"
#include "qt/placement.h"
#include "qt/structures_view.h"
#include "qt/visual_log_view.h"
#include "results/operation_statistics.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QUrl>
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

// The "Statistics" group of a folder page (06, 07, 08).
QGroupBox* CounterGroup(TfrmMain& m, PageKey page, QWidget* parent) {
  return NewCounterGroup(m, "lblVol" + std::string(PageOf(page).number), page, true, parent);
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

// "One Line Contains" of the string and path pages.
QGroupBox* OneLineGroup(CreatePage& page, QWidget* parent) {
  auto* group = new QGroupBox(QObject::tr("One Line Contains"), parent);
  auto* column = new QVBoxLayout(group);
  column->addWidget(NewRadioButton(*page.rdoOneLineOneFolder, group));
  column->addWidget(NewRadioButton(*page.rdoOneLineManyFolders, group));
  column->addStretch(1);
  return group;
}

// Simulation and the run button go at the right of the footer, before Help.
void AddRunButtons(QHBoxLayout* footer, Button& simulationButton, Button& runButton, Button& undoButton,
                   QWidget* parent) {
  AddVisualLogButton(footer, undoButton, parent);
  const int at = footer->count() - 1;  // Help is last
  QPushButton* simulation = NewButton(simulationButton, parent);
  QPushButton* run = NewButton(runButton, parent);
  QFont bold = run->font();
  bold.setBold(true);
  run->setFont(bold);
  simulation->setAutoDefault(false);
  run->setAutoDefault(false);
  footer->insertWidget(at, simulation);
  footer->insertWidget(at + 1, run);
  footer->insertSpacing(at + 2, 12);
}

void AddRunButtons(QHBoxLayout* footer, CreatePage& page, QWidget* parent) {
  AddRunButtons(footer, page.btnCreateFoldersSimulation, page.btnCreateFolders, page.btnUndo, parent);
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

// The page scrolls on a small screen while its footer (the run buttons, the
// Visual Log) stays in sight below it.
QWidget* WithFooter(QWidget* content, QHBoxLayout* footer) {
  auto* page = new QWidget;
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(Scrolled(content), 1);
  auto* frame = new QFrame(page);
  frame->setFrameShape(QFrame::NoFrame);
  footer->setContentsMargins(8, 4, 8, 6);
  frame->setLayout(footer);
  column->addWidget(frame);
  return page;
}

// A page's own layout, kept tight: the busiest page then fits a 768-pixel
// screen without scrolling.
QVBoxLayout* PageColumn(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(8, 6, 8, 4);
  column->setSpacing(4);
  return column;
}

// What the run works on at the left, how it attaches and what it counted at
// the right: side by side, a page's main inputs fit a 1366x768 screen.
std::pair<QVBoxLayout*, QVBoxLayout*> TwoColumns(QVBoxLayout* page) {
  auto* row = new QHBoxLayout;
  row->setSpacing(8);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  left->setSpacing(4);
  right->setSpacing(4);
  row->addLayout(left, 3);
  row->addLayout(right, 2);
  page->addLayout(row, 1);
  return {left, right};
}

}  // namespace

MainWindowView::MainWindowView(TfrmMain& model, QWidget* parent) : QMainWindow(parent), model_(model) {
  setObjectName(ToQt(model.ClassName()));
  setWindowTitle(ToQt(model.Caption()));
  BuildMenus();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(ToQt(model.pgeMain.Name()));
  tabs_->setDocumentMode(false);
  for (const PageDescriptor& descriptor : kPages) {
    TabSheet* sheet = model.pgeMain.Pages()[descriptor.tabIndex()];
    QWidget* page = BuildPage(descriptor.key);
    page->setObjectName(ToQt(sheet->Name()));
    const int index = tabs_->addTab(Scrolled(page), ToQt(sheet->Caption()));
    BindTabSheet(tabs_, index, *sheet);
  }
  BindPageControl(tabs_, model.pgeMain);
  setCentralWidget(tabs_);
  AssignAccelerators(tabs_);
  TabInRowOrder(tabs_);
  SetHintDuration(this, model.hintHidePauseMs);

  // The status bar only shows during a run and after a simulation: idle,
  // its height goes to the page.
  runProgress_ = new QProgressBar(this);
  runProgress_->setObjectName(QStringLiteral("prbRunProgress"));
  runProgress_->setMaximumWidth(320);
  runStop_ = new QPushButton(tr("Stop"), this);
  runStop_->setObjectName(QStringLiteral("btnRunStop"));
  runStop_->setToolTip(tr("Stops the run after the item under way (Esc); what was done stays done and listed."));
  runStop_->setAutoDefault(false);
  runStop_->setVisible(false);
  connect(runStop_, &QPushButton::clicked, this, [this] {
    if (stop_) stop_();
    runStop_->setEnabled(false);  // asked once; the run ends after its item
  });
  runSpeed_ = new QLabel(this);
  runSpeed_->setObjectName(QStringLiteral("lblRunSpeed"));
  runSpeed_->setToolTip(tr("File-system operations per second, and the time the rest of the run should take"));
  runSpeed_->setVisible(false);
  statusBar()->addPermanentWidget(runSpeed_);
  statusBar()->addPermanentWidget(runStop_);
  statusBar()->addPermanentWidget(runProgress_);
  simulationNote_ = new QLabel(tr("Simulation \u2014 nothing was changed on disk"), this);
  simulationNote_->setObjectName(QStringLiteral("lblSimulationNote"));
  simulationNote_->setVisible(false);
  statusBar()->addWidget(simulationNote_, 1);
  statusBar()->setVisible(false);
  FollowSimulations();
  // Wide enough for the pages' two columns and every tab caption, cut down
  // to a smaller screen (where the pages scroll).
  int wide = std::max(1280, tabs_->tabBar()->sizeHint().width() + 16);
  for (QScrollArea* area : tabs_->findChildren<QScrollArea*>())
    if (area->widget() != nullptr) wide = std::max(wide, area->widget()->minimumSizeHint().width() + 48);
  resize(wide, 700);
  FitToScreen(this);

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
  QAction* topics = NewAction(model_.mnuHelpTopics, help);
  topics->setShortcut(QKeySequence::HelpContents);  // F1: the page in front
  topics->setShortcutContext(Qt::WindowShortcut);
  help->addAction(topics);
  help->addAction(NewAction(model_.mnuHelpOverView, help));
  help->addAction(NewAction(model_.mnuHelpWebPage, help));
  help->addAction(NewAction(model_.mnuHelpAbout, help));
  model_.openWebPage = [](const std::string& address) { QDesktopServices::openUrl(QUrl(ToQt(address))); };

  QMenu* videos = menuBar()->addMenu(tr("Video tutorials"));
  for (Button* entry : model_.mnuVideoTutorials) videos->addAction(NewAction(*entry, videos));
  FollowEntries(videos);

  QMenu* misc = menuBar()->addMenu(tr("Misc."));
  misc->addAction(NewAction(model_.mnuMiscManageSeparators, misc));
  misc->addAction(NewAction(model_.mnuMiscManageQuotationMarks, misc));
  misc->addSeparator();
  // How many items of a run go at once: radio entries, the one in force
  // checked each time the menu opens (a script or --jobs may have set it).
  QMenu* jobs = misc->addMenu(tr("Operations at Once"));
  jobs->setObjectName(QStringLiteral("mnuMiscJobs"));
  jobs->setToolTipsVisible(true);
  auto* group = new QActionGroup(jobs);
  std::vector<QAction*> entries;
  for (Button* entry : model_.mnuMiscJobs) {
    QAction* action = NewAction(*entry, jobs);
    action->setCheckable(true);
    action->setActionGroup(group);
    action->setToolTip(tr("On a file server many operations in flight hide the network's delay; on a local "
                          "disk one at a time is fastest. Automatic measures and chooses."));
    jobs->addAction(action);
    entries.push_back(action);
  }
  connect(jobs, &QMenu::aboutToShow, this, [entries] {
    for (std::size_t i = 0; i < entries.size(); ++i)
      entries[i]->setChecked(TfrmMain::JobsOfEntry(i) == RunJobs());
  });
  FollowEntries(misc);
}

bool MainWindowView::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    if (running_) activatePending_ = true;
    else Guarded([this] { model_.FormActivate(); });
  }
  return QMainWindow::event(e);
}

void MainWindowView::showEvent(QShowEvent* e) {
  // Centred on its screen when it first opens, so all of it is in sight
  // whatever the window manager would pick.
  if (!e->spontaneous() && isWindow() && !placed_) {
    placed_ = true;
    PlaceOverParent(this);
  }
  QMainWindow::showEvent(e);
  if (syncing_ || e->spontaneous()) return;
  QScopedValueRollback<bool> sync(syncing_, true);
  model_.SetShown(true);
}

void MainWindowView::FollowSimulations() {
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (!button->objectName().endsWith(QLatin1String("Simulation"))) continue;
    connect(button, &QPushButton::pressed, this, [this] { runsAtPress_ = runs_; });
    // Connected after the binding: the simulation has ended by now.
    connect(button, &QPushButton::clicked, this, [this] {
      if (runs_ != runsAtPress_ && !running_) ShowSimulationNote(true);
    });
  }
  for (Control* control : model_.Controls()) {
    inputs_.push_back(control->changed.Connect([this](const ControlEvent& e) {
      switch (e.change) {
        case ControlChange::Text:
        case ControlChange::Checked:
        case ControlChange::Items:
        case ControlChange::ItemIndex:
        case ControlChange::RowsInserted:
        case ControlChange::RowsRemoved:
        case ControlChange::RowsReset:
          if (!running_ && simulated_) ShowSimulationNote(false);
          break;
        default:
          break;
      }
    }));
  }
}

void MainWindowView::ShowStatusNote(const QString& text) {
  ShowSimulationNote(true);
  simulationNote_->setText(text);
}

void MainWindowView::ShowSimulationNote(bool shown) {
  simulated_ = shown;
  // The same place shows what a run left behind (ShowStatusNote).
  if (shown) simulationNote_->setText(tr("Simulation \u2014 nothing was changed on disk"));
  simulationNote_->setVisible(shown);
  statusBar()->setVisible(shown || running_);
}

void MainWindowView::SetRunStoppable(bool stoppable, std::function<void()> stop) {
  stop_ = std::move(stop);
  runStop_->setEnabled(stoppable);
  runStop_->setVisible(stoppable && running_);
}

void MainWindowView::ShowRunSpeed(const QString& text) {
  runSpeed_->setText(text);
  runSpeed_->setVisible(running_ && !text.isEmpty());
}

void MainWindowView::SetRunning(bool running) {
  running_ = running;
  runProgress_->setVisible(running);
  runSpeed_->clear();
  runSpeed_->setVisible(false);
  if (running) {
    ++runs_;
    ShowSimulationNote(false);
  } else {
    statusBar()->setVisible(simulated_);
  }
  if (running) return;
  // Queued, so that the run's handler ends first (its history update is
  // part of what closing saves).
  if (closePending_ || activatePending_)
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (running_) return;  // the next run takes them over
          if (std::exchange(activatePending_, false)) Guarded([this] { model_.FormActivate(); });
          if (std::exchange(closePending_, false)) close();
        },
        Qt::QueuedConnection);
}

void MainWindowView::closeEvent(QCloseEvent* e) {
  if (running_) {
    e->ignore();
    // A run that can stop is asked to, after its item under way; the window
    // closes when it has ended. One that cannot (an undo) is waited for.
    if (runStop_->isVisible() && runStop_->isEnabled()) {
      const auto answer = QMessageBox::question(
          this, windowTitle(), tr("A run is going on.\nStop it and close the program when it has stopped?"),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
      if (answer != QMessageBox::Yes) return;
      if (stop_) stop_();
      runStop_->setEnabled(false);
    }
    closePending_ = true;
    return;
  }
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

QGroupBox* MainWindowView::Statistics(CreatePage& page, QWidget* parent) {
  auto* group = new QGroupBox(tr("Statistics"), parent);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(10);
  const std::string key = "lbl" + std::string(page.descriptor.name);
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

// ------------------------------------------------------------------- pages

QWidget* MainWindowView::BuildVol02() {
  TfrmMain& m = model_;
  auto* page = new QWidget;
  auto [left, right] = TwoColumns(PageColumn(page));
  left->addWidget(Destination(m.vol02.cboVol02DestFolders, m.vol02.btnVol02AddDestFolder, m.vol02.btnVol02ViewDestFolder, page));
  AcceptFileDrops(page->findChild<QComboBox*>("cboVol02DestFolders"), [&m](const auto& p) { m.vol02.destination.DropPaths(p); });
  auto* names = new QHBoxLayout;
  names->addWidget(NameParts(m.vol02.edtVol02Prefix, m.vol02.edtVol02Suffix, m.vol02.chkVol02Hyphen, page), 1);
  names->addWidget(OneLineGroup(m.vol02, page));
  left->addLayout(names);
  left->addWidget(Preview(m.vol02.lblVol02StartFolder, m.vol02.lblVol02EndFolder, page));
  left->addWidget(BuildListPanel(m.vol02.panel, page), 1);

  right->addWidget(BuildStructuresGroup(m.vol02.structures, page, Qt::Vertical), 1);
  right->addWidget(Statistics(m.vol02, page));
  QHBoxLayout* footer = Footer(&m.vol02.chkVol02ViewDetailedResults, &m.vol02.chkVol02ViewDestFolder, m.vol02.btnVol02ListHelp, page);
  AddVisualLogButton(footer, m.vol02.btnVol02Statistic, page);
  AddRunButtons(footer, m.vol02, page);
  return WithFooter(page, footer);
}

QWidget* MainWindowView::BuildVol04() {
  TfrmMain& m = model_;
  auto* page = new QWidget;
  auto [left, right] = TwoColumns(PageColumn(page));
  auto* names = new QHBoxLayout;
  names->addWidget(NameParts(m.vol04.edtVol04Prefix, m.vol04.edtVol04Suffix, m.vol04.chkVol04Hyphen, page), 1);
  names->addWidget(OneLineGroup(m.vol04, page));
  left->addLayout(names);
  left->addWidget(Preview(m.vol04.lblVol04StartFolder, m.vol04.lblVol04EndFolder, page));
  left->addWidget(BuildListPanel(m.vol04.panel, page), 1);

  right->addWidget(BuildStructuresGroup(m.vol04.structures, page, Qt::Vertical), 1);
  QGroupBox* statistics = Statistics(m.vol04, page);
  statistics->setObjectName(ToQt(m.vol04.grpVol04Statistics.Name()));
  BindGroupBox(statistics, m.vol04.grpVol04Statistics);
  right->addWidget(statistics);
  QHBoxLayout* footer = Footer(&m.vol04.chkVol04ViewDetailedResults, nullptr, m.vol04.btnVol04Help, page);
  AddVisualLogButton(footer, m.vol04.btnVol04Statistics, page);
  AddRunButtons(footer, m.vol04, page);
  return WithFooter(page, footer);
}

QWidget* MainWindowView::BuildVol03() {
  TfrmMain& m = model_;
  auto* page = new QWidget;
  auto [left, right] = TwoColumns(PageColumn(page));
  left->addWidget(Destination(m.vol03.cboVol03DestFolders, m.vol03.btnVol03AddDestFolder, m.vol03.btnVol03ViewDestFolder, page));
  AcceptFileDrops(page->findChild<QComboBox*>("cboVol03DestFolders"), [&m](const auto& p) { m.vol03.destination.DropPaths(p); });

  auto* numbers = new QGroupBox(tr("Increased Numbers"), page);
  auto* grid = new QGridLayout(numbers);
  grid->addWidget(NewCaption(tr("Start Number :"), numbers), 0, 0);
  grid->addWidget(NewEdit(m.vol03.edtVol03StartNumber, numbers), 0, 1);
  grid->addWidget(NewCaption(tr("End (Stop) Number :"), numbers), 1, 0);
  grid->addWidget(NewEdit(m.vol03.edtVol03EndNumber, numbers), 1, 1);
  grid->addWidget(NewCheckBox(m.vol03.chkVol03PaddedZeroes, numbers), 2, 0, 1, 2);
  grid->addWidget(NewCheckBox(m.vol03.chkVol03AddIncNumbersAsSuffix, numbers), 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  left->addWidget(numbers);
  left->addWidget(NameParts(m.vol03.edtVol03Prefix, m.vol03.edtVol03Suffix, m.vol03.chkVol03Hyphen, page));
  left->addWidget(Preview(m.vol03.lblVol03StartFolder, m.vol03.lblVol03EndFolder, page));
  left->addStretch(1);

  right->addWidget(BuildStructuresGroup(m.vol03.structures, page, Qt::Vertical), 1);
  right->addWidget(Statistics(m.vol03, page));
  QHBoxLayout* footer = Footer(&m.vol03.chkVol03ViewDetailedResults, &m.vol03.chkVol03ViewDestFolder, m.vol03.btnVol03Help, page);
  AddVisualLogButton(footer, m.vol03.btnVol03Statistics, page);
  AddRunButtons(footer, m.vol03, page);
  footer->insertWidget(footer->count() - 1, NewButton(m.vol03.btnVol03ClearAll, page));
  return WithFooter(page, footer);
}

QWidget* MainWindowView::BuildPage(PageKey key) {
  switch (key) {
    case PageKey::Vol08: return BuildFolderListPage(model_.vol08, &model_.vol08.files.controls, &model_.vol08.structures);
    case PageKey::Vol07: return BuildFolderListPage(model_.vol07, &model_.vol07.files.controls);
    case PageKey::Vol06: return BuildFolderListPage(model_.vol06, nullptr);
    case PageKey::Vol02: return BuildVol02();
    case PageKey::Vol04: return BuildVol04();
    case PageKey::Vol03: return BuildVol03();
    case PageKey::Forced: return BuildManualCreationPage(model_.forced, model_.btnForcedHelp);
  }
  return nullptr;
}

QWidget* MainWindowView::BuildFolderListPage(FolderListPage& folderPage, FileSelectionControls* fileTypes,
                                             StructuresGroup* structures) {
  TabSheet& sheet = *model_.pgeMain.Pages()[folderPage.descriptor.tabIndex()];
  ListPanel& panel = folderPage.panel;
  auto* page = new QWidget;
  QVBoxLayout* column = PageColumn(page);

  // How the list is made, beside the level builder that makes it.
  auto* top = new QHBoxLayout;
  auto* headed = new QVBoxLayout;
  QLabel* heading = NewCaption(ToQt(sheet.Caption()), page);
  QFont font = heading->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.3);
  heading->setFont(font);
  headed->addWidget(heading);
  if (QGroupBox* methods = BuildListMethods(panel, page)) headed->addWidget(methods, 1);
  top->addLayout(headed);
  top->addWidget(BuildLevelBuilderGroup(folderPage.levels, page), 1);
  column->addLayout(top);

  auto [left, right] = TwoColumns(column);
  left->addWidget(BuildListPanel(panel, page), 1);
  if (structures) right->addWidget(BuildStructuresGroup(*structures, page, Qt::Vertical), 1);
  QHBoxLayout* footer = Footer(&folderPage.chkShowDetailedResults, nullptr, folderPage.btnHelp, page);
  AddVisualLogButton(footer, folderPage.btnStatistics, page);
  if (&folderPage == &model_.vol08)
    AddRunButtons(footer, model_.vol08.btnVol08CopyFoldersSimulation, model_.vol08.btnVol08CopyFolders,
                  model_.vol08.btnVol08Undo, page);
  if (&folderPage == &model_.vol06) BuildRenamePageControls(model_.vol06, right, left, footer, page);
  if (&folderPage == &model_.vol07) BuildDeletePageControls(model_.vol07, right, footer, page);
  if (fileTypes) {
    auto* row = new QHBoxLayout;
    row->addWidget(NewLabel(fileTypes->status, page));
    row->addWidget(NewLabel(fileTypes->allSelected, page));
    row->addSpacing(12);
    QPushButton* select = NewButton(fileTypes->select, page);
    select->setAutoDefault(false);
    row->addWidget(select);
    row->addStretch(1);
    right->addLayout(row);
  }
  // The copy page's counters are four columns wide: they go under the
  // lists, whose column is the wider; the others stand beside the lists.
  QGroupBox* counters = CounterGroup(model_, panel.Page(), page);
  if (structures) left->addWidget(counters);
  else right->addWidget(counters);
  if (!structures) right->addStretch(1);
  return WithFooter(page, footer);
}

}  // namespace quillory
