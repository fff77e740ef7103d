#include "qt/bindings.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "platform/text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QVariant>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quillory {

namespace {

constexpr const char* kAcceleratorProperty = "quilloryAccelerator";

QChar AcceleratorOf(const QWidget* widget) {
  const QVariant value = widget->property(kAcceleratorProperty);
  return value.isValid() ? value.toChar() : QChar();
}

class DeleteKeyFilter : public QObject {
 public:
  DeleteKeyFilter(QObject* parent, Button& button) : QObject(parent), button_(button) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
      if (key->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        Guarded([this] { button_.Click(); });
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  Button& button_;
};

// Takes the drops of local files on the watched widget; see AcceptFileDrops.
class FileDropFilter : public QObject {
 public:
  FileDropFilter(QWidget* target, std::function<void(const std::vector<std::string>&)> drop)
      : QObject(target), target_(target), drop_(std::move(drop)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (LocalPaths(drag->mimeData()).empty()) break;
        if (target_->isEnabled()) drag->acceptProposedAction();
        else drag->ignore();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        std::vector<std::string> paths = LocalPaths(drop->mimeData());
        if (paths.empty()) break;
        if (!target_->isEnabled()) {
          drop->ignore();
          return true;
        }
        drop->acceptProposedAction();
        // The drag source waits for the drop to end; the boxes come after.
        QTimer::singleShot(0, this, [this, paths = std::move(paths)] { Guarded([&] { drop_(paths); }); });
        return true;
      }
      default: break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget* target_;
  std::function<void(const std::vector<std::string>&)> drop_;
};

// Runs an action when the watched widget loses the keyboard focus.
class FocusOutWatcher : public QObject {
 public:
  FocusOutWatcher(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) action_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> action_;
};

// Owns the model subscriptions of one widget; being its child, it goes with
// the widget and ends them.
class BindingScope : public QObject {
 public:
  explicit BindingScope(QObject* owner) : QObject(owner) {}
  std::vector<Connection> connections;
};

int handlerDepth = 0;
int hintDuration = -1;  // Qt's own, from the length of the text

std::function<void(const std::string&)>& ExceptionReporter() {
  static std::function<void(const std::string&)> reporter;
  return reporter;
}

void Report(const std::string& text) {
  if (auto& reporter = ExceptionReporter()) reporter(text);
  else ShowExceptionBox(text);
}

// The colour roles a widget's text is drawn with. Only the active and
// inactive groups change, so a disabled control still looks disabled.
void SetTextColor(QWidget* widget, Color color) {
  QPalette palette;
  if (color != Color::Default) {
    const QColor c = ReadableShade(color, widget->palette().color(widget->backgroundRole()));
    for (auto group : {QPalette::Active, QPalette::Inactive})
      for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) palette.setColor(group, role, c);
  }
  widget->setPalette(palette);
}

// Picks the shade again when the palette around the widget changes (a dark
// theme chosen while the program runs).
class ShadeKeeper : public QObject {
 public:
  ShadeKeeper(QWidget* widget, Color color) : QObject(widget), widget_(widget), color_(color) {
    setObjectName(QStringLiteral("quilloryShadeKeeper"));
    widget->installEventFilter(this);
  }
  void SetColor(Color color) { color_ = color; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_ && color_ != Color::Default &&
        (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)) {
      const QPalette& now = widget_->palette();
      // Our own palette comes back as a change too: only a new shade is set.
      if (ReadableShade(color_, now.color(widget_->backgroundRole())) != now.color(QPalette::Active, QPalette::WindowText))
        SetTextColor(widget_, color_);
    }
    return false;
  }

 private:
  QWidget* widget_;
  Color color_;
};

void ApplyColor(QWidget* widget, Color color) {
  auto* keeper = widget->findChild<ShadeKeeper*>(QStringLiteral("quilloryShadeKeeper"), Qt::FindDirectChildrenOnly);
  if (keeper) keeper->SetColor(color);
  else if (color != Color::Default) new ShadeKeeper(widget, color);
  SetTextColor(widget, color);
}

