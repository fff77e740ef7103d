// The help views: links between topics, the search, F1, an example window
// and a demonstration played in a copy of the main window. With
// QUILLORY_SHOTS set to a folder, the tests also save help.png, example.png
// and demo.png there.
#include <memory>

#include "app/help_topics.h"
#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/help_view.h"
#include "qt/placement.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

namespace quillory {

namespace {

void SaveShot(QWidget* widget, const char* name) {
  const QString folder = qEnvironmentVariable("QUILLORY_SHOTS");
  if (folder.isEmpty()) return;
  // Indexed colours keep the pictures small; the views have few colours.
  widget->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither).save(folder + "/" + name, "PNG", 0);
}

}  // namespace

class HelpViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void theHelpViewFollowsALinkAndGoesBack() {
    TfrmAltalanosHelp& help = *f->app->help;
    std::unique_ptr<WindowView> view(NewWindowView(help));
    help.ShowTopic("Vol02");
    view->show();
    auto* text = view->findChild<QTextBrowser*>("memHelpText");
    QVERIFY(text);
    QVERIFY(text->toPlainText().contains("Create Folder Structures-I"));
    // Rendered, not shown as Markdown source.
    QVERIFY(!text->toPlainText().contains("## "));
    SaveShot(view.get(), "help.png");

    // What a click on the link "Lists and list tools" hands over.
    QVERIFY(text->toHtml().contains("href=\"lists.md\""));
    emit text->anchorClicked(QUrl("lists.md"));
    QCOMPARE(help.Topic(), std::string("lists"));
    QCOMPARE(view->findChild<QLabel*>("lblHelpTopic")->text(), QString("Lists and list tools"));
    QVERIFY(text->toPlainText().contains("Subfolder Level Builder"));

    auto* back = view->findChild<QPushButton*>("btnHelpBack");
    QVERIFY(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(help.Topic(), std::string("Vol02"));
    QVERIFY(!back->isEnabled());
  }

