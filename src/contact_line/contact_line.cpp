#include "contact_line.h"

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
