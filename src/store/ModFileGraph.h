#pragma once
// The graph's time window read from TMP.DAT.
//
// Which records become points (times compared in whole seconds, s = GraphStart,
// e = GraphEnd, records in time order):
//  - records before s only ever occupy point 1, so the last of them is point 1;
//  - a record exactly at s drops every point stored so far (so of several
//    records at s only the last survives) and the curve starts there;
//  - every record in (s, e] follows as the next point;
//  - the first record after e is added once when the last point lies before e
//    (the time 0 of the unused entry 0 counts when no point exists), and the
//    scan ends there.
// All records before min(s, e + 1) but the last one therefore leave no trace:
// the scan starts at that last one, found by a binary search over the record
// times, and runs to the first record after e, read in one go.

#include "base/Context.h"
#include "store/DataSet.h"

#include <vector>

namespace quellin {

// What the clipping needs besides the records: the window, the number of records
// of the data set and the last series that records fill (9..13 stay 0 for a
// version-1 meter; series 8 is kWh × 1000).
struct GraphClip {
    double start = 0;
    double end = 0;
    int recordCount = 0;
    int seriesLast = 0;
    int filledLast = 0;
};

// The window's points from count consecutive records as they lie in TMP.DAT
// (140 bytes each, in time order), beginning with the last record before the
// window: times and values get entries 0..n (at least 0..1, zero where no point
// is), values one series per entry of values (resized to seriesLast + 1). Returns
// n, the number of points. No file is touched.
int clipGraphWindow(const char* records, int count, const GraphClip& clip,
                    std::vector<double>& times, std::vector<std::vector<double>>& values);

// DataSet::LoadGraphWindow fills a window's GraphTimes, GraphValues and
// GraphPoints for its GraphStart..GraphEnd. Points are 1..GraphPoints; entry 0
// is 0 and the arrays hold at least two entries. GraphValues has seriesLast + 1
// series (series 9..13 stay 0 unless the hardware version is 2 or more; series 8
// is kWh × 1000). Only the records next to and inside the window are read; the
// window's buffers are reused between calls, and of TMP.DAT only what was
// appended since the last call over the same records is read again.

// The program's graph window from the current data set, for the catalogue's
// series and the meter's version.
void LoadGraphWindow(Context& ctx);

} // namespace quellin