  void theSearchFindsATopicAndTheWordsInIt() {
    TfrmAltalanosHelp& help = *f->app->help;
    std::unique_ptr<WindowView> view(NewWindowView(help));
    view->show();
    auto* search = view->findChild<QLineEdit*>("edtHelpSearch");
    auto* topics = view->findChild<QListWidget*>("lstHelpTopics");
    auto* text = view->findChild<QTextBrowser*>("memHelpText");
    QVERIFY(search && topics && text);
    QCOMPARE(topics->count(), static_cast<int>(HelpTopics().size()));

    QTest::keyClicks(search, "padded zeroes");
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(topics->count(), 1);
    QCOMPARE(topics->item(0)->text(), QString("Create Folder Struct.-III"));
    QCOMPARE(view->findChild<QLabel*>("lblHelpFound")->text(), QString("1 topic contains \"padded zeroes\"."));

    topics->setCurrentRow(0);
    QCOMPARE(help.Topic(), std::string("Vol03"));
    QVERIFY(text->toPlainText().contains("Increased Numbers"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(text->textCursor().selectedText().toLower(), QString("padded zeroes"));
  }

  void f1OpensTheTopicOfThePageInFront() {
    auto* action = f->Widget<QAction>("mnuHelpTopics");
    QCOMPARE(action->shortcut(), QKeySequence(QKeySequence::HelpContents));
    f->view->Tabs()->setCurrentIndex(2);
    action->trigger();
    QCOMPARE(f->ui.calls.back().caption, std::string("TfrmAltalanosHelp"));
    QCOMPARE(f->app->help->Topic(), std::string("Vol06"));
    QVERIFY(f->Widget<QAction>("mnuHelpWebPage"));
  }

  void anExampleShowsItsStory() {
    Window& example = *f->app->Find("TfrmExample03");
    std::unique_ptr<WindowView> view(NewWindowView(example));
    view->show();
    auto* story = view->findChild<QTextBrowser*>("memExampleStory");
    QVERIFY(story);
    QVERIFY(story->toPlainText().contains("Box-08"));
    QVERIFY(view->findChild<QPushButton*>("btnExampleDemo"));
    SaveShot(view.get(), "example.png");
  }

  void aLinkOfTheOverviewOpensTheHelpOnItsTopic() {
    Window& overview = *f->app->overview;
    std::unique_ptr<WindowView> view(NewWindowView(overview));
    auto* text = view->findChild<QTextBrowser*>("memOverView");
    QVERIFY(text);
    QVERIFY(text->toHtml().contains("href=\"Vol06.md\""));
    emit text->anchorClicked(QUrl("Vol06.md"));
    QCOMPARE(f->app->help->Topic(), std::string("Vol06"));
    QCOMPARE(f->ui.calls.back().caption, std::string("TfrmAltalanosHelp"));
  }

  void aDemonstrationPlaysInTheMainWindowAndLeavesNothing() {
    TfrmVideoTutorials& videos = *f->app->videos;
    std::unique_ptr<WindowView> view(NewWindowView(videos));
    const int pace = DemoPace();
    SetDemoPace(0);
    bool sawStage = false;
    bool sawCaption = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != "wdgDemoStage" || !top->isVisible()) continue;
        sawStage = true;
        auto* say = top->findChild<QLabel*>("lblDemoSay");
        auto* tabs = top->findChild<QTabWidget*>("pgeMain");
        if (!sawCaption && say && tabs && tabs->currentIndex() == 3 && say->text().contains("Simulation")) {
          sawCaption = true;
          SaveShot(top, "demo.png");
        }
      }
    });
    watch.start(0);
    videos.Choose("create_strings");
    videos.SetShown(true);  // starts the chosen demonstration once the window is up
    QTRY_VERIFY_WITH_TIMEOUT(sawStage, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(videos.btnDemoPlay.Enabled(), 20000);
    watch.stop();
    SetDemoPace(pace);
    QVERIFY(sawCaption);
    QVERIFY(videos.lblDemoCaption.Caption().rfind("Done", 0) == 0);
    for (QWidget* top : QApplication::topLevelWidgets()) QVERIFY(top->objectName() != "wdgDemoStage");
    QVERIFY(videos.Chosen().empty());
  }

  // A window the script fills (the template editor) shows while it does,
  // over the demonstrated main window and below the caption; the stage
  // itself fills the screen in front of the window that started it.
  void theWindowsAScriptOpensShowInTheDemonstration() {
    TfrmVideoTutorials& videos = *f->app->videos;
    std::unique_ptr<WindowView> view(NewWindowView(videos));
    view->show();
    const int pace = DemoPace();
    SetDemoPace(0);
    bool sawEditor = false;
    bool editorPlaced = false;
    bool stageFills = false;
    bool stageActive = false;
    QString where;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "wdgDemoStage" && top->isVisible()) {
          const QRect area = AvailableArea(top);
          stageFills = area.contains(top->frameGeometry()) && top->width() >= area.width() * 9 / 10 &&
                       top->height() >= area.height() * 9 / 10;
          stageActive = stageActive || QApplication::activeWindow() == top;
        }
        if (sawEditor || top->objectName() != "TfrmFolderStructuresTemplates" || !top->isVisible() ||
            !top->parentWidget() || top->parentWidget()->objectName() != "wdgDemoStage")
          continue;
        sawEditor = true;
        QWidget* stage = top->parentWidget();
        auto* say = stage->findChild<QLabel*>("lblDemoSay");
        auto* main = stage->findChild<MainWindowView*>();
        const QRect shown(main->mapToGlobal(QPoint(0, 0)), main->size());
        const QRect caption(say->mapToGlobal(QPoint(0, 0)), say->size());
        editorPlaced = shown.contains(top->frameGeometry()) && !caption.intersects(top->frameGeometry());
        where = QStringLiteral("editor %1,%2 %3x%4 in %5,%6 %7x%8")
                    .arg(top->frameGeometry().x()).arg(top->frameGeometry().y())
                    .arg(top->frameGeometry().width()).arg(top->frameGeometry().height())
                    .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height());
      }
    });
    watch.start(0);
    videos.Choose("copy");
    videos.SetShown(true);
    QTRY_VERIFY_WITH_TIMEOUT(sawEditor, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(videos.lblDemoCaption.Caption().rfind("Done", 0) == 0, 20000);
    watch.stop();
    SetDemoPace(pace);
    // The person's own editor window was never opened.
    QVERIFY(!f->app->Find("TfrmFolderStructuresTemplates")->Shown());
    QVERIFY(stageFills);
    QVERIFY(stageActive);
    QVERIFY2(editorPlaced, qPrintable(where));
  }

  // At a pace a person follows, Stop ends it at once and tidies up.
  void stopEndsADemonstrationAndRemovesItsDrive() {
    TfrmVideoTutorials& videos = *f->app->videos;
    std::unique_ptr<WindowView> view(NewWindowView(videos));
    const auto letters = Drives().Letters();
    const int pace = DemoPace();
    SetDemoPace(200);
    bool stopped = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets())
        if (!stopped && top->objectName() == "wdgDemoStage" && top->isVisible()) {
          QVERIFY(Drives().Letters().size() == letters.size() + 1);
          auto* stop = view->findChild<QPushButton*>("btnDemoStop");
          QVERIFY(stop && stop->isEnabled());
          QTest::mouseClick(stop, Qt::LeftButton);
          stopped = true;
        }
    });
    watch.start(20);
    videos.Choose("copy");
    videos.SetShown(true);
    QTRY_VERIFY_WITH_TIMEOUT(stopped, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(videos.btnDemoPlay.Enabled(), 10000);
    watch.stop();
    SetDemoPace(pace);
    QCOMPARE(ToQt(videos.lblDemoCaption.Caption()), QString("Stopped. The demonstration drive has been removed."));
    QVERIFY(Drives().Letters() == letters);
    for (QWidget* top : QApplication::topLevelWidgets()) QVERIFY(top->objectName() != "wdgDemoStage");
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunHelpViewTests(int argc, char** argv) {
  HelpViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "help_view_test.moc"
