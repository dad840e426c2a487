#include "print/PrintPages.h"

#include "print/PrintLayout.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLineF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cmath>

namespace quellin {

namespace {

constexpr double kTwipsPerPoint = 20;
// The graph page keeps a narrow border that every printer can reach.
constexpr double kGraphMarginTwips = 360;
constexpr double kTableFontPoints = 9;
constexpr double kTitleFontPoints = 11;

QPageLayout::Orientation qtOrientation(PageOrientation o)
{
    return o == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

} // namespace

QFont printFont(double points, double dpi, bool bold)
{
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
    f.setBold(bold);
    f.setKerning(false);
    return f;
}

QPageSize defaultPageSize()
{
    return QPageSize(QPageSize::A4);
}

QPageLayout spreadPageLayout(int hardVersion, const QPageSize& size)
{
    const PageMarginsTwips m;
    return QPageLayout(size, qtOrientation(spreadOrientation(hardVersion)),
                       QMarginsF(m.left / kTwipsPerPoint, m.top / kTwipsPerPoint,
                                 m.right / kTwipsPerPoint, m.bottom / kTwipsPerPoint),
                       QPageLayout::Point);
}

QPageLayout graphPageLayout(const QSizeF& picture, const QPageSize& size)
{
    const double margin = kGraphMarginTwips / kTwipsPerPoint;
    return QPageLayout(size, qtOrientation(orientationForPicture(picture)),
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
}

// ---------------------------------------------------------------- the list

struct SpreadSection::Metrics {
    QSizeF area;
    double dpi = 0;
    QFont font;
    QFont titleFont;
    std::vector<double> left;  // left edge of each column
    std::vector<double> width; // width of each column
    double tableWidth = 0;
    double rowHeight = 0;
    double titleHeight = 0;
    double pad = 0;
    double baseline = 0; // from a row's top to the text's baseline
    // The cells are set glyph by glyph, a whole page in one run: their texts are
    // plain ASCII, whose glyphs and advances are looked up once.
    QRawFont raw;
    std::array<quint32, 128> glyph{};
    std::array<double, 128> advance{};
    TablePages pages;

    bool settable(const QString& text) const
    {
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            if (u < 32 || u >= advance.size() || glyph[u] == 0)
                return false;
        }
        return true;
    }
    double textWidth(const QString& text) const
    {
        double w = 0;
        for (const QChar ch : text)
            w += advance[ch.unicode()];
        return w;
    }
};

SpreadSection::SpreadSection(std::shared_ptr<const PrintTable> table, int hardVersion,
                             const QPageSize& size)
    : table_(std::move(table)), layout_(spreadPageLayout(hardVersion, size))
{
}

const SpreadSection::Metrics& SpreadSection::measure(QPaintDevice& device, const PageArea& area)
{
    if (metrics_ && metrics_->area == area.size && metrics_->dpi == area.dpi)
        return *metrics_;
    auto m = std::make_shared<Metrics>();
    m->area = area.size;
    m->dpi = area.dpi;
    m->font = printFont(kTableFontPoints, area.dpi, false);
    m->titleFont = printFont(kTitleFontPoints, area.dpi, true);
    const QFontMetricsF fm(m->font, &device);
    const QFontMetricsF titleFm(m->titleFont, &device);
    m->raw = QRawFont::fromFont(m->font);
    for (ushort c = 32; c < m->advance.size(); ++c) {
        const QList<quint32> glyphs = m->raw.glyphIndexesForString(QString(QChar(c)));
        if (glyphs.size() != 1)
            continue;
        m->glyph[c] = glyphs.front();
        m->advance[c] = m->raw.advancesForGlyphIndexes(glyphs).value(0).x();
    }
    const double zero = fm.horizontalAdvance(QLatin1Char('0'));
    m->pad = zero * 0.5;
    double x = 0;
    for (int c = 0; c < table_->columnCount(); ++c) {
        // The list's width, or the heading's where that is wider.
        const double content = std::max(table_->widthChars[static_cast<size_t>(c)] * zero,
                                        fm.horizontalAdvance(table_->headers.value(c)));
        m->left.push_back(x);
        m->width.push_back(content + 2 * m->pad);
        x += m->width.back();
    }
    m->tableWidth = x;
    // Rows as close as the list's grid: the em and a little air, the digits
    // centred by their cap height (the CJK font's own line height is far taller).
    const double em = m->font.pixelSize();
    m->rowHeight = em * 1.45;
    m->baseline = (m->rowHeight + fm.capHeight()) / 2;
    m->titleHeight = titleFm.height() * 2;
    m->pages = paginateTable(table_->rowCount(), area.size, m->tableWidth, m->rowHeight,
                             m->titleHeight + m->rowHeight);
    metrics_ = std::move(m);
    return *metrics_;
}

int SpreadSection::pageCount(QPaintDevice& device, const PageArea& area)
{
    return measure(device, area).pages.pageCount;
}

void SpreadSection::paintPage(QPainter& p, const PageArea& area, int page)
{
    const Metrics& m = measure(*p.device(), area);
    const PrintTable& t = *table_;
    const RowRange rows = rowsOfPage(m.pages, t.rowCount(), page);
    const int columns = t.columnCount();

    p.save();
    p.scale(m.pages.scale, m.pages.scale);
    const double bodyWidth = area.size.width() / m.pages.scale;

    p.setPen(Qt::black);
    p.setFont(m.titleFont);
    const QRectF titleRect(0, 0, bodyWidth, m.titleHeight * 0.7);
    p.drawText(titleRect, Qt::AlignHCenter | Qt::AlignVCenter, spreadPageTitle());
    p.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter, spreadPageNumberText(page + 1));

