// The painting half of ModGraph: DrawGraph and its helpers.

#include "views/ModGraphDraw.h"
#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "views/GraphColours.h"
#include "views/GraphZoom.h"
#include "views/ModGraphCurve.h"
#include "views/ModGraphDense.h"
#include "views/ModGraphWalk.h"

#include <QDataStream>
#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

// Text is set in cells of this height (twips); the glyphs sit in the middle, so a
// text printed at y − 80 stands level with a grid line at y.
constexpr double kTextCellTwips = 180;
constexpr double kFontTwips = 165;
constexpr int kSmallestFontPixels = 7;
constexpr double kTickX = 440;
constexpr double kTextGapTwips = 30;
constexpr double kLabelGapTwips = 90;
constexpr double kBarTextContrast = 4.5;
constexpr double kCurveContrast = 3.0;

long long scaleTwips(int pixels, double tpp)
{
    return std::llround(pixels * tpp);
}

QFont graphFont(double tpp)
{
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(std::max(7, static_cast<int>(std::lround(kFontTwips / tpp))));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Everything one drawing shares.
struct Pen {
    QPainter& p;
    double tpp;
    QRect baseRect;
    QFont font;
    QFontMetricsF fm;

    void clipTo(const GraphPicture& pic) { p.setClipRect(pic.rect.intersected(baseRect)); }

    // Prints text with the top of its cell at (x, y) twips of the picture.
    void print(const GraphPicture& pic, double x, double y, const QString& text,
               const QColor& colour)
    {
        const double cell = kTextCellTwips / tpp;
        const double baseline = pic.rect.y() + y / tpp + cell / 2 + fm.capHeight() / 2;
        p.setPen(colour);
        p.drawText(QPointF(pic.rect.x() + x / tpp, baseline), text);
    }
    double widthTwips(const QString& text) const { return fm.horizontalAdvance(text) * tpp; }

    // The same, in a smaller font when the text would run wider than maxWidth
    // twips (a long unit or a label of a far-off minimum), so it does not run into
    // its neighbour.
    void printWithin(const GraphPicture& pic, double x, double y, const QString& text,
                     const QColor& colour, double maxWidth)
    {
        const double width = widthTwips(text);
        if (width <= maxWidth || maxWidth <= 0) {
            print(pic, x, y, text, colour);
            return;
        }
        QFont small = font;
        small.setPixelSize(
            std::max(kSmallestFontPixels, static_cast<int>(font.pixelSize() * maxWidth / width)));
        p.setFont(small);
        const double cell = kTextCellTwips / tpp;
        const double baseline =
            pic.rect.y() + y / tpp + cell / 2 + QFontMetricsF(small, p.device()).capHeight() / 2;
        p.setPen(colour);
        p.drawText(QPointF(pic.rect.x() + x / tpp, baseline), text);
        p.setFont(font);
    }

    // Prints text turned a quarter to the left, reading upwards, centred in the
    // column of a stacked title at x that runs length twips down from y; set
    // smaller when it is longer than that.
    void printUpwards(const GraphPicture& pic, double x, double y, double length,
                      const QString& text, const QColor& colour)
    {
        QFont turned = font;
        const double width = widthTwips(text);
        if (width > length && length > 0)
            turned.setPixelSize(
                std::max(kSmallestFontPixels, static_cast<int>(font.pixelSize() * length / width)));
        const QFontMetricsF m(turned, p.device());
        const double centre = pic.rect.x() + (x + kFontTwips / 2) / tpp;
        const double foot = pic.rect.y() + (y + length) / tpp -
                            std::max(0.0, length / tpp - m.horizontalAdvance(text)) / 2;
        p.save();
        p.setFont(turned);
        p.setPen(colour);
        p.translate(centre + m.capHeight() / 2, foot);
        p.rotate(-90);
        p.drawText(QPointF(0, 0), text);
        p.restore();
    }
};

// The vertical grid lines (twips from the plot's left edge) and the labels of
// the time axis: the start, the lines' times, the end.
struct TimeMarks {
    std::vector<long long> lines;
    std::vector<QString> dates, clocks;
};

// The division of the window's sample positions the time axis always had, every label with its
// date and time.
TimeMarks slotMarks(const GraphScene& scene, long long plotW, GridDivision grid)
{
    TimeMarks marks;
    const long long w = plotW / (grid.lines + 1);
    std::vector<double> times{scene.start};
    const std::vector<double> gridTimes = gridLabelTimes(scene.start, scene.sampleInterval, grid);
    for (int d = 1; d <= grid.lines; ++d) {
        marks.lines.push_back(d * w);
        times.push_back(gridTimes[static_cast<size_t>(d - 1)]);
    }
    times.push_back(scene.end);
    for (const double t : times) {
        marks.dates.push_back(Format(t, QStringLiteral("yyyy/mm/dd")));
        marks.clocks.push_back(Format(t, QStringLiteral(" hh:mm:ss")));
    }
    return marks;
}

// A zoomed window: lines on whole steps of the clock, as many as the labels
// leave room for; the date only where it changes.
TimeMarks clockMarks(const GraphScene& scene, const Pen& pen, long long plotW)
{
    TimeMarks marks;
    const long long span = vbdate::secondsBetween(scene.start, scene.end);
    if (span <= 0)
        return marks;
    const double labelRoom = pen.widthTwips(QStringLiteral("0000/00/00")) * 1.5 + kLabelGapTwips;
    const int most = std::max(1, static_cast<int>(static_cast<double>(plotW) / labelRoom) - 1);
    const TimeAxisStep step = timeAxisStep(span, most);
    marks.dates.push_back(Format(scene.start, QStringLiteral("yyyy/mm/dd")));
    marks.clocks.push_back(Format(scene.start, QStringLiteral(" hh:mm:ss")));
    double previous = scene.start;
    for (const double t : timeAxisTicks(scene.start, scene.end, step)) {
        marks.lines.push_back(vbdate::secondsBetween(scene.start, t) * plotW / span);
        const TimeAxisLabel label = timeAxisLabel(t, previous, step);
        marks.dates.push_back(label.date);
        marks.clocks.push_back(label.clock);
        previous = t;
    }
    marks.dates.push_back(Format(scene.end, QStringLiteral("yyyy/mm/dd")));
    marks.clocks.push_back(Format(scene.end, QStringLiteral(" hh:mm:ss")));
    return marks;
}

TimeMarks timeMarks(const GraphScene& scene, const Pen& pen, GridDivision grid)
{
    const long long plotW = scaleTwips(scene.pictures.PicGraph.rect.width(), pen.tpp);
    return scene.clockAxis ? clockMarks(scene, pen, plotW) : slotMarks(scene, plotW, grid);
}

void drawTimeLabels(const GraphScene& scene, Pen& pen, const TimeMarks& marks)
{
    const GraphPictures& pics = scene.pictures;
    const GraphPicture& bar = pics.PicBottomBar;
    const long long barW = scaleTwips(bar.rect.width(), pen.tpp);
    const long long plotW = scaleTwips(pics.PicGraph.rect.width(), pen.tpp);
    const long long l0 = (barW - plotW) / 2;

    std::vector<double> want{static_cast<double>(l0 - 410)};
    for (const long long x : marks.lines)
        want.push_back(static_cast<double>(l0 + x - 390));
    want.push_back(static_cast<double>(l0 + plotW - 410));

    std::vector<double> widths;
    for (size_t i = 0; i < marks.dates.size(); ++i)
        widths.push_back(std::max(pen.widthTwips(marks.dates[i]), pen.widthTwips(marks.clocks[i])));
    // Only the part of the bar inside the frame can be seen.
    const QRect seen = bar.rect.intersected(pen.baseRect);
    const double seenLeft = (seen.left() - bar.rect.left()) * pen.tpp;
    const double seenRight = (seen.right() + 1 - bar.rect.left()) * pen.tpp;
    const auto placed = placeTimeLabels(want, widths, seenLeft, seenRight, kLabelGapTwips);
    pen.clipTo(bar);
    for (size_t i = 0; i < placed.size(); ++i) {
        if (!placed[i])
            continue;
        pen.print(bar, *placed[i], 3, marks.dates[i], bar.ForeColor);
        pen.print(bar, *placed[i], 200, marks.clocks[i], bar.ForeColor);
    }
}

void drawGrid(Pen& pen, const GraphPicture& plot, const TimeMarks& marks)
{
    const QColor colour = isWhite(plot.BackColor) ? qbColor(0) : qbColor(7);
    const long long height = scaleTwips(plot.rect.height(), pen.tpp);
    pen.clipTo(plot);
    pen.p.setRenderHint(QPainter::Antialiasing, false);
    pen.p.setPen(QPen(colour, 1, Qt::DotLine));
    const int top = plot.rect.top();
    const int bottom = plot.rect.bottom();
    for (const long long line : marks.lines) {
        const int x = plot.rect.left() + static_cast<int>(std::floor(line / pen.tpp));
        pen.p.drawLine(x, top, x, bottom);
    }
    const long long h = height / 10;
    for (int j = 1; j <= 9; ++j) {
        const int y = top + static_cast<int>(std::floor(j * h / pen.tpp));
        pen.p.drawLine(plot.rect.left(), y, plot.rect.right(), y);
    }
}

void drawBar(const GraphSeriesLook& look, Pen& pen, const GraphPicture& bar,
             const GraphPicture& plot, int s)
{
    pen.clipTo(bar);
    // Right and bottom edges, black.
    pen.p.fillRect(QRect(bar.rect.right(), bar.rect.top(), 1, bar.rect.height()), Qt::black);
    pen.p.fillRect(QRect(bar.rect.left(), bar.rect.bottom(), bar.rect.width(), 1), Qt::black);

    const QColor ink = readableColour(bar.ForeColor, bar.BackColor, kBarTextContrast);
    const long long barH = scaleTwips(bar.rect.height(), pen.tpp);
    const long long barW = scaleTwips(bar.rect.width(), pen.tpp);
    const long long plotH = scaleTwips(plot.rect.height(), pen.tpp);
    // A bar stacked with others covers a band of the plot's height.
    const long long offset = scaleTwips(bar.rect.top() - plot.rect.top(), pen.tpp);
    const QString& name = look.name;
    double y = 0;
    if (barTitleStacked(name)) {
        y = barTitleTop(static_cast<double>(barH), static_cast<double>(plotH),
                        static_cast<int>(name.size()));
        for (const QChar c : name) {
            pen.print(bar, 82, y, QString(c), ink);
            y += 220;
        }
    } else {
        const int lines = turnedTitleLines(pen.widthTwips(name), static_cast<double>(barH),
                                           static_cast<double>(plotH));
        y = barTitleTop(static_cast<double>(barH), static_cast<double>(plotH), lines);
        pen.printUpwards(bar, 82, y, lines * 220.0, name, ink);
        y += lines * 220.0;
    }
    const double tickX = tickLabelX(static_cast<double>(barW));
    pen.printWithin(bar, 7, y, QLatin1Char('(') + look.unit + QLatin1Char(')'), ink,
                    tickX - 7 - kTextGapTwips);

    const long long h = plotH / 10;
    const double room = static_cast<double>(barW) - tickX - kTextGapTwips;
    // Grid lines closer than a line of text: every second label, so that they
    // stay readable instead of running into each other.
    const int every = h < kTextCellTwips ? 2 : 1;
    for (int j = 1; j <= 9; j += every)
        if (tickInBar(j, static_cast<double>(h), static_cast<double>(offset),
                      static_cast<double>(barH)))
            pen.printWithin(bar, tickX, static_cast<double>(j * h - 80 - offset),
                            tickLabel(s, look.ymin, look.ymax, look.scale, j, look.fitted), ink,
                            room);
}

void drawCurve(const GraphScene& scene, Services& svc, Pen& pen, const QColor& colour, int s,
               const std::vector<long long>& seconds, long long slots)
{
    const GraphPicture& plot = scene.pictures.PicGraph;
    trapped(
        svc, "DrawGraph", false,
        [&] {
            const int n = scene.points;
            if (n < 2)
                return true;
            if (static_cast<size_t>(s) >= scene.values.size() ||
                scene.values[static_cast<size_t>(s)].size() <= static_cast<size_t>(n))
                throw VbError(ErrorNumber::Subscript,
                              TX("インデックスが有効範囲にありません。"));
            const SeriesAxis axis = scene.series[static_cast<size_t>(s)].axis;
            if (!std::isfinite(axis.ymin) || !std::isfinite(axis.ymax))
                throw VbError(ErrorNumber::Overflow, TX("オーバーフローしました。"));
            if (!(axis.ymax > axis.ymin))
                throw VbError(ErrorNumber::DivisionByZero, TX("0 で除算しました。"));
            const double width = static_cast<double>(scaleTwips(plot.rect.width(), pen.tpp));
            const double height = static_cast<double>(scaleTwips(plot.rect.height(), pen.tpp));
            const std::span<const double> values = scene.values[static_cast<size_t>(s)];
            std::vector<double> ys(static_cast<size_t>(n) + 1, 0.0);
            // valueToY(ChgValue(v)) for every point, with the limit of ChgValue taken
            // inline for ordinary numbers; anything else goes through ChgValue, which
            // reports it.
            const double cap = 2.0 * axis.ymax;
            const double perUnit = height / (axis.ymax - axis.ymin);
            bool missing = false;
            for (int i = 1; i <= n; ++i) {
                const double v = values[static_cast<size_t>(i)];
                if (std::isnan(v)) {
                    missing = true; // a record whose value could not be read
                    continue;
                }
                const double limited =
                    std::isfinite(v) ? std::min(v, cap) : ChgValue(svc, axis.scale, axis.ymax, v);
                ys[static_cast<size_t>(i)] = (axis.ymax - limited) * perUnit;
            }
            // Missing values are left out, so that the curve bridges them as it does
            // samples missing in time, instead of drawing a value nobody measured.
            std::vector<long long> keptSeconds;
            const long long* ts = seconds.data();
            int points = n;
            if (missing) {
                keptSeconds.assign(1, 0);
                std::vector<double> keptYs(1, 0.0);
                for (int i = 1; i <= n; ++i) {
                    if (std::isnan(values[static_cast<size_t>(i)]))
                        continue;
                    keptSeconds.push_back(seconds[static_cast<size_t>(i)]);
                    keptYs.push_back(ys[static_cast<size_t>(i)]);
                }
                points = static_cast<int>(keptYs.size()) - 1;
                if (points < 2)
                    return true;
                ys = std::move(keptYs);
                ts = keptSeconds.data();
            }
            const long long m = n <= slots ? slots : n;
            const double dx = width / static_cast<double>(m - 1);
            pen.clipTo(plot);
            const long long interval = std::max(1, scene.sampleInterval);
            if (isDenseCurve(points, plot.rect.width())) {
                drawDenseCurve(
                    pen.p,
                    denseCurve(ts, ys.data(), points, dx, interval, width + dx, plot.rect, pen.tpp),
                    colour, scene.overlay);
                return true;
            }
            CurvePainter painter(pen.p, plot.rect, pen.tpp, colour,
                                 scene.overlay ? Qt::DashLine : Qt::SolidLine);
            graphwalk::walk(ts, ys.data(), points, dx, interval, width + dx,
                            [&](double x1, double y1, double x2, double y2, bool d) {
                                painter.add(x1, y1, x2, y2, d);
                            });
            return true;
        },
        ReportTo::StatusBar);
}

// The series the scene knows, at most kMaxSeries.
int lastSeriesOf(const GraphScene& scene)
{
    return std::min(static_cast<int>(scene.series.size()), kMaxSeries) - 1;
}

bool shown(const GraphScene& scene, int s)
{
    return scene.series[static_cast<size_t>(s)].shown;
}

// Everything but the curves: the cleared pictures, the time labels, the grid and
// the Y bars.
void drawBackground(const GraphScene& scene, QPainter& p)
{
    const GraphPictures& pics = scene.pictures;
    const double tpp = pics.twipsPerPixel > 0 ? pics.twipsPerPixel : 15.0;
    const long long slots = graphSlotCount(scene.start, scene.end, scene.sampleInterval);
    const GridDivision grid = gridDivision(slots);
    const int lastSeries = lastSeriesOf(scene);

    // Clear every picture.
    const QRect base = pics.PicGraphBase.rect;
    p.setClipRect(base);
    p.fillRect(base, pics.PicGraphBase.BackColor);
    for (int s = 0; s <= lastSeries; ++s)
        if (pics.PicLeftBar[static_cast<size_t>(s)].Visible)
            p.fillRect(pics.PicLeftBar[static_cast<size_t>(s)].rect.intersected(base),
                       pics.PicLeftBar[static_cast<size_t>(s)].BackColor);
    p.fillRect(pics.PicGraph.rect.intersected(base), pics.PicGraph.BackColor);
    p.fillRect(pics.PicBottomBar.rect.intersected(base), pics.PicBottomBar.BackColor);

    const QFont font = graphFont(tpp);
    p.setFont(font);
    Pen pen{p, tpp, base, font, QFontMetricsF(font, p.device())};
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const TimeMarks marks = timeMarks(scene, pen, grid);
    drawTimeLabels(scene, pen, marks);
    drawGrid(pen, pics.PicGraph, marks);
    for (int s = 0; s <= lastSeries; ++s) {
        const GraphPicture& bar = pics.PicLeftBar[static_cast<size_t>(s)];
        if (shown(scene, s) && bar.Visible)
            drawBar(scene.series[static_cast<size_t>(s)], pen, bar, pics.PicGraph, s);
    }
}

// The curves of the shown series over the background.
void drawCurves(const GraphScene& scene, Services& svc, QPainter& p)
{
    const GraphPictures& pics = scene.pictures;
    const double tpp = pics.twipsPerPixel > 0 ? pics.twipsPerPixel : 15.0;
    const long long slots = graphSlotCount(scene.start, scene.end, scene.sampleInterval);
    const int lastSeries = lastSeriesOf(scene);
    const int n = scene.points;

    // Seconds from the window start to each point, shared by every curve.
    std::vector<long long> seconds;
    if (n >= 2 && scene.times.size() > static_cast<size_t>(n)) {
        seconds.resize(static_cast<size_t>(n) + 1, 0);
        const long long start = vbdate::secondsBetween(0.0, scene.start);
        for (int i = 1; i <= n; ++i)
            seconds[static_cast<size_t>(i)] =
                vbdate::secondsBetween(0.0, scene.times[static_cast<size_t>(i)]) - start;
    }
    if (seconds.empty())
        return;
    const QFont font = p.font();
    Pen pen{p, tpp, pics.PicGraphBase.rect, font, QFontMetricsF(font, p.device())};
    for (int s = 0; s <= lastSeries; ++s) {
        if (!shown(scene, s))
            continue;
        const GraphPicture& bar = pics.PicLeftBar[static_cast<size_t>(s)];
        const QColor colour = seriesCurveColour(bar, pics.PicGraph);
        drawCurve(scene, svc, pen,
                  scene.overlay ? overlayColour(colour, pics.PicGraph.BackColor) : colour, s,
                  seconds, slots);
    }
}

void drawAll(const GraphScene& scene, Services& svc, QPainter& p)
{
    drawBackground(scene, p);
    drawCurves(scene, svc, p);
}

// Everything the background is drawn from, so that a cached one is used only
// while it is still right.
QByteArray backgroundKey(const GraphScene& scene, const QImage& image)
{
    const GraphPictures& pics = scene.pictures;
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << image.size() << image.devicePixelRatio() << static_cast<int>(image.format())
        << pics.twipsPerPixel;
    const auto picture = [&](const GraphPicture& g) {
        out << g.rect << g.BackColor << g.ForeColor << g.Visible;
    };
    picture(pics.PicGraphBase);
    picture(pics.PicGraph);
    picture(pics.PicBottomBar);
    for (const GraphPicture& bar : pics.PicLeftBar)
        picture(bar);
    out << static_cast<int>(scene.series.size());
    for (const GraphSeriesLook& look : scene.series)
        out << look.shown << look.name << look.unit << look.ymin << look.ymax << look.scale
            << look.fitted;
    out << scene.start << scene.end << scene.sampleInterval << scene.clockAxis;
    return key;
}

} // namespace

