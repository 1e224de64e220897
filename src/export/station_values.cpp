#include "export/station_values.h"

#include "export/locator.h"
#include "export/visible_text.h"

#include <algorithm>

namespace {

bool isCallCharacter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'/';
}

// A character that would break a line or move the cursor: C0, DEL and C1 controls, and the
// line and paragraph separators.
bool isControl(QChar c)
{
    return c < u' ' || (c >= u'\x7f' && c <= u'\x9f') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
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
    // Characters outside ASCII are each format's to take or report (ADIF leaves them out).
    if (std::any_of(text.begin(), text.end(), isControl))
        return QStringLiteral("is not one line of text: it holds control characters");
    return {};
}

QString namedValue(QStringView name, QStringView value)
{
    return name.toString() + QStringLiteral(" \"") + visibleText(value) + u'"';
}
