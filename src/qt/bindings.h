// Binders tie one widget to one model control both ways. A user's edit goes to
// the model's user setter; a model change reaches the widget with its signals
// blocked and only when the shown value differs, so nothing echoes back. The
// model subscriptions belong to a child object of the widget and end with it.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Model headers come before Qt's: Qt's keyword macros would rewrite them.
#include "app/controls.h"

#include <QColor>
#include <QString>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace quillory {

// Model text (UTF-8 bytes) to a QString; bytes that are not valid UTF-8 are
// shown escaped rather than replaced, so two different names never look alike.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

// The colour a model names, as an RGB value; invalid QColor for Default.
QColor ToQColor(Color color);
// The shade of the named colour that reads on `background`: the named one
// where it contrasts enough (3:1 on a light background, 4.5:1 on a dark
// one), else that hue lightened on a dark background or darkened on a light
// one. Coloured captions use it.
QColor ReadableShade(Color color, const QColor& background);
// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// Runs a handler the person started. An exception that escapes it is shown in
// the exception box and swallowed, so the program goes on.
void Guarded(const std::function<void()>& handler);
// True while a handler started through Guarded runs (it may show modal boxes,
// which move the focus without the person leaving a field).
bool InHandler();
// Replaces the exception box (tests capture the text instead of blocking);
// an empty function restores the message box.
void SetExceptionReporter(std::function<void(const std::string&)> reporter);
// The standard exception box: critical icon, the text, one OK button.
void ShowExceptionBox(const std::string& text);

// Enabled, visible, hint and focus requests of any control.
void BindControl(QWidget* widget, Control& control);
// Label: caption, colour, centred flag (other labels keep the alignment the
// view gave them).
void BindLabel(QLabel* widget, Label& label);
void BindButton(QAbstractButton* widget, Button& button);
void BindCheckBox(QCheckBox* widget, CheckBox& box);
void BindRadioButton(QRadioButton* widget, RadioButton& button);
// textEdited -> UserSetText, editingFinished -> Exit.
void BindEdit(QLineEdit* widget, Edit& edit);
// Editable unless the memo is read-only; typing reaches the model after a
// short pause and when the memo loses the focus.
void BindMemo(QPlainTextEdit* widget, Memo& memo);
// activated -> UserSelect; an editable combo box also sends typed text to
// UserSetText. A non-editable box without a chosen item shows the model text
// as its placeholder.
void BindComboBox(QComboBox* widget, ComboBox& combo);
// A group box that stands for a model control: title from a caption, state.
void BindGroupBox(QGroupBox* widget, Control& control);
// A menu entry: triggered -> Click; caption, enabled, visible, hint.
void BindAction(QAction* action, Button& button);
// One tab of a tab widget: caption, enabled, visible, hint.
void BindTabSheet(QTabWidget* tabs, int index, TabSheet& sheet);
// The current tab both ways; a tab the model refuses snaps back.
void BindPageControl(QTabWidget* tabs, PageControl& pages);

// Widgets made for a control: parented, named after it and bound.
QLabel* NewLabel(Label& label, QWidget* parent);
QPushButton* NewButton(Button& button, QWidget* parent);
QCheckBox* NewCheckBox(CheckBox& box, QWidget* parent);
QRadioButton* NewRadioButton(RadioButton& button, QWidget* parent);
QLineEdit* NewEdit(Edit& edit, QWidget* parent);
QPlainTextEdit* NewMemo(Memo& memo, QWidget* parent);
QComboBox* NewComboBox(ComboBox& combo, bool editable, QWidget* parent);
QAction* NewAction(Button& button, QObject* parent);
// The two arrows of an up-down, stacked; each click steps the model.
QWidget* NewUpDown(UpDown& upDown, QWidget* parent);

// A plain-text label that stands for no model control.
QLabel* NewCaption(const QString& text, QWidget* parent);
// The Delete key in `widget` clicks `button`, as the person would: a
// disabled button does nothing.
void ClickOnDelete(QWidget* widget, Button& button);

// Lets `widget` (a list's viewport, a combo box's edit field too) take what
// the file manager drags onto it: the local paths of a drop go to `drop`,
// after the drop event has ended, since the target may show message boxes.
// Drags without local files are left to the widget.
void AcceptFileDrops(QWidget* widget, std::function<void(const std::vector<std::string>&)> drop);
// The local file paths a drag carries, in order.
std::vector<std::string> LocalPaths(const QMimeData* mime);

// A caption as a button shows it: with `accelerator` set and no marker of
// its own ("&Close"), the letter's first occurrence (either case) marked.
QString ButtonText(const QString& caption, QChar accelerator = QChar());
// Alt+`letter` clicks the button; the model caption stays as it is.
void SetAccelerator(QAbstractButton* widget, QChar letter);
// Gives the main buttons under `root` their accelerators, by caption:
// Create, Copy, Rename and Delete runs, Simulation, Undo, Visual Log, Edit
// List, Zoom, Import List.
void AssignAccelerators(QWidget* root);
// Tab follows the widgets of every row under `root` left to right, however
// the rows were filled.
void TabInRowOrder(QWidget* root);
// How long a tool tip of any widget under `root` stays shown; widgets bound
// from now on keep theirs as long.
void SetHintDuration(QWidget* root, int milliseconds);

// Keeps a model subscription for as long as `owner` lives.
void KeepWhileAlive(QObject* owner, Connection connection);

}  // namespace quillory
