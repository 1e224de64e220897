#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>

// The date of a contact line, as the window writes it and as the exporter reads it back.

// The date as the window stamps it: the locale's short date text, in the locale's own digits,
// without the invisible direction marks some locales put in (in a contact line they would
// reorder the fields around the date when the line is shown).
QString contactDateText(QDate date, const QLocale &locale);

// The date format a log written on this machine uses: the locale's short date format, the one
// the window stamps its contacts with, without direction marks.
QString defaultDateFormat();

// A date of the log in `dateFormat`; two-digit years are 20yy. The digits may be any script's
// (a log written in Arabic or Persian has its own), and direction marks are passed over, in the
// text and in the format. An invalid date when it is not one.
QDate readLogDate(QStringView text, QStringView dateFormat);
