// Windows open on the screen: no larger than it, a secondary window centred
// over the main window at every opening, never creeping away from it.
#include <memory>

#include "app/settings_store.h"
#include "gui_tests.h"
#include "platform/drives.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/placement.h"
#include "qt/qt_ui.h"
#include "shell/application.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace quillory {

namespace {

int Distance(QPoint a, QPoint b) { return (a - b).manhattanLength(); }

}  // namespace

class PlacementTest : public QObject {
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
  }

  void cleanup() {
    ui_->DetachViews();
    app_.reset();
    ui_.reset();
    Drives() = saved_;
    QDir::setCurrent(previous_);
    dir_.reset();
  }

  void aFrameIsCentredCutDownAndKeptOnTheScreen() {
    const QRect screen(0, 0, 1366, 740);
    const QMargins frame(1, 24, 1, 1);
    // Centred over what opened it, frame and all.
    QCOMPARE(PlacedFrame(QSize(398, 175), QSize(), frame, QRect(100, 100, 600, 400), screen),
             QRect(200, 200, 400, 200));
    // Larger than the screen: cut to it, the frame included.
    QCOMPARE(PlacedFrame(QSize(2208, 1400), QSize(), frame, screen, screen), screen);
    // Over a window near the edge: pushed back inside.
    QCOMPARE(PlacedFrame(QSize(398, 175), QSize(), frame, QRect(1200, 650, 300, 200), screen),
             QRect(966, 540, 400, 200));
    // A minimum the screen cannot hold keeps the title bar on the screen.
    QCOMPARE(PlacedFrame(QSize(500, 900), QSize(500, 900), frame, QRect(0, 0, 200, 200), screen).topLeft(),
             QPoint(0, 0));
    // An area that does not start at the origin (a panel on the left).
    QCOMPARE(PlacedFrame(QSize(98, 75), QSize(), frame, QRect(0, 0, 10, 10), QRect(48, 30, 500, 500)).topLeft(),
             QPoint(48, 30));
  }

  void theMainWindowOpensNoLargerThanItsScreen() {
    const QRect area = AvailableArea(view_);
    QVERIFY(!area.isEmpty());
    QVERIFY2(view_->width() <= area.width() && view_->height() <= area.height(),
             qPrintable(QStringLiteral("%1x%2 on %3x%4")
                            .arg(view_->width())
                            .arg(view_->height())
                            .arg(area.width())
                            .arg(area.height())));
  }

  void aSecondaryWindowOpensCentredOverTheMainWindowEveryTime() {
    const QRect area = AvailableArea(view_);
    view_->resize(area.width() * 3 / 4, area.height() * 3 / 4);
    view_->move(area.topLeft());
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
    Window& options = *app_->Find("TfrmFolderTemplateOptions");
    QPoint first;
    for (int opening = 0; opening < 3; ++opening) {
      ui_->Show(options);
      QWidget* shown = ui_->ViewOf(options);
      QVERIFY(QTest::qWaitForWindowExposed(shown));
      const QRect frame = shown->frameGeometry();
      QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("opening %1").arg(opening)));
      QVERIFY(Distance(frame.center(), view_->frameGeometry().center()) <= 2);
      if (opening == 0) first = frame.topLeft();
      QCOMPARE(frame.topLeft(), first);
      ui_->Hide(options);
      QVERIFY(!shown->isVisible());
    }
    // After the main window moved, over its new place.
    view_->move(area.topLeft() + QPoint(area.width() / 4, area.height() / 4) - QPoint(1, 1));
    QApplication::processEvents();
    ui_->Show(options);
    QWidget* shown = ui_->ViewOf(options);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QVERIFY(Distance(shown->frameGeometry().center(), view_->frameGeometry().center()) <= 2);
    ui_->Hide(options);
  }

  void aWindowLargerThanTheScreenIsCutDownToIt() {
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_));
    const QRect area = AvailableArea(view_);
    Window& log = *app_->statistic02;
    QWidget* view = ui_->ViewOf(log);
    view->resize(area.width() + 400, area.height() + 300);
    ui_->Show(log);
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QVERIFY(area.contains(view->frameGeometry()));
    ui_->Hide(log);
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

int RunPlacementTests(int argc, char** argv) {
  PlacementTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "placement_test.moc"
