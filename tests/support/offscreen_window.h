#pragma once

#include "fake_services.h"
#include "main_window/form15.h"
#include "main_window/form15_view.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

// The real window, shown offscreen, with fake services behind it; real message boxes instead of
// the fake ones when `messages` is given.
struct OffscreenWindow
{
    FakeServices fakes;
    Form15 form;
    Form15View view{form};

    explicit OffscreenWindow(MessageService *messages = nullptr)
        : form({fakes.clock, messages ? *messages : fakes.messages, fakes.directory, fakes.files})
    {
        form.Form_Load();
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    template <typename W> W *widget(Control &control)
    {
        return qobject_cast<W *>(view.widgetFor(&control));
    }
    QLineEdit *edit(TextBox &box) { return widget<QLineEdit>(box); }
    QPlainTextEdit *log() { return widget<QPlainTextEdit>(form.Text1); }
};
