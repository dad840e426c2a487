#include "store/CsvLoad.h"
#include "CsvTestSupport.h"
#include "base/MeasuredItems.h"
#include "store/CsvFile.h"
#include "store/CsvSave.h"
#include "store/CsvText.h"

#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

using namespace quellin;
using namespace quellin::test;
using namespace quellin::test::csvdata;

namespace {

// The value a field of the fixtures reads back as, column c of record r.
double expectedValue(int r, int c)
{
    // The texts of the fixtures, as the formats left them.
    static const double kTexts[3][16] = {
        {1.002E+2, 9.985E+1, 5.500E+0, 5.250E+0, 1.000E+3, -2.505E+2, 1.031E+3, 9.700E+1, 6.000E+1,
         0, 0, 1.3, 0.0, 12.3, 26, -4},
        {1.004E+2, 1.000E+2, 5.600E+0, 5.300E+0, 1.201E+3, -2.600E+2, 1.228E+3, 9.770E+1, 5.999E+1,
         1.500E-3, 2.778E-3, 0.1, 100.0, 0.0, -1, 100},
        {5.000E-1, 1.235E+4, 1.000E-3, 0, 9.000E+2, 0, 9.000E+2, 1.000E+2, 6.001E+1, 4.000E-3,
         5.556E-3, 1000.0, 2.3, 0.0, 0, 0}};
    return single(kTexts[r][c - 2]);
}

struct LoadCase {
    const char* fixture;
    int version;
    int records;
    int wiring;
    std::vector<int> present; // empty: every column of the version
};

class LoadedFile : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadedFile, FillsTheStoreAsAFinishedMeasurement)
{
    const LoadCase& c = GetParam();
    TestContext t;
    useVersion(*t.ctx, c.version);
    test::props(*t.ctx).DataWiring = 1 - c.wiring % 2; // anything else
    ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QString::fromLatin1(c.fixture))))
        << t.msg.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(t.msg.shown.empty());

    const DataSetProperties& st = t.ctx->dataSet().properties();
    std::vector<int> present = c.present;
    if (present.empty())
        for (int col = 0; col <= t.ctx->cat.ColumnLast; ++col)
            present.push_back(col);
    for (int col = 0; col < kMaxColumns; ++col) {
        const bool expected = std::find(present.begin(), present.end(), col) != present.end();
        const bool actual = static_cast<size_t>(col) < st.ColumnPresent.size() &&
                            st.ColumnPresent[static_cast<size_t>(col)];
        EXPECT_EQ(actual, expected) << "column " << col;
    }
    ASSERT_EQ(st.RecordCount, c.records);
    EXPECT_EQ(tmpDatSize(*t.ctx), c.records * kRecordBytes);
    EXPECT_EQ(st.DataWiring, c.wiring);
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_EQ(st.SampleInterval, 10);
    EXPECT_EQ(st.FirstTime, at(10, 0, 0));
    EXPECT_EQ(st.LastTime, at(10, 0, 10 * (c.records - 1)));
    EXPECT_EQ(t.ctx->graphWindow().GraphStart, st.FirstTime);
    EXPECT_EQ(st.PeakWatts, single(1.201E+3));
    EXPECT_EQ(st.PeakTime, at(10, 0, 10));
    EXPECT_EQ(st.TotalEnergy, expectedValue(c.records - 1, 11));
    EXPECT_EQ(st.TitleLine,
              QStringLiteral("ファイル名=\"") + QString::fromLatin1(c.fixture) + QLatin1Char('"'));

    const std::vector<DataRecord> recs = recordsOf(*t.ctx);
    for (int r = 0; r < c.records; ++r) {
        const DataRecord& rec = recs[static_cast<size_t>(r)];
        EXPECT_EQ(rec.number, r);
        EXPECT_EQ(rec.time(), at(10, 0, 10 * r));
        for (int col = 2; col < kMaxColumns; ++col) {
            const bool read = std::find(present.begin(), present.end(), col) != present.end() &&
                              (col < 13 || c.version >= 2);
            EXPECT_EQ(rec.column(col), read ? expectedValue(r, col) : 0.0)
                << "record " << r << " column " << col;
        }
    }
    // The list page and the graph window were read.
    EXPECT_EQ(t.ctx->listPage().ListTop, 0);
    EXPECT_EQ(t.ctx->listPage().Rows[1].number, 0);
    EXPECT_TRUE(t.ctx->listPage().Rows[c.records + 1].isEmptySlot());
    EXPECT_GE(t.ctx->graphWindow().GraphPoints, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, LoadedFile,
    ::testing::Values(
        LoadCase{"v1_three_phase.csv", 1, 3, 2, {}},
        LoadCase{"v2_single_three_wire.csv", 2, 3, 1, {}},
        LoadCase{"v1_single_two_wire.csv", 1, 2, 0, {0, 1, 2, 4, 6, 7, 8, 9, 10, 11, 12}},
        LoadCase{"v2_columns_off.csv", 2, 2, 2, {0, 1, 2, 3, 4, 5, 6, 8, 9, 11, 13, 15, 17}},
        // A version-2 file under a version-1 catalogue: the extra columns are
        // known and present, but their values are not read.
        LoadCase{"v2_single_three_wire.csv",
                 1,
                 3,
                 1,
                 {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        LoadCase{"utf8_plain.csv", 1, 3, 2, {}}, LoadCase{"utf8_bom.csv", 1, 3, 2, {}}),
    [](const auto& info) {
        std::string n = info.param.fixture;
        return n.substr(0, n.find('.')) + "_v" + std::to_string(info.param.version);
    });

TEST(LoadedFileLines, AreReadWhateverTheLineEndings)
{
    const QByteArray crlf = fixture(QStringLiteral("v1_three_phase.csv"));
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    QByteArray cr = crlf;
    cr.replace("\r\n", "\r");
    QByteArray noLastEnding = crlf;
    noLastEnding.chop(2);
    const std::pair<const char*, QByteArray> cases[] = {
        {"lf", lf}, {"cr", cr}, {"no last ending", noLastEnding}};
    for (const auto& [name, bytes] : cases) {
        TestContext t;
        useVersion(*t.ctx, 1);
        const QString path = t.path(QStringLiteral("x.csv"));
        writeBytes(path, bytes);
        EXPECT_TRUE(LoadDataFile(*t.ctx, path)) << name;
        EXPECT_EQ(t.ctx->dataSet().RecordCount(), 3) << name;
    }
}

TEST(LoadedFileEdges, AMissingWiringMarkKeepsTheWiring)
{
    for (int before : {0, 1, 2}) {
        TestContext t;
        useVersion(*t.ctx, 1);
        test::props(*t.ctx).DataWiring = before;
        ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("edge_no_wiring_mark.csv"))));
        EXPECT_EQ(t.ctx->dataSet().DataWiring(), before);
        EXPECT_EQ(t.ctx->dataSet().RecordCount(), 2);
    }
}

