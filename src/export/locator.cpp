#include "export/locator.h"

#include <QByteArray>
#include <QString>
#include <cmath>
#include <hamlib/rotator.h>

namespace {

// ASCII only: QChar::toUpper would let a dotless i pass for an I.
bool inRange(QChar c, char16_t first, char16_t last)
{
    char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        u -= u'a' - u'A';
    return u >= first && u <= last;
}

struct LongLat
{
    double longitude = 0;
    double latitude = 0;
};

std::optional<LongLat> centreOf(QStringView locator)
{
    if (!isValidLocator(locator))
        return std::nullopt;
    LongLat centre;
    const QByteArray text = locator.toString().toUpper().toLatin1();
    if (locator2longlat(&centre.longitude, &centre.latitude, text.constData()) != RIG_OK)
        return std::nullopt;
    return centre;
}

} // namespace

bool isValidLocator(QStringView l)
{
    if (l.size() != 4 && l.size() != 6)
        return false;
    const bool field = inRange(l[0], u'A', u'R') && inRange(l[1], u'A', u'R');
    const bool square = inRange(l[2], u'0', u'9') && inRange(l[3], u'0', u'9');
    const bool subsquare =
        l.size() == 4 || (inRange(l[4], u'A', u'X') && inRange(l[5], u'A', u'X'));
    return field && square && subsquare;
}

std::optional<double> distanceKm(QStringView from, QStringView to)
{
    // Hamlib traces every call on standard error unless told not to.
    static const bool quiet = [] {
        rig_set_debug(RIG_DEBUG_NONE);
        return true;
    }();
    Q_UNUSED(quiet);

    const auto a = centreOf(from);
    const auto b = centreOf(to);
    if (!a || !b)
        return std::nullopt;
    double km = 0;
    double azimuth = 0;
    if (qrb(a->longitude, a->latitude, b->longitude, b->latitude, &km, &azimuth) != RIG_OK)
        return std::nullopt;
    return km;
}

int qsoPoints(double km)
{
    return static_cast<int>(std::floor(km)) + 1;
}
