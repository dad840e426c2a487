// Download_Recv: every record line of a download becomes one record, with what the
// meter does not log computed; damaged lines never stop it.

#include "main/DownloadReception.h"
#include "Catalogue.h"
#include "TestContext.h"
#include "dialogs/MemoryCommands.h"
#include "link/MeasuredData.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QFile>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// The text after "RMM": a record number, then vR, vT, iR, iT, P, PF and five more.
QString recordText(std::vector<float> f)
{
    f.resize(11, 2.5f);
    QString text = QStringLiteral("0000");
    for (size_t i = 0; i < f.size(); ++i)
        text += (i ? QStringLiteral(",") : QString()) +
                QStringLiteral("%1").arg(std::bit_cast<quint32>(f[i]), 8, 16, QLatin1Char('0'));
    return text;
}

struct Download {
    // A measurement of the given wiring, interval code and hardware version.
    Download(int wiring, int interval, int version = 2)
    {
        test::giveTestCatalogue(ctx, version);
        prepareDownload(
            ctx, counts,
            planDownload({{wiring, interval, "2002/06/01 10:00", 50.02, 100}}, 0).plan.value());
    }
    ~Download() { ctx.dataSet().CloseTmp(); }
    DataRecord record(int k) { return ctx.dataSet().ReadRecord(k); }
    test::TestContext t;
    Context& ctx = *t.ctx;
    DownloadCounts counts;
};

TEST(DownloadRecv, ComputesEachRecordFromTheLineTheStartAndTheInterval)
{
    const double root3 = std::sqrt(3.0);
    struct Case {
        int wiring;
        std::vector<float> f;
        double s, q;
    };
    for (const Case& c : {Case{2, {200, 200, 10, 10, 3000}, 4000 * root3 / 2, std::sqrt(3e6)},
                          Case{1, {100, 100, 5, 5, 600}, 1000, 800},
                          Case{0, {100, 0, 5, 0, 600}, 500, std::sqrt(600.0 * 600 - 500 * 500)},
                          Case{5, {100, 100, 5, 5, 400}, 0, 400}}) {
        Download d(c.wiring, 1); // five minutes
        for (int i = 0; i < 4; ++i)
            Download_Recv(d.ctx, d.counts, recordText(c.f));
        const DataRecord r = d.record(4);
        EXPECT_NEAR(r.column(8), c.s, 1e-9) << c.wiring;
        EXPECT_NEAR(r.column(7), c.q, 1e-9) << c.wiring;
        EXPECT_EQ(r.number, 3);
        EXPECT_EQ(vbdate::secondsBetween(*vbdate::parse(u"2002/06/01 10:00"), r.time()), 15 * 60);
        EXPECT_EQ(r.column(10), 50.02);
        EXPECT_NEAR(r.column(11), 4 * c.f[4] / 12.0 / 1000, 1e-12);
        EXPECT_NEAR(r.column(12), 4 / 12.0, 1e-12);
        EXPECT_EQ(r.column(16), 2.5);
        EXPECT_EQ(d.ctx.dataSet().LastTime(), r.time());
        EXPECT_EQ(d.ctx.dataSet().PeakWatts(), c.f[4]);
    }
    // A version-1 line has six fields; the later columns stay 0.
    Download v1(2, 5, 1);
    Download_Recv(v1.ctx, v1.counts, recordText({100, 100, 1, 1, 150, 80}).left(57));
    ASSERT_EQ(v1.ctx.dataSet().RecordCount(), 1);
    EXPECT_EQ(v1.record(1).column(6), 150);
    EXPECT_EQ(v1.record(1).column(16), 0);
}

// A damaged line carries no record; an overflowing reading is stored as 0 with a
// note, but an active power that is not a number is missing: kept as NaN (with
// the reactive power made from it), out of the energy, and counted.
TEST(DownloadRecv, DamagedLinesCarryNoRecordAndAnUnreadablePowerIsMissing)
{
    Download d(2, 0); // one minute
    const QString good = recordText({100, 100, 1, 1, 100});
    QString notHex = good;
    notHex[10] = 'G';
    const QString infinite = recordText({INFINITY, 100, 1, 1, 100});
    const QString noPower = recordText({100, 100, 1, 1, NAN});
    for (const QString& line :
         {good, good.left(30), notHex, QString(), good.left(100), infinite, noPower})
        Download_Recv(d.ctx, d.counts, line);
    EXPECT_EQ(d.counts.Skipped, 4);
    EXPECT_EQ(d.counts.Overflows, 1);
    EXPECT_EQ(d.counts.Missing, 1);
    ASSERT_EQ(d.ctx.dataSet().RecordCount(), 3);
    // The lines that carried nothing leave a gap in the numbers and times.
    EXPECT_EQ(d.record(2).number, 5);
    EXPECT_EQ(vbdate::secondsBetween(d.record(1).time(), d.record(2).time()), 5 * 60);
    EXPECT_EQ(d.record(2).column(2), 0);
    EXPECT_EQ(d.record(2).column(6), 100);
    EXPECT_TRUE(std::isnan(d.record(3).column(6)));
    EXPECT_TRUE(std::isnan(d.record(3).column(7)));
    EXPECT_EQ(d.record(3).column(2), 100);
    // Three minutes of 100 W: the missing minute adds hours but no energy.
    EXPECT_NEAR(d.record(3).column(11), 2 * 100 / 60.0 / 1000, 1e-12);
    EXPECT_NEAR(d.record(3).column(12), 3 / 60.0, 1e-12);
    EXPECT_EQ(d.t.status.panels[2], overflowText());
    EXPECT_EQ(downloadOutcomeText(d.counts),
              overflowText() + " 有効電力が読めない1件は欠測としました。 読み取れない4行を除きました。 "
                              "100件のうち7件を受信しました。");
    EXPECT_EQ(downloadProgressText(d.counts),
              "ダウンロード中です。 7 / 100 件（7%） " + overflowText());
    // TMP.DAT refusing a record ends the storing: nothing is shown.
    d.ctx.dataSet().CloseTmp();
    Download_Recv(d.ctx, d.counts, good);
    EXPECT_FALSE(d.counts.StoreError.isEmpty());
    EXPECT_FALSE(prepareDownloadedDataSet(d.ctx, d.counts));
}

TEST(DiscardDownload, LeavesAnEmptyDataSetAndSaysWhatWasDropped)
{
    Download d(2, 0);
    for (int i = 0; i < 5; ++i)
        Download_Recv(d.ctx, d.counts, recordText({100, 100, 1, 1, 100}));
    EXPECT_EQ(discardDownload(d.ctx, d.counts),
              "ダウンロードは完了していません。受信した5 / 100 件は破棄しました。");
    EXPECT_EQ(d.ctx.dataSet().RecordCount(), 0);
    EXPECT_FALSE(QFile::exists(d.ctx.tmpDatPath()));
}

} // namespace
} // namespace quellin
