#include "qt/qt_ui.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "shell/application.h"
#include "platform/drives.h"
#include "platform/text.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <QWindow>

namespace quillory {

namespace {

constexpr qint64 kRepaintIntervalMs = 50;

QString QtPatterns(const QString& patterns) {
  QStringList out;
  for (QString pattern : patterns.split(';', Qt::SkipEmptyParts)) {
    pattern = pattern.trimmed();
    if (pattern.isEmpty()) continue;
    out << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
  }
  return out.join(' ');
}

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// Drops the person's input to the main window and to what pops up from it
// (its menus, a combo box's list), while a run lets events through. Other
// windows (Visual Logs, their zoom windows, message boxes) keep theirs; the
// window manager's moving and closing are no input events here.
class MainInputGuard : public QObject {
 public:
  // `stop` is the run's Stop button (its clicks get through) and `onStop`
  // what Escape in the main window does.
  MainInputGuard(QWidget* main, QWidget* stop, std::function<void()> onStop)
      : main_(main), stop_(stop), onStop_(std::move(onStop)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!main_ || !IsUserInput(event->type())) return false;
    if (stop_ && stop_->isVisible()) {
      if (watched == stop_) return false;
      if (OfMain(watched) && event->type() == QEvent::KeyPress &&
          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        if (onStop_) onStop_();
        return true;
      }
      // A click reaches the button through the main window's own window.
      if (watched == static_cast<QObject*>(main_->windowHandle()) && IsMouse(event->type())) {
        const QPointF at = static_cast<QSinglePointEvent*>(event)->position();
        if (stop_->rect().contains(stop_->mapFrom(main_, at.toPoint()))) return false;
      }
    }
    // Keys typed into the main window trigger nothing, whoever owns the shortcut.
    if (event->type() == QEvent::Shortcut && main_->windowHandle() &&
        QGuiApplication::focusWindow() == main_->windowHandle())
      return true;
    return OfMain(watched);
  }

 private:
  bool OfMain(QObject* object) const {
    if (object == static_cast<QObject*>(main_->windowHandle())) return true;
    if (auto* action = qobject_cast<QAction*>(object))
      for (QObject* user : action->associatedObjects())
        if (OfMain(user)) return true;
    // A shortcut or action stands for the nearest widget above it.
    while (object && !object->isWidgetType()) object = object->parent();
    if (!object) return false;
    QWidget* top = static_cast<QWidget*>(object)->window();
    while (top != main_ && top->windowType() == Qt::Popup && top->parentWidget())
      top = top->parentWidget()->window();
    return top == main_;
  }

  static bool IsMouse(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
  }

  QPointer<QWidget> main_;
  QPointer<QWidget> stop_;
  std::function<void()> onStop_;
};

}  // namespace

QString ToQtFileFilter(const std::string& filter) {
  if (Trim(filter).empty()) return {};
  const QStringList parts = ToQt(filter).split('|');
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString patterns = QtPatterns(i + 1 < parts.size() ? parts[i + 1] : parts[i]);
    // Qt reads the patterns from the parentheses at the end of the entry, so
    // the description's own parentheses are replaced by the real patterns.
    QString description = parts[i];
    description.remove(trailingPatterns);
    description = description.trimmed();
    if (description.isEmpty()) description = patterns;
    entries << QStringLiteral("%1 (%2)").arg(description, patterns.isEmpty() ? QStringLiteral("*") : patterns);
  }
  return entries.join(QStringLiteral(";;"));
}

QtUi::QtUi(const DriveMap& drives)
    : drives_(drives),
      openFolder_([](const QString& host) { return QDesktopServices::openUrl(QUrl::fromLocalFile(host)); }) {}

QtUi::~QtUi() { DetachViews(); }

MainWindowView& QtUi::AttachViews(Application& app) {
  DetachViews();
  app_ = &app;
  main_ = std::make_unique<MainWindowView>(*app.main);
  views_[app.main] = main_.get();
  for (Window* window : app.Windows())
    if (window != app.main) views_[window] = NewWindowView(*window, main_.get());
  return *main_;
}

void QtUi::DetachViews() {
  views_.clear();
  orphans_.clear();
  main_.reset();
  app_ = nullptr;
}

