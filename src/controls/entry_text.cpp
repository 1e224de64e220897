#include "controls/entry_text.h"

namespace {

bool isInvisible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

} // namespace

QString withoutInvisibleCharacters(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    // By code point: some format characters (the language tags) lie beyond the first plane.
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const char32_t c =
            pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : char32_t(text[i].unicode());
        if (!isInvisible(c))
            kept.append(text.sliced(i, length));
        i += length;
    }
    return kept;
}
