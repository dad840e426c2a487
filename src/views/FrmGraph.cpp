#include "views/FrmGraph.h"

#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/FrmGraphParts.h"
#include "views/FrmScaleX.h"
#include "views/FrmScaleY.h"
#include "views/GraphColours.h"
#include "views/GraphCursor.h"
#include "views/GraphLive.h"
#include "views/GraphScale.h"
#include "views/GraphScene.h"
#include "views/GraphWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QPixmap>
#include <QRubberBand>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

// The window is laid out in twips as designed, at 96 dpi.
constexpr double kTwipsPerPixel = 15.0;
// The colour sample beside each legend name, in pixels.
constexpr int kLegendSample = 8;
constexpr int kLegendMargin = 4;
constexpr int kLegendSpacing = 1;
// One notch of the wheel, one + or −, shows this much of the span.
constexpr double kWheelZoom = 0.8;
// An arrow key moves the view by this much of its span.
constexpr double kKeyPan = 0.25;
// A press that moves less than this (pixels) is a click, not a drag.
constexpr int kDragThreshold = 4;

int px(int twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
int tw(int pixels)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}
QRect pxRect(const TwipsRect& r)
{
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

// The window's client area: every resize lays the window out again.
class GraphBody : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (onResize)
            onResize();
    }
};

// Runs one step of a handler; an error shows in the status bar and the next step
// still runs (a double-click or a page never ends the program).
template <class Step> void attempt(Context& ctx, const char* name, Step&& step)
{
    trapped(
        ctx, name, false,
        [&] {
            step();
            return true;
        },
        ReportTo::StatusBar);
}

} // namespace

FrmGraph::FrmGraph(Context& ctx, GraphHost& host, QWidget* parent)
    : QMdiSubWindow(parent), ctx_(ctx), host_(host)
{
    setObjectName(QStringLiteral("FrmGraph"));
    setWindowTitle(graphCaptionText());
    setAttribute(Qt::WA_DeleteOnClose);
    runDialog = [](QDialog& d) { return d.exec(); };

    auto* body = new GraphBody(this);
    body_ = body;
    setWidget(body_);
    design_ = graphFormDesign(ctx_.app.HardVersion);
    layout_ = initialGraphLayout(design_);
    seriesNames_ = shownSeriesNames(ctx_.cat);
    buildGraph(body_);
    buildInfo(body_);
    buildLegend(body_);

    applyVersionLayout();
    host_.setGraphMenuChecked(true);
    for (int s = 0; s <= std::min(ctx_.cat.SeriesLast, kMaxSeries - 1); ++s) {
        const bool shown = static_cast<size_t>(s) < ctx_.cat.SeriesShown.size() &&
                           ctx_.cat.SeriesShown[static_cast<size_t>(s)];
        ChkDisp[static_cast<size_t>(s)]->setChecked(shown);
        PicLeftBar[static_cast<size_t>(s)]->setVisible(shown);
    }
    const GraphPlacement place = readGraphPlacement(ctx_.settings, ctx_.app.HardVersion);
    setGeometry(px(place.left), px(place.top), px(place.width), px(place.height));
    normalGeometry_ = geometry();

    body->onResize = [this] { relayout(); };
    loaded_ = true;
    relayout();
    // Reopened over a data set (a load, a download, an ended measurement): its
    // summary at once, not only after the next change.
    showSummary(ctx_.app.DataPresent ? GraphSummary::Filled : GraphSummary::Empty);
}

FrmGraph* FrmGraph::open(QMdiArea& area, Context& ctx, GraphHost& host)
{
    auto* frm = new FrmGraph(ctx, host);
    const QRect placed = frm->geometry();
    area.addSubWindow(frm);
    frm->setGeometry(placed);
    frm->show();
    switch (readGraphPlacement(ctx.settings, ctx.app.HardVersion).state) {
    case 1:
        frm->showMinimized();
        break;
    case 2:
        frm->showMaximized();
        break;
    default:
        break;
    }
    return frm;
}

