// What the memory dialogs send and what the download dialog decides before its
// first command.

#include "dialogs/MemoryCommands.h"
#include "Catalogue.h"
#include "TestContext.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quellin {
namespace {

MemoryBlockInfo first(int line, int interval, const QString& start, int count, double hz = 50)
{
    return {line, interval, start, hz, count};
}
MemoryBlockInfo continuation(int count)
{
    return {kContinuationBlock, -1, {}, 0, count};
}

QStringList commands(const std::vector<ExchangeStep>& steps)
{
    QStringList out;
    for (const ExchangeStep& s : steps)
        out << s.Command;
    return out;
}

TEST(ClearSteps, ClearAMeasurementBlockByBlockOrAllAtOnce)
{
    const std::vector<MemoryBlockInfo> blocks = {
        first(0, 1, "2002/06/01 10:00", 5), first(0, 0, "2002/06/02 10:00", 9999),
        continuation(9999), continuation(10), first(1, 2, "2002/06/03 10:00", 3)};
    EXPECT_EQ(commands(clearMeasurementSteps(blocks, 1)), (QStringList{"SCB1", "SCB2", "SCB3"}));
    EXPECT_EQ(commands(clearMeasurementSteps(blocks, 4)), QStringList{"SCB4"});
    EXPECT_EQ(commands(clearAllSteps()), QStringList{"SCB7"});
    for (const ExchangeStep& s : clearMeasurementSteps(blocks, 1)) {
        EXPECT_EQ(s.ReplyLength, 2);
        EXPECT_EQ(s.ReplyPrefix, "OK");
        EXPECT_EQ(s.PrefixLength, 2);
    }
}

TEST(LogingSteps, ReadTheStatusThenSendTheNewState)
{
    EXPECT_EQ(commands(logingSendSteps(0)), (QStringList{"CMD", "SMD20"}));
    EXPECT_EQ(commands(logingSendSteps(1)), (QStringList{"CMD", "SMD21"}));
    EXPECT_EQ(logingStateOf("201").label, "ロギング中");
    EXPECT_EQ(logingStateOf("201").selection, 0);
    EXPECT_EQ(logingStateOf("210").label, "ロギングなし");
    EXPECT_EQ(logingStateOf("210").selection, 1);
    EXPECT_EQ(logingStateOf("21").selection, -1);
    EXPECT_EQ(logingStateOf("21X").label, QString());
}

TEST(DownloadPlan, AsksForEachBlockOfTheMeasurementWithItsWriteCount)
{
    const std::vector<MemoryBlockInfo> blocks = {
        first(0, 2, "2002/06/01 10:00", 120),  first(1, 3, "2002/06/02 10:00", 1),
        first(2, 0, "2002/06/03 10:00", 7),    first(2, 0, "2002/06/04 10:00", 3),
        first(1, 5, "2002/06/05 10:00", 9999), continuation(17)};
    const DownloadPlanResult a = planDownload(blocks, 0);
    ASSERT_TRUE(a.plan) << a.error.toStdString();
    EXPECT_EQ(commands(a.plan->steps), (QStringList{"CMD", "CMM000000120"}));
    EXPECT_EQ(a.plan->sampleInterval, 600);
    EXPECT_EQ(a.plan->requested, 120);
    const DownloadPlanResult b = planDownload(blocks, 4);
    ASSERT_TRUE(b.plan);
    EXPECT_EQ(commands(b.plan->steps), (QStringList{"CMD", "CMM400009999", "CMM500000017"}));
    EXPECT_EQ(b.plan->sampleInterval, 3600);
    EXPECT_EQ(b.plan->wiring, 1);
    EXPECT_EQ(b.plan->available, 10016);
    EXPECT_EQ(b.plan->firstTime, *vbdate::parse(u"2002/06/05 10:00"));
    EXPECT_EQ(b.plan->steps[0].ReplyLength, 6);
    EXPECT_EQ(b.plan->steps[1].ReplyLength, -1);
}

TEST(DownloadPlan, AMeasurementBeyondTheStoresLimitIsAskedForItsFirstRecordsOnly)
{
    const std::vector<MemoryBlockInfo> blocks = {first(2, 0, "2002/06/01 10:00", 9999),
                                                 continuation(9999), continuation(9999),
                                                 continuation(9999), continuation(5)};
    const DownloadPlanResult r = planDownload(blocks, 0);
    ASSERT_TRUE(r.plan);
    EXPECT_EQ(commands(r.plan->steps),
              (QStringList{"CMD", "CMM000009999", "CMM100009999", "CMM200009999", "CMM300002771"}));
    EXPECT_EQ(r.plan->requested, kMaxStoredRecords);
    EXPECT_EQ(r.plan->available, 4 * 9999 + 5);
}

TEST(DownloadPlan, IsRefusedWithAReasonForBlocksItCannotDownload)
{
    const std::vector<MemoryBlockInfo> blocks = {first(0, 6, "2002/06/01 10:00", 1),
                                                 first(0, 1, "yesterday", 1), continuation(3)};
    for (const int block : {0, 1, 2, 3, -1}) {
        const DownloadPlanResult r = planDownload(blocks, block);
        EXPECT_FALSE(r.plan) << block;
        EXPECT_TRUE(r.error.startsWith("ダウンロードできません。\r\n")) << block;
    }
    EXPECT_TRUE(planDownload(blocks, 1).error.contains("yesterday"));
}

TEST(PrepareDownload, StartsANewDataSetWithTheBlocksProperties)
{
    for (const int wiring : {0, 2}) {
        test::TestContext t;
        Context& ctx = *t.ctx;
        test::giveTestCatalogue(ctx, 2);
        // An earlier data set of three records.
        OpenTmpForAppend(ctx);
        for (int i = 0; i < 3; ++i)
            AppendRecord(ctx, DataRecord{});
        ctx.app.DataPresent = true;
        ctx.download.Skipped = 4;

        const DownloadPlanResult r =
            planDownload({first(wiring, 1, "2002/06/01 10:00", 96, 49.98)}, 0);
        ASSERT_TRUE(r.plan);
        prepareDownload(ctx, *r.plan);
        const StoreGlobals& st = ctx.store;
        EXPECT_EQ(st.RecordCount, 0);
        EXPECT_EQ(QFile(ctx.tmpDatPath()).size(), 0);
        ASSERT_TRUE(st.TmpFileNo && st.TmpFileNo->isOpen());
        EXPECT_FALSE(ctx.app.DataPresent);
        EXPECT_EQ(st.SampleInterval, 300);
        EXPECT_EQ(st.FirstTime, *vbdate::parse(u"2002/06/01 10:00"));
        EXPECT_EQ(st.GraphStart, st.FirstTime);
        EXPECT_EQ(st.PeakTime, st.FirstTime);
        EXPECT_EQ(st.PeakWatts, -9999.9);
        EXPECT_EQ(st.DataFrequency, 49.98);
        EXPECT_EQ(st.DataWiring, wiring);
        EXPECT_EQ(st.ListTop, 0);
        ASSERT_EQ(st.ColumnPresent.size(), 18u);
        for (int c = 0; c < 18; ++c)
            EXPECT_EQ(st.ColumnPresent[c], wiring != 0 || (c != 3 && c != 5)) << c;
        EXPECT_EQ(ctx.download.Skipped, 0);
        EXPECT_EQ(ctx.download.Announced, 96);
        CloseTmp(ctx);
    }
}

} // namespace
} // namespace quellin
