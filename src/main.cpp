#include "form15.h"
#include "form15_view.h"
#include "log_directory_lock.h"
#include "operator_messages.h"
#include "qt_message_service.h"
#include "version.h"

#include <QApplication>
#include <future>

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
    // Held until the program ends: one Vandrel at a time writes the log and its recovery file.
    directory.prepareForWriting();
    LogDirectoryLock lock(directory.path());
    // Taking the lock waits for its file to reach the disk; the window is made meanwhile. Nothing
    // is read or written in the log's directory until the lock has been taken or refused.
    std::future<bool> locked = std::async(std::launch::async, [&lock] { return lock.tryLock(); });
    Form15 form({clock, messages, directory, files});
    Form15View view(form);
    bool otherVandrel = false;
    if (!locked.get()) {
        const std::optional<LockHolder> holder = lock.holder();
        if (holder && !goOnWithLogInUse(messages, directory.path(), *holder))
            return 0;
        otherVandrel = holder.has_value();
    }
    if (otherVandrel)
        form.shareLogDirectory();
    form.Form_Load();

    messages.setParentWindow(&view);
    QApplication::setWindowIcon(view.windowIcon());
    view.show();
    return app.exec();
}
