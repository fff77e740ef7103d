#include "qt/bindings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillory {

QLabel* NewLabel(Label& label, QWidget* parent) {
  auto* widget = new QLabel(parent);
  widget->setObjectName(ToQt(label.Name()));
  BindLabel(widget, label);
  return widget;
}

QPushButton* NewButton(Button& button, QWidget* parent) {
  auto* widget = new QPushButton(parent);
  widget->setObjectName(ToQt(button.Name()));
  BindButton(widget, button);
  return widget;
}

QWidget* NewUpDown(UpDown& upDown, QWidget* parent) {
  auto* widget = new QWidget(parent);
  widget->setObjectName(ToQt(upDown.Name()));
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (bool up : {true, false}) {
    auto* arrow = new QToolButton(widget);
    arrow->setObjectName(ToQt(upDown.Name()) + (up ? QStringLiteral("Up") : QStringLiteral("Down")));
    arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    arrow->setAutoRepeat(true);
    arrow->setFixedSize(18, 11);
    QObject::connect(arrow, &QToolButton::clicked, arrow, [&upDown, up] { Guarded([&upDown, up] { upDown.Click(up); }); });
    layout->addWidget(arrow);
  }
  BindControl(widget, upDown);
  return widget;
}

QCheckBox* NewCheckBox(CheckBox& box, QWidget* parent) {
  auto* widget = new QCheckBox(parent);
  widget->setObjectName(ToQt(box.Name()));
  BindCheckBox(widget, box);
  return widget;
}

QRadioButton* NewRadioButton(RadioButton& button, QWidget* parent) {
  auto* widget = new QRadioButton(parent);
  widget->setObjectName(ToQt(button.Name()));
  BindRadioButton(widget, button);
  return widget;
}

QLineEdit* NewEdit(Edit& edit, QWidget* parent) {
  auto* widget = new QLineEdit(parent);
  widget->setObjectName(ToQt(edit.Name()));
  BindEdit(widget, edit);
  return widget;
}

QLabel* NewCaption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QPlainTextEdit* NewMemo(Memo& memo, QWidget* parent) {
  auto* widget = new QPlainTextEdit(parent);
  widget->setObjectName(ToQt(memo.Name()));
  BindMemo(widget, memo);
  return widget;
}

QComboBox* NewComboBox(ComboBox& combo, bool editable, QWidget* parent) {
  auto* widget = new QComboBox(parent);
  widget->setObjectName(ToQt(combo.Name()));
  widget->setEditable(editable);
  BindComboBox(widget, combo);
  return widget;
}

QAction* NewAction(Button& button, QObject* parent) {
  auto* action = new QAction(parent);
  action->setObjectName(ToQt(button.Name()));
  BindAction(action, button);
  return action;
}

}  // namespace quillory
