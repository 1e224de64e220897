#pragma once

#include <QString>
#include <QStringView>

// `text` without the characters no call, number, locator or band is made of, and that would
// change how a contact line reads without showing themselves: control characters (an escape
// sequence), format characters (direction overrides and marks, zero-width joiners) and the
// line and paragraph separators.
QString withoutInvisibleCharacters(QStringView text);
