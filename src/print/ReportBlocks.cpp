#include "print/ReportBlocks.h"

#include "platform/Format.h"
#include "print/PrintPages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace quellin {

namespace {

constexpr double kCellPadPoints = 3;
constexpr double kBandGapPoints = 14;
const QColor kHeadFill(0xe4, 0xe4, 0xe4);
const QColor kBarColour(0x3b, 0x7d, 0xd8);
const QColor kMarkColour(0xe0, 0x4a, 0x3a);
const QColor kGridColour(0xb0, 0xb0, 0xb0);

// Digits after the point that a step of the axis needs.
int decimalsFor(double step)
{
    if (!(step > 0))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
}

QString decimalsPattern(int decimals)
{
    return decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, QLatin1Char('0'));
}

} // namespace

AxisSteps axisSteps(double lo, double hi)
{
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi <= lo)
        return {std::isfinite(lo) ? std::min(lo, 0.0) : 0.0, std::isfinite(lo) ? std::min(lo, 0.0) + 1 : 1, 0.2};
    // About five steps of 1, 2 or 5 times a power of ten, the top with a little air.
    const double raw = (hi - lo) / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * decade;
    for (const double m : {1.0, 2.0, 5.0})
        if (m * decade >= raw) {
            step = m * decade;
            break;
        }
    const double ymin = std::floor(lo / step) * step;
    double ymax = std::ceil(hi / step) * step;
    if (ymax - hi < step * 0.1)
        ymax += step;
    return {ymin, ymax, step};
}

