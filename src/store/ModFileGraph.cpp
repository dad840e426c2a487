#include "store/ModFileGraph.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "platform/VbError.h"
#include "store/RecordReader.h"

#include <algorithm>
#include <cstring>

namespace quellin {

namespace {

// Index of the first record in [lo, hi) whose time is threshold or later.
int firstAtOrAfter(RecordReader& reader, int lo, int hi, long long threshold)
{
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (reader.timeSeconds(mid) < threshold)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Makes every array hold at least size entries without giving memory back, so
// the display cycle's repeated calls do not reallocate.
void ensureSize(std::vector<double>& v, size_t size)
{
    if (v.size() < size)
        v.resize(size);
}

// The records held still lie in TMP.DAT as they were read: the file only ever
// grows at its end, so the first and the last one held stand for all of them. A
// new data set (a measurement, a load) differs in both.
bool sameAsFile(RecordReader& reader, const GraphRecordCache& cache)
{
    const int held = cache.count();
    if (cache.from < 0 || held < 1)
        return false;
    char record[kRecordBytes];
    for (const int i : {0, held - 1}) {
        try {
            reader.readRecords(cache.from + i, 1, record);
        } catch (const VbError&) {
            return false;
        }
        if (std::memcmp(record, cache.bytes.data() + static_cast<size_t>(i) * kRecordBytes,
                        kRecordBytes) != 0)
            return false;
    }
    return true;
}

} // namespace

int clipGraphWindow(const char* records, int count, const GraphClip& clip,
                    std::vector<double>& times, std::vector<std::vector<double>>& values)
{
    const int seriesLast = clip.seriesLast;
    const int filledLast = clip.filledLast;
    const int rc = clip.recordCount;
    const double start = clip.start;
    const double end = clip.end;
    values.resize(static_cast<size_t>(seriesLast) + 1);

    // At most one point per record scanned, plus entry 0 and the one a record
    // after the window may take before the scan stops.
    const size_t capacity = static_cast<size_t>(std::max(count, 0)) + 2;
    ensureSize(times, capacity);
    for (auto& series : values)
        ensureSize(series, capacity);
    times[0] = 0;
    for (auto& series : values)
        series[0] = 0;

    // Where each series takes its value from, looked up once for the scan.
    int sourceColumn[kMaxSeries] = {};
    double factor[kMaxSeries] = {};
    for (int s = 0; s <= filledLast && s < kMaxSeries; ++s) {
        sourceColumn[s] = seriesItem(s).column;
        factor[s] = seriesItem(s).seriesFactor;
    }
    auto store = [&](const DataRecord& rec, int p) {
        times[p] = rec.time();
        for (int s = 0; s <= seriesLast; ++s) {
            double v = 0;
            if (s <= filledLast)
                v = rec.column(sourceColumn[s]) * factor[s];
            values[s][p] = v;
        }
    };

    // Times are compared in whole seconds: the window's ends once, each record's
    // time once.
    const auto seconds = [](double t) { return vbdate::secondsBetween(0.0, t); };
    const long long startSeconds = seconds(start);
    const long long endSeconds = seconds(end);
    long long lastSeconds = seconds(0.0); // the time of point n (entry 0 is 0)
    int n = 0;
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        DataRecord rec;
        std::memcpy(&rec, records + static_cast<size_t>(i) * kRecordBytes, kRecordBytes);
        const long long t = seconds(rec.time());
        const bool afterWindow = t > endSeconds;
        const long long fromStart = t - startSeconds;
        if (afterWindow && endSeconds > lastSeconds) {
            store(rec, n + 1);
            if (n < rc) {
                ++n;
                lastSeconds = t;
            }
        }
        if (fromStart < 0 && !inside) {
            store(rec, 1);
            n = 1;
            lastSeconds = t;
        } else if (fromStart == 0) {
            n = 0;
            lastSeconds = seconds(times[0]);
        }
        if (afterWindow || n == rc)
            break;
        if (fromStart >= 0) {
            store(rec, n + 1);
            ++n;
            lastSeconds = t;
            inside = true;
        }
    }

