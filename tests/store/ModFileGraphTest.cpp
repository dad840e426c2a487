// The graph window's points: the edge cases of the scan, the series, and a
// comparison with the record-by-record scan over random data sets and windows.

#include "StoreTestUtil.h"
#include "support/TestContext.h"

#include <QFile>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace quellin::test {
namespace {

constexpr int kPowerSeries = 4; // active power, column 6

struct Sample {
    double sec; // seconds after the base time (fractions allowed)
    double watts;
};

struct Point {
    double sec;
    double watts;
};

double dateOf(double sec)
{
    return at(0) + sec / 86400.0;
}

struct EdgeCase {
    const char* name;
    std::vector<Sample> records;
    double start;
    double end;
    int expectedPoints;
    std::vector<Point> expected; // the first points (all of them when 2 or more)
};

class GraphEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(GraphEdges, GiveTheWrittenPoints)
{
    const EdgeCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    std::vector<DataRecord> recs;
    for (const Sample& s : c.records) {
        DataRecord r = makeRecord(static_cast<int>(recs.size()), dateOf(s.sec), 1);
        r.setColumn(6, s.watts);
        recs.push_back(r);
    }
    writeStore(ctx, recs);
    ctx.graphWindow().GraphStart = dateOf(c.start);
    ctx.graphWindow().GraphEnd = dateOf(c.end);

    LoadGraphWindow(ctx);

    const DataSetProperties& st = ctx.dataSet().properties();
    ASSERT_EQ(ctx.graphWindow().GraphPoints, c.expectedPoints) << c.name;
    for (size_t i = 0; i < c.expected.size(); ++i) {
        const int p = static_cast<int>(i) + 1;
        EXPECT_EQ(ctx.graphWindow().GraphTimes[p], dateOf(c.expected[i].sec))
            << c.name << " point " << p;
        EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][p], c.expected[i].watts)
            << c.name << " point " << p;
    }
}

const std::vector<Sample> kFour{{0, 100}, {10, 200}, {20, 300}, {30, 400}};

INSTANTIATE_TEST_SUITE_P(
    Windows, GraphEdges,
    ::testing::Values(
        EdgeCase{"interpolated at both edges",
                 {{0, 100}, {10, 200}, {20, 300}},
                 5,
                 15,
                 3,
                 {{5, 150}, {10, 200}, {15, 250}}},
        EdgeCase{
            "window before the first record", {{100, 100}, {110, 200}}, 0, 60, 1, {{100, 100}}},
        EdgeCase{"window after the last record", {{0, 100}, {10, 200}}, 100, 160, 1, {{10, 200}}},
        EdgeCase{"record at the start drops the earlier point",
                 kFour,
                 10,
                 25,
                 3,
                 {{10, 200}, {20, 300}, {25, 350}}},
        EdgeCase{"the last of several records at the start",
                 {{0, 100}, {10, 200}, {10, 250}, {20, 300}},
                 10,
                 20,
                 2,
                 {{10, 250}, {20, 300}}},
        EdgeCase{"a record at the end takes no point after it",
                 kFour,
                 5,
                 20,
                 3,
                 {{5, 150}, {10, 200}, {20, 300}}},
        EdgeCase{"only neighbours outside the window",
                 {{0, 100}, {100, 200}},
                 40,
                 60,
                 2,
                 {{40, 140}, {60, 160}}},
        EdgeCase{"zero-width window on a record", kFour, 10, 10, 1, {{10, 200}}},
        EdgeCase{"end before start", kFour, 25, 5, 1, {{10, 200}}},
        EdgeCase{"times compared in whole seconds",
                 {{0, 100}, {10.4, 200}, {20, 300}},
                 10,
                 15,
                 2,
                 {{10.4, 200}, {15, 250}}},
        EdgeCase{"duplicate times after the window",
                 {{0, 100}, {10, 200}, {30, 400}, {30, 500}},
                 0,
                 20,
                 3,
                 {{0, 100}, {10, 200}, {20, 300}}},
        EdgeCase{"single record inside", {{10, 100}}, 0, 60, 1, {{10, 100}}}),
    [](const ::testing::TestParamInfo<EdgeCase>& info) {
        return "case" + std::to_string(info.index);
    });

struct VersionCase {
    int hardVersion;
    int seriesLast;
    bool leakageFilled;
};

