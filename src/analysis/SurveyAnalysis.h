#pragma once
// The figures a survey is made for, worked out over a data set or a period of
// it: the period and its gaps, each item's minimum, maximum and mean, the
// energy per clock hour and per calendar day, the demand over intervals aligned
// to the clock from midnight, the load factor, the average power factor and the
// daily load profile. No widgets: the report window, its exports and
// quellin-cli's report all read the same result.
//
// Times are the data set's own (days as in VbDate); inside, they are counted
// in whole seconds, so that hours, days and demand intervals are cut exactly.

#include "base/Context.h"
#include "platform/Tx.h"
#include "store/DataSet.h"

#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// From and to, both inclusive; unset: the data set's first or last record.
struct AnalysisPeriod {
    std::optional<double> from;
    std::optional<double> to;
};
// Whether time t lies in the period, compared in whole seconds.
bool inAnalysisPeriod(const AnalysisPeriod& period, double t);

struct RecordGap {
    double after = 0;  // the last record before the gap
    double before = 0; // the first record after it
    int missing = 0;   // records the storage period would have put between them
};

struct ItemFigures {
    int column = 0;
    double min = 0, minTime = 0; // the first record that holds the minimum
    double max = 0, maxTime = 0;
    double mean = 0;
    int count = 0; // records with a value (a missing value is not counted)
};

struct EnergySlot {
    double start = 0; // the hour's or the day's start
    double kWh = 0;
    int records = 0;
};

struct DemandInterval {
    double start = 0;
    double kW = 0; // the mean active power of its records
    int records = 0;
    bool complete = false; // it holds length / period records
};

struct DemandFigures {
    int minutes = 30;
    std::vector<DemandInterval> intervals; // only those that hold a record
    double maxKW = 0;
    double maxStart = 0;
    bool maxOverComplete = true; // false: no interval was complete, the maximum is over all
    std::optional<double> loadFactor; // mean of the complete intervals over the maximum
};

// One interval of the day across the days: its mean and its highest demand.
struct ProfileSlot {
    int minuteOfDay = 0;
    double meanKW = 0;
    double maxKW = 0;
    int days = 0;
};

struct SurveyFigures {
    double first = 0, last = 0;
    int records = 0;
    int periodSeconds = 0;
    int missing = 0;
    std::vector<RecordGap> gaps;
    int outOfOrder = 0; // records earlier than the one before them (sorted for the figures)
    std::vector<ItemFigures> items; // the measured items present, in column order
    double energyKWh = 0;
    std::optional<double> energyColumnKWh; // the integrated-energy column's last − first
    std::vector<EnergySlot> byHour, byDay; // only those that hold records, in time order
    DemandFigures demand;
    std::optional<double> powerFactorPercent; // Σ P / Σ S
    std::vector<ProfileSlot> profile;
};

struct SurveyResult {
    std::optional<SurveyFigures> figures;
    QString error; // why there are none
};

// demandMinutes: 15, 30 or 60; another value is refused.
SurveyResult analyseDataSet(const DataSet& data, const AnalysisPeriod& period, int demandMinutes = 30);

// The same over records already read (times need not be in order); columns
// tells which columns the data set holds.
SurveyResult analyseRecords(std::vector<DataRecord> records, const std::vector<bool>& columns,
                            int periodSeconds, const AnalysisPeriod& period, int demandMinutes);

// An item's title as the data files write it ("有効電力(W)"): the catalogue's,
// or the measured items' own for a column the catalogue does not list.
QString surveyItemTitle(const Catalog& cat, int column);
// A time of the figures as the data files write it: "yyyy/mm/dd hh:mm:ss".
QString surveyTime(double t);

inline QString noRecordsInPeriodText() { return TX("指定された期間に記録がありません。"); }
inline QString badDemandLengthText() { return TX("デマンド時限は 15、30、60 分のいずれかです。"); }
inline QString badPeriodOrderText() { return TX("期間の終わりが始まりより前です。"); }

} // namespace quellin
