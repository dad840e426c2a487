#include "print/ReportPages.h"

#include "analysis/SurveySummary.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "print/ReportGraph.h"

#include <QPainter>
#include <algorithm>

namespace quellin {

namespace {

// The page in points: A4 portrait with margins of 15 mm, a footer line below.
constexpr double kMarginPoints = 42.5;
constexpr double kFooterPoints = 20;
constexpr double kGapPoints = 14;
constexpr double kCaptionPoints = 18;
constexpr double kTitlePoints = 58;
constexpr double kChartPoints = 170;
constexpr double kGraphHeadPoints = 80;
constexpr int kMostBands = 3;
constexpr int kFewestRowsOnAPage = 3;

QString kw(double v)
{
    return Format(v, QStringLiteral("0.000"));
}

QString scientific(double v)
{
    return Format(v, QStringLiteral("0.000E+0"));
}

// The data set keeps its wiring as a number; the report names it in the
// reader's language.
QString wiringName(int wiring)
{
    switch (wiring) {
    case 0:
        return TX("単相２線式");
    case 1:
        return TX("単相３線式");
    case 2:
        return TX("三相３線式");
    default:
        return TX("不明");
    }
}

} // namespace

QString reportTitleText()
{
    return TX("計測レポート");
}

QString untitledReportText()
{
    return TX("計測データ（ファイル未保存）");
}

// One piece of the report: a table (its rows may run on over pages), a bar
// chart, the trend graph or the first page's title, each under its caption.
struct ReportSection::Block {
    enum class Kind { Title, Table, Chart, Graph } kind = Kind::Table;
    QString caption;
    QString subtitle; // the title's second line
    ReportTable table;
    ReportChart chart;
    bool labelled = false; // the table's first column names things (the summary, the items)
};

// Where a block, or a run of a table's rows, stands on a page (points).
struct ReportSection::Placement {
    size_t block = 0;
    double y = 0;
    double height = 0;
    int first = 0, count = 0, bands = 1, perBand = 0;
    bool continued = false;
};

ReportHeading reportHeading(const AppGlobals& app, const DataSet& data)
{
    ReportHeading h;
    h.title = data.TitleLine().trimmed().isEmpty() ? untitledReportText() : data.TitleLine().trimmed();
    h.meter = app.HardVersionText != kNotQueriedText && !app.HardVersionText.isEmpty()
                  ? TX("ハードバージョン ") + app.HardVersionText
                  : TX("不明");
    h.wiring = wiringName(data.DataWiring());
    return h;
}

std::vector<std::pair<QString, QString>> reportSummaryRows(const ReportHeading& heading, const SurveyFigures& f)
{
    std::vector<std::pair<QString, QString>> rows = {{TX("電力計"), heading.meter},
                                                     {TX("結線"), heading.wiring}};
    for (auto& row : surveySummaryRows(f))
        rows.push_back(std::move(row));
    return rows;
}

ReportSection::ReportSection(const Catalog& cat, int hardVersion, const DataSet& data,
                             const SurveyFigures& f, const ReportHeading& heading, double printed,
                             Services& svc)
    : printed_(Format(printed, QStringLiteral("yyyy/mm/dd hh:mm"))), svc_(svc), hardVersion_(hardVersion)
{
    Block title;
    title.kind = Block::Kind::Title;
    title.caption = reportTitleText();
    title.subtitle = heading.title;
    blocks_.push_back(std::move(title));

    Block summary;
    summary.caption = TX("概要");
    summary.table.titles = {TX("項目"), TX("値")};
    summary.table.widths = {110, 300};
    summary.table.right = {false, false};
    summary.labelled = true;
    for (const auto& [label, value] : reportSummaryRows(heading, f))
        summary.table.rows.push_back({label, value});
    blocks_.push_back(std::move(summary));

    Block items;
    items.caption = TX("項目ごとの最小・最大・平均");
    items.table.titles = {TX("項目"), TX("最小"), TX("最小の時刻"),
                          TX("最大"), TX("最大の時刻"), TX("平均")};
    items.table.widths = {100, 56, 96, 56, 96, 56};
    items.table.right = {false, true, false, true, false, true};
    items.labelled = true;
    for (const ItemFigures& i : f.items)
        items.table.rows.push_back({txText(surveyItemTitle(cat, i.column)), scientific(i.min), surveyTime(i.minTime),
                                    scientific(i.max), surveyTime(i.maxTime), scientific(i.mean)});
    blocks_.push_back(std::move(items));

    Block gaps;
    gaps.caption = TX("欠測");
    gaps.table.titles = {TX("直前の記録"), TX("直後の記録"), TX("欠測数")};
    gaps.table.widths = {100, 100, 50};
    gaps.table.right = {false, false, true};
    for (const RecordGap& g : f.gaps)
        gaps.table.rows.push_back({surveyTime(g.after), surveyTime(g.before), QString::number(g.missing)});
    blocks_.push_back(std::move(gaps));

    const DemandFigures& d = f.demand;
    if (!d.intervals.empty()) {
        Block chart;
        chart.kind = Block::Kind::Chart;
        chart.caption = TX("デマンド（%1分）").arg(d.minutes);
        chart.chart.unit = QStringLiteral("kW");
        // Labels on whole hours, quarter days, days and weeks.
        for (const int hours : {1, 2, 3, 6, 12, 24, 48, 168, 336})
            chart.chart.labelStrides.push_back(hours * 60 / d.minutes);
        chart.chart.markText = TX("最大 %1 kW（%2）")
                                   .arg(kw(d.maxKW), Format(d.maxStart, QStringLiteral("mm/dd hh:mm")));
        Block table;
        table.caption = TX("デマンド（%1分）の区間").arg(d.minutes);
        table.table.titles = {TX("開始"), QStringLiteral("kW"), TX("記録数"), QString()};
        table.table.widths = {88, 46, 34, 28};
        table.table.right = {false, true, true, false};
        for (const DemandInterval& in : d.intervals) {
            const bool peak = in.start == d.maxStart && in.kW == d.maxKW;
            if (peak && chart.chart.marked < 0)
                chart.chart.marked = static_cast<int>(chart.chart.values.size());
            chart.chart.values.push_back(in.kW);
            chart.chart.labels << Format(in.start, QStringLiteral("mm/dd hh:mm"));
            table.table.rows.push_back({Format(in.start, QStringLiteral("yyyy/mm/dd hh:mm")), kw(in.kW),
                                        QString::number(in.records),
                                        peak ? TX("最大") : (in.complete ? QString() : TX("不足"))});
            table.table.marked.push_back(peak);
        }
        blocks_.push_back(std::move(chart));
        blocks_.push_back(std::move(table));
    }

    const auto energyBlocks = [this](const std::vector<EnergySlot>& slots, const QString& what,
                                     const QString& slotTitle, const QString& labelPattern,
                                     const QString& cellPattern, const std::vector<int>& strides) {
        if (slots.empty())
            return;
        Block chart;
        chart.kind = Block::Kind::Chart;
        chart.caption = what;
        chart.chart.unit = QStringLiteral("kWh");
        chart.chart.labelStrides = strides;
        Block table;
        table.caption = what;
        table.table.titles = {slotTitle, QStringLiteral("kWh"), TX("記録数")};
        table.table.widths = {88, 56, 40};
        table.table.right = {false, true, true};
        for (const EnergySlot& s : slots) {
            chart.chart.values.push_back(s.kWh);
            chart.chart.labels << Format(s.start, labelPattern);
            table.table.rows.push_back({Format(s.start, cellPattern), kw(s.kWh), QString::number(s.records)});
        }
        blocks_.push_back(std::move(chart));
        blocks_.push_back(std::move(table));
    };
    energyBlocks(f.byDay, TX("日ごとの電力量"), TX("日付"), QStringLiteral("mm/dd"),
                 QStringLiteral("yyyy/mm/dd"), {1, 2, 7, 14});
    energyBlocks(f.byHour, TX("時間ごとの電力量"), TX("時刻"), QStringLiteral("mm/dd hh:00"),
                 QStringLiteral("yyyy/mm/dd hh:00"), {1, 2, 3, 6, 12, 24, 48, 168, 336});

    graph_ = reportGraphScene(cat, hardVersion, data, f, svc);
    graphHead_ = graphSheetHead(data, graph_->scene());
    Block trend;
    trend.kind = Block::Kind::Graph;
    trend.caption = TX("トレンドグラフ");
    blocks_.push_back(std::move(trend));

    // Tables without rows (no gaps, no items) are left out.
    std::erase_if(blocks_, [](const Block& b) { return b.kind == Block::Kind::Table && b.table.rows.empty(); });
    const double pageWidth = pageLayout().paintRect(QPageLayout::Point).width();
    for (Block& b : blocks_)
        if (b.kind == Block::Kind::Table)
            fitReportTable(b.table, pageWidth, b.labelled);
}

ReportSection::~ReportSection() = default;

QPageLayout ReportSection::pageLayout() const
{
    return QPageLayout(defaultPageSize(), QPageLayout::Portrait,
                       QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints), QPageLayout::Point);
}

