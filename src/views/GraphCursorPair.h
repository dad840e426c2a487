#pragma once
// Two cursors on the plot, decided without windows: for the stretch between them
// each shown series' value at both ends, the difference, its minimum, mean and
// maximum, and the energy and mean power of the records between them.

#include "base/Context.h"
#include "base/DataRecord.h"
#include "store/DataSet.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace quellin {

// One series between the cursors: its values at them (as its curve shows them)
// and over the points between them (both ends included, unreadable values left
// out). Nothing where nothing was measured.
struct SeriesBetween {
    int series = 0;
    std::optional<double> atFirst, atSecond, difference;
    std::optional<double> min, mean, max;
    int points = 0;
};

// Over the window's points 1..n (times and values entries 0..n) between the
// times a and b (in either order).
SeriesBetween seriesBetween(std::span<const double> times, std::span<const double> values, int n,
                            int sampleInterval, double a, double b);

// The energy of records from a up to b (each record stands for one storage
// period, as the survey counts it): Σ P·period in kWh, and the mean power of
// those records in W. Nothing without a readable power.
struct EnergyBetween {
    std::optional<double> kWh;
    std::optional<double> meanWatts;
    int records = 0;
};
EnergyBetween energyBetween(const std::vector<DataRecord>& records, int sampleInterval, double a,
                            double b);

// The records of data whose time lies within a..b (in either order), read in
// one go after a binary search over the record times.
std::vector<DataRecord> recordsBetween(const DataSet& data, double a, double b);

// The readout of both cursors: both times, Δt, one line per shown series (from
// the window's points) and the line of energy, the energy of the records
// between them (energyBetween over recordsBetween, which reads the data set:
// the caller keeps it while the cursors and the records stay).
struct CursorPairReadout {
    double first = 0, second = 0;
    long long seconds = 0;
    std::vector<SeriesBetween> series;
    EnergyBetween energy;
    QStringList lines;
};
CursorPairReadout cursorPairReadout(const GraphWindowState& window, const DataSet& data,
                                    const Catalog& cat, double a, double b,
                                    const EnergyBetween& energy);

} // namespace quellin