QWidget* QtUi::ViewOf(const Window& window) const {
  auto it = views_.find(&window);
  return it == views_.end() ? nullptr : it->second.data();
}

QWidget* QtUi::DialogParent() const {
  if (QWidget* active = QApplication::activeModalWidget()) return active;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return main_.get();
}

WindowView* QtUi::DialogOf(Window& window) {
  if (auto* view = qobject_cast<WindowView*>(ViewOf(window))) return view;
  if (app_ && &window == app_->main) return nullptr;
  // A window made after the views were attached (or without them).
  auto* view = NewWindowView(window, main_.get());
  if (!main_) orphans_.emplace_back(view);
  views_[&window] = view;
  return view;
}

MessageAnswer QtUi::ShowMessageBox(const std::string& text, const std::string& caption, MessageKind kind) {
  QMessageBox box(DialogParent());
  box.setWindowTitle(ToQt(caption));
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQt(text));
  switch (kind) {
    case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
    case MessageKind::Question: box.setIcon(QMessageBox::Question); break;
    case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
  }
  if (kind == MessageKind::Question) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return MessageAnswer::Ok;
}

std::string QtUi::ToProgramForm(const QString& hostPath, const std::string& caption) {
  const std::string host = FromQt(QDir::cleanPath(hostPath));
  if (auto path = drives_.FromHost(host)) return *path;
  ShowMessageBox("The folder \"" + host +
                     "\" lies on no drive the program knows.\nMap a drive letter to it (--drive D=/path or "
                     "QUILLORY_DRIVES) and choose it again.",
                 caption, MessageKind::Warning);
  return {};
}

std::string QtUi::SelectFolder(const std::string& title) {
  const QString start = lastFolder_.empty() ? QDir::currentPath() : ToQt(lastFolder_);
  const QString chosen = QFileDialog::getExistingDirectory(DialogParent(), ToQt(title), start,
                                                           QFileDialog::ShowDirsOnly);
  if (chosen.isEmpty()) return {};
  lastFolder_ = FromQt(chosen);
  return ToProgramForm(chosen, title);
}

