#pragma once
// Catalogue and graph-window data for the graph tests, built directly so that a
// test states exactly what the graph draws from.

#include "base/Context.h"
#include "base/MeasuredItems.h"
#include "catalog/ModVer.h"
#include "platform/VbDate.h"
#include "store/DataViews.h"

#include <cmath>
#include <vector>

namespace quellin::test {

inline double at(int y, int mo, int d, int h, int mi, int s)
{
    return *vbdate::fromCivil({y, mo, d, h, mi, s});
}

// The catalogue of a hardware version with every scale index 0: decades up to
// 10, leakage currents up to 100 mA, temperatures −10 to 10 ℃.
inline void fillGraphCatalog(Catalog& cat, int version)
{
    dimensionCatalog(cat, version);
    for (int s = 0; s <= cat.SeriesLast; ++s) {
        const auto i = static_cast<size_t>(s);
        switch (seriesKind(s)) {
        case SeriesKind::Leakage:
            cat.SeriesYMax[i] = 100;
            break;
        case SeriesKind::Temperature:
            cat.SeriesYMin[i] = -10;
            cat.SeriesYMax[i] = 10;
            break;
        default:
            cat.SeriesYMax[i] = 10;
            break;
        }
    }
}

// A normal series' decade range from its scale index.
inline void setDecade(Catalog& cat, int s, int k, double ymin = 0)
{
    cat.SeriesScale[static_cast<size_t>(s)] = k;
    cat.SeriesYMin[static_cast<size_t>(s)] = ymin;
    cat.SeriesYMax[static_cast<size_t>(s)] = std::pow(10.0, k + 1) + ymin;
}

// Graph points 1..n at the given times with one value per series and point.
inline void setGraphPoints(GraphWindowState& st, int seriesCount, const std::vector<double>& times,
                           const std::vector<std::vector<double>>& valuesBySeries)
{
    const size_t n = times.size();
    st.GraphPoints = static_cast<int>(n);
    st.GraphTimes.assign(n + 1, 0.0);
    st.GraphValues.assign(static_cast<size_t>(seriesCount), std::vector<double>(n + 1, 0.0));
    for (size_t i = 0; i < n; ++i) {
        st.GraphTimes[i + 1] = times[i];
        for (size_t s = 0; s < valuesBySeries.size() && s < st.GraphValues.size(); ++s)
            if (i < valuesBySeries[s].size())
                st.GraphValues[s][i + 1] = valuesBySeries[s][i];
    }
}

} // namespace quellin::test
