// The view of any window that has no view of its own: a dialog that lays out
// the window's controls in their registered order, buttons in a row at the
// bottom. Its shown state follows the model both ways: closing only hides.
#pragma once

#include "app/window.h"

#include <QDialog>

class QAbstractButton;

namespace quillory {

class WindowView : public QDialog {
  Q_OBJECT

 public:
  // The window must outlive the view.
  explicit WindowView(Window& window, QWidget* parent = nullptr);

  Window& Model() const { return window_; }

  // Runs the window modally and returns its modal result, Cancel when it was
  // closed without one. A button whose handler sets a modal result ends it.
  ModalResult ExecModal();

  void done(int result) override;

 protected:
  // The first showing puts Tab in reading order of the rows, once every
  // view, also one that lays out its window itself, has built its widgets.
  // Every showing centres the window over its parent's, inside the screen.
  void showEvent(QShowEvent* event) override;
  // For views that lay out their window themselves: the dialog follows the
  // model's shown state and caption, and nothing is laid out.
  struct OwnLayout {};
  WindowView(Window& window, QWidget* parent, OwnLayout);
  // A button of the window: after its handler, a modal result ends the
  // modal loop.
  void EndsModal(QAbstractButton* button);

 private:
  void Follow();
  void ShownChanged(bool shown);
  void AfterButton();

  Window& window_;
  bool modal_ = false;
  bool tabOrdered_ = false;
  bool syncing_ = false;
  Connection shown_;
  Connection caption_;
};

}  // namespace quillory
