// Drops from the file manager, Escape in secondary windows, accelerators,
// tab order and hints, as a person meets them in the views.
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/list_box_model.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

namespace quillory {

namespace {

using Items = std::vector<std::string>;

// Enter, move and drop, as a drag from the file manager delivers them.
bool DropUrls(QWidget* target, const QList<QUrl>& urls) {
  QMimeData mime;
  mime.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  // The target acts once the drop event is over.
  QCoreApplication::processEvents();
  return drop.isAccepted();
}

// Every shown button under `root` is in the Tab chain, and buttons side by
// side in one row come left to right; "" when so, else what is wrong.
QString TabFault(QWidget* root, const std::vector<QWidget*>& chain) {
  const QList<QPushButton*> buttons = root->findChildren<QPushButton*>();
  auto place = [&chain](QWidget* w) { return std::find(chain.begin(), chain.end(), w) - chain.begin(); };
  for (QPushButton* button : buttons) {
    if (!button->isVisibleTo(root)) continue;
    if (!(button->focusPolicy() & Qt::TabFocus) || place(button) == static_cast<long>(chain.size()))
      return button->objectName() + " cannot be reached with Tab";
  }
  for (QPushButton* a : buttons) {
    for (QPushButton* b : buttons) {
      if (a == b || a->parentWidget() != b->parentWidget() || !a->isVisibleTo(root) || !b->isVisibleTo(root)) continue;
      if (a->geometry().center().y() != b->geometry().center().y() || a->x() >= b->x()) continue;
      if (place(a) > place(b)) return a->objectName() + " comes after " + b->objectName();
    }
  }
  return {};
}

}  // namespace

class DropTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    f = std::make_unique<GuiFixture>();
    f->view->show();
    f->ui.ClearCalls();
  }
  void cleanup() { f.reset(); }

  void aFolderDroppedOnAnIncludeListIsAdded() {
    QVERIFY(QDir(f->Folder()).mkpath("Clients/Acme"));
    auto* list = f->Widget<ListBoxView>("lstVol08IncludeFolderList");
    QVERIFY(list);
    QVERIFY(DropUrls(list->viewport(), {QUrl::fromLocalFile(f->Folder() + "/Clients/Acme")}));
    QCOMPARE(f->Main().vol08.panel.include.Items(), Items{"D:\\Clients\\Acme"});
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(f->ui.Messages().empty());
  }

  void aTextFileDroppedOnAnotherListIsImported() {
    {
      std::ofstream out(FromQt(f->Folder() + "/folders.txt"), std::ios::binary);
      out << "D:\\One\r\nD:\\Two\r\n";
    }
    auto* list = f->Widget<ListBoxView>("lstVol04IncludeFolderList");
    QVERIFY(list);
    f->ui.answers = {MessageAnswer::No};  // do not empty the list first
    QVERIFY(DropUrls(list->viewport(), {QUrl::fromLocalFile(f->Folder() + "/folders.txt")}));
    QCOMPARE(f->Main().vol04.panel.include.Items(), (Items{"D:\\One", "D:\\Two"}));
    QVERIFY(f->ui.answers.empty());
  }

  void dragsWithoutLocalFilesAndDisabledTargetsAreRefused() {
    auto* list = f->Widget<ListBoxView>("lstVol08IncludeFolderList");
    QVERIFY(!DropUrls(list->viewport(), {QUrl("https://example.org/x")}));
    f->Main().vol08.panel.include.SetEnabled(false);
    QVERIFY(!DropUrls(list->viewport(), {QUrl::fromLocalFile(f->Folder())}));
    QVERIFY(f->Main().vol08.panel.include.Empty());
  }

  void aFolderDroppedOnADestinationBoxIsChosen() {
    QVERIFY(QDir(f->Folder()).mkpath("Target"));
    auto* box = f->Widget<QComboBox>("cboVol03DestFolders");
    QVERIFY(box);
    QVERIFY(DropUrls(box, {QUrl::fromLocalFile(f->Folder() + "/Target")}));
    QCOMPARE(f->Main().vol03.destination.combo.Text(), std::string("D:\\Target"));
  }

  void escapeClosesEverySecondaryWindow() {
    int checked = 0;
    for (Window* window : f->app->Windows()) {
      if (window == f->app->main) continue;
      std::unique_ptr<WindowView> view(NewWindowView(*window, f->view.get()));
      window->SetShown(true);
      QVERIFY2(view->isVisible(), window->ClassName().c_str());
      QWidget* target = QApplication::focusWidget();
      if (!target || target->window() != view.get()) target = view.get();
      QTest::keyClick(target, Qt::Key_Escape);
      QVERIFY2(!window->Shown(), window->ClassName().c_str());
      QVERIFY2(!view->isVisible(), window->ClassName().c_str());
      ++checked;
    }
    QVERIFY(checked > 20);
  }

  void escapeEndsAModalWindowAsCancel() {
    Window& zoom = *f->app->statistic02;
    std::unique_ptr<WindowView> view(NewWindowView(zoom, f->view.get()));
    WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(view->ExecModal(), ModalResult::Cancel);
    QVERIFY(!zoom.Shown());
  }

  void mainButtonsHaveAcceleratorsAndKeepTheirCaptions() {
    struct Expected {
      const char* name;
      int key;
    };
    for (const Expected& e : {Expected{"btnVol08CopyFolders", Qt::Key_C}, Expected{"btnVol08CopyFoldersSimulation", Qt::Key_S},
                              Expected{"btnVol08Undo", Qt::Key_U}, Expected{"btnVol06RenameFolders", Qt::Key_R},
                              Expected{"btnVol02Statistic", Qt::Key_V}, Expected{"btnVol04EditIncludeList", Qt::Key_E}}) {
      auto* button = f->Widget<QPushButton>(e.name);
      QVERIFY2(button, e.name);
      QCOMPARE(button->shortcut(), QKeySequence(Qt::ALT | e.key));
    }
    // The model's caption, with its runs of blanks, is untouched.
    QCOMPARE(f->Main().vol08.btnVol08CopyFolders.Caption(), std::string(" COPY   Folder Structures/ Templates "));
    QCOMPARE(f->Widget<QPushButton>("btnVol08CopyFolders")->text(), QString(" &COPY   Folder Structures/ Templates "));

    // A caption change keeps the accelerator; a caption's own marker wins.
    Button& undo = f->Main().vol08.btnVol08Undo;
    undo.SetCaption("Take back: Undo");
    QCOMPARE(f->Widget<QPushButton>("btnVol08Undo")->text(), QString("Take back: &Undo"));
    QCOMPARE(ButtonText("&Close", QChar('o')), QString("&Close"));
    QCOMPARE(ButtonText("R&&D", QChar('d')), QString("R&&&D"));
    QCOMPARE(ButtonText("Zoom", QChar('q')), QString("Zoom"));
  }

  void tabReachesEveryButtonOfAPageInReadingOrderOfItsRows() {
    QTabWidget* tabs = f->view->Tabs();
    for (int index = 0; index < tabs->count(); ++index) {
      tabs->setCurrentIndex(index);
      QWidget* page = tabs->currentWidget();
      QCoreApplication::processEvents();
      // The focus chain, as Tab walks it.
      std::vector<QWidget*> chain;
      QWidget* start = f->view.get();
      QWidget* at = start->nextInFocusChain();
      while (at != start && chain.size() < 5000) {
        chain.push_back(at);
        at = at->nextInFocusChain();
      }
      QVERIFY(!page->findChildren<QPushButton*>().isEmpty());
      const QString fault = TabFault(page, chain);
      QVERIFY2(fault.isEmpty(), qPrintable(tabs->tabText(index) + ": " + fault));
    }
    // The same in every secondary window.
    for (Window* window : f->app->Windows()) {
      if (window == f->app->main) continue;
      std::unique_ptr<WindowView> view(NewWindowView(*window, f->view.get()));
      window->SetShown(true);
      QCoreApplication::processEvents();
      std::vector<QWidget*> chain;
      QWidget* at = view->nextInFocusChain();
      while (at != view.get() && chain.size() < 5000) {
        chain.push_back(at);
        at = at->nextInFocusChain();
      }
      const QString fault = TabFault(view.get(), chain);
      QVERIFY2(fault.isEmpty(), qPrintable(QString::fromStdString(window->ClassName()) + ": " + fault));
      window->SetShown(false);
    }
  }

  void theDocumentsHintsAreToolTips() {
    QCOMPARE(f->Widget<ListBoxView>("lstVol08IncludeFolderList")->toolTip(),
             QString("Contains the Destination Folder List"));
    QCOMPARE(f->Widget<QComboBox>("cboVol08LevelDestFolder")->toolTip(), QString("Select or Enter a Root Folder."));
    QCOMPARE(f->Widget<QPushButton>("btnVol08Undo")->toolTipDuration(), f->Main().hintHidePauseMs);
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunDropTests(int argc, char** argv) {
  DropTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "drop_test.moc"