// Remembers what the binder last applied, so a widget the view styled is
// touched only when the model asks for something else.
struct CaptionState {
  Color color = Color::Default;
  bool centered = false;
  Qt::Alignment before;
};

void SyncColor(QWidget* widget, Color color, CaptionState& state) {
  if (state.color == color) return;
  state.color = color;
  ApplyColor(widget, color);
}

template <class Fn>
void OnChange(QObject* owner, Control& control, Fn fn) {
  KeepWhileAlive(owner, control.changed.Connect([fn = std::move(fn)](const ControlEvent& e) { fn(e); }));
}

}  // namespace

void Guarded(const std::function<void()>& handler) {
  struct Depth {
    Depth() { ++handlerDepth; }
    ~Depth() { --handlerDepth; }
  } depth;
  try {
    handler();
  } catch (const std::exception& e) {
    Report(e.what());
  } catch (...) {
    Report("An unexpected error occurred.");
  }
}

bool InHandler() { return handlerDepth > 0; }

void SetExceptionReporter(std::function<void(const std::string&)> reporter) {
  ExceptionReporter() = std::move(reporter);
}

void ShowExceptionBox(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), ToQt(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QString ButtonText(const QString& caption, QChar accelerator) {
  if (accelerator.isNull()) return caption;
  qsizetype at = -1;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      // "&&" is a plain "&"; a single one is the caption's own marker.
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
        ++i;
        continue;
      }
      return caption;
    }
    if (at < 0 && caption[i].toLower() == accelerator.toLower()) at = i;
  }
  if (at < 0) return caption;
  QString text = caption;
  text.insert(at, QLatin1Char('&'));
  return text;
}

namespace {

// The text without its markers: "&&" is "&", a single "&" marks.
QString Unmarked(const QString& shown) {
  QString caption;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i] == QLatin1Char('&') && ++i >= shown.size()) break;
    caption += shown[i];
  }
  return caption;
}

}  // namespace

void SetAccelerator(QAbstractButton* widget, QChar letter) {
  widget->setProperty(kAcceleratorProperty, letter);
  widget->setText(ButtonText(widget->text(), letter));
}

void TabInRowOrder(QWidget* root) {
  for (QHBoxLayout* row : root->findChildren<QHBoxLayout*>()) {
    QWidget* previous = nullptr;
    for (int i = 0; i < row->count(); ++i) {
      QWidget* widget = row->itemAt(i)->widget();
      if (!widget || !(widget->focusPolicy() & Qt::TabFocus)) continue;
      if (previous) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
  }
}

void AssignAccelerators(QWidget* root) {
  // Caption start -> letter. Alt+F and Alt+H belong to the menus.
  static const std::pair<const char*, char> kRules[] = {
      {"CREATE", 'C'},   {"COPY", 'C'},      {"RENAME", 'R'}, {"DELETE", 'D'},      {"Simulation", 'S'},
      {"Undo", 'U'},     {"Visual Log", 'V'}, {"Edit List", 'E'}, {"Zoom", 'Z'}, {"Import List", 'I'},
  };
  for (QPushButton* button : root->findChildren<QPushButton*>()) {
    if (!AcceleratorOf(button).isNull()) continue;
    const QString caption = Unmarked(button->text()).trimmed();
    for (const auto& [start, letter] : kRules) {
      if (caption.startsWith(QLatin1String(start))) {
        SetAccelerator(button, QLatin1Char(letter));
        break;
      }
    }
  }
}

void SetHintDuration(QWidget* root, int milliseconds) {
  hintDuration = milliseconds;
  root->setToolTipDuration(milliseconds);
  for (QWidget* widget : root->findChildren<QWidget*>()) widget->setToolTipDuration(milliseconds);
}

std::vector<std::string> LocalPaths(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (!mime || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls())
    // The host's bytes of the name, as the file system knows it.
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  return paths;
}

void AcceptFileDrops(QWidget* widget, std::function<void(const std::vector<std::string>&)> drop) {
  auto* filter = new FileDropFilter(widget, std::move(drop));
  std::vector<QWidget*> targets{widget};
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) targets.push_back(area->viewport());
  if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) targets.push_back(combo->lineEdit());
  for (QWidget* target : targets) {
    target->setAcceptDrops(true);
    target->installEventFilter(filter);
  }
}

