#pragma once
// The Prometheus text exposition of a measurement: one gauge per item the
// data set has (in base units, the unit in the name), the energy as a counter,
// the records handled, the link's state and the last record's age.

#include "base/Context.h"

#include <QByteArray>
#include <QString>

namespace quellin {

struct MetricsState {
    QString meter;             // the meter label
    bool haveRecord = false;   // last is a stored record
    DataRecord last;
    qint64 records = 0;        // stored since the outputs started
    bool linkUp = false;       // a measurement runs and the meter sends
    double lastAgeSeconds = 0; // since the last record was stored
};

QByteArray metricsText(const Context& ctx, const MetricsState& state);

} // namespace quellin
