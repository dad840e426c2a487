#include "views/FrmGraphParts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace quellin {

GraphCanvas::GraphCanvas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (image.isNull())
        p.fillRect(rect(), BackColor);
    else
        p.drawImage(QPoint(0, 0), image);
}

GraphPictureBox::GraphPictureBox(QColor back, QColor fore, QWidget* parent)
    : QWidget(parent), BackColor(back), ForeColor(fore)
{
    // The drawing lies on the canvas underneath; this box only takes the mouse.
    setAttribute(Qt::WA_NoSystemBackground);
}

void GraphPictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (onDoubleClick)
        onDoubleClick();
}

GraphPager::GraphPager(QWidget* parent)
    : QWidget(parent), earlier_(new QToolButton(this)), later_(new QToolButton(this))
{
    earlier_->setArrowType(Qt::LeftArrow);
    later_->setArrowType(Qt::RightArrow);
    earlier_->setAutoRepeat(true);
    later_->setAutoRepeat(true);
    earlier_->setToolTip(QStringLiteral("前へ"));
    later_->setToolTip(QStringLiteral("次へ"));
    connect(earlier_, &QToolButton::clicked, this, [this] {
        if (onStep)
            onStep(-1);
    });
    connect(later_, &QToolButton::clicked, this, [this] {
        if (onStep)
            onStep(1);
    });
}

void GraphPager::resizeEvent(QResizeEvent*)
{
    // Two halves side by side, like the horizontal up-down control.
    const int half = width() / 2;
    earlier_->setGeometry(0, 0, half, height());
    later_->setGeometry(half, 0, width() - half, height());
}

} // namespace quellin
