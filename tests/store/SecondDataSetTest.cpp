// A data file read beside the current data set: what it holds, and that the
// current data set, TMP.DAT, TMP.INF and the program's views stay as they were.

#include "CsvTestSupport.h"
#include "store/CsvLoad.h"
#include "store/DataSetInfo.h"
#include "store/ModFileGraph.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

// Everything of the current data set a load beside it must not touch.
struct CurrentSnapshot {
    explicit CurrentSnapshot(const Context& ctx)
        : properties(ctx.dataSet().properties()), tmpDat(readBytes(ctx.tmpDatPath())),
          tmpInf(readBytes(dataSetInfoPath(ctx))), open(ctx.dataSet().isOpenForAppend()),
          dataPresent(ctx.app.DataPresent), columnOn(ctx.cat.ColumnOn),
          graphStart(ctx.graphWindow().GraphStart), graphEnd(ctx.graphWindow().GraphEnd),
          graphPoints(ctx.graphWindow().GraphPoints), graphTimes(ctx.graphWindow().GraphTimes),
          graphValues(ctx.graphWindow().GraphValues), listTop(ctx.listPage().ListTop)
    {
        for (const DataRecord& row : ctx.listPage().Rows)
            listNumbers.push_back(row.number);
    }
    bool operator==(const CurrentSnapshot&) const = default;

    DataSetProperties properties;
    QByteArray tmpDat;
    QByteArray tmpInf;
    bool open;
    bool dataPresent;
    std::vector<bool> columnOn;
    double graphStart, graphEnd;
    int graphPoints;
    std::vector<double> graphTimes;
    std::vector<std::vector<double>> graphValues;
    int listTop;
    std::vector<int> listNumbers;
};

// A current data set of twenty records, its window and page read, as a
// measurement that is still writing TMP.DAT (or one that has ended) leaves it.
void makeCurrentDataSet(Context& ctx, bool stillWriting)
{
    useVersion(ctx, 2);
    std::vector<DataRecord> records;
    for (int i = 0; i < 20; ++i) {
        DataRecord rec;
        rec.number = i;
        rec.setTime(vbdate::addSeconds(at(9, 0, 0), i));
        rec.setColumn(6, 100.0 * i);
        records.push_back(rec);
    }
    storeRecords(ctx, records, 0, {3, 5});
    test::props(ctx).PeakWatts = 1900;
    ASSERT_TRUE(writeDataSetInfo(ctx, DataSetKind::Measurement));
    ctx.app.GraphXHani = 1;
    ctx.graphWindow().GraphStart = at(9, 0, 0);
    SetGraphWindow(ctx, 0);
    LoadGraphWindow(ctx);
    LoadListPage(ctx, 6);
    if (stillWriting)
        ctx.dataSet().OpenTmpForAppend();
}

struct AsideCase {
    const char* fixture;
    bool stillWriting;
    int records; // 0: refused
    const char* message;
};

class LoadedAside : public ::testing::TestWithParam<AsideCase> {};

