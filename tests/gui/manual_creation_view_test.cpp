#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "operations/operation_windows.h"
#include "qt/list_box_model.h"
#include "qt/manual_creation_view.h"
#include "qt/window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace quillory {

class ManualCreationViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    f = std::make_unique<GuiFixture>();
    page.reset(BuildManualCreationPage(f->Main().forced, f->Main().btnForcedHelp));
    page->resize(900, 500);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
  }
  void cleanup() {
    page.reset();
    f.reset();
  }

  void thePanelsShowTheirCaptions() {
    QCOMPARE(Find<QGroupBox>("grpForced")->title(), QString("Creating Full Paths - Manually."));
    QCOMPARE(Find<QGroupBox>("grpSubFolder")->title(), QString("Creating Folders - Manually."));
    QCOMPARE(Find<QLabel>("lblRootFolders")->text(), QString("Destination  folder name:"));
    QCOMPARE(Find<QLabel>("lblCreateFolderForced")->text(), QString("Full path (Folder Name with drive letter) :"));
    QVERIFY(Find<QComboBox>("cboCreateFolderForced")->isEditable());
    QVERIFY(Find<QComboBox>("cboSubFolder")->isEditable());
    QVERIFY(!Find<QComboBox>("cboRootFolders")->isEditable());
    QVERIFY(Find<QCheckBox>("chkSubViewDestFolder")->isChecked());
    QCOMPARE(ButtonText("btnForcedErrorLog"), QColor(0, 0x80, 0));
    QVERIFY(Find<QPushButton>("btnForcedHelp"));
  }

  void enterInTheFullPathBoxCreatesTheFolder() {
    f->ui.answers = {MessageAnswer::Yes};
    // Keys go to the box, which hands them to its line edit, as a person's do.
    QComboBox* edit = Find<QComboBox>("cboCreateFolderForced");
    QTest::keyClicks(edit, "D:\\G\\H");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(QDir(f->Folder() + "/G/H").exists());
    QCOMPARE(Find<ListBoxView>("lstSuccess")->model()->rowCount(), 1);
    QCOMPARE(Find<QComboBox>("cboCreateFolderForced")->count(), 1);
    QCOMPARE(Find<QComboBox>("cboCreateFolderForced")->itemText(0), QString("D:\\G\\H"));
    QVERIFY(f->exceptions.empty());

    // An existing folder leaves the log with an entry: the caption turns red.
    f->ui.answers = {MessageAnswer::No};
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(ButtonText("btnForcedErrorLog"), QColor(0xFF, 0, 0));
  }

  void theSubfolderPanelPreviewsAndCreates() {
    QVERIFY(QDir(f->Folder()).mkdir("R"));
    f->ui.folders.push_back("D:\\R");
    QTest::mouseClick(Find<QPushButton>("btnAddRootFolders"), Qt::LeftButton);
    QCOMPARE(Find<QComboBox>("cboRootFolders")->currentText(), QString("D:\\R"));
    QComboBox* edit = Find<QComboBox>("cboSubFolder");
    QTest::keyClicks(edit, "x\\y");
    QCOMPARE(Find<QLabel>("lblSimple02CompleteFolder")->text(), QString("D:\\R\\x\\y"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(QDir(f->Folder() + "/R/x/y").exists());
    QCOMPARE(Find<ListBoxView>("lstSuccessSubFolders")->model()->rowCount(), 1);
    QCOMPARE(f->ui.calls.back().caption,
             std::string("Creating Folder(s).-SubFolders.            Information no: 0119."));
    QVERIFY(f->exceptions.empty());
  }

  void theErrorLogWindowsShowBothListsAndCloseWithOk() {
    QCOMPARE(NewErrorLogView(f->Main()), static_cast<WindowView*>(nullptr));
    // Opening the log refills it from the panel's last run.
    QVERIFY(QDir(f->Folder()).mkdir("E"));
    f->ui.answers = {MessageAnswer::No};
    f->Main().forced.cboCreateFolderForced.SetText("D:\\E D:\\A\\..\\X");
    f->Main().forced.btnCreateFolderForced.Click();
    QVERIFY(f->ui.answers.empty());
    auto& log = *f->app->FindAs<TForcedUnSuccessFullForm>();
    std::unique_ptr<WindowView> view(NewErrorLogView(log));
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QString("Folders, that are unsuccessfully tried to create"));
    QCOMPARE(view->findChild<QLabel*>("lblForcedUnSuccessFullOther")->text(),
             QString("Folders, that were not created for other reasons:"));
    auto* exist = view->findChild<ListBoxView*>("lstForcedUnSuccessFullExist");
    auto* other = view->findChild<ListBoxView*>("lstForcedUnSuccessFullOther");
    int existRows = 0, otherRows = 0;
    WhenModal([&](QWidget* modal) {
      existRows = exist->model()->rowCount();
      otherRows = other->model()->rowCount();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnForcedUnSuccessFullOk"), Qt::LeftButton);
    });
    f->Main().forced.btnForcedErrorLog.Click();  // the scripted UI shows the model; the view is run here
    QCOMPARE(view->ExecModal(), ModalResult::Ok);
    QCOMPARE(existRows, 1);
    QCOMPARE(otherRows, 1);
    QVERIFY(!log.Shown());

    auto& sub = *f->app->FindAs<TSubFolderUnSuccessFullForm>();
    std::unique_ptr<WindowView> subView(NewErrorLogView(sub));
    QCOMPARE(subView->windowTitle(), QString("Folders, that are unsuccessfully tried to create."));
    QCOMPARE(subView->findChild<QLabel*>("lblSubFolderUnSuccessFullExist")->text(),
             QString("Already existed folders :"));
    QVERIFY(subView->findChild<QPushButton*>("btnSubFolderUnSuccessFullOk"));
  }

 private:
  template <class W>
  W* Find(const char* name) const {
    W* widget = page->findChild<W*>(QString::fromLatin1(name));
    if (!widget) qFatal("no widget %s", name);
    return widget;
  }
  QColor ButtonText(const char* name) const {
    return Find<QPushButton>(name)->palette().color(QPalette::Active, QPalette::ButtonText);
  }

  std::unique_ptr<GuiFixture> f;
  std::unique_ptr<QWidget> page;
};

int RunManualCreationViewTests(int argc, char** argv) {
  ManualCreationViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "manual_creation_view_test.moc"
