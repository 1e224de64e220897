#include "platform/free_memory.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Unused where the test is skipped (another allocator than glibc's).
[[maybe_unused]] qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const auto match = QRegularExpression(QStringLiteral("VmRSS:\\s*(\\d+) kB"))
                           .match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

class TestFreeMemory : public QObject
{
    Q_OBJECT

private slots:
    // Many blocks freed below one still in use, as "Open" leaves its temporaries: the C library
    // keeps them resident until they are handed back.
    void freedBlocksLeaveTheProcess()
    {
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
        QSKIP("only glibc's own allocator keeps freed blocks");
#else
        constexpr size_t blockSize = 32 * 1024;
        constexpr int blocks = 1024; // 32 MB
        std::vector<char *> held;
        for (int i = 0; i < blocks; ++i) {
            held.push_back(new char[blockSize]);
            std::memset(held.back(), i, blockSize);
        }
        // Every eighth block stays, so that the freed ones lie between blocks in use: 28 MB.
        for (int i = 0; i < blocks; ++i) {
            if (i % 8 != 7)
                delete[] std::exchange(held[i], nullptr);
        }
        const qint64 before = residentKilobytes();

        returnFreedMemory();

        const qint64 after = residentKilobytes();
        for (char *block : held)
            delete[] block;
        QVERIFY2(before - after > 20 * 1024,
                 qPrintable(QStringLiteral("%1 kB before, %2 kB after").arg(before).arg(after)));
#endif
    }
};

QTEST_APPLESS_MAIN(TestFreeMemory)
#include "tst_free_memory.moc"
