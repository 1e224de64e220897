#include "main_window/program_icon.h"

#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <array>

namespace {

constexpr std::array sides = {16, 24, 32, 48};
constexpr int fewestColourBits = 8;

QString imageFile(int side)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const bool fewColours = screen && screen->depth() <= fewestColourBits;
    return QStringLiteral(":/icons/vandrel-%1%2.png")
        .arg(side)
        .arg(fewColours ? QStringLiteral("-256") : QString());
}

// The smallest image at least as large as `size`, or the largest there is.
int sideFor(const QSize &size)
{
    const int wanted = std::max(size.width(), size.height());
    for (int side : sides) {
        if (side >= wanted)
            return side;
    }
    return sides.back();
}

// Window icons are only ever drawn in the normal mode and state, so every mode and state is
// drawn with the same images.
class ProgramIconEngine : public QIconEngine
{
public:
    QIconEngine *clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("vandrel"); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : sides)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = sideFor(size);
        return QSize(side, side).boundedTo(size);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = sideFor(size);
        auto image = decoded_.find(side);
        if (image == decoded_.end())
            image = decoded_.insert(side, QPixmap(imageFile(side)));
        if (image->width() <= size.width() && image->height() <= size.height())
            return *image;
        return image->scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    QHash<int, QPixmap> decoded_;
};

} // namespace

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine);
}
