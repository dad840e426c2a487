#include "measure/MeasuredRecord.h"

#include "platform/Tx.h"
#include "platform/VbError.h"

#include <cmath>

namespace quellin {

double apparentPower(int wiringMode, double voltR, double currR, double voltT, double currT)
{
    switch (wiringMode) {
    case 0:
        return voltR * currR;
    case 1:
        return voltR * currR + voltT * currT;
    case 2:
        return (voltR * currR + voltT * currT) * std::sqrt(3.0) / 2;
    default:
        return 0;
    }
}

double reactivePower(double apparent, double active)
{
    return std::sqrt(std::fabs(apparent * apparent - active * active));
}

double finiteOrOverflow(double v)
{
    if (!std::isfinite(v))
        throw VbError(ErrorNumber::Overflow, TX("オーバーフローしました。"));
    return v;
}

PowerTotals addSecond(const PowerTotals& totals, double watts)
{
    return {finiteOrOverflow(totals.energy + watts / 3600 / 1000), totals.hours + 1.0 / 3600};
}

DataRecord measuredRecord(int number, const MeasuredReadings& in, const DerivedPower& derived,
                          const PowerTotals& totals, int hardVersion)
{
    DataRecord rec{};
    rec.number = number;
    rec.setTime(in.time);
    const double columns2to12[] = {in.voltR,     in.voltT,         in.currR,         in.currT,
                                   in.power,     derived.reactive, derived.apparent, in.powerFactor,
                                   in.frequency, totals.energy,    totals.hours};
    for (int c = 2; c <= 12; ++c)
        rec.setColumn(c, columns2to12[c - 2]);
    if (hardVersion >= 2) {
        for (int i = 0; i < 3; ++i)
            rec.setColumn(13 + i, in.leak[i]);
        for (int i = 0; i < 2; ++i)
            rec.setColumn(16 + i, in.temp[i]);
    }
    return rec;
}

} // namespace quellin
