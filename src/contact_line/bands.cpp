#include "contact_line/bands.h"

#include <array>

namespace {

constexpr std::array bands{
    Band{u"7 Mhz", u"40m", u"7000", u"7 MHz"},     Band{u"14 Mhz", u"20m", u"14000", u"14 MHz"},
    Band{u"21 Mhz", u"15m", u"21000", u"21 MHz"},  Band{u"28 Mhz", u"10m", u"28000", u"28 MHz"},
    Band{u"50 Mhz", u"6m", u"50", u"50 MHz"},      Band{u"144 Mhz", u"2m", u"144", u"144 MHz"},
    Band{u"432 Mhz", u"70cm", u"432", u"432 MHz"}, Band{u"1296 Mhz", u"23cm", u"1.2G", u"1,3 GHz"},
};

} // namespace

std::span<const Band> bandList()
{
    return bands;
}

const Band *bandFromWindowText(QStringView text)
{
    for (const Band &band : bands) {
        if (text == band.windowText)
            return &band;
    }
    return nullptr;
}

const Band *bandFromOption(QStringView text)
{
    const QStringView wanted = text.trimmed();
    for (const Band &band : bands) {
        const QStringView megahertz = band.windowText.first(band.windowText.indexOf(u' '));
        if (wanted.compare(band.windowText, Qt::CaseInsensitive) == 0 || wanted == megahertz)
            return &band;
    }
    return nullptr;
}
