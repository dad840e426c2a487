// The graph window: load and unload, legend boxes, the resize rules on the real
// widgets, the double-clicks that open the axis dialogs, and paging.

#include "views/FrmGraph.h"
#include "Controls.h"
#include "GraphTestRecords.h"
#include "TestContext.h"
#include "platform/Format.h"
#include "views/FrmGraphParts.h"
#include "views/FrmScaleX.h"
#include "views/FrmScaleY.h"
#include "views/ModGraphDraw.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using namespace quellin;
using quellin::test::at;
using quellin::test::control;

namespace {

class FakeGraphHost : public GraphHost {
public:
    void setGraphMenuChecked(bool checked) override { marks.push_back(checked); }
    bool measurementRunning() const override { return measuring; }
    std::vector<bool> marks;
    bool measuring = false;
};

void doubleClick(QWidget* w)
{
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class GraphWindow : public ::testing::Test {
protected:
    void open(int version)
    {
        test::buildCatalog(*tc.ctx, version);
        tc.ctx->app.GraphXHani = 1;
        frm = std::make_unique<FrmGraph>(*tc.ctx, host);
        frm->runDialog = [this](QDialog& d) {
            ++dialogs;
            return onDialog ? onDialog(d) : static_cast<int>(QDialog::Rejected);
        };
        frm->resize(780, 520);
        frm->show();
    }
    // One record every 10 s from 10:00:00 to 10:05:00.
    void withData()
    {
        test::writeDataSet(*tc.ctx, {at(2002, 6, 1, 10, 0, 0), 31, 10});
        frm->refresh();
    }
    QString startText() const
    {
        return Format(tc.ctx->graphWindow().GraphStart, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    }

    test::TestContext tc;
    FakeGraphHost host;
    std::unique_ptr<FrmGraph> frm;
    int dialogs = 0;
    std::function<int(QDialog&)> onDialog;
};

struct LoadCase {
    int version;
    int boxes;
};

class GraphWindowLoad : public GraphWindow, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(GraphWindowLoad, LegendFollowsTheCatalogueAndTheMenuIsChecked)
{
    open(GetParam().version);
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("グラフ表示"));
    EXPECT_EQ(host.marks, std::vector<bool>{true});
    int shownBoxes = 0;
    for (int s = 0; s < kMaxSeries; ++s)
        shownBoxes += control<QCheckBox>(*frm, "ChkDisp", s)->isHidden() ? 0 : 1;
    EXPECT_EQ(shownBoxes, GetParam().boxes);
    EXPECT_EQ(control<QCheckBox>(*frm, "ChkDisp", 4)->text(), QStringLiteral("有効電力"));
    EXPECT_EQ(control<QCheckBox>(*frm, "ChkDisp", 8)->text(), QStringLiteral("積算電力量"));
    for (int s = 0; s < kMaxSeries; ++s) {
        const bool shown = s == 4 || s == 8; // the default GraphYFlg
        EXPECT_EQ(control<QCheckBox>(*frm, "ChkDisp", s)->isChecked(), shown) << s;
        EXPECT_EQ(control<GraphPictureBox>(*frm, "PicLeftBar", s)->isHidden(), !shown) << s;
    }
    EXPECT_EQ(control<QLabel>(*frm, "LblGraphInfoCaption", 0)->text(),
              QStringLiteral("測定期間："));
    EXPECT_EQ(control<QLabel>(*frm, "LblGraphInfoCaption", 1)->text(),
              QStringLiteral("積算電力量："));
    EXPECT_EQ(control<QLabel>(*frm, "LblGraphInfoCaption", 2)->text(),
              QStringLiteral("最大電力（発生日時）："));
}

INSTANTIATE_TEST_SUITE_P(Versions, GraphWindowLoad,
                         ::testing::Values(LoadCase{1, 9}, LoadCase{2, 14}));

TEST_F(GraphWindow, DefaultPlacementDependsOnTheVersion)
{
    open(1);
    frm.reset();
    test::buildCatalog(*tc.ctx, 1);
    FrmGraph v1(*tc.ctx, host);
    EXPECT_EQ(v1.geometry(), QRect(0, 0, 772, 495));
    test::buildCatalog(*tc.ctx, 2);
    FrmGraph v2(*tc.ctx, host);
    EXPECT_EQ(v2.geometry(), QRect(0, 0, 734, 495));
}

TEST_F(GraphWindow, CloseSavesPlacementInTwipsAndClearsTheMenuMark)
{
    open(2);
    frm->setGeometry(20, 30, 700, 480);
    frm->setAttribute(Qt::WA_DeleteOnClose, false);
    frm->close();
    EXPECT_EQ(host.marks.back(), false);
    const auto read = [&](const char* name) {
        return tc.settings->read(QString::fromLatin1(name), QString());
    };
    EXPECT_EQ(read("FrmGraph_Top"), QStringLiteral("450"));
    EXPECT_EQ(read("FrmGraph_Left"), QStringLiteral("300"));
    EXPECT_EQ(read("FrmGraph_Width"), QStringLiteral("10500"));
    EXPECT_EQ(read("FrmGraph_Height"), QStringLiteral("7200"));
    EXPECT_EQ(read("FrmGraph_State"), QStringLiteral("0"));
    FrmGraph again(*tc.ctx, host);
    EXPECT_EQ(again.geometry(), QRect(20, 30, 700, 480));
}

TEST_F(GraphWindow, MaximisedWindowIsRestoredMaximisedFromItsNormalSize)
{
    test::buildCatalog(*tc.ctx, 1);
    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    FrmGraph* w = FrmGraph::open(area, *tc.ctx, host);
    w->setGeometry(10, 10, 600, 400);
    w->showMaximized();
    w->close(); // deletes itself
    EXPECT_EQ(tc.settings->read(QStringLiteral("FrmGraph_State"), QString()), QStringLiteral("2"));
    EXPECT_EQ(tc.settings->read(QStringLiteral("FrmGraph_Width"), QString()),
              QStringLiteral("9000"));
    FrmGraph* again = FrmGraph::open(area, *tc.ctx, host);
    EXPECT_TRUE(again->isMaximized());
}

TEST_F(GraphWindow, CheckingASeriesShowsItsBarAndMovesThePlot)
{
    open(1);
    const int before = control<GraphPictureBox>(*frm, "PicGraph")->x();
    control<QCheckBox>(*frm, "ChkDisp", 0)->click();
    EXPECT_TRUE(tc.ctx->cat.SeriesShown[0]);
    EXPECT_FALSE(control<GraphPictureBox>(*frm, "PicLeftBar", 0)->isHidden());
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicLeftBar", 0)->x(), 0)
        << "bars in series order from the left";
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicLeftBar", 4)->x(),
              control<GraphPictureBox>(*frm, "PicLeftBar", 0)->width());
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicGraph")->x(),
              before + control<GraphPictureBox>(*frm, "PicLeftBar", 0)->width());
}

