#pragma once

#include "message_service.h"

#include <QPointer>
#include <QWidget>

// Message boxes as the operator sees them: a modal QMessageBox with the style's icon and buttons.
class QtMessageService : public MessageService
{
public:
    void setParentWindow(QWidget *parent) { parent_ = parent; }
    int show(const QString &prompt, int style, const QString &title) override;

private:
    QPointer<QWidget> parent_;
};