void KeepWhileAlive(QObject* owner, Connection connection) {
  BindingScope* scope = nullptr;
  for (QObject* child : owner->children())
    if ((scope = dynamic_cast<BindingScope*>(child))) break;
  if (!scope) scope = new BindingScope(owner);
  scope->connections.push_back(std::move(connection));
}

void BindControl(QWidget* widget, Control& control) {
  widget->setEnabled(control.Enabled());
  // Showing a widget that has no parent yet would open it as a window.
  if (!control.Visible()) widget->setVisible(false);
  widget->setToolTip(ToQt(control.Hint()));
  widget->setToolTipDuration(hintDuration);
  OnChange(widget, control, [widget, &control](const ControlEvent& e) {
    switch (e.change) {
      case ControlChange::Enabled:
        if (widget->isEnabled() != control.Enabled()) widget->setEnabled(control.Enabled());
        break;
      case ControlChange::Visible:
        if (widget->isHidden() == control.Visible() && (widget->parentWidget() || !control.Visible()))
          widget->setVisible(control.Visible());
        break;
      case ControlChange::Hint: widget->setToolTip(ToQt(control.Hint())); break;
      case ControlChange::Focus: widget->setFocus(Qt::OtherFocusReason); break;
      default: break;
    }
  });
}

void BindLabel(QLabel* widget, Label& label) {
  BindControl(widget, label);
  widget->setTextFormat(Qt::PlainText);
  auto state = std::make_shared<CaptionState>();
  auto sync = [widget, &label, state] {
    const QString text = ToQt(label.Caption());
    if (widget->text() != text) widget->setText(text);
    if (label.Centered() != state->centered) {
      state->centered = label.Centered();
      if (state->centered) {
        state->before = widget->alignment();
        widget->setAlignment(Qt::AlignCenter);
      } else {
        widget->setAlignment(state->before);
      }
    }
    SyncColor(widget, label.GetColor(), *state);
  };
  sync();
  OnChange(widget, label, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::Caption || e.change == ControlChange::Color) sync();
  });
}

namespace {

// Caption and colour of buttons, check boxes and radio buttons.
void BindCaption(QAbstractButton* widget, Captioned& control) {
  BindControl(widget, control);
  auto state = std::make_shared<CaptionState>();
  auto sync = [widget, &control, state] {
    const QString text = ButtonText(ToQt(control.Caption()), AcceleratorOf(widget));
    if (widget->text() != text) widget->setText(text);
    SyncColor(widget, control.GetColor(), *state);
  };
  sync();
  OnChange(widget, control, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::Caption || e.change == ControlChange::Color) sync();
  });
}

template <class Model>
void BindCheckable(QAbstractButton* widget, Model& model) {
  BindCaption(widget, model);
  widget->setCheckable(true);
  widget->setChecked(model.Checked());
  auto sync = [widget, &model] {
    if (widget->isChecked() == model.Checked()) return;
    QSignalBlocker block(widget);
    widget->setChecked(model.Checked());
  };
  OnChange(widget, model, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::Checked) sync();
  });
  QPointer<QAbstractButton> guard(widget);
  QObject::connect(widget, &QAbstractButton::clicked, widget, [guard, sync, &model] {
    Guarded([&model] { model.Click(); });
    // The model decides: a refused click, or a radio button clicked while
    // already checked, leaves the widget as the model says.
    if (guard) sync();
  });
}

}  // namespace

void BindButton(QAbstractButton* widget, Button& button) {
  BindCaption(widget, button);
  QObject::connect(widget, &QAbstractButton::clicked, widget, [&button] { Guarded([&button] { button.Click(); }); });
}

