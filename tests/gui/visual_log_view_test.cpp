#include <memory>

#include "gui_fixture.h"
#include "gui_tests.h"
#include "qt/list_box_model.h"
#include "qt/screenshot.h"
#include "qt/view_factory.h"
#include "qt/visual_log_view.h"
#include "qt/window_view.h"
#include "results/visual_logs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPalette>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace quillory {

namespace {

// A small copy run as the recorder sees it.
void FillCopyRun(TfrmMain& m) {
  VisualLogs& logs = m.visualLogs;
  OperationStatistics& stats = logs.Stats(PageKey::Vol08);
  stats.ResetAll();
  stats.Set("FoldersToCopy", 3);
  stats.Set("SubFoldersToCopy", 6);
  stats.Set("FilesToCopy", 4);
  stats.Set("FileSizeToCopy", 5368709120.0);
  logs.PrepareVisualLog(PageKey::Vol08, false);
  for (const char* folder : {"D:\\Clients\\Alpha", "D:\\Clients\\Beta"}) {
    logs.AddResult(CopyList::FoldersCopied, folder);
    stats.Add("FoldersCopied", 1);
    for (const char* sub : {"\\Invoices", "\\Invoices\\2024", "\\Letters"}) {
      logs.AddResult(CopyList::SubFoldersCopied, std::string(folder) + sub);
      stats.Add("SubFoldersCopied", 1);
    }
    logs.AddResult(CopyList::FilesCopied, std::string(folder) + "\\Letters\\template.docx");
    stats.Add("FilesCopied", 1);
    stats.Add("FileSizeCopied", 2684354560.0);
    logs.ShowCounters(PageKey::Vol08);
  }
  logs.AddResult(CopyList::FoldersNotExists, "D:\\Clients\\Gamma");
  stats.Add("FoldersNotExists", 1);
  logs.AddResult(CopyList::FilesExists, "D:\\Clients\\Alpha\\Letters\\old.docx");
  stats.Add("FilesExists", 1);
  logs.ShowCounters(PageKey::Vol08);
}

// A dark theme as a desktop would set it.
QPalette DarkPalette() {
  QPalette dark;
  const QColor window(0x2b, 0x2b, 0x2b), text(0xe6, 0xe6, 0xe6);
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    dark.setColor(group, QPalette::Window, window);
    dark.setColor(group, QPalette::WindowText, text);
    dark.setColor(group, QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(group, QPalette::Text, text);
    dark.setColor(group, QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(group, QPalette::ButtonText, text);
  }
  return dark;
}

// With QUILLORY_SHOTS set to a folder, a picture of `widget` goes there.
void SaveShot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("QUILLORY_SHOTS");
  if (!folder.isEmpty()) widget->grab().save(folder + "/" + name, "PNG");
}

}  // namespace

class VisualLogViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { f = std::make_unique<GuiFixture>(); }
  void cleanup() { f.reset(); }

  void servesTheLogsAndZoomWindowsOnly() {
    QVERIFY(NewVisualLogView(*f->app->help) == nullptr);
    for (Window* w : f->app->Windows()) {
      const bool ours = dynamic_cast<VisualLogWindow*>(w) || dynamic_cast<ZoomStatisticsWindow*>(w);
      std::unique_ptr<WindowView> view(NewVisualLogView(*w));
      QCOMPARE(view != nullptr, ours);
    }
  }

  void theLogShowsHeadingCountersListsAndButtons() {
    FillCopyRun(f->Main());
    std::unique_ptr<WindowView> view(NewWindowView(*f->app->statistic08));
    QCOMPARE(view->windowTitle(), QString("Detailed Results for Copied Subfolders and/or Files to Main Folders."));
    auto* heading = view->findChild<QLabel*>("lblVol08NormalSimulate");
    QVERIFY(heading);
    QCOMPARE(heading->text(), QString("Folder/File Copy Process."));
    QVERIFY(heading->font().bold());
    QCOMPARE(view->findChild<QLabel*>("lblStat08FileSizeCopied")->text(), QString("5368709120"));
    QCOMPARE(view->findChild<QLabel*>("lblStat08SubFoldersCopied")->text(), QString("6"));
    QVERIFY(view->findChild<QLabel*>("lblStat08SubFoldersOtherReasons"));
    QCOMPARE(view->findChild<QGroupBox*>("grpStat08FoldersNotExists")->title(), QString("FAILED COPY "));
    for (const ResultListInfo& info : PageResultLists(PageKey::Vol08)) {
      auto* list = view->findChild<ListBoxView*>(QString::fromStdString(info.list));
      QVERIFY2(list, info.list.c_str());
      const std::string stem = info.list.substr(3);
      QCOMPARE(view->findChild<QPushButton*>(QString::fromStdString("btn" + stem + "Export"))->text(),
               QString("Export"));
      QCOMPARE(view->findChild<QPushButton*>(QString::fromStdString("btn" + stem + "Zoom"))->text(), QString("Zoom"));
    }
    QTest::qWait(80);  // the held-back rows arrive
    QCOMPARE(view->findChild<ListBoxView*>("lstStat08SubFoldersCopied")->model()->rowCount(), 6);

    f->ui.Show(*f->app->statistic08);
    view->show();
    QTest::mouseClick(view->findChild<QPushButton*>("btnStat08OK"), Qt::LeftButton);
    QVERIFY(!f->app->statistic08->Shown());
    QVERIFY(!view->isVisible());
  }

  void theZoomWindowShowsOneListAndItsRadioFollows() {
    FillCopyRun(f->Main());
    auto& zoom = *f->app->FindAs<TfrmVol08ZoomStatistics>();
    std::unique_ptr<WindowView> view(NewWindowView(zoom));
    view->show();
    f->app->statistic08->ZoomList(2);
    QVERIFY(view->findChild<ListBoxView*>("lstVol08ZoomStatisticsFilesCopied")->isVisible());
    QVERIFY(!view->findChild<ListBoxView*>("lstVol08ZoomStatisticsFoldersCopied")->isVisible());
    QTest::mouseClick(view->findChild<QRadioButton*>("rdoVol08ZoomStatisticsFoldersCopied"), Qt::LeftButton);
    QCOMPARE(zoom.Selected(), 0L);
    QVERIFY(view->findChild<ListBoxView*>("lstVol08ZoomStatisticsFoldersCopied")->isVisible());
    QVERIFY(!view->findChild<ListBoxView*>("lstVol08ZoomStatisticsFilesCopied")->isVisible());
    QVERIFY(!view->findChild<QLabel*>("lblVol08ZoomStatisticsFilesCopied")->isVisible());
    QCOMPARE(view->findChild<QLabel*>("lblVol08ZoomStatisticsFoldersCopied")->text(),
             QString("Successfully Copied: To Folders."));
  }

  void appendsDuringARunReachTheViewInFewNotices() {
    std::unique_ptr<WindowView> view(NewWindowView(*f->app->statistic06));
    auto* list = view->findChild<ListBoxView*>("lstStat06FoldersRenamed");
    QSignalSpy inserted(list->model(), &QAbstractItemModel::rowsInserted);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20000; ++i) f->Main().visualLogs.AddResult(RenameList::FoldersRenamed, "D:\\R\\" + std::to_string(i));
    const qint64 ms = clock.elapsed();
    // The model list is exact at once; the view is told in batches.
    QCOMPARE(f->app->statistic06->results[0].list->Count(), std::size_t{20000});
    QVERIFY2(inserted.count() <= 2 + ms / 40, qPrintable(QString::number(inserted.count())));
    QTRY_COMPARE(list->model()->rowCount(), 20000);
    QCOMPARE(list->model()->index(19999, 0).data().toString(), QString("D:\\R\\19999"));
    // A removal after held-back rows keeps the view consistent.
    f->Main().visualLogs.AddResult(RenameList::FoldersRenamed, "D:\\late");
    f->Main().visualLogs.PrepareVisualLog(PageKey::Vol06, false);
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(qobject_cast<ListBoxModel*>(list->model())->Pending(), 0);
  }

  void theFolderPagesShowTheirCountersAndVisualLogButtons() {
    QCOMPARE(f->Widget<QPushButton>("btnVol06Statistics")->text(), QString("&Visual Log"));
    QCOMPARE(f->Widget<QPushButton>("btnVol02Statistic")->text(), QString("&Visual Log"));
    QVERIFY(f->Widget<QCheckBox>("chkVol08ShowDetailedResults")->isChecked());
    QCOMPARE(f->Widget<QLabel>("lblVol07RowNotExists")->text(), QString("NOT Deleted (not exists)"));
    f->Main().visualLogs.Stats(PageKey::Vol08).Set("FileSizeExists", 6442450944.0);
    f->Main().visualLogs.ShowCounters(PageKey::Vol08);
    QCOMPARE(f->Widget<QLabel>("lblVol08FileSizeExists")->text(), QString("6442450944"));
  }

  // The heading keeps its documented dark red on a light window and takes a
  // red that reads on a dark one, whether the theme was dark from the start
  // or changed while the window was open.
  void theHeadingReadsUnderADarkPalette() {
    FillCopyRun(f->Main());
    const QPalette light = QApplication::palette();
    const QColor darkRed(0x8B, 0x00, 0x00);
    struct Restore {
      QPalette palette;
      ~Restore() { QApplication::setPalette(palette); }
    } restore{light};

    std::unique_ptr<WindowView> view(NewWindowView(*f->app->statistic08));
    auto* heading = view->findChild<QLabel*>("lblVol08NormalSimulate");
    const auto shade = [heading] { return heading->palette().color(QPalette::Active, QPalette::WindowText); };
    const auto background = [heading] { return heading->palette().color(heading->backgroundRole()); };
    QCOMPARE(shade(), darkRed);

    QApplication::setPalette(DarkPalette());
    QApplication::processEvents();
    QCOMPARE(background(), QColor(0x2b, 0x2b, 0x2b));
    QVERIFY2(ContrastRatio(shade(), background()) >= 3.0, qPrintable(shade().name()));
    QVERIFY2(shade().red() > 2 * shade().green() && shade().green() == shade().blue(), qPrintable(shade().name()));
    view->show();
    QApplication::processEvents();
    SaveShot(view.get(), "visual-log-dark.png");

    std::unique_ptr<WindowView> later(NewWindowView(*f->app->statistic08));
    auto* laterHeading = later->findChild<QLabel*>("lblVol08NormalSimulate");
    QCOMPARE(laterHeading->palette().color(QPalette::Active, QPalette::WindowText), shade());

    QApplication::setPalette(light);
    QApplication::processEvents();
    QCOMPARE(shade(), darkRed);
  }

  void aReadableShadeKeepsTheNamedColourWhereItReads() {
    QCOMPARE(ReadableShade(Color::Green, QColor(0xef, 0xef, 0xef)), QColor(0x00, 0x80, 0x00));
    QCOMPARE(ReadableShade(Color::Red, Qt::white), QColor(0xFF, 0x00, 0x00));
    QVERIFY(!ReadableShade(Color::Default, Qt::black).isValid());
    for (Color c : {Color::Green, Color::Red, Color::Maroon, Color::DarkRed})
      for (QColor bg : {QColor(Qt::black), QColor(0x2b, 0x2b, 0x2b), QColor(0x55, 0x55, 0x55), QColor(Qt::white)})
        QVERIFY2(ContrastRatio(ReadableShade(c, bg), bg) >= 3.0, qPrintable(bg.name()));
  }

  void rendersTheFilledLogAndZoomWindow() {
    FillCopyRun(f->Main());
    f->app->statistic08->ZoomList(1);
    QTemporaryDir dir;
    const QString shotDir = qEnvironmentVariableIsSet("QUILLORY_SHOT_DIR") ? qEnvironmentVariable("QUILLORY_SHOT_DIR")
                                                                            : dir.path();
    for (const char* window : {"TfrmStatistic08", "TfrmVol08ZoomStatistics"}) {
      const QString file = shotDir + "/" + window + ".png";
      QCOMPARE(RenderScreenshot(*f->app, FromQt(file), -1, window), 0);
      QVERIFY(QFileInfo(file).size() > 1000);
    }
  }

 private:
  std::unique_ptr<GuiFixture> f;
};

int RunVisualLogViewTests(int argc, char** argv) {
  VisualLogViewTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "visual_log_view_test.moc"
