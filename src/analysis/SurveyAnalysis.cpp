#include "analysis/SurveyAnalysis.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace quellin {

namespace {

constexpr qint64 kSecondsPerDay = 86400;

qint64 secondsOf(double days)
{
    return std::llround(days * double(kSecondsPerDay));
}

double daysOf(qint64 seconds)
{
    return double(seconds) / double(kSecondsPerDay);
}

// The storage period when the data set does not say: the most common step.
int commonStep(const std::vector<qint64>& times)
{
    std::map<qint64, int> steps;
    for (size_t i = 1; i < times.size(); ++i)
        if (times[i] > times[i - 1])
            ++steps[times[i] - times[i - 1]];
    qint64 best = 1;
    int seen = 0;
    for (const auto& [step, n] : steps)
        if (n > seen) {
            best = step;
            seen = n;
        }
    return static_cast<int>(std::min<qint64>(best, INT_MAX));
}

// Energy per slot of `length` seconds (an hour, a day), only slots with records.
std::vector<EnergySlot> energySlots(const std::vector<DataRecord>& records,
                                    const std::vector<qint64>& times, qint64 length, int period)
{
    std::vector<EnergySlot> slots;
    qint64 current = -1;
    for (size_t i = 0; i < records.size(); ++i) {
        const qint64 key = times[i] / length;
        if (slots.empty() || key != current) {
            slots.push_back({daysOf(key * length), 0, 0});
            current = key;
        }
        ++slots.back().records;
        const double p = records[i].column(column::kActivePower);
        if (std::isfinite(p))
            slots.back().kWh += p * period / 3600.0 / 1000.0;
    }
    return slots;
}

DemandFigures demandOf(const std::vector<DataRecord>& records, const std::vector<qint64>& times,
                       int minutes, int period, std::vector<ProfileSlot>& profile)
{
    DemandFigures d;
    d.minutes = minutes;
    const qint64 length = qint64(minutes) * 60;
    const int full = static_cast<int>(length / std::max(period, 1));
    qint64 current = -1;
    double sum = 0;
    const auto close = [&] {
        if (!d.intervals.empty() && d.intervals.back().records > 0)
            d.intervals.back().kW = sum / d.intervals.back().records / 1000.0;
    };
    for (size_t i = 0; i < records.size(); ++i) {
        const double p = records[i].column(column::kActivePower);
        if (!std::isfinite(p))
            continue; // a missing power is no part of any mean
        const qint64 key = times[i] / length;
        if (d.intervals.empty() || key != current) {
            close();
            d.intervals.push_back({daysOf(key * length), 0, 0, false});
            current = key;
            sum = 0;
        }
        ++d.intervals.back().records;
        sum += p;
    }
    close();
    for (DemandInterval& in : d.intervals)
        in.complete = in.records >= full;

    const bool anyComplete =
        std::any_of(d.intervals.begin(), d.intervals.end(), [](const auto& in) { return in.complete; });
    d.maxOverComplete = anyComplete;
    bool found = false;
    double completeSum = 0;
    int completeCount = 0;
    for (const DemandInterval& in : d.intervals) {
        if (anyComplete && !in.complete)
            continue;
        completeSum += in.kW;
        ++completeCount;
        if (!found || in.kW > d.maxKW) {
            d.maxKW = in.kW;
            d.maxStart = in.start;
            found = true;
        }
    }
    if (found && d.maxKW > 0)
        d.loadFactor = completeSum / completeCount / d.maxKW;

    // The profile: each interval of the day across the days.
    std::map<int, ProfileSlot> slots;
    for (const DemandInterval& in : d.intervals) {
        const auto minute = static_cast<int>(secondsOf(in.start) % kSecondsPerDay / 60);
        ProfileSlot& s = slots[minute];
        s.minuteOfDay = minute;
        s.meanKW += in.kW;
        s.maxKW = s.days == 0 ? in.kW : std::max(s.maxKW, in.kW);
        ++s.days;
    }
    for (auto& [minute, s] : slots) {
        s.meanKW /= s.days;
        profile.push_back(s);
    }
    return d;
}

} // namespace

