#pragma once

#include <QStringView>
#include <span>

// A band of the window's band list with the names each export format gives it.
struct Band
{
    QStringView windowText; // as the window writes it after "-->", e.g. "144 Mhz"
    QStringView adif;       // ADIF BAND, e.g. "2m"
    QStringView cabrillo;   // Cabrillo QSO frequency field, e.g. "144"
    QStringView edi;        // EDI PBand, e.g. "144 MHz"
};

std::span<const Band> bandList();

// The band a contact line names after "-->", exactly as the window writes it; nullptr otherwise.
const Band *bandFromWindowText(QStringView text);

// The band an operator names on the command line: the window's text in any case, or its number
// of megahertz alone ("144"); nullptr otherwise.
const Band *bandFromOption(QStringView text);