void FrmGraph::buildGraph(QWidget* body)
{
    PicGraphBase = new GraphCanvas(body);
    PicGraphBase->setObjectName(QStringLiteral("PicGraphBase"));
    PicGraphBase->BackColor = buttonFaceColour();
    const auto& colours = seriesDesignColours();
    for (int s = 0; s < kMaxSeries; ++s) {
        auto* bar =
            new GraphPictureBox(buttonFaceColour(), colours[static_cast<size_t>(s)], PicGraphBase);
        bar->onDoubleClick = [this, s] { editYAxis(s); };
        bar->setMouseTracking(true);
        bar->onMouseMove = [this, s](QPoint) { ySeries_ = s; };
        bar->setToolTip(TX("ダブルクリックでＹ軸スケール設定"));
        bar->hide();
        bar->setObjectName(QStringLiteral("PicLeftBar%1").arg(s));
        PicLeftBar[static_cast<size_t>(s)] = bar;
    }
    PicGraph = new GraphPictureBox(plotDesignBackColour(), Qt::white, PicGraphBase);
    PicGraph->setObjectName(QStringLiteral("PicGraph"));
    PicGraph->setMouseTracking(true);
    PicGraph->onMouseMove = [this](QPoint p) {
        if (!cursorKept_)
            showCursorAt(p.x());
    };
    PicGraph->onPress = [this](QMouseEvent& e) { plotPressed(e); };
    PicGraph->onDrag = [this](QMouseEvent& e) { plotDragged(e); };
    PicGraph->onRelease = [this](QMouseEvent& e) { plotReleased(e); };
    PicGraph->onWheel = [this](QWheelEvent& e) {
        const double notches = e.angleDelta().y() / 120.0;
        if (notches != 0 && PicGraph->width() > 0)
            zoomBy(std::pow(kWheelZoom, notches), e.position().x() / PicGraph->width());
    };
    PicGraph->setFocusPolicy(Qt::ClickFocus);
    PicGraph->onLeave = [this] { leavePlot(); };
    band_ = new QRubberBand(QRubberBand::Rectangle, PicGraph);
    cursor_ = new GraphCursorView(PicGraphBase);
    cursor2_ = new GraphCursorView(PicGraphBase);
    cursor2_->boxAtFoot = true;
    cursor2_->hide();
    PicBottomBar = new GraphPictureBox(buttonFaceColour(), Qt::black, PicGraphBase);
    PicBottomBar->setObjectName(QStringLiteral("PicBottomBar"));
    PicBottomBar->onDoubleClick = [this] { editTimeAxis(); };
    PicBottomBar->setToolTip(TX("ダブルクリックでＸ軸スケール設定"));
    UDGraph = new GraphPager(PicGraphBase);
    UDGraph->setObjectName(QStringLiteral("UDGraph"));
    UDGraph->onStep = [this](int direction) { page(direction); };
}

