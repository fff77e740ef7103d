// Views of the structures group on the four pages, of its editor window and
// of the template options window.
#pragma once

#include "app/window.h"

#include <Qt>

class QWidget;

namespace quillory {

class StructuresGroup;
class WindowView;

// The attach options and the structures/templates list with its buttons, side
// by side or (Qt::Vertical) the options above the list. The group must
// outlive the widget.
QWidget* BuildStructuresGroup(StructuresGroup& group, QWidget* parent,
                              Qt::Orientation orientation = Qt::Horizontal);

// A view for TfrmFolderStructuresTemplates or TfrmFolderTemplateOptions;
// nullptr for any other window. The window must outlive the view.
WindowView* NewStructureWindowView(Window& window, QWidget* parent = nullptr);

}  // namespace quillory
