// Renders what a person would see of one window into a PNG, without a
// display when the offscreen platform is in use.
#pragma once

#include <string>

namespace quillory {

class Application;

// windowName empty (or "TfrmMain"): the main window, with tab `page` made
// current first: 0-based index into the seven tabs in tab order (0 "Copy
// Folder Structures" ... 6 "Create Folder -IV."); -1 keeps the current tab.
// Otherwise the window of that class name (page is ignored). A width and
// height above 0 resize the window first, as a person could; it never gets
// smaller than its minimum size. Needs a QApplication. Returns 0, or non-zero
// after a message on stderr when the page or window is unknown (the message
// lists the window names) or the file cannot be written.
int RenderScreenshot(Application& app, const std::string& file, int page, const std::string& windowName,
                     int width = 0, int height = 0);

}  // namespace quillory