void BindCheckBox(QCheckBox* widget, CheckBox& box) { BindCheckable(widget, box); }

void BindRadioButton(QRadioButton* widget, RadioButton& button) {
  // The model's group is the one source of exclusivity.
  widget->setAutoExclusive(false);
  BindCheckable(widget, button);
}

void BindEdit(QLineEdit* widget, Edit& edit) {
  BindControl(widget, edit);
  widget->setText(ToQt(edit.Text()));
  auto sync = [widget, &edit] {
    const QString text = ToQt(edit.Text());
    if (widget->text() == text) return;
    QSignalBlocker block(widget);
    widget->setText(text);
  };
  OnChange(widget, edit, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::Text) sync();
  });
  QPointer<QLineEdit> guard(widget);
  QObject::connect(widget, &QLineEdit::textEdited, widget, [guard, sync, &edit](const QString& text) {
    Guarded([&edit, text] { edit.UserSetText(FromQt(text)); });
    if (guard) sync();
  });
  QObject::connect(widget, &QLineEdit::returnPressed, widget, [guard, sync, &edit] {
    Guarded([&edit] { edit.PressEnter(); });
    if (guard) sync();
  });
  QObject::connect(widget, &QLineEdit::editingFinished, widget, [&edit] {
    // A box shown by a running handler takes the focus; the person has not
    // left the field.
    if (InHandler()) return;
    Guarded([&edit] { edit.Exit(); });
  });
}

void BindMemo(QPlainTextEdit* widget, Memo& memo) {
  BindControl(widget, memo);
  widget->setReadOnly(memo.ReadOnly());
  auto sync = [widget, &memo] {
    const QString text = ToQt(memo.Text());
    if (widget->toPlainText() == text) return;
    QSignalBlocker block(widget);
    widget->setPlainText(text);
  };
  sync();
  OnChange(widget, memo, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::Items) sync();
  });
  if (memo.ReadOnly()) return;
  // Typing reaches the model after a short pause and whenever the memo loses
  // the focus (a button press takes it first), so a memo of a million lines
  // is not copied on every key.
  auto* pending = new QTimer(widget);
  pending->setSingleShot(true);
  pending->setInterval(120);
  auto flush = [widget, pending, &memo] {
    pending->stop();
    const std::string text = FromQt(widget->toPlainText());
    if (text != memo.Text()) Guarded([&memo, &text] { memo.UserSetText(text); });
  };
  QObject::connect(pending, &QTimer::timeout, widget, flush);
  QObject::connect(widget, &QPlainTextEdit::textChanged, pending, qOverload<>(&QTimer::start));
  auto* watcher = new FocusOutWatcher(widget, flush);
  widget->installEventFilter(watcher);
  QObject::connect(widget, &QPlainTextEdit::cursorPositionChanged, widget, [widget, &memo] {
    if (!widget->hasFocus()) return;
    const int line = widget->textCursor().blockNumber();
    if (line != memo.CaretLine()) Guarded([&memo, line] { memo.UserClick(line); });
  });
}

