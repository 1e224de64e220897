#pragma once

#include <QEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

// What a widget has redrawn since it was watched: the union of its paint events' regions.
class PaintedRegion : public QObject
{
public:
    explicit PaintedRegion(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }

    const QRegion &region() const { return region_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            region_ += static_cast<QPaintEvent *>(event)->region();
        return QObject::eventFilter(watched, event);
    }

private:
    QRegion region_;
};
