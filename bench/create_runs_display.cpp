// What showing a run costs: 100,000 strings made by the string page, once
// in the desktop program's own make-up (Qt views over the window models, the
// page's tab and its Visual Log shown, offscreen) and once without any
// display (a ScriptedUi, as batch runs go), alternating in one run; the
// display's ratio to the display-free run. Questions are answered Yes
// without a dialog and no file manager is opened; everything else is the
// desktop program's. Timed is the click and the paint that follows it.
//
// Then the script path: `quillory --automate` (which runs without a display
// whatever the build) timed by wall clock around the process, minus the same
// script without the click.
//
// QUILLORY_ROUNDS the rounds (>= 5, 7 unless told); QUILLORY_EXE the program
// (the `quillory` beside this benchmark unless told).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "platform/drives.h"
#include "qt/main_window_view.h"
#include "qt/qt_ui.h"
#include "shell/application.h"
#include "shell/main_window.h"
#include "side_by_side.h"

#include <QApplication>
#include <QWidget>

namespace {

using quillory::MessageAnswer;
using side_by_side::Quote;
using side_by_side::Shell;

constexpr std::size_t kItems = 100000;

std::string g_root;

// The desktop Ui, answering its questions itself.
class AnsweringQtUi : public quillory::QtUi {
 public:
  AnsweringQtUi() : QtUi(quillory::Drives()) {}
  MessageAnswer ShowMessageBox(const std::string&, const std::string&, quillory::MessageKind kind) override {
    return kind == quillory::MessageKind::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
  }
  void OpenFolder(const std::string&) override {}
};

struct Shown {
  AnsweringQtUi ui;
  quillory::SettingsStore settings;
  std::unique_ptr<quillory::Application> app;
  Shown() {
    app = std::make_unique<quillory::Application>(ui, settings);
    ui.AttachViews(*app).show();
  }
  ~Shown() {
    ui.DetachViews();
    app.reset();
  }
};

struct Hidden {
  quillory::ScriptedUi ui{quillory::ScriptedUi::CallLog::Forget};
  quillory::SettingsStore settings;
  quillory::Application app{ui, settings};
};

std::unique_ptr<Shown> g_shown;
std::unique_ptr<Hidden> g_hidden;

std::vector<std::string> Items() {
  std::vector<std::string> items;
  items.reserve(kItems);
  char name[32];
  for (std::size_t i = 0; i < kItems; ++i) {
    std::snprintf(name, sizeof name, "Folder %07zu", i);
    items.push_back(name);
  }
  return items;
}

void Fresh(const std::string& folder) {
  Shell("rm -rf " + Quote(folder));
  ::mkdir(folder.c_str(), 0755);
}

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void Prepare(quillory::TfrmMain& main, const std::string& dst, const std::vector<std::string>& items) {
  auto& page = main.vol02;
  main.pgeMain.SetActivePageIndex(static_cast<int>(quillory::PageOf(quillory::PageKey::Vol02).tabIndex()));
  page.ChooseDestination("D:\\" + dst);
  page.structures.SourceKindClick(quillory::SourceKind::Nothing);
  page.lstVol02IncludeStrings.SetItems(items);
  page.Refresh();
  page.chkVol02ViewDetailedResults.SetChecked(true);
}

using side_by_side::Seconds;

// Processor time (user + system) of each display's clicks: steadier than the
// wall clock on a shared machine.
std::vector<double> g_cpu[2];

bool Click(quillory::CreateFromStringsPage& page, int display) {
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  if (!page.btnCreateFolders.Click()) return false;
  Settle();  // the paint the run left for the event loop
  ::getrusage(RUSAGE_SELF, &after);
  g_cpu[display].push_back(Seconds(after.ru_utime) - Seconds(before.ru_utime) + Seconds(after.ru_stime) -
                           Seconds(before.ru_stime));
  return page.stats.Get("FoldersCreated") == kItems;
}

// The offscreen platform's notes on what it cannot do are no finding.
void QuietPlatform(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support")) || text.startsWith(QLatin1String("QStandardPaths")))
    return;
  std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", text.toLocal8Bit().constData());
}

int Rounds() {
  const char* text = std::getenv("QUILLORY_ROUNDS");
  return std::max(5, text != nullptr && *text != '\0' ? std::atoi(text) : 7);
}

std::string Program() {
  const char* exe = std::getenv("QUILLORY_EXE");
  if (exe != nullptr && *exe != '\0') return exe;
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return "quillory";
  std::string path(self, static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1) + "quillory";
}

bool WriteScript(const std::string& file, const std::vector<std::string>& items, bool click) {
  std::FILE* out = std::fopen(file.c_str(), "w");
  if (out == nullptr) return false;
  std::fprintf(out, "drive D=%s\nfolder D:\\a1\nclick btnVol02AddDestFolder\nclick rdoVol02AttachNothing\n",
               g_root.c_str());
  std::fputs("items lstVol02IncludeStrings", out);
  for (const std::string& item : items) std::fprintf(out, " \"%s\"", item.c_str());
  std::fputs("\ncheck chkVol02ViewDetailedResults true\n", out);
  if (click) std::fputs("answer Yes\nclick btnVol02CreateFolders\n", out);
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietPlatform);
  QApplication qapp(argc, argv);
  using side_by_side::Job;
  std::string pattern = side_by_side::DataRoot() + "/quillory-display-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  g_root = pattern;
  quillory::Drives().Set('D', g_root);
  if (::chdir(g_root.c_str()) != 0) return 1;
  const std::vector<std::string> items = Items();
  const int rounds = Rounds();
  const auto at = [&](const char* dst) { return g_root + "/" + dst; };

