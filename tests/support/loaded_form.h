#pragma once

#include "fake_services.h"
#include "main_window/form15.h"

// A loaded window with fake services and no widgets, driven through its controls as an
// operator would.
struct LoadedForm
{
    FakeServices fakes;
    Form15 form{fakes.services()};

    LoadedForm() { form.Form_Load(); }

    void enter(const QString &call, const QString &number, const QString &locator)
    {
        form.Text2.setText(call);
        form.Text3.setText(number);
        form.Text4.setText(locator);
    }
    void add() { form.Command1.click(); }
};
