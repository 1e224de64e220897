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

// Where the call field of one line (no line break in it) begins, read the plain way: digits,
// "-+-", a date up to the first "---", four characters of time, "---". -1 for any other line.
qsizetype callFieldOf(QStringView line)
{
    qsizetype p = 0;
    while (p < line.size() && isAsciiDigit(line[p]))
        ++p;
    if (p == 0 || !line.sliced(p).startsWith(sentNumberSeparator))
        return -1;
    const qsizetype dateStart = p + sentNumberSeparator.size();
    const qsizetype dateEnd = line.indexOf(fieldSeparator, dateStart);
    if (dateEnd <= dateStart)
        return -1;
    const qsizetype timeEnd = dateEnd + fieldSeparator.size() + 4;
    if (timeEnd > line.size() || !line.sliced(timeEnd).startsWith(fieldSeparator))
        return -1;
    return timeEnd + fieldSeparator.size();
}

struct Expected
{
    OleColor mark = vbButtonText;
    int callPosition = 0;
};

// The mark worked out line by line, the slow way: the lines whose call field is exactly the
// call, followed by the report and, after the received number, a "---".
Expected expectedMark(QStringView log, QStringView call, bool multiband, QStringView band)
{
    Expected expected;
    if (call.size() <= 3)
        return expected;
    const QString callAndReport = call.toString() + reportField.toString();
    bool first = true;
    bool onBand = false;
    qsizetype lineStart = 0;
    while (lineStart <= log.size()) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < log.size() && log[lineEnd] != u'\r' && log[lineEnd] != u'\n')
            ++lineEnd;
        const QStringView line = log.sliced(lineStart, lineEnd - lineStart);
        const qsizetype callStart = callFieldOf(line);
        if (callStart >= 0 && line.sliced(callStart).startsWith(callAndReport)) {
            const QStringView rest = line.sliced(callStart + callAndReport.size());
            const qsizetype locator = rest.indexOf(fieldSeparator);
            if (locator >= 0) {
                if (first)
                    expected.callPosition = int(lineStart + callStart + 1);
                first = false;
                const QStringView afterNumber = rest.sliced(locator + fieldSeparator.size());
                onBand = onBand || afterNumber.endsWith(bandSeparator.toString() + band.toString());
            }
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

    const QString &call = form.Text2.text();
    if (call != call.toUpper())
        return QStringLiteral("the call box is not in upper case");
    if (!options.call.isEmpty() && form.CurrentCall != call)
        return QStringLiteral("CurrentCall is not the call in the box");
    if (form.Text2.selStart() != call.size())
        return QStringLiteral("the caret is not at the end of the call");

    const Expected expected = expectedMark(log, call, options.multiband, options.band);
    if (form.Text2.foreColor() != expected.mark &&
        !(options.call.isEmpty() && form.Text2.foreColor() == vbWindowText))
        return QStringLiteral("mark %1, expected %2")
            .arg(quint32(form.Text2.foreColor()), 0, 16)
            .arg(quint32(expected.mark), 0, 16);
    if (form.CallPosition != expected.callPosition)
        return QStringLiteral("CallPosition %1, expected %2")
            .arg(form.CallPosition)
            .arg(expected.callPosition);
    return {};
}