  bool ok = side_by_side::Run(
      "100,000 strings, Visual Log shown",
      {Job{"no display (ScriptedUi)", [&] { return Click(g_hidden->app.main->vol02, 0); },
           [&] {
             g_shown.reset();
             g_hidden.reset();
             Fresh(at("h"));
             g_hidden = std::make_unique<Hidden>();
             Prepare(*g_hidden->app.main, "h", items);
             g_hidden->ui.answers.push_back(MessageAnswer::Yes);
             Settle();
           }},
       Job{"Qt views, offscreen",
           [&] {
             const QWidget* log = g_shown->ui.ViewOf(*g_shown->app->statistic02);
             return Click(g_shown->app->main->vol02, 1) && log != nullptr && log->isVisible();
           },
           [&] {
             g_shown.reset();
             g_hidden.reset();
             Fresh(at("q"));
             g_shown = std::make_unique<Shown>();
             Prepare(*g_shown->app->main, "q", items);
             Settle();
           }}},
      0, rounds, kItems);
  const auto median = [](std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  };
  std::printf("  processor time per run (median): no display %.3f s, Qt views %.3f s, %.2fx\n", median(g_cpu[0]),
              median(g_cpu[1]), median(g_cpu[0]) > 0 ? median(g_cpu[1]) / median(g_cpu[0]) : 0.0);
  g_shown.reset();
  g_hidden.reset();

  // The script path, whole processes.
  const std::string program = Program(), with = at("with.txt"), without = at("without.txt");
  if (!WriteScript(with, items, true) || !WriteScript(without, items, false)) return 1;
  std::vector<double> withTimes, withoutTimes;
  for (int round = 0; round < rounds; ++round) {
    for (int pass = 0; pass < 2; ++pass) {
      Fresh(at("a1"));
      Shell("sync");
      const auto start = std::chrono::steady_clock::now();
      const bool done = Shell(Quote(program) + " --automate " + Quote(pass == 0 ? with : without));
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      if (!done) {
        std::fprintf(stderr, "%s --automate failed\n", program.c_str());
        ok = false;
        continue;
      }
      (pass == 0 ? withTimes : withoutTimes).push_back(took.count());
    }
  }
  if (!withTimes.empty() && !withoutTimes.empty()) {
    const auto [wlo, whi] = std::minmax_element(withTimes.begin(), withTimes.end());
    const auto [olo, ohi] = std::minmax_element(withoutTimes.begin(), withoutTimes.end());
    std::printf("quillory --automate, 100,000 strings (%d rounds, median [min..max])\n", rounds);
    std::printf("  with the click                %9.3f s [%.3f..%.3f]\n", median(withTimes), *wlo, *whi);
    std::printf("  without it                    %9.3f s [%.3f..%.3f]\n", median(withoutTimes), *olo, *ohi);
    std::printf("  the run                       %9.3f s  %7.2f us/item\n", median(withTimes) - median(withoutTimes),
                (median(withTimes) - median(withoutTimes)) / kItems * 1e6);
  }
  if (::chdir("/") != 0) return 1;
  Shell("rm -rf " + Quote(g_root));
  return ok ? 0 : 1;
}
