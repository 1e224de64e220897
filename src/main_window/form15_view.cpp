#include "form15_view.h"

#include "control_bindings.h"
#include "form15.h"
#include "frame_box.h"
#include "log_text_edit.h"
#include "program_icon.h"
#include "title_on_border_style.h"
#include "twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

// The layout was drawn for a narrow 8-point face: in a common sans face "Prog Numb" is cut off
// and "Multiband" runs under "HF". A metric-narrow face keeps every caption whole at any scale.
// The generic sans-serif face comes last: on a system with none of the narrow faces and no rule
// naming a stand-in for them, the fallback would otherwise be any face, a symbol face among them.
QFont layoutFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setStretch(QFont::Condensed);
    font.setPointSizeF(8);
    return font;
}

// Qt lays a new line edit's empty text out in the application's face before the widget's own face
// reaches it. While the controls are made the application's face is the layout's, so the first
// frame loads one face and not two; the application's own face waits for the first message box.
class ApplicationFaceWhileMaking
{
public:
    explicit ApplicationFaceWhileMaking(const QFont &face) : applicationFace_(QApplication::font())
    {
        QApplication::setFont(face);
    }
    ~ApplicationFaceWhileMaking() { QApplication::setFont(applicationFace_); }
    ApplicationFaceWhileMaking(const ApplicationFaceWhileMaking &) = delete;
    ApplicationFaceWhileMaking &operator=(const ApplicationFaceWhileMaking &) = delete;

private:
    const QFont applicationFace_;
};

} // namespace

Form15View::Form15View(Form15 &form, QWidget *parent) : QWidget(parent), form_(form)
{
    setWindowTitle(form.caption());
    setWindowIcon(programIcon());
    // No procedure reacts to a change of size: the controls keep their places, so the window
    // keeps its size too.
    setFixedSize(twipsToPixels(Form15::clientWidthTwips), twipsToPixels(Form15::clientHeightTwips));
    const QFont face = layoutFont();
    setFont(face);
    {
        const ApplicationFaceWhileMaking making(face);
        for (Control *control : form.controls())
            widgets_.insert(control, createWidget(*control));
    }
    applyTabOrder();
    describeForScreenReaders();

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { followFocus(now); });
    // Unloading the window ends the program; closing is left to the event loop so that a
    // close request in progress finishes first.
    connect(&form, &Form15::Unloaded, this, &QWidget::close, Qt::QueuedConnection);
}

Form15View::~Form15View()
{
    // Destroying the widgets moves the focus; this view must not follow it any more.
    disconnect(qApp, nullptr, this, nullptr);
}

QWidget *Form15View::createWidget(Control &control)
{
    QWidget *parent = control.container() ? widgets_.value(control.container()) : this;
    QWidget *widget = nullptr;
    if (auto *box = qobject_cast<TextBox *>(&control)) {
        if (box->isMultiLine()) {
            auto *edit = new LogTextEdit(parent);
            bindLogEdit(*box, edit);
            widget = edit;
        } else {
            auto *edit = new QLineEdit(parent);
            bindLineEdit(*box, edit);
            widget = edit;
        }
    } else if (auto *combo = qobject_cast<ComboBox *>(&control)) {
        auto *widgetCombo = new QComboBox(parent);
        bindComboBox(*combo, widgetCombo);
        widget = widgetCombo;
    } else if (auto *check = qobject_cast<CheckBox *>(&control)) {
        auto *widgetCheck = new QCheckBox(parent);
        bindCheckBox(*check, widgetCheck);
        widget = widgetCheck;
    } else if (auto *button = qobject_cast<CommandButton *>(&control)) {
        auto *push = new QPushButton(parent);
        bindButton(*button, push);
        widget = push;
    } else if (qobject_cast<Frame *>(&control)) {
        widget = new FrameBox(parent);
        // The frame's title stands on its border line, as the sent number always has.
        auto *style = new TitleOnBorderStyle;
        style->setParent(widget);
        widget->setStyle(style);
        bindControl(control, widget);
    } else {
        widget = new QLabel(parent);
        bindControl(control, widget);
    }
    widget->setGeometry(twipsToPixels(control.geometry()));
    // Given to each control and its parts (the band box's edit and list) as well, so every one
    // is sure to draw in the face the layout was made for. Set, not inherited: a text box whose
    // face is only inherited lays its text out markedly slower (a key in the log box 20 %).
    widget->setFont(font());
    for (QWidget *part : widget->findChildren<QWidget *>())
        part->setFont(font());
    return widget;
}

void Form15View::describeForScreenReaders()
{
    // Each entry box is named by the label above it, as a sighted operator reads it.
    const std::pair<Label *, Control *> labelled[] = {
        {&form_.Label1, &form_.Text2},
        {&form_.Label3, &form_.Text3},
        {&form_.Label2, &form_.Text4},
        {&form_.Label4, &form_.Combo1},
    };
    for (const auto &[label, entry] : labelled) {
        QWidget *entryWidget = widgets_.value(entry);
        qobject_cast<QLabel *>(widgets_.value(label))->setBuddy(entryWidget);
        entryWidget->setAccessibleName(label->caption());
    }
    widgets_.value(&form_.Text1)->setAccessibleName(tr("Log"));

    // The frame's title is the number the next contact is sent; say what it is.
    QWidget *frame = widgets_.value(&form_.Frame1);
    auto nameFrame = [frame](const QString &caption) {
        frame->setAccessibleName(tr("Sent number %1").arg(caption));
    };
    nameFrame(form_.Frame1.caption());
    connect(&form_.Frame1, &Control::captionChanged, frame, nameFrame);
}

void Form15View::applyTabOrder()
{
    QList<Control *> order;
    for (Control *control : form_.controls()) {
        if (control->canTakeFocus())
            order.append(control);
    }
    std::stable_sort(order.begin(), order.end(), [](const Control *a, const Control *b) {
        return a->tabIndex() < b->tabIndex();
    });
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(widgets_.value(order[i - 1]), widgets_.value(order[i]));
}

void Form15View::followFocus(QWidget *now)
{
    // The operator moved the focus (Tab, a click): the form learns which control has it.
    for (Control *control : form_.controls()) {
        QWidget *widget = widgets_.value(control);
        if (widget == now ||
            (now && widget->isAncestorOf(now) && !qobject_cast<QGroupBox *>(widget))) {
            if (form_.activeControl() != control)
                control->setFocus();
            return;
        }
    }
}

void Form15View::closeEvent(QCloseEvent *event)
{
    if (form_.requestClose())
        event->accept();
    else
        event->ignore();
}

void Form15View::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    if (QWidget *focus = widgets_.value(form_.activeControl()))
        focus->setFocus(Qt::ActiveWindowFocusReason);
}
