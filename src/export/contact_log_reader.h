#pragma once

#include "contact_record.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

// A line that is not a contact line: its number, its text and what is wrong with it.
struct BadLine
{
    int lineNumber = 0;
    QString text;
    QString problem;
};

struct ContactLog
{
    std::vector<ContactRecord> contacts;
    std::vector<BadLine> badLines;
};

// Every line of a log file's bytes, decoded and split as "Open" reads them; blank lines are
// passed over.
ContactLog readContactLog(QByteArrayView fileBytes, QStringView dateFormat);
