#include "control_bindings.h"

#include "check_box.h"
#include "combo_box.h"
#include "command_button.h"
#include "frame_box.h"
#include "key_codes.h"
#include "log_edit_sync.h"
#include "ole_color.h"
#include "text_box.h"
#include "widget_position.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <functional>
#include <limits>
#include <memory>
#include <utility>

namespace {

void showCaption(QWidget *widget, const QString &caption)
{
    if (auto *frame = qobject_cast<FrameBox *>(widget))
        frame->setCaption(caption);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(caption);
}

// Hands key presses to the text box's KeyDown procedure before the widget handles them.
class KeyDownForwarder : public QObject
{
public:
    KeyDownForwarder(TextBox &box, QObject *parent) : QObject(parent), box_(box) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto &key = static_cast<const QKeyEvent &>(*event);
            box_.keyDown(vbKeyCode(key), vbShiftState(key));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TextBox &box_;
};

// Lets the mouse wheel turn a box only while it has the keyboard focus: a wheel turned to
// scroll, with the pointer merely passing over the band box, must not change the band.
class WheelOnlyWithFocus : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto *widget = qobject_cast<const QWidget *>(watched);
        if (event->type() == QEvent::Wheel && widget && !widget->hasFocus()) {
            // Ignored, so that it goes on to the widgets behind the box.
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Qt builds an editable combo box's line edit, completer and list as it is made editable, which
// is more than a first frame needs: a box hidden at start (the band list, until "Multiband" is
// ticked) is made editable when it is first shown.
class EditableOnFirstShow : public QObject
{
public:
    EditableOnFirstShow(QComboBox *widget, std::function<void()> showText)
        : QObject(widget), widget_(widget), showText_(std::move(showText))
    {
        widget->installEventFilter(this);
    }

    // Makes the box editable as the band list is, showing the control's text.
    static void makeEditable(QComboBox *widget, const std::function<void()> &showText)
    {
        {
            // The line edit starts with the current item: that is no change of the control.
            const QSignalBlocker blocker(widget);
            widget->setEditable(true);
        }
        // Enter in the band list must not turn the typed text into a new entry.
        widget->setInsertPolicy(QComboBox::NoInsert);
        widget->setFocusPolicy(Qt::StrongFocus);
        // The window's face, given to the parts as the view gives it to every control.
        for (QWidget *part : widget->findChildren<QWidget *>())
            part->setFont(widget->font());
        showText();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget_ && event->type() == QEvent::Show) {
            widget_->removeEventFilter(this);
            makeEditable(widget_, showText_);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox *widget_;
    std::function<void()> showText_;
};

void applyForeColor(QWidget *widget, OleColor color, const QPalette &defaultPalette)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, toQColor(color, defaultPalette));
    widget->setPalette(palette);
}

void bindForeColor(TextBox &box, QWidget *widget)
{
    const QPalette defaultPalette = widget->palette();
    applyForeColor(widget, box.foreColor(), defaultPalette);
    QObject::connect(&box, &TextBox::foreColorChanged, widget,
                     [widget, defaultPalette](OleColor color) {
                         applyForeColor(widget, color, defaultPalette);
                     });
}

} // namespace

void bindControl(Control &control, QWidget *widget)
{
    widget->setObjectName(control.name());
    // A child is shown with its window. Showing it here, before it has its place, would make Qt
    // first size it to its contents, measuring its text for nothing.
    if (!control.isVisible())
        widget->hide();
    showCaption(widget, control.caption());
    QObject::connect(&control, &Control::visibleChanged, widget, &QWidget::setVisible);
    QObject::connect(&control, &Control::captionChanged, widget,
                     [widget](const QString &caption) { showCaption(widget, caption); });
    QObject::connect(&control, &Control::focusRequested, widget,
                     [widget] { widget->setFocus(Qt::OtherFocusReason); });
}

