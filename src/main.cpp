#include "form15.h"
#include "form15_view.h"
#include "qt_message_service.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vandrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANDREL_VERSION));

    SystemClock clock;
    QtMessageService messages;
    ApplicationDirectory directory;
    DiskFileService files;
    Form15 form({clock, messages, directory, files});
    form.Form_Load();

    Form15View view(form);
    messages.setParentWindow(&view);
    QApplication::setWindowIcon(view.windowIcon());
    view.show();
    return app.exec();
}
