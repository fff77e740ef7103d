// The rename page's own controls: method, fields, preview and run buttons.
#pragma once

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace quillory {

class RenamePage;

// The method and preview groups go above the counters (the column's last
// widget), the run buttons at the right of the footer, before Help.
void BuildRenamePageControls(RenamePage& page, QVBoxLayout* column, QHBoxLayout* footer, QWidget* parent);

}  // namespace quillory
