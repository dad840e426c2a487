// The graph window with real data sets, as the user sees it: a version-1 minute
// and a version-2 day. Each picture is checked for its curves and labels; with
// QUELLIN_SCREENSHOT_DIR set the pictures are also written there as PNG files
// (run under xvfb-run with QT_QPA_PLATFORM=xcb for the real window frame).

#include "Controls.h"
#include "GraphTestRecords.h"
#include "TestContext.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"
#include "views/FrmGraph.h"
#include "views/FrmGraphParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quellin;
using quellin::test::at;
using quellin::test::control;

namespace {

class NoHost : public GraphHost {
public:
    void setGraphMenuChecked(bool) override {}
    bool measurementRunning() const override { return false; }
    void reportPeriod(double from, double to) override { period = {from, to}; }
    std::pair<double, double> period;
};

struct ShotCase {
    const char* file;
    int version;
    int graphXHani;
    test::DataSetShape shape;
    std::vector<int> series;
    bool white;
};

class GraphScreenshot : public ::testing::TestWithParam<ShotCase> {};

// Pixels in the plot that are neither its background nor grid grey: curves.
int curvePixels(const QImage& img, const QRect& plot, const QColor& background)
{
    int n = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        for (int x = plot.left(); x <= plot.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c != background && c.saturation() > 60)
                ++n;
        }
    return n;
}

TEST_P(GraphScreenshot, WindowShowsCurvesAndLabels)
{
    const ShotCase& c = GetParam();
    test::TestContext tc;
    Context& ctx = *tc.ctx;
    test::buildCatalog(ctx, c.version);
    ctx.app.GraphXHani = c.graphXHani;
    test::writeDataSet(ctx, c.shape);
    for (size_t s = 0; s < ctx.cat.SeriesShown.size(); ++s)
        ctx.cat.SeriesShown[s] = false;
    for (const int s : c.series)
        ctx.cat.SeriesShown[static_cast<size_t>(s)] = true;

    QMdiArea area;
    area.resize(1100, 760);
    area.show();
    NoHost host;
    FrmGraph* frm = FrmGraph::open(area, ctx, host);
    SetGraphWindow(ctx, 0);
    LoadGraphWindow(ctx);
    frm->autoScale();
    frm->refresh();
    if (c.white) {
        frm->setBackColours(Qt::white, Qt::white);
        frm->redraw();
    }

    const QImage window = frm->grab().toImage();
    ASSERT_FALSE(window.isNull());
    const QRect plot(control<GraphPictureBox>(*frm, "PicGraph")->mapTo(frm, QPoint(0, 0)),
                     control<GraphPictureBox>(*frm, "PicGraph")->size());
    const QColor back = control<GraphPictureBox>(*frm, "PicGraph")->BackColor;
    EXPECT_GT(curvePixels(window, plot.adjusted(1, 1, -1, -1), back), 300) << c.file;
    // However many series are shown, the plot keeps half the window's width.
    EXPECT_GE(control<GraphPictureBox>(*frm, "PicGraph")->width() * 2, frm->width()) << c.file;
    EXPECT_FALSE(control<QLabel>(*frm, "LblGraphInfo", 0)->text().isEmpty());
    EXPECT_TRUE(tc.status.panels[2].isEmpty()) << tc.status.panels[2].toStdString();

    const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        EXPECT_TRUE(window.save(QDir(dir).filePath(QString::fromLatin1(c.file))));
    }
}

