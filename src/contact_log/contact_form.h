#pragma once

#include "call_field_index.h"
#include "check_box.h"
#include "combo_box.h"
#include "file_io.h"
#include "frame.h"
#include "text_box.h"

#include <QString>
#include <optional>

// The part of the window a contact is made of: the controls the contact log reads and writes,
// and the form-level texts kept between contacts. The window derives from it; the contact log
// runs on it alone, with no window at all.
struct ContactForm
{
    ContactForm();

    TextBox Text1{QStringLiteral("Text1")};    // the log box: the log text
    TextBox Text2{QStringLiteral("Text2")};    // call box ("Call")
    TextBox Text3{QStringLiteral("Text3")};    // received number box ("Prog Numb")
    TextBox Text4{QStringLiteral("Text4")};    // locator box ("Locator")
    ComboBox Combo1{QStringLiteral("Combo1")}; // band list ("Band"), "..." for none
    CheckBox Check1{QStringLiteral("Check1")}; // "gmt+1": the clock runs an hour ahead of UTC
    CheckBox Check2{QStringLiteral("Check2")}; // "Multiband": a call once on each band
    CheckBox Check3{QStringLiteral("Check3")}; // "HF": no locator
    Frame Frame1{QStringLiteral("Frame1")};    // around the entry; its caption is the sent number

    QString NextNumber;
    QString DateText;
    QString HourText;
    QString MinuteText;
    QString TimeText;
    QString CurrentCall;
    qsizetype CallPosition = 0;

    // The log file as this window last read or wrote it: "Save" replaces any other only once it
    // has kept aside the lines of it that the log lacks.
    std::optional<FileStamp> logFileSeen;

    // Where the contact lines of the log text hold their calls, for the worked-before check.
    CallFieldIndex loggedCalls{Text1};

    // The contact lines of the station's other positions, CR LF each, when this window is one
    // position of a station: never shown, never saved, checked by the same worked-before rule
    // as the log text. Empty for a window on its own.
    TextBox stationLog{QStringLiteral("stationLog")};
    CallFieldIndex stationCalls{stationLog};
};
