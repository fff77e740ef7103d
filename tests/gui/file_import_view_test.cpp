#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "lists/file_import.h"
#include "qt/file_import_view.h"
#include "qt/list_box_model.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace quillory {

using Items = std::vector<std::string>;

class FileImportViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void servesBothWindowsAndNoOther() {
    QVERIFY(NewFileImportView(*f->app->help) == nullptr);
    std::unique_ptr<WindowView> view(NewWindowView(*f->app->fileImport));
    QCOMPARE(view->windowTitle(), QString("Import Folders/Subfolders/Strings  from a Text File."));
    for (const char* name :
         {"btnFileImportBrowse", "btnFileImportManageDelimiters", "btnFileImportManageQuotationMarks",
          "btnFileImportFrom", "btnSmartImportZoomOriginalFile", "btnSmartImportZoomPreview",
          "btnSmartImportPreviewEdit", "btnFileImportClear", "btnFileImportOk", "btnFileImportCancel"})
      QVERIFY2(view->findChild<QPushButton*>(name), name);
    for (const char* name : {"rdoFileImportPlainText", "rdoFileImportSeparatedFile", "rdoFileImportAllColumns",
                             "rdoFileImportOneColumn"})
      QVERIFY2(view->findChild<QRadioButton*>(name), name);
    QVERIFY(view->findChild<ListBoxView*>("lstFileImportSource"));
    QVERIFY(view->findChild<ListBoxView*>("lstFileImportResults"));
    QVERIFY(view->findChild<QLineEdit*>("edtFileImportFileName"));
    QVERIFY(view->findChild<QCheckBox*>("chkFileImportAbandonQMarks")->isChecked());
    QVERIFY(view->findChild<QComboBox*>("cboFileImportDelimiter")->isEditable());
    QVERIFY(view->findChild<QComboBox*>("cboFileImportQuotationMark")->isHidden());
    QCOMPARE(view->findChild<QPushButton*>("btnFileImportFrom")->text(), QString("Create a      Folder/String  List"));
    QCOMPARE(view->findChild<QPushButton*>("btnFileImportOk")->text(), QString("IMPORT"));
    QCOMPARE(view->findChild<QPushButton*>("btnFileImportClear")->text(), QString("Clear All  "));
    for (QPushButton* button : view->findChildren<QPushButton*>()) QVERIFY(!button->autoDefault());

    std::unique_ptr<WindowView> editor(NewWindowView(*f->app->FindAs<TfrmEditSmartImport>()));
    QCOMPARE(editor->windowTitle(), QString("Edit the content of the Import Window."));
    QVERIFY(editor->findChild<QPlainTextEdit*>("mmoEditSmartImport"));
    QVERIFY(editor->findChild<QLabel*>("lblEditSmartImportLinesCurrent"));
    QCOMPARE(editor->findChild<QPushButton*>("btnEditSmartImportOk")->text(), QString("OK"));
    QCOMPARE(editor->findChild<QPushButton*>("btnEditSmartImportCancel")->text(), QString("Cancel"));
  }

  void loadingEnablesTheWindowAndImportEndsWithOk() {
    TfrmFileImport& model = *f->app->fileImport;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    WriteFile("list.txt", "a\nb\n");

    bool fromDisabledAtFirst = false;
    bool upDownDisabledAtFirst = false;
    bool fromEnabledAfterLoad = false;
    QString stepped;
    int previewRows = -1;
    WhenModal([&](QWidget* modal) {
      fromDisabledAtFirst = !modal->findChild<QPushButton*>("btnFileImportFrom")->isEnabled();
      upDownDisabledAtFirst = !modal->findChild<QToolButton*>("udFileImportColumnNumberUp")->isEnabled();
      f->ui.files.push_back("D:\\list.txt");
      // Enter in the file name box browses, and presses no button.
      QTest::keyClick(modal->findChild<QLineEdit*>("edtFileImportFileName"), Qt::Key_Return);
      fromEnabledAfterLoad = modal->findChild<QPushButton*>("btnFileImportFrom")->isEnabled();
      QTest::mouseClick(modal->findChild<QToolButton*>("udFileImportColumnNumberUp"), Qt::LeftButton);
      stepped = modal->findChild<QLineEdit*>("edtFileImportColumnNumber")->text();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnFileImportFrom"), Qt::LeftButton);
      previewRows = modal->findChild<ListBoxView*>("lstFileImportResults")->model()->rowCount();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnFileImportOk"), Qt::LeftButton);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Ok);
    QVERIFY(fromDisabledAtFirst);
    QVERIFY(upDownDisabledAtFirst);
    QVERIFY(fromEnabledAfterLoad);
    QCOMPARE(stepped, QString("2"));
    QCOMPARE(previewRows, 2);
    QCOMPARE(model.lstFileImportSource.Items(), (Items{"a", "b"}));
    QVERIFY(!view->isVisible());

    // Escape closes as Cancel and keeps what the window shows.
    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(view->ExecModal(), ModalResult::Cancel);
    QCOMPARE(model.lstFileImportResults.Count(), std::size_t{2});
    QVERIFY(f->exceptions.empty());
  }

  void theEditorTakesWhatIsShownOnOkAndEscapeIsCancel() {
    TfrmFileImport& model = *f->app->fileImport;
    auto& editor = *f->app->FindAs<TfrmEditSmartImport>();
    std::unique_ptr<WindowView> view(NewWindowView(editor));
    f->ui.modalBlocks["TfrmEditSmartImport"] = [&](Window&) { return view->ExecModal(); };
    WriteFile("e.txt", "a\n");
    f->ui.files.push_back("D:\\e.txt");
    model.btnFileImportBrowse.Click();
    model.btnFileImportFrom.Click();

    QString shown;
    WhenModal([&](QWidget* modal) {
      auto* memo = modal->findChild<QPlainTextEdit*>("mmoEditSmartImport");
      shown = memo->toPlainText();
      memo->selectAll();
      QTest::keyClicks(memo, "x/y");
      // OK at once, before the memo's pause.
      QTest::mouseClick(modal->findChild<QPushButton*>("btnEditSmartImportOk"), Qt::LeftButton);
    });
    model.btnSmartImportPreviewEdit.Click();
    QCOMPARE(shown, QString("a"));
    QCOMPARE(model.lstFileImportResults.Items(), Items{"x\\y"});
    QVERIFY(!view->isVisible());
    QVERIFY(editor.mmoEditSmartImport.Lines().empty());

    WhenModal([&](QWidget* modal) {
      auto* memo = modal->findChild<QPlainTextEdit*>("mmoEditSmartImport");
      memo->selectAll();
      QTest::keyClicks(memo, "other");
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    model.btnSmartImportPreviewEdit.Click();
    QCOMPARE(model.lstFileImportResults.Items(), Items{"x\\y"});
    QVERIFY(editor.mmoEditSmartImport.Lines().empty());
    QVERIFY(f->exceptions.empty());
  }

 private:
  void WriteFile(const QString& name, const std::string& contents) {
    std::ofstream out((f->Folder() + "/" + name).toStdString(), std::ios::binary);
    out << contents;
  }

  std::unique_ptr<GuiFixture> f;
};

int RunFileImportViewTests(int argc, char** argv) {
  FileImportViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "file_import_view_test.moc"
