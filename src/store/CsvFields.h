#pragma once
// The fields of a data line, written and read as bytes (a data line is plain ASCII).
//
// Writing gives exactly what Format gives for the data-file patterns, without
// the allocations of the general routine: a data set of 32,767 records has more
// than half a million fields.
//
//   column 0      "0000"                 record number
//   column 1      "yyyy/mm/dd hh:mm:ss"  time, enclosed in double quotes
//   columns 2-12  "0.000E+0"
//   columns 13-15 "0.0"                  leakage currents
//   columns 16-17 "0"                    temperatures
//
// Reading keeps the conversions these files have always had: a 32-bit integer for
// the record number (rounded half to even), a date for the time, and a
// single-precision number widened to a double for every measured value.

#include "base/MeasuredItems.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

namespace quellin::csv {

// Appends the text of one field (the time without its quotes).
void appendRecordNumber(QByteArray& out, std::int32_t number);
void appendTime(QByteArray& out, double date);
void appendValue(QByteArray& out, double value, FieldFormat format);
// One data line with CR LF: the given columns of rec, separated by commas, the
// time enclosed in double quotes. Only the written fields are separated, so each
// field stands under its title whichever columns are left out.
void appendDataLine(QByteArray& out, const DataRecord& rec, const int* columns, int count);

enum class Conversion { Ok, NotConvertible, Overflow };

struct Converted {
    Conversion status = Conversion::NotConvertible;
    double value = 0;
};

// Numeric text in the sense of the original IsNumeric: optional blanks and sign,
// digits with at most one decimal point, optional exponent (E or D).
Converted toDouble(QByteArrayView text);
// The record number: the number rounded half to even into a 32-bit integer.
Converted toLong(QByteArrayView text);
// A measured value: the number rounded to the nearest single-precision value.
// "inf", "-inf" and "nan" (what Format writes for such values) read back as themselves.
Converted toSingle(QByteArrayView text);
// The time: one leading and one trailing double quote are removed when present.
std::optional<double> toDate(QByteArrayView text);

// Splits line at commas into at most maxFields fields (the last one ends at the
// next comma; the rest of the line is dropped). Quotes are not interpreted.
// Returns the number of fields; an empty line has one empty field.
int splitFields(QByteArrayView line, QByteArrayView* fields, int maxFields);

} // namespace quellin::csv
