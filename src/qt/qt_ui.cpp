#include "qt/qt_ui.h"

#include <vector>

#include "shell/application.h"
#include "platform/drives.h"
#include "platform/text.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

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

QtUi::QtUi() = default;

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
  if (auto path = Drives().FromHost(host)) return *path;
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
    const auto host = HasDrive(options.fileName) ? Drives().ToHost(options.fileName) : std::optional<std::string>{};
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
  const auto host = Drives().ToHost(Trim(path));
  if (!host) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(*host)));
}

void QtUi::ShowHelp(const std::string& topic) {
  if (!app_ || !app_->help) return;
  app_->help->ShowTopic(topic);
  ShowModal(*app_->help);
}

void QtUi::Repaint() {
  if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  sinceRepaint_.restart();
}

}  // namespace quillory