void BindComboBox(QComboBox* widget, ComboBox& combo) {
  BindControl(widget, combo);
  auto sync = [widget, &combo](bool items) {
    QSignalBlocker block(widget);
    if (items) {
      QStringList wanted;
      wanted.reserve(static_cast<qsizetype>(combo.Items().size()));
      for (const auto& item : combo.Items()) wanted << ToQt(item);
      QStringList shown;
      for (int i = 0; i < widget->count(); ++i) shown << widget->itemText(i);
      if (shown != wanted) {
        widget->clear();
        widget->addItems(wanted);
      }
    }
    if (widget->currentIndex() != combo.ItemIndex()) widget->setCurrentIndex(combo.ItemIndex());
    const QString text = ToQt(combo.Text());
    if (widget->isEditable()) {
      if (widget->currentText() != text) widget->setEditText(text);
    } else {
      const QString placeholder = combo.ItemIndex() < 0 ? text : QString();
      if (widget->placeholderText() != placeholder) widget->setPlaceholderText(placeholder);
    }
  };
  sync(true);
  OnChange(widget, combo, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::Items) sync(true);
    else if (e.change == ControlChange::ItemIndex || e.change == ControlChange::Text) sync(false);
  });
  QPointer<QComboBox> guard(widget);
  QObject::connect(widget, qOverload<int>(&QComboBox::activated), widget, [guard, sync, &combo](int index) {
    Guarded([&combo, index] { combo.UserSelect(index); });
    if (guard) sync(false);
  });
  if (widget->isEditable()) {
    // Enter runs the box's action; it never adds the text as an item.
    widget->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(widget->lineEdit(), &QLineEdit::textEdited, widget, [guard, sync, &combo](const QString& text) {
      Guarded([&combo, text] { combo.UserSetText(FromQt(text)); });
      if (guard) sync(false);
    });
    QObject::connect(widget->lineEdit(), &QLineEdit::returnPressed, widget, [guard, sync, &combo] {
      Guarded([&combo] { combo.PressEnter(); });
      if (guard) sync(false);
    });
  }
}

void BindGroupBox(QGroupBox* widget, Control& control) {
  BindControl(widget, control);
  auto* captioned = dynamic_cast<Captioned*>(&control);
  if (!captioned) return;
  widget->setTitle(ToQt(captioned->Caption()));
  OnChange(widget, control, [widget, captioned](const ControlEvent& e) {
    if (e.change == ControlChange::Caption) widget->setTitle(ToQt(captioned->Caption()));
  });
}

void BindAction(QAction* action, Button& button) {
  auto sync = [action, &button] {
    const QString text = ToQt(button.Caption());
    if (action->text() != text) action->setText(text);
    if (action->isEnabled() != button.Enabled()) action->setEnabled(button.Enabled());
    if (action->isVisible() != button.Visible()) action->setVisible(button.Visible());
    const QString hint = ToQt(button.Hint());
    if (action->statusTip() != hint) {
      action->setStatusTip(hint);
      action->setToolTip(hint);
    }
  };
  sync();
  OnChange(action, button, [sync](const ControlEvent&) { sync(); });
  QObject::connect(action, &QAction::triggered, action, [&button] { Guarded([&button] { button.Click(); }); });
}

void BindTabSheet(QTabWidget* tabs, int index, TabSheet& sheet) {
  auto sync = [tabs, index, &sheet] {
    const QString text = ToQt(sheet.Caption());
    if (tabs->tabText(index) != text) tabs->setTabText(index, text);
    if (tabs->isTabEnabled(index) != sheet.Enabled()) tabs->setTabEnabled(index, sheet.Enabled());
    if (tabs->isTabVisible(index) != sheet.Visible()) tabs->setTabVisible(index, sheet.Visible());
    tabs->setTabToolTip(index, ToQt(sheet.Hint()));
  };
  sync();
  OnChange(tabs, sheet, [sync](const ControlEvent&) { sync(); });
}

void BindPageControl(QTabWidget* tabs, PageControl& pages) {
  auto sync = [tabs, &pages] {
    const int index = pages.ActivePageIndex();
    if (index < 0 || tabs->currentIndex() == index) return;
    QSignalBlocker block(tabs);
    tabs->setCurrentIndex(index);
  };
  sync();
  OnChange(tabs, pages, [sync](const ControlEvent& e) {
    if (e.change == ControlChange::ItemIndex) sync();
  });
  QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [sync, &pages](int index) {
    if (index == pages.ActivePageIndex()) return;
    bool taken = false;
    Guarded([&] { taken = pages.SetActivePageIndex(index); });
    if (!taken) sync();
  });
}

void ClickOnDelete(QWidget* widget, Button& button) { widget->installEventFilter(new DeleteKeyFilter(widget, button)); }

}  // namespace quillory