TEST_F(GraphWindow, UncheckingEverySeriesPutsThePlotAtTheFramesLeftEdge)
{
    open(1);
    control<QCheckBox>(*frm, "ChkDisp", 4)->click();
    control<QCheckBox>(*frm, "ChkDisp", 8)->click();
    EXPECT_FALSE(tc.ctx->cat.SeriesShown[4]);
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicGraph")->x(), 0);
    EXPECT_EQ(control<GraphPager>(*frm, "UDGraph")->x(), 0);
    EXPECT_EQ(control<GraphPager>(*frm, "UDGraph")->width(),
              control<GraphPictureBox>(*frm, "PicGraph")->width());
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicBottomBar")->geometry().center().x(),
              control<GraphPictureBox>(*frm, "PicGraph")->geometry().center().x());
}

// During a measurement the dialog sets the span of the followed window; a start
// moved into the past stops following.
TEST_F(GraphWindow, TimeAxisDialogDuringAMeasurementSetsTheSpanOrStopsFollowing)
{
    open(1);
    host.measuring = true;
    tc.ctx->app.Measuring = true;
    tc.ctx->app.GraphXHani = 1;
    withData(); // 10:00:00 … 10:05:00, the last minute followed
    ASSERT_EQ(startText(), QStringLiteral("2002/06/01 10:04:00"));
    struct Choice {
        int position;
        const char* start; // nullptr: as the dialog showed it
        const char* wantStart;
        bool following;
    };
    for (const Choice& c : {Choice{1, nullptr, "2002/06/01 10:00:00", true},
                            Choice{0, "2002/06/01 10:01:00", "2002/06/01 10:01:00", false}}) {
        SCOPED_TRACE(c.wantStart);
        onDialog = [&](QDialog& d) {
            auto& x = dynamic_cast<FrmScaleX&>(d);
            control<QComboBox>(x, "CmbScale")->setCurrentIndex(c.position);
            if (c.start)
                control<QLineEdit>(x, "TxtData", 0)->setText(QString::fromLatin1(c.start));
            control<QPushButton>(x, "cmdOK")->click();
            return x.result();
        };
        doubleClick(control<GraphPictureBox>(*frm, "PicBottomBar"));
        EXPECT_EQ(tc.ctx->app.GraphXHani, c.position + 1);
        EXPECT_EQ(startText(), QString::fromLatin1(c.wantStart));
        EXPECT_EQ(tc.ctx->graphWindow().GraphFollowing, c.following);
    }
    EXPECT_TRUE(tc.msg.shown.empty());
}

