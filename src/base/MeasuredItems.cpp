#include "base/MeasuredItems.h"

#include "platform/Tx.h"

#include <cassert>

namespace quellin {

namespace {

using LF = ListFormat;
using FF = FieldFormat;
using SK = SeriesKind;

// clang-format off
constexpr std::array<MeasuredItem, kMaxColumns> kItems = {{
//   col title              name         unit    series name          s.unit  factor kind            prefix ver list             file           panel  key
    {0,  TXN("番号"),           TXN("番号"),      "",          -1, "",                "",       1,    SK::Normal,      false, 1, LF::RecordNumber, FF::RecordNumber, -1, "number"},
    {1,  TXN("時刻"),           TXN("時刻"),      "",          -1, "",                "",       1,    SK::Normal,      false, 1, LF::Time,         FF::Time,         1,  "time"},
    {2,  TXN("電圧Ｒ(V)"),      TXN("電圧Ｒ"),    "V",         0,  TXN("電圧Ｒ"),     "V",      1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   2,  "voltR"},
    {3,  TXN("電圧Ｔ(V)"),      TXN("電圧Ｔ"),    "V",         1,  TXN("電圧Ｔ"),     "V",      1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   4,  "voltT"},
    {4,  TXN("電流Ｒ(A)"),      TXN("電流Ｒ"),    "A",         2,  TXN("電流Ｒ"),     "A",      1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   3,  "currR"},
    {5,  TXN("電流Ｔ(A)"),      TXN("電流Ｔ"),    "A",         3,  TXN("電流Ｔ"),     "A",      1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   5,  "currT"},
    {6,  TXN("有効電力(W)"),    TXN("有効電力"),  "W",         4,  TXN("有効電力"),   "W",      1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   6,  "power"},
    {7,  TXN("無効電力(Var)"),  TXN("無効電力"),  "Var",       5,  TXN("無効電力"),   "Var",    1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   7,  "reactive"},
    {8,  TXN("皮相電力(VA)"),   TXN("皮相電力"),  "VA",        6,  TXN("皮相電力"),   "VA",     1,    SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   8,  "apparent"},
    {9,  TXN("力率(%)"),        TXN("力率"),      "%",         7,  TXN("力率"),       "%",      1,    SK::PowerFactor, false, 1, LF::PowerFactor,  FF::Scientific,   9,  "powerFactor"},
    {10, TXN("周波数(Hz)"),     TXN("周波数"),    "Hz",        -1, "",                "",       1,    SK::Normal,      false, 1, LF::NotListed,    FF::Scientific,   0,  "frequency"},
    {11, TXN("積算電力(kWh)"),  TXN("積算電力"),  "kWh",       8,  TXN("積算電力量"), "Wh",     1000, SK::Normal,      true,  1, LF::Engineering,  FF::Scientific,   -1, "energy"},
    {12, TXN("積算時間(時間)"), TXN("積算時間"),  TXN("時間"), -1, "",                "",       1,    SK::Normal,      false, 1, LF::Hours,        FF::Scientific,   -1, "hours"},
    {13, TXN("漏電電流1(mA)"),  TXN("漏電電流1"), "mA",        9,  TXN("漏電電流1"),  "mA",     1,    SK::Leakage,     false, 2, LF::OneDecimal,   FF::OneDecimal,   10, "leak1"},
    {14, TXN("漏電電流2(mA)"),  TXN("漏電電流2"), "mA",        10, TXN("漏電電流2"),  "mA",     1,    SK::Leakage,     false, 2, LF::OneDecimal,   FF::OneDecimal,   11, "leak2"},
    {15, TXN("漏電電流3(mA)"),  TXN("漏電電流3"), "mA",        11, TXN("漏電電流3"),  "mA",     1,    SK::Leakage,     false, 2, LF::OneDecimal,   FF::OneDecimal,   12, "leak3"},
    {16, TXN("温度1(℃)"),       TXN("温度1"),     TXN("℃"),    12, TXN("温度1"),      TXN("℃"), 1,    SK::Temperature, false, 2, LF::Integer,      FF::Integer,      13, "temp1"},
    {17, TXN("温度2(℃)"),       TXN("温度2"),     TXN("℃"),    13, TXN("温度2"),      TXN("℃"), 1,    SK::Temperature, false, 2, LF::Integer,      FF::Integer,      14, "temp2"},
}};
// clang-format on

constexpr std::array<int, kMaxSeries> columnsOfSeries()
{
    std::array<int, kMaxSeries> out{};
    for (const MeasuredItem& item : kItems)
        if (item.series >= 0)
            out[static_cast<std::size_t>(item.series)] = item.column;
    return out;
}

constexpr std::array<int, kMaxSeries> kSeriesColumns = columnsOfSeries();

constexpr bool tableIsConsistent()
{
    for (std::size_t c = 0; c < kItems.size(); ++c)
        if (kItems[c].column != static_cast<int>(c))
            return false;
    for (int s = 0; s < kMaxSeries; ++s)
        if (kItems[static_cast<std::size_t>(kSeriesColumns[static_cast<std::size_t>(s)])].series !=
            s)
            return false;
    return true;
}
static_assert(tableIsConsistent(), "one row per column in column order, every series drawn once");

// Unit prefix for a decimal exponent 0..12 of the graph's axis labels.
constexpr std::array<const char16_t*, kLastScaleIndex + 1> kUnitPrefixes = {
    u"", u"", u"", u"K", u"K", u"K", u"M", u"M", u"M", u"G", u"G", u"G", u"G"};

} // namespace

const MeasuredItem& measuredItem(int column)
{
    assert(column >= 0 && column < kMaxColumns);
    return kItems[static_cast<std::size_t>(column)];
}

const MeasuredItem& seriesItem(int series)
{
    return measuredItem(seriesColumn(series));
}

int seriesColumn(int series)
{
    if (series < 0 || series >= kMaxSeries)
        return -1;
    return kSeriesColumns[static_cast<std::size_t>(series)];
}

SeriesKind seriesKind(int series)
{
    const int c = seriesColumn(series);
    return c < 0 ? SeriesKind::Normal : kItems[static_cast<std::size_t>(c)].kind;
}

int columnLastFor(int hardVersion)
{
    return hardVersion >= 2 ? kV2ColumnLast : kV1ColumnLast;
}

int seriesLastFor(int hardVersion)
{
    return hardVersion >= 2 ? kV2SeriesLast : kV1SeriesLast;
}

QString columnTitle(int column)
{
    if (column < 0 || column >= kMaxColumns)
        return {};
    return toQString(kItems[static_cast<std::size_t>(column)].title);
}

const QString& fieldPattern(FieldFormat format)
{
    static const QString kPatterns[] = {
        QStringLiteral("0000"), QStringLiteral("yyyy/mm/dd hh:mm:ss"), QStringLiteral("0.000E+0"),
        QStringLiteral("0.0"), QStringLiteral("0")};
    return kPatterns[static_cast<int>(format)];
}

QString unitPrefix(int scaleIndex)
{
    if (scaleIndex < 0 || scaleIndex > kLastScaleIndex)
        return {};
    return QString::fromUtf16(kUnitPrefixes[static_cast<std::size_t>(scaleIndex)]);
}

} // namespace quellin
