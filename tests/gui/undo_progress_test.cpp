// An Undo of a hundred thousand folders on the real window: once its
// question box has closed, the window keeps painting and the bar moves while
// the folders go, and then every one of them is gone. And the delete page's
// way through the desktop's trash and back, clicked on the window.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <vector>
#include <string>

#include "app/run_jobs.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/qt_ui.h"
#include "shell/application.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace quillory {

int RunUndoProgressTests(int argc, char** argv);

namespace {

// Counts the paint events a widget receives while `counting` is set.
class PaintCounter : public QObject {
 public:
  bool counting = false;
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (counting && event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Answers a run's boxes (Yes to its question, OK to the others) and clicks
// Stop where a person clicks it, noting how long after the click the end
// message came and whether the box after it told what was left.
struct StopClicker {
  QElapsedTimer sinceClick;
  qint64 endedAfter = -1;
  bool clicked = false, toldLeft = false;

  // True when a box was open (and is answered).
  bool AnswerBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return false;
    if (box->text() == QStringLiteral("End of Creating Folders/Files !!!") && endedAfter < 0 && clicked)
      endedAfter = sinceClick.elapsed();
    if (box->text().contains(QStringLiteral("items were not processed."))) toldLeft = true;
    if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
    else if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
    return true;
  }
  void Click(QWidget* view, QPushButton* stop) {
    clicked = true;
    sinceClick.start();
    QTest::mouseClick(view->windowHandle(), Qt::LeftButton, Qt::NoModifier, stop->mapTo(view, stop->rect().center()));
  }
};

}  // namespace

class UndoProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    previous_ = QDir::currentPath();
    saved_ = Drives();
    // A memory file system where there is one: the test is of the window,
    // not of how fast a disk frees a hundred thousand folders.
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    dir_ = shm.isDir() && shm.isWritable()
               ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/quillory-undo-XXXXXX"))
               : std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
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

  void anUndoOfAHundredThousandFoldersPaintsAndMovesTheBarUntilAllAreGone() {
    constexpr int kFolders = 100000;
    TfrmMain& main = *app_->main;
    CreateFromStringsPage& page = main.vol02;
    main.pgeMain.SetActivePageIndex(static_cast<int>(PageOf(PageKey::Vol02).tabIndex()));
    QVERIFY(QDir(dir_->path()).mkdir("Dest"));
    // Made below the destination as a run makes its main folders, and
    // recorded as the run records them.
    QElapsedTimer making;
    making.start();
    FileSystem& fs = HostFileSystem();
    for (int i = 0; i < kFolders; ++i) {
      std::string name = "F";
      name += std::to_string(i);
      CreateResult made = fs.CreateFoldersBelow("D:\\Dest", name);
      QVERIFY(made.result.ok() && made.made.size() == 1);
      page.records.createdMainFolders.push_back(made.made[0].path);
      page.records.madeMainFolders.push_back(std::move(made.made[0]));
    }
    page.attachKind = SourceKind::Nothing;
    const qint64 madeIn = making.elapsed();
    const QDir dest(dir_->path() + "/Dest");
    QCOMPARE(dest.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), kFolders);

    QProgressBar* bar = view_->findChild<QProgressBar*>("prbRunProgress");
    QVERIFY(bar);
    PaintCounter paints;
    bar->installEventFilter(&paints);

