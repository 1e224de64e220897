#pragma once

#include "call_field_index.h"
#include "check_box.h"
#include "combo_box.h"
#include "frame.h"
#include "text_box.h"

#include <QString>

// The part of the window a contact is made of: the controls the contact log reads and writes,
// and the form-level texts kept between contacts. The window derives from it; the contact log
// runs on it alone, with no window at all.
struct ContactForm
{
    ContactForm();

    TextBox Text1{QStringLiteral("Text1")};    // the log text
    TextBox Text2{QStringLiteral("Text2")};    // call
    TextBox Text3{QStringLiteral("Text3")};    // received number
    TextBox Text4{QStringLiteral("Text4")};    // locator
    ComboBox Combo1{QStringLiteral("Combo1")}; // band, "..." for none
    CheckBox Check1{QStringLiteral("Check1")}; // gmt+1
    CheckBox Check2{QStringLiteral("Check2")}; // Multiband
    CheckBox Check3{QStringLiteral("Check3")}; // HF
    Frame Frame1{QStringLiteral("Frame1")};    // its caption is the sent number

    QString NextNumber;
    QString DateText;
    QString HourText;
    QString MinuteText;
    QString TimeText;
    QString CurrentCall;
    int CallPosition = 0;

    // Where the contact lines of the log text hold their calls, for the worked-before check.
    CallFieldIndex loggedCalls{Text1};
};
