#include "worked_before.h"

#include "contact_form.h"
#include "contact_line.h"
#include "logged_call_search.h"

namespace {

// The first three characters are not yet a call: a call that short is never marked.
constexpr qsizetype longestUnmarkedCall = 3;

// The mark for the call in `CurrentCall` by the contact lines `index` finds, with
// `CallPosition` of its first contact line.
OleColor loggedCallMark(ContactForm &form, const CallFieldIndex &index)
{
    LoggedCallSearch lines(index, form.CurrentCall);
    if (!lines.next()) {
        form.CallPosition = 0;
        return vbButtonText;
    }
    form.CallPosition = lines.callOffset() + 1;
    if (form.Check2.value() != 1)
        return vbRed;

    // Multiband: a duplicate only on a band the station was already worked on.
    const QString &band = form.Combo1.text();
    if (band != noBandText) {
        do {
            if (lines.carriesBand(band))
                return vbRed;
        } while (lines.next());
    }
    return vbBlue;
}

// The mark by the log text and, in a station, by the other positions' contacts too: red when
// either is red, else blue when either is blue. `CallPosition` stays a place in the log text.
OleColor loggedCallMark(ContactForm &form)
{
    const OleColor own = loggedCallMark(form, form.loggedCalls);
    if (own == vbRed || form.stationLog.textLength() == 0)
        return own;
    const qsizetype ownPosition = form.CallPosition;
    const OleColor station = loggedCallMark(form, form.stationCalls);
    form.CallPosition = ownPosition;
    return station == vbButtonText ? own : station;
}

} // namespace

void CheckWorkedBefore(ContactForm &form)
{
    form.CurrentCall = form.Text2.text();

    // Upper-casing changes the text, so the box's Change runs this check again, nested, for the
    // upper-cased call. That run takes the call into `CurrentCall` and leaves the mark and
    // `CallPosition` exactly as this run would; the log is then not searched a second time.
    const QString typed = form.CurrentCall;
    form.Text2.setText(typed.toUpper());
    const bool checkedNested = form.Text2.text() != typed && form.CurrentCall == form.Text2.text();
    form.CurrentCall = form.Text2.text();

    form.Text2.setSelStart(form.Text2.text().size());
    if (checkedNested)
        return;
    // The colour is set once, to the mark: each change of it repaints the box.
    form.Text2.setForeColor(form.Text2.text().size() <= longestUnmarkedCall ? vbButtonText
                                                                            : loggedCallMark(form));
}
