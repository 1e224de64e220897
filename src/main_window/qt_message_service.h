#pragma once

#include "platform/message_service.h"

#include <QPointer>
#include <QWidget>

// Message boxes as the operator sees them: a modal QMessageBox with the style's icon and buttons.
class QtMessageService : public MessageService
{
public:
    void setParentWindow(QWidget *parent) { parent_ = parent; }
    MsgBoxResult show(const QString &prompt, MsgBoxStyle style, const QString &title) override;

private:
    QPointer<QWidget> parent_;
};