TEST_P(LoadedAside, LeavesTheCurrentDataSetAsItWas)
{
    const AsideCase& c = GetParam();
    TestContext t;
    makeCurrentDataSet(*t.ctx, c.stillWriting);
    const CurrentSnapshot before(*t.ctx);
    ASSERT_EQ(before.properties.RecordCount, 20);
    ASSERT_FALSE(before.tmpInf.isEmpty());

    const std::optional<DataSet> aside =
        LoadDataFileAside(*t.ctx, fixturePath(QString::fromLatin1(c.fixture)));

    EXPECT_TRUE(CurrentSnapshot(*t.ctx) == before);
    ASSERT_EQ(aside.has_value(), c.records > 0);
    if (c.message) {
        ASSERT_EQ(t.msg.shown.size(), 1u);
        EXPECT_TRUE(t.msg.shown[0].text.contains(QString::fromUtf8(c.message)))
            << t.msg.shown[0].text.toStdString();
    } else {
        EXPECT_TRUE(t.msg.shown.empty());
    }
    if (!aside)
        return;
    EXPECT_TRUE(aside->keepsRecordsInMemory());
    EXPECT_FALSE(aside->isOpenForAppend());
    EXPECT_EQ(aside->RecordCount(), c.records);
    EXPECT_EQ(aside->SampleInterval(), 10);
    EXPECT_EQ(aside->FirstTime(), at(10, 0, 0));
    EXPECT_EQ(aside->LastTime(), at(10, 0, 10 * (c.records - 1)));
    const std::vector<DataRecord> recs = aside->ReadRecords(1, c.records);
    const std::vector<DataRecord> known = knownRecords();
    for (int r = 0; r < c.records; ++r) {
        EXPECT_EQ(recs[static_cast<size_t>(r)].time(), known[static_cast<size_t>(r)].time());
        EXPECT_EQ(recs[static_cast<size_t>(r)].column(6),
                  single(r == 1 ? 1.201E+3 : known[static_cast<size_t>(r)].column(6)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadedAside,
    ::testing::Values(AsideCase{"v2_single_three_wire.csv", false, 3, nullptr},
                      AsideCase{"v2_single_three_wire.csv", true, 3, nullptr},
                      AsideCase{"v1_three_phase.csv", true, 3, nullptr},
                      AsideCase{"bad_one_record.csv", true, 0, "2件以上必要です"},
                      AsideCase{"bad_not_a_number.csv", false, 0, "数値ではありません"},
                      AsideCase{"bad_empty.csv", true, 0, "ファイルが空です"},
                      AsideCase{"no_such_file.csv", false, 0, "開けません"}));

// Beside a current data set of another wiring, a file's wiring is its own, and
// a file that names none leaves it unknown rather than taking any.
TEST(AsideWiring, IsTheFilesOwnOrNotKnown)
{
    struct Case {
        const char* fixture;
        int wiring;
    };
    for (const Case& c : {Case{"v2_single_three_wire.csv", 1}, Case{"v1_three_phase.csv", 2},
                          Case{"edge_no_wiring_line.csv", -1}}) {
        SCOPED_TRACE(c.fixture);
        TestContext t;
        makeCurrentDataSet(*t.ctx, false);
        ASSERT_EQ(t.ctx->dataSet().DataWiring(), 0);
        const std::optional<DataSet> aside = LoadDataFileAside(*t.ctx, fixturePath(QString::fromLatin1(c.fixture)));
        ASSERT_TRUE(aside);
        EXPECT_EQ(aside->DataWiring(), c.wiring);
    }
}

// The same file read as the current data set and beside it gives the same
// window for the same times, and the same page.
TEST(LoadedAside, FillsAWindowAndPageOfItsOwnAsTheCurrentOneWould)
{
    TestContext t;
    Context& ctx = *t.ctx;
    useVersion(ctx, 2);
    const QString file = fixturePath(QStringLiteral("v2_single_three_wire.csv"));
    const std::optional<DataSet> aside = LoadDataFileAside(ctx, file);
    ASSERT_TRUE(aside);
    ASSERT_TRUE(LoadDataFile(ctx, file));
    EXPECT_EQ(aside->properties(), ctx.dataSet().properties());

    for (const auto& [from, to] :
         {std::pair{at(10, 0, 5), at(10, 0, 15)}, std::pair{at(9, 0, 0), at(11, 0, 0)},
          std::pair{at(10, 0, 10), at(10, 0, 20)}}) {
        GraphWindowState& current = ctx.graphWindow();
        current.GraphStart = from;
        current.GraphEnd = to;
        LoadGraphWindow(ctx);
        GraphWindowState second;
        second.GraphStart = from;
        second.GraphEnd = to;
        aside->LoadGraphWindow(second, ctx.cat.SeriesLast, ctx.app.HardVersion);
        ASSERT_EQ(second.GraphPoints, current.GraphPoints);
        EXPECT_EQ(second.GraphTimes, current.GraphTimes);
        EXPECT_EQ(second.GraphValues, current.GraphValues);
    }
    ListPage page;
    aside->LoadListPage(page, 1);
    LoadListPage(ctx, 1);
    for (size_t i = 1; i < page.Rows.size(); ++i) // row 0 is never filled
        EXPECT_EQ(std::memcmp(&page.Rows[i], &ctx.listPage().Rows[i], kRecordBytes), 0) << i;
}

} // namespace
