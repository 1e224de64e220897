#include "form15.h"
#include "form15_view.h"
#include "log_directory_lock.h"
#include "operator_messages.h"
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
    // Held until the program ends: one Vandrel at a time writes the log and its recovery file.
    LogDirectoryLock lock(directory.path());
    if (!lock.tryLock()) {
        if (const std::optional<LockHolder> holder = lock.holder();
            holder && !goOnWithLogInUse(messages, directory.path(), *holder))
            return 0;
    }
    Form15 form({clock, messages, directory, files});
    form.Form_Load();

    Form15View view(form);
    messages.setParentWindow(&view);
    QApplication::setWindowIcon(view.windowIcon());
    view.show();
    return app.exec();
}
