#include "help/demo.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>

#include "app/help_topics.h"
#include "app/settings_store.h"
#include "platform/file_system.h"
#include "shell/application.h"

namespace quillory {

namespace fs = std::filesystem;

char FreeDriveLetter(const DriveMap& drives) {
  static constexpr std::string_view kOrder = "TUVWXYSRQPONMLKJIGFEDCBAZH";
  for (char letter : kOrder)
    if (!drives.Letters().count(letter)) return letter;
  return 0;
}

ScratchDrive::ScratchDrive(DriveMap& drives) : drives_(drives) {
  std::error_code ec;
  const fs::path tmp = fs::temp_directory_path(ec);
  if (ec) {
    error_ = "no temporary folder: " + ec.message();
    return;
  }
  std::random_device random;
  for (int attempt = 0; attempt < 20 && root_.empty(); ++attempt) {
    const fs::path candidate = tmp / ("quillory-demo-" + std::to_string(random()));
    // create_directory is false for a name that is taken: never reuse one.
    if (!fs::create_directory(candidate, ec)) {
      if (ec) break;
      continue;
    }
    // The resolved form, so host paths the system reports map back.
    const fs::path resolved = fs::canonical(candidate, ec);
    root_ = ec ? candidate.string() : resolved.string();
    ec.clear();
  }
  if (root_.empty()) {
    error_ = "cannot make a temporary folder in " + tmp.string() + (ec ? ": " + ec.message() : "");
    return;
  }
  fs::create_directory(DriveHost(), ec);
  if (!ec) fs::create_directory(root_ + "/settings", ec);
  const char letter = FreeDriveLetter(drives_);
  if (ec || letter == 0) {
    error_ = ec ? "cannot prepare " + root_ + ": " + ec.message() : "every drive letter is in use";
    return;
  }
  drives_.Set(letter, DriveHost());
  letter_ = letter;
}

ScratchDrive::~ScratchDrive() {
  if (letter_) drives_.Remove(letter_);
  // remove_all takes a link away as a link and never enters it.
  std::error_code ec;
  if (!root_.empty()) fs::remove_all(root_, ec);
}

std::string DemoScriptOn(std::string_view script, char letter) {
  static constexpr std::string_view kMark = "{D}:";
  std::string out;
  out.reserve(script.size());
  std::size_t at = 0;
  for (std::size_t hit = script.find(kMark); hit != std::string_view::npos; hit = script.find(kMark, at)) {
    out.append(script.substr(at, hit - at));
    out += letter;
    out += ':';
    at = hit + kMark.size();
  }
  out.append(script.substr(at));
  return out;
}

namespace {

// Puts the working folder back however the demonstration ends.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string& path) {
    std::error_code ec;
    saved_ = fs::current_path(ec);
    if (!ec) fs::current_path(path, ec);
    moved_ = !ec;
  }
  ~WorkingFolder() {
    std::error_code ec;
    if (moved_) fs::current_path(saved_, ec);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  bool Moved() const { return moved_; }

 private:
  fs::path saved_;
  bool moved_ = false;
};

}  // namespace

DemoOutcome PlayDemonstration(std::string_view name, FileSystem& disk, DriveMap& drives, AutomationHooks hooks) {
  DemoOutcome outcome;
  const std::string_view script = DemoScript(name);
  if (script.empty()) {
    outcome.code = 2;
    outcome.error = "there is no demonstration " + std::string(name);
    return outcome;
  }
  ScratchDrive drive(drives);
  if (!drive.Ok()) {
    outcome.code = 2;
    outcome.error = drive.Error();
    return outcome;
  }
  // The demonstration's program starts in its settings folder, so it reads
  // no settings file of the person's, and saves into that folder too.
  WorkingFolder working(drive.Root() + "/settings");
  if (!working.Moved()) {
    outcome.code = 2;
    outcome.error = "cannot enter " + drive.Root();
    return outcome;
  }
  SettingsStore settings;
  auto started = hooks.started;
  const std::string settingsFile = drive.SettingsFile();
  hooks.started = [started, settingsFile](Application& app) {
    app.main->settingsPath = settingsFile;
    app.fileSelection->SetSettingsPath(settingsFile);
    if (started) started(app);
  };
  std::istringstream in(DemoScriptOn(script, drive.Letter()));
  std::ostringstream out, err;
  outcome.code = RunAutomation(in, out, err, AutomationWorld{disk, settings, drives}, nullptr, &hooks);
  outcome.events = out.str();
  outcome.error = err.str();
  return outcome;
}

}  // namespace quillory
