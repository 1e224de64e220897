#include "bare_window.h"

#include "timing.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

namespace {

constexpr int activationPolls = 1000;

} // namespace

QStringList BoxPlace::toArguments() const
{
    return {QString::number(windowSize.width()),
            QString::number(windowSize.height()),
            QString::number(geometry.x()),
            QString::number(geometry.y()),
            QString::number(geometry.width()),
            QString::number(geometry.height()),
            font.toString()};
}

BoxPlace BoxPlace::fromArguments(const QStringList &arguments)
{
    stopUnless(arguments.size() == 7, "a box's place needs seven arguments");
    BoxPlace place;
    place.windowSize = QSize(arguments[0].toInt(), arguments[1].toInt());
    place.geometry = QRect(arguments[2].toInt(), arguments[3].toInt(), arguments[4].toInt(),
                           arguments[5].toInt());
    stopUnless(place.font.fromString(arguments[6]), "a box's font could not be read");
    return place;
}

BoxPlace placeOf(const QWidget &box)
{
    return {
        .windowSize = box.window()->size(),
        .geometry = QRect(box.mapTo(box.window(), QPoint(0, 0)), box.size()),
        .font = box.font(),
    };
}

void useCallBoxSettings(QLineEdit &edit)
{
    edit.setMaxLength(std::numeric_limits<int>::max());
}

void useLogBoxSettings(QPlainTextEdit &edit)
{
    edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit.setTabChangesFocus(true);
}

void focusBox(QWidget *box)
{
    QWidget *window = box->window();
    window->activateWindow();
    for (int i = 0; i < activationPolls && QApplication::activeWindow() != window; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    box->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    stopUnless(box->hasFocus(), "a box did not get the focus");
}

PaintCounter::PaintCounter(QWidget *widget) : QObject(widget)
{
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        ++count_;
    return QObject::eventFilter(watched, event);
}
