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

class QToolButton;

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

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
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
