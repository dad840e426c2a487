#include "print/ReportGraph.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "print/PrintPages.h"
#include "views/GraphColours.h"
#include "views/GraphFit.h"
#include "views/GraphLayout.h"
#include "views/ModGraph.h"
#include "views/ModGraphDraw.h"

#include <QPainter>
#include <algorithm>
#include <optional>

namespace quellin {

namespace {

constexpr double kTwipsPerPixel = 15;
// The graph is laid out as a window of this many pixels per inch of paper: its
// labels come out a little larger than on a screen.
constexpr double kPicturePixelsPerInch = 84;

QRect pixels(const TwipsRect& r)
{
    return QRect(static_cast<int>(r.left / kTwipsPerPixel), static_cast<int>(r.top / kTwipsPerPixel),
                 static_cast<int>(r.width / kTwipsPerPixel), static_cast<int>(r.height / kTwipsPerPixel));
}

// The graph window's pictures for a frame of size pixels, in print colours.
GraphPictures picturesFor(QSize size, const std::vector<GraphSeriesLook>& series)
{
    const GraphFormDesign design;
    std::array<bool, kMaxSeries> visible{};
    for (size_t s = 0; s < series.size() && s < visible.size(); ++s)
        visible[s] = series[s].shown;
    const int width = static_cast<int>(size.width() * kTwipsPerPixel);
    const int height = static_cast<int>(size.height() * kTwipsPerPixel);
    const GraphWindowLayout l =
        layoutGraphWindow(width + 2 * design.mx, height + 4 * design.my + design.infoHeight + design.hanreiHeight,
                          design, visible, initialGraphLayout(design));
    GraphPictures pics;
    pics.twipsPerPixel = kTwipsPerPixel;
    pics.PicGraphBase = {QRect(QPoint(0, 0), pixels(l.PicGraphBase).size()), Qt::white, Qt::black, true};
    pics.PicGraph = {pixels(l.PicGraph), Qt::white, Qt::black, true};
    pics.PicBottomBar = {pixels(l.PicBottomBar), Qt::white, Qt::black, true};
    const auto& colours = seriesDesignColours();
    for (size_t s = 0; s < pics.PicLeftBar.size(); ++s)
        pics.PicLeftBar[s] = {pixels(l.PicLeftBar[s]), Qt::white, colours[s], visible[s]};
    return printColours(pics);
}

} // namespace

std::unique_ptr<KeptGraphScene> reportGraphScene(const Catalog& cat, int hardVersion, const DataSet& data,
                                                 const SurveyFigures& f, Services& svc)
{
    GraphWindowState window;
    window.GraphStart = f.first;
    // A single record still gets a time axis of its storage period.
    window.GraphEnd = std::max(f.last, vbdate::addSeconds(f.first, std::max(f.periodSeconds, 1)));
    window.GraphFollowing = false;
    data.LoadGraphWindow(window, cat.SeriesLast, hardVersion);
    bfGraph_Abs(svc, cat, window);

    // The graph window's rule for a new data set: what the user chose stays,
    // the rest is fitted to the values.
    Catalog scaled = cat;
    for (int s = 0; s <= cat.SeriesLast && static_cast<size_t>(s) < window.GraphValues.size(); ++s) {
        const auto i = static_cast<size_t>(s);
        if (flagAt(cat.SeriesScaleChosen, s) || seriesKind(s) == SeriesKind::PowerFactor ||
            i >= scaled.SeriesYMin.size() || i >= scaled.SeriesYMax.size())
            continue;
        const auto extent = valueExtent(window.GraphValues[i], window.GraphPoints);
        const auto range = extent ? fitRange(extent->lo, extent->hi, fitKeepsZero(s)) : std::nullopt;
        if (!range)
            continue;
        scaled.SeriesYMin[i] = range->ymin;
        scaled.SeriesYMax[i] = range->ymax;
        if (scaled.SeriesFitted.size() <= i)
            scaled.SeriesFitted.resize(i + 1, false);
        scaled.SeriesFitted[i] = true;
    }
    GraphScene scene = graphScene(window, data, scaled, GraphPictures{});
    // A series whose column the data set lacks would be drawn as zeros: it is
    // left out. When none of the user's series is left (quellin-cli has none),
    // the active power, or else the first series the data set holds.
    const auto present = [&](size_t s) { return data.columnPresent(seriesColumn(static_cast<int>(s))); };
    bool any = false;
    for (size_t s = 0; s < scene.series.size(); ++s) {
        GraphSeriesLook& look = scene.series[s];
        look.shown = look.shown && present(s);
        any = any || look.shown;
    }
    std::optional<size_t> fallback;
    for (size_t s = 0; !any && s < scene.series.size(); ++s) {
        if (!present(s) || seriesKind(static_cast<int>(s)) == SeriesKind::PowerFactor)
            continue;
        if (!fallback || seriesColumn(static_cast<int>(s)) == column::kActivePower)
            fallback = s;
    }
    if (fallback)
        scene.series[*fallback].shown = true;
    return std::make_unique<KeptGraphScene>(scene);
}

void paintReportGraph(QPainter& p, const GraphScene& kept, const QRectF& target, double dpi, Services& svc)
{
    if (target.isEmpty() || dpi <= 0)
        return;
    const double perPixel = dpi / kPicturePixelsPerInch; // device units per picture pixel
    const QSize size(static_cast<int>(target.width() / perPixel), static_cast<int>(target.height() / perPixel));
    GraphScene scene = kept;
    scene.pictures = picturesFor(size, scene.series);
    setPowerFactorColour(scene.pictures);
    const QSizeF picture(scene.pictures.PicGraphBase.rect.size());
    if (picture.isEmpty())
        return;
    p.save();
    p.setClipRect(target);
    p.translate(target.topLeft());
    p.scale(target.width() / picture.width(), target.height() / picture.height());
    DrawGraph(scene, p, svc);
    p.restore();
}

} // namespace quellin
