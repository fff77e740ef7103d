// The script driver: runs the program's window models without a display,
// answering the person's questions from the script, and reports every
// message box, folder opened, window shown and dump as one JSON object per
// line. The format is described in the README.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

class Application;
class DriveMap;
class FileSystem;
class SettingsStore;
struct UiCall;

// Renders the running program's main window (tab `page`, -1 for the current
// one) or the window of class `window` to a PNG file; returns 0 on success.
// Only the program with its display code can; it installs the renderer before
// running a script, and without one the script's "screenshot" command fails.
using ScreenshotRenderer =
    std::function<int(Application& app, const std::string& file, int page, const std::string& window)>;
void SetScreenshotRenderer(ScreenshotRenderer renderer);

// Splits one script line into words: bare words are taken literally
// (backslashes included), double-quoted words are JSON strings with JSON
// escapes. Throws std::runtime_error on an unterminated or malformed string.
std::vector<std::string> SplitScriptLine(const std::string& line);

// JSON string literal of the text; bytes that are not valid UTF-8 are written
// as \u00XX of the byte so the output stays valid JSON.
std::string JsonString(const std::string& text);
// The same literal appended to `out`.
void AppendJsonString(std::string& out, std::string_view text);

// What a run kept and how it wrote: events are printed and forgotten, written
// in pieces of bounded size and flushed at every question, modal window,
// error and at the end.
struct AutomationStats {
  std::size_t retainedCalls = 0;  // Ui calls still held when the script ended
  std::size_t writes = 0;         // writes to the output stream
  std::size_t peakPending = 0;    // most bytes ever waiting to be written
};

// What the script's program is built on; the caller owns all three. `drives`
// is the map `fs` finds program paths through: a "drive" line maps into it.
// A restart empties `settings`.
struct AutomationWorld {
  FileSystem& fs;
  SettingsStore& settings;
  DriveMap& drives;
};

// What a caller that shows a script being played (a demonstration) hooks in.
// Every member is optional.
struct AutomationHooks {
  // Once, when the program's windows have been built.
  std::function<void(Application&)> started;
  // Once, before the windows are destroyed (after the last line or an error).
  std::function<void(Application&)> ending;
  // Before each command line, inside modal blocks too; returning false stops
  // the script with the error "stopped".
  std::function<bool(int line, const std::vector<std::string>& words)> beforeLine;
  // The text of each "say" command.
  std::function<void(const std::string&)> say;
  // Each question, dialog and window the script met, as it is reported.
  std::function<void(const UiCall&)> uiCall;
};

// Runs a script on `world`; returns 0 on success, 1 on a script error
// (reported on err and as an "error" event on out). Fills `stats` when given.
int RunAutomation(std::istream& script, std::ostream& out, std::ostream& err, const AutomationWorld& world,
                  AutomationStats* stats = nullptr, const AutomationHooks* hooks = nullptr);

// Command-line entry for "--automate SCRIPT|-" (also accepts --drive D=/path,
// mapped into world.drives).
int RunAutomationMain(int argc, char** argv, const AutomationWorld& world);

}  // namespace quillory