TEST(LoadedFileEdges, AFileWithoutWiringLineHasItsTitlesOnLine2)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    test::props(*t.ctx).DataWiring = 1;
    ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("edge_no_wiring_line.csv"))));
    EXPECT_EQ(t.ctx->dataSet().DataWiring(), 1);
    ASSERT_EQ(t.ctx->dataSet().RecordCount(), 2);
    EXPECT_EQ(recordsOf(*t.ctx)[0].column(2), single(100.2));
}

TEST(LoadedFileEdges, BareTitlesAreRecognised)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("edge_bare_titles.csv"))));
    EXPECT_EQ(t.ctx->dataSet().ColumnPresent(), std::vector<bool>(13, true));
    EXPECT_EQ(t.ctx->dataSet().DataWiring(), 0);
    EXPECT_EQ(recordsOf(*t.ctx)[1].column(12), single(2.778E-3));
}

TEST(LoadedFileEdges, ValuesKeepSinglePrecisionOnly)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("edge_precision.csv"))));
    const double v = recordsOf(*t.ctx)[1].column(2);
    EXPECT_EQ(v, static_cast<double>(123.4567f));
    EXPECT_NE(v, 123.4567);
    EXPECT_NEAR(v, 123.4567, 1e-5);
}

TEST(LoadedFileEdges, EmptyLinesAreSkippedAndCountedInLineNumbers)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("edge_blank_lines.csv"))));
    EXPECT_EQ(t.ctx->dataSet().RecordCount(), 2);
}

