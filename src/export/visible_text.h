#pragma once

#include <QString>
#include <QStringView>

// `text` with every control character and every invisible formatting mark written out as an
// escape (\t, \n, \r, \e, \xHH, \u{HHHH}) and a backslash doubled, so that a line of a log
// shown on a terminal can neither move the cursor, change colours nor hide or reorder what
// follows it.
QString visibleText(QStringView text);
