// A Qt plugin that the start-up benchmark loads into a program it starts, through Qt's own
// QT_QPA_GENERIC_PLUGINS, so that no program needs an option of its own for being timed: once
// the first top-level window has been exposed and painted, it writes "shown" to the standard
// output and ends the event loop (without closing the window, which might ask first).

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

class ShownMarker : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !reported_) {
            const auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isTopLevel() && window->isExposed()) {
                reported_ = true;
                // The window paints itself while it handles this event; report after that.
                QTimer::singleShot(0, this, [] {
                    std::fputs("shown\n", stdout);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

} // namespace

class ShownMarkerPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "shown_marker.json")

public:
    QObject *create(const QString &, const QString &) override
    {
        auto *marker = new ShownMarker;
        QCoreApplication::instance()->installEventFilter(marker);
        return marker;
    }
};

#include "shown_marker.moc"
