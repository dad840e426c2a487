// The survey's figures against ones worked out by hand on a small data set:
// ten-minute records from 23:10 to 00:50 across midnight, the 00:10 record
// missing (a gap inside a demand interval), a partial first interval, and the
// single-record and out-of-order cases.

#include "analysis/SurveyAnalysis.h"

#include "base/MeasuredItems.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace quellin {
namespace {

constexpr double kDay = 45425; // a midnight
double at(int hour, int minute, int day = 0)
{
    return kDay + day + (hour * 3600 + minute * 60) / 86400.0;
}

struct Row {
    double time;
    double watts;
};
// P in W; S = 1.25 P (a power factor of 80 %); the energy column from 10 kWh.
const std::vector<Row> kRows = {
    {at(23, 10), 1000}, {at(23, 20), 2000},                      // 23:00, partial
    {at(23, 30), 3000}, {at(23, 40), 3000}, {at(23, 50), 6000},  // 23:30, complete: 4 kW
    {at(0, 0, 1), 1000}, {at(0, 20, 1), 2000},                   // 00:00, 00:10 missing
    {at(0, 30, 1), 2000}, {at(0, 40, 1), 2000}, {at(0, 50, 1), 2000}, // 00:30: 2 kW
};

std::vector<DataRecord> records(const std::vector<Row>& rows)
{
    std::vector<DataRecord> out;
    double energy = 10;
    for (size_t i = 0; i < rows.size(); ++i) {
        DataRecord r;
        r.number = static_cast<int>(i);
        r.setTime(rows[i].time);
        r.setColumn(column::kVoltR, 100.0 + double(i));
        r.setColumn(column::kActivePower, rows[i].watts);
        r.setColumn(column::kApparentPower, rows[i].watts * 1.25);
        energy += rows[i].watts / 6000;
        r.setColumn(column::kEnergy, energy);
        r.setColumn(column::kFirstVersion2, std::numeric_limits<double>::quiet_NaN());
        out.push_back(r);
    }
    return out;
}

// Single-phase: no voltage T or current T; the leakage column present but never read.
std::vector<bool> columns()
{
    std::vector<bool> c(kMaxColumns, false);
    for (int k : {column::kVoltR, column::kActivePower, column::kApparentPower, column::kEnergy,
                  column::kFirstVersion2})
        c[size_t(k)] = true;
    return c;
}

SurveyFigures analyse(const std::vector<Row>& rows, AnalysisPeriod period = {}, int minutes = 30)
{
    SurveyResult r = analyseRecords(records(rows), columns(), 600, period, minutes);
    EXPECT_TRUE(r.figures) << r.error.toStdString();
    return r.figures.value_or(SurveyFigures{});
}

TEST(SurveyAnalysis, FiguresOfTheWholeDataSetAsWorkedOutByHand)
{
    const SurveyFigures f = analyse(kRows);
    EXPECT_EQ(f.records, 10);
    EXPECT_EQ(f.periodSeconds, 600);
    EXPECT_EQ(f.missing, 1);
    ASSERT_EQ(f.gaps.size(), 1u);
    EXPECT_DOUBLE_EQ(f.gaps[0].after, at(0, 0, 1));
    EXPECT_DOUBLE_EQ(f.gaps[0].before, at(0, 20, 1));
    EXPECT_EQ(f.gaps[0].missing, 1);
    EXPECT_EQ(f.outOfOrder, 0);

    // Absent columns and a column without one value are left out.
    ASSERT_EQ(f.items.size(), 4u);
    const ItemFigures& p = f.items[1];
    EXPECT_EQ(p.column, column::kActivePower);
    EXPECT_EQ(p.min, 1000);
    EXPECT_DOUBLE_EQ(p.minTime, at(23, 10)); // the first of the two 1000 W records
    EXPECT_EQ(p.max, 6000);
    EXPECT_DOUBLE_EQ(p.maxTime, at(23, 50));
    EXPECT_DOUBLE_EQ(p.mean, 2400);

    EXPECT_DOUBLE_EQ(f.energyKWh, 4.0);
    ASSERT_TRUE(f.energyColumnKWh);
    EXPECT_NEAR(*f.energyColumnKWh, 4.0 - 1000.0 / 6000, 1e-12);
    ASSERT_EQ(f.byDay.size(), 2u);
    EXPECT_DOUBLE_EQ(f.byDay[0].start, kDay);
    EXPECT_DOUBLE_EQ(f.byDay[0].kWh, 2.5);
    EXPECT_DOUBLE_EQ(f.byDay[1].kWh, 1.5);
    ASSERT_EQ(f.byHour.size(), 2u);
    EXPECT_DOUBLE_EQ(f.byHour[0].start, at(23, 0));
    EXPECT_EQ(f.byHour[1].records, 5);

    struct Want {
        double start, kW;
        int records;
        bool complete;
    };
    const Want demand[] = {{at(23, 0), 1.5, 2, false},
                           {at(23, 30), 4.0, 3, true},
                           {at(0, 0, 1), 1.5, 2, false},
                           {at(0, 30, 1), 2.0, 3, true}};
    ASSERT_EQ(f.demand.intervals.size(), std::size(demand));
    for (size_t i = 0; i < std::size(demand); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(f.demand.intervals[i].start, demand[i].start, 1e-9);
        EXPECT_DOUBLE_EQ(f.demand.intervals[i].kW, demand[i].kW);
        EXPECT_EQ(f.demand.intervals[i].records, demand[i].records);
        EXPECT_EQ(f.demand.intervals[i].complete, demand[i].complete);
    }
    EXPECT_DOUBLE_EQ(f.demand.maxKW, 4.0);
    EXPECT_NEAR(f.demand.maxStart, at(23, 30), 1e-9);
    EXPECT_TRUE(f.demand.maxOverComplete);
    EXPECT_DOUBLE_EQ(*f.demand.loadFactor, 0.75); // (4 + 2) / 2 / 4
    ASSERT_TRUE(f.powerFactorPercent);
    EXPECT_DOUBLE_EQ(*f.powerFactorPercent, 80.0);
    ASSERT_EQ(f.profile.size(), 4u);
    EXPECT_EQ(f.profile[0].minuteOfDay, 0);
    EXPECT_EQ(f.profile[3].minuteOfDay, 23 * 60 + 30);
    EXPECT_DOUBLE_EQ(f.profile[3].meanKW, 4.0);
}

TEST(SurveyAnalysis, PeriodsLengthsAndOddDataSets)
{
    struct Case {
        const char* name;
        std::vector<Row> rows;
        AnalysisPeriod period;
        int minutes;
        int records;
        double energy, maxKW, loadFactor;
        int intervals, outOfOrder;
    };
    std::vector<Row> swapped = kRows;
    std::swap(swapped[1], swapped[2]);
    const Case cases[] = {
        // Only 00:30 is complete: the maximum and the load factor are its own.
        {"after midnight", kRows, {at(0, 0, 1), at(0, 50, 1)}, 30, 5, 1.5, 2.0, 1.0, 2, 0},
        // 23:00 holds five of six records, 00:00 five too: none complete, the
        // maximum over all (3 kW) and the load factor (3 + 1.8) / 2 / 3.
        {"hour-long intervals", kRows, {}, 60, 10, 4.0, 3.0, 0.8, 2, 0},
        {"a quarter hour", kRows, {at(23, 30), at(23, 44)}, 15, 2, 1.0, 3.0, 1.0, 1, 0},
        {"one record", {{at(12, 0), 1200}}, {}, 30, 1, 0.2, 1.2, 1.0, 1, 0},
        {"out of order", swapped, {}, 30, 10, 4.0, 4.0, 0.75, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SurveyFigures f = analyse(c.rows, c.period, c.minutes);
        EXPECT_EQ(f.records, c.records);
        EXPECT_NEAR(f.energyKWh, c.energy, 1e-12);
        EXPECT_NEAR(f.demand.maxKW, c.maxKW, 1e-12);
        ASSERT_TRUE(f.demand.loadFactor);
        EXPECT_NEAR(*f.demand.loadFactor, c.loadFactor, 1e-12);
        EXPECT_EQ(f.demand.intervals.size(), size_t(c.intervals));
        EXPECT_EQ(f.outOfOrder, c.outOfOrder);
    }
}

TEST(SurveyAnalysis, RefusesWhatHasNoAnswer)
{
    const std::pair<SurveyResult, QString> cases[] = {
        {analyseRecords(records(kRows), columns(), 600, {at(1, 0, 2), {}}, 30), noRecordsInPeriodText()},
        {analyseRecords({}, columns(), 600, {}, 30), noRecordsInPeriodText()},
        {analyseRecords(records(kRows), columns(), 600, {}, 20), badDemandLengthText()},
        {analyseRecords(records(kRows), columns(), 600, {at(1, 0, 1), at(0, 0, 1)}, 30), badPeriodOrderText()},
    };
    for (const auto& [result, error] : cases) {
        EXPECT_FALSE(result.figures);
        EXPECT_EQ(result.error, error);
    }
}

} // namespace
} // namespace quellin