SurveyResult analyseRecords(std::vector<DataRecord> records, const std::vector<bool>& columns,
                            int periodSeconds, const AnalysisPeriod& period, int demandMinutes)
{
    SurveyResult result;
    if (demandMinutes != 15 && demandMinutes != 30 && demandMinutes != 60) {
        result.error = badDemandLengthText();
        return result;
    }
    if (period.from && period.to && *period.to < *period.from) {
        result.error = badPeriodOrderText();
        return result;
    }
    SurveyFigures f;
    // Out of order: earlier than the record before it, as stored.
    for (size_t i = 1; i < records.size(); ++i)
        if (secondsOf(records[i].time()) < secondsOf(records[i - 1].time()))
            ++f.outOfOrder;
    std::erase_if(records, [&](const DataRecord& r) { return !inAnalysisPeriod(period, r.time()); });
    if (records.empty()) {
        result.error = noRecordsInPeriodText();
        return result;
    }
    std::stable_sort(records.begin(), records.end(), [](const DataRecord& a, const DataRecord& b) {
        return secondsOf(a.time()) < secondsOf(b.time());
    });
    std::vector<qint64> times;
    times.reserve(records.size());
    for (const DataRecord& r : records)
        times.push_back(secondsOf(r.time()));

    const int step = periodSeconds > 0 ? periodSeconds : commonStep(times);
    f.periodSeconds = step;
    f.records = static_cast<int>(records.size());
    f.first = records.front().time();
    f.last = records.back().time();
    const qint64 expected = (times.back() - times.front()) / step + 1;
    f.missing = static_cast<int>(std::clamp<qint64>(expected - f.records, 0, INT_MAX));
    for (size_t i = 1; i < times.size(); ++i) {
        const qint64 dt = times[i] - times[i - 1];
        const qint64 missing = (dt + step / 2) / step - 1;
        if (dt > step && missing >= 1)
            f.gaps.push_back({records[i - 1].time(), records[i].time(),
                              static_cast<int>(std::min<qint64>(missing, INT_MAX))});
    }

    const auto present = [&](int c) { return c >= 0 && size_t(c) < columns.size() && columns[size_t(c)]; };
    for (int c = column::kVoltR; c < kMaxColumns; ++c) {
        if (!present(c))
            continue;
        ItemFigures item;
        item.column = c;
        double sum = 0;
        for (const DataRecord& r : records) {
            const double v = r.column(c);
            if (!std::isfinite(v))
                continue;
            if (item.count == 0 || v < item.min) {
                item.min = v;
                item.minTime = r.time();
            }
            if (item.count == 0 || v > item.max) {
                item.max = v;
                item.maxTime = r.time();
            }
            sum += v;
            ++item.count;
        }
        if (item.count == 0)
            continue; // nothing was measured: no figure is made up
        item.mean = sum / item.count;
        f.items.push_back(item);
    }

    if (present(column::kActivePower)) {
        f.byHour = energySlots(records, times, 3600, step);
        f.byDay = energySlots(records, times, kSecondsPerDay, step);
        for (const EnergySlot& s : f.byDay)
            f.energyKWh += s.kWh;
        f.demand = demandOf(records, times, demandMinutes, step, f.profile);
    } else {
        f.demand.minutes = demandMinutes;
    }
    if (present(column::kEnergy)) {
        std::optional<double> firstE, lastE;
        for (const DataRecord& r : records)
            if (const double e = r.column(column::kEnergy); std::isfinite(e)) {
                if (!firstE)
                    firstE = e;
                lastE = e;
            }
        if (firstE)
            f.energyColumnKWh = *lastE - *firstE;
    }
    if (present(column::kActivePower) && present(column::kApparentPower)) {
        double sumP = 0, sumS = 0;
        for (const DataRecord& r : records) {
            const double p = r.column(column::kActivePower);
            const double s = r.column(column::kApparentPower);
            if (std::isfinite(p) && std::isfinite(s)) {
                sumP += p;
                sumS += s;
            }
        }
        if (sumS > 0)
            f.powerFactorPercent = sumP / sumS * 100.0;
    }
    result.figures = std::move(f);
    return result;
}

bool inAnalysisPeriod(const AnalysisPeriod& period, double t)
{
    const qint64 sec = secondsOf(t);
    return (!period.from || sec >= secondsOf(*period.from)) && (!period.to || sec <= secondsOf(*period.to));
}

QString surveyTime(double t)
{
    return Format(t, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
}

QString surveyItemTitle(const Catalog& cat, int c)
{
    return c >= 0 && c < cat.ColumnTitles.size() ? cat.ColumnTitles[c] : toQString(measuredItem(c).title);
}

SurveyResult analyseDataSet(const DataSet& data, const AnalysisPeriod& period, int demandMinutes)
{
    std::vector<bool> columns(kMaxColumns, false);
    for (int c = 0; c < kMaxColumns; ++c)
        columns[size_t(c)] = data.columnPresent(c);
    const int count = data.RecordCount();
    std::vector<DataRecord> records = count > 0 ? data.ReadRecords(1, count) : std::vector<DataRecord>{};
    return analyseRecords(std::move(records), columns, data.SampleInterval(), period, demandMinutes);
}

} // namespace quellin
