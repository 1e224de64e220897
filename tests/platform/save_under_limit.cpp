// Saves a file of the given size through the program's file layer and says what happened:
// "saved", or "failed: " and the reason. Run by the tests under limits the test process itself
// should not live with (ulimit -f).
#include "platform/file_io.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    ignoreFileSizeSignal();
    const DiskFileService files;
    const QByteArray bytes(std::atoll(argv[2]), 'x');
    const FileResult<WrittenFile> written =
        replaceFile(files, QString::fromLocal8Bit(argv[1]), {bytes});
    if (written)
        std::puts("saved");
    else
        std::printf("failed: %s\n", qPrintable(written.error().reason));
    return 0;
}
