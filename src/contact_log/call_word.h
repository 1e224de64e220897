#pragma once

#include <QChar>
#include <QStringView>
#include <array>

// A call stands in the log as a word: it is logged on a line where no call character (a letter,
// a digit or '/') stands directly before or after it, whatever the rest of the line holds, so a
// line edited or typed by hand counts as well as one "Add" wrote.

namespace callWordDetail {

enum : quint8
{
    callCharacter = 1,
    letter = 2
};

// The kinds of the first 256 characters, looked up: the call index reads every character of the
// log when it is built.
inline const std::array<quint8, 256> latin1Kinds = [] {
    std::array<quint8, 256> kinds{};
    for (int u = 0; u < 256; ++u) {
        const QChar c(u);
        const bool isLetter = c.isLetter();
        kinds[u] = quint8((isLetter ? letter : 0) |
                          (isLetter || c.isDigit() || c == u'/' ? callCharacter : 0));
    }
    return kinds;
}();

inline quint8 kindOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 256)
        return latin1Kinds[u];
    return c.isLetter() ? quint8(callCharacter | letter) : c.isDigit() ? callCharacter : 0;
}

} // namespace callWordDetail

inline bool isCallLetter(QChar c)
{
    return callWordDetail::kindOf(c) & callWordDetail::letter;
}

inline bool isCallCharacter(QChar c)
{
    return callWordDetail::kindOf(c) & callWordDetail::callCharacter;
}

// Whether the `length` characters of `text` from `at` have no call character directly before or
// after them within `text`.
inline bool standsAlone(QStringView text, qsizetype at, qsizetype length)
{
    return (at == 0 || !isCallCharacter(text[at - 1])) &&
           (at + length == text.size() || !isCallCharacter(text[at + length]));
}
