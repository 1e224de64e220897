#pragma once

#include <QObject>
#include <QString>

// Position and size of a control in twips (1/1440 inch), relative to its container.
struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What every control of the window has: a name, a place in the layout and in the tab order,
// visibility and the ability to take the keyboard focus. The window's view draws it; the
// program's logic only talks to these objects.
class Control : public QObject
{
    Q_OBJECT

public:
    explicit Control(const QString &name, QObject *parent = nullptr);

    QString name() const { return objectName(); }

    TwipRect geometry() const { return geometry_; }
    void setGeometry(TwipRect rect) { geometry_ = rect; }
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { tabIndex_ = index; }
    // The frame this control sits in, or nullptr when it sits directly on the window.
    Control *container() const { return container_; }
    void setContainer(Control *container) { container_ = container; }

    // The title of a frame, the text of a label, check box or button.
    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);

    bool isVisible() const { return visible_; }
    // Hiding keeps the control's text and value.
    void setVisible(bool visible);

    // Frames and labels never take the keyboard focus.
    virtual bool canTakeFocus() const { return true; }
    // Asks for the keyboard focus; the window records it and its view moves the real focus.
    void setFocus() { emit focusRequested(); }

signals:
    void captionChanged(const QString &caption);
    void visibleChanged(bool visible);
    void focusRequested();

private:
    TwipRect geometry_;
    int tabIndex_ = 0;
    Control *container_ = nullptr;
    QString caption_;
    bool visible_ = true;
};
