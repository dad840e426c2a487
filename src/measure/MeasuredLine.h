#pragma once
// The measured-data line decoded into readings.
//
// The line after "RML" (positions from 1):
//
//   1..4   not read          41  active power (W)        88  leakage current 1 (mA)  ┐
//   5      voltage R (V)     50  power factor (%)        97  leakage current 2 (mA)  │ version 2
//   14     voltage T (V)     59  frequency (Hz)         106  leakage current 3 (mA)  │ and later
//   23     current R (A)     68  time "yyyy/mm/dd hh:mm:ss"  115  temperature 1      │
//   32     current T (A)         (v1: to the end; v2: 19)   124  temperature 2      ┘
//
// Each reading is 8 hexadecimal digits, an IEEE-754 single with its most
// significant byte first; one unread character separates the fields.

#include <QStringView>
#include <optional>

namespace quellin {

// 8 hexadecimal digits (either case), most significant byte first, read as an
// IEEE-754 single; nullopt for anything that is not exactly 8 hexadecimal digits.
std::optional<double> singleFromHex(QStringView hex);
// The same, with 0 for anything else (the measured-data line's reading).
double HexToSingle(QStringView hex);

// The readings of one line.
struct MeasuredReadings {
    double voltR = 0;
    double voltT = 0;
    double currR = 0;
    double currT = 0;
    double power = 0;
    double powerFactor = 0;
    double frequency = 0;
    double time = 0; // day 0 when the time field is not a date
    double leak[3] = {};
    double temp[2] = {};
    bool overflow = false; // a reading was not a finite number (it reads as 0)
};

// Decodes the line without "RML" for the given hardware version (1: the time is the
// rest of the line and there are no further readings). Never throws.
MeasuredReadings decodeMeasuredLine(QStringView rest, int hardVersion);

} // namespace quellin
