#include <stdexcept>
#include <string>
#include <vector>

#include "app/run_jobs.h"
#include "gui_fixture.h"
#include "gui_tests.h"
#include "platform/text.h"
#include "qt/list_box_model.h"
#include "results/visual_log_windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace quillory {

class MainWindowViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    f = std::make_unique<GuiFixture>();
    f->view->show();
    QVERIFY(QTest::qWaitForWindowExposed(f->view.get()));
  }
  void cleanup() { f.reset(); }

  void typingReachesTheModelAndThePreview() {
    TfrmMain& m = f->Main();
    f->ui.folders.push_back("D:\\Dest");
    QTest::mouseClick(f->Widget<QPushButton>("btnVol02AddDestFolder"), Qt::LeftButton);
    QCOMPARE(f->Widget<QComboBox>("cboVol02DestFolders")->currentText(), QString("D:\\Dest"));

    m.vol02.lstVol02IncludeStrings.AddMany({"beta", "alpha"});
    QLineEdit* prefix = f->Widget<QLineEdit>("edtVol02Prefix");
    QTest::keyClicks(prefix, "P");
    QCOMPARE(m.vol02.edtVol02Prefix.Text(), std::string("P"));
    QCOMPARE(f->Widget<QLabel>("lblVol02StartFolder")->text(), QString("D:\\Dest\\Palpha"));
    QCOMPARE(f->Widget<QLabel>("lblVol02EndFolder")->text(), QString("D:\\Dest\\Pbeta"));

    QTest::mouseClick(f->Widget<QCheckBox>("chkVol02Hyphen"), Qt::LeftButton);
    QVERIFY(m.vol02.chkVol02Hyphen.Checked());
    QCOMPARE(f->Widget<QLabel>("lblVol02StartFolder")->text(), QString("D:\\Dest\\P-alpha"));
    QVERIFY(f->exceptions.empty());
  }

  void modelChangesReachWidgetsWithoutEcho() {
    TfrmMain& m = f->Main();
    int changes = 0;
    int clicks = 0;
    auto change = m.vol02.edtVol02Prefix.onChange;
    auto click = m.vol02.chkVol02Hyphen.onClick;
    m.vol02.edtVol02Prefix.onChange = [&] { ++changes; if (change) change(); };
    m.vol02.chkVol02Hyphen.onClick = [&] { ++clicks; if (click) click(); };

    m.vol02.edtVol02Prefix.SetText("abc");
    m.vol02.chkVol02Hyphen.SetChecked(true);
    m.vol02.lblVol02EndFolder.SetCaption("E:\\x  y");
    QCOMPARE(f->Widget<QLineEdit>("edtVol02Prefix")->text(), QString("abc"));
    QVERIFY(f->Widget<QCheckBox>("chkVol02Hyphen")->isChecked());
    QCOMPARE(f->Widget<QLabel>("lblVol02EndFolder")->text(), QString("E:\\x  y"));
    QCOMPARE(changes, 0);
    QCOMPARE(clicks, 0);

    QTest::keyClick(f->Widget<QLineEdit>("edtVol02Prefix"), Qt::Key_D);
    QCOMPARE(m.vol02.edtVol02Prefix.Text(), std::string("abcd"));
    QCOMPARE(changes, 1);

    m.vol02.lblVol02EndFolder.SetColor(Color::Green);
    QCOMPARE(f->Widget<QLabel>("lblVol02EndFolder")->palette().color(QPalette::Active, QPalette::WindowText),
             QColor(0, 0x80, 0));

    m.vol02.edtVol02Prefix.onChange = change;
    m.vol02.chkVol02Hyphen.onClick = click;
  }

  void disablingAControlDisablesItsWidget() {
    TfrmMain& m = f->Main();
    auto* view = f->Widget<QPushButton>("btnVol02ViewDestFolder");
    auto* list = f->Widget<ListBoxView>("lstVol02IncludeStrings");
    QVERIFY(!view->isEnabled());
    QVERIFY(!list->isEnabled());
    m.vol02.ChooseDestination("D:\\Dest");
    QVERIFY(view->isEnabled());
    QVERIFY(list->isEnabled());

    QLineEdit* prefix = f->Widget<QLineEdit>("edtVol02Prefix");
    m.vol02.edtVol02Prefix.SetEnabled(false);
    QVERIFY(!prefix->isEnabled());
    QTest::keyClicks(prefix, "x");
    QCOMPARE(m.vol02.edtVol02Prefix.Text(), std::string());

    auto* statistics = f->Widget<QGroupBox>("grpVol04Statistics");
    QVERIFY(statistics->isHidden());
    m.vol04.grpVol04Statistics.SetVisible(true);
    QVERIFY(!statistics->isHidden());
  }

  void aTabDisabledInTheModelCannotBeSelected() {
    TfrmMain& m = f->Main();
    QTabWidget* tabs = f->view->Tabs();
    QCOMPARE(tabs->count(), 7);
    QCOMPARE(tabs->tabText(3), QString("Create Folder Structures-I"));
    QCOMPARE(tabs->currentIndex(), 0);

    m.tabFoldersDelete01.SetEnabled(false);
    QVERIFY(!tabs->isTabEnabled(1));
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(m.pgeMain.ActivePageIndex(), 0);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    QCOMPARE(tabs->currentIndex(), 0);

    m.tabFoldersDelete01.SetEnabled(true);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(m.pgeMain.ActivePageIndex(), 1);

    QVERIFY(m.pgeMain.SetActivePageIndex(5));
    QCOMPARE(tabs->currentIndex(), 5);
  }

  void anIllegalCharacterWarnsOnceAndIsCut() {
    TfrmMain& m = f->Main();
    QLineEdit* prefix = f->Widget<QLineEdit>("edtVol02Prefix");
    QTest::keyClicks(prefix, "ab?");
    const auto messages = f->ui.Messages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].messageKind, MessageKind::Warning);
    QCOMPARE(messages[0].text, std::string("Illegal character in the Prefix :  ?"));
    QCOMPARE(messages[0].caption, std::string("Creating Folder(s).-From a String List.            Warning no: 0018."));
    QCOMPARE(prefix->text(), QString("ab"));
    QCOMPARE(m.vol02.edtVol02Prefix.Text(), std::string("ab"));

    QTest::keyClicks(prefix, "c");
    QCOMPARE(m.vol02.edtVol02Prefix.Text(), std::string("abc"));
    QCOMPARE(f->ui.Messages().size(), std::size_t{1});
  }

  void aLargeListArrivesAsOneInsertion() {
    TfrmMain& m = f->Main();
    auto* view = f->Widget<ListBoxView>("lstVol04IncludeFolderList");
    int insertions = 0;
    connect(view->model(), &QAbstractItemModel::rowsInserted, this, [&] { ++insertions; });
    std::vector<std::string> rows;
    rows.reserve(100000);
    for (int i = 0; i < 100000; ++i) rows.push_back("D:\\Clients\\C" + std::to_string(i));
    m.vol04.lstVol04IncludeFolderList.AddMany(std::move(rows));
    QCOMPARE(view->model()->rowCount(), 100000);
    QCOMPARE(insertions, 1);
    QCOMPARE(f->Widget<QLabel>("lblVol04IncludeSum")->text(), QString("100000"));
    QCOMPARE(view->model()->index(99999, 0).data().toString(), QString("D:\\Clients\\C99999"));
  }

  void listSelectionFollowsBothWays() {
    ListBox& list = f->Main().vol04.lstVol04IncludeFolderList;
    list.AddMany({"D:\\a", "D:\\b", "D:\\c", "D:\\d", "D:\\e\xff", "D:\\f"});
    auto* view = f->Widget<ListBoxView>("lstVol04IncludeFolderList");
    QItemSelectionModel* selection = view->selectionModel();

    list.SetSelected(1, true);
    QVERIFY(selection->isRowSelected(1, {}));
    selection->select(view->model()->index(3, 0), QItemSelectionModel::Select);
    QVERIFY(list.Selected(3));
    QCOMPARE(list.SelectedCount(), std::size_t{2});

    // Removing a row shifts both selections alike; nothing is deselected.
    list.Delete(0);
    QVERIFY(list.Selected(0) && list.Selected(2));
    QVERIFY(selection->isRowSelected(0, {}) && selection->isRowSelected(2, {}));
    QCOMPARE(list.SelectedCount(), std::size_t{2});

    // A bulk removal resets the view, which takes the kept selection over.
    list.DeleteRows({1, 4});
    QCOMPARE(view->model()->rowCount(), 3);
    QVERIFY(list.Selected(0) && list.Selected(1));
    QVERIFY(selection->isRowSelected(0, {}) && selection->isRowSelected(1, {}));

    const QString shown = view->model()->index(2, 0).data().toString();
    QCOMPARE(shown, QString::fromStdString(EscapeForDisplay("D:\\e\xff")));
    QVERIFY(!shown.contains(QChar::ReplacementCharacter));
  }

  void menusFollowTheirButtons() {
    TfrmMain& m = f->Main();
    QMenu* misc = nullptr;
    for (QAction* action : f->view->menuBar()->actions())
      if (action->text() == "Misc.") misc = action->menu();
    QVERIFY(misc);
    QVERIFY(misc->menuAction()->isVisible());
    m.mnuMiscManageSeparators.SetVisible(false);
    QVERIFY(f->Widget<QAction>("mnuMiscManageSeparators") && !f->Widget<QAction>("mnuMiscManageSeparators")->isVisible());
    m.mnuMiscManageSeparators.SetVisible(true);
    QVERIFY(f->Widget<QAction>("mnuMiscManageSeparators")->isVisible());

    // Operations at Once: one entry checked, the one in force when the menu
    // opens, whoever set it.
    auto* jobs = f->view->findChild<QMenu*>("mnuMiscJobs");
    QVERIFY(jobs);
    f->Widget<QAction>("mnuMiscJobs16")->trigger();
    QCOMPARE(RunJobs(), 16);
    SetRunJobs(4);
    emit jobs->aboutToShow();
    QVERIFY(f->Widget<QAction>("mnuMiscJobs4")->isChecked());
    QVERIFY(!f->Widget<QAction>("mnuMiscJobs16")->isChecked());
    f->Widget<QAction>("mnuMiscJobsAutomatic")->trigger();
    QCOMPARE(RunJobs(), kAutomaticJobs);

    f->Widget<QAction>("mnuHelpOverView")->trigger();
    QCOMPARE(f->ui.calls.back().caption, std::string("TfrmOverViewHelp"));
    QCOMPARE(f->Widget<QAction>("mnuVideoCopy")->text(), QString("Copy Folder Structures"));

    QFile::remove(f->Folder() + "/default.set");
    f->Widget<QAction>("mnuFileExit")->trigger();
    QVERIFY(!f->view->isVisible());
    QVERIFY(!m.Shown());
    QVERIFY(QFile::exists(f->Folder() + "/default.set"));
  }

  void closingTheWindowSavesTheSettings() {
    f->Main().vol02.ChooseDestination("D:\\Kept");
    QVERIFY(f->view->close());
    QVERIFY(!f->Main().Shown());
    QCOMPARE(f->settings.Vol02DestHistory(), std::vector<std::string>{"D:\\Kept"});
  }

  void activatingTheWindowRefreshesTheVisualLogHeadings() {
    f->view->activateWindow();
    if (!QTest::qWaitForWindowActive(f->view.get())) QSKIP("the platform does not activate windows");
    QCOMPARE(f->app->statistic02->lblNormalSimulate.Caption(), std::string("Folder/File Creation Process."));
  }

  void anExceptionInAHandlerIsReportedAndTheProgramGoesOn() {
    TfrmMain& m = f->Main();
    m.vol02.btnVol02ListHelp.onClick = [] { throw std::runtime_error("disk on fire"); };
    QTest::mouseClick(f->Widget<QPushButton>("btnVol02ListHelp"), Qt::LeftButton);
    QCOMPARE(f->exceptions, std::vector<std::string>{"disk on fire"});
    QTest::keyClicks(f->Widget<QLineEdit>("edtVol02Prefix"), "ok");
    QCOMPARE(m.vol02.edtVol02Prefix.Text(), std::string("ok"));
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunMainWindowViewTests(int argc, char** argv) {
  MainWindowViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "main_window_view_test.moc"
