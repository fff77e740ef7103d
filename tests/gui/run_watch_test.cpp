#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "app/run_frame.h"
#include "app/settings_store.h"
#include "gui_tests.h"
#include "platform/drives.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/qt_ui.h"
#include "shell/application.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace quillory {

namespace {

// Answers the run's message boxes as a person would, by keyboard, so that a
// box the input guard wrongly silenced would leave the run hanging (and be
// rejected after a while, failing the test instead).
class BoxAnswerer {
 public:
  // `seen` looks at each box before it is answered.
  explicit BoxAnswerer(std::function<void(QMessageBox*)> seen = {}) : seen_(std::move(seen)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      if (seen_) seen_(box);
      if (++ticks_ > 250) {
        box->reject();
        return;
      }
      if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
      else QTest::keyClick(box, Qt::Key_Return);
    });
    timer_.start();
  }

 private:
  std::function<void(QMessageBox*)> seen_;
  QTimer timer_;
  int ticks_ = 0;
};

// Longer than QtUi's repaint pace, without letting any event through itself.
void OutwaitThePace() { std::this_thread::sleep_for(std::chrono::milliseconds(70)); }

void PostClick(QWidget* target) {
  const QPointF at = QPointF(target->rect().center());
  const QPointF global = QPointF(target->mapToGlobal(target->rect().center()));
  QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                      Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                      Qt::NoButton, Qt::NoModifier));
}

void PostWheelDown(QWidget* target) {
  const QPointF at = QPointF(target->rect().center());
  QCoreApplication::postEvent(target, new QWheelEvent(at, QPointF(target->mapToGlobal(at.toPoint())), QPoint(),
                                                      QPoint(0, -360), Qt::NoButton, Qt::NoModifier,
                                                      Qt::NoScrollPhase, false));
}

}  // namespace

class RunWatchTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    previous_ = QDir::currentPath();
    saved_ = Drives();
    dir_ = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(dir_->path());
    Drives().Set('D', FromQt(QDir(dir_->path()).canonicalPath()));
    ui_ = std::make_unique<QtUi>(Drives());
    app_ = std::make_unique<Application>(*ui_, settings_);
    view_ = &ui_->AttachViews(*app_);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
  }

  void cleanup() {
    ui_->DetachViews();
    app_.reset();
    ui_.reset();
    Drives() = saved_;
    QDir::setCurrent(previous_);
    dir_.reset();
  }

  // Beside the bar, while a run goes: how fast and how long the rest
  // should take, in words a person reads at a glance; gone with the run.
  void theSpeedShowsBesideTheBarOnlyDuringARun() {
    auto* speed = view_->findChild<QLabel*>("lblRunSpeed");
    QVERIFY(speed);
    ui_->RunStarted(100);
    ui_->RunSpeed(1234.4, 75);
    QVERIFY(speed->isVisible());
    QCOMPARE(speed->text(), QLocale().toString(1234) + QString::fromUtf8(" operations/s \u00b7 about 1 min 15 s left"));
    ui_->RunSpeed(80, 7300);
    QVERIFY(speed->text().endsWith(QString::fromUtf8("about 2 h 1 min left")));
    ui_->RunSpeed(80, 0.3);
    QVERIFY(speed->text().endsWith(QString::fromUtf8("less than a second left")));
    ui_->RunSpeed(80, -1);  // not known yet
    QCOMPARE(speed->text(), QString::fromUtf8("80 operations/s"));
    ui_->RunEnded();
    QVERIFY(!speed->isVisible());
  }

  void theBarShowsOnlyWhileARunGoesOnAndFollowsTheItems() {
    QProgressBar* bar = view_->findChild<QProgressBar*>("prbRunProgress");
    QVERIFY(bar);
    QVERIFY(view_->statusBar()->isAncestorOf(bar));
    QVERIFY(!bar->isVisible());
    QVERIFY(!view_->statusBar()->isVisible());  // idle, the page has its height

    std::vector<int> seen;
    bool visible = true;
    RunPlan plan = Plan(4, [&](std::size_t) {
      visible = visible && bar->isVisible() && bar->maximum() == 4;
      seen.push_back(bar->value());
      OutwaitThePace();
    });
    BoxAnswerer answers;
    QCOMPARE(Run(plan), RunOutcome::Completed);
    QVERIFY(visible);
    // Each item sees what the repaint after the one before it set.
    QCOMPARE(seen, (std::vector<int>{0, 1, 2, 3}));
    QVERIFY(!bar->isVisible());
    QVERIFY(!view_->statusBar()->isVisible());
  }

  // The end message is read beside a full bar, however quickly the items
  // went and whether or not the items moved the bar themselves.
  void theBarIsFullWhenTheEndMessageShows() {
    QProgressBar* bar = view_->findChild<QProgressBar*>("prbRunProgress");
    for (bool ownUnits : {false, true}) {
      RunPlan plan = Plan(7, [](std::size_t) {});
      // As a simulation that counts forecast units but moves none of them.
      if (ownUnits) plan.proceed = [&plan] {
          plan.progressTotal = 40;
          return true;
        };
      int atEnd = -1;
      bool shownAtEnd = false;
      BoxAnswerer answers([&](QMessageBox* box) {
        if (box->text() != "Done") return;
        atEnd = bar->maximum() > 0 ? 100 * bar->value() / bar->maximum() : -1;
        shownAtEnd = bar->isVisible();
      });
      QCOMPARE(Run(plan), RunOutcome::Completed);
      QCOMPARE(atEnd, 100);
      QVERIFY(shownAtEnd);
      QVERIFY(!bar->isVisible());
    }
  }

  // A simulation's counters read like a run's, so the status bar says what
  // it was until the person does something else.
  void aSimulationIsNamedInTheStatusBarUntilTheNextRunOrChange() {
    TfrmMain& main = *app_->main;
    main.pgeMain.SetActivePageIndex(3);
    QVERIFY(QDir(dir_->path()).mkdir("Out"));
    main.vol02.ChooseDestination("D:\\Out");
    main.vol02.structures.SourceKindClick(SourceKind::Nothing);
    main.vol02.lstVol02IncludeStrings.SetItems({"a", "b"});
    main.vol02.Refresh();
    main.vol02.chkVol02ViewDetailedResults.SetChecked(false);
    main.vol02.chkVol02ViewDestFolder.SetChecked(false);
    auto* note = view_->findChild<QLabel*>("lblSimulationNote");
    QVERIFY(note);
    QVERIFY(!view_->statusBar()->isVisible());
    auto* simulation = view_->findChild<QPushButton*>("btnVol02CreateFoldersSimulation");
    auto* run = view_->findChild<QPushButton*>("btnVol02CreateFolders");
    QVERIFY(simulation->isEnabled());
    {
      BoxAnswerer answers;
      simulation->click();
    }
    QVERIFY(!QDir(dir_->path() + "/Out/a").exists());
    QVERIFY(view_->statusBar()->isVisible());
    QVERIFY(note->isVisible());
    QCOMPARE(note->text(), QString::fromUtf8("Simulation \u2014 nothing was changed on disk"));
    QVERIFY(!view_->findChild<QProgressBar*>("prbRunProgress")->isVisible());

    // A changed input: the counters no longer describe it.
    main.vol02.edtVol02Prefix.UserSetText("P");
    QVERIFY(!note->isVisible());
    QVERIFY(!view_->statusBar()->isVisible());

    {
      BoxAnswerer answers;
      simulation->click();
    }
    QVERIFY(note->isVisible());
    {
      BoxAnswerer answers;
      run->click();
    }
    QVERIFY(QDir(dir_->path() + "/Out/Pa").exists());
    QVERIFY(!note->isVisible());
    QVERIFY(!view_->statusBar()->isVisible());
  }

  void inputToTheMainWindowIsDroppedWhileOtherWindowsGetTheirs() {
    // A button on the main window; the same posted click reaches it outside
    // a run, so the test sees the guard and not a lost event.
    int clicks = 0;
    auto* probe = new QPushButton(QStringLiteral("probe"), view_);
    probe->move(400, 300);
    probe->show();
    probe->raise();
    connect(probe, &QPushButton::clicked, [&] { ++clicks; });
    QApplication::processEvents();
    PostClick(probe);
    QApplication::processEvents();
    QCOMPARE(clicks, 1);
    int shortcuts = 0;
    auto* action = new QAction(QStringLiteral("probe"), view_);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    view_->addAction(action);
    connect(action, &QAction::triggered, [&] { ++shortcuts; });
    view_->activateWindow();
    QTest::keyClick(probe, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(shortcuts, 1);

    // A Visual Log is a window of its own, though owned by the main window.
    auto* log = new QListView(view_);
    log->setWindowFlag(Qt::Window);
    QStringList rows;
    for (int i = 0; i < 500; ++i) rows << QString::number(i);
    auto* model = new QStringListModel(rows, log);
    log->setModel(model);
    log->setCurrentIndex(model->index(0));
    log->resize(200, 150);
    log->show();
    QVERIFY(QTest::qWaitForWindowExposed(log));
    QCOMPARE(log->verticalScrollBar()->value(), 0);
    // A main-window shortcut that answers wherever the keys are typed.
    int everywhere = 0;
    auto* global = new QAction(QStringLiteral("everywhere"), view_);
    global->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    global->setShortcutContext(Qt::ApplicationShortcut);
    view_->addAction(global);
    connect(global, &QAction::triggered, [&] { ++everywhere; });
    QTest::keyClick(log, Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(everywhere, 1);

    bool posted = false;
    RunPlan plan = Plan(3, [&](std::size_t i) {
      if (i == 0) {
        log->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(log));
        PostClick(probe);
        PostWheelDown(log->viewport());
        QTest::keyClick(probe, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(probe, Qt::Key_Space);
        QTest::keyClick(log, Qt::Key_J, Qt::ControlModifier);
        QTest::keyClick(log, Qt::Key_End);
        posted = true;
      }
      OutwaitThePace();
    });
    int scrolledDuringRun = -1;
    plan.after = [&] { scrolledDuringRun = log->verticalScrollBar()->value(); };
    BoxAnswerer answers;
    QCOMPARE(Run(plan), RunOutcome::Completed);
    QVERIFY(posted);
    QVERIFY(scrolledDuringRun > 0);
    // Dropped, not merely delayed to the run's end.
    QApplication::processEvents();
    QCOMPARE(clicks, 1);
    QCOMPARE(shortcuts, 1);
    QCOMPARE(everywhere, 1);
    QCOMPARE(log->currentIndex().row(), 499);  // its own keys still work
    delete log;
  }

  void aCloseDuringARunWaitsForItsEnd() {
    bool openAtItems = true;
    bool openAtHistory = false;
    RunPlan plan = Plan(3, [&](std::size_t i) {
      if (i == 0) {
        // As the window manager's close button would.
        QCoreApplication::postEvent(view_->windowHandle(), new QCloseEvent);
      } else {
        openAtItems = openAtItems && view_->isVisible();
      }
      OutwaitThePace();
    });
    plan.after = [&] { openAtHistory = view_->isVisible(); };
    QDir folder(dir_->path());
    for (const QString& file : folder.entryList(QDir::Files)) QVERIFY(folder.remove(file));
    BoxAnswerer answers;
    QCOMPARE(Run(plan), RunOutcome::Completed);
    QVERIFY(openAtItems);
    QVERIFY(openAtHistory);
    QTRY_VERIFY(!view_->isVisible());
    QVERIFY(!app_->main->Shown());
    // The normal way out, which saves the settings.
    QVERIFY(!folder.entryList(QDir::Files).isEmpty());
  }

  void activatingTheMainWindowRefreshesOnlyAfterTheRun() {
    // Activation refreshes counters and headings the run is writing.
    Label& heading = app_->statistic02->lblNormalSimulate;
    const std::string refreshed = "Folder/File Creation Process.";
    bool activated = false;
    std::string duringRun;
    RunPlan plan = Plan(2, [&](std::size_t i) {
      if (i == 0) {
        heading.SetCaption("stale");
        view_->activateWindow();
        activated = QTest::qWaitForWindowActive(view_);
        duringRun = heading.Caption();
      }
      OutwaitThePace();
    });
    BoxAnswerer answers;
    QCOMPARE(Run(plan), RunOutcome::Completed);
    if (!activated) QSKIP("the platform does not activate windows");
    QCOMPARE(duringRun, std::string("stale"));
    // No new activation need come: the one that waited is carried out.
    QTRY_COMPARE(heading.Caption(), refreshed);
  }

 private:
  RunPlan Plan(std::size_t items, std::function<void(std::size_t)> work) {
    RunPlan plan;
    plan.confirm = {"Go ?", "Confirm"};
    plan.itemCount = items;
    plan.work = [work = std::move(work)](std::size_t i, const OutcomeSink&) { work(i); };
    plan.end = {"Done", "End"};
    return plan;
  }

  RunOutcome Run(const RunPlan& plan) {
    TfrmMain& main = *app_->main;
    return RunFrame(*ui_, main.pgeMain, *main.pgeMain.Pages()[0], plan);
  }

  QString previous_;
  DriveMap saved_;
  std::unique_ptr<QTemporaryDir> dir_;
  SettingsStore settings_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<Application> app_;
  MainWindowView* view_ = nullptr;
};

int RunRunWatchTests(int argc, char** argv) {
  RunWatchTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "run_watch_test.moc"
