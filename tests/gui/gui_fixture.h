// One program per test: a temporary working folder mapped as D: (so the
// settings file lands there), the window models over a ScriptedUi, and the
// main window's view over them. Exceptions that reach a binder are collected
// instead of shown.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/application.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

namespace quillory {

// Runs `act` once the modal loop is up; a dialog still open five seconds
// later is rejected, so a broken test fails instead of hanging.
inline void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    if (!modal) return;
    QTimer::singleShot(5000, [modal] {
      if (auto* dialog = qobject_cast<QDialog*>(modal.data()); dialog && dialog->isVisible()) dialog->reject();
    });
    act(modal);
  });
}

class GuiFixture {
 public:
  GuiFixture() : savedDrives_(Drives()), previousFolder_(QDir::currentPath()) {
    folder_ = QDir(dir_.path()).canonicalPath();
    QDir::setCurrent(folder_);
    Drives().Set('D', FromQt(folder_));
    SetExceptionReporter([this](const std::string& text) { exceptions.push_back(text); });
    app = std::make_unique<Application>(ui, settings);
    view = std::make_unique<MainWindowView>(*app->main);
  }

  ~GuiFixture() {
    view.reset();
    app.reset();
    SetExceptionReporter({});
    QDir::setCurrent(previousFolder_);
    Drives() = savedDrives_;
  }

  GuiFixture(const GuiFixture&) = delete;
  GuiFixture& operator=(const GuiFixture&) = delete;

  TfrmMain& Main() const { return *app->main; }
  const QString& Folder() const { return folder_; }

  template <class W>
  W* Widget(const char* name) const {
    return view->findChild<W*>(QString::fromLatin1(name));
  }

  ScriptedUi ui;
  SettingsStore settings;
  std::unique_ptr<Application> app;
  std::unique_ptr<MainWindowView> view;
  std::vector<std::string> exceptions;

 private:
  DriveMap savedDrives_;
  QString previousFolder_;
  QTemporaryDir dir_;
  QString folder_;
};

}  // namespace quillory