TEST_F(GraphWindow, TimeAxisDialogIsFilledAndItsChoiceMovesTheWindow)
{
    open(1);
    withData();
    onDialog = [&](QDialog& d) {
        auto& x = dynamic_cast<FrmScaleX&>(d);
        EXPECT_EQ(control<QComboBox>(x, "CmbScale")->count(), 3);
        EXPECT_EQ(control<QComboBox>(x, "CmbScale")->currentIndex(), 0);
        EXPECT_EQ(control<QLineEdit>(x, "TxtData", 0)->text(),
                  QStringLiteral("2002/06/01 10:00:00"));
        EXPECT_EQ(control<QLabel>(x, "LblData")->text(),
                  QStringLiteral("2002/06/01 10:00:00 ～ 2002/06/01 10:05:00"));
        control<QLineEdit>(x, "TxtData", 0)->setText(QStringLiteral("2002/06/01 10:02:00"));
        control<QPushButton>(x, "cmdOK")->click();
        return x.result();
    };
    doubleClick(control<GraphPictureBox>(*frm, "PicBottomBar"));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(startText(), QStringLiteral("2002/06/01 10:02:00"));
    EXPECT_EQ(tc.ctx->graphWindow().GraphPoints, 7) << "10:02:00 … 10:03:00 reloaded";
}

TEST_F(GraphWindow, PowerFactorAxisIsFixed)
{
    open(1);
    control<QCheckBox>(*frm, "ChkDisp", 7)->click();
    doubleClick(control<GraphPictureBox>(*frm, "PicLeftBar", 7));
    ASSERT_EQ(tc.msg.shown.size(), 1u);
    EXPECT_EQ(tc.msg.shown[0].text, QStringLiteral("力率は変更できません。"));
    EXPECT_EQ(dialogs, 0);
}

TEST_F(GraphWindow, YBarOpensTheScaleDialogOfItsSeries)
{
    open(1);
    tc.ctx->cat.SeriesScale[4] = 5;
    onDialog = [&](QDialog& d) {
        auto& y = dynamic_cast<FrmScaleY&>(d);
        EXPECT_EQ(y.series(), 4);
        EXPECT_EQ(control<QGroupBox>(y, "FramOptions")->title(),
                  QStringLiteral("Ｙ軸スケール［有効電力］"));
        EXPECT_EQ(control<QComboBox>(y, "CmbScale")->count(), 14); // and データに合わせる
        EXPECT_EQ(control<QComboBox>(y, "CmbScale")->currentIndex(), 5);
        EXPECT_TRUE(control<QComboBox>(y, "CmbC")->isHidden());
        control<QComboBox>(y, "CmbScale")->setCurrentIndex(3);
        control<QPushButton>(y, "cmdOK")->click();
        return y.result();
    };
    doubleClick(control<GraphPictureBox>(*frm, "PicLeftBar", 4));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(tc.ctx->cat.SeriesScale[4], 3);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[4], 10000);
}

TEST_F(GraphWindow, TemperatureBarOpensTheDialogWithItsRangeKind)
{
    open(2);
    tc.ctx->cat.SeriesScale[12] = 14;
    control<QCheckBox>(*frm, "ChkDisp", 12)->click();
    onDialog = [&](QDialog& d) {
        auto& y = dynamic_cast<FrmScaleY&>(d);
        EXPECT_FALSE(control<QComboBox>(y, "CmbC")->isHidden());
        EXPECT_FALSE(control<QLabel>(y, "lblC")->isHidden());
        EXPECT_EQ(control<QComboBox>(y, "CmbC")->currentIndex(), 1);
        EXPECT_EQ(control<QComboBox>(y, "CmbScale")->count(), 11);
        EXPECT_EQ(control<QComboBox>(y, "CmbScale")->itemText(0), QStringLiteral("10  ℃"));
        EXPECT_EQ(control<QComboBox>(y, "CmbScale")->itemText(10), fitChoiceText());
        EXPECT_EQ(control<QComboBox>(y, "CmbScale")->currentIndex(), 4);
        EXPECT_EQ(control<QLabel>(y, "LblData")->text(), QStringLiteral("(0 ～ 50℃)"));
        return static_cast<int>(QDialog::Rejected);
    };
    doubleClick(control<GraphPictureBox>(*frm, "PicLeftBar", 12));
    EXPECT_EQ(dialogs, 1);
}

