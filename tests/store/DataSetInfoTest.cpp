// The data set's properties beside TMP.DAT: written and read back, and what a
// damaged properties file gives.

#include "store/DataSetInfo.h"
#include "StoreTestUtil.h"
#include "support/Catalogue.h"
#include "support/TestContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A leftover set aside never takes the name of one set aside before (two starts
// in the same second, a clock set back): it gets the next free number.
TEST(DataSetRecovery, SettingAsideNeverOverwritesAnEarlierLeftover)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    giveTestCatalogue(ctx, 2);
    const QString folder = ctx.app.AppFolder;
    const QString stamp = QStringLiteral("TMP-20020601-000000");
    const struct {
        QStringList taken;
        QString expected;
    } cases[] = {
        {{}, stamp + QStringLiteral(".DAT")},
        {{stamp + QStringLiteral(".DAT")}, stamp + QStringLiteral("-2.DAT")},
        {{stamp + QStringLiteral(".DAT"), stamp + QStringLiteral("-2.DAT")},
         stamp + QStringLiteral("-3.DAT")},
    };
    for (const auto& c : cases) {
        for (const QString& name : QDir(folder).entryList({QStringLiteral("TMP-*")}))
            QFile::remove(folder + name);
        for (const QString& name : c.taken) {
            QFile f(folder + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(name.toUtf8());
        }
        writeStore(ctx, {makeRecord(0, at(0), 1), makeRecord(1, at(1), 1)});
        ctx.dataSet().CloseTmp();
        EXPECT_EQ(setLeftoverAside(ctx), folder + c.expected);
        EXPECT_FALSE(QFile::exists(ctx.tmpDatPath()));
        EXPECT_EQ(QFileInfo(folder + c.expected).size(), 2 * kRecordBytes);
        for (const QString& name : c.taken) {
            QFile f(folder + name);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), name.toUtf8()) << "an earlier leftover was overwritten";
        }
    }
}

// What a leftover is offered as: whole records with their properties are a data
// set; a damaged TMP.INF or records no meter sends are set aside instead, and
// neither is mistaken for an unfinished load.
TEST(DataSetRecovery, OnlyWholeRecordsWithTheirPropertiesAreOffered)
{
    const struct {
        const char* name;
        const char* info; // TMP.INF's text; null: no TMP.INF
        bool randomRecords;
        bool restorable;
        bool hasInfo;
        LeftoverDamage damage;
    } cases[] = {
        {"whole", "Kind=measurement\nHardVersion=2\n", false, true, true, LeftoverDamage::None},
        {"unfinished", nullptr, false, false, false, LeftoverDamage::None},
        {"damaged properties", "Kind=photo\n\x01\x02", false, false, false,
         LeftoverDamage::Properties},
        {"random records", "Kind=measurement\nHardVersion=2\n", true, false, true,
         LeftoverDamage::Records},
    };
    for (const auto& c : cases) {
        TestContext tc;
        Context& ctx = *tc.ctx;
        giveTestCatalogue(ctx, 2);
        writeStore(ctx, {makeRecord(0, at(0), 1), makeRecord(1, at(1), 1)});
        if (c.randomRecords) {
            QFile tmp(ctx.tmpDatPath());
            ASSERT_TRUE(tmp.open(QIODevice::WriteOnly));
            QByteArray noise(3 * kRecordBytes, '\0');
            for (int i = 0; i < noise.size(); ++i)
                noise[i] = static_cast<char>((i * 7919 + 13) & 0xff);
            tmp.write(noise);
        }
        if (c.info) {
            QFile info(dataSetInfoPath(ctx));
            ASSERT_TRUE(info.open(QIODevice::WriteOnly));
            info.write(c.info);
        }
        const auto leftover = findLeftoverDataSet(ctx);
        ASSERT_TRUE(leftover) << c.name;
        EXPECT_EQ(leftover->restorable(), c.restorable) << c.name;
        EXPECT_EQ(leftover->info.has_value(), c.hasInfo) << c.name;
        EXPECT_EQ(leftover->damage, c.damage) << c.name;
    }
}

} // namespace
} // namespace quellin::test
