// The delete page's own controls: the modes, the confirmations and the run
// buttons.
#pragma once

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace quillory {

class DeletePage;

// The modes go at the end of `column`, the run buttons at the right of the
// footer, before Help.
void BuildDeletePageControls(DeletePage& page, QVBoxLayout* column, QHBoxLayout* footer, QWidget* parent);

}  // namespace quillory