void FrmGraph::buildInfo(QWidget* body)
{
    PicInfo = new QWidget(body);
    PicInfo->setObjectName(QStringLiteral("PicInfo"));
    auto* grid = new QGridLayout(PicInfo);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    const std::array<QString, 3> captions = graphInfoCaptions();
    for (size_t i = 0; i < 3; ++i) {
        LblGraphInfoCaption[i] = new QLabel(captions[i], PicInfo);
        LblGraphInfo[i] = new QLabel(PicInfo);
        LblGraphInfo[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        LblGraphInfoCaption[i]->setObjectName(QStringLiteral("LblGraphInfoCaption%1").arg(i));
        LblGraphInfo[i]->setObjectName(QStringLiteral("LblGraphInfo%1").arg(i));
    }
    grid->addWidget(LblGraphInfoCaption[0], 0, 0);
    grid->addWidget(LblGraphInfo[0], 0, 1, 1, 3);
    grid->addWidget(LblGraphInfoCaption[1], 1, 0);
    grid->addWidget(LblGraphInfo[1], 1, 1);
    grid->addWidget(LblGraphInfoCaption[2], 1, 2);
    grid->addWidget(LblGraphInfo[2], 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);
}

void FrmGraph::buildLegend(QWidget* body)
{
    PicHanrei = new QWidget(body);
    PicHanrei->setObjectName(QStringLiteral("PicHanrei"));
    for (int s = 0; s < kMaxSeries; ++s) {
        auto* box = new QCheckBox(shownSeriesName(ctx_.cat, s), PicHanrei);
        box->setIconSize(QSize(kLegendSample, kLegendSample));
        connect(box, &QCheckBox::clicked, this, [this, s](bool on) { seriesClicked(s, on); });
        box->setObjectName(QStringLiteral("ChkDisp%1").arg(s));
        ChkDisp[static_cast<size_t>(s)] = box;
    }
    LblOverlay = new QLabel(PicHanrei);
    LblOverlay->setObjectName(QStringLiteral("LblOverlay"));
    LblOverlay->hide();
    // The version-1 items on the first row, the version-2 ones on a second; each
    // row as wide as its own names, so that nine names with their colour samples
    // fit the designed width.
    std::vector<int> rowOf(kMaxSeries);
    for (int s = 0; s < kMaxSeries; ++s)
        rowOf[static_cast<size_t>(s)] = s < 9 ? 0 : 1;
    placeLegend(rowOf);
}

void FrmGraph::placeLegend(const std::vector<int>& rowOf)
{
    delete PicHanrei->layout();
    auto* rows = new QVBoxLayout(PicHanrei);
    rows->setContentsMargins(kLegendMargin, 0, kLegendMargin, 0);
    rows->setSpacing(0);
    const int count = std::max(2, *std::max_element(rowOf.begin(), rowOf.end()) + 1);
    std::vector<QHBoxLayout*> row;
    for (int r = 0; r < count; ++r) {
        row.push_back(new QHBoxLayout);
        row.back()->setSpacing(kLegendSpacing);
        rows->addLayout(row.back());
    }
    for (int s = 0; s < kMaxSeries; ++s)
        row[static_cast<size_t>(rowOf[static_cast<size_t>(s)])]->addWidget(ChkDisp[static_cast<size_t>(s)]);
    for (QHBoxLayout* r : row)
        r->addStretch(1);
    row[1]->addWidget(LblOverlay);
    legendRowOf_ = rowOf;
}

bool FrmGraph::flowLegend()
{
    std::vector<int> widths;
    std::vector<int> series;
    int firstOfSecondRow = -1;
    for (int s = 0; s < kMaxSeries; ++s) {
        const QCheckBox* box = ChkDisp[static_cast<size_t>(s)];
        if (box->isHidden())
            continue;
        if (s >= 9 && firstOfSecondRow < 0)
            firstOfSecondRow = static_cast<int>(widths.size());
        // The colour sample comes with the first drawing: its room counted before.
        widths.push_back(box->sizeHint().width() + (box->icon().isNull() ? kLegendSample + 4 : 0));
        series.push_back(s);
    }
    const int room = px(layout_.PicHanrei.width) - 2 * kLegendMargin;
    const std::vector<int> placed =
        legendRows(widths, room, kLegendSpacing,
                   firstOfSecondRow < 0 ? static_cast<int>(widths.size()) : firstOfSecondRow);
    // A hidden box keeps the row of the one before it; it takes no room there.
    std::vector<int> rowOf(kMaxSeries, 0);
    int row = 0;
    for (size_t k = 0, s = 0; s < rowOf.size(); ++s) {
        if (k < series.size() && series[k] == static_cast<int>(s))
            row = placed[k++];
        rowOf[s] = row;
    }
    if (rowOf != legendRowOf_)
        placeLegend(rowOf);
    const int rows = placed.empty() ? 1 : placed.back() + 1;
    const int height = legendHeight(design_, ctx_.app.HardVersion, rows);
    if (height == layout_.PicHanrei.height)
        return false;
    layout_.PicHanrei.height = height;
    return true;
}

void FrmGraph::applyVersionLayout()
{
    const bool v2 = ctx_.app.HardVersion >= 2;
    for (int s = 9; s < kMaxSeries; ++s) {
        ChkDisp[static_cast<size_t>(s)]->setVisible(v2);
        PicLeftBar[static_cast<size_t>(s)]->hide();
    }
    // Series beyond the catalogue have no box at all.
    for (int s = ctx_.cat.SeriesLast + 1; s < kMaxSeries; ++s)
        if (s >= 0)
            ChkDisp[static_cast<size_t>(s)]->hide();
}

void FrmGraph::relayout()
{
    if (!loaded_)
        return;
    std::array<bool, kMaxSeries> visible{};
    for (int s = 0; s < kMaxSeries; ++s)
        visible[static_cast<size_t>(s)] = !PicLeftBar[static_cast<size_t>(s)]->isHidden();
    layout_ = layoutGraphWindow(tw(body_->width()), tw(body_->height()), design_, visible, layout_);
    // Names longer than the designed ones (English) may need more legend rows.
    if (flowLegend())
        layout_ = layoutGraphWindow(tw(body_->width()), tw(body_->height()), design_, visible, layout_);
    PicGraphBase->setGeometry(pxRect(layout_.PicGraphBase));
    PicInfo->setGeometry(pxRect(layout_.PicInfo));
    PicHanrei->setGeometry(pxRect(layout_.PicHanrei));
    for (int s = 0; s < kMaxSeries; ++s)
        PicLeftBar[static_cast<size_t>(s)]->setGeometry(
            pxRect(layout_.PicLeftBar[static_cast<size_t>(s)]));
    PicGraph->setGeometry(pxRect(layout_.PicGraph));
    cursor_->setGeometry(PicGraph->geometry());
    cursor2_->setGeometry(PicGraph->geometry());
    PicBottomBar->setGeometry(pxRect(layout_.PicBottomBar));
    UDGraph->setGeometry(pxRect(layout_.UDGraph));
    redraw();
}

GraphPictures FrmGraph::pictures() const
{
    GraphPictures pics;
    pics.twipsPerPixel = kTwipsPerPixel;
    pics.PicGraphBase = {QRect(QPoint(0, 0), PicGraphBase->size()), PicGraphBase->BackColor,
                         Qt::black, true};
    auto picture = [](const GraphPictureBox* box) {
        return GraphPicture{box->geometry(), box->BackColor, box->ForeColor, !box->isHidden()};
    };
    for (int s = 0; s < kMaxSeries; ++s)
        pics.PicLeftBar[static_cast<size_t>(s)] = picture(PicLeftBar[static_cast<size_t>(s)]);
    pics.PicGraph = picture(PicGraph);
    pics.PicBottomBar = picture(PicBottomBar);
    return pics;
}

const QImage& FrmGraph::graphImage() const
{
    return PicGraphBase->image;
}

void FrmGraph::redraw()
{
    if (!PicGraphBase || PicGraphBase->width() <= 0 || PicGraphBase->height() <= 0)
        return;
    setCursor(Qt::WaitCursor);
    const qreal dpr = std::max<qreal>(1.0, devicePixelRatioF());
    QImage image = std::move(PicGraphBase->image);
    if (image.size() != PicGraphBase->size() * dpr || image.devicePixelRatio() != dpr) {
        image = QImage(PicGraphBase->size() * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
    }
    const GraphScene scene = currentGraphScene(ctx_, pictures());
    DrawGraph(scene, image, layer_, ctx_.svc);
    if (overlay_) {
        attempt(ctx_, "LoadGraphWindow", [&] { loadOverlayWindow(); });
        GraphScene over = graphScene(overlayWindow_, *overlay_, ctx_.cat, pictures());
        over.overlay = true;
        DrawGraphCurves(over, image, ctx_.svc);
    }
    PicLeftBar[7]->ForeColor = scene.pictures.PicLeftBar[7].ForeColor;
    PicGraphBase->image = std::move(image);
    PicGraphBase->update();
    colourLegend();
    // The values under a cursor change with the window and the points.
    if (cursor_->isVisible())
        showCursorAt(cursor_->cursorX());
    showCursorPair();
    unsetCursor();
}

void FrmGraph::colourLegend()
{
    if (legendPlotColour_ == PicGraph->BackColor)
        return;
    legendPlotColour_ = PicGraph->BackColor;
    const GraphPictures pics = pictures();
    for (int s = 0; s < kMaxSeries; ++s) {
        QPixmap sample(kLegendSample, kLegendSample);
        sample.fill(seriesCurveColour(pics.PicLeftBar[static_cast<size_t>(s)], pics.PicGraph));
        QPainter frame(&sample);
        frame.setPen(QColor(64, 64, 64));
        frame.drawRect(0, 0, kLegendSample - 1, kLegendSample - 1);
        frame.end();
        ChkDisp[static_cast<size_t>(s)]->setIcon(QIcon(sample));
    }
}

void FrmGraph::showCursorAt(int x)
{
    const CursorReadout readout =
        cursorReadout(ctx_.graphWindow(), ctx_.dataSet(), ctx_.cat, tw(x), tw(PicGraph->width()),
                      &seriesNames_);
    if (!readout.valid) {
        cursor_->hide();
        return;
    }
    const GraphPictures pics = pictures();
    std::vector<GraphCursorView::Line> lines{{readout.timeText, QColor()}};
    for (const CursorReading& r : readout.readings)
        lines.push_back({r.text, seriesCurveColour(pics.PicLeftBar[static_cast<size_t>(r.series)],
                                                   pics.PicGraph)});
    if (overlay_)
        for (const CursorReading& r : readout.readings) {
            const auto v =
                seriesValueAt(overlayWindow_, overlay_->SampleInterval(), r.series, readout.time);
            const QString name = seriesNames_.value(r.series);
            lines.push_back(
                {TX("比較 %1 %2 %3")
                     .arg(name,
                          v && !std::isnan(*v) ? seriesValueText(ctx_.cat, r.series, *v)
                                               : TX("－"),
                          seriesUnitText(ctx_.cat, r.series)),
                 overlayColour(seriesCurveColour(pics.PicLeftBar[static_cast<size_t>(r.series)],
                                                 pics.PicGraph),
                               pics.PicGraph.BackColor)});
        }
    cursor_->showAt(static_cast<int>(std::lround(readout.x / kTwipsPerPixel)), std::move(lines),
                    PicGraph->BackColor);
}

void FrmGraph::clickPlot(int x)
{
    cursorKept_ = !cursorKept_;
    showCursorAt(x);
    showCursorPair();
}

std::optional<int> FrmGraph::plotX(double time) const
{
    const GraphWindowState& window = ctx_.graphWindow();
    const long long span = vbdate::secondsBetween(window.GraphStart, window.GraphEnd);
    const long long at = vbdate::secondsBetween(window.GraphStart, time);
    if (span <= 0 || at < 0 || at > span)
        return std::nullopt;
    // The sample positions the cursor snaps to, as cursorReadout lays them out.
    const CursorReadout first =
        cursorReadout(window, ctx_.dataSet(), ctx_.cat, 0, tw(PicGraph->width()));
    const CursorReadout last = cursorReadout(window, ctx_.dataSet(), ctx_.cat,
                                             tw(PicGraph->width()), tw(PicGraph->width()));
    if (!first.valid || !last.valid)
        return std::nullopt;
    const long long whole = vbdate::secondsBetween(first.time, last.time);
    if (whole <= 0)
        return std::nullopt;
    return static_cast<int>(std::lround(last.x * static_cast<double>(at) /
                                        static_cast<double>(whole) / kTwipsPerPixel));
}

void FrmGraph::setSecondCursor(double time)
{
    if (!cursor_->isVisible())
        return; // the first cursor comes first
    cursorKept_ = true;
    secondTime_ = time;
    showCursorPair();
}

void FrmGraph::clearSecondCursor()
{
    secondTime_.reset();
    cursor2_->hide();
}

void FrmGraph::toggleSecondCursor()
{
    if (secondTime_) {
        clearSecondCursor();
        return;
    }
    const int w = PicGraph->width();
    if (!cursor_->isVisible())
        showCursorAt(w / 4);
    const CursorReadout r =
        cursorReadout(ctx_.graphWindow(), ctx_.dataSet(), ctx_.cat, tw(3 * w / 4), tw(w));
    if (r.valid)
        setSecondCursor(r.time);
}

std::optional<CursorPairReadout> FrmGraph::cursorPair() const
{
    if (!secondTime_ || !cursor_->isVisible())
        return std::nullopt;
    const CursorReadout first = cursorReadout(ctx_.graphWindow(), ctx_.dataSet(), ctx_.cat,
                                              tw(cursor_->cursorX()), tw(PicGraph->width()));
    if (!first.valid)
        return std::nullopt;
    const DataSet& data = ctx_.dataSet();
    const EnergyKey key{vbdate::secondsBetween(0.0, first.time),
                        vbdate::secondsBetween(0.0, *secondTime_), data.RecordCount()};
    if (!(key == energyKey_)) {
        energy_ = energyBetween(recordsBetween(data, first.time, *secondTime_),
                                data.SampleInterval(), first.time, *secondTime_);
        energyKey_ = key;
    }
    return cursorPairReadout(ctx_.graphWindow(), data, ctx_.cat, first.time, *secondTime_, energy_);
}

void FrmGraph::showCursorPair()
{
    if (!secondTime_)
        return;
    std::optional<CursorPairReadout> pair;
    attempt(ctx_, "GraphCursor", [&] { pair = cursorPair(); });
    const std::optional<int> x = plotX(*secondTime_);
    if (!pair || !x) {
        cursor2_->hide();
        return;
    }
    std::vector<GraphCursorView::Line> lines;
    for (const QString& text : pair->lines)
        lines.push_back({text, QColor()});
    cursor2_->showAt(*x, std::move(lines), PicGraph->BackColor);
}

void FrmGraph::setOverlay(DataSet data, const QString& name, bool alignToStart)
{
    const DataSet& current = ctx_.dataSet();
    overlayOffset_ = alignToStart && current.RecordCount() > 0
                         ? vbdate::secondsBetween(data.FirstTime(), current.FirstTime())
                         : 0;
    overlay_.emplace(std::move(data));
    overlayWindow_ = GraphWindowState{};
    LblOverlay->setText(TX("比較表示（破線）：%1　%2")
                            .arg(name, alignToStart ? TX("開始を揃えて表示")
                                                    : TX("元の時刻で表示")));
    LblOverlay->show();
    redraw();
}

void FrmGraph::clearOverlay()
{
    overlay_.reset();
    overlayWindow_ = GraphWindowState{};
    LblOverlay->hide();
    redraw();
}

void FrmGraph::loadOverlayWindow()
{
    const GraphWindowState& window = ctx_.graphWindow();
    overlayWindow_.GraphStart = vbdate::addSeconds(window.GraphStart, -overlayOffset_);
    overlayWindow_.GraphEnd = vbdate::addSeconds(window.GraphEnd, -overlayOffset_);
    overlay_->LoadGraphWindow(overlayWindow_, ctx_.cat.SeriesLast, ctx_.app.HardVersion);
    // Drawn and read at the times of the current window.
    for (int i = 1; i <= overlayWindow_.GraphPoints; ++i)
        overlayWindow_.GraphTimes[static_cast<size_t>(i)] =
            vbdate::addSeconds(overlayWindow_.GraphTimes[static_cast<size_t>(i)], overlayOffset_);
    overlayWindow_.GraphStart = window.GraphStart;
    overlayWindow_.GraphEnd = window.GraphEnd;
    bfGraph_Abs(ctx_.svc, ctx_.cat, overlayWindow_);
}

void FrmGraph::reportCursorPeriod()
{
    if (const auto pair = cursorPair())
        host_.reportPeriod(pair->first, pair->second);
}

void FrmGraph::leavePlot()
{
    if (!cursorKept_)
        cursor_->hide();
}

void FrmGraph::refresh()
{
    attempt(ctx_, "LoadGraphWindow", [&] {
        stepLiveWindow(ctx_);
        LoadGraphWindow(ctx_);
    });
    attempt(ctx_, "GraphAutoScale", [&] { applyLiveScale(ctx_); });
    redraw();
    showSummary(GraphSummary::Filled);
}

void FrmGraph::showSummary(GraphSummary summary)
{
    const auto texts = graphSummaryTexts(ctx_.dataSet(), summary);
    for (size_t i = 0; i < 3; ++i)
        LblGraphInfo[i]->setText(texts[i]);
}

void FrmGraph::autoScale()
{
    attempt(ctx_, "GraphAutoScale", [&] { GraphAutoScale(ctx_); });
}

void FrmGraph::setBackColours(const QColor& frame, const QColor& plot)
{
    PicGraphBase->BackColor = frame;
    PicBottomBar->BackColor = frame;
    for (auto* bar : PicLeftBar)
        bar->BackColor = frame;
    PicGraph->BackColor = plot;
}

void FrmGraph::page(int direction)
{
    attempt(ctx_, "SetGraphWindow", [&] { pageGraphWindow(ctx_, direction); });
    attempt(ctx_, "LoadGraphWindow", [&] { LoadGraphWindow(ctx_); });
    attempt(ctx_, "DrawGraph", [&] { redraw(); });
}

bool FrmGraph::zoomed() const
{
    return ctx_.graphWindow().GraphSpan > 0;
}

void FrmGraph::showView(const TimeView& view)
{
    attempt(ctx_, "SetGraphWindow", [&] {
        GraphWindowState& window = ctx_.graphWindow();
        if (window.GraphSpan <= 0)
            homeStart_ = window.GraphStart;
        window.GraphStart = view.start;
        window.GraphSpan = view.span;
        SetGraphWindow(ctx_, 0);
        if (ctx_.app.Measuring)
            window.GraphFollowing = followsAfterPaging(window.GraphEnd, ctx_.dataSet().LastTime());
    });
    attempt(ctx_, "LoadGraphWindow", [&] { LoadGraphWindow(ctx_); });
    attempt(ctx_, "DrawGraph", [&] { redraw(); });
}

namespace {

ZoomLimits zoomLimits(const DataSet& data)
{
    return {data.FirstTime(), data.LastTime(), data.SampleInterval()};
}

TimeView shownView(const GraphWindowState& window)
{
    return {window.GraphStart, window.GraphSpan > 0
                                   ? window.GraphSpan
                                   : vbdate::secondsBetween(window.GraphStart, window.GraphEnd)};
}

} // namespace

void FrmGraph::zoomBy(double factor, double fraction)
{
    if (ctx_.dataSet().RecordCount() < 1)
        return;
    showView(
        zoomAbout(shownView(ctx_.graphWindow()), fraction, factor, zoomLimits(ctx_.dataSet())));
}

void FrmGraph::panBy(double fraction)
{
    if (ctx_.dataSet().RecordCount() < 1)
        return;
    showView(quellin::panBy(shownView(ctx_.graphWindow()), fraction, zoomLimits(ctx_.dataSet())));
}

void FrmGraph::showWholeData()
{
    if (ctx_.dataSet().RecordCount() < 1)
        return;
    showView(wholeView(zoomLimits(ctx_.dataSet())));
}

void FrmGraph::zoomValues(int s, double fromFraction, double toFraction)
{
    Catalog& cat = ctx_.cat;
    if (s < 0 || !flagAt(cat.SeriesShown, s) || seriesKind(s) == SeriesKind::PowerFactor ||
        static_cast<size_t>(s) >= cat.SeriesYMin.size() ||
        static_cast<size_t>(s) >= cat.SeriesYMax.size())
        return;
    const auto i = static_cast<size_t>(s);
    if (std::none_of(savedAxes_.begin(), savedAxes_.end(),
                     [s](const SavedAxis& a) { return a.series == s; }))
        savedAxes_.push_back({s, cat.SeriesYMin[i], cat.SeriesYMax[i], flagAt(cat.SeriesFitted, s),
                              flagAt(cat.SeriesScaleChosen, s)});
    const ValueRange range =
        zoomValueRange(cat.SeriesYMin[i], cat.SeriesYMax[i], fromFraction, toFraction);
    cat.SeriesYMin[i] = range.ymin;
    cat.SeriesYMax[i] = range.ymax;
    // Labels by the zoomed range's own step, and no automatic scale undoing it.
    if (i < cat.SeriesFitted.size())
        cat.SeriesFitted[i] = true;
    if (i < cat.SeriesScaleChosen.size())
        cat.SeriesScaleChosen[i] = true;
}

void FrmGraph::restoreValues()
{
    Catalog& cat = ctx_.cat;
    for (const SavedAxis& a : savedAxes_) {
        const auto i = static_cast<size_t>(a.series);
        cat.SeriesYMin[i] = a.ymin;
        cat.SeriesYMax[i] = a.ymax;
        if (i < cat.SeriesFitted.size())
            cat.SeriesFitted[i] = a.fitted;
        if (i < cat.SeriesScaleChosen.size())
            cat.SeriesScaleChosen[i] = a.chosen;
    }
    savedAxes_.clear();
}

void FrmGraph::restoreView()
{
    if (!savedAxes_.empty()) {
        restoreValues();
        if (!zoomed()) {
            redraw();
            return;
        }
    }
    if (!zoomed())
        return;
    attempt(ctx_, "SetGraphWindow", [&] {
        GraphWindowState& window = ctx_.graphWindow();
        window.GraphSpan = 0;
        window.GraphStart = homeStart_;
        SetGraphWindow(ctx_, 0);
        if (ctx_.app.Measuring) {
            window.GraphFollowing = followsAfterPaging(window.GraphEnd, ctx_.dataSet().LastTime());
            stepLiveWindow(ctx_);
        }
    });
    attempt(ctx_, "LoadGraphWindow", [&] { LoadGraphWindow(ctx_); });
    attempt(ctx_, "DrawGraph", [&] { redraw(); });
}

void FrmGraph::plotPressed(QMouseEvent& event)
{
    if (drag_ != Drag::None)
        return;
    dragFrom_ = event.position().toPoint();
    dragMoved_ = false;
    dragView_ = shownView(ctx_.graphWindow());
    if (event.button() == Qt::LeftButton)
        drag_ = Drag::Zoom;
    else if (event.button() == Qt::MiddleButton || event.button() == Qt::RightButton)
        drag_ = Drag::Pan;
}

void FrmGraph::plotDragged(QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    if (drag_ == Drag::None)
        return;
    if (!dragMoved_ && (at - dragFrom_).manhattanLength() < kDragThreshold)
        return;
    dragMoved_ = true;
    if (drag_ == Drag::Zoom) {
        band_->setGeometry(QRect(dragFrom_, at).normalized());
        band_->show();
    } else if (PicGraph->width() > 0 && ctx_.dataSet().RecordCount() >= 1) {
        // The data follows the pointer: dragging right shows earlier times.
        const double moved = static_cast<double>(dragFrom_.x() - at.x()) / PicGraph->width();
        showView(quellin::panBy(dragView_, moved, zoomLimits(ctx_.dataSet())));
    }
}

void FrmGraph::plotReleased(QMouseEvent& event)
{
    const Drag drag = drag_;
    drag_ = Drag::None;
    band_->hide();
    const QPoint at = event.position().toPoint();
    if (drag == Drag::Zoom && !dragMoved_) {
        if (event.modifiers() & Qt::ShiftModifier) {
            const CursorReadout r = cursorReadout(ctx_.graphWindow(), ctx_.dataSet(), ctx_.cat,
                                                  tw(at.x()), tw(PicGraph->width()));
            if (r.valid)
                setSecondCursor(r.time);
        } else {
            clickPlot(at.x());
        }
        return;
    }
    if (drag == Drag::Zoom && (event.modifiers() & Qt::ShiftModifier) && PicGraph->height() > 0)
        zoomValues(ySeries_, static_cast<double>(dragFrom_.y()) / PicGraph->height(),
                   static_cast<double>(at.y()) / PicGraph->height());
    if (drag == Drag::Zoom && PicGraph->width() > 0 && ctx_.dataSet().RecordCount() >= 1)
        showView(zoomToRange(dragView_, static_cast<double>(dragFrom_.x()) / PicGraph->width(),
                             static_cast<double>(at.x()) / PicGraph->width(),
                             zoomLimits(ctx_.dataSet())));
}

void FrmGraph::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        panBy(-kKeyPan);
        break;
    case Qt::Key_Right:
        panBy(kKeyPan);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kWheelZoom, 0.5);
        break;
    case Qt::Key_Minus:
        zoomBy(1 / kWheelZoom, 0.5);
        break;
    case Qt::Key_Home:
        restoreView();
        break;
    case Qt::Key_Escape:
        clearSecondCursor();
        break;
    default:
        QMdiSubWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FrmGraph::editTimeAxis()
{
    attempt(ctx_, "FrmScaleX", [&] {
        FrmScaleX dialog(ctx_, this);
        dialog.prepare(scaleXSetup(ctx_.dataSet(), ctx_.graphWindow(), ctx_.app.GraphXHani));
        if (runDialog(dialog) == QDialog::Accepted)
            redraw();
    });
}

void FrmGraph::editYAxis(int s)
{
    attempt(ctx_, "FrmScaleY", [&] {
        const ScaleYSetup setup = scaleYSetup(ctx_, s);
        if (!setup.refusal.isEmpty()) {
            ctx_.svc.msg.info(setup.refusal);
            return;
        }
        FrmScaleY dialog(ctx_, s, this);
        dialog.prepare(setup);
        if (runDialog(dialog) == QDialog::Accepted)
            redraw();
    });
}

void FrmGraph::seriesClicked(int s, bool checked)
{
    if (s < 0 || static_cast<size_t>(s) >= ctx_.cat.SeriesShown.size())
        return;
    ctx_.cat.SeriesShown[static_cast<size_t>(s)] = checked;
    PicLeftBar[static_cast<size_t>(s)]->setVisible(checked);
    relayout();
}

void FrmGraph::rememberNormalGeometry()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        normalGeometry_ = geometry();
}

void FrmGraph::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    rememberNormalGeometry();
}

void FrmGraph::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    rememberNormalGeometry();
}

void FrmGraph::closeEvent(QCloseEvent* event)
{
    GraphPlacement place;
    // A minimised or maximised window is saved with its normal size, so that the
    // next start can restore it to something usable.
    rememberNormalGeometry();
    place.top = tw(normalGeometry_.top());
    place.left = tw(normalGeometry_.left());
    place.width = tw(normalGeometry_.width());
    place.height = tw(normalGeometry_.height());
    place.state = (windowState() & Qt::WindowMinimized)   ? 1
                  : (windowState() & Qt::WindowMaximized) ? 2
                                                          : 0;
    writeGraphPlacement(ctx_.settings, place);
    host_.setGraphMenuChecked(false);
    QMdiSubWindow::closeEvent(event);
}

} // namespace quellin
