#pragma once

#include <QString>
#include <QStringView>

enum class ExportMode
{
    Ssb,
    Cw,
    Fm
};

// How each format writes a mode.
struct ModeNames
{
    QStringView edi;      // mode code of a QSO record
    QStringView cabrillo; // PH, CW or FM
    QStringView adif;     // MODE
};

constexpr ModeNames modeNames(ExportMode mode)
{
    switch (mode) {
    case ExportMode::Cw:
        return {u"2", u"CW", u"CW"};
    case ExportMode::Fm:
        return {u"6", u"FM", u"FM"};
    case ExportMode::Ssb:
        break;
    }
    return {u"1", u"PH", u"SSB"};
}

// What the log does not hold about the station: from the station file and the command line.
struct Station
{
    QString call;    // may be empty for ADIF
    QString locator; // own 6-character locator; empty when not given
    QString contest; // contest name, may be empty
    ExportMode mode = ExportMode::Ssb;
    QString producer; // the program and its version, named in the files it writes

    // The keys of the station file of the same names; empty when not given.
    QString section = QStringLiteral("SINGLE"); // the window is a one-operator logger
    QString name;
    QString address1;
    QString address2;
    QString postcode;
    QString city;
    QString country;
    QString email;
    QString phone;
    QString club;
    QString operators; // call signs separated by blanks
    QString power;     // watts
    QString antenna;
    QString antennaHeight; // metres above ground[;above sea level]
    QString txEquipment;
    QString rxEquipment;
    QString remarks;
};
