#pragma once
// Catalogue and graph-window data for the graph tests, built directly so that a
// test states exactly what the graph draws from.

#include "base/Context.h"
#include "platform/VbDate.h"

#include <cmath>
#include <vector>

namespace quellin::test {

inline double at(int y, int mo, int d, int h, int mi, int s)
{
    return *vbdate::fromCivil({y, mo, d, h, mi, s});
}

// The catalogue of a hardware version with every scale index 0 (or the given ones).
inline void fillGraphCatalog(Catalog& cat, int version)
{
    const bool v2 = version >= 2;
    cat.ColumnLast = v2 ? 17 : 12;
    cat.SeriesLast = v2 ? 13 : 8;
    const QStringList names = {"電圧Ｒ",    "電圧Ｔ",    "電流Ｒ", "電流Ｔ",     "有効電力",
                               "無効電力",  "皮相電力",  "力率",   "積算電力量", "漏電電流1",
                               "漏電電流2", "漏電電流3", "温度1",  "温度2"};
    const QStringList units = {"V", "V",  "A",  "A",  "W",  "Var", "VA",
                               "%", "Wh", "mA", "mA", "mA", "℃",   "℃"};
    cat.SeriesNames = names.mid(0, cat.SeriesLast + 1);
    cat.SeriesUnits = units.mid(0, cat.SeriesLast + 1);
    cat.UnitPrefixes = {"", "", "", "K", "K", "K", "M", "M", "M", "G", "G", "G", "G"};
    cat.AbsSeries = {4, 8};
    const size_t n = static_cast<size_t>(cat.SeriesLast) + 1;
    cat.SeriesShown.assign(n, false);
    cat.SeriesScale.assign(n, 0);
    cat.SeriesYMin.assign(n, 0.0);
    cat.SeriesYMax.assign(n, 0.0);
    for (size_t s = 0; s < n; ++s) {
        if (s >= 9 && s <= 11)
            cat.SeriesYMax[s] = 100;
        else if (s >= 12)
            cat.SeriesYMin[s] = -10, cat.SeriesYMax[s] = 10;
        else
            cat.SeriesYMax[s] = 10;
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
inline void setGraphPoints(StoreGlobals& st, int seriesCount, const std::vector<double>& times,
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
