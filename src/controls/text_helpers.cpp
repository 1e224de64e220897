#include "controls/text_helpers.h"

#include <cmath>

qsizetype findTextBackward(QStringView text, QStringView what)
{
    return text.lastIndexOf(what, Qt::CaseSensitive) + 1;
}

QString replaceText(QString text, QStringView from, QStringView to)
{
    if (from.isEmpty())
        return text;
    // QString::replace finds the occurrences left to right and never rescans what it inserted.
    return text.replace(from.toString(), to.toString(), Qt::CaseSensitive);
}

namespace {

bool isIgnoredBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Walks a text the way numericValue reads it, skipping the ignored blanks.
class NumberReader
{
public:
    explicit NumberReader(QStringView text) : text_(text) { skipBlanks(); }

    QChar peek() const { return atEnd() ? QChar() : text_[pos_]; }
    bool atEnd() const { return pos_ >= text_.size(); }
    void next()
    {
        ++pos_;
        skipBlanks();
    }

private:
    void skipBlanks()
    {
        while (!atEnd() && isIgnoredBlank(text_[pos_]))
            ++pos_;
    }

    QStringView text_;
    qsizetype pos_ = 0;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads digits into `value`; returns how many were read. Far too many digits only make the
// value infinite, never undefined.
qsizetype readDigits(NumberReader &reader, double &value)
{
    qsizetype count = 0;
    while (isDigit(reader.peek())) {
        value = value * 10 + (reader.peek().unicode() - u'0');
        reader.next();
        ++count;
    }
    return count;
}

} // namespace

double numericValue(QStringView text)
{
    NumberReader reader(text);
    double sign = 1;
    if (reader.peek() == u'-' || reader.peek() == u'+') {
        sign = reader.peek() == u'-' ? -1 : 1;
        reader.next();
    }

    double mantissa = 0;
    qsizetype digits = readDigits(reader, mantissa);
    qsizetype fractionDigits = 0;
    if (reader.peek() == u'.') {
        reader.next();
        fractionDigits = readDigits(reader, mantissa);
        digits += fractionDigits;
    }
    if (digits == 0)
        return 0;

    double exponent = 0;
    const QChar e = reader.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        reader.next();
        double exponentSign = 1;
        if (reader.peek() == u'-' || reader.peek() == u'+') {
            exponentSign = reader.peek() == u'-' ? -1 : 1;
            reader.next();
        }
        readDigits(reader, exponent);
        exponent *= exponentSign;
    }
    const double value = sign * mantissa * std::pow(10.0, exponent - double(fractionDigits));
    return std::isnan(value) ? 0 : value;
}
