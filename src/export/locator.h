#pragma once

#include <QStringView>
#include <optional>

// A Maidenhead locator of 4 or 6 characters (field A-R, square 0-9, subsquare A-X), in any case.
bool isValidLocator(QStringView locator);

// The distance in kilometres between the centres of two locators' squares (or subsquares): a
// great circle on a sphere of 111.2 km per degree, as VHF contest rules reckon it. Nothing when
// either locator is not valid.
std::optional<double> distanceKm(QStringView from, QStringView to);

// The points of a contact at `km`: whole kilometres plus one, so a contact inside one's own
// square scores 1.
int qsoPoints(double km);
