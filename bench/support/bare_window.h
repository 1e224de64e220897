#pragma once

#include "bench_window.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// Where one of the program's boxes sits and how it is drawn: the size of its window, its
// rectangle in that window and its font. A floor draws a bare Qt widget in the same place.
struct BoxPlace
{
    QSize windowSize;
    QRect geometry;
    QFont font;

    // As command-line arguments for a process of its own, and back.
    QStringList toArguments() const;
    static BoxPlace fromArguments(const QStringList &arguments);
};

BoxPlace placeOf(const QWidget &box);

// The call box's own settings on a bare line edit: no length limit.
void useCallBoxSettings(QLineEdit &edit);

// The log box's own settings on a bare text edit: no scroll bars, Tab moves the focus on.
void useLogBoxSettings(QPlainTextEdit &edit);

// Qt alone: a window of the program window's size holding one bare widget, of the same kind,
// place and font as one of the program's boxes, and nothing else; shown (offscreen) and drawn.
template <typename Widget> struct BareWindow
{
    explicit BareWindow(const BoxPlace &place) : box(new Widget(&window))
    {
        window.setFixedSize(place.windowSize);
        window.setFont(place.font);
        box->setGeometry(place.geometry);
        window.show();
        drawNow(window);
    }

    QWidget window;
    Widget *box;
};

// Makes `box`'s window the active one and gives `box` the focus, as the operator's click would,
// so that the program and its floor both draw a focused box with its caret.
void focusBox(QWidget *box);

// Counts the paint events `widget` receives: a measured key has to be drawn, not just handled.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget);
    int count() const { return count_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int count_ = 0;
};