TEST_F(GraphWindow, PagingStopsAtTheFirstAndLastRecord)
{
    open(1);
    withData();
    control<GraphPager>(*frm, "UDGraph")->earlier()->click();
    EXPECT_EQ(startText(), QStringLiteral("2002/06/01 10:00:00")) << "nothing before the data";
    const char* expected[] = {"2002/06/01 10:01:00", "2002/06/01 10:02:00", "2002/06/01 10:03:00",
                              "2002/06/01 10:04:00", "2002/06/01 10:05:00", "2002/06/01 10:05:00"};
    for (const char* e : expected) {
        control<GraphPager>(*frm, "UDGraph")->later()->click();
        EXPECT_EQ(startText(), QString::fromLatin1(e));
    }
    control<GraphPager>(*frm, "UDGraph")->earlier()->click();
    EXPECT_EQ(startText(), QStringLiteral("2002/06/01 10:04:00"));
    EXPECT_EQ(tc.ctx->graphWindow().GraphPoints, 7);
}

TEST_F(GraphWindow, PagingWithoutItsFileIsReportedNotThrown)
{
    open(1);
    withData();
    QFile::remove(tc.ctx->tmpDatPath());
    control<GraphPager>(*frm, "UDGraph")->later()->click();
    EXPECT_EQ(startText(), QStringLiteral("2002/06/01 10:01:00"));
    EXPECT_FALSE(tc.status.panels[2].isEmpty());
    EXPECT_TRUE(tc.msg.shown.empty());
}

TEST_F(GraphWindow, RefreshShowsTheSummaryAndClearingEmptiesIt)
{
    open(1);
    withData();
    EXPECT_EQ(control<QLabel>(*frm, "LblGraphInfo", 0)->text(),
              QStringLiteral("2002/06/01 10:00:00 ～ 2002/06/01 10:05:00"));
    EXPECT_TRUE(control<QLabel>(*frm, "LblGraphInfo", 1)->text().endsWith(QStringLiteral(" kWh")));
    EXPECT_TRUE(control<QLabel>(*frm, "LblGraphInfo", 2)
                    ->text()
                    .contains(QStringLiteral(" kW (2002/06/01 ")));
    EXPECT_GE(tc.ctx->graphWindow().GraphPoints, 2);
    frm->showSummary(GraphSummary::Empty);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(control<QLabel>(*frm, "LblGraphInfo", i)->text().isEmpty());
}

TEST_F(GraphWindow, WhiteBackgroundsForPrintingTurnPowerFactorBlack)
{
    open(1);
    withData();
    control<QCheckBox>(*frm, "ChkDisp", 7)->click();
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicLeftBar", 7)->ForeColor, QColor(Qt::white));
    frm->setBackColours(Qt::white, Qt::white);
    frm->redraw();
    EXPECT_EQ(control<GraphPictureBox>(*frm, "PicLeftBar", 7)->ForeColor, QColor(Qt::black));
    const QImage& img = control<GraphCanvas>(*frm, "PicGraphBase")->image;
    const QPoint inPlot =
        control<GraphPictureBox>(*frm, "PicGraph")->geometry().topLeft() + QPoint(3, 3);
    EXPECT_EQ(img.pixelColor(inPlot), QColor(Qt::white));
    frm->setBackColours(QColor(0xF0, 0xF0, 0xF0), Qt::black);
    frm->redraw();
    EXPECT_EQ(control<GraphCanvas>(*frm, "PicGraphBase")->image.pixelColor(inPlot),
              QColor(Qt::black));
}