    // Column headings on grey, centred.
    const double top = m.titleHeight;
    p.fillRect(QRectF(0, top, m.tableWidth, m.rowHeight), QColor(0xe4, 0xe4, 0xe4));
    p.setFont(m.font);
    for (int c = 0; c < columns; ++c)
        p.drawText(QRectF(m.left[static_cast<size_t>(c)], top, m.width[static_cast<size_t>(c)],
                          m.rowHeight),
                   Qt::AlignCenter, t.headers.value(c));

    // The cells, right-aligned, as one run of glyphs (any cell the run cannot
    // set is drawn as text).
    QList<quint32> glyphs;
    QList<QPointF> positions;
    for (int r = 0; r < rows.count; ++r) {
        const double y = top + m.rowHeight * (r + 1) + m.baseline;
        for (int c = 0; c < columns; ++c) {
            const QString& text = t.cell(rows.first + r, c);
            if (text.isEmpty())
                continue;
            const double right =
                m.left[static_cast<size_t>(c)] + m.width[static_cast<size_t>(c)] - m.pad;
            if (!m.settable(text)) {
                const QFontMetricsF fm(m.font, p.device());
                p.drawText(QPointF(right - fm.horizontalAdvance(text), y), text);
                continue;
            }
            double x = right - m.textWidth(text);
            for (const QChar ch : text) {
                if (ch != QLatin1Char(' ')) {
                    glyphs.append(m.glyph[ch.unicode()]);
                    positions.append(QPointF(x, y));
                }
                x += m.advance[ch.unicode()];
            }
        }
    }
    if (!glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m.raw);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        p.drawGlyphRun(QPointF(0, 0), run);
    }

    // The grid: half a point wide, as the paper's resolution allows.
    std::vector<QLineF> lines;
    const double bottom = top + m.rowHeight * (rows.count + 1);
    for (int r = 0; r <= rows.count + 1; ++r)
        lines.emplace_back(0, top + m.rowHeight * r, m.tableWidth, top + m.rowHeight * r);
    for (int c = 0; c < columns; ++c)
        lines.emplace_back(m.left[static_cast<size_t>(c)], top, m.left[static_cast<size_t>(c)],
                           bottom);
    lines.emplace_back(m.tableWidth, top, m.tableWidth, bottom);
    p.setPen(QPen(Qt::black, m.dpi / 144.0 / m.pages.scale));
    p.drawLines(lines.data(), static_cast<int>(lines.size()));
    p.restore();
}

// ---------------------------------------------------------------- the graph

