#pragma once

#include <QHash>
#include <QWidget>

class Control;
class Form15;

// Draws Form15 with Qt widgets, one per control, placed from the layout table, and hands the
// operator's keystrokes, clicks and close requests to the form.
class Form15View : public QWidget
{
    Q_OBJECT

public:
    explicit Form15View(Form15 &form, QWidget *parent = nullptr);
    ~Form15View() override;

    QWidget *widgetFor(const Control *control) const { return widgets_.value(control); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *createWidget(Control &control);
    void applyTabOrder();
    void describeForScreenReaders();
    void followFocus(QWidget *now);

    Form15 &form_;
    QHash<const Control *, QWidget *> widgets_;
    bool centred_ = false;
};
