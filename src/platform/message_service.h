#pragma once

#include "platform/message_box_constants.h"

#include <QString>

// The title of message boxes shown without one of their own.
inline const QString applicationTitle = QStringLiteral("Vandrel");

// Modal message boxes. The program shows real ones; tests script the answers.
class MessageService
{
public:
    virtual ~MessageService() = default;
    // Shows `prompt` with a style made of vbOKOnly/vbYesNo, an icon and the default
    // button, under `title`, and
    // returns the answer (vbOK, vbYes or vbNo).
    virtual MsgBoxResult show(const QString &prompt, MsgBoxStyle style, const QString &title) = 0;

    // A message box as the program's procedures call it: without a title, the application's.
    MsgBoxResult msgBox(const QString &prompt, MsgBoxStyle style = vbOKOnly,
                        const QString &title = {})
    {
        return show(prompt, style, title.isEmpty() ? applicationTitle : title);
    }
};