void ReportSection::paginate(const PageArea& area)
{
    if (!pages_.empty() && laidOutFor_.size == area.size && laidOutFor_.dpi == area.dpi)
        return;
    laidOutFor_ = area;
    pages_.assign(1, {});
    const ReportUnits u{area.dpi};
    const double width = area.size.width() / u.pt(1);
    const double bottom = area.size.height() / u.pt(1) - kFooterPoints;
    double y = 0;
    const auto newPage = [&] {
        pages_.emplace_back();
        y = 0;
    };
    const auto place = [&](size_t block, double height) {
        if (y > 0 && y + height > bottom)
            newPage();
        pages_.back().push_back({block, y, height});
        y += height + kGapPoints;
    };
    for (size_t b = 0; b < blocks_.size(); ++b) {
        const Block& block = blocks_[b];
        switch (block.kind) {
        case Block::Kind::Title:
            place(b, kTitlePoints);
            break;
        case Block::Kind::Chart:
            place(b, kCaptionPoints + kChartPoints);
            break;
        case Block::Kind::Graph:
            // The sheet: its head, a graph of 0.7 of its width at most, the legend.
            place(b, std::min(kCaptionPoints + width * 0.7 + kGraphHeadPoints, bottom));
            break;
        case Block::Kind::Table: {
            const int rows = static_cast<int>(block.table.rows.size());
            const int bandsFit = static_cast<int>((width + kGapPoints) / (block.table.width() + kGapPoints));
            const int bands = std::clamp(bandsFit, 1, kMostBands);
            int done = 0;
            while (done < rows) {
                int fit = static_cast<int>((bottom - y - kCaptionPoints) / kReportRowPoints) - 1;
                if (fit < std::min(kFewestRowsOnAPage, rows - done) && y > 0) {
                    newPage();
                    continue;
                }
                fit = std::max(fit, 1);
                const int left = rows - done;
                Placement at{b, y, 0, done, 0, 1, 0, done > 0};
                if (left <= fit) {
                    at.count = at.perBand = left;
                } else {
                    at.bands = bands;
                    at.count = std::min(left, fit * bands);
                    at.perBand = (at.count + bands - 1) / bands;
                }
                at.height = kCaptionPoints + kReportRowPoints * (at.perBand + 1);
                pages_.back().push_back(at);
                done += at.count;
                y += at.height + kGapPoints;
                if (done < rows)
                    newPage();
            }
            break;
        }
        }
    }
}