void bindLineEdit(TextBox &box, QLineEdit *edit)
{
    bindControl(box, edit);
    bindForeColor(box, edit);
    edit->setText(box.text());
    // No text box limits the length of its text.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->installEventFilter(new KeyDownForwarder(box, edit));

    QObject::connect(edit, &QLineEdit::textEdited, &box, [&box, edit](const QString &text) {
        const int typedAt = edit->cursorPosition();
        box.setText(text);
        // A Change procedure that upper-cases its box as it is typed (the call box) then puts
        // the caret at the end. While the operator corrects the middle of the text, that would
        // send the next keystroke to the end and mangle the call, so a caret thrown to the end
        // by a rewrite that kept the length goes back to where the operator typed.
        if (typedAt < text.size() && box.text().size() == text.size() &&
            box.selStart() == box.text().size())
            box.setSelStart(typedAt);
    });
    QObject::connect(edit, &QLineEdit::cursorPositionChanged, &box, [&box](int, int now) {
        if (box.selStart() != now)
            box.setSelStart(now);
    });
    // A single-line box takes an append as a new text too (TextBox::appendText): this is the
    // only change of its text it reports.
    QObject::connect(&box, &TextBox::textReplaced, edit, [&box, edit] {
        if (edit->text() != box.text())
            edit->setText(box.text());
    });
    QObject::connect(
        &box, &TextBox::selectionChanged, edit, [edit](qsizetype start, qsizetype length) {
            // Selected backwards, so the caret stays at SelStart and the control keeps it.
            edit->setSelection(widgetPosition(start + length), -widgetPosition(length));
        });
    QObject::connect(&box, &TextBox::selStartChanged, edit, [edit](qsizetype position) {
        // Echoing the operator's own caret back would drop a selection made with Ctrl+A or
        // Shift+arrows, and the next keystroke would no longer replace it.
        if (edit->cursorPosition() != position)
            edit->setCursorPosition(widgetPosition(position));
    });
}

void bindLogEdit(TextBox &box, QPlainTextEdit *edit)
{
    bindControl(box, edit);
    bindForeColor(box, edit);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setTabChangesFocus(true);
    edit->installEventFilter(new KeyDownForwarder(box, edit));
    new LogEditSync(box, edit);
}

void bindComboBox(ComboBox &combo, QComboBox *widget)
{
    bindControl(combo, widget);
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new WheelOnlyWithFocus(widget));
    auto showText = [&combo, widget] {
        const QSignalBlocker blocker(widget);
        widget->setCurrentIndex(int(combo.items().indexOf(combo.text())));
        widget->setEditText(combo.text());
    };
    {
        const QSignalBlocker blocker(widget);
        widget->addItems(combo.items());
    }
    if (combo.isVisible())
        EditableOnFirstShow::makeEditable(widget, showText);
    else
        new EditableOnFirstShow(widget, showText);
    showText();

    QObject::connect(&combo, &ComboBox::itemAdded, widget, [widget, showText](const QString &item) {
        {
            const QSignalBlocker blocker(widget);
            widget->addItem(item);
        }
        showText();
    });
    QObject::connect(&combo, &ComboBox::textChanged, widget, [&combo, widget, showText] {
        // The operator's own typing is already shown; only the program's changes are drawn.
        if (widget->currentText() != combo.text())
            showText();
    });
    QObject::connect(widget, &QComboBox::editTextChanged, &combo,
                     [&combo, widget, showText](const QString &text) {
                         combo.setText(text);
                         // What the control did not keep goes from the widget too.
                         if (widget->currentText() != combo.text())
                             showText();
                     });
}

void bindCheckBox(CheckBox &check, QCheckBox *widget)
{
    bindControl(check, widget);
    widget->setChecked(check.value() == 1);
    QObject::connect(&check, &CheckBox::valueChanged, widget,
                     [widget](int value) { widget->setChecked(value == 1); });
    // The widget has toggled itself already; the control toggles its own value to match.
    QObject::connect(widget, &QCheckBox::clicked, &check, [&check] { check.click(); });
}

void bindButton(CommandButton &button, QPushButton *widget)
{
    bindControl(button, widget);
    // Enter presses a button that has the focus, as Space does: an operator who tabbed to
    // "Add" presses Enter.
    widget->setAutoDefault(true);
    QObject::connect(widget, &QPushButton::clicked, &button, [&button] { button.click(); });
}
