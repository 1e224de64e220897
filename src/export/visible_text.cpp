#include "export/visible_text.h"

namespace {

bool isHidden(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
           c.isSurrogate();
}

QString escaped(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
        return QStringLiteral("\\t");
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case 0x1B:
        return QStringLiteral("\\e");
    default:
        break;
    }
    if (c.unicode() < 0x100)
        return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
    return QStringLiteral("\\u{%1}").arg(c.unicode(), 4, 16, QChar(u'0'));
}

} // namespace

QString visibleText(QStringView text)
{
    QString visible;
    visible.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the first plane is a pair of surrogates and printable.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            visible.append(c).append(text[i + 1]);
            ++i;
        } else if (c == u'\\') {
            visible.append(QStringLiteral("\\\\"));
        } else if (isHidden(c)) {
            visible.append(escaped(c));
        } else {
            visible.append(c);
        }
    }
    return visible;
}
