#include "main/AppIcon.h"

#include <QPainter>
#include <QPolygonF>

namespace quellin {

QImage appIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0x2b, 0x3a, 0x4a), 1.2));
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    p.setPen(QPen(QColor(0x7c, 0xf2, 0x9a), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF(
        {QPointF(5, 21), QPointF(10, 14), QPointF(15, 18), QPointF(21, 8), QPointF(27, 12)}));
    p.setPen(QPen(QColor(0xd8, 0xe6, 0xf5), 1.2));
    p.drawLine(QPointF(5, 25.5), QPointF(27, 25.5));
    p.end();
    return image;
}

} // namespace quellin