QColor seriesCurveColour(const GraphPicture& bar, const GraphPicture& plot)
{
    return readableColour(bar.ForeColor, plot.BackColor, kCurveContrast);
}

void setPowerFactorColour(GraphPictures& pics)
{
    pics.PicLeftBar[static_cast<size_t>(measuredItem(column::kPowerFactor).series)].ForeColor =
        isWhite(pics.PicGraph.BackColor) ? QColor(0, 0, 0) : QColor(255, 255, 255);
}

std::vector<std::optional<double>> placeTimeLabels(const std::vector<double>& want,
                                                   const std::vector<double>& width,
                                                   double visibleLeft, double visibleRight,
                                                   double gap)
{
    const size_t n = std::min(want.size(), width.size());
    std::vector<std::optional<double>> out(n);
    if (n == 0)
        return out;
    auto inside = [&](size_t i) {
        return std::max(visibleLeft, std::min(want[i], visibleRight - width[i]));
    };
    out[0] = inside(0);
    double lastRight = *out[0] + width[0];
    std::optional<double> endLeft;
    if (n >= 2) {
        const double e = inside(n - 1);
        if (e >= lastRight + gap)
            endLeft = e;
        out[n - 1] = endLeft;
    }
    for (size_t i = 1; i + 1 < n; ++i) {
        const double x = inside(i);
        if (x < lastRight + gap)
            continue;
        if (endLeft && x + width[i] + gap > *endLeft)
            continue;
        out[i] = x;
        lastRight = x + width[i];
    }
    return out;
}

