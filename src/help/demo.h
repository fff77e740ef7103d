// Guided demonstrations: one script per operation page, played through the
// script driver on a drive made for the occasion, so nothing of the
// person's is read or touched. The caller decides the pace and shows the
// windows through the driver's hooks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/help_topics.h"
#include "automation/automation.h"
#include "platform/drives.h"

namespace quillory {

class FileSystem;

// A fresh folder under the system's temporary folder with a "drive" folder,
// mapped in `drives` (which must outlive it) as a letter the map does not
// use, and a "settings" folder for the settings file of the program the
// demonstration builds. Both go at the end, links inside removed as links,
// never followed.
class ScratchDrive {
 public:
  explicit ScratchDrive(DriveMap& drives);
  ~ScratchDrive();
  ScratchDrive(const ScratchDrive&) = delete;
  ScratchDrive& operator=(const ScratchDrive&) = delete;

  bool Ok() const { return letter_ != 0; }
  const std::string& Error() const { return error_; }
  char Letter() const { return letter_; }
  const std::string& Root() const { return root_; }  // the whole scratch folder
  std::string DriveHost() const { return root_ + "/drive"; }
  std::string SettingsFile() const { return root_ + "/settings/default.set"; }

 private:
  DriveMap& drives_;
  std::string root_;
  std::string error_;
  char letter_ = 0;
};

// The letter a demonstration would take: the first of T..Y, then S..E, then
// the rest, that the map does not name. 0 when all are taken.
char FreeDriveLetter(const DriveMap& drives);

// The script with its drive written as "{D}:" put on `letter`.
std::string DemoScriptOn(std::string_view script, char letter);

struct DemoOutcome {
  int code = 0;        // the driver's: 0 when the script ran to its end
  std::string events;  // its JSON lines
  std::string error;   // what stopped it, "" when nothing did
};

// Plays the named demonstration on a scratch drive mapped in `drives`, the
// map `disk` finds program paths through, with settings of its own; `hooks`
// pace and show it. The drive and the working folder are put back even when
// the script fails.
DemoOutcome PlayDemonstration(std::string_view name, FileSystem& disk, DriveMap& drives, AutomationHooks hooks = {});

}  // namespace quillory
