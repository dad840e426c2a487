#pragma once
// The measured items: one row per record column, the one place that says what
// each column is called, which graph series draws it, its unit and how the data
// list, the data files and the PC log write it. The catalogue, the file writer
// and reader, the graph, the value panel and the list all read this table.
//
//   column  title            series  kind          list       file
//        0  番号                  -  -             number     "0000"
//        1  時刻                  -  -             date/time  "yyyy/mm/dd hh:mm:ss"
//     2..8  電圧Ｒ … 皮相電力   0..6  decades       000.0E+0   0.000E+0
//        9  力率                  7  power factor  "0.000"    0.000E+0
//       10  周波数                -  -             (not listed) 0.000E+0
//       11  積算電力              8  decades (Wh)  000.0E+0   0.000E+0
//       12  積算時間              -  -             hours      0.000E+0
//   13..15  漏電電流1..3     9..11  leakage       0.0        0.0       version 2 on
//   16..17  温度1, 温度2    12..13  temperature   0          0         version 2 on

#include "base/DataRecord.h"

#include <QString>
#include <array>
#include <string_view>

namespace quellin {

// How a data file and the PC log write a value.
enum class FieldFormat { RecordNumber, Time, Scientific, OneDecimal, Integer };

// How the data list shows a value.
enum class ListFormat {
    RecordNumber, // plain decimal
    Time,         // yyyy/mm/dd hh:mm:ss
    Engineering,  // 000.0E+0
    PowerFactor,  // as the value panel shows it
    Hours,        // 0.00000 on screen, 0.000 in print
    OneDecimal,   // 0.0
    Integer,      // 0
    NotListed,
};

// How a graph series is scaled: by decades of its unit, on the fixed power-factor
// axis, in hundreds of milliamperes, or in tens of degrees around zero.
enum class SeriesKind { Normal, PowerFactor, Leakage, Temperature };

struct MeasuredItem {
    int column;
    std::string_view title;   // catalogue, data files and PC log: "電圧Ｒ(V)"
    std::string_view name;    // data list header and value panel caption: "電圧Ｒ"
    std::string_view unit;    // of the column's value ("" for number and time)
    int series;                // graph series, or -1 when not drawn
    std::string_view seriesName;
    std::string_view seriesUnit;   // the graph's unit (Wh for the kWh column)
    double seriesFactor;            // column value × factor = series value
    SeriesKind kind;
    bool decimalPrefix; // the unit takes K, M, G as the magnitude grows
    int firstVersion;   // the hardware version that delivers it
    ListFormat listFormat;
    FieldFormat fileFormat;
    int panelItem;        // the value panel's item (LblValue index), or -1
    std::string_view key; // ASCII name for machine-read output (quellin-cli --jsonl)
};

// Columns and series of a version-1 meter and of version 2 and later.
constexpr int kV1ColumnLast = 12;
constexpr int kV1SeriesLast = 8;
constexpr int kV2ColumnLast = kMaxColumns - 1;
constexpr int kV2SeriesLast = kMaxSeries - 1;

// Columns with a fixed meaning elsewhere in the program.
namespace column {
constexpr int kNumber = 0;
constexpr int kTime = 1;
constexpr int kVoltR = 2;
constexpr int kVoltT = 3;
constexpr int kCurrR = 4;
constexpr int kCurrT = 5;
constexpr int kActivePower = 6;
constexpr int kReactivePower = 7;
constexpr int kApparentPower = 8;
constexpr int kPowerFactor = 9;
constexpr int kFrequency = 10;
constexpr int kEnergy = 11;
constexpr int kHours = 12;
constexpr int kFirstVersion2 = 13;
} // namespace column

// The row of column c (0..17); c outside that range is a programming error.
const MeasuredItem& measuredItem(int column);
// The row drawn as series s (0..13).
const MeasuredItem& seriesItem(int series);
// The record column of series s; -1 for s outside 0..13.
int seriesColumn(int series);
// The kind of series s; Normal for s outside 0..13.
SeriesKind seriesKind(int series);

// The last column and the last series of a hardware version's catalogue.
int columnLastFor(int hardVersion);
int seriesLastFor(int hardVersion);

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The title of column c as a text; empty for c outside 0..17.
QString columnTitle(int column);
// Pattern text of a file format for Format ("0000", "0.000E+0" …).
const QString& fieldPattern(FieldFormat format);

// Unit prefixes of the graph's scale indexes 0..12 (one per power of ten).
constexpr int kLastScaleIndex = 12;
QString unitPrefix(int scaleIndex);

} // namespace quellin
