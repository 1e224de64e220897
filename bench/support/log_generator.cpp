#include "log_generator.h"

#include "contact_line/contact_line.h"

#include <QStringList>
#include <random>

using namespace Qt::StringLiterals;

namespace {

const QStringList prefixes = {u"Q1"_s, u"DL"_s, u"I2"_s, u"OK1"_s, u"S5"_s, u"9A"_s, u"HA"_s,
                              u"OE"_s, u"F"_s,  u"G"_s,  u"SP"_s,  u"YU"_s, u"OM"_s, u"IK"_s,
                              u"EA"_s, u"ON"_s, u"PA"_s, u"LZ"_s,  u"YO"_s, u"HB9"_s};
const QStringList suffixes = {u""_s, u""_s,   u""_s,   u""_s,    u""_s,
                              u""_s, u"/P"_s, u"/M"_s, u"/QRP"_s};
const QStringList bands = {u"7 Mhz"_s,  u"14 Mhz"_s,  u"21 Mhz"_s,  u"28 Mhz"_s,
                           u"50 Mhz"_s, u"144 Mhz"_s, u"432 Mhz"_s, u"1296 Mhz"_s};

QChar letter(std::mt19937 &random, char first, char last)
{
    return QChar(char16_t(std::uniform_int_distribution<int>(first, last)(random)));
}

QString call(std::mt19937 &random)
{
    QString text =
        prefixes[std::uniform_int_distribution<int>(0, int(prefixes.size()) - 1)(random)];
    text += QChar(u'0' + std::uniform_int_distribution<int>(0, 9)(random));
    const int letters = std::uniform_int_distribution<int>(2, 3)(random);
    for (int i = 0; i < letters; ++i)
        text += letter(random, 'A', 'Z');
    return text + suffixes[std::uniform_int_distribution<int>(0, int(suffixes.size()) - 1)(random)];
}

QString locator(std::mt19937 &random)
{
    QString text;
    text += letter(random, 'A', 'R');
    text += letter(random, 'A', 'R');
    text += letter(random, '0', '9');
    text += letter(random, '0', '9');
    text += letter(random, 'A', 'X');
    text += letter(random, 'A', 'X');
    return text;
}

} // namespace

GeneratedLog generateLog(int contacts, bool withBands)
{
    std::mt19937 random(20160716); // a fixed start, so every run measures the same log
    GeneratedLog log;
    log.text.reserve(qsizetype(contacts) * 72);
    log.calls.reserve(contacts);
    for (int i = 1; i <= contacts; ++i) {
        const QString sent = QString::number(std::min(i, 999)).rightJustified(3, u'0');
        const int minutes = (i / 3) % 1440;
        const QString time = QStringLiteral("%1%2---")
                                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
        const QString theirCall = call(random);
        const QString received =
            QString::number(std::uniform_int_distribution<int>(1, 1500)(random))
                .rightJustified(3, u'0');
        const QString band =
            withBands ? bands[std::uniform_int_distribution<int>(0, int(bands.size()) - 1)(random)]
                      : noBandText.toString();
        const QString theirLocator = locator(random);
        log.text += composeContactLine({
            .sentNumber = sent,
            .date = u"16/07/2016",
            .time = time,
            .call = theirCall,
            .receivedNumber = received,
            .locator = theirLocator,
            .band = band,
        });
        log.calls.append(theirCall);
    }
    return log;
}

QString absentCall()
{
    // No generated call has a digit after its area digit.
    return QStringLiteral("Q9Z9Z");
}
