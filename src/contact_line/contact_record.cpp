#include "contact_record.h"

#include "contact_line.h"

namespace {

// Reads a line from left to right, one separator at a time.
class FieldCursor
{
public:
    explicit FieldCursor(QStringView line) : rest(line) {}

    // The text up to the next `separator`, which is passed over; nothing when there is none.
    std::optional<QStringView> upTo(QStringView separator)
    {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0)
            return std::nullopt;
        const QStringView field = rest.first(at);
        rest = rest.sliced(at + separator.size());
        return field;
    }

    QStringView remainder() const { return rest; }

private:
    QStringView rest;
};

bool allDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), isAsciiDigit);
}

// Printable ASCII without blanks and without ';', which separates the fields of an EDI record:
// what every export format can carry as it is.
bool isPlainText(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c > u' ' && c <= u'~' && c != u';'; });
}

bool isCall(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return isAsciiDigit(c) || c == u'/' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    });
}

bool isUtcTime(QStringView text)
{
    return text.size() == 4 && allDigits(text) && text.first(2).toInt() < 24 &&
           text.sliced(2).toInt() < 60;
}

QString quoted(QStringView text)
{
    return u'"' + text.toString() + u'"';
}

} // namespace

LineReading readContactLine(QStringView line, QStringView dateFormat)
{
    FieldCursor cursor(line);
    const auto sentNumber = cursor.upTo(sentNumberSeparator);
    if (!sentNumber)
        return {std::nullopt, QStringLiteral("no sent number followed by \"-+-\"")};
    // The window numbers on past 9999, with as many digits as the number takes.
    if (sentNumber->isEmpty() || !allDigits(*sentNumber))
        return {std::nullopt, QStringLiteral("a sent number that is not digits")};

    std::optional<QStringView> fields[5]; // date, time, call, report, received number
    for (auto &field : fields) {
        field = cursor.upTo(fieldSeparator);
        if (!field)
            return {std::nullopt, QStringLiteral("fewer fields than a contact line has")};
    }
    const auto [dateText, time, call, report, receivedNumber] = fields;

    ContactRecord contact;
    contact.date = readLogDate(*dateText, dateFormat);
    if (!contact.date.isValid())
        return {std::nullopt,
                QStringLiteral("a date that is not in the format ") + quoted(dateFormat)};
    if (!isUtcTime(*time))
        return {std::nullopt, QStringLiteral("a time that is not HHMM")};
    if (!isCall(*call))
        return {std::nullopt, QStringLiteral("a call that is not letters, digits and '/'")};
    if (report->size() < 2 || report->size() > 3 || !allDigits(*report))
        return {std::nullopt, QStringLiteral("a report that is not 2 or 3 digits")};
    if (receivedNumber->isEmpty() || !isPlainText(*receivedNumber))
        return {std::nullopt, QStringLiteral("an empty received number or one with blanks, "
                                             "';' or characters other than ASCII")};

    QStringView locator = cursor.remainder();
    if (const qsizetype at = locator.indexOf(bandSeparator); at >= 0) {
        const QStringView bandText = locator.sliced(at + bandSeparator.size());
        contact.band = bandFromWindowText(bandText);
        if (!contact.band)
            return {std::nullopt, QStringLiteral("a band that is not in the band list")};
        locator = locator.first(at);
    }
    if (!isPlainText(locator))
        return {std::nullopt, QStringLiteral("a locator with blanks, ';' or characters other "
                                             "than ASCII")};

    contact.sentNumber = sentNumber->toString();
    contact.dateText = dateText->toString();
    contact.time = time->toString();
    contact.call = call->toString().toUpper();
    contact.report = report->toString();
    contact.receivedNumber = receivedNumber->toString();
    contact.locator = locator.toString().toUpper();
    return {std::move(contact), {}};
}
