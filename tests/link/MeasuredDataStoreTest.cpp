// The measured-data handler over a sequence of lines: storing at the period, the
// integrated values, the first-line actions, the summary globals, the PC log line,
// and what happens when the log file or TMP.DAT refuse a write.

#include "TestContext.h"
#include "link/MeasuredData.h"
#include "link/MeasurementSetup.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QFile>
#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <bit>
#include <vector>

// Readable failure messages for texts (internal to this test file).
[[maybe_unused]] static void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quellin {
namespace {

using test::prepareMeasurement;

using test::TestContext;

class QuietHost : public MeasuredDataHost {
public:
    explicit QuietHost(int wiringMode = 2) : wiring(wiringMode) {}
    bool valuePanelChecked() const override { return false; }
    ValuePanel* valuePanel() override { return nullptr; }
    void startDisplayTimer() override { ++timerStarts; }
    void pcLogWriteFailed(const QString& reason) override { logFailures << reason; }
    void storeAppendFailed(const VbError& e) override { storeFailures << e.description(); }
    int wiringMode() const override { return wiring; }
    int wiring;
    int timerStarts = 0;
    QStringList logFailures;
    QStringList storeFailures;
};

struct Line {
    float vr, vt, ir, it, p, pf, f;
    std::array<float, 5> extra{}; // leakage 1..3, temperature 1..2 (version 2)
};

QString hex(float v)
{
    return QStringLiteral("%1")
        .arg(std::bit_cast<std::uint32_t>(v), 8, 16, QLatin1Char('0'))
        .toUpper();
}

// The line after "RML", its time 2002/06/01 12:00:00 + second seconds.
QString rest(const Line& l, int version, int second)
{
    const int h = 12 + second / 3600;
    const int m = (second / 60) % 60;
    const int s = second % 60;
    QString out = QStringLiteral("0000");
    const float seven[] = {l.vr, l.vt, l.ir, l.it, l.p, l.pf, l.f};
    for (int i = 0; i < 7; ++i)
        out += (i ? QStringLiteral(",") : QString()) + hex(seven[i]);
    out += QStringLiteral(",2002/06/01 %1:%2:%3")
               .arg(h, 2, 10, QLatin1Char('0'))
               .arg(m, 2, 10, QLatin1Char('0'))
               .arg(s, 2, 10, QLatin1Char('0'));
    if (version >= 2)
        for (float v : l.extra)
            out += ',' + hex(v);
    return out;
}

double timeAt(int second)
{
    return vbdate::addSeconds(*vbdate::parse(u"2002/06/01 12:00:00"), second);
}

// PC logging as its start leaves it.
void startLogging(MeasuredData& handler, const QString& path)
{
    auto file = std::make_unique<QFile>(path);
    ASSERT_TRUE(file->open(QIODevice::WriteOnly | QIODevice::Truncate));
    handler.beginLog(std::move(file));
}

// ---------------------------------------------------------------------------------
// Storing at the period

struct StoreCase {
    int logingTime;
    bool logging; // PC logging started before the first line (StoreCounter 0)
    int lines;
    std::vector<int> stored; // 1-based line numbers that become records
};

class StorePeriodTest : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StorePeriodTest, StoresEveryLogingTimeThLine)
{
    const StoreCase& c = GetParam();
    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, 2, 2, c.logingTime);
    QuietHost host;
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    if (c.logging)
        startLogging(handler, t.path(QStringLiteral("log.csv")));
    for (int i = 1; i <= c.lines; ++i)
        handler.handleMeasuredLine(rest({float(i), 0, 1, 0, 0, 0, 50}, 2, i - 1));

    ASSERT_EQ(ctx.dataSet().RecordCount(), static_cast<int>(c.stored.size()));
    EXPECT_EQ(ctx.dataSet().NextRecordNumber(), static_cast<int>(c.stored.size()));
    const std::vector<DataRecord> recs = ctx.dataSet().ReadRecords(1, ctx.dataSet().RecordCount());
    for (size_t k = 0; k < c.stored.size(); ++k) {
        EXPECT_EQ(recs[k].number, static_cast<int>(k));
        EXPECT_EQ(recs[k].column(2), c.stored[k]) << "record " << k + 1;
        EXPECT_NEAR(recs[k].time(), timeAt(c.stored[k] - 1), 1e-9);
    }
    EXPECT_EQ(host.timerStarts, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, StorePeriodTest,
    ::testing::Values(StoreCase{10, false, 25, {1, 11, 21}}, StoreCase{1, false, 3, {1, 2, 3}},
                      StoreCase{3, false, 7, {1, 4, 7}}, StoreCase{10, false, 10, {1}},
                      StoreCase{3, true, 7, {3, 6}}, StoreCase{1, true, 2, {1, 2}}));

TEST(MeasuredDataSummary, EnergyHoursPeakAndTimes)
{
    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, 1, 0, 1);
    QuietHost host(0);
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    const float powers[] = {1800, 3600, -900, 3600};
    for (int i = 0; i < 4; ++i)
        handler.handleMeasuredLine(rest({100, 0, 40, 0, powers[i], 90, 50}, 1, i));

    const double kwh = (1800 + 3600 - 900 + 3600) / 3600.0 / 1000.0;
    EXPECT_NEAR(handler.state().EnergyTotal, kwh, 1e-12);
    EXPECT_NEAR(handler.state().HoursTotal, 4 / 3600.0, 1e-12);
    EXPECT_NEAR(ctx.dataSet().TotalEnergy(), kwh, 1e-12);
    EXPECT_EQ(ctx.dataSet().PeakWatts(), 3600);
    EXPECT_NEAR(ctx.dataSet().PeakTime(), timeAt(1), 1e-9); // the first of the equal peaks
    EXPECT_NEAR(ctx.dataSet().LastTime(), timeAt(3), 1e-9);
    EXPECT_NEAR(ctx.dataSet().FirstTime(), timeAt(0), 1e-9);
    EXPECT_NEAR(ctx.graphWindow().GraphStart, timeAt(0), 1e-9);
    EXPECT_TRUE(handler.state().FirstSampleSeen);
    EXPECT_EQ(host.timerStarts, 1);
    const DataRecord last = ctx.dataSet().ReadRecord(4);
    EXPECT_NEAR(last.column(11), kwh, 1e-12);
    EXPECT_NEAR(last.column(12), 4 / 3600.0, 1e-12);
    EXPECT_EQ(last.number, 3);
}

