#pragma once
// The record a measured-data line makes: the values derived from its readings
// (apparent and reactive power) and the PC's own integration of energy and time.

#include "base/DataRecord.h"
#include "measure/MeasuredLine.h"

namespace quellin {

// Apparent power by wiring mode (0 single-phase 2-wire, 1 single-phase 3-wire,
// 2 three-phase 3-wire); any other mode gives 0.
double apparentPower(int wiringMode, double voltR, double currR, double voltT, double currT);
// Reactive power from apparent and active power: √|S² − P²|.
double reactivePower(double apparent, double active);

// v itself; VbError Overflow when it is not a finite number.
double finiteOrOverflow(double v);

// Apparent and reactive power of a line (0 where they could not be computed).
struct DerivedPower {
    double apparent = 0;
    double reactive = 0;
};

// The measurement's integrated energy (kWh) and time (hours).
struct PowerTotals {
    double energy = 0;
    double hours = 0;
};
// The totals after one more line: a line stands for one second of the active
// power watts. VbError Overflow (and the totals unchanged) when the energy would
// not be finite.
PowerTotals addSecond(const PowerTotals& totals, double watts);

// The record of a line: number, time, columns 2 to 12, and for version 2 and
// later the leakage currents and temperatures.
DataRecord measuredRecord(int number, const MeasuredReadings& in, const DerivedPower& derived,
                          const PowerTotals& totals, int hardVersion);

} // namespace quellin
