#include "window_description.h"

#include "bench_window.h"
#include "main_window/frame_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

namespace {

// The bare widget's kind and its text (a combo box's items, joined by '|').
std::pair<QString, QString> kindAndText(const QWidget *widget)
{
    if (const auto *frame = qobject_cast<const FrameBox *>(widget))
        return {QStringLiteral("frame"), frame->caption()};
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return {QStringLiteral("label"), label->text()};
    if (qobject_cast<const QPlainTextEdit *>(widget))
        return {QStringLiteral("textedit"), {}};
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return {QStringLiteral("lineedit"), edit->text()};
    if (const auto *check = qobject_cast<const QCheckBox *>(widget))
        return {QStringLiteral("checkbox"), check->text()};
    if (const auto *button = qobject_cast<const QPushButton *>(widget))
        return {QStringLiteral("button"), button->text()};
    if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return {QStringLiteral("combobox"), items.join(u'|')};
    }
    return {QStringLiteral("unknown"), {}};
}

} // namespace

QString describeProgramWindow()
{
    const QTemporaryDir directory;
    BenchServices services(directory.path());
    const BenchWindow window(services.all());
    const QWidget &view = window.view;

    QStringList lines = {
        QStringLiteral("%1\t%2\t%3").arg(view.width()).arg(view.height()).arg(view.windowTitle())};
    QList<const QWidget *> described;
    for (const Control *control : window.form.controls()) {
        const QWidget *widget = window.view.widgetFor(control);
        const auto [kind, text] = kindAndText(widget);
        const QRect place = widget->geometry();
        lines.append(QStringList{
            kind, QString::number(described.indexOf(widget->parentWidget())),
            widget->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"),
            QString::number(place.x()), QString::number(place.y()), QString::number(place.width()),
            QString::number(place.height()), widget->font().toString(), text}
                         .join(u'\t'));
        described.append(widget);
    }
    return lines.join(u'\n');
}
