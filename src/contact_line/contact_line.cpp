#include "contact_line/contact_line.h"

qsizetype contactLineCount(QStringView logText)
{
    qsizetype count = 0;
    qsizetype at = logText.indexOf(sentNumberSeparator);
    while (at >= 0) {
        ++count;
        at = logText.indexOf(sentNumberSeparator, lineBreakFrom(logText, at));
    }
    return count;
}

QString composeContactLine(const ContactFields &f)
{
    const bool withBand = f.band != noBandText;
    QString line;
    line.reserve(f.sentNumber.size() + f.date.size() + f.time.size() + f.call.size() +
                 f.receivedNumber.size() + f.locator.size() + f.band.size() + 32);
    line.append(f.sentNumber)
        .append(sentNumberSeparator)
        .append(f.date)
        .append(fieldSeparator)
        .append(f.time)
        .append(f.call)
        .append(reportField)
        .append(f.receivedNumber)
        .append(fieldSeparator)
        .append(f.locator);
    if (withBand)
        line.append(bandSeparator).append(f.band);
    line.append(lineEnd);
    return line;
}
