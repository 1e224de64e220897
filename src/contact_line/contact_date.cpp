#include "contact_line/contact_date.h"

namespace {

bool isFormatMark(QChar c)
{
    return c.category() == QChar::Other_Format;
}

QString withoutFormatMarks(QStringView text)
{
    QString plain = text.toString();
    plain.removeIf(isFormatMark);
    return plain;
}

// The text with every decimal digit of any script as an ASCII digit and no direction marks, so
// that a format of the C locale reads it.
QString withAsciiDigits(QStringView text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        if (isFormatMark(c))
            continue;
        if (c.category() == QChar::Number_DecimalDigit)
            ascii.append(QChar(u'0' + c.digitValue()));
        else
            ascii.append(c);
    }
    return ascii;
}

} // namespace

QString contactDateText(QDate date, const QLocale &locale)
{
    return withoutFormatMarks(locale.toString(date, QLocale::ShortFormat));
}

QString defaultDateFormat()
{
    return withoutFormatMarks(QLocale().dateFormat(QLocale::ShortFormat));
}

QDate readLogDate(QStringView text, QStringView dateFormat)
{
    const QString format = withoutFormatMarks(dateFormat);
    QDate date = QDate::fromString(withAsciiDigits(text), format);
    // A format with month or day names reads them in the language of this machine's locale.
    if (!date.isValid())
        date = QLocale().toDate(text.toString(), format);
    const bool twoDigitYear = format.contains(u"yy") && !format.contains(u"yyyy");
    if (date.isValid() && twoDigitYear && date.year() < 2000)
        date = date.addYears(100);
    return date;
}
