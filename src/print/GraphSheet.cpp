#include "print/GraphSheet.h"

#include "analysis/SurveyAnalysis.h"
#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "print/PrintPages.h"
#include "views/GraphLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

constexpr double kTitlePoints = 11;
constexpr double kTextPoints = 9;
// The graph is drawn at this resolution and scaled onto the device: its labels
// come out at their designed 8¼ pt and its lines stay visible on a printer.
constexpr double kGraphDrawDpi = 192;
constexpr double kTwipsPerInch = 1440;
constexpr double kMostGraphAspect = 0.7;

QString periodText(const SurveyFigures& f)
{
    return TX("期間：%1 ～ %2（%3 件、記録周期 %4 秒）")
        .arg(surveyTime(f.first), surveyTime(f.last))
        .arg(f.records)
        .arg(f.periodSeconds);
}

QString energyText(const SurveyFigures& f)
{
    const auto power = std::find_if(f.items.begin(), f.items.end(), [](const ItemFigures& i) {
        return i.column == column::kActivePower && i.count > 0;
    });
    if (power == f.items.end())
        return {};
    return TX("電力量：%1 kWh　最大電力：%2 W（%3）")
        .arg(QString::number(f.energyKWh, 'f', 3), QString::number(power->max, 'f', 1),
             surveyTime(power->maxTime));
}

QRect pixels(const TwipsRect& r, double tpp)
{
    return {static_cast<int>(std::lround(r.left / tpp)), static_cast<int>(std::lround(r.top / tpp)),
            static_cast<int>(std::lround(r.width / tpp)),
            static_cast<int>(std::lround(r.height / tpp))};
}

} // namespace

GraphSheetHead graphSheetHead(const DataSet& data, const GraphScene& scene)
{
    GraphSheetHead head;
    head.title = data.TitleLine().trimmed().isEmpty() ? TX("計測データ")
                                                      : data.TitleLine().trimmed();
    const SurveyResult result = analyseDataSet(data, {scene.start, scene.end});
    if (result.figures) {
        head.period = periodText(*result.figures);
        head.energy = energyText(*result.figures);
    } else {
        head.period = TX("期間：%1 ～ %2（記録なし）")
                          .arg(surveyTime(scene.start), surveyTime(scene.end));
    }
    for (size_t s = 0; s < scene.series.size() && s < scene.pictures.PicLeftBar.size(); ++s) {
        const GraphSeriesLook& look = scene.series[s];
        if (!look.shown)
            continue;
        const QString text =
            look.unit.isEmpty() ? look.name : look.name + QStringLiteral(" (") + look.unit + u')';
        head.legend.push_back(
            {text, seriesCurveColour(scene.pictures.PicLeftBar[s], scene.pictures.PicGraph)});
    }
    return head;
}

GraphPictures sheetPictures(const GraphPictures& window, double widthTwips, double heightTwips,
                            int hardVersion, double tpp)
{
    GraphFormDesign design = graphFormDesign(hardVersion);
    design.udHeight = 0; // a sheet has no pager
    std::array<bool, kMaxSeries> visible{};
    for (size_t s = 0; s < visible.size(); ++s)
        visible[s] = window.PicLeftBar[s].Visible;
    // The window's rules for an inner size whose graph frame is the sheet.
    const int width = static_cast<int>(std::lround(widthTwips)) + 2 * design.mx;
    const int height = static_cast<int>(std::lround(heightTwips)) + 4 * design.my +
                       design.infoHeight + design.hanreiHeight;
    const GraphWindowLayout l =
        layoutGraphWindow(width, height, design, visible, initialGraphLayout(design));

    GraphPictures pics = window;
    pics.twipsPerPixel = tpp;
    pics.PicGraphBase.rect = QRect(QPoint(0, 0), pixels(l.PicGraphBase, tpp).size());
    pics.PicGraph.rect = pixels(l.PicGraph, tpp);
    pics.PicBottomBar.rect = pixels(l.PicBottomBar, tpp);
    for (size_t s = 0; s < pics.PicLeftBar.size(); ++s)
        pics.PicLeftBar[s].rect = pixels(l.PicLeftBar[s], tpp);
    return pics;
}

