#include "main_window/form15.h"
#include "main_window/form15_view.h"
#include "main_window/operator_messages.h"
#include "main_window/qt_message_service.h"
#include "main_window/station_session.h"
#include "platform/file_service.h"
#include "platform/log_directory_lock.h"
#include "station/station_command_line.h"
#include "version.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    ignoreFileSizeSignal();
    QApplication app(argc, argv);
    // The name of the program; the log's data directory, ~/.local/share/vandrel, is LogDirectory's.
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANDREL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vandrel"));
    // --station makes the window one position of a station; without it no network code runs.
    QString stationProblem;
    const std::optional<StationSettings> station =
        stationFromArguments(QApplication::arguments(), stationProblem);
    if (!stationProblem.isEmpty()) {
        std::fprintf(stderr, "vandrel: %s\n", qPrintable(stationProblem));
        return 2;
    }

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
    std::unique_ptr<StationSession> stationSession;
    if (station)
        stationSession = std::make_unique<StationSession>(
            form, *station, [&view](const QString &title) { view.setWindowTitle(title); });
    return app.exec();
}
