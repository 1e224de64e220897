#pragma once

#include "contact_line/bands.h"
#include "contact_line/contact_date.h"

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

// The fields of one contact line (without its line break), or what keeps it from being one.
struct LineReading
{
    std::optional<ContactRecord> contact;
    QString problem;
};
LineReading readContactLine(QStringView line, QStringView dateFormat);
