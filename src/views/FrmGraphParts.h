#pragma once
// The picture boxes and the pager of the graph window.
//
// PicGraphBase (GraphCanvas) holds the drawing of the whole graph as one image;
// the Y bars, the plot and the time axis are child areas on top of it that carry
// their colours and take double-clicks. UDGraph (GraphPager) pages the window:
// left = earlier, right = later.

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

class QMouseEvent;
class QToolButton;
class QWheelEvent;

namespace quellin {

class GraphCanvas : public QWidget {
public:
    explicit GraphCanvas(QWidget* parent = nullptr);

    QColor BackColor;
    // The drawing, made by the graph window; shown as it is until the next one.
    QImage image;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class GraphPictureBox : public QWidget {
public:
    GraphPictureBox(QColor back, QColor fore, QWidget* parent = nullptr);

    QColor BackColor;
    QColor ForeColor;
    std::function<void()> onDoubleClick;
    // The mouse over the box (tracked once onMouseMove is set), a click, leaving it.
    std::function<void(QPoint)> onMouseMove;
    std::function<void(QPoint)> onClick;
    std::function<void()> onLeave;
    // Presses and releases of any button, moves with a button held, the wheel.
    std::function<void(QMouseEvent&)> onPress;
    std::function<void(QMouseEvent&)> onRelease;
    std::function<void(QMouseEvent&)> onDrag;
    std::function<void(QWheelEvent&)> onWheel;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

// The cursor over the plot: a vertical line, and beside it a box with the time
// and one line per series in the series' colour. Lets the mouse through.
class GraphCursorView : public QWidget {
public:
    explicit GraphCursorView(QWidget* parent = nullptr);

    struct Line {
        QString text;
        QColor colour;
    };
    // x in the view's pixels; the first line is the time.
    void showAt(int x, std::vector<Line> lines, const QColor& back);
    int cursorX() const { return x_; }
    // The box at the foot of the plot instead of its top (the second cursor's).
    bool boxAtFoot = false;
    const std::vector<Line>& lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int x_ = 0;
    std::vector<Line> lines_;
    QColor back_;
};

class GraphPager : public QWidget {
public:
    explicit GraphPager(QWidget* parent = nullptr);

    // −1 earlier, +1 later.
    std::function<void(int)> onStep;
    QToolButton* earlier() const { return earlier_; }
    QToolButton* later() const { return later_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* earlier_;
    QToolButton* later_;
};

} // namespace quellin