// The mouse over the plot shows the cursor with the time and the shown series'
// values; a click keeps it, leaving the plot hides it unless it is kept.
TEST_F(GraphWindow, TheCursorReadsTheCurvesUnderTheMouse)
{
    open(1);
    withData(); // 10:00:00 .. 10:01:00 shown, a record every 10 s
    const auto move = [&](int x) {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, 20),
                      control<GraphPictureBox>(*frm, "PicGraph")->mapToGlobal(QPointF(x, 20)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control<GraphPictureBox>(*frm, "PicGraph"), &e);
    };
    const auto click = [&](int x) {
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, QPointF(x, 20),
                          control<GraphPictureBox>(*frm, "PicGraph")->mapToGlobal(QPointF(x, 20)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(control<GraphPictureBox>(*frm, "PicGraph"), &e);
        }
    };
    const auto leave = [&] {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(control<GraphPictureBox>(*frm, "PicGraph"), &e);
    };
    GraphCursorView* cursor = frm->cursorView();
    EXPECT_FALSE(cursor->isVisible());
    EXPECT_TRUE(control<GraphPictureBox>(*frm, "PicGraph")->hasMouseTracking());

    const int width = control<GraphPictureBox>(*frm, "PicGraph")->width();
    move(width / 2); // the middle of the minute: 10:00:30, a record
    ASSERT_TRUE(cursor->isVisible());
    EXPECT_EQ(cursor->geometry(), control<GraphPictureBox>(*frm, "PicGraph")->geometry());
    EXPECT_NEAR(cursor->cursorX(), width / 2, 1);
    ASSERT_EQ(cursor->lines().size(), 3u); // the time, active power, energy
    EXPECT_EQ(cursor->lines()[0].text, QStringLiteral("2002/06/01 10:00:30"));
    EXPECT_TRUE(cursor->lines()[1].text.startsWith(QStringLiteral("有効電力 ")));
    EXPECT_TRUE(cursor->lines()[2].text.startsWith(QStringLiteral("積算電力量 ")));
    // Each series' line in its curve's colour, the colour of its legend sample.
    const QColor power = cursor->lines()[1].colour;
    EXPECT_EQ(
        control<QCheckBox>(*frm, "ChkDisp", 4)->icon().pixmap(8, 8).toImage().pixelColor(4, 4),
        power);

    leave();
    EXPECT_FALSE(cursor->isVisible());
    click(10);
    move(width - 5);
    leave();
    ASSERT_TRUE(cursor->isVisible()); // kept where it was clicked
    EXPECT_EQ(cursor->lines()[0].text, QStringLiteral("2002/06/01 10:00:00"));
    frm->redraw(); // a display cycle: still there, read again
    EXPECT_TRUE(cursor->isVisible());
    click(width - 1); // let go: it follows the mouse again
    move(0);
    EXPECT_EQ(cursor->lines()[0].text, QStringLiteral("2002/06/01 10:00:00"));
    leave();
    EXPECT_FALSE(cursor->isVisible());
}

// The legend's boxes show their curve's colour; power factor's follows the plot.
TEST_F(GraphWindow, LegendBoxesCarryTheirCurvesColour)
{
    open(2);
    for (int s = 0; s <= 13; ++s) {
        const QImage sample = control<QCheckBox>(*frm, "ChkDisp", s)->icon().pixmap(8, 8).toImage();
        ASSERT_FALSE(sample.isNull()) << s;
        EXPECT_EQ(sample.pixelColor(4, 4),
                  seriesCurveColour(frm->pictures().PicLeftBar[static_cast<size_t>(s)],
                                    frm->pictures().PicGraph))
            << s;
    }
    EXPECT_EQ(
        control<QCheckBox>(*frm, "ChkDisp", 7)->icon().pixmap(8, 8).toImage().pixelColor(4, 4),
        QColor(Qt::white));
    frm->setBackColours(Qt::white, Qt::white);
    frm->redraw();
    EXPECT_EQ(
        control<QCheckBox>(*frm, "ChkDisp", 7)->icon().pixmap(8, 8).toImage().pixelColor(4, 4),
        QColor(Qt::black));
}

} // namespace