    if (n >= 2) {
        // Leading edge: the point before the window moves onto GraphStart along
        // the line to point 2. Equal times (records out of order) keep the value
        // instead of dividing by zero.
        if (vbdate::secondsBetween(times[1], start) > 0) {
            const long long span = vbdate::secondsBetween(times[1], times[2]);
            const long long lead = vbdate::secondsBetween(times[1], start);
            for (auto& v : values) {
                const double slope = span != 0 ? (v[2] - v[1]) / static_cast<double>(span) : 0.0;
                v[1] = v[1] + slope * static_cast<double>(lead);
            }
            times[1] = start;
        }
        // Trailing edge: the point after the window moves back onto GraphEnd.
        if (vbdate::secondsBetween(end, times[n]) > 0) {
            const long long span = vbdate::secondsBetween(times[n - 1], times[n]);
            const long long trail = vbdate::secondsBetween(times[n - 1], end);
            for (auto& v : values) {
                const double slope =
                    span != 0 ? (v[n] - v[n - 1]) / static_cast<double>(span) : 0.0;
                v[n] = v[n - 1] + slope * static_cast<double>(trail);
            }
            times[n] = end;
        }
    }

    // Entries 0..n are the result; at least 0..1 exist, zero where no point is.
    const size_t size = static_cast<size_t>(std::max(n + 1, 2));
    times.resize(size);
    for (auto& series : values)
        series.resize(size);
    if (n < 1) {
        times[1] = 0;
        for (auto& series : values)
            series[1] = 0;
    }
    return n;
}

void DataSet::LoadGraphWindow(GraphWindowState& window, int seriesLast, int hardVersion) const
{
    GraphClip clip;
    clip.seriesLast = std::clamp(seriesLast, 0, kMaxSeries - 1);
    clip.filledLast = hardVersion >= 2 ? clip.seriesLast : std::min(clip.seriesLast, 8);
    clip.recordCount = p_.RecordCount;
    clip.start = window.GraphStart;
    clip.end = window.GraphEnd;
    window.GraphPoints = 0;
    // Should the records fail us below, the arrays still hold an empty result.
    window.GraphValues.resize(static_cast<size_t>(clip.seriesLast) + 1);
    ensureSize(window.GraphTimes, 2);
    for (auto& series : window.GraphValues)
        ensureSize(series, 2);

    GraphRecordCache& cache = graphRecords_;
    const char* records = nullptr;
    int count = 0;
    if (clip.recordCount > 0) {
        const int rc = clip.recordCount;
        RecordReader reader(*this);
        const long long s = vbdate::secondsBetween(0.0, clip.start);
        const long long e = vbdate::secondsBetween(0.0, clip.end);
        const int before = firstAtOrAfter(reader, 0, rc, std::min(s, e + 1));
        const int afterEnd = firstAtOrAfter(reader, before, rc, e + 1);
        const int from = std::max(before - 1, 0);
        const int to = std::min(afterEnd, rc - 1);
        count = to - from + 1;
        if (inMemory_) {
            // Records in memory are clipped where they lie.
            records = reader.recordsInMemory(from, count);
        } else {
            const int kept = cache.from == from && sameAsFile(reader, cache) ? cache.count() : 0;
            if (kept < count) {
                // Only what is not yet held: while measuring, the records of the last
                // second.
                cache.from = -1; // unusable should the read fail
                cache.bytes.resize(static_cast<size_t>(count) * kRecordBytes);
                reader.readRecords(from + kept, count - kept,
                                   cache.bytes.data() + static_cast<size_t>(kept) * kRecordBytes);
                cache.from = from;
            }
            records = cache.bytes.data();
        }
    }
    window.GraphPoints = clipGraphWindow(count > 0 ? records : nullptr, count, clip,
                                         window.GraphTimes, window.GraphValues);
}

void LoadGraphWindow(Context& ctx)
{
    ctx.dataSet().LoadGraphWindow(ctx.graphWindow(), ctx.cat.SeriesLast, ctx.app.HardVersion);
}

} // namespace quellin