double ReportTable::width() const
{
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

void fitReportTable(ReportTable& t, double maxWidth, bool labelled)
{
    // Measured finely, the widths then taken in points.
    constexpr double kMeasureDpi = 720;
    const QFontMetricsF plain(printFont(kReportTablePoints, kMeasureDpi, false));
    const QFontMetricsF bold(printFont(kReportTablePoints, kMeasureDpi, true));
    const auto points = [](double measured) { return measured * 72.0 / kMeasureDpi; };
    for (size_t c = 0; c < t.widths.size(); ++c) {
        const auto column = static_cast<qsizetype>(c);
        double need = column < t.titles.size() ? points(bold.horizontalAdvance(t.titles[column])) : 0;
        if (c == 0 && labelled)
            for (size_t r = 0; r < t.rows.size(); ++r)
                if (!t.rows[r].isEmpty())
                    need = std::max(need, points((r < t.marked.size() && t.marked[r] ? bold : plain)
                                                     .horizontalAdvance(t.rows[r].front())));
        const double room = std::max(0.0, maxWidth - t.width());
        t.widths[c] += std::clamp(need + 2 * kCellPadPoints - t.widths[c], 0.0, room);
    }
}

void paintReportTable(QPainter& p, const ReportUnits& u, const ReportTable& t, QPointF topLeft,
                      int first, int count, int bands, int rowsPerBand)
{
    const double rowH = u.pt(kReportRowPoints);
    const double pad = u.pt(kCellPadPoints);
    const double bandW = u.pt(t.width() + kBandGapPoints);
    const QFont plain = printFont(kReportTablePoints, u.dpi, false);
    const QFont bold = printFont(kReportTablePoints, u.dpi, true);
    p.save();
    for (int b = 0; b < bands; ++b) {
        const int from = first + b * rowsPerBand;
        const int rows = std::min(rowsPerBand, first + count - from);
        if (rows <= 0)
            break;
        const double left = topLeft.x() + b * bandW;
        const double width = u.pt(t.width());
        p.fillRect(QRectF(left, topLeft.y(), width, rowH), kHeadFill);
        p.setPen(Qt::black);
        p.setFont(bold);
        double x = left;
        for (int c = 0; c < t.titles.size(); ++c) {
            const double w = u.pt(t.widths[static_cast<size_t>(c)]);
            p.drawText(QRectF(x, topLeft.y(), w, rowH), Qt::AlignCenter, t.titles[c]);
            x += w;
        }
        for (int r = 0; r < rows; ++r) {
            const size_t row = static_cast<size_t>(from + r);
            const double y = topLeft.y() + rowH * (r + 1);
            p.setFont(row < t.marked.size() && t.marked[row] ? bold : plain);
            x = left;
            const QStringList& cells = t.rows[row];
            for (int c = 0; c < cells.size() && c < t.titles.size(); ++c) {
                const double w = u.pt(t.widths[static_cast<size_t>(c)]);
                const bool right = static_cast<size_t>(c) < t.right.size() && t.right[static_cast<size_t>(c)];
                p.drawText(QRectF(x + pad, y, w - 2 * pad, rowH),
                           Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft), cells[c]);
                x += w;
            }
        }
        // Rules between the rows, and a frame.
        p.setPen(QPen(kGridColour, u.pt(0.4)));
        for (int r = 2; r <= rows; ++r)
            p.drawLine(QPointF(left, topLeft.y() + rowH * r), QPointF(left + width, topLeft.y() + rowH * r));
        p.setPen(QPen(Qt::black, u.pt(0.6)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(left, topLeft.y(), width, rowH * (rows + 1)));
        p.drawLine(QPointF(left, topLeft.y() + rowH), QPointF(left + width, topLeft.y() + rowH));
    }
    p.restore();
}

void paintReportChart(QPainter& p, const ReportUnits& u, const ReportChart& chart, const QRectF& area)
{
    const QFont font = printFont(7, u.dpi, false);
    const QFontMetricsF fm(font, p.device());
    double lo = 0, hi = 0;
    for (const double v : chart.values) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    const AxisSteps axis = axisSteps(lo, hi);
    const double ymin = axis.ymin, ymax = axis.ymax, step = axis.step;
    const QString pattern = decimalsPattern(decimalsFor(step));

    // Room for the axis labels left and the bar labels below.
    const double labelW = fm.horizontalAdvance(Format(ymax, pattern)) + u.pt(4);
    const double textH = fm.height();
    const QRectF plot(area.left() + labelW, area.top() + 1.8 * textH, area.width() - labelW,
                      area.height() - 3.3 * textH);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const auto yOf = [&](double v) { return plot.bottom() - (v - ymin) / (ymax - ymin) * plot.height(); };

    p.save();
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), labelW + u.pt(40), textH), Qt::AlignLeft | Qt::AlignTop,
               chart.unit);
    p.setPen(QPen(kGridColour, u.pt(0.3)));
    const int steps = static_cast<int>(std::lround((ymax - ymin) / step));
    for (int k = 0; k <= steps; ++k) {
        const double v = ymin + k * step;
        const double y = yOf(v);
        p.setPen(QPen(kGridColour, u.pt(0.3)));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(area.left(), y - textH / 2, labelW - u.pt(2), textH), Qt::AlignRight | Qt::AlignVCenter,
                   Format(v, pattern));
    }

    const int n = static_cast<int>(chart.values.size());
    if (n > 0) {
        const double slot = plot.width() / n;
        // Bars with air between them while there is room, never broader than a thumb.
        const double bar = std::min(slot > u.pt(3) ? slot * 0.8 : slot, u.pt(36));
        const double zero = yOf(0);
        for (int i = 0; i < n; ++i) {
            const double y = yOf(chart.values[static_cast<size_t>(i)]);
            const QRectF r(plot.left() + i * slot + (slot - bar) / 2, std::min(y, zero), bar, std::abs(zero - y));
            p.fillRect(r, i == chart.marked ? kMarkColour : kBarColour);
        }
        // The marked bar drawn again on top, wide enough to be seen among many.
        if (chart.marked >= 0 && chart.marked < n) {
            const double y = yOf(chart.values[static_cast<size_t>(chart.marked)]);
            const double w = std::max(bar, u.pt(1.5));
            const double x = plot.left() + (chart.marked + 0.5) * slot;
            p.fillRect(QRectF(x - w / 2, std::min(y, zero), w, std::abs(zero - y)), kMarkColour);
            const double textW = fm.horizontalAdvance(chart.markText) + u.pt(4);
            const double tx = std::clamp(x - textW / 2, plot.left(), plot.right() - textW);
            p.setPen(kMarkColour);
            p.drawText(QRectF(tx, std::max(area.top(), y - textH * 1.1), textW, textH), Qt::AlignCenter,
                       chart.markText);
        }
        // As many labels as fit side by side, every k-th bar.
        double widest = 0;
        for (const QString& l : chart.labels)
            widest = std::max(widest, fm.horizontalAdvance(l));
        int every = std::max(1, static_cast<int>(std::ceil((widest + u.pt(6)) / slot)));
        const auto stride = std::lower_bound(chart.labelStrides.begin(), chart.labelStrides.end(), every);
        if (stride != chart.labelStrides.end())
            every = *stride;
        p.setPen(Qt::black);
        double taken = area.left() - 1;
        for (int i = 0; i < n && i < chart.labels.size(); i += every) {
            const double x = plot.left() + (i + 0.5) * slot;
            const double left = std::clamp(x - widest / 2, area.left(), area.right() - widest);
            if (left < taken) // pushed in at the right end onto the one before
                continue;
            taken = left + widest + u.pt(4);
            p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + u.pt(2)));
            p.drawText(QRectF(left, plot.bottom() + u.pt(2), widest, textH), Qt::AlignCenter, chart.labels[i]);
        }
    }
    p.setPen(QPen(Qt::black, u.pt(0.6)));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    p.restore();
}

} // namespace quellin
