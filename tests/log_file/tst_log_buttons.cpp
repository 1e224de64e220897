#include "fake_services.h"
#include "main_window/form15.h"
#include "main_window/form15_view.h"

#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void addContact(Form15 &form, const QString &call, const QString &number, const QString &locator)
{
    form.Text2.setText(call);
    form.Text3.setText(number);
    form.Text4.setText(locator);
    form.Command1.click();
}

} // namespace

class TestLogButtons : public QObject
{
    Q_OBJECT

private slots:
    void saveThenOpenInAnotherWindowContinuesTheLog()
    {
        FakeServices fakes;
        Form15 first{fakes.services()};
        first.Form_Load();
        addContact(first, QStringLiteral("Q1ABC"), QStringLiteral("012"), QStringLiteral("JN80XY"));
        addContact(first, QStringLiteral("DL1XYZ"), QStringLiteral("007"),
                   QStringLiteral("JN58TD"));
        first.Command3.click();
        QCOMPARE(fakes.messages.lastPrompt(),
                 QStringLiteral("Log saved in ") + fakes.directory.path() + u"/vandrel.txt"_s);

        // The next start of the program: an empty window, then "Open".
        Form15 second{fakes.services()};
        second.Form_Load();
        Form15View view(second);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        second.Text2.setText(QStringLiteral("DL1XYZ")); // looked up in the empty log
        QCOMPARE(second.Text2.foreColor(), vbButtonText);
        second.Text2.setText({});
        second.Command2.click();
        QCOMPARE(second.Text1.text(), first.Text1.text());
        QCOMPARE(second.Frame1.caption(), QStringLiteral("003"));
        auto *log = qobject_cast<QPlainTextEdit *>(view.widgetFor(&second.Text1));
        QVERIFY(log);
        QCOMPARE(log->toPlainText(), QString(second.Text1.text()).replace(u"\r\n"_s, u"\n"_s));
        second.Text2.setText(QStringLiteral("DL1XYZ")); // and now in the opened one
        QCOMPARE(second.Text2.foreColor(), vbRed);
        second.Text2.setText({});

        addContact(second, QStringLiteral("OK1AB"), QStringLiteral("001"),
                   QStringLiteral("JO70AA"));
        QVERIFY(second.Text1.text().endsWith(
            QStringLiteral("003-+-16/07/2016---1345---OK1AB---59---001---JO70AA\r\n")));
    }
};

QTEST_MAIN(TestLogButtons)
#include "tst_log_buttons.moc"
