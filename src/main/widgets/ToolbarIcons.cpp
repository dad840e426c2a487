#include "main/widgets/ToolbarIcons.h"

#include "main/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quellin {

namespace {

const QColor kInk(0x2b, 0x3a, 0x4a);
const QColor kPaper(0xfb, 0xfb, 0xf7);
const QColor kBlue(0x2f, 0x6f, 0xb8);
const QColor kGreen(0x2e, 0x9d, 0x4f);
const QColor kRed(0xd6, 0x3b, 0x2f);
const QColor kAmber(0xe8, 0xa3, 0x17);

void drawPage(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(kPaper);
    p.drawPath(path);
}

void drawPrinter(QPainter& p)
{
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(0xc9, 0xd1, 0xda));
    p.drawRoundedRect(QRectF(3, 15, 26, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(8, 22, 16, 8));
}

void drawArrow(QPainter& p, QPointF from, QPointF to, QColor c)
{
    p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF dir = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-dir.y(), dir.x());
    p.drawLine(to, to - dir * 6 + n * 5);
    p.drawLine(to, to - dir * 6 - n * 5);
}

void paint(QPainter& p, ToolImage image)
{
    switch (image) {
    case ToolImage::Load: // an open folder
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(kAmber.lighter(130));
        p.drawRect(QRectF(3, 9, 24, 18));
        p.setBrush(kAmber);
        p.drawPolygon(
            QPolygonF({QPointF(3, 27), QPointF(8, 14), QPointF(30, 14), QPointF(26, 27)}));
        drawArrow(p, QPointF(18, 12), QPointF(18, 3), kBlue);
        break;
    case ToolImage::Save: // a disk
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(QColor(0xdd, 0xe6, 0xf0));
        p.drawRect(QRectF(8, 17, 16, 11));
        break;
    case ToolImage::Download: // from the meter into a tray
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(QColor(0xc9, 0xd1, 0xda));
        p.drawPolygon(
            QPolygonF({QPointF(3, 20), QPointF(9, 20), QPointF(11, 24), QPointF(21, 24),
                       QPointF(23, 20), QPointF(29, 20), QPointF(29, 29), QPointF(3, 29)}));
        drawArrow(p, QPointF(16, 2), QPointF(16, 20), kGreen);
        break;
    case ToolImage::Clear: { // an eraser over a page
        drawPage(p, QRectF(5, 3, 18, 24));
        p.save();
        p.translate(19, 20);
        p.rotate(-40);
        p.setPen(QPen(kInk, 1.4));
        p.setBrush(QColor(0xf0, 0x8a, 0x9a));
        p.drawRoundedRect(QRectF(-9, -5, 18, 10), 2, 2);
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(-9, -5, 6, 10), 2, 2);
        p.restore();
        break;
    }
    case ToolImage::SpreadPrint: // a printer with a table
        drawPrinter(p);
        drawPage(p, QRectF(8, 2, 16, 15));
        p.setPen(QPen(kBlue, 1));
        for (int y = 6; y <= 14; y += 4)
            p.drawLine(QPointF(10, y), QPointF(22, y));
        p.drawLine(QPointF(14, 4), QPointF(14, 16));
        break;
    case ToolImage::GraphPrint: // a printer with a curve
        drawPrinter(p);
        drawPage(p, QRectF(8, 2, 16, 15));
        p.setPen(QPen(kRed, 1.6));
        p.drawPolyline(QPolygonF(
            {QPointF(10, 14), QPointF(13, 9), QPointF(16, 12), QPointF(19, 5), QPointF(22, 8)}));
        break;
    case ToolImage::KeisokuIdle: // a meter dial with a start triangle
    case ToolImage::KeisokuActive: {
        const bool active = image == ToolImage::KeisokuActive;
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(active ? kRed : kGreen);
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        if (active)
            p.drawRect(QRectF(11, 11, 10, 10));
        else
            p.drawPolygon(QPolygonF({QPointF(12, 9), QPointF(23, 16), QPointF(12, 23)}));
        break;
    }
    case ToolImage::LogingIdle: // a log sheet with a pen; red dot while recording
    case ToolImage::LogingActive: {
        const bool active = image == ToolImage::LogingActive;
        drawPage(p, QRectF(4, 3, 19, 25));
        p.setPen(QPen(kInk.lighter(160), 1.2));
        for (int y = 10; y <= 22; y += 4)
            p.drawLine(QPointF(7, y), QPointF(19, y));
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(active ? kRed : QColor(0xa0, 0xa8, 0xb0));
        p.drawEllipse(QRectF(18, 18, 11, 11));
        break;
    }
    case ToolImage::System: { // a serial connector
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(QColor(0xc9, 0xd1, 0xda));
        p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(29, 9), QPointF(26, 22), QPointF(6, 22)}));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(8 + i * 4, 13), 1.3, 1.3);
        for (int i = 0; i < 4; ++i)
            p.drawEllipse(QPointF(10 + i * 4, 18), 1.3, 1.3);
        p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 22), QPointF(16, 30));
        break;
    }
    case ToolImage::Help:
        p.setPen(QPen(kInk, 1.6));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(3, 3, 26, 26));
        p.setPen(Qt::white);
        {
            QFont f = p.font();
            f.setPixelSize(20);
            f.setBold(true);
            p.setFont(f);
        }
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
}

} // namespace

QIcon toolIcon(ToolImage image)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        paint(p, image);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace quellin

namespace quellin {

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    return icon;
}

} // namespace quellin
