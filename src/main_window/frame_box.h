#pragma once

#include <QGroupBox>

// The widget of a frame. Its title (the sent number, new with every contact) is redrawn alone
// when it changes: QGroupBox::setTitle redraws the whole box, and with it every control inside.
class FrameBox : public QGroupBox
{
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

    // The title shown on the border line.
    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);

protected:
    void initStyleOption(QStyleOptionGroupBox *option) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect captionRect() const;

    QString caption_;
};
