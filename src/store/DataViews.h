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
    // A span the user zoomed the graph to, in seconds; 0: the span GraphXHani
    // names. The window keeps it while it pages and follows.
    long long GraphSpan = 0;
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
        GraphSpan = 0;
        GraphPoints = 0;
    }
};

// The fewest rows of the list's page; a taller list window shows more.
constexpr int kListRows = 14;
// The most rows a page holds, far beyond any screen.
constexpr int kMostListRows = 500;

// The data list's page: records ListTop + 1 .. ListTop + rowCount() in
// Rows[1..rowCount()] (Rows[0] is never filled; an empty row has the record
// number -1).
struct ListPage {
    int ListTop = 1;
    std::vector<DataRecord> Rows = std::vector<DataRecord>(kListRows + 1);

    int rowCount() const { return static_cast<int>(Rows.size()) - 1; }
    // Rows for a window of that many (kListRows .. kMostListRows); the rows
    // added are empty until the next read.
    void setRowCount(int rows)
    {
        const int n = rows < kListRows ? kListRows : (rows > kMostListRows ? kMostListRows : rows);
        DataRecord empty{};
        empty.number = -1;
        Rows.resize(static_cast<size_t>(n) + 1, empty);
    }

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
