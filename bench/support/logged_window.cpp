#include "logged_window.h"

#include "timing.h"

#include <sys/vfs.h>

namespace {

constexpr long tmpfsMagic = 0x01021994;
constexpr long ramfsMagic = 0x858458f6;
constexpr long ext4Magic = 0xef53;
constexpr long xfsMagic = 0x58465342;
constexpr long btrfsMagic = 0x9123683e;

} // namespace

LoggedWindow::LoggedWindow(int contacts, const QString &parent)
    : log(generateLog(contacts)), directory(parent + QStringLiteral("/vandrel-bench-XXXXXX")),
      services(directory.path()), window(services.all())
{
    stopUnless(directory.isValid(), "no folder for a window's log");
    window.form.Text1.setText(log.text);
    window.form.recoveryJournal().flush(); // not left to a timer among the timed adds
    drawNow(window.view);
}

QString diskKindOf(const QString &path)
{
    struct statfs info = {};
    stopUnless(::statfs(path.toLocal8Bit().constData(), &info) == 0, "no such folder");
    const long kind = long(info.f_type);
    stopUnless(kind != tmpfsMagic && kind != ramfsMagic,
               "the folder is held in memory, not on a disk");
    switch (kind) {
    case ext4Magic:
        return QStringLiteral("ext2/ext3");
    case xfsMagic:
        return QStringLiteral("xfs");
    case btrfsMagic:
        return QStringLiteral("btrfs");
    default:
        return QStringLiteral("0x%1").arg(kind, 0, 16);
    }
}
