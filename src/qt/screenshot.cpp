#include "qt/screenshot.h"

#include <iostream>
#include <memory>

#include "shell/application.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/view_factory.h"
#include "qt/window_view.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

namespace quillory {

int RenderScreenshot(Application& app, const std::string& file, int page, const std::string& windowName,
                     int width, int height) {
  std::unique_ptr<QWidget> view;
  Window* shown = nullptr;
  if (windowName.empty() || windowName == app.main->ClassName()) {
    const int pages = static_cast<int>(app.main->pgeMain.Pages().size());
    if (page < -1 || page >= pages) {
      std::cerr << "quillory: page " << page << " does not exist; pages are 0 to " << pages - 1 << ".\n";
      return 2;
    }
    if (page >= 0 && !app.main->pgeMain.SetActivePageIndex(page)) {
      std::cerr << "quillory: page " << page << " is disabled.\n";
      return 2;
    }
    view = std::make_unique<MainWindowView>(*app.main);
  } else {
    Window* window = app.Find(windowName);
    if (!window) {
      std::cerr << "quillory: no window is called \"" << windowName << "\". The windows are:\n";
      for (const Window* each : app.Windows()) std::cerr << "  " << each->ClassName() << "\n";
      return 2;
    }
    view.reset(NewWindowView(*window));
    shown = window;
  }
  // A window is shown through its model, so whatever showing it does (a list
  // window refilling itself) happens as it would for a person.
  if (shown) shown->SetShown(true);
  else view->show();
  if (width > 0 && height > 0) view->resize(width, height);
  // Let layouts settle and polish before the picture is taken.
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  const QPixmap picture = view->grab();
  if (shown) shown->SetShown(false);
  else view->hide();
  if (picture.isNull() || !picture.save(ToQt(file), "PNG")) {
    std::cerr << "quillory: cannot write the screenshot to \"" << file << "\".\n";
    return 1;
  }
  return 0;
}

}  // namespace quillory
