// The graph's sheet: what its head says about the window shown, where its parts
// go on pages and pictures of every shape, and that its legend is drawn in the
// series' colours.

#include "print/GraphSheet.h"

#include "DataSetAccess.h"
#include "TestContext.h"
#include "views/GraphScene.h"
#include "views/GraphTestRecords.h"
#include "store/ModFileGraph.h"
#include "views/ModGraph.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// Sixty records a second apart from 10:00:00, 1000 W but 4600 W at 10:00:30.
struct SheetFixture : ::testing::Test {
    void fill(bool withPower, const QString& title)
    {
        test::buildCatalog(*t.ctx, 1);
        DataSetProperties& st = test::props(*t.ctx);
        st.ColumnPresent.assign(static_cast<size_t>(t.ctx->cat.ColumnLast) + 1, true);
        st.ColumnPresent[6] = withPower;
        st.TitleLine = title;
        t.ctx->dataSet().OpenTmpForAppend();
        for (int i = 0; i < 60; ++i) {
            DataRecord r;
            r.number = i + 1;
            r.setTime(vbdate::addSeconds(kStart, i));
            r.setColumn(2, 101);
            if (withPower)
                r.setColumn(6, i == 30 ? 4600 : 1000);
            t.ctx->dataSet().AppendRecord(r);
        }
        t.ctx->dataSet().CloseTmp();
        st.SampleInterval = 1;
        t.ctx->app.DataPresent = true;
        t.ctx->graphWindow().GraphStart = kStart;
        SetGraphWindow(*t.ctx, 0);
        LoadGraphWindow(*t.ctx);
    }
    GraphScene scene()
    {
        GraphPictures pics;
        for (size_t s = 0; s < pics.PicLeftBar.size(); ++s)
            pics.PicLeftBar[s] = {QRect(), Qt::white, QColor::fromHsv(static_cast<int>(s) * 25, 255, 200),
                                  flagAt(t.ctx->cat.SeriesShown, static_cast<int>(s))};
        pics.PicGraph = {QRect(), Qt::white, Qt::black, true};
        return currentGraphScene(*t.ctx, pics);
    }

    const double kStart = test::at(2002, 6, 1, 10, 0, 0);
    test::TestContext t;
};

TEST_F(SheetFixture, HeadNamesTheDataSetThePeriodAndItsEnergyAndPeak)
{
    struct Case {
        bool power;
        QString title, wantTitle, wantEnergy;
    };
    const QString period = QStringLiteral(
        "期間：2002/06/01 10:00:00 ～ 2002/06/01 10:00:59（60 件、記録周期 1 秒）");
    const std::vector<Case> cases{
        {true, QStringLiteral(" 工場A 受電盤 "), QStringLiteral("工場A 受電盤"),
         QStringLiteral("電力量：0.018 kWh　最大電力：4600.0 W（2002/06/01 10:00:30）")},
        // No title line (a measurement) and no power column: no made-up figures.
        {false, QString(), QStringLiteral("計測データ"), QString()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wantTitle.toStdString());
        fill(c.power, c.title);
        const GraphScene s = scene();
        const GraphSheetHead head = graphSheetHead(t.ctx->dataSet(), s);
        EXPECT_EQ(head.title, c.wantTitle);
        EXPECT_EQ(head.period, period);
        EXPECT_EQ(head.energy, c.wantEnergy);
        int shown = 0;
        for (size_t i = 0; i < s.series.size(); ++i)
            if (s.series[i].shown) {
                ASSERT_LT(static_cast<size_t>(shown), head.legend.size());
                const GraphSheetHead::Entry& e = head.legend[static_cast<size_t>(shown++)];
                EXPECT_TRUE(e.text.startsWith(s.series[i].name));
                EXPECT_TRUE(e.text.endsWith(QStringLiteral("(") + s.series[i].unit + u')') ||
                            s.series[i].unit.isEmpty());
                EXPECT_EQ(e.colour, seriesCurveColour(s.pictures.PicLeftBar[i], s.pictures.PicGraph));
            }
        EXPECT_EQ(static_cast<size_t>(shown), head.legend.size());
        EXPECT_GT(shown, 0);
    }
}

// A4 landscape and portrait at a printer's resolution, a full-HD and a small
// picture; two and fourteen legend entries.
TEST(GraphSheetLayout, FillsTheWidthKeepsTheLegendBelowAndEverythingInside)
{
    struct Case {
        const char* name;
        QSizeF area;
        double dpi;
        int entries;
    };
    const std::vector<Case> cases{{"a4-landscape", {6780, 4680}, 600, 2},
                                  {"a4-portrait", {4680, 6780}, 600, 14},
                                  {"full-hd", {1880, 1040}, 96, 14},
                                  {"smallest-picture", {614, 460}, 96, 14}};
    QImage device(10, 10, QImage::Format_RGB32);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphSheetHead head{QStringLiteral("計測データ"), QStringLiteral("期間：…"), QStringLiteral("電力量：…"), {}};
        for (int i = 0; i < c.entries; ++i)
            head.legend.push_back({QStringLiteral("漏れ電流%1 (mA)").arg(i), Qt::red});
        QPainter p(&device);
        const QRectF area(QPointF(20, 30), c.area);
        const GraphSheetLayout l = layoutGraphSheet(p, area, c.dpi, head);
        ASSERT_EQ(l.headLines.size(), 3u);
        ASSERT_EQ(l.legend.size(), static_cast<size_t>(c.entries));
        EXPECT_DOUBLE_EQ(l.graph.width(), area.width());
        EXPECT_LE(l.graph.height(), area.width() * 0.7 + 1e-9);
        EXPECT_GT(l.graph.height(), area.height() * 0.3);
        EXPECT_LE(l.headLines.back().bottom(), l.graph.top());
        for (size_t i = 0; i < l.legend.size(); ++i) {
            const QRectF all = l.legend[i].sample.united(l.legend[i].text);
            EXPECT_GE(all.top(), l.graph.bottom());
            EXPECT_TRUE(area.contains(all)) << i;
            if (i > 0)
                EXPECT_FALSE(all.intersects(l.legend[i - 1].sample.united(l.legend[i - 1].text))) << i;
        }
    }
}

TEST_F(SheetFixture, LegendIsDrawnInTheSeriesColours)
{
    fill(true, QString());
    const GraphScene s = scene();
    const GraphSheetHead head = graphSheetHead(t.ctx->dataSet(), s);
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    const QRectF area(20, 20, 1880, 1040);
    paintGraphSheet(p, area, 96, head, s, 1, t.services);
    const GraphSheetLayout l = layoutGraphSheet(p, area, 96, head);
    p.end();
    ASSERT_FALSE(l.legend.empty());
    for (size_t i = 0; i < l.legend.size(); ++i) {
        const QPointF mid = l.legend[i].sample.center();
        EXPECT_EQ(image.pixelColor(mid.toPoint()).rgb(), head.legend[i].colour.rgb()) << i;
    }
    EXPECT_TRUE(t.status.panels[2].isEmpty()) << t.status.panels[2].toStdString();
}

} // namespace
} // namespace quellin
