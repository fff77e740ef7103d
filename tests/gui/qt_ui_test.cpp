#include <memory>

#include "shell/application.h"
#include "app/settings_store.h"
#include "gui_fixture.h"
#include "gui_tests.h"
#include "platform/drives.h"
#include "qt/main_window_view.h"
#include "qt/qt_ui.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace quillory {

class QtUiTest : public QObject {
  Q_OBJECT

 private slots:
  void fileFiltersTakeQtsForm() {
    QCOMPARE(ToQtFileFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*"),
             QString("Text files (*.txt);;All files (*)"));
    QCOMPARE(ToQtFileFilter("Lists|*.txt;*.csv"), QString("Lists (*.txt *.csv)"));
    QCOMPARE(ToQtFileFilter("Templates (*.tpl)|*.txt"), QString("Templates (*.txt)"));
    QCOMPARE(ToQtFileFilter(""), QString());
  }

  void aQuestionDefaultsToNo() {
    QtUi ui(Drives());
    WhenModal([](QWidget* box) {
      QCOMPARE(box->windowTitle(), QString("Caption\twith a tab.    Warning no: 0001."));
      QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(ui.ShowMessageBox("Go on?", "Caption\twith a tab.    Warning no: 0001.", MessageKind::Question),
             MessageAnswer::No);

    WhenModal([](QWidget* box) { qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click(); });
    QCOMPARE(ui.ShowMessageBox("Go on?", "Caption", MessageKind::Question), MessageAnswer::Yes);

    WhenModal([](QWidget* box) {
      auto* message = qobject_cast<QMessageBox*>(box);
      QCOMPARE(message->icon(), QMessageBox::Warning);
      QCOMPARE(message->text(), QString("line one\nline <two>"));
      QTest::keyClick(box, Qt::Key_Escape);
    });
    QCOMPARE(ui.ShowMessageBox("line one\nline <two>", "Caption", MessageKind::Warning), MessageAnswer::Ok);
  }

  // Without a file manager the person is told where the folder is, instead
  // of a line on standard error nobody reads.
  void aFolderThatCannotBeShownIsToldInABox() {
    const DriveMap saved = Drives();
    Drives().Set('D', "/srv/data");
    QtUi ui(Drives());
    QString opened;
    ui.SetFolderOpener([&](const QString& host) {
      opened = host;
      return true;
    });
    ui.OpenFolder(" D:\\Out ");
    QCOMPARE(opened, QString("/srv/data/Out"));

    ui.SetFolderOpener([](const QString&) { return false; });
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal([&](QWidget* box) {
      auto* message = qobject_cast<QMessageBox*>(box);
      caption = message->windowTitle();
      text = message->text();
      icon = message->icon();
      QTest::keyClick(box, Qt::Key_Return);
    });
    ui.OpenFolder("D:\\Out");
    Drives() = saved;
    QCOMPARE(caption, QString("Show Folder"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(text, QString("The folder \"D:\\Out\" could not be shown: no file manager could be started.\n"
                           "On this computer it is /srv/data/Out; open it there with a program of your choice."));
  }

  void aHelpButtonOpensTheHelpWindowModally() {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    const DriveMap saved = Drives();
    QDir::setCurrent(dir.path());
    Drives().Set('D', FromQt(QDir(dir.path()).canonicalPath()));
    {
      QtUi ui(Drives());
      SettingsStore settings;
      Application app(ui, settings);
      MainWindowView& view = ui.AttachViews(app);
      QVERIFY(ui.ViewOf(*app.help));
      QString topic;
      WhenModal([&](QWidget* modal) {
        topic = modal->findChild<QLabel*>("lblHelpTopic")->text();
        QTest::mouseClick(modal->findChild<QPushButton*>("btnHelpClose"), Qt::LeftButton);
      });
      QTest::mouseClick(view.findChild<QPushButton*>("btnVol03Help"), Qt::LeftButton);
      QCOMPARE(topic, QString("Create Folder Struct.-III"));
      QVERIFY(!app.help->Shown());

      ui.Show(*app.statistic02);
      QVERIFY(ui.ViewOf(*app.statistic02)->isVisible());
      ui.Hide(*app.statistic02);
      QVERIFY(!ui.ViewOf(*app.statistic02)->isVisible());
      ui.DetachViews();
    }
    Drives() = saved;
    QDir::setCurrent(previous);
  }
};

int RunQtUiTests(int argc, char** argv) {
  QtUiTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace quillory

#include "qt_ui_test.moc"