TEST(LoadedFileEdges, UnknownTitlesAndExtraFieldsAreIgnored)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    ASSERT_TRUE(LoadDataFile(*t.ctx, fixturePath(QStringLiteral("edge_extra_fields.csv"))));
    EXPECT_EQ(t.ctx->dataSet().ColumnPresent(), std::vector<bool>(13, true));
    EXPECT_EQ(recordsOf(*t.ctx)[1].column(12), single(2.778E-3));
}

// Each field is read under its own title, whatever the order of the titles.
TEST(LoadedFileEdges, TitlesInAnotherOrderTakeTheFieldsUnderThem)
{
    TestContext t;
    useVersion(*t.ctx, 1);
    const QString path = t.path(QStringLiteral("x.csv"));
    QList<QByteArray> lines = fixture(QStringLiteral("v1_single_two_wire.csv")).split('\n');
    // The number and the time change places in every line; the titles of
    // voltage R and current R change places in the title line only.
    const QByteArray voltage = csv::encodeShiftJis(columnTitle(2));
    const QByteArray current = csv::encodeShiftJis(columnTitle(4));
    lines[2].replace(voltage, "\x01").replace(current, voltage).replace("\x01", current);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const qsizetype first = lines[i].indexOf(',');
        const qsizetype second = lines[i].indexOf(',', first + 1);
        if (second > 0)
            lines[i] = lines[i].mid(first + 1, second - first - 1) + ',' + lines[i].left(first) +
                       lines[i].mid(second);
    }
    writeBytes(path, lines.join('\n'));
    ASSERT_TRUE(LoadDataFile(*t.ctx, path)) << t.msg.texts().join(QLatin1Char('|')).toStdString();
    const DataRecord rec = recordsOf(*t.ctx)[1];
    EXPECT_EQ(rec.number, 1);
    EXPECT_EQ(rec.time(), at(10, 0, 10));
    EXPECT_EQ(rec.column(2), expectedValue(1, 4));
    EXPECT_EQ(rec.column(4), expectedValue(1, 2));
    EXPECT_EQ(rec.column(6), expectedValue(1, 6));
}

// A full measurement keeps the record that passed the limit, so its saved file
// must load; one record more is refused.
TEST(LoadedFileEdges, AFileOfAFullMeasurementLoadsAndOneMoreRecordIsRefused)
{
    for (const int records : {kMaxStoredRecords, kMaxStoredRecords + 1}) {
        TestContext t;
        useVersion(*t.ctx, 1);
        QByteArray bytes = "name\r\n\"x\"\r\n" + QByteArray::fromHex("2294d48d8622") + "," +
                           QByteArray::fromHex("228e9e8d8f22") + "\r\n";
        for (int r = 0; r < records; ++r)
            bytes += QByteArray::number(r) + ",\"2002/06/01 " +
                     QByteArray::number(10 + r / 3600).rightJustified(2, '0') + ":" +
                     QByteArray::number(r / 60 % 60).rightJustified(2, '0') + ":" +
                     QByteArray::number(r % 60).rightJustified(2, '0') + "\"\r\n";
        const QString path = t.path(QStringLiteral("big.csv"));
        writeBytes(path, bytes);
        const bool loaded = LoadDataFile(*t.ctx, path);
        EXPECT_EQ(loaded, records == kMaxStoredRecords);
        EXPECT_EQ(t.ctx->dataSet().RecordCount(), loaded ? kMaxStoredRecords : 0);
        if (!loaded) {
            EXPECT_TRUE(t.msg.shown.front().text.contains(QStringLiteral("32768")));
        }
    }
}

// A saved data set reloads to the same values, as far as the formats keep them:
// saving the reloaded set gives the same file again.
// The fields "-0.0" and "-0" of a saved file written as a zero is.
QByteArray withoutSignedZeros(const QByteArray& file)
{
    QString text = QString::fromLatin1(file);
    text.replace(QRegularExpression(QStringLiteral("(^|,)-(0(\\.0+)?)(?=,|\r)"),
                                    QRegularExpression::MultilineOption),
                 QStringLiteral("\\1\\2"));
    return text.toLatin1();
}

