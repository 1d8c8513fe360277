#include "common/Artwork.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

QPixmap SvgPixmap(const QString &resource, const QSize &size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QPixmap ButtonPicture(const QString &iconResource, const QString &word, bool lit,
                      qreal devicePixelRatio)
{
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    const QFontMetrics metrics(font);
    const int icon = 36;
    const int gap = 8;
    const int margin = 10;
    const QSize size(margin + icon + gap + metrics.horizontalAdvance(word) + margin,
                     qMax(icon, metrics.height()) + 2 * 8);

    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 10, 10);
    painter.fillPath(shape, lit ? QColor(0xff, 0xf6, 0xd8) : QColor(0xf4, 0xf4, 0xf2));
    painter.setPen(QPen(lit ? QColor(0xd9, 0x8c, 0x1f) : QColor(0xa8, 0xa8, 0xa4), lit ? 2 : 1));
    painter.drawPath(shape);

    // Read right to left: the icon first, on the right, then the word.
    const QRectF iconRect(size.width() - margin - icon, (size.height() - icon) / 2.0, icon, icon);
    QSvgRenderer(iconResource).render(&painter, iconRect);
    painter.setFont(font);
    painter.setPen(lit ? QColor(0x3a, 0x24, 0x00) : QColor(0x30, 0x30, 0x30));
    const QRectF textRect(margin, 0, size.width() - 2 * margin - icon - gap, size.height());
    painter.drawText(textRect, Qt::AlignCenter | Qt::AlignAbsolute, word);
    return pixmap;
}

QCursor PicturePointer()
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return QCursor(SvgPixmap(QStringLiteral(":/images/pointer.svg"), QSize(32, 32), ratio), 9, 2);
}
