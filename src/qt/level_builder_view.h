// The level builder's widgets: the group on the folder-list pages and the
// view of the "Subfolder List Builder" window.
#pragma once

#include "app/window.h"

class QGroupBox;
class QWidget;

namespace quillory {

class LevelBuilderGroup;
class WindowView;

// Root folder row, level selector, list kind, filter and the two buttons, as
// one group; the group must outlive the widget.
QGroupBox* BuildLevelBuilderGroup(LevelBuilderGroup& group, QWidget* parent);

// A view for TfrmSubFolderListBuilder; nullptr for any other window.
WindowView* NewLevelBuilderView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