bool DrawGraph(const GraphScene& scene, QPaintDevice& device, Services& svc)
{
    return trapped(
        svc, "DrawGraph", false,
        [&] {
            QPainter p(&device);
            drawAll(scene, svc, p);
            return true;
        },
        ReportTo::StatusBar);
}

bool DrawGraph(const GraphScene& scene, QImage& image, GraphLayerCache& cache, Services& svc)
{
    return trapped(
        svc, "DrawGraph", false,
        [&] {
            const QByteArray key = backgroundKey(scene, image);
            if (key != cache.key_) {
                cache.key_.clear(); // stays unusable should the drawing fail
                cache.layer_ = QImage(image.size(), image.format());
                cache.layer_.setDevicePixelRatio(image.devicePixelRatio());
                QPainter layer(&cache.layer_);
                drawBackground(scene, layer);
                layer.end();
                cache.key_ = key;
            }
            image = cache.layer_;
            QPainter p(&image);
            const double tpp = scene.pictures.twipsPerPixel;
            p.setFont(graphFont(tpp > 0 ? tpp : 15.0));
            drawCurves(scene, svc, p);
            return true;
        },
        ReportTo::StatusBar);
}

QColor overlayColour(const QColor& curve, const QColor& plot)
{
    return QColor((curve.red() + plot.red()) / 2, (curve.green() + plot.green()) / 2,
                  (curve.blue() + plot.blue()) / 2);
}

bool DrawGraphCurves(const GraphScene& scene, QImage& image, Services& svc)
{
    return trapped(
        svc, "DrawGraph", false,
        [&] {
            QPainter p(&image);
            const double tpp = scene.pictures.twipsPerPixel;
            p.setFont(graphFont(tpp > 0 ? tpp : 15.0));
            drawCurves(scene, svc, p);
            return true;
        },
        ReportTo::StatusBar);
}

bool DrawGraph(const GraphScene& scene, QPainter& painter, Services& svc)
{
    return trapped(
        svc, "DrawGraph", false,
        [&] {
            // The caller's pen, font, clip and hints come back even when drawing fails.
            struct Saved {
                QPainter& p;
                explicit Saved(QPainter& painter) : p(painter) { p.save(); }
                ~Saved() { p.restore(); }
            } saved(painter);
            drawAll(scene, svc, painter);
            return true;
        },
        ReportTo::StatusBar);
}

} // namespace quellin
