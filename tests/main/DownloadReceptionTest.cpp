// Download_Recv: every record line of a download becomes one record, with the
// values the meter does not log computed; damaged lines never stop it.

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

QString hexOf(float v)
{
    return QStringLiteral("%1").arg(std::bit_cast<quint32>(v), 8, 16, QLatin1Char('0')).toUpper();
}

// The text after "RMM": the record number in its block, then the fields.
QString recordText(int number, const std::vector<float>& fields)
{
    QString text = QStringLiteral("%1").arg(number % 10000, 4, 10, QLatin1Char('0'));
    for (size_t i = 0; i < fields.size(); ++i)
        text += (i == 0 ? QString() : QStringLiteral(",")) + hexOf(fields[i]);
    return text;
}

// vR, vT, iR, iT, P, PF, then the version-2 fields.
std::vector<float> readings(float vR, float vT, float iR, float iT, float p, float pf = 90,
                            bool v2 = true)
{
    std::vector<float> f = {vR, vT, iR, iT, p, pf};
    if (v2)
        f.insert(f.end(), {1.5f, 2.5f, 3.5f, 21.0f, -4.0f});
    return f;
}

struct Download {
    explicit Download(int version = 2, int wiring = 2, int interval = 1, int records = 100)
    {
        test::giveTestCatalogue(ctx, version);
        MemoryBlockInfo block{wiring, interval, "2002/06/01 10:00", 50.02, records};
        const DownloadPlanResult r = planDownload({block}, 0);
        prepareDownload(ctx, *r.plan);
    }
    ~Download() { CloseTmp(ctx); }
    DataRecord record(int k) { return ReadRecord(ctx, k); }

    test::TestContext t;
    Context& ctx = *t.ctx;
};

TEST(DownloadRecv, NumbersAndStampsRecordsFromTheStartByTheInterval)
{
    Download d(2, 2, 1); // five minutes
    for (int i = 0; i < 4; ++i)
        Download_Recv(d.ctx, recordText(i, readings(100, 100, 1, 1, 100)));
    const double start = *vbdate::parse(u"2002/06/01 10:00");
    EXPECT_EQ(d.record(1).number, 0);
    EXPECT_EQ(d.record(1).time(), start);
    EXPECT_EQ(d.record(4).number, 3);
    EXPECT_EQ(vbdate::secondsBetween(start, d.record(4).time()), 15 * 60);
    EXPECT_EQ(d.ctx.store.LastTime, d.record(4).time());
    EXPECT_EQ(d.ctx.store.GraphEnd, d.record(4).time());
    EXPECT_EQ(d.record(4).column(10), 50.02);
}

TEST(DownloadRecv, ComputesApparentAndReactivePowerByTheWiring)
{
    struct Case {
        int wiring;
        std::vector<float> fields;
        double s, q;
    };
    const double root3 = std::sqrt(3.0);
    for (const Case& c : {
             Case{2, readings(200, 200, 10, 10, 3000), 4000 * root3 / 2,
                  std::sqrt(std::fabs(12e6 - 9e6))},
             Case{1, readings(100, 100, 5, 5, 600), 1000, 800},
             Case{0, readings(100, 0, 5, 0, 400), 500, 300},
             // More active than apparent power still gives a real reactive power.
             Case{0, readings(100, 0, 5, 0, 600), 500, std::sqrt(600.0 * 600 - 500 * 500)},
             Case{5, readings(100, 100, 5, 5, 400), 0, 400},
         }) {
        Download d(2, c.wiring);
        Download_Recv(d.ctx, recordText(0, c.fields));
        const DataRecord r = d.record(1);
        EXPECT_NEAR(r.column(8), c.s, 1e-9) << c.wiring;
        EXPECT_NEAR(r.column(7), c.q, 1e-9) << c.wiring;
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(r.column(k < 5 ? 2 + k : 9), c.fields[k]) << "field " << k + 1;
    }
}

TEST(DownloadRecv, IntegratesEnergyAndTimeOverTheIntervalAndKeepsThePeak)
{
    Download d(2, 2, 5); // hourly
    for (int i = 0; i < 12; ++i)
        Download_Recv(d.ctx, recordText(i, readings(200, 200, 2, 2, i == 7 ? 900 : 500)));
    const DataRecord last = d.record(12);
    EXPECT_NEAR(last.column(11), 6.4, 1e-12);
    EXPECT_NEAR(last.column(12), 12.0, 1e-12);
    EXPECT_NEAR(d.ctx.store.TotalEnergy, 6.4, 1e-12);
    EXPECT_EQ(d.ctx.store.PeakWatts, 900);
    EXPECT_EQ(d.ctx.store.PeakTime, d.record(8).time());
    EXPECT_NEAR(d.ctx.download.PowerSum, 11 * 500 + 900, 1e-9);
    EXPECT_EQ(d.ctx.download.Stored, 12);
}

TEST(DownloadRecv, VersionOneLinesHaveSixFieldsAndTheLaterColumnsStayZero)
{
    Download d(1);
    Download_Recv(d.ctx, recordText(0, readings(100, 100, 1, 1, 150, 80, false)));
    ASSERT_EQ(d.ctx.store.RecordCount, 1);
    const DataRecord r = d.record(1);
    EXPECT_EQ(r.column(6), 150);
    for (int c = 13; c <= 17; ++c)
        EXPECT_EQ(r.column(c), 0) << c;
    Download d2(2);
    Download_Recv(d2.ctx, recordText(0, readings(100, 100, 1, 1, 150)));
    const DataRecord r2 = d2.record(1);
    EXPECT_EQ(r2.column(13), 1.5);
    EXPECT_EQ(r2.column(16), 21);
    EXPECT_EQ(r2.column(17), -4);
}

