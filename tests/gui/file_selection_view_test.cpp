#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "structures/file_selection.h"
#include "qt/file_selection_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace quillory {

class FileSelectionViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void showsTheMaskRowAndHidesTheTrashPanel() {
    QVERIFY(NewFileSelectionView(*f->app->help) == nullptr);
    std::unique_ptr<WindowView> view(NewWindowView(*f->app->fileSelection));
    QCOMPARE(view->windowTitle(), QString("File Selection"));
    QCOMPARE(view->findChild<QGroupBox*>("grpFileManSelection")->title(),
             QString("Selecting File names and/or File Types ( extensions)"));
    QVERIFY(view->findChild<QComboBox*>("cboFileManNames")->isEditable());
    QCOMPARE(view->findChild<QPushButton*>("btnFileManClearFileNames")->text(), QString("Clear Menu"));
    for (const char* name : {"btnFileManOK", "btnFileManCancel", "btnFileSelectionHelp"})
      QVERIFY2(view->findChild<QPushButton*>(name), name);
    for (const char* name : {"rdoFileManNames", "lstFileTypesInclude", "cboFileManTermsInclude", "grpFileManTrash"})
      QVERIFY2(view->findChild<QWidget*>(name) == nullptr, name);
  }

  void typedMasksAreAcceptedAndEscapeDiscards() {
    TfrmFileSelection& model = *f->app->fileSelection;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    QString shown;
    WhenModal([&](QWidget* modal) {
      auto* combo = modal->findChild<QComboBox*>("cboFileManNames");
      shown = combo->currentText();
      combo->lineEdit()->selectAll();
      QTest::keyClicks(combo->lineEdit(), "*.doc *.txt");
      QTest::mouseClick(modal->findChild<QPushButton*>("btnFileManOK"), Qt::LeftButton);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Ok);
    QCOMPARE(shown, QString("*.*"));
    QCOMPARE(static_cast<int>(f->settings.FileMasks().size()), 2);
    QCOMPARE(QString::fromStdString(f->settings.FileMaskText()), QString("*.doc *.txt"));

    WhenModal([&](QWidget* modal) {
      auto* combo = modal->findChild<QComboBox*>("cboFileManNames");
      shown = combo->currentText();
      QTest::keyClicks(combo->lineEdit(), " *.pdf");
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Cancel);
    QCOMPARE(shown, QString("*.doc *.txt"));
    QCOMPARE(QString::fromStdString(f->settings.FileMaskText()), QString("*.doc *.txt"));
    QVERIFY(f->exceptions.empty());
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunFileSelectionViewTests(int argc, char** argv) {
  FileSelectionViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "file_selection_view_test.moc"