int ReportSection::pageCount(QPaintDevice&, const PageArea& area)
{
    paginate(area);
    return static_cast<int>(pages_.size());
}

void ReportSection::paintPage(QPainter& p, const PageArea& area, int page)
{
    paginate(area);
    if (page < 0 || page >= static_cast<int>(pages_.size()))
        return;
    const ReportUnits u{area.dpi};
    const double width = area.size.width();
    p.save();
    for (const Placement& at : pages_[static_cast<size_t>(page)]) {
        const Block& block = blocks_[at.block];
        const double top = u.pt(at.y);
        p.setPen(Qt::black);
        if (block.kind == Block::Kind::Title) {
            p.setFont(printFont(18, u.dpi, true));
            p.drawText(QRectF(0, top, width, u.pt(28)), Qt::AlignLeft | Qt::AlignVCenter, block.caption);
            p.setFont(printFont(10.5, u.dpi, false));
            p.drawText(QRectF(0, top + u.pt(30), width, u.pt(18)), Qt::AlignLeft | Qt::AlignVCenter,
                       block.subtitle);
            p.setPen(QPen(Qt::black, u.pt(1)));
            p.drawLine(QPointF(0, top + u.pt(kTitlePoints - 4)), QPointF(width, top + u.pt(kTitlePoints - 4)));
            continue;
        }
        p.setFont(printFont(10, u.dpi, true));
        p.drawText(QRectF(0, top, width, u.pt(kCaptionPoints)), Qt::AlignLeft | Qt::AlignVCenter,
                   at.continued ? TX("%1（続き）").arg(block.caption) : block.caption);
        const double body = top + u.pt(kCaptionPoints);
        switch (block.kind) {
        case Block::Kind::Table:
            paintReportTable(p, u, block.table, QPointF(0, body), at.first, at.count, at.bands, at.perBand);
            break;
        case Block::Kind::Chart:
            paintReportChart(p, u, block.chart, QRectF(0, body, width, u.pt(kChartPoints)));
            break;
        case Block::Kind::Graph:
            paintGraph(p, u, QRectF(0, body, width, u.pt(at.height - kCaptionPoints)));
            break;
        case Block::Kind::Title:
            break;
        }
    }
    paintFooter(p, u, area, page);
    p.restore();
}

void ReportSection::paintFooter(QPainter& p, const ReportUnits& u, const PageArea& area, int page) const
{
    const double top = area.size.height() - u.pt(kFooterPoints * 0.7);
    const QRectF line(0, top, area.size.width(), u.pt(kFooterPoints * 0.7));
    p.setPen(QPen(Qt::black, u.pt(0.5)));
    p.drawLine(line.topLeft(), line.topRight());
    p.setFont(printFont(8, u.dpi, false));
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, TX("印刷日 ") + printed_);
    p.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1 / %2").arg(page + 1).arg(pages_.size()));
}

void ReportSection::paintGraph(QPainter& p, const ReportUnits& u, const QRectF& target) const
{
    paintGraphSheet(p, target, u.dpi, graphHead_, graph_->scene(), hardVersion_, svc_);
}

} // namespace quellin
