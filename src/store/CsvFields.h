#pragma once
// The fields of a data line, written as bytes (a data line is plain ASCII).
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
// Reading them back is CsvParse.h.

#include "base/MeasuredItems.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace quellin::csv {

// Appends the text of one field (the time without its quotes).
void appendRecordNumber(QByteArray& out, std::int32_t number);
void appendTime(QByteArray& out, double date);
void appendValue(QByteArray& out, double value, FieldFormat format);
// One data line with CR LF: the given columns of rec, separated by commas, the
// time enclosed in double quotes. Only the written fields are separated, so each
// field stands under its title whichever columns are left out.
void appendDataLine(QByteArray& out, const DataRecord& rec, const int* columns, int count);

} // namespace quellin::csv
