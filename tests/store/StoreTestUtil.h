#pragma once
// Shared helpers of the store tests: record builders, writing a data set into
// TMP.DAT and the plain record-by-record graph scan that LoadGraphWindow must
// reproduce.

#include "DataSetAccess.h"
#include "base/Context.h"
#include "base/DataRecord.h"
#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"

#include <vector>

namespace quellin::test {

// 2002-06-01 00:00:00 plus sec seconds.
inline double at(long long sec)
{
    return vbdate::addSeconds(*vbdate::fromCivil({2002, 6, 1, 0, 0, 0}), sec);
}

// A record whose column c (2..17) holds seed × 100 + c, so every column of every
// record is told apart.
inline DataRecord makeRecord(int number, double time, double seed)
{
    DataRecord r;
    r.number = number;
    r.setTime(time);
    for (int c = 2; c < kMaxColumns; ++c)
        r.setColumn(c, seed * 100 + c);
    return r;
}

// Replaces the data set by recs (through the store's own append) and closes
// the writer unless keepOpen.
inline void writeStore(Context& ctx, const std::vector<DataRecord>& recs, bool keepOpen = false)
{
    test::props(ctx).RecordCount = 0;
    ctx.dataSet().OpenTmpForAppend();
    for (const DataRecord& r : recs)
        ctx.dataSet().AppendRecord(r);
    if (!keepOpen)
        ctx.dataSet().CloseTmp();
}

struct GraphResult {
    int points = 0;
    std::vector<double> times;
    std::vector<std::vector<double>> values;
};

// The graph window's scan done the plain way: every record in file order,
// arrays 0..RecordCount.
inline GraphResult referenceScan(const std::vector<DataRecord>& recs, double start, double end,
                                 int hardVersion, int seriesLast)
{
    using vbdate::secondsBetween;
    const int rc = static_cast<int>(recs.size());
    GraphResult g;
    g.times.assign(static_cast<size_t>(rc) + 1, 0.0);
    g.values.assign(static_cast<size_t>(seriesLast) + 1,
                    std::vector<double>(static_cast<size_t>(rc) + 1, 0.0));
    auto before = [](double a, double b) { return secondsBetween(a, b) > 0; };
    auto storePoint = [&](const DataRecord& r, int p) {
        g.times[p] = r.time();
        for (int s = 0; s <= seriesLast; ++s) {
            if (s >= 9 && hardVersion < 2)
                continue;
            double v = r.column(seriesColumn(s));
            if (s == 8)
                v = v * 1000;
            g.values[s][p] = v;
        }
    };
    int n = 0;
    bool inside = false;
    for (int k = 1; k <= rc; ++k) {
        const DataRecord& r = recs[k - 1];
        const double t = r.time();
        if (before(end, t) && before(g.times[n], end)) {
            storePoint(r, n + 1);
            if (n < rc)
                n = n + 1;
        }
        if (before(t, start) && !inside) {
            storePoint(r, 1);
            n = 1;
        } else if (secondsBetween(start, t) == 0) {
            n = 0;
        }
        if (before(end, t) || n == rc)
            break;
        if (!before(t, start)) {
            storePoint(r, n + 1);
            n = n + 1;
            inside = true;
        }
    }
    g.points = n;
    if (n < 2)
        return g;
    if (before(g.times[1], start)) {
        const long long span = secondsBetween(g.times[1], g.times[2]);
        for (auto& v : g.values) {
            const double slope = span != 0 ? (v[2] - v[1]) / static_cast<double>(span) : 0.0;
            v[1] = v[1] + slope * static_cast<double>(secondsBetween(g.times[1], start));
        }
        g.times[1] = start;
    }
    if (before(end, g.times[n])) {
        const long long span = secondsBetween(g.times[n - 1], g.times[n]);
        for (auto& v : g.values) {
            const double slope = span != 0 ? (v[n] - v[n - 1]) / static_cast<double>(span) : 0.0;
            v[n] = v[n - 1] + slope * static_cast<double>(secondsBetween(g.times[n - 1], end));
        }
        g.times[n] = end;
    }
    return g;
}

} // namespace quellin::test
