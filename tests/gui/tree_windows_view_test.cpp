#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/tree_windows_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"
#include "tree/folder_struct_size.h"
#include "tree/tree_windows.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace quillory {

class TreeWindowsViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void viewsWindowButtonsReachTheModel() {
    QVERIFY(NewTreeWindowsView(*f->app->help) == nullptr);
    TfrmFolderViews& model = *f->app->folderViews;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    QCOMPARE(view->windowTitle(), QString("Views"));
    auto* field = view->findChild<QLineEdit*>("edtFolderViewsFolder");
    QVERIFY(field && field->isHidden());
    auto* explorer = view->findChild<QPushButton*>("btnFolderViewsExplorer");
    QVERIFY(explorer && view->findChild<QPushButton*>("btnFolderViewsLevels") &&
            view->findChild<QPushButton*>("btnFolderViewsClose"));
    QTest::mouseClick(explorer, Qt::LeftButton);
    auto messages = f->ui.Messages();
    QCOMPARE(static_cast<int>(messages.size()), 1);
    QCOMPARE(QString::fromStdString(messages[0].caption),
             QString("SubFolder Level List Builder.            Warning no: 0574."));

    model.edtFolderViewsFolder.SetText("D:\\Tree");
    QCOMPARE(view->findChild<QLabel*>("lblFolderViewsFolder")->text(), QString("D:\\Tree"));
  }

  void levelSummaryShowsTheMeasure() {
    QDir(f->Folder()).mkpath("Tree/a/b");
    QDir(f->Folder()).mkpath("Tree/c");
    QFile file(f->Folder() + "/Tree/a/x.txt");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("12345");
    file.close();

    TfrmLevelSummFolder& model = *f->app->levelSummary;
    std::unique_ptr<WindowView> view(NewWindowView(model));
    FolderStructSize size("D:\\Tree", HostFileSystem());
    size.SetCountRoot(true);
    size.WalkSelected();
    f->ui.modalBlocks["TfrmLevelSummFolder"] = [](Window&) { return ModalResult::Ok; };
    size.ShowLevels(model, f->ui);

    auto* table = view->findChild<QTreeWidget*>("lstViewLevelSummFolder");
    QVERIFY(table);
    QCOMPARE(table->headerItem()->text(0), QString("Level Number"));
    QCOMPARE(table->headerItem()->text(1), QString("Number of SubFolders"));
    QCOMPARE(table->topLevelItemCount(), 2);
    QCOMPARE(table->topLevelItem(0)->text(0), QString("1"));
    QCOMPARE(table->topLevelItem(0)->text(1), QString("2"));
    QCOMPARE(view->findChild<QLabel*>("lblLevelSummFolderSum")->text(), QString("4"));
    QCOMPARE(view->findChild<QLabel*>("lblLevelSummFileSize")->text(), QString("5.00 Bytes  (5 bytes)."));

    WhenModal([](QWidget* modal) {
      QTest::mouseClick(modal->findChild<QPushButton*>("btnLevelSummFolderOK"), Qt::LeftButton);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Ok);
    QVERIFY(f->exceptions.empty());
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunTreeWindowsViewTests(int argc, char** argv) {
  TreeWindowsViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "tree_windows_view_test.moc"