// ---------------------------------------------------------------------------------
// The PC log line

const Line kA1{200, 200, 10, 10, 3000, 86.6f, 50, {1, 2, 3, 20, 21}};
const Line kA2{202, 198, 12, 8, 3200, 90, 50.2f, {1.25f, 2.5f, 3.75f, 24.4f, 25.5f}};
const Line kA3{100, 100, 1, 1, 100, 50, 60, {0, 0, 0, 0, 0}};
const Line kA4{100, 100, 3, 3, -100, -50, 60, {9.95f, 0.05f, 0.15f, -0.5f, -1.5f}};
const Line kC1{100, 0, 5, 0, 400, 80, 50};
const Line kC2{104, 0, 5.5f, 0, 550, 96, 50};
const Line kC3{96, 0, 4.5f, 0, 350, 81, 50};
const Line kZ1{100, 0, 0, 0, 0, 0, 50};

struct LogCase {
    const char* name;
    int version;
    int wiring;
    int logingTime;
    std::vector<int> columnsOff;
    std::vector<Line> lines;
    std::vector<const char*> expected;
};

class LogLineTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(LogLineTest, WritesAveragedLines)
{
    const LogCase& c = GetParam();
    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, c.version, c.wiring, c.logingTime);
    for (int col : c.columnsOff)
        ctx.cat.LogColumns[static_cast<size_t>(col)] = false;
    const QString path = t.path(QStringLiteral("log.csv"));
    QuietHost host(c.wiring);
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    startLogging(handler, path);
    for (size_t i = 0; i < c.lines.size(); ++i)
        handler.handleMeasuredLine(rest(c.lines[i], c.version, static_cast<int>(i)));

    // Each line is on disk as soon as it is written, before the file is closed.
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    QByteArray want;
    for (const char* line : c.expected)
        want += QByteArray(line) + "\r\n";
    EXPECT_EQ(written.readAll(), want);
    EXPECT_EQ(handler.state().LogLineCount, static_cast<int>(c.expected.size()));
    EXPECT_EQ(ctx.dataSet().RecordCount(), static_cast<int>(c.expected.size()));
    EXPECT_TRUE(host.logFailures.isEmpty());
}

