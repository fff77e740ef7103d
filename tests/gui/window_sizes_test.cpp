// Every window opens, and can be made, small enough for a 1366x768 screen
// with a title bar and a panel: 1366x700 is what is left of it.
#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

namespace quillory {

namespace {

constexpr QSize kScreen(1366, 700);

// What the window cannot be made smaller than: a top-level layout sets the
// minimum size from its own minimum.
QSize Minimum(QWidget* window) {
  QSize size = window->minimumSize().expandedTo(window->minimumSizeHint());
  if (QLayout* layout = window->layout()) size = size.expandedTo(layout->totalMinimumSize());
  return size;
}

bool Fits(QSize size) { return size.width() <= kScreen.width() && size.height() <= kScreen.height(); }

QString Describe(const QString& name, QSize size) {
  return QStringLiteral("%1: %2x%3").arg(name).arg(size.width()).arg(size.height());
}

}  // namespace

class WindowSizesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void theMainWindowFitsOnEveryPage() {
    QTabWidget* tabs = f->view->Tabs();
    f->view->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->view.get()));
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      QApplication::processEvents();
      const QString name = tabs->tabText(page);
      QVERIFY2(Fits(Minimum(f->view.get())), qPrintable(Describe(name, Minimum(f->view.get()))));
      QVERIFY2(Fits(f->view->size()), qPrintable(Describe(name + " opens at", f->view->size())));
    }
  }

  // Maximised on a 1366x768 screen, every page shows all its inputs, its
  // counters and its run buttons without scrolling.
  void noPageScrollsAt1366x700() {
    QTabWidget* tabs = f->view->Tabs();
    f->view->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->view.get()));
    f->view->resize(kScreen);  // as the person maximises it
    QApplication::processEvents();
    QCOMPARE(f->view->size(), kScreen);
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      QApplication::processEvents();
      QList<QScrollArea*> areas = tabs->currentWidget()->findChildren<QScrollArea*>();
      if (auto* outer = qobject_cast<QScrollArea*>(tabs->currentWidget())) areas << outer;
      QVERIFY(!areas.isEmpty());
      for (QScrollArea* area : areas) {
        const int hidden = area->verticalScrollBar()->maximum();
        QVERIFY2(hidden == 0, qPrintable(QStringLiteral("%1: %2 px below the fold").arg(tabs->tabText(page)).arg(hidden)));
        QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
      }
    }
  }

  void everyOtherWindowFitsAndItsButtonsStayOnScreen() {
    for (Window* window : f->app->Windows()) {
      if (window == f->app->main) continue;
      std::unique_ptr<WindowView> view(NewWindowView(*window));
      view->show();
      QApplication::processEvents();
      const QString name = ToQt(window->ClassName());
      QVERIFY2(Fits(Minimum(view.get())), qPrintable(Describe(name, Minimum(view.get()))));
      QVERIFY2(Fits(view->size()), qPrintable(Describe(name + " opens at", view->size())));
      // Made as small as it goes, every button is still inside the window,
      // or inside a part of it that scrolls.
      view->resize(Minimum(view.get()));
      QApplication::processEvents();
      for (QPushButton* button : view->findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(view.get())) continue;
        QWidget* reached = button;
        for (QWidget* up = button->parentWidget(); up && up != view.get(); up = up->parentWidget())
          if (qobject_cast<QScrollArea*>(up)) reached = up;
        const QRect at(reached->mapTo(view.get(), QPoint(0, 0)), reached->size());
        QVERIFY2(view->rect().contains(at), qPrintable(name + " " + button->objectName()));
      }
      view->hide();
    }
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunWindowSizesTests(int argc, char** argv) {
  WindowSizesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "window_sizes_test.moc"