class GraphSeries : public ::testing::TestWithParam<VersionCase> {};

TEST_P(GraphSeries, TakeTheirColumns)
{
    const VersionCase& c = GetParam();
    TestContext tc;
    Context& ctx = *tc.ctx;
    ctx.app.HardVersion = c.hardVersion;
    ctx.cat.SeriesLast = c.seriesLast;
    writeStore(ctx, {makeRecord(0, at(0), 1), makeRecord(1, at(10), 2)});
    ctx.graphWindow().GraphStart = at(0);
    ctx.graphWindow().GraphEnd = at(60);

    LoadGraphWindow(ctx);

    const DataSetProperties& st = ctx.dataSet().properties();
    ASSERT_EQ(ctx.graphWindow().GraphPoints, 2);
    ASSERT_EQ(ctx.graphWindow().GraphValues.size(), static_cast<size_t>(c.seriesLast) + 1);
    for (int p = 1; p <= 2; ++p) {
        for (int s = 0; s <= c.seriesLast; ++s) {
            double expected = p * 100 + seriesColumn(s);
            if (s == 8)
                expected *= 1000;
            if (s >= 9 && !c.leakageFilled)
                expected = 0;
            EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[s][p], expected)
                << "series " << s << " point " << p;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, GraphSeries,
                         ::testing::Values(VersionCase{1, 8, false}, VersionCase{2, 13, true},
                                           VersionCase{3, 13, true}, VersionCase{1, 13, false},
                                           VersionCase{0, 8, false}));

TEST(GraphWindow, ReusesItsArraysAndLeavesNoStalePoints)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    std::vector<DataRecord> recs;
    for (int i = 0; i < 500; ++i)
        recs.push_back(makeRecord(i, at(i), i));
    writeStore(ctx, recs);
    DataSetProperties& st = test::props(ctx);
    ctx.graphWindow().GraphStart = at(0);
    ctx.graphWindow().GraphEnd = at(499);
    LoadGraphWindow(ctx);
    ASSERT_EQ(ctx.graphWindow().GraphPoints, 500);
    const double* times = ctx.graphWindow().GraphTimes.data();
    const double* power = ctx.graphWindow().GraphValues[kPowerSeries].data();

    ctx.graphWindow().GraphStart = at(600);
    ctx.graphWindow().GraphEnd = at(660);
    LoadGraphWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphPoints, 1);
    ctx.graphWindow().GraphStart = at(100);
    ctx.graphWindow().GraphEnd = at(160);
    LoadGraphWindow(ctx);

    EXPECT_EQ(ctx.graphWindow().GraphTimes.data(), times);
    EXPECT_EQ(ctx.graphWindow().GraphValues[kPowerSeries].data(), power);
    ASSERT_EQ(ctx.graphWindow().GraphPoints, 61);
    EXPECT_EQ(ctx.graphWindow().GraphTimes.size(), 62u);
    EXPECT_EQ(ctx.graphWindow().GraphTimes[0], 0.0);
    EXPECT_EQ(ctx.graphWindow().GraphTimes[1], at(100));
    EXPECT_EQ(ctx.graphWindow().GraphTimes[61], at(160));
    EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][61], 160 * 100 + 6);
}

