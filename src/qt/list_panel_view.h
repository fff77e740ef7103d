// The widgets of a page's include/exclude panel. The page's view places them;
// every widget is named and bound after the panel's model control.
#pragma once

#include "lists/list_panel.h"

class QGroupBox;
class QWidget;

namespace quillory {

// Include list, the move buttons, the exclude list with its delete buttons,
// the add row and the Edit List / Zoom / Clear Fields row, as one widget.
// The panel must outlive the widget.
QWidget* BuildListPanel(ListPanel& panel, QWidget* parent);

// The group of the three list-method radios; nullptr when the page has none.
QGroupBox* BuildListMethods(ListPanel& panel, QWidget* parent);

}  // namespace quillory
