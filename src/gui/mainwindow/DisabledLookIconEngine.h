#pragma once

#include <QIcon>
#include <QIconEngine>

// Draws an icon as it is, except disabled and not held down: then grey and faint. Icon themes differ in what they give
// for a disabled icon, and a symbolic one greyed by the style can look just like an enabled one; a button bar must show
// at a glance what can be used now.
class DisabledLookIconEngine : public QIconEngine
{
public:
    explicit DisabledLookIconEngine(const QIcon& source);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

    // The disabled look of a picture.
    static QPixmap faded(const QPixmap& picture);

private:
    QIcon m_source;
};
