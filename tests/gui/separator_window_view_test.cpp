#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/list_box_model.h"
#include "qt/separator_window_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace quillory {

class SeparatorWindowViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void servesBothWindowsAndNoOther() {
    QVERIFY(NewSeparatorWindowView(*f->app->help) == nullptr);
    std::unique_ptr<WindowView> view(NewWindowView(*f->app->delimiters));
    QCOMPARE(view->windowTitle(), QString("Manage Delimiters."));
    for (const char* name : {"btnDelimitersAdd", "btnDelimitersIncToExc", "btnDelimitersExcToInc",
                             "btnDelimitersAllFromInc", "btnDelimitersAllFromExc", "btnDelimitersExchangeIncExc",
                             "btnDelimitersDelete", "btnDelimitersRemoveAll", "btnDelimitersSetDefaults",
                             "btnDelimitersClose"})
      QVERIFY2(view->findChild<QPushButton*>(name), name);
    QVERIFY(view->findChild<ListBoxView*>("lstDelimitersIncluded"));
    QVERIFY(view->findChild<ListBoxView*>("lstDelimitersExcluded"));
    QVERIFY(view->findChild<QLineEdit*>("edtDelimitersAdd"));
    QCOMPARE(view->findChild<QPushButton*>("btnDelimitersClose")->text(), QString("&Close"));

    std::unique_ptr<WindowView> quotes(NewWindowView(*f->app->quotationMarks));
    QCOMPARE(quotes->windowTitle(), QString("Manage Quotation Marks."));
    QCOMPARE(quotes->findChild<QPushButton*>("btnQuotationMarksDefaults")->text(), QString("Set Defaults"));
    QCOMPARE(quotes->findChild<QPushButton*>("btnQuotationMarksDelete")->text(), QString("Delete a Quotation Mark"));
  }

  void enterAddsAndCloseEndsTheModalRunWithOk() {
    TfrmDelimiters& model = *f->app->delimiters;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    int shownRows = -1;
    bool stillOpenAfterEnter = false;
    WhenModal([&](QWidget* modal) {
      shownRows = modal->findChild<ListBoxView*>("lstDelimitersIncluded")->model()->rowCount();
      auto* edit = modal->findChild<QLineEdit*>("edtDelimitersAdd");
      QTest::keyClicks(edit, " + ");
      QTest::keyClick(edit, Qt::Key_Return);
      stillOpenAfterEnter = modal->isVisible();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnDelimitersClose"), Qt::LeftButton);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Ok);
    QCOMPARE(shownRows, 17);
    QVERIFY(stillOpenAfterEnter);
    QCOMPARE(QString::fromStdString(model.edtDelimitersAdd.Text()), QString("+"));
    QCOMPARE(QString::fromStdString(f->settings.Separators().back()), QString("+"));
    QVERIFY(f->ui.Messages().empty());

    // Escape closes without storing.
    WhenModal([&](QWidget* modal) {
      model.edtDelimitersAdd.UserSetText("=");
      model.btnDelimitersAdd.Click();
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Cancel);
    QCOMPARE(QString::fromStdString(f->settings.Separators().back()), QString("+"));
  }

  void deleteKeyInTheExcludeListDeletesTheSelection() {
    TfrmQuotationMarks& model = *f->app->quotationMarks;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    model.SetShown(true);
    model.lstQuotationMarksExcluded.SetItems({"a", "b"});
    model.lstQuotationMarksExcluded.SetSelected(0, true);
    f->ui.answers = {MessageAnswer::Yes};
    QTest::keyClick(view->findChild<ListBoxView*>("lstQuotationMarksExcluded"), Qt::Key_Delete);
    QCOMPARE(static_cast<int>(model.lstQuotationMarksExcluded.Count()), 1);
    QCOMPARE(ToQt(model.lstQuotationMarksExcluded.Item(0)), QString("b"));
    const auto messages = f->ui.Messages();
    QCOMPARE(static_cast<int>(messages.size()), 1);
    QCOMPARE(QString::fromStdString(messages[0].caption),
             QString("Managing QuotationMarks.            Warning no: 0128."));
    QVERIFY(f->exceptions.empty());
    model.SetShown(false);
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunSeparatorWindowViewTests(int argc, char** argv) {
  SeparatorWindowViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "separator_window_view_test.moc"