// The display cycle loads the same window every second while records are
// appended: only the new records are read, and a new data set is noticed.
TEST(GraphWindow, ReadsOnlyTheAppendedRecordsAndNoticesANewDataSet)
{
    TestContext tc;
    Context& ctx = *tc.ctx;
    std::vector<DataRecord> recs;
    for (int i = 0; i < 100; ++i)
        recs.push_back(makeRecord(i, at(i), i));
    writeStore(ctx, recs, true);
    DataSetProperties& st = test::props(ctx);
    ctx.graphWindow().GraphStart = at(0);
    ctx.graphWindow().GraphEnd = at(3600);
    LoadGraphWindow(ctx);
    ASSERT_EQ(ctx.graphWindow().GraphPoints, 100);

    // A record already held is changed behind the store's back: it is not read again.
    {
        QFile raw(ctx.tmpDatPath());
        ASSERT_TRUE(raw.open(QIODevice::ReadWrite));
        const DataRecord changed = makeRecord(50, at(50), 9999);
        raw.seek(50LL * kRecordBytes);
        raw.write(reinterpret_cast<const char*>(&changed), kRecordBytes);
    }
    for (int i = 100; i < 130; ++i)
        ctx.dataSet().AppendRecord(makeRecord(i, at(i), i));
    LoadGraphWindow(ctx);
    ASSERT_EQ(ctx.graphWindow().GraphPoints, 130);
    EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][51], 50 * 100 + 6);
    EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][130], 129 * 100 + 6);
    ctx.dataSet().CloseTmp();

    // A new data set of as many records, other values: read afresh.
    std::vector<DataRecord> next;
    for (int i = 0; i < 130; ++i)
        next.push_back(makeRecord(i, at(i + 7), i + 1000));
    writeStore(ctx, next);
    LoadGraphWindow(ctx);
    ASSERT_EQ(ctx.graphWindow().GraphPoints, 130);
    EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][51], 1050 * 100 + 6);
    EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][130], 1129 * 100 + 6);

    // Paged to another window: the records of that window.
    ctx.graphWindow().GraphStart = at(60);
    ctx.graphWindow().GraphEnd = at(90);
    LoadGraphWindow(ctx);
    EXPECT_EQ(ctx.graphWindow().GraphTimes[1], at(60));
    EXPECT_DOUBLE_EQ(ctx.graphWindow().GraphValues[kPowerSeries][1], 1053 * 100 + 6);
}

// Random time-ordered data sets: duplicate times, one-second steps, gaps and
// fractions of seconds; windows before, after, inside and across the data,
// on record times, of zero width and reversed.
std::vector<DataRecord> randomDataSet(std::mt19937& rng, int count)
{
    std::uniform_real_distribution<double> value(-1000, 1000);
    std::uniform_real_distribution<double> fraction(0, 1);
    std::uniform_int_distribution<int> kind(0, 99);
    double sec = std::uniform_int_distribution<int>(0, 1000)(rng);
    std::vector<DataRecord> recs;
    for (int i = 0; i < count; ++i) {
        const int k = kind(rng);
        if (k < 25)
            sec += 0;
        else if (k < 65)
            sec += 1;
        else if (k < 85)
            sec += std::uniform_int_distribution<int>(2, 30)(rng);
        else if (k < 95)
            sec += std::uniform_int_distribution<int>(31, 600)(rng);
        else
            sec += std::uniform_int_distribution<int>(3600, 90000)(rng);
        if (kind(rng) < 20)
            sec += fraction(rng);
        DataRecord r;
        r.number = i;
        r.setTime(dateOf(sec));
        for (int c = 2; c < kMaxColumns; ++c)
            r.setColumn(c, value(rng));
        recs.push_back(r);
    }
    return recs;
}

std::pair<double, double> randomWindow(std::mt19937& rng, const std::vector<DataRecord>& recs)
{
    std::uniform_int_distribution<int> kind(0, 99);
    auto recordTime = [&] {
        return recs[std::uniform_int_distribution<size_t>(0, recs.size() - 1)(rng)].time();
    };
    const double lo = recs.empty() ? at(0) : recs.front().time();
    const double hi = recs.empty() ? at(1000) : recs.back().time();
    const double margin = 400.0 / 86400;
    double start;
    const int k = kind(rng);
    if (!recs.empty() && k < 35)
        start = recordTime();
    else if (k < 45)
        start = lo - std::uniform_int_distribution<int>(1, 100000)(rng) / 86400.0;
    else if (k < 55)
        start = hi + std::uniform_int_distribution<int>(1, 100000)(rng) / 86400.0;
    else
        start = std::uniform_real_distribution<double>(lo - margin, hi + margin)(rng);
    double end;
    const int j = kind(rng);
    if (!recs.empty() && j < 25)
        end = recordTime();
    else if (j < 35)
        end = start;
    else if (j < 55)
        end = vbdate::addSeconds(start, j < 45 ? 60 : 3600);
    else if (j < 65)
        end = vbdate::addDays(start, 1);
    else if (j < 75)
        end = start - std::uniform_int_distribution<int>(1, 300)(rng) / 86400.0;
    else
        end = start + std::uniform_real_distribution<double>(0, hi - lo + margin)(rng);
    return {start, end};
}

std::string describe(double start, double end)
{
    std::ostringstream os;
    os.precision(17);
    os << "window " << start << " .. " << end;
    return os.str();
}

