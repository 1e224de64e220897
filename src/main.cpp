#include "file_service.h"
#include "form15.h"
#include "form15_view.h"
#include "log_directory_lock.h"
#include "operator_messages.h"
#include "qt_message_service.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    QApplication app(argc, argv);
    // The name of the program; the log's data directory, ~/.local/share/vandrel, is LogDirectory's.
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANDREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vandrel"));

    SystemClock clock;
    QtMessageService messages;
    LogDirectory directory = LogDirectory::forThisProgram();
    DiskFileService files;
    // Held until the program ends: one Vandrel at a time writes the log and its recovery file.
    directory.prepareForWriting();
    LogDirectoryLock lock(directory.path());
    const bool ownsLog = lock.tryLock();
    if (!ownsLog &&
        !goOnWithLogInUse(messages, directory.path(), lock.holder().value_or(LockHolder{})))
        return 0;
    Form15 form({clock, messages, directory, files});
    form.watchJournalWriters(lock);
    if (!ownsLog)
        form.shareLogDirectory();
    form.Form_Load();

    Form15View view(form);
    messages.setParentWindow(&view);
    QApplication::setWindowIcon(view.windowIcon());
    view.show();
    return app.exec();
}