    // Answers the boxes and watches the undo between them.
    bool asked = false, questionClosed = false, ended = false, boxDuringUndo = false;
    // The bar shows once the tabs are locked and stays until the end box.
    bool barSeen = false, barHidAgain = false;
    int ticksDuringUndo = 0, valueAtEnd = -1, maximumAtEnd = -1;
    std::set<int> values;
    QElapsedTimer undoing;
    qint64 undoMs = -1;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) {
        if (questionClosed && !ended) {
          ++ticksDuringUndo;
          values.insert(bar->value());
          if (bar->isVisible()) barSeen = true;
          else if (barSeen) barHidAgain = true;
        }
        return;
      }
      if (box->text().startsWith(QStringLiteral("Do you want to delete all folders"))) {
        asked = true;
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        QVERIFY(yes);
        yes->click();
        // Counted from here: the box's own closing is the undo's.
        questionClosed = true;
        paints.counting = true;
        undoing.start();
        return;
      }
      if (box->text() == QStringLiteral("End of Undo process !!!")) {
        if (!ended) {
          ended = true;
          undoMs = undoing.elapsed();
          paints.counting = false;
          valueAtEnd = bar->value();
          maximumAtEnd = bar->maximum();
        }
      } else if (questionClosed) {
        boxDuringUndo = true;  // a report: nothing should have been left
      }
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
      else box->reject();
    });
    watcher.start();

    auto* undo = view_->findChild<QPushButton*>("btnVol02Undo");
    QVERIFY(undo);
    QVERIFY(undo->isEnabled());
    undo->click();
    watcher.stop();

    std::printf("undo of %d folders: made in %lld ms, undone in %lld ms, %d paints of the bar, %d ticks, "
                "%zu distinct bar values\n",
                kFolders, static_cast<long long>(madeIn), static_cast<long long>(undoMs), paints.paints,
                ticksDuringUndo, values.size());
    QVERIFY(asked);
    QVERIFY(ended);
    QVERIFY(!boxDuringUndo);
    // The window was alive while the folders went: timers fired, the bar
    // painted, and it showed several positions on its way up.
    QVERIFY(ticksDuringUndo > 0);
    QVERIFY(barSeen);
    QVERIFY(!barHidAgain);
    QVERIFY(paints.paints >= 2);
    QVERIFY(values.size() >= 3);
    QCOMPARE(valueAtEnd, maximumAtEnd);
    QVERIFY(!bar->isVisible());
    QVERIFY(dest.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty());
    QVERIFY(page.records.createdMainFolders.empty());
    QVERIFY(page.failedUndoFolders.empty());
  }

  // The Stop button beside the bar, clicked where a person clicks it (on the
  // main window, whose other input the run drops), ends a run of a hundred
  // thousand folders after the item under way.
  void aStopClickedDuringALongRunEndsItWithinASecond() {
    constexpr int kFolders = 100000;
    TfrmMain& main = *app_->main;
    CreateFromStringsPage& page = main.vol02;
    main.pgeMain.SetActivePageIndex(static_cast<int>(PageOf(PageKey::Vol02).tabIndex()));
    QVERIFY(QDir(dir_->path()).mkdir("Dest"));
    page.ChooseDestination("D:\\Dest");
    page.structures.SourceKindClick(SourceKind::Nothing);
    std::vector<std::string> names;
    for (int i = 0; i < kFolders; ++i) names.push_back("F" + std::to_string(i));
    page.lstVol02IncludeStrings.SetItems(std::move(names));
    page.Refresh();
    auto* stop = view_->findChild<QPushButton*>("btnRunStop");
    QVERIFY(stop);
    QVERIFY(!stop->isVisible());

    StopClicker clicker;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (clicker.AnswerBox()) return;
      if (!clicker.clicked && stop->isVisible() && stop->isEnabled()) clicker.Click(view_, stop);
    });
    watcher.start();
    auto* run = view_->findChild<QPushButton*>("btnVol02CreateFolders");
    QVERIFY(run && run->isEnabled());
    run->click();
    watcher.stop();
    std::printf("stop: the run ended %lld ms after the click\n", static_cast<long long>(clicker.endedAfter));
    QVERIFY(clicker.clicked);
    QVERIFY(clicker.toldLeft);
    QVERIFY(clicker.endedAfter >= 0 && clicker.endedAfter < 1000);
    const int made = QDir(dir_->path() + "/Dest").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    QVERIFY(made > 0 && made < kFolders);
    QCOMPARE(static_cast<int>(page.records.createdMainFolders.size()), made);
    QVERIFY(!stop->isVisible());
  }

  // Sixteen workers: the window's thread only records and stays in its event
  // loop, so the window paints and follows moves throughout; Stop ends the
  // run within a second, and what was done is recorded.
  void aSixteenWorkerRunKeepsTheWindowLiveAndStops() {
    constexpr int kFolders = 100000;
    SetRunJobs(16);
    struct Serial {
      ~Serial() { SetRunJobs(kAutomaticJobs); }
    } serial;
    TfrmMain& main = *app_->main;
    CreateFromStringsPage& page = main.vol02;
    main.pgeMain.SetActivePageIndex(static_cast<int>(PageOf(PageKey::Vol02).tabIndex()));
    QVERIFY(QDir(dir_->path()).mkdir("Dest"));
    page.ChooseDestination("D:\\Dest");
    page.structures.SourceKindClick(SourceKind::Templates);
    page.structures.list.SetItems({"\\A\\B", "\\C", "\\D", "\\E\\F\\G"});
    std::vector<std::string> names;
    for (int i = 0; i < kFolders; ++i) names.push_back("F" + std::to_string(i));
    page.lstVol02IncludeStrings.SetItems(std::move(names));
    page.Refresh();
    auto* stop = view_->findChild<QPushButton*>("btnRunStop");
    auto* bar = view_->findChild<QProgressBar*>("prbRunProgress");
    QVERIFY(stop && bar);

    struct Watch : QObject {
      bool counting = false;
      int paints = 0, moves = 0;
      bool eventFilter(QObject*, QEvent* event) override {
        if (counting && event->type() == QEvent::Paint) ++paints;
        if (counting && event->type() == QEvent::Move) ++moves;
        return false;
      }
    } watch;
    bar->installEventFilter(&watch);
    view_->installEventFilter(&watch);
    QElapsedTimer sinceTick, sinceStart;
    std::vector<qint64> gaps;
    StopClicker clicker;
    int step = 1;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (clicker.AnswerBox()) {
        watch.counting = false;
        return;
      }
      if (!stop->isVisible()) return;
      if (!watch.counting && !clicker.clicked) {
        watch.counting = true;
        sinceStart.start();
      } else if (watch.counting) {
        gaps.push_back(sinceTick.elapsed());
      }
      sinceTick.start();
      view_->move(view_->pos() + QPoint(step, 0));  // a person dragging the window
      step = -step;
      if (!clicker.clicked && sinceStart.elapsed() > 600 && stop->isEnabled()) clicker.Click(view_, stop);
    });
    ticker.start();
    auto* run = view_->findChild<QPushButton*>("btnVol02CreateFolders");
    QVERIFY(run && run->isEnabled());
    run->click();
    ticker.stop();
    std::sort(gaps.begin(), gaps.end());
    const qint64 longest = gaps.empty() ? -1 : gaps.back();
    const qint64 typical = gaps.empty() ? -1 : gaps[gaps.size() / 2];
    std::printf("16 workers: %zu ticks, gaps median %lld ms, longest %lld ms; %d paints, %d moves; ended %lld ms "
                "after Stop\n",
                gaps.size(), static_cast<long long>(typical), static_cast<long long>(longest), watch.paints,
                watch.moves, static_cast<long long>(clicker.endedAfter));
    QVERIFY(clicker.clicked);
    QVERIFY(clicker.toldLeft);
    QVERIFY(gaps.size() >= 10);
    // Every 50 ms at the least, with room for a loaded test machine.
    QVERIFY(typical <= 50);
    QVERIFY(longest < 250);
    QVERIFY(watch.paints > 0 && watch.moves > 0);
    QVERIFY(clicker.endedAfter >= 0 && clicker.endedAfter < 1000);
    const int made = QDir(dir_->path() + "/Dest").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    QVERIFY(made > 0 && made < kFolders);
    QCOMPARE(static_cast<int>(page.records.createdMainFolders.size()), made);
  }

  void aDeleteIntoTheTrashAndItsUndoFromTheWindow() {
    // A trash of the test's own, on the drive's file system.
    QVERIFY(QDir(dir_->path()).mkpath("data"));
    // Put back however the test ends.
    struct DataHome {
      QByteArray saved = qgetenv("XDG_DATA_HOME");
      bool had = qEnvironmentVariableIsSet("XDG_DATA_HOME");
      ~DataHome() {
        if (had) qputenv("XDG_DATA_HOME", saved);
        else qunsetenv("XDG_DATA_HOME");
      }
    } dataHome;
    qputenv("XDG_DATA_HOME", (dir_->path() + "/data").toUtf8());
    QVERIFY(QDir(dir_->path()).mkpath("Old/A/x/y"));
    QVERIFY(QDir(dir_->path()).mkpath("Old/B/z"));
    TfrmMain& main = *app_->main;
    main.pgeMain.SetActivePageIndex(static_cast<int>(PageOf(PageKey::Vol07).tabIndex()));
    main.vol07.include.SetItems({"D:\\Old\\A", "D:\\Old\\B"});
    main.vol07.Refresh();
    auto* trash = view_->findChild<QCheckBox*>("chkVol07MoveToTrash");
    QVERIFY(trash);
    QVERIFY(trash->isVisible() && trash->isEnabled() && trash->isChecked());

    QStringList captions;
    QTimer answerer;
    answerer.setInterval(10);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      captions << box->windowTitle().right(5);
      if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
      else if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
      else box->reject();
    });
    answerer.start();
    auto* run = view_->findChild<QPushButton*>("btnVol07DeleteFolders");
    QVERIFY(run && run->isEnabled());
    run->click();
    const QDir files(dir_->path() + "/data/Trash/files");
    QCOMPARE(files.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"x", "z"}));
    QVERIFY(!QDir(dir_->path() + "/Old/A/x").exists());
    auto* note = view_->findChild<QLabel*>("lblSimulationNote");
    QVERIFY(note && note->isVisible());
    QVERIFY2(note->text().startsWith("Moved to the Trash: 3 folders and 0 files"), qPrintable(note->text()));

    auto* undo = view_->findChild<QPushButton*>("btnVol07Undo");
    QVERIFY(undo && undo->isVisible() && undo->isEnabled());
    undo->click();
    answerer.stop();
    QVERIFY(QDir(dir_->path() + "/Old/A/x/y").exists());
    QVERIFY(QDir(dir_->path() + "/Old/B/z").exists());
    QVERIFY(files.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    // Both questions and the end of the run, then the undo's question and end.
    QCOMPARE(captions, (QStringList{"0238.", "0238.", "0239.", "0631.", "0633."}));
  }

 private:
  QString previous_;
  DriveMap saved_;
  std::unique_ptr<QTemporaryDir> dir_;
  SettingsStore settings_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<Application> app_;
  MainWindowView* view_ = nullptr;
};

int RunUndoProgressTests(int argc, char** argv) {
  UndoProgressTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "undo_progress_test.moc"
