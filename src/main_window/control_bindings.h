#pragma once

class CheckBox;
class ComboBox;
class CommandButton;
class Control;
class TextBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Each binding keeps one widget in step with one control: what the program sets on the control
// is drawn, what the operator does in the widget reaches the control and its event procedure.

// Visibility, focus requests and a caption the widget shows as title or text.
void bindControl(Control &control, QWidget *widget);
void bindLineEdit(TextBox &box, QLineEdit *edit);
void bindLogEdit(TextBox &box, QPlainTextEdit *edit);
void bindComboBox(ComboBox &combo, QComboBox *widget);
void bindCheckBox(CheckBox &check, QCheckBox *widget);
void bindButton(CommandButton &button, QPushButton *widget);
