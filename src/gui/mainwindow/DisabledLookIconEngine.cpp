#include "gui/mainwindow/DisabledLookIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

// Enough of the picture stays to recognise it, little enough to read as "not now".
constexpr int kDisabledOpacityPercent = 35;

} // namespace

DisabledLookIconEngine::DisabledLookIconEngine(const QIcon& source)
    : m_source(source)
{}

void DisabledLookIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, painter->device()->devicePixelRatioF()));
}

QPixmap DisabledLookIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap DisabledLookIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    if (mode != QIcon::Disabled)
        return m_source.pixmap(size, scale, mode, state);
    // A button held down while disabled shows what is going on (recording): its picture stays whole.
    const QPixmap picture = m_source.pixmap(size, scale, QIcon::Normal, state);
    return state == QIcon::On ? picture : faded(picture);
}

QSize DisabledLookIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return m_source.actualSize(size, mode, state);
}

QList<QSize> DisabledLookIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return m_source.availableSizes(mode, state);
}

QIconEngine* DisabledLookIconEngine::clone() const
{
    return new DisabledLookIconEngine(m_source);
}

QString DisabledLookIconEngine::key() const
{
    return QStringLiteral("DisabledLookIconEngine");
}

bool DisabledLookIconEngine::isNull()
{
    return m_source.isNull();
}

QPixmap DisabledLookIconEngine::faded(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * kDisabledOpacityPercent / 100);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    return result;
}
