#pragma once
// Data sets in TMP.DAT for the graph window tests and screenshots: a catalogue
// built for the hardware version and records with plausible, changing readings.

#include "DataSetAccess.h"
#include "GraphTestData.h"
#include "base/Context.h"
#include "catalog/ModVer.h"
#include "store/ModFile.h"

#include <cmath>

namespace quellin::test {

// Builds the catalogue of version and an empty store.
inline void buildCatalog(Context& ctx, int version)
{
    ctx.app.HardVersion = version;
    bfVer_NoCheck(ctx);
}

struct DataSetShape {
    double first = 0;  // time of record 1
    int count = 0;     // records
    int interval = 1;  // seconds between records
    int skipFrom = -1; // records skipFrom..skipTo (0-based) are left out
    int skipTo = -1;
};

// Appends the records and sets the store globals as a measurement would.
inline void writeDataSet(Context& ctx, const DataSetShape& shape)
{
    DataSetProperties& st = test::props(ctx);
    ctx.dataSet().OpenTmpForAppend();
    double energy = 0;
    double last = shape.first;
    st.PeakWatts = -9999.9;
    for (int i = 0; i < shape.count; ++i) {
        const double t =
            vbdate::addSeconds(shape.first, static_cast<long long>(i) * shape.interval);
        const double phase = i * 0.11;
        const double watts = 1200 + 450 * std::sin(phase) + 120 * std::sin(phase * 5.3);
        energy += watts * shape.interval / 3600.0 / 1000.0;
        if (i >= shape.skipFrom && i <= shape.skipTo)
            continue;
        DataRecord r;
        r.number = i;
        r.setTime(t);
        r.setColumn(2, 101.5 + 1.5 * std::sin(phase * 0.7));
        r.setColumn(3, 100.8 + 1.2 * std::cos(phase * 0.6));
        r.setColumn(4, 6 + watts / 250.0 + 1.5 * std::cos(phase * 0.9));
        r.setColumn(5, watts / 104.0);
        r.setColumn(6, watts);
        r.setColumn(7, watts * 0.32);
        r.setColumn(8, watts * 1.06);
        r.setColumn(9, 88 + 6 * std::sin(phase * 0.4));
        r.setColumn(10, 50.0);
        r.setColumn(11, energy);
        r.setColumn(12, i * shape.interval / 3600.0);
        r.setColumn(13, 18 + 6 * std::sin(phase * 0.3));
        r.setColumn(14, 42 + 10 * std::cos(phase * 0.2));
        r.setColumn(15, 7 + 2 * std::sin(phase));
        r.setColumn(16, 24 + 8 * std::sin(phase * 0.05));
        r.setColumn(17, -3 + 7 * std::cos(phase * 0.04));
        ctx.dataSet().AppendRecord(r);
        if (watts > st.PeakWatts) {
            st.PeakWatts = watts;
            st.PeakTime = t;
        }
        last = t;
    }
    ctx.dataSet().CloseTmp();
    st.SampleInterval = shape.interval;
    st.FirstTime = shape.first;
    st.LastTime = last;
    st.TotalEnergy = energy;
    ctx.graphWindow().GraphStart = shape.first;
    ctx.app.DataPresent = true;
}

} // namespace quellin::test
