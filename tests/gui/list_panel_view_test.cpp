#include <memory>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "lists/list_windows.h"
#include "qt/list_box_model.h"
#include "qt/list_panel_view.h"
#include "qt/list_windows_view.h"
#include "qt/window_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace quillory {

namespace {

using Items = std::vector<std::string>;

QString LongPath() { return QStringLiteral("D:\\") + QString(300, QLatin1Char('x')); }

}  // namespace

class ListPanelViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    f = std::make_unique<GuiFixture>();
    f->ui.ClearCalls();
  }
  void cleanup() {
    panel_.reset();
    f.reset();
  }

  void thePanelHoldsEveryControlOfItsPage() {
    Show(f->Main().vol02.panel);
    for (const char* name : {"btnVol02IncToExc", "btnVol02ExcToInc", "btnVol02AllFromInc", "btnVol02AllFromExc",
                             "btnVol02ExchangeIncExc", "btnVol02DeleteFromExclude", "btnVol02DeleteExcludeAll",
                             "btnVol02EditIncludeList", "btnVol02AddToList", "btnVol02ZoomIncludeWindow",
                             "btnVol02ClearAll"}) {
      auto* button = Find<QPushButton>(name);
      QVERIFY2(button, name);
      QVERIFY2(!button->toolTip().isEmpty(), name);
    }
    QCOMPARE(Find<QPushButton>("btnVol02DeleteFromExclude")->text(), QString("Delete Excluded"));
    QVERIFY(Find<QLineEdit>("edtVol02AddToList"));
    QVERIFY(Find<ListBoxView>("lstVol02IncludeStrings"));
    QVERIFY(Find<ListBoxView>("lstVol02ExcludeStrings"));
    QCOMPARE(Find<ListBoxView>("lstVol02IncludeStrings")->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(BuildListMethods(f->Main().vol02.panel, panel_.get()) == nullptr);

    Show(f->Main().vol08.panel);
    QVERIFY(!Find<QLineEdit>("edtVol08AddToList"));
    QCOMPARE(Find<QPushButton>("btnVol08AddFolderToList")->text(), QString("Add  Folder"));
    QCOMPARE(Find<QPushButton>("btnVol08IncludeFolderListView")->text(), QString("View Selected"));
    QGroupBox* methods = BuildListMethods(f->Main().vol08.panel, panel_.get());
    QVERIFY(methods);
    QCOMPARE(methods->title(), QString("Methods for creating Input (Include) Folder List"));
    QCOMPARE(methods->findChildren<QRadioButton*>().size(), 3);
    auto* selector = methods->findChild<QRadioButton*>("rdoVol08MakeListSelector");
    auto* manual = methods->findChild<QRadioButton*>("rdoVol08AddToListManually");
    QVERIFY(selector->isChecked());
    QVERIFY(!Find<QPushButton>("btnVol08AddFolderToList")->isEnabled());
    QTest::mouseClick(manual, Qt::LeftButton);
    QVERIFY(f->Main().vol08.panel.rdoAddToListManually->Checked());
    QVERIFY(!selector->isChecked());
    QVERIFY(Find<QPushButton>("btnVol08AddFolderToList")->isEnabled());
  }

  void deleteInTheExcludeListAsksAndDeletesTheSelection() {
    ChooseVol02Destination();
    ListPanel& p = f->Main().vol02.panel;
    Show(p);
    p.exclude.AddMany({"a", "b", "c"});
    p.include.AddMany({"x"});
    auto* exclude = Find<ListBoxView>("lstVol02ExcludeStrings");
    Click(exclude, 1);
    QCOMPARE(p.exclude.SelectedRows(), std::vector<std::size_t>{1});

    f->ui.answers.push_back(MessageAnswer::No);
    QTest::keyClick(exclude, Qt::Key_Delete);
    QCOMPARE(p.exclude.Items(), (Items{"a", "b", "c"}));
    f->ui.answers.push_back(MessageAnswer::Yes);
    QTest::keyClick(exclude, Qt::Key_Delete);
    QCOMPARE(p.exclude.Items(), (Items{"a", "c"}));
    QCOMPARE(f->ui.calls.size(), std::size_t{2});
    QCOMPARE(QString::fromStdString(f->ui.calls.back().caption),
             QString("Creating Folder(s).-From a String List.            Warning no: 0017."));
    QCOMPARE(QString::fromStdString(f->ui.calls.back().text),
             QString("Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete "
                     "ONLY from the EXCLUDE list.\n"));
    QCOMPARE(Find<QLabel>("lblVol02ExcludeSum")->text(), QString("2"));

    // The include list is never deleted from, and a disabled button is not
    // pressed by its key either.
    f->ui.ClearCalls();
    auto* include = Find<ListBoxView>("lstVol02IncludeStrings");
    Click(include, 0);
    QTest::keyClick(include, Qt::Key_Delete);
    QCOMPARE(p.include.Items(), Items{"x"});
    p.btnDeleteFromExclude.SetEnabled(false);
    Click(exclude, 0);
    QTest::keyClick(exclude, Qt::Key_Delete);
    QCOMPARE(p.exclude.Items(), (Items{"a", "c"}));
    QVERIFY(f->ui.calls.empty());
    QVERIFY(f->exceptions.empty());
  }

  void enterInTheAddBoxAdds() {
    ChooseVol02Destination();
    ListPanel& p = f->Main().vol02.panel;
    Show(p);
    auto* edit = Find<QLineEdit>("edtVol02AddToList");
    QVERIFY(edit->isEnabled());
    QTest::keyClicks(edit, "  a/b//c ");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(p.include.Items(), Items{"a\\b\\c"});
    QCOMPARE(edit->text(), QString("a\\b\\c"));
    QCOMPARE(Find<QLabel>("lblVol02IncludeSum")->text(), QString("1"));
    QVERIFY(f->ui.calls.empty());

    // The same name in other letters is refused, and the list keeps one.
    edit->clear();
    QTest::keyClicks(edit, "A\\B\\C");
    QTest::keyClick(edit, Qt::Key_Enter);
    QCOMPARE(p.include.Items(), Items{"a\\b\\c"});
    QCOMPARE(f->ui.calls.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(f->ui.calls.back().text), QString("This item already exists in the Include list !"));
    QCOMPARE(edit->text(), QString("A\\B\\C"));
  }

  void selectedRowsMoveAndTheCountersFollow() {
    ListPanel& p = f->Main().vol04.panel;
    Show(p);
    p.include.AddMany({"D:\\A", "D:\\B", "D:\\C"});
    auto* include = Find<ListBoxView>("lstVol04IncludeFolderList");
    QCOMPARE(include->model()->rowCount(), 3);
    QCOMPARE(Find<QLabel>("lblVol04IncludeSum")->text(), QString("3"));
    Click(include, 0);
    Click(include, 2, Qt::ControlModifier);
    QCOMPARE(p.include.SelectedRows(), (std::vector<std::size_t>{0, 2}));

    auto* move = Find<QPushButton>("btnVol04IncToExc");
    QVERIFY(move->isEnabled());
    QTest::mouseClick(move, Qt::LeftButton);
    QCOMPARE(p.include.Items(), Items{"D:\\B"});
    QCOMPARE(p.exclude.Items(), (Items{"D:\\A", "D:\\C"}));
    QCOMPARE(include->model()->rowCount(), 1);
    QCOMPARE(Find<ListBoxView>("lstVol04ExcludeFolderList")->model()->rowCount(), 2);
    QCOMPARE(Find<QLabel>("lblVol04IncludeSum")->text(), QString("1"));
    QCOMPARE(Find<QLabel>("lblVol04ExcludeSum")->text(), QString("2"));

    QTest::mouseClick(Find<QPushButton>("btnVol04ExchangeIncExc"), Qt::LeftButton);
    QCOMPARE(p.include.Items(), (Items{"D:\\A", "D:\\C"}));
    QCOMPARE(Find<QLabel>("lblVol04IncludeSum")->text(), QString("2"));
    QCOMPARE(Find<QLabel>("lblVol04ExcludeSum")->text(), QString("1"));
  }

  void theListScrollsSidewaysAsFarAsItsWidestItem() {
    ListPanel& p = f->Main().vol06.panel;
    Show(p);
    auto* include = Find<ListBoxView>("lstVol06IncludeFolderList");
    QScrollBar* bar = include->horizontalScrollBar();
    p.include.AddMany({"D:\\a", "D:\\b", "D:\\c"});
    QTest::qWait(20);
    QCOMPARE(bar->maximum(), 0);

    // A long path in the middle of the list, not only the first row, counts.
    const QString longPath = LongPath();
    p.include.Insert(1, FromQt(longPath));
    QTRY_VERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    const QRect row = include->visualRect(include->model()->index(1, 0));
    const int textEnd = row.left() + include->fontMetrics().horizontalAdvance(longPath);
    QVERIFY2(textEnd <= include->viewport()->width(), qPrintable(QString::number(textEnd)));

    p.include.Delete(1);
    QTRY_COMPARE(bar->maximum(), 0);

    // Many rows: only what comes in is measured, and a removal of the widest
    // row shrinks the extent to the next widest.
    std::vector<std::string> many(20000, "D:\\x");
    many[12345] = FromQt(longPath.left(120));
    p.include.AddMany(many);
    QTRY_VERIFY(bar->maximum() > 0);
    const int wide = bar->maximum();
    p.include.Add(FromQt(longPath));
    QTRY_VERIFY(bar->maximum() > wide);
    p.include.Delete(p.include.Count() - 1);
    QTRY_COMPARE(bar->maximum(), wide);
    p.include.Clear();
    QTRY_COMPARE(bar->maximum(), 0);
  }

  void theEditorShowsTheListAndOkChecksWhatWasTyped() {
    ListPanel& p = f->Main().vol04.panel;
    auto& editor = *f->app->FindAs<TfrmVol04EditIncludeList>();
    std::unique_ptr<WindowView> view(NewListWindowView(editor));
    QVERIFY(view);
    QCOMPARE(view->windowTitle(), QString("Edit the Include Folder List."));
    f->ui.modalBlocks["TfrmVol04EditIncludeList"] = [&](Window&) { return view->ExecModal(); };
    p.include.AddMany({"D:\\A"});

    QString shown;
    QString countShown;
    QString countAfterTyping;
    bool openAfterFault = false;
    WhenModal([&](QWidget* modal) {
      auto* memo = modal->findChild<QPlainTextEdit*>("mmoVol04EditIncludeList");
      auto* count = modal->findChild<QLabel*>("lblVol04EditLinesSum");
      shown = memo->toPlainText();
      countShown = count->text();
      memo->moveCursor(QTextCursor::End);
      QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, "nodrive");
      (void)QTest::qWaitFor([&] { return count->text() == "2"; }, 2000);
      countAfterTyping = count->text();
      // A line without a drive: the warning, and the window stays.
      QTest::mouseClick(modal->findChild<QPushButton*>("btnVol04EditIncludeListOk"), Qt::LeftButton);
      openAfterFault = modal->isVisible() && editor.Shown();
      memo->selectAll();
      QTest::keyClicks(memo, "D:\\B");
      // OK at once, before the memo's pause: what is shown is what counts.
      QTest::mouseClick(modal->findChild<QPushButton*>("btnVol04EditIncludeListOk"), Qt::LeftButton);
    });
    p.btnEditIncludeList.Click();

    QCOMPARE(shown, QString("D:\\A"));
    QCOMPARE(countShown, QString("1"));
    QCOMPARE(countAfterTyping, QString("2"));
    QVERIFY(openAfterFault);
    QCOMPARE(f->ui.Messages().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(f->ui.Messages().front().caption),
             QString("Creating Folder(s).-From a Folder List.            Warning no: 0385bc."));
    QCOMPARE(p.include.Items(), Items{"D:\\B"});
    QVERIFY(!view->isVisible());
    QVERIFY(editor.memo.Lines().empty());

    // Escape is Cancel: the list stays as it was.
    WhenModal([&](QWidget* modal) {
      auto* memo = modal->findChild<QPlainTextEdit*>("mmoVol04EditIncludeList");
      memo->selectAll();
      QTest::keyClicks(memo, "D:\\C");
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    p.btnEditIncludeList.Click();
    QCOMPARE(p.include.Items(), Items{"D:\\B"});
    QVERIFY(!view->isVisible());
    QVERIFY(editor.memo.Lines().empty());
    QVERIFY(f->exceptions.empty());
  }

  void theBuilderEditorShowsTheCaretLine() {
    auto& editor = *f->app->FindAs<TfrmFLLEditIncludeFolderList>();
    std::unique_ptr<WindowView> view(NewListWindowView(editor));
    auto* memo = view->findChild<QPlainTextEdit*>("mmoEditIncludeList");
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    editor.memo.SetLines({"D:\\a", "D:\\b", "D:\\c"});
    view->show();
    QVERIFY(QTest::qWaitForWindowActive(view.get()));
    memo->setFocus();
    QTextCursor cursor = memo->textCursor();
    cursor.movePosition(QTextCursor::End);
    memo->setTextCursor(cursor);
    QCOMPARE(view->findChild<QLabel*>("lblEditLinesCurrent")->text(), QString("2"));
    view->hide();
  }

  void theZoomWindowShowsTheIncludeItems() {
    ListPanel& p = f->Main().vol07.panel;
    auto& zoom = *f->app->FindAs<TfrmZoomIncludeWindow>();
    std::unique_ptr<WindowView> view(NewListWindowView(zoom));
    QVERIFY(NewListWindowView(*f->app->help) == nullptr);
    QCOMPARE(view->windowTitle(), QString("Zoom the Include Window."));
    f->ui.modalBlocks["TfrmZoomIncludeWindow"] = [&](Window&) { return view->ExecModal(); };
    p.include.AddMany({"D:\\A", FromQt(LongPath())});

    int rows = -1;
    QString second;
    int scroll = -1;
    WhenModal([&](QWidget* modal) {
      auto* list = modal->findChild<ListBoxView*>("lstZoomIncludeWindow");
      rows = list->model()->rowCount();
      second = list->model()->index(1, 0).data().toString();
      (void)QTest::qWaitFor([&] { return list->horizontalScrollBar()->maximum() > 0; }, 2000);
      scroll = list->horizontalScrollBar()->maximum();
      QTest::mouseClick(modal->findChild<QPushButton*>("btnZoomInjcludeWindowsClose"), Qt::LeftButton);
    });
    p.btnZoom.Click();
    QCOMPARE(rows, 2);
    QCOMPARE(second, LongPath());
    QVERIFY(scroll > 0);
    QVERIFY(!view->isVisible());
    QCOMPARE(QString::fromStdString(f->ui.calls.back().answer), QString("Close"));
  }

 private:
  // The Vol02 panel stays disabled until a destination is chosen.
  void ChooseVol02Destination() {
    QVERIFY(QDir(f->Folder()).mkpath("Dest"));
    f->Main().vol02.ChooseDestination("D:\\Dest");
    QVERIFY(f->Main().vol02.panel.exclude.Enabled());
    f->ui.ClearCalls();
  }

  void Show(ListPanel& panel) {
    panel_.reset(BuildListPanel(panel, nullptr));
    panel_->resize(760, 420);
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
  }

  template <class W>
  W* Find(const char* name) const {
    return panel_->findChild<W*>(QString::fromLatin1(name));
  }

  static void Click(ListBoxView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, QPoint(20, rect.center().y()));
  }

  std::unique_ptr<GuiFixture> f;
  std::unique_ptr<QWidget> panel_;
};

int RunListPanelViewTests(int argc, char** argv) {
  ListPanelViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "list_panel_view_test.moc"
