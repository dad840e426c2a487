#include "views/FrmGraphParts.h"

#include "platform/Tx.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>

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

void GraphPictureBox::mouseMoveEvent(QMouseEvent* event)
{
    if (onDrag && event->buttons() != Qt::NoButton)
        onDrag(*event);
    if (onMouseMove)
        onMouseMove(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void GraphPictureBox::mousePressEvent(QMouseEvent* event)
{
    if (onPress)
        onPress(*event);
    if (onClick && event->button() == Qt::LeftButton)
        onClick(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void GraphPictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (onRelease)
        onRelease(*event);
    QWidget::mouseReleaseEvent(event);
}

void GraphPictureBox::wheelEvent(QWheelEvent* event)
{
    if (!onWheel) {
        QWidget::wheelEvent(event);
        return;
    }
    event->accept();
    onWheel(*event);
}

void GraphPictureBox::leaveEvent(QEvent* event)
{
    if (onLeave)
        onLeave();
    QWidget::leaveEvent(event);
}

GraphCursorView::GraphCursorView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void GraphCursorView::showAt(int x, std::vector<Line> lines, const QColor& back)
{
    x_ = x;
    lines_ = std::move(lines);
    back_ = back;
    show();
    raise();
    update();
}

void GraphCursorView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool lightPlot = back_.lightness() > 128;
    const QColor ink = lightPlot ? QColor(0, 0, 0) : QColor(255, 255, 255);
    p.setPen(QPen(ink, 1, Qt::SolidLine));
    p.drawLine(x_, 0, x_, height() - 1);
    if (lines_.empty())
        return;
    // The box beside the line, on whichever side has room, kept inside the plot.
    const QFontMetrics fm(font());
    int boxWidth = 0;
    for (const Line& l : lines_)
        boxWidth = std::max(boxWidth, fm.horizontalAdvance(l.text));
    boxWidth += 12;
    const int lineHeight = fm.height();
    const int boxHeight = lineHeight * static_cast<int>(lines_.size()) + 8;
    int left = x_ + 8;
    if (left + boxWidth > width())
        left = std::max(0, x_ - 8 - boxWidth);
    const int shownHeight = std::min(boxHeight, height() - 8);
    const QRect box(left, boxAtFoot ? height() - 4 - shownHeight : 4, boxWidth, shownHeight);
    QColor fill = back_;
    fill.setAlpha(220);
    p.fillRect(box, fill);
    p.setPen(QPen(ink, 1));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    int y = box.top() + 4 + fm.ascent();
    for (const Line& l : lines_) {
        p.setPen(l.colour.isValid() ? l.colour : ink);
        p.drawText(box.left() + 6, y, l.text);
        y += lineHeight;
    }
}

GraphPager::GraphPager(QWidget* parent)
    : QWidget(parent), earlier_(new QToolButton(this)), later_(new QToolButton(this))
{
    earlier_->setArrowType(Qt::LeftArrow);
    later_->setArrowType(Qt::RightArrow);
    earlier_->setAutoRepeat(true);
    later_->setAutoRepeat(true);
    earlier_->setToolTip(TX("前へ"));
    later_->setToolTip(TX("次へ"));
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
