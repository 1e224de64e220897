#include "form15.h"
#include "form15_view.h"
#include "qt_message_service.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The names give the user's data directory for the log: ~/.local/share/vandrel.
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANDREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vandrel"));

    SystemClock clock;
    QtMessageService messages;
    LogDirectory directory = LogDirectory::forThisProgram();
    DiskFileService files;
    Form15 form({clock, messages, directory, files});
    form.Form_Load();

    Form15View view(form);
    messages.setParentWindow(&view);
    QApplication::setWindowIcon(view.windowIcon());
    view.show();
    return app.exec();
}
