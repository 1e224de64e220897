#include "contact_form.h"
#include "contact_line.h"
#include "fuzz_targets.h"
#include "worked_before.h"

#include <QList>

namespace {

struct Options
{
    bool multiband = false;
    QString band = noBandText.toString();
    QString call;
};

Options optionsOf(QStringView line)
{
    Options options;
    if (line.startsWith(u'M')) {
        options.multiband = true;
        line = line.sliced(1);
    }
    const qsizetype bar = line.indexOf(u'|');
    if (bar >= 0) {
        options.band = line.first(bar).toString();
        line = line.sliced(bar + 1);
    }
    options.call = line.toString();
    return options;
}

struct Expected
{
    OleColor mark = vbButtonText;
    qsizetype callPosition = 0;
};

bool isLetterDigitOrSlash(QChar c)
{
    return c.isLetter() || c.isDigit() || c == u'/';
}

// Where a plain search of the line finds the call with no letter, digit or '/' directly before
// or after it; -1 for nowhere.
qsizetype wholeWordIn(QStringView line, QStringView call)
{
    for (qsizetype at = line.indexOf(call); at >= 0; at = line.indexOf(call, at + 1)) {
        const qsizetype end = at + call.size();
        if ((at == 0 || !isLetterDigitOrSlash(line[at - 1])) &&
            (end == line.size() || !isLetterDigitOrSlash(line[end])))
            return at;
    }
    return -1;
}

// The mark worked out line by line, the slow way: the lines where the call stands as a whole
// word, and the band of such a line after its last "-->".
Expected expectedMark(QStringView log, QStringView call, bool multiband, QStringView band)
{
    Expected expected;
    if (call.size() <= 3)
        return expected;
    bool first = true;
    bool onBand = false;
    qsizetype lineStart = 0;
    while (lineStart <= log.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < log.size() && log[lineEnd] != u'\r' && log[lineEnd] != u'\n')
            ++lineEnd;
        const QStringView line = log.sliced(lineStart, lineEnd - lineStart);
        const qsizetype at = call.isEmpty() ? -1 : wholeWordIn(line, call);
        if (at >= 0) {
            if (first)
                expected.callPosition = lineStart + at + 1;
            first = false;
            const qsizetype arrow = line.lastIndexOf(bandSeparator);
            onBand = onBand || (arrow >= 0 && line.sliced(arrow + bandSeparator.size()) == band);
        }
        lineStart = lineEnd + 1;
    }
    if (first)
        return expected;
    expected.mark = !multiband || (band != noBandText && onBand) ? vbRed : vbBlue;
    return expected;
}

} // namespace

QString fuzzWorkedBefore(QByteArrayView input)
{
    const QString text = QString::fromUtf8(input);
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    const Options options =
        optionsOf(QStringView(text).first(firstLineEnd < 0 ? text.size() : firstLineEnd));
    const QString log = firstLineEnd < 0 ? QString() : text.sliced(firstLineEnd + 1);

    // The call box wired as the window wires it, so the upper-casing runs the check nested.
    ContactForm form;
    QObject::connect(&form.Text2, &TextBox::Change, &form.Text2,
                     [&form] { CheckWorkedBefore(form); });
    form.Text1.setText(log);
    if (options.multiband)
        form.Check2.click();
    form.Combo1.setText(options.band);
    form.Text2.setText(options.call);

    // The box keeps the first line of what it is given, without invisible characters: the
    // check judges that call, and none at all when nothing of it is left.
    const QString &call = form.Text2.text();
    if (call != call.toUpper())
        return QStringLiteral("the call box is not in upper case");
    if (!call.isEmpty() && form.CurrentCall != call)
        return QStringLiteral("CurrentCall is not the call in the box");
    if (form.Text2.selStart() != call.size())
        return QStringLiteral("the caret is not at the end of the call");

    // Likewise the band box keeps its text without invisible characters.
    const Expected expected = expectedMark(log, call, options.multiband, form.Combo1.text());
    if (form.Text2.foreColor() != expected.mark &&
        !(call.isEmpty() && form.Text2.foreColor() == vbWindowText))
        return QStringLiteral("mark %1, expected %2")
            .arg(quint32(form.Text2.foreColor()), 0, 16)
            .arg(quint32(expected.mark), 0, 16);
    if (form.CallPosition != expected.callPosition)
        return QStringLiteral("CallPosition %1, expected %2")
            .arg(form.CallPosition)
            .arg(expected.callPosition);
    return {};
}
