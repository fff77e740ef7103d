#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/window_view.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace quillory {

class WindowViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void theHelpWindowShowsItsTopic() {
    TfrmAltalanosHelp& help = *f->app->help;
    WindowView view(help);
    auto* more = view.findChild<QPushButton*>("btnMoreHelp");
    QVERIFY(more && more->isHidden());
    help.ShowTopic("Vol04");
    QCOMPARE(view.findChild<QLabel*>("lblHelpTopic")->text(), QString("Create Folder Struct.-II"));
    QCOMPARE(view.findChild<QPlainTextEdit*>("memHelpText")->toPlainText(), ToQt(help.memHelpText.Text()));
    QVERIFY(!more->isHidden());
    QCOMPARE(view.windowTitle(), QString("Help"));
  }

  void theHelpIndexListsTheTopicsInTabOrder() {
    const std::vector<std::string>& index = f->app->help->lstHelpTopics.Items();
    QTabWidget* tabs = f->view->Tabs();
    QVERIFY(static_cast<int>(index.size()) > tabs->count());
    for (int i = 0; i < tabs->count(); ++i) QCOMPARE(ToQt(index[i + 1]), tabs->tabText(i).trimmed());
  }

  void shownStateFollowsBothWays() {
    Window& log = *f->app->statistic02;
    WindowView view(log);
    log.SetShown(true);
    QVERIFY(view.isVisible());
    view.close();
    QVERIFY(!log.Shown());
    log.SetShown(true);
    QVERIFY(view.isVisible());
    log.SetShown(false);
    QVERIFY(!view.isVisible());
  }

  void aButtonThatSetsAModalResultEndsTheModalRun() {
    TfrmAltalanosHelp& help = *f->app->help;
    WindowView view(help);
    bool shownDuringRun = false;
    WhenModal([&](QWidget* modal) {
      shownDuringRun = help.Shown();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnHelpClose"), Qt::LeftButton);
    });
    QCOMPARE(view.ExecModal(), ModalResult::Close);
    QVERIFY(shownDuringRun);
    QVERIFY(!help.Shown());
    QVERIFY(!view.isVisible());

    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(view.ExecModal(), ModalResult::Cancel);
  }

  void aWindowWithoutButtonsCanStillBeClosed() {
    Window& bare = *f->app->Find("TfrmVol03Multi");
    WindowView view(bare);
    WhenModal([](QWidget* modal) {
      const auto buttons = modal->findChildren<QPushButton*>();
      if (buttons.size() == 1) QTest::mouseClick(buttons.front(), Qt::LeftButton);
    });
    QCOMPARE(view.ExecModal(), ModalResult::Cancel);
    QVERIFY(!bare.Shown());
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunWindowViewTests(int argc, char** argv) {
  WindowViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "window_view_test.moc"
