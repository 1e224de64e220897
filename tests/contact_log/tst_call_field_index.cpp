#include "contact_log/call_field_index.h"
#include "controls/text_box.h"

#include <QTest>
#include <random>

namespace {

bool isLetterDigitOrSlash(QChar c)
{
    return c.isLetter() || c.isDigit() || c == u'/';
}

// Every place a plain search of the text finds the call with no letter, digit or '/' directly
// before or after it.
QList<qsizetype> searchedOffsets(const QString &text, const QString &call)
{
    QList<qsizetype> offsets;
    for (qsizetype at = text.indexOf(call); at >= 0; at = text.indexOf(call, at + 1)) {
        const qsizetype end = at + call.size();
        if ((at == 0 || !isLetterDigitOrSlash(text[at - 1])) &&
            (end == text.size() || !isLetterDigitOrSlash(text[end])))
            offsets.append(at);
    }
    return offsets;
}

} // namespace

// The index kept through edits of the operator's, with the log text never read whole in
// between, answers as one built afresh from the same text and as a plain search of it, for
// ASCII calls, for calls whose last four characters are not ASCII or not letters, for a locator
// and for a time (digits alone, which the index does not file but looks for in the whole text).
class TestCallFieldIndex : public QObject
{
    Q_OBJECT

private slots:
    void editsInPlaceAnswerAsAFreshIndex()
    {
        std::mt19937 random(1414);
        const auto below = [&random](qsizetype n) { return qsizetype(random() % quint64(n)); };
        const QStringList calls = {QStringLiteral("Q1ABC"),  QStringLiteral("Q1AB"),
                                   QStringLiteral("DL1XYZ"), QStringLiteral("OK1ŠČŘ"),
                                   QStringLiteral("OK2ŠČŘ"), QStringLiteral("Я1ЖЖЖ"),
                                   QStringLiteral("JN80XY"), QStringLiteral("1200"),
                                   QStringLiteral("DR2018"), QStringLiteral("Q1234567")};
        const auto contactLine = [&](QStringView lineEnd) {
            return QStringLiteral("08/12/26 1200---%1---59---001---59---002---JN80XY-->144 Mhz%2")
                .arg(calls[below(calls.size())], lineEnd);
        };
        const QStringList typed = {QStringLiteral("---59---"),
                                   QStringLiteral("---Q1AB"),
                                   QStringLiteral("C"),
                                   QStringLiteral("\r\n"),
                                   QStringLiteral("\n"),
                                   QStringLiteral("\r"),
                                   QStringLiteral(" "),
                                   QStringLiteral("/"),
                                   QStringLiteral("Ж"),
                                   QStringLiteral("2018"),
                                   QStringLiteral("DR"),
                                   QStringLiteral("1234567"),
                                   QString()};

        TextBox log(QStringLiteral("Text1"));
        log.setMultiLine(true);
        QString model;
        for (int i = 0; i < 40; ++i)
            model += contactLine(i % 7 == 3 ? u"\n" : u"\r\n");
        log.setText(model);
        CallFieldIndex kept(log);

        qsizetype last = model.size() / 2;
        for (int step = 0; step < 600; ++step) {
            if (below(10) == 0) {
                const QString added = contactLine(u"\r\n");
                log.appendText(added);
                model += added;
            } else {
                // Mostly where the operator typed last, now and then anywhere.
                const qsizetype near = std::clamp(last + below(17) - 8, qsizetype(0), model.size());
                const qsizetype at = below(5) == 0 ? below(model.size() + 1) : near;
                const qsizetype removed = below(std::min<qsizetype>(10, model.size() - at) + 1);
                const QString inserted =
                    below(4) == 0 ? contactLine(u"\r\n") : typed[below(typed.size())];
                log.replaceText(at, removed, inserted);
                model.replace(at, removed, inserted);
                last = at + inserted.size();
            }

            TextBox freshLog(QStringLiteral("Text1"));
            freshLog.setMultiLine(true);
            freshLog.setText(model);
            const CallFieldIndex fresh(freshLog);
            for (const QString &call : calls) {
                QCOMPARE(kept.callOffsets(call), fresh.callOffsets(call));
                QCOMPARE(kept.callOffsets(call), searchedOffsets(model, call));
            }
            QCOMPARE(log.textLength(), model.size());
        }
        QCOMPARE(log.text(), model);
    }
};

QTEST_APPLESS_MAIN(TestCallFieldIndex)
#include "tst_call_field_index.moc"
