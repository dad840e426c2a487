#include "store/ModFileGraph.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "store/TmpDatReader.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace quellin {

namespace {

// Index of the first record in [lo, hi) whose time is threshold or later.
int firstAtOrAfter(TmpDatReader& reader, int lo, int hi, long long threshold)
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

    int n = 0;
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        DataRecord rec;
        std::memcpy(&rec, records + static_cast<size_t>(i) * kRecordBytes, kRecordBytes);
        const double t = rec.time();
        const bool afterWindow = vbdate::secondsBetween(end, t) > 0;
        const long long fromStart = vbdate::secondsBetween(start, t);
        if (afterWindow && vbdate::secondsBetween(times[n], end) > 0) {
            store(rec, n + 1);
            if (n < rc)
                ++n;
        }
        if (fromStart < 0 && !inside) {
            store(rec, 1);
            n = 1;
        } else if (fromStart == 0) {
            n = 0;
        }
        if (afterWindow || n == rc)
            break;
        if (fromStart >= 0) {
            store(rec, n + 1);
            ++n;
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

void LoadGraphWindow(Context& ctx)
{
    StoreGlobals& st = ctx.store;
    GraphClip clip;
    clip.seriesLast = std::clamp(ctx.cat.SeriesLast, 0, kMaxSeries - 1);
    clip.filledLast = ctx.app.HardVersion >= 2 ? clip.seriesLast : std::min(clip.seriesLast, 8);
    clip.recordCount = st.RecordCount;
    clip.start = st.GraphStart;
    clip.end = st.GraphEnd;
    st.GraphPoints = 0;
    // Should the file fail us below, the arrays still hold an empty result.
    st.GraphValues.resize(static_cast<size_t>(clip.seriesLast) + 1);
    ensureSize(st.GraphTimes, 2);
    for (auto& series : st.GraphValues)
        ensureSize(series, 2);

    std::unique_ptr<char[]> buffer;
    int count = 0;
    if (clip.recordCount > 0) {
        const int rc = clip.recordCount;
        TmpDatReader reader(ctx);
        const long long s = vbdate::secondsBetween(0.0, clip.start);
        const long long e = vbdate::secondsBetween(0.0, clip.end);
        const int before = firstAtOrAfter(reader, 0, rc, std::min(s, e + 1));
        const int afterEnd = firstAtOrAfter(reader, before, rc, e + 1);
        const int from = std::max(before - 1, 0);
        const int to = std::min(afterEnd, rc - 1);
        count = to - from + 1;
        buffer = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(count) * kRecordBytes);
        reader.readRecords(from, count, buffer.get());
    }
    st.GraphPoints = clipGraphWindow(buffer.get(), count, clip, st.GraphTimes, st.GraphValues);
}

} // namespace quellin