INSTANTIATE_TEST_SUITE_P(
    DataSets, GraphScreenshot,
    ::testing::Values(
        // One minute at one second, a few seconds missing (dotted bridge).
        ShotCase{"graph-v1-minute.png",
                 1,
                 1,
                 test::DataSetShape{at(2002, 6, 1, 10, 0, 0), 121, 1, 20, 24},
                 {0, 2, 4, 7, 8},
                 false},
        // One day at thirty seconds with leakage currents and temperatures.
        ShotCase{"graph-v2-day.png",
                 2,
                 3,
                 test::DataSetShape{at(2002, 6, 1, 0, 0, 0), 2881, 30, 1500, 1560},
                 {4, 8, 9, 12, 13},
                 false},
        // Every series of a version-2 meter: the Y bars stack.
        ShotCase{"graph-v2-all-series.png",
                 2,
                 2,
                 test::DataSetShape{at(2002, 6, 1, 10, 0, 0), 3601, 1, 1500, 1560},
                 {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
                 false},
        // The same minute as printed: white backgrounds.
        ShotCase{"graph-v1-print.png",
                 1,
                 1,
                 test::DataSetShape{at(2002, 6, 1, 10, 0, 0), 121, 1, 20, 24},
                 {0, 2, 4, 7, 8},
                 true}));

// The analysing graph at 1366 × 768: a morning zoomed out of a day, two cursors
// with the figures between them, and the day before laid over the day.
TEST(GraphScreenshots, ZoomedTwoCursorsAndOverlay)
{
    test::TestContext tc;
    Context& ctx = *tc.ctx;
    test::buildCatalog(ctx, 2);
    ctx.app.GraphXHani = 3;
    QTemporaryDir tmp;
    const QString before = tmp.filePath(QStringLiteral("2002-06-01.csv"));
    test::writeDataSet(ctx, {at(2002, 6, 1, 0, 0, 0), 2881, 30});
    test::props(ctx).ColumnPresent.assign(static_cast<size_t>(ctx.cat.ColumnLast) + 1, true);
    ctx.cat.ColumnOn.assign(static_cast<size_t>(ctx.cat.ColumnLast) + 1, true);
    ASSERT_TRUE(SaveDataFile(ctx, before));
    ResetStore(ctx);
    test::writeDataSet(ctx, {at(2002, 6, 2, 0, 0, 0), 4321, 20, 1900, 2000});
    ctx.app.DataPresent = true;
    for (size_t s = 0; s < ctx.cat.SeriesShown.size(); ++s)
        ctx.cat.SeriesShown[s] = s == 0 || s == 4;

    QMdiArea area;
    area.resize(1366, 768);
    area.show();
    NoHost host;
    FrmGraph* frm = FrmGraph::open(area, ctx, host);
    frm->showMaximized();
    SetGraphWindow(ctx, 0);
    LoadGraphWindow(ctx);
    frm->autoScale();
    frm->refresh();
    auto* plot = control<GraphPictureBox>(*frm, "PicGraph");
    const auto mouse = [&](QEvent::Type type, double x, Qt::KeyboardModifiers keys) {
        QMouseEvent e(type, QPointF(x, 40), plot->mapToGlobal(QPointF(x, 40)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, keys);
        QApplication::sendEvent(plot, &e);
    };
    const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    const QColor back = plot->BackColor;
    const auto shoot = [&](const char* file) {
        const QImage window = frm->window()->grab().toImage();
        const QRect inPlot(plot->mapTo(frm->window(), QPoint(0, 0)), plot->size());
        EXPECT_GT(curvePixels(window, inPlot.adjusted(1, 1, -1, -1), back), 300) << file;
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            EXPECT_TRUE(window.save(QDir(dir).filePath(QString::fromLatin1(file))));
        }
    };
    const double w = plot->width();
    // A rectangle from 08:00 to 11:00.
    mouse(QEvent::MouseButtonPress, w * 8 / 24, Qt::NoModifier);
    mouse(QEvent::MouseMove, w * 10 / 24, Qt::NoModifier);
    mouse(QEvent::MouseButtonRelease, w * 11 / 24, Qt::NoModifier);
    EXPECT_TRUE(frm->zoomed());
    EXPECT_NEAR(vbdate::secondsBetween(ctx.graphWindow().GraphStart, ctx.graphWindow().GraphEnd),
                3 * 3600, 120);
    shoot("graph-zoomed.png");

    mouse(QEvent::MouseMove, w * 0.15, Qt::NoModifier);
    mouse(QEvent::MouseButtonPress, w * 0.15, Qt::NoModifier);
    mouse(QEvent::MouseButtonRelease, w * 0.15, Qt::NoModifier);
    mouse(QEvent::MouseButtonPress, w * 0.55, Qt::ShiftModifier);
    mouse(QEvent::MouseButtonRelease, w * 0.55, Qt::ShiftModifier);
    ASSERT_TRUE(frm->cursorPair().has_value());
    EXPECT_TRUE(frm->cursorPair()->energy.kWh.has_value());
    EXPECT_TRUE(frm->secondCursorView()->isVisible());
    frm->reportCursorPeriod();
    EXPECT_EQ(host.period.first, frm->cursorPair()->first);
    shoot("graph-two-cursors.png");

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(frm, &escape);
    mouse(QEvent::MouseButtonPress, w * 0.15, Qt::NoModifier);
    mouse(QEvent::MouseButtonRelease, w * 0.15, Qt::NoModifier);
    frm->showWholeData();
    std::optional<DataSet> other = LoadDataFileAside(ctx, before);
    ASSERT_TRUE(other) << (tc.msg.shown.empty() ? "" : tc.msg.shown.back().text.toStdString());
    frm->setOverlay(std::move(*other), QStringLiteral("2002-06-01.csv"), true);
    EXPECT_GT(frm->overlayWindow().GraphPoints, 2000);
    frm->showCursorAt(static_cast<int>(w * 0.6));
    shoot("graph-overlay.png");
    EXPECT_TRUE(tc.status.panels[2].isEmpty()) << tc.status.panels[2].toStdString();
}

} // namespace
