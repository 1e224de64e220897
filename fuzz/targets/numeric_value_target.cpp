#include "controls/text_helpers.h"
#include "fuzz_targets.h"

#include <algorithm>
#include <cmath>

namespace {

bool isIgnoredBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

QString fuzzNumericValue(QByteArrayView input)
{
    const QString text = QString::fromUtf8(input);
    const double value = numericValue(text);
    if (std::isnan(value))
        return QStringLiteral("no number, not even 0");

    QString withoutBlanks = text;
    withoutBlanks.removeIf(isIgnoredBlank);
    if (!same(numericValue(withoutBlanks), value))
        return QStringLiteral("blanks changed the value");
    // Reading stops at a character that cannot continue a number, so nothing after one counts.
    if (!same(numericValue(text + u'x'), value))
        return QStringLiteral("a character after the number changed it");

    // Plain digits, few enough to be exact in a double, are that integer.
    if (!withoutBlanks.isEmpty() && withoutBlanks.size() <= 15 &&
        std::all_of(withoutBlanks.begin(), withoutBlanks.end(), isAsciiDigit) &&
        value != double(withoutBlanks.toLongLong()))
        return QStringLiteral("digits read as %1").arg(value);
    return {};
}
