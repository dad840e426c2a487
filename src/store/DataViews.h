#pragma once
// What the windows look at in a data set: the graph's time window with the
// points read for it, and the data list's page. They are views of a data set,
// not its properties: their users own them (the program once, shared by the
// graph and list windows, the display cycle, a download and a load), and a data
// set fills them with its const LoadGraphWindow and LoadListPage. A second data
// set can fill a second window for the same times.

#include "base/DataRecord.h"
#include "platform/VbDate.h"

#include <array>
#include <vector>

namespace quellin {

// The graph's time window GraphStart..GraphEnd and the points of a data set in
// it: points 1..GraphPoints (entry 0 unused), one array of values per series.
struct GraphWindowState {
    double GraphStart = 0;
    double GraphEnd = 0;
    // While measuring: the window moves on with the newest record (until the user
    // pages back), and the first points are still to be scaled.
    bool GraphFollowing = true;
    bool GraphFirstScalePending = false;
    int GraphPoints = 0;
    std::vector<double> GraphTimes;
    std::vector<std::vector<double>> GraphValues;

    // The window of a measurement that begins at now: its first hour, following
    // the newest record, the first points still to be scaled, nothing read yet.
    void beginMeasurement(double now)
    {
        GraphStart = now;
        GraphEnd = vbdate::addSeconds(now, 3600);
        GraphFollowing = true;
        GraphFirstScalePending = true;
        GraphPoints = 0;
    }
};

constexpr int kListRows = 14;

// The data list's page: records ListTop + 1 .. ListTop + 14 in Rows[1..14]
// (Rows[0] is never filled; an empty row has the record number -1).
struct ListPage {
    int ListTop = 1;
    std::array<DataRecord, kListRows + 1> Rows{};

    // Every row empty, ListTop 1 (as after ResetStore).
    void clear()
    {
        ListTop = 1;
        for (DataRecord& row : Rows) {
            row = DataRecord{};
            row.number = -1;
        }
    }
};

} // namespace quellin
