// Data files through the real load path into the graph window: a second file
// joined to the loaded one (its gap undrawn), and a third laid over them for
// comparison, which leaves the current data set and TMP.DAT as they were.

#include "TestContext.h"
#include "store/CsvLoad.h"
#include "store/CsvTestSupport.h"
#include "store/DataFileJoin.h"
#include "views/FrmGraph.h"
#include "views/FrmGraphParts.h"
#include "views/GraphCursor.h"
#include "views/GraphHost.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test::csvdata;

namespace {

class Host : public GraphHost {
public:
    void setGraphMenuChecked(bool) override {}
    bool measurementRunning() const override { return false; }
};

TEST(CompareAndJoin, AJoinedFileKeepsItsGapAndAnOverlayLeavesTheDataSetAlone)
{
    test::TestContext t;
    Context& ctx = *t.ctx;
    useVersion(ctx, 1);
    QTemporaryDir dir;
    const auto file = [&](const char* name, double start, int records) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeBytes(path, generatedDataFile(start, records, 10, "三相３線式", false));
        return path;
    };
    // 10:00:00 .. 10:04:50, nothing until 10:10:00 .. 10:14:50; the day after
    // from 09:00:00 for comparison.
    ASSERT_TRUE(LoadDataFile(ctx, file("first.csv", at(10, 0, 0), 30)));
    ASSERT_TRUE(JoinDataFile(ctx, file("second.csv", at(10, 10, 0), 30)));
    const double nextDay = vbdate::addDays(at(9, 0, 0), 1);
    std::optional<DataSet> other = LoadDataFileAside(ctx, file("third.csv", nextDay, 60));
    ASSERT_TRUE(other);
    ASSERT_TRUE(t.msg.shown.empty());
    ctx.app.DataPresent = true;
    ctx.app.GraphXHani = 2;
    ctx.cat.SeriesShown.assign(ctx.cat.SeriesShown.size(), false);
    ctx.cat.SeriesShown[4] = true; // active power
    const DataSetProperties before = ctx.dataSet().properties();
    const QByteArray tmpBefore = readBytes(ctx.tmpDatPath());

    Host host;
    FrmGraph frm(ctx, host);
    frm.resize(900, 600);
    frm.show();
    frm.showWholeData();
    frm.autoScale();
    frm.redraw();
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 60);
    // In the joined gap (10:05 .. 10:10 of 10:00 .. 10:14:50) no curve is drawn;
    // the overlay, laid over it, runs on through it.
    const QRect plot = frm.pictures().PicGraph.rect;
    const auto curvePixels = [&](int from, int to) {
        const QImage& image = frm.graphImage();
        int n = 0;
        for (int x = plot.left() + plot.width() * from / 15;
             x < plot.left() + plot.width() * to / 15; ++x)
            for (int y = plot.top(); y <= plot.bottom(); ++y) {
                const QColor c = image.pixelColor(x, y);
                n += c.green() > c.red() + 30 && c.green() > c.blue() + 30;
            }
        return n;
    };
    EXPECT_GT(curvePixels(1, 4), 10);
    EXPECT_EQ(curvePixels(6, 9), 0);
    EXPECT_GT(curvePixels(11, 14), 10);
    frm.setOverlay(std::move(*other), QStringLiteral("third.csv"), true);
    EXPECT_GT(curvePixels(6, 9), 10);

    // Laid onto the current start: the third file's first record at 10:00:00.
    const GraphWindowState& over = frm.overlayWindow();
    ASSERT_GE(over.GraphPoints, 60);
    EXPECT_EQ(vbdate::secondsBetween(over.GraphTimes[1], at(10, 0, 0)), 0);
    // The cursor reads both.
    frm.showCursorAt(5);
    const auto& lines = frm.cursorView()->lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[2].text.startsWith(QStringLiteral("比較 有効電力 ")))
        << lines[2].text.toStdString();
    EXPECT_FALSE(lines[2].text.contains(QStringLiteral("－")));
    EXPECT_TRUE(frm.hasOverlay());

    frm.clearOverlay();
    EXPECT_FALSE(frm.hasOverlay());
    EXPECT_EQ(ctx.dataSet().properties(), before);
    EXPECT_EQ(readBytes(ctx.tmpDatPath()), tmpBefore);
}

} // namespace
