#include "Catalogue.h"

namespace quellin::test {

void giveTestCatalogue(Context& ctx, int version)
{
    ctx.app.HardVersion = version;
    Catalog& cat = ctx.cat;
    cat.ColumnLast = version >= 2 ? 17 : 12;
    cat.SeriesLast = version >= 2 ? 13 : 8;
    const QStringList titles = {"番号",           "時刻",          "電圧Ｒ(V)",     "電圧Ｔ(V)",
                                "電流Ｒ(A)",      "電流Ｔ(A)",     "有効電力(W)",   "無効電力(Var)",
                                "皮相電力(VA)",   "力率(%)",       "周波数(Hz)",    "積算電力(kWh)",
                                "積算時間(時間)", "漏電電流1(mA)", "漏電電流2(mA)", "漏電電流3(mA)",
                                "温度1(℃)",       "温度2(℃)"};
    const QStringList names = {"電圧Ｒ",    "電圧Ｔ",    "電流Ｒ", "電流Ｔ",     "有効電力",
                               "無効電力",  "皮相電力",  "力率",   "積算電力量", "漏電電流1",
                               "漏電電流2", "漏電電流3", "温度1",  "温度2"};
    const QStringList units = {"V", "V",  "A",  "A",  "W",  "Var", "VA",
                               "%", "Wh", "mA", "mA", "mA", "℃",   "℃"};
    cat.ColumnTitles = titles.mid(0, cat.ColumnLast + 1);
    cat.SeriesNames = names.mid(0, cat.SeriesLast + 1);
    cat.SeriesUnits = units.mid(0, cat.SeriesLast + 1);
    cat.UnitPrefixes = {"", "", "", "K", "K", "K", "M", "M", "M", "G", "G", "G", "G"};
    const size_t columns = static_cast<size_t>(cat.ColumnLast) + 1;
    const size_t series = static_cast<size_t>(cat.SeriesLast) + 1;
    cat.LogColumns.assign(columns, true);
    cat.ColumnOn.assign(columns, true);
    cat.SeriesShown.assign(series, false);
    cat.SeriesShown[4] = cat.SeriesShown[8] = true;
    cat.SeriesScale.assign(series, 0);
    cat.SeriesYMin.assign(series, 0);
    cat.SeriesYMax.assign(series, 10);
    ctx.store.ColumnPresent.assign(columns, true);
}

} // namespace quellin::test
