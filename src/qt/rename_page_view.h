// The rename page's own controls: method, fields, preview and run buttons.
#pragma once

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace quillory {

class RenamePage;

// The method group goes at the end of `fields`, the preview group at the end
// of `preview`, the run buttons at the right of the footer, before Help.
void BuildRenamePageControls(RenamePage& page, QVBoxLayout* fields, QVBoxLayout* preview, QHBoxLayout* footer,
                             QWidget* parent);

}  // namespace quillory