TEST(RoundTrip, ASavedFileReloadsToTheSameStore)
{
    const struct {
        int version;
        int wiring;
        std::vector<int> absent;
    } cases[] = {{1, 2, {}}, {2, 1, {}}, {1, 0, {3, 5}}, {2, 0, {3, 5}}};
    for (const auto& c : cases) {
        TestContext t;
        useVersion(*t.ctx, c.version);
        std::vector<DataRecord> records;
        for (int r = 0; r < 200; ++r) {
            DataRecord rec;
            rec.number = r;
            rec.setTime(vbdate::addSeconds(at(23, 50, 0), 7 * r)); // crosses midnight
            for (int col = 2; col < kMaxColumns; ++col)
                rec.setColumn(col, std::sin(r * 0.37 + col) * std::pow(10.0, col % 7 - 2));
            records.push_back(rec);
        }
        storeRecords(*t.ctx, records, c.wiring);
        for (int col : c.absent)
            test::props(*t.ctx).ColumnPresent[static_cast<size_t>(col)] = false;
        const QString first = t.path(QStringLiteral("a.csv"));
        ASSERT_TRUE(SaveDataFile(*t.ctx, first));

        ASSERT_TRUE(LoadDataFile(*t.ctx, first));
        EXPECT_EQ(t.ctx->dataSet().RecordCount(), 200);
        EXPECT_EQ(t.ctx->dataSet().DataWiring(), c.wiring);
        EXPECT_EQ(t.ctx->dataSet().SampleInterval(), 7);
        const std::vector<DataRecord> back = recordsOf(*t.ctx);
        for (int r = 0; r < 200; ++r) {
            EXPECT_EQ(back[static_cast<size_t>(r)].time(), records[static_cast<size_t>(r)].time());
            for (int col = 2; col <= t.ctx->cat.ColumnLast; ++col) {
                const bool absent =
                    std::find(c.absent.begin(), c.absent.end(), col) != c.absent.end();
                const double was = records[static_cast<size_t>(r)].column(col);
                const double now = back[static_cast<size_t>(r)].column(col);
                if (absent)
                    EXPECT_EQ(now, 0.0);
                else // four significant digits (one decimal or none for 13..17)
                    EXPECT_NEAR(now, was, col >= 13 ? 0.5 : std::fabs(was) * 6e-4 + 1e-30);
            }
        }
        const QString second = t.path(QStringLiteral("a.csv"));
        const QByteArray firstBytes = readBytes(first);
        ASSERT_TRUE(SaveDataFile(*t.ctx, second));
        // The same file again, except that a small negative value written "-0.0"
        // (or "-0") has come back as a zero, which is written without its sign.
        EXPECT_EQ(readBytes(second), withoutSignedZeros(firstBytes));
    }
}

} // namespace

// The sample interval is the step between records that occurs most often: a PC
// log that began a few seconds in, or a pause, must not set it.
TEST(LoadedFileEdges, TheSampleIntervalIsTheMostCommonStep)
{
    const struct {
        const char* name;
        std::vector<int> seconds; // each record's time after 10:00:00
        int interval;
    } cases[] = {
        {"regular", {0, 10, 20, 30}, 10},
        {"late first step", {0, 12, 22, 32, 42}, 10},
        {"pause later", {0, 5, 10, 15, 75, 80}, 5},
        {"repeated second", {0, 10, 10, 20, 30}, 10},
        {"all steps differ", {0, 3, 7, 12}, 3},
        {"two steps as often", {0, 20, 30, 50, 60}, 20},
        {"two records", {0, 7}, 7},
    };
    for (const auto& c : cases) {
        TestContext t;
        useVersion(*t.ctx, 1);
        QByteArray bytes = "name\r\n\"x\"\r\n" + QByteArray::fromHex("2294d48d8622") + "," +
                           QByteArray::fromHex("228e9e8d8f22") + "\r\n";
        int r = 0;
        for (const int s : c.seconds)
            bytes += QByteArray::number(r++) +
                     ",\"2002/06/01 10:" + QByteArray::number(s / 60).rightJustified(2, '0') + ":" +
                     QByteArray::number(s % 60).rightJustified(2, '0') + "\"\r\n";
        const QString path = t.path(QStringLiteral("steps.csv"));
        writeBytes(path, bytes);
        ASSERT_TRUE(LoadDataFile(*t.ctx, path)) << c.name;
        EXPECT_EQ(t.ctx->dataSet().SampleInterval(), c.interval) << c.name;
    }
}
