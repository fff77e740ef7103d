#include <fstream>
#include <iterator>
#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "lists/file_export.h"
#include "qt/file_export_view.h"
#include "qt/list_box_model.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace quillory {

class FileExportViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void showsEveryControl() {
    QVERIFY(NewFileExportView(*f->app->help) == nullptr);
    std::unique_ptr<WindowView> view(NewWindowView(*f->app->fileExport));
    QCOMPARE(view->windowTitle(), QString("Export Datas to a File."));
    QVERIFY(view->findChild<ListBoxView*>("lstFileExportSource"));
    QVERIFY(!view->findChild<QComboBox*>("cboFileExportDelimiter")->isEnabled());
    for (const char* name : {"lblFileExportSourceTitle", "lblSmartExportSource", "lblSmartExportExportedTitle",
                             "lblSmartExportExported", "lblFileExportDelimiterTitle"})
      QVERIFY2(view->findChild<QLabel*>(name), name);
    for (const char* name : {"rdoFileExportPlainTextFile", "rdoFileExportCSVSeparatedFile", "rdoFileExportUnModified",
                             "rdoFileExportWithoutDriveLetter"})
      QVERIFY2(view->findChild<QRadioButton*>(name), name);
    QVERIFY(view->findChild<QCheckBox*>("chkFileExportQuotationMarks"));
    QCOMPARE(view->findChild<QRadioButton*>("rdoFileExportWithoutDriveLetter")->text(),
             QString("As Folder Templates     (Without Drive Letters, if ANY)"));
    QCOMPARE(view->findChild<QPushButton*>("btnFileExportTo")->text(), QString("Export To..."));
    QCOMPARE(view->findChild<QPushButton*>("btnFileExportClose")->text(), QString("Close"));
  }

  void exportsFromTheDialogAndCloseEndsIt() {
    TfrmFileExport& model = *f->app->fileExport;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    model.Load({"C:\\Data", "D:\\Data", "D:\\Other"});
    model.exportMode = TfrmFileExport::kModeFolders;
    int rowsShown = -1;
    int rowsAsTemplates = -1;
    bool delimiterEnabled = false;
    QString exported;
    WhenModal([&](QWidget* modal) {
      auto* list = modal->findChild<ListBoxView*>("lstFileExportSource");
      rowsShown = list->model()->rowCount();
      QTest::mouseClick(modal->findChild<QRadioButton*>("rdoFileExportWithoutDriveLetter"), Qt::LeftButton);
      rowsAsTemplates = list->model()->rowCount();
      QTest::mouseClick(modal->findChild<QRadioButton*>("rdoFileExportCSVSeparatedFile"), Qt::LeftButton);
      auto* delimiters = modal->findChild<QComboBox*>("cboFileExportDelimiter");
      delimiterEnabled = delimiters->isEnabled();
      QTest::mouseClick(modal->findChild<QCheckBox*>("chkFileExportQuotationMarks"), Qt::LeftButton);
      f->ui.files = {"D:\\out.csv"};
      QTest::mouseClick(modal->findChild<QPushButton*>("btnFileExportTo"), Qt::LeftButton);
      exported = modal->findChild<QLabel*>("lblSmartExportExported")->text();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnFileExportClose"), Qt::LeftButton);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Close);
    QCOMPARE(rowsShown, 3);
    QCOMPARE(rowsAsTemplates, 2);
    QVERIFY(delimiterEnabled);
    QCOMPARE(exported, QString("2"));
    const std::string separator = model.cboFileExportDelimiter.Text();
    std::ifstream in((f->Folder() + "/out.csv").toStdString(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    QCOMPARE(QString::fromStdString(bytes),
             QString::fromStdString("\"\\Data\"" + separator + "\"\\Other\"" + separator));
    QVERIFY(f->exceptions.empty());
  }

  void stringModeDisablesTheFormRadios() {
    TfrmFileExport& model = *f->app->fileExport;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    model.Load({"abc"});
    model.exportMode = TfrmFileExport::kModeStrings;
    bool unmodifiedEnabled = true;
    bool templatesEnabled = true;
    WhenModal([&](QWidget* modal) {
      unmodifiedEnabled = modal->findChild<QRadioButton*>("rdoFileExportUnModified")->isEnabled();
      templatesEnabled = modal->findChild<QRadioButton*>("rdoFileExportWithoutDriveLetter")->isEnabled();
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Cancel);
    QVERIFY(!unmodifiedEnabled);
    QVERIFY(!templatesEnabled);
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunFileExportViewTests(int argc, char** argv) {
  FileExportViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "file_export_view_test.moc"