GraphPictures printColours(GraphPictures pics)
{
    pics.PicGraphBase.BackColor = Qt::white;
    pics.PicGraph.BackColor = Qt::white;
    pics.PicBottomBar.BackColor = Qt::white;
    for (GraphPicture& bar : pics.PicLeftBar)
        bar.BackColor = Qt::white;
    return pics;
}

GraphSection::GraphSection(const GraphScene& scene, GraphSheetHead head, int hardVersion,
                           Services& svc, const QPageSize& size)
    : scene_(scene), head_(std::move(head)), hardVersion_(hardVersion), svc_(svc),
      layout_(graphPageLayout(QSizeF(2, 1), size)) // the sheet is wider than high
{
}

void GraphSection::paintPage(QPainter& p, const PageArea& area, int)
{
    paintGraphSheet(p, QRectF(QPointF(0, 0), area.size), area.dpi, head_, scene_.scene(),
                    hardVersion_, svc_);
}

// ---------------------------------------------------------------- the pages

namespace {

// The printable area of a device that keeps its own layout.
PageArea deviceArea(QPagedPaintDevice& device)
{
    return {QSizeF(device.width(), device.height()), static_cast<double>(device.logicalDpiY())};
}

} // namespace

PaintOutcome paintSections(QPagedPaintDevice& device, const std::vector<PrintSection*>& sections,
                           bool applyLayouts, const PageProgress& progress)
{
    std::vector<PrintSection*> parts;
    for (PrintSection* s : sections)
        if (s)
            parts.push_back(s);
    if (parts.empty())
        return PaintOutcome::Failed;
    const double dpi = device.logicalDpiY();
    // Every section's area and pages first, so that the progress knows the whole.
    std::vector<PageArea> areas;
    std::vector<int> counts;
    int total = 0;
    for (PrintSection* section : parts) {
        areas.push_back(applyLayouts
                            ? PageArea{QSizeF(section->pageLayout()
                                                  .paintRectPixels(static_cast<int>(dpi))
                                                  .size()),
                                       dpi}
                            : deviceArea(device));
        counts.push_back(section->pageCount(device, areas.back()));
        total += counts.back();
    }
    if (applyLayouts && !device.setPageLayout(parts.front()->pageLayout()))
        return PaintOutcome::Failed;
    QPainter p;
    if (!p.begin(&device))
        return PaintOutcome::Failed;
    int done = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        // A section's layout takes effect with its first page.
        if (applyLayouts && done > 0 && !device.setPageLayout(parts[i]->pageLayout())) {
            p.end();
            return PaintOutcome::Failed;
        }
        for (int page = 0; page < counts[i]; ++page, ++done) {
            if (progress && !progress(done, total)) {
                p.end();
                return PaintOutcome::Stopped;
            }
            if (done > 0 && !device.newPage()) {
                p.end();
                return PaintOutcome::Failed;
            }
            parts[i]->paintPage(p, areas[i], page);
        }
    }
    return p.end() ? PaintOutcome::Done : PaintOutcome::Failed;
}

std::vector<DocumentPage> documentPages(QPagedPaintDevice& printer,
                                        const std::vector<PrintSection*>& sections)
{
    std::vector<DocumentPage> pages;
    const PageArea area = deviceArea(printer);
    for (PrintSection* section : sections) {
        if (!section)
            continue;
        const int count = section->pageCount(printer, area);
        for (int page = 0; page < count; ++page)
            pages.push_back({section, page});
    }
    return pages;
}

QImage previewPageImage(QPagedPaintDevice& printer, const DocumentPage& page, double dpi)
{
    const QPageLayout layout = printer.pageLayout();
    const int whole = static_cast<int>(std::lround(dpi));
    QImage image(layout.fullRectPixels(whole).size(), QImage::Format_RGB32);
    if (image.isNull() || !page.section)
        return image;
    image.fill(Qt::white);
    const PageArea area = deviceArea(printer);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(layout.paintRectPixels(whole).topLeft());
    p.scale(dpi / area.dpi, dpi / area.dpi);
    p.setClipRect(QRectF(QPointF(0, 0), area.size));
    page.section->paintPage(p, area, page.page);
    p.end();
    return image;
}

} // namespace quellin
