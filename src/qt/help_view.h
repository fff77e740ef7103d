// Views of the help windows: the help window (formatted topics, links, the
// index and a search), the overview and the example windows (a story and a
// button that plays it) and the demonstration window, which plays a script in a copy of the
// main window at a pace a person can follow.
#pragma once

#include "app/window.h"

class QWidget;

namespace quillory {

class WindowView;

// A view for TfrmAltalanosHelp, TfrmOverViewHelp, an example window or
// TfrmVideoTutorials; nullptr for any other window.
WindowView* NewHelpView(Window& window, QWidget* parent = nullptr);

// Milliseconds a demonstration waits after each step (reading time for a
// caption comes on top). Tests set 0: every step then runs at once.
void SetDemoPace(int milliseconds);
int DemoPace();

}  // namespace quillory
