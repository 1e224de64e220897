#include "station_values.h"

#include "locator.h"
#include "visible_text.h"

#include <algorithm>

namespace {

bool isCallCharacter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'/';
}

bool isPrintableAscii(QChar c)
{
    return c >= u' ' && c <= u'~';
}

} // namespace

QString callProblem(QStringView call)
{
    if (call.isEmpty() || !std::all_of(call.begin(), call.end(), isCallCharacter))
        return QStringLiteral("is not a call: one word of letters, digits and '/'");
    return {};
}

QString locatorProblem(QStringView locator)
{
    if (locator.size() != 6 || !isValidLocator(locator))
        return QStringLiteral("is not a 6-character locator");
    return {};
}

QString lineTextProblem(QStringView text)
{
    if (!std::all_of(text.begin(), text.end(), isPrintableAscii))
        return QStringLiteral("is not one line of printable ASCII characters");
    return {};
}

QString namedValue(QStringView name, QStringView value)
{
    return name.toString() + QStringLiteral(" \"") + visibleText(value) + u'"';
}
