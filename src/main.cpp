// The desktop program: command line, then the windows and the event loop.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/run_jobs.h"
#include "quillory_version.h"
#include "shell/application.h"
#include "shell/config_home.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "automation/automation.h"
#include "platform/drives.h"
#include "qt/bindings.h"
#include "qt/main_window_view.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"

#include <QApplication>

namespace {

const char* const kUsage =
    "Usage: quillory [options]\n"
    "  --drive D=/path        map drive letter D: to a host folder (repeatable;\n"
    "                         QUILLORY_DRIVES=\"D=/srv/data;C=/tmp/x\" does the same)\n"
    "  --screenshot FILE      render a window to a PNG file and exit\n"
    "    --page N             the tab to show first: 0 (Copy Folder Structures)\n"
    "                         to 6 (Create Folder -IV.)\n"
    "    --window NAME        render the window of that class instead of the main window\n"
    "                         (an unknown name lists the names there are)\n"
    "    --size WxH           resize the window first, e.g. 1366x700\n"
    "  --automate SCRIPT|-    run a script without a display (- reads standard input)\n"
    "  --jobs N|auto          items of a run at once: 1 to 64, or auto (the default:\n"
    "                         more than one only when the disk answers slowly)\n"
    "  --config-home          keep the settings in ${XDG_CONFIG_HOME:-$HOME/.config}/quillory\n"
    "                         (made when missing) instead of the current folder\n"
    "  --version              show the program's name and version\n"
    "  --help                 show this text\n";

struct Options {
  bool configHome = false;
  std::string screenshot;
  int page = -1;
  std::string window;
  int width = 0;
  int height = 0;
  std::vector<char*> qtArgs;  // argv[0] and whatever Qt may understand
};

bool ParsePage(const char* text, int* page) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 1000) return false;
  *page = static_cast<int>(value);
  return true;
}

bool ParseSize(const char* text, int* width, int* height) {
  char* end = nullptr;
  const long w = std::strtol(text, &end, 10);
  if (end == text || (*end != 'x' && *end != 'X')) return false;
  const char* rest = end + 1;
  const long h = std::strtol(rest, &end, 10);
  if (end == rest || *end != '\0' || w < 1 || h < 1 || w > 20000 || h > 20000) return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

// Returns -1 to go on, otherwise the exit code.
int ParseOptions(int argc, char** argv, Options& options) {
  options.qtArgs.push_back(argv[0]);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* what) -> const char* {
      if (i + 1 >= argc) {
        std::cerr << "quillory: " << arg << " needs " << what << ".\n" << kUsage;
        return nullptr;
      }
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--version") {
      std::cout << QUILLORY_VERSION_LINE << "\n";
      return 0;
    } else if (arg == "--config-home") {
      options.configHome = true;
    } else if (arg == "--drive") {
      const char* mapping = value("D=/path");
      if (!mapping) return 2;
      std::string error;
      if (!quillory::Drives().ParseAndApply(mapping, &error)) {
        std::cerr << "quillory: --drive " << mapping << ": " << error << "\n";
        return 2;
      }
    } else if (arg == "--jobs") {
      const char* jobs = value(quillory::kRunJobsUsage);
      if (!jobs) return 2;
      const std::optional<int> parsed = quillory::ParseRunJobs(jobs);
      if (!parsed) {
        std::cerr << "quillory: --jobs needs " << quillory::kRunJobsUsage << ", not \"" << jobs << "\".\n";
        return 2;
      }
      quillory::SetRunJobs(*parsed);
    } else if (arg == "--screenshot") {
      const char* file = value("a file name");
      if (!file) return 2;
      options.screenshot = file;
    } else if (arg == "--page") {
      const char* page = value("a page number");
      if (!page) return 2;
      if (!ParsePage(page, &options.page)) {
        std::cerr << "quillory: --page needs a number from 0 to 6, not \"" << page << "\".\n";
        return 2;
      }
    } else if (arg == "--size") {
      const char* size = value("a size such as 1366x700");
      if (!size) return 2;
      if (!ParseSize(size, &options.width, &options.height)) {
        std::cerr << "quillory: --size needs WIDTHxHEIGHT in pixels, such as 1366x700, not \"" << size << "\".\n";
        return 2;
      }
    } else if (arg == "--window") {
      const char* name = value("a window class name");
      if (!name) return 2;
      options.window = name;
    } else if (arg.rfind("--", 0) == 0) {
      std::cerr << "quillory: unknown option " << arg << "\n" << kUsage;
      return 2;
    } else {
      options.qtArgs.push_back(argv[i]);
    }
  }
  if (options.screenshot.empty() && (options.page >= 0 || !options.window.empty() || options.width > 0)) {
    std::cerr << "quillory: --page, --window and --size go with --screenshot.\n" << kUsage;
    return 2;
  }
  return -1;
}

int Screenshot(const Options& options) {
  // Nobody answers questions here; whatever start-up says goes to stderr.
  quillory::ScriptedUi ui;
  ui.onCall = [](const quillory::UiCall& call) {
    if (call.kind == "message") std::cerr << "quillory: " << call.caption << ": " << call.text << "\n";
  };
  try {
    quillory::Application app(ui, quillory::Settings(), quillory::HostFileSystem(), quillory::Drives());
    return quillory::RenderScreenshot(app, options.screenshot, options.page, options.window, options.width,
                                      options.height);
  } catch (const std::exception& e) {
    std::cerr << "quillory: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace

// A script runs without a display; its "screenshot" command still renders
// what a person would see, offscreen.
int Automate(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication qapp(qtArgc, argv);
  quillory::SetScreenshotRenderer([](quillory::Application& app, const std::string& file, int page,
                                     const std::string& window) {
    return quillory::RenderScreenshot(app, file, page, window);
  });
  return quillory::RunAutomationMain(argc, argv,
                                     {quillory::HostFileSystem(), quillory::Settings(), quillory::Drives()});
}

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--automate") == 0) return Automate(argc, argv);
  Options options;
  if (const int code = ParseOptions(argc, argv, options); code >= 0) return code;
  if (options.configHome) {
    // Settings in the place a desktop keeps them; without it, the program
    // still starts, in the folder it was started in.
    if (const auto folder = quillory::ConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"))) {
      if (const std::string error = quillory::EnterConfigHome(*folder); !error.empty())
        std::cerr << "quillory: --config-home: " << error << "; the settings stay in the current folder.\n";
    } else {
      std::cerr << "quillory: --config-home: neither XDG_CONFIG_HOME nor HOME is an absolute path; the settings "
                   "stay in the current folder.\n";
    }
  }

  if (!options.screenshot.empty() && !qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");

  int qtArgc = static_cast<int>(options.qtArgs.size());
  options.qtArgs.push_back(nullptr);
  QApplication qapp(qtArgc, options.qtArgs.data());
  if (qtArgc > 1) {
    std::cerr << "quillory: unknown argument " << options.qtArgs[1] << "\n" << kUsage;
    return 2;
  }

  if (!options.screenshot.empty()) return Screenshot(options);

  quillory::QtUi ui(quillory::Drives());
  std::unique_ptr<quillory::Application> app;
  try {
    app = std::make_unique<quillory::Application>(ui, quillory::Settings(), quillory::HostFileSystem(),
                                                 quillory::Drives());
  } catch (const std::exception& e) {
    quillory::ShowExceptionBox(e.what());
    return 1;
  }
  QCoreApplication::setApplicationName(quillory::ToQt(app->main->applicationTitle));
  ui.AttachViews(*app).show();
  const int code = QApplication::exec();
  ui.DetachViews();
  app.reset();
  return code;
}
