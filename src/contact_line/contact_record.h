#pragma once

#include "bands.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

// One contact read back from a contact line of the log.
struct ContactRecord
{
    int lineNumber = 0; // 1-based, as the log file's lines are counted when it is opened
    QString sentNumber;
    QString dateText; // as logged, in the log's date format
    QDate date;
    QString time; // UTC, HHMM
    QString call; // upper case
    QString report;
    QString receivedNumber;
    QString locator;            // upper case, as logged; empty on HF lines
    const Band *band = nullptr; // nullptr when the line has no band field
};

// The date format a log written on this machine uses: the locale's short date format, the one
// the window stamps its contacts with.
QString defaultDateFormat();

// A date of the log in `dateFormat`; two-digit years are 20yy. An invalid date when it is not.
QDate readLogDate(QStringView text, QStringView dateFormat);

// The fields of one contact line (without its line break), or what keeps it from being one.
struct LineReading
{
    std::optional<ContactRecord> contact;
    QString problem;
};
LineReading readContactLine(QStringView line, QStringView dateFormat);
