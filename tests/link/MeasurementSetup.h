#pragma once
// A measurement as KeisokuStart leaves it, for the measured-data handler's tests.

#include "base/Context.h"
#include "store/ModFile.h"

namespace quellin::test {

// Every column present, logged and switched on (voltage and current T absent in
// single-phase two-wire), TMP.DAT open; the handler's counters are reset by its
// beginMeasurement, as KeisokuStart does. The wiring
// itself reaches the handler through its host (the link's WiringMode).
inline void prepareMeasurement(Context& ctx, int version, int wiring, int logingTime = 1)
{
    ctx.app.HardVersion = version;
    ctx.cat.ColumnLast = version >= 2 ? 17 : 12;
    const size_t columns = static_cast<size_t>(ctx.cat.ColumnLast) + 1;
    ctx.cat.LogColumns.assign(columns, true);
    ctx.cat.ColumnOn.assign(columns, true);
    test::props(ctx).ColumnPresent.assign(columns, true);
    if (wiring == 0)
        test::props(ctx).ColumnPresent[3] = test::props(ctx).ColumnPresent[5] = false;
    ctx.app.LogingTime = logingTime;
    ctx.app.Measuring = true;
    test::props(ctx).RecordCount = 0;
    test::props(ctx).NextRecordNumber = 0;
    test::props(ctx).PeakWatts = -9999.9;
    ctx.dataSet().OpenTmpForAppend();
}

} // namespace quellin::test
