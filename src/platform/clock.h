#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The clock and the calendar text of the locale; a fixed clock stands in for it in tests.
class Clock
{
public:
    virtual ~Clock() = default;
    // The current local date and time, read once.
    virtual QDateTime now() const = 0;
    // A date as text in the system's short date format.
    virtual QString shortDateText(QDate date) const = 0;
};

class SystemClock : public Clock
{
public:
    explicit SystemClock(const QLocale &locale = QLocale::system()) : locale_(locale) {}
    QDateTime now() const override;
    // The locale's short date text, without invisible direction marks.
    QString shortDateText(QDate date) const override;

private:
    QLocale locale_;
};
