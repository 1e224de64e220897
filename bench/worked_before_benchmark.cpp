// How long one worked-before check takes on a generated 100,000-contact log: the median of many
// checks, next to one plain search of the call over the same text (the least any check costs).
//   build/bench/worked_before_benchmark [contacts]

#include "contact_form.h"
#include "log_generator.h"
#include "worked_before.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 301;

double medianMilliseconds(const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

QString markName(OleColor mark)
{
    switch (mark) {
    case vbRed:
        return QStringLiteral("red");
    case vbBlue:
        return QStringLiteral("blue");
    default:
        return QStringLiteral("neutral");
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int contacts = arguments.size() > 1 ? arguments[1].toInt() : 100000;
    const GeneratedLog log = generateLog(contacts);
    // The last contact's call, when it occurs in no earlier line, is found only at the end.
    const QString lastCall = log.calls.last();
    const bool lastCallOnlyAtEnd = log.calls.indexOf(lastCall) == log.calls.size() - 1;

    ContactForm form;
    form.Text1.setText(log.text);
    QTextStream out(stdout);
    out << "log: " << contacts << " contacts, " << log.text.size() << " characters; median of "
        << runs << " runs\n";

    volatile qsizetype sink = 0;
    const QStringView text = form.Text1.text();
    const QString absent = absentCall();
    out << QStringLiteral("%1 ms  floor: one QStringView::indexOf of an absent call\n")
               .arg(medianMilliseconds([&] { sink = sink + text.indexOf(absent); }), 7, 'f', 3);

    struct Case
    {
        QString label;
        QString call;
        bool multiband;
        QString band;
    };
    const QList<Case> cases = {
        {QStringLiteral("absent call"), absent, false, QStringLiteral("...")},
        {QStringLiteral("present call, its line at the end"), lastCall, false,
         QStringLiteral("...")},
        {QStringLiteral("present call, multiband, band not worked"), lastCall, true,
         QStringLiteral("no such band")},
        {QStringLiteral("call prefix of many calls (Q1AB)"), QStringLiteral("Q1AB"), false,
         QStringLiteral("...")},
    };
    for (const Case &c : cases) {
        if (form.Check2.value() != (c.multiband ? 1 : 0))
            form.Check2.click();
        form.Combo1.setText(c.band);
        form.Text2.setText(c.call);
        const double ms = medianMilliseconds([&] { CheckWorkedBefore(form); });
        out << QStringLiteral("%1 ms  CheckWorkedBefore: %2 -> %3, CallPosition %4\n")
                   .arg(ms, 7, 'f', 3)
                   .arg(c.label, markName(form.Text2.foreColor()))
                   .arg(form.CallPosition);
    }
    if (!lastCallOnlyAtEnd)
        out << "(the last call also occurs earlier in this log)\n";
    return 0;
}