struct RandomCase {
    unsigned seed;
    int hardVersion;
    int seriesLast;
};

class GraphAgainstScan : public ::testing::TestWithParam<RandomCase> {};

TEST_P(GraphAgainstScan, GivesTheSamePointsAsTheRecordByRecordScan)
{
    const RandomCase& c = GetParam();
    std::mt19937 rng(c.seed);
    TestContext tc;
    Context& ctx = *tc.ctx;
    ctx.app.HardVersion = c.hardVersion;
    ctx.cat.SeriesLast = c.seriesLast;
    for (int set = 0; set < 12; ++set) {
        const int count = set == 0 ? 1 : std::uniform_int_distribution<int>(0, 400)(rng);
        const auto recs = randomDataSet(rng, count);
        writeStore(ctx, recs);
        for (int w = 0; w < 150; ++w) {
            const auto [start, end] = randomWindow(rng, recs);
            ctx.graphWindow().GraphStart = start;
            ctx.graphWindow().GraphEnd = end;
            LoadGraphWindow(ctx);
            const GraphResult ref = referenceScan(recs, start, end, c.hardVersion, c.seriesLast);
            const DataSetProperties& st = ctx.dataSet().properties();
            const std::string where = describe(start, end) + " over " + std::to_string(count);
            ASSERT_EQ(ctx.graphWindow().GraphPoints, ref.points) << where;
            ASSERT_GE(ctx.graphWindow().GraphTimes.size(),
                      static_cast<size_t>(std::max(ref.points + 1, 2)));
            ASSERT_EQ(ctx.graphWindow().GraphValues.size(), ref.values.size());
            for (int p = 1; p <= ref.points; ++p) {
                ASSERT_EQ(ctx.graphWindow().GraphTimes[p], ref.times[p]) << where << " point " << p;
                for (size_t s = 0; s < ref.values.size(); ++s)
                    ASSERT_DOUBLE_EQ(ctx.graphWindow().GraphValues[s][p], ref.values[s][p])
                        << where << " series " << s << " point " << p;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GraphAgainstScan,
                         ::testing::Values(RandomCase{1, 2, 13}, RandomCase{2, 1, 8},
                                           RandomCase{3, 2, 13}, RandomCase{4, 1, 8},
                                           RandomCase{5, 2, 13}, RandomCase{6, 2, 13}));

} // namespace
} // namespace quellin::test

namespace quellin::test {
namespace {

// The clipping alone, on records in memory: the record before the window moves
// onto its start, the one after onto its end, and energy is drawn in Wh.
TEST(GraphClip, ClipsRecordsInMemoryToTheWindowWithoutAFile)
{
    std::vector<DataRecord> recs;
    for (const auto& [sec, watts] :
         std::vector<std::pair<double, double>>{{-10, 100}, {30, 400}, {70, 800}}) {
        DataRecord r = makeRecord(static_cast<int>(recs.size()), dateOf(sec), 1);
        r.setColumn(6, watts);
        r.setColumn(11, watts / 1000);
        recs.push_back(r);
    }
    GraphClip clip;
    clip.start = dateOf(0);
    clip.end = dateOf(60);
    clip.recordCount = static_cast<int>(recs.size());
    clip.seriesLast = 13;
    clip.filledLast = 8; // a version-1 meter: series 9..13 stay 0
    std::vector<double> times;
    std::vector<std::vector<double>> values;

    const int n = clipGraphWindow(reinterpret_cast<const char*>(recs.data()),
                                  static_cast<int>(recs.size()), clip, times, values);

    ASSERT_EQ(n, 3);
    ASSERT_EQ(values.size(), 14u);
    EXPECT_DOUBLE_EQ(times[1], clip.start);
    EXPECT_DOUBLE_EQ(times[3], clip.end);
    EXPECT_NEAR(values[kPowerSeries][1], 175, 1e-9); // 100 + 300 × 10/40
    EXPECT_NEAR(values[kPowerSeries][2], 400, 1e-9);
    EXPECT_NEAR(values[kPowerSeries][3], 700, 1e-9); // 400 + 400 × 30/40
    EXPECT_NEAR(values[8][2], 400, 1e-9);            // 0.4 kWh drawn as 400 Wh
    EXPECT_EQ(values[12][2], 0);
}

} // namespace
} // namespace quellin::test