TEST(DownloadRecv, DamagedLinesCarryNoRecordAndLeaveAGapInTheTimes)
{
    Download d(2, 2, 0); // one minute
    const QString good = recordText(0, readings(100, 100, 1, 1, 100));
    QString notHex = good;
    notHex[10] = 'G';
    QString blankField = good;
    blankField.replace(13, 8, QStringLiteral("        "));
    for (const QString& line : {good, good.left(30), notHex, QString(), good.left(100), blankField,
                                QStringLiteral("E"), good})
        Download_Recv(d.ctx, line);
    EXPECT_EQ(d.ctx.download.Skipped, 6);
    EXPECT_EQ(d.ctx.download.RecordCounter, 8);
    ASSERT_EQ(d.ctx.store.RecordCount, 2);
    EXPECT_EQ(d.record(2).number, 7);
    EXPECT_EQ(vbdate::secondsBetween(d.record(1).time(), d.record(2).time()), 7 * 60);
    EXPECT_NEAR(d.record(2).column(12), 2 / 60.0, 1e-12);
}

TEST(DownloadRecv, AnInfiniteValueIsStoredAsZeroWithTheOverflowText)
{
    Download d;
    std::vector<float> f = readings(100, 100, 1, 1, 100);
    f[4] = INFINITY;
    Download_Recv(d.ctx, recordText(0, f));
    f[4] = 100;
    f[0] = NAN;
    Download_Recv(d.ctx, recordText(1, f));
    ASSERT_EQ(d.ctx.store.RecordCount, 2);
    EXPECT_EQ(d.record(1).column(6), 0);
    EXPECT_EQ(d.record(2).column(2), 0);
    EXPECT_EQ(d.ctx.download.Overflows, 2);
    EXPECT_EQ(d.t.status.panels[2], kOverflowText);
    EXPECT_TRUE(std::isfinite(d.ctx.store.TotalEnergy));
    EXPECT_TRUE(downloadProgressText(d.ctx.download).endsWith(kOverflowText));
    EXPECT_TRUE(downloadOutcomeText(d.ctx).startsWith(kOverflowText));
}

TEST(DownloadRecv, StoresNothingOnceTmpDatRefusedARecord)
{
    Download d;
    const QString line = recordText(0, readings(100, 100, 1, 1, 100));
    Download_Recv(d.ctx, line);
    CloseTmp(d.ctx);
    Download_Recv(d.ctx, line);
    EXPECT_FALSE(d.ctx.download.StoreError.isEmpty());
    OpenTmpForAppend(d.ctx);
    Download_Recv(d.ctx, line);
    EXPECT_EQ(d.ctx.store.RecordCount, 1);
    EXPECT_FALSE(prepareDownloadedDataSet(d.ctx));
}

TEST(DownloadProgress, CountsTheRecordsOfTheAnnouncedTotal)
{
    DownloadGlobals g;
    g.Announced = 24800;
    g.RecordCounter = 1240;
    EXPECT_EQ(downloadProgressText(g), "ダウンロード中です。 1240 / 24800 件（5%）");
    EXPECT_TRUE(downloadProgressDue(g));
    g.RecordCounter = 1241;
    EXPECT_FALSE(downloadProgressDue(g));
    g.RecordCounter = g.Announced = 7;
    EXPECT_TRUE(downloadProgressDue(g));
    EXPECT_EQ(downloadProgressText(g), "ダウンロード中です。 7 / 7 件（100%）");
}

TEST(DownloadOutcome, TellsWhatIsMissingFromTheDataSet)
{
    test::TestContext t;
    DownloadGlobals& g = t.ctx->download;
    g.Available = g.Announced = g.RecordCounter = 96;
    EXPECT_EQ(downloadOutcomeText(*t.ctx), QString());
    g.Skipped = 3;
    g.Available = 40000;
    g.Announced = kMaxStoredRecords;
    g.RecordCounter = 100;
    EXPECT_EQ(downloadOutcomeText(*t.ctx),
              "読み取れない3行を除きました。 記録数の上限のため、40000件のうち先頭の32768件を"
              "読み込みました。 32768件のうち100件を受信しました。");
}

TEST(DiscardDownload, LeavesAnEmptyDataSetAndSaysWhatWasDropped)
{
    Download d;
    for (int i = 0; i < 5; ++i)
        Download_Recv(d.ctx, recordText(i, readings(100, 100, 1, 1, 100)));
    EXPECT_EQ(discardDownload(d.ctx),
              "ダウンロードは完了していません。受信した5 / 100 件は破棄しました。");
    EXPECT_EQ(d.ctx.store.RecordCount, 0);
    EXPECT_FALSE(d.ctx.app.DataPresent);
    EXPECT_EQ(d.ctx.store.TmpFileNo, nullptr);
    EXPECT_FALSE(QFile::exists(d.ctx.tmpDatPath()));
    d.ctx.download = DownloadGlobals{};
    EXPECT_EQ(discardDownload(d.ctx), QString());
}

} // namespace
} // namespace quellin
