// The data set's properties beside TMP.DAT: written and read back, and what a
// damaged properties file gives.

#include "store/DataSetInfo.h"
#include "StoreTestUtil.h"
#include "support/Catalogue.h"
#include "support/TestContext.h"

#include <QFile>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

TEST(DataSetInfoFile, ReadsBackWhatWasWritten)
{
    DataSetInfo info;
    info.kind = DataSetKind::Download;
    info.hardVersion = 2;
    info.sampleInterval = 300;
    info.dataWiring = 0;
    info.dataFrequency = 49.98;
    info.columnPresent = {true, true, true, false, true, false, true};
    info.columnOn = {true, false, true};
    info.titleLine = QStringLiteral("ファイル名=\"a,b.csv\"\r\n");
    const auto back = parseDataSetInfo(formatDataSetInfo(info));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->kind, info.kind);
    EXPECT_EQ(back->hardVersion, 2);
    EXPECT_EQ(back->sampleInterval, 300);
    EXPECT_EQ(back->dataWiring, 0);
    EXPECT_EQ(back->dataFrequency, 49.98);
    EXPECT_EQ(back->columnPresent, info.columnPresent);
    EXPECT_EQ(back->columnOn, info.columnOn);
    EXPECT_EQ(back->titleLine, QStringLiteral("ファイル名=\"a,b.csv\"")); // one line
}

TEST(DataSetInfoFile, DamagedTextIsNoPropertiesFile)
{
    const char* const damaged[] = {
        "",
        "Kind=measurement\n",                                       // no version
        "HardVersion=2\n",                                          // no kind
        "Kind=photo\nHardVersion=2\n",                              // unknown kind
        "Kind=file\nHardVersion=two\n",                             // version not a number
        "Kind=file\nHardVersion=2\nColumnPresent=10x1\n",           // flag not 0/1
        "Kind=file\nHardVersion=2\nSampleInterval=-5\n",            // interval below 0
        "Kind=file\nHardVersion=2\nColumnOn=1111111111111111111\n", // 19 columns
    };
    for (const char* text : damaged)
        EXPECT_FALSE(parseDataSetInfo(QString::fromUtf8(text))) << text;
}

// The records' own times, peak and energy decide the restored summary, whatever
// the store's globals said before.
TEST(DataSetRecovery, TakesTimesPeakAndEnergyFromTheRecords)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    giveTestCatalogue(ctx, 2);
    std::vector<DataRecord> recs;
    for (int i = 0; i < 5; ++i) {
        DataRecord r = makeRecord(i, at(i * 60), 1);
        r.setColumn(6, i == 3 ? 900 : 100);
        r.setColumn(11, 0.1 * (i + 1));
        recs.push_back(r);
    }
    writeStore(ctx, recs);
    test::props(ctx).SampleInterval = 60;
    ASSERT_TRUE(writeDataSetInfo(ctx, DataSetKind::Measurement));
    ResetStore(ctx);

    const auto leftover = findLeftoverDataSet(ctx);
    ASSERT_TRUE(leftover);
    ASSERT_TRUE(leftover->info);
    EXPECT_EQ(leftover->records, 5);
    restoreDataSet(ctx, *leftover);

    EXPECT_EQ(ctx.dataSet().RecordCount(), 5);
    EXPECT_EQ(ctx.dataSet().SampleInterval(), 60);
    EXPECT_EQ(ctx.dataSet().FirstTime(), at(0));
    EXPECT_EQ(ctx.dataSet().LastTime(), at(240));
    EXPECT_EQ(ctx.dataSet().PeakWatts(), 900);
    EXPECT_EQ(ctx.dataSet().PeakTime(), at(180));
    EXPECT_DOUBLE_EQ(ctx.dataSet().TotalEnergy(), 0.5);
    EXPECT_EQ(ctx.dataSet().NextRecordNumber(), 5);
    EXPECT_TRUE(ctx.app.DataPresent);

    // Clearing the data set takes its properties with it.
    ctx.dataSet().DeleteTmpFile();
    EXPECT_FALSE(QFile::exists(dataSetInfoPath(ctx)));
    EXPECT_FALSE(findLeftoverDataSet(ctx));
}

} // namespace
} // namespace quellin::test