std::string QtUi::FileDialog(const FileDialogOptions& options, bool save) {
  QFileDialog dialog(DialogParent(), ToQt(options.title), QDir::currentPath(), ToQtFileFilter(options.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!options.defaultExt.empty()) dialog.setDefaultSuffix(ToQt(options.defaultExt));
  if (!options.fileName.empty()) {
    const auto host = HasDrive(options.fileName) ? drives_.ToHost(options.fileName) : std::optional<std::string>{};
    dialog.selectFile(ToQt(host ? *host : options.fileName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ToProgramForm(dialog.selectedFiles().front(), options.title);
}

std::string QtUi::OpenFileDialog(const FileDialogOptions& options) { return FileDialog(options, false); }

std::string QtUi::SaveFileDialog(const FileDialogOptions& options) { return FileDialog(options, true); }

ModalResult QtUi::ShowModal(Window& window) {
  WindowView* view = DialogOf(window);
  return view ? view->ExecModal() : ModalResult::Cancel;
}

void QtUi::Show(Window& window) {
  QWidget* view = ViewOf(window);
  if (!view) view = DialogOf(window);
  window.SetShown(true);
  if (view) {
    view->show();
    view->raise();
    view->activateWindow();
  }
}

void QtUi::Hide(Window& window) { window.SetShown(false); }

void QtUi::OpenFolder(const std::string& path) {
  const std::string folder = Trim(path);
  const auto host = drives_.ToHost(folder);
  if (!host) return;
  // The desktop reports a missing file manager on standard error only,
  // where nobody who started the program from a menu would see it.
  if (openFolder_ && openFolder_(ToQt(*host))) return;
  ShowMessageBox("The folder \"" + folder + "\" could not be shown: no file manager could be started.\n" +
                     "On this computer it is " + *host + "; open it there with a program of your choice.",
                 "Show Folder", MessageKind::Warning);
}

void QtUi::SetFolderOpener(std::function<bool(const QString& hostPath)> opener) { openFolder_ = std::move(opener); }

void QtUi::ShowHelp(const std::string& topic) {
  if (!app_ || !app_->help) return;
  app_->help->ShowTopic(topic);
  ShowModal(*app_->help);
}

void QtUi::Repaint() {
  if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintIntervalMs) return;
  // Restarted first: an event let through may itself end in a repaint.
  sinceRepaint_.restart();
  if (!runGuard_) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return;
  }
  // A bar's new value paints at once, so it is set here, at the pace of
  // the repaints, not once per item.
  if (main_) main_->RunProgressBar()->setValue(static_cast<int>(progress_ / progressScale_));
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtUi::RunStarted(std::size_t total) {
  progress_ = 0;
  progressTotal_ = total;
  progressScale_ = total / static_cast<std::size_t>(std::numeric_limits<int>::max()) + 1;
  if (main_) {
    QProgressBar* bar = main_->RunProgressBar();
    // 0..0 would be a busy indicator; a run of nothing is simply done.
    bar->setRange(0, std::max(1, static_cast<int>(total / progressScale_)));
    bar->setValue(total == 0 ? bar->maximum() : 0);
    main_->SetRunning(true);
  }
  stopRequested_ = false;
  if (qApp && !runGuard_) {
    runGuard_ = std::make_unique<MainInputGuard>(main_.get(), main_ ? main_->RunStopButton() : nullptr,
                                                 [this] { stopRequested_ = true; });
    qApp->installEventFilter(runGuard_.get());
  }
}

void QtUi::RunStoppable(bool stoppable) {
  if (main_) main_->SetRunStoppable(stoppable, [this] { stopRequested_ = true; });
}

void QtUi::RunProgress(std::size_t done) {
  progress_ = done;
  // The last step is shown at once: the end message follows before the
  // next repaint would.
  if (done >= progressTotal_ && main_) main_->RunProgressBar()->setValue(main_->RunProgressBar()->maximum());
}

void QtUi::ShowStatus(const std::string& text) {
  if (main_) main_->ShowStatusNote(ToQt(text));
}

void QtUi::AwaitRun(std::chrono::milliseconds timeout) {
  if (main_) main_->RunProgressBar()->setValue(static_cast<int>(progress_ / progressScale_));
  sinceRepaint_.restart();
  if (!qApp) {
    Ui::AwaitRun(timeout);
    return;
  }
  // The window's own event loop, not a poll: it paints, moves and scrolls
  // as when idle, while the guard keeps the person's input off the controls.
  if (timeout.count() == 0 || rung_.exchange(false)) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(static_cast<int>(timeout.count()));
  awaiting_ = &loop;
  // A ring between the test above and here is already queued for the loop.
  loop.exec();
  awaiting_ = nullptr;
  rung_ = false;
}

void QtUi::WakeRun() {
  if (!qApp) {
    Ui::WakeRun();
    return;
  }
  // One queued call per wait, however many workers ring.
  if (rung_.exchange(true)) return;
  QMetaObject::invokeMethod(
      qApp, [this] {
        if (awaiting_) awaiting_->quit();
      },
      Qt::QueuedConnection);
}

void QtUi::RunSpeed(double operationsPerSecond, double secondsLeft) {
  if (!main_) return;
  QString text = QString::fromUtf8("%L1 operations/s").arg(operationsPerSecond, 0, 'f', 0);
  if (secondsLeft >= 0) {
    const auto left = static_cast<long long>(secondsLeft + 0.5);
    const QString time = left >= 3600 ? QString::fromUtf8("about %1 h %2 min").arg(left / 3600).arg(left % 3600 / 60)
                         : left >= 60 ? QString::fromUtf8("about %1 min %2 s").arg(left / 60).arg(left % 60)
                         : left >= 1  ? QString::fromUtf8("about %1 s").arg(left)
                                      : QString::fromUtf8("less than a second");
    text += QString::fromUtf8(" · %1 left").arg(time);
  }
  main_->ShowRunSpeed(text);
}

void QtUi::RunEnded() {
  runGuard_.reset();  // a destroyed filter is taken off the application
  if (main_) main_->SetRunStoppable(false, {});
  if (main_) main_->SetRunning(false);
}

}  // namespace quillory
