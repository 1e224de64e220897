#pragma once

#include "controls/control.h"

#include <QStringList>

// A drop-down list with editable text: the text may be one of the entries or anything typed.
class ComboBox : public Control
{
    Q_OBJECT

public:
    using Control::Control;

    const QStringList &items() const { return items_; }
    void addItem(const QString &item);

    const QString &text() const { return text_; }
    void setText(const QString &text);

signals:
    void itemAdded(const QString &item);
    void textChanged(const QString &text);

private:
    QStringList items_;
    QString text_;
};
