// The views of the Visual Log windows and of their zoom windows.
#pragma once

#include "app/page.h"
#include "app/window.h"

#include <string>

class QGroupBox;
class QWidget;

namespace quillory {

class WindowView;

// A view for the windows named above; nullptr for any other window. The
// window must outlive the view.
WindowView* NewVisualLogView(Window& window, QWidget* parent = nullptr);

// The "Statistics" group of an operation page: its counter labels, named
// `prefix` + counter ("lblVol06FoldersRenamed", "lblStat06..."), on the
// page's grid. A main-window page leaves out rows only its Visual Log shows
// (`skipUncaptioned`).
QGroupBox* NewCounterGroup(const Window& owner, const std::string& prefix, PageKey page,
                           bool skipUncaptioned, QWidget* parent);

}  // namespace quillory