std::string logCaseName(const ::testing::TestParamInfo<LogCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, LogLineTest,
    ::testing::Values(
        LogCase{"ThreePhaseAllColumns",
                2,
                2,
                2,
                {},
                {kA1, kA2, kA3, kA4},
                {"0000,\"2002/06/01 12:00:01\",2.010E+2,1.990E+2,1.100E+1,9.000E+0,3.100E+3,"
                 "1.550E+3,3.466E+3,8.940E+1,5.010E+1,1.278E-3,4.167E-4,1.3,2.5,3.8,24,26",
                 "0001,\"2002/06/01 12:00:03\",1.000E+2,1.000E+2,2.000E+0,2.000E+0,0.000E+0,"
                 "3.464E+2,3.464E+2,0.000E+0,6.000E+1,1.736E-3,9.722E-4,9.9,0.1,0.2,-1,-2"}},
        LogCase{"ColumnsSwitchedOff",
                2,
                2,
                2,
                {3, 7, 9, 14, 16},
                {kA1, kA2, kA3, kA4},
                {"0000,\"2002/06/01 12:00:01\",2.010E+2,1.100E+1,9.000E+0,3.100E+3,3.466E+3,"
                 "5.010E+1,1.278E-3,4.167E-4,1.3,3.8,26",
                 "0001,\"2002/06/01 12:00:03\",1.000E+2,2.000E+0,2.000E+0,0.000E+0,3.464E+2,"
                 "6.000E+1,1.736E-3,9.722E-4,9.9,0.2,-2"}},
        LogCase{"SinglePhaseTwoWireHasNoTColumns",
                1,
                0,
                3,
                {},
                {kC1, kC2, kC3, kC1},
                {"0000,\"2002/06/01 12:00:02\",1.000E+2,5.000E+0,4.333E+2,2.494E+2,5.000E+2,"
                 "8.644E+1,5.000E+1,2.454E-4,5.556E-4"}},
        LogCase{"PowerFactorOfZeroApparentPowerIsZero",
                1,
                0,
                1,
                {},
                {kZ1},
                {"0000,\"2002/06/01 12:00:00\",1.000E+2,0.000E+0,0.000E+0,0.000E+0,0.000E+0,"
                 "0.000E+0,5.000E+1,0.000E+0,2.778E-4"}},
        LogCase{"WithoutRecordNumberStartsWithTheTime",
                1,
                1,
                2,
                {0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                {kA1, kA2},
                {"\"2002/06/01 12:00:01\",2.010E+2"}},
        LogCase{"WithoutTimeHasNoEmptyField",
                1,
                1,
                2,
                {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                {kA1, kA2},
                {"0000,2.010E+2"}}),
    logCaseName);

// ---------------------------------------------------------------------------------
// Files that refuse a write

TEST(MeasuredDataFailures, FullLogFileIsReportedAndStoringGoesOn)
{
    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, 2, 2, 1);
    QuietHost host;
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    startLogging(handler, QStringLiteral("/dev/full"));
    handler.handleMeasuredLine(rest(kA1, 2, 0));

    ASSERT_EQ(host.logFailures.size(), 1);
    EXPECT_FALSE(host.logFailures[0].isEmpty());
    EXPECT_EQ(ctx.dataSet().RecordCount(), 1); // the measurement keeps its record
    EXPECT_EQ(handler.state().LogSums.column(2), 0.0);
    EXPECT_TRUE(host.storeFailures.isEmpty());
}

TEST(MeasuredDataFailures, LoggingWithoutAnOpenFileIsReported)
{
    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, 1, 2, 1);
    QuietHost host;
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    handler.beginLog(nullptr); // logging, but the file is gone
    handler.handleMeasuredLine(rest(kA1, 1, 0));
    EXPECT_EQ(host.logFailures.size(), 1);
    EXPECT_EQ(ctx.dataSet().RecordCount(), 1);
}

TEST(MeasuredDataFailures, RefusedAppendIsReportedOnceAndNothingIsCounted)
{
    TestContext t;
    Context& ctx = *t.ctx;
    prepareMeasurement(ctx, 2, 2, 1);
    QuietHost host;
    MeasuredData handler(ctx, host);
    handler.beginMeasurement(ctx.app.LogingTime);
    handler.handleMeasuredLine(rest(kA1, 2, 0));
    ASSERT_EQ(ctx.dataSet().RecordCount(), 1);

    // The disk fills up under the open TMP.DAT.
    test::DataSetAccess::setWriter(ctx.dataSet(),
                                   std::make_unique<QFile>(QStringLiteral("/dev/full")));
    ASSERT_TRUE(test::DataSetAccess::writer(ctx.dataSet())
                    ->open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    for (int i = 1; i < 4; ++i)
        handler.handleMeasuredLine(rest(kA2, 2, i));

    EXPECT_EQ(host.storeFailures.size(), 1);
    EXPECT_EQ(ctx.dataSet().RecordCount(), 1);
    EXPECT_EQ(ctx.dataSet().NextRecordNumber(), 1);
    EXPECT_NEAR(ctx.dataSet().LastTime(), timeAt(3), 1e-9); // the readings still count

    // The next measurement stores again.
    test::props(ctx).RecordCount = 0;
    handler.expectFirstSample();
    handler.beginMeasurement(1);
    ctx.dataSet().OpenTmpForAppend();
    handler.handleMeasuredLine(rest(kA1, 2, 10));
    EXPECT_EQ(ctx.dataSet().RecordCount(), 1);
    EXPECT_EQ(host.storeFailures.size(), 1);
}

} // namespace
} // namespace quellin
