#include "main_window/qt_message_service.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon iconFor(MsgBoxStyle style)
{
    switch (iconOf(style)) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

MsgBoxResult QtMessageService::show(const QString &prompt, MsgBoxStyle style, const QString &title)
{
    const bool yesNo = buttonsOf(style) == vbYesNo;
    QMessageBox box(iconFor(style), title, prompt,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent_);
    const bool secondIsDefault = yesNo && defaultButtonOf(style) == vbDefaultButton2;
    box.setDefaultButton(!yesNo            ? QMessageBox::Ok
                         : secondIsDefault ? QMessageBox::No
                                           : QMessageBox::Yes);
    // A screen reader announces the box by its title and reads the prompt with it.
    box.setAccessibleName(title);
    box.setAccessibleDescription(prompt);
    const int answer = box.exec();
    // Typing goes on in the window the box came from. Without a window manager to hand the
    // keyboard back, it would stay with no window and the next keystrokes would be lost.
    if (parent_ && parent_->isVisible())
        parent_->activateWindow();
    if (yesNo)
        return answer == QMessageBox::Yes ? vbYes : vbNo;
    return vbOK;
}
