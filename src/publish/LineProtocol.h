#pragma once
// A stored record as one InfluxDB line-protocol point.

#include "base/Context.h"

#include <QByteArray>
#include <QString>

namespace quellin {

// "quellin,meter=<id> voltR=100.1,…,number=7i <ns>": the data set's columns
// under the --jsonl keys, stamped with the record's own time (the PC's local
// time, in nanoseconds since the epoch). A value that is not a finite number is
// left out; a record with no value left gives no point (an empty text).
QByteArray influxLine(const Context& ctx, const DataRecord& record, const QString& meterTag);

// The tag value escaped as line protocol wants it (',', '=', ' ' and '\').
QByteArray influxTagValue(const QString& value);

} // namespace quellin