namespace {

// The legend's names are not cut, with their colour samples, at the designed
// width of either version.
TEST_F(GraphWindow, LegendNamesFitTheDesignedWidth)
{
    for (const int version : {1, 2}) {
        open(version);
        frm->resize(version >= 2 ? 734 : 772, 495);
        QApplication::processEvents();
        for (int s = 0; s < kMaxSeries; ++s) {
            const QCheckBox* box = control<QCheckBox>(*frm, "ChkDisp", s);
            if (box->isVisible()) {
                EXPECT_GE(box->width(), box->sizeHint().width())
                    << version << " " << box->text().toStdString();
            }
        }
    }
}

// The wheel, a dragged rectangle, a drag with the right button, the arrow keys,
// the pager and Home move the window; Home gives back the one the time axis names.
TEST_F(GraphWindow, WheelDragKeysAndHomeZoomPanAndRestoreTheWindow)
{
    open(1);
    withData(); // 10:00:00 .. 10:01:00 shown, a record every 10 s until 10:05:00
    auto* plot = control<GraphPictureBox>(*frm, "PicGraph");
    const double w = plot->width();
    const auto mouse = [&](QEvent::Type type, double x, Qt::MouseButton button) {
        const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent e(type, QPointF(x, 20), plot->mapToGlobal(QPointF(x, 20)), changed, held,
                      Qt::NoModifier);
        QApplication::sendEvent(plot, &e);
    };
    const auto drag = [&](double from, double to, Qt::MouseButton button) {
        mouse(QEvent::MouseButtonPress, from, button);
        mouse(QEvent::MouseMove, (from + to) / 2, button);
        mouse(QEvent::MouseMove, to, button);
        mouse(QEvent::MouseButtonRelease, to, button);
    };
    const auto key = [&](int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(frm.get(), &e);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* start;
        const char* end;
    };
    const std::vector<Step> steps{
        {"wheel in about the middle",
         [&] {
             QWheelEvent e(QPointF(w / 2, 20), plot->mapToGlobal(QPointF(w / 2, 20)), QPoint(),
                           QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(plot, &e);
         },
         "10:00:10", "10:01:00"},
        {"Home", [&] { key(Qt::Key_Home); }, "10:00:00", "10:01:00"},
        {"a rectangle over the middle half", [&] { drag(w / 4, 3 * w / 4, Qt::LeftButton); },
         "10:00:20", "10:00:50"},
        {"dragged to the left with the right button", [&] { drag(w / 2, w / 4, Qt::RightButton); },
         "10:00:30", "10:01:00"},
        {"the left arrow", [&] { key(Qt::Key_Left); }, "10:00:20", "10:00:50"},
        {"the pager steps by the span",
         [&] { control<GraphPager>(*frm, "UDGraph")->later()->click(); }, "10:00:50", "10:01:20"},
        {"minus", [&] { key(Qt::Key_Minus); }, "10:00:50", "10:01:30"},
        {"the whole data set", [&] { frm->showWholeData(); }, "10:00:00", "10:05:00"},
        {"Home again", [&] { key(Qt::Key_Home); }, "10:00:00", "10:01:00"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const GraphWindowState& window = tc.ctx->graphWindow();
        EXPECT_EQ(Format(window.GraphStart, QStringLiteral("hh:mm:ss")),
                  QString::fromLatin1(step.start));
        EXPECT_EQ(Format(window.GraphEnd, QStringLiteral("hh:mm:ss")),
                  QString::fromLatin1(step.end));
        EXPECT_EQ(frm->zoomed(), !QString::fromLatin1(step.what).startsWith("Home"));
    }

    // Shift: the rectangle also zooms the values of the series whose bar the
    // mouse was over; Home gives its axis back.
    auto* bar = control<GraphPictureBox>(*frm, "PicLeftBar", 4);
    QMouseEvent over(QEvent::MouseMove, QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &over);
    const double top = tc.ctx->cat.SeriesYMax[4], bottom = tc.ctx->cat.SeriesYMin[4];
    const double h = plot->height();
    for (const auto& [type, x, y] :
         {std::tuple{QEvent::MouseButtonPress, w / 4, h / 4},
          std::tuple{QEvent::MouseMove, w / 2, h / 2},
          std::tuple{QEvent::MouseButtonRelease, 3 * w / 4, 3 * h / 4}}) {
        QMouseEvent e(type, QPointF(x, y), plot->mapToGlobal(QPointF(x, y)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::ShiftModifier);
        QApplication::sendEvent(plot, &e);
    }
    EXPECT_TRUE(frm->zoomed());
    EXPECT_NEAR(tc.ctx->cat.SeriesYMax[4], bottom + (top - bottom) * 0.75, (top - bottom) * 0.01);
    EXPECT_NEAR(tc.ctx->cat.SeriesYMin[4], bottom + (top - bottom) * 0.25, (top - bottom) * 0.01);
    key(Qt::Key_Home);
    EXPECT_EQ(tc.ctx->cat.SeriesYMax[4], top);
    EXPECT_EQ(tc.ctx->cat.SeriesYMin[4], bottom);
    EXPECT_FALSE(frm->zoomed());
}

} // namespace