GraphSheetLayout layoutGraphSheet(QPainter& p, const QRectF& area, double dpi,
                                  const GraphSheetHead& head)
{
    GraphSheetLayout out;
    const QFontMetricsF title(printFont(kTitlePoints, dpi, true), p.device());
    const QFontMetricsF text(printFont(kTextPoints, dpi, false), p.device());
    const double line = text.height();
    double y = area.top();
    out.headLines.emplace_back(area.left(), y, area.width(), title.height());
    y += title.height() * 1.2;
    for (const QString* s : {&head.period, &head.energy}) {
        if (s->isEmpty())
            continue;
        out.headLines.emplace_back(area.left(), y, area.width(), line);
        y += line;
    }
    y += line * 0.5;

    // The legend's entries left to right, a new row where one would run out.
    const double sampleWidth = line * 1.5;
    const double gap = line * 0.4;
    const double spacing = line * 1.5;
    std::vector<GraphSheetLayout::Entry> entries;
    double x = area.left();
    int row = 0;
    for (const GraphSheetHead::Entry& e : head.legend) {
        const double width = sampleWidth + gap + text.horizontalAdvance(e.text);
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            ++row;
        }
        entries.push_back({QRectF(x, row * line * 1.2, sampleWidth, line),
                           QRectF(x + sampleWidth + gap, row * line * 1.2, width - sampleWidth - gap,
                                  line)});
        x += width + spacing;
    }
    const double legendHeight = entries.empty() ? 0 : (row + 1) * line * 1.2 + line * 0.5;
    const double room = std::max(0.0, area.bottom() - y - legendHeight);
    out.graph = QRectF(area.left(), y, area.width(), std::min(room, area.width() * kMostGraphAspect));
    const double legendTop = out.graph.bottom() + line * 0.5;
    for (GraphSheetLayout::Entry& e : entries) {
        e.sample.translate(0, legendTop);
        e.text.translate(0, legendTop);
    }
    out.legend = std::move(entries);
    return out;
}

void paintGraphSheet(QPainter& p, const QRectF& area, double dpi, const GraphSheetHead& head,
                     const GraphScene& scene, int hardVersion, Services& svc)
{
    const GraphSheetLayout l = layoutGraphSheet(p, area, dpi, head);
    p.save();
    p.setPen(Qt::black);
    p.setFont(printFont(kTitlePoints, dpi, true));
    p.drawText(l.headLines.front(), Qt::AlignLeft | Qt::AlignVCenter, head.title);
    p.setFont(printFont(kTextPoints, dpi, false));
    size_t line = 1;
    for (const QString* s : {&head.period, &head.energy})
        if (!s->isEmpty() && line < l.headLines.size())
            p.drawText(l.headLines[line++], Qt::AlignLeft | Qt::AlignVCenter, *s);

    if (!l.graph.isEmpty()) {
        const double drawDpi = std::min(dpi, kGraphDrawDpi);
        const double scale = dpi / drawDpi;
        const double tpp = kTwipsPerInch / drawDpi;
        GraphScene sheet = scene;
        // The bars of the series shown, whatever the window's widgets say.
        GraphPictures window = scene.pictures;
        for (size_t s = 0; s < window.PicLeftBar.size(); ++s)
            window.PicLeftBar[s].Visible = s < scene.series.size() && scene.series[s].shown;
        sheet.pictures = sheetPictures(window, l.graph.width() / scale * tpp,
                                       l.graph.height() / scale * tpp, hardVersion, tpp);
        p.save();
        p.translate(l.graph.topLeft());
        p.scale(scale, scale);
        p.setClipRect(sheet.pictures.PicGraphBase.rect);
        DrawGraph(sheet, p, svc);
        p.restore();
    }

    for (size_t i = 0; i < l.legend.size() && i < head.legend.size(); ++i) {
        const GraphSheetLayout::Entry& e = l.legend[i];
        const double mid = e.sample.center().y();
        p.setPen(QPen(head.legend[i].colour, std::max(1.0, dpi / 48.0)));
        p.drawLine(QPointF(e.sample.left(), mid), QPointF(e.sample.right(), mid));
        p.setPen(Qt::black);
        p.drawText(e.text, Qt::AlignLeft | Qt::AlignVCenter, head.legend[i].text);
    }
    p.restore();
}

} // namespace quellin
