#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "structures/structure_windows.h"
#include "structures/structures_group.h"
#include "qt/structures_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace quillory {

class StructuresViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    MAP_FOLDER_TEMPLATE_OPTIONS.clear();
    f = std::make_unique<GuiFixture>();
  }
  void cleanup() {
    f.reset();
    MAP_FOLDER_TEMPLATE_OPTIONS.clear();
  }

  void everyPageShowsItsGroupBoundToTheModel() {
    for (const char* page : {"Vol02", "Vol03", "Vol04", "Vol08"}) {
      const QString p = QString::fromLatin1(page);
      for (const char* name : {"lst%1AddFolderStructure", "lbl%1FolderStructuresTemplatesSum",
                               "rdo%1StructureImportFullPaths", "rdo%1AttachSubFoldersOnlyWithoutFiles",
                               "btn%1AddFolderStructure", "btn%1FolderTemplatesOptions"}) {
        const QString n = QString::fromLatin1(name).arg(p);
        QVERIFY2(f->view->findChild<QWidget*>(n), qPrintable(n));
      }
    }
    QCOMPARE(f->view->findChild<QRadioButton*>("rdoVol08StructureImportRelativePaths")->text(),
             QString("Copy Folder Templates to Each Folder."));
    QVERIFY(f->view->findChild<QRadioButton*>("rdoVol02AttachNothing"));
    QVERIFY(!f->view->findChild<QRadioButton*>("rdoVol08AttachNothing"));
  }

  void aClickOnAKindClearsTheListAndTheWidgetsFollow() {
    StructuresGroup& g = f->Main().vol08.structures;
    g.list.SetItems({"\\a", "\\b", "\\c"});
    auto* list = f->view->findChild<QListView*>("lstVol08AddFolderStructure");
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(f->view->findChild<QLabel*>("lblVol08FolderStructuresTemplatesSum")->text(), QString("3"));
    auto* add = f->view->findChild<QPushButton*>("btnVol08AddFolderStructure");
    QVERIFY(!add->isEnabled());

    auto* full = f->view->findChild<QRadioButton*>("rdoVol08StructureImportFullPaths");
    f->view->show();
    QTest::mouseClick(full, Qt::LeftButton);
    QVERIFY(g.rdoFullPaths.Checked());
    QCOMPARE(list->model()->rowCount(), 0);
    QVERIFY(add->isEnabled());
    QVERIFY(f->view->findChild<QRadioButton*>("rdoVol08AttachMainFolderWithoutFiles")->isChecked());
    QVERIFY(!f->view->findChild<QRadioButton*>("rdoVol08StructureImportRelativePaths")->isChecked());
    QVERIFY(!f->view->findChild<QPushButton*>("btnVol08EditFolderStructuresTemplates")->isEnabled());
    QVERIFY(f->exceptions.empty());
  }

  void theEditorTakesWhatIsTypedIntoTheList() {
    StructuresGroup& g = f->Main().vol02.structures;
    g.list.SetItems({"\\Old"});
    auto* editor = f->app->FindAs<TfrmFolderStructuresTemplates>();
    std::unique_ptr<WindowView> view(NewWindowView(*editor));
    QVERIFY(view->findChild<QPlainTextEdit*>("mmoEditFolderStructuresTemplates"));
    QCOMPARE(view->findChild<QPushButton*>("btnFolderStructuresTemplatesOk")->text(),
             QString("Close the Window With saving the Folders."));
    QString shown;
    // The group shows the editor; its Qt view runs it as a person would.
    f->ui.modalBlocks["TfrmFolderStructuresTemplates"] = [&](Window&) {
      WhenModal([&](QWidget* modal) {
        auto* memo = modal->findChild<QPlainTextEdit*>("mmoEditFolderStructuresTemplates");
        shown = memo->toPlainText();
        memo->setPlainText("\\New\n/Deep//Er");
        QTest::mouseClick(modal->findChild<QPushButton*>("btnFolderStructuresTemplatesOk"), Qt::LeftButton);
      });
      return view->ExecModal();
    };
    g.EditClick();
    QCOMPARE(shown, QString("\\Old"));
    QCOMPARE(g.list.Count(), std::size_t{2});
    QCOMPARE(ToQt(g.list.Item(1)), QString("\\Deep\\Er"));
    QVERIFY(f->exceptions.empty());
  }

  void theOptionsReadWholeAndAClickOnACaptionChoosesIt() {
    auto* options = f->app->FindAs<TfrmFolderTemplateOptions>();
    std::unique_ptr<WindowView> view(NewWindowView(*options));
    QCOMPARE(view->windowTitle(), QString("Options for Folder Templates"));
    QCOMPARE(view->findChild<QGroupBox*>("grpFolderTemplateOptions")->title(),
             QString("Copy/Attach from Text based Folder Templates"));
    options->SetPageKey(4);
    WhenModal([&](QWidget* modal) {
      QVERIFY(modal->width() <= 800);
      // Every caption is shown whole, wrapped rather than cut.
      QLabel* longest = nullptr;
      for (QLabel* label : modal->findChildren<QLabel*>())
        if (label->text().startsWith("Folder Paths Without the Main Folders")) longest = label;
      QVERIFY(longest && longest->wordWrap() && longest->isVisible());
      QVERIFY(longest->text().endsWith("from the Include Window."));
      QVERIFY(!modal->findChild<QGroupBox*>("grpFolderTemplateOptionsSearchTerms")->isVisible());
      QVERIFY(modal->findChild<QRadioButton*>("rdoFolderTemplateOptionsReplaceNo")->isChecked());
      for (QLabel* label : modal->findChildren<QLabel*>())
        if (label->text() == "Folder Paths Without the First (Main) Folders.")
          QTest::mouseClick(label, Qt::LeftButton);
      QTest::mouseClick(modal->findChild<QPushButton*>("btnFolderTemplateOptionsOk"), Qt::LeftButton);
    });
    QCOMPARE(view->ExecModal(), ModalResult::Ok);
    QVERIFY(MAP_FOLDER_TEMPLATE_OPTIONS.count(4) == 1);
    QVERIFY(MAP_FOLDER_TEMPLATE_OPTIONS.at(4).withoutFirst);
    QVERIFY(!MAP_FOLDER_TEMPLATE_OPTIONS.at(4).wholePaths);
    QVERIFY(f->exceptions.empty());
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunStructuresViewTests(int argc, char** argv) {
  StructuresViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "structures_view_test.moc"
