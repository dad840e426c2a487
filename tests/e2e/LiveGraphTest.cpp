// A measurement as an operator watches it, against the virtual meter: the graph
// scales itself once from its first points and follows the newest record; paged
// back it stays until paged forward to the newest window; the list scrolled back
// stays until its bar is at the end again. With QUELLIN_SCREENSHOT_DIR set, the
// main window is saved with the cursor on the plot (the README's pictures).

#include "Controls.h"
#include "DataSetAccess.h"
#include "Doubles.h"
#include "EventWait.h"
#include "MeterSim.h"
#include "ProgramFixture.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "main/FrmMDIMain.h"
#include "platform/VbDate.h"
#include "views/FrmGraph.h"
#include "views/FrmGraphParts.h"
#include "views/FrmSpread.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

using test::runEventsUntil;

// Lets the display cycle run a few more times.
void letTicksPass(int ticks)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ticks * 1000 + 200)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

class LiveGraph : public test::ProgramFixture, public ::testing::WithParamInterface<int> {};

TEST_P(LiveGraph, FollowsScalesAndLetsTheUserLookBack)
{
    const int version = GetParam();
    ASSERT_NO_FATAL_FAILURE(start({"--version", QString::number(version), "--wiring", "2", "--rate",
                                   "40", "--seed", "11", "--start-time", "2024/06/03 13:00:00"}));
    FrmMDIMain& main = *program->mainWindow();
    main.resize(1440, 900);
    Context& ctx = program->context();
    DataSetProperties& st = test::props(ctx);
    // A first run: every Y scale is still the stored default, none the user's.
    ASSERT_EQ(ctx.cat.SeriesScale[0], 0);
    ASSERT_EQ(ctx.cat.SeriesScale[4], 0);
    // Voltage R and current R shown besides active power and the energy.
    ASSERT_NE(main.graphWindow(), nullptr);
    control<QCheckBox>(*main.graphWindow(), "ChkDisp", 0)->click();
    control<QCheckBox>(*main.graphWindow(), "ChkDisp", 2)->click();

    main.MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] {
        return ctx.app.Measuring && ctx.graphWindow().GraphPoints >= 2;
    })) << msg.texts().join('|').toStdString();
    ASSERT_EQ(ctx.app.GraphXHani, 1); // one-second records: a one-minute window
    // The first points scaled the series: a 200 V line on 0..1000 V, some amperes
    // on 0..10 or 0..100 A, kilowatts of power on a kilowatt decade.
    EXPECT_EQ(ctx.cat.SeriesScale[0], 2);
    EXPECT_LE(ctx.cat.SeriesScale[2], 1);
    EXPECT_GE(ctx.cat.SeriesScale[4], 3);
    EXPECT_FALSE(ctx.graphWindow().GraphFirstScalePending);

    // Two minutes of the meter's clock: the window has moved on with the records.
    ASSERT_TRUE(runEventsUntil([&] { return st.RecordCount >= 130; }));
    // The meter runs forty seconds a second here: a tick after this moment ends its
    // window at or after the newest record of now.
    double newest = st.LastTime;
    letTicksPass(1);
    EXPECT_TRUE(ctx.graphWindow().GraphFollowing);
    EXPECT_GT(ctx.graphWindow().GraphStart, st.FirstTime);
    EXPECT_GE(vbdate::secondsBetween(newest, ctx.graphWindow().GraphEnd), 0);
    EXPECT_GT(st.LastTime, ctx.graphWindow().GraphStart);
    // The energy grows all the time: its automatic scale went up with it.
    EXPECT_GT(ctx.cat.SeriesYMax[8], st.TotalEnergy * 1000 * 0.9);

    // Paged back: the window stays while records arrive.
    FrmGraph* graph = main.graphWindow();
    ASSERT_NE(graph, nullptr);
    control<GraphPager>(*graph, "UDGraph")->earlier()->click();
    EXPECT_FALSE(ctx.graphWindow().GraphFollowing);
    const double lookedAt = ctx.graphWindow().GraphStart;
    letTicksPass(2);
    EXPECT_EQ(ctx.graphWindow().GraphStart, lookedAt);
    // Paged forward to the newest window: it follows again.
    for (int i = 0; i < 10 && !ctx.graphWindow().GraphFollowing; ++i)
        control<GraphPager>(*graph, "UDGraph")->later()->click();
    EXPECT_TRUE(ctx.graphWindow().GraphFollowing);
    newest = st.LastTime;
    letTicksPass(2);
    EXPECT_GE(vbdate::secondsBetween(newest, ctx.graphWindow().GraphEnd), 0);
    EXPECT_GT(st.LastTime, ctx.graphWindow().GraphStart);

    // The list scrolled back stays; at the end of its bar it follows again.
    FrmSpread* list = main.spreadWindow();
    ASSERT_NE(list, nullptr);
    control<QScrollBar>(*list, "VscSprd")->setValue(10);
    letTicksPass(2);
    EXPECT_EQ(ctx.listPage().ListTop, 10);
    EXPECT_EQ(control<QScrollBar>(*list, "VscSprd")->value(), 10);
    const int endBefore = control<QScrollBar>(*list, "VscSprd")->maximum();
    control<QScrollBar>(*list, "VscSprd")->setValue(endBefore);
    letTicksPass(2);
    EXPECT_GT(ctx.listPage().ListTop, endBefore); // moved on with the newest records
    EXPECT_EQ(control<QScrollBar>(*list, "VscSprd")->value(),
              control<QScrollBar>(*list, "VscSprd")->maximum());
    EXPECT_EQ(control<QTableWidget>(*list, "VSprd")->item(14, 0)->text(),
              QString::number(ctx.listPage().ListTop + 13));

    // The cursor over the plot reads the newest minute, some seconds before its
    // last point (the meter runs ahead between two display ticks here).
    const long long shown =
        vbdate::secondsBetween(
            ctx.graphWindow().GraphStart,
            ctx.graphWindow().GraphTimes[static_cast<size_t>(ctx.graphWindow().GraphPoints)]) -
        8;
    graph->showCursorAt(static_cast<int>(control<GraphPictureBox>(*graph, "PicGraph")->width() *
                                         std::max(shown, 1LL) / 60));
    ASSERT_TRUE(graph->cursorView()->isVisible());
    ASSERT_EQ(graph->cursorView()->lines().size(), 5u);
    EXPECT_TRUE(graph->cursorView()->lines()[1].text.startsWith(QStringLiteral("電圧Ｒ ")));
    EXPECT_TRUE(graph->cursorView()->lines()[3].text.startsWith(QStringLiteral("有効電力 ")));
    EXPECT_FALSE(graph->cursorView()->lines()[3].text.contains(QStringLiteral("－")));
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        QApplication::processEvents();
        main.grab().save(QDir(dir).filePath(QStringLiteral("main-measuring-v%1.png").arg(version)));
    }

    main.MnuExec_Keisoku->trigger();
    ASSERT_TRUE(runEventsUntil([&] { return !ctx.app.Measuring; }));
}

INSTANTIATE_TEST_SUITE_P(Versions, LiveGraph, ::testing::Values(1, 2));

} // namespace
} // namespace quellin
