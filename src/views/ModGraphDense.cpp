#include "views/ModGraphDense.h"
#include "views/ModGraphWalk.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <climits>
#include <cmath>

namespace quellin {

namespace {

// As the sparse painter: values may lie far outside the plot.
constexpr double kFarOutsidePixels = 1.0e5;

// The run of the pixel column the curve is in, and where it left it.
class ColumnRuns {
public:
    explicit ColumnRuns(std::vector<QLine>& spans) : spans_(spans) {}
    ~ColumnRuns() { close(); }
    ColumnRuns(const ColumnRuns&) = delete;
    ColumnRuns& operator=(const ColumnRuns&) = delete;

    void add(int column, double y) { add(column, y, y, y); }
    // Points of one column between lo and hi, the last of them at last.
    void add(int column, double lo, double hi, double last)
    {
        if (open_ && column == column_) {
            lo_ = std::min(lo_, lo);
            hi_ = std::max(hi_, hi);
        } else if (open_ && column == column_ + 1) {
            // On into the next column: its run starts where the curve left this one.
            close();
            open_ = true;
            column_ = column;
            lo_ = std::min(last_, lo);
            hi_ = std::max(last_, hi);
        } else {
            close();
            open_ = true;
            column_ = column;
            lo_ = lo;
            hi_ = hi;
        }
        last_ = last;
    }
    void close()
    {
        if (open_)
            spans_.emplace_back(column_, static_cast<int>(std::floor(lo_)), column_,
                                static_cast<int>(std::floor(hi_)));
        open_ = false;
    }

private:
    std::vector<QLine>& spans_;
    bool open_ = false;
    int column_ = INT_MIN;
    double lo_ = 0, hi_ = 0, last_ = 0;
};

// The runs written straight into an image the painter draws on untransformed:
// thousands of one-pixel-wide runs cost the rasteriser far more than the pixels
// themselves. False (nothing written) for any other device.
bool writeSpans(QPainter& p, const std::vector<QLine>& spans, const QColor& colour, int every)
{
    QPaintDevice* device = p.device();
    if (!device || device->devType() != QInternal::Image || !p.deviceTransform().isIdentity() ||
        colour.alpha() != 255 || p.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    auto* image = static_cast<QImage*>(device);
    if (image->format() != QImage::Format_ARGB32_Premultiplied &&
        image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32)
        return false;
    QRect clip = image->rect();
    if (p.hasClipping()) {
        const QRegion region = p.clipRegion();
        if (region.rectCount() != 1)
            return false;
        clip &= region.boundingRect();
    }
    const QRgb pixel = colour.rgb(); // opaque: premultiplied or not, the same
    uchar* bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    for (const QLine& span : spans) {
        const int x = span.x1();
        if (x < clip.left() || x > clip.right())
            continue;
        const int y1 = std::max(std::min(span.y1(), span.y2()), clip.top());
        const int y2 = std::min(std::max(span.y1(), span.y2()), clip.bottom());
        // Broken runs keep to the same rows in every column: a light hatch
        // rather than noise.
        for (int y = y1 + (every - y1 % every) % every; y <= y2; y += every)
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = pixel;
    }
    return true;
}

} // namespace

bool isDenseCurve(int points, int plotPixels)
{
    return plotPixels > 0 && points >= 2 * plotPixels;
}

DenseCurve denseCurve(const long long* ts, const double* ys, int n, double dx, long long interval,
                      double limitX, const QRect& plot, double twipsPerPixel)
{
    DenseCurve out;
    if (n < 2 || interval < 1 || !(dx > 0) || !(twipsPerPixel > 0))
        return out;
    const double perTwip = 1.0 / twipsPerPixel;
    // A position names a pixel; its centre is half a pixel in (as the sparse painter).
    const double left = plot.left() + 0.5;
    const double top = plot.top() + 0.5;
    const auto px = [&](double x) { return left + x * perTwip; };
    const auto py = [&](double y) {
        return top + std::clamp(y * perTwip, -kFarOutsidePixels, kFarOutsidePixels);
    };
    // floor for the positions of a plot (never far from it).
    const auto column = [](double x) {
        const int i = static_cast<int>(x);
        return i - (x < i ? 1 : 0);
    };
    out.spans.reserve(static_cast<size_t>(std::max(plot.width(), 0)) + 8);
    ColumnRuns runs(out.spans);

    // One segment of the walk as it draws it, for the steps around missing samples.
    const auto solid = [&](double x1, double y1, double x2, double y2) {
        const double ax = px(x1), bx = px(x2), ay = py(y1), by = py(y2);
        const int a = column(ax), b = column(bx);
        runs.add(a, ay);
        if (b - a > 1) {
            runs.close(); // across several columns: a line of its own
            out.lines.emplace_back(ax, ay, bx, by);
        }
        runs.add(b, by);
    };
    const auto dotted = [&](double x1, double y, double x2) {
        runs.close();
        const double ax = px(x1), bx = px(x2), ay = py(y);
        if (!out.dots.empty() && std::abs(out.dots.back().x2() - ax) * twipsPerPixel <= 1 &&
            out.dots.back().y2() == ay)
            out.dots.back().setP2(QPointF(bx, ay));
        else
            out.dots.emplace_back(ax, ay, bx, ay);
    };

    // The walk of ModGraphWalk.h, with its consecutive samples taken a pixel
    // column at a time: first point, then runs of samples without a gap.
    long long cursor = 0;
    double x = 0;
    if (ts[1] > 0) {
        const long long steps = (ts[1] + interval - 1) / interval;
        cursor = steps * interval;
        x = static_cast<double>(steps) * dx;
    }
    double xp = std::nearbyint(x);
    runs.add(column(px(xp)), py(ys[1]));
    int i = 2;
    while (i <= n && xp <= limitX) {
        // Samples i..j follow one another without a gap and start inside the plot.
        int j = i - 1;
        long long reached = cursor;
        const int last =
            i + static_cast<int>(std::min((limitX + 0.5 - x) / dx, static_cast<double>(n)));
        while (j < n && j < last && reached + interval >= ts[j + 1]) {
            reached += interval;
            ++j;
        }
        if (j >= i) {
            // Each point one sample position on (x summed as the walk sums it, so
            // that a point on a column's edge falls where the walk puts it); the
            // column's lowest and highest value taken over its points.
            int col = INT_MIN;
            double lo = 0, hi = 0, lastY = 0;
            for (int k = i; k <= j; ++k) {
                x += dx;
                const int c = column(px(x));
                const double y = ys[k];
                if (c != col) {
                    if (col != INT_MIN)
                        runs.add(col, py(lo), py(hi), py(lastY));
                    col = c;
                    lo = hi = y;
                } else {
                    lo = std::min(lo, y);
                    hi = std::max(hi, y);
                }
                lastY = y;
            }
            runs.add(col, py(lo), py(hi), py(lastY));
            cursor = reached;
            xp = std::nearbyint(x);
            i = j + 1;
            continue;
        }
        // Sample i comes after missing ones: the walk's dotted steps, then its step.
        x += dx;
        cursor += interval;
        if (graphwalk::breaksCurve(ts[i - 1], ts[i], interval)) {
            // The curve breaks over the gap and starts again at sample i.
            const long long skip = cursor < ts[i] ? (ts[i] - cursor + interval - 1) / interval : 0;
            x += static_cast<double>(skip) * dx;
            cursor += skip * interval;
            xp = std::nearbyint(x);
            if (xp > limitX)
                break;
            runs.close();
            runs.add(column(px(xp)), py(ys[i]));
            ++i;
            continue;
        }
        long long steps = (ts[i] - cursor + interval - 1) / interval;
        while (steps > 0 && xp <= limitX) {
            dotted(xp, ys[i - 1], x);
            xp = std::nearbyint(x);
            x += dx;
            cursor += interval;
            --steps;
        }
        if (steps > 0) {
            xp = std::nearbyint(x + static_cast<double>(steps - 1) * dx);
            x += static_cast<double>(steps) * dx;
            cursor += steps * interval;
        }
        if (xp > limitX)
            break;
        solid(xp, ys[i - 1], x, ys[i]);
        xp = std::nearbyint(x);
        ++i;
    }
    runs.close();
    return out;
}

void drawDenseCurve(QPainter& p, const DenseCurve& curve, const QColor& colour, bool dashed)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(colour, 1, dashed ? Qt::DotLine : Qt::SolidLine));
    if (!curve.spans.empty() && !writeSpans(p, curve.spans, colour, dashed ? 2 : 1))
        p.drawLines(curve.spans.data(), static_cast<int>(curve.spans.size()));
    p.setPen(QPen(colour, 1, dashed ? Qt::DashLine : Qt::SolidLine));
    if (!curve.lines.empty()) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawLines(curve.lines.data(), static_cast<int>(curve.lines.size()));
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (!curve.dots.empty()) {
        p.setPen(QPen(colour, 1, Qt::DotLine));
        for (const QLineF& d : curve.dots) {
            const double y = std::floor(d.y1());
            p.drawLine(QPointF(std::floor(d.x1()), y), QPointF(std::floor(d.x2()), y));
        }
    }
}

} // namespace quellin
